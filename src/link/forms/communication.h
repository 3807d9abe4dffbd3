#pragma once

// The connection window: port, line speed and instrument address.
// So far the window itself and its speed list, whose selected index paces the reply
// dispatcher's wait for long replies.

#include <QDialog>

class QComboBox;

class TCommForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCommForm(QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr; // the eight speeds, index 0 to 7

    // Index of the chosen speed, -1 when none is chosen.
    int SelectedBaudIndex() const;
};

extern TCommForm *CommForm;
