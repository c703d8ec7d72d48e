// Replace all and find next through the editor control, each beside a baseline in the same run: replacing 1
// million matches (a million lines with one match each, and one 8 MB line holding them all) against a plain
// std::string pass that builds the same text, and a find next from the top of a 100 MB document to a match on
// its last line against the engine's own search over the same lines. Ratios printed at the end.
#include "ZefEdit.h"
#include "ZefEditSearch.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMatches = 1'000'000;

// A million lines of 20 bytes, one "needle" each.
std::vector<std::string> ManyLines()
{
    return std::vector<std::string>(kMatches, std::string("abc needle defghijkl"));
}

// One line of a million "needle," pieces plus filler: about 8 MB.
std::vector<std::string> OneLongLine()
{
    std::string line;
    line.reserve(static_cast<size_t>(kMatches) * 8);
    for (int i = 0; i < kMatches; ++i) line += "needle,.";
    return {line};
}

// What replacing every "needle" by "thread" gives, built with plain string operations.
std::string ReplacedByStrings(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines) {
        size_t from = 0;
        for (size_t at = line.find("needle"); at != std::string::npos; at = line.find("needle", from)) {
            out.append(line, from, at - from).append("thread");
            from = at + 6;
        }
        out.append(line, from).append("\r\n");
    }
    return out;
}

void ReplaceAll(benchmark::State& state, const std::vector<std::string>& lines, const std::string& name)
{
    TZefEdit edit;
    TZefEditSearch engine;
    edit.SetSearchEngine(&engine);
    double elapsed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit.ClearDocument();
        edit.Lines()->AppendLines(lines);
        edit.SetCaretPos(BufferCoord(1, 1));
        state.ResumeTiming();
        const double start = ThreadSeconds();
        const int count = edit.SearchReplace("needle", "thread", soMatchCase | soEntireScope | soReplace | soReplaceAll);
        elapsed += ThreadSeconds() - start;
        if (count != kMatches) state.SkipWithError("not every match was replaced");
        state.PauseTiming();
        // What must hold after every run: one undo step gives back the original bytes.
        edit.Undo();
        if (edit.Lines()->GetLine(0) != lines.front() || edit.CanUndo()) state.SkipWithError("undo is not one exact step");
        state.ResumeTiming();
    }
    RecordPerIteration(state, "replace all " + name, elapsed);
}

void StringBaseline(benchmark::State& state, const std::vector<std::string>& lines, const std::string& name)
{
    const double start = ThreadSeconds();
    for (auto _ : state) benchmark::DoNotOptimize(ReplacedByStrings(lines));
    RecordPerIteration(state, "strings " + name, ThreadSeconds() - start);
}

void ReplaceAllManyLines(benchmark::State& state) { ReplaceAll(state, ManyLines(), "1M lines"); }
void ReplaceAllOneLine(benchmark::State& state) { ReplaceAll(state, OneLongLine(), "8 MB line"); }
void StringsManyLines(benchmark::State& state) { StringBaseline(state, ManyLines(), "1M lines"); }
void StringsOneLine(benchmark::State& state) { StringBaseline(state, OneLongLine(), "8 MB line"); }

// 100 MB of 80-byte lines without the word, and the word on the last line.
std::vector<std::string> HundredMegabytes()
{
    std::vector<std::string> lines(1'250'000, std::string(79, 'x') + " ");
    lines.back() = "the needle is here";
    return lines;
}

void FindNextToTheEnd(benchmark::State& state)
{
    TZefEdit edit;
    TZefEditSearch engine;
    edit.SetSearchEngine(&engine);
    edit.Lines()->AppendLines(HundredMegabytes());
    const double start = ThreadSeconds();
    for (auto _ : state) {
        edit.SetCaretPos(BufferCoord(1, 1));
        if (edit.SearchReplace("needle", {}, soMatchCase) != 1) state.SkipWithError("not found");
    }
    RecordPerIteration(state, "find next", ThreadSeconds() - start);
}

void EngineOverTheLines(benchmark::State& state)
{
    const std::vector<std::string> lines = HundredMegabytes();
    TZefEditSearch engine;
    engine.SetOptions(soMatchCase);
    engine.SetPattern("needle");
    const double start = ThreadSeconds();
    for (auto _ : state) {
        int found = 0;
        for (const std::string& line : lines) found += engine.FindAll(line);
        benchmark::DoNotOptimize(found);
    }
    RecordPerIteration(state, "engine", ThreadSeconds() - start);
}

} // namespace

BENCHMARK(ReplaceAllManyLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StringsManyLines)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllOneLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StringsOneLine)->Unit(benchmark::kMillisecond);
BENCHMARK(FindNextToTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineOverTheLines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (const int status = RunWidgetBenchmarks(argc, argv); status != 0) return status;
    auto ratio = [](const std::string& a, const std::string& b) {
        if (const double value = CaseRatio(a, b); value > 0) std::printf("%-24s / %-24s = %.2f\n", a.c_str(), b.c_str(), value);
    };
    ratio("replace all 1M lines", "strings 1M lines");
    ratio("replace all 8 MB line", "strings 8 MB line");
    ratio("find next", "engine");
    return 0;
}
