#include "record/forms/Rec.h"

#include "appearance/Pictures.h"
#include "base/Errors.h"
#include "base/Platform.h"
#include "measure/DrawingColours.h"
#include "record/ChartDrawing.h"
#include "record/forms/ChartPaintBox.h"
#include "widgets/FormParts.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

TRecordForm *RecordForm = nullptr;

namespace {

const char *const MarkerFiles[RecordChannels]
    = { "green.dat", "red.dat", "blue.dat", "maroon.dat", "yellow.dat", "red2.dat" };

constexpr int PanelWidths[7] = { 90, 120, 140, 140, 90, 70, 50 };
const char *const PanelTexts[7] = { QT_TRANSLATE_NOOP("TRecordForm", "采样步长："),
    QT_TRANSLATE_NOOP("TRecordForm", "存盘间隔时间："), QT_TRANSLATE_NOOP("TRecordForm", "Start:"),
    QT_TRANSLATE_NOOP("TRecordForm", "End:"), QT_TRANSLATE_NOOP("TRecordForm", "Length:"),
    QT_TRANSLATE_NOOP("TRecordForm", "Mode:Record"), QT_TRANSLATE_NOOP("TRecordForm", "Range: Positive") };

// A tool glyph of the program's Pictures/Tool folder.
QIcon toolIcon(const char *name)
{
    return ProgramIcon(QStringLiteral("Pictures/Tool/%1.png").arg(QLatin1String(name)), ToolGlyphSize);
}

// A channel marker picture, or a plain marker in the channel's colour when the picture
// cannot be read, so that the chart still shows which trace is which.
QPixmap markerPicture(int channel)
{
    QPixmap picture = LoadPenPicture(QString::fromLatin1(MarkerFiles[channel]));
    if (!picture.isNull())
        return picture;
    QPixmap plain(25, 14);
    plain.fill(Qt::white);
    QPainter painter(&plain);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ChannelColours[channel]);
    painter.drawPolygon(
        QPolygon({ QPoint(2, 2), QPoint(16, 2), QPoint(23, 7), QPoint(16, 12), QPoint(2, 12) }));
    return plain;
}

} // namespace

TRecordForm::TRecordForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecordForm"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    resize(797, 598);

    Timer1 = MakeTimer(this, "Timer1", 3000, &TRecordForm::Timer1Timer);
    TimerSave = MakeTimer(this, "TimerSave", 20000, &TRecordForm::TimerSaveTimer);
    OpenTimer = MakeTimer(this, "OpenTimer", 1000, &TRecordForm::OpenTimerTimer);
    GridTimer = MakeTimer(this, "GridTimer", 1000, &TRecordForm::GridTimerTimer);
    ScrollBar1ChangeTimer
        = MakeTimer(this, "ScrollBar1ChangeTimer", 100, &TRecordForm::ScrollBar1ChangeTimerTimer);
    ScrollBar1ChangeTimer->setSingleShot(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    buildMenus();
    layout->setMenuBar(MainMenu1);
    buildToolBar();
    layout->addWidget(SeSkinToolBar1);
    buildChart();
    layout->addWidget(GroupBox1, 1);
    buildChannels();
    layout->addWidget(GroupBox2);
    buildStatusBar();
    layout->addWidget(NoticeBar);
    layout->addWidget(StatusBar1);

    const QSize surface = ChartSurfaceSize(0, 0);
    TraceSurface = QImage(surface, QImage::Format_RGB32);
    AxisSurface = QImage(QSize(50, surface.height()), QImage::Format_RGB32);
    // The trace area shows only its own size of the surface, and every layout of the chart
    // redraws that part first; so only the part shown before the first layout is filled here
    // (filling all 15 MB was a good part of the program's start).
    QPainter(&TraceSurface).fillRect(QRect(QPoint(0, 0), Pic4->size()), WaveBackgroundColor);
    AxisSurface.fill(Qt::white);
    for (int ch = 0; ch < RecordChannels; ++ch) {
        Image[ch]->setPixmap(markerPicture(ch));
        Image[ch]->hide();
    }
    retranslateUi();
    readSettings();
    // The one-shot redraw is armed at creation: the first picture follows the layout.
    ScrollBar1ChangeTimer->start();
}

