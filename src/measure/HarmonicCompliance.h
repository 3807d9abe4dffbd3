#pragma once

// Harmonic current emissions of a single-phase load judged against the limits of
// IEC 61000-3-2 over an observation period, as a pre-compliance indication: the instrument's
// spectrum is one DFT of four periods, not the grouped measurement of IEC 61000-4-7, so the
// verdict tells whether a test laboratory is likely to pass the equipment, not that it does.
//
// Measurements go in with their own times; each order's current is smoothed by a first-order
// filter of 1.5 s over those times (irregular spacing and gaps included), and the period's
// verdict follows the standard's rules: every order's average of smoothed values within its
// limit, every smoothed value within 150 % of it, the 50 % allowance of the odd orders 21 to
// 39 when their partial odd harmonic current stays within the one the limits give, and
// currents below 0.6 % of the input current or 5 mA disregarded.

#include "link/MeasurementLayout.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

enum class EmissionClass { A, B, C, D };

// "A".."D" in either case; nothing for any other text.
std::optional<EmissionClass> EmissionClassFromText(QStringView text);
QString EmissionClassText(EmissionClass emissionClass);

constexpr int FirstAssessedOrder = 2;
constexpr int LastAssessedOrder = 40;
constexpr int AssessedOrders = LastAssessedOrder - FirstAssessedOrder + 1;
// Time constant of the smoothing filter, seconds.
constexpr double SmoothingSeconds = 1.5;

// One measurement as the assessment needs it.
struct EmissionSample
{
    double seconds = 0; // time of the measurement on any clock that does not go back
    std::array<double, HarmonicCount> currentPeak {}; // peak amplitude of each order, A
    double currentRms = 0; // input current, A
    double activePower = 0; // W
    double powerFactor = 0; // circuit power factor λ
};

EmissionSample EmissionSampleFrom(const MeasurementRecord &record, double seconds);

// The conditions the limits of classes C and D are worked out from.
struct LimitBasis
{
    double activePower = 0; // W
    double fundamentalRms = 0; // A, class C
    double powerFactor = 0; // class C
};

// Limit of order `order` in A rms, or nothing when the class sets none for it (at any power).
// Classes C and D take their limits from `basis`; a class D limit never exceeds the class A
// limit of the same order.
std::optional<double> HarmonicLimit(EmissionClass emissionClass, int order, const LimitBasis &basis);

enum class OrderVerdict {
    NoLimit, // the class sets no limit for this order
    Disregarded, // below 0.6 % of the input current or 5 mA
    Pass,
    Fail
};

struct OrderAssessment
{
    int order = 0;
    std::optional<double> limit; // A rms
    double present = 0; // the latest measurement, A rms
    double smoothedMax = 0; // highest 1.5 s smoothed value, A rms
    double average = 0; // average of the smoothed values, A rms
    double averagePercent = 0; // of the limit (0 without a limit)
    double maxPercent = 0; // highest smoothed value, of the limit
    bool allowanceUsed = false; // an odd order 21..39 over its limit within the 50 % allowance
    OrderVerdict verdict = OrderVerdict::NoLimit;
};

enum class Verdict {
    NoVerdict, // no measurement, or measurements that could not be assessed
    NoLimits, // below the class's power range
    Pass,
    Fail
};

struct EmissionAssessment
{
    Verdict verdict = Verdict::NoVerdict;
    QString reason; // one line: why, naming the worst order and by how much
    EmissionClass emissionClass = EmissionClass::A;
    int measurements = 0;
    int refused = 0;
    double periodSeconds = 0;
    LimitBasis basis;
    bool ratedPowerUsed = false;
    // Class D above 600 W: the equipment is judged by the class A limits.
    bool classALimitsUsed = false;
    std::array<OrderAssessment, AssessedOrders> orders {};
    double partialOddMeasured = 0; // √Σ I² of the odd orders 21..39 (averages), A
    double partialOddLimit = 0; // the same of their limits, A
    int worstOrder = 0; // 0 when there is none
    double worstPercent = 0; // of what the rules allow that order
};

const char *VerdictText(Verdict verdict); // "PASS", "FAIL", "NO LIMITS", "NO VERDICT"

// The line every output carries about what the verdict is worth.
QString PreComplianceNote();

class EmissionCheck
{
public:
    explicit EmissionCheck(EmissionClass emissionClass, std::optional<double> ratedPower = {});

    // Takes one measurement. False, taking nothing, for a value that is not a finite number
    // or a time that does not follow the previous one; such a period has no verdict.
    bool add(const EmissionSample &sample);
    void reset();

    EmissionAssessment result() const;
    int measurements() const { return m_count; }
    EmissionClass emissionClass() const { return m_class; }

private:
    struct Track
    {
        double smoothed = 0;
        double sum = 0;
        double max = 0;
    };

    EmissionClass m_class;
    std::optional<double> m_ratedPower;
    int m_count = 0;
    int m_refused = 0;
    double m_firstSeconds = 0;
    double m_lastSeconds = 0;
    std::array<Track, AssessedOrders> m_orders {};
    std::array<double, AssessedOrders> m_present {};
    Track m_power;
    Track m_fundamental;
    Track m_current;
    Track m_powerFactor;
};
