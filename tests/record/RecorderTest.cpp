// The recording engine: New, the sampling tick and the save tick, with the clock given
// by the test.

#include "record/Recorder.h"
#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "record/RecordFixtures.h"
#include "record/RecordTime.h"

#include <QDir>

#include <bit>
#include <cstring>
#include <functional>
#include <memory>

namespace {

class RecorderTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    // A measurement whose ten recorded fields all differ and follow `seed`.
    static MeasurementRecord measurement(float seed)
    {
        MeasurementRecord m {};
        float *scalars = &m.URMS;
        for (int i = 0; i < 15; ++i)
            scalars[i] = seed + float(i) / 8.0f;
        return m;
    }

    void take(int samples)
    {
        for (int i = 0; i < samples; ++i) {
            recorder->sample(measurement(float(recorder->count())), now);
            now = now.addSecs(1);
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<Recorder> recorder = std::make_unique<Recorder>();
    QDateTime now = QDateTime(QDate(2026, 12, 10), QTime(8, 0, 0, 250));
};

TEST_F(RecorderTest, SamplesAreCopiedBitForBitWithTheirTimestamp)
{
    recorder->settings.channelSignal = { 0, 1, 2, 6, 8, 4 };
    MeasurementRecord m = measurement(3.0f);
    m.PQ = std::bit_cast<float>(0xFF800000u); // -infinity
    ASSERT_EQ(recorder->sample(m, now), Recorder::Sampled::Taken);
    const RecordArrays &live = recorder->live();
    const float expected[6] = { m.URMS, m.IRMS, m.WRMS, m.UF, m.VTHD, m.PQ };
    for (int ch = 0; ch < 6; ++ch)
        EXPECT_EQ(std::bit_cast<uint32_t>(live.channel(ch)[0]), std::bit_cast<uint32_t>(expected[ch]));
    EXPECT_EQ(FromOleDate(live.timestamps()[0]), now);
    EXPECT_EQ(recorder->count(), 1);
}

TEST_F(RecorderTest, TemperaturesAndIndexesOutsideTheTableRecordZero)
{
    recorder->settings.channelSignal = { 10, 11, 12, -1, 13, 257 };
    take(3);
    for (int ch = 0; ch < 6; ++ch)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(recorder->live().channel(ch)[i], 0.0f) << ch;
    // 257 would be signal 1 in a byte; the file says "none" instead.
    EXPECT_EQ(recorder->writeBuffer().signal(5), 255);
    EXPECT_EQ(recorder->writeBuffer().signal(3), 255);
    EXPECT_EQ(recorder->writeBuffer().signal(1), 11);
}

TEST_F(RecorderTest, NewCreatesTheFileBeforeStartingTheRecordOver)
{
    recorder->newFile(path("a.vqr"));
    take(25);
    recorder->save();
    // A New that cannot create its file changes nothing.
    EXPECT_THROW(recorder->newFile(path("missing/b.vqr")), EInOutError);
    EXPECT_EQ(recorder->count(), 25);
    EXPECT_EQ(recorder->fileName(), path("a.vqr"));
    EXPECT_EQ(recorder->writeBuffer().count(), 25);
}

TEST_F(RecorderTest, NewDuringARecordingKeepsEveryOldSampleInTheOldFile)
{
    recorder->newFile(path("old.vqr"));
    take(30);
    recorder->save();
    take(7); // not saved yet
    EXPECT_TRUE(recorder->newFile(path("new.vqr")).isEmpty());
    EXPECT_EQ(recorder->count(), 0);
    take(2);
    recorder->save();

    auto loaded = std::make_unique<RecordArrays>();
    const RecordFileInfo old = ReadRecordFile(path("old.vqr"), *loaded);
    EXPECT_EQ(old.count, 37);
    EXPECT_EQ(loaded->channel(0)[36], measurement(36.0f).WRMS); // CH1 records "Power" by default
    const RecordFileInfo fresh = ReadRecordFile(path("new.vqr"), *loaded);
    EXPECT_EQ(fresh.count, 2);
    EXPECT_EQ(loaded->channel(0)[1], measurement(1.0f).WRMS);
}

TEST_F(RecorderTest, AFailedSaveOfTheOldFileIsReportedAndTheNewFileMadeAllTheSame)
{
    recorder->newFile(path("old.vqr"));
    take(5);
    QFile::remove(path("old.vqr"));
    QDir(dir.path()).mkdir(QStringLiteral("old.vqr"));
    const QString error = recorder->newFile(path("new.vqr"));
    EXPECT_EQ(error, path("old.vqr") + QStringLiteral(" is a folder, not a record file"));
    EXPECT_EQ(recorder->fileName(), path("new.vqr"));
    EXPECT_EQ(recorder->count(), 0);
}

TEST_F(RecorderTest, SettingsConfirmedBeforeTheFirstSampleDescribeTheFile)
{
    recorder->settings.channelSignal = { 2, 2, 2, 2, 2, 2 };
    recorder->settings.samplingIndex = 2;
    recorder->newFile(path("r.vqr"));
    recorder->settings.channelSignal = { 0, 1, 3, 4, 5, 9 };
    recorder->settings.samplingIndex = 0;
    recorder->takeSettings();
    take(4);
    recorder->settings.channelSignal = { 7, 7, 7, 7, 7, 7 }; // too late for this record
    take(1);
    recorder->save();
    auto loaded = std::make_unique<RecordArrays>();
    const RecordFileInfo info = ReadRecordFile(path("r.vqr"), *loaded);
    EXPECT_EQ(info.channelSignals, (std::array<uint8_t, 6> { 0, 1, 3, 4, 5, 9 }));
    EXPECT_EQ(info.step, 0);
    EXPECT_EQ(loaded->channel(1)[4], measurement(4.0f).IRMS);
}

TEST_F(RecorderTest, TheRecordStopsTakingAtFourHundredFiftyThousand)
{
    recorder->newFile(path("r.vqr"));
    for (int i = 0; i < MaxRecordSamples - 1; ++i)
        ASSERT_EQ(recorder->sample(measurement(1.0f), now), Recorder::Sampled::Taken);
    EXPECT_EQ(recorder->sample(measurement(2.0f), now), Recorder::Sampled::LimitReached);
    EXPECT_EQ(recorder->sample(measurement(3.0f), now), Recorder::Sampled::Full);
    EXPECT_EQ(recorder->count(), MaxRecordSamples);
    EXPECT_EQ(recorder->live().channel(2)[MaxRecordSamples - 1], measurement(2.0f).WRMS);
    recorder->save();
    EXPECT_EQ(QFileInfo(path("r.vqr")).size(), 450LL * RecordBlockBytes);
}

TEST_F(RecorderTest, ATickTakesOnlyAMeasurementNewerThanTheLastTakenWithTheTimeItArrived)
{
    recorder->newFile(path("r.vqr"));
    const QDateTime first = now.addMSecs(-300);
    const QDateTime second = now.addSecs(7);
    const struct
    {
        MeasurementArrival arrival;
        float seed;
        Recorder::Sampled result;
    } ticks[] = {
        { {}, 1.0f, Recorder::Sampled::NotNew }, // nothing has arrived yet
        { { 4, first }, 2.0f, Recorder::Sampled::Taken },
        { { 4, first }, 2.0f, Recorder::Sampled::NotNew },
        { { 4, first }, 3.0f, Recorder::Sampled::NotNew }, // a file loaded over it is no measurement
        { { 5, second }, 4.0f, Recorder::Sampled::Taken },
        { { 5, second }, 4.0f, Recorder::Sampled::NotNew },
    };
    for (const auto &tick : ticks)
        EXPECT_EQ(recorder->sampleArrived(measurement(tick.seed), tick.arrival), tick.result) << tick.seed;
    ASSERT_EQ(recorder->count(), 2);
    EXPECT_EQ(FromOleDate(recorder->live().timestamps()[0]), first);
    EXPECT_EQ(FromOleDate(recorder->live().timestamps()[1]), second);
    EXPECT_EQ(recorder->live().channel(0)[1], measurement(4.0f).WRMS);
}

TEST_F(RecorderTest, SkippedTicksSayWhenTheLastMeasurementCame)
{
    EXPECT_EQ(SkippedSamplesText({}), QStringLiteral("Samples skipped: no measurement yet"));
    const QDateTime at(QDate(2026, 12, 10), QTime(14, 5, 9));
    EXPECT_EQ(SkippedSamplesText({ 12, at }),
        QStringLiteral("Samples skipped: no new measurement since ") + LongTimeText(at.time()));
    EXPECT_TRUE(SkippedSamplesText({ 12, at }).contains(QStringLiteral("14")));
}

// A file that is gone or not the one written before is made again at the next save, and the
// whole record goes into it; a copy moved away keeps what it held.
TEST_F(RecorderTest, AFileDeletedMovedOrReplacedIsMadeAgainAndWrittenWhole)
{
    const QString file = path("r.vqr");
    const struct
    {
        const char *name;
        std::function<void()> lose;
    } cases[] = {
        { "deleted", [&] { QFile::remove(file); } },
        { "moved", [&] { QFile::rename(file, path("moved.vqr")); } },
        { "replaced by an older copy",
            [&] {
                QFile::copy(file, path("copy.vqr"));
                QFile::remove(file);
                QFile::rename(path("copy.vqr"), file);
            } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        recorder = std::make_unique<Recorder>();
        QFile::remove(path("moved.vqr"));
        recorder->newFile(file);
        take(1200);
        recorder->save();
        EXPECT_FALSE(recorder->fileRemade());
        take(900);
        c.lose();
        EXPECT_EQ(recorder->unsavedSamples(), 900);
        recorder->save();
        EXPECT_TRUE(recorder->fileRemade());
        EXPECT_EQ(recorder->unsavedSamples(), 0);
        auto loaded = std::make_unique<RecordArrays>();
        const RecordFileInfo info = ReadRecordFile(file, *loaded);
        EXPECT_EQ(info.count, 2100);
        EXPECT_EQ(info.blocks, 3);
        EXPECT_EQ(QFileInfo(file).size(), 3 * RecordBlockBytes);
        for (int ch = 0; ch < RecordChannels; ++ch)
            EXPECT_EQ(std::memcmp(loaded->channel(ch), recorder->live().channel(ch), 4 * 2100), 0) << ch;
        EXPECT_EQ(std::memcmp(loaded->timestamps(), recorder->live().timestamps(), 8 * 2100), 0);
        EXPECT_EQ(info.channelSignals, (std::array<uint8_t, 6> { 2, 2, 2, 2, 2, 2 }));
        take(1);
        recorder->save();
        EXPECT_FALSE(recorder->fileRemade());
        if (QFile::exists(path("moved.vqr"))) {
            EXPECT_EQ(ReadRecordFile(path("moved.vqr"), *loaded).count, 1200);
        }
    }
}

TEST_F(RecorderTest, AfterFailedSavesTheFirstGoodOneWritesEverythingSince)
{
    const QString file = path("r.vqr");
    recorder->newFile(file);
    take(995);
    recorder->save();
    QFile::remove(file);
    QDir(dir.path()).mkdir(QStringLiteral("r.vqr"));
    for (int i = 0; i < 3; ++i) {
        take(10);
        EXPECT_THROW(recorder->save(), EInOutError);
    }
    EXPECT_EQ(recorder->unsavedSamples(), 30);
    QDir(dir.path()).rmdir(QStringLiteral("r.vqr"));
    recorder->save();
    auto loaded = std::make_unique<RecordArrays>();
    EXPECT_EQ(ReadRecordFile(file, *loaded).count, 1025);
    EXPECT_EQ(std::memcmp(loaded->channel(0), recorder->live().channel(0), 4 * 1025), 0);
}

TEST_F(RecorderTest, WithoutAFileTheSaveWritesNothing)
{
    take(3);
    EXPECT_EQ(recorder->save(), 0);
    EXPECT_EQ(recorder->writeBuffer().count(), 3);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
