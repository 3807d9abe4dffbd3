#include "measure/forms/Main.h"

#include "appearance/Pictures.h"
#include "base/Errors.h"
#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/Registers.h"
#include "link/TComm.h"
#include "measure/HandbookFile.h"
#include "measure/MeasurementFile.h"
#include "measure/forms/LanguageMenu.h"
#include "measure/forms/MainCommands.h"
#include "measure/forms/MenuBuilder.h"
#include "measure/forms/WaveCursorControl.h"
#include "widgets/FormParts.h"
#include "widgets/TranslatedText.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <tuple>

TMainForm *MainForm = nullptr;

const QString TMainForm::WebAddress = QStringLiteral("http://www.norvo.example.com");
const QString TMainForm::MakerLocation = QStringLiteral("Suzhou, China");

TMainForm::TMainForm(QWidget *parent, const QStringList &arguments)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    resize(895, 615);
    // Below this the value panels run into one another and the status texts are cut; the
    // design size leaves room enough, and a window of half a 2× screen still fits.
    setMinimumSize(880, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(895 / 2, 615 / 2));

    createToolBar();
    createMenu();
    createClientArea();
    createStatusBar();
    Reference1 = new TReferenceControl(this, Measurement, ClearReference1, StatusPanels[PanelDate]);
    WaveCursors1 = new TWaveCursorControl(Pic1, Measurement);
    std::tie(m_area.reference, m_area.cursors) = std::tuple(Reference1, WaveCursors1);
    connect(Reference1, &TReferenceControl::ReferenceChanged, this, &TMainForm::DrawMeasurement);
    connect(WaveCursors1, &TWaveCursorControl::CursorsChanged, this, &TMainForm::DrawMeasurement);
    MOpenTimer = MakeTimer(this, "MOpenTimer", 1000, &TMainForm::MOpenTimerTimer);
    ContinuousReadTimer = MakeTimer(this, "ContinuousReadTimer", 50, &TMainForm::ContinuousReadTimerTimer);
    ReReadTimer = MakeTimer(this, "ReReadTimer", SilenceResendMs, &TMainForm::ReReadTimerTimer);

    Comm1 = new TComm(this, QStringLiteral("Comm1"));
    Comm1->setRThreshold(1);
    Comm1->OnReceiveData = [this](TComm *sender) { Comm1ReceiveData(sender); };
    connectSession();

    FormCreate(arguments);
    retranslateUi();
}

void TMainForm::retranslateUi()
{
    setWindowTitle(tr("NORVO Precision Measurement Technology"));
    // Menus, tool button hints, status and grid captions keep their source texts.
    RetranslateTexts(this);
}

void TMainForm::setStatusSource(int panel, const char *source, const QStringList &arguments)
{
    SetTranslatedText(StatusPanels.at(panel), "text", "TMainForm", source, arguments);
}

void TMainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        DrawMeasurement();
    }
    QMainWindow::changeEvent(event);
}

void TMainForm::createToolBar()
{
    SeSkinToolBar1 = addToolBar(QStringLiteral("SeSkinToolBar1"));
    SeSkinToolBar1->setObjectName(QStringLiteral("SeSkinToolBar1"));
    SeSkinToolBar1->setMovable(false);
    SeSkinToolBar1->setIconSize(ToolGlyphSize);
    const auto made = BuildToolButtons(
        SeSkinToolBar1, ToolButtonEntries(), [this](MainCommand c) { RunMainCommand(*this, c); });
    BindMembers<QToolButton>(made,
        { { &SeSkinSpeedButton1, 1 }, { &SeSkinSpeedButton2, 2 }, { &SeSkinSpeedButton3, 3 },
            { &SeSkinSpeedButton4, 4 }, { &SeSkinSpeedButton5, 5 }, { &SeSkinSpeedButton6, 6 },
            { &SeSkinSpeedButton7, 7 }, { &SeSkinSpeedButton8, 8 }, { &SeSkinSpeedButton9, 9 },
            { &SeSkinSpeedButton10, 10 } });
}

