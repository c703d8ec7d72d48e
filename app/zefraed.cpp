// Program entry: the command line, the hand-over to an editor already running, the document factory, the
// application, the start form and the files named on the command line.
#include "TEditorFactory.h"
#include "ZefAppInfo.h"
#include "ZefApplication.h"
#include "ZefCommandLine.h"
#include "ZefFilePath.h"
#include "ZefInstanceChannel.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = ZefPathToBytes(text);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv)
{
    // File names reach the program untouched: Qt sees only the program's name, so an argument such as
    // -reverse or -style is a file to open rather than a toolkit option, and names that are not UTF-8 keep
    // their bytes.
    const TZefCommandLine commandLine = ZefParseCommandLine(ZefCommandLineArguments(argc, argv));
    for (const QString& error : commandLine.errors)
        Print(stderr, QStringLiteral("zefraed: ") + error + QLatin1Char('\n'));
    // Answered before any connection to the display, so they work without one.
    if (commandLine.help) {
        Print(stdout, ZefCommandLineHelp(ZefFileNameOf(ZefPathFromBytes(argc > 0 ? argv[0] : "zefraed"))));
        return 0;
    }
    if (commandLine.version) {
        Print(stdout, ZefVersionText() + QLatin1Char('\n'));
        return 0;
    }

    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    // The factory exists before any window and outlives them all.
    EditorFactory = std::make_shared<TEditorFactory>();
    int status = 0;
    [&] {
        TZefApplication application(toolkitArgc, toolkitArgv);
        QApplication::setApplicationName(QString::fromLatin1(ZefAppTitle));

        // An editor of this user already runs on this display: it opens the files and comes to the front.
        const QString socketName = ZefInstanceSocketName();
        if (!commandLine.newWindow && ZefHandOverToRunningInstance(socketName, commandLine.files))
            return;

        TfrmStart frmStart;
        TMainForm* mainForm = frmStart.MainForm();
        // The main window makes the hidden windows it needs: the formatter's busy window and the print window
        // with its preview.
        TZefInstanceServer instanceServer(socketName);
        ZefServeLaterStarts(instanceServer, *mainForm);
        // A second window (--new-window) serves later starts only when no other editor does.
        instanceServer.Listen();

        // Outside the event loop nothing else would catch an error of a file: it gets the standard box.
        ZefDeliverReportingErrors([&] {
            mainForm->OpenCommandLineFiles(commandLine.files);
            return true;
        });
        status = QApplication::exec();
    }();
    EditorFactory.reset();
    return status;
}
