#include "record/RecordCsv.h"

#include "base/Errors.h"
#include "measure/MeasurementCsv.h"
#include "record/RecordSettings.h"
#include "record/RecordTime.h"

#include <QDate>
#include <QSaveFile>

#include <cstring>

namespace {

constexpr qsizetype FlushBytes = 1 << 20;

// Writes a number of exactly `digits` digits.
char *writeDigits(char *out, int value, int digits)
{
    for (int k = digits - 1; k >= 0; --k) {
        out[k] = char('0' + value % 10);
        value /= 10;
    }
    return out + digits;
}

// Times of a record come in order and mostly within the same hour: the date text and the
// offset from UTC are worked out once per hour of local time.
class TimeWriter
{
public:
    char *write(char *out, double days)
    {
        qint64 julianDay = 0;
        int ms = 0;
        if (!SplitOleDate(days, julianDay, ms))
            return out;
        const int hour = ms / 3600000;
        if (julianDay != m_day || hour != m_hour) {
            m_day = julianDay;
            m_hour = hour;
            const QDateTime moment = FromOleDate(days);
            m_date = moment.date().toString(Qt::ISODate).toLatin1();
            const int offset = moment.offsetFromUtc() / 60;
            const int size = std::abs(offset);
            char *o = m_offset;
            *o++ = offset < 0 ? '-' : '+';
            o = writeDigits(o, size / 60, 2);
            *o++ = ':';
            writeDigits(o, size % 60, 2);
        }
        std::memcpy(out, m_date.constData(), size_t(m_date.size()));
        out += m_date.size();
        *out++ = 'T';
        out = writeDigits(out, hour, 2);
        *out++ = ':';
        out = writeDigits(out, ms / 60000 % 60, 2);
        *out++ = ':';
        out = writeDigits(out, ms / 1000 % 60, 2);
        *out++ = '.';
        out = writeDigits(out, ms % 1000, 3);
        std::memcpy(out, m_offset, sizeof m_offset);
        return out + sizeof m_offset;
    }

private:
    qint64 m_day = -1;
    int m_hour = -1;
    QByteArray m_date;
    char m_offset[6] {};
};

void writeAll(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        throw EInOutError(out.errorString());
}

} // namespace

QString RecordCsvHeader(const ChannelSignals &signalBytes)
{
    QStringList fields { QStringLiteral("time") };
    for (int k = 0; k < RecordChannels; ++k) {
        QString field = QStringLiteral("CH%1").arg(k + 1);
        const QString caption = SignalEnglishCaption(signalBytes[size_t(k)]);
        if (!caption.isEmpty())
            field += QLatin1Char(' ') + caption;
        const QString unit = SignalUnit(signalBytes[size_t(k)]);
        if (!unit.isEmpty())
            field += QStringLiteral(" (%1)").arg(unit);
        fields << field;
    }
    return CsvRow(fields);
}

QString RecordCsvTime(double days)
{
    char text[40];
    TimeWriter writer;
    return QString::fromLatin1(text, writer.write(text, days) - text);
}

void WriteRecordCsv(QIODevice &out, const RecordArrays &record, int count, const ChannelSignals &signalBytes)
{
    writeAll(out, RecordCsvHeader(signalBytes).toUtf8());
    // A row: time (at most 29 characters), six numbers of at most 16, separators, CRLF.
    constexpr int RowRoom = 29 + RecordChannels * 17 + 2;
    QByteArray buffer(FlushBytes + RowRoom, Qt::Uninitialized);
    char *const start = buffer.data();
    char *p = start;
    TimeWriter times;
    for (int i = 0; i < count; ++i) {
        p = times.write(p, record.timestamps()[i]);
        for (int k = 0; k < RecordChannels; ++k) {
            *p++ = ',';
            p = WriteFloatText(p, record.channel(k)[i]);
        }
        *p++ = '\r';
        *p++ = '\n';
        if (p - start >= FlushBytes) {
            writeAll(out, QByteArray::fromRawData(start, p - start));
            p = start;
        }
    }
    writeAll(out, QByteArray::fromRawData(start, p - start));
}

void SaveRecordCsv(
    const QString &csvPath, const RecordArrays &record, int count, const ChannelSignals &signalBytes)
{
    QSaveFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly))
        throw EInOutError(out.errorString());
    WriteRecordCsv(out, record, count, signalBytes);
    if (!out.commit())
        throw EInOutError(out.errorString());
}
