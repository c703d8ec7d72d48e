// Start-up benchmark: a fresh zefraed process until its main window shows the first screen of a large file.
//
// Each measured start is a separate process (this program re-executed with a child mode), so dynamic
// loading, Qt's start-up and the file load all count, as they do for a user. The child builds the start form
// exactly as zefraed's main() does, opens the file as its first command-line argument and leaves at the
// first paint of an editor viewport once it has reached the screen. The baseline is reading the same file
// into memory in this process. Both reads are warm (the file was just written; a cold read needs root to
// drop the page cache), so the ratio is start-up cost over the cost of merely getting the bytes.
//
// Usage: bench_startup [--runs N] [--sizes MB,MB,...]      (defaults: 5 runs, 10 and 100 MB)
#include "TEditorFactory.h"
#include "ZefAppInfo.h"
#include "ZefApplication.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

// CLOCK_MONOTONIC is one clock for the whole machine, so a stamp taken in the child is comparable with
// the one the parent took just before starting it.
int64_t MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double Milliseconds(int64_t ns) { return static_cast<double>(ns) / 1e6; }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---- child: the real start-up ----------------------------------------------------------------------------

// Watches every paint event of the application; the first one that reaches an editor's viewport, once the
// editor holds the file, is the first screen of it. The stamp is taken on the next turn of the event loop,
// after the paint has been flushed to the window's backing store.
class TFirstScreenWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (seen_ || event->type() != QEvent::Paint)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* editor = widget ? dynamic_cast<TCustomZefEdit*>(widget->parentWidget()) : nullptr;
        if (editor == nullptr || editor->viewport() != widget || editor->Lines()->Count() == 0)
            return false;
        seen_ = true;
        const int lines = editor->Lines()->Count();
        const QSize size = widget->size();
        QTimer::singleShot(0, [lines, size] { Report(lines, size); });
        return false;
    }

private:
    // One line for the parent: the stamp, the lines loaded and the size of the painted viewport. The
    // process ends at once, as if the user had the screen in front of them; shutdown is not part of start-up.
    static void Report(int lines, QSize size)
    {
        std::printf("%lld %d %dx%d\n", static_cast<long long>(MonotonicNs()), lines, size.width(), size.height());
        std::fflush(stdout);
        std::_Exit(0);
    }

    bool seen_ = false;
};

// Mirrors zefraed's main(); the watch is the only addition. The settings live wherever the parent pointed
// XDG_CONFIG_HOME, and the INI file is given explicitly so that nothing beside this program is written.
int RunChild(const char* file, const char* iniPath)
{
    EditorFactory = std::make_shared<TEditorFactory>();
    int argc = 2;
    char program[] = "zefraed";
    std::string argument = file;
    char* argv[] = {program, argument.data(), nullptr};
    TZefApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ZefAppTitle));
    TFirstScreenWatch watch;
    application.installEventFilter(&watch);

    TfrmStart frmStart(QString::fromLocal8Bit(iniPath));
    frmStart.MainForm()->CmdLineOpen(QFileInfo(QString::fromLocal8Bit(file)).absoluteFilePath());
    // A start that never shows the file must not hang the benchmark.
    QTimer::singleShot(300'000, [] {
        std::fprintf(stderr, "no first screen within 300 s\n");
        std::_Exit(2);
    });
    QApplication::exec();
    std::fprintf(stderr, "event loop ended before the first screen\n");
    return 3;
}

// ---- parent: files, baseline, runs ------------------------------------------------------------------------

struct TSourceFile {
    std::string path;
    int64_t bytes = 0;
    int lines = 0;
};

// Source-like text: nested blocks of declarations, calls, comments and blank lines with varying indent and
// length (average about 40 bytes a line), so that line splitting and the highlighter see ordinary code.
TSourceFile WriteSourceFile(const std::string& path, int64_t targetBytes)
{
    static const char* const kLines[] = {
        "// Computes the running total of the entries below the cursor.",
        "int Accumulate(const std::vector<int>& values, int limit)",
        "{",
        "    int total = 0;",
        "    for (size_t i = 0; i < values.size() && total < limit; ++i)",
        "        total += values[i] * 3 + 7; /* weighted */",
        "    if (total > limit) {",
        "        std::printf(\"limit %d reached at %zu\\n\", limit, values.size());",
        "        return limit;",
        "    }",
        "",
        "    const char* name = \"accumulate\"; // label for the log",
        "    return total;",
        "}",
        "",
    };
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    TSourceFile file{path, 0, 0};
    std::string line;
    uint32_t state = 12345;
    while (file.bytes < targetBytes) {
        for (const char* text : kLines) {
            line = text;
            state = state * 1103515245u + 12345u;
            if (!line.empty() && (state >> 16) % 4 == 0)
                line += " // id " + std::to_string(state % 100000);
            line += '\n';
            std::fwrite(line.data(), 1, line.size(), out);
            file.bytes += static_cast<int64_t>(line.size());
            ++file.lines;
        }
    }
    if (std::fclose(out) != 0)
        throw std::runtime_error("cannot finish " + path);
    return file;
}

