#pragma once

// The skin window: the look of every window and the two display colours.
// So far the window itself: caption and design size.

#include <QDialog>

class Tskin : public QDialog
{
    Q_OBJECT

public:
    explicit Tskin(QWidget *parent = nullptr);
};

extern Tskin *skin;
