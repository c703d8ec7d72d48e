// The invisible start form: finds the program folder and creates and shows the main window.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class TMainForm;

// The program's folder, always ending in '/'; the save sound and help files are looked up relative to it.
extern QString AppDir;

// The file named on the command line, exactly as the system passed it: the first argument after the
// program's name, where a first "--" only ends the options (so "-- -reverse" names the file -reverse). The
// program has no options of its own, so an argument that looks like one is a file name too. nullopt without
// a file argument.
std::optional<QByteArray> ZefCommandLineFile(int argc, const char* const* argv);
// That file as the program opens it: its full path, relative names taken from the current folder, keeping
// the bytes of every name; empty when there is no file argument or it names no existing regular file.
QString ZefCommandLinePath(int argc, const char* const* argv);

// Never shown; it exists for the whole run and owns the main window.
class TfrmStart : public QObject {
public:
    // Sets AppDir from the running program's path, then creates the main window (reading its settings from
    // `iniPath`; empty: the INI file beside the program) and shows it.
    explicit TfrmStart(const QString& iniPath = QString());
    ~TfrmStart() override;

    TMainForm* MainForm() const { return mainForm_; }

private:
    TMainForm* mainForm_ = nullptr;
};
