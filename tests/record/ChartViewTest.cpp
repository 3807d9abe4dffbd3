// The chart's arithmetic: columns and rows, labels, status texts, navigation limits and
// the cursor readout.

#include "record/ChartView.h"
#include "record/RecordFixtures.h"
#include "record/RecordTime.h"

#include <cmath>
#include <limits>
#include <memory>

namespace {

class ChartViewTest : public ::testing::Test
{
protected:
    // A record of `count` samples whose channel values are all `value`.
    ChartRecord record(int count, float value = 0.0f)
    {
        for (int i = 0; i < count; ++i) {
            for (int ch = 0; ch < 6; ++ch)
                arrays->channel(ch)[i] = value;
            arrays->timestamps()[i] = ToOleDate(QDateTime(QDate(2026, 12, 10), QTime(8, 0)).addSecs(i));
        }
        return { arrays.get(), count - 1 };
    }

    std::unique_ptr<RecordArrays> arrays = std::make_unique<RecordArrays>();
    ChartView view;
};

TEST_F(ChartViewTest, ColumnsRunBackwardsFromTheNewestSampleAndNeverShowSampleZero)
{
    struct Case
    {
        int count;
        int compression;
        int offset;
        int W;
        int n;
        int first;
        int last;
    } const cases[] = {
        { 1, 1, 0, 600, 0, -1, -1 },
        { 2, 1, 0, 600, 1, 1, 1 },
        { 1000, 1, 0, 600, 600, 999, 400 },
        { 1000, 2, 0, 600, 499, 999, 3 },
        { 1000, 1, 500, 600, 499, 499, 1 },
        { 1000, 1, 5000, 600, 0, -1, -1 }, // an offset left from a longer record
        { 0, 1, 0, 600, 0, -1, -1 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " samples, c " << c.compression << ", o " << c.offset);
        view.recordCompression = c.compression;
        view.recordOffset = c.offset;
        const ChartColumns columns = LayoutColumns(view, record(c.count), c.W, 332);
        ASSERT_EQ(columns.n, c.n);
        if (c.n > 0) {
            EXPECT_EQ(columns.sample.front(), c.first);
            EXPECT_EQ(columns.sample.back(), c.last);
        }
    }
}

TEST_F(ChartViewTest, RowsOfTheThreeRanges)
{
    struct Case
    {
        RangeMode range;
        float value;
        int y;
    } const cases[] = {
        { RangeMode::Positive, 250.0f, 166 }, // the middle grid line
        { RangeMode::Positive, 0.0f, 316 }, // the bottom grid line
        { RangeMode::Positive, 500.0f, 16 }, // the top grid line
        { RangeMode::Bipolar, 0.0f, 166 }, // H div 2
        { RangeMode::Bipolar, 500.0f, 16 },
        { RangeMode::Negative, -500.0f, 316 }, // the bottom grid line
        { RangeMode::Negative, 0.0f, 16 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.range) << " " << c.value);
        view.range = c.range;
        const ChartColumns columns = LayoutColumns(view, record(2, c.value), 600, 332);
        ASSERT_EQ(columns.n, 1);
        EXPECT_EQ(columns.y[0][0], c.y);
    }
    EXPECT_EQ(GridLineY(332, 5), 166);
    EXPECT_EQ(GridLineY(332, 10), 316);
    EXPECT_EQ(AxisTickY(332, 25), 166);
}

TEST_F(ChartViewTest, OverflowMarksFollowTheLastLayoutAlsoForHiddenChannels)
{
    view.visible[1] = false;
    record(3, 0.0f);
    arrays->channel(1)[2] = 2000.0f; // far above
    arrays->channel(3)[1] = -100.0f; // below the bottom in the Positive range
    LayoutColumns(view, { arrays.get(), 2 }, 600, 332);
    EXPECT_TRUE(view.above[1]);
    EXPECT_TRUE(view.below[3]);
    EXPECT_FALSE(view.above[0] || view.below[0]);
    LayoutColumns(view, record(3, 0.0f), 600, 332);
    EXPECT_FALSE(view.above[1]);
    EXPECT_FALSE(view.below[3]);
}

