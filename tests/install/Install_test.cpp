// `cmake --install` of this build tree into a temporary prefix: the programs in bin, their data where the
// editor finds it from there, a desktop entry that desktop-file-validate accepts, and the icons.
#include "ZefDataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int exitCode = -1;
    QString output;
};

TRun RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    TRun run;
    if (!process.waitForFinished(120000)) {
        run.output = QStringLiteral("did not finish: ") + process.errorString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The "key=value" lines of the entry's one group, values as written.
QMap<QString, QString> DesktopEntry(const QString& path)
{
    QMap<QString, QString> keys;
    for (const QByteArray& line : FileBytes(path).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) keys.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
    }
    return keys;
}

// One install for the whole suite, into a prefix with a space in it (the launcher's Exec must quote it).
class Install : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/zefra install XXXXXX"));
        prefix_ = folder_->path() + QStringLiteral("/usr");
        result_ = new TRun(RunProgram(QStringLiteral(ZEFRA_CMAKE_COMMAND),
                               {QStringLiteral("--install"), QStringLiteral(ZEFRA_BUILD_DIR), QStringLiteral("--prefix"),
                                prefix_}));
    }
    static void TearDownTestSuite()
    {
        delete result_;
        delete folder_;
    }
    void SetUp() override { ASSERT_EQ(result_->exitCode, 0) << result_->output.toStdString(); }

    static QString Installed(const QString& relative) { return prefix_ + QLatin1Char('/') + relative; }
    static QString Source(const QString& relative)
    {
        return QStringLiteral(ZEFRA_SOURCE_DIR) + QLatin1Char('/') + relative;
    }

    static inline QTemporaryDir* folder_ = nullptr;
    static inline QString prefix_;
    static inline TRun* result_ = nullptr;
};

} // namespace

TEST_F(Install, ProgramsGoToBinAndTheEditorFindsItsDataFromThere)
{
    for (const char* program : {"zefraed", "zefraprint"}) {
        const QFileInfo file(Installed(QStringLiteral("bin/") + QLatin1String(program)));
        EXPECT_TRUE(file.isFile() && file.isExecutable()) << program;
    }
    // The editor's folder is bin/; what it looks up there must be the installed copies of the data.
    const QString appDir = Installed(QStringLiteral("bin/"));
    const struct {
        const char* lookedUp;
        const char* source;
    } files[] = {{"help/txtedhelp.htm", "resources/help/txtedhelp.htm"}, {"saved.wav", "resources/saved.wav"}};
    for (const auto& file : files) {
        const QString found = ZefDataFilePath(appDir, QLatin1String(file.lookedUp));
        EXPECT_EQ(found.toStdString(), Installed(QStringLiteral("share/zefra/") + QLatin1String(file.lookedUp)).toStdString());
        const QByteArray installed = FileBytes(found);
        EXPECT_FALSE(installed.isEmpty()) << file.lookedUp;
        EXPECT_EQ(installed, FileBytes(Source(QLatin1String(file.source)))) << file.lookedUp;
    }
    EXPECT_FALSE(QFileInfo::exists(Installed(QStringLiteral("bin/saved.wav")))) << "no data in bin";
}

TEST_F(Install, DesktopEntryStartsTheInstalledEditorWithTheFilesAndNamesItsTypes)
{
    const QString path = Installed(QStringLiteral("share/applications/zefraed.desktop"));
    ASSERT_TRUE(QFileInfo::exists(path));
    const QMap<QString, QString> entry = DesktopEntry(path);
    EXPECT_EQ(entry.value("Type"), "Application");
    EXPECT_EQ(entry.value("Name"), "Zefra Text Editor");
    EXPECT_EQ(entry.value("GenericName"), "Text Editor");
    EXPECT_EQ(entry.value("Icon"), "zefraed");
    EXPECT_EQ(entry.value("Exec").toStdString(),
              ("\"" + Installed(QStringLiteral("bin/zefraed")) + "\" %F").toStdString());
    const QStringList types = entry.value("MimeType").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const char* type : {"text/plain", "text/x-c++src", "text/x-csrc", "text/x-java", "application/javascript",
                             "application/x-perl", "application/x-php", "text/html", "application/xml", "text/css",
                             "text/x-sql", "text/x-pascal", "text/x-fortran"}) {
        EXPECT_TRUE(types.contains(QLatin1String(type))) << type;
    }
}

TEST_F(Install, DesktopFileValidateAcceptsTheEntry)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed (Debian: desktop-file-utils)";
    const TRun run = RunProgram(validator, {Installed(QStringLiteral("share/applications/zefraed.desktop"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.isEmpty()) << "errors, warnings or hints: " << run.output.toStdString();
}

TEST_F(Install, IconIsScalableWithPngSizes)
{
    const QByteArray svg = FileBytes(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/zefraed.svg")));
    EXPECT_TRUE(svg.contains("<svg")) << "scalable icon missing";
    for (const int size : {48, 128, 256}) {
        const QString name = QStringLiteral("share/icons/hicolor/%1x%1/apps/zefraed.png").arg(size);
        const QImage image(Installed(name));
        EXPECT_EQ(image.size(), QSize(size, size)) << name.toStdString();
    }
}
