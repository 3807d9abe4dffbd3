#include "measure/Reference.h"

#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "measure/MeasurementFile.h"

#include <QCoreApplication>
#include <QFileInfo>

ReferenceMeasurement LoadReferenceFile(const QString &fileName)
{
    ReferenceMeasurement loaded;
    NamingFile(fileName, [&] {
        LoadMeasurementFile(fileName, loaded.record);
        // Every measurement carries 512 wave samples; another file of the same size (a
        // damaged one, or something else renamed) would otherwise compare as garbage values.
        if (loaded.record.SampleCount != WaveSamples)
            throw EInOutError(QCoreApplication::translate("Reference",
                "This is not a measurement file: its sample count is %1, a measurement has %2 samples")
                                  .arg(loaded.record.SampleCount)
                                  .arg(WaveSamples));
    });
    const QFileInfo info(fileName);
    loaded.name = info.fileName();
    loaded.time = info.lastModified();
    return loaded;
}

QString ReferenceStatusText(const std::optional<ReferenceMeasurement> &reference)
{
    if (!reference)
        return {};
    if (!reference->time.isValid())
        return QCoreApplication::translate("Reference", "Reference: %1").arg(reference->name);
    return QCoreApplication::translate("Reference", "Reference: %1, %2 %3")
        .arg(reference->name, ShortDateText(reference->time.date()), LongTimeText(reference->time.time()));
}

void ReferenceState::set(const MeasurementRecord &record, const QString &name, const QDateTime &time)
{
    m_reference = ReferenceMeasurement { record, name, time };
}

void ReferenceState::load(const QString &fileName)
{
    // Loaded whole before it replaces anything, so a failure keeps the reference held.
    m_reference = LoadReferenceFile(fileName);
}
