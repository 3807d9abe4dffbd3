// kmr5150-cli check: the verdict as exit status and JSON, against the simulated instrument's
// load profiles, from a measurement file and from a CSV log; bad input is one line and a
// usage or file status.

#include "CliSupport.h"

#include "cli/MeasurementValues.h"
#include "link/sim/SimMeasurement.h"
#include "link/sim/SimServer.h"
#include "measure/MeasurementFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using clitest::runCli;

QJsonObject jsonOf(const clitest::CliRun &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

TEST(CliCheck, EachLoadProfileOfTheInstrumentGetsItsVerdictInEachClass)
{
    struct Expected
    {
        int code;
        const char *verdict;
        int worstOrder = 0; // for a failure
    };
    const Expected pass { 0, "PASS" }, none { 5, "NO LIMITS" };
    // Worked out from each profile's spectrum (see the model test of the profiles).
    const struct
    {
        sim::LoadProfile load;
        Expected a, b, c, d;
    } cases[] = {
        { sim::LoadProfile::Resistive, pass, pass, pass, pass },
        { sim::LoadProfile::Smps, pass, pass, { 4, "FAIL", 7 }, { 4, "FAIL", 7 } },
        { sim::LoadProfile::Led, none, none, pass, none },
        { sim::LoadProfile::Motor, pass, pass, pass, pass },
        { sim::LoadProfile::Dimmer, { 4, "FAIL", 13 }, pass, { 4, "FAIL", 13 }, { 4, "FAIL", 13 } },
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        sim::ServerOptions options;
        options.linkPath = dir.filePath(QStringLiteral("kmr5150")).toStdString();
        options.instrument.load = c.load;
        sim::SimServer server(options);
        std::string error;
        ASSERT_TRUE(server.start(&error)) << error;
        const Expected expected[] = { c.a, c.b, c.c, c.d };
        for (int k = 0; k < 4; ++k) {
            const QString emissionClass(QChar(u"ABcd"[k]));
            SCOPED_TRACE(testing::Message()
                << sim::LoadProfileName(c.load) << " class " << emissionClass.toStdString());
            const clitest::CliRun run = runCli({ QStringLiteral("check"), QStringLiteral("--port"),
                QString::fromStdString(server.linkPath()), QStringLiteral("--baud"), QStringLiteral("115200"),
                QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--class"), emissionClass,
                QStringLiteral("--count"), QStringLiteral("8"), QStringLiteral("--format"),
                QStringLiteral("json") });
            ASSERT_TRUE(run.finished);
            EXPECT_EQ(run.code, expected[k].code) << run.err.toStdString();
            const QJsonObject json = jsonOf(run);
            EXPECT_EQ(
                json.value(QStringLiteral("verdict")).toString(), QString::fromLatin1(expected[k].verdict))
                << run.out.toStdString();
            EXPECT_EQ(json.value(QStringLiteral("measurements")).toInt(), 8);
            if (expected[k].code == 4) {
                EXPECT_EQ(json.value(QStringLiteral("worst_order")).toInt(), expected[k].worstOrder);
            }
            EXPECT_TRUE(
                json.value(QStringLiteral("note")).toString().startsWith(QStringLiteral("Pre-compliance")));
        }
    }
}

TEST(CliCheck, ALogWithHarmonicsIsJudgedAfterwards)
{
    QTemporaryDir dir;
    sim::ServerOptions options;
    options.linkPath = dir.filePath(QStringLiteral("kmr5150")).toStdString();
    options.instrument.load = sim::LoadProfile::Dimmer;
    sim::SimServer server(options);
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    const QString csv = dir.filePath(QStringLiteral("bench.csv"));
    clitest::CliRun run
        = runCli({ QStringLiteral("log"), QStringLiteral("--port"), QString::fromStdString(server.linkPath()),
            QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--address"),
            QStringLiteral("1"), QStringLiteral("--step"), QStringLiteral("0.3"), QStringLiteral("--count"),
            QStringLiteral("8"), QStringLiteral("--csv"), csv, QStringLiteral("--harmonics") });
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.readLine();
    EXPECT_TRUE(header.startsWith("time,URMS,")) << header.toStdString();
    EXPECT_TRUE(header.endsWith(",IH49,IH50\r\n")) << header.toStdString();

    run = runCli({ QStringLiteral("check"), QStringLiteral("--class"), QStringLiteral("A"),
        QStringLiteral("--format"), QStringLiteral("json"), csv });
    EXPECT_EQ(run.code, 4) << run.err.toStdString();
    EXPECT_EQ(jsonOf(run).value(QStringLiteral("measurements")).toInt(), 8);
    EXPECT_EQ(jsonOf(run).value(QStringLiteral("worst_order")).toInt(), 13);

    // Without the harmonic columns the log cannot be judged, and says how to make one that can.
    const QString plain = dir.filePath(QStringLiteral("plain.csv"));
    ASSERT_EQ(runCli({ QStringLiteral("log"), QStringLiteral("--port"),
                         QString::fromStdString(server.linkPath()), QStringLiteral("--baud"),
                         QStringLiteral("115200"), QStringLiteral("--address"), QStringLiteral("1"),
                         QStringLiteral("--count"), QStringLiteral("2"), QStringLiteral("--csv"), plain })
                  .code,
        0);
    run = runCli({ QStringLiteral("check"), QStringLiteral("--class"), QStringLiteral("A"), plain });
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.err.contains("--harmonics")) << run.err.toStdString();
}

