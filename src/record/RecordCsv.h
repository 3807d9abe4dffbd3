#pragma once

// A record as CSV: one row per sample, the local time in ISO 8601 with milliseconds and the
// offset from UTC, then the six channels; the header names each channel, its signal's
// caption and unit ("CH1 Vol (V)", "CH4 Power Factor", "CH6" for a channel without a
// signal). Numbers are the shortest texts that read back as the same float. A timestamp
// that stands for no date leaves the time field empty. Rows end with CRLF.

#include "record/RecordFile.h"

#include <QIODevice>
#include <QString>

#include <array>
#include <cstdint>

using ChannelSignals = std::array<uint8_t, RecordChannels>;

QString RecordCsvHeader(const ChannelSignals &signalBytes);

// The ISO 8601 text of a timestamp as the CSV writes it; empty for no date.
QString RecordCsvTime(double days);

// Writes the header and samples 0 .. count - 1 of `record` to `out`. Throws EInOutError with
// the device's text when a write fails.
void WriteRecordCsv(QIODevice &out, const RecordArrays &record, int count, const ChannelSignals &signalBytes);

// WriteRecordCsv into `csvPath`; the file appears whole or not at all.
void SaveRecordCsv(
    const QString &csvPath, const RecordArrays &record, int count, const ChannelSignals &signalBytes);
