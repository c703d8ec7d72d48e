// Files dropped onto the main window from a file manager open as documents, as the Open command opens them.
//
// Text dragged inside or between documents is the editor controls' own business: they accept drags whose
// source is an editor control and refuse files, so a file drag over a document goes on to this window, which
// accepts it anywhere over its menus, tool bar, tabs, documents and status bar.
#include "frmMain.h"

#include "ZefAppSettings.h"
#include "ZefFilePath.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The file a URL names on this machine, exactly as its bytes are; empty for anything else (another host,
// another scheme).
QString LocalFileOf(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) != 0)
        return {};
    // A file manager percent-encodes every byte of the name that is not plain ASCII: decoding them as bytes
    // keeps names that are not UTF-8.
    return ZefPathFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

// The dropped names of existing regular files on this machine, in the order given.
QStringList DroppedFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        const QString file = LocalFileOf(url);
        if (!file.isEmpty() && ZefIsRegularFile(file))
            files << file;
    }
    return files;
}

// Accepts a drag that carries at least one file to open; anything else is left to others.
void AnswerDrag(QDropEvent* event)
{
    if (DroppedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

void TMainForm::OpenDroppedFiles(const QStringList& files)
{
    for (const QString& file : files)
        OpenDocument(file);
    if (!files.isEmpty())
        StoreLastOpenedDir(ZefAbsolutePath(files.last()));
    IdleUpdate();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) { AnswerDrag(event); }

void TMainForm::dragMoveEvent(QDragMoveEvent* event) { AnswerDrag(event); }

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    OpenDroppedFiles(files);
}
