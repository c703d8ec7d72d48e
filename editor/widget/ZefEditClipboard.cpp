// The editor control's clipboard: copy, cut and paste of plain text (code page 1252 <-> Unicode, LF between
// lines as other programs expect) and of the private block format that carries the selection mode, each
// paste one undo step; the primary selection of X11 and Wayland offered on selecting and pasted by a middle
// click. Every clipboard is reached through the desktop seam.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"
#include "ZefEditScope.h"

#include "CodePage1252.h"
#include "ZefDesktop.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <QMimeData>

#include <cstdlib>
#include <optional>

namespace {

// Holds an undo group open for a scope, also when the paste throws half way.
class TUndoGroupGuard {
public:
    explicit TUndoGroupGuard(TZefEditUndoList& list) : list_(list) { list_.BeginGroup(); }
    ~TUndoGroupGuard() { list_.EndGroup(); }
    TUndoGroupGuard(const TUndoGroupGuard&) = delete;
    TUndoGroupGuard& operator=(const TUndoGroupGuard&) = delete;

private:
    TZefEditUndoList& list_;
};

// Other programs take LF as the line break (a CR shows as a stray ^M in a terminal); a CR inside a line is
// text and stays.
std::string WithLfBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result.push_back(text[i]);
    }
    return result;
}

// What a paste inserts, and in which selection mode.
struct TPastedText {
    TZefSelectionMode mode;
    std::string text;
};

// The block format when present (it keeps the mode and the exact bytes), else the plain text in the
// control's own mode; nullopt when the data holds neither. A block without a valid mode byte throws.
std::optional<TPastedText> ReadPastedText(const QMimeData* data, TZefSelectionMode currentMode)
{
    if (data == nullptr) return std::nullopt;
    const QString blockFormat = QString::fromLatin1(ClipboardBlockFormat);
    if (data->hasFormat(blockFormat)) {
        const QByteArray block = data->data(blockFormat);
        const auto byte = block.isEmpty() ? 0xFF : static_cast<unsigned char>(block.front());
        if (byte > smColumn) throw EZefEditClipboard(ClipboardPasteFailed);
        // The text runs to the terminating zero byte when there is one; earlier NUL bytes are text.
        qsizetype length = block.size() - 1;
        if (length > 0 && block.back() == '\0') --length;
        return TPastedText{static_cast<TZefSelectionMode>(byte),
                           std::string(block.constData() + 1, static_cast<size_t>(length))};
    }
    if (data->hasText()) return TPastedText{currentMode, cp1252::FromUtf16(data->text().toStdU16String())};
    return std::nullopt;
}

} // namespace

QMimeData* TCustomZefEdit::MakeDragData() const
{
    std::string text;
    {
        // A column block is taken padded to its full width, whatever eoTrimTrailingSpaces says.
        auto& self = const_cast<TCustomZefEdit&>(*this);
        const TZefEditorOptions saved = options_;
        if (selectionMode_ == smColumn) self.options_ = options_.Without(eoTrimTrailingSpaces);
        text = SelectedText();
        self.options_ = saved;
    }
    if (text.empty()) return nullptr;
    auto* data = new QMimeData;
    data->setText(QString::fromStdU16String(cp1252::ToUtf16(WithLfBreaks(text))));
    QByteArray block;
    block.reserve(static_cast<qsizetype>(text.size()) + 2);
    block.append(static_cast<char>(selectionMode_));
    block.append(text.data(), static_cast<qsizetype>(text.size()));
    block.append('\0');
    data->setData(QString::fromLatin1(ClipboardBlockFormat), block);
    return data;
}

void TCustomZefEdit::CopySelection()
{
    if (!HasSelection()) return;
    QMimeData* data = MakeDragData();
    if (data == nullptr) return;
    TZefDesktop& desktop = ZefDesktop();
    if (!desktop.SetClipboardData(TZefClipboardMode::cmClipboard, data)) throw EZefEditClipboard(ClipboardCopyFailed);
    const QMimeData* stored = desktop.ClipboardData(TZefClipboardMode::cmClipboard);
    if (stored == nullptr || !stored->hasText() || !stored->hasFormat(QString::fromLatin1(ClipboardBlockFormat))) {
        throw EZefEditClipboard(ClipboardCopyFailed);
    }
}

void TCustomZefEdit::PublishPrimarySelection() const
{
    TZefDesktop& desktop = ZefDesktop();
    if (!HasSelection() || !desktop.SupportsClipboard(TZefClipboardMode::cmSelection)) return;
    // The primary selection is handed over as text at once: a selection of a big part of a big file (Select
    // All in a log of a gigabyte) would stop the editor for the copy on every selecting key, so it is left
    // as it was. Copy still takes any selection.
    if (std::abs(anchor_.Line - head_.Line) >= kPrimarySelectionMaxLines) return;
    // Selecting must never fail: a desktop that refuses the data only leaves the primary selection as it was.
    if (QMimeData* data = MakeDragData()) desktop.SetClipboardData(TZefClipboardMode::cmSelection, data);
}

void TCustomZefEdit::CutSelection()
{
    if (readOnly_ || !HasSelection()) return;
    CopySelection();
    TEditScope scope(*this, 1);
    DeleteSelectionRecorded(ucDeleteBlock);
}

bool TCustomZefEdit::CanPaste() const
{
    if (readOnly_) return false;
    const QMimeData* data = ZefDesktop().ClipboardData(TZefClipboardMode::cmClipboard);
    return data != nullptr && (data->hasText() || data->hasFormat(QString::fromLatin1(ClipboardBlockFormat)));
}

void TCustomZefEdit::PasteText()
{
    if (readOnly_) return;
    const std::optional<TPastedText> pasted =
        ReadPastedText(ZefDesktop().ClipboardData(TZefClipboardMode::cmClipboard), selectionMode_);
    if (pasted) InsertPastedText(pasted->mode, pasted->text);
}

void TCustomZefEdit::PastePrimarySelection(TBufferCoord position)
{
    TZefDesktop& desktop = ZefDesktop();
    if (readOnly_ || !desktop.SupportsClipboard(TZefClipboardMode::cmSelection)) return;
    // Read before the caret moves: the data belongs to the desktop and may be this control's own selection.
    const std::optional<TPastedText> pasted =
        ReadPastedText(desktop.ClipboardData(TZefClipboardMode::cmSelection), selectionMode_);
    if (!pasted || pasted->text.empty()) return;
    TPaintLockGuard lock(*this);
    SetCaretPos(position);
    InsertPastedText(pasted->mode, pasted->text);
}

void TCustomZefEdit::InsertPastedText(TZefSelectionMode mode, const std::string& text)
{
    if (text.empty()) return;
    TPaintLockGuard lock(*this);
    PaintTransient(ttBefore);
    {
        // ucPasteBegin / ucPasteEnd bracket the records, so undo and redo take the paste as one step.
        TUndoGroupGuard group(*undoList_);
        undoList_->AddRecord(ucPasteBegin, anchor_, head_, {}, selectionMode_);
        ReplaceSelectionRecorded(ucPaste, mode, text);
        undoList_->AddRecord(ucPasteEnd, anchor_, head_, {}, selectionMode_);
    }
    if (options_.Contains(eoHideShowScrollbars)) RefreshScrollBars();
    EnsureCaretVisible(false);
    StatusChanged(scSelection);
    PaintTransient(ttAfter);
}
