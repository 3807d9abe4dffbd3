// The connection window on fake ports and a fake device inventory: the scan at start and on
// "Scan Instrument", the recognition of the instrument's USB port, the port list, speed and
// address, the key filter, and the link check with its reconnect.

#include "link/forms/MainFixture.h"

#include "base/Errors.h"
#include "base/IniFile.h"
#include "link/PortScan.h"

#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <ostream>
#include <set>
#include <vector>

// Failure output shows texts, not their bytes.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString Mark = QStringLiteral("5732");

InventoryEntry Device(const QString &id, const QString &name)
{
    InventoryEntry entry;
    entry.pnpDeviceId = id;
    entry.name = name;
    return entry;
}

InventoryEntry InstrumentDevice(int port)
{
    return Device(QStringLiteral("USB\\VID_1A86&PID_5732\\KMR%1").arg(port),
        QStringLiteral("KMR5150 USB Port (COM%1)").arg(port));
}

class FakeInventory final : public DeviceInventory
{
public:
    FakeInventory() { platform::install(this); }
    ~FakeInventory() override { platform::install(static_cast<DeviceInventory *>(nullptr)); }

    QList<InventoryEntry> serialDevices() override
    {
        ++queries;
        if (!failure.isEmpty())
            throw KmrError(failure);
        return devices;
    }

    QList<InventoryEntry> devices;
    QString failure; // thrown when set
    int queries = 0;
};

QString PortPath(int n)
{
    return QStringLiteral("/dev/fake%1").arg(n);
}

// The main window and the connection window on fake ports. Timer1 is stopped so that a
// test drives the link check tick by tick.
class CommForm_ : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        RequestBuffer.fill(0);
        main = std::make_unique<TMainForm>();
        MainForm = main.get();
        form = new TCommForm(main.get());
        ConnectCommAndMain(form, main.get());
        CommForm = form;
        form->Timer1->stop();
        ASSERT_EQ(UsbDeviceIdMark, Mark);
    }

    void TearDown() override
    {
        CommForm = nullptr;
        MainForm = nullptr;
        main.reset();
        ResetGlobals();
    }

    FakePort &addPort(int n)
    {
        ports.paths[n] = PortPath(n);
        return serial.port(PortPath(n));
    }
    FakePort &port(int n) { return serial.port(PortPath(n)); }

    void store(const QString &section, const QString &key, const QString &value)
    {
        IniFile(QStringLiteral("SysSet.ini")).writeString(section, key, value);
    }
    QString stored(const QString &section, const QString &key) const
    {
        return IniFile(QStringLiteral("SysSet.ini")).readString(section, key, QStringLiteral("(none)"));
    }
    void storePort(int n) { store(QStringLiteral("CommPort"), QStringLiteral("Port"), QString::number(n)); }

    TComm &comm() { return *main->Comm1; }
    QString status() const { return main->statusText(TMainForm::PanelCommunication); }
    bool samplingEnabled() const
    {
        const bool all = main->SeSkinSpeedButton7->isEnabled() && main->SeSkinSpeedButton8->isEnabled()
            && main->N12->isEnabled() && main->N13->isEnabled();
        const bool none = !main->SeSkinSpeedButton7->isEnabled() && !main->SeSkinSpeedButton8->isEnabled()
            && !main->N12->isEnabled() && !main->N13->isEnabled();
        EXPECT_TRUE(all || none) << "the four sampling controls are switched together";
        return all;
    }

    // Connects through a first scan on port n.
    void connectTo(int n)
    {
        storePort(n);
        form->FormCreate();
        ASSERT_TRUE(comm().portOpen());
        ASSERT_EQ(comm().commPort(), pnCOM(n));
        port(n).written.clear();
        dialogs.messages.clear();
    }

    FakeSerialBackend serial;
    FakePortMap ports;
    FakeInventory inventory;
    FakeDialogs dialogs;
    FakeClock clock;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> main;
    TCommForm *form = nullptr;
};

