// The "General" / "General +" formatter on a 300,000-line document of 120-character lines, against a plain
// copy of the same lines; per-character cost on one long line of 1 and 4 MB, which shows that the
// continuation of a split line is not copied again for every split; and what installing the result in the
// editor control as one undoable change costs (the rest of a run as the user sees it).
#include "ZefTextFormatter.h"

#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 300'000;
constexpr std::size_t kWidth = 120;

// Words of 2 to 9 letters, a colon now and then, so that lines break at spaces as ordinary prose does.
std::string Prose(std::size_t length, unsigned seed)
{
    std::string text;
    text.reserve(length);
    unsigned state = seed * 2654435761u + 1;
    while (text.size() < length) {
        state = state * 1103515245u + 12345u;
        const std::size_t word = 2 + (state >> 16) % 8;
        text.append(word, static_cast<char>('a' + (state >> 8) % 26));
        text += (state >> 20) % 17 == 0 ? ':' : ' ';
    }
    text.resize(length);
    return text;
}

const std::vector<std::string>& Document(int lines)
{
    static std::vector<std::string> cached;
    if (static_cast<int>(cached.size()) != lines) {
        cached.clear();
        for (int i = 0; i < lines; ++i) {
            std::string line;
            if (i % 10 != 9) {
                line = Prose(kWidth, static_cast<unsigned>(i));
                if (i % 7 == 0)
                    line.insert(line.begin(), '\t');
            }
            cached.push_back(std::move(line));
        }
    }
    return cached;
}

TZefFormatSettings GeneralSettings()
{
    return TZefFormatSettings{};
}

TZefFormatSettings GeneralPlusSettings()
{
    TZefFormatSettings settings;
    settings.Style = TZefFormatStyle::fsGeneralPlus;
    settings.JoinParagraphs = true;
    settings.SpacesBeforeNew = 4;
    settings.SpacesBeforeAll = 2;
    settings.DeleteEmptyLines = true;
    settings.MaxEmptyLines = 1;
    return settings;
}

// The busy window's side of a run: one call per line that never stops it.
bool CountLine(int line, int lineCount)
{
    benchmark::DoNotOptimize(line + lineCount);
    return true;
}

void TimeFormat(benchmark::State& state, const std::string& name, const std::vector<std::string>& lines,
                const TZefFormatSettings& settings)
{
    double total = 0;
    for (auto _ : state) {
        std::vector<std::string> input = lines; // the copy is not part of the run
        const double start = ThreadSeconds();
        TZefFormatResult result = ZefFormatLines(std::move(input), settings, CountLine);
        const double seconds = ThreadSeconds() - start;
        benchmark::DoNotOptimize(result.Lines.data());
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, name, total);
}

void BM_Copy(benchmark::State& state)
{
    const std::vector<std::string>& lines = Document(kLines);
    double total = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        std::vector<std::string> copy = lines;
        const double seconds = ThreadSeconds() - start;
        benchmark::DoNotOptimize(copy.data());
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, "copy", total);
}

void BM_General(benchmark::State& state) { TimeFormat(state, "general", Document(kLines), GeneralSettings()); }
void BM_GeneralPlus(benchmark::State& state) { TimeFormat(state, "plus", Document(kLines), GeneralPlusSettings()); }

void BM_LongLine(benchmark::State& state)
{
    const std::size_t length = static_cast<std::size_t>(state.range(0));
    const std::vector<std::string> lines = {Prose(length, 7), "next line of the paragraph"};
    // Every continuation is indented and split again: about one split per 75 characters.
    TimeFormat(state, "long" + std::to_string(length), lines, GeneralPlusSettings());
}

// The formatted lines replace the document's lines in the control, one undo step.
void BM_Install(benchmark::State& state)
{
    const std::vector<std::string>& lines = Document(kLines);
    const std::vector<std::string> formatted = ZefFormatLines(lines, GeneralSettings()).Lines;
    double total = 0;
    for (auto _ : state) {
        TZefEdit edit;
        edit.Lines()->AppendLines(lines);
        TZefEditStringList result;
        result.AppendLines(formatted);
        const double start = ThreadSeconds();
        edit.ReplaceAllLines(result);
        const double seconds = ThreadSeconds() - start;
        benchmark::DoNotOptimize(edit.Lines()->Count());
        state.SetIterationTime(seconds);
        total += seconds;
    }
    RecordPerIteration(state, "install", total);
}

} // namespace

BENCHMARK(BM_Install)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_General)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_GeneralPlus)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_LongLine)->Arg(1'000'000)->Arg(4'000'000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

int main(int argc, char** argv)
{
    const int status = RunWidgetBenchmarks(argc, argv);
    std::printf("\nFormatting %d lines of %zu characters (every 7th starts with a tab, every 10th is empty):\n", kLines,
                kWidth);
    std::printf("  General:   %.1f ms, %.2fx a plain copy of the lines (%.1f ms)\n", CaseSeconds()["general"] * 1e3,
                CaseRatio("general", "copy"), CaseSeconds()["copy"] * 1e3);
    std::printf("  General + (paragraphs joined, 4 spaces before continuations, 2 before all, one empty line kept): "
                "%.1f ms, %.2fx the copy\n",
                CaseSeconds()["plus"] * 1e3, CaseRatio("plus", "copy"));
    std::printf("One long line with General + (4 spaces before each continuation, 2 before all): 4 MB takes %.2fx the time of 1 MB (linear: 4)\n",
                CaseRatio("long4000000", "long1000000"));
    std::printf("Installing the General result in the editor control (one undo step): %.1f ms, %.2fx the copy\n",
                CaseSeconds()["install"] * 1e3, CaseRatio("install", "copy"));
    return status;
}
