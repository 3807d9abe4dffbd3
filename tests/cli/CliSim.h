#pragma once

// The simulated instrument on a pseudo-terminal in this process, for the tests that run
// kmr5150-cli against it, with the options that reach it and the measurements it sent whole.

#include "cli/MeasurementValues.h"
#include "link/sim/SimServer.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace clitest {

class CliSimTest : public ::testing::Test
{
protected:
    void startInstrument()
    {
        sim::ServerOptions options;
        options.linkPath = dir.filePath(QStringLiteral("kmr5150")).toStdString();
        server = std::make_unique<sim::SimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
    }

    QStringList link() const
    {
        return { QStringLiteral("--port"), QString::fromStdString(server->linkPath()),
            QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--address"),
            QStringLiteral("1") };
    }

    std::vector<MeasurementRecord> intactMeasurements() const
    {
        std::vector<MeasurementRecord> records;
        for (const sim::SentReply &reply : server->sentReplies())
            if (reply.kind == sim::Reply::Kind::Measurement && reply.faults == sim::NoFault)
                records.push_back(RecordFromReply(
                    QByteArray(reinterpret_cast<const char *>(reply.frame.data()), int(reply.frame.size()))));
        return records;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimServer> server;
};

} // namespace clitest
