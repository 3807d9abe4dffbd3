#pragma once

// The recording engine without a window: the live record, the record file it goes into,
// the write buffer, and what the sampling tick and the save tick do. The window owns the
// timers, the messages and the clock reading; it calls in here.

#include "measure/MeasurementRecord.h"
#include "record/RecordFile.h"
#include "record/RecordSettings.h"

#include <QDateTime>
#include <QString>

#include <optional>

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

    enum class Sampled { Taken, LimitReached, Full, NotNew };
    // One sample of each channel out of `record`, stamped `now`. A channel whose signal is
    // outside 0..12 records 0. The channels recorded are those the file says (the buffer's
    // signal bytes). Returns LimitReached for the 450000th sample and Full, taking nothing,
    // once the record is full.
    Sampled sample(const MeasurementRecord &record, const QDateTime &now);
    // The sampling tick: one sample of the measurement `record` holds, stamped with the time
    // it arrived, unless it is the one taken last (or none has arrived): then NotNew, and
    // nothing is taken. A record holds only what the instrument sent, each at most once.
    Sampled sampleArrived(const MeasurementRecord &record, const MeasurementArrival &arrival);

    // Writes the newest blocks of the record into its file (see SaveRecordFile). Does
    // nothing but fill the buffer while no file is ready. Returns the blocks written;
    // EInOutError propagates and the next call tries again with everything since. A file that
    // was deleted, moved or replaced since the last save is made again and written whole.
    int save();
    // Whether the last save had to make the file again.
    bool fileRemade() const { return m_remade; }
    // Samples taken since the last good save (all of them when none succeeded yet).
    int unsavedSamples() const { return m_fileReady ? m_count - m_savedCount : 0; }

private:
    RecordArrays m_live;
    int m_count = 0;
    bool m_fileReady = false;
    QString m_fileName;
    RecordBlock m_buffer;
    int m_savedCount = 0;
    uint64_t m_takenSerial = 0;
    std::optional<FileIdentity> m_identity;
    bool m_remade = false;
};

// What the record window's status bar says while sampling ticks find no new measurement.
QString SkippedSamplesText(const MeasurementArrival &latest);
// What it says while saves fail (`triedAgain`: the save timer goes on), and after a save
// made the file again.
QString SaveFailedText(const QString &fileName, const QString &reason, bool triedAgain);
QString FileRemadeText(const QString &fileName, int samples);
