// The main window's rules as plain tables: enabling of the acquisition controls, the mode
// captions, and the command tables from which menus and tool bar are built.

#include "measure/MainControls.h"

#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

using enum Switch;

TEST(AcquisitionControls, EachEventSwitchesWhatTheWindowShows)
{
    struct Case
    {
        const char *name;
        AcquisitionEvent event;
        ControlSwitches expected;
    } cases[] = {
        //                                single continuous stop  N12  N13  N14   C1    N11   modes
        { "connected", AcquisitionEvent::Connected, { On, On, Keep, On, On, Keep, Keep, Keep, Keep } },
        { "no port", AcquisitionEvent::Disconnected, { Off, Off, Keep, Off, Off, Keep, Keep, Keep, Keep } },
        { "single", AcquisitionEvent::Single, { Off, Off, On, Keep, Keep, Keep, Keep, Keep, Keep } },
        { "continuous", AcquisitionEvent::Continuous, { Off, Off, On, Off, Off, On, Off, Off, Off } },
        { "single measured", AcquisitionEvent::SingleMeasured,
            { On, On, Keep, Keep, On, On, Keep, Keep, Keep } },
        { "stop", AcquisitionEvent::Stop, { On, On, Keep, On, On, On, On, On, On } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ControlSwitches got = SwitchesFor(c.event);
        for (int i = 0; i < AcquisitionControlCount; ++i)
            EXPECT_EQ(static_cast<int>(got[i]), static_cast<int>(c.expected[i])) << "control " << i;
    }
}

TEST(ModeCaptions, TheArrowMarksTheChosenSetting)
{
    EXPECT_STREQ(BandwidthCaptions(false).first, "Narrowband &(Y)←");
    EXPECT_STREQ(BandwidthCaptions(false).second, "Broadband &(Z)");
    EXPECT_STREQ(BandwidthCaptions(true).first, "Narrowband &(Y)");
    EXPECT_STREQ(BandwidthCaptions(true).second, "Broadband &(Z)←");
    EXPECT_STREQ(ThdCaptions(false).first, "%f： IEC &(Y)←");
    EXPECT_STREQ(ThdCaptions(false).second, "%r： CSA &(Z)");
    EXPECT_STREQ(ThdCaptions(true).first, "%f： IEC &(Y)");
    EXPECT_STREQ(ThdCaptions(true).second, "%r： CSA &(Z)←");
}

TEST(ModeCaptions, ModeCommandsChangeOneBitAndKeepTheOthers)
{
    struct Case
    {
        uint8_t before, bit;
        bool set;
        uint8_t after;
    } cases[] = {
        { 0x00, ModeBroadband, true, 0x01 },
        { 0xFF, ModeBroadband, false, 0xFE },
        { 0x40, ModeThdCsa, true, 0x42 },
        { 0xC3, ModeThdCsa, false, 0xC1 },
        { 0x01, ModeBroadband, true, 0x01 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(WithModeBit(c.before, c.bit, c.set), c.after) << int(c.before);
}

TEST(CommandTables, EveryCommandIsReachableAndNamesAreUnique)
{
    std::set<std::string> names;
    std::set<int> commands;
    int depth = 0;
    for (const MenuEntry &entry : MainMenuEntries()) {
        if (entry.kind == MenuEntry::Submenu)
            ++depth;
        if (entry.kind == MenuEntry::End)
            --depth;
        EXPECT_GE(depth, 0);
        EXPECT_LE(depth, 1);
        if (entry.kind == MenuEntry::Item || entry.kind == MenuEntry::Menu
            || entry.kind == MenuEntry::Submenu) {
            EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        }
        if (entry.kind == MenuEntry::Item) {
            EXPECT_NE(entry.command, MainCommand::None) << entry.name;
            commands.insert(static_cast<int>(entry.command));
        }
    }
    EXPECT_EQ(depth, 0);
    // Every command is on the menu; the tool bar repeats ten of them.
    EXPECT_EQ(commands.size(), static_cast<size_t>(MainCommand::None));
    std::set<int> numbers;
    for (const ToolButtonEntry &entry : ToolButtonEntries()) {
        EXPECT_TRUE(numbers.insert(entry.number).second) << entry.number;
        EXPECT_TRUE(commands.count(static_cast<int>(entry.command))) << entry.number;
    }
    EXPECT_EQ(numbers, (std::set<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }));
}

TEST(CommandTables, EachToolButtonShowsThePictureOfItsOwnCommand)
{
    // The sampling buttons sit in another order on the bar than their numbers; a picture
    // chosen by position or number showed the stop square on the starting test.
    const struct
    {
        MainCommand command;
        const char *glyph;
    } cases[] = {
        { MainCommand::Single, "Single" },
        { MainCommand::Continuous, "Continuous" },
        { MainCommand::Stop, "Stop" },
        { MainCommand::StartingTest, "Starting" },
        { MainCommand::HarmonicTable, "Harmonic" },
        { MainCommand::Record, "Record" },
    };
    for (const auto &c : cases) {
        const auto entries = ToolButtonEntries();
        const auto entry = std::find_if(
            entries.begin(), entries.end(), [&](const ToolButtonEntry &e) { return e.command == c.command; });
        ASSERT_NE(entry, entries.end()) << c.glyph;
        EXPECT_STREQ(entry->glyph, c.glyph);
    }
    for (const ToolButtonEntry &entry : ToolButtonEntries())
        for (const char *suffix : { ".png", "@2x.png" })
            EXPECT_TRUE(QFileInfo::exists(
                QStringLiteral(KMR_SOURCE_DIR "/data/Pictures/Tool/%1%2").arg(entry.glyph, suffix)))
                << entry.glyph << suffix;
}

TEST(CommandTables, TheGridShowsEveryValuePanelOnce)
{
    std::set<int> panels;
    for (int column = 0; column < GridColumns; ++column)
        for (int row = 0; row < GridRows; ++row)
            EXPECT_TRUE(panels.insert(GridCellAt(column, row).panel).second) << column << "/" << row;
    EXPECT_EQ(panels.size(), static_cast<size_t>(PanelCount));
    EXPECT_STREQ(PanelName(PANEL_IKF), "PANEL_IKF");
    EXPECT_STREQ(PanelName(Panel_KWH), "Panel_KWH");
}

} // namespace
