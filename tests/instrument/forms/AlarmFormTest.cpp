// The alarm window on a fake port: replies and acknowledgements reach it through the main
// window's reply handler, as in the program.

#include "InstrumentFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString NotConnected = QStringLiteral("Failed,The machine is not connected");

class AlarmWindow : public InstrumentFixture
{
protected:
    // The routing byte names `reg`, as after the program asked for it.
    void asked(uint8_t reg)
    {
        ASSERT_TRUE(SendReadRequest(1, reg, 2));
        takeWritten();
    }

    QStringList editTexts() const
    {
        QStringList texts;
        for (QLineEdit *edit : AlarmForm->Edits)
            texts << edit->text();
        return texts;
    }

    bool buttonsEnabled() const
    {
        return AlarmForm->Button1->isEnabled() && AlarmForm->Button2->isEnabled()
            && AlarmForm->Button3->isEnabled();
    }
};

TEST_F(AlarmWindow, StartsWithTheDesignedFields)
{
    EXPECT_EQ(editTexts(), QStringList({ "300", "0", "20", "0", "6000", "0", "1", "0" }));
    for (QCheckBox *box : AlarmForm->CheckBoxes) {
        EXPECT_EQ(box->text(), QStringLiteral("ON/OFF  "));
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Status:"));
    EXPECT_EQ(AlarmForm->windowTitle(), QStringLiteral("Alarm"));
    EXPECT_EQ(AlarmForm->findChild<QLineEdit *>(QStringLiteral("Edit3")), AlarmForm->Edits[2]);
    EXPECT_EQ(AlarmForm->findChild<QCheckBox *>(QStringLiteral("CheckBox8")), AlarmForm->CheckBoxes[7]);
}

TEST_F(AlarmWindow, LimitRepliesShowFourDecimalsOrAClearTextForNonNumbers)
{
    openPort();
    AlarmReadStep = 9; // the chain is over: replies only update the fields
    struct Case
    {
        uint8_t reg;
        std::array<uint8_t, 4> data;
        int edit;
        const char *text;
    } cases[] = {
        { 120, { 0x00, 0x00, 0xA0, 0x41 }, 2, "20" },
        { 118, { 0x00, 0x00, 0x96, 0x43 }, 0, "300" },
        { 125, { 0xCD, 0xCC, 0xCC, 0x3D }, 7, "0.1" },
        { 122, { 0x00, 0x00, 0xC0, 0x7F }, 4, "NaN" },
        { 123, { 0x00, 0x00, 0x80, 0x7F }, 5, "INF" },
        { 124, { 0x00, 0x00, 0x80, 0xFF }, 6, "-INF" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reg);
        asked(c.reg);
        receive(ValueReply(c.data));
        EXPECT_EQ(AlarmForm->Edits[c.edit]->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(SingleBits(AlarmForm->AlarmLimits[c.edit]),
            static_cast<uint32_t>(c.data[0] | c.data[1] << 8 | c.data[2] << 16 | c.data[3] << 24));
        EXPECT_TRUE(takeWritten().isEmpty());
    }
}

TEST_F(AlarmWindow, SwitchMaskReplySetsTheCheckBoxesAndEndsTheChain)
{
    openPort();
    AlarmForm->CheckBoxes[7]->setChecked(true);
    AlarmReadStep = 8;
    asked(126);
    receive(ValueReply({ 0x05, 0xFF, 0xFF, 0xFF }));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(AlarmForm->CheckBoxes[k]->isChecked(), k == 0 || k == 2) << k;
    EXPECT_EQ(AlarmForm->AlarmEnableMask, 0x05);
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Data synchronization with the instrument has been"));
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Synchronization"));
    EXPECT_EQ(AlarmReadStep, 9);
}

TEST_F(AlarmWindow, ASecondReplyOfOneRegisterUpdatesTheBoxButAsksForNothing)
{
    openPort();
    AlarmReadStep = 0;
    asked(118);
    receive(ValueReply({ 0x00, 0x00, 0x7D, 0x43 })); // 253
    EXPECT_EQ(takeWritten(), ReadRequest(119, 2));
    receive(ValueReply({ 0x00, 0x00, 0x4F, 0x43 })); // 207, for 119
    EXPECT_EQ(takeWritten(), ReadRequest(120, 2));
    EXPECT_EQ(AlarmForm->Edits[1]->text(), QStringLiteral("207"));

    asked(119); // the same register once more
    receive(ValueReply({ 0x00, 0x00, 0x52, 0x43 })); // 210
    EXPECT_EQ(AlarmForm->Edits[1]->text(), QStringLiteral("210"));
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_EQ(AlarmReadStep, 3);
}

TEST_F(AlarmWindow, SaveRunsTheChainOnTheAcknowledgements)
{
    openPort();
    const QStringList texts = { "250", "", "16.5", "0", "3000", "0.5", "1", "0.25" };
    const float values[8] = { 250.0f, 0.0f, 16.5f, 0.0f, 3000.0f, 0.5f, 1.0f, 0.25f };
    for (int k = 0; k < 8; ++k)
        AlarmForm->Edits[k]->setText(texts[k]);
    AlarmForm->CheckBoxes[1]->setChecked(true);
    AlarmForm->CheckBoxes[7]->setChecked(true);

    AlarmForm->Button1->click();
    EXPECT_EQ(takeWritten(), WriteRequest(118, values[0]));
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Saving ......。"));
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_EQ(AlarmForm->AlarmEnableMask, 0x82);

    const char *const status[] = { "Request:AL1L。", "Request:AL2H。", "Request:AL2L。", "Request:AL3H。",
        "Request:AL3L。", "Request:AL4H。", "Request:AL4L。" };
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(118 + k);
        receive(Acknowledgement(static_cast<uint8_t>(118 + k)));
        EXPECT_EQ(AlarmForm->Label7->text(), QString::fromUtf8(status[k]));
        EXPECT_EQ(takeWritten(), WriteRequest(static_cast<uint16_t>(119 + k), values[k + 1]));
    }
    receive(Acknowledgement(125));
    EXPECT_EQ(takeWritten(), WriteRequest(126, { 0x82, 0, 0, 0 })); // the 32-bit value 130
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Completed"));
    receive(Acknowledgement(126));
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Completed"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AlarmWindow, ASaveThatGetsNoAcknowledgementSaysWhatWasWrittenAndCanBeSavedAgain)
{
    struct Case
    {
        int acknowledged; // writes acknowledged before the instrument falls silent
        const char *status;
    } cases[] = {
        { 0,
            "No acknowledgement. Written: none. Not written: AL1H AL1L AL2H AL2L AL3H AL3L AL4H AL4L "
            "ON/OFF." },
        { 4, "No acknowledgement. Written: AL1H AL1L AL2H AL2L. Not written: AL3H AL3L AL4H AL4L ON/OFF." },
        { 8, "No acknowledgement. Written: AL1H AL1L AL2H AL2L AL3H AL3L AL4H AL4L. Not written: ON/OFF." },
    };
    openPort();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.acknowledged);
        AlarmForm->Button1->click();
        for (int k = 0; k < c.acknowledged; ++k) {
            ASSERT_TRUE(AlarmForm->AcknowledgementTimer->isActive()) << "each write is watched";
            receive(Acknowledgement(static_cast<uint8_t>(118 + k)));
        }
        ASSERT_TRUE(AlarmForm->AcknowledgementTimer->isActive());
        EXPECT_TRUE(AlarmForm->AcknowledgementTimer->isSingleShot());
        EXPECT_GE(AlarmForm->AcknowledgementTimer->interval(), 2000);
        EXPECT_LE(AlarmForm->AcknowledgementTimer->interval(), 5000);
        takeWritten();

        // The wait runs out.
        AlarmForm->AcknowledgementTimer->stop();
        AlarmForm->AcknowledgementTimerTimer();
        EXPECT_EQ(AlarmForm->Label7->text(), QString::fromUtf8(c.status));
        EXPECT_TRUE(takeWritten().isEmpty()) << "no write is repeated by itself";
        EXPECT_TRUE(buttonsEnabled());
    }
    // Saved again, the chain starts over from AL1H and runs to its end.
    AlarmForm->Button1->click();
    EXPECT_EQ(takeWritten(), WriteRequest(118, 300.0f));
    for (int k = 118; k <= 126; ++k)
        receive(Acknowledgement(static_cast<uint8_t>(k)));
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Completed"));
    EXPECT_FALSE(AlarmForm->AcknowledgementTimer->isActive()) << "a finished save is watched no more";
    AlarmForm->AcknowledgementTimerTimer();
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Completed"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AlarmWindow, APortLostInTheMiddleOfASaveSaysWhatWasWritten)
{
    openPort();
    AlarmForm->Button1->click();
    receive(Acknowledgement(118));
    receive(Acknowledgement(119));
    takeWritten();
    // The acknowledgement of AL2H was the last thing fetched before the port went.
    form->Comm1->setPortOpen(false);
    AlarmForm->WriteAcknowledged(120);
    EXPECT_EQ(dialogs.texts(), QStringList { NotConnected });
    EXPECT_EQ(AlarmForm->Label7->text(),
        QStringLiteral(
            "No acknowledgement. Written: AL1H AL1L AL2H. Not written: AL2L AL3H AL3L AL4H AL4L ON/OFF."));
    EXPECT_FALSE(AlarmForm->AcknowledgementTimer->isActive());
    EXPECT_TRUE(buttonsEnabled());
}

TEST_F(AlarmWindow, AnAcknowledgementOf125WithoutASaveWritesTheMaskItHas)
{
    openPort();
    AlarmReadStep = 9;
    asked(126);
    receive(ValueReply({ 0x05, 0, 0, 0 }));
    receive(Acknowledgement(125));
    EXPECT_EQ(takeWritten(), WriteRequest(126, { 0x05, 0, 0, 0 }));
}

TEST_F(AlarmWindow, SavingWithThePortClosedSaysSoAndPutsTheWindowBack)
{
    AlarmForm->Label7->setText(QStringLiteral("Completed"));
    AlarmForm->Button1->click();
    EXPECT_EQ(dialogs.texts(), QStringList { NotConnected });
    EXPECT_TRUE(port().written.isEmpty());
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Completed"));
    EXPECT_TRUE(buttonsEnabled());
}

TEST_F(AlarmWindow, ABoxThatIsNoNumberIsReportedAndNothingIsSent)
{
    openPort();
    AlarmForm->Edits[3]->setText(QStringLiteral("1..2"));
    AlarmForm->Edits[0]->setText(QStringLiteral("280"));
    const AlarmLimitArray before = AlarmForm->AlarmLimits;
    AlarmForm->Button1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("'1..2' is not a valid floating point value"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(port().written.isEmpty());
    EXPECT_EQ(AlarmForm->AlarmLimits, before);
    EXPECT_TRUE(buttonsEnabled());
}

TEST_F(AlarmWindow, ReadFromInstrumentArmsTheChain)
{
    openPort();
    AlarmReadStep = 9;
    LastRegister = 148;
    AlarmForm->Button3->click();
    EXPECT_EQ(AlarmReadStep, 0);
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Request ......"));
    EXPECT_EQ(takeWritten(), ReadRequest(128, 2));
    EXPECT_EQ(LastRegister, 148);

    form->Comm1->setPortOpen(false);
    AlarmForm->Button3->click();
    EXPECT_EQ(dialogs.texts(), QStringList { NotConnected });
}

TEST_F(AlarmWindow, OpeningFromTheMenuAsksForTheModeByteFirst)
{
    openPort();
    AlarmReadStep = 9;
    QTimer::singleShot(0, AlarmForm, [] { AlarmForm->Button2->click(); });
    form->N11Click();
    EXPECT_EQ(AlarmReadStep, 0);
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("正在请求仪器数据......"));
    EXPECT_EQ(takeWritten(), ReadRequest(128, 2));
    EXPECT_EQ(LastRegister, 128);
    EXPECT_EQ(LastCount, 2);
    EXPECT_FALSE(AlarmForm->isVisible());
}

TEST_F(AlarmWindow, BoxesTakeDigitsAndOnePointKindOfKeysOnly)
{
    QLineEdit *edit = AlarmForm->Edits[0];
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-12a.5e+,"));
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("12."));
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
}

TEST_F(AlarmWindow, BoxesTakeTheEditingShortcutsAndPasteOnlyWhatCouldBeTyped)
{
    QLineEdit *edit = AlarmForm->Edits[0];
    edit->setText(QStringLiteral("250"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("250"));
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("250"));
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString());
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("250"));

    edit->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral(" -1a2.5 V\n"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
}

} // namespace
