// Typing 10 000 characters and then undoing them all, in a 1-million-line document against a 10-line one:
// time per keystroke and per undo step, and the ratio of the large document's figures to the small one's.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include "WidgetBenchmarkMain.h"


#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kLine = "    procedure TypeSomething(const Value: string); // a typical line";
constexpr int kKeys = 10'000;

// A control holding `lines` copies of kLine, with the longest line already known, as after loading. Every
// keystroke is its own undo step, and the list is long enough to keep them all.
std::unique_ptr<TZefEdit> MakeDocument(int lines)
{
    auto edit = std::make_unique<TZefEdit>();
    edit->Lines()->AppendLines(std::vector<std::string>(static_cast<size_t>(lines), kLine));
    edit->Lines()->GetLongestLineWidth();
    // The width limit would swallow keys once a line is full; both documents must take every key.
    edit->SetOptions(ZefDefaultOptions.Without(eoGroupUndo).With(eoAutoSizeMaxLineWidth));
    edit->SetMaxUndo(4 * kKeys);
    return edit;
}

struct TTimes {
    double perKey = 0;  // seconds
    double perUndo = 0; // seconds
};

// Types kKeys characters in the middle of the document, then undoes them all. After every 60 characters the
// typing goes on at the start of the next line: with lineBreaks through Enter (a line inserted in the store,
// whose cost grows with the document), else by moving the caret to the next of ten lines (no line inserted).
TTimes TypeThenUndo(TZefEdit& edit, bool lineBreaks)
{
    using Clock = std::chrono::steady_clock;
    const int middle = edit.Lines()->Count() / 2;
    edit.SetCaretPos(BufferCoord(5, middle));
    const auto typing = Clock::now();
    for (int key = 0; key < kKeys; ++key) {
        if (key % 61 == 60) {
            if (lineBreaks) {
                edit.DispatchCommand(ecLineBreak, 0, nullptr);
            } else {
                // Ten lines in turn, the same in both documents, so the lines grow alike.
                edit.SetCaretPos(BufferCoord(5, middle - 5 + (key / 61) % 10));
            }
        } else {
            edit.DispatchCommand(ecChar, static_cast<char>('a' + key % 26), nullptr);
        }
    }
    const auto undoing = Clock::now();
    int undos = 0;
    while (edit.CanUndo()) {
        edit.Undo();
        ++undos;
    }
    const auto done = Clock::now();
    benchmark::DoNotOptimize(edit.Lines()->Count());
    const std::chrono::duration<double> typed = undoing - typing;
    const std::chrono::duration<double> undone = done - undoing;
    return TTimes{typed.count() / kKeys, undone.count() / std::max(undos, 1)};
}

// One document size: the figures of that size alone.
void TypeAndUndo(benchmark::State& state)
{
    auto edit = MakeDocument(static_cast<int>(state.range(0)));
    TTimes total;
    for (auto _ : state) {
        const TTimes times = TypeThenUndo(*edit, state.range(1) != 0);
        total.perKey += times.perKey;
        total.perUndo += times.perUndo;
        edit->RedoList()->ClearRecords();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["us_per_key"] = total.perKey / runs * 1e6;
    state.counters["us_per_undo"] = total.perUndo / runs * 1e6;
    state.counters["lines"] = static_cast<double>(state.range(0));
    state.counters["breaks"] = static_cast<double>(state.range(1));
}

// Both sizes in the same run; the counters are large / small.
void TypeAndUndoRatio(benchmark::State& state)
{
    auto small = MakeDocument(10);
    auto large = MakeDocument(1'000'000);
    double keyRatio = 0;
    double undoRatio = 0;
    for (auto _ : state) {
        const TTimes a = TypeThenUndo(*small, state.range(0) != 0);
        const TTimes b = TypeThenUndo(*large, state.range(0) != 0);
        keyRatio += b.perKey / a.perKey;
        undoRatio += b.perUndo / a.perUndo;
        small->RedoList()->ClearRecords();
        large->RedoList()->ClearRecords();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["key_ratio_1M_vs_10"] = keyRatio / runs;
    state.counters["undo_ratio_1M_vs_10"] = undoRatio / runs;
}

} // namespace

// Second argument: 1 with line breaks typed, 0 with caret moves instead.
BENCHMARK(TypeAndUndo)
    ->Args({10, 0})
    ->Args({1'000'000, 0})
    ->Args({10, 1})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(TypeAndUndoRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }
