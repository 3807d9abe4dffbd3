// The serial component against the simulated instrument on a real pseudo-terminal.

#include "link/Frames.h"
#include "link/MeasurementLayout.h"
#include "link/TComm.h"
#include "link/sim/SimServer.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(CommEndToEnd, MeasurementReadIsAnsweredWithA2532ByteFrameWithAGoodCrc)
{
    sim::ServerOptions options;
    options.instrument.address = 1;
    sim::SimServer server(options);
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    FakePortMap ports({ { 7, QString::fromStdString(server.devicePath()) } });
    FakeDialogs dialogs;

    TComm comm;
    comm.setRThreshold(1);
    comm.setBaudRate(br115200);
    comm.setCommPort(pnCOM(7));
    int events = 0;
    QByteArray fetched;
    comm.OnReceiveData = [&](TComm *sender) {
        ++events;
        // Replies are paced on the wire: take the bytes once the whole frame is queued.
        if (sender->dataCount() < MeasurementReplyBytes)
            return;
        const uint8_t *first = nullptr;
        const int last = sender->FetchInputBytes(first);
        fetched = QByteArray(reinterpret_cast<const char *>(first), last + 1);
    };
    comm.setPortOpen(true);
    ASSERT_TRUE(comm.portOpen());
    SetRequestPort(&comm);
    ASSERT_TRUE(SendReadRequest(1, 148, 2));

    EXPECT_TRUE(QTest::qWaitFor([&] { return !fetched.isEmpty(); }, 5000));
    SetRequestPort(nullptr);
    EXPECT_GE(events, 1);
    ASSERT_EQ(fetched.size(), MeasurementReplyBytes);
    const auto *bytes = reinterpret_cast<const uint8_t *>(fetched.constData());
    EXPECT_EQ(ModbusCRC16(bytes, MeasurementReplyBytes), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}
