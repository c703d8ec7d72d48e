// CPU seconds of the calling thread, and a table of per-iteration costs by case name for ratio reports: the
// ratios stay meaningful while other processes share the cores.
#pragma once

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>
#include <string>

inline double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds per iteration, by case name, filled by RecordPerIteration.
inline std::map<std::string, double>& CaseSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

inline void RecordPerIteration(benchmark::State& state, const std::string& name, double elapsed)
{
    if (state.iterations() > 0) CaseSeconds()[name] = elapsed / static_cast<double>(state.iterations());
}
