#pragma once

// The print information window: the header fields of every printed report, saved in
// EnterInfo.ini. Its fields are filled once, when it is created, with today's date.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TEnterInfoForm : public QDialog
{
    Q_OBJECT

public:
    explicit TEnterInfoForm(QWidget *parent = nullptr);

    QGroupBox *SeSkinGroupBox1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLineEdit *Edit1 = nullptr; // project name
    QLineEdit *Edit2 = nullptr; // licenser
    QLineEdit *Edit3 = nullptr; // operator
    QLineEdit *Edit4 = nullptr; // date
    QLineEdit *Edit5 = nullptr; // temperature
    QRadioButton *SeSkinRadioButton1 = nullptr; // "℃"
    QRadioButton *SeSkinRadioButton2 = nullptr; // "F"
    QPushButton *SeSkinButton1 = nullptr; // "Enter"
    QPushButton *SeSkinButton2 = nullptr; // "Cancel"
    QPushButton *SeSkinButton3 = nullptr; // "Exit "

    void FormCreate();
    void SeSkinButton1Click(); // save, scroll the print preview to its top, close
    void SeSkinButton2Click(); // close without saving
    void SeSkinButton3Click(); // close without saving

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
};

extern TEnterInfoForm *EnterInfoForm;
