// Record files: the bytes written by New and by the save, the reading of untrusted files,
// and the refusal of anything but a regular file.

#include "record/RecordFile.h"
#include "base/Errors.h"
#include "record/RecordFixtures.h"

#include <QDir>
#include <QElapsedTimer>

#include <sys/stat.h>

#include <functional>
#include <memory>

namespace {

constexpr uint8_t Signals[6] = { 0, 1, 2, 9, 10, 7 };
constexpr uint8_t Step = 3;

class RecordFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("r.vqr")) const
    {
        return QDir(dir.path()).filePath(name);
    }

    RecordBlock headerBlock() const
    {
        RecordBlock block;
        for (int ch = 0; ch < 6; ++ch)
            block.setSignal(ch, Signals[ch]);
        block.setStep(Step);
        return block;
    }

    // A record of `count` samples saved the way the save timer does: from a fresh file,
    // one save every `every` samples and one at the end.
    QByteArray recordBySaves(int count, int every)
    {
        CreateRecordFile(path(), headerBlock());
        RecordBlock buffer = headerBlock();
        FillArrays(*arrays, count);
        for (int n = every; n < count; n += every)
            SaveRecordFile(path(), *arrays, n, buffer);
        SaveRecordFile(path(), *arrays, count, buffer);
        return ReadAll(path());
    }

    QTemporaryDir dir;
    std::unique_ptr<RecordArrays> arrays = std::make_unique<RecordArrays>();
};

TEST_F(RecordFileTest, NewWritesOneEmptyBlockWithTheHeaderBytes)
{
    CreateRecordFile(path(), headerBlock());
    EXPECT_EQ(ReadAll(path()), HandBlock(0, 0, 0, Signals, Step));
}

TEST_F(RecordFileTest, NewTruncatesAnExistingFile)
{
    WriteAll(path(), QByteArray(3 * RecordBlockBytes + 5, 'x'));
    CreateRecordFile(path(), headerBlock());
    EXPECT_EQ(ReadAll(path()), HandBlock(0, 0, 0, Signals, Step));
}

TEST_F(RecordFileTest, TwentyFiveHundredSamplesMakeThreeBlocksEachWithTheCountOfItsLastSave)
{
    const QByteArray bytes = recordBySaves(2500, 10);
    ASSERT_EQ(bytes.size(), 3 * RecordBlockBytes);
    // Block 0 was last written by the save at sample 1000, block 1 by the one at 2000.
    EXPECT_EQ(bytes.mid(0, RecordBlockBytes), HandBlock(0, 2500, 1000, Signals, Step));
    EXPECT_EQ(bytes.mid(RecordBlockBytes, RecordBlockBytes), HandBlock(1000, 2500, 2000, Signals, Step));
    EXPECT_EQ(bytes.mid(2 * RecordBlockBytes), HandBlock(2000, 2500, 2500, Signals, Step));
}

TEST_F(RecordFileTest, SampleThousandOpensTheSecondBlock)
{
    struct Case
    {
        int count;
        int blocks;
    } const cases[] = { { 999, 1 }, { 1000, 2 }, { 1009, 2 }, { 1999, 2 }, { 2000, 3 } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        const QByteArray bytes = recordBySaves(c.count, 10);
        ASSERT_EQ(bytes.size(), c.blocks * RecordBlockBytes);
        const QByteArray last = bytes.right(RecordBlockBytes);
        EXPECT_EQ(last, HandBlock((c.blocks - 1) * 1000, c.count, c.count, Signals, Step));
    }
}

TEST_F(RecordFileTest, ASaveWritesAtMostTwoBlocksAndAppendsOnlyACompletedOne)
{
    CreateRecordFile(path(), headerBlock());
    RecordBlock buffer = headerBlock();
    FillArrays(*arrays, 449000);
    // A file that holds everything up to sample 447995 (448 blocks).
    SaveRecordFile(path(), *arrays, 447995, buffer);
    EXPECT_EQ(SaveRecordFile(path(), *arrays, 448000, buffer), 2); // rewrite 447, append 448
    EXPECT_EQ(QFileInfo(path()).size(), 449LL * RecordBlockBytes);
    EXPECT_EQ(SaveRecordFile(path(), *arrays, 448050, buffer), 1); // rewrite 448
    EXPECT_EQ(QFileInfo(path()).size(), 449LL * RecordBlockBytes);
    EXPECT_EQ(buffer.count(), 448050);
    EXPECT_EQ(buffer.sample(2, 49), SampleValue(2, 448049));
}

TEST_F(RecordFileTest, ASaveAfterFailedOnesWritesEveryBlockSinceTheLastGoodOne)
{
    CreateRecordFile(path(), headerBlock());
    RecordBlock buffer = headerBlock();
    FillArrays(*arrays, 3500);
    SaveRecordFile(path(), *arrays, 500, buffer);
    EXPECT_EQ(SaveRecordFile(path(), *arrays, 3500, buffer), 4);
    const QByteArray bytes = ReadAll(path());
    ASSERT_EQ(bytes.size(), 4 * RecordBlockBytes);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(
            bytes.mid(k * RecordBlockBytes, RecordBlockBytes), HandBlock(k * 1000, 3500, 3500, Signals, Step))
            << "block " << k;
}

TEST_F(RecordFileTest, ASaveCutsAFileLongerThanTheRecordAndOverwritesAPartialTail)
{
    struct Case
    {
        const char *name;
        qsizetype size;
    } const cases[] = { { "longer", 5 * RecordBlockBytes }, { "partial tail", RecordBlockBytes + 700 } };
    FillArrays(*arrays, 1500);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path(), QByteArray(c.size, '\x7f'));
        RecordBlock buffer = headerBlock();
        SaveRecordFile(path(), *arrays, 1500, buffer);
        const QByteArray bytes = ReadAll(path());
        ASSERT_EQ(bytes.size(), 2 * RecordBlockBytes);
        EXPECT_EQ(bytes.right(RecordBlockBytes), HandBlock(1000, 1500, 1500, Signals, Step));
    }
}