TEST_F(CommForm_, WindowAndComponents)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("CommForm"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Communication "));
    EXPECT_EQ(form->size(), QSize(326, 521));
    EXPECT_EQ(form->RadioGroup2->title(), QStringLiteral(" Interface  "));
    EXPECT_EQ(form->GroupBox1->title(), QStringLiteral("Baudrate "));
    EXPECT_EQ(form->GroupBox2->title(), QStringLiteral("Address"));
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Address（1-255）：  "));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Scan Instrument"));
    EXPECT_EQ(form->Button2->text(), QStringLiteral("Exit"));
    QStringList speeds;
    for (int i = 0; i < form->ComboBox1->count(); ++i)
        speeds << form->ComboBox1->itemText(i);
    EXPECT_EQ(speeds,
        QStringList({ "4.8Kbps", "9.6Kbps", "14.4Kbps", "19.2Kbps", "38.4Kbps", "57,6Kbps", "76.8Kbps",
            "115.2Kbps" }));
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    for (const char *name : { "RadioGroup2", "GroupBox1", "ComboBox1", "GroupBox2", "Label1", "Edit1",
             "Button1", "Button2", "Timer1", "Comm1" })
        EXPECT_NE(form->findChild<QObject *>(QString::fromLatin1(name)), nullptr) << name;

    // The link check runs from creation on, whether the window is shown or not.
    TCommForm fresh(main.get());
    EXPECT_TRUE(fresh.Timer1->isActive());
    EXPECT_EQ(fresh.Timer1->interval(), 100);
    EXPECT_FALSE(fresh.isVisible());

    // The window's own serial component is never opened, not even by a scan.
    addPort(2);
    form->FormCreate();
    EXPECT_TRUE(comm().portOpen());
    EXPECT_FALSE(form->Comm1->portOpen());
    EXPECT_EQ(form->Comm1->rThreshold(), 0u);
    EXPECT_NE(form->Comm1, main->Comm1);
}

TEST_F(CommForm_, GroupCaptionsAreTealAndTheirContentsAreNot)
{
    const auto tealPixels = [](QWidget *widget, int rows) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < std::min(rows, image.height()); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count
                    += c.red() < 60 && c.green() > 80 && c.blue() > 80 && std::abs(c.green() - c.blue()) < 30;
            }
        }
        return count;
    };
    for (QGroupBox *group : { form->RadioGroup2, form->GroupBox1, form->GroupBox2 })
        EXPECT_GT(tealPixels(group, 20), 10) << qPrintable(group->objectName());
    EXPECT_EQ(tealPixels(form->Label1, form->Label1->height()), 0);
}

TEST_F(CommForm_, ShownCentredOnTheMainWindow)
{
    main->setGeometry(100, 80, 895, 615);
    main->show();
    form->show();
    EXPECT_LE((form->frameGeometry().center() - main->frameGeometry().center()).manhattanLength(), 4);
    form->Button2->click();
    EXPECT_FALSE(form->isVisible());
    main->hide();
}

