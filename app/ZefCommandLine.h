// The program's command line: its options, the files it names with their line numbers, and what it says
// about arguments it cannot use. Plain data in, plain data out: no window and no application object needed.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One file to open. `path` is absolute and carries every byte of the name (ZefFilePath.h); `line` is the line
// (from 1) the caret goes to, 0 when the command line named none.
struct TZefCommandLineFile {
    QString path;
    int line = 0;

    bool operator==(const TZefCommandLineFile&) const = default;
};

struct TZefCommandLine {
    bool help = false;
    bool version = false;
    // Start a window of its own instead of handing the files to a running one.
    bool newWindow = false;
    // In the order given; the last one ends up active.
    std::vector<TZefCommandLineFile> files;
    // One line each for standard error: arguments that were ignored and why. Names keep their bytes.
    QStringList errors;
};

// The arguments as the system passed them, program name first.
QList<QByteArray> ZefCommandLineArguments(int argc, const char* const* argv);

// Reads `arguments` (program name first). The options are -h/--help, -v/--version and --new-window. Every
// other argument is a file: "+N" before a file puts the caret on line N, and so does "FILE:N" when no file of
// that whole name exists. An argument that looks like an option but is none opens as a file when a file of
// that name exists, and "--" makes everything after it a file (no options, no "+N"). Relative
// names are taken from the current folder. Anything that is not an existing file is left out and reported
// in `errors`.
TZefCommandLine ZefParseCommandLine(const QList<QByteArray>& arguments);

// The text --help prints, usage line naming `programName`.
QString ZefCommandLineHelp(const QString& programName);
// The text --version prints: "Zefra Text Editor 1.22".
QString ZefVersionText();
