#include "measure/DrawingColours.h"

QColor WaveBackgroundColor(0, 0, 0);
QColor WaveScaleColor(0, 0, 0);

void ResetDrawingColours()
{
    WaveBackgroundColor = QColor(0, 0, 0);
    WaveScaleColor = QColor(0, 0, 0);
}