TEST_F(CommForm_, NoSettingsFileGivesSpeedIndex2Port2Address2AndWritesTheAddressAtOnce)
{
    for (int n : { 1, 2, 3 })
        addPort(n);
    form->FormCreate();

    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(comm().baudRate(), br14400);
    EXPECT_EQ(form->SelectedPort, 2);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("2"));
    EXPECT_EQ(InstrumentAddress, 2);
    // Only the address is written; speed and port only when the user changes them.
    const IniFile ini(QStringLiteral("SysSet.ini"));
    EXPECT_EQ(ini.keys(QStringLiteral("CommAddress")), QStringList({ "Address" }));
    EXPECT_EQ(stored("CommAddress", "Address"), QStringLiteral("2"));
    EXPECT_TRUE(ini.keys(QStringLiteral("CommPort")).isEmpty());
    EXPECT_TRUE(ini.keys(QStringLiteral("CommBaudrate")).isEmpty());

    EXPECT_EQ(form->RadioGroup2Items(), QStringList({ "COM1    ", "COM2    ", "COM3    " }));
    EXPECT_EQ(form->RadioGroup2ItemIndex(), 1);
    EXPECT_TRUE(comm().portOpen());
    EXPECT_EQ(comm().commPort(), pnCOM(2));
    EXPECT_TRUE(serial.isOpen(PortPath(2)));
    // The settings read chain starts with the mode byte, at the stored address.
    EXPECT_EQ(port(2).written.toHex(), ReadFrame(128, 2, 2).toHex());
    EXPECT_EQ(status(), QStringLiteral("Communications port is open"));
    EXPECT_TRUE(samplingEnabled());
    EXPECT_EQ(UsbLink, 2);
    EXPECT_EQ(AlarmReadStep, 0);
    EXPECT_TRUE(form->ScanReady);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommForm_, StoredSettingsAreApplied)
{
    struct Case
    {
        const char *baud;
        int expectedIndex;
        TBaudRate expectedRate; // the port's speed before the scan is br9600
        const char *address;
        uint8_t expectedAddress;
    } cases[] = {
        { "0", 0, br4800, "1", 1 },
        { "7", 7, br115200, "255", 255 },
        { "5", 5, br57600, "017", 17 },
        // A speed outside the list selects nothing and leaves the port's speed alone.
        { "8", -1, br9600, "2", 2 },
        { "-1", -1, br9600, "2", 2 },
        // An address outside 1 to 255 is shown in red and carried as 0.
        { "3", 3, br19200, "300", 0 },
        { "3", 3, br19200, "0", 0 },
    };
    addPort(4);
    storePort(4);
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.baud) + " / " + c.address);
        comm().setPortOpen(false);
        comm().setBaudRate(br9600);
        store("CommBaudrate", "Baudrate", QString::fromLatin1(c.baud));
        store("CommAddress", "Address", QString::fromLatin1(c.address));
        port(4).written.clear();
        form->FormCreate();
        EXPECT_EQ(form->ComboBox1->currentIndex(), c.expectedIndex);
        EXPECT_EQ(comm().baudRate(), c.expectedRate);
        ASSERT_NE(port(4).lastSettings(), nullptr);
        EXPECT_EQ(port(4).lastSettings()->baud, BaudRateSpeed(c.expectedRate));
        EXPECT_EQ(form->Edit1->text(), QString::fromLatin1(c.address));
        EXPECT_EQ(InstrumentAddress, c.expectedAddress);
        EXPECT_EQ(port(4).written.toHex(), ReadFrame(128, 2, c.expectedAddress).toHex());
        EXPECT_EQ(stored("CommAddress", "Address"), QString::fromLatin1(c.address));
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(CommForm_, InstrumentUsbPortIsRecognisedFromTheInventory)
{
    const QString ordinaryId = QStringLiteral("USB\\VID_0403&PID_6001\\A50285BI");
    struct Case
    {
        const char *name;
        QList<InventoryEntry> devices;
        std::vector<int> present;
        int storedPort;
        QStringList items;
        int selected;
        uint8_t usbLink;
        std::vector<int> instrumentPorts;
    } cases[] = {
        { "stored USB port 5", { Device(ordinaryId, "USB Serial Port (COM3)"), InstrumentDevice(5) },
            { 3, 5 }, 5, { "COM3    ", "COM5         Uses USB connected KMR5150" }, 1, 1, { 5 } },
        { "stored ordinary port 5", { Device(ordinaryId, "USB Serial Port (COM5)") }, { 3, 5 }, 5,
            { "COM3    ", "COM5    " }, 1, 2, {} },
        { "24-character name gives port 12",
            { Device("USB\\VID_1A86&PID_5732\\0001", "KMR5150 USB Port (COM12)") }, { 5, 12 }, 12,
            { "COM5    ", "COM12         Uses USB connected KMR5150" }, 1, 1, { 12 } },
        { "25-character name gives port 123",
            { Device("USB\\VID_1A86&PID_5732\\0001", "KMR5150 USB Port (COM123)") }, { 2, 123 }, 123,
            { "COM2    ", "COM123         Uses USB connected KMR5150" }, 1, 1, { 123 } },
        { "instrument port listed, another port stored", { InstrumentDevice(5) }, { 3, 5 }, 3,
            { "COM3    ", "COM5         Uses USB connected KMR5150" }, 0, 2, { 5 } },
        { "identifier without the mark",
            { Device("USB\\VID_1A86&PID_7523\\0001", "KMR5150 USB Port (COM5)") }, { 5 }, 5, { "COM5    " },
            0, 2, {} },
        { "instrument port unplugged", { InstrumentDevice(5) }, { 3 }, 3, { "COM3    " }, 0, 2, { 5 } },
        { "ports in increasing order, up to 255", { InstrumentDevice(9) }, { 255, 9, 1, 100 }, 100,
            { "COM1    ", "COM9         Uses USB connected KMR5150", "COM100    ", "COM255    " }, 2, 2,
            { 9 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        comm().setPortOpen(false);
        ports.paths.clear();
        for (int n : c.present)
            addPort(n);
        inventory.devices = c.devices;
        storePort(c.storedPort);
        form->FormCreate();
        EXPECT_EQ(form->RadioGroup2Items(), c.items);
        EXPECT_EQ(form->RadioGroup2ItemIndex(), c.selected);
        EXPECT_EQ(UsbLink, c.usbLink);
        EXPECT_EQ(std::vector<int>(form->InstrumentPorts.begin(),
                      form->InstrumentPorts.begin() + form->InstrumentPortCount),
            c.instrumentPorts);
        EXPECT_TRUE(comm().portOpen());
        EXPECT_EQ(comm().commPort(), pnCOM(c.storedPort));
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(CommForm_, PortNumberOfAnItem)
{
    struct Case
    {
        const char *item;
        int port;
    } cases[] = {
        { "COM5    ", 5 },
        { "COM12         Uses USB connected KMR5150", 12 },
        { "COM255    ", 255 },
        { "COM1", 1 },
        { "COM    ", 0 },
        { "", 0 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(TCommForm::PortNumberOfItem(QString::fromLatin1(c.item)), c.port) << c.item;
    for (int n : { 1, 9, 10, 99, 100, 255 })
        for (bool usb : { false, true })
            EXPECT_EQ(TCommForm::PortNumberOfItem(TCommForm::PortItemText(n, usb)), n);
}

TEST_F(CommForm_, MissingOrBusyStoredPortShowsTheMessageAndDisablesSampling)
{
    const QString expectedText = QStringLiteral(
        "       Did not find the default communication port! Please check：\r"
        "\r"
        "               Instrument power is turned on?\r"
        "               Lines of communication connecting apparatus\r"
        "               Change the USB port, please re-set in the communication settings！       ");
    struct Case
    {
        const char *name;
        int storedPort;
        bool startedWithFile;
        bool messageShown;
    } cases[] = {
        { "no such port", 9, false, true },
        { "port held by another program", 2, false, true },
        { "port 0", 0, false, true },
        { "number above 255 names no port", 257, false, true },
        { "started with a file", 9, true, false },
    };
    addPort(1);
    addPort(2).busy = true;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        main->SeSkinSpeedButton7->setEnabled(true);
        main->SeSkinSpeedButton8->setEnabled(true);
        StartedWithFile = c.startedWithFile;
        storePort(c.storedPort);
        form->FormCreate();

        EXPECT_EQ(form->RadioGroup2Items(), QStringList({ "COM1    " }));
        EXPECT_EQ(form->RadioGroup2ItemIndex(), -1);
        if (c.messageShown) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, expectedText);
            EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
        }
        EXPECT_FALSE(StartedWithFile);
        EXPECT_FALSE(samplingEnabled());
        EXPECT_EQ(status(), QStringLiteral("Failed,The machine is not connected"));
        EXPECT_FALSE(comm().portOpen());
        EXPECT_TRUE(port(1).written.isEmpty());
        EXPECT_TRUE(form->ScanReady);
        EXPECT_EQ(UsbLink, 2);
    }
}

TEST_F(CommForm_, CommandLineFileSparesTheMessageOnlyAtTheStartOfTheRun)
{
    addPort(2);
    StartedWithFile = true;
    form->FormCreate(); // connects
    ASSERT_TRUE(comm().portOpen());
    serial.unplug(PortPath(2));
    form->Button1->click();
    EXPECT_EQ(dialogs.texts(), QStringList({ TCommForm::PortNotFoundText }));
}

TEST_F(CommForm_, ScanInstrumentRebuildsTheList)
{
    addPort(2);
    form->FormCreate();
    ASSERT_EQ(form->RadioGroup2Items(), QStringList({ "COM2    " }));
    addPort(6);
    inventory.devices = { InstrumentDevice(6) };
    const int probesBefore = port(2).opens;
    form->Button1->click();
    EXPECT_EQ(
        form->RadioGroup2Items(), QStringList({ "COM2    ", "COM6         Uses USB connected KMR5150" }));
    EXPECT_EQ(form->RadioGroup2ItemIndex(), 0);
    // The connected port is closed so that it can be probed, then opened again.
    EXPECT_EQ(port(2).opens - probesBefore, 2);
    EXPECT_TRUE(comm().portOpen());
    EXPECT_EQ(inventory.queries, 2);
}

TEST_F(CommForm_, ErrorsEndTheScanAtTheirStep)
{
    struct Case
    {
        const char *name;
        std::function<void()> breakIt;
        const char *textPart;
        bool portStaysOpen; // the error came before the port was closed for probing
        bool listKeptOldItems;
    } cases[] = {
        { "speed is no number", [&] { store("CommBaudrate", "Baudrate", "fast"); }, "fast", true, true },
        { "port is no number", [&] { store("CommPort", "Port", "COM2"); }, "COM2", true, true },
        { "address is no number", [&] { store("CommAddress", "Address", "abc"); }, "abc", true, true },
        { "inventory fails", [&] { inventory.failure = QStringLiteral("inventory unavailable"); },
            "inventory unavailable", false, true },
        { "open fails after the probe", [&] { port(2).failSetupQueues = true; }, "Cannot setup comm buffer",
            false, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(IniFile(QStringLiteral("SysSet.ini")).path());
        inventory.failure.clear();
        ports.paths.clear();
        addPort(2).failSetupQueues = false;
        addPort(3);
        comm().setPortOpen(false);
        form->FormCreate();
        ASSERT_TRUE(comm().portOpen());
        ASSERT_TRUE(form->ScanReady);
        ports.paths.remove(3); // a changed list shows whether the scan got as far as the probe
        dialogs.messages.clear();
        port(2).written.clear();

        c.breakIt();
        form->Button1->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8(c.textPart)))
            << qPrintable(dialogs.messages[0].text);
        EXPECT_FALSE(form->ScanReady);
        EXPECT_EQ(comm().portOpen(), c.portStaysOpen);
        EXPECT_EQ(form->RadioGroup2Items().size(), c.listKeptOldItems ? 2 : 1);
        EXPECT_TRUE(port(2).written.isEmpty());
        EXPECT_EQ(status(), QStringLiteral("Scan Communication Port"));

        // A click on the list does nothing until a scan has ended.
        const QString storedPort = stored("CommPort", "Port");
        const int opens = port(2).opens;
        form->RadioGroup2Button(0)->click();
        EXPECT_EQ(port(2).opens, opens);
        EXPECT_EQ(stored("CommPort", "Port"), storedPort);
    }
}

TEST_F(CommForm_, FirstRequestThatCannotBeSentIsReported)
{
    addPort(2).failWrite = true;
    form->FormCreate();
    EXPECT_TRUE(comm().portOpen());
    EXPECT_EQ(dialogs.texts(), QStringList({ "Failed,The machine is not connected! " }));
    EXPECT_EQ(status(), QStringLiteral("Communications port is open"));
    EXPECT_TRUE(form->ScanReady);
}

TEST_F(CommForm_, ChoosingAPortWritesItAndConnectsWithoutARequest)
{
    addPort(2);
    addPort(3);
    addPort(5);
    inventory.devices = { InstrumentDevice(5) };
    connectTo(2);
    ASSERT_EQ(form->RadioGroup2Items(),
        QStringList({ "COM2    ", "COM3    ", "COM5         Uses USB connected KMR5150" }));

    struct Case
    {
        int item;
        int port;
        uint8_t usbLink;
    } cases[] = { { 1, 3, 0 }, { 2, 5, 1 }, { 0, 2, 0 }, { 2, 5, 1 } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.port);
        main->SeSkinSpeedButton7->setEnabled(false);
        main->SeSkinSpeedButton8->setEnabled(false);
        main->N12->setEnabled(false);
        main->N13->setEnabled(false);
        main->setStatusText(TMainForm::PanelCommunication, QString());
        form->RadioGroup2Button(c.item)->click();
        EXPECT_EQ(form->RadioGroup2ItemIndex(), c.item);
        EXPECT_EQ(stored("CommPort", "Port"), QString::number(c.port));
        EXPECT_EQ(form->SelectedPort, c.port);
        EXPECT_EQ(UsbLink, c.usbLink);
        EXPECT_TRUE(comm().portOpen());
        EXPECT_EQ(comm().commPort(), pnCOM(c.port));
        EXPECT_TRUE(serial.isOpen(PortPath(c.port)));
        for (int other : { 2, 3, 5 }) {
            if (other != c.port) {
                EXPECT_FALSE(serial.isOpen(PortPath(other))) << other;
            }
        }
        EXPECT_EQ(status(), QStringLiteral("Connect "));
        EXPECT_TRUE(samplingEnabled());
        for (int n : { 2, 3, 5 })
            EXPECT_TRUE(port(n).written.isEmpty()) << n;
    }
    EXPECT_TRUE(dialogs.messages.empty());

    // A port that cannot be opened any more: the error is shown and the handler ends there.
    port(3).busy = true;
    main->setStatusText(TMainForm::PanelCommunication, QString());
    form->RadioGroup2Button(1)->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.at(0).icon, Dialogs::Icon::Error);
    EXPECT_FALSE(comm().portOpen());
    EXPECT_EQ(status(), QString());
}

