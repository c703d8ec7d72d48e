// The editor control: caret, selection, the text-replacement primitive, view position and the command dispatcher.
#pragma once

#include "ZefEditKeyCmds.h"
#include "ZefEditTypes.h"
#include "ZefWordChars.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QPainter;
class TZefEditStringList;
class TZefEditUndoList;
class TZefEditMarkList;
class TZefKeyboardInput;

enum TTransientType : uint8_t { ttBefore, ttAfter };

// One document's view and editor. Owns its line store, undo and redo lists, marks and keystroke table.
// Positions are buffer coordinates (index and line from 1) unless a name says Display; positions outside the
// text are clamped, never rejected. Every multi-step operation runs under the paint lock, so status
// notifications (OnStatusChange) and caret updates happen once, when the outermost lock ends.
class TCustomZefEdit : public QAbstractScrollArea {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TCustomZefEdit* sender)>;
    using TStatusChangeEvent = std::function<void(TCustomZefEdit* sender, TZefStatusChanges changes)>;
    // The handler may change command and character; setting the command to ecNone cancels it.
    using TProcessCommandEvent =
        std::function<void(TCustomZefEdit* sender, TZefEditorCommand& command, char& ch, void* data)>;
    using TContextHelpEvent = std::function<void(TCustomZefEdit* sender, const std::string& word)>;
    // canvas is null when the pair is raised outside painting (caret moves, edits).
    using TPaintTransientEvent = std::function<void(TCustomZefEdit* sender, QPainter* canvas, TTransientType type)>;

    static constexpr int DefaultGutterPixels = 30;
    static constexpr int MaxMaxLineWidth = 2147483646;

    explicit TCustomZefEdit(QWidget* parent = nullptr);
    ~TCustomZefEdit() override;

    // Owned parts.
    TZefEditStringList* Lines() const { return lines_.get(); }
    TZefEditUndoList* UndoList() const { return undoList_.get(); }
    TZefEditUndoList* RedoList() const { return redoList_.get(); }
    TZefEditMarkList* Marks() const { return marks_.get(); }
    TZefEditKeyStrokes& Keystrokes() { return keystrokes_; }
    void SetKeystrokes(const TZefEditKeyStrokes& keystrokes) { keystrokes_ = keystrokes; }
    // Word characters of the word commands; the highlighter supplies its own sets.
    const TZefWordChars& WordChars() const { return wordChars_; }
    void SetWordChars(const TZefWordChars& chars) { wordChars_ = chars; }

    // Caret and selection (ZefEditCaret.cpp).
    TBufferCoord CaretPos() const { return caret_; }
    // Moves the caret (scrolling it into view) and collapses the selection there.
    void SetCaretPos(TBufferCoord position);
    int DesiredColumn() const { return desiredColumn_; }
    void PlaceCaret(TBufferCoord position, bool scrollIntoView);
    void MoveCaret(TBufferCoord position) { PlaceCaret(position, true); }
    TBufferCoord SelAnchor() const { return anchor_; }
    TBufferCoord SelHead() const { return head_; }
    TBufferCoord SelFirst() const { return anchor_ < head_ ? anchor_ : head_; }
    TBufferCoord SelLast() const { return anchor_ < head_ ? head_ : anchor_; }
    void SetSelAnchor(TBufferCoord position);
    void SetSelHead(TBufferCoord position);
    void SetCaretAndSelection(TBufferCoord caret, TBufferCoord anchor, TBufferCoord head);
    bool HasSelection() const;
    void SelectEverything();
    void MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting);
    void MoveCaretHorizontally(int delta, bool selecting);
    void MoveCaretVertically(int delta, bool selecting);
    TDisplayCoord BufferToDisplayPos(TBufferCoord position) const;
    TBufferCoord DisplayToBufferPos(TDisplayCoord position) const;
    TBufferCoord NextWordStart(TBufferCoord position) const;
    TBufferCoord PreviousWordStart(TBufferCoord position) const;
    TBufferCoord WordStartAt(TBufferCoord position) const;
    TBufferCoord WordEndAt(TBufferCoord position) const;

    // Text and replacement (ZefEditReplace.cpp). Multi-line text in and out has CR LF between lines.
    std::string SelectedText() const;
    // Replaces the selection by text as one undo group (ucDeleteBlock / ucInsert records).
    void SetSelectedText(std::string_view text);
    // The one primitive every edit goes through: deletes the selection in SelectionMode(), then inserts text
    // at the caret as pasteMode says; recordPerLine records each piece of a column insertion. One update
    // bracket of the line store, so the line-change reaction runs once. Afterwards nothing is selected and
    // the caret stands after the inserted text.
    void ReplaceSelection(TZefSelectionMode pasteMode, std::string_view text, bool recordPerLine);
    // Stores text as line index (from 0), without trailing blanks under eoTrimTrailingSpaces.
    void SetLineTrimmed(int index, std::string_view text);
    int LeadingWhitespaceWidth(std::string_view text, bool expandTabs) const;
    std::string MakeIndent(int width, bool tabsAllowed) const;
    std::string Text() const;
    void SetText(std::string_view text);
    std::string CurrentLineText() const;
    void SetCurrentLineText(std::string_view text);
    // Clears all lines, marks and the undo list; Modified becomes false.
    void ClearDocument();

    // State and options (ZefEditState.cpp).
    TZefSelectionMode SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(TZefSelectionMode mode);
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool Modified() const { return modified_; }
    void SetModified(bool value);
    TZefEditorOptions Options() const { return options_; }
    void SetOptions(TZefEditorOptions options);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    int MaxLineWidth() const { return maxLineWidth_; }
    void SetMaxLineWidth(int value);
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    int MaxUndo() const;
    void SetMaxUndo(int value);
    bool CanUndo() const;
    bool CanRedo() const;
    int PaintLock() const { return paintLock_; }
    void BeginPaintLock() { ++paintLock_; }
    void EndPaintLock();
    TZefStatusChanges StatusChanges() const { return statusChanges_; }
    void StatusChanged(TZefStatusChanges changes);

    // View (ZefEditView.cpp). Cell metrics come from the fixed-pitch editor font.
    int TopVisibleLine() const { return topLine_; }
    void SetTopVisibleLine(int value);
    int LeftVisibleColumn() const { return leftColumn_; }
    void SetLeftVisibleColumn(int value);
    int VisibleLines() const { return visibleLines_; }
    int VisibleColumns() const { return visibleColumns_; }
    int CellWidth() const { return cellWidth_; }
    int RowHeight() const { return rowHeight_; }
    int GutterPixels() const { return gutterPixels_; }
    void EnsureCaretVisible(bool center = false);

    // Commands (ZefEditCommands.cpp).
    void DispatchCommand(TZefEditorCommand command, char ch, void* data);
    // The command for a key under the keystroke table, taking a pending first key of a sequence into account.
    TZefEditorCommand KeyToCommand(TVirtualKey key, TShiftState shift);
    // The key / character / input-method translation state fed by this control's Qt events.
    TZefKeyboardInput& KeyboardInput() { return *keyboard_; }

    TNotifyEvent OnChange;
    TStatusChangeEvent OnStatusChange;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnProcessUserCommand;
    TProcessCommandEvent OnCommandProcessed;
    TContextHelpEvent OnContextHelp;
    TPaintTransientEvent OnPaintTransient;

