// The editor control's lifetime, properties and options, paint lock, status changes and the modified flag.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"
#include "ZefKeyboardInput.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace {

// The editor font: "Courier New" 10 points, or the platform's fixed-pitch font when that family is missing
// or not fixed pitch, so every character cell has the same width.
QFont EditorFont()
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSize(10);
        return fixed;
    }
    return font;
}

} // namespace

TCustomZefEdit::TCustomZefEdit(QWidget* parent)
    : QAbstractScrollArea(parent),
      lines_(std::make_unique<TZefEditStringList>()),
      undoList_(std::make_unique<TZefEditUndoList>()),
      redoList_(std::make_unique<TZefEditUndoList>()),
      marks_(std::make_unique<TZefEditMarkList>(this)),
      keystrokes_(this),
      keyboard_(std::make_unique<TZefKeyboardInput>(
          &keystrokes_, [this](TZefEditorCommand command, char ch, void* data) { DispatchCommand(command, ch, data); }))
{
    keystrokes_.LoadDefaultKeystrokes();
    AttachLineStore();
    undoList_->OnRecordAdded = [this](TZefEditUndoList* sender) { UndoRecordAdded(sender); };
    redoList_->OnRecordAdded = [this](TZefEditUndoList* sender) { UndoRecordAdded(sender); };
    marks_->OnChange = [this](TZefEditMarkList*) { viewport()->update(); };

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    setFont(EditorFont());
    resize(200, 150);
    MeasureFont(); // the visible rows and columns stay 0 until the first resize event lays the area out
    AttachPainting();
}

TCustomZefEdit::~TCustomZefEdit()
{
    DetachPainting();
    // The store, the lists and the marks outlive nothing of this object; cut their way back in first.
    lines_->OnBeforeChanges = nullptr;
    lines_->OnAfterChanges = nullptr;
    lines_->OnAllCleared = nullptr;
    undoList_->OnRecordAdded = nullptr;
    redoList_->OnRecordAdded = nullptr;
    marks_->OnChange = nullptr;
    marks_->OnInvalidateLines = nullptr;
}

void TCustomZefEdit::AttachLineStore()
{
    lines_->OnBeforeChanges = [this](TZefEditStringList*) {
        if (!storingRanges_) linesChanging_ = true;
    };
    lines_->OnAfterChanges = [this](TZefEditStringList*) {
        if (!storingRanges_) LinesAfterChanges();
    };
    lines_->OnAllCleared = [this](TZefEditStringList*) { LinesAllCleared(); };
}

void TCustomZefEdit::UndoRecordAdded(TZefEditUndoList* sender)
{
    const bool modified = !undoList_->IsAtSavedState();
    if (modified != modified_) {
        modified_ = modified;
        StatusChanged(scModified);
    }
    if (sender == undoList_.get() && !redoInProgress_ && undoList_->LastKind() != ucGroupBreak) {
        redoList_->ClearRecords();
    }
    if (sender->GroupDepth() == 0 && OnChange) OnChange(this);
}

void TCustomZefEdit::EndPaintLock()
{
    if (paintLock_ == 0) return;
    if (--paintLock_ > 0) return;
    if (scrollBarsPending_) RefreshScrollBars();
    FlushStatusChanges();
}

void TCustomZefEdit::StatusChanged(TZefStatusChanges changes)
{
    statusChanges_ |= changes;
    if (paintLock_ == 0) FlushStatusChanges();
}

void TCustomZefEdit::FlushStatusChanges()
{
    // Without a handler the set keeps growing until one is assigned and the next flush comes.
    if (!OnStatusChange || statusChanges_ == 0) return;
    const TZefStatusChanges changes = statusChanges_;
    statusChanges_ = 0;
    OnStatusChange(this, changes);
}

void TCustomZefEdit::PaintTransient(TTransientType type)
{
    if (type == ttBefore) {
        if (transientDepth_++ == 0 && OnPaintTransient) OnPaintTransient(this, nullptr, ttBefore);
    } else if (transientDepth_ > 0) {
        if (--transientDepth_ == 0 && OnPaintTransient) OnPaintTransient(this, nullptr, ttAfter);
    }
}

void TCustomZefEdit::SetSelectionMode(TZefSelectionMode mode)
{
    if (mode == selectionMode_) return;
    selectionMode_ = mode;
    if (HasSelection()) viewport()->update();
    StatusChanged(scSelection);
}

void TCustomZefEdit::SetInsertMode(bool value)
{
    if (value == insertMode_) return;
    insertMode_ = value;
    StatusChanged(scInsertMode);
}

void TCustomZefEdit::SetReadOnly(bool value)
{
    if (value == readOnly_) return;
    readOnly_ = value;
    StatusChanged(scReadOnly);
}

void TCustomZefEdit::SetModified(bool value)
{
    // Marking the state is idempotent, so a save of an unmodified document also re-marks the current state.
    if (!value && options_.Contains(eoGroupUndo) && undoList_->CanUndo()) undoList_->AddGroupBreak();
    undoList_->MarkSaved(!value);
    if (value != modified_) {
        modified_ = value;
        StatusChanged(scModified);
    }
}

void TCustomZefEdit::SetOptions(TZefEditorOptions options)
{
    if (options == options_) return;
    const TZefEditorOptions old = options_;
    TPaintLockGuard lock(*this);
    options_ = options;
    // The view limits depend on eoScrollPastEol / eoScrollPastEof: clamp the view again under the new set.
    SetTopVisibleLine(topLine_);
    SetLeftVisibleColumn(leftColumn_);
    if (!options_.Contains(eoScrollPastEol)) PlaceCaret(caret_, false);
    if (old.Contains(eoDropFiles) != options_.Contains(eoDropFiles)) setAcceptDrops(options_.Contains(eoDropFiles));
    if (old.Contains(eoShowSpecialChars) != options_.Contains(eoShowSpecialChars)) viewport()->update();
    RefreshScrollBars();
}

void TCustomZefEdit::SetTabWidth(int value)
{
    value = std::clamp(value, 1, 256);
    if (value == tabWidth_) return;
    tabWidth_ = value;
    lines_->SetTabWidth(value);
    viewport()->update();
}

void TCustomZefEdit::SetMaxLineWidth(int value)
{
    value = std::clamp(value, 1, MaxMaxLineWidth);
    if (value == maxLineWidth_) return;
    maxLineWidth_ = value;
    if (options_.Contains(eoScrollPastEol)) RefreshScrollBars();
}

void TCustomZefEdit::FitMaxLineWidthToLongestLine()
{
    if (lines_->GetLongestLineWidth() > maxLineWidth_) SetMaxLineWidth(lines_->GetLongestLineWidth());
}

int TCustomZefEdit::MaxUndo() const { return undoList_->Maximum(); }

void TCustomZefEdit::SetMaxUndo(int value)
{
    if (value < 0) return;
    undoList_->SetMaximum(value);
    redoList_->SetMaximum(value);
}

bool TCustomZefEdit::CanUndo() const { return !readOnly_ && undoList_->CanUndo(); }
bool TCustomZefEdit::CanRedo() const { return !readOnly_ && redoList_->CanUndo(); }
