// Line store speed and memory, each figure beside its baseline in the same run: loading against one read
// split with memchr, saving against one write, resident memory per file byte and per line, longest line.
#include "ZefEditTextBuffer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 3'000'000;
constexpr int kTinyLines = 10'000'000;

std::string g_folder;
std::string g_bigFile;  // ~100 MB, 3 million LF lines of 0..66 letters
std::string g_tinyFile; // 10 million lines "abc"
size_t g_bigSize = 0;
std::map<std::string, double> g_seconds; // mean seconds per iteration, by benchmark

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n <= 0) std::abort();
        data += n;
        size -= static_cast<size_t>(n);
    }
}

void Generate()
{
    char pattern[] = "/tmp/zefra-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    g_folder = pattern;
    g_bigFile = g_folder + "/big.txt";
    g_tinyFile = g_folder + "/tiny.txt";
    std::mt19937 random(1);
    std::string text;
    text.reserve(110'000'000);
    for (int i = 0; i < kLines; ++i) {
        size_t length = random() % 67;
        for (size_t k = 0; k < length; ++k) text += static_cast<char>('a' + random() % 26);
        text += '\n';
    }
    g_bigSize = text.size();
    int fd = ::open(g_bigFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    WriteAll(fd, text.data(), text.size());
    ::close(fd);
    text.clear();
    for (int i = 0; i < kTinyLines; ++i) text += "abc\n";
    fd = ::open(g_tinyFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    WriteAll(fd, text.data(), text.size());
    ::close(fd);
}

// The baseline loader: one read of the whole file, split at LF with memchr into std::string lines.
std::vector<std::string> BaselineLoad(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    struct stat info;
    ::fstat(fd, &info);
    std::string buffer(static_cast<size_t>(info.st_size), '\0');
    size_t got = 0;
    while (got < buffer.size()) got += static_cast<size_t>(::read(fd, buffer.data() + got, buffer.size() - got));
    ::close(fd);
    std::vector<std::string> lines;
    const char* p = buffer.data();
    const char* end = p + buffer.size();
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lf) lf = end;
        lines.emplace_back(p, lf);
        p = lf + 1;
    }
    return lines;
}

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Each body times the part it measures and returns the seconds; setup and teardown stay outside.
template <typename Body>
void Timed(const char* name, benchmark::State& state, Body body)
{
    double total = 0;
    for (auto _ : state) {
        double seconds = body(state);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    g_seconds[name] = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_bigSize));
}

void BM_Load_Store(benchmark::State& state)
{
    Timed("load", state, [](benchmark::State& s) {
        TZefEditStringList list;
        auto start = Clock::now();
        list.LoadFromFile(g_bigFile);
        double seconds = Since(start);
        if (list.Count() != kLines) s.SkipWithError("wrong line count");
        benchmark::DoNotOptimize(list.GetLine(7).data());
        return seconds;
    });
}

void BM_Load_Baseline(benchmark::State& state)
{
    Timed("load baseline", state, [](benchmark::State& s) {
        auto start = Clock::now();
        std::vector<std::string> lines = BaselineLoad(g_bigFile);
        double seconds = Since(start);
        if (lines.size() != kLines) s.SkipWithError("wrong line count");
        benchmark::DoNotOptimize(lines.data());
        return seconds;
    });
}

void BM_Save_Store(benchmark::State& state)
{
    TZefEditStringList list;
    list.LoadFromFile(g_bigFile);
    std::string target = g_folder + "/saved.txt";
    Timed("save", state, [&](benchmark::State&) {
        auto start = Clock::now();
        list.SaveToFile(target);
        return Since(start);
    });
}

