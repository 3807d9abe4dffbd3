#pragma once

// The record settings window: the six channels, the sampling step and the save step.
// So far the window itself: caption and design size.

#include <QDialog>

class TRecSetForm : public QDialog
{
    Q_OBJECT

public:
    explicit TRecSetForm(QWidget *parent = nullptr);
};

extern TRecSetForm *RecSetForm;
