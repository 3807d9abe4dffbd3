#include "measure/forms/Main.h"

#include "appearance/forms/skins.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/Errors.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/Platform.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "measure/MeasurementFile.h"
#include "measure/MeasurementRecord.h"
#include "measure/PaneLayout.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/version.h"
#include "record/forms/Rec.h"
#include "report/forms/Print.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

TMainForm *MainForm = nullptr;

const QString TMainForm::WebAddress = QStringLiteral("http://www.norvo.example.com");
const QString TMainForm::MakerLocation = QStringLiteral("Suzhou, China");

TPaintBox::TPaintBox(QWidget *parent)
    : QWidget(parent)
{
    // The surfaces are opaque; nothing behind the box needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}

TClickImage::TClickImage(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TClickImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

namespace {
// Tool bar buttons, left to right; a divider follows each one marked.
struct ToolButtonEntry
{
    int number;
    QStyle::StandardPixmap glyph;
    const char *hint;
    bool dividerAfter;
    bool enabled;
};

constexpr ToolButtonEntry ToolButtons[] = {
    { 1, QStyle::SP_DialogOpenButton, "Open", false, true },
    { 2, QStyle::SP_DialogSaveButton, "Save", false, true },
    { 3, QStyle::SP_FileDialogContentsView, "Print", true, true },
    { 4, QStyle::SP_MessageBoxInformation, "Edition", true, true },
    { 5, QStyle::SP_FileDialogDetailedView, "Record", true, true },
    { 6, QStyle::SP_FileDialogListView, "Harmonic Table", true, true },
    { 10, QStyle::SP_MediaSeekForward, "Starting Test", true, true },
    { 7, QStyle::SP_MediaPlay, "Single Sampling", false, false },
    { 8, QStyle::SP_BrowserReload, "Continuous Sampling", false, false },
    { 9, QStyle::SP_MediaStop, "Stop ", true, false },
};

// Label captions and the value panel of each cell of the parameter grid, column by column.
struct GridCell
{
    const char *caption;
    PanelIndex panel;
};

constexpr GridCell Grid[3][5] = {
    { { "Vol", Panel_URMS }, { "Amp ", Panel_IRMS }, { "Power", Panel_WRMS }, { "  PF", Panel_PF },
        { " IKF", PANEL_IKF } },
    { { "Vpeak", Panel_UPP }, { "Ipeak", Panel_IPP }, { "      Ps", Panel_PS }, { "VTHD", Panel_VTHD },
        { "   VKF", Panel_VKF } },
    { { "Frequency", Panel_UF }, { "Phase", Panel_IPA }, { "     Pq", Panel_PQ }, { " ITHD", Panel_ITHD },
        { " KWH", Panel_KWH } },
};

constexpr const char *PanelNames[PanelCount] = {
    "Panel_URMS",
    "Panel_IRMS",
    "Panel_UPP",
    "Panel_IPP",
    "Panel_UF",
    "Panel_IPA",
    "Panel_WRMS",
    "Panel_PS",
    "Panel_PQ",
    "Panel_PF",
    "Panel_VTHD",
    "Panel_ITHD",
    "PANEL_IKF",
    "Panel_VKF",
    "Panel_KWH",
};

constexpr int ValuePanelHeight = 33;

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

TMainForm::TMainForm(QWidget *parent, const QStringList &arguments)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("NORVO Precision Measurement Technology"));
    resize(895, 615);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(895 / 2, 615 / 2));

    createToolBar();
    createMenu();
    createClientArea();
    createStatusBar();
    createTimers();

    Comm1 = new TComm(this, QStringLiteral("Comm1"));
    Comm1->setRThreshold(1);
    Comm1->OnReceiveData = [this](TComm *sender) { Comm1ReceiveData(sender); };
    SetRequestPort(Comm1);

    FormCreate(arguments);
}

TMainForm::~TMainForm()
{
    if (RequestPort() == Comm1)
        SetRequestPort(nullptr);
}