TRecordForm::~TRecordForm()
{
    if (RecordForm == this)
        RecordForm = nullptr;
    // The program ends: no window is left to show a failure, so it goes to standard error.
    if (Record.unsavedSamples() > 0) {
        try {
            Record.save();
        } catch (const KmrError &error) {
            std::fprintf(stderr, "%s\n", qPrintable(SaveFailedText(Record.fileName(), error.text(), false)));
        }
    }
}

void TRecordForm::buildMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto addItem = [this](QMenu *menu, const char *name, void (TRecordForm::*handler)()) {
        QAction *action = menu->addAction(QString());
        action->setObjectName(QLatin1String(name));
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu *file = m_fileMenu = MainMenu1->addMenu(QString());
    file->setObjectName(QStringLiteral("File1"));
    Open1 = addItem(file, "Open1", &TRecordForm::SeSkinSpeedButton1Click);
    New1 = addItem(file, "New1", &TRecordForm::SeSkinSpeedButton12Click);
    Print1 = addItem(file, "Print1", nullptr);
    Print1->setEnabled(false);
    ExportCsv1 = addItem(file, "ExportCsv1", &TRecordForm::ExportCsv1Click);
    file->addSeparator();
    Exit1 = addItem(file, "Exit1", &TRecordForm::Exit1Click);
    QMenu *option = m_optionMenu = MainMenu1->addMenu(QString());
    option->setObjectName(QStringLiteral("Option1"));
    Setting1 = addItem(option, "Setting1", &TRecordForm::SeSkinSpeedButton4Click);
    QMenu *run = m_runMenu = MainMenu1->addMenu(QString());
    run->setObjectName(QStringLiteral("Run1"));
    Starting1 = addItem(run, "Starting1", &TRecordForm::SeSkinSpeedButton5Click);
    Stop1 = addItem(run, "Stop1", &TRecordForm::SeSkinSpeedButton6Click);
    Starting1->setEnabled(false);
    Stop1->setEnabled(false);
    QMenu *view = m_viewMenu = MainMenu1->addMenu(QString());
    view->setObjectName(QStringLiteral("View1"));
    BackwardCompression1 = addItem(view, "BackwardCompression1", &TRecordForm::SeSkinSpeedButton7Click);
    ForwardExpansion1 = addItem(view, "ForwardExpansion1", &TRecordForm::SeSkinSpeedButton8Click);
    MoveLeft1 = addItem(view, "MoveLeft1", &TRecordForm::SeSkinSpeedButton9Click);
    MoveRight1 = addItem(view, "MoveRight1", &TRecordForm::SeSkinSpeedButton10Click);
}

