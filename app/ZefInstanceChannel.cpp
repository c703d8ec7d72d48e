// The single-instance socket: its name, the request format, the listening end and the handing-over end.
#include "ZefInstanceChannel.h"

#include "ZefFilePath.h"
#include "ZefLongWork.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <utility>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// A request: "ZEFRA-OPEN/1", the number of files, then each file's line and the bytes of its path, after a
// 32-bit length of all that. Numbers are big-endian.
constexpr char RequestMagic[] = "ZEFRA-OPEN/1";
constexpr quint32 MaxRequestBytes = 4 * 1024 * 1024;
// How often files that wait for long work to end look again.
constexpr int DeliveryRetryMs = 100;
constexpr char Confirmation[] = "OK";

// Only the user's own programs may hand files over, and files go only to the user's own editor: a socket
// in the shared temporary folder could have been made by anyone.
bool PeerIsSameUser(const QLocalSocket& socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    const int fd = static_cast<int>(socket.socketDescriptor());
    if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::getuid();
}

// The display's name made safe for a file name; a long one (a Wayland socket path) becomes a digest.
QString DisplayKey()
{
    QByteArray display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("nodisplay");
    if (display.size() > 40)
        return QString::fromLatin1(QCryptographicHash::hash(display, QCryptographicHash::Sha1).toHex().left(16));
    QString key;
    for (const char c : display) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        key += safe ? QLatin1Char(c) : QLatin1Char('_');
    }
    return key;
}

} // namespace

QString ZefInstanceSocketName()
{
    const QString runtimeFolder = ZefPathFromBytes(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtimeFolder.isEmpty() && ZefIsDirectory(runtimeFolder) && ZefPathIsUnicode(runtimeFolder))
        return runtimeFolder + QStringLiteral("/zefraed-") + DisplayKey();
    return QDir::tempPath() + QStringLiteral("/zefraed-%1-").arg(::getuid()) + DisplayKey();
}

QByteArray ZefEncodeOpenRequest(const std::vector<TZefCommandLineFile>& files)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.writeRawData(RequestMagic, sizeof RequestMagic - 1);
    out << static_cast<quint32>(files.size());
    for (const TZefCommandLineFile& file : files) {
        const QByteArray path = ZefPathToBytes(file.path);
        out << static_cast<qint32>(file.line) << static_cast<quint32>(path.size());
        out.writeRawData(path.constData(), static_cast<int>(path.size()));
    }
    QByteArray frame(4, '\0');
    qToBigEndian(static_cast<quint32>(body.size()), frame.data());
    return frame + body;
}

std::optional<std::vector<TZefCommandLineFile>> ZefDecodeOpenRequest(const QByteArray& frame)
{
    if (frame.size() < 4 || qFromBigEndian<quint32>(frame.constData()) != static_cast<quint32>(frame.size() - 4))
        return std::nullopt;
    QDataStream in(frame.mid(4));
    QByteArray magic(sizeof RequestMagic - 1, '\0');
    if (in.readRawData(magic.data(), static_cast<int>(magic.size())) != magic.size() || magic != RequestMagic)
        return std::nullopt;
    quint32 count = 0;
    in >> count;
    std::vector<TZefCommandLineFile> files;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 line = 0;
        quint32 length = 0;
        in >> line >> length;
        if (in.status() != QDataStream::Ok || line < 0 || length == 0 || length > static_cast<quint32>(frame.size()))
            return std::nullopt;
        QByteArray path(static_cast<qsizetype>(length), '\0');
        if (in.readRawData(path.data(), static_cast<int>(length)) != static_cast<int>(length) || path.contains('\0') ||
            !path.startsWith('/'))
            return std::nullopt;
        files.push_back({ZefPathFromBytes(path), line});
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return files;
}

TZefInstanceServer::TZefInstanceServer(QString socketName, QObject* parent)
    : QObject(parent), socketName_(std::move(socketName)), server_(new QLocalServer(this))
{
    // Matters only in the shared temporary folder; the runtime folder is the user's alone anyway.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] { AcceptConnections(); });
}

TZefInstanceServer::~TZefInstanceServer() = default;

bool TZefInstanceServer::Listen()
{
    if (server_->isListening())
        return true;
    // Listening replaces a socket file of that name, so first ask whether an editor answers on it; if none
    // does, the file is what an editor that ended without closing it (a crash) left behind.
    QLocalSocket probe;
    probe.connectToServer(socketName_);
    if (probe.waitForConnected(1000)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(socketName_);
    return server_->listen(socketName_);
}

bool TZefInstanceServer::IsListening() const { return server_->isListening(); }

void TZefInstanceServer::AcceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsSameUser(*socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        ReadRequest(socket);
    }
}

void TZefInstanceServer::ReadRequest(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < 4)
        return;
    const QByteArray head = socket->peek(4);
    const quint32 size = qFromBigEndian<quint32>(head.constData());
    if (size > MaxRequestBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < static_cast<qint64>(size) + 4)
        return;
    const std::optional<std::vector<TZefCommandLineFile>> files = ZefDecodeOpenRequest(socket->read(size + 4));
    if (!files) {
        socket->abort();
        return;
    }
    socket->write(Confirmation, sizeof Confirmation - 1);
    socket->flush();
    socket->disconnectFromServer();
    Deliver(*files);
}

void TZefInstanceServer::Deliver(const std::vector<TZefCommandLineFile>& files)
{
    // Files that arrive while long work runs (a load, a replace all) wait until it is done: opening them in
    // the middle of it would change the windows under it.
    QTimer::singleShot(TZefLongWork::Running() ? DeliveryRetryMs : 0, this, [this, files] {
        if (TZefLongWork::Running()) {
            Deliver(files);
            return;
        }
        if (OnFilesReceived)
            OnFilesReceived(files);
    });
}

bool ZefHandOverToRunningInstance(const QString& socketName, const std::vector<TZefCommandLineFile>& files,
                                  int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())) || !PeerIsSameUser(socket))
        return false;
    socket.write(ZefEncodeOpenRequest(files));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return false;
    QByteArray answer;
    while (answer.size() < qsizetype(sizeof Confirmation - 1) && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    // The reply may have come with the server closing its end.
    answer += socket.readAll();
    return answer.startsWith(Confirmation);
}
