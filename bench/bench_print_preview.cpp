// Turning a page in the print preview: the 100 MB C++ file of the shared open-bench against a 100-line file,
// in the same run. The engine keeps its page list, so a turn costs one page's drawing however long the job.
// Ratio printed at the end.
//
// The 100 MB file comes from ../shared/tools/open-bench/gen-data.sh, written once into
// $ZEFRA_BENCH_DATA (default /tmp/zefra-open-bench-data) and kept there for later runs.
#include "ZefEditPrint.h"
#include "ZefEditPrintPreview.h"
#include "ZefEditTextBuffer.h"

#include "GeneratedOpenBenchData.h"
#include "ThreadClock.h"
#include "WidgetBenchmarkMain.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string& BigFile()
{
    static const std::string path = GeneratedOpenBenchFile("b-cpp-100MB.cpp");
    return path;
}

// A preview at page width, its job prepared once as the preview window does when it is shown.
struct PreviewJob {
    TZefEditPrint engine;
    std::unique_ptr<TZefEditPrintPreview> preview = std::make_unique<TZefEditPrintPreview>();
    QImage image{800, 1000, QImage::Format_RGB32};

    template <typename Lines>
    explicit PreviewJob(const Lines& lines)
    {
        engine.SetLines(lines);
        preview->resize(800, 1000);
        preview->SetZefEditPrint(&engine);
        preview->SetScaleMode(pscPageWidth);
        preview->UpdatePreview();
    }
};

void TurnPages(benchmark::State& state, PreviewJob& job, const std::string& name)
{
    // Turns run through the middle of the job, where the page list's lookup has the most to skip.
    const int first = std::max(1, job.engine.PageCount() / 2);
    const int last = std::min(job.engine.PageCount(), first + 1);
    double elapsed = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        if (job.preview->PageNumber() >= last) {
            while (job.preview->PageNumber() > first) job.preview->PreviousPage();
        } else {
            job.preview->NextPage();
        }
        job.preview->viewport()->render(&job.image);
        elapsed += ThreadSeconds() - start;
    }
    state.counters["pages"] = job.engine.PageCount();
    RecordPerIteration(state, name, elapsed);
}

PreviewJob* bigJob = nullptr;
PreviewJob* smallJob = nullptr;

void TurnPage100MB(benchmark::State& state)
{
    if (!bigJob) {
        TZefEditStringList lines;
        lines.LoadFromFile(BigFile());
        bigJob = new PreviewJob(lines);
    }
    TurnPages(state, *bigJob, "turn page 100 MB");
}

void TurnPage100Lines(benchmark::State& state)
{
    if (!smallJob) {
        TZefEditStringList lines;
        lines.LoadFromFile(BigFile());
        std::vector<std::string> hundred;
        for (int i = 0; i < 100; ++i) hundred.emplace_back(lines.GetLine(i));
        smallJob = new PreviewJob(hundred);
    }
    TurnPages(state, *smallJob, "turn page 100 lines");
}

} // namespace

BENCHMARK(TurnPage100Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK(TurnPage100MB)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    const int status = RunWidgetBenchmarks(argc, argv, [] {
        delete bigJob;
        delete smallJob;
    });
    if (status != 0) return status;
    if (const double value = CaseRatio("turn page 100 MB", "turn page 100 lines"); value > 0)
        std::printf("turn page 100 MB / turn page 100 lines = %.2f\n", value);
    return 0;
}