void TMainForm::createToolBar()
{
    SeSkinToolBar1 = addToolBar(QStringLiteral("SeSkinToolBar1"));
    SeSkinToolBar1->setObjectName(QStringLiteral("SeSkinToolBar1"));
    SeSkinToolBar1->setMovable(false);
    SeSkinToolBar1->setIconSize(QSize(24, 24));

    QToolButton **buttons[] = { nullptr, &SeSkinSpeedButton1, &SeSkinSpeedButton2, &SeSkinSpeedButton3,
        &SeSkinSpeedButton4, &SeSkinSpeedButton5, &SeSkinSpeedButton6, &SeSkinSpeedButton7,
        &SeSkinSpeedButton8, &SeSkinSpeedButton9, &SeSkinSpeedButton10 };
    for (const ToolButtonEntry &entry : ToolButtons) {
        auto *button = new QToolButton(SeSkinToolBar1);
        button->setObjectName(QStringLiteral("SeSkinSpeedButton%1").arg(entry.number));
        button->setIcon(style()->standardIcon(entry.glyph));
        button->setToolTip(QString::fromUtf8(entry.hint));
        button->setAutoRaise(true);
        button->setEnabled(entry.enabled);
        SeSkinToolBar1->addWidget(button);
        if (entry.dividerAfter)
            SeSkinToolBar1->addSeparator();
        *buttons[entry.number] = button;
    }

    connect(SeSkinSpeedButton1, &QToolButton::clicked, this, [this] { SeSkinSpeedButton1Click(); });
    connect(SeSkinSpeedButton2, &QToolButton::clicked, this, [this] { SeSkinSpeedButton2Click(); });
    connect(SeSkinSpeedButton3, &QToolButton::clicked, this, [this] { SeSkinSpeedButton3Click(); });
    connect(SeSkinSpeedButton4, &QToolButton::clicked, this, [this] { SeSkinSpeedButton4Click(); });
    connect(SeSkinSpeedButton5, &QToolButton::clicked, this, [this] { SeSkinSpeedButton5Click(); });
    connect(SeSkinSpeedButton6, &QToolButton::clicked, this, [this] { SeSkinSpeedButton6Click(); });
    connect(SeSkinSpeedButton7, &QToolButton::clicked, this, [this] { SeSkinSpeedButton7Click(); });
    connect(SeSkinSpeedButton8, &QToolButton::clicked, this, [this] { SeSkinSpeedButton8Click(); });
    connect(SeSkinSpeedButton9, &QToolButton::clicked, this, [this] { SeSkinSpeedButton9Click(); });
    connect(SeSkinSpeedButton10, &QToolButton::clicked, this, [this] { SeSkinSpeedButton10Click(); });
}