TEST_F(RecordFileTest, TheSaveOfAFullRecordStaysInFourHundredFiftyBlocks)
{
    CreateRecordFile(path(), headerBlock());
    RecordBlock buffer = headerBlock();
    FillArrays(*arrays, MaxRecordSamples);
    SaveRecordFile(path(), *arrays, 449990, buffer);
    SaveRecordFile(path(), *arrays, MaxRecordSamples, buffer);
    const QByteArray bytes = ReadAll(path());
    ASSERT_EQ(bytes.size(), 450LL * RecordBlockBytes);
    EXPECT_EQ(
        bytes.right(RecordBlockBytes), HandBlock(449000, MaxRecordSamples, MaxRecordSamples, Signals, Step));
}

TEST_F(RecordFileTest, ReadingGivesBackWhatTheSavesWrote)
{
    recordBySaves(2500, 10);
    auto loaded = std::make_unique<RecordArrays>();
    const RecordFileInfo info = ReadRecordFile(path(), *loaded);
    EXPECT_EQ(info.blocks, 3);
    EXPECT_EQ(info.count, 2500);
    EXPECT_EQ(info.step, Step);
    for (int ch = 0; ch < 6; ++ch)
        EXPECT_EQ(info.channelSignals[ch], Signals[ch]);
    for (int i : { 0, 999, 1000, 2499 }) {
        for (int ch = 0; ch < 6; ++ch)
            EXPECT_EQ(loaded->channel(ch)[i], SampleValue(ch, i));
        EXPECT_EQ(loaded->timestamps()[i], SampleTime(i));
    }
}

TEST_F(RecordFileTest, UntrustedSizesAndCountsNeverReachPastTheArrays)
{
    struct Case
    {
        const char *name;
        int blocks;
        qsizetype extraBytes;
        int32_t lastCount;
        int expectedBlocks;
        int expectedCount;
    } const cases[] = {
        { "New alone", 1, 0, 0, 1, 0 },
        { "three blocks saying 2500", 3, 0, 2500, 3, 2500 },
        { "negative count", 2, 0, -5, 2, 0 },
        { "most negative count", 1, 0, INT32_MIN, 1, 0 },
        { "count beyond its blocks", 2, 0, 2001, 2, 2000 },
        { "count beyond any record", 1, 0, INT32_MAX, 1, 1000 },
        { "trailing partial block ignored", 2, 31000, 1500, 2, 1500 },
        { "less than one block", 0, 32015, 0, 0, 0 },
        { "more than 450 blocks", 452, 0, 451500, 450, 450000 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes;
        for (int k = 0; k < c.blocks; ++k)
            bytes += HandBlock(k * 1000, 0, k == c.blocks - 1 ? c.lastCount : 1000 * (k + 1), Signals, Step);
        if (c.blocks == 450 + 2)
            PutLittle(bytes, 449LL * RecordBlockBytes + BlockCountOffset, int32_t(451500));
        bytes += QByteArray(c.extraBytes, '\x55');
        WriteAll(path(), bytes);
        const RecordFileInfo info = ReadRecordFile(path(), *arrays);
        EXPECT_EQ(info.blocks, c.expectedBlocks);
        EXPECT_EQ(info.count, c.expectedCount);
        // Only a file without one whole block is no record at all.
        EXPECT_EQ(RecordFileRefusal(info),
            c.expectedBlocks == 0 ? QStringLiteral("not a record file (no whole block)") : QString());
    }
}

TEST_F(RecordFileTest, OnlyRegularFilesAreOpenedAndNothingElseBlocks)
{
    const QString fifo = path(QStringLiteral("pipe.vqr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case
    {
        const char *name;
        QString path;
        QString says;
    } const cases[] = {
        { "pipe", fifo, QStringLiteral("is a pipe, not a record file") },
        { "folder", dir.path(), QStringLiteral("is a folder, not a record file") },
        { "device", QStringLiteral("/dev/null"), QStringLiteral("is a device, not a record file") },
    };
    RecordBlock buffer;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        for (int operation = 0; operation < 3; ++operation) {
            try {
                if (operation == 0)
                    ReadRecordFile(c.path, *arrays);
                else if (operation == 1)
                    CreateRecordFile(c.path, buffer);
                else
                    SaveRecordFile(c.path, *arrays, 10, buffer);
                ADD_FAILURE() << "operation " << operation << " was not refused";
            } catch (const EInOutError &error) {
                EXPECT_TRUE(error.text().contains(c.says)) << qPrintable(error.text());
            }
        }
        EXPECT_LT(timer.elapsed(), 2000);
    }
}

TEST_F(RecordFileTest, FailuresCarryTheSystemText)
{
    RecordBlock buffer;
    struct Case
    {
        const char *name;
        std::function<void()> run;
    } const cases[] = {
        { "read of a missing file", [&] { ReadRecordFile(path(QStringLiteral("none.vqr")), *arrays); } },
        { "save into a removed file",
            [&] { SaveRecordFile(path(QStringLiteral("none.vqr")), *arrays, 5, buffer); } },
        { "create in a missing folder",
            [&] { CreateRecordFile(path(QStringLiteral("no/such/folder.vqr")), buffer); } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const EInOutError &error) {
            EXPECT_EQ(error.text(), qt_error_string(ENOENT));
        }
    }
}

} // namespace
