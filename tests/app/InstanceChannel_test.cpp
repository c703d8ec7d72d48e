// One editor per user and display: the request format, the listening editor, a later start handing its
// files over, sockets left behind by a crash, and the main window opening what it was handed.
#include "MainWindowFixture.h"

#include "ZefCommandLine.h"
#include "ZefFilePath.h"
#include "ZefInstanceChannel.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Hands `files` over from another thread (its socket calls block) while this thread's event loop serves.
bool HandOverWhileServing(const QString& socketName, const std::vector<TZefCommandLineFile>& files)
{
    std::atomic<int> result{-1};
    std::thread client([&] { result = ZefHandOverToRunningInstance(socketName, files, 10000) ? 1 : 0; });
    const QDeadlineTimer deadline(20000);
    while (result < 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    client.join();
    return result == 1;
}

// Lets the deferred delivery of a request run.
void ServeUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// What an editor that crashed leaves behind: a socket file nobody listens on.
void LeaveStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = ZefPathToBytes(path);
    ASSERT_LT(static_cast<size_t>(bytes.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));
}

class InstanceChannelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    QString SocketName() const { return folder_.filePath(QStringLiteral("zefraed-test")); }

    QTemporaryDir folder_;
};

} // namespace

TEST(InstanceRequest, FilesRoundTripAndAnythingMalformedIsRefused)
{
    const std::vector<TZefCommandLineFile> files{{QStringLiteral("/tmp/a b.txt"), 0},
                                                  {ZefPathFromBytes("/srv/caf\xE9\n.txt"), 12}};
    const QByteArray frame = ZefEncodeOpenRequest(files);
    EXPECT_EQ(ZefDecodeOpenRequest(frame), files);
    EXPECT_EQ(ZefDecodeOpenRequest(ZefEncodeOpenRequest({})), std::vector<TZefCommandLineFile>{});

    // Byte 4 starts the magic; the count follows it at byte 16, the first line at 20.
    const auto patched = [&](qsizetype at, const QByteArray& bytes) { return QByteArray(frame).replace(at, bytes.size(), bytes); };
    const QByteArray relative = ZefEncodeOpenRequest({{QStringLiteral("notes.txt"), 0}});
    const QByteArray malformed[] = {
        QByteArray(),
        frame.left(3),
        frame.chopped(1),
        frame + "x",
        patched(3, QByteArray(1, '\x01')),
        patched(4, "ZEFRA-OPEN/2"),
        patched(16, QByteArray("\0\0\0\3", 4)),
        patched(20, QByteArray("\xFF\xFF\xFF\xFF", 4)),
        relative,
    };
    for (const QByteArray& bytes : malformed)
        EXPECT_FALSE(ZefDecodeOpenRequest(bytes).has_value()) << bytes.toHex().toStdString();
}

TEST_F(InstanceChannelTest, ALaterStartHandsItsFilesToTheListeningEditor)
{
    TZefInstanceServer server(SocketName());
    std::vector<std::vector<TZefCommandLineFile>> received;
    server.OnFilesReceived = [&](const std::vector<TZefCommandLineFile>& files) { received.push_back(files); };
    ASSERT_TRUE(server.Listen());

    const std::vector<TZefCommandLineFile> files{{QStringLiteral("/tmp/one.txt"), 3}, {QStringLiteral("/tmp/two.txt"), 0}};
    EXPECT_TRUE(HandOverWhileServing(SocketName(), files));
    EXPECT_TRUE(HandOverWhileServing(SocketName(), {}));
    ServeUntil([&] { return received.size() == 2; });
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], files);
    EXPECT_TRUE(received[1].empty());

    // A second editor on the same name stays off it; the first one keeps serving.
    TZefInstanceServer second(SocketName());
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(server.IsListening());
    EXPECT_TRUE(HandOverWhileServing(SocketName(), files));
}

TEST_F(InstanceChannelTest, WithoutAListeningEditorTheHandOverFailsAtOnce)
{
    const std::vector<TZefCommandLineFile> files{{QStringLiteral("/tmp/a.txt"), 0}};
    const QDeadlineTimer deadline(3000);
    EXPECT_FALSE(ZefHandOverToRunningInstance(SocketName(), files));
    LeaveStaleSocket(SocketName());
    EXPECT_FALSE(ZefHandOverToRunningInstance(SocketName(), files));
    EXPECT_FALSE(deadline.hasExpired());
}

