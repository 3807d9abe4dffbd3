#include "record/ChartView.h"

#include "measure/NumberText.h"
#include "record/RecordTime.h"

#include <QCoreApplication>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>

namespace {

// Rounding to the nearest integer with halves to the even neighbour, whatever mode the
// caller had set, for the life of the guard.
class NearestEven
{
public:
    NearestEven()
        : m_saved(std::fegetround())
    {
        std::fesetround(FE_TONEAREST);
    }
    ~NearestEven() { std::fesetround(m_saved); }

private:
    int m_saved;
};

// Only under a NearestEven guard.
int64_t nearest(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));
}

int64_t roundEven(double value)
{
    const NearestEven mode;
    return nearest(value);
}

// Raw heights beyond this are off any screen; keeping them finite and bounded keeps the
// row arithmetic in range for NaN, infinite and huge samples.
constexpr double RawLimit = 1.0e7;

int64_t rawHeight(float value, float scaleFactor, float k)
{
    const double product = double(value) * double(scaleFactor) * double(k);
    if (std::isnan(product))
        return 0;
    return nearest(std::clamp(product, -RawLimit, RawLimit));
}

} // namespace

int GridLineY(int H, int b)
{
    return int(roundEven(double(H - 32) * b / 10.0)) + 16;
}

int AxisTickY(int H, int i)
{
    return int(roundEven(double(H - 32) * i / 50.0)) + 16;
}

int GridLineX(const ChartView &view, int i)
{
    return 20 * i + (view.mode == ChartMode::Record ? view.gridShift : 0);
}

ChartColumns LayoutColumns(ChartView &view, const ChartRecord &record, int W, int H)
{
    ChartColumns columns;
    view.above.fill(false);
    view.below.fill(false);
    if (!record.arrays || W <= 0)
        return columns;

    const int64_t c = std::max(1, view.compression());
    const int64_t L = std::min(record.last, MaxRecordSamples - 1);
    const int64_t o = view.offset();
    columns.n = int(std::clamp<int64_t>((L - o) / c, 0, W));
    const int n = columns.n;
    columns.sample.resize(n);
    for (int i = 0; i < n; ++i)
        columns.sample[i] = int(L - o - c * i);

    const NearestEven mode;
    const float k = float(H - 32) / 500.0f;
    const int64_t low = -int64_t(H) - 16;
    const int64_t high = 2 * int64_t(H) + 16;
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const float *values = record.arrays->channel(ch);
        const float gain = view.scaleFactor[ch];
        std::vector<int> &rows = columns.y[ch];
        rows.resize(n);
        bool above = false;
        bool below = false;
        for (int i = 0; i < n; ++i) {
            const int64_t raw = rawHeight(values[columns.sample[i]], gain, k);
            int64_t y;
            switch (view.range) {
            case RangeMode::Positive:
                y = (H - 16) - raw;
                break;
            case RangeMode::Bipolar:
                y = H / 2 - nearest(double(raw) / 2.0);
                break;
            case RangeMode::Negative:
            default:
                y = 16 - raw;
                break;
            }
            above |= y < 0;
            below |= y > H;
            rows[i] = int(std::clamp(y, low, high));
        }
        view.above[ch] = above;
        view.below[ch] = below;
    }
    return columns;
}

ChartStatusTexts StatusTexts(const ChartView &view, const ChartRecord &record, const ChartColumns &columns)
{
    ChartStatusTexts texts;
    texts.compression = QCoreApplication::translate("ChartView", "采样步长：%1S").arg(view.compression());
    texts.length = QCoreApplication::translate("ChartView", "长度：%1").arg(columns.n);
    if (columns.n > 0 && record.arrays) {
        const double *times = record.arrays->timestamps();
        texts.start = QCoreApplication::translate("ChartView", "开始：")
            + OleDateTimeText(times[columns.sample[columns.n - 1]]);
        texts.end
            = QCoreApplication::translate("ChartView", "结束：") + OleDateTimeText(times[columns.sample[0]]);
    }
    return texts;
}

