#pragma once

// The two colours every drawing area is painted with. Drawing functions take them as a
// parameter; the skin window keeps the user's choice in the shared store below, and the
// windows hand it on when they draw.

#include <QColor>

struct DrawingColours
{
    QColor background; // fill of the area, and behind its opaque labels
    QColor scale; // grid, axes and ticks
};

// The shared store: the skin window's choice, black until one is made.
extern QColor WaveBackgroundColor;
extern QColor WaveScaleColor;

inline DrawingColours ChosenDrawingColours()
{
    return { WaveBackgroundColor, WaveScaleColor };
}

// Puts both colours of the store back to their start value (tests start each case from here).
void ResetDrawingColours();
