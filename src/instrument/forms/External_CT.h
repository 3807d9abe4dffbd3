#pragma once

// The external current-transformer window: the phase error of the transformer as a delay.
// So far the window itself: caption and design size.

#include <QDialog>

class TExternal_CT_form : public QDialog
{
    Q_OBJECT

public:
    explicit TExternal_CT_form(QWidget *parent = nullptr);
};

extern TExternal_CT_form *External_CT_form;
