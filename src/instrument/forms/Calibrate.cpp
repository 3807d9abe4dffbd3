#include "instrument/forms/Calibrate.h"

TCalibrateForm *CalibrateForm = nullptr;

TCalibrateForm::TCalibrateForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CalibrateForm"));
    setWindowTitle(QStringLiteral("CalibrateForm"));
    resize(505, 278);
}
