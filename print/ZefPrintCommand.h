// The zefraprint command: a text file printed to PDF through the print engine, from the command line.
#pragma once

#include <QStringList>

#include <iosfwd>

// Exit codes, one per kind of failure.
enum TZefPrintExit : int {
    peOk = 0,
    peUsage = 2,       // unknown option, missing or bad value
    peInput = 3,       // the text file cannot be read
    peNoRoom = 4,      // the margins leave no room for text
    peEmptyRange = 5,  // the page range holds no page of the document
    peOutput = 6,      // the PDF file cannot be written
};

// Runs the command with `arguments` (without the program name); messages go to `out` (--help, --info) and
// `err`. Needs a QGuiApplication (any platform plugin, "offscreen" included).
int RunZefraPrint(const QStringList& arguments, std::ostream& out, std::ostream& err);

// The text of --help.
const char* ZefraPrintUsage();
