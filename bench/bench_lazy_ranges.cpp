// Typing "<!--" on the first line of a 50 MB HTML document (a comment that never closes): the time until
// the screen is repainted, against typing the same in the same document without a highlighter, and against
// the full rescan an eager editor would make first. Ratios in one run.
#include "GeneratedHtml.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefHighlighterHtml.h"

#include "WidgetBenchmarkMain.h"

#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::string g_text;

std::unique_ptr<TZefEdit> MakeShownDocument(TZefCustomHighlighter* highlighter)
{
    auto edit = std::make_unique<TZefEdit>();
    edit->SetText(g_text);
    edit->resize(900, 700);
    edit->show();
    edit->SetHighlighter(highlighter);
    edit->FinishRangeScan();
    benchmark::DoNotOptimize(edit->viewport()->grab());
    return edit;
}

using Clock = std::chrono::steady_clock;

void Record(benchmark::State& state, const char* name, double total)
{
    RecordPerIteration(state, name, total);
}

// One iteration: type the opener at the document start and paint the screen; the line is put back and the
// ranges completed outside the measured time.
void TypeOpener(benchmark::State& state, TZefCustomHighlighter* highlighter, const char* name)
{
    auto edit = MakeShownDocument(highlighter);
    const std::string first(edit->Lines()->GetLine(0));
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        edit->SetCaretPos(BufferCoord(1, 1));
        edit->SetSelectedText("<!--");
        benchmark::DoNotOptimize(edit->viewport()->grab());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        edit->Lines()->ReplaceLine(0, first);
        edit->FinishRangeScan();
        benchmark::DoNotOptimize(edit->viewport()->grab());
    }
    Record(state, name, total);
}

void BM_TypeOpener_Html(benchmark::State& state)
{
    TZefHTMLSyn html;
    TypeOpener(state, &html, "html");
}

void BM_TypeOpener_Plain(benchmark::State& state) { TypeOpener(state, nullptr, "plain"); }

// What an eager editor does after the opener: every line again before the next paint.
void BM_FullRescan_Html(benchmark::State& state)
{
    TZefHTMLSyn html;
    auto edit = MakeShownDocument(&html);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        edit->ScanAllRanges();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    Record(state, "full", total);
}

} // namespace

BENCHMARK(BM_TypeOpener_Html)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();
BENCHMARK(BM_TypeOpener_Plain)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();
BENCHMARK(BM_FullRescan_Html)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

int main(int argc, char** argv)
{
    g_text = GenerateHtml(50u * 1024 * 1024);
    const int status = RunWidgetBenchmarks(argc, argv);
    std::printf("\nTyping \"<!--\" on line 1 of %.1f MB of HTML, until the screen is painted:\n",
                static_cast<double>(g_text.size()) / 1e6);
    std::printf("  with the HTML highlighter: %.2f ms, %.2fx typing without one\n", CaseSeconds()["html"] * 1e3,
                CaseRatio("html", "plain"));
    std::printf("  an eager full rescan alone would take %.1f ms (%.0fx the lazy answer)\n", CaseSeconds()["full"] * 1e3,
                CaseRatio("full", "html"));
    return status;
}
