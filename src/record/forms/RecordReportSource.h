#pragma once

// The record report's view of the record window: the record the chart shows and the chart's
// view, taken from the window's record core state; and the overflow marks a printed page
// hands back to that view.

#include "record/ChartView.h"
#include "report/RecordReport.h"

// The record window's state the report reads, as the window holds it.
struct RecordWindowState
{
    const ChartView &view;
    bool fileReady = false;
    const RecordArrays &live;
    int recordCount = 0; // samples of the live record
    const RecordArrays &loaded;
    int loadedLast = -1; // newest index of the loaded record, -1 when it has none
};

// The record part of the report's input: the shown mode's record (the live one in record
// mode, RecordCount samples; the loaded one in read mode, LoadedLast + 1 samples) with its
// newest index, and that mode's compression and offset, the range, gains and visibility.
// Captions, status texts and the chart picture are the window's controls, left empty here.
RecordReportInput RecordReportInputFor(const RecordWindowState &state);

// Keeps the overflow marks of a printed page in the view. A page printed without a record
// file computed none, and the view's marks stay as they were.
void KeepPrintedOverflowMarks(ChartView &view, bool fileReady, const RecordPagePoints &points);
