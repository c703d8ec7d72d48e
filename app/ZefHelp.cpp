// Opening the help page.
#include "ZefHelp.h"

#include "ZefAppInfo.h"
#include "ZefDataFiles.h"
#include "ZefDesktop.h"

#include <QFileInfo>

QString ZefHelpFilePath(const QString& appDir)
{
    return ZefDataFilePath(appDir, QStringLiteral("help/txtedhelp.htm"));
}

void ZefOpenHelp(const QString& appDir)
{
    const QString path = ZefHelpFilePath(appDir);
    const QString caption = QString::fromLatin1(ZefAppTitle);
    if (!QFileInfo(path).isFile()) {
        ZefDesktop().Beep(TZefBeepKind::bkInformation);
        ZefDesktop().InformationBox(caption, QStringLiteral("Help file not found. Visit Zefra's Homepage to download one."));
        return;
    }
    if (!ZefDesktop().ShellOpen(path)) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        ZefDesktop().ErrorBox(caption, QStringLiteral("This file extension(.htm or .html) is not associated with any "
                                                      "application! Fail to open file."));
    }
}
