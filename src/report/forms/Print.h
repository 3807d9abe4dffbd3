#pragma once

// The print window: preview and printing of the measurement and record reports.
// So far the window itself: caption and design size.

#include <QDialog>

class TPrinterForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPrinterForm(QWidget *parent = nullptr);
};

extern TPrinterForm *PrinterForm;
