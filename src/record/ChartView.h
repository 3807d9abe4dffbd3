#pragma once

// The record chart's view state and its arithmetic: which samples fall on which pixel
// columns and rows, the label texts, the navigation commands and the cursor readout. No
// drawing here (ChartDrawing.h) and no widgets; a report can take a ChartView and a record
// and lay out the same chart.
//
// The chart runs backwards in time: pixel column i of a trace area W pixels wide shows
// sample L − o − c·i, L being the record's last index, o the offset (newest samples
// skipped) and c the compression (samples per column). Sample 0 is never shown.

#include "record/RecordFile.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

enum class ChartMode { Record, Read };
enum class RangeMode { Positive, Bipolar, Negative };

constexpr int ScaleSteps = 17;
inline constexpr std::array<float, ScaleSteps> ScaleTable = { 0.05f, 0.1f, 0.25f, 0.5f, 1.0f, 2.5f, 5.0f,
    10.0f, 25.0f, 50.0f, 100.0f, 250.0f, 500.0f, 1000.0f, 2500.0f, 5000.0f, 10000.0f };

// Scroll bar range 0..450 and track bar range 0..150 (compression = 151 − position).
constexpr int ScrollSteps = 450;
constexpr int TrackMaximum = 150;

struct ChartView
{
    ChartMode mode = ChartMode::Record;
    int recordCompression = 1;
    int recordOffset = 0;
    int readCompression = 1;
    int readOffset = 0;
    RangeMode range = RangeMode::Positive;
    std::array<bool, RecordChannels> visible { true, true, true, true, true, true };
    // At start the index is 3 but the gain that of index 4: the first step up keeps it.
    std::array<int, RecordChannels> scaleIndex { 3, 3, 3, 3, 3, 3 };
    std::array<float, RecordChannels> scaleFactor { 1, 1, 1, 1, 1, 1 };
    int gridShift = 0; // 0..19, record mode only
    // Whether a channel's trace left the area above or below in the last layout.
    std::array<bool, RecordChannels> above {};
    std::array<bool, RecordChannels> below {};

    int compression() const { return mode == ChartMode::Record ? recordCompression : readCompression; }
    int offset() const { return mode == ChartMode::Record ? recordOffset : readOffset; }
    int &compression() { return mode == ChartMode::Record ? recordCompression : readCompression; }
    int &offset() { return mode == ChartMode::Record ? recordOffset : readOffset; }
};

// A record as the chart sees it: the arrays and the index of the last sample (−1 when
// empty). `last` must lie below 450000.
struct ChartRecord
{
    const RecordArrays *arrays = nullptr;
    int last = -1;
};

// Where the samples of one redraw go: n columns, for each column the sample shown and
// for each channel its row. Rows are clamped to a few heights around the area, so that
// far-off or infinite values draw as steep lines leaving the area.
struct ChartColumns
{
    int n = 0;
    std::vector<int> sample; // n entries
    std::array<std::vector<int>, RecordChannels> y; // n entries each
};

// Row of grid line b (0..10) and of axis tick i (0..50) for a trace area H pixels high.
int GridLineY(int H, int b);
int AxisTickY(int H, int i);
// x of vertical grid line i (0 .. W div 20).
int GridLineX(const ChartView &view, int i);

// Lays the record out for a trace area of W × H pixels and sets the view's overflow marks
// (for hidden channels too). NaN values lie on the zero line.
ChartColumns LayoutColumns(ChartView &view, const ChartRecord &record, int W, int H);

// Status texts of a redraw that drew `columns`: compression, length, oldest and newest
// time. With no column drawn there are no times to show and the two stay as they were
// (after opening a file they then keep the file's own start and end texts).
struct ChartStatusTexts
{
    QString compression; // panel 0
    std::optional<QString> start; // panel 2
    std::optional<QString> end; // panel 3
    QString length; // panel 4
};
ChartStatusTexts StatusTexts(const ChartView &view, const ChartRecord &record, const ChartColumns &columns);

// "Time/DIV=20S", "CH1/DIV=50", and the axis labels "100%" .. "0%" / "-0%" .. "-100%".
QString TimeDivisionLabel(const ChartView &view);
QString ChannelDivisionLabel(const ChartView &view, int channel);
QString AxisLabel(RangeMode range, int i); // i = 0, 5, .., 50

// Navigation. `count` is the shown mode's count: RecordCount in record mode, LoadedLast in
// read mode, as the commands have always compared them. Each command returns what the
// window must change besides the view: button states, the positions to set on the scroll
// bar and the track bar, and the grid timer's interval.
struct NavigationEffects
{
    std::optional<bool> zoomOutEnabled; // Backward Compression
    std::optional<bool> zoomInEnabled; // Forward Expansion
    std::optional<bool> moveLeftEnabled; // toward the newest
    std::optional<bool> moveRightEnabled;
    std::optional<int> scrollPosition;
    std::optional<int> trackPosition;
    std::optional<int> gridIntervalMs;
};

NavigationEffects ZoomOut(ChartView &view, int count, int W);
NavigationEffects ZoomIn(ChartView &view, int count);
NavigationEffects MoveRight(ChartView &view, int count); // 500 samples toward the oldest
NavigationEffects MoveLeft(ChartView &view, int count); // 300 samples toward the newest
// Scroll bar moved to `position`: true when the offset was taken (the caller then arms the
// one-shot redraw).
bool ScrollTo(ChartView &view, int position, int count, int W);
// Track bar moved to `position`; sets the grid interval in record mode when the
// compression was taken.
NavigationEffects TrackTo(ChartView &view, int position, int count, int W);
// Scroll bar position for an offset: Round(offset · 450 / count); nullopt when count is 0.
std::optional<int> ScrollPositionFor(int offset, int count);
// Switches record/read and returns the scroll and track positions of the new mode.
NavigationEffects SwitchMode(ChartView &view, int recordCount, int loadedLast);
void StepRange(ChartView &view);
QString RangeStatusText(RangeMode range);
QString ModeStatusText(ChartMode mode); // "Mode：Record", "Mode:Read"

struct ChannelButtons
{
    bool scaleUpEnabled = true;
    bool scaleDownEnabled = true;
};
ChannelButtons ScaleUp(ChartView &view, int channel);
ChannelButtons ScaleDown(ChartView &view, int channel);
// Flips the channel's visibility; the buttons of a hidden channel are both disabled.
ChannelButtons ToggleChannel(ChartView &view, int channel);

// Texts of the status panels 4, 2 and 3 right after a record file was read: "Length:"
// with the count, "Start：" and "End：" with the first and last timestamp, or "Start：0" and
// "End：0" for a record without samples or a timestamp before the year 2000. `asciiColon`
// gives "Start:" and "End:" (the command-line open).
struct OpenedTexts
{
    QString length;
    QString start;
    QString end;
};
OpenedTexts OpenedFileTexts(const RecordArrays &arrays, int count, bool asciiColon);

// Cursor readout at column X: the sample under it, or nullopt (record mode uses
// RecordCount, read mode LoadedLast).
std::optional<int> CursorSample(const ChartView &view, int X, int recordCount, int loadedLast);
struct CursorTexts
{
    QString date;
    QString time;
    std::array<QString, RecordChannels> values;
};
// "Date：" / "Time：" in record mode, "Date:" / "Time:" in read mode, "Value:" + the value
// rounded to 3 decimals.
CursorTexts CursorReadout(ChartMode mode, const RecordArrays &arrays, int sample);