TEST_F(CommForm_, AddressKeyFilter)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    struct Case
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *expected; // typed on "12", cursor at the end
    } cases[] = {
        { "letter a", Qt::Key_A, Qt::NoModifier, "12" },
        { "digit 7", Qt::Key_7, Qt::NoModifier, "127" },
        { "digit 0", Qt::Key_0, Qt::NoModifier, "120" },
        { "keypad 9", Qt::Key_9, Qt::KeypadModifier, "129" },
        { "backspace", Qt::Key_Backspace, Qt::NoModifier, "1" },
        { "minus", Qt::Key_Minus, Qt::NoModifier, "12" },
        { "point", Qt::Key_Period, Qt::NoModifier, "12" },
        { "blank", Qt::Key_Space, Qt::NoModifier, "12" },
        { "paste keeps the digits", Qt::Key_V, Qt::ControlModifier, "129" },
        { "cut all", Qt::Key_X, Qt::ControlModifier, "12" }, // nothing selected yet
        { "cursor left, then nothing typed", Qt::Key_Left, Qt::NoModifier, "12" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form->Edit1->setText(QStringLiteral("12"));
        QTest::keyClick(form->Edit1, c.key, c.modifiers);
        EXPECT_EQ(form->Edit1->text(), QString::fromLatin1(c.expected));
    }
    // The cursor key did reach the box: a digit now lands before the last one.
    form->Edit1->setText(QStringLiteral("12"));
    QTest::keyClick(form->Edit1, Qt::Key_Left);
    QTest::keyClick(form->Edit1, Qt::Key_5);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("152"));
    // The clipboard holds more than the digits: the filter kept the rest out.
    form->Edit1->setText(QStringLiteral("12"));
    form->Edit1->paste();
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("12x9"));
    // Select all, cut and undo reach the box.
    form->Edit1->setText(QStringLiteral("12"));
    QTest::keyClick(form->Edit1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->Edit1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->Edit1->text(), QString());
    QTest::keyClick(form->Edit1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("12"));
}

