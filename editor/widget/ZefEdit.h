// The editor control: caret, selection, the text-replacement primitive, view position and the command dispatcher.
#pragma once

#include "ZefEditKeyCmds.h"
#include "ZefEditMouseTypes.h"
#include "ZefEditTypes.h"
#include "ZefWordChars.h"
#include "ZefWorkProgress.h"
// Search and replace: options, the engine interface and the engine reference.
#include "ZefEditSearchCustom.h"
#include "ZefEditSearchEngineRef.h"
// Painting: gutter, text drawer and colours.
#include "ZefGraphicsTypes.h"
#include "ZefGutter.h"
#include "ZefTextDrawer.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QLabel;
class QMimeData;
class QTimer;
class TZefCustomHighlighter;
class TZefPersistent;
class TZefEditStringList;
class TZefEditUndoList;
struct TZefEditUndoItem;
enum TUndoKind : uint8_t;
class TZefEditMarkList;
class TZefKeyboardInput;

enum TTransientType : uint8_t { ttBefore, ttAfter };

// The answer to the question before one replacement.
enum TZefReplaceAction : uint8_t { raCancel, raSkip, raReplace, raReplaceAll };

// A search or replacement the control refuses (no engine, a line break in the replacement, a selection that
// is not the match found).
class EZefEditSearch : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Painting types.
enum TZefCaretType : uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TZefScrollHintFormat : uint8_t { shfTopLineOnly, shfTopToBottom };
struct TZefSelectedColor {
    TColor Background = clHighlight;
    TColor Foreground = clHighlightText;
};
// How the gutter shows marks; without an image list only the built-in bookmark glyphs 0..9 are drawn.
struct TZefBookmarkOptions {
    bool GlyphsVisible = true;
    bool DrawBookmarksFirst = true;
    int LeftMargin = 2;
    int Xoffset = 12;
    bool EnableKeys = true; // the ecGotoMarker / ecSetMarker commands work only when set
};
// One repaint request as InvalidateRows / InvalidateGutterRows saw it (lines from 1; -1, -1 for everything).
struct TZefInvalidation {
    int First;
    int Last;
    bool Gutter;
};

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
    // Replaces the selection by text, inserted in SelectionMode(), as one undo step recorded byte-exactly
    // (ucDeleteBlock / ucInsert); caret after the text, nothing selected. Works on a read-only control too.
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
    // Replaces every line by the lines of source (a file read again) as one undo step that records only the
    // changed range, byte for byte (no blanks trimmed), and takes source's line-break style. Marks follow the
    // lines added or removed; the caret keeps its place, clamped to the new text.
    void ReplaceAllLines(const TZefEditStringList& source);

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
    // Widens MaxLineWidth to the document's longest line (after loading a file with eoAutoSizeMaxLineWidth, so
    // that every column of every line can be reached); never narrows it.
    void FitMaxLineWidthToLongestLine();
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

    // ---- Painting, gutter, caret, scroll bars and the line-store reaction (ZefEditPaint*.cpp,
    // ZefEditScroll.cpp, ZefEditView.cpp). ----
    using TSpecialLineColorsEvent =
        std::function<void(TCustomZefEdit* sender, int line, bool& special, TColor& fg, TColor& bg)>;
    using TGutterGetTextEvent = std::function<void(TCustomZefEdit* sender, int line, std::string& text)>;
    using TGutterPaintEvent = std::function<void(TCustomZefEdit* sender, int line, int x, int y)>;
    using TPaintEvent = std::function<void(TCustomZefEdit* sender, QPainter* canvas)>;
    using TScrollEvent = std::function<void(TCustomZefEdit* sender, Qt::Orientation bar)>;

    TZefGutter& Gutter() { return gutter_; }
    // The background colour (clWindow by default) and the text colour of the editor font.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    TColor ActiveLineColor() const { return activeLineColor_; }
    void SetActiveLineColor(TColor value);
    int RightEdge() const { return rightEdge_; }
    void SetRightEdge(int value);
    TColor RightEdgeColor() const { return rightEdgeColor_; }
    void SetRightEdgeColor(TColor value);
    int ExtraLineSpacing() const { return extraLineSpacing_; }
    void SetExtraLineSpacing(int value);
    TZefSelectedColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TZefSelectedColor value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TZefCaretType InsertCaret() const { return insertCaret_; }
    void SetInsertCaret(TZefCaretType value);
    TZefCaretType OverwriteCaret() const { return overwriteCaret_; }
    void SetOverwriteCaret(TZefCaretType value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    TColor ScrollHintColor() const { return scrollHintColor_; }
    void SetScrollHintColor(TColor value) { scrollHintColor_ = value; }
    TZefScrollHintFormat ScrollHintFormat() const { return scrollHintFormat_; }
    void SetScrollHintFormat(TZefScrollHintFormat value) { scrollHintFormat_ = value; }
    TZefBookmarkOptions BookMarkOptions() const { return bookmarkOptions_; }
    void SetBookMarkOptions(TZefBookmarkOptions value);
    bool CaretAlwaysShown() const { return caretAlwaysShown_; }
    void SetCaretAlwaysShown(bool value);
    // Referenced, not owned; the control is told when it is destroyed. Assigning scans no line at once: the
    // ranges are scanned as they are needed and in idle slices (ZefEditLazyRanges.cpp).
    TZefCustomHighlighter* Highlighter() const { return highlighter_; }
    void SetHighlighter(TZefCustomHighlighter* highlighter);
    TZefTextDrawer& TextDrawer() { return drawer_; }

    int TextOriginX() const { return gutterPixels_ + 2 - (leftColumn_ - 1) * cellWidth_; }
    int ColumnToX(int column) const { return (column - 1) * cellWidth_ + TextOriginX(); }
    // Pixel rectangle of the caret in the viewport, empty while it is not shown.
    QRect CaretRect() const;
    // Repaints rows of lines first..last (from 1) right of the gutter, or of the gutter strip; (-1, -1) is
    // the whole area. A last line at or beyond the line count reaches to the bottom of the view.
    void InvalidateRows(int first, int last);
    void InvalidateGutterRows(int first, int last);
    void RepaintLine(int line) { InvalidateRows(line, line); }
    // Range rescan from line index (from 0) until a line's stored end state is unchanged; answers the last
    // line scanned (index - 1 when there was nothing to scan). O(lines whose range changed).
    int ScanRangesFrom(int index);
    // The full scan: every line from the top (the reference the lazily kept ranges must equal).
    void ScanAllRanges();
    // ---- Lazily kept ranges (ZefEditLazyRanges.cpp). Below the mark (a count of lines from the top) every
    // stored range equals what a full scan gives; the rest is scanned in idle slices of a few milliseconds,
    // or at once by whoever needs a line's range first.
    int RangeMark() const { return rangeMark_; }
    // Makes the first `lineCount` lines' ranges exact (the painter, bracket matching, search and printing
    // ask before they read ranges). O(lines between the mark and lineCount).
    void ScanRangesUpTo(int lineCount) const;
    // Whether idle slices have lines left to scan: those up to a look-ahead below the screen.
    bool RangeScanPending() const;
    // Runs the remaining idle slices now.
    void FinishRangeScan();
    void RefreshScrollBars();
    // Test hook: while on, every InvalidateRows / InvalidateGutterRows call that reaches a window is recorded.
    void SetRecordInvalidations(bool on);
    const std::vector<TZefInvalidation>& RecordedInvalidations() const { return invalidations_; }
    void ClearRecordedInvalidations() { invalidations_.clear(); }

    TSpecialLineColorsEvent OnSpecialLineColors;
    TGutterGetTextEvent OnGutterGetText;
    TGutterPaintEvent OnGutterPaint;
    TPaintEvent OnPaint;
    TScrollEvent OnScroll;
    // ---- end of painting ----

    // ---- Undo, redo and the editing commands (ZefEditUndo.cpp, ZefEditTyping.cpp, ZefEditDeleting.cpp,
    // ZefEditIndent.cpp, ZefEditCase.cpp, ZefEditBrackets.cpp). ----
    // Both do nothing when read-only or when their list is empty. One call reverses (reapplies) one undo step:
    // the records of one change number, and with eoGroupUndo a run of records of the same kind.
    void Undo();
    void Redo();
    // The matching bracket of the one at the caret, across lines and counting nesting; the caret when the
    // character there is no bracket or has no match.
    TBufferCoord FindMatchingBracket() const;
    // Selects the word at (or just before) position with the caret at its end; beyond the line end only
    // moves the caret to the end of the line.
    void SelectWordAt(TBufferCoord position);
    // ReplaceSelection (deleting the selection, inserting text as pasteMode says), recorded byte-exact in one
    // undo group: the deletion as ucDeleteBlock, the insertion as kind (ucPaste for a paste, between its
    // ucPasteBegin / ucPasteEnd). Unlike the primitive's own per-line records, the blanks it pads with or
    // trims away come back on undo.
    void ReplaceSelectionRecorded(TUndoKind kind, TZefSelectionMode pasteMode, std::string_view text);
    // ---- end of undo and editing ----

    // ---- Search and replace (ZefEditSearchReplace.cpp). ----
    // Asked before each replacement while prompting; action arrives as raCancel. line and column: where the
    // match starts (from 1).
    using TReplaceTextEvent = std::function<void(TCustomZefEdit* sender, const std::string& search,
                                                 const std::string& replace, int line, int column,
                                                 TZefReplaceAction& action)>;
    // Referenced, not owned; forgotten when the engine is destroyed.
    TZefEditSearchCustom* SearchEngine() const { return searchEngine_.Get(); }
    void SetSearchEngine(TZefEditSearchCustom* engine) { searchEngine_.Set(engine); }
    // Finds search in the scope the options give (the selection with soSelectedOnly, else the document, from
    // the caret unless soEntireScope) and selects the first match; with soReplace / soReplaceAll replaces it
    // (asking OnReplaceText under soPrompt), with soReplaceAll every match of the scope. Answers the matches
    // found and selected: replaced, skipped and the one the user cancelled at; 0 when nothing was found.
    // A replacement with a line break, or any replacement on a read-only control, is refused (EZefEditSearch,
    // before anything changes); engine errors pass through. Replacing all the rest is one undo step.
    // progress hears how far replacing all the rest has come (lines of the scope), from its start on; when it
    // asks to stop, the walk ends before the next line: what was replaced stays, as one undo step, with the
    // caret after the last replacement made.
    int SearchReplace(std::string_view search, std::string_view replace, TSearchOptions options,
                      const TZefWorkProgress& progress = {});
    TReplaceTextEvent OnReplaceText;
    // ---- end of search and replace ----

    // ---- Mouse, clipboard, drag and drop, bookmarks (ZefEditMouse.cpp, ZefEditClipboard.cpp,
    // ZefEditDragDrop.cpp, ZefEditBookmarks.cpp; types in ZefEditMouseTypes.h). ----
    // Clipboard, through the desktop seam: plain text (code page 1252 <-> Unicode, LF between lines) plus
    // ClipboardBlockFormat with the selection mode and the text as held. Copy and paste throw
    // EZefEditClipboard when the platform refuses the data.
    void CopySelection();
    void CutSelection();
    // One undo step: ucPasteBegin, the deletion and insertion records, ucPasteEnd.
    void PasteText();
    bool CanPaste() const;
    // The primary selection (X11, Wayland; nothing where the desktop has none): a selection made with the
    // mouse or the keyboard is offered there in clipboard form, and a middle click pastes it at the clicked
    // position (the caret moves there; one undo step, as PasteText).
    void PublishPrimarySelection() const;
    static constexpr int kPrimarySelectionMaxLines = 100000;
    void PastePrimarySelection(TBufferCoord position);
    // Bookmarks 0..9 are marks in Marks() carrying BookmarkIndex n; out-of-range numbers or lines do nothing.
    void SetBookmark(int n, int x, int y);
    void ClearBookmark(int n);
    void GotoBookmark(int n);
    // Answers whether bookmark n is set, with its position in x (MarkChar) and y (MarkLine).
    bool GetBookmark(int n, int& x, int& y) const;
    // Pixel (viewport) position to display position; round picks the nearest column boundary, otherwise the
    // cell under the pointer.
    TDisplayCoord PixelsToDisplay(QPoint pixel, bool round) const;
    const TZefMouseState& MouseState() const { return mouse_; }
    // Null until the pointer first leaves the text area with the button held.
    QTimer* ScrollTimer() const { return scrollTimer_; }
    // One ScrollTimer tick (the timer calls it every 100 ms while a scroll delta is not 0).
    void ScrollTimerTick();
    // The target side of a drag, callable without a running QDrag: whether a drag from source (an editor
    // control, or null for the shell) carrying data may drop here, and the drop itself at pixel pos.
    // Answers the action done (Qt::IgnoreAction when nothing happened).
    bool CanAcceptDrag(const QMimeData* data, QObject* source) const;
    Qt::DropAction DropData(const QMimeData* data, QObject* source, QPoint pos, Qt::KeyboardModifiers modifiers);
    // A drag hovering at pos: the caret follows it (over its own source also ScrollTimer runs); answers the
    // action the drop would take. DragLeft: the drag left this control (its source's caret goes back).
    Qt::DropAction DragOver(const QMimeData* data, QObject* source, QPoint pos, Qt::KeyboardModifiers modifiers);
    void DragLeft();
    // The selection in clipboard form (plain text and ClipboardBlockFormat), owned by the caller; null when
    // nothing is selected.
    QMimeData* MakeDragData() const;

    TZefGutterClickEvent OnGutterClick;
    TZefMouseCursorEvent OnMouseCursor;
    TZefDropFilesEvent OnDropFiles;
    TZefClearBookmarkEvent OnClearBookmark;
    TZefMouseEvent OnMouseDown;
    TZefMouseEvent OnMouseUp;
    TZefMouseEvent OnDblClick;
    // ---- end of mouse, clipboard, drag and drop, bookmarks ----

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
    // Recomputes the visible rows and columns from the text area (with fontChanged also the gutter width and
    // the caret shape, and repaints everything); clamps the view.
    void LayoutChanged(bool fontChanged = false);
    // Painting.
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // The input-method composition window follows the caret.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // Mouse and drag events (ZefEditMouse.cpp, ZefEditDragDrop.cpp).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Turns on hover tracking (for the pointer shape) and drops (text from editor controls, files).
    void showEvent(QShowEvent* event) override;
    // Drags the selection: runs a nested loop until the drop or the cancel, while MouseState().Dragging is set.
    // Tests override it to play the drag through DragOver / DragLeft / DropData.
    virtual void StartTextDrag();

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
    // The paste itself, as one undo step, of text in mode replacing the selection.
    void InsertPastedText(TZefSelectionMode mode, const std::string& text);
    // ReplaceSelectionRecorded without its read-only check, for the programmatic SetSelectedText.
    void ReplaceSelectionExact(TUndoKind kind, TZefSelectionMode pasteMode, std::string_view text);

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
    // Lines added during a change whose widths MaxLineWidth grows to when it ends (-1: none).
    int widthFirst_ = -1;
    int widthLast_ = -1;
    bool redoInProgress_ = false; // set while redo applies records, so the undo records it adds keep the redo list

    // ---- Undo and editing internals (ZefEditUndo.cpp and the editing command files). ----
    class TEditScope;
    // Replaces lines firstLine .. firstLine + oldCount - 1 by newLines (at least one) and records the smallest
    // changed range as kind, byte-exact; the change is looked for at or before hint. Unless the edit scope
    // records its own marks, selection marks are added where undo (redo) placing the caret by the record alone
    // would not bring back the caret of now (caretAfter). Answers whether text changed.
    bool ChangeLines(TUndoKind kind, int firstLine, int oldCount, const std::vector<std::string>& newLines,
                     TBufferCoord hint, TBufferCoord caretAfter, bool shiftMarks = true);
    // The recording half of ChangeLines, for a change already known exactly: oldText (between start and oldEnd)
    // becomes newText. Costs what the change costs, whatever the length of its line.
    void ChangeRange(TUndoKind kind, TBufferCoord start, TBufferCoord oldEnd, const std::string& oldText,
                     std::string_view newText, TBufferCoord caretAfter, bool shiftMarks = true);
    // Records the change that an operation already made to a run of lines (oldJoined: the run before, CR LF
    // between lines; the run now starts at firstLine and has newCount lines).
    void RecordLinesChange(TUndoKind kind, int firstLine, const std::string& oldJoined, int newCount,
                           TBufferCoord caretBefore);
    std::string JoinedLines(int firstLine, int lastLine) const;
    // The exact replacement under everything: text from start to end becomes text; marks follow; answers the
    // end of the inserted text.
    TBufferCoord ReplaceExact(TBufferCoord start, TBufferCoord end, std::string_view text, bool shiftMarks = true);
    // oldText is taken over by the record.
    void AddContentRecords(TUndoKind kind, TBufferCoord start, TBufferCoord oldEnd, TBufferCoord newEnd,
                           std::string oldText, bool pureDeletion);
    // markMode: 0 marks only where one change needs them, 1 marks around the whole command, 2 no marks.
    void BeginEditScope(int markMode);
    void EndEditScope();
    void RecordLeadingMark();
    void ApplyUndoRecord(const TZefEditUndoItem& record);
    void ApplyRedoRecord(const TZefEditUndoItem& record);
    void RestoreMark(const TZefEditUndoItem& record);
    void RefreshModified();
    // Moves the caret (into view) and collapses the selection there, clamped as a caret move would.
    void CaretTo(TBufferCoord position);
    std::string TrimmedForStore(std::string text) const;
    // Deletes the selection in SelectionMode() through ReplaceSelection and records it as kind.
    void DeleteSelectionRecorded(TUndoKind kind);
    bool LineHasNoTabs(int line) const;
    void TypeChar(char c);
    // Typing one character into the caret line without rebuilding the line; false when the case needs the
    // general path (padding, an empty line, trimming that would change the line).
    bool TypeCharInPlace(char c);
    // Typing past the right edge of the window scrolls a quarter-screen step on.
    void ScrollAfterTyping();
    void InsertImeString(std::string_view text);
    void InsertAtCaretReplacingSelection(std::string_view text);
    void LineBreak(bool moveCaret);
    void DeleteLastChar();
    // Deletes count characters of one line from `from` on without rebuilding the line; false when trimming
    // would change more than that (the general path handles it).
    bool DeleteInLine(TUndoKind kind, TBufferCoord from, int count, TBufferCoord caretAfter);
    void DeleteChar();
    void DeleteForwardTo(bool toWordEnd);
    void DeleteBackwardTo(bool toWordStart);
    void DeleteCaretLine();
    int IndentOfLinesAbove(int line, int limit) const;
    bool IsLineStartSelection() const;
    void Tab();
    void ShiftTab();
    void BlockIndent(bool lineStartSelection);
    void BlockUnindent();
    void ConvertCase(TZefEditorCommand command);

    // Search and replace internals (ZefEditSearchReplace.cpp).
    class TSearchRun;
    friend class TSearchRun;
    TZefSearchEngineRef searchEngine_;
    // While set, replaced lines only widen the pending range; the batch replacement rescans it once.
    bool deferRangeScans_ = false;
    int deferredFirst_ = -1;
    int deferredLast_ = -1;

    int editDepth_ = 0;            // nesting of edit scopes; the outermost one owns the undo group
    int editMarkMode_ = 0;         // the outermost scope's markMode (BeginEditScope)
    bool editChanged_ = false;     // a content record was added inside the outermost scope
    TBufferCoord editAnchor_;      // selection when the outermost scope opened
    TBufferCoord editHead_;
    TBufferCoord editCaret_;
    // ---- end of undo and editing internals ----

    // ---- Painting state (ZefEditPaint*.cpp, ZefEditScroll.cpp, ZefEditView.cpp). ----
    struct TPaintRow;
    void AttachPainting();
    void DetachPainting();
    void LinesAdded(int index, int count);
    void LinesRemoved(int index, int count);
    void LineReplaced(int index, int count);
    // With eoAutoSizeMaxLineWidth, widens MaxLineWidth to the widest of lines first..last (0-based).
    void GrowMaxLineWidth(int first, int last);
    // Grows MaxLineWidth to the lines added during the change that ends (see widthFirst_).
    void GrowToAddedLines();
    void AddInvalidRect(const QRect& rect);
    void GutterChanged();
    void SetGutterPixels(int pixels);
    void HighlighterChanged(TZefPersistent* sender);
    // Lazy ranges: start over from the top; keep the mark exact after an edit (the first line to rescan and
    // the first line whose stored range is still its own end state from before the edit, both from 0;
    // answers the last line scanned); one idle slice.
    void RestartLazyRanges();
    int RescanAfterEdit(int first, int firstComparable);
    void RangeScanSlice();
    // Where idle slices stop: a look-ahead below the screen, or the document's end.
    int IdleScanEnd() const;
    void ScheduleRangeScan();
    mutable int rangeMark_ = 0;
    // Set while the control stores the ranges it scanned: the store brackets each SetRangeState, and a
    // range is no change of the text (the selection, scroll bars and view must not react to it).
    mutable bool storingRanges_ = false;
    QTimer* rangeTimer_ = nullptr; // owned by the control as a Qt child; made on first use
    void DrawGutter(QPainter& painter, const QRect& clip, int firstLine, int lastLine);
    void DrawMarks(QPainter& painter, int firstLine, int lastLine, std::vector<int>& offsets);
    void DrawTextArea(QPainter& painter, const QRect& clip, int firstLine, int lastLine, int firstColumn,
                      int lastColumn);
    void FillRowText(TPaintRow& row) const;
    void DrawLine(QPainter& painter, TPaintRow& row);
    void DrawCaret(QPainter& painter);
    TColor LineBackground(int line) const;
    QColor Resolve(TColor color, TColor fallback) const;
    void CaretBlink();
    void UpdateCaret();
    void ScrollBarAction(Qt::Orientation bar, int action);
    void ScrollBarValue(Qt::Orientation bar, int value);
    void ShowScrollHint();
    void HideScrollHint();

    TZefGutter gutter_;
    TZefTextDrawer drawer_;
    TZefCustomHighlighter* highlighter_ = nullptr;
    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    TColor activeLineColor_ = clNone;
    int rightEdge_ = 80;
    TColor rightEdgeColor_ = clSilver;
    int extraLineSpacing_ = 0;
    TZefSelectedColor selectedColor_;
    bool hideSelection_ = false;
    TZefCaretType insertCaret_ = ctVerticalLine;
    TZefCaretType overwriteCaret_ = ctBlock;
    TScrollStyle scrollBars_ = ssBoth;
    TColor scrollHintColor_ = clInfoBk;
    TZefScrollHintFormat scrollHintFormat_ = shfTopLineOnly;
    TZefBookmarkOptions bookmarkOptions_;
    bool caretAlwaysShown_ = false;
    bool caretBlinkOn_ = true;
    QRect caretDrawn_;                       // where the caret was last painted, to repaint it when it moves
    QTimer* caretTimer_ = nullptr;           // owned by the control as a Qt child
    QLabel* scrollHint_ = nullptr;           // owned by the control as a Qt child; made on first drag
    int fontAscent_ = 0;
    bool applyingFont_ = false;
    bool settingScrollBars_ = false;         // RefreshScrollBars is writing the bars: their signals are ours
    bool scrollBarsPending_ = false;
    int vRange_ = 1, hRange_ = 1;            // unscaled scroll ranges; the bars hold them scaled to 32767
    QRect pendingInvalidRect_;               // collected while the line store is changing
    bool recordInvalidations_ = false;
    std::vector<TZefInvalidation> invalidations_;
    // ---- end of painting state ----

    // ---- Mouse and drag state (ZefEditMouse.cpp, ZefEditDragDrop.cpp). ----
    // Recomputes ScrollTimer's deltas for the pointer at pixel, starting or stopping the timer.
    void ComputeScrollDeltas(QPoint pixel);
    void StopScrollTimer();
    void GutterClick(TZefMouseButton button, QPoint pixel);
    void UpdatePointerShape(QPoint pixel);
    // The caret follows a drag over this control (truncating, limited to the visible cells).
    void DragCaretTo(QPoint pixel);
    bool InSelection(TBufferCoord position) const;
    void EnsureScrollTimer();
    // ecSetMarker: data, when given, is the TBufferCoord to use instead of the caret.
    void ToggleBookmark(int n, void* data);
    TZefMouseState mouse_;
    QTimer* scrollTimer_ = nullptr; // owned by the control as a Qt child; made on first use
    // ---- end of mouse and drag state ----
};

// The control as the application uses it; everything is reached through TCustomZefEdit's members.
class TZefEdit : public TCustomZefEdit {
    Q_OBJECT

public:
    using TCustomZefEdit::TCustomZefEdit;
};
