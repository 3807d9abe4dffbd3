#pragma once

// kmr5150-cli check: the harmonic emission assessment of the measure core run over an
// observation period against the instrument, or over a measurement file or a CSV log made
// by `log --harmonics`, for a production test station: the exit status is the verdict.

#include "cli/LinkTarget.h"
#include "measure/HarmonicCompliance.h"

#include <QByteArray>
#include <QString>

#include <optional>

enum CheckExit : int {
    ExitCheckFail = 4, // over a limit
    ExitCheckNoLimits = 5, // below the class's power range
};

enum class CheckFormat { Text, Json };

struct CheckOptions
{
    EmissionClass emissionClass = EmissionClass::A;
    std::optional<double> ratedPower; // W
    double durationSeconds = 150; // the observation period against the instrument
    int count = 0; // measurements; 0: by the duration
    CheckFormat format = CheckFormat::Text;
};

// The report of an assessment: the verdict and its reason, the period, the orders that have
// a limit, and the pre-compliance note; or the same as one JSON object.
QByteArray CheckText(const EmissionAssessment &assessment);
QByteArray CheckJson(const EmissionAssessment &assessment);

// 0 pass, 4 fail, 5 no limits. An assessment without a verdict is an error of the caller's
// kind (the instrument or the file).
int CheckExitCode(const EmissionAssessment &assessment);

// Assesses a measurement file (.vqm, one measurement) or a CSV log with the columns time,
// IRMS, WRMS, PF and IH1..IH40 (peak amplitudes, as `log --harmonics` writes them). Throws
// CliError (file) naming the file and what is wrong with it.
EmissionAssessment CheckFile(const QString &fileName, const CheckOptions &options);

// Samples the instrument for the period and assesses it. Throws CliError (device) when the
// port cannot be opened, goes away or no measurement comes.
EmissionAssessment CheckInstrument(const LinkTarget &target, const CheckOptions &options, int timeoutMs);
