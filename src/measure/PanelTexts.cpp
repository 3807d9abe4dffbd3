#include "measure/PanelTexts.h"

#include "measure/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {
struct PanelFormat
{
    size_t offset; // the record is packed: its floats are read through their byte offsets
    int decimals;
    const char *filler;
    bool cutTo6;
    const char *suffix;
};

// One row per panel, in the order the panels are written.
constexpr PanelFormat Formats[PanelCount] = {
    { offsetof(MeasurementRecord, URMS), 3, ".0", true, "V" },
    { offsetof(MeasurementRecord, IRMS), 4, ".0", true, "" },
    { offsetof(MeasurementRecord, UPP), 2, ".0", true, "V" },
    { offsetof(MeasurementRecord, IPP), 3, ".0", true, "" },
    { offsetof(MeasurementRecord, UF), 3, ".00", false, "Hz" },
    { offsetof(MeasurementRecord, IPA), 2, ".0", true, "" },
    { offsetof(MeasurementRecord, WRMS), 4, ".0", true, "" },
    { offsetof(MeasurementRecord, PS), 2, ".0", true, "" },
    { offsetof(MeasurementRecord, PQ), 2, ".0", true, "" },
    { offsetof(MeasurementRecord, PF), 3, ".0", true, "" },
    { offsetof(MeasurementRecord, VTHD), 1, ".0", false, " %" },
    { offsetof(MeasurementRecord, ITHD), 1, ".0", false, " %" },
    { offsetof(MeasurementRecord, IKF), 3, ".0", false, "" },
    { offsetof(MeasurementRecord, VKF), 3, ".0", false, "" },
    { offsetof(MeasurementRecord, KWH), 3, ".0", false, "" },
};

// THD is held as a fraction and shown in percent with one decimal: the fraction times 1000
// is rounded, then divided by 10, so that no extra rounding step creeps in.
double thdPercent(double fraction)
{
    return RoundHalfEven(fraction * 1000.0, 0) / 10.0;
}
} // namespace

QString PanelValueText(PanelIndex panel, double value, bool withSuffix)
{
    const PanelFormat &f = Formats[panel];
    const bool isThd = panel == Panel_VTHD || panel == Panel_ITHD;
    const double shown = isThd ? thdPercent(value) : value;
    return NumberText(shown, f.decimals, QLatin1String(f.filler), f.cutTo6,
        withSuffix ? QLatin1String(f.suffix) : QLatin1String());
}

std::array<QString, PanelCount> PanelTexts(const MeasurementRecord &record)
{
    std::array<QString, PanelCount> texts;
    for (int p = 0; p < PanelCount; ++p) {
        float value;
        std::memcpy(&value, reinterpret_cast<const char *>(&record) + Formats[p].offset, sizeof value);
        // A NaN reactive power is shown as 0, as the record would hold it after a reply.
        const double safe = (p == Panel_PQ && std::isnan(value)) ? 0.0 : double(value);
        texts[p] = PanelValueText(PanelIndex(p), safe);
    }
    return texts;
}
