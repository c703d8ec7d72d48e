// The desktop seam: every beep, message box, input prompt, common dialog, shell request, sound and clipboard
// access goes through one TZefDesktop, so that the program can run against the real desktop and tests can answer it from a script.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The system sound a beep asks for; a desktop without distinct sounds plays one alert for all of them.
enum class TZefBeepKind { bkDefault, bkQuestion, bkError, bkInformation, bkWarning };

enum class TZefMsgIcon { miNone, miInformation, miQuestion, miWarning, miError };

// Message box buttons are bits so that a box offers a set of them; the answer is exactly one bit.
enum TZefMsgButton : uint32_t {
    mbNone = 0,
    mbOk = 1u << 0,
    mbCancel = 1u << 1,
    mbYes = 1u << 2,
    mbNo = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
};
using TZefMsgButtons = uint32_t;

struct TZefMessageBox {
    QString caption;
    QString text;
    TZefMsgIcon icon = TZefMsgIcon::miNone;
    TZefMsgButtons buttons = mbOk;
    // The button Enter presses; mbNone lets the desktop choose (the first button offered).
    TZefMsgButton defaultButton = mbNone;
};

// An open or save dialog. `filter` uses the "Description|pattern;pattern|Description|pattern" form the
// highlighters build (a trailing '|' is allowed); `filterIndex` counts the pairs from 1.
struct TZefFileDialog {
    QString caption;
    QString folder;   // the starting folder; empty: the desktop's choice
    QString fileName; // the name filled in at start (save dialogs)
    QString filter;
    int filterIndex = 1;
    bool multiSelect = false;      // open only
    bool overwritePrompt = false;  // save only: ask before replacing an existing file
    QString defaultExtension;      // without the dot; added to a typed name that has none; empty: add none
};

struct TZefFileChoice {
    QStringList files; // absolute paths; one unless the dialog allowed several
    int filterIndex = 1;
};

// One pair of a dialog filter.
struct TZefFileFilter {
    QString description;
    QStringList patterns;
};

// Splits "Text (*.txt)|*.txt;*.text|All files (*.*)|*.*|" into its pairs. A description without a pattern
// part gets "*"; empty pairs are dropped.
std::vector<TZefFileFilter> ZefSplitFileFilter(const QString& filter);
// The same pairs as Qt name filters: "Text (*.txt *.text)". Patterns a description already ends with in
// parentheses are not repeated. "*.*" becomes "*", since Qt, unlike Windows, reads it as "names with a dot".
QStringList ZefQtNameFilters(const QString& filter);

// The system's clipboards: the one cut, copy and paste use, and the primary selection of X11 and Wayland
// (the text selected last, which a middle click pastes).
enum class TZefClipboardMode { cmClipboard, cmSelection };

// Every desktop interaction of the program. Modal calls return when the user has answered; none of them
// throws on a cancelled dialog (that is an empty optional).
class QDialog;
class QMimeData;

class TZefDesktop {
public:
    virtual ~TZefDesktop() = default;

    virtual void Beep(TZefBeepKind kind) = 0;
    // Returns the button pressed; closing the box without a button answers mbCancel if offered, otherwise
    // the first button offered. A box offering no button shows OK.
    virtual TZefMsgButton ShowMessageBox(const TZefMessageBox& box) = 0;
    // A one-line prompt; nullopt when cancelled.
    virtual std::optional<QString> InputQuery(const QString& caption, const QString& prompt,
                                              const QString& initial) = 0;
    virtual std::optional<TZefFileChoice> OpenFileDialog(const TZefFileDialog& dialog) = 0;
    virtual std::optional<TZefFileChoice> SaveFileDialog(const TZefFileDialog& dialog) = 0;
    virtual std::optional<QFont> FontDialog(const QString& caption, const QFont& initial) = 0;
    virtual std::optional<QColor> ColorDialog(const QString& caption, const QColor& initial) = 0;
    // Opens the file with the program associated with its type; false when no program could take it.
    virtual bool ShellOpen(const QString& path) = 0;
    // Starts playing a WAV file and returns at once; a missing or unplayable file sounds the default beep.
    virtual void PlaySoundAsync(const QString& wavPath) = 0;
    // The program's own modal dialogs (find, replace, the replace confirmation, ...): shows the prepared
    // dialog modally and answers its result code (QDialog::Accepted, Rejected or the dialog's own codes).
    virtual int ExecDialog(QDialog& dialog) = 0;

    // Whether the desktop has that clipboard at all (the primary selection exists on X11 and Wayland only).
    virtual bool SupportsClipboard(TZefClipboardMode mode) const = 0;
    // Puts data on the clipboard, which takes it over (also when it is refused); false when the desktop has
    // no such clipboard or refused the data.
    virtual bool SetClipboardData(TZefClipboardMode mode, QMimeData* data) = 0;
    // What the clipboard holds now, owned by the desktop and valid until the clipboard next changes; null
    // when it is empty or missing.
    virtual const QMimeData* ClipboardData(TZefClipboardMode mode) = 0;

    // A box with one OK button and the error or information icon. They do not beep: callers that report a
    // user error beep first, as the program's reports ask.
    void ErrorBox(const QString& caption, const QString& text);
    void InformationBox(const QString& caption, const QString& text);
};

// The process-wide desktop. Until one is installed this is a TZefQtDesktop made on first use (which needs a
// QApplication). The desktop is not owned: whoever installs one keeps it alive while it is installed.
TZefDesktop& ZefDesktop();
// Installs `desktop` (nullptr: back to the built-in real desktop) and returns the one installed before,
// nullptr when that was the built-in one.
TZefDesktop* SetZefDesktop(TZefDesktop* desktop);

// Installs a desktop for the lifetime of the scope and restores the previous one afterwards (tests).
class TZefDesktopScope {
public:
    explicit TZefDesktopScope(TZefDesktop& desktop) : previous_(SetZefDesktop(&desktop)) {}
    ~TZefDesktopScope() { SetZefDesktop(previous_); }
    TZefDesktopScope(const TZefDesktopScope&) = delete;
    TZefDesktopScope& operator=(const TZefDesktopScope&) = delete;

private:
    TZefDesktop* previous_;
};
