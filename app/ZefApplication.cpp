// The application object with the standard error box.
#include "ZefApplication.h"

#include "ZefAppInfo.h"
#include "ZefDesktop.h"

#include <QEvent>
#include <QIcon>
#include <QTimer>

#include <exception>
#include <new>

namespace {

bool paintErrorPending = false;

// A bare "std::bad_alloc" tells the user nothing.
QString MessageOf(const std::exception& error)
{
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return QStringLiteral("Not enough memory.");
    return QString::fromLocal8Bit(error.what());
}

void ReportError(const QString& message)
{
    ZefDesktop().Beep(TZefBeepKind::bkError);
    ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), message);
}

} // namespace

bool ZefDeliverReportingErrors(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        ReportError(MessageOf(error));
        return true;
    }
}


bool ZefDeliverPaintReportingErrors(const std::function<bool()>& deliver)
{
    try {
        const bool handled = deliver();
        paintErrorPending = false;
        return handled;
    } catch (const std::exception& error) {
        if (paintErrorPending) return true;
        paintErrorPending = true;
        const QString message = MessageOf(error);
        QTimer::singleShot(0, [message] { ReportError(message); });
        return true;
    }
}

TZefApplication::TZefApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The desktop entry's name (zefraed.desktop) lets Wayland compositors and task bars match the windows to
    // the installed launcher and its icon; the window icon is the same picture for desktops that ask the window.
    Q_INIT_RESOURCE(zefraed);
    setDesktopFileName(QStringLiteral("zefraed"));
    setWindowIcon(QIcon(QStringLiteral(":/zefraed.png")));
}

bool TZefApplication::notify(QObject* receiver, QEvent* event)
{
    const auto deliver = [&] { return QApplication::notify(receiver, event); };
    if (event->type() == QEvent::Paint) return ZefDeliverPaintReportingErrors(deliver);
    return ZefDeliverReportingErrors(deliver);
}
