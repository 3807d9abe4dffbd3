#pragma once

// The version window: maker, version, date and web address.

#include <QDialog>

class QLabel;
class QPushButton;

class TVForm : public QDialog
{
    Q_OBJECT

public:
    explicit TVForm(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr; // company and location
    QLabel *Label2 = nullptr; // version number
    QLabel *Label3 = nullptr; // version title
    QLabel *Label4 = nullptr; // date
    QLabel *Label5 = nullptr; // web address
    QPushButton *Button1 = nullptr;

    // Every text shown in the current language; again at each change of language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
};

extern TVForm *VForm;