TEST_F(ChartViewTest, NaNAndInfiniteSamplesLayOutWithinBounds)
{
    record(4, 1.0f);
    arrays->channel(0)[3] = std::numeric_limits<float>::quiet_NaN();
    arrays->channel(1)[3] = std::numeric_limits<float>::infinity();
    arrays->channel(2)[3] = -std::numeric_limits<float>::infinity();
    arrays->channel(3)[3] = 3.0e38f;
    view.scaleIndex[3] = 16;
    view.scaleFactor[3] = 10000.0f;
    const ChartColumns columns = LayoutColumns(view, { arrays.get(), 3 }, 600, 332);
    ASSERT_EQ(columns.n, 3);
    EXPECT_EQ(columns.y[0][0], 316); // NaN lies on the zero line
    EXPECT_TRUE(view.above[1]);
    EXPECT_TRUE(view.below[2]);
    EXPECT_TRUE(view.above[3]);
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_GE(columns.y[ch][0], -332 - 16);
        EXPECT_LE(columns.y[ch][0], 2 * 332 + 16);
    }
}

TEST_F(ChartViewTest, LabelsOfTheRangesAndGains)
{
    EXPECT_EQ(ChannelDivisionLabel(view, 0), QStringLiteral("CH1/DIV=50"));
    EXPECT_EQ(TimeDivisionLabel(view), QStringLiteral("Time/DIV=20S"));
    view.range = RangeMode::Bipolar;
    EXPECT_EQ(ChannelDivisionLabel(view, 0), QStringLiteral("CH1/DIV=25"));
    QStringList bipolar;
    for (int i = 0; i <= 50; i += 5)
        bipolar << AxisLabel(RangeMode::Bipolar, i);
    EXPECT_EQ(bipolar.join(' '), QStringLiteral("100% 80% 60% 40% 20% 0% -20% -40% -60% -80% -100%"));
    EXPECT_EQ(AxisLabel(RangeMode::Negative, 0), QStringLiteral("-0%"));
    EXPECT_EQ(AxisLabel(RangeMode::Negative, 50), QStringLiteral("-100%"));
    EXPECT_EQ(AxisLabel(RangeMode::Positive, 25), QStringLiteral("50%"));
    view.range = RangeMode::Positive;
    view.readCompression = 7;
    view.mode = ChartMode::Read;
    EXPECT_EQ(TimeDivisionLabel(view), QStringLiteral("Time/DIV=140S"));
}

TEST_F(ChartViewTest, ScaleUpTenTimesAndTheLimitsOfTheTable)
{
    ChannelButtons buttons;
    for (int i = 0; i < 10; ++i)
        buttons = ScaleUp(view, 2);
    EXPECT_EQ(view.scaleIndex[2], 13);
    EXPECT_EQ(view.scaleFactor[2], 1000.0f);
    EXPECT_EQ(ChannelDivisionLabel(view, 2), QStringLiteral("CH3/DIV=0.05"));
    EXPECT_TRUE(buttons.scaleUpEnabled);
    for (int i = 0; i < 3; ++i)
        buttons = ScaleUp(view, 2);
    EXPECT_EQ(view.scaleIndex[2], 16);
    EXPECT_FALSE(buttons.scaleUpEnabled);
    EXPECT_EQ(ScaleUp(view, 2).scaleUpEnabled, false);
    EXPECT_EQ(view.scaleIndex[2], 16);
    // The first step up from the start keeps the gain 1.
    EXPECT_EQ(ScaleUp(view, 0).scaleDownEnabled, true);
    EXPECT_EQ(view.scaleFactor[0], 1.0f);
    for (int i = 0; i < 6; ++i)
        buttons = ScaleDown(view, 0);
    EXPECT_EQ(view.scaleIndex[0], 0);
    EXPECT_FALSE(buttons.scaleDownEnabled);
    EXPECT_EQ(ChannelDivisionLabel(view, 0), QStringLiteral("CH1/DIV=1000"));
}

TEST_F(ChartViewTest, AHiddenChannelHasBothScaleButtonsOff)
{
    ChannelButtons buttons = ToggleChannel(view, 4);
    EXPECT_FALSE(view.visible[4]);
    EXPECT_FALSE(buttons.scaleUpEnabled || buttons.scaleDownEnabled);
    view.scaleIndex[4] = 0;
    buttons = ToggleChannel(view, 4);
    EXPECT_TRUE(buttons.scaleUpEnabled);
    EXPECT_FALSE(buttons.scaleDownEnabled);
}