OpenedTexts OpenedFileTexts(const RecordArrays &arrays, int count, bool asciiColon)
{
    const auto timeText = [&](int sample) {
        if (count <= 0)
            return QStringLiteral("0");
        const QDateTime moment = FromOleDate(arrays.timestamps()[sample]);
        return moment.isValid() && moment.date().year() >= 2000 ? OleDateTimeText(arrays.timestamps()[sample])
                                                                : QStringLiteral("0");
    };
    OpenedTexts texts;
    texts.length = QCoreApplication::translate("ChartView", "Length:%1").arg(count);
    texts.start = (asciiColon ? QCoreApplication::translate("ChartView", "Start:%1")
                              : QCoreApplication::translate("ChartView", "Start：%1"))
                      .arg(timeText(0));
    texts.end = (asciiColon ? QCoreApplication::translate("ChartView", "End:%1")
                            : QCoreApplication::translate("ChartView", "End：%1"))
                    .arg(timeText(std::max(count - 1, 0)));
    return texts;
}

QString TimeDivisionLabel(const ChartView &view)
{
    return QCoreApplication::translate("ChartView", "Time/DIV=%1S").arg(20 * view.compression());
}

QString ChannelDivisionLabel(const ChartView &view, int channel)
{
    const double factor = view.scaleFactor[channel];
    const double value = view.range == RangeMode::Bipolar ? double(roundEven(250000.0 / factor)) / 10000.0
                                                          : double(roundEven(50000.0 / factor)) / 1000.0;
    return QCoreApplication::translate("ChartView", "CH%1/DIV=").arg(channel + 1) + ShortestText(value);
}

QString AxisLabel(RangeMode range, int i)
{
    switch (range) {
    case RangeMode::Positive:
        return QStringLiteral("%1%").arg(100 - 2 * i);
    case RangeMode::Bipolar:
        return QStringLiteral("%1%").arg(100 - 4 * i);
    case RangeMode::Negative:
    default:
        return QStringLiteral("-%1%").arg(2 * i);
    }
}

std::optional<int> ScrollPositionFor(int offset, int count)
{
    if (count == 0)
        return std::nullopt;
    return int(roundEven(double(offset) * ScrollSteps / count));
}

NavigationEffects ZoomOut(ChartView &view, int count, int W)
{
    NavigationEffects effects;
    int &c = view.compression();
    if (count / c > roundEven(W * 0.95)) {
        ++c;
        effects.trackPosition = TrackMaximum + 1 - c;
    } else {
        effects.zoomOutEnabled = false;
    }
    if (view.mode == ChartMode::Record)
        effects.gridIntervalMs = c * 1000;
    effects.scrollPosition = ScrollPositionFor(view.offset(), count);
    effects.zoomInEnabled = true;
    return effects;
}

NavigationEffects ZoomIn(ChartView &view, int count)
{
    NavigationEffects effects;
    int &c = view.compression();
    if (c > 1)
        --c;
    else
        effects.zoomInEnabled = false;
    effects.trackPosition = TrackMaximum + 1 - c;
    effects.zoomOutEnabled = true;
    if (view.mode == ChartMode::Record)
        effects.gridIntervalMs = c * 1000;
    effects.scrollPosition = ScrollPositionFor(view.offset(), count);
    return effects;
}

NavigationEffects MoveRight(ChartView &view, int count)
{
    NavigationEffects effects;
    effects.moveLeftEnabled = true;
    int &o = view.offset();
    // In record mode the offset is counted on both sides of the test, as it always was:
    // the view stops short of the oldest samples of a live record.
    const bool room
        = view.mode == ChartMode::Record ? int64_t(o) + 500 < int64_t(count) - o : int64_t(o) + 500 < count;
    if (room)
        o += 500;
    else
        effects.moveRightEnabled = false;
    effects.scrollPosition = ScrollPositionFor(o, count);
    return effects;
}

NavigationEffects MoveLeft(ChartView &view, int count)
{
    NavigationEffects effects;
    effects.moveRightEnabled = true;
    int &o = view.offset();
    if (o < 1)
        effects.moveLeftEnabled = false;
    else
        o = std::max(0, o - 300);
    effects.scrollPosition = ScrollPositionFor(o, count);
    return effects;
}

bool ScrollTo(ChartView &view, int position, int count, int W)
{
    if (count <= ScrollSteps)
        return false;
    const int64_t candidate = int64_t(position) * count / ScrollSteps;
    if (double(count - candidate) > W * 0.95) {
        view.offset() = int(candidate);
        return true;
    }
    return false;
}

