#include "instrument/forms/Alarm.h"

#include "base/Errors.h"
#include "base/NumberInput.h"
#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "widgets/FormParts.h"
#include "widgets/NumberKeyFilter.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

TAlarmForm *AlarmForm = nullptr;

namespace {
QString notConnected()
{
    return TAlarmForm::tr("Failed,The machine is not connected");
}

QString plainName(const QString &caption)
{
    return QString(caption).remove(QStringLiteral("：")).simplified();
}

const char *const RowCaptions[]
    = { QT_TRANSLATE_NOOP("TAlarmForm", "Vol： "), QT_TRANSLATE_NOOP("TAlarmForm", "Amp： "),
          QT_TRANSLATE_NOOP("TAlarmForm", "Power： "), QT_TRANSLATE_NOOP("TAlarmForm", "PF： ") };
const char *const ColumnCaptions[] = { QT_TRANSLATE_NOOP("TAlarmForm", "Upper Limit： "),
    QT_TRANSLATE_NOOP("TAlarmForm", "Lower Limit： ") };
} // namespace

TAlarmForm::TAlarmForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AlarmForm"));
    setFixedSize(442, 315);
    m_keyFilter = new TNumberKeyFilter(false, this);

    static const char *const initial[] = { "300", "0", "20", "0", "6000", "0", "1", "0" };
    constexpr int firstColumnX = 90;
    constexpr int columnWidth = 170;

    for (int c = 0; c < 2; ++c) {
        auto *label = ColumnLabels[c] = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(c == 0 ? 5 : 6));
        label->setGeometry(firstColumnX + c * columnWidth, 24, 160, 20);
    }
    for (int row = 0; row < 4; ++row) {
        const int y = 56 + row * 40;
        auto *label = RowLabels[row] = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        label->setGeometry(16, y + 2, 70, 20);
        for (int c = 0; c < 2; ++c) {
            const int k = row * 2 + c;
            const int x = firstColumnX + c * columnWidth;
            QLineEdit *edit = Edits[k] = new QLineEdit(QString::fromLatin1(initial[k]), this);
            edit->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
            edit->setGeometry(x, y, 80, 24);
            m_keyFilter->watch(edit);

            QCheckBox *box = CheckBoxes[k] = new QCheckBox(this);
            box->setObjectName(QStringLiteral("CheckBox%1").arg(k + 1));
            box->setGeometry(x + 86, y + 2, 80, 20);
        }
    }

    Label7 = new QLabel(this);
    Label7->setObjectName(QStringLiteral("Label7"));
    // Two lines: a save that stopped lists the limits written and those not written.
    Label7->setGeometry(16, 218, 410, 38);
    Label7->setWordWrap(true);

    Button3 = new QPushButton(this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(16, 262, 150, 30);
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(176, 262, 140, 30);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(326, 262, 100, 30);
    for (QPushButton *button : { Button1, Button2, Button3 })
        button->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    AcknowledgementTimer = MakeTimer(
        this, "AcknowledgementTimer", AlarmAcknowledgementWaitMs, &TAlarmForm::AcknowledgementTimerTimer);
    AcknowledgementTimer->setSingleShot(true);
    m_status = [] { return tr("Status:"); };
    retranslateUi();
}

void TAlarmForm::retranslateUi()
{
    setWindowTitle(tr("Alarm"));
    for (int c = 0; c < 2; ++c)
        ColumnLabels[c]->setText(tr(ColumnCaptions[c]));
    for (int row = 0; row < 4; ++row) {
        RowLabels[row]->setText(tr(RowCaptions[row]));
        for (int c = 0; c < 2; ++c) {
            const int k = row * 2 + c;
            //: The accessible name of a limit's box: the row's quantity and the column's limit.
            const QString name
                = tr("%1 %2").arg(plainName(tr(RowCaptions[row])), plainName(tr(ColumnCaptions[c])));
            Edits[k]->setAccessibleName(name);
            CheckBoxes[k]->setText(tr("ON/OFF  "));
            CheckBoxes[k]->setAccessibleName(tr("ON/OFF %1").arg(name));
        }
    }
    Label7->setText(m_status());
    Button3->setText(tr("Read From Instrument"));
    Button1->setText(tr("Save To Instrument"));
    Button2->setText(tr("Exit "));
}

void TAlarmForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TAlarmForm::setStatus(std::function<QString()> text)
{
    m_status = std::move(text);
    Label7->setText(m_status());
}

void TAlarmForm::ShowRequesting()
{
    setStatus([] { return tr("正在请求仪器数据......"); });
}

void TAlarmForm::setButtonsEnabled(bool enabled)
{
    for (QPushButton *button : { Button1, Button2, Button3 })
        button->setEnabled(enabled);
}

