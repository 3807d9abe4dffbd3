#include "instrument/forms/Alarm.h"

#include <QLabel>

TAlarmForm *AlarmForm = nullptr;

TAlarmForm::TAlarmForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AlarmForm"));
    setWindowTitle(QStringLiteral("Alarm"));
    resize(442, 315);

    Label7 = new QLabel(QStringLiteral("Status:"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->move(16, 260);
}

void TAlarmForm::RegisterReply(uint8_t, const uint8_t *) { }

void TAlarmForm::WriteAcknowledged(uint8_t) { }
