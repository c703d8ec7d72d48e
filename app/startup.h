// The invisible start form: finds the program folder and creates and shows the main window.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class TMainForm;
class TZefInstanceServer;

// The program's folder, always ending in '/'; the save sound and help files are looked up relative to it.
extern QString AppDir;

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

// `mainForm` comes to the front when a later start hands files to `server`, and opens them; an error while
// opening gets the standard error box.
void ZefServeLaterStarts(TZefInstanceServer& server, TMainForm& mainForm);
