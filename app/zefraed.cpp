// Program entry: the document factory, the application, the start form and the first command-line file.
#include "TEditorFactory.h"
#include "ZefAppInfo.h"
#include "ZefApplication.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    // File names reach the program untouched: Qt sees only the program's name, so an argument such as
    // -reverse or -style is a file to open rather than a toolkit option, and names that are not UTF-8 keep
    // their bytes.
    const QString commandLinePath = ZefCommandLinePath(argc, argv);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};

    // The factory exists before any window and outlives them all.
    EditorFactory = std::make_shared<TEditorFactory>();
    int status = 0;
    {
        TZefApplication application(toolkitArgc, toolkitArgv);
        QApplication::setApplicationName(QString::fromLatin1(ZefAppTitle));

        TfrmStart frmStart;
        // The main window makes the hidden windows it needs: the formatter's busy window and the print window
        // with its preview.
        // Outside the event loop nothing else would catch an error of the first file: it gets the standard box.
        if (!commandLinePath.isEmpty())
            ZefDeliverReportingErrors([&] {
                frmStart.MainForm()->CmdLineOpen(commandLinePath);
                return true;
            });
        status = QApplication::exec();
    }
    EditorFactory.reset();
    return status;
}
