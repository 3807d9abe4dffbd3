#pragma once

// The recording engine without a window: the live record, the record file it goes into,
// the write buffer, and what the sampling tick and the save tick do. The window owns the
// timers, the messages and the clock reading; it calls in here.

#include "measure/MeasurementRecord.h"
#include "record/RecordFile.h"
#include "record/RecordSettings.h"

#include <QDateTime>
#include <QString>

class Recorder
{
public:
    Recorder() = default;
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    const RecordArrays &live() const { return m_live; }
    // Samples taken since the last New (0..450000).
    int count() const { return m_count; }
    bool fileReady() const { return m_fileReady; }
    const QString &fileName() const { return m_fileName; }
    const RecordBlock &writeBuffer() const { return m_buffer; }

    // The channels and sampling step in force (from SysSet.ini or the settings window).
    RecordSettings settings;

    // Creates `fileName` with one empty block describing the settings in force, and only
    // then starts the record over in it (count 0, buffer cleared). When the file cannot be
    // created nothing changes and EInOutError propagates. A record that holds samples is
    // first saved into its old file, so the old file keeps every sample taken; when that
    // save fails the new file is made all the same and the failure's text is returned
    // (empty otherwise), for the caller to show.
    QString newFile(const QString &fileName);
    // Marks a file opened for reading: from then on the chart draws.
    void setFileReady() { m_fileReady = true; }

    // While the record holds no sample, takes the settings in force into the buffer's
    // signal and step bytes, so the file describes the samples it will hold. Start calls
    // it; the first sample does too.
    void takeSettings();

    enum class Sampled { Taken, LimitReached, Full };
    // One sample of each channel out of `record`, stamped `now`. A channel whose signal is
    // outside 0..12 records 0. The channels recorded are those the file says (the buffer's
    // signal bytes). Returns LimitReached for the 450000th sample and Full, taking nothing,
    // once the record is full.
    Sampled sample(const MeasurementRecord &record, const QDateTime &now);

    // Writes the newest blocks of the record into its file (see SaveRecordFile). Does
    // nothing but fill the buffer while no file is ready. Returns the blocks written;
    // EInOutError propagates and the next call tries again with everything since.
    int save();

private:
    RecordArrays m_live;
    int m_count = 0;
    bool m_fileReady = false;
    QString m_fileName;
    RecordBlock m_buffer;
};
