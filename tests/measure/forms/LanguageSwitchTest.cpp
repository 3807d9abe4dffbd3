// The language changes at run time in every open window at once: a sample of texts read back
// through the widgets of the main, connection, skins, harmonic table, version and compare
// windows, the compliance window, in Original, English and 中文, switched by Option > Language.

#include "link/forms/MainFixture.h"

#include "appearance/forms/skins.h"
#include "base/IniFile.h"
#include "base/Language.h"
#include "measure/MeasurementFile.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/version.h"
#include "widgets/RadioGroup.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolButton>

#include <functional>

namespace {

bool HasChinese(const QString &text)
{
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

class LanguageSwitch : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        skin = new Tskin(form.get());
        harmonic = new THarmonicForm(form.get());
        version = new TVForm(form.get());
        CompareForm = new TCompareForm(form.get());
        ComplianceForm = new TComplianceForm(form.get());
    }

    void TearDown() override
    {
        ApplyLanguage(Language::Original);
        skin = nullptr;
        MainFormFixture::TearDown();
    }

    // What the windows show once the language's change has reached them.
    void switchTo(Language language)
    {
        ApplyLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

    void choose(const char *item)
    {
        auto *action = form->findChild<QAction *>(QLatin1String(item));
        ASSERT_TRUE(action) << item;
        action->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

    struct Sample
    {
        const char *what;
        std::function<QString()> read;
        QString original;
        QString english;
        QString chinese;
    };

    std::vector<Sample> samples()
    {
        TMainForm &m = *form;
        return {
            { "File menu", [&m] { return m.File1->title(); }, "File(&F)", "&File", "文件(&F)" },
            { "Option menu", [&m] { return m.Option1->title(); }, "Option (&O)", "&Options", "选项(&O)" },
            { "Communication item", [&m] { return m.C1->text(); }, "Communication", "Communication", "通讯" },
            { "THD item", [&m] { return m.IEC2->text(); }, "%f： IEC方式 &(Y)←", "%f: IEC method &(Y)←",
                "%f： IEC方式 &(Y)←" },
            { "hidden calibration item", [&m] { return m.N25->text(); }, "校准 ", "Calibration ", "校准 " },
            { "Original item", [&m] { return m.findChild<QAction *>("LanguageOriginal1")->text(); },
                "Original", "Original", "原文" },
            { "single sampling hint", [&m] { return m.SeSkinSpeedButton7->toolTip(); }, "Single Sampling",
                "Single Sampling", "单次采样" },
            { "status caption", [&m] { return m.statusText(TMainForm::PanelCommunication); },
                "Communication ......", "Communication ......", "通讯……" },
            { "grid caption", [&m] { return m.Labels[0]->text(); }, "Vol", "Vol", "电压" },
            { "wave box", [&m] { return m.GroupBox1->title(); }, " WAVE ", " WAVE ", " 波形 " },
            { "main title", [&m] { return m.windowTitle(); }, "NORVO Precision Measurement Technology",
                "NORVO Precision Measurement Technology", "NORVO 精密测量技术" },
            { "connection title", [] { return CommForm->windowTitle(); }, "Communication ", "Communication ",
                "通讯 " },
            { "scan button", [] { return CommForm->Button1->text(); }, "Scan Instrument", "Scan Instrument",
                "搜索仪器" },
            { "address caption", [] { return CommForm->Label1->text(); }, "Address（1-255）：  ",
                "Address (1-255):  ", "地址（1-255）：  " },
            { "speed group", [] { return CommForm->GroupBox1->title(); }, "Baudrate ", "Baudrate ",
                "波特率 " },
            { "skins title", [] { return skin->windowTitle(); }, "更换皮肤", "Change Skin", "更换皮肤" },
            { "background group", [] { return skin->RadioGroup2->title(); }, "Background Color",
                "Background Color", "背景颜色" },
            { "scale item", [] { return skin->RadioGroup3->item(0)->accessibleName(); }, "Blue & Green",
                "Blue & Green", "蓝和绿" },
            { "harmonic title", [this] { return harmonic->windowTitle(); }, "THD TABLE", "Harmonic Table",
                "谐波表" },
            { "harmonic header", [this] { return harmonic->Cells(1, 0).trimmed(); }, "Vol (rms)", "Vol (rms)",
                "电压 (有效值)" },
            { "version date", [this] { return version->Label4->text(); }, "Date : 2009-9-8", "Date: 2009-9-8",
                "日期：2009-9-8" },
            { "compare title", [] { return CompareForm->windowTitle(); }, "Compare", "Compare", "比较" },
            { "compliance start", [] { return ComplianceForm->Button1->text(); }, "S&tart", "S&tart",
                "开始(&T)" },
            { "compliance verdict", [] { return ComplianceForm->Label3->text(); }, "NO VERDICT (class A)",
                "NO VERDICT (class A)", "无结论（A 类）" },
            { "compliance column", [] { return ComplianceForm->Grid1->horizontalHeaderItem(6)->text(); },
                "Verdict", "Verdict", "结论" },
        };
    }

    // Every sample shows the language's text; English shows no Chinese and 中文 some.
    void expectShown(Language language)
    {
        int chinese = 0;
        for (const Sample &s : samples()) {
            const QString shown = s.read();
            const QString &expected = language == Language::Original ? s.original
                : language == Language::English                      ? s.english
                                                                     : s.chinese;
            EXPECT_EQ(shown, expected) << s.what << " in " << LanguageKey(language).toStdString();
            if (language == Language::English) {
                EXPECT_FALSE(HasChinese(shown)) << s.what << ": " << shown.toStdString();
            }
            chinese += HasChinese(shown);
        }
        if (language == Language::Chinese) {
            EXPECT_GT(chinese, static_cast<int>(samples().size()) / 2);
        }
    }

    THarmonicForm *harmonic = nullptr;
    TVForm *version = nullptr;
};

TEST_F(LanguageSwitch, EveryOpenWindowFollowsEachSwitchAndOriginalComesBackExactly)
{
    expectShown(Language::Original);
    for (const Language language : { Language::English, Language::Chinese, Language::Original,
             Language::Chinese, Language::English, Language::Original }) {
        switchTo(language);
        expectShown(language);
    }
}

TEST_F(LanguageSwitch, TheLanguageMenuAppliesAndStoresTheChoiceAndChecksIt)
{
    const struct
    {
        const char *item;
        Language language;
    } choices[] = {
        { "LanguageEnglish1", Language::English },
        { "LanguageChinese1", Language::Chinese },
        { "LanguageOriginal1", Language::Original },
    };
    for (const auto &c : choices) {
        choose(c.item);
        EXPECT_EQ(AppliedLanguage(), c.language) << c.item;
        EXPECT_EQ(IniFile(SettingsFileName).readString(QStringLiteral("Language"), QStringLiteral("Choice")),
            LanguageKey(c.language));
        EXPECT_EQ(StoredLanguage(QStringLiteral("en_US")), c.language);
        for (const auto &other : choices) {
            EXPECT_EQ(
                form->findChild<QAction *>(QLatin1String(other.item))->isChecked(), other.item == c.item)
                << other.item << " after " << c.item;
        }
        expectShown(c.language);
    }
}

TEST_F(LanguageSwitch, TextsShownSinceFollowTooAndTextsPutInTheirPlaceAreLeftAlone)
{
    // A mode caption set after the start follows the language; a status text another call
    // wrote over the caption stays as written.
    form->N32Click();
    form->setStatusText(TMainForm::PanelStatus, QStringLiteral("written by hand"));
    switchTo(Language::Chinese);
    EXPECT_EQ(form->N32->text(), QStringLiteral("宽频 &(Z)←"));
    EXPECT_EQ(form->N31->text(), QStringLiteral("窄频 &(Y)"));
    EXPECT_EQ(form->statusText(TMainForm::PanelStatus), QStringLiteral("written by hand"));
    EXPECT_EQ(form->statusText(TMainForm::PanelDate), QStringLiteral("日期 "));
    switchTo(Language::Original);
    EXPECT_EQ(form->N32->text(), QStringLiteral("Broadband &(Z)←"));
    EXPECT_EQ(form->statusText(TMainForm::PanelStatus), QStringLiteral("written by hand"));
}

TEST_F(LanguageSwitch, StatusTextsOfTheAcquisitionFollowTheLanguageWhileShown)
{
    // The silence timer's status and the date of a measurement, shown before the switch.
    form->ReReadTimerTimer();
    form->setStatusSource(
        TMainForm::PanelDate, "Date：%1 %2", { QStringLiteral("2026-3-14"), QStringLiteral("9:26:53") });
    switchTo(Language::English);
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Connection Failure!"));
    EXPECT_EQ(form->statusText(TMainForm::PanelDate), QStringLiteral("Date: 2026-3-14 9:26:53"));
    switchTo(Language::Chinese);
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("连接失败！"));
    EXPECT_EQ(form->statusText(TMainForm::PanelDate), QStringLiteral("日期：2026-3-14 9:26:53"));
    switchTo(Language::Original);
    EXPECT_EQ(form->statusText(TMainForm::PanelDate), QStringLiteral("Date：2026-3-14 9:26:53"));
}

TEST_F(LanguageSwitch, FileDialogsNameTheFilesInTheLanguageButKeepTheirPatterns)
{
    for (const Language language : { Language::English, Language::Chinese, Language::Original }) {
        switchTo(language);
        form->LoadReference1Click(); // the fake dialog answers with no file
    }
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("Norvo measurement file|*.vqm|All files|*.*"));
    EXPECT_EQ(dialogs.fileDialogs[1].first, QStringLiteral("Norvo 测量文件|*.vqm|所有文件|*.*"));
    EXPECT_EQ(dialogs.fileDialogs[2].first, MeasurementOpenFilter);
}

TEST_F(LanguageSwitch, MessagesAreShownInTheLanguageAppliedWhenTheyAppear)
{
    switchTo(Language::English);
    form->SeSkinSpeedButton7Click(); // no port: the message says so
    switchTo(Language::Chinese);
    form->SeSkinSpeedButton7Click();
    switchTo(Language::Original);
    form->SeSkinSpeedButton7Click();
    EXPECT_EQ(dialogs.texts(),
        QStringList({ "Failed: the instrument is not connected!", "失败：仪器未连接！",
            "Failed,The machine is not connected! " }));
}

} // namespace