void TRecordForm::buildToolBar()
{
    SeSkinToolBar1 = new QToolBar(this);
    SeSkinToolBar1->setObjectName(QStringLiteral("SeSkinToolBar1"));
    SeSkinToolBar1->setIconSize(ToolGlyphSize);
    const auto addButton = [this](const char *name, const QIcon &icon, void (TRecordForm::*handler)()) {
        auto *button = new QToolButton(SeSkinToolBar1);
        button->setObjectName(QLatin1String(name));
        button->setIcon(icon);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, handler);
        SeSkinToolBar1->addWidget(button);
        return button;
    };
    SeSkinSpeedButton1
        = addButton("SeSkinSpeedButton1", toolIcon("Open"), &TRecordForm::SeSkinSpeedButton1Click);
    SeSkinSpeedButton12
        = addButton("SeSkinSpeedButton12", toolIcon("New"), &TRecordForm::SeSkinSpeedButton12Click);
    SeSkinSpeedButton3
        = addButton("SeSkinSpeedButton3", toolIcon("Print"), &TRecordForm::SeSkinSpeedButton3Click);
    SeSkinToolBar1->addSeparator();
    SeSkinSpeedButton4
        = addButton("SeSkinSpeedButton4", toolIcon("Setting"), &TRecordForm::SeSkinSpeedButton4Click);
    SeSkinToolBar1->addSeparator();
    SeSkinSpeedButton5
        = addButton("SeSkinSpeedButton5", toolIcon("RecordStart"), &TRecordForm::SeSkinSpeedButton5Click);
    SeSkinSpeedButton6
        = addButton("SeSkinSpeedButton6", toolIcon("Stop"), &TRecordForm::SeSkinSpeedButton6Click);
    SeSkinSpeedButton5->setEnabled(false);
    SeSkinSpeedButton6->setEnabled(false);
    SeSkinToolBar1->addSeparator();
    SeSkinSpeedButton11 = addButton("SeSkinSpeedButton11", QIcon(), &TRecordForm::SeSkinSpeedButton11Click);
    SeSkinSpeedButton9
        = addButton("SeSkinSpeedButton9", toolIcon("MoveLeft"), &TRecordForm::SeSkinSpeedButton9Click);
    SeSkinSpeedButton10
        = addButton("SeSkinSpeedButton10", toolIcon("MoveRight"), &TRecordForm::SeSkinSpeedButton10Click);
    SeSkinSpeedButton7
        = addButton("SeSkinSpeedButton7", toolIcon("ZoomOut"), &TRecordForm::SeSkinSpeedButton7Click);
    SeSkinSpeedButton8
        = addButton("SeSkinSpeedButton8", toolIcon("ZoomIn"), &TRecordForm::SeSkinSpeedButton8Click);
    // The face of record mode, quietly: a missing picture is reported when the mode switches.
    const QPixmap face = LoadPenPicture(QStringLiteral("12.dat"));
    if (!face.isNull())
        SeSkinSpeedButton11->setIcon(QIcon(face));
}

void TRecordForm::buildChart()
{
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->installEventFilter(this);
    Panel2 = new QWidget(GroupBox1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel13 = new QWidget(Panel2);
    Panel13->setObjectName(QStringLiteral("Panel13"));
    Panel13->setAutoFillBackground(true);
    QPalette white = Panel13->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel13->setPalette(white);
    for (int ch = 0; ch < RecordChannels; ++ch) {
        Image[ch] = new QLabel(Panel13);
        Image[ch]->setObjectName(QStringLiteral("Image%1").arg(ch + 1));
        Image[ch]->setGeometry(0, 0, 25, 14);
        Image[ch]->setScaledContents(true);
    }
    Pic4 = new ChartPaintBox(&TraceSurface, Panel2);
    Pic4->setObjectName(QStringLiteral("Pic4"));
    connect(Pic4, &ChartPaintBox::mouseMoved, this, [this](int x, int) { Pic4MouseMove(x); });
    connect(Pic4, &ChartPaintBox::doubleClicked, this, &TRecordForm::Pic4DblClick);
    Pic5 = new ChartPaintBox(&AxisSurface, Panel2);
    Pic5->setObjectName(QStringLiteral("Pic5"));
    SeSkinScrollBar1 = new QScrollBar(Qt::Horizontal, Panel2);
    SeSkinScrollBar1->setObjectName(QStringLiteral("SeSkinScrollBar1"));
    SeSkinScrollBar1->setRange(0, ScrollSteps);
    connect(SeSkinScrollBar1, &QScrollBar::valueChanged, this, &TRecordForm::SeSkinScrollBar1Change);
    SeSkinButton19 = new QPushButton(Panel2);
    SeSkinButton19->setObjectName(QStringLiteral("SeSkinButton19"));
    SeSkinButton19->setIcon(toolIcon("Range"));
    SeSkinButton19->setIconSize(QSize(11, 11));
    SeSkinButton19->resize(17, 17);
    connect(SeSkinButton19, &QPushButton::clicked, this, &TRecordForm::SeSkinButton19Click);
    TrackBar1 = new QSlider(Qt::Horizontal, Panel2);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, TrackMaximum);
    TrackBar1->setValue(TrackMaximum);
    TrackBar1->hide();
    connect(TrackBar1, &QSlider::valueChanged, this, &TRecordForm::TrackBar1Change);
    iLedArrow1 = new ArrowMarker(Panel2);
    iLedArrow1->setObjectName(QStringLiteral("iLedArrow1"));
    iLedArrow1->move(25, 2);
}

