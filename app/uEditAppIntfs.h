// The document interfaces: the only way the main window and the commands reach an open document.
#pragma once

#include "ZefEditTypes.h"
#include "ZefGraphicsTypes.h"

#include <QFont>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QMdiArea;
class TZefCustomHighlighter;
class TZefHighlighterAttributes;
class THourGlass;
class TForm1;
class TRecentFiles;
class TUntitledNumbers;

// One open document. Operations that need the document's window do nothing (or answer false, empty,
// (-1, -1)) once that window has been destroyed; the object itself stays valid while any reference exists.
class IEditor {
public:
    virtual ~IEditor() = default;

    // Refreshes the "Mark number" list, brings the window to the front and keeps the caret visible unfocused.
    virtual void Activate() = 0;
    // Puts a named file on the recent list and asks the window to close (which may ask to save first).
    virtual void Close() = 0;
    // Caret as (character, line), both from 1; (-1, -1) without a window.
    virtual TBufferCoord GetCaretPos() const = 0;
    // "Read Only", "Insert" or "Overwrite"; empty without a window.
    virtual QString GetModeText() const = 0;
    // Full path; empty while untitled.
    virtual QString GetFileName() const = 0;
    // File name without folder, or "Untitled<n>" (the number is allocated on the first call).
    virtual QString GetTitle() = 0;
    virtual bool IsModified() const = 0;
    // Loads `path` (".rtf" into the read-only rich-text view). A missing file gives an empty document with
    // that name. Read errors propagate as exceptions (std::exception, message in what()).
    virtual void LoadFile(const QString& path) = 0;
    // Beeps for a line outside 1..count; otherwise moves the caret to that line keeping its column.
    virtual void GoToLine(int line) = 0;
    // Puts the caret at the start of `line`, limited to the text's first and last lines, and scrolls it into
    // view, without a beep: for a line number given with a file from outside the program.
    virtual void PlaceCaretOnLine(int line) = 0;
    virtual void ShowLineNumbers(bool show) = 0;
    // askUser: font dialog preset with the editor's font; answers the chosen font, or nullopt on Cancel.
    // Otherwise sets name and size directly and answers nullopt.
    virtual std::optional<QFont> ChangeFont(bool askUser, const QString& fontName, int fontSize) = 0;
    // Zero-based line numbering; shifts the stored marked line numbers by -1 (on) or +1 (off).
    virtual void SetZeroStart(bool zeroStart) = 0;
    virtual void SetRightEdge(int column) = 0;
    // Cream (0x00F0FBFF) or white background; also the process-wide default for documents loaded later.
    virtual void SetCreamBackground(bool cream) = 0;
    virtual QFont GetFont() const = 0;
    // +1 / -1 point; beeps and stays at 18 / 6 at the limits.
    virtual void StepFontSize(int step) = 0;
    // SaveDocument when a file name is set, else SaveDocumentAs. Answers whether the text was written.
    virtual bool Save() = 0;
    // Entry `index` of HighlighterList, or none for -1; any other index outside the list changes nothing.
    virtual void SelectHighlighter(int index) = 0;
    // The highlighter operations below answer 0, empty, none or false (and change nothing) without a window
    // or without a highlighter, and for an attribute index outside the highlighter's list.
    virtual void AssignHighlighter(TZefCustomHighlighter* highlighter) = 0;
    virtual void EnumHighlighterSettings(std::vector<std::string>& settings) = 0;
    virtual bool HasHighlighter() const = 0;
    virtual int HighlighterAttrCount() const = 0;
    virtual QString HighlighterAttrName(int index) const = 0;
    virtual TZefHighlighterAttributes* HighlighterAttr(int index) const = 0;
    virtual void SetAttrStyle(int index, TFontStyles style) = 0;
    virtual void SetAttrForeground(int index, TColor color) = 0;
    virtual void SetAttrBackground(int index, TColor color) = 0;
    virtual bool UseHighlighterSettings(int index) = 0;
    virtual void SetActiveLineColor(TColor color) = 0;
    virtual void RepaintEditor() = 0;
    // The highlighter's attributes under `key` of the per-user store (one subkey per attribute). Load: false
    // when the key or an attribute's subkey is missing; a stored value that is not an integer raises
    // EZefSettingsError.
    virtual bool SaveHighlighterToRegistry(const QString& key) = 0;
    virtual bool LoadHighlighterFromRegistry(const QString& key) = 0;
    // Clears the "Mark number" list and fills it with the marked lines, the last marked first.
    virtual void RefreshMarkList() = 0;

