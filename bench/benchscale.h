#pragma once

#include <QtGlobal>

#include <algorithm>

// Input sizes of the benchmarks. The test suite runs every benchmark once as a smoke test with
// TESSAVRANT_BENCH_SMOKE set: the generated inputs shrink to a hundredth, so that a benchmark that
// no longer builds, crashes or never ends fails the suite without costing a full measurement.
namespace BenchScale {

inline bool smoke()
{
    static const bool on = qEnvironmentVariableIsSet("TESSAVRANT_BENCH_SMOKE");
    return on;
}

// `full` when measuring; a hundredth of it (at least `least`) in the smoke run.
template <typename T> T size(T full, T least = 1)
{
    return smoke() ? std::max<T>(least, full / 100) : full;
}

} // namespace BenchScale
