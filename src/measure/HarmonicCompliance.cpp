#include "measure/HarmonicCompliance.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The limits of IEC 61000-3-2, edition 5.0 (2018) with amendment 1 (2020), table by table.
// Class A, A rms: odd orders, then even orders; from 15 (odd) and 8 (even) on, a rule of n.
constexpr double ClassAOdd[] = { 0, 0, 0, 2.30, 0, 1.14, 0, 0.77, 0, 0.40, 0, 0.33, 0, 0.21 };
constexpr double ClassAEven[] = { 0, 0, 1.08, 0, 0.43, 0, 0.30 };
// Class B: class A times 1.5.
constexpr double ClassBFactor = 1.5;
// Class C, % of the fundamental current (order 3: 30 × λ), odd orders 11 to 39: 3 %.
constexpr double ClassCPercent[] = { 0, 0, 2, 0, 0, 10, 0, 7, 0, 5 };
constexpr double ClassCThirdPerLambda = 30;
constexpr double ClassCHighOddPercent = 3;
// Class D, mA per W of active power; odd orders 13 to 39: 3.85 / n.
constexpr double ClassDPerWatt[] = { 0, 0, 0, 3.4, 0, 1.9, 0, 1.0, 0, 0.5, 0, 0.35 };
constexpr double ClassDHighOddNumerator = 3.85;
// Power ranges: no limits for equipment of 75 W or less other than lighting (class C), for
// which the table applies above 25 W; class D covers equipment up to 600 W.
constexpr double NoLimitsUpToWatts = 75;
constexpr double ClassCNoLimitsUpToWatts = 25;
constexpr double ClassDUpToWatts = 600;
// Currents below this share of the input current, or below the floor, are disregarded.
constexpr double DisregardedShare = 0.006;
constexpr double DisregardedFloorAmps = 0.005;
// A smoothed value may reach this multiple of its limit; so may the average of an odd order
// 21 to 39 while the partial odd harmonic current stays within the one of the limits.
constexpr double SmoothedAllowance = 1.5;
constexpr double PartialOddAllowance = 1.5;

std::optional<double> classALimit(int n)
{
    if (n < FirstAssessedOrder || n > LastAssessedOrder)
        return std::nullopt;
    if (n % 2) {
        if (n < int(std::size(ClassAOdd)))
            return ClassAOdd[n];
        return n <= 39 ? std::optional(0.15 * 15 / n) : std::nullopt;
    }
    if (n < int(std::size(ClassAEven)))
        return ClassAEven[n];
    return 0.23 * 8 / n;
}

bool partialOddOrder(int n)
{
    return n % 2 == 1 && n >= 21 && n <= 39;
}

QString amps(double value)
{
    return QString::number(value, 'f', 3) + QStringLiteral(" A");
}

QString percent(double value)
{
    return QString::number(value, 'f', 0) + QStringLiteral(" %");
}

} // namespace

std::optional<EmissionClass> EmissionClassFromText(QStringView text)
{
    if (text.size() != 1)
        return std::nullopt;
    switch (text.front().toUpper().unicode()) {
    case 'A':
        return EmissionClass::A;
    case 'B':
        return EmissionClass::B;
    case 'C':
        return EmissionClass::C;
    case 'D':
        return EmissionClass::D;
    default:
        return std::nullopt;
    }
}

QString EmissionClassText(EmissionClass emissionClass)
{
    return QString(QChar(u'A' + static_cast<int>(emissionClass)));
}

EmissionSample EmissionSampleFrom(const MeasurementRecord &record, double seconds)
{
    EmissionSample sample;
    sample.seconds = seconds;
    for (int n = 0; n < HarmonicCount; ++n)
        sample.currentPeak[size_t(n)] = record.IHarm[n];
    sample.currentRms = record.IRMS;
    sample.activePower = record.WRMS;
    sample.powerFactor = record.PF;
    return sample;
}

std::optional<double> HarmonicLimit(EmissionClass emissionClass, int n, const LimitBasis &basis)
{
    if (n < FirstAssessedOrder || n > LastAssessedOrder)
        return std::nullopt;
    switch (emissionClass) {
    case EmissionClass::A:
        return classALimit(n);
    case EmissionClass::B:
        if (const auto a = classALimit(n))
            return *a * ClassBFactor;
        return std::nullopt;
    case EmissionClass::C: {
        double share = 0;
        if (n == 3)
            share = ClassCThirdPerLambda * std::abs(basis.powerFactor);
        else if (n < int(std::size(ClassCPercent)))
            share = ClassCPercent[n];
        else if (n % 2 && n <= 39)
            share = ClassCHighOddPercent;
        if (share <= 0)
            return std::nullopt;
        return share / 100 * basis.fundamentalRms;
    }
    case EmissionClass::D: {
        if (n % 2 == 0 || n > 39)
            return std::nullopt;
        const double perWatt
            = n < int(std::size(ClassDPerWatt)) ? ClassDPerWatt[n] : ClassDHighOddNumerator / n;
        const double limit = perWatt / 1000 * basis.activePower;
        return std::min(limit, *classALimit(n));
    }
    }
    return std::nullopt;
}

