// The start form and the program folder.
#include "startup.h"

#include "ZefAppSettings.h"
#include "ZefFilePath.h"
#include "frmMainMDI.h"

#include <QCoreApplication>
#include <QDir>

QString AppDir;

std::optional<QByteArray> ZefCommandLineFile(int argc, const char* const* argv)
{
    int first = 1;
    if (first < argc && QByteArrayView(argv[first]) == "--")
        ++first;
    if (first >= argc || !argv[first])
        return std::nullopt;
    return QByteArray(argv[first]);
}

QString ZefCommandLinePath(int argc, const char* const* argv)
{
    const std::optional<QByteArray> file = ZefCommandLineFile(argc, argv);
    if (!file || file->isEmpty())
        return QString();
    const QString path = ZefAbsolutePath(ZefPathFromBytes(*file));
    return ZefIsRegularFile(path) ? path : QString();
}

TfrmStart::TfrmStart(const QString& iniPath)
{
    setObjectName(QStringLiteral("frmStart"));
    AppDir = QDir(QCoreApplication::applicationDirPath()).absolutePath();
    if (!AppDir.endsWith(QLatin1Char('/')))
        AppDir += QLatin1Char('/');
    mainForm_ = new TMDIMainForm(iniPath.isEmpty() ? ZefIniFilePath(QCoreApplication::applicationFilePath()) : iniPath);
    mainForm_->show();
}

TfrmStart::~TfrmStart()
{
    delete mainForm_;
}
