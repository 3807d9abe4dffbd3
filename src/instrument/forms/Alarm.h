#pragma once

// The alarm window: the instrument's eight alarm limits and their switches.
// So far the window itself, its status line, and the two entry points through which the
// reply dispatcher hands over the replies of registers 118 to 126 and the write
// acknowledgements. The dispatcher already runs the read chain (it counts AlarmReadStep and
// requests the next register); what the window does with each reply is filled in with the
// window's own code and does nothing yet.

#include <QDialog>

#include <cstdint>

class QLabel;

class TAlarmForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAlarmForm(QWidget *parent = nullptr);

    QLabel *Label7 = nullptr; // status line

    // A function-0x03 reply of register 118 to 126 (the routing byte); `data` points at
    // the four data bytes. To come: decode the limit into its edit box (118 to 125) or
    // the switch mask into the check boxes (126). Does nothing yet.
    void RegisterReply(uint8_t reg, const uint8_t *data);
    // A write acknowledgement (function 0x09) of register 118 to 126. To come: the status
    // line and the next write of the save chain. Does nothing yet.
    void WriteAcknowledged(uint8_t reg);
};

extern TAlarmForm *AlarmForm;
