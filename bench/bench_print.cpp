// Print engine speed, each figure beside its baseline in the same run: counting the pages of the 100 MB
// C++ file of the shared open-bench against one pass that counts its line breaks, and printing 10,000
// lines to PDF against QPdfWriter drawing the same lines with one drawText each. Ratios printed at the end.
//
// The 100 MB file comes from ../shared/tools/open-bench/gen-data.sh, written once into
// $ZEFRA_BENCH_DATA (default /tmp/zefra-open-bench-data) and kept there for later runs.
#include "ZefEditPrint.h"
#include "ZefEditTextBuffer.h"
#include "ZefPdfPrintTarget.h"
#include "ZefPrintMeasure.h"

#include "GeneratedOpenBenchData.h"
#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string& BigFile()
{
    static const std::string path = GeneratedOpenBenchFile("b-cpp-100MB.cpp");
    return path;
}

const std::string& BigBytes()
{
    static const std::string bytes = [] {
        std::ifstream stream(BigFile(), std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }();
    return bytes;
}

TZefEditPrint& BigEngine()
{
    static TZefEditPrint* engine = [] {
        auto* result = new TZefEditPrint;
        TZefEditStringList lines;
        lines.LoadFromFile(BigFile());
        result->SetLines(lines);
        return result;
    }();
    return *engine;
}

void PageCount100MB(benchmark::State& state)
{
    TZefEditPrint& engine = BigEngine();
    double elapsed = 0;
    int pages = 0;
    for (auto _ : state) {
        engine.Margins().SetLeft(25); // a margin set again: the cached page list must be rebuilt
        const double start = ThreadSeconds();
        pages = engine.PageCount();
        elapsed += ThreadSeconds() - start;
    }
    state.counters["pages"] = pages;
    state.counters["lines"] = engine.LineCount();
    RecordPerIteration(state, "page count 100 MB", elapsed);
}

void CountLineBreaks100MB(benchmark::State& state)
{
    const std::string& bytes = BigBytes();
    double elapsed = 0;
    size_t breaks = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        breaks = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        benchmark::DoNotOptimize(breaks);
        elapsed += ThreadSeconds() - start;
    }
    state.counters["breaks"] = static_cast<double>(breaks);
    RecordPerIteration(state, "count line breaks 100 MB", elapsed);
}

// Taking the text in as well (what a preview refresh after an edit pays), against the same baseline.
void TakeLinesAndCount100MB(benchmark::State& state)
{
    TZefEditStringList lines;
    lines.LoadFromFile(BigFile());
    double elapsed = 0;
    for (auto _ : state) {
        TZefEditPrint engine;
        const double start = ThreadSeconds();
        engine.SetLines(lines);
        benchmark::DoNotOptimize(engine.PageCount());
        elapsed += ThreadSeconds() - start;
    }
    RecordPerIteration(state, "take lines + count 100 MB", elapsed);
}

std::vector<std::string> TenThousandLines()
{
    std::vector<std::string> lines;
    for (int i = 0; i < 10000; ++i)
        lines.push_back("    result_" + std::to_string(i) + " = compute(buffer, offset + " + std::to_string(i * 7) +
                        ", width);  // line " + std::to_string(i));
    return lines;
}

void PrintTenThousandLinesToPdf(benchmark::State& state)
{
    const std::vector<std::string> lines = TenThousandLines();
    QTemporaryDir folder;
    TZefEditPrint engine;
    engine.Header().Clear();
    engine.Footer().Clear();
    engine.SetLines(lines);
    double elapsed = 0;
    for (auto _ : state) {
        TZefPdfPrintTarget target(folder.filePath(QStringLiteral("engine.pdf")));
        const double start = ThreadSeconds();
        const TZefPrintResult result = engine.Print(target);
        elapsed += ThreadSeconds() - start;
        if (!result.Ok) state.SkipWithError(result.Message.c_str());
    }
    state.counters["pages"] = engine.PageCount();
    RecordPerIteration(state, "engine 10k lines to PDF", elapsed);
}

// The same lines at the same places and in the same font, each with one QPainter::drawText.
void DrawTextTenThousandLinesToPdf(benchmark::State& state)
{
    const std::vector<std::string> lines = TenThousandLines();
    QTemporaryDir folder;
    TZefEditPrint engine;
    engine.SetLines(lines);
    const TZefPrintLayout& layout = engine.Layout();
    const QFont font = engine.Font().ToQFont(layout.PixelsPerInch);
    const TZefPageMargins margins = engine.Margins().LayoutPage(1, layout.Printer, false, false, 0);
    std::vector<QString> texts;
    for (const std::string& line : lines) texts.push_back(QString::fromLatin1(line.c_str()));
    double elapsed = 0;
    for (auto _ : state) {
        QFile file(folder.filePath(QStringLiteral("plain.pdf")));
        file.open(QIODevice::WriteOnly);
        const double start = ThreadSeconds();
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        painter.setFont(font);
        painter.setPen(Qt::black);
        int row = 0;
        for (const QString& text : texts) {
            if (row == static_cast<int>(layout.RowsPerPage)) {
                writer.newPage();
                row = 0;
            }
            painter.drawText(QPoint(margins.PixLeft, margins.PixTop + row * layout.RowHeight + layout.Ascent), text);
            ++row;
        }
        painter.end();
        file.close();
        elapsed += ThreadSeconds() - start;
    }
    RecordPerIteration(state, "drawText 10k lines to PDF", elapsed);
}

} // namespace

BENCHMARK(CountLineBreaks100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(PageCount100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(TakeLinesAndCount100MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DrawTextTenThousandLinesToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintTenThousandLinesToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (const int status = RunWidgetBenchmarks(argc, argv); status != 0) return status;
    auto ratio = [](const std::string& a, const std::string& b) {
        if (const double value = CaseRatio(a, b); value > 0) std::printf("%-26s / %-26s = %.2f\n", a.c_str(), b.c_str(), value);
    };
    ratio("page count 100 MB", "count line breaks 100 MB");
    ratio("take lines + count 100 MB", "count line breaks 100 MB");
    ratio("engine 10k lines to PDF", "drawText 10k lines to PDF");
    return 0;
}