    // The text formatter. One run over the whole document with the program's formatter settings
    // (ZefFormatterSettings), installed as one undoable change; nothing for a document without a text window.
    virtual void FormatText() = 0;
    // The settings are one set for the whole program; these store into it. The style is the menu caption with
    // every '&' removed ("General" or "General +"); counts are limited to 0..255, the length to 0..65535.
    virtual void SetFormatStyle(const QString& caption) = 0;
    virtual void SetJoinParagraphs(bool join) = 0;
    virtual void SetSpacesBeforeNew(int count) = 0;
    virtual void SetSpacesBeforeAll(int count) = 0;
    virtual void SetAlignChar(const QString& character, int count) = 0;
    virtual void SetMaxLineLength(int length) = 0;
    virtual void SetDeleteEmptyLines(bool on) = 0;
    virtual void SetMaxEmptyLines(int count) = 0;
};

class IEditCommands {
public:
    virtual ~IEditCommands() = default;
    virtual bool CanCopy() const = 0;
    virtual bool CanCut() const = 0;
    virtual bool CanDelete() const = 0;
    virtual bool CanPaste() const = 0;
    virtual bool CanRedo() const = 0;
    virtual bool CanSelectAll() const = 0;
    virtual bool CanUndo() const = 0;
    virtual void ExecCopy() = 0;
    virtual void ExecCut() = 0;
    virtual void ExecDelete() = 0;
    virtual void ExecPaste() = 0;
    virtual void ExecRedo() = 0;
    virtual void ExecSelectAll() = 0;
    virtual void ExecUndo() = 0;
};

class IFileCommands {
public:
    virtual ~IFileCommands() = default;
    virtual bool CanClose() const = 0;
    virtual bool CanPrint() const = 0;
    virtual bool CanSave() const = 0;
    virtual bool CanSaveAs() const = 0;
    virtual void ExecClose() = 0;
    // Hands the text (only the selected text when `selectionOnly`), colour, highlighter, font and title to the
    // print window and shows it; nothing without a text window or a print window.
    virtual void ExecPrint(bool selectionOnly) = 0;
    virtual bool ExecSave() = 0;
    virtual bool ExecSaveAs() = 0;
};

// Find and replace on the document. The Exec operations do nothing without a document window; textAtCaret
// starts the dialog with the selected text (on one line) or the word at the caret.
class ISearchCommands {
public:
    virtual ~ISearchCommands() = default;
    virtual bool CanFind() const = 0;
    virtual bool CanFindNext() const = 0;
    virtual bool CanFindPrev() const = 0;
    virtual bool CanReplace() const = 0;
    virtual void ExecFind(bool textAtCaret) = 0;
    virtual void ExecFindNext() = 0;
    virtual void ExecFindPrev() = 0;
    virtual void ExecReplace(bool textAtCaret) = 0;
};

class IEditorFactory {
public:
    virtual ~IEditorFactory() = default;
    // Closes every document, the last created first (each may ask to save).
    virtual void CloseAll() = 0;
    // Makes a document window inside `owner`, shown and activated at once, and appends it to the list.
    virtual std::shared_ptr<IEditor> CreateMDIChild(QMdiArea* owner) = 0;
    virtual int GetEditorCount() const = 0;
    // 0 = first created; null outside the list.
    virtual std::shared_ptr<IEditor> GetEditor(int index) const = 0;
    virtual void RemoveEditor(IEditor* editor) = 0;
    // Asks every document with unsaved changes whether to save (Yes / No / Cancel), the first created first;
    // false as soon as one refuses (Cancel, or its save failed). Nothing is closed.
    virtual bool QueryCloseAll() = 0;
    // Closes every document without asking (after QueryCloseAll at exit); named files go to the recent list.
    virtual void CloseAllWithoutQuestions() = 0;
};

// Process-wide references. EditorFactory exists before any window and lives until program end; the four
// Active… references follow the document window that is active or focused and are null without one.
extern std::shared_ptr<IEditorFactory> EditorFactory;
extern std::shared_ptr<IEditor> ActiveEditor;
extern std::shared_ptr<IEditCommands> ActiveEditCommands;
extern std::shared_ptr<IFileCommands> ActiveFileCommands;
extern std::shared_ptr<ISearchCommands> ActiveSearchCommands;

// Application state the documents use but do not own. The command module registers its recent-file list and
// its untitled numbers here, the main window its "Mark number" drop-down and its busy window; each may be null (then documents
// skip that step, and an untitled title has no number).
struct TEditorServices {
    TRecentFiles* RecentFiles = nullptr;
    TUntitledNumbers* UntitledNumbers = nullptr;
    QPointer<QComboBox> MarkNumberList;
    // The formatter's busy window, made once by the main window; without one a run shows no progress.
    QPointer<THourGlass> BusyWindow;
    // The print window, made once by the main window; without one printing does nothing.
    QPointer<TForm1> PrintWindow;
};
extern TEditorServices EditorServices;

// Set by the last save question asked when a document window was about to close: true unless the user
// answered Cancel or the save failed. The main window reads it at exit.
extern bool ReallyClosing;
