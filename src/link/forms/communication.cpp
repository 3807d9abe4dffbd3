#include "link/forms/communication.h"

#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/PortHolder.h"
#include "link/PortMessages.h"
#include "link/PortScan.h"
#include "link/PortTable.h"
#include "link/Registers.h"
#include "widgets/FormParts.h"
#include "widgets/TranslatedText.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

TCommForm *CommForm = nullptr;

namespace {

const QString BaudSection = QStringLiteral("CommBaudrate");
const QString BaudKey = QStringLiteral("Baudrate");
const QString PortSection = QStringLiteral("CommPort");
const QString PortKey = QStringLiteral("Port");
const QString AddressSection = QStringLiteral("CommAddress");
const QString AddressKey = QStringLiteral("Address");

// The item texts name the port first ("COM5"), whatever the language: PortNumberOfItem reads
// the number back from there.
const char *const InstrumentItemText
    = QT_TRANSLATE_NOOP("TCommForm", "COM%1         Uses USB connected KMR5150");
const char *const OrdinaryItemText = "COM%1    ";
// Whether a port item is one of the instrument's own USB ports.
constexpr char InstrumentPortProperty[] = "instrumentPort";

constexpr uint16_t LinkCheckCount = 15;
// Ticks of Timer1 after which the link check asks the instrument, and reopens the port.
constexpr int32_t LinkCheckAfter = 10;
constexpr int32_t ReconnectAfter = 15;

const QColor CaptionColor(0, 128, 128);
const QColor InvalidAddressColor(255, 0, 0);

void CountTick(int32_t &ticks)
{
    // The counters run for the whole life of the program; they must not wrap.
    if (ticks < std::numeric_limits<int32_t>::max())
        ++ticks;
}
} // namespace

const std::array<TBaudRate, TCommForm::BaudRateCount> TCommForm::BaudRates
    = { br4800, br9600, br14400, br19200, br38400, br57600, br76800, br115200 };

const QStringList TCommForm::BaudRateItems = { QStringLiteral("4.8Kbps"), QStringLiteral("9.6Kbps"),
    QStringLiteral("14.4Kbps"), QStringLiteral("19.2Kbps"), QStringLiteral("38.4Kbps"),
    QStringLiteral("57,6Kbps"), QStringLiteral("76.8Kbps"), QStringLiteral("115.2Kbps") };

const QString TCommForm::PortNotFoundText = PortNotFoundMessage(false);

TCommForm::TCommForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CommForm"));
    setFixedSize(326, 521);
    m_linkWatch.onPortMoved = [this](int port) { SelectedPort = static_cast<uint8_t>(port); };

    // Only the captions are teal; the controls inside keep their usual colours.
    const QString captionStyle = QStringLiteral("QGroupBox::title { color: rgb(%1, %2, %3); }")
                                     .arg(CaptionColor.red())
                                     .arg(CaptionColor.green())
                                     .arg(CaptionColor.blue());
    auto makeGroup = [&](const char *name, const char *caption, const QRect &geometry) {
        auto *group = new QGroupBox(this);
        SetTranslatedText(group, "title", "TCommForm", caption);
        group->setObjectName(QString::fromLatin1(name));
        group->setStyleSheet(captionStyle);
        group->setGeometry(geometry);
        return group;
    };

    RadioGroup2 = makeGroup("RadioGroup2", QT_TR_NOOP(" Interface  "), QRect(12, 8, 302, 300));
    // A computer may have many ports: the list scrolls rather than squeezing its items.
    m_portScroll = new QScrollArea(RadioGroup2);
    m_portScroll->setObjectName(QStringLiteral("RadioGroup2Items"));
    m_portScroll->setFrameShape(QFrame::NoFrame);
    m_portScroll->setWidgetResizable(true);
    m_portScroll->setGeometry(8, 22, 286, 270);
    m_portList = new QWidget;
    m_portLayout = new QVBoxLayout(m_portList);
    m_portLayout->setContentsMargins(4, 2, 4, 2);
    m_portLayout->addStretch();
    m_portScroll->setWidget(m_portList);
    m_portGroup = new QButtonGroup(this);
    m_portGroup->setExclusive(true);
    connect(m_portGroup, &QButtonGroup::buttonClicked, this, [this] { RadioGroup2Click(); });

    GroupBox1 = makeGroup("GroupBox1", QT_TR_NOOP("Baudrate "), QRect(12, 316, 302, 64));
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(BaudRateItems);
    // Nothing is chosen until the stored speed is read.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setGeometry(16, 26, 270, 26);
    // Only the user's choice is a change: the scan selects the stored speed silently.
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TCommForm::BaudIndexChanged);

    GroupBox2 = makeGroup("GroupBox2", QT_TR_NOOP("Address"), QRect(12, 388, 302, 64));
    Label1 = new QLabel(GroupBox2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 26, 150, 26);
    Edit1 = new QLineEdit(QStringLiteral("1"), GroupBox2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(170, 26, 116, 26);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(36, 470, 120, 32);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { FormCreate(); });
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(170, 470, 120, 32);
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);

    Comm1 = new TComm(this, QStringLiteral("Comm1"));

    Timer1 = MakeTimer(this, "Timer1", 100, &TCommForm::Timer1Timer);
    Timer1->start();
    AnswerTimer = MakeTimer(this, "AnswerTimer", AnswerWaitMs, &TCommForm::AnswerTimerTimer);
    AnswerTimer->setSingleShot(true);
    retranslateUi();
}