void TMainForm::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    File1 = bar->addMenu(QStringLiteral("File(&F)"));
    File1->setObjectName(QStringLiteral("File1"));
    N2 = addItem(File1, "N2", QStringLiteral("Open"));
    N3 = addItem(File1, "N3", QStringLiteral("Save"));
    File1->addSeparator();
    N5 = addItem(File1, "N5", QStringLiteral("Print"));
    File1->addSeparator();
    N7 = addItem(File1, "N7", QStringLiteral("Exit"));

    Option1 = bar->addMenu(QStringLiteral("Option (&O)"));
    Option1->setObjectName(QStringLiteral("Option1"));
    C1 = addItem(Option1, "C1", QStringLiteral("Communication"));
    Option1->addSeparator();
    N9 = addItem(Option1, "N9", QStringLiteral("Style"));
    Option1->addSeparator();
    N11 = addItem(Option1, "N11", QStringLiteral("Alarm"));
    Option1->addSeparator();
    N25 = addItem(Option1, "N25", QStringLiteral("校准 "));
    N25->setVisible(false); // service item, not offered to users
    Option1->addSeparator();
    N27Menu = Option1->addMenu(QStringLiteral("Bandwidth"));
    N27Menu->setObjectName(QStringLiteral("N27Menu"));
    N27 = N27Menu->menuAction();
    N27->setObjectName(QStringLiteral("N27"));
    N31 = addItem(N27Menu, "N31", QStringLiteral("Narrowband &(Y)←"));
    N32 = addItem(N27Menu, "N32", QStringLiteral("Wide Band &(Z)"));
    Option1->addSeparator();
    IEC1Menu = Option1->addMenu(QStringLiteral("THD"));
    IEC1Menu->setObjectName(QStringLiteral("IEC1Menu"));
    IEC1 = IEC1Menu->menuAction();
    IEC1->setObjectName(QStringLiteral("IEC1"));
    IEC2 = addItem(IEC1Menu, "IEC2", QStringLiteral("%f： IEC方式 &(Y)←"));
    CSA1 = addItem(IEC1Menu, "CSA1", QStringLiteral("%r： CSA方式 &(Z)"));
    Option1->addSeparator();
    N30 = addItem(Option1, "N30", QStringLiteral("CT"));
    Option1->addSeparator();

    Run1 = bar->addMenu(QStringLiteral("Run (&P)"));
    Run1->setObjectName(QStringLiteral("Run1"));
    N12 = addItem(Run1, "N12", QStringLiteral("Single Sampling"));
    N13 = addItem(Run1, "N13", QStringLiteral("Continuous Sampling"));
    N14 = addItem(Run1, "N14", QStringLiteral("Stop "));
    N14->setEnabled(false);
    Run1->addSeparator();
    N15 = addItem(Run1, "N15", QStringLiteral("Starting Test"));
    Run1->addSeparator();
    N18 = addItem(Run1, "N18", QStringLiteral("Harmonic Table"));
    Run1->addSeparator();
    N20 = addItem(Run1, "N20", QStringLiteral("Record"));

    Help1 = bar->addMenu(QStringLiteral("Help(&H)"));
    Help1->setObjectName(QStringLiteral("Help1"));
    N21 = addItem(Help1, "N21", QStringLiteral("Edition"));
    Norvo1 = addItem(Help1, "Norvo1", QStringLiteral("Norvo Website "));
    Help1->addSeparator();
    N23 = addItem(Help1, "N23", QStringLiteral("Handbook "));

    // A menu item that does what a tool bar button does shares its handler.
    connect(N2, &QAction::triggered, this, [this] { SeSkinSpeedButton1Click(); });
    connect(N3, &QAction::triggered, this, [this] { SeSkinSpeedButton2Click(); });
    connect(N5, &QAction::triggered, this, [this] { SeSkinSpeedButton3Click(); });
    connect(N7, &QAction::triggered, this, [this] { N7Click(); });
    connect(C1, &QAction::triggered, this, [this] { C1Click(); });
    connect(N9, &QAction::triggered, this, [this] { N9Click(); });
    connect(N11, &QAction::triggered, this, [this] { N11Click(); });
    connect(N25, &QAction::triggered, this, [this] { N25Click(); });
    connect(N31, &QAction::triggered, this, [this] { N31Click(); });
    connect(N32, &QAction::triggered, this, [this] { N32Click(); });
    connect(IEC2, &QAction::triggered, this, [this] { IEC2Click(); });
    connect(CSA1, &QAction::triggered, this, [this] { CSA1Click(); });
    connect(N30, &QAction::triggered, this, [this] { N30Click(); });
    connect(N12, &QAction::triggered, this, [this] { SeSkinSpeedButton7Click(); });
    connect(N13, &QAction::triggered, this, [this] { SeSkinSpeedButton8Click(); });
    connect(N14, &QAction::triggered, this, [this] { SeSkinSpeedButton9Click(); });
    connect(N15, &QAction::triggered, this, [this] { SeSkinSpeedButton10Click(); });
    connect(N18, &QAction::triggered, this, [this] { SeSkinSpeedButton6Click(); });
    connect(N20, &QAction::triggered, this, [this] { SeSkinSpeedButton5Click(); });
    connect(N21, &QAction::triggered, this, [this] { SeSkinSpeedButton4Click(); });
    connect(Norvo1, &QAction::triggered, this, [this] { Image1Click(); });
    connect(N23, &QAction::triggered, this, [this] { N23Click(); });
}

