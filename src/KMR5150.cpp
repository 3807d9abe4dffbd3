// Program start: the production platform, the splash window, then every window in a fixed
// order. Windows are made and connected here and nowhere else; all of them live until the
// program ends.

#include "app/forms/Application.h"
#include "app/forms/QtDialogs.h"
#include "app/forms/TerminationSignals.h"
#include "app/forms/Wiring.h"
#include "appearance/Fonts.h"
#include "appearance/forms/skins.h"
#include "base/Language.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/ProductionPlatform.h"
#include "link/forms/communication.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/Logo.h"
#include "measure/forms/Main.h"
#include "measure/forms/version.h"
#include "record/forms/Rec.h"
#include "record/forms/RecSet.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"

#include <memory>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    UseProductionPlatform();
    InstallFontSubstitutes();
    QApplication::setFont(DesignFont());
    QtDialogs dialogs;
    platform::install(&dialogs);
    // The stored language, or the locale's, before the first window shows a text.
    ApplyLanguage(StoredLanguage());

    auto logo = std::make_unique<TLogoForm>();
    logo->show();
    logo->repaint();

    QApplication::setApplicationName(QStringLiteral("Norvo KMR5150"));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kmr5150"));

    LoadSavedSkin(); // before any window is laid out
    MainForm = new TMainForm(nullptr, QCoreApplication::arguments());
    skin = new Tskin(MainForm);
    QObject::connect(skin, &Tskin::DisplayColorsChanged, MainForm, &TMainForm::DrawMeasurement);
    skin->FormCreate(); // the stored skin and display colours
    VForm = new TVForm(MainForm);
    CommForm = new TCommForm(MainForm);
    ConnectCommAndMain(CommForm, MainForm);
    CommForm->FormCreate(); // scans the ports, connects and starts the settings read chain
    PrinterForm = new TPrinterForm(MainForm);
    EnterInfoForm = new TEnterInfoForm(MainForm);
    HarmonicForm = new THarmonicForm(MainForm);
    RecordForm = new TRecordForm(MainForm);
    RecSetForm = new TRecSetForm(MainForm);
    CalibrateForm = new TCalibrateForm(MainForm);
    AlarmForm = new TAlarmForm(MainForm);
    StartingForm = new TStartingForm(MainForm);
    External_CT_form = new TExternal_CT_form(MainForm);
    ComplianceForm = new TComplianceForm(MainForm);
    CompareForm = new TCompareForm(MainForm);
    ConnectWindows(); // replies from the settings read chain arrive once the event loop runs

    // A terminating signal ends the program as its Exit does: the windows save on the way out.
    // Armed before the window shows, so a signal from then on waits for the event loop.
    const TerminationSignals closeOnSignal(MainForm);
    logo.reset();
    MainForm->show();
    const int result = app.exec();

    delete MainForm; // its child windows go with it
    platform::install(static_cast<Dialogs *>(nullptr));
    return result;
}
