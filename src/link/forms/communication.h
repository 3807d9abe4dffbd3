#pragma once

// The connection window: where the instrument is (serial port, line speed, address). Its
// scan lists the ports that can be opened, recognises the instrument's own USB ports from
// the device inventory, opens the main window's serial component on the stored port and
// starts the settings read chain. Its timer watches the link while the instrument's USB
// port is in use and reopens the port after the adapter comes back.

#include "link/LinkWatch.h"
#include "link/PortScan.h"
#include "link/TComm.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

struct DeviceHolder;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;
class QVBoxLayout;

class TCommForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCommForm(QWidget *parent = nullptr);

    static constexpr int BaudRateCount = 8;
    // The speeds of ComboBox1, by index (the index is what SysSet.ini stores).
    static const std::array<TBaudRate, BaudRateCount> BaudRates;
    static const QStringList BaudRateItems;

    // The message box of a scan that finds the stored port missing, as the program has always
    // worded it (shown in the current language).
    static const QString PortNotFoundText;

    // Port list items: "COM5    " for an ordinary port, "COM5         Uses USB connected
    // KMR5150" for one of the instrument's own USB ports.
    static QString PortItemText(int portNumber, bool instrumentPort);
    // The port number of an item (characters 4 to 6, blanks trimmed); 0 when there is none.
    static int PortNumberOfItem(const QString &itemText);
    // Whether a typed key may reach the address box: digits and backspace are typed, keys
    // that type nothing (cursor, delete, dialog keys) pass; every other character is
    // discarded.
    static bool AddressKeyAllowed(const QKeyEvent &event);

    // Components
    QGroupBox *RadioGroup2 = nullptr; // " Interface  ": one radio button per port
    QGroupBox *GroupBox1 = nullptr;
    QComboBox *ComboBox1 = nullptr; // the eight speeds
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr; // the instrument address
    QPushButton *Button1 = nullptr; // "Scan Instrument"
    QPushButton *Button2 = nullptr; // "Exit"
    QTimer *Timer1 = nullptr; // link check, 100 ms, always running
    // Runs from a scan's first request until the instrument answers it.
    QTimer *AnswerTimer = nullptr;
    TComm *Comm1 = nullptr; // the window's own serial component, never opened

    // The connection: the instrument's port number (0 for none; the link watch moves it when
    // the instrument's USB device comes back under another number), the instrument's own USB
    // ports the last scan found, and whether a scan has finished (port choices before that
    // are the scan's own).
    uint8_t SelectedPort = 0;
    std::array<uint8_t, MaxInstrumentPorts> InstrumentPorts {};
    int InstrumentPortCount = 0;
    bool ScanReady = false;
    // The link check's tick counters: a request every LinkCheckAfter ticks and a reopen every
    // ReconnectAfter ticks over the instrument's USB port.
    int32_t LinkCheckTicks = 0;
    int32_t ReconnectTicks = 0;

    // Handlers. Each shows an error that ends it (a failed open, a stored value that is
    // no number, a failing inventory, an unwritable settings file) in an error box.
    void FormCreate(); // the scan; also "Scan Instrument"
    // Every text shown in the current language; again at each change of language.
    void retranslateUi();
    void RadioGroup2Click();
    void ComboBox1Change();
    void Edit1Change();
    void Timer1Timer();
    // No answer to the scan's first request: says so, naming port, speed and address.
    void AnswerTimerTimer();
    // The instrument answered the mode-byte request.
    void InstrumentAnswered();
    // Sampling started: the link check counts afresh from it.
    void RestartLinkCheck();

    // How long a scan waits for the instrument's first answer.
    static constexpr int AnswerWaitMs = 3000;

    // The main window's serial component, which the window opens, closes and sets up.
    void setMainComm(TComm *comm);
    TComm *MainComm() const { return m_mainComm; }

    // Sets the port of the main window's serial component to port n (1 to 255); 0 leaves
    // it as it is. Neither opens nor closes it.
    void SetCommPort(uint8_t portNumber);

    // Index of the chosen speed, -1 when none is chosen (the reply dispatcher paces its
    // wait by it).
    int SelectedBaudIndex() const;

    // The port list, for the window's own use and for tests.
    QStringList RadioGroup2Items() const;
    int RadioGroup2ItemIndex() const; // -1 when no item is selected
    QRadioButton *RadioGroup2Button(int index) const;

signals:
    // Text for the main window's status panel 0.
    void MainStatusChanged(const QString &text);
    // The main window's single and continuous sampling controls go on or off together.
    void SamplingControlsEnabled(bool enabled);
    // The chosen speed's index (-1 for none), by which the receive handler paces its wait.
    void BaudIndexChanged(int index);
    // The link watch opened a lost port again by itself.
    void LinkRestored();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Scan();
    void ClearPortList();
    void AddPortItem(int portNumber, bool instrumentPort);
    void SelectPortItem(int index);
    void ShowAddressValid(bool valid);

    TComm *m_mainComm = nullptr;
    QScrollArea *m_portScroll = nullptr;
    QWidget *m_portList = nullptr;
    QVBoxLayout *m_portLayout = nullptr;
    QButtonGroup *m_portGroup = nullptr;
    QList<QRadioButton *> m_portButtons;
    void StopAnswerWait();
    bool IsInstrumentPort(int portNumber) const;
    void ConnectFreedPort();

    bool m_awaitingAnswer = false; // the scan's first request has had no answer yet
    bool m_connectWhenFree = false; // the stored port was held at the scan; the watch waits for it
    bool m_quietAnswer = false; // the scan at a start with a file shows no message box
    bool m_inTimer = false; // an error box shown by the link check must not stack up
    LinkWatch m_linkWatch; // reopens any other port that was lost
};

extern TCommForm *CommForm;
