#include "report/forms/Print.h"

TPrinterForm *PrinterForm = nullptr;

TPrinterForm::TPrinterForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterForm"));
    setWindowTitle(QStringLiteral("PrinterForm"));
    resize(747, 500);
}
