// The editor control's clipboard: copy, cut and paste of plain text (code page 1252 <-> Unicode) and of the
// private block format that carries the selection mode, each paste one undo step.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"
#include "ZefEditScope.h"

#include "CodePage1252.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

QClipboard* Clipboard() { return QGuiApplication::clipboard(); }

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
    data->setText(QString::fromStdU16String(cp1252::ToUtf16(text)));
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
    QClipboard* clipboard = Clipboard();
    if (clipboard == nullptr) {
        delete data;
        throw EZefEditClipboard(ClipboardCopyFailed);
    }
    clipboard->setMimeData(data); // the clipboard owns it now
    const QMimeData* stored = clipboard->mimeData();
    if (stored == nullptr || !stored->hasText() || !stored->hasFormat(QString::fromLatin1(ClipboardBlockFormat))) {
        throw EZefEditClipboard(ClipboardCopyFailed);
    }
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
    const QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr && (data->hasText() || data->hasFormat(QString::fromLatin1(ClipboardBlockFormat)));
}

void TCustomZefEdit::PasteText()
{
    if (readOnly_) return;
    const QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr) return;
    TZefSelectionMode mode = selectionMode_;
    std::string text;
    if (data->hasFormat(QString::fromLatin1(ClipboardBlockFormat))) {
        const QByteArray block = data->data(QString::fromLatin1(ClipboardBlockFormat));
        const auto byte = block.isEmpty() ? 0xFF : static_cast<unsigned char>(block.front());
        if (byte > smColumn) throw EZefEditClipboard(ClipboardPasteFailed);
        mode = static_cast<TZefSelectionMode>(byte);
        // The text runs to the terminating zero byte when there is one; earlier NUL bytes are text.
        qsizetype length = block.size() - 1;
        if (length > 0 && block.back() == '\0') --length;
        text.assign(block.constData() + 1, static_cast<size_t>(length));
    } else if (data->hasText()) {
        text = cp1252::FromUtf16(data->text().toStdU16String());
    } else {
        return;
    }
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