void TMainForm::createClientArea()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    setCentralWidget(Panel1);
    Panel1->installEventFilter(this);

    const char *boxNames[] = { "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4" };
    const char *boxCaptions[] = { " WAVE ", "Parameter ", "   UTHD  ", "   ITHD  " };
    QGroupBox **boxes[] = { &GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4 };
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = new QGroupBox(QString::fromUtf8(boxCaptions[i]), Panel1);
        (*boxes[i])->setObjectName(QString::fromLatin1(boxNames[i]));
    }

    const char *panelNames[] = { "Panel2", "Panel3", "Panel4" };
    const char *picNames[] = { "Pic1", "Pic2", "Pic3" };
    QGroupBox *owners[] = { GroupBox1, GroupBox3, GroupBox4 };
    QWidget **panels[] = { &Panel2, &Panel3, &Panel4 };
    TPaintBox **pics[] = { &Pic1, &Pic2, &Pic3 };
    for (int i = 0; i < 3; ++i) {
        *panels[i] = new QWidget(owners[i]);
        (*panels[i])->setObjectName(QString::fromLatin1(panelNames[i]));
        *pics[i] = new TPaintBox(*panels[i]);
        (*pics[i])->setObjectName(QString::fromLatin1(picNames[i]));
    }
    Pic1->OnPaint = [this](QPainter &painter) { Pic1Paint(painter); };
    Pic2->OnPaint = [this](QPainter &painter) { Pic2Paint(painter); };
    Pic3->OnPaint = [this](QPainter &painter) { Pic3Paint(painter); };

    // The grid leaves 32 to 48 pixels before each value panel: a narrow face keeps the
    // captions clear of the panels.
    QFont labelFont(QStringLiteral("Liberation Sans"));
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));

    QFont valueFont(QStringLiteral("Tahoma"));
    valueFont.setPixelSize(17);
    QPalette valuePalette = palette();
    valuePalette.setColor(QPalette::Window, palette().color(QPalette::HighlightedText));
    valuePalette.setColor(QPalette::WindowText, QColor(0, 128, 128));

    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 5; ++row) {
            const GridCell &cell = Grid[column][row];
            const int number = column * 5 + row + 1;
            auto *label = new QLabel(QString::fromUtf8(cell.caption), GroupBox2);
            label->setObjectName(QStringLiteral("Label%1").arg(number));
            label->setFont(labelFont);
            label->setPalette(labelPalette);
            Labels[number - 1] = label;

            auto *panel = new QLabel(GroupBox2);
            panel->setObjectName(QString::fromLatin1(PanelNames[cell.panel]));
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setAlignment(Qt::AlignCenter);
            panel->setAutoFillBackground(true);
            panel->setPalette(valuePalette);
            panel->setFont(valueFont);
            ValuePanels[cell.panel] = panel;
        }
    }
}

void TMainForm::createStatusBar()
{
    StatusBar = statusBar();
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    // The panel widths are sized for a small, narrow face.
    QFont panelFont(QStringLiteral("Liberation Sans"));
    panelFont.setPixelSize(11);
    StatusBar->setFont(panelFont);

    struct PanelSpec
    {
        const char *text;
        int width;
        Qt::Alignment alignment;
        bool stretches;
    };
    const PanelSpec specs[StatusPanelCount] = {
        { "Communication ......", 180, Qt::AlignLeft | Qt::AlignVCenter, false },
        { "Status ......", 100, Qt::AlignRight | Qt::AlignVCenter, false },
        { "Progress", 70, Qt::AlignRight | Qt::AlignVCenter, false },
        { "", 124, Qt::AlignLeft | Qt::AlignVCenter, false },
        { "Date ", 50, Qt::AlignLeft | Qt::AlignVCenter, true },
        { "", 76, Qt::AlignLeft | Qt::AlignVCenter, false },
        { "Electrical Measurement Experts  ", 170, Qt::AlignRight | Qt::AlignVCenter, false },
    };
    for (int i = 0; i < StatusPanelCount; ++i) {
        QLabel *panel = i == PanelImage ? (Image1 = new TClickImage(StatusBar)) : new QLabel(StatusBar);
        panel->setObjectName(
            i == PanelImage ? QStringLiteral("Image1") : QStringLiteral("StatusPanel%1").arg(i));
        panel->setText(QString::fromUtf8(specs[i].text));
        panel->setAlignment(specs[i].alignment);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (specs[i].stretches)
            panel->setMinimumWidth(specs[i].width);
        else
            panel->setFixedWidth(specs[i].width);
        StatusBar->addWidget(panel, specs[i].stretches ? 1 : 0);
        StatusPanels[i] = panel;
    }

    ProgressBar1 = new QProgressBar(StatusPanels[PanelProgress]);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 50);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(2, 2, 120, 16);

    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(platform::programDir().filePath(QStringLiteral("Pictures/Norvo.png"))));
    Image1->OnClick = [this] { Image1Click(); };
}

void TMainForm::createTimers()
{
    auto makeTimer = [this](const char *name, int interval, void (TMainForm::*handler)()) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, handler);
        return timer;
    };
    MOpenTimer = makeTimer("MOpenTimer", 1000, &TMainForm::MOpenTimerTimer);
    ContinuousReadTimer = makeTimer("ContinuousReadTimer", 50, &TMainForm::ContinuousReadTimerTimer);
    ReReadTimer = makeTimer("ReReadTimer", 2000, &TMainForm::ReReadTimerTimer);
}