TEST_F(ChartViewTest, ZoomOutTwiceOnAThousandSamples)
{
    NavigationEffects first = ZoomOut(view, 1000, 600);
    EXPECT_EQ(view.recordCompression, 2);
    EXPECT_EQ(first.trackPosition, 149);
    EXPECT_EQ(first.gridIntervalMs, 2000);
    EXPECT_FALSE(first.zoomOutEnabled.has_value());
    EXPECT_EQ(first.zoomInEnabled, true);
    EXPECT_EQ(first.scrollPosition, 0);
    NavigationEffects second = ZoomOut(view, 1000, 600);
    EXPECT_EQ(view.recordCompression, 2);
    EXPECT_EQ(second.zoomOutEnabled, false);
    // Zoom in back to 1, then it stops.
    EXPECT_FALSE(ZoomIn(view, 1000).zoomInEnabled.has_value());
    EXPECT_EQ(ZoomIn(view, 1000).zoomInEnabled, false);
    EXPECT_EQ(view.recordCompression, 1);
    // Read mode keeps its own compression and leaves the grid timer alone.
    view.mode = ChartMode::Read;
    EXPECT_FALSE(ZoomOut(view, 999, 600).gridIntervalMs.has_value());
    EXPECT_EQ(view.readCompression, 2);
    EXPECT_EQ(view.recordCompression, 1);
}

TEST_F(ChartViewTest, MovesStopAtBothEnds)
{
    view.recordOffset = 200;
    NavigationEffects left = MoveLeft(view, 1000);
    EXPECT_EQ(view.recordOffset, 0);
    EXPECT_EQ(left.moveRightEnabled, true);
    EXPECT_FALSE(left.moveLeftEnabled.has_value());
    EXPECT_EQ(MoveLeft(view, 1000).moveLeftEnabled, false);
    // Record mode: 0 + 500 < 1200 − 0 moves; 500 + 500 < 1200 − 500 does not.
    EXPECT_FALSE(MoveRight(view, 1200).moveRightEnabled.has_value());
    EXPECT_EQ(view.recordOffset, 500);
    EXPECT_EQ(MoveRight(view, 1200).moveRightEnabled, false);
    EXPECT_EQ(view.recordOffset, 500);
    // Read mode compares with the last index alone.
    view.mode = ChartMode::Read;
    MoveRight(view, 1200);
    EXPECT_EQ(MoveRight(view, 1200).scrollPosition, 375); // Round(1000 · 450 / 1200)
    EXPECT_EQ(view.readOffset, 1000);
    const NavigationEffects right = MoveRight(view, 1200);
    EXPECT_EQ(view.readOffset, 1000);
    EXPECT_EQ(right.moveRightEnabled, false);
    view.readOffset = 500;
    EXPECT_EQ(MoveLeft(view, 1200).scrollPosition, 75); // Round(200 · 450 / 1200)
}

TEST_F(ChartViewTest, ScrollAndTrackTakeOnlyPositionsThatFillTheArea)
{
    EXPECT_FALSE(ScrollTo(view, 100, 450, 600)); // too short to scroll
    EXPECT_TRUE(ScrollTo(view, 100, 4500, 600));
    EXPECT_EQ(view.recordOffset, 1000);
    EXPECT_FALSE(ScrollTo(view, 400, 4500, 600)); // would leave 500 < 570 samples
    EXPECT_EQ(view.recordOffset, 1000);
    EXPECT_EQ(TrackTo(view, 140, 4500, 600).gridIntervalMs, 11000); // 4500 div 11 > 300
    EXPECT_EQ(view.recordCompression, 11);
    EXPECT_FALSE(TrackTo(view, 130, 4500, 600).gridIntervalMs.has_value()); // 4500 div 21 = 214
    EXPECT_EQ(view.recordCompression, 11);
    EXPECT_EQ(ScrollPositionFor(1000, 0), std::nullopt);
}