void TAlarmForm::showStatus(std::function<QString()> text)
{
    setStatus(std::move(text));
    Label7->show();
    Label7->repaint();
}

void TAlarmForm::Button1Click()
{
    // A text put there from outside is kept as it is.
    const QString shown = Label7->text();
    const std::function<QString()> statusBefore
        = m_status() == shown ? m_status : std::function<QString()>([shown] { return shown; });
    setButtonsEnabled(false);
    setStatus([] { return tr("Saving ......。"); });
    repaint();

    // Every box is converted before any limit is taken, so a bad box leaves them all as they were.
    AlarmLimitArray limits {};
    try {
        for (int k = 0; k < AlarmLimitCount; ++k)
            limits[k] = DecimalSingle(Edits[k]->text());
    } catch (const EConvertError &error) {
        setStatus(statusBefore);
        setButtonsEnabled(true);
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return;
    }
    AlarmLimits = limits;
    AlarmSwitchArray switches {};
    for (int k = 0; k < AlarmLimitCount; ++k)
        switches[k] = CheckBoxes[k]->isChecked();
    AlarmEnableMask = AlarmMask(switches);

    if (!SendWriteValue(InstrumentAddress, AlarmRegisterAL1H, AlarmLimits[0])) {
        // Nothing went out: say so instead of leaving "Saving" as if it were under way.
        setStatus(statusBefore);
        setButtonsEnabled(true);
        platform::dialogs().message(notConnected());
        return;
    }
    m_awaitedRegister = AlarmRegisterAL1H;
    AcknowledgementTimer->start();
    setButtonsEnabled(true);
}

void TAlarmForm::AcknowledgementTimerTimer()
{
    if (m_awaitedRegister == 0)
        return;
    const int acknowledged = m_awaitedRegister - AlarmRegisterAL1H;
    m_awaitedRegister = 0;
    // Nothing is written again by itself: the user saves again when the link is back.
    showStatus([acknowledged] { return AlarmSaveStoppedText(acknowledged); });
    setButtonsEnabled(true);
}

void TAlarmForm::Button2Click()
{
    close();
}

void TAlarmForm::Button3Click()
{
    AlarmReadStep = 0;
    setStatus([] { return tr("Request ......"); });
    if (!SendReadRequest(InstrumentAddress, 128, 2))
        platform::dialogs().message(notConnected());
}

void TAlarmForm::RegisterReply(uint8_t reg, const uint8_t *data)
{
    if (!data)
        return;
    if (reg >= AlarmRegisterAL1H && reg <= AlarmRegisterAL4L) {
        const int k = reg - AlarmRegisterAL1H;
        AlarmLimits[k] = BytesToSingle(data);
        Edits[k]->setText(AlarmLimitText(AlarmLimits[k]));
    } else if (reg == AlarmMaskRegister) {
        AlarmEnableMask = data[0];
        const AlarmSwitchArray switches = AlarmSwitches(AlarmEnableMask);
        for (int k = 0; k < AlarmLimitCount; ++k)
            CheckBoxes[k]->setChecked(switches[k]);
        setStatus([] { return tr("Data synchronization with the instrument has been"); });
    }
}

void TAlarmForm::WriteAcknowledged(uint8_t reg)
{
    const std::optional<AlarmSaveStep> step = AlarmSaveStepAfter(reg);
    if (!step)
        return;
    // Only the acknowledgement the running save waits for moves its watch on.
    const bool awaited = m_awaitedRegister != 0 && reg == m_awaitedRegister;
    if (awaited) {
        AcknowledgementTimer->stop();
        m_awaitedRegister = 0;
    }
    if (step->statusBeforeWrite)
        showStatus([reg] { return AlarmSaveStepAfter(reg)->status; });
    if (step->nextRegister) {
        const uint8_t next = *step->nextRegister;
        const bool sent = next == AlarmMaskRegister
            ? SendWriteBytes(InstrumentAddress, next, AlarmMaskBytes(AlarmEnableMask).data())
            : SendWriteValue(InstrumentAddress, next, AlarmLimits[next - AlarmRegisterAL1H]);
        if (!sent) {
            // The chain stops here. A save under way says how far it got; otherwise the
            // status line keeps the step it reached.
            if (awaited)
                showStatus([next] { return AlarmSaveStoppedText(next - AlarmRegisterAL1H); });
            platform::dialogs().message(notConnected());
            return;
        }
        if (awaited) {
            m_awaitedRegister = next;
            AcknowledgementTimer->start();
        }
    }
    if (!step->statusBeforeWrite)
        showStatus([reg] { return AlarmSaveStepAfter(reg)->status; });
}
