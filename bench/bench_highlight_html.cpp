// The HTML highlighter's speed on about 50 MB of generated markup: the range scan the editor runs (end states
// only), the token loop the painter runs, and a memchr walk over the same bytes as the baseline, as ratios
// measured in one run.
#include "GeneratedHtml.h"
#include "ZefEditTextBuffer.h"
#include "ZefHighlighterHtml.h"
#include "ZefHighlighterRanges.h"

#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr size_t kBytes = 50u * 1024 * 1024;

std::string g_text;
TZefEditStringList* g_lines;

void Generate()
{
    g_text = GenerateHtml(kBytes);
    g_lines = new TZefEditStringList;
    g_lines->SetText(g_text);
}

template <typename Body>
void Timed(benchmark::State& state, const char* name, Body body)
{
    TimeEachIteration(state, name, body);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_text.size()));
}

void BM_Html_RangeScan(benchmark::State& state)
{
    TZefHTMLSyn html;
    Timed(state, "ranges", [&] { zefranges::ScanAllRanges(html, *g_lines); });
    benchmark::DoNotOptimize(g_lines->GetRangeState(g_lines->Count() - 1));
}

void BM_Html_TokenLoop(benchmark::State& state)
{
    TZefHTMLSyn html;
    int64_t tokens = 0;
    Timed(state, "tokens", [&] {
        tokens = 0;
        html.ResetRange();
        for (int i = 0; i < g_lines->Count(); ++i) {
            html.SetLine(g_lines->GetLine(i), i);
            while (!html.GetEol()) {
                benchmark::DoNotOptimize(html.GetTokenAttribute());
                benchmark::DoNotOptimize(html.GetTokenPos());
                ++tokens;
                html.Next();
            }
        }
    });
    state.counters["tokens"] = static_cast<double>(tokens);
}

void BM_Baseline_MemchrLineBreaks(benchmark::State& state)
{
    Timed(state, "baseline", [] {
        const char* p = g_text.data();
        const char* const end = p + g_text.size();
        int64_t lines = 0;
        while (p < end) {
            const void* found = std::memchr(p, '\n', static_cast<size_t>(end - p));
            if (!found) break;
            p = static_cast<const char*>(found) + 1;
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    });
}

BENCHMARK(BM_Html_RangeScan)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Html_TokenLoop)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_Baseline_MemchrLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    Generate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d lines, %.1f MB of HTML. Ratios (time against the memchr walk, same run):\n", g_lines->Count(),
                static_cast<double>(g_text.size()) / 1e6);
    std::printf("  range scan (end states only):    %.1fx\n", CaseRatio("ranges", "baseline"));
    std::printf("  token loop (what the painter does): %.1fx\n", CaseRatio("tokens", "baseline"));
    delete g_lines;
    return 0;
}
