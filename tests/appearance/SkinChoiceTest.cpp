#include "appearance/SkinChoice.h"
#include "appearance/SkinEngine.h"
#include "base/Errors.h"
#include "base/IniFile.h"
#include "link/Globals.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using namespace appearance;

namespace {

// A program directory with the six skin files, each naming itself, and an engine that
// records every sheet it shows.
class SkinChoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        QDir(dir.path()).mkpath(QStringLiteral("SkinsFile"));
        for (int n = 1; n <= SkinCount; ++n)
            dir.writeFile(SkinFileName(n), sheetOf(n).toUtf8());
    }
    void TearDown() override { ResetGlobals(); }

    static QString sheetOf(int n) { return QStringLiteral("/* skin %1 */ QWidget { }").arg(n); }

    QString stored(const char *section, const char *key) const
    {
        return IniFile(QStringLiteral("SysSet.ini"))
            .readString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("(missing)"));
    }

    bool settingsExist() const { return QFile::exists(dir.filePath(QStringLiteral("SysSet.ini"))); }

    TempProgramDir dir;
    QStringList shown;
    SkinEngine engine { [this](const QString &sheet) { shown << sheet; } };
};

TEST(SkinTables, FileNamesAndColoursOfEveryItem)
{
    EXPECT_EQ(SkinFileName(1), QStringLiteral("SkinsFile/01.ats"));
    EXPECT_EQ(SkinFileName(6), QStringLiteral("SkinsFile/06.ats"));
    for (int outside : { -1, 0, 7, 10 })
        EXPECT_TRUE(SkinFileName(outside).isEmpty()) << outside;

    struct Case
    {
        int index;
        QColor background;
        QColor scale;
    } cases[] = {
        { 0, QColor(0, 0, 0), QColor(0, 128, 128) },
        { 1, QColor(255, 255, 255), QColor(239, 239, 0) },
        { 2, QColor(238, 238, 238), QColor(170, 170, 170) },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(BackgroundColorOf(c.index), c.background) << c.index;
        EXPECT_EQ(ScaleColorOf(c.index), c.scale) << c.index;
    }
    for (int outside : { -1, 3, 5 }) {
        EXPECT_FALSE(BackgroundColorOf(outside)) << outside;
        EXPECT_FALSE(ScaleColorOf(outside)) << outside;
    }
}

TEST_F(SkinChoiceTest, WithoutSettingsFileStartsWithSkinTwo)
{
    EXPECT_EQ(StoredSkin(), 2);
    EXPECT_EQ(StoredBackground(), 2);
    EXPECT_EQ(StoredScale(), 2);

    LoadStoredSkin(engine);
    EXPECT_TRUE(engine.active());
    EXPECT_EQ(shown, QStringList { sheetOf(2) });
    EXPECT_FALSE(settingsExist()) << "the start-up load only reads";
}

TEST_F(SkinChoiceTest, StartUpLoadFollowsTheStoredValue)
{
    struct Case
    {
        const char *stored;
        bool active;
        QStringList shown;
    } cases[] = {
        { "0", false, { QString() } },
        { "1", true, { sheetOf(1) } },
        { "6", true, { sheetOf(6) } },
        { "7", false, {} },
        { "-1", false, {} },
        { "two", false, {} },
        { "", false, {} },
    };
    for (const Case &c : cases) {
        dir.writeFile(QStringLiteral("SysSet.ini"), QByteArray("[SkinSet]\nSkin=") + c.stored + "\n");
        SkinEngine fresh([&](const QString &sheet) { shown << sheet; });
        shown.clear();
        LoadStoredSkin(fresh);
        EXPECT_EQ(fresh.active(), c.active) << c.stored;
        EXPECT_EQ(shown, c.shown) << c.stored;
    }
}

TEST_F(SkinChoiceTest, MissingOrUnreadableSkinFileKeepsTheCurrentLook)
{
    ChooseSkin(engine, 3);
    shown.clear();

    for (int skin : { 4, 5 })
        ASSERT_TRUE(QFile::remove(dir.filePath(SkinFileName(skin))));
    ASSERT_TRUE(QDir(dir.path()).mkpath(SkinFileName(5))); // a folder where the file should be

    for (int skin : { 4, 5 }) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(ApplySkin(engine, skin));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(SkinFileName(skin).toStdString()), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(engine.active());
    EXPECT_EQ(engine.styleSheet(), sheetOf(3));

    // From the plain style, a skin that cannot be read leaves the plain style.
    ChooseSkin(engine, 0);
    testing::internal::CaptureStderr();
    ChooseSkin(engine, 4);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(engine.active());
    EXPECT_EQ(shown.last(), QString());
}

