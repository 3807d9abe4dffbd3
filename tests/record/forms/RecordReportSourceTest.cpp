#include "record/forms/RecordReportSource.h"

#include <gtest/gtest.h>

namespace {
// A live and a loaded record whose samples tell which record, channel and index they are.
struct TwoRecords
{
    TwoRecords()
    {
        for (int k = 0; k < RecordChannels; ++k)
            for (int i = 0; i < 2000; ++i) {
                live.channel(k)[i] = float(1000 * (k + 1) + i);
                loaded.channel(k)[i] = -float(1000 * (k + 1) + i);
            }
    }
    RecordArrays live;
    RecordArrays loaded;
};

ChartView viewOf(ChartMode mode)
{
    ChartView view;
    view.mode = mode;
    view.recordCompression = 3;
    view.recordOffset = 40;
    view.readCompression = 7;
    view.readOffset = 9;
    return view;
}
} // namespace

TEST(RecordReportSource, TheShownModesRecordAndView)
{
    static const TwoRecords records;
    const struct
    {
        const char *name;
        ChartMode mode;
        bool fileReady;
        int recordCount, loadedLast;
        bool fromLive;
        int length, last, compression, offset;
    } cases[] = {
        { "recording", ChartMode::Record, true, 1200, 799, true, 1200, 1199, 3, 40 },
        { "opened file", ChartMode::Read, true, 1200, 799, false, 800, 799, 7, 9 },
        { "new file, nothing recorded", ChartMode::Record, true, 0, 799, true, 0, -1, 3, 40 },
        { "opened file without samples", ChartMode::Read, true, 1200, -1, false, 0, -1, 7, 9 },
        { "neither New nor Open", ChartMode::Record, false, 0, -1, true, 0, -1, 3, 40 },
        { "full live record", ChartMode::Record, true, MaxRecordSamples, -1, true, MaxRecordSamples,
            MaxRecordSamples - 1, 3, 40 },
    };
    for (const auto &c : cases) {
        const ChartView view = viewOf(c.mode);
        const RecordReportInput input = RecordReportInputFor({ .view = view,
            .fileReady = c.fileReady,
            .live = records.live,
            .recordCount = c.recordCount,
            .loaded = records.loaded,
            .loadedLast = c.loadedLast });
        EXPECT_EQ(input.fileReady, c.fileReady) << c.name;
        EXPECT_EQ(input.last, c.last) << c.name;
        EXPECT_EQ(input.compression, c.compression) << c.name;
        EXPECT_EQ(input.offset, c.offset) << c.name;
        const RecordArrays &arrays = c.fromLive ? records.live : records.loaded;
        for (int k = 0; k < RecordReportChannels; ++k) {
            EXPECT_EQ(input.samples[k].data(), arrays.channel(k)) << c.name << " CH" << k + 1;
            EXPECT_EQ(input.samples[k].size(), std::size_t(c.length)) << c.name << " CH" << k + 1;
        }
        // The page's first point: the newest sample shown, of the shown record.
        if (c.last >= c.offset && c.last < 2000) {
            EXPECT_EQ(input.samples[2][std::size_t(c.last - c.offset)],
                (c.fromLive ? 1.0f : -1.0f) * float(3000 + c.last - c.offset))
                << c.name;
        }
    }
}

TEST(RecordReportSource, RangeGainsAndVisibilityOfTheView)
{
    static const TwoRecords records;
    const struct
    {
        RangeMode range;
        RecordRange expected;
    } cases[] = {
        { RangeMode::Positive, RecordRange::Positive },
        { RangeMode::Bipolar, RecordRange::Bipolar },
        { RangeMode::Negative, RecordRange::Negative },
    };
    for (const auto &c : cases) {
        ChartView view = viewOf(ChartMode::Read);
        view.range = c.range;
        view.scaleFactor = { 0.05f, 1.0f, 2.5f, 10000.0f, 0.5f, 1.0f };
        view.visible = { true, false, true, true, false, true };
        const RecordReportInput input = RecordReportInputFor({ .view = view,
            .fileReady = true,
            .live = records.live,
            .recordCount = 5,
            .loaded = records.loaded,
            .loadedLast = 4 });
        EXPECT_EQ(input.range, c.expected) << int(c.range);
        EXPECT_EQ(input.scaleFactor, view.scaleFactor);
        EXPECT_EQ(input.visible, view.visible);
        // Texts and the picture belong to the window's controls.
        EXPECT_TRUE(input.captions[0].isEmpty());
        EXPECT_TRUE(input.chart.isNull());
    }
}

TEST(RecordReportSource, APrintedPageLeavesItsOverflowMarksInTheView)
{
    RecordPagePoints printed;
    printed.above = { false, false, false, false, true, false };
    printed.below = { false, true, false, false, false, true };
    const std::array<bool, 6> stale { true, true, true, true, true, true };
    const struct
    {
        const char *name;
        bool fileReady;
        std::array<bool, 6> above, below;
    } cases[] = {
        { "with a record file", true, printed.above, printed.below },
        { "without one the page computed none", false, stale, stale },
    };
    for (const auto &c : cases) {
        ChartView view;
        view.above = stale;
        view.below = stale;
        KeepPrintedOverflowMarks(view, c.fileReady, printed);
        EXPECT_EQ(view.above, c.above) << c.name;
        EXPECT_EQ(view.below, c.below) << c.name;
    }
}