protected:
    // Runs a built-in command (reached only through DispatchCommand). Runs under the paint lock.
    virtual void RunCommand(TZefEditorCommand command, char ch, void* data);

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;

    // Nested pairs are counted; only the outermost ttBefore / ttAfter reaches OnPaintTransient.
    void PaintTransient(TTransientType type);
    // Cell width and row height of the (fixed-pitch) editor font.
    void MeasureFont();
    // Recomputes the cell metrics and the visible rows and columns from the text area; clamps the view.
    void LayoutChanged();

private:
    class TPaintLockGuard;

    void AttachLineStore();
    void LinesAfterChanges();
    void LinesAllCleared();
    void UndoRecordAdded(TZefEditUndoList* sender);
    void FlushStatusChanges();
    TBufferCoord ClampSelectionPoint(TBufferCoord position) const;
    std::string_view LineText(int line) const;
    int LineLength(int line) const;
    void RunMoveCommand(TZefEditorCommand command, void* data);
    void RunHome(bool selecting);
    void ScrollVertically(int delta);
    void DeleteSelectionForReplace(TBufferCoord first, TBufferCoord last);
    void InsertNormal(std::string_view text);
    void InsertLines(std::string_view text);
    void InsertColumn(std::string_view text, bool recordPerLine);

    std::unique_ptr<TZefEditStringList> lines_;
    std::unique_ptr<TZefEditUndoList> undoList_;
    std::unique_ptr<TZefEditUndoList> redoList_;
    std::unique_ptr<TZefEditMarkList> marks_;
    TZefEditKeyStrokes keystrokes_;
    std::unique_ptr<TZefKeyboardInput> keyboard_;
    TZefWordChars wordChars_;

    TBufferCoord caret_;
    TBufferCoord anchor_;
    TBufferCoord head_;
    int desiredColumn_ = 1;
    TZefSelectionMode selectionMode_ = smNormal;
    bool insertMode_ = true;
    bool readOnly_ = false;
    bool modified_ = false;
    int tabWidth_ = 8;
    int maxLineWidth_ = 1024;
    bool wantTabs_ = false;
    bool wantReturns_ = true;
    TZefEditorOptions options_ = ZefDefaultOptions;
    int topLine_ = 1;
    int leftColumn_ = 1;
    int visibleLines_ = 0;
    int visibleColumns_ = 0;
    int cellWidth_ = 0;
    int rowHeight_ = 0;
    int gutterPixels_ = DefaultGutterPixels;
    int paintLock_ = 0;
    TZefStatusChanges statusChanges_ = 0;
    int transientDepth_ = 0;
    bool linesChanging_ = false;  // between the line store's before- and after-changes notifications
    bool redoInProgress_ = false; // set while redo applies records, so the undo records it adds keep the redo list
};

// The control as the application uses it; everything is reached through TCustomZefEdit's members.
class TZefEdit : public TCustomZefEdit {
    Q_OBJECT

public:
    using TCustomZefEdit::TCustomZefEdit;
};