TEST_F(CommForm_, AddressEntries)
{
    const QColor red(255, 0, 0);
    struct Case
    {
        const char *text;
        bool valid;
        uint8_t address;
    } cases[] = {
        { "17", true, 17 },
        { "1", true, 1 },
        { "255", true, 255 },
        { "0", false, 0 },
        { "", false, 0 },
        { "256", false, 0 },
        { "300", false, 0 },
        { "99999999999", false, 0 },
        { "x9", false, 0 },
        { "017", true, 17 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        form->Edit1->setText(QStringLiteral("5"));
        ASSERT_EQ(stored("CommAddress", "Address"), QStringLiteral("5"));
        form->Edit1->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(InstrumentAddress, c.address);
        EXPECT_EQ(
            stored("CommAddress", "Address"), c.valid ? QString::fromLatin1(c.text) : QStringLiteral("5"));
        EXPECT_EQ(form->Edit1->palette().color(QPalette::Text) == red, !c.valid);
    }
    form->Edit1->setText(QStringLiteral("8"));
    EXPECT_EQ(form->Edit1->palette().color(QPalette::Text),
        QApplication::palette(form->Edit1).color(QPalette::Text));
}

TEST_F(CommForm_, TypedAddressIsUsedForTheNextRequest)
{
    addPort(2);
    connectTo(2);
    form->Edit1->selectAll();
    QTest::keyClicks(form->Edit1, QStringLiteral("17"));
    EXPECT_EQ(stored("CommAddress", "Address"), QStringLiteral("17"));
    main->SeSkinSpeedButton7->click();
    EXPECT_EQ(port(2).written.toHex(), ReadFrame(148, 2, 17).toHex());
    main->SeSkinSpeedButton9->click();
}

TEST_F(CommForm_, SpeedChangeIsStoredAndReopensThePort)
{
    addPort(2);
    connectTo(2);
    ASSERT_EQ(form->ComboBox1->currentIndex(), 2);
    const uint32_t speeds[] = { 4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200 };
    // Down the list with the keyboard, then back up, as the user chooses.
    std::vector<int> order = { 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1, 0 };
    for (int index : order) {
        SCOPED_TRACE(index);
        const size_t purges = port(2).purges.size();
        const int opens = port(2).opens;
        QTest::keyClick(form->ComboBox1, index > form->ComboBox1->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(form->ComboBox1->currentIndex(), index);
        EXPECT_EQ(stored("CommBaudrate", "Baudrate"), QString::number(index));
        EXPECT_EQ(comm().baudRate(), TCommForm::BaudRates[index]);
        EXPECT_TRUE(comm().portOpen());
        EXPECT_EQ(port(2).opens - opens, 1);
        EXPECT_EQ(port(2).purges.size() - purges, 1u);
        EXPECT_EQ(port(2).lastSettings()->baud, speeds[index]);
    }
    // With the port closed the speed is stored and nothing is opened.
    comm().setPortOpen(false);
    const int opens = port(2).opens;
    QTest::keyClick(form->ComboBox1, Qt::Key_Down);
    EXPECT_EQ(stored("CommBaudrate", "Baudrate"), QStringLiteral("1"));
    EXPECT_EQ(comm().baudRate(), br9600);
    EXPECT_FALSE(comm().portOpen());
    EXPECT_EQ(port(2).opens, opens);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The ticks of the link check at which register 187 is asked for and the port is reopened.
struct WatchTrace
{
    std::vector<int> requestTicks;
    std::vector<int> reopenTicks;
};

class LinkCheck : public CommForm_
{
protected:
    WatchTrace run(int ticks, int portNumber)
    {
        WatchTrace trace;
        const QByteArray request = ReadFrame(187, 15, InstrumentAddress);
        for (int tick = 1; tick <= ticks; ++tick) {
            FakePort &p = port(portNumber);
            const size_t purges = p.purges.size();
            p.written.clear();
            form->Timer1Timer();
            if (!p.written.isEmpty()) {
                EXPECT_EQ(p.written.toHex(), request.toHex()) << "tick " << tick;
                trace.requestTicks.push_back(tick);
            }
            if (p.purges.size() != purges)
                trace.reopenTicks.push_back(tick);
        }
        return trace;
    }
};

TEST_F(LinkCheck, OverTheInstrumentPortAsksEvery11TicksAndReopensEvery16)
{
    addPort(5);
    inventory.devices = { InstrumentDevice(5) };
    store("CommAddress", "Address", "9");
    connectTo(5);
    ASSERT_EQ(UsbLink, 1);
    const WatchTrace trace = run(50, 5);
    EXPECT_EQ(trace.requestTicks, std::vector<int>({ 11, 16, 27, 32, 43, 48 }));
    EXPECT_EQ(trace.reopenTicks, std::vector<int>({ 16, 32, 48 }));
    EXPECT_TRUE(comm().portOpen());
    EXPECT_EQ(status(), QStringLiteral("Connected!"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LinkCheck, SamplingStartPutsBothCountersBack)
{
    addPort(5);
    inventory.devices = { InstrumentDevice(5) };
    connectTo(5);
    run(10, 5);
    main->SeSkinSpeedButton7->click();
    const WatchTrace trace = run(16, 5);
    EXPECT_EQ(trace.requestTicks, std::vector<int>({ 11, 16 }));
    EXPECT_EQ(trace.reopenTicks, std::vector<int>({ 16 }));
    main->SeSkinSpeedButton9->click();
}

TEST_F(LinkCheck, AnAdapterBackUnderAnotherNumberIsTheConnectionsPortFromThen)
{
    const auto adapter = [](int port) {
        InventoryEntry entry = Device(QStringLiteral("USB\\VID_0403&PID_6001\\A1"),
            QStringLiteral("USB Serial Port (COM%1)").arg(port));
        entry.portNumber = port;
        entry.devicePath = PortPath(port);
        return entry;
    };
    addPort(34);
    inventory.devices = { adapter(34) };
    connectTo(34);
    ASSERT_NE(UsbLink, 1);
    form->Timer1Timer(); // the watch takes note of the open port and its device
    serial.unplug(PortPath(34));
    comm().PollTick();
    ASSERT_FALSE(comm().portOpen());

    addPort(35);
    inventory.devices = { adapter(35) };
    run(LinkWatch::RetryTicks, 35);
    EXPECT_EQ(status(), QStringLiteral("Connected!"));
    EXPECT_EQ(comm().commPort(), pnCOM(35));
    EXPECT_EQ(int(form->SelectedPort), 35);
}

TEST_F(LinkCheck, DoesNothingButCountUnlessTheInstrumentPortIsSelected)
{
    addPort(3);
    addPort(5);
    inventory.devices = { InstrumentDevice(5) };
    struct Case
    {
        const char *name;
        std::function<void()> select;
        uint8_t usbLink;
    } cases[] = {
        { "scan chose an ordinary port", [&] { connectTo(3); }, 2 },
        { "user chose an ordinary port", [&] { form->RadioGroup2Button(0)->click(); }, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.select();
        ASSERT_EQ(UsbLink, c.usbLink);
        form->LinkCheckTicks = 0;
        form->ReconnectTicks = 0;
        const WatchTrace trace = run(40, 3);
        EXPECT_TRUE(trace.requestTicks.empty());
        EXPECT_TRUE(trace.reopenTicks.empty());
        EXPECT_EQ(form->LinkCheckTicks, 40);
        EXPECT_EQ(form->ReconnectTicks, 40);
        EXPECT_TRUE(comm().portOpen());
    }
}

TEST_F(LinkCheck, VanishedUsbPortShowsConnectionFailureUntilItComesBack)
{
    addPort(5);
    inventory.devices = { InstrumentDevice(5) };
    connectTo(5);
    serial.unplug(PortPath(5));
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        const WatchTrace trace = run(16, 5);
        EXPECT_TRUE(trace.reopenTicks.empty());
        EXPECT_EQ(status(), QStringLiteral("Connection Failure!"));
        EXPECT_FALSE(comm().portOpen());
    }
    serial.plugIn(PortPath(5));
    const WatchTrace trace = run(16, 5);
    EXPECT_EQ(trace.reopenTicks, std::vector<int>({ 16 }));
    EXPECT_EQ(trace.requestTicks, std::vector<int>({ 16 }));
    EXPECT_EQ(status(), QStringLiteral("Connected!"));
    EXPECT_TRUE(comm().portOpen());
    EXPECT_EQ(form->LinkCheckTicks, 0);
    // Requests while the port was gone were not sent and nothing was reported.
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(CommProbe, ProbeOfThisMachineIsQuick)
{
    // The production port map and serial devices: numbers without a device are passed
    // over without waiting.
    TempProgramDir programDir;
    QElapsedTimer timer;
    timer.start();
    ProbePorts(1, 255);
    EXPECT_LT(timer.elapsed(), 500);
}

} // namespace