void TRecordForm::buildChannels()
{
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *grid = new QGridLayout(GroupBox2);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    static const int upNumbers[RecordChannels] = { 3, 4, 7, 10, 13, 16 };
    static const int downNumbers[RecordChannels] = { 2, 5, 8, 11, 14, 17 };
    static const int onOffNumbers[RecordChannels] = { 1, 6, 9, 12, 15, 18 };
    // Made once for the six channels' buttons.
    const QIcon scaleUpIcon = toolIcon("ScaleUp");
    const QIcon scaleDownIcon = toolIcon("ScaleDown");
    const QIcon onOffIcon = toolIcon("Channel");
    const auto makeButton = [this](int number, const QIcon &icon) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("SeSkinButton%1").arg(number));
        button->setFixedSize(28, 28);
        button->setIcon(icon);
        return button;
    };
    for (int ch = 0; ch < RecordChannels; ++ch) {
        auto *panel = new QFrame(GroupBox2);
        ChannelPanel[ch] = panel;
        panel->setObjectName(QStringLiteral("Panel%1").arg(ch + 3));
        panel->setFrameShape(QFrame::StyledPanel);
        auto *row = new QHBoxLayout(panel);
        row->setContentsMargins(3, 1, 3, 1);
        row->setSpacing(4);
        QLabel *tag = new QLabel(QStringLiteral("CH%1 ").arg(ch + 1), panel);
        tag->setObjectName(QStringLiteral("Label%1").arg(ch + 1));
        tag->setAutoFillBackground(true);
        QPalette colours = tag->palette();
        colours.setColor(QPalette::Window, ChannelColours[ch]);
        colours.setColor(QPalette::WindowText, ch == 4 ? QColor(128, 128, 128) : QColor(Qt::white));
        tag->setPalette(colours);
        ChannelTag[ch] = tag;
        ChannelCaption[ch] = new QLabel(QStringLiteral("—"), panel);
        ChannelCaption[ch]->setObjectName(QStringLiteral("Label%1").arg(ch + 7));
        ChannelCaption[ch]->setMinimumWidth(100);
        ChannelValue[ch] = new QLabel(panel);
        ChannelValue[ch]->setObjectName(QStringLiteral("Label%1").arg(ch + 13));
        ChannelValue[ch]->setMinimumWidth(90);
        ScaleUpButton[ch] = makeButton(upNumbers[ch], scaleUpIcon);
        ScaleDownButton[ch] = makeButton(downNumbers[ch], scaleDownIcon);
        OnOffButton[ch] = makeButton(onOffNumbers[ch], onOffIcon);
        connect(ScaleUpButton[ch], &QPushButton::clicked, this, [this, ch] { ScaleUpClick(ch); });
        connect(ScaleDownButton[ch], &QPushButton::clicked, this, [this, ch] { ScaleDownClick(ch); });
        connect(OnOffButton[ch], &QPushButton::clicked, this, [this, ch] { ChannelOnOffClick(ch); });
        row->addWidget(tag);
        row->addWidget(ChannelCaption[ch]);
        row->addWidget(ChannelValue[ch], 1);
        for (QPushButton *button : { ScaleUpButton[ch], ScaleDownButton[ch], OnOffButton[ch] }) {
            button->setParent(panel);
            row->addWidget(button);
        }
        grid->addWidget(panel, ch % 3, ch / 3);
    }
    Panel9 = new QFrame(GroupBox2);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setFrameShape(QFrame::StyledPanel);
    Panel9->setMinimumWidth(180);
    auto *column = new QVBoxLayout(Panel9);
    column->setContentsMargins(4, 1, 4, 1);
    auto *title = m_cursorTitle = new QLabel(Panel9);
    title->setObjectName(QStringLiteral("Label21"));
    Label19 = new QLabel(Panel9);
    Label19->setObjectName(QStringLiteral("Label19"));
    Label20 = new QLabel(Panel9);
    Label20->setObjectName(QStringLiteral("Label20"));
    column->addWidget(title);
    column->addWidget(Label19);
    column->addWidget(Label20);
    grid->addWidget(Panel9, 0, 2, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void TRecordForm::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 7; ++i) {
        auto *panel = new QLabel(StatusBar1);
        const char *const source = PanelTexts[i];
        m_panelTexts[size_t(i)] = [source] { return tr(source); };
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i == 6)
            panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StatusBar1->addWidget(panel, i == 6 ? 1 : 0);
        m_panels[i] = panel;
    }
    // The seven panels fill the window's width: the notices get a row of their own, shown
    // only while one of them says something.
    NoticeBar = new QStatusBar(this);
    NoticeBar->setObjectName(QStringLiteral("NoticeBar"));
    NoticeBar->setSizeGripEnabled(false);
    NoticeBar->hide();
    for (int i : { SamplingNoticePanel, SavingNoticePanel }) {
        auto *panel = new QLabel(NoticeBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // Takes the room there is rather than widening the window; the tip holds the whole text.
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        panel->hide();
        NoticeBar->addWidget(panel, 1);
        m_panels[size_t(i)] = panel;
    }
}

