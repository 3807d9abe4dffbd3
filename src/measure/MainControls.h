#pragma once

// The main window's rules in plain form: which acquisition controls each event switches on
// or off, the captions of the bandwidth and THD items for the mode byte, and the tables
// from which the window builds its menus, tool bar, status bar and parameter grid. Their
// captions are source texts of the window's context "TMainForm", translated where shown.

#include "measure/PanelTexts.h"

#include <array>
#include <cstdint>
#include <span>

// The controls whose enabling follows the acquisition state.
enum class AcquisitionControl {
    SingleButton, // SeSkinSpeedButton7
    ContinuousButton, // SeSkinSpeedButton8
    StopButton, // SeSkinSpeedButton9
    SingleItem, // N12
    ContinuousItem, // N13
    StopItem, // N14
    CommunicationItem, // C1
    AlarmItem, // N11
    ModeItems, // N31, N32, IEC2, CSA1
    Count
};
constexpr int AcquisitionControlCount = static_cast<int>(AcquisitionControl::Count);

enum class AcquisitionEvent {
    Connected, // the connection window opened the instrument's port
    Disconnected, // its scan found no port
    Single,
    Continuous,
    SingleMeasured, // the measurement of single sampling arrived
    Stop,
};

enum class Switch : int8_t { Keep, On, Off };
using ControlSwitches = std::array<Switch, AcquisitionControlCount>;

ControlSwitches SwitchesFor(AcquisitionEvent event);

// Mode byte bits.
constexpr uint8_t ModeBroadband = 0x01;
constexpr uint8_t ModeThdCsa = 0x02;

// The arrow marks the chosen setting: {N31, N32} for the bandwidth, {IEC2, CSA1} for THD.
struct CaptionPair
{
    const char *first;
    const char *second;
};
CaptionPair BandwidthCaptions(bool broadband);
CaptionPair ThdCaptions(bool csa);

// The mode byte after one of the four mode commands: `bit` set or cleared, others kept.
constexpr uint8_t WithModeBit(uint8_t mode, uint8_t bit, bool set)
{
    return set ? static_cast<uint8_t>(mode | bit) : static_cast<uint8_t>(mode & ~bit);
}

// What the window's commands do; menu items and tool buttons name theirs.
enum class MainCommand {
    Open,
    Save,
    Print,
    Version,
    Record,
    HarmonicTable,
    Single,
    Continuous,
    Stop,
    StartingTest,
    Exit,
    Communication,
    Style,
    Alarm,
    Calibration,
    Narrowband,
    Broadband,
    Iec,
    Csa,
    Ct,
    Handbook,
    WebSite,
    ExportCsv,
    Compliance,
    SetReference,
    LoadReference,
    ClearReference,
    Compare,
    None
};

// The windows the main window asks for. The program's start opens them (RecordFile: the record
// window opens the record file named on the command line).
enum class MainWindowRequest {
    Print,
    Version,
    Record,
    HarmonicTable,
    StartingTest,
    Communication,
    Style,
    Alarm,
    Calibration,
    Ct,
    RecordFile,
    Compliance,
    Compare
};

// The menu, top to bottom: a Menu or Submenu opens a level, End closes a submenu.
struct MenuEntry
{
    enum Kind { Menu, Submenu, End, Item, Separator } kind;
    const char *name = "";
    const char *caption = "";
    MainCommand command = MainCommand::None;
    bool enabled = true;
    bool visible = true;
};
std::span<const MenuEntry> MainMenuEntries();

// The usual desktop shortcut of a command ("Ctrl+O" for Open, "F1" for the handbook), or
// empty when it has none. The menus' own Alt mnemonics are left as they are.
const char *CommandShortcut(MainCommand command);

// Tool bar buttons, left to right.
struct ToolButtonEntry
{
    int number; // SeSkinSpeedButton<number>
    const char *hint;
    MainCommand command;
    bool dividerAfter;
    bool enabled;
    const char *glyph; // picture Pictures/Tool/<glyph>.png, drawn for this command
};
std::span<const ToolButtonEntry> ToolButtonEntries();

// Status bar panels, left to right.
struct StatusPanelEntry
{
    const char *text;
    int width;
    bool rightAligned;
    bool stretches;
};
std::span<const StatusPanelEntry> StatusPanelEntries();

// The parameter grid, column by column: each label's caption and the value panel beside it.
struct GridCell
{
    const char *caption;
    PanelIndex panel;
};
constexpr int GridColumns = 3;
constexpr int GridRows = 5;
const GridCell &GridCellAt(int column, int row);
const char *PanelName(PanelIndex panel);
