// Enter in the middle of a line and Backspace joining it back, through the editor's commands, in a loaded
// document of 30 million short lines beside the same in one of 10 lines: the cost of an edit must not grow
// with the document. Once with one kind of line break throughout, once with LF and CR LF mixed (each line
// keeps its own break). Prints the ratios of the big documents to the small ones.
#include "ZefEdit.h"
#include "ZefEditKeyCmds.h"
#include "ZefEditTextBuffer.h"

#include "WidgetBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kBigLines = 30'000'000;

std::map<std::string, double> g_seconds; // CPU seconds per Enter and Backspace, by benchmark name

// Writes `lines` lines of "line NNN" with LF breaks, or every third one with CR LF, and answers its path.
std::string WriteDocument(int lines, bool mixed)
{
    const fs::path path = fs::temp_directory_path() /
                          ("zefra-line-edits-" + std::to_string(lines) + (mixed ? "-mixed" : "") + ".txt");
    if (fs::exists(path)) return path.string();
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    for (int i = 0; i < lines; ++i) {
        chunk += "line ";
        chunk += std::to_string(i % 1000);
        chunk += mixed && i % 3 == 0 ? "\r\n" : "\n";
        if (chunk.size() > (1 << 20)) {
            out << chunk;
            chunk.clear();
        }
    }
    out << chunk;
    return path.string();
}

void EnterAndBackspace(benchmark::State& state, int lines, bool mixed)
{
    auto edit = std::make_unique<TZefEdit>();
    edit->Lines()->LoadFromFile(WriteDocument(lines, mixed));
    edit->Lines()->GetLongestLineWidth();
    const TBufferCoord middle = BufferCoord(3, edit->Lines()->Count() / 2);
    edit->resize(800, 600);
    edit->show();
    QApplication::processEvents();
    edit->SetCaretPos(middle);
    // The edited line is on screen in both documents, as it is where a user types.
    edit->EnsureCaretVisible(true);
    QApplication::processEvents();
    for (auto _ : state) {
        edit->DispatchCommand(ecLineBreak, '\0', nullptr);
        edit->DispatchCommand(ecDeleteLastChar, '\0', nullptr);
        benchmark::DoNotOptimize(edit->Lines()->GetLongestLineWidth());
    }
    if (edit->Lines()->Count() != lines || edit->CaretPos().Line != middle.Line)
        state.SkipWithError("the edits did not undo each other");
    state.counters["lines"] = static_cast<double>(edit->Lines()->Count());
}

void Register(const std::string& name, int lines, bool mixed)
{
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) { EnterAndBackspace(state, lines, mixed); })
        ->Unit(benchmark::kMicrosecond);
}

// Keeps each run's CPU time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.iterations > 0 && !run.error_occurred)
                g_seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

double Ratio(const std::string& big, const std::string& small)
{
    const double a = g_seconds[big];
    const double b = g_seconds[small];
    return b > 0 ? a / b : 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Register("EnterBackspace/10", 10, false);
    Register("EnterBackspace/30M", kBigLines, false);
    Register("EnterBackspaceMixedBreaks/10", 10, true);
    Register("EnterBackspaceMixedBreaks/30M", kBigLines, true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nEnter + Backspace, 30 million lines / 10 lines (CPU time, same run):\n");
    std::printf("  one kind of break: %.2fx\n", Ratio("EnterBackspace/30M", "EnterBackspace/10"));
    std::printf("  mixed breaks:      %.2fx\n", Ratio("EnterBackspaceMixedBreaks/30M", "EnterBackspaceMixedBreaks/10"));
    return 0;
}
