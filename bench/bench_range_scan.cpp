// The editor's range scan (each line's end state, no tokens read) over open-bench's generated 100 MB C++
// source, for every registered highlighter as if the file were renamed to its extension: the token loop
// (SetLine, NextToEol) beside the language's ScanLineRange, in thread CPU time, as a ratio in one run. The
// two must give the same range for every line; the report counts the lines where they differ (0 expected).
// Opening a file scans its ranges once in idle slices, so this is most of what a highlighter adds to opening.
#include "OpenBenchData.h"
#include "ThreadClock.h"
#include "ZefEditTextBuffer.h"
#include "ZefHighlighterRegistry.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TZefEditStringList> g_lines;
std::string g_path;
std::map<std::string, std::vector<TZefRangeState>> g_tokenLoopRanges; // by language
std::map<std::string, int64_t> g_differing;                            // lines whose two ranges differ

bool LoadFile()
{
    g_path = OpenBenchFile("b-cpp-100MB.cpp");
    std::ifstream in(g_path, std::ios::binary);
    if (!in) return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    g_lines = std::make_unique<TZefEditStringList>();
    g_lines->SetText(text);
    return true;
}

std::unique_ptr<TZefCustomHighlighter> Create(const std::string& language)
{
    for (auto& highlighter : ZefCreateHighlighters()) {
        if (highlighter->GetLanguageName() == language) return std::move(highlighter);
    }
    return nullptr;
}

// Every line's end state into `ranges`, by the token loop or by ScanLineRange, as the editor's idle scan
// stores them.
void ScanAll(TZefCustomHighlighter& highlighter, bool tokenLoop, std::vector<TZefRangeState>& ranges)
{
    const int count = g_lines->Count();
    ranges.resize(static_cast<size_t>(count));
    highlighter.ResetRange();
    for (int i = 0; i < count; ++i) {
        if (tokenLoop) {
            highlighter.SetLine(g_lines->GetLine(i), i);
            highlighter.NextToEol();
        } else {
            highlighter.ScanLineRange(g_lines->GetLine(i), i);
        }
        ranges[static_cast<size_t>(i)] = highlighter.GetRange();
    }
}

void TimeScan(benchmark::State& state, const std::string& language, bool tokenLoop)
{
    const auto highlighter = Create(language);
    std::vector<TZefRangeState> ranges;
    double total = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        ScanAll(*highlighter, tokenLoop, ranges);
        const double seconds = ThreadSeconds() - start;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, (tokenLoop ? "tokens " : "range ") + language, total);
    if (tokenLoop) {
        g_tokenLoopRanges[language] = std::move(ranges);
        return;
    }
    const std::vector<TZefRangeState>& expected = g_tokenLoopRanges[language];
    // Without the token loop's ranges (a filtered run), every line counts as differing.
    int64_t differing = 0;
    for (size_t i = 0; i < ranges.size(); ++i) differing += i >= expected.size() || expected[i] != ranges[i];
    g_differing[language] = differing;
}

std::vector<std::string> RegisterCases()
{
    std::vector<std::string> languages;
    for (const auto& highlighter : ZefCreateHighlighters()) languages.push_back(highlighter->GetLanguageName());
    // C++ first: the file is C++.
    std::stable_partition(languages.begin(), languages.end(), [](const std::string& name) { return name == "C++"; });
    for (const std::string& language : languages) {
        for (const bool tokenLoop : {true, false}) {
            const std::string name = std::string("BM_RangeScan/") + language + (tokenLoop ? "/token loop" : "/range scan");
            benchmark::RegisterBenchmark(name.c_str(), [language, tokenLoop](benchmark::State& state) {
                TimeScan(state, language, tokenLoop);
            })->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
        }
    }
    return languages;
}

} // namespace

int main(int argc, char** argv)
{
    if (!LoadFile()) {
        std::printf("No %s: run open-bench's gen-data.sh (or set ZEFRA_OPEN_BENCH_DATA).\n", g_path.c_str());
        return 0;
    }
    const std::vector<std::string> languages = RegisterCases();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%s, %d lines. Range scan (ScanLineRange) against the token loop, thread CPU time, same run "
                "(lower is faster); lines whose end states differ (must be 0):\n", g_path.c_str(), g_lines->Count());
    for (const std::string& language : languages) {
        const double tokens = CaseSeconds().count("tokens " + language) ? CaseSeconds()["tokens " + language] : 0;
        if (tokens == 0 || !g_differing.count(language)) continue;
        std::printf("  %-24s %.3f   (token loop %.0f ms, range scan %.0f ms)   differing lines %lld\n",
                    language.c_str(), CaseRatio("range " + language, "tokens " + language), tokens * 1000,
                    CaseSeconds()["range " + language] * 1000, static_cast<long long>(g_differing[language]));
    }
    return 0;
}
