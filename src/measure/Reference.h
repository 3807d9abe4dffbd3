#pragma once

// The reference measurement: one measurement kept beside the shown one, for comparing, with
// the name and time it is known by. Set from the shown measurement or loaded from a
// measurement file; a file that cannot be used leaves the reference as it was.

#include "measure/MeasurementRecord.h"

#include <QDateTime>
#include <QString>

#include <optional>

struct ReferenceMeasurement
{
    MeasurementRecord record {};
    QString name; // the file's name, or what the shown measurement was
    QDateTime time; // when it was measured (a file: when it was last written)
};

// Reads a measurement file as a reference. Throws EInOutError naming the file when it cannot
// be read, has not the size of a measurement file, or holds no measurement (its sample
// count is not that of a measurement).
ReferenceMeasurement LoadReferenceFile(const QString &fileName);

// The status bar's description: "Reference: NAME, DATE TIME" in the user's date and time
// formats; empty for no reference.
QString ReferenceStatusText(const std::optional<ReferenceMeasurement> &reference);

class ReferenceState
{
public:
    const std::optional<ReferenceMeasurement> &reference() const { return m_reference; }
    bool isSet() const { return m_reference.has_value(); }

    void set(const MeasurementRecord &record, const QString &name, const QDateTime &time);
    // Throws as LoadReferenceFile does; the reference held is then kept.
    void load(const QString &fileName);
    void clear() { m_reference.reset(); }

private:
    std::optional<ReferenceMeasurement> m_reference;
};
