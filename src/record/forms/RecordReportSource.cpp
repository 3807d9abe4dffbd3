#include "record/forms/RecordReportSource.h"

#include <algorithm>

static_assert(RecordReportChannels == RecordChannels);

namespace {
RecordRange reportRange(RangeMode range)
{
    switch (range) {
    case RangeMode::Positive:
        break;
    case RangeMode::Bipolar:
        return RecordRange::Bipolar;
    case RangeMode::Negative:
        return RecordRange::Negative;
    }
    return RecordRange::Positive;
}
} // namespace

RecordReportInput RecordReportInputFor(const RecordWindowState &state)
{
    const bool recordMode = state.view.mode == ChartMode::Record;
    const RecordArrays &arrays = recordMode ? state.live : state.loaded;
    const int last = recordMode ? state.recordCount - 1 : state.loadedLast;
    // The arrays hold 450000 samples; a count outside them is cut, never read past.
    const int length = std::clamp(last + 1, 0, MaxRecordSamples);

    RecordReportInput input;
    input.fileReady = state.fileReady;
    input.last = std::clamp(last, -1, MaxRecordSamples - 1);
    for (int k = 0; k < RecordReportChannels; ++k)
        input.samples[k] = std::span<const float>(arrays.channel(k), std::size_t(length));
    input.compression = state.view.compression();
    input.offset = state.view.offset();
    input.range = reportRange(state.view.range);
    input.scaleFactor = state.view.scaleFactor;
    input.visible = state.view.visible;
    return input;
}

void KeepPrintedOverflowMarks(ChartView &view, bool fileReady, const RecordPagePoints &points)
{
    if (!fileReady)
        return;
    view.above = points.above;
    view.below = points.below;
}
