// What remembering a file costs when it is opened: the snapshot (stat and a content digest of the whole file)
// beside the line store's load of the same file, and the check made before a save beside the save itself.
#include "ZefEditTextBuffer.h"
#include "ZefFilePath.h"

#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string g_folder;
std::string g_file; // ~100 MB of LF lines

void Generate()
{
    char pattern[] = "/tmp/zefra-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    g_folder = pattern;
    g_file = g_folder + "/big.txt";
    std::mt19937 random(7);
    std::string text;
    text.reserve(110'000'000);
    while (text.size() < 100'000'000) {
        const size_t length = random() % 67;
        for (size_t k = 0; k < length; ++k) text += static_cast<char>('a' + random() % 26);
        text += '\n';
    }
    const int fd = ::open(g_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
    ::close(fd);
}

void BM_Open_Load(benchmark::State& state)
{
    TimeEachIteration(state, "load", [] {
        TZefEditStringList lines;
        lines.LoadFromFile(g_file);
        benchmark::DoNotOptimize(lines.Count());
    });
}

void BM_Open_Snapshot(benchmark::State& state)
{
    const QString path = QString::fromStdString(g_file);
    TimeEachIteration(state, "snapshot", [&] {
        TZefDiskSnapshot snapshot;
        snapshot.Take(path);
        benchmark::DoNotOptimize(snapshot);
    });
}

// Before a save the file is checked: stat, and the digest again only when size and time are unchanged.
void BM_Save_Check(benchmark::State& state)
{
    const QString path = QString::fromStdString(g_file);
    TZefDiskSnapshot snapshot;
    snapshot.Take(path);
    TimeEachIteration(state, "check", [&] { benchmark::DoNotOptimize(snapshot.ChangedOnDisk(path)); });
}

void BM_Save_Store(benchmark::State& state)
{
    TZefEditStringList lines;
    lines.LoadFromFile(g_file);
    const std::string target = g_folder + "/saved.txt";
    TimeEachIteration(state, "save", [&] { lines.SaveToFile(target); });
}

BENCHMARK(BM_Open_Load)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Open_Snapshot)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_Check)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_Store)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Generate();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\nRatios (same run, 100 MB file, warm):\n");
    std::printf("  snapshot at open / line store load:  %.2fx\n", CaseRatio("snapshot", "load"));
    std::printf("  check before save / line store save: %.2fx\n", CaseRatio("check", "save"));
    fs::remove_all(g_folder);
    return 0;
}
