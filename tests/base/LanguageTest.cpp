#include "base/Language.h"
#include "base/IniFile.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LocaleCase
{
    const char *locale;
    Language expected;
};

TEST(Language, LocaleNameChoosesTheLanguage)
{
    const LocaleCase cases[] = {
        { "zh_CN", Language::Chinese },
        { "zh_TW", Language::Chinese },
        { "zh", Language::Chinese },
        { "zh_Hans_CN", Language::Chinese },
        { "en_US", Language::English },
        { "en_GB", Language::English },
        { "en", Language::English },
        { "EN_us", Language::English },
        { "C", Language::Original },
        { "POSIX", Language::Original },
        { "C.UTF-8", Language::Original },
        { "de_DE", Language::Original },
        { "ja_JP", Language::Original },
        { "", Language::Original },
    };
    for (const LocaleCase &c : cases)
        EXPECT_EQ(LanguageFromLocaleName(QString::fromLatin1(c.locale)), c.expected) << c.locale;
}

TEST(Language, KeysNameEachLanguageAndBack)
{
    for (const Language language : { Language::Original, Language::English, Language::Chinese }) {
        EXPECT_EQ(LanguageFromKey(LanguageKey(language)), language);
        EXPECT_EQ(LanguageFromKey(LanguageKey(language).toUpper()), language);
    }
    EXPECT_EQ(LanguageKey(Language::Chinese), QStringLiteral("chinese"));
    EXPECT_FALSE(LanguageFromKey(QStringLiteral("klingon")));
    EXPECT_FALSE(LanguageFromKey(QString()));
    EXPECT_FALSE(LanguageFromKey(QStringLiteral("2")));
}

class StoredLanguageTest : public ::testing::Test
{
protected:
    void writeSettings(const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(SettingsFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    TempProgramDir m_dir;
};

struct StoredCase
{
    const char *file; // SysSet.ini's text
    const char *locale;
    Language expected;
};

TEST_F(StoredLanguageTest, StoredChoiceWinsAndAnythingElseFallsBackToTheLocale)
{
    const StoredCase cases[] = {
        { "[Language]\nChoice=english\n", "zh_CN", Language::English },
        { "[Language]\nChoice=Chinese\n", "en_US", Language::Chinese },
        { "[Language]\nChoice=original\n", "en_US", Language::Original },
        { "[language]\nchoice= chinese \n", "C", Language::Chinese },
        { "[Language]\nChoice=klingon\n", "zh_CN", Language::Chinese },
        { "[Language]\nChoice=klingon\n", "C", Language::Original },
        { "[Language]\nChoice=\n", "en_US", Language::English },
        { "[Language]\nChoice=2\n", "zh_TW", Language::Chinese },
        { "[Language]\n", "en_GB", Language::English },
        { "[CommPort]\nPort=7\n", "POSIX", Language::Original },
        { "", "zh_CN", Language::Chinese },
    };
    for (const StoredCase &c : cases) {
        writeSettings(c.file);
        EXPECT_EQ(StoredLanguage(QString::fromLatin1(c.locale)), c.expected) << c.file << " / " << c.locale;
    }
}

TEST_F(StoredLanguageTest, ChoiceSurvivesARestartAndKeepsTheOtherSettings)
{
    writeSettings("[CommPort]\nPort=7\n");
    for (const Language language : { Language::Chinese, Language::English, Language::Original }) {
        StoreLanguage(language);
        // A new start reads the file afresh, under a locale that would choose otherwise.
        const IniFile ini(SettingsFileName);
        EXPECT_EQ(
            ini.readString(QStringLiteral("Language"), QStringLiteral("Choice")), LanguageKey(language));
        for (const char *locale : { "zh_CN", "en_US", "C" })
            EXPECT_EQ(StoredLanguage(QString::fromLatin1(locale)), language) << locale;
        EXPECT_EQ(ini.readString(QStringLiteral("CommPort"), QStringLiteral("Port")), QStringLiteral("7"));
    }
}

class ApplyLanguageTest : public ::testing::Test
{
protected:
    void TearDown() override { ApplyLanguage(Language::Original); }
};

TEST_F(ApplyLanguageTest, InstallsOneTranslatorPerFolderAndTakesThemAwayForOriginal)
{
    const QDir built(QStringLiteral(":/translations"));
    const qsizetype files = built.entryList({ QStringLiteral("*_en.qm") }).size();
    EXPECT_EQ(built.entryList({ QStringLiteral("*_zh_CN.qm") }).size(), files);
    // A folder without texts has an empty file, which installs nothing.
    const int areas = ApplyLanguage(Language::English);
    ASSERT_GT(areas, 0) << "no translations built into the program";
    EXPECT_LE(areas, files);

    EXPECT_EQ(ApplyLanguage(Language::Chinese), areas);
    EXPECT_EQ(AppliedLanguage(), Language::Chinese);
    EXPECT_EQ(LanguageCaption(Language::Original), QStringLiteral("原文"));
    EXPECT_EQ(LanguageCaption(Language::English), QStringLiteral("English"));

    // Switching replaces the translators instead of stacking them.
    EXPECT_EQ(ApplyLanguage(Language::English), areas);
    EXPECT_EQ(LanguageCaption(Language::Original), QStringLiteral("Original"));
    EXPECT_EQ(LanguageCaption(Language::Chinese), QStringLiteral("中文"));

    EXPECT_EQ(ApplyLanguage(Language::Chinese), areas);
    EXPECT_EQ(ApplyLanguage(Language::Original), 0);
    EXPECT_EQ(AppliedLanguage(), Language::Original);
    EXPECT_EQ(LanguageCaption(Language::Original), QStringLiteral("Original"));
}

TEST_F(ApplyLanguageTest, QtsOwnTextsAreChineseOnlyInChinese)
{
    const QString qtTexts
        = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
    if (!QFile::exists(qtTexts))
        GTEST_SKIP() << "Qt's translations are not installed: " << qtTexts.toStdString();
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    ApplyLanguage(Language::Chinese);
    EXPECT_EQ(cancel(), QStringLiteral("取消"));
    for (const Language other : { Language::English, Language::Original }) {
        ApplyLanguage(other);
        EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    }
}

TEST_F(ApplyLanguageTest, AFolderWithoutTranslationsLeavesTheOriginalTexts)
{
    ASSERT_GT(ApplyLanguage(Language::Chinese), 0);
    const QTemporaryDir empty;
    EXPECT_EQ(ApplyLanguage(Language::Chinese, empty.path()), 0);
    EXPECT_EQ(LanguageCaption(Language::Original), QStringLiteral("Original"));
}

} // namespace
