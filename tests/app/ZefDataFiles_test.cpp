// The program's data files: the installed layout (<prefix>/share/zefra beside <prefix>/bin) before the build
// tree's (beside the program), and the name beside the program when neither has the file.
#include "ZefDataFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace

TEST(DataFiles, InstalledCopyFirstThenBesideTheProgram)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString appDir = folder.path() + QStringLiteral("/bin/");
    const QString installed = folder.path() + QStringLiteral("/share/zefra/help/txtedhelp.htm");
    const QString beside = appDir + QStringLiteral("help/txtedhelp.htm");
    const QString relative = QStringLiteral("help/txtedhelp.htm");

    QDir().mkpath(appDir);
    EXPECT_EQ(ZefDataFilePath(appDir, relative).toStdString(), beside.toStdString()) << "neither exists";
    Touch(beside);
    EXPECT_EQ(ZefDataFilePath(appDir, relative).toStdString(), beside.toStdString()) << "build tree";
    Touch(installed);
    EXPECT_EQ(ZefDataFilePath(appDir, relative).toStdString(), installed.toStdString()) << "installed wins";
}