// The big file's bytes, as one save's baselines write them.
std::string ReadBigFile()
{
    std::string bytes(g_bigSize, '\0');
    int in = ::open(g_bigFile.c_str(), O_RDONLY);
    if (::read(in, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
    ::close(in);
    return bytes;
}

// The bytes in one write() to `temporary`, synced and renamed over `target`, the folder synced; answers the
// seconds it took.
double SaveOneWriteRenamed(const std::string& bytes, const std::string& temporary, const std::string& target)
{
    const auto start = Clock::now();
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    WriteAll(fd, bytes.data(), bytes.size());
    ::fsync(fd);
    ::close(fd);
    if (::rename(temporary.c_str(), target.c_str()) != 0) std::abort();
    int folder = ::open(g_folder.c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(folder);
    ::close(folder);
    return Since(start);
}

void BM_Save_BaselineOneWrite(benchmark::State& state)
{
    const std::string bytes = ReadBigFile();
    std::string target = g_folder + "/saved-baseline.txt";
    Timed("save baseline", state, [&](benchmark::State&) {
        auto start = Clock::now();
        int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        WriteAll(fd, bytes.data(), bytes.size());
        ::fsync(fd);
        ::close(fd);
        return Since(start);
    });
}

// The same bytes in one write() to a new file beside the target, synced and renamed over it: what any save
// that never leaves a half-written file costs at the least.
void BM_Save_BaselineOneWriteRenamed(benchmark::State& state)
{
    const std::string bytes = ReadBigFile();
    const std::string target = g_folder + "/saved-renamed.txt";
    const std::string temporary = g_folder + "/saved-renamed.tmp";
    Timed("save baseline renamed", state,
          [&](benchmark::State&) { return SaveOneWriteRenamed(bytes, temporary, target); });
}

// The store's save and the renamed one-write baseline in turns, in alternating order, each figure the
// median of its turns: writing back 100 MB with fsync on a shared disk varies by half between runs, so
// figures taken minutes apart, or as means over a slow outlier, say more about the disk than the save.
void BM_Save_InTurnsWithOneWriteRenamed(benchmark::State& state)
{
    TZefEditStringList list;
    list.LoadFromFile(g_bigFile);
    const std::string saved = g_folder + "/saved-in-turns.txt";
    const std::string bytes = ReadBigFile();
    const std::string target = g_folder + "/saved-in-turns-baseline.txt";
    const std::string temporary = g_folder + "/saved-in-turns-baseline.tmp";
    const auto saveStore = [&] {
        const auto start = Clock::now();
        list.SaveToFile(saved);
        return Since(start);
    };
    const auto saveBaseline = [&] { return SaveOneWriteRenamed(bytes, temporary, target); };
    std::vector<double> store;
    std::vector<double> baseline;
    for (auto _ : state) {
        if (store.size() % 2 == 0) {
            store.push_back(saveStore());
            baseline.push_back(saveBaseline());
        } else {
            baseline.push_back(saveBaseline());
            store.push_back(saveStore());
        }
        state.SetIterationTime(store.back());
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    g_seconds["save in turns"] = median(store);
    g_seconds["save baseline renamed in turns"] = median(baseline);
}

long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * ::sysconf(_SC_PAGESIZE);
}

struct MemoryFigures {
    long before;  // resident bytes before loading
    long after;   // resident bytes with the lines loaded, load buffers freed
    long peak;    // peak resident bytes of the process (getrusage)
};

// Runs load in a fresh child so that peak resident memory belongs to this load alone.
template <typename Load>
MemoryFigures MeasureInChild(Load load)
{
    int fds[2];
    if (::pipe(fds) != 0) std::abort();
    pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        MemoryFigures figures{};
        ::malloc_trim(0); // the parent's freed heap would otherwise hide this load's growth
        figures.before = ResidentBytes();
        auto kept = load();
        figures.after = ResidentBytes();
        struct rusage usage;
        ::getrusage(RUSAGE_SELF, &usage);
        figures.peak = usage.ru_maxrss * 1024L;
        benchmark::DoNotOptimize(kept.get());
        WriteAll(fds[1], reinterpret_cast<const char*>(&figures), sizeof figures);
        ::_exit(0);
    }
    ::close(fds[1]);
    MemoryFigures figures{};
    if (::read(fds[0], &figures, sizeof figures) != sizeof figures) std::abort();
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    return figures;
}

std::map<std::string, MemoryFigures> g_memory;

void BM_Memory(benchmark::State& state)
{
    for (auto _ : state) {
        g_memory["store, 100 MB file"] = MeasureInChild([] {
            auto list = std::make_unique<TZefEditStringList>();
            list->LoadFromFile(g_bigFile);
            return list;
        });
        g_memory["baseline, 100 MB file"] =
            MeasureInChild([] { return std::make_unique<std::vector<std::string>>(BaselineLoad(g_bigFile)); });
        g_memory["store, 10M lines of 3 bytes"] = MeasureInChild([] {
            auto list = std::make_unique<TZefEditStringList>();
            list->LoadFromFile(g_tinyFile);
            return list;
        });
        g_memory["baseline, 10M lines of 3 bytes"] =
            MeasureInChild([] { return std::make_unique<std::vector<std::string>>(BaselineLoad(g_tinyFile)); });
    }
    const MemoryFigures& big = g_memory["store, 100 MB file"];
    const MemoryFigures& tiny = g_memory["store, 10M lines of 3 bytes"];
    state.counters["peak_rss_per_file_byte"] = static_cast<double>(big.peak - big.before) / static_cast<double>(g_bigSize);
    state.counters["bytes_per_3byte_line"] = static_cast<double>(tiny.after - tiny.before) / kTinyLines;
}

void BM_LongestLine_Cold(benchmark::State& state)
{
    TZefEditStringList list;
    list.LoadFromFile(g_bigFile);
    Timed("longest cold", state, [&](benchmark::State&) {
        list.SetTabWidth(list.TabWidth() == 8 ? 4 : 8); // forgets every width
        auto start = Clock::now();
        benchmark::DoNotOptimize(list.GetLongestLineWidth());
        return Since(start);
    });
}

// Typing into a line that is not the longest, then asking for the longest width as the painter does.
void BM_LongestLine_AfterEdit(benchmark::State& state)
{
    TZefEditStringList list;
    list.LoadFromFile(g_bigFile);
    (void)list.GetLongestLineWidth();
    Timed("longest after edit", state, [&](benchmark::State&) {
        auto start = Clock::now();
        list.ReplaceLine(1000, "typing into a short line");
        benchmark::DoNotOptimize(list.GetLongestLineWidth());
        return Since(start);
    });
}

// Its baseline: the same edit followed by measuring only the edited line.
void BM_LongestLine_AfterEditBaselineOneLine(benchmark::State& state)
{
    TZefEditStringList list;
    list.LoadFromFile(g_bigFile);
    Timed("one line width", state, [&](benchmark::State&) {
        auto start = Clock::now();
        list.ReplaceLine(1000, "typing into a short line");
        benchmark::DoNotOptimize(list.GetExpandedWidth(1000));
        return Since(start);
    });
}

BENCHMARK(BM_Memory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Load_Store)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Load_Baseline)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_Store)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_BaselineOneWrite)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_BaselineOneWriteRenamed)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_Save_InTurnsWithOneWriteRenamed)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();
BENCHMARK(BM_LongestLine_Cold)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_LongestLine_AfterEdit)->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK(BM_LongestLine_AfterEditBaselineOneLine)->Unit(benchmark::kMicrosecond)->UseManualTime();

