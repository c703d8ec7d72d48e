// Highlighter scanning speed: a full range scan of 3 million generated source lines with the test language,
// beside a baseline that only walks the same bytes with memchr for line breaks, as a ratio in one run. Then
// every registered highlighter reads the tokens of open-bench's generated 100 MB source (as if renamed to
// its extension) in turns with the test language on the same file, timed by the thread's CPU seconds: a
// ratio of 1 or less means at least as fast.
// The file is taken from $ZEFRA_OPEN_BENCH_DATA (a folder) or ../shared/tools/open-bench/data beside the
// project; open-bench's gen-data.sh writes it.
#include "../tests/highlight/support/TestHighlighter.h"

#include "OpenBenchData.h"
#include "ThreadClock.h"
#include "ZefEditTextBuffer.h"
#include "ZefHighlighterRanges.h"
#include "ZefHighlighterRegistry.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

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

// The open-bench source in a line store, or nullptr when the file is missing.
std::unique_ptr<TZefEditStringList> g_openBench;
std::string g_openBenchPath;

std::string OpenBenchPath() { return OpenBenchFile("b-cpp-100MB.cpp"); }

void LoadOpenBench()
{
    g_openBenchPath = OpenBenchPath();
    std::ifstream in(g_openBenchPath, std::ios::binary);
    if (!in) return;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    g_openBench = std::make_unique<TZefEditStringList>();
    g_openBench->SetText(text);
}

// The painter's loop over every line of the open-bench file: each token's attribute and position read, the
// end range stored. Answers the number of tokens.
int64_t ReadAllTokens(TZefCustomHighlighter& highlighter, TZefEditStringList& lines)
{
    int64_t tokens = 0;
    highlighter.ResetRange();
    for (int i = 0; i < lines.Count(); ++i) {
        highlighter.SetLine(lines.GetLine(i), i);
        while (!highlighter.GetEol()) {
            benchmark::DoNotOptimize(highlighter.GetTokenAttribute());
            benchmark::DoNotOptimize(highlighter.GetTokenPos());
            ++tokens;
            highlighter.Next();
        }
        lines.SetRangeState(i, highlighter.GetRange());
    }
    return tokens;
}

std::map<std::string, int64_t> g_tokens; // each case's token count

// The token loop timed under `name`, with the token count beside it.
void TimeTokenLoop(benchmark::State& state, const std::string& name, TZefCustomHighlighter& highlighter)
{
    int64_t tokens = 0;
    TimeEachIterationByCpu(state, name, [&] { tokens = ReadAllTokens(highlighter, *g_openBench); });
    state.counters["tokens"] = static_cast<double>(tokens);
    g_tokens[name] = tokens;
}

// How many tokens `name` reads for each one the test language reads (0 when either is missing).
double TokenRatio(const std::string& name)
{
    const int64_t test = g_tokens[name + " beside Test"];
    return test == 0 ? 0 : static_cast<double>(g_tokens[name]) / static_cast<double>(test);
}

std::map<std::string, double> g_medianPairRatios; // each language's median of its passes' ratios

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Times `language` and the test language in turns, in alternating order, for the same number of passes, and
// records both under the language's case: the machine's speed drifts over a run of twenty languages (other
// tenants, clock changes), and a test-language figure taken minutes earlier would carry that drift into the
// ratio. Each pass of the language is also set against the test language's pass beside it, and the median
// of those ratios kept: a burst of other work during one pass moves one ratio, not the median.
void TimePairedWithTestLanguage(benchmark::State& state, const std::string& name, TZefCustomHighlighter& language)
{
    std::vector<double> pairRatios;
    TZefTestHighlighter test;
    int64_t tokens = 0;
    int64_t testTokens = 0;
    double languageSeconds = 0;
    double testSeconds = 0;
    bool languageFirst = false;
    for (auto _ : state) {
        const auto timeLanguage = [&] {
            const double start = ThreadSeconds();
            tokens = ReadAllTokens(language, *g_openBench);
            languageSeconds += ThreadSeconds() - start;
        };
        const auto timeTest = [&] {
            const double start = ThreadSeconds();
            testTokens = ReadAllTokens(test, *g_openBench);
            testSeconds += ThreadSeconds() - start;
        };
        const double before = languageSeconds;
        const double testBefore = testSeconds;
        if (languageFirst) {
            timeLanguage();
            timeTest();
        } else {
            timeTest();
            timeLanguage();
        }
        languageFirst = !languageFirst;
        state.SetIterationTime(languageSeconds - before);
        if (testSeconds > testBefore) pairRatios.push_back((languageSeconds - before) / (testSeconds - testBefore));
    }
    g_medianPairRatios[name] = Median(pairRatios);
    RecordPerIteration(state, name, languageSeconds);
    RecordPerIteration(state, name + " beside Test", testSeconds);
    state.counters["tokens"] = static_cast<double>(tokens);
    g_tokens[name] = tokens;
    g_tokens[name + " beside Test"] = testTokens;
}

void RegisterOpenBenchCases(std::vector<std::string>* languages)
{
    benchmark::RegisterBenchmark("BM_OpenBench/Test language", [](benchmark::State& state) {
        TZefTestHighlighter highlighter;
        TimeTokenLoop(state, "open-bench Test", highlighter);
    })->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
    for (const auto& highlighter : ZefCreateHighlighters()) {
        const std::string language = highlighter->GetLanguageName();
        languages->push_back(language);
        benchmark::RegisterBenchmark(("BM_OpenBench/" + language).c_str(), [language](benchmark::State& state) {
            for (auto& candidate : ZefCreateHighlighters()) {
                if (candidate->GetLanguageName() != language) continue;
                TimePairedWithTestLanguage(state, "open-bench " + language, *candidate);
                return;
            }
        })->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
    }
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
    LoadOpenBench();
    std::vector<std::string> languages;
    if (g_openBench) RegisterOpenBenchCases(&languages);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d lines, %.1f MB. Ratios (time against the memchr walk, same run):\n", kLines,
                static_cast<double>(g_text.size()) / 1e6);
    std::printf("  full range scan (ScanAllRanges):          %.1fx\n", Ratio("scan", "baseline"));
    std::printf("  scan reading every token's attribute:     %.1fx\n", Ratio("scan tokens", "baseline"));
    if (!g_openBench) {
        std::printf("\nNo %s: run open-bench's gen-data.sh (or set ZEFRA_OPEN_BENCH_DATA) for the per-language "
                    "ratios.\n", g_openBenchPath.c_str());
    } else {
        std::printf("\n%s, %d lines. Each language's token loop against the test language's, same run, "
                    "timed in turns with it (1.0 or less: at least as fast): the median of the passes' ratios, the "
                    "ratio of all passes together, then the time per token and the tokens, both against the test "
                    "language's:\n", g_openBenchPath.c_str(), g_openBench->Count());
        for (const std::string& language : languages) {
            const std::string name = "open-bench " + language;
            const double ratio = CaseRatio(name, name + " beside Test");
            const double tokens = TokenRatio(name);
            std::printf("  %-24s %.2f   all passes %.2f   per token %.2f   tokens %.2f\n", language.c_str(),
                        g_medianPairRatios[name], ratio, tokens == 0 ? 0 : ratio / tokens, tokens);
        }
    }
    delete g_lines;
    return 0;
}
