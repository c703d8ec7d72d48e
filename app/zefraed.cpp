// Program entry: the document factory, the application, the start form and the first command-line file.
#include "TEditorFactory.h"
#include "ZefAppInfo.h"
#include "ZefApplication.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>
#include <QFileInfo>

#include <memory>

int main(int argc, char** argv)
{
    // The factory exists before any window and outlives them all.
    EditorFactory = std::make_shared<TEditorFactory>();
    int status = 0;
    {
        TZefApplication application(argc, argv);
        QApplication::setApplicationName(QString::fromLatin1(ZefAppTitle));

        TfrmStart frmStart;
        // The print, print preview and formatter busy windows join here, created hidden.
        const QStringList arguments = QApplication::arguments();
        // Outside the event loop nothing else would catch an error of the first file: it gets the standard box.
        if (arguments.size() >= 2 && QFileInfo(arguments.at(1)).isFile())
            ZefDeliverReportingErrors([&] {
                frmStart.MainForm()->CmdLineOpen(QFileInfo(arguments.at(1)).absoluteFilePath());
                return true;
            });
        status = QApplication::exec();
    }
    EditorFactory.reset();
    return status;
}