TEST_F(ChartViewTest, ModeSwitchAndRangeSteps)
{
    view.readCompression = 3;
    view.readOffset = 100;
    NavigationEffects effects = SwitchMode(view, 0, 900);
    EXPECT_EQ(view.mode, ChartMode::Read);
    EXPECT_EQ(effects.trackPosition, 148);
    EXPECT_EQ(effects.scrollPosition, 50);
    EXPECT_EQ(ModeStatusText(view.mode), QStringLiteral("Mode:Read"));
    effects = SwitchMode(view, 0, 900);
    EXPECT_EQ(view.mode, ChartMode::Record);
    EXPECT_FALSE(effects.scrollPosition.has_value()); // nothing recorded
    EXPECT_EQ(ModeStatusText(view.mode), QStringLiteral("Mode：Record"));

    QStringList texts;
    for (int click = 0; click < 3; ++click) {
        StepRange(view);
        texts << RangeStatusText(view.range);
    }
    EXPECT_EQ(texts, QStringList({ "Range: Bipolar    ", "Range: Negative    ", "Range: Positive    " }));
}

TEST_F(ChartViewTest, CursorSampleAndReadout)
{
    view.recordCompression = 2;
    view.recordOffset = 10;
    EXPECT_EQ(CursorSample(view, 0, 100, 0), 89);
    EXPECT_EQ(CursorSample(view, 44, 100, 0), 1);
    EXPECT_EQ(CursorSample(view, 45, 100, 0), std::nullopt);
    EXPECT_EQ(CursorSample(view, -1, 100, 0), std::nullopt);
    view.mode = ChartMode::Read;
    EXPECT_EQ(CursorSample(view, 0, 0, 99), 99);
    EXPECT_EQ(CursorSample(view, 1, 0, 99), 98);
    EXPECT_EQ(CursorSample(view, 99, 0, 99), std::nullopt);
    EXPECT_EQ(CursorSample(view, 0, 0, -1), std::nullopt);

    record(3, 0.0f);
    arrays->channel(0)[2] = 230.12351f;
    arrays->channel(1)[2] = -0.0004f;
    arrays->channel(2)[2] = std::numeric_limits<float>::quiet_NaN();
    const CursorTexts record = CursorReadout(ChartMode::Record, *arrays, 2);
    EXPECT_TRUE(record.date.startsWith(QStringLiteral("Date：")));
    EXPECT_TRUE(record.time.startsWith(QStringLiteral("Time：")));
    EXPECT_EQ(record.values[0], QStringLiteral("Value:230.124"));
    EXPECT_EQ(record.values[1], QStringLiteral("Value:0"));
    EXPECT_EQ(record.values[3], QStringLiteral("Value:0"));
    EXPECT_TRUE(CursorReadout(ChartMode::Read, *arrays, 2).date.startsWith(QStringLiteral("Date:")));
}

TEST_F(ChartViewTest, StatusTextsOfARedrawAndOfAnOpenedFile)
{
    const ChartRecord shown = record(1000);
    const ChartColumns columns = LayoutColumns(view, shown, 600, 332);
    const ChartStatusTexts texts = StatusTexts(view, shown, columns);
    EXPECT_EQ(texts.length, QStringLiteral("长度：600"));
    EXPECT_EQ(texts.compression, QStringLiteral("采样步长：1S"));
    EXPECT_EQ(texts.start, QStringLiteral("开始：") + OleDateTimeText(arrays->timestamps()[400]));
    EXPECT_EQ(texts.end, QStringLiteral("结束：") + OleDateTimeText(arrays->timestamps()[999]));
    const ChartStatusTexts empty = StatusTexts(view, shown, ChartColumns {});
    EXPECT_FALSE(empty.start.has_value());
    EXPECT_EQ(empty.length, QStringLiteral("长度：0"));

    const OpenedTexts none = OpenedFileTexts(*arrays, 0, false);
    EXPECT_EQ(none.length, QStringLiteral("Length:0"));
    EXPECT_EQ(none.start, QStringLiteral("Start：0"));
    EXPECT_EQ(none.end, QStringLiteral("End：0"));
    arrays->timestamps()[0] = ToOleDate(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)));
    const OpenedTexts old = OpenedFileTexts(*arrays, 1000, true);
    EXPECT_EQ(old.start, QStringLiteral("Start:0"));
    EXPECT_EQ(old.end, QStringLiteral("End:") + OleDateTimeText(arrays->timestamps()[999]));
    arrays->timestamps()[0] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(OpenedFileTexts(*arrays, 1000, false).start, QStringLiteral("Start：0"));
}

} // namespace
