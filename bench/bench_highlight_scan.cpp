// Highlighter scanning speed: a full range scan of 3 million generated source lines with the test language,
// beside a baseline that only walks the same bytes with memchr for line breaks, as a ratio in one run.
#include "../tests/highlight/support/TestHighlighter.h"

#include "ZefEditTextBuffer.h"
#include "ZefHighlighterRanges.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

constexpr int kLines = 3'000'000;

std::string g_text;             // the document, LF after every line
TZefEditStringList* g_lines;    // the same lines in the store
std::map<std::string, double> g_seconds;

// Lines a C-like source file is made of: code with keywords, numbers and strings, comments of both kinds,
// and block comments over several lines, so ranges change along the document.
void Generate()
{
    static const char* const kCode[] = {
        "    if (count > 10) return value; // clamp",
        "    for (i = 0; i < 3.5e2; i = i + 1) begin total = total + i; end",
        "select name, price from items where price > 12.5 and name = \"a \\\"quoted\\\" name\";",
        "  while (x) do x = next(x, 0x1F);",
        "",
        "\tresult := \"plain string\" + other_identifier_with_a_long_name;",
        "  else call(a, b, c) /* short comment */ + 42;",
    };
    std::mt19937 random(7);
    g_text.reserve(130'000'000);
    for (int i = 0; i < kLines; ++i) {
        const unsigned pick = random() % 100;
        if (pick < 4) {
            // A block comment of 1..6 lines.
            const int body = static_cast<int>(random() % 6);
            g_text += "  /* block comment begins here";
            for (int k = 0; k < body && i + 1 < kLines; ++k, ++i) g_text += "\n   * inside the comment, line text";
            if (i + 1 < kLines) {
                g_text += "\n   */ x = 1;";
                ++i;
            }
        } else {
            g_text += kCode[pick % std::size(kCode)];
        }
        g_text += '\n';
    }
    g_lines = new TZefEditStringList;
    g_lines->SetText(g_text);
}

using Clock = std::chrono::steady_clock;

void Record(benchmark::State& state, const char* name, double total)
{
    g_seconds[name] = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_text.size()));
}

void BM_RangeScan_TestHighlighter(benchmark::State& state)
{
    TZefTestHighlighter highlighter;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        zefranges::ScanAllRanges(highlighter, *g_lines);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    benchmark::DoNotOptimize(g_lines->GetRangeState(g_lines->Count() - 1));
    Record(state, "scan", total);
}

void BM_RangeScan_TokensCounted(benchmark::State& state)
{
    // The same scan through the per-token protocol by hand, reading each token's position and attribute as
    // the painter does.
    TZefTestHighlighter highlighter;
    double total = 0;
    int64_t tokens = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        tokens = 0;
        highlighter.ResetRange();
        for (int i = 0; i < g_lines->Count(); ++i) {
            highlighter.SetLine(g_lines->GetLine(i), i);
            while (!highlighter.GetEol()) {
                benchmark::DoNotOptimize(highlighter.GetTokenAttribute());
                benchmark::DoNotOptimize(highlighter.GetTokenPos());
                ++tokens;
                highlighter.Next();
            }
            g_lines->SetRangeState(i, highlighter.GetRange());
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    Record(state, "scan tokens", total);
}

void BM_Baseline_MemchrLineBreaks(benchmark::State& state)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
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
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    Record(state, "baseline", total);
}

BENCHMARK(BM_RangeScan_TestHighlighter)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_RangeScan_TokensCounted)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Baseline_MemchrLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

double Ratio(const char* a, const char* b)
{
    const auto x = g_seconds.find(a);
    const auto y = g_seconds.find(b);
    return x == g_seconds.end() || y == g_seconds.end() || y->second == 0 ? 0 : x->second / y->second;
}

} // namespace

int main(int argc, char** argv)
{
    Generate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d lines, %.1f MB. Ratios (time against the memchr walk, same run):\n", kLines,
                static_cast<double>(g_text.size()) / 1e6);
    std::printf("  full range scan (ScanAllRanges):          %.1fx\n", Ratio("scan", "baseline"));
    std::printf("  scan reading every token's attribute:     %.1fx\n", Ratio("scan tokens", "baseline"));
    delete g_lines;
    return 0;
}