const char *VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return QT_TRANSLATE_NOOP("ComplianceView", "PASS");
    case Verdict::Fail:
        return QT_TRANSLATE_NOOP("ComplianceView", "FAIL");
    case Verdict::NoLimits:
        return QT_TRANSLATE_NOOP("ComplianceView", "NO LIMITS");
    case Verdict::NoVerdict:
        break;
    }
    return QT_TRANSLATE_NOOP("ComplianceView", "NO VERDICT");
}

QString PreComplianceNote()
{
    return QCoreApplication::translate("HarmonicCompliance",
        "Pre-compliance indication only: the instrument's harmonics are not an IEC 61000-4-7 "
        "grouped measurement, so this is no test certificate.");
}

EmissionCheck::EmissionCheck(EmissionClass emissionClass, std::optional<double> ratedPower)
    : m_class(emissionClass)
    , m_ratedPower(ratedPower)
{
}

void EmissionCheck::reset()
{
    *this = EmissionCheck(m_class, m_ratedPower);
}

bool EmissionCheck::add(const EmissionSample &sample)
{
    bool finite = std::isfinite(sample.seconds) && std::isfinite(sample.currentRms)
        && std::isfinite(sample.activePower) && std::isfinite(sample.powerFactor);
    for (int n = 1; n <= LastAssessedOrder; ++n)
        finite = finite && std::isfinite(sample.currentPeak[size_t(n)]);
    if (!finite || (m_count > 0 && sample.seconds <= m_lastSeconds)) {
        ++m_refused;
        return false;
    }

    // First-order smoothing over the measurements' own spacing: after a gap the filter has
    // settled on the new value, as it would have over the missing measurements.
    const double weight
        = m_count == 0 ? 1.0 : 1.0 - std::exp(-(sample.seconds - m_lastSeconds) / SmoothingSeconds);
    const auto follow = [&](Track &track, double value) {
        track.smoothed += weight * (value - track.smoothed);
        track.sum += track.smoothed;
        track.max = m_count == 0 ? track.smoothed : std::max(track.max, track.smoothed);
    };
    for (int i = 0; i < AssessedOrders; ++i) {
        const double rms = sample.currentPeak[size_t(i + FirstAssessedOrder)] / std::numbers::sqrt2;
        m_present[size_t(i)] = rms;
        follow(m_orders[size_t(i)], rms);
    }
    follow(m_power, sample.activePower);
    follow(m_fundamental, sample.currentPeak[1] / std::numbers::sqrt2);
    follow(m_current, sample.currentRms);
    follow(m_powerFactor, std::abs(sample.powerFactor));

    if (m_count == 0)
        m_firstSeconds = sample.seconds;
    m_lastSeconds = sample.seconds;
    ++m_count;
    return true;
}