void TMainForm::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    const auto made
        = BuildMenus(menuBar(), MainMenuEntries(), [this](MainCommand c) { RunMainCommand(*this, c); });
    BindMembers<QMenu>(made,
        { { &File1, "File1" }, { &Option1, "Option1" }, { &Run1, "Run1" }, { &Help1, "Help1" },
            { &N27Menu, "N27Menu" }, { &IEC1Menu, "IEC1Menu" } });
    BindMembers<QAction>(made,
        { { &N2, "N2" }, { &N3, "N3" }, { &ExportCsv1, "ExportCsv1" }, { &N5, "N5" }, { &N7, "N7" },
            { &C1, "C1" }, { &N9, "N9" }, { &N11, "N11" }, { &N25, "N25" }, { &N27, "N27" }, { &N31, "N31" },
            { &N32, "N32" }, { &IEC1, "IEC1" }, { &IEC2, "IEC2" }, { &CSA1, "CSA1" }, { &N30, "N30" },
            { &Compliance1, "Compliance1" }, { &N12, "N12" }, { &N13, "N13" }, { &N14, "N14" },
            { &N15, "N15" }, { &N18, "N18" }, { &N20, "N20" }, { &N21, "N21" }, { &Norvo1, "Norvo1" },
            { &N23, "N23" }, { &SetReference1, "SetReference1" }, { &LoadReference1, "LoadReference1" },
            { &ClearReference1, "ClearReference1" }, { &Compare1, "Compare1" } });
    Language1Menu = AddLanguageMenu(Option1, Compare1);
}

void TMainForm::createClientArea()
{
    m_area = BuildClientArea(this);
    Panel1 = m_area.panel;
    setCentralWidget(Panel1);
    Panel1->installEventFilter(this);
    std::tie(GroupBox1, GroupBox2, GroupBox3, GroupBox4) = std::tuple_cat(m_area.boxes);
    std::tie(Panel2, Panel3, Panel4) = std::tuple_cat(m_area.picturePanels);
    std::tie(Pic1, Pic2, Pic3) = std::tuple_cat(m_area.pics);
    Labels = m_area.labels;
    ValuePanels = m_area.values;
    Pic1->OnPaint = [this](QPainter &painter) { Pic1Paint(painter); };
    Pic2->OnPaint = [this](QPainter &painter) { Pic2Paint(painter); };
    Pic3->OnPaint = [this](QPainter &painter) { Pic3Paint(painter); };
}

void TMainForm::createStatusBar()
{
    StatusBar = statusBar();
    const StatusBarParts parts = BuildStatusBar(StatusBar, QStringLiteral("Pictures/Norvo.png"));
    StatusPanels = parts.panels;
    ProgressBar1 = parts.progress;
    Image1 = parts.image;
    Image1->OnClick = [this] { Image1Click(); };
}

void TMainForm::FormCreate(const QStringList &arguments)
{
    InitMeasurement();
    MakePaneSurfaces({ &WaveSurface, &UHarmSurface, &IHarmSurface });
    UsbDeviceIdMark = QStringLiteral("5732");

    // The client panel has its final size only once the window is laid out.
    Panel1->resize(width(),
        height() - menuBar()->sizeHint().height() - SeSkinToolBar1->sizeHint().height()
            - StatusBar->sizeHint().height());
    LayoutPanes();
    HandleCommandLine(arguments);
}

void TMainForm::HandleCommandLine(const QStringList &arguments)
{
    const CommandLineKind kind = ::HandleCommandLine(arguments, Measurement);
    if (kind == CommandLineKind::MeasurementFile)
        DrawMeasurement();
    else if (kind == CommandLineKind::RecordFile)
        MOpenTimer->start();
}

void TMainForm::DrawMeasurement()
{
    PaneRect = DrawClientArea(
        m_area, Measurement, WaveSurface, UHarmSurface, IHarmSurface, Scales, CurrentLimitPeaks);
}

