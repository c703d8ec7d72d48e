// One running editor per user and display: a later start hands its files to the running one over a local
// socket and ends, instead of opening a second window.
#pragma once

#include "ZefCommandLine.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QLocalServer;
class QLocalSocket;

// The socket for this user and display ($WAYLAND_DISPLAY, else $DISPLAY): in $XDG_RUNTIME_DIR, a folder only
// the user may enter, or else in the temporary folder with the user id in its name.
QString ZefInstanceSocketName();

// What travels over the socket: the files with their lines. Decoding answers nullopt for anything that is
// not a whole, well-formed request.
QByteArray ZefEncodeOpenRequest(const std::vector<TZefCommandLineFile>& files);
std::optional<std::vector<TZefCommandLineFile>> ZefDecodeOpenRequest(const QByteArray& frame);

// The running editor's end. Requests come only from programs of the same user; each is confirmed at once
// and handed to OnFilesReceived from the event loop afterwards (after any long work that runs), so a message
// box the opening shows never keeps the sender waiting.
class TZefInstanceServer : public QObject {
public:
    explicit TZefInstanceServer(QString socketName, QObject* parent = nullptr);
    ~TZefInstanceServer() override;

    // Starts listening. A socket left behind by an editor that ended without closing it (a crash) is removed
    // and taken over. False while another editor of this user answers on the name, or when the socket
    // cannot be made.
    bool Listen();
    bool IsListening() const;
    const QString& SocketName() const { return socketName_; }

    // Called with the files of each request (possibly none: then the window only comes to the front).
    std::function<void(const std::vector<TZefCommandLineFile>&)> OnFilesReceived;

private:
    void AcceptConnections();
    void ReadRequest(QLocalSocket* socket);
    // Hands the files to OnFilesReceived from the event loop, once no long work runs.
    void Deliver(const std::vector<TZefCommandLineFile>& files);

    QString socketName_;
    QLocalServer* server_ = nullptr;
};

// Hands `files` to the editor listening on `socketName`. True once that editor confirmed the request; false
// when none listens, when the listener belongs to another user, or when no confirmation came within
// `timeoutMs` (then the caller opens a window of its own).
bool ZefHandOverToRunningInstance(const QString& socketName, const std::vector<TZefCommandLineFile>& files,
                                  int timeoutMs = 5000);
