#pragma once

// The calibration window: a service tool that sends calibration values to the instrument.
// So far the window itself: caption and design size.

#include <QDialog>

class TCalibrateForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCalibrateForm(QWidget *parent = nullptr);
};

extern TCalibrateForm *CalibrateForm;