TEST_F(SkinChoiceTest, ChoosingSkinsAppliesAndStores)
{
    ChooseSkin(engine, 0);
    EXPECT_FALSE(engine.active());
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("0"));

    ChooseSkin(engine, 5); // switches skinning back on
    EXPECT_TRUE(engine.active());
    EXPECT_EQ(stored("skinset", "SKIN"), QStringLiteral("5"));
    EXPECT_EQ(shown, (QStringList { QString(), sheetOf(5) }));

    ChooseSkin(engine, 2);
    EXPECT_EQ(shown.last(), sheetOf(2));
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("2"));

    shown.clear();
    for (int outside : { -1, 7 })
        ChooseSkin(engine, outside);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("2"));
}

TEST_F(SkinChoiceTest, ColourChoicesSetTheirStoreAndStoreTheirIndex)
{
    dir.writeFile(QStringLiteral("SysSet.ini"), "[WaveSet]\nWaveBackground=5\nScaleColor=x\n");
    EXPECT_EQ(StoredBackground(), 5);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(StoredScale());
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());

    QColor background(0, 0, 0);
    QColor scale(0, 0, 0);
    EXPECT_FALSE(ChooseBackground(5, background));
    EXPECT_FALSE(ChooseScale(-1, scale));
    EXPECT_EQ(background, QColor(0, 0, 0));
    EXPECT_EQ(scale, QColor(0, 0, 0));
    EXPECT_EQ(stored("WaveSet", "WaveBackground"), QStringLiteral("5"));

    EXPECT_TRUE(ChooseBackground(1, background));
    EXPECT_TRUE(ChooseScale(0, scale));
    EXPECT_EQ(background, QColor(255, 255, 255));
    EXPECT_EQ(scale, QColor(0, 128, 128));
    EXPECT_EQ(stored("WaveSet", "WaveBackground"), QStringLiteral("1"));
    EXPECT_EQ(stored("WaveSet", "ScaleColor"), QStringLiteral("0"));
}

TEST_F(SkinChoiceTest, UnwritableSettingsRaiseAfterTheChoiceIsApplied)
{
    QDir(dir.path()).mkpath(QStringLiteral("SysSet.ini")); // cannot be written as a file
    QColor background(0, 0, 0);
    EXPECT_THROW(ChooseBackground(1, background), KmrError);
    EXPECT_EQ(background, QColor(255, 255, 255));
    EXPECT_THROW(ChooseSkin(engine, 6), KmrError);
    EXPECT_EQ(shown, QStringList { sheetOf(6) });
}

TEST(SkinEngine, ShowsTheLoadedSheetOnlyWhileActive)
{
    TempProgramDir dir;
    dir.writeFile(QStringLiteral("a.ats"), "QWidget { color: red; }");
    dir.writeFile(QStringLiteral("b.ats"), "QWidget { color: blue; }");
    QStringList shown;
    SkinEngine engine([&](const QString &sheet) { shown << sheet; });

    engine.setActive(true); // nothing loaded: the plain style
    EXPECT_EQ(shown, QStringList { QString() });
    engine.setActive(false);
    ASSERT_TRUE(engine.loadFromFile(dir.filePath(QStringLiteral("a.ats"))));
    EXPECT_EQ(shown.size(), 2) << "loading while off shows nothing";
    engine.setActive(true);
    EXPECT_EQ(shown.last(), QStringLiteral("QWidget { color: red; }"));
    ASSERT_TRUE(engine.loadFromFile(dir.filePath(QStringLiteral("b.ats"))));
    EXPECT_EQ(shown.last(), QStringLiteral("QWidget { color: blue; }"));
    EXPECT_EQ(engine.loadCount(), 2);
    EXPECT_EQ(engine.fileName(), dir.filePath(QStringLiteral("b.ats")));
}

} // namespace
