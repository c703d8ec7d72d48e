// The data files looked up relative to the program: the installed layout first, then the build tree's.
#include "ZefDataFiles.h"

#include <QDir>
#include <QFileInfo>

QString ZefDataFilePath(const QString& appDir, const QString& relative)
{
    const QString installed =
        QDir::cleanPath(appDir + QStringLiteral(ZEFRA_DATA_FROM_BIN) + QLatin1Char('/') + relative);
    if (QFileInfo::exists(installed)) return installed;
    return appDir + relative;
}
