#pragma once

// What a record channel can record, the sampling and save steps, and the section
// "RecordSet" of SysSet.ini that remembers the choice.
//
//     [RecordSet]
//     Ch0=2 .. Ch5=2     signal index of CH1 .. CH6 (0..12, -1 when none is chosen)
//     SampingSetp=2      sampling-step index (0..11)
//     SaveSetp=2         save-step index (0..5)
//     TInCommNO=-1       temperature port, written and never read
//
// The key names are spelled exactly so; a missing key reads as "2".

#include "measure/MeasurementRecord.h"

#include <QString>

#include <array>
#include <optional>

constexpr int RecordSignalCount = 13;
constexpr int SamplingStepCount = 12; // the settings window offers the first 11
constexpr int SaveStepCount = 6;

inline const QString RecordSection = QStringLiteral("RecordSet");

// Captions of signal 0..12 as files and the command-line tool write them; empty outside.
QString SignalEnglishCaption(int signal);
QString SignalChineseCaption(int signal);
// The same caption as the windows show it, in the current language.
QString SignalCaptionShown(int signal, bool chinese);
// The unit of the values signal 0..12 records ("V", "A", "W", "VA", "var", "°", "Hz", "°C");
// empty for the ratios (power factor, THD as a fraction) and outside.
QString SignalUnit(int signal);
// Item texts of the settings window's channel lists (with their leading blank), in the
// current language as every text below.
QString SignalListItem(int signal);

// The value a signal takes from a measurement, bit for bit: ten measured quantities, and 0
// for the three temperatures and for any index outside 0..12.
float SignalValue(const MeasurementRecord &record, int signal);

// Intervals in ms; nullopt for an index outside the table.
std::optional<int> SamplingIntervalMs(int index);
std::optional<int> SaveIntervalMs(int index);
// Status texts: "Sampling step：3S" and "Save step：20S" as the record window writes them
// when it is created, "采样步长：3秒" and "存盘间隔时间：20秒" as the settings window writes
// them; empty outside the tables.
QString SamplingStepText(int index);
QString SamplingStepTextChinese(int index);
QString SaveStepText(int index);
QString SaveStepTextChinese(int index);
// Item texts of the settings window's step lists: "1 S" .. "15 S", "10 S" .. "60 S".
QString SamplingListItem(int index); // 0..10
QString SaveListItem(int index); // 0..5

struct RecordSettings
{
    std::array<int, 6> channelSignal { 2, 2, 2, 2, 2, 2 };
    int samplingIndex = 2;
    int saveIndex = 2;
};

// Reads the section key by key in the order Ch0..Ch5, SampingSetp, SaveSetp. A value that
// is not a whole number throws EConvertError; the keys read before it are in `settings`
// already, the others keep what `settings` held.
void ReadRecordSettings(RecordSettings &settings);
// Writes Ch0..Ch5, SampingSetp, SaveSetp and TInCommNO, in this order.
void WriteRecordSettings(const RecordSettings &settings, int temperaturePort = -1);
