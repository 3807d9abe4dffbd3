#include "record/RecordSettings.h"

#include "base/IniFile.h"

#include <QCoreApplication>

namespace {

struct Signal
{
    const char *english;
    const char *chinese;
    const char *listItem;
    const char16_t *unit;
    float MeasurementRecord::*source;
};

const Signal Signals[RecordSignalCount] = {
    { QT_TRANSLATE_NOOP("RecordSettings", "Vol"), QT_TRANSLATE_NOOP("RecordSettings", "电压"),
        QT_TRANSLATE_NOOP("RecordSettings", " Vol"), u"V", &MeasurementRecord::URMS },
    { QT_TRANSLATE_NOOP("RecordSettings", "Amp"), QT_TRANSLATE_NOOP("RecordSettings", "电流"),
        QT_TRANSLATE_NOOP("RecordSettings", " Amp"), u"A", &MeasurementRecord::IRMS },
    { QT_TRANSLATE_NOOP("RecordSettings", "Power"), QT_TRANSLATE_NOOP("RecordSettings", "功率"),
        QT_TRANSLATE_NOOP("RecordSettings", " Power"), u"W", &MeasurementRecord::WRMS },
    { QT_TRANSLATE_NOOP("RecordSettings", "Apparent power"), QT_TRANSLATE_NOOP("RecordSettings", "视在功率"),
        QT_TRANSLATE_NOOP("RecordSettings", " Apparent power"), u"VA", &MeasurementRecord::PS },
    { QT_TRANSLATE_NOOP("RecordSettings", "Reactive power"), QT_TRANSLATE_NOOP("RecordSettings", "无功功率"),
        QT_TRANSLATE_NOOP("RecordSettings", " Reactive power"), u"var", &MeasurementRecord::PQ },
    { QT_TRANSLATE_NOOP("RecordSettings", "I phase"), QT_TRANSLATE_NOOP("RecordSettings", "电流初相角"),
        QT_TRANSLATE_NOOP("RecordSettings", " I phase"), u"°", &MeasurementRecord::IPA },
    { QT_TRANSLATE_NOOP("RecordSettings", "Frequency"), QT_TRANSLATE_NOOP("RecordSettings", "频率"),
        QT_TRANSLATE_NOOP("RecordSettings", " Frequency"), u"Hz", &MeasurementRecord::UF },
    { QT_TRANSLATE_NOOP("RecordSettings", "Power Factor"), QT_TRANSLATE_NOOP("RecordSettings", "功率因数"),
        QT_TRANSLATE_NOOP("RecordSettings", " PF"), u"", &MeasurementRecord::PF },
    { QT_TRANSLATE_NOOP("RecordSettings", "Vol THD"), QT_TRANSLATE_NOOP("RecordSettings", "电压总谐波"),
        QT_TRANSLATE_NOOP("RecordSettings", " Vol THD"), u"", &MeasurementRecord::VTHD },
    { QT_TRANSLATE_NOOP("RecordSettings", "Amp THD"), QT_TRANSLATE_NOOP("RecordSettings", "电流总谐波"),
        QT_TRANSLATE_NOOP("RecordSettings", " Amp THD"), u"", &MeasurementRecord::ITHD },
    { QT_TRANSLATE_NOOP("RecordSettings", "Temperature 1"), QT_TRANSLATE_NOOP("RecordSettings", "温度1"),
        QT_TRANSLATE_NOOP("RecordSettings", " Temperature 1"), u"°C", nullptr },
    { QT_TRANSLATE_NOOP("RecordSettings", "Temperature 2"), QT_TRANSLATE_NOOP("RecordSettings", "温度2"),
        QT_TRANSLATE_NOOP("RecordSettings", " Temperature 2"), u"°C", nullptr },
    { QT_TRANSLATE_NOOP("RecordSettings", "Temperature 3"), QT_TRANSLATE_NOOP("RecordSettings", "温度3"),
        QT_TRANSLATE_NOOP("RecordSettings", " Temperature 3"), u"°C", nullptr },
};

constexpr int SamplingSeconds[SamplingStepCount] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 30 };
constexpr int SaveSeconds[SaveStepCount] = { 10, 15, 20, 25, 30, 60 };

