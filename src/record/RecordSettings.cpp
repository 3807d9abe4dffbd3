#include "record/RecordSettings.h"

#include "base/IniFile.h"

namespace {

struct Signal
{
    const char16_t *english;
    const char16_t *chinese;
    const char16_t *listItem;
    const char16_t *unit;
    float MeasurementRecord::*source;
};

const Signal Signals[RecordSignalCount] = {
    { u"Vol", u"电压", u" Vol", u"V", &MeasurementRecord::URMS },
    { u"Amp", u"电流", u" Amp", u"A", &MeasurementRecord::IRMS },
    { u"Power", u"功率", u" Power", u"W", &MeasurementRecord::WRMS },
    { u"Apparent power", u"视在功率", u" Apparent power", u"VA", &MeasurementRecord::PS },
    { u"Reactive power", u"无功功率", u" Reactive power", u"var", &MeasurementRecord::PQ },
    { u"I phase", u"电流初相角", u" I phase", u"°", &MeasurementRecord::IPA },
    { u"Frequency", u"频率", u" Frequency", u"Hz", &MeasurementRecord::UF },
    { u"Power Factor", u"功率因数", u" PF", u"", &MeasurementRecord::PF },
    { u"Vol THD", u"电压总谐波", u" Vol THD", u"", &MeasurementRecord::VTHD },
    { u"Amp THD", u"电流总谐波", u" Amp THD", u"", &MeasurementRecord::ITHD },
    { u"Temperature 1", u"温度1", u" Temperature 1", u"°C", nullptr },
    { u"Temperature 2", u"温度2", u" Temperature 2", u"°C", nullptr },
    { u"Temperature 3", u"温度3", u" Temperature 3", u"°C", nullptr },
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
    return inside(signal, RecordSignalCount) ? QString::fromUtf16(Signals[signal].english) : QString();
}

QString SignalChineseCaption(int signal)
{
    return inside(signal, RecordSignalCount) ? QString::fromUtf16(Signals[signal].chinese) : QString();
}

QString SignalListItem(int signal)
{
    return inside(signal, RecordSignalCount) ? QString::fromUtf16(Signals[signal].listItem) : QString();
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
    return inside(index, SamplingStepCount) ? QStringLiteral("Sampling step：%1S").arg(SamplingSeconds[index])
                                            : QString();
}

QString SamplingStepTextChinese(int index)
{
    return inside(index, SamplingStepCount) ? QStringLiteral("采样步长：%1秒").arg(SamplingSeconds[index])
                                            : QString();
}

QString SaveStepText(int index)
{
    return inside(index, SaveStepCount) ? QStringLiteral("Save step：%1S").arg(SaveSeconds[index])
                                        : QString();
}

QString SaveStepTextChinese(int index)
{
    return inside(index, SaveStepCount) ? QStringLiteral("存盘间隔时间：%1秒").arg(SaveSeconds[index])
                                        : QString();
}

QString SamplingListItem(int index)
{
    return inside(index, SamplingStepCount - 1) ? QStringLiteral("%1 S").arg(SamplingSeconds[index])
                                                : QString();
}

QString SaveListItem(int index)
{
    return inside(index, SaveStepCount) ? QStringLiteral("%1 S").arg(SaveSeconds[index]) : QString();
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
