#pragma once

// The record settings window: which signal each of the six channels records, the
// sampling step and the save step. "Enter" stores them in SysSet.ini and applies them to
// the record window; "Cancel " only closes.

#include "record/RecordSettings.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TRecSetForm : public QDialog
{
    Q_OBJECT

public:
    explicit TRecSetForm(QWidget *parent = nullptr);
    ~TRecSetForm() override;

    void Button1Click(); // Enter
    void Button2Click(); // Cancel

    // The lists' choice: item indexes, -1 where the text matches no item.
    RecordSettings chosenSettings() const;

    std::array<QComboBox *, 6> ChannelList {}; // ComboBox3 .. ComboBox8 for CH1 .. CH6
    QComboBox *ComboBox2 = nullptr; // sampling step
    QComboBox *ComboBox1 = nullptr; // save step
    QComboBox *ComboBox9 = nullptr; // temperature port, disabled
    std::array<QLabel *, 6> ChannelLabel {}; // Label3 .. Label8
    QGroupBox *GroupBox1 = nullptr; // "Signal Select"
    QGroupBox *GroupBox2 = nullptr; // "Sampling Step "
    QGroupBox *GroupBox3 = nullptr; // "Save Step "
    QGroupBox *GroupBox4 = nullptr; // "Temperature "
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillLists();
    std::array<QLabel *, 2> m_secondsLabels {}; // "秒  " beside the two step lists
};

extern TRecSetForm *RecSetForm;
