// zefraprint: prints a text file to PDF through the editor's print engine, without a display.
#include "ZefPrintCommand.h"

#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv)
{
    // Fonts need a GUI application, but never a screen: the offscreen platform serves unless one is chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    return RunZefraPrint(arguments, std::cout, std::cerr);
}
