// Cost of typing one character and one line break through the editor's replacement path, 3 million lines vs 10.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"

#include "WidgetBenchmarkMain.h"


#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kLine = "    procedure TypeSomething(const Value: string); // a typical line";

// A control holding `lines` copies of kLine, with the longest line already known, as after loading.
std::unique_ptr<TZefEdit> MakeDocument(int lines)
{
    auto edit = std::make_unique<TZefEdit>();
    edit->Lines()->AppendLines(std::vector<std::string>(static_cast<size_t>(lines), kLine));
    edit->Lines()->GetLongestLineWidth();
    return edit;
}

TBufferCoord MiddleOf(const TZefEdit& edit)
{
    return BufferCoord(static_cast<int>(kLine.size()) / 2, edit.Lines()->Count() / 2);
}

// Every Reset iterations the line grown by typing is put back (timing paused), so each run types into the
// same kind of line whatever the iteration count.
constexpr int64_t kReset = 256;

void TypeCharacter(benchmark::State& state)
{
    auto edit = MakeDocument(static_cast<int>(state.range(0)));
    const TBufferCoord start = MiddleOf(*edit);
    edit->SetCaretPos(start);
    int64_t typed = 0;
    for (auto _ : state) {
        edit->SetSelectedText("x");
        benchmark::DoNotOptimize(edit->Lines()->GetLongestLineWidth());
        if (++typed % kReset == 0) {
            state.PauseTiming();
            edit->Lines()->ReplaceLine(start.Line - 1, kLine);
            edit->SetCaretPos(start);
            // Shortening the longest line makes the store search again; that scan belongs to the reset.
            edit->Lines()->GetLongestLineWidth();
            state.ResumeTiming();
        }
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}

void TypeLineBreak(benchmark::State& state)
{
    auto edit = MakeDocument(static_cast<int>(state.range(0)));
    const TBufferCoord start = MiddleOf(*edit);
    edit->SetCaretPos(start);
    int64_t typed = 0;
    for (auto _ : state) {
        edit->SetSelectedText("\r\n");
        benchmark::DoNotOptimize(edit->Lines()->GetLongestLineWidth());
        if (++typed % kReset == 0) {
            state.PauseTiming();
            edit->Lines()->RemoveLines(start.Line, static_cast<int>(kReset));
            edit->Lines()->ReplaceLine(start.Line - 1, kLine);
            edit->SetCaretPos(start);
            // Shortening the longest line makes the store search again; that scan belongs to the reset.
            edit->Lines()->GetLongestLineWidth();
            state.ResumeTiming();
        }
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}

// Baselines: the bare line-store operations underneath, to tell the editor's share from the store's.
void StoreReplaceLine(benchmark::State& state)
{
    auto edit = MakeDocument(static_cast<int>(state.range(0)));
    const int index = edit->Lines()->Count() / 2;
    std::string text = kLine;
    for (auto _ : state) {
        text[text.size() / 2] ^= 1;
        edit->Lines()->ReplaceLine(index, text);
        benchmark::DoNotOptimize(edit->Lines()->GetLongestLineWidth());
    }
}

void StoreInsertEmptyLine(benchmark::State& state)
{
    auto edit = MakeDocument(static_cast<int>(state.range(0)));
    const int index = edit->Lines()->Count() / 2;
    int64_t inserted = 0;
    for (auto _ : state) {
        edit->Lines()->InsertEmptyLines(index, 1);
        benchmark::DoNotOptimize(edit->Lines()->GetLongestLineWidth());
        if (++inserted % kReset == 0) {
            state.PauseTiming();
            edit->Lines()->RemoveLines(index, static_cast<int>(kReset));
            state.ResumeTiming();
        }
    }
}

} // namespace

BENCHMARK(TypeCharacter)->Arg(10)->Arg(3'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(StoreReplaceLine)->Arg(10)->Arg(3'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeLineBreak)->Arg(10)->Arg(3'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(StoreInsertEmptyLine)->Arg(10)->Arg(3'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }
