// Program entry: one window with an editor control holding the file named on the command line.
// A small stand-in until the application shell with its documents and menus exists.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zefra Text Editor"));

    TZefEdit editor;
    editor.SetColor(clWhite);
    editor.Gutter().SetShowLineNumbers(true);
    editor.Gutter().SetAutoSize(true);
    editor.SetWantTabs(true);
    editor.setWindowTitle(QStringLiteral("Zefra Text Editor"));
    if (argc >= 2) {
        try {
            editor.Lines()->LoadFromFile(argv[1]);
        } catch (const std::exception& error) {
            QMessageBox::critical(nullptr, QStringLiteral("Zefra Text Editor"),
                                  QStringLiteral("Error Message : ") + QString::fromLocal8Bit(error.what()));
            return 1;
        }
        editor.setWindowTitle(QString::fromLocal8Bit(argv[1]) + QStringLiteral(" - Zefra Text Editor"));
    }
    editor.resize(800, 600);
    editor.show();
    editor.setFocus();
    return QApplication::exec();
}
