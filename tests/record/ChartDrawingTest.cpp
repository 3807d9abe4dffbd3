// Pixels of the trace area and the axis strip.

#include "record/ChartDrawing.h"
#include "record/RecordFixtures.h"

#include <memory>

namespace {

const QColor Background(238, 238, 238);
const QColor Scale(170, 170, 170);

class ChartDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        trace = QImage(ChartSurfaceSize(600, 332), QImage::Format_RGB32);
        trace.fill(Qt::black);
    }

    // Draws a record of `count` samples, every channel at `value`.
    ChartColumns draw(int count, float value, int W = 600, int H = 332)
    {
        for (int i = 0; i < count; ++i)
            for (int ch = 0; ch < 6; ++ch)
                arrays->channel(ch)[i] = value;
        const ChartColumns columns = LayoutColumns(view, { arrays.get(), count - 1 }, W, H);
        DrawTraceArea(trace, W, H, view, columns, true, Background, Scale);
        return columns;
    }

    QColor at(int x, int y) const { return trace.pixelColor(x, y); }

    std::unique_ptr<RecordArrays> arrays = std::make_unique<RecordArrays>();
    ChartView view;
    QImage trace;
};

TEST_F(ChartDrawingTest, TheAreaIsFilledAndTheRestOfTheSurfaceUntouched)
{
    draw(1, 0.0f);
    EXPECT_EQ(at(3, 3), Background);
    EXPECT_EQ(at(599, 331), Background);
    EXPECT_EQ(at(600, 100), QColor(Qt::black));
    EXPECT_EQ(at(100, 332), QColor(Qt::black));
}

TEST_F(ChartDrawingTest, GridLinesAreDottedInTheScaleColour)
{
    draw(1, 0.0f);
    const int y = GridLineY(332, 3);
    EXPECT_EQ(at(40, y), Scale);
    EXPECT_EQ(at(41, y), Background);
    EXPECT_EQ(at(60, 40), Scale); // vertical line x = 60
    EXPECT_EQ(at(60, 41), Background);
    view.gridShift = 7;
    draw(1, 0.0f);
    EXPECT_EQ(at(67, 40), Scale);
    view.mode = ChartMode::Read; // no shift in read mode
    draw(1, 0.0f);
    EXPECT_EQ(at(60, 40), Scale);
}

TEST_F(ChartDrawingTest, TwoSamplesDrawOneColumnAtTheLeftEdge)
{
    draw(2, 250.0f);
    // CH6 is drawn last, over the others, two pixels thick.
    for (const QPoint p : { QPoint(0, 166), QPoint(1, 166), QPoint(0, 167) })
        EXPECT_EQ(at(p.x(), p.y()), ChannelColours[5]) << p.x() << "," << p.y();
    EXPECT_EQ(at(5, 166), Background);
    EXPECT_EQ(at(0, 169), Background);
}

TEST_F(ChartDrawingTest, HiddenChannelsDrawNoTraceButKeepTheirMarks)
{
    for (int ch = 0; ch < 6; ++ch)
        view.visible[ch] = ch == 0;
    arrays->channel(1)[500] = 900.0f;
    const ChartColumns columns = LayoutColumns(view, { arrays.get(), 999 }, 600, 332);
    DrawTraceArea(trace, 600, 332, view, columns, true, Background, Scale);
    EXPECT_TRUE(view.above[1]);
    EXPECT_EQ(at(300, 316), ChannelColours[0]);
    const int x = 600 - OverflowMarkInset[1];
    EXPECT_EQ(at(x + 5, 3), ChannelColours[1]);
    EXPECT_EQ(at(600 - OverflowMarkInset[2] + 5, 3), Background);
    EXPECT_FALSE(MarkerTop(view, columns, 1).has_value());
    EXPECT_EQ(MarkerTop(view, columns, 0), 316 - 7);
}

TEST_F(ChartDrawingTest, BelowMarksSitAtTheBottomRight)
{
    // Wide enough that the bottom labels end before the marks begin.
    trace = QImage(ChartSurfaceSize(1000, 332), QImage::Format_RGB32);
    draw(5, -100.0f, 1000);
    for (int ch = 0; ch < 6; ++ch) {
        EXPECT_TRUE(view.below[ch]);
        EXPECT_EQ(at(1000 - OverflowMarkInset[ch] + 5, 332 - 3), ChannelColours[ch]) << ch;
    }
}

TEST_F(ChartDrawingTest, WithoutAFileOnlyGridAndLabelsAreDrawn)
{
    for (int i = 0; i < 10; ++i)
        for (int ch = 0; ch < 6; ++ch)
            arrays->channel(ch)[i] = 250.0f;
    DrawTraceArea(trace, 600, 332, view, ChartColumns {}, false, Background, Scale);
    for (int x = 0; x < 20; ++x)
        EXPECT_NE(at(x, 166), ChannelColours[5]);
    // Some label text in the teal of record mode at the bottom left.
    bool teal = false;
    for (int y = 320; y < 332; ++y)
        for (int x = 5; x < 90; ++x)
            teal |= at(x, y) == QColor(0, 128, 128);
    EXPECT_TRUE(teal);
}

TEST_F(ChartDrawingTest, AreasLargerThanTheSurfaceGetSurfacesOfTheirSize)
{
    EXPECT_EQ(ChartSurfaceSize(1900, 900), QSize(2400, 1600));
    EXPECT_EQ(ChartSurfaceSize(3800, 2000), QSize(3800, 2000));
    trace = QImage(ChartSurfaceSize(3800, 2000), QImage::Format_RGB32);
    draw(5000, 100.0f, 3800, 2000);
    EXPECT_EQ(at(3799, 1999), Background);
    EXPECT_EQ(at(3700, GridLineY(2000, 5) + (GridLineY(2000, 5) % 2)), Scale);
}

TEST_F(ChartDrawingTest, AxisStripTicksAndLine)
{
    QImage axis(50, 332, QImage::Format_RGB32);
    axis.fill(Qt::red);
    DrawAxisStrip(axis, 332, RangeMode::Positive);
    const int major = AxisTickY(332, 5);
    const int minor = AxisTickY(332, 1);
    EXPECT_EQ(axis.pixelColor(4, major), QColor(Qt::black));
    EXPECT_EQ(axis.pixelColor(4, minor), QColor(Qt::white));
    EXPECT_EQ(axis.pixelColor(8, minor), QColor(Qt::black));
    EXPECT_EQ(axis.pixelColor(13, 100), QColor(Qt::black));
    EXPECT_EQ(axis.pixelColor(40, 3), QColor(Qt::white));
}

} // namespace
