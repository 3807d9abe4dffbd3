#include "measure/MainControls.h"

#include <QtGlobal>

namespace {
using enum Switch;

// Rows follow AcquisitionEvent; columns follow AcquisitionControl.
constexpr ControlSwitches Switches[] = {
    //  single continuous stop  N12  N13  N14  C1    N11   modes
    { On, On, Keep, On, On, Keep, Keep, Keep, Keep }, // Connected
    { Off, Off, Keep, Off, Off, Keep, Keep, Keep, Keep }, // Disconnected
    { Off, Off, On, Keep, Keep, Keep, Keep, Keep, Keep }, // Single
    { Off, Off, On, Off, Off, On, Off, Off, Off }, // Continuous
    { On, On, Keep, Keep, On, On, Keep, Keep, Keep }, // SingleMeasured
    { On, On, Keep, On, On, On, On, On, On }, // Stop
};

using enum MainCommand;
constexpr MenuEntry Menu[] = {
    { MenuEntry::Menu, "File1", QT_TRANSLATE_NOOP("TMainForm", "File(&F)") },
    { MenuEntry::Item, "N2", QT_TRANSLATE_NOOP("TMainForm", "Open"), Open },
    { MenuEntry::Item, "N3", QT_TRANSLATE_NOOP("TMainForm", "Save"), Save },
    { MenuEntry::Item, "ExportCsv1", QT_TRANSLATE_NOOP("TMainForm", "Export CSV..."), ExportCsv },
    { MenuEntry::Separator },
    { MenuEntry::Item, "SetReference1", QT_TRANSLATE_NOOP("TMainForm", "Set as reference"), SetReference },
    { MenuEntry::Item, "LoadReference1", QT_TRANSLATE_NOOP("TMainForm", "Load reference..."), LoadReference },
    // Nothing to clear until a reference is set.
    { MenuEntry::Item, "ClearReference1", QT_TRANSLATE_NOOP("TMainForm", "Clear reference"), ClearReference,
        false },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N5", QT_TRANSLATE_NOOP("TMainForm", "Print"), Print },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N7", QT_TRANSLATE_NOOP("TMainForm", "Exit"), Exit },
    { MenuEntry::Menu, "Option1", QT_TRANSLATE_NOOP("TMainForm", "Option (&O)") },
    { MenuEntry::Item, "C1", QT_TRANSLATE_NOOP("TMainForm", "Communication"), Communication },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N9", QT_TRANSLATE_NOOP("TMainForm", "Style"), Style },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N11", QT_TRANSLATE_NOOP("TMainForm", "Alarm"), Alarm },
    { MenuEntry::Separator },
    // A service item, not offered to users.
    { MenuEntry::Item, "N25", QT_TRANSLATE_NOOP("TMainForm", "校准 "), Calibration, true, false },
    { MenuEntry::Separator },
    { MenuEntry::Submenu, "N27", QT_TRANSLATE_NOOP("TMainForm", "Bandwidth") },
    { MenuEntry::Item, "N31", QT_TRANSLATE_NOOP("TMainForm", "Narrowband &(Y)←"), Narrowband },
    { MenuEntry::Item, "N32", QT_TRANSLATE_NOOP("TMainForm", "Wide Band &(Z)"), Broadband },
    { MenuEntry::End },
    { MenuEntry::Separator },
    { MenuEntry::Submenu, "IEC1", QT_TRANSLATE_NOOP("TMainForm", "THD") },
    { MenuEntry::Item, "IEC2", QT_TRANSLATE_NOOP("TMainForm", "%f： IEC方式 &(Y)←"), Iec },
    { MenuEntry::Item, "CSA1", QT_TRANSLATE_NOOP("TMainForm", "%r： CSA方式 &(Z)"), Csa },
    { MenuEntry::End },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N30", QT_TRANSLATE_NOOP("TMainForm", "CT"), Ct },
    { MenuEntry::Separator },
    { MenuEntry::Item, "Compare1", QT_TRANSLATE_NOOP("TMainForm", "Compare"), Compare },
    { MenuEntry::Item, "Compliance1", QT_TRANSLATE_NOOP("TMainForm", "Harmonic compliance"), Compliance },
    { MenuEntry::Menu, "Run1", QT_TRANSLATE_NOOP("TMainForm", "Run (&P)") },
    { MenuEntry::Item, "N12", QT_TRANSLATE_NOOP("TMainForm", "Single Sampling"), Single },
    { MenuEntry::Item, "N13", QT_TRANSLATE_NOOP("TMainForm", "Continuous Sampling"), Continuous },
    { MenuEntry::Item, "N14", QT_TRANSLATE_NOOP("TMainForm", "Stop "), Stop, false },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N15", QT_TRANSLATE_NOOP("TMainForm", "Starting Test"), StartingTest },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N18", QT_TRANSLATE_NOOP("TMainForm", "Harmonic Table"), HarmonicTable },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N20", QT_TRANSLATE_NOOP("TMainForm", "Record"), Record },
    { MenuEntry::Menu, "Help1", QT_TRANSLATE_NOOP("TMainForm", "Help(&H)") },
    { MenuEntry::Item, "N21", QT_TRANSLATE_NOOP("TMainForm", "Edition"), Version },
    { MenuEntry::Item, "Norvo1", QT_TRANSLATE_NOOP("TMainForm", "Norvo Website "), WebSite },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N23", QT_TRANSLATE_NOOP("TMainForm", "Handbook "), Handbook },
};

