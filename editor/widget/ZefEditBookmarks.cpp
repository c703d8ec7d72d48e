// The editor control's bookmarks 0..9: marks in the mark list that carry a bookmark number, and their commands.
//
// No separate slot array is kept: bookmark n is the mark in Marks() whose BookmarkIndex is n, so a mark list
// that is cleared (ClearDocument) or edited from outside can never leave a dangling slot behind.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int BookmarkCount = 10;

bool ValidBookmark(int n) { return n >= 0 && n < BookmarkCount; }

} // namespace

void TCustomZefEdit::SetBookmark(int n, int x, int y)
{
    if (!ValidBookmark(n) || y < 1 || y > std::max(1, lines_->Count())) return;
    auto mark = std::make_unique<TZefEditMark>(this);
    mark->SetMarkLine(y);
    mark->SetMarkChar(x);
    mark->SetGlyphIndex(n);
    mark->SetBookmarkIndex(n);
    mark->SetShown(true);
    // Without an application image list the control draws its own numbered glyphs.
    mark->SetUsesDefaultGlyphs(true);
    if (marks_->OnPlaceBookmark) {
        marks_->OnPlaceBookmark(marks_.get(), mark);
        if (!mark) return;
    }
    ClearBookmark(n);
    marks_->AddMark(std::move(mark));
}

void TCustomZefEdit::ClearBookmark(int n)
{
    if (!ValidBookmark(n)) return;
    TZefEditMark* mark = marks_->FindBookmark(n);
    if (mark == nullptr) return;
    if (OnClearBookmark) OnClearBookmark(this, mark);
    marks_->RemoveMark(mark); // the returned owner frees it here
}

bool TCustomZefEdit::GetBookmark(int n, int& x, int& y) const
{
    const TZefEditMark* mark = ValidBookmark(n) ? marks_->FindBookmark(n) : nullptr;
    if (mark == nullptr) return false;
    x = mark->MarkChar();
    y = mark->MarkLine();
    return true;
}

void TCustomZefEdit::GotoBookmark(int n)
{
    const TZefEditMark* mark = ValidBookmark(n) ? marks_->FindBookmark(n) : nullptr;
    if (mark == nullptr || mark->MarkLine() < 1 || mark->MarkLine() > lines_->Count()) return;
    TPaintLockGuard lock(*this);
    PlaceCaret(BufferCoord(mark->MarkChar(), mark->MarkLine()), false);
    EnsureCaretVisible(true);
    SetSelAnchor(caret_);
}

void TCustomZefEdit::ToggleBookmark(int n, void* data)
{
    // Toggles on the same line, moves the bookmark from another line.
    const TBufferCoord at = data != nullptr ? *static_cast<const TBufferCoord*>(data) : caret_;
    int x = 0;
    int y = 0;
    if (GetBookmark(n, x, y)) {
        ClearBookmark(n);
        if (y != at.Line) SetBookmark(n, at.Char, at.Line);
    } else {
        SetBookmark(n, at.Char, at.Line);
    }
}