bool inside(int index, int size)
{
    return index >= 0 && index < size;
}

} // namespace

QString SignalEnglishCaption(int signal)
{
    return inside(signal, RecordSignalCount) ? QString::fromUtf8(Signals[signal].english) : QString();
}

QString SignalChineseCaption(int signal)
{
    return inside(signal, RecordSignalCount) ? QString::fromUtf8(Signals[signal].chinese) : QString();
}

QString SignalCaptionShown(int signal, bool chinese)
{
    if (!inside(signal, RecordSignalCount))
        return QString();
    return QCoreApplication::translate(
        "RecordSettings", chinese ? Signals[signal].chinese : Signals[signal].english);
}

QString SignalListItem(int signal)
{
    return inside(signal, RecordSignalCount)
        ? QCoreApplication::translate("RecordSettings", Signals[signal].listItem)
        : QString();
}

QString SignalUnit(int signal)
{
    return inside(signal, RecordSignalCount) ? QString::fromUtf16(Signals[signal].unit) : QString();
}

float SignalValue(const MeasurementRecord &record, int signal)
{
    if (!inside(signal, RecordSignalCount) || !Signals[signal].source)
        return 0.0f;
    return record.*Signals[signal].source;
}

std::optional<int> SamplingIntervalMs(int index)
{
    return inside(index, SamplingStepCount) ? std::optional<int>(SamplingSeconds[index] * 1000)
                                            : std::nullopt;
}

std::optional<int> SaveIntervalMs(int index)
{
    return inside(index, SaveStepCount) ? std::optional<int>(SaveSeconds[index] * 1000) : std::nullopt;
}

QString SamplingStepText(int index)
{
    return inside(index, SamplingStepCount)
        ? QCoreApplication::translate("RecordSettings", "Sampling step：%1S").arg(SamplingSeconds[index])
        : QString();
}

QString SamplingStepTextChinese(int index)
{
    return inside(index, SamplingStepCount)
        ? QCoreApplication::translate("RecordSettings", "采样步长：%1秒").arg(SamplingSeconds[index])
        : QString();
}

QString SaveStepText(int index)
{
    return inside(index, SaveStepCount)
        ? QCoreApplication::translate("RecordSettings", "Save step：%1S").arg(SaveSeconds[index])
        : QString();
}

QString SaveStepTextChinese(int index)
{
    return inside(index, SaveStepCount)
        ? QCoreApplication::translate("RecordSettings", "存盘间隔时间：%1秒").arg(SaveSeconds[index])
        : QString();
}

QString SamplingListItem(int index)
{
    return inside(index, SamplingStepCount - 1)
        ? QCoreApplication::translate("RecordSettings", "%1 S").arg(SamplingSeconds[index])
        : QString();
}

QString SaveListItem(int index)
{
    return inside(index, SaveStepCount)
        ? QCoreApplication::translate("RecordSettings", "%1 S").arg(SaveSeconds[index])
        : QString();
}

void ReadRecordSettings(RecordSettings &settings)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    for (int k = 0; k < 6; ++k)
        settings.channelSignal[k] = ini.readInteger(RecordSection, QStringLiteral("Ch%1").arg(k));
    settings.samplingIndex = ini.readInteger(RecordSection, QStringLiteral("SampingSetp"));
    settings.saveIndex = ini.readInteger(RecordSection, QStringLiteral("SaveSetp"));
}

void WriteRecordSettings(const RecordSettings &settings, int temperaturePort)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    for (int k = 0; k < 6; ++k)
        ini.writeInteger(RecordSection, QStringLiteral("Ch%1").arg(k), settings.channelSignal[k]);
    ini.writeInteger(RecordSection, QStringLiteral("SampingSetp"), settings.samplingIndex);
    ini.writeInteger(RecordSection, QStringLiteral("SaveSetp"), settings.saveIndex);
    ini.writeInteger(RecordSection, QStringLiteral("TInCommNO"), temperaturePort);
}