// The baseline: the whole file into one buffer, and its lines counted, which is the least any editor does.
// The buffer is fresh memory from the system every time, as it is for a program that has just started;
// a buffer the allocator recycles would spare the small file its page faults and flatter the baseline.
double ReadFileMs(const TSourceFile& file)
{
    const int64_t start = MonotonicNs();
    const size_t size = static_cast<size_t>(file.bytes);
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::runtime_error("out of memory for " + file.path);
    char* bytes = static_cast<char*>(memory);
    std::FILE* in = std::fopen(file.path.c_str(), "rb");
    const size_t got = in != nullptr ? std::fread(bytes, 1, size, in) : 0;
    if (in != nullptr)
        std::fclose(in);
    int lines = 0;
    for (const char *p = bytes, *end = bytes + got;
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr; ++p)
        ++lines;
    const int64_t elapsed = MonotonicNs() - start;
    munmap(memory, size);
    if (got != size || lines != file.lines)
        throw std::runtime_error("short read of " + file.path);
    return Milliseconds(elapsed);
}

std::string ReadText(const std::string& path)
{
    std::string text;
    if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            text.append(buffer, n);
        std::fclose(in);
    }
    return text;
}

struct TStartRun {
    double ms = 0;
    double peakRssMb = 0;
    int lines = 0;
    std::string viewport;
};

TStartRun StartOnce(const std::string& self, const TSourceFile& file, const std::string& folder)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    // Qt's start-up chatter would bury the table; it is kept for the error message instead.
    const std::string errors = folder + "/child-stderr.txt";
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string ini = folder + "/zefraed.ini";
    std::vector<std::string> arguments = {self, "--child-start", file.path, ini};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int64_t start = MonotonicNs();
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        throw std::runtime_error(std::string("cannot start the child: ") + std::strerror(spawned));
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    long long stamp = 0;
    int lines = 0;
    char viewport[32] = {};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "%lld %d %31s", &stamp, &lines, viewport) != 3)
        throw std::runtime_error("the child failed (status " + std::to_string(status) + "): " + output +
                                 ReadText(errors));
    // The editor may or may not count an empty line after the final line break.
    if (lines != file.lines && lines != file.lines + 1)
        throw std::runtime_error("the first screen showed " + std::to_string(lines) + " lines, expected " +
                                 std::to_string(file.lines));
    return TStartRun{Milliseconds(stamp - start), static_cast<double>(usage.ru_maxrss) / 1024.0, lines, viewport};
}

std::vector<int> ParseSizes(std::string_view text)
{
    std::vector<int> sizes;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string part(text.substr(0, comma));
        char* end = nullptr;
        const long value = std::strtol(part.c_str(), &end, 10);
        if (part.empty() || *end != '\0' || value <= 0 || value > 4096)
            throw std::runtime_error("bad size list");
        sizes.push_back(static_cast<int>(value));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return sizes;
}

int RunParent(int argc, char** argv)
{
    int runs = 5;
    std::vector<int> sizes = {10, 100};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--sizes")
            sizes = ParseSizes(argv[i + 1]);
        else
            throw std::runtime_error("usage: bench_startup [--runs N] [--sizes MB,MB,...]");
    }
    // Headless unless the caller chose a platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();

    std::string folderTemplate = (std::filesystem::temp_directory_path() / "bench_startup.XXXXXX").string();
    if (mkdtemp(folderTemplate.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    const std::string folder = folderTemplate;
    // The children's per-user settings go to the temporary folder, never to the user's own.
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (folder + "/cache").c_str(), 1);

    std::printf("platform %s, %d runs per size, warm reads, medians\n", std::getenv("QT_QPA_PLATFORM"), runs);
    std::printf("%8s %10s %12s %10s %8s %12s %10s  %s\n", "size", "lines", "start ms", "read ms", "ratio",
                "peak RSS MB", "RSS/file", "viewport");
    int status = 0;
    try {
        for (const int megabytes : sizes) {
            const TSourceFile file =
                WriteSourceFile(folder + "/source" + std::to_string(megabytes) + ".cpp", int64_t{megabytes} << 20);
            ReadFileMs(file); // warms the page cache for both measures
            std::vector<double> startMs, readMs, rssMb;
            std::string viewport;
            for (int run = 0; run < runs; ++run) {
                readMs.push_back(ReadFileMs(file));
                const TStartRun started = StartOnce(self, file, folder);
                startMs.push_back(started.ms);
                rssMb.push_back(started.peakRssMb);
                viewport = started.viewport;
            }
            const double start = Median(startMs), read = Median(readMs), rss = Median(rssMb);
            std::printf("%6d MB %10d %12.1f %10.2f %8.0f %12.0f %10.2f  %s\n", megabytes, file.lines, start, read,
                        start / read, rss, rss / (static_cast<double>(file.bytes) / (1 << 20)), viewport.c_str());
            std::fflush(stdout);
            std::filesystem::remove(file.path);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_startup: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::string_view(argv[1]) == "--child-start")
            return RunChild(argv[2], argv[3]);
        return RunParent(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_startup: %s\n", error.what());
        return 1;
    }
}
