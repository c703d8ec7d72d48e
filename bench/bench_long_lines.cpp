// Very long lines: typing one character at the end of a 20 MB line against an 80-character one, and painting a
// screen of such a line (at column 1 and scrolled to column 10,000,000, and a 200 MB line) against a screen of
// 80-character lines. Ratios printed at the end of the run.
#include "ZefEdit.h"
#include "ZefEditKeyCmds.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 100;
constexpr int kRows = 50;

std::map<size_t, std::unique_ptr<TZefEdit>> g_documents;

std::string LineOf(size_t length)
{
    std::string line(length, 'x');
    for (size_t i = 0; i < length; i += 7) line[i] = ' ';
    return line;
}

// A shown control, set up as the document forms run it, whose first line is `length` bytes long, followed by
// a screenful of 80-character lines.
TZefEdit& Document(size_t length)
{
    auto& slot = g_documents[length];
    if (slot) return *slot;
    std::vector<std::string> text(kRows, LineOf(80));
    text.front() = LineOf(length);
    slot = std::make_unique<TZefEdit>();
    slot->Lines()->AppendLines(text);
    slot->SetColor(clWhite);
    slot->SetOptions(slot->Options().With(eoAutoSizeMaxLineWidth));
    slot->FitMaxLineWidthToLongestLine();
    slot->show();
    QCoreApplication::processEvents();
    const int extraWidth = slot->width() - slot->viewport()->width();
    const int extraHeight = slot->height() - slot->viewport()->height();
    slot->resize(extraWidth + slot->GutterPixels() + 2 + kColumns * slot->CellWidth(),
                 extraHeight + kRows * slot->RowHeight());
    QCoreApplication::processEvents();
    return *slot;
}

std::string SizeName(size_t length) { return length >= 1'000'000 ? std::to_string(length / 1'000'000) + " MB" : std::to_string(length); }

// One key press at the end of line 1 and the repaint it causes.
void TypeAtLineEnd(benchmark::State& state)
{
    const size_t length = static_cast<size_t>(state.range(0));
    TZefEdit& edit = Document(length);
    const TBufferCoord end = BufferCoord(static_cast<int>(length) + 1, 1);
    edit.SetCaretPos(end);
    QCoreApplication::processEvents();
    int64_t typed = 0;
    const double start = ThreadSeconds();
    double paused = 0;
    for (auto _ : state) {
        edit.DispatchCommand(ecChar, 'a', nullptr);
        QCoreApplication::processEvents();
        if (++typed % 256 == 0) {
            state.PauseTiming();
            const double pauseStart = ThreadSeconds();
            edit.Lines()->ReplaceInLine(0, length, 256, {});
            edit.UndoList()->ClearRecords();
            edit.SetCaretPos(end);
            QCoreApplication::processEvents();
            paused += ThreadSeconds() - pauseStart;
            state.ResumeTiming();
        }
    }
    RecordPerIteration(state, "type at end of " + SizeName(length), ThreadSeconds() - start - paused);
}

// Renders the whole client area into an image, as a paint request for the full window does.
void PaintScreen(benchmark::State& state)
{
    const size_t length = static_cast<size_t>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    TZefEdit& edit = Document(length);
    edit.SetLeftVisibleColumn(column);
    QImage image(edit.viewport()->size(), QImage::Format_RGB32);
    const double start = ThreadSeconds();
    for (auto _ : state) {
        edit.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    RecordPerIteration(state, "paint " + SizeName(length) + " at " + std::to_string(column), ThreadSeconds() - start);
    edit.SetLeftVisibleColumn(1);
}

} // namespace

BENCHMARK(TypeAtLineEnd)->Arg(80)->Arg(20'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintScreen)
    ->Args({80, 1})
    ->Args({20'000'000, 1})
    ->Args({20'000'000, 10'000'000})
    ->Args({200'000'000, 1})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (const int status = RunWidgetBenchmarks(argc, argv, [] { g_documents.clear(); }); status != 0) return status;
    auto ratio = [](const std::string& a, const std::string& b) {
        if (const double value = CaseRatio(a, b); value > 0) std::printf("%-30s / %-30s = %.3f\n", a.c_str(), b.c_str(), value);
    };
    ratio("type at end of 20 MB", "type at end of 80");
    ratio("paint 20 MB at 10000000", "paint 20 MB at 1");
    ratio("paint 20 MB at 1", "paint 80 at 1");
    ratio("paint 200 MB at 1", "paint 80 at 1");
    return 0;
}
