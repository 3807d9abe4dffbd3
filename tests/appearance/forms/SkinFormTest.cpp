#include "appearance/SkinChoice.h"
#include "appearance/SkinEngine.h"
#include "appearance/forms/skins.h"
#include "base/IniFile.h"
#include "link/forms/MainFixture.h"
#include "measure/DrawingColours.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A main window on fake ports, a program directory holding the six skin files (each naming
// itself) and the skin window made as the program makes it.
class SkinFormTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        QDir(programDir.path()).mkpath(QStringLiteral("SkinsFile"));
        for (int n = 1; n <= appearance::SkinCount; ++n)
            programDir.writeFile(appearance::SkinFileName(n), sheetOf(n).toUtf8());
        ProgramSkin().setActive(false);
    }

    void TearDown() override
    {
        window.reset();
        skin = nullptr;
        ProgramSkin().setActive(false);
        MainFormFixture::TearDown();
    }

    static QString sheetOf(int n) { return QStringLiteral("/* skin %1 */").arg(n); }

    // The start-up order: stored skin, main window (already made by the fixture), skin
    // window with its signal connected, then its creation-time selection.
    void startUp()
    {
        LoadSavedSkin();
        window = std::make_unique<Tskin>(form.get());
        skin = window.get();
        QObject::connect(window.get(), &Tskin::DisplayColorsChanged, form.get(), &TMainForm::DrawMeasurement);
        QSignalSpy redraws(window.get(), &Tskin::DisplayColorsChanged);
        window->FormCreate();
        startUpRedraws = redraws.count();
    }

    QString stored(const char *section, const char *key) const
    {
        return IniFile(QStringLiteral("SysSet.ini"))
            .readString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("(missing)"));
    }

    static void click(TRadioGroup *group, int index)
    {
        QTest::mouseClick(group->item(index), Qt::LeftButton);
    }

    std::unique_ptr<Tskin> window;
    int startUpRedraws = -1; // DisplayColorsChanged signals during FormCreate
};

TEST_F(SkinFormTest, LayoutNamesAndItems)
{
    Tskin form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("更换皮肤"));
    EXPECT_EQ(form.size(), QSize(275, 362));
    struct Case
    {
        TRadioGroup *group;
        const char *name;
        const char *caption;
        QStringList items;
        int selected;
    } cases[] = {
        { form.RadioGroup1, "RadioGroup1", "Skins Setting",
            { "WINDOWS", "Skin 1", "Skin 2", "Skin 3", "Skin 4", "Skin 5", "Skin 6" }, 1 },
        { form.RadioGroup2, "RadioGroup2", "Background Color", { "Black", "White", "Gray " }, -1 },
        { form.RadioGroup3, "RadioGroup3", "Color scale", { "Blue & Green", "Yellow", "Light Black" }, -1 },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.group->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(c.group->title(), QString::fromLatin1(c.caption));
        ASSERT_EQ(c.group->count(), c.items.size()) << c.name;
        for (int i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(c.group->item(i)->accessibleName(), c.items[i]) << c.name << " " << i;
            // Shown as written: an "&" is doubled so that it is not taken for a mnemonic.
            EXPECT_EQ(
                c.group->item(i)->text().replace(QStringLiteral("&&"), QStringLiteral("&")), c.items[i]);
            EXPECT_EQ(
                c.group->item(i)->text().count(QLatin1Char('&')), c.items[i].count(QLatin1Char('&')) * 2);
        }
        EXPECT_EQ(c.group->ItemIndex(), c.selected) << c.name;
    }
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Close"));
    EXPECT_EQ(form.Button1->objectName(), QStringLiteral("Button1"));
}

TEST_F(SkinFormTest, WithoutSettingsFileStartsWithSkinTwoAndStoresAllThree)
{
    startUp();
    EXPECT_EQ(qApp->styleSheet(), sheetOf(2));
    EXPECT_EQ(window->RadioGroup1->ItemIndex(), 2);
    EXPECT_EQ(window->RadioGroup2->ItemIndex(), 2);
    EXPECT_EQ(window->RadioGroup3->ItemIndex(), 2);
    EXPECT_EQ(WaveBackgroundColor, QColor(238, 238, 238));
    EXPECT_EQ(WaveScaleColor, QColor(170, 170, 170));
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("2"));
    EXPECT_EQ(stored("WaveSet", "WaveBackground"), QStringLiteral("2"));
    EXPECT_EQ(stored("WaveSet", "ScaleColor"), QStringLiteral("2"));
    // The panes were drawn in the stored colours once, after all three were chosen.
    EXPECT_EQ(form->WaveSurface.pixelColor(0, 0), QColor(238, 238, 238));
    EXPECT_EQ(startUpRedraws, 1);
}

TEST_F(SkinFormTest, StoredSkinOneIsAppliedOnceAtStartUp)
{
    programDir.writeFile(QStringLiteral("SysSet.ini"), "[SkinSet]\nSkin=1\n");
    const int loadsBefore = ProgramSkin().loadCount();
    startUp();
    EXPECT_EQ(ProgramSkin().loadCount() - loadsBefore, 1);
    EXPECT_EQ(qApp->styleSheet(), sheetOf(1));
    EXPECT_EQ(window->RadioGroup1->ItemIndex(), 1);
}

TEST_F(SkinFormTest, WindowsStyleStaysAfterRestart)
{
    startUp();
    click(window->RadioGroup1, 0);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("0"));

    // Restart: a new skin engine state comes from the file alone.
    ProgramSkin().loadFromFile(programDir.filePath(appearance::SkinFileName(4)));
    ProgramSkin().setActive(true);
    window.reset();
    startUp();
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_FALSE(ProgramSkin().active());
    EXPECT_EQ(window->RadioGroup1->ItemIndex(), 0);

    click(window->RadioGroup1, 6);
    EXPECT_EQ(qApp->styleSheet(), sheetOf(6));
    EXPECT_EQ(stored("SkinSet", "Skin"), QStringLiteral("6"));
}

TEST_F(SkinFormTest, OutOfRangeBackgroundStartsBlackAndAChoiceRepairsIt)
{
    programDir.writeFile(QStringLiteral("SysSet.ini"), "[WaveSet]\nWaveBackground=5\nScaleColor=1\n");
    startUp();
    EXPECT_EQ(window->RadioGroup2->ItemIndex(), -1);
    EXPECT_EQ(WaveBackgroundColor, QColor(0, 0, 0));
    EXPECT_EQ(window->RadioGroup3->ItemIndex(), 1);
    EXPECT_EQ(WaveScaleColor, QColor(239, 239, 0));
    EXPECT_EQ(stored("WaveSet", "WaveBackground"), QStringLiteral("5"));

    click(window->RadioGroup2, 0);
    EXPECT_EQ(window->RadioGroup2->ItemIndex(), 0);
    EXPECT_EQ(stored("WaveSet", "WaveBackground"), QStringLiteral("0"));
}

TEST_F(SkinFormTest, WhiteRepaintsTheMainDisplaysAtOnceWithTracesUnchanged)
{
    startUp();
    receive(MeasurementFrame(3.0f));
    const QImage surfaces[] = { form->WaveSurface.copy(form->PaneRect),
        form->UHarmSurface.copy(form->PaneRect), form->IHarmSurface.copy(form->PaneRect) };
    const QRgb grey = qRgb(238, 238, 238);

    QSignalSpy redraws(window.get(), &Tskin::DisplayColorsChanged);
    click(window->RadioGroup2, 1);
    EXPECT_EQ(redraws.count(), 1);

    const QImage after[] = { form->WaveSurface.copy(form->PaneRect), form->UHarmSurface.copy(form->PaneRect),
        form->IHarmSurface.copy(form->PaneRect) };
    for (int pane = 0; pane < 3; ++pane) {
        ASSERT_EQ(after[pane].size(), surfaces[pane].size());
        int background = 0, kept = 0, changed = 0;
        for (int y = 0; y < after[pane].height(); ++y) {
            for (int x = 0; x < after[pane].width(); ++x) {
                const QRgb was = surfaces[pane].pixel(x, y);
                const QRgb now = after[pane].pixel(x, y);
                if (was == grey) {
                    background += now == qRgb(255, 255, 255);
                    changed += now != qRgb(255, 255, 255);
                } else {
                    kept += now == was;
                    changed += now != was;
                }
            }
        }
        EXPECT_GT(background, after[pane].width() * after[pane].height() / 2) << pane;
        EXPECT_GT(kept, 100) << pane << ": traces, grid and labels";
        // Anti-aliased edges of text are the only pixels that may mix in the new background.
        EXPECT_LT(changed, after[pane].width() * after[pane].height() / 100) << pane;
    }
}

TEST_F(SkinFormTest, ChangingSkinsKeepsTheFontsChildrenInheritFromTheirWindow)
{
    for (int n : { 1, 2, 3 })
        programDir.writeFile(appearance::SkinFileName(n),
            QStringLiteral("QDialog { background-color: #%1%1%1; }").arg(0xd0 + n * 8, 2, 16).toUtf8());
    QDialog dialog;
    QFont own(QStringLiteral("Liberation Sans Narrow"));
    own.setPixelSize(13);
    dialog.setFont(own);
    auto *label = new QLabel(QStringLiteral("Frequency"), &dialog);
    dialog.show();

    for (int skin : { 1, 2, 0, 3 }) {
        appearance::ChooseSkin(ProgramSkin(), skin);
        QApplication::processEvents();
        EXPECT_EQ(label->font().family(), own.family()) << "after skin " << skin;
        EXPECT_EQ(label->font().pixelSize(), 13) << "after skin " << skin;
    }
}

TEST_F(SkinFormTest, StartUpGoesOnWhenTheSettingsCannotBeWritten)
{
    ASSERT_TRUE(QDir(programDir.path()).mkpath(QStringLiteral("SysSet.ini"))); // a folder, not a file
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(startUp());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("SysSet.ini"), std::string::npos) << said;
    EXPECT_EQ(qApp->styleSheet(), sheetOf(2));
    EXPECT_EQ(WaveBackgroundColor, QColor(238, 238, 238));
    EXPECT_EQ(WaveScaleColor, QColor(170, 170, 170));
    EXPECT_EQ(form->WaveSurface.pixelColor(0, 0), QColor(238, 238, 238));
}

TEST_F(SkinFormTest, CloseHidesTheWindowAndKeepsItsSelection)
{
    startUp();
    window->show();
    click(window->RadioGroup3, 0);
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(window->RadioGroup3->ItemIndex(), 0);
    EXPECT_EQ(WaveScaleColor, QColor(0, 128, 128));
}

} // namespace
