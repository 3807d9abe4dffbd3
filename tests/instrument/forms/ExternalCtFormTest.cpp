// The external CT window on a fake port: validation in its order, and the write of 129.

#include "InstrumentFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using ExternalCtWindow = InstrumentFixture;

TEST_F(ExternalCtWindow, WritesTheDelayOrSaysWhyNot)
{
    openPort();
    const char *const high = "  Frequency is higher than 60HZ, the data is invalid!    ";
    const char *const low = "  Frequency is less than 50HZ, data is invalid!   ";
    const char *const greater
        = "  Angle difference can not be greater than 30 degrees, the data is invalid!    ";
    struct Case
    {
        const char *angle;
        const char *frequency;
        const char *message; // nullptr: written
        float delay;
    } cases[] = {
        { "0", "50", nullptr, 0.0f },
        { "1.8", "50", nullptr, 0.0001f },
        { "-30", "50", nullptr, static_cast<float>(-1.0L / 600.0L) },
        { "0", "60.5", nullptr, 0.0f },
        { "0", "61.5", high, 0 },
        { "0", "49.5", nullptr, 0.0f },
        { "0", "48.9", low, 0 },
        { "20", "", low, 0 },
        { "30", "50", nullptr, static_cast<float>(1.0L / 600.0L) },
        { "30.1", "50", greater, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.angle) + " deg at " + c.frequency + " Hz");
        dialogs.messages.clear();
        External_CT_form->Edit1->setText(QString::fromLatin1(c.angle));
        External_CT_form->Edit2->setText(QString::fromLatin1(c.frequency));
        External_CT_form->Button1->click();
        if (c.message) {
            EXPECT_EQ(dialogs.texts(), QStringList { QString::fromLatin1(c.message) });
            EXPECT_EQ(dialogs.messages.front().icon, Dialogs::Icon::None);
            EXPECT_TRUE(takeWritten().isEmpty());
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_EQ(takeWritten(), WriteRequest(129, c.delay));
        }
    }
    EXPECT_EQ(WriteRequest(129, 0.0f).mid(7, 4), Hex("00 00 00 00"));
}

TEST_F(ExternalCtWindow, NoNumberIsAnErrorBoxAndAClosedPortIsReported)
{
    openPort();
    External_CT_form->Edit1->setText(QStringLiteral("--5"));
    External_CT_form->Button1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("'--5' is not a valid floating point value"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(takeWritten().isEmpty());

    form->Comm1->setPortOpen(false);
    External_CT_form->Edit1->setText(QStringLiteral("5"));
    External_CT_form->Button1->click();
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Failed,The machine is not connected"));
    EXPECT_TRUE(port().written.isEmpty());
}

TEST_F(ExternalCtWindow, BoxesTakeTheMinusSignAndKeepTheirText)
{
    External_CT_form->Edit1->clear();
    QTest::keyClicks(External_CT_form->Edit1, QStringLiteral("-1x2.5°"));
    EXPECT_EQ(External_CT_form->Edit1->text(), QStringLiteral("-12.5"));
    form->N30Click();
    External_CT_form->hide();
    form->N30Click();
    EXPECT_EQ(External_CT_form->Edit1->text(), QStringLiteral("-12.5"));
    EXPECT_EQ(External_CT_form->Edit2->text(), QStringLiteral("50"));
    External_CT_form->hide();
}

} // namespace
