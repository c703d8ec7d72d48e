// The program's settings: the INI file beside the program (window and recent files, written at exit) and
// the per-user store of string values (everything set from the menus, each written when it changes).
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>

class TRecentFiles;
class TZefSettingsStore;

// ---- The INI file: sections Main and MRUFiles. ----

struct TZefWindowSettings {
    // The window's normal (not maximised) rectangle; applied at start only when Width and Height are > 0.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Maximized = false;
    bool ShowStatusbar = true;
};

// The program's path with its extension replaced by ".ini". When the program's folder cannot be written,
// the file of that name in the per-user configuration folder ("<config>/Zefra/") instead, so that the
// settings written at exit are not lost.
QString ZefIniFilePath(const QString& programPath);

// Missing file or names give the defaults; a value that is not a decimal integer counts as missing.
// Recent files are added from MRUFile10 up to MRUFile1, so MRUFile1 ends on top and duplicates collapse.
void LoadIniSettings(const QString& iniPath, TZefWindowSettings& window, TRecentFiles& recentFiles);
// Writes the window values and MRUFile1..10 (names without an entry are deleted). False when the file could
// not be written.
bool SaveIniSettings(const QString& iniPath, const TZefWindowSettings& window, const TRecentFiles& recentFiles);

// ---- The per-user store under "SOFTWARE\Zefra\Text Editor v1.22". ----

// The store used from now on (not owned; nullptr: the user's real settings, opened afresh for each access).
// Answers the one installed before.
TZefSettingsStore* SetZefUserSettingsStore(TZefSettingsStore* store);
// Runs f on the store: the installed one, or the user's real settings opened for this access and written
// back afterwards. Exceptions from f pass through.
void WithUserSettingsStore(const std::function<void(TZefSettingsStore&)>& f);
// The empty string when the key or the value does not exist.
QString ReadUserSetting(const char* name);
// Creates the key when needed; a failed write is skipped silently.
void WriteUserSetting(const char* name, const QString& value);

// A text that is not a decimal integer: "'%s' is not a valid integer value".
class EZefConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// Strict decimal conversion: an optional sign and digits only, within 32 bits; anything else raises
// EZefConvertError.
int ZefStrToInt(const QString& text);

// What the main window keeps of the per-user values while the program runs.
struct TZefMainSettings {
    bool GutterButtonDown = false; // sbGutterUpDown
    bool Cream = false;            // BackColInMain
    QString FontName;              // FontInMain
    int8_t FontSize = 0;           // FontSizeInMain
    bool ZeroStart = false;        // CheckZeroStartMain
    int RightEdge = 80;            // RightEdgeValue
    int MaxStrOnLine = 80;         // MaxStrOnLine
    bool SoundSaved = false;       // CheckSoundSaved
    bool ActiveLineColor = true;   // CheckActiveLineColor
};

// Reads the values in their fixed order into settings. A number that does not convert is shown in the
// standard error box and the values after it keep what settings held; answers false then.
bool ReadMainSettings(TZefMainSettings& settings);

// The writes, one per user action, each storing its own value.
void StoreGutterButton(bool down);
void StoreBackground(bool cream);
void StoreFont(const QString& name, int size);
void StoreZeroStart(bool zeroStart);
void StoreRightEdge(int column);
// 0 means "no splitting" and is not stored.
void StoreMaxStrOnLine(int length);
void StoreSoundSaved(bool on);
void StoreActiveLineColor(bool on);
// Stores the folder of a file just opened with Open, without a trailing delimiter (except a root).
void StoreLastOpenedDir(const QString& filePath);
// The stored folder if it names an existing folder, else empty.
QString ReadLastOpenedDir();
// The initial value of the right-edge and "General +" dialogs: the stored number, or fallback when none is
// stored. Raises EZefConvertError for a stored text that is not a number. A stored maximum line length other
// than 0 or 60..180 reads as 80.
int ReadRightEdgeSetting(int fallback);
int ReadMaxStrOnLineSetting(int fallback);
