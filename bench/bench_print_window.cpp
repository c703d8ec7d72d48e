// Handing a big document to the "Print" window and the first layout of its preview: the 100 MB text file of
// the shared open-bench, each against one pass that counts its line breaks, in the same run, timed by the wall
// clock (taking the text in splits it on two threads). Ratios printed at the end.
//
// The 100 MB file comes from ../shared/tools/open-bench/gen-data.sh, written once into
// $ZEFRA_BENCH_DATA (default /tmp/zefra-open-bench-data) and kept there for later runs.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefPrintPreviewWindow.h"
#include "ZefPrintWindow.h"

#include "GeneratedOpenBenchData.h"
#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

const std::string& BigFile()
{
    static const std::string path = GeneratedOpenBenchFile("b-cpp-100MB.txt");
    return path;
}

// The document as the main window holds it, and the print window it goes to.
struct TPrintJob {
    TZefEdit source;
    std::unique_ptr<TForm1> window = std::make_unique<TForm1>();
    TPrintJob() { source.Lines()->LoadFromFile(BigFile()); }
};

TPrintJob* job = nullptr;

TPrintJob& Job()
{
    if (!job) job = new TPrintJob;
    return *job;
}

void CountLineBreaks100MB(benchmark::State& state)
{
    std::ifstream stream(BigFile(), std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    const std::string bytes = text.str();
    TimeEachIteration(state, "count line breaks 100 MB", [&] {
        benchmark::DoNotOptimize(std::count(bytes.begin(), bytes.end(), '\n'));
    });
}

// What File > Print does: the whole text copied out of the document and into the print window's editor, and
// the window shown and painted.
void HandOver100MB(benchmark::State& state)
{
    TPrintJob& print = Job();
    TimeEachIteration(state, "hand over 100 MB", [&] {
        TZefPrintDocument document;
        document.Text = print.source.Text();
        document.Font = print.source.font();
        print.window->ShowDocument(document);
        QApplication::processEvents();
    });
    state.counters["lines"] = print.window->ZefEdit()->Lines()->Count();
}

// The preview opened on a document just handed over: the engine takes the lines, counts the pages and the
// preview paints its first page.
void FirstPreview100MB(benchmark::State& state)
{
    TPrintJob& print = Job();
    if (print.window->ZefEdit()->Lines()->Count() < 2) {
        TZefPrintDocument document;
        document.Text = print.source.Text();
        print.window->ShowDocument(document);
    }
    TimeEachIteration(state, "first preview 100 MB", [&] {
        print.window->FilePrintPreviewCmd();
        QApplication::processEvents();
        print.window->PreviewWindow()->close();
    });
    state.counters["pages"] = print.window->ZefEditPrint().PageCount();
}

} // namespace

BENCHMARK(CountLineBreaks100MB)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(HandOver100MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(FirstPreview100MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

int main(int argc, char** argv)
{
    const int status = RunWidgetBenchmarks(argc, argv, [] { delete job; });
    if (status != 0) return status;
    for (const char* name : {"hand over 100 MB", "first preview 100 MB"})
        if (const double value = CaseRatio(name, "count line breaks 100 MB"); value > 0)
            std::printf("%-22s / count line breaks 100 MB = %.2f\n", name, value);
    return 0;
}