QString TRecordForm::statusText(int panel) const
{
    return m_panels.at(panel)->text();
}

void TRecordForm::setStatusText(int panel, std::function<QString()> make)
{
    const QString text = make();
    setStatusText(panel, text);
    m_panelTexts.at(size_t(panel)) = std::move(make);
}

void TRecordForm::setStatusText(int panel, const QString &text)
{
    m_panelTexts.at(size_t(panel)) = nullptr;
    QLabel *label = m_panels.at(size_t(panel));
    label->setText(text);
    if (panel == SamplingNoticePanel || panel == SavingNoticePanel) {
        label->setToolTip(text);
        label->setVisible(!text.isEmpty());
        NoticeBar->setVisible(
            !statusText(SamplingNoticePanel).isEmpty() || !statusText(SavingNoticePanel).isEmpty());
    }
}

void TRecordForm::readSettings()
{
    // A value that is no whole number is reported; the keys after it keep their defaults.
    ShowingErrors([this] { ReadRecordSettings(Record.settings); });
    const RecordSettings &settings = Record.settings;
    if (const auto interval = SamplingIntervalMs(settings.samplingIndex)) {
        const int index = settings.samplingIndex;
        setStatusText(0, [index] { return SamplingStepText(index); });
        Timer1->setInterval(*interval);
    }
    if (const auto interval = SaveIntervalMs(settings.saveIndex)) {
        const int index = settings.saveIndex;
        setStatusText(1, [index] { return SaveStepText(index); });
        TimerSave->setInterval(*interval);
    }
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const int signal = settings.channelSignal[ch];
        if (!SignalEnglishCaption(signal).isEmpty())
            setChannelCaption(ch, [signal] { return SignalCaptionShown(signal, false); });
    }
}

void TRecordForm::applyRecordSettings(const RecordSettings &settings)
{
    if (const auto interval = SaveIntervalMs(settings.saveIndex)) {
        Record.settings.saveIndex = settings.saveIndex;
        const int index = settings.saveIndex;
        setStatusText(1, [index] { return SaveStepTextChinese(index); });
        TimerSave->setInterval(*interval);
    }
    if (const auto interval = SamplingIntervalMs(settings.samplingIndex)) {
        Record.settings.samplingIndex = settings.samplingIndex;
        const int index = settings.samplingIndex;
        setStatusText(0, [index] { return SamplingStepTextChinese(index); });
        Timer1->setInterval(*interval);
    }
    Record.settings.channelSignal = settings.channelSignal;
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const int signal = settings.channelSignal[ch];
        if (!SignalChineseCaption(signal).isEmpty())
            setChannelCaption(ch, [signal] { return SignalCaptionShown(signal, true); });
    }
}

void TRecordForm::setChannelCaption(int channel, std::function<QString()> make)
{
    ChannelCaption[size_t(channel)]->setText(make());
    m_captionTexts[size_t(channel)] = std::move(make);
}