void TCommForm::retranslateUi()
{
    setWindowTitle(tr("Communication "));
    Label1->setText(tr("Address（1-255）：  "));
    Button1->setText(tr("Scan Instrument"));
    Button2->setText(tr("Exit"));
    // Group captions and the port items keep their source texts.
    RetranslateTexts(this);
}

void TCommForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TCommForm::AnswerTimerTimer()
{
    TComm *comm = MainComm();
    if (!m_awaitingAnswer || !comm || !comm->portOpen())
        return;
    m_awaitingAnswer = false;
    const QString text = NoAnswerMessage(SelectedPort, ComboBox1->currentText(), InstrumentAddress);
    emit MainStatusChanged(text);
    if (!m_quietAnswer)
        platform::dialogs().message(text, Dialogs::Icon::Warning);
}

void TCommForm::InstrumentAnswered()
{
    StopAnswerWait();
}

void TCommForm::StopAnswerWait()
{
    m_awaitingAnswer = false;
    if (AnswerTimer)
        AnswerTimer->stop();
}

QString TCommForm::PortItemText(int portNumber, bool instrumentPort)
{
    return instrumentPort ? tr(InstrumentItemText).arg(portNumber)
                          : QString::fromLatin1(OrdinaryItemText).arg(portNumber);
}

int TCommForm::PortNumberOfItem(const QString &itemText)
{
    bool ok = false;
    const int n = itemText.mid(3, 3).trimmed().toInt(&ok);
    return ok && n >= LowestPortNumber && n <= HighestPortNumber ? n : 0;
}

bool TCommForm::AddressKeyAllowed(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return true; // cursor keys and the like type nothing
    const Qt::KeyboardModifiers shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')
        && !(event.modifiers() & shortcut);
}

