// Timing helpers of the benchmarks: CPU seconds of the calling thread (ratios stay meaningful while other
// processes share the cores), wall-clock manual timing, and a table of per-iteration costs by case name from
// which the ratio reports are printed.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
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

// a / b of two recorded cases; 0 when either is missing or b took no time.
inline double CaseRatio(const std::string& a, const std::string& b)
{
    const auto x = CaseSeconds().find(a);
    const auto y = CaseSeconds().find(b);
    return x == CaseSeconds().end() || y == CaseSeconds().end() || y->second == 0 ? 0 : x->second / y->second;
}

// Runs body once per iteration, timed by the wall clock (for benchmarks registered with UseManualTime), and
// records the mean under name.
template <typename Body>
void TimeEachIteration(benchmark::State& state, const std::string& name, Body&& body)
{
    using Clock = std::chrono::steady_clock;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        body();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, name, total);
}

// The same timed by the calling thread's CPU seconds, so that a ratio between two cases holds while other
// processes take turns on the cores (wall time would count their turns as ours).
template <typename Body>
void TimeEachIterationByCpu(benchmark::State& state, const std::string& name, Body&& body)
{
    double total = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        body();
        const double seconds = ThreadSeconds() - start;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, name, total);
}
