#pragma once

// The serial component: wraps one serial port, applies line settings, sends bytes and
// notices received bytes by polling the driver's queue every 100 ms.

#include "base/Errors.h"
#include "base/Platform.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

// Ordinal k stands for port number k + 1 (pnCOM1 = 0 … pnCOM255 = 254).
using TComPortNumber = uint8_t;
constexpr TComPortNumber pnCOM1 = 0;
constexpr TComPortNumber pnCOM2 = 1;
constexpr TComPortNumber pnCOM255 = 254;
constexpr TComPortNumber pnCOM(int portNumber)
{
    return static_cast<TComPortNumber>(portNumber - 1);
}

enum TBaudRate : uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br76800,
    br115200,
    br230400
};
enum THWHandShaking : uint8_t { hhNone, hhNoneRTSON, hhRTSCTS };
enum TSWHandShaking : uint8_t { shNone, shXonXoff };
enum TDataBits : uint8_t { DB5, DB6, DB7, DB8 };
enum class TParity : uint8_t { None, Odd, Even, Mark, Space };
enum TStopBits : uint8_t { SB1, SB1_5, SB2 };

// Bits per second of a TBaudRate value.
uint32_t BaudRateSpeed(TBaudRate rate);

// Modem-line event values reported in CommEvent.
enum ModemEventBits : uint32_t { EvCts = 8, EvDsr = 16, EvRlsd = 32, EvRing = 256 };

class TComm : public QObject
{
    Q_OBJECT

public:
    static constexpr uint32_t InputBufferSize = 16384;

    using TReceiveDataEvent = std::function<void(TComm *sender)>;
    using TReceiveErrorEvent = std::function<void(TComm *sender, uint32_t eventMask)>;
    using TModemStateChangeEvent = std::function<void(TComm *sender, uint32_t modemEvent)>;

    explicit TComm(QObject *owner = nullptr, const QString &name = QStringLiteral("Comm1"));
    ~TComm() override;

    // Published properties
    TComPortNumber commPort() const { return m_commPort; }
    void setCommPort(TComPortNumber port) { m_commPort = port; }
    bool portOpen() const { return m_portOpen; }
    void setPortOpen(bool open); // throws ECommError when the open fails
    TBaudRate baudRate() const { return m_baudRate; }
    void setBaudRate(TBaudRate rate);
    THWHandShaking hwHandShaking() const { return m_hwHandShaking; }
    void setHwHandShaking(THWHandShaking value);
    TSWHandShaking swHandShaking() const { return m_swHandShaking; }
    void setSwHandShaking(TSWHandShaking value);
    TDataBits dataBits() const { return m_dataBits; }
    void setDataBits(TDataBits value);
    TParity parity() const { return m_parity; }
    void setParity(TParity value);
    TStopBits stopBits() const { return m_stopBits; }
    void setStopBits(TStopBits value);
    bool parityEnabled() const { return m_parityEnabled; }
    uint32_t commEvent() const { return m_commEvent; }
    uint32_t commError() const { return m_commError; }
    QString input(); // performs a reading step
    uint32_t inputLen() const { return m_inputLen; }
    void setInputLen(uint32_t value) { m_inputLen = value; }
    uint32_t rThreshold() const { return m_rThreshold; }
    void setRThreshold(uint32_t value) { m_rThreshold = value; }
    bool cdHolding() const { return m_cd; }
    bool dsrHolding() const { return m_dsr; }
    bool riHolding() const { return m_ri; }
    bool ctsHolding() const { return m_cts; }
    bool dtrEnabled() const { return m_dtrEnabled; }
    void setDtrEnabled(bool on);
    bool rtsEnabled() const { return m_rtsEnabled; }
    void setRtsEnabled(bool on);
    uint32_t dataCount(); // bytes in the driver's receive queue; 0 while closed
    void setDataCount(uint32_t value); // 0 clears the receive queue, anything else does nothing

    TReceiveDataEvent OnReceiveData;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;

    // Writes the bytes in one synchronous write. False (after the "not opened" error box)
    // when the port is closed, and false when the device rejects the write or takes fewer bytes.
    bool SendBytes(const uint8_t *buffer, int count);
    // Performs a reading step; `first` points at the first byte of InputBytes.
    // Returns the index of the last byte (InputBytes size - 1), or -1 when the step took no
    // new bytes (InputBytes then keeps the previous ones, which must not count as a reply).
    // Throws ECommError while closed.
    int32_t FetchInputBytes(const uint8_t *&first);
    const QByteArray &inputBytes() const { return m_inputBytes; }
    const QString &inputText() const { return m_inputText; }

    // Device path for a port number, as the component opens it.
    static QString DeviceName(int portNumber);
    // The line settings as the component applies them to the device.
    LineSettings lineSettings() const;

    QTimer *pollTimer() const { return m_pollTimer; }
    // One poll, as the timer runs it (tests call it directly).
    void PollTick();

    void DoReceiveData();
    void DoReceiveError(uint32_t mask);
    void DoModemStateChange(uint32_t event);

private:
    void OpenPortHandle();
    void ClosePortHandle();
    void ApplyPortSettings();
    // True when the step took new bytes into InputBytes and InputText.
    bool ReadQueuedInput();
    // Queries the driver: CommError and the queued count. False, after closing the port,
    // when the device is gone.
    bool queryQueue(uint32_t &queued);
    template <typename T> void changeSetting(T &field, T value);
    void UpdateModemLines();
    // Closes the device after the far end went away (read or status error), so a dead
    // port never spins.
    void DropLostDevice();

    QTimer *m_pollTimer = nullptr;
    std::array<char, InputBufferSize> m_inputBuffer {};
    std::unique_ptr<SerialDevice> m_portHandle;
    TComPortNumber m_commPort = pnCOM2;
    bool m_portOpen = false;
    TBaudRate m_baudRate = br9600;
    bool m_parityEnabled = false;
    THWHandShaking m_hwHandShaking = hhNone;
    TSWHandShaking m_swHandShaking = shNone;
    TDataBits m_dataBits = DB8;
    TParity m_parity = TParity::None;
    TStopBits m_stopBits = SB1;
    uint32_t m_inputLen = 0;
    uint32_t m_rThreshold = 0;
    bool m_dtrEnabled = false;
    bool m_rtsEnabled = false;
    QString m_inputText;
    QByteArray m_inputBytes;
    uint32_t m_commEvent = 0;
    uint32_t m_commError = 0;
    bool m_cd = false;
    bool m_cts = false;
    bool m_dsr = false;
    bool m_ri = false;
};