bool TCommForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // The editing shortcuts work as in any text box; a paste takes only the digits.
        if (key->matches(QKeySequence::Paste)) {
            QString digits;
            for (const QChar c : QGuiApplication::clipboard()->text())
                if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                    digits += c;
            Edit1->insert(digits);
            return true;
        }
        for (const auto shortcut : { QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                 QKeySequence::Undo, QKeySequence::Redo })
            if (key->matches(shortcut))
                return QDialog::eventFilter(watched, event);
        if (!AddressKeyAllowed(*key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TCommForm::setMainComm(TComm *comm)
{
    m_mainComm = comm;
}

void TCommForm::SetCommPort(uint8_t portNumber)
{
    if (portNumber == 0)
        return;
    if (TComm *comm = MainComm())
        comm->setCommPort(pnCOM(portNumber));
}

int TCommForm::SelectedBaudIndex() const
{
    return ComboBox1->currentIndex();
}

QStringList TCommForm::RadioGroup2Items() const
{
    QStringList items;
    for (const QRadioButton *button : m_portButtons)
        items << button->text();
    return items;
}

int TCommForm::RadioGroup2ItemIndex() const
{
    for (int i = 0; i < m_portButtons.size(); ++i) {
        if (m_portButtons[i]->isChecked())
            return i;
    }
    return -1;
}

QRadioButton *TCommForm::RadioGroup2Button(int index) const
{
    return index >= 0 && index < m_portButtons.size() ? m_portButtons[index] : nullptr;
}

void TCommForm::ClearPortList()
{
    for (QRadioButton *button : std::as_const(m_portButtons)) {
        m_portGroup->removeButton(button);
        delete button;
    }
    m_portButtons.clear();
}

void TCommForm::AddPortItem(int portNumber, bool instrumentPort)
{
    auto *button = new QRadioButton(m_portList);
    if (instrumentPort)
        SetTranslatedText(button, "text", "TCommForm", InstrumentItemText, { QString::number(portNumber) });
    else
        button->setText(PortItemText(portNumber, false));
    button->setProperty(InstrumentPortProperty, instrumentPort);
    button->setObjectName(QStringLiteral("RadioGroup2Item%1").arg(m_portButtons.size()));
    m_portGroup->addButton(button);
    // Before the stretch that keeps the items at the top.
    m_portLayout->insertWidget(m_portLayout->count() - 1, button);
    m_portButtons.append(button);
}

void TCommForm::SelectPortItem(int index)
{
    // Setting the check emits no click: a selection made by the scan chooses nothing.
    if (QRadioButton *button = RadioGroup2Button(index))
        button->setChecked(true);
}

void TCommForm::FormCreate()
{
    ShowingErrors([this] { Scan(); });
}

void TCommForm::Scan()
{
    TComm *comm = MainComm();
    if (!comm)
        return;
    ScanReady = false;
    StopAnswerWait();
    emit MainStatusChanged(tr("Scan Communication Port"));
    const IniFile settings(SettingsFileName);

    const int baudIndex = settings.readInteger(BaudSection, BaudKey);
    const bool knownSpeed = baudIndex >= 0 && baudIndex < BaudRateCount;
    ComboBox1->setCurrentIndex(knownSpeed ? baudIndex : -1);
    if (knownSpeed)
        comm->setBaudRate(BaudRates[baudIndex]);

    // A stored number outside the port range names no port (rather than another one).
    const int port = settings.readInteger(PortSection, PortKey);
    SelectedPort = port >= LowestPortNumber && port <= HighestPortNumber ? static_cast<uint8_t>(port) : 0;

    Edit1->setText(settings.readString(AddressSection, AddressKey));
    const int address = settings.readInteger(AddressSection, AddressKey);
    InstrumentAddress = address >= 1 && address <= 255 ? static_cast<uint8_t>(address) : 0;

    // The port is probed below like every other one.
    if (comm->portOpen())
        comm->setPortOpen(false);

    const QList<int> instrumentPorts
        = InstrumentPortsFromInventory(platform::inventory().serialDevices(), UsbDeviceIdMark);
    InstrumentPorts.fill(0);
    InstrumentPortCount = 0;
    for (const int n : instrumentPorts)
        InstrumentPorts[InstrumentPortCount++] = static_cast<uint8_t>(n);

    ClearPortList();
    UsbLink = 2;
    int selected = -1;
    for (const int n : ProbePorts(LowestPortNumber, HighestPortNumber)) {
        const bool instrumentPort = IsInstrumentPort(n);
        AddPortItem(n, instrumentPort);
        if (n == SelectedPort) {
            if (instrumentPort)
                UsbLink = 1;
            selected = static_cast<int>(m_portButtons.size()) - 1;
            SelectPortItem(selected);
        }
    }

    // The command-line file spares the user the message at the start of the run only.
    const bool quiet = StartedWithFile;
    StartedWithFile = false;
    m_connectWhenFree = false;
    if (selected < 0) {
        // A port that is there but held by a running program is not "not found": say who
        // holds it, and take it as soon as it is let go.
        const QString path = SelectedPort ? platform::portMap().devicePath(SelectedPort) : QString();
        const DeviceHolder holder
            = path.isEmpty() ? DeviceHolder {} : PortHolder(QFileInfo(path).canonicalFilePath());
        if (!quiet)
            platform::dialogs().message(
                holder.pid != 0 ? PortInUseMessage(SelectedPort, holder) : PortNotFoundMessage(true),
                Dialogs::Icon::None);
        emit SamplingControlsEnabled(false);
        emit MainStatusChanged(tr("Failed,The machine is not connected") + HeldPortNote(SelectedPort));
        if (holder.pid != 0) {
            SetCommPort(SelectedPort);
            m_linkWatch.watchFor(SelectedPort);
            m_connectWhenFree = true;
        }
    } else {
        SetCommPort(SelectedPort);
        if (!comm->portOpen())
            comm->setPortOpen(true);
        emit MainStatusChanged(tr("Communications port is open"));
        emit SamplingControlsEnabled(true);
        AlarmReadStep = 0;
        if (!SendReadRequest(InstrumentAddress, RegMode, 2)) {
            platform::dialogs().message(tr("Failed,The machine is not connected! "));
        } else {
            // Opening a port proves nothing about the instrument: wait for its answer.
            m_quietAnswer = quiet;
            m_awaitingAnswer = true;
            AnswerTimer->start();
        }
    }
    ScanReady = true;
}

void TCommForm::RadioGroup2Click()
{
    if (!ScanReady)
        return;
    const QRadioButton *button = RadioGroup2Button(RadioGroup2ItemIndex());
    TComm *comm = MainComm();
    if (!button || !comm)
        return;
    const int n = PortNumberOfItem(button->text());
    if (n == 0)
        return;
    // No request goes out on a manual choice: there is no answer to wait for.
    StopAnswerWait();
    m_connectWhenFree = false;
    ShowingErrors([&] {
        IniFile(SettingsFileName).writeInteger(PortSection, PortKey, n);
        SelectedPort = static_cast<uint8_t>(n);
        comm->setPortOpen(false);
        SetCommPort(SelectedPort);
        UsbLink = button->property(InstrumentPortProperty).toBool() ? 1 : 0;
        if (!comm->portOpen())
            comm->setPortOpen(true);
        emit MainStatusChanged(tr("Connect "));
        emit SamplingControlsEnabled(true);
    });
}

void TCommForm::ComboBox1Change()
{
    ShowingErrors([this] {
        const int index = ComboBox1->currentIndex();
        if (index < 0 || index >= BaudRateCount)
            return;
        StopAnswerWait();
        IniFile(SettingsFileName).writeInteger(BaudSection, BaudKey, index);
        TComm *comm = MainComm();
        if (!comm)
            return;
        comm->setBaudRate(BaudRates[index]);
        if (comm->portOpen()) {
            comm->setPortOpen(false);
            comm->setPortOpen(true);
        }
    });
}

void TCommForm::Edit1Change()
{
    // The scan's own request went to the address it had.
    StopAnswerWait();
    const QString text = Edit1->text();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 255) {
        // Empty, 0, above 255 or no number at all: requests carry address 0, which no
        // instrument answers, until the entry is valid again; the file keeps its value.
        InstrumentAddress = 0;
        ShowAddressValid(false);
        return;
    }
    InstrumentAddress = static_cast<uint8_t>(value);
    ShowAddressValid(true);
    ShowingErrors([&] { IniFile(SettingsFileName).writeString(AddressSection, AddressKey, text); });
}

void TCommForm::ShowAddressValid(bool valid)
{
    QPalette palette = Edit1->palette();
    palette.setColor(
        QPalette::Text, valid ? QApplication::palette(Edit1).color(QPalette::Text) : InvalidAddressColor);
    Edit1->setPalette(palette);
}

void TCommForm::ConnectFreedPort()
{
    // What the scan does after opening the port: the held port is now the instrument's.
    m_connectWhenFree = false;
    emit SamplingControlsEnabled(true);
    AlarmReadStep = 0;
    if (SendReadRequest(InstrumentAddress, RegMode, 2)) {
        m_quietAnswer = false;
        m_awaitingAnswer = true;
        AnswerTimer->start();
    }
}

void TCommForm::RestartLinkCheck()
{
    LinkCheckTicks = 0;
    ReconnectTicks = 0;
}

bool TCommForm::IsInstrumentPort(int portNumber) const
{
    for (int i = 0; i < InstrumentPortCount; ++i) {
        if (InstrumentPorts[i] == portNumber)
            return true;
    }
    return false;
}

void TCommForm::Timer1Timer()
{
    CountTick(LinkCheckTicks);
    CountTick(ReconnectTicks);
    if (UsbLink != 1 && !m_inTimer && MainComm())
        if (const QString status = m_linkWatch.tick(*MainComm()); !status.isEmpty()) {
            emit MainStatusChanged(status);
            if (MainComm()->portOpen()) {
                if (m_connectWhenFree)
                    ConnectFreedPort();
                else
                    emit LinkRestored();
            }
        }
    if (UsbLink != 1 || m_inTimer)
        return;
    m_inTimer = true;
    const auto done = qScopeGuard([this] { m_inTimer = false; });

    if (LinkCheckTicks > LinkCheckAfter) {
        LinkCheckTicks = 0;
        SendReadRequest(InstrumentAddress, RegLinkWatch, LinkCheckCount);
    }
    if (ReconnectTicks > ReconnectAfter) {
        ReconnectTicks = 0;
        TComm *comm = MainComm();
        if (!comm)
            return;
        // Closing and probing notices an adapter that was pulled and plugged in again,
        // which an open handle never does.
        comm->setPortOpen(false);
        if (!ProbePort(SelectedPort)) {
            emit MainStatusChanged(tr("Connection Failure!"));
            return;
        }
        ShowingErrors([&] {
            comm->setPortOpen(true);
            emit MainStatusChanged(tr("Connected!"));
            LinkCheckTicks = 0;
            SendReadRequest(InstrumentAddress, RegLinkWatch, LinkCheckCount);
        });
    }
}
