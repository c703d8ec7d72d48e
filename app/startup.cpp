// The start form and the program folder.
#include "startup.h"

#include "ZefAppSettings.h"
#include "ZefApplication.h"
#include "ZefInstanceChannel.h"
#include "frmMainMDI.h"

#include <QCoreApplication>
#include <QDir>

QString AppDir;

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

void ZefServeLaterStarts(TZefInstanceServer& server, TMainForm& mainForm)
{
    server.OnFilesReceived = [&mainForm](const std::vector<TZefCommandLineFile>& files) {
        mainForm.BringToFront();
        ZefDeliverReportingErrors([&] {
            mainForm.OpenCommandLineFiles(files);
            return true;
        });
    };
}
