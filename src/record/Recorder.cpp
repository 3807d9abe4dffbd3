#include "record/Recorder.h"

#include "link/Errors.h"
#include "record/RecordTime.h"

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
            SaveRecordFile(m_fileName, m_live, m_count, m_buffer);
        } catch (const KmrError &error) {
            oldFileError = error.text();
        }
    }

    RecordBlock fresh;
    for (int k = 0; k < RecordChannels; ++k)
        fresh.setSignal(k, signalByte(settings.channelSignal[k]));
    fresh.setStep(static_cast<uint8_t>(settings.samplingIndex));
    CreateRecordFile(fileName, fresh);

    m_buffer = fresh;
    m_count = 0;
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

int Recorder::save()
{
    if (!m_fileReady) {
        m_buffer.fill(m_live, std::min(m_count / BlockSamples, MaxRecordBlocks - 1), m_count);
        return 0;
    }
    return SaveRecordFile(m_fileName, m_live, m_count, m_buffer);
}