class CliCheckFiles : public ::testing::Test
{
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A measurement of the simulated dimmer.
    static MeasurementRecord dimmer(double t)
    {
        static sim::MeasurementModel model(3, sim::LoadProfile::Dimmer);
        MeasurementRecord record {};
        model.measure(record, t, 0);
        return record;
    }

    QTemporaryDir dir;
};

TEST_F(CliCheckFiles, AMeasurementFileAndACsvLogAreJudged)
{
    const QString vqm = path("dimmer.vqm");
    SaveMeasurementFile(vqm, dimmer(0));
    clitest::CliRun run
        = runCli({ QStringLiteral("check"), QStringLiteral("--class"), QStringLiteral("A"), vqm });
    EXPECT_EQ(run.code, 4) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("FAIL (class A): order 13:")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("Pre-compliance indication only"));

    // A log of a minute: time, the values and the harmonic columns.
    const QString csv = path("dimmer.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray header = "time,URMS,IRMS,WRMS,PF";
    for (int n = 0; n < HarmonicCount; ++n)
        header += ",IH" + QByteArray::number(n);
    file.write(header + '\n');
    const QDateTime start(QDate(2026, 12, 11), QTime(8, 0), Qt::OffsetFromUTC, 3600);
    for (int i = 0; i < 60; ++i) {
        const MeasurementRecord r = dimmer(i);
        QByteArray row = start.addSecs(i).toString(Qt::ISODateWithMs).toLatin1();
        for (const float v : { r.URMS, r.IRMS, r.WRMS, r.PF })
            row += ',' + QByteArray::number(v, 'g', 9);
        for (int n = 0; n < HarmonicCount; ++n)
            row += ',' + QByteArray::number(r.IHarm[n], 'g', 9);
        file.write(row + '\n');
    }
    file.close();
    run = runCli({ QStringLiteral("check"), QStringLiteral("--class"), QStringLiteral("A"),
        QStringLiteral("--format"), QStringLiteral("json"), csv });
    EXPECT_EQ(run.code, 4) << run.err.toStdString();
    const QJsonObject json = jsonOf(run);
    EXPECT_EQ(json.value(QStringLiteral("measurements")).toInt(), 60);
    EXPECT_DOUBLE_EQ(json.value(QStringLiteral("period_s")).toDouble(), 59);
    EXPECT_EQ(json.value(QStringLiteral("worst_order")).toInt(), 13);
    run = runCli({ QStringLiteral("check"), QStringLiteral("--class"), QStringLiteral("B"), csv });
    EXPECT_EQ(run.code, 0) << run.out.toStdString() << run.err.toStdString();
}

TEST_F(CliCheckFiles, BadInputIsOneLineAndAnError)
{
    const QString vqm = path("dimmer.vqm");
    SaveMeasurementFile(vqm, dimmer(0));
    const QString text = path("notes.txt");
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("time,URMS\n2026-12-11T08:00:00.000+01:00,230\n");
    notes.close();
    const QString shortFile = path("short.vqm");
    QFile cut(shortFile);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(QByteArray(100, '\0'));
    cut.close();

    const struct
    {
        const char *name;
        QStringList arguments;
        int code;
        const char *says;
    } cases[] = {
        { "unknown class", { QStringLiteral("--class"), QStringLiteral("E"), vqm }, 1, "--class" },
        { "negative power",
            { QStringLiteral("--class"), QStringLiteral("D"), QStringLiteral("--power"), QStringLiteral("-5"),
                vqm },
            1, "--power" },
        { "no such file", { QStringLiteral("--class"), QStringLiteral("A"), path("none.vqm") }, 3,
            "no such file" },
        { "a CSV without the columns", { QStringLiteral("--class"), QStringLiteral("A"), text }, 3,
            "notes.txt" },
        { "a short measurement file", { QStringLiteral("--class"), QStringLiteral("A"), shortFile }, 3,
            "100 bytes" },
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const clitest::CliRun run = runCli(QStringList { QStringLiteral("check") } + c.arguments);
        EXPECT_EQ(run.code, c.code) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before) << "nothing written";
}

} // namespace
