// The calibration window on a fake port: frames byte for byte, presets, codes, bandwidth.

#include "InstrumentFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString NoLink = QStringLiteral("请求读失败，仪器和电脑还没有连接。");

using CalibrateWindow = InstrumentFixture;

TEST_F(CalibrateWindow, PresetsOpenThePortAndSendTheirValue)
{
    struct Case
    {
        QPushButton *TCalibrateForm::*button;
        const char *edit;
        const char *text;
        const char *frame;
        uint8_t routing; // the routing byte afterwards
    } cases[] = {
        { &TCalibrateForm::SeSkinButton9, "Edit1", "220", "01 10 00 9a 00 02 04 00 00 5c 43 02 4d", 154 },
        { &TCalibrateForm::SeSkinButton16, "Edit2", "0.2", "01 10 00 9e 00 02 04 cd cc 4c 3e 30 cc", 0x77 },
        { &TCalibrateForm::SeSkinButton12, "Edit1", "15", nullptr, 154 },
        { &TCalibrateForm::SeSkinButton13, "Edit2", "8", nullptr, 0x77 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        form->Comm1->setPortOpen(false);
        port().written.clear();
        RequestBuffer.fill(0);
        RequestBuffer[3] = 0x77;
        (CalibrateForm->*c.button)->click();
        EXPECT_TRUE(form->Comm1->portOpen());
        EXPECT_EQ(CalibrateForm->findChild<QLineEdit *>(QString::fromLatin1(c.edit))->text(),
            QString::fromLatin1(c.text));
        const QByteArray written = takeWritten();
        if (c.frame)
            EXPECT_EQ(written, Hex(c.frame));
        else
            EXPECT_EQ(written,
                WriteRequest(QLatin1String(c.edit) == QLatin1String("Edit1") ? 154 : 158,
                    QString::fromLatin1(c.text).toFloat()));
        EXPECT_EQ(RoutingByte(), c.routing);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CalibrateWindow, TypedValuesAndAnEmptyBox)
{
    openPort();
    CalibrateForm->Edit1->clear();
    CalibrateForm->SeSkinButton1->click();
    EXPECT_EQ(takeWritten(), Hex("01 10 00 9a 00 02 04 00 00 00 00 7a bc"));
    CalibrateForm->Edit2->setText(QStringLiteral("2.5"));
    CalibrateForm->SeSkinButton2->click();
    EXPECT_EQ(takeWritten(), WriteRequest(158, 2.5f));
}

TEST_F(CalibrateWindow, NoNumberOrNoPortMeansNothingIsSent)
{
    openPort();
    CalibrateForm->Edit1->setText(QStringLiteral("1..2"));
    CalibrateForm->SeSkinButton1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("'1..2' is not a valid floating point value"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(takeWritten().isEmpty());

    // A port that cannot be opened: the serial component's error, nothing sent.
    form->Comm1->setPortOpen(false);
    port().busy = true;
    CalibrateForm->SeSkinButton2->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].icon, Dialogs::Icon::Error);
    EXPECT_FALSE(dialogs.messages[1].text.isEmpty());
    EXPECT_FALSE(form->Comm1->portOpen());
    EXPECT_TRUE(port().written.isEmpty());
}

TEST_F(CalibrateWindow, OneCodeWritesAndUnlock)
{
    openPort();
    struct Case
    {
        QPushButton *TCalibrateForm::*button;
        const char *caption;
        uint16_t reg;
        uint8_t code;
    } cases[] = {
        { &TCalibrateForm::SeSkinButton5, "校准常温", 166, 0 },
        { &TCalibrateForm::SeSkinButton6, "校准低温", 166, 1 },
        { &TCalibrateForm::SeSkinButton7, "关闭温度补偿", 166, 2 },
        { &TCalibrateForm::SeSkinButton8, "开启温度补偿", 166, 3 },
        { &TCalibrateForm::Button1, "开锁", 185, 0xA7 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ((CalibrateForm->*c.button)->text(), QString::fromUtf8(c.caption));
        (CalibrateForm->*c.button)->click();
        EXPECT_EQ(takeWritten(), WriteRequest(c.reg, { c.code, 0, 0, 0 }));
    }
    EXPECT_EQ(WriteRequest(166, { 2, 0, 0, 0 }).mid(7, 4), Hex("02 00 00 00"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CalibrateWindow, OneCodeWritesDoNotOpenThePort)
{
    CalibrateForm->Button1->click();
    CalibrateForm->SeSkinButton7->click();
    EXPECT_EQ(dialogs.texts(), QStringList({ NoLink, NoLink }));
    EXPECT_FALSE(form->Comm1->portOpen());
    EXPECT_TRUE(port().written.isEmpty());
}

TEST_F(CalibrateWindow, BandwidthButtonsRunTheMainWindowsCommands)
{
    openPort();
    ModeWord = 0x02;
    CalibrateForm->SeSkinButton4->click();
    EXPECT_EQ(ModeWord, 0x03);
    EXPECT_EQ(takeWritten(), WriteRequest(128, { 0x03, 0, 0, 0 }));
    EXPECT_EQ(form->N32->text(), QStringLiteral("Broadband &(Z)←"));
    CalibrateForm->SeSkinButton3->click();
    EXPECT_EQ(ModeWord, 0x02);
    EXPECT_EQ(takeWritten(), WriteRequest(128, { 0x02, 0, 0, 0 }));
    EXPECT_EQ(form->N31->text(), QStringLiteral("Narrowband &(Y)←"));
}

TEST_F(CalibrateWindow, BoxesTakeNoMinus)
{
    CalibrateForm->Edit2->clear();
    QTest::keyClicks(CalibrateForm->Edit2, QStringLiteral("-0.2A"));
    EXPECT_EQ(CalibrateForm->Edit2->text(), QStringLiteral("0.2"));
}

TEST_F(CalibrateWindow, ItsMenuItemIsHidden)
{
    EXPECT_FALSE(form->N25->isVisible());
    EXPECT_FALSE(CalibrateForm->isVisible());
    form->N25Click();
    EXPECT_TRUE(CalibrateForm->isVisible());
    CalibrateForm->hide();
}

} // namespace
