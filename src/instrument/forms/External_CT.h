#pragma once

// The external current-transformer window: the transformer's phase error and the line
// frequency, written to the instrument as a compensation delay.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TNumberKeyFilter;

class TExternal_CT_form : public QDialog
{
    Q_OBJECT

public:
    explicit TExternal_CT_form(QWidget *parent = nullptr);

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Edit1 = nullptr; // angle, degrees
    QLineEdit *Edit2 = nullptr; // frequency, hertz
    QPushButton *Button1 = nullptr; // Save To Instrument

    void Button1Click();

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;

private:
    TNumberKeyFilter *m_keyFilter = nullptr;
};

extern TExternal_CT_form *External_CT_form;
