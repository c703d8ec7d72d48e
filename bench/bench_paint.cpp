// Painting cost: one full screen at the top and at the bottom of a 3-million-line highlighted document (beside a
// 100-line one), and scrolling by one line against a full repaint; ratios printed at the end of the run.
#include "../tests/highlight/support/TestHighlighter.h"

#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"

#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 100;
constexpr int kRows = 50;

// The controls by line count; freed in main while the application still exists.
std::map<int, std::unique_ptr<TZefEdit>> g_documents;

TZefTestHighlighter& Highlighter()
{
    static TZefTestHighlighter highlighter;
    return highlighter;
}

// A shown control with `lines` lines of C-like code (a block comment every 50 lines), its text area sized to
// kColumns x kRows cells. Made once per size and kept for the whole run.
TZefEdit& Document(int lines)
{
    auto& slot = g_documents[lines];
    if (slot) return *slot;
    static const char* const kCode[] = {
        "    if (count > 10) return value; // clamp the value to the range",
        "    for (i = 0; i < 3.5e2; i = i + 1) begin total = total + i; end",
        "select name, price from items where price > 12.5 and name = \"a name\";",
        "\tresult := \"plain string\" + other_identifier_with_a_long_name;",
        "/* a block comment that runs",
        "   over two lines */ x = 1;",
    };
    std::vector<std::string> text;
    text.reserve(static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i) text.emplace_back(kCode[i % 50 == 48 ? 4 : i % 50 == 49 ? 5 : i % 4]);
    slot = std::make_unique<TZefEdit>();
    slot->Lines()->AppendLines(text);
    slot->SetColor(clWhite);
    slot->Gutter().SetShowLineNumbers(true);
    slot->Gutter().SetAutoSize(true);
    slot->SetHighlighter(&Highlighter());
    slot->show();
    QCoreApplication::processEvents();
    const int extraWidth = slot->width() - slot->viewport()->width();
    const int extraHeight = slot->height() - slot->viewport()->height();
    slot->resize(extraWidth + slot->GutterPixels() + 2 + kColumns * slot->CellWidth(),
                 extraHeight + kRows * slot->RowHeight());
    QCoreApplication::processEvents();
    return *slot;
}

// Renders the whole client area (gutter and text) into an image, as a paint request for the full window does.
void PaintScreen(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const bool bottom = state.range(1) != 0;
    TZefEdit& edit = Document(lines);
    edit.SetTopVisibleLine(bottom ? lines : 1);
    QImage image(edit.viewport()->size(), QImage::Format_RGB32);
    const double start = ThreadSeconds();
    for (auto _ : state) {
        edit.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    RecordPerIteration(state, std::string(lines > 100 ? "3M" : "100") + (bottom ? " bottom" : " top"),
                       ThreadSeconds() - start);
}

// One line down (alternating with one line up) and the resulting repaint, against invalidating everything.
void ScrollOneLine(benchmark::State& state)
{
    TZefEdit& edit = Document(3'000'000);
    edit.SetTopVisibleLine(1'500'000);
    QCoreApplication::processEvents();
    int step = 1;
    const double start = ThreadSeconds();
    for (auto _ : state) {
        edit.SetTopVisibleLine(edit.TopVisibleLine() + step);
        step = -step;
        QCoreApplication::processEvents();
    }
    RecordPerIteration(state, "scroll one line", ThreadSeconds() - start);
}

void FullRepaint(benchmark::State& state)
{
    TZefEdit& edit = Document(3'000'000);
    edit.SetTopVisibleLine(1'500'000);
    QCoreApplication::processEvents();
    const double start = ThreadSeconds();
    for (auto _ : state) {
        edit.viewport()->update();
        QCoreApplication::processEvents();
    }
    RecordPerIteration(state, "full repaint", ThreadSeconds() - start);
}

} // namespace

BENCHMARK(PaintScreen)->Args({100, 0})->Args({3'000'000, 0})->Args({3'000'000, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(ScrollOneLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (const int status = RunWidgetBenchmarks(argc, argv, [] { g_documents.clear(); }); status != 0) return status;
    auto ratio = [](const char* a, const char* b) {
        if (CaseSeconds().count(a) == 0 || CaseSeconds().count(b) == 0) return;
        std::printf("%-16s / %-16s = %.3f\n", a, b, CaseSeconds()[a] / CaseSeconds()[b]);
    };
    ratio("3M bottom", "3M top");
    ratio("3M top", "100 top");
    ratio("scroll one line", "full repaint");
    return 0;
}