void TRecordForm::retranslateUi()
{
    setWindowTitle(tr("Record "));
    setAccessibleName(windowTitle());
    m_fileMenu->setTitle(tr("File (&F)"));
    Open1->setText(tr("Open"));
    New1->setText(tr("New "));
    Print1->setText(tr("Print"));
    ExportCsv1->setText(tr("Export CSV..."));
    Exit1->setText(tr("Exit "));
    m_optionMenu->setTitle(tr("Option (&O)"));
    Setting1->setText(tr("Setting"));
    m_runMenu->setTitle(tr("Run (&R)"));
    Starting1->setText(tr("Starting"));
    Stop1->setText(tr("Stop"));
    m_viewMenu->setTitle(tr("View  (&V)"));
    BackwardCompression1->setText(tr("Backward Compression"));
    ForwardExpansion1->setText(tr("Forward Expansion"));
    MoveLeft1->setText(tr("Move Left "));
    MoveRight1->setText(tr("Move Right"));

    const std::pair<QToolButton *, QString> hints[] = { { SeSkinSpeedButton1, tr("Open") },
        { SeSkinSpeedButton12, tr("New") }, { SeSkinSpeedButton3, tr("Print") },
        { SeSkinSpeedButton4, tr("Setting") }, { SeSkinSpeedButton5, tr("Start") },
        { SeSkinSpeedButton6, tr("Stop") }, { SeSkinSpeedButton11, tr("Mode") },
        { SeSkinSpeedButton9, tr("Move Left") }, { SeSkinSpeedButton10, tr("Move Right") },
        { SeSkinSpeedButton7, tr("Backward Compression") }, { SeSkinSpeedButton8, tr("Forward Expansion") } };
    for (const auto &[button, hint] : hints) {
        button->setToolTip(hint);
        button->setAccessibleName(hint);
    }

    GroupBox1->setTitle(tr(" Record Wave  "));
    GroupBox1->setAccessibleName(GroupBox1->title());
    SeSkinButton19->setToolTip(tr("单击选择数据显示范围"));
    SeSkinButton19->setAccessibleName(SeSkinButton19->toolTip());
    TrackBar1->setToolTip(tr("Compression"));
    TrackBar1->setAccessibleName(TrackBar1->toolTip());
    GroupBox2->setTitle(tr(" 参数 "));
    GroupBox2->setAccessibleName(GroupBox2->title());
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const QString hints[3] = { tr("CH%1 scale up").arg(ch + 1), tr("CH%1 scale down").arg(ch + 1),
            tr("CH%1 on/off").arg(ch + 1) };
        QPushButton *const buttons[3] = { ScaleUpButton[ch], ScaleDownButton[ch], OnOffButton[ch] };
        for (int k = 0; k < 3; ++k) {
            buttons[k]->setToolTip(hints[k]);
            buttons[k]->setAccessibleName(hints[k]);
        }
        if (m_captionTexts[ch])
            ChannelCaption[ch]->setText(m_captionTexts[ch]());
    }
    m_cursorTitle->setText(tr("记录点日期时间：   "));
    if (m_cursorCaptions) {
        Label19->setText(tr("日期：   "));
        Label20->setText(tr("时间：   "));
        for (QLabel *value : ChannelValue)
            value->setText(tr("Value："));
    }
    for (size_t i = 0; i < m_panels.size(); ++i)
        if (m_panelTexts[i])
            setStatusText(int(i), m_panelTexts[i]);
}

void TRecordForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        // The chart's captions and the panels it writes are made as it is drawn.
        DrawChart();
    }
    QDialog::changeEvent(event);
}

bool TRecordForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == GroupBox1 && event->type() == QEvent::Resize)
        placeChart();
    return QDialog::eventFilter(watched, event);
}

void TRecordForm::placeChart()
{
    const int width = std::max(GroupBox1->width() - 10, 120);
    const int height = std::max(GroupBox1->height() - 21, 80);
    Panel2->setGeometry(5, 16, width, height);
    const int chartHeight = height - 17;
    Panel13->setGeometry(0, 0, 25, chartHeight);
    Pic4->setGeometry(25, 0, width - 75, chartHeight);
    Pic5->setGeometry(width - 50, 0, 50, chartHeight);
    SeSkinScrollBar1->setGeometry(0, chartHeight, width, 17);
    DrawChart();
    SeSkinButton19->move(Pic5->x() + 1, height - 36);
    SeSkinButton19->raise();
    TrackBar1->setGeometry(29, 4, width - 81, TrackBar1->sizeHint().height());
    TrackBar1->raise();
    iLedArrow1->raise();
}
