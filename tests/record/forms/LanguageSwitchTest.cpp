// A change of language rewrites the open windows at once: the record window, its settings,
// the alarm, starting-test and external CT windows, and the print windows. Read back through
// the widgets, English shows no Chinese, 中文 shows Chinese, and Original shows the texts the
// windows have always had.

#include "RecordFixture.h"

#include "base/Language.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "record/forms/RecSet.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include <functional>

namespace {

bool hasCjk(const QString &text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return cjk.match(text).hasMatch();
}

bool hasHan(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
    return han.match(text).hasMatch();
}

class LanguageSwitch : public RecordFormFixture
{
protected:
    void SetUp() override
    {
        RecordFormFixture::SetUp();
        create();
        settings = std::make_unique<TRecSetForm>();
        alarm = std::make_unique<TAlarmForm>();
        starting = std::make_unique<TStartingForm>();
        ct = std::make_unique<TExternal_CT_form>();
        printer = std::make_unique<TPrinterForm>();
        info = std::make_unique<TEnterInfoForm>();
        // Texts the windows write as they work, not only at creation.
        newFile(QStringLiteral("switch.vqr"));
        alarm->Button3Click();
    }

    void TearDown() override
    {
        ApplyLanguage(Language::Original);
        info.reset();
        printer.reset();
        ct.reset();
        starting.reset();
        alarm.reset();
        settings.reset();
        RecordFormFixture::TearDown();
    }

    static void switchTo(Language language)
    {
        ApplyLanguage(language);
        // The change reaches the windows as posted events.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::processEvents();
    }

    // The starting test's question, as the starting window asks it now.
    QString startingQuestion()
    {
        SamplingMode = 0;
        starting->SeSkinSpeedButton1Click();
        return dialogs.questions.empty() ? QString() : dialogs.questions.back().text;
    }

    struct Sample
    {
        const char *what;
        QString original; // the text as the windows have always shown it
        std::function<QString()> read;
    };

    std::vector<Sample> samples()
    {
        return {
            { "record settings title", QStringLiteral("记录设置"),
                [this] { return settings->windowTitle(); } },
            { "record settings button", QStringLiteral("Enter"),
                [this] { return settings->Button1->text(); } },
            { "external CT title", QStringLiteral("外部互感器选项"), [this] { return ct->windowTitle(); } },
            { "external CT label", QStringLiteral("Hz（50 To 60）"), [this] { return ct->Label4->text(); } },
            { "starting-test title", QStringLiteral("启动测试"), [this] { return starting->windowTitle(); } },
            { "starting-test button", QStringLiteral("Starting"),
                [this] { return starting->SeSkinSpeedButton1->text(); } },
            { "starting-test question", QStringLiteral("  单击确定后按下仪器的Starting开关!  "),
                [this] { return startingQuestion(); } },
            { "alarm button", QStringLiteral("Save To Instrument"),
                [this] { return alarm->Button1->text(); } },
            { "alarm label", QStringLiteral("Vol： "), [this] { return alarm->RowLabels[0]->text(); } },
            { "alarm status", QStringLiteral("Request ......"), [this] { return alarm->Label7->text(); } },
            { "record menu item", QStringLiteral("Open"), [this] { return form->Open1->text(); } },
            { "record tool tip", QStringLiteral("Backward Compression"),
                [this] { return form->SeSkinSpeedButton7->toolTip(); } },
            { "record parameters", QStringLiteral(" 参数 "), [this] { return form->GroupBox2->title(); } },
            { "record date label", QStringLiteral("日期：   "), [this] { return form->Label19->text(); } },
            { "record mode panel", QStringLiteral("模式：记录"), [this] { return form->statusText(5); } },
            { "print button", QStringLiteral("Info"), [this] { return printer->SeSkinButton2->text(); } },
            { "print information title", QStringLiteral("输入打印信息"),
                [this] { return info->windowTitle(); } },
        };
    }

    std::unique_ptr<TRecSetForm> settings;
    std::unique_ptr<TAlarmForm> alarm;
    std::unique_ptr<TStartingForm> starting;
    std::unique_ptr<TExternal_CT_form> ct;
    std::unique_ptr<TPrinterForm> printer;
    std::unique_ptr<TEnterInfoForm> info;
};

} // namespace

TEST_F(LanguageSwitch, EveryOpenWindowFollowsTheLanguageAndComesBackToItsOriginalTexts)
{
    const std::vector<Sample> all = samples();
    for (const Sample &s : all)
        EXPECT_EQ(s.read(), s.original) << s.what << " before any change";

    switchTo(Language::English);
    for (const Sample &s : all) {
        const QString shown = s.read();
        EXPECT_FALSE(shown.trimmed().isEmpty()) << s.what;
        EXPECT_FALSE(hasCjk(shown)) << s.what << " in English: " << qPrintable(shown);
    }
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("Record Settings"));
    EXPECT_EQ(ct->windowTitle(), QStringLiteral("External CT Options"));

    switchTo(Language::Chinese);
    for (const Sample &s : all)
        EXPECT_TRUE(hasHan(s.read())) << s.what << " in Chinese: " << qPrintable(s.read());

    switchTo(Language::Original);
    for (const Sample &s : all)
        EXPECT_EQ(s.read(), s.original) << s.what << " back in Original";
}

TEST_F(LanguageSwitch, TextsWrittenAfterTheChangeAreInTheNewLanguage)
{
    switchTo(Language::English);
    // Alarm: a read request; record: a file opened anew, the settings applied.
    alarm->Button3Click();
    newFile(QStringLiteral("again.vqr"));
    RecordSettings chosen;
    chosen.channelSignal = { 0, 1, 2, 3, 4, 5 };
    form->applyRecordSettings(chosen);
    const QString written[] = { alarm->Label7->text(), form->statusText(5), form->statusText(0),
        form->statusText(1), form->ChannelCaption[0]->text() };
    for (const QString &text : written)
        EXPECT_FALSE(hasCjk(text)) << qPrintable(text);
    EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("Voltage"));

    switchTo(Language::Chinese);
    EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("电压"));
    EXPECT_TRUE(hasHan(form->statusText(1))) << qPrintable(form->statusText(1));
}
