// The main window's reply handling fed arbitrary byte streams in arbitrary chunks, on a fake
// serial port and a fake clock, from any routing byte and reading state. Whatever arrives,
// nothing may be read or written outside its buffer, and a measurement is stored only from
// a 2532-byte frame with a good CRC.

#include "FuzzInput.h"
#include "app/forms/Wiring.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"
#include "record/forms/Rec.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QComboBox>

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {
constexpr const char *PortPath = "/dev/fake-kmr";

struct World
{
    FakeSerialBackend serial;
    FakePortMap ports { { { 2, QString::fromLatin1(PortPath) } } };
    FakeDialogs dialogs;
    FakeClock clock;
    TempProgramDir programDir;
    TMainForm *form = nullptr;
};
World *world = nullptr;

QByteArray recordBytes()
{
    return QByteArray(reinterpret_cast<const char *>(&Measurement), MeasurementRecordBytes);
}

// Whether `frame` of n bytes could have been stored as a measurement.
bool isMeasurementFrame(const uint8_t *frame, int n)
{
    if (n != MeasurementReplyBytes)
        return false;
    const uint16_t crc = ModbusCRC16(frame, n - 2);
    return frame[n - 2] == (crc & 0xFF) && frame[n - 1] == (crc >> 8);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    world = new World;
    ResetGlobals();
    world->form = new TMainForm;
    MainForm = world->form;
    CommForm = new TCommForm(world->form);
    ConnectCommAndMain(CommForm, world->form);
    StartingForm = new TStartingForm(world->form);
    AlarmForm = new TAlarmForm(world->form);
    RecordForm = new TRecordForm(world->form);
    ConnectWindows();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static constexpr uint8_t registers[]
        = { 118, 119, 120, 121, 122, 123, 124, 125, 126, 128, 147, 148, 187 };
    FuzzInput input(data, size);
    TMainForm *form = world->form;
    FakePort &port = world->serial.port(QString::fromLatin1(PortPath));

    // The reading state the bytes arrive in.
    InstrumentAddress = 1;
    form->Comm1->setCommPort(pnCOM(2));
    if (!form->Comm1->portOpen())
        form->Comm1->setPortOpen(true);
    RequestBuffer[3] = registers[input.byte() % std::size(registers)];
    LastRegister = registers[input.byte() % std::size(registers)];
    LastCount = input.byte() % 8;
    const uint8_t state = input.byte();
    SamplingMode = state % 3;
    StartingPage = (state >> 2) % 8;
    UsbLink = (state >> 5) & 1;
    AlarmReadStep = input.byte() % 10;
    CommForm->ComboBox1->setCurrentIndex(int(input.byte() % 9) - 1);

    InitMeasurement();
    while (input.remaining() > 0) {
        const uint8_t *chunk = nullptr;
        const size_t n = input.take(input.word() % 3000, chunk);
        const QByteArray before = recordBytes();
        port.feed(QByteArray(reinterpret_cast<const char *>(chunk), qsizetype(n)));
        if (!form->Comm1->portOpen())
            form->Comm1->setPortOpen(true);
        form->Comm1ReceiveData(form->Comm1);
        // A changed record came from a whole measurement frame: storing that frame again
        // gives the same record.
        if (recordBytes() != before) {
            if (!isMeasurementFrame(chunk, int(n)))
                std::abort();
            const QByteArray stored = recordBytes();
            StoreMeasurementReply(chunk);
            if (recordBytes() != stored)
                std::abort();
        }
        port.received.clear();
        port.written.clear();
    }
    // What the fakes keep of every call would only grow from run to run.
    world->dialogs.messages.clear();
    world->clock.sleeps.clear();
    world->serial.openAttempts.clear();
    port.readSizes.clear();
    port.purges.clear();
    port.settings.clear();
    port.queueSizes.clear();
    return 0;
}
