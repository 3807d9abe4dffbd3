#pragma once

// The alarm window: the instrument's eight alarm limits and their switches, read through
// the settings read chain and written through the save chain. The main window's reply
// handler drives both chains and hands each reply and acknowledgement to this window.

#include "instrument/AlarmLimits.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TNumberKeyFilter;

class TAlarmForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAlarmForm(QWidget *parent = nullptr);

    std::array<QLineEdit *, AlarmLimitCount> Edits {}; // Edit1 .. Edit8, in register order
    std::array<QCheckBox *, AlarmLimitCount> CheckBoxes {}; // CheckBox1 .. CheckBox8
    std::array<QLabel *, 4> RowLabels {}; // Label1 .. Label4
    std::array<QLabel *, 2> ColumnLabels {}; // Label5, Label6
    QLabel *Label7 = nullptr; // status line
    QPushButton *Button1 = nullptr; // Save To Instrument
    QPushButton *Button2 = nullptr; // Exit
    QPushButton *Button3 = nullptr; // Read From Instrument
    // Runs while a write of the save chain waits for its acknowledgement.
    QTimer *AcknowledgementTimer = nullptr;

    // The limits and switches last read or saved; the save chain writes these.
    AlarmLimitArray AlarmLimits {};
    uint8_t AlarmEnableMask = 0;

    void Button1Click();
    void Button2Click();
    void Button3Click();

    // A function-0x03 reply of register 118 to 126 (the routing byte); `data` points at
    // the four data bytes: a limit into its edit box, or the switch mask into the check boxes.
    void RegisterReply(uint8_t reg, const uint8_t *data);
    // A write acknowledgement (function 0x09) of register 118 to 126: the status line and
    // the next write of the save chain.
    void WriteAcknowledged(uint8_t reg);
    // No acknowledgement came in time: the status line says which limits were written.
    void AcknowledgementTimerTimer();

    // The status line while the window waits for the settings it asked for.
    void ShowRequesting();

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;

private:
    void setButtonsEnabled(bool enabled);
    void showStatus(std::function<QString()> text);
    // The status line keeps how to make its text, so a change of language rewrites it.
    void setStatus(std::function<QString()> text);
    std::function<QString()> m_status;

    TNumberKeyFilter *m_keyFilter = nullptr;
    // The register whose acknowledgement the running save waits for; 0 when none runs.
    uint8_t m_awaitedRegister = 0;
};

extern TAlarmForm *AlarmForm;