NavigationEffects TrackTo(ChartView &view, int position, int count, int W)
{
    NavigationEffects effects;
    const int d = TrackMaximum + 1 - std::clamp(position, 0, TrackMaximum);
    if (count / d > roundEven(W * 0.5)) {
        view.compression() = d;
        if (view.mode == ChartMode::Record)
            effects.gridIntervalMs = d * 1000;
    }
    return effects;
}

NavigationEffects SwitchMode(ChartView &view, int recordCount, int loadedLast)
{
    view.mode = view.mode == ChartMode::Record ? ChartMode::Read : ChartMode::Record;
    NavigationEffects effects;
    effects.trackPosition = TrackMaximum + 1 - view.compression();
    effects.scrollPosition
        = ScrollPositionFor(view.offset(), view.mode == ChartMode::Record ? recordCount : loadedLast);
    return effects;
}

void StepRange(ChartView &view)
{
    view.range = view.range == RangeMode::Positive ? RangeMode::Bipolar
        : view.range == RangeMode::Bipolar         ? RangeMode::Negative
                                                   : RangeMode::Positive;
}

QString RangeStatusText(RangeMode range)
{
    switch (range) {
    case RangeMode::Positive:
        return QCoreApplication::translate("ChartView", "Range: Positive    ");
    case RangeMode::Bipolar:
        return QCoreApplication::translate("ChartView", "Range: Bipolar    ");
    case RangeMode::Negative:
    default:
        return QCoreApplication::translate("ChartView", "Range: Negative    ");
    }
}

QString ModeStatusText(ChartMode mode)
{
    return mode == ChartMode::Record ? QCoreApplication::translate("ChartView", "Mode：Record")
                                     : QCoreApplication::translate("ChartView", "Mode:Read");
}

namespace {

ChannelButtons buttonsFor(const ChartView &view, int channel)
{
    ChannelButtons buttons;
    buttons.scaleUpEnabled = view.visible[channel] && view.scaleIndex[channel] < ScaleSteps - 1;
    buttons.scaleDownEnabled = view.visible[channel] && view.scaleIndex[channel] > 0;
    return buttons;
}

} // namespace

ChannelButtons ScaleUp(ChartView &view, int channel)
{
    int &index = view.scaleIndex[channel];
    index = std::min(index + 1, ScaleSteps - 1);
    view.scaleFactor[channel] = ScaleTable[index];
    return buttonsFor(view, channel);
}

ChannelButtons ScaleDown(ChartView &view, int channel)
{
    int &index = view.scaleIndex[channel];
    index = std::max(index - 1, 0);
    view.scaleFactor[channel] = ScaleTable[index];
    return buttonsFor(view, channel);
}

ChannelButtons ToggleChannel(ChartView &view, int channel)
{
    view.visible[channel] = !view.visible[channel];
    return buttonsFor(view, channel);
}

std::optional<int> CursorSample(const ChartView &view, int X, int recordCount, int loadedLast)
{
    if (X < 0)
        return std::nullopt;
    const int64_t c = view.compression();
    const int64_t o = view.offset();
    const int64_t back = int64_t(X) * c + o;
    if (view.mode == ChartMode::Record) {
        if (back + 1 < recordCount)
            return int(recordCount - 1 - back);
    } else if (back < loadedLast) {
        return int(loadedLast - back);
    }
    return std::nullopt;
}

CursorTexts CursorReadout(ChartMode mode, const RecordArrays &arrays, int sample)
{
    CursorTexts texts;
    const bool record = mode == ChartMode::Record;
    const double time = arrays.timestamps()[sample];
    texts.date = (record ? QCoreApplication::translate("ChartView", "Date：")
                         : QCoreApplication::translate("ChartView", "Date:"))
        + OleDateText(time);
    texts.time = (record ? QCoreApplication::translate("ChartView", "Time：")
                         : QCoreApplication::translate("ChartView", "Time:"))
        + OleTimeText(time);
    for (int ch = 0; ch < RecordChannels; ++ch)
        texts.values[ch] = QCoreApplication::translate("ChartView", "Value:")
            + ShortestText(RoundHalfEven(arrays.channel(ch)[sample], 3));
    return texts;
}
