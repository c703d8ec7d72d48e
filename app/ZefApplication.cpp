// The application object with the standard error box.
#include "ZefApplication.h"

#include "ZefAppInfo.h"
#include "ZefDesktop.h"

#include <exception>

bool ZefDeliverReportingErrors(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QString::fromLocal8Bit(error.what()));
        return true;
    }
}

TZefApplication::TZefApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZefApplication::notify(QObject* receiver, QEvent* event)
{
    return ZefDeliverReportingErrors([&] { return QApplication::notify(receiver, event); });
}
