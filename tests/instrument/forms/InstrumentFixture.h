#pragma once

// The main window on a fake serial port with the four instrument windows, fake dialogs, clock
// and program directory. Replies go through the main window's reply handler, as they do in
// the program.

#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "measure/DrawingColours.h"
#include "measure/forms/Main.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"
#include "support/ProgramWindows.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <array>
#include <memory>

inline QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray WithCrc(QByteArray bytes)
{
    const uint16_t crc
        = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<int>(bytes.size()));
    bytes.append(static_cast<char>(crc & 0xFF));
    bytes.append(static_cast<char>(crc >> 8));
    return bytes;
}

inline QByteArray ReadRequest(uint16_t reg, uint16_t count)
{
    const auto frame = BuildReadFrame(1, reg, count);
    return QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<int>(frame.size()));
}

inline QByteArray WriteRequest(uint16_t reg, std::array<uint8_t, 4> data)
{
    const auto frame = BuildWriteFrame(1, reg, data.data());
    return QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<int>(frame.size()));
}

inline QByteArray WriteRequest(uint16_t reg, float value)
{
    const uint32_t bits = SingleBits(value);
    return WriteRequest(reg,
        { static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24) });
}

// The instrument's reply to a read: address, 0x03, byte count 4, the data bytes, CRC.
inline QByteArray ValueReply(std::array<uint8_t, 4> data)
{
    QByteArray bytes = Hex("01 03 04");
    bytes.append(reinterpret_cast<const char *>(data.data()), 4);
    return WithCrc(bytes);
}

inline QByteArray Acknowledgement(uint8_t reg)
{
    QByteArray bytes = Hex("01 09");
    bytes.append(static_cast<char>(reg));
    return WithCrc(bytes);
}

class InstrumentFixture : public ::testing::Test
{
protected:
    static constexpr const char *PortPath = "/dev/fake-kmr";

    void SetUp() override
    {
        ResetGlobals();
        ResetDrawingColours();
        RequestBuffer.fill(0);
        form = MakeProgramWindows({ .starting = true, .alarm = true, .calibrate = true, .ct = true });
        InstrumentAddress = 1;
        form->Comm1->setCommPort(pnCOM(2));
    }

    void TearDown() override
    {
        ForgetProgramWindows();
        form.reset();
        ResetGlobals();
        ResetDrawingColours();
    }

    void openPort()
    {
        port();
        form->Comm1->setPortOpen(true);
        ASSERT_TRUE(form->Comm1->portOpen());
        port().written.clear();
    }

    FakePort &port() { return serial.port(QString::fromLatin1(PortPath)); }

    // Bytes arrive and the poll tick raises the receive event.
    void receive(const QByteArray &bytes)
    {
        port().feed(bytes);
        form->Comm1ReceiveData(form->Comm1);
    }

    QByteArray takeWritten()
    {
        const QByteArray written = port().written;
        port().written.clear();
        return written;
    }

    FakeSerialBackend serial;
    FakePortMap ports { { { 2, QString::fromLatin1(PortPath) } } };
    FakeDialogs dialogs;
    FakeClock clock;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> form;
};
