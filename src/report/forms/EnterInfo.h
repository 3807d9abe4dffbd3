#pragma once

// The print information window: the header fields of every printed report.
// So far the window itself: caption and design size.

#include <QDialog>

class TEnterInfoForm : public QDialog
{
    Q_OBJECT

public:
    explicit TEnterInfoForm(QWidget *parent = nullptr);
};

extern TEnterInfoForm *EnterInfoForm;