double Ratio(const char* a, const char* b)
{
    auto x = g_seconds.find(a);
    auto y = g_seconds.find(b);
    return x == g_seconds.end() || y == g_seconds.end() || y->second == 0 ? 0 : x->second / y->second;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Generate();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nRatios (store / baseline, same run):\n");
    std::printf("  load 100 MB, 3M lines:       %.2fx\n", Ratio("load", "load baseline"));
    std::printf("  save 100 MB (fsync in both): %.2fx\n", Ratio("save", "save baseline"));
    std::printf("  save 100 MB / one write() to a new file renamed over the old (fsync in both): %.2fx\n",
                Ratio("save", "save baseline renamed"));
    std::printf("  the same timed in turns, median of 9 each:                                    %.2fx\n",
                Ratio("save in turns", "save baseline renamed in turns"));
    std::printf("  longest width after an edit / cold scan of 3M lines: %.6fx\n",
                Ratio("longest after edit", "longest cold"));
    std::printf("  longest width after an edit / measuring that one line: %.2fx\n",
                Ratio("longest after edit", "one line width"));
    std::printf("\nMemory (resident, forked child per figure; file %zu bytes):\n", g_bigSize);
    for (const auto& [name, m] : g_memory) {
        bool tiny = name.find("3 bytes") != std::string::npos;
        if (tiny)
            std::printf("  %-32s %.1f bytes per line kept (%.1f beyond its 4 bytes of text and break), peak %.1f "
                        "bytes per line\n",
                        name.c_str(), static_cast<double>(m.after - m.before) / kTinyLines,
                        static_cast<double>(m.after - m.before) / kTinyLines - 4.0,
                        static_cast<double>(m.peak - m.before) / kTinyLines);
        else
            std::printf("  %-32s kept %.2fx file size, peak %.2fx file size\n", name.c_str(),
                        static_cast<double>(m.after - m.before) / static_cast<double>(g_bigSize),
                        static_cast<double>(m.peak - m.before) / static_cast<double>(g_bigSize));
    }
    fs::remove_all(g_folder);
    return 0;
}
