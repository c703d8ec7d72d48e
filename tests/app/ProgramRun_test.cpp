// The zefraed program itself, run as a user would: --help and --version answer without a window, and a
// second start hands its files to the editor already running and ends.
#include "ZefFilePath.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct TRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

TRun RunEditor(const QStringList& arguments, const QProcessEnvironment& environment, const QString& folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(ZEFRAED_PATH), arguments);
    TRun run;
    run.finished = process.waitForStarted(30000) && process.waitForFinished(60000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A home, configuration and runtime folder of the test's own, so the real user's settings and a real
// running editor are never reached; no display (the program draws offscreen).
class ProgramRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("run")));
        ASSERT_TRUE(QFile::setPermissions(RuntimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("HOME"), home_.path());
        environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral(".config")));
        environment_.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral(".local/share")));
        environment_.insert(QStringLiteral("XDG_CACHE_HOME"), home_.filePath(QStringLiteral(".cache")));
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), RuntimeFolder());
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment_.remove(QStringLiteral("DISPLAY"));
        environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    QString RuntimeFolder() const { return home_.filePath(QStringLiteral("run")); }
    QString SocketName() const { return RuntimeFolder() + QStringLiteral("/zefraed-nodisplay"); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(home_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return QDir(home_.path()).canonicalPath() + QLatin1Char('/') + name;
    }

    QTemporaryDir home_;
    QProcessEnvironment environment_;
};

// Reports when any process opens a file.
class TOpenWatch {
public:
    explicit TOpenWatch(const QString& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        EXPECT_GE(fd_, 0);
        EXPECT_GE(::inotify_add_watch(fd_, ZefPathToBytes(path).constData(), IN_OPEN), 0);
    }
    ~TOpenWatch() { ::close(fd_); }

    bool WaitForOpen(int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            pollfd watch{fd_, POLLIN, 0};
            if (::poll(&watch, 1, static_cast<int>(deadline.remainingTime())) > 0) {
                alignas(inotify_event) char events[4096];
                if (::read(fd_, events, sizeof events) > 0)
                    return true;
            }
        }
        return false;
    }

private:
    int fd_;
};

bool WaitUntilListening(const QString& socketName, QProcess& editor)
{
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && editor.state() != QProcess::NotRunning) {
        QLocalSocket probe;
        probe.connectToServer(socketName);
        if (probe.waitForConnected(200))
            return true;
        editor.waitForFinished(200);
    }
    return false;
}

} // namespace

TEST_F(ProgramRunTest, HelpAndVersionAnswerOnStandardOutputAndEndWithoutADisplay)
{
    // A display platform without a display: any window, even the application object, would end the program
    // with an error.
    QProcessEnvironment noDisplay = environment_;
    noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    const TRun help = RunEditor({QStringLiteral("--help")}, noDisplay);
    ASSERT_TRUE(help.finished);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith("Usage: zefraed [options]")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--new-window"));
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const TRun version = RunEditor({QStringLiteral("missing.txt"), QStringLiteral("-v")}, noDisplay, home_.path());
    ASSERT_TRUE(version.finished);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, "Zefra Text Editor 1.22\n");
    EXPECT_EQ(version.err, "zefraed: \"missing.txt\": no such file, ignored\n");
}

TEST_F(ProgramRunTest, ASecondStartHandsItsFilesToTheRunningEditorAndEnds)
{
    const QString first = WriteFile(QStringLiteral("first.txt"), "one\n");
    const QString second = WriteFile(QStringLiteral("second.txt"), "one\ntwo\n");
    // An editor that crashed earlier left its socket behind: it must not keep the next one from serving.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = ZefPathToBytes(SocketName());
        ASSERT_LT(static_cast<size_t>(bytes.size()), sizeof address.sun_path);
        std::memcpy(address.sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }

    QProcess editor;
    editor.setProcessEnvironment(environment_);
    editor.setWorkingDirectory(home_.path());
    editor.start(QStringLiteral(ZEFRAED_PATH), {first});
    ASSERT_TRUE(WaitUntilListening(SocketName(), editor)) << editor.readAllStandardError().toStdString();

    // Only the running editor reads the files: the second start only looks them up.
    TOpenWatch watch(second);
    const TRun later = RunEditor({QStringLiteral("+2"), QStringLiteral("second.txt"), QStringLiteral("missing.txt")}, environment_,
                           home_.path());
    EXPECT_TRUE(later.finished) << "the second start ends instead of opening a window";
    EXPECT_EQ(later.exitCode, 0) << later.err.toStdString();
    EXPECT_EQ(later.err, "zefraed: \"missing.txt\": no such file, ignored\n");
    EXPECT_TRUE(watch.WaitForOpen(30000)) << "the running editor opens " << second.toStdString();
    EXPECT_EQ(editor.state(), QProcess::Running);

    editor.kill();
    editor.waitForFinished();
}
