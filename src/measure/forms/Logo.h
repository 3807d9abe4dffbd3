#pragma once

// The splash window shown while the windows are created.

#include <QWidget>

class QLabel;

class TLogoForm : public QWidget
{
    Q_OBJECT

public:
    explicit TLogoForm(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
};
