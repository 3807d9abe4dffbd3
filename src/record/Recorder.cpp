#include "record/Recorder.h"

#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "record/RecordTime.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The file holds one byte per channel; an index that byte cannot hold as it is, or that
// names no signal, becomes 255, which names none either.
uint8_t signalByte(int signal)
{
    return signal >= 0 && signal < RecordSignalCount ? static_cast<uint8_t>(signal) : uint8_t(255);
}

} // namespace

QString Recorder::newFile(const QString &fileName)
{
    QString oldFileError;
    if (m_fileReady && m_count > 0) {
        try {
            save();
        } catch (const KmrError &error) {
            oldFileError = error.text();
        }
    }

    RecordBlock fresh;
    for (int k = 0; k < RecordChannels; ++k)
        fresh.setSignal(k, signalByte(settings.channelSignal[k]));
    fresh.setStep(static_cast<uint8_t>(settings.samplingIndex));
    CreateRecordFile(fileName, fresh);

    m_identity = FileIdentityOf(fileName);
    m_remade = false;
    m_buffer = fresh;
    m_count = 0;
    m_savedCount = 0;
    m_fileName = fileName;
    m_fileReady = true;
    return oldFileError;
}

void Recorder::takeSettings()
{
    if (m_count != 0)
        return;
    for (int k = 0; k < RecordChannels; ++k)
        m_buffer.setSignal(k, signalByte(settings.channelSignal[k]));
    m_buffer.setStep(static_cast<uint8_t>(settings.samplingIndex));
}

Recorder::Sampled Recorder::sample(const MeasurementRecord &record, const QDateTime &now)
{
    if (m_count >= MaxRecordSamples)
        return Sampled::Full;
    takeSettings();
    for (int k = 0; k < RecordChannels; ++k)
        m_live.channel(k)[m_count] = SignalValue(record, m_buffer.signal(k));
    m_live.timestamps()[m_count] = ToOleDate(now);
    ++m_count;
    return m_count == MaxRecordSamples ? Sampled::LimitReached : Sampled::Taken;
}

Recorder::Sampled Recorder::sampleArrived(const MeasurementRecord &record, const MeasurementArrival &arrival)
{
    if (arrival.serial == 0 || arrival.serial == m_takenSerial)
        return Sampled::NotNew;
    const Sampled result = sample(record, arrival.time);
    if (result != Sampled::Full)
        m_takenSerial = arrival.serial;
    return result;
}

int Recorder::save()
{
    if (!m_fileReady) {
        m_buffer.fill(m_live, std::min(m_count / BlockSamples, MaxRecordBlocks - 1), m_count);
        return 0;
    }
    m_remade = false;
    // The name is looked up at every save: a file deleted or moved away gets a new one
    // holding the whole record (a fresh file of one block makes the save write every block).
    if (!m_identity || FileIdentityOf(m_fileName) != m_identity) {
        RecordBlock header = m_buffer;
        header.clearSamples();
        CreateRecordFile(m_fileName, header);
        m_identity = FileIdentityOf(m_fileName);
        m_remade = true;
    }
    const int written = SaveRecordFile(m_fileName, m_live, m_count, m_buffer);
    m_savedCount = m_count;
    return written;
}

QString SkippedSamplesText(const MeasurementArrival &latest)
{
    if (latest.serial == 0)
        return QCoreApplication::translate("Recorder", "Samples skipped: no measurement yet");
    return QCoreApplication::translate("Recorder", "Samples skipped: no new measurement since %1")
        .arg(LongTimeText(latest.time.time()));
}

QString SaveFailedText(const QString &fileName, const QString &reason, bool triedAgain)
{
    return (triedAgain
            ? QCoreApplication::translate("Recorder", "Not saved to %1: %2 (tried again at every save step)")
            : QCoreApplication::translate("Recorder", "Not saved to %1: %2"))
        .arg(fileName, reason);
}

QString FileRemadeText(const QString &fileName, int samples)
{
    return QCoreApplication::translate(
        "Recorder", "%1 was deleted, moved or replaced: made again with all %2 samples")
        .arg(fileName)
        .arg(samples);
}