TEST_F(InstanceChannelTest, ASocketLeftByACrashedEditorIsTakenOver)
{
    LeaveStaleSocket(SocketName());
    TZefInstanceServer server(SocketName());
    int requests = 0;
    server.OnFilesReceived = [&](const std::vector<TZefCommandLineFile>&) { ++requests; };
    ASSERT_TRUE(server.Listen());
    EXPECT_TRUE(HandOverWhileServing(SocketName(), {}));
    ServeUntil([&] { return requests == 1; });
    EXPECT_EQ(requests, 1);
}

TEST_F(InstanceChannelTest, GarbageOnTheSocketIsDroppedAndTheEditorKeepsServing)
{
    TZefInstanceServer server(SocketName());
    int requests = 0;
    server.OnFilesReceived = [&](const std::vector<TZefCommandLineFile>&) { ++requests; };
    ASSERT_TRUE(server.Listen());
    for (const QByteArray& garbage : {QByteArray("\xFF\xFF\xFF\xFFxxxx"), QByteArray("\0\0\0\4abcd", 8)}) {
        QLocalSocket socket;
        socket.connectToServer(SocketName());
        ASSERT_TRUE(socket.waitForConnected(5000));
        socket.write(garbage);
        socket.flush();
        ServeUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; });
        EXPECT_EQ(socket.state(), QLocalSocket::UnconnectedState) << "the editor hangs up";
        EXPECT_TRUE(socket.readAll().isEmpty()) << "and confirms nothing";
    }
    EXPECT_TRUE(HandOverWhileServing(SocketName(), {}));
    ServeUntil([&] { return requests == 1; });
    EXPECT_EQ(requests, 1);
}

TEST(InstanceSocketName, OnePerUserAndDisplayInTheRuntimeFolder)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QByteArray saved[] = {qgetenv("XDG_RUNTIME_DIR"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
    const bool had[] = {qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"), qEnvironmentVariableIsSet("DISPLAY"),
                        qEnvironmentVariableIsSet("WAYLAND_DISPLAY")};
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    qputenv("DISPLAY", ":1");
    qunsetenv("WAYLAND_DISPLAY");
    const QString x11 = ZefInstanceSocketName();
    qputenv("DISPLAY", ":2");
    const QString otherX11 = ZefInstanceSocketName();
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    const QString wayland = ZefInstanceSocketName();
    qputenv("XDG_RUNTIME_DIR", runtime.filePath(QStringLiteral("missing")).toUtf8());
    const QString withoutRuntime = ZefInstanceSocketName();
    const char* names[] = {"XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY"};
    for (int i = 0; i < 3; ++i)
        had[i] ? qputenv(names[i], saved[i]) : qunsetenv(names[i]);

    EXPECT_EQ(x11, runtime.path() + QStringLiteral("/zefraed-_1"));
    EXPECT_NE(otherX11, x11);
    EXPECT_EQ(wayland, runtime.path() + QStringLiteral("/zefraed-wayland-0"));
    EXPECT_EQ(withoutRuntime, QDir::tempPath() + QStringLiteral("/zefraed-%1-wayland-0").arg(::getuid()));
}

TEST_F(TMainWindowFixture, FilesHandedOverOpenInTheRunningWindowWhichComesToTheFront)
{
    const QString first = WriteFile("first.txt", "1\n2\n3\n");
    const QString second = WriteFile("second.txt", "x\n");
    Start();
    window->OpenDocument(first);
    window->showMinimized();
    const QString socketName = Path(QStringLiteral("instance"));
    TZefInstanceServer server(socketName);
    ZefServeLaterStarts(server, *window);
    ASSERT_TRUE(server.Listen());

    const std::vector<TZefCommandLineFile> files{{second, 0}, {first, 3}};
    ASSERT_TRUE(HandOverWhileServing(socketName, files));
    ServeUntil([&] { return EditorFactory->GetEditorCount() == 2 && ActiveEditor->GetFileName() == first; });
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(EditorFactory->GetEditor(1)->GetFileName(), second);
    EXPECT_EQ(ActiveEditor->GetFileName(), first);
    EXPECT_EQ(ActiveEditor->GetCaretPos().Line, 3);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}
