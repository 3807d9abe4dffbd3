#pragma once

// The one main() of the Google Benchmark programs (BenchMain.cpp): an application object
// (offscreen unless QT_QPA_PLATFORM says otherwise), then the benchmarks. A program whose
// benchmarks leave windows behind ends them here, before the application goes.

#include <functional>

// Returns true; meant for a namespace-scope initialiser.
bool AtBenchmarksEnd(std::function<void()> cleanup);