EmissionAssessment EmissionCheck::result() const
{
    EmissionAssessment a;
    a.emissionClass = m_class;
    a.measurements = m_count;
    a.refused = m_refused;
    a.periodSeconds = m_count ? m_lastSeconds - m_firstSeconds : 0;
    for (int i = 0; i < AssessedOrders; ++i)
        a.orders[size_t(i)].order = i + FirstAssessedOrder;
    if (m_count == 0) {
        a.reason = QCoreApplication::translate("HarmonicCompliance", "no measurement to assess");
        return a;
    }
    if (m_refused > 0) {
        a.reason = QCoreApplication::translate("HarmonicCompliance",
            "%1 measurement(s) refused: values that are not numbers or times that do not "
            "follow one another")
                       .arg(m_refused);
        return a;
    }

    // The limits of classes C and D follow the highest smoothed active power of the period (or
    // the rated power given), the average fundamental current and the average power factor.
    a.ratedPowerUsed = m_ratedPower.has_value();
    a.basis.activePower = m_ratedPower.value_or(m_power.max);
    a.basis.fundamentalRms = m_fundamental.sum / m_count;
    a.basis.powerFactor = m_powerFactor.sum / m_count;
    const double floorWatts = m_class == EmissionClass::C ? ClassCNoLimitsUpToWatts : NoLimitsUpToWatts;
    if (a.basis.activePower <= floorWatts) {
        a.verdict = Verdict::NoLimits;
        a.reason
            = QCoreApplication::translate("HarmonicCompliance", "no limits apply below %1 W").arg(floorWatts);
        return a;
    }
    EmissionClass limits = m_class;
    if (m_class == EmissionClass::D && a.basis.activePower > ClassDUpToWatts) {
        limits = EmissionClass::A;
        a.classALimitsUsed = true;
    }

    const double floor = std::max(DisregardedShare * m_current.sum / m_count, DisregardedFloorAmps);
    double oddMeasured = 0, oddLimit = 0;
    for (int i = 0; i < AssessedOrders; ++i) {
        OrderAssessment &o = a.orders[size_t(i)];
        const Track &t = m_orders[size_t(i)];
        o.present = m_present[size_t(i)];
        o.average = t.sum / m_count;
        o.smoothedMax = t.max;
        o.limit = HarmonicLimit(limits, o.order, a.basis);
        if (o.limit && partialOddOrder(o.order)) {
            oddMeasured += o.average * o.average;
            oddLimit += *o.limit * *o.limit;
        }
    }
    a.partialOddMeasured = std::sqrt(oddMeasured);
    a.partialOddLimit = std::sqrt(oddLimit);
    const bool allowance = a.partialOddMeasured <= a.partialOddLimit;

    const OrderAssessment *worstFail = nullptr;
    double worstFailRatio = 0;
    bool failAtSmoothed = false;
    for (OrderAssessment &o : a.orders) {
        if (!o.limit || *o.limit <= 0) {
            o.verdict = OrderVerdict::NoLimit;
            continue;
        }
        o.averagePercent = o.average / *o.limit * 100;
        o.maxPercent = o.smoothedMax / *o.limit * 100;
        if (o.average < floor) {
            o.verdict = OrderVerdict::Disregarded;
            continue;
        }
        const double allowedAverage
            = *o.limit * (allowance && partialOddOrder(o.order) ? PartialOddAllowance : 1.0);
        const double averageRatio = o.average / allowedAverage;
        const double smoothedRatio = o.smoothedMax / (*o.limit * SmoothedAllowance);
        const double ratio = std::max(averageRatio, smoothedRatio);
        o.allowanceUsed = partialOddOrder(o.order) && allowance && o.average > *o.limit;
        o.verdict = ratio > 1.0 ? OrderVerdict::Fail : OrderVerdict::Pass;
        if (ratio > a.worstPercent / 100 || a.worstOrder == 0) {
            a.worstOrder = o.order;
            a.worstPercent = ratio * 100;
        }
        if (o.verdict == OrderVerdict::Fail && ratio > worstFailRatio) {
            worstFail = &o;
            worstFailRatio = ratio;
            failAtSmoothed = smoothedRatio > averageRatio;
        }
    }

    const QString limitsNote = a.classALimitsUsed
        ? QCoreApplication::translate("HarmonicCompliance", " (class A limits above 600 W)")
        : QString();
    if (worstFail) {
        const OrderAssessment &o = *worstFail;
        a.verdict = Verdict::Fail;
        if (failAtSmoothed)
            a.reason = QCoreApplication::translate("HarmonicCompliance",
                "order %1: a smoothed value of %2 is %3 of its limit %4 (150 % allowed)")
                           .arg(o.order)
                           .arg(amps(o.smoothedMax), percent(o.maxPercent), amps(*o.limit));
        else
            a.reason = QCoreApplication::translate(
                "HarmonicCompliance", "order %1: the average %2 is %3 of its limit %4%5")
                           .arg(o.order)
                           .arg(amps(o.average), percent(o.averagePercent), amps(*o.limit),
                               o.order % 2 && o.order >= 21 && allowance
                                   ? QCoreApplication::translate("HarmonicCompliance", " (150 % allowed)")
                                   : QString());
        a.reason += limitsNote;
        return a;
    }
    a.verdict = Verdict::Pass;
    if (a.worstOrder == 0)
        a.reason = QCoreApplication::translate(
                       "HarmonicCompliance", "no harmonic current above the 0.6 % / 5 mA floor")
            + limitsNote;
    else
        a.reason = QCoreApplication::translate("HarmonicCompliance",
            "every order within its limit; closest: order %1 at %2 of what is allowed%3")
                       .arg(a.worstOrder)
                       .arg(percent(a.worstPercent), limitsNote);
    return a;
}
