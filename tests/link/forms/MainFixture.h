#pragma once

// A main window on a fake serial port, with fake dialogs, clock and program directory, and
// the secondary windows the main window talks to. Shared by the main window and dispatcher
// tests.

#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"
#include "record/forms/Rec.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"
#include "support/ProgramWindows.h"

#include <QByteArray>
#include <QComboBox>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

inline QByteArray WithCrc(QByteArray bytes)
{
    const uint16_t crc
        = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<int>(bytes.size()));
    bytes.append(static_cast<char>(crc & 0xFF));
    bytes.append(static_cast<char>(crc >> 8));
    return bytes;
}

inline QByteArray ReadFrame(uint8_t reg, uint16_t count, uint8_t address = 1)
{
    const auto frame = BuildReadFrame(address, reg, count);
    return QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<int>(frame.size()));
}

// A measurement reply (2530 data bytes and the CRC) whose values all derive from `seed`.
inline QByteArray MeasurementFrame(float seed)
{
    MeasurementRecord record {};
    record.URMS = 230.0f + seed;
    record.UPP = 325.0f + seed;
    record.UF = 50.0f;
    record.IRMS = 1.5f + seed / 100.0f;
    record.IPP = 2.1f;
    record.KWH = seed;
    for (int n = 0; n < HarmonicCount; ++n) {
        record.UHarm[n] = n == 1 ? 325.0f : seed / (n + 1);
        record.IHarm[n] = n == 1 ? 2.1f : seed / (n + 10);
    }
    record.SpareFactorA = 1.0f;
    record.SpareFactorB = 1.0f;
    record.SampleCount = WaveSamples;
    for (int k = 0; k < WaveSamples; ++k) {
        record.UWave[k] = static_cast<uint16_t>(2047 + (k % 128) * 10 - 640);
        record.IWave[k] = static_cast<uint16_t>(2047 + (k % 64) * 5 - 160);
    }
    record.UZero = 2047;
    record.IZero = 2047;
    return WithCrc(QByteArray(reinterpret_cast<const char *>(&record), MeasurementReplyDataBytes));
}

inline QByteArray RecordBytes(const MeasurementRecord &record, int count = MeasurementRecordBytes)
{
    return QByteArray(reinterpret_cast<const char *>(&record), count);
}

// The connection window and the main window, connected as the program start connects them.
class MainFormFixture : public ::testing::Test
{
protected:
    static constexpr const char *PortPath = "/dev/fake-kmr";

    void SetUp() override
    {
        ResetGlobals();
        ResetDrawingColours();
        std::memset(&Measurement, 0, sizeof Measurement);
        RequestBuffer.fill(0);
        form = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true, .record = true });
        InstrumentAddress = 1;
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
        port(); // the device exists
        form->Comm1->setCommPort(pnCOM(2));
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

    QByteArray recordBytes(int count = MeasurementRecordBytes) const
    {
        return RecordBytes(Measurement, count);
    }

    FakeSerialBackend serial;
    FakePortMap ports { { { 2, QString::fromLatin1(PortPath) } } };
    FakeDialogs dialogs;
    FakeClock clock;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> form;
};