constexpr ToolButtonEntry ToolButtons[] = {
    { 1, QT_TRANSLATE_NOOP("TMainForm", "Open"), Open, false, true, "Open" },
    { 2, QT_TRANSLATE_NOOP("TMainForm", "Save"), Save, false, true, "Save" },
    { 3, QT_TRANSLATE_NOOP("TMainForm", "Print"), Print, true, true, "Print" },
    { 4, QT_TRANSLATE_NOOP("TMainForm", "Edition"), Version, true, true, "Version" },
    { 5, QT_TRANSLATE_NOOP("TMainForm", "Record"), Record, true, true, "Record" },
    { 6, QT_TRANSLATE_NOOP("TMainForm", "Harmonic Table"), HarmonicTable, true, true, "Harmonic" },
    { 10, QT_TRANSLATE_NOOP("TMainForm", "Starting Test"), StartingTest, true, true, "Starting" },
    { 7, QT_TRANSLATE_NOOP("TMainForm", "Single Sampling"), Single, false, false, "Single" },
    { 8, QT_TRANSLATE_NOOP("TMainForm", "Continuous Sampling"), Continuous, false, false, "Continuous" },
    { 9, QT_TRANSLATE_NOOP("TMainForm", "Stop "), Stop, true, false, "Stop" },
};

constexpr StatusPanelEntry StatusPanels[] = {
    { QT_TRANSLATE_NOOP("TMainForm", "Communication ......"), 180, false, false },
    { QT_TRANSLATE_NOOP("TMainForm", "Status ......"), 100, true, false },
    { QT_TRANSLATE_NOOP("TMainForm", "Progress"), 70, true, false },
    { "", 124, false, false },
    { QT_TRANSLATE_NOOP("TMainForm", "Date "), 50, false, true },
    { "", 76, false, false },
    { QT_TRANSLATE_NOOP("TMainForm", "Electrical Measurement Experts  "), 170, true, false },
};

constexpr GridCell Grid[GridColumns][GridRows] = {
    { { QT_TRANSLATE_NOOP("TMainForm", "Vol"), Panel_URMS },
        { QT_TRANSLATE_NOOP("TMainForm", "Amp "), Panel_IRMS },
        { QT_TRANSLATE_NOOP("TMainForm", "Power"), Panel_WRMS }, { "  PF", Panel_PF },
        { " IKF", PANEL_IKF } },
    { { QT_TRANSLATE_NOOP("TMainForm", "Vpeak"), Panel_UPP },
        { QT_TRANSLATE_NOOP("TMainForm", "Ipeak"), Panel_IPP }, { "      Ps", Panel_PS },
        { "VTHD", Panel_VTHD }, { "   VKF", Panel_VKF } },
    { { QT_TRANSLATE_NOOP("TMainForm", "Frequency"), Panel_UF },
        { QT_TRANSLATE_NOOP("TMainForm", "Phase"), Panel_IPA }, { "     Pq", Panel_PQ },
        { " ITHD", Panel_ITHD }, { " KWH", Panel_KWH } },
};

constexpr const char *PanelNames[PanelCount] = { "Panel_URMS", "Panel_IRMS", "Panel_UPP", "Panel_IPP",
    "Panel_UF", "Panel_IPA", "Panel_WRMS", "Panel_PS", "Panel_PQ", "Panel_PF", "Panel_VTHD", "Panel_ITHD",
    "PANEL_IKF", "Panel_VKF", "Panel_KWH" };
} // namespace

ControlSwitches SwitchesFor(AcquisitionEvent event)
{
    return Switches[static_cast<int>(event)];
}

CaptionPair BandwidthCaptions(bool broadband)
{
    return broadband ? CaptionPair { QT_TRANSLATE_NOOP("TMainForm", "Narrowband &(Y)"),
        QT_TRANSLATE_NOOP("TMainForm", "Broadband &(Z)←") }
                     : CaptionPair { QT_TRANSLATE_NOOP("TMainForm", "Narrowband &(Y)←"),
                           QT_TRANSLATE_NOOP("TMainForm", "Broadband &(Z)") };
}

CaptionPair ThdCaptions(bool csa)
{
    return csa ? CaptionPair { QT_TRANSLATE_NOOP("TMainForm", "%f： IEC &(Y)"),
        QT_TRANSLATE_NOOP("TMainForm", "%r： CSA &(Z)←") }
               : CaptionPair { QT_TRANSLATE_NOOP("TMainForm", "%f： IEC &(Y)←"),
                     QT_TRANSLATE_NOOP("TMainForm", "%r： CSA &(Z)") };
}

const char *CommandShortcut(MainCommand command)
{
    switch (command) {
    case MainCommand::Open:
        return "Ctrl+O";
    case MainCommand::Save:
        return "Ctrl+S";
    case MainCommand::Print:
        return "Ctrl+P";
    case MainCommand::Handbook:
        return "F1";
    case MainCommand::Exit:
        return "Ctrl+Q";
    default:
        return "";
    }
}

std::span<const MenuEntry> MainMenuEntries()
{
    return Menu;
}

std::span<const ToolButtonEntry> ToolButtonEntries()
{
    return ToolButtons;
}

std::span<const StatusPanelEntry> StatusPanelEntries()
{
    return StatusPanels;
}

const GridCell &GridCellAt(int column, int row)
{
    return Grid[column][row];
}

const char *PanelName(PanelIndex panel)
{
    return PanelNames[panel];
}