void TMainForm::FormCreate(const QStringList &arguments)
{
    InitMeasurement();
    QSize surfaceSize(640, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        surfaceSize = QSize(screen->size().width() / 2, screen->size().height() / 2);
    WaveSurface = QImage(surfaceSize, QImage::Format_RGB32);
    UHarmSurface = QImage(surfaceSize, QImage::Format_RGB32);
    IHarmSurface = QImage(surfaceSize, QImage::Format_RGB32);
    for (QImage *surface : { &WaveSurface, &UHarmSurface, &IHarmSurface })
        surface->fill(WaveBackgroundColor);
    UsbLink = 0;
    AlarmReadStep = 0;
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
    switch (::HandleCommandLine(arguments, Measurement)) {
    case CommandLineKind::MeasurementFile:
        DrawMeasurement();
        break;
    case CommandLineKind::RecordFile:
        MOpenTimer->start();
        break;
    case CommandLineKind::None:
        break;
    }
}

void TMainForm::LayoutPanes()
{
    const PaneLayout layout = LayoutPaneGeometry(Panel1->width(), Panel1->height());
    QGroupBox *boxes[] = { GroupBox1, GroupBox2, GroupBox3, GroupBox4 };
    for (int i = 0; i < 4; ++i)
        boxes[i]->setGeometry(layout.groupBox[i]);
    for (QWidget *panel : { Panel2, Panel3, Panel4 })
        panel->setGeometry(layout.picturePanel);
    for (TPaintBox *pic : { Pic1, Pic2, Pic3 })
        pic->setGeometry(0, 0, layout.picturePanel.width(), layout.picturePanel.height());

    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 5; ++row) {
            QLabel *label = Labels[column * 5 + row];
            label->adjustSize();
            label->move(layout.labelLeft[column], layout.labelTop[row]);
            ValuePanels[Grid[column][row].panel]->setGeometry(
                layout.panelLeft[column], layout.panelTop[row], layout.panelWidth, ValuePanelHeight);
        }
    }
}

void TMainForm::DrawMeasurement()
{
    if (IsNaNBits(Measurement.PQ))
        Measurement.PQ = 0.0f;
    const std::array<QString, PanelCount> texts = PanelTexts(Measurement);
    for (int i = 0; i < PanelCount; ++i)
        ValuePanels[i]->setText(texts[i]);

    const int w = Pic1->width();
    const int h = Pic1->height();
    PaneRect = QRect(0, 0, w, h);
    DrawWavePane(WaveSurface, w, h, Measurement, Scales);
    DrawHarmonicPane(UHarmSurface, w, h, Measurement.UHarm, QColor(0, 128, 0), Scales.uHarm);
    DrawHarmonicPane(IHarmSurface, w, h, Measurement.IHarm, QColor(223, 48, 32), Scales.iHarm);
    Pic1->update();
    Pic2->update();
    Pic3->update();
}

