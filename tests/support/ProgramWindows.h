#pragma once

// The program's windows for a window test: the main window and the secondary windows the
// test asks for, named by their globals and connected as program start connects them; the
// settings program start reads to find the instrument; and the globals cleared again before
// the windows go. For test programs linked with the windows library.

#include "app/forms/Wiring.h"
#include "base/IniFile.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/forms/communication.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Main.h"
#include "record/forms/Rec.h"
#include "report/forms/Print.h"

#include <memory>

struct SecondaryWindows
{
    bool comm = false; // the connection window, meeting the main window's link
    bool starting = false;
    bool alarm = false;
    bool record = false;
    bool calibrate = false;
    bool ct = false;
    bool compliance = false;
    bool compare = false;
    bool printer = false; // the print window: its global is the test's to clear
};

inline std::unique_ptr<TMainForm> MakeProgramWindows(SecondaryWindows windows)
{
    auto main = std::make_unique<TMainForm>();
    MainForm = main.get();
    if (windows.comm) {
        CommForm = new TCommForm(main.get());
        ConnectCommAndMain(CommForm, main.get());
    }
    if (windows.starting)
        StartingForm = new TStartingForm(main.get());
    if (windows.alarm)
        AlarmForm = new TAlarmForm(main.get());
    if (windows.record)
        RecordForm = new TRecordForm(main.get());
    if (windows.calibrate)
        CalibrateForm = new TCalibrateForm(main.get());
    if (windows.ct)
        External_CT_form = new TExternal_CT_form(main.get());
    if (windows.compliance)
        ComplianceForm = new TComplianceForm(main.get());
    if (windows.compare)
        CompareForm = new TCompareForm(main.get());
    if (windows.printer)
        PrinterForm = new TPrinterForm(main.get());
    ConnectWindows();
    return main;
}

// Clears the globals that name windows; the windows themselves go with the main window.
inline void ForgetProgramWindows()
{
    MainForm = nullptr;
    CommForm = nullptr;
    StartingForm = nullptr;
    AlarmForm = nullptr;
    RecordForm = nullptr;
    CalibrateForm = nullptr;
    External_CT_form = nullptr;
    ComplianceForm = nullptr;
    CompareForm = nullptr;
}

// SysSet.ini naming `devicePath` as port number `port`, at the speed of list index
// `baudIndex`, with the instrument address as the user typed it.
inline void WritePortSettings(
    const QString &devicePath, int port, int baudIndex, const QString &address = QStringLiteral("1"))
{
    const IniFile ini(SettingsFileName);
    ini.writeString(QStringLiteral("PortMap"), QStringLiteral("COM%1").arg(port), devicePath);
    ini.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Port"), port);
    ini.writeInteger(QStringLiteral("CommBaudrate"), QStringLiteral("Baudrate"), baudIndex);
    ini.writeString(QStringLiteral("CommAddress"), QStringLiteral("Address"), address);
}
