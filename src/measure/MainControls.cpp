#include "measure/MainControls.h"

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
    { MenuEntry::Menu, "File1", "File(&F)" },
    { MenuEntry::Item, "N2", "Open", Open },
    { MenuEntry::Item, "N3", "Save", Save },
    { MenuEntry::Item, "ExportCsv1", "Export CSV...", ExportCsv },
    { MenuEntry::Separator },
    { MenuEntry::Item, "SetReference1", "Set as reference", SetReference },
    { MenuEntry::Item, "LoadReference1", "Load reference...", LoadReference },
    // Nothing to clear until a reference is set.
    { MenuEntry::Item, "ClearReference1", "Clear reference", ClearReference, false },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N5", "Print", Print },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N7", "Exit", Exit },
    { MenuEntry::Menu, "Option1", "Option (&O)" },
    { MenuEntry::Item, "C1", "Communication", Communication },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N9", "Style", Style },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N11", "Alarm", Alarm },
    { MenuEntry::Separator },
    // A service item, not offered to users.
    { MenuEntry::Item, "N25", "校准 ", Calibration, true, false },
    { MenuEntry::Separator },
    { MenuEntry::Submenu, "N27", "Bandwidth" },
    { MenuEntry::Item, "N31", "Narrowband &(Y)←", Narrowband },
    { MenuEntry::Item, "N32", "Wide Band &(Z)", Broadband },
    { MenuEntry::End },
    { MenuEntry::Separator },
    { MenuEntry::Submenu, "IEC1", "THD" },
    { MenuEntry::Item, "IEC2", "%f： IEC方式 &(Y)←", Iec },
    { MenuEntry::Item, "CSA1", "%r： CSA方式 &(Z)", Csa },
    { MenuEntry::End },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N30", "CT", Ct },
    { MenuEntry::Separator },
    { MenuEntry::Item, "Compare1", "Compare", Compare },
    { MenuEntry::Item, "Compliance1", "Harmonic compliance", Compliance },
    { MenuEntry::Menu, "Run1", "Run (&P)" },
    { MenuEntry::Item, "N12", "Single Sampling", Single },
    { MenuEntry::Item, "N13", "Continuous Sampling", Continuous },
    { MenuEntry::Item, "N14", "Stop ", Stop, false },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N15", "Starting Test", StartingTest },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N18", "Harmonic Table", HarmonicTable },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N20", "Record", Record },
    { MenuEntry::Menu, "Help1", "Help(&H)" },
    { MenuEntry::Item, "N21", "Edition", Version },
    { MenuEntry::Item, "Norvo1", "Norvo Website ", WebSite },
    { MenuEntry::Separator },
    { MenuEntry::Item, "N23", "Handbook ", Handbook },
};

constexpr ToolButtonEntry ToolButtons[] = {
    { 1, "Open", Open, false, true, "Open" },
    { 2, "Save", Save, false, true, "Save" },
    { 3, "Print", Print, true, true, "Print" },
    { 4, "Edition", Version, true, true, "Version" },
    { 5, "Record", Record, true, true, "Record" },
    { 6, "Harmonic Table", HarmonicTable, true, true, "Harmonic" },
    { 10, "Starting Test", StartingTest, true, true, "Starting" },
    { 7, "Single Sampling", Single, false, false, "Single" },
    { 8, "Continuous Sampling", Continuous, false, false, "Continuous" },
    { 9, "Stop ", Stop, true, false, "Stop" },
};

constexpr StatusPanelEntry StatusPanels[] = {
    { "Communication ......", 180, false, false },
    { "Status ......", 100, true, false },
    { "Progress", 70, true, false },
    { "", 124, false, false },
    { "Date ", 50, false, true },
    { "", 76, false, false },
    { "Electrical Measurement Experts  ", 170, true, false },
};

constexpr GridCell Grid[GridColumns][GridRows] = {
    { { "Vol", Panel_URMS }, { "Amp ", Panel_IRMS }, { "Power", Panel_WRMS }, { "  PF", Panel_PF },
        { " IKF", PANEL_IKF } },
    { { "Vpeak", Panel_UPP }, { "Ipeak", Panel_IPP }, { "      Ps", Panel_PS }, { "VTHD", Panel_VTHD },
        { "   VKF", Panel_VKF } },
    { { "Frequency", Panel_UF }, { "Phase", Panel_IPA }, { "     Pq", Panel_PQ }, { " ITHD", Panel_ITHD },
        { " KWH", Panel_KWH } },
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
    return broadband ? CaptionPair { "Narrowband &(Y)", "Broadband &(Z)←" }
                     : CaptionPair { "Narrowband &(Y)←", "Broadband &(Z)" };
}

CaptionPair ThdCaptions(bool csa)
{
    return csa ? CaptionPair { "%f： IEC &(Y)", "%r： CSA &(Z)←" }
               : CaptionPair { "%f： IEC &(Y)←", "%r： CSA &(Z)" };
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