void TMainForm::setCurrentLimits(const std::vector<double> &limitPeaks)
{
    // The marks follow every measurement; only the current spectrum changes with them, and
    // only when they do.
    if (limitPeaks == CurrentLimitPeaks)
        return;
    CurrentLimitPeaks = limitPeaks;
    DrawCurrentSpectrum(m_area, Measurement, IHarmSurface, Scales, CurrentLimitPeaks);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::FormCloseQuery()
{
    // Tells the instrument's USB interface that the program goes away; no answer is awaited.
    if (UsbLink == 1)
        SendReadRequest(InstrumentAddress, RegCloseNotice, 0);
    return true;
}

void TMainForm::MOpenTimerTimer()
{
    MOpenTimer->stop();
    emit WindowRequested(MainWindowRequest::RecordFile);
}

void TMainForm::SeSkinSpeedButton1Click()
{
    ShowingErrors([this] {
        if (OpenMeasurementCommand(Measurement)) {
            DrawMeasurement();
            emit MeasurementOpened();
        }
    });
}

void TMainForm::SeSkinSpeedButton2Click()
{
    ShowingErrors([] { SaveMeasurementCommand(Measurement); });
}

void TMainForm::SeSkinSpeedButton3Click()
{
    ReportKind = 0;
    emit WindowRequested(MainWindowRequest::Print);
}

void TMainForm::startSampling(uint8_t mode)
{
    // Without a port nothing starts: the message is shown and everything stays as it was.
    if (!Session->read(RegMeasurement, 2)) {
        platform::dialogs().message(tr("Failed,The machine is not connected! "));
        return;
    }
    SamplingMode = mode;
    ApplyControls(mode == 1 ? AcquisitionEvent::Single : AcquisitionEvent::Continuous);
    emit SamplingStarted();
    ReReadTimer->start();
    DrawMeasurement();
}

void TMainForm::SeSkinSpeedButton9Click()
{
    SamplingMode = 0;
    ApplyControls(AcquisitionEvent::Stop);
    ContinuousReadTimer->stop();
    ReReadTimer->stop();
}

void TMainForm::ApplyControls(AcquisitionEvent event)
{
    // In the order of AcquisitionControl.
    ApplySwitches(SwitchesFor(event),
        { { { SeSkinSpeedButton7 }, { SeSkinSpeedButton8 }, { SeSkinSpeedButton9 }, { N12 }, { N13 }, { N14 },
            { C1 }, { N11 }, { N31, N32, IEC2, CSA1 } } });
}

void TMainForm::N11Click()
{
    Session->startAlarmChain();
    emit WindowRequested(MainWindowRequest::Alarm);
}

void TMainForm::showModeCaptions(uint8_t bit, bool set)
{
    const CaptionPair captions = bit == ModeBroadband ? BandwidthCaptions(set) : ThdCaptions(set);
    SetTranslatedText(bit == ModeBroadband ? N31 : IEC2, "text", "TMainForm", captions.first);
    SetTranslatedText(bit == ModeBroadband ? N32 : CSA1, "text", "TMainForm", captions.second);
}

void TMainForm::modeCommand(uint8_t bit, bool set)
{
    // The captions change first and stay changed even when the write cannot be sent.
    showModeCaptions(bit, set);
    Session->writeMode(WithModeBit(ModeWord, bit, set));
}

void TMainForm::N23Click()
{
    const QString handbook
        = platform::programDir().path() + QLatin1Char('/') + HandbookFileFor(AppliedLanguage());
    OpenOrTell(QUrl::fromLocalFile(handbook).toString(),
        tr("No program on this computer opens PDF documents. Open the "
           "handbook with a PDF viewer of your choice:\n\n%1")
            .arg(QDir::toNativeSeparators(QDir::cleanPath(handbook))));
}

void TMainForm::Image1Click()
{
    OpenOrTell(WebAddress,
        tr("No web browser could be started. Open this address in a "
           "browser of your choice:\n\n%1")
            .arg(WebAddress));
}
