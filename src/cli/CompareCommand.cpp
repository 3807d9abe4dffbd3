#include "cli/CompareCommand.h"

#include "base/Errors.h"
#include "cli/CliError.h"
#include "cli/CommandParts.h"
#include "measure/Comparison.h"
#include "measure/Reference.h"

#include <QFileInfo>

#include <CLI/CLI.hpp>

namespace {
MeasurementRecord load(const QString &path)
{
    try {
        return LoadReferenceFile(path).record;
    } catch (const KmrError &error) {
        throw CliError(ExitFile, error.text());
    }
}
} // namespace

QByteArray CompareFiles(const QString &aPath, const QString &bPath, CompareFormat format)
{
    const MeasurementRecord a = load(aPath);
    const MeasurementRecord b = load(bPath);
    const std::vector<ComparisonRow> rows = CompareMeasurements(a, b);
    const QString aName = QFileInfo(aPath).fileName();
    const QString bName = QFileInfo(bPath).fileName();
    switch (format) {
    case CompareFormat::Json:
        return ComparisonJson(rows, aName, bName);
    case CompareFormat::Csv:
        return ComparisonCsv(rows, ComparisonHeader(aName, bName)).toUtf8();
    case CompareFormat::Text:
        break;
    }
    return ComparisonText(rows, ComparisonHeader(aName, bName)).toUtf8();
}

void CompareArguments::add(CLI::App &app)
{
    command = app.add_subcommand("compare",
        "the difference table of two measurement files: the fifteen values and harmonic orders 1 to 50, A "
        "against B as the reference, the difference A - B and in percent of B");
    command->add_option("A", a, "the measurement file (.vqm)")->required();
    command->add_option("B", b, "the reference measurement file (.vqm)")->required();
    command->add_option("--format", format, "text (for a person), json or csv")
        ->check(CLI::IsMember({ "text", "json", "csv" }));
}

bool CompareArguments::parsed() const
{
    return command && command->parsed();
}

int CompareArguments::run() const
{
    const CompareFormat f = format == "json" ? CompareFormat::Json
                                             : (format == "csv" ? CompareFormat::Csv : CompareFormat::Text);
    WriteOut(CompareFiles(QString::fromStdString(a), QString::fromStdString(b), f));
    return ExitOk;
}
