#include "BenchMain.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <vector>

namespace {
std::vector<std::function<void()>> &cleanups()
{
    static std::vector<std::function<void()>> registered;
    return registered;
}
} // namespace

bool AtBenchmarksEnd(std::function<void()> cleanup)
{
    cleanups().push_back(std::move(cleanup));
    return true;
}

int main(int argc, char **argv)
{
    // Drawing text needs a GUI application before the first benchmark runs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto &cleanup : cleanups())
        cleanup();
    return 0;
}