void TMainForm::FormResize()
{
    LayoutPanes();
    DrawMeasurement();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::Pic1Paint(QPainter &painter)
{
    painter.drawImage(PaneRect.topLeft(), WaveSurface, PaneRect);
}

void TMainForm::Pic2Paint(QPainter &painter)
{
    painter.drawImage(PaneRect.topLeft(), UHarmSurface, PaneRect);
}

void TMainForm::Pic3Paint(QPainter &painter)
{
    painter.drawImage(PaneRect.topLeft(), IHarmSurface, PaneRect);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormCloseQuery()
{
    // Tells the instrument's USB interface that the program goes away; no answer is awaited.
    if (UsbLink == 1)
        SendReadRequest(InstrumentAddress, 186, 0);
    return true;
}

void TMainForm::MOpenTimerTimer()
{
    MOpenTimer->stop();
    if (RecordForm)
        RecordForm->OpenTimer->start();
}

void TMainForm::SeSkinSpeedButton1Click()
{
    try {
        if (!OpenMeasurementCommand(Measurement))
            return;
    } catch (const KmrError &error) {
        showError(error.text());
        return;
    }
    DrawMeasurement();
}

void TMainForm::SeSkinSpeedButton2Click()
{
    try {
        SaveMeasurementCommand(Measurement);
    } catch (const KmrError &error) {
        showError(error.text());
    }
}

void TMainForm::SeSkinSpeedButton3Click()
{
    ReportKind = 0;
    if (PrinterForm)
        PrinterForm->exec();
}

void TMainForm::SeSkinSpeedButton4Click()
{
    if (VForm)
        VForm->exec();
}

void TMainForm::SeSkinSpeedButton5Click()
{
    if (RecordForm)
        RecordForm->show();
}

void TMainForm::SeSkinSpeedButton6Click()
{
    if (HarmonicForm)
        HarmonicForm->exec();
}

void TMainForm::SeSkinSpeedButton7Click()
{
    if (!SendReadRequest(InstrumentAddress, 148, 2))
        platform::dialogs().message(QStringLiteral("Failed,The machine is not connected! "));
    LastRegister = 148;
    LastCount = 2;
    SamplingMode = 1;
    SeSkinSpeedButton7->setEnabled(false);
    SeSkinSpeedButton8->setEnabled(false);
    SeSkinSpeedButton9->setEnabled(true);
    LinkCheckTicks = 0;
    ReconnectTicks = 0;
    ReReadTimer->start();
    DrawMeasurement();
}

void TMainForm::SeSkinSpeedButton8Click()
{
    if (!SendReadRequest(InstrumentAddress, 148, 2))
        platform::dialogs().message(QStringLiteral("Failed,The machine is not connected! "));
    LastRegister = 148;
    LastCount = 2;
    SamplingMode = 2;
    SeSkinSpeedButton7->setEnabled(false);
    SeSkinSpeedButton8->setEnabled(false);
    SeSkinSpeedButton9->setEnabled(true);
    for (QAction *item : { C1, N11, N12, N13, N31, N32, IEC2, CSA1 })
        item->setEnabled(false);
    N14->setEnabled(true);
    LinkCheckTicks = 0;
    ReconnectTicks = 0;
    ReReadTimer->start();
    DrawMeasurement();
}

void TMainForm::SeSkinSpeedButton9Click()
{
    SamplingMode = 0;
    SeSkinSpeedButton7->setEnabled(true);
    SeSkinSpeedButton8->setEnabled(true);
    for (QAction *item : { N14, C1, N11, N12, N13, N31, N32, IEC2, CSA1 })
        item->setEnabled(true);
    ContinuousReadTimer->stop();
    ReReadTimer->stop();
}

void TMainForm::SeSkinSpeedButton10Click()
{
    if (StartingForm)
        StartingForm->show();
}

void TMainForm::N7Click()
{
    close();
}

void TMainForm::C1Click()
{
    if (CommForm)
        CommForm->exec();
}

void TMainForm::N9Click()
{
    if (skin)
        skin->exec();
}

void TMainForm::N11Click()
{
    AlarmReadStep = 0;
    if (AlarmForm)
        AlarmForm->Label7->setText(QStringLiteral("正在请求仪器数据......"));
    if (!SendReadRequest(InstrumentAddress, 128, 2))
        platform::dialogs().message(QStringLiteral("Failed,The machine is not connected"));
    LastRegister = 128;
    LastCount = 2;
    if (AlarmForm)
        AlarmForm->exec();
}

void TMainForm::N25Click()
{
    if (CalibrateForm)
        CalibrateForm->show();
}

void TMainForm::N30Click()
{
    if (External_CT_form)
        External_CT_form->show();
}

void TMainForm::sendModeWord()
{
    const uint8_t data[4] = { ModeWord, 0, 0, 0 };
    if (!SendWriteBytes(InstrumentAddress, 128, data))
        platform::dialogs().message(QStringLiteral("Failed,The machine is not connected"));
}

void TMainForm::N31Click()
{
    ShowBandwidthCaptions(false);
    ModeWord &= static_cast<uint8_t>(~0x01);
    sendModeWord();
}

void TMainForm::N32Click()
{
    ShowBandwidthCaptions(true);
    ModeWord |= 0x01;
    sendModeWord();
}

void TMainForm::IEC2Click()
{
    ShowThdCaptions(false);
    ModeWord &= static_cast<uint8_t>(~0x02);
    sendModeWord();
}

void TMainForm::CSA1Click()
{
    ShowThdCaptions(true);
    ModeWord |= 0x02;
    sendModeWord();
}

void TMainForm::N23Click()
{
    platform::dialogs().openUrl(
        QUrl::fromLocalFile(platform::programDir().path() + QStringLiteral("/PdfDoc/Handbook.pdf"))
            .toString());
}

void TMainForm::Image1Click()
{
    platform::dialogs().openUrl(WebAddress);
}

QString TMainForm::statusText(int panel) const
{
    return StatusPanels.at(panel)->text();
}

void TMainForm::setStatusText(int panel, const QString &text)
{
    StatusPanels.at(panel)->setText(text);
}

void TMainForm::showError(const QString &text)
{
    platform::dialogs().message(text, Dialogs::Icon::Error);
}
