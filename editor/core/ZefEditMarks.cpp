// Gutter marks and the mark list: ownership, notifications and mark shifting.
// Covered by tests/editor/core/Marks_test.cpp.
#include "ZefEditMarks.h"

#include <algorithm>
#include <cstdint>
#include <utility>

TCustomZefEdit* TZefEditMark::Owner() const
{
    return list_ != nullptr && list_->Owner() == owner_ ? owner_ : nullptr;
}

void TZefEditMark::SetGlyphIndex(int value)
{
    if (value == glyphIndex_) return;
    glyphIndex_ = value;
    InvalidateLines(markLine_, markLine_);
}

void TZefEditMark::SetMarkLine(int value)
{
    if (value == markLine_) return;
    const int oldLine = markLine_;
    markLine_ = value;
    InvalidateLines(oldLine, value);
}

void TZefEditMark::SetShown(bool value)
{
    if (value == shown_) return;
    shown_ = value;
    // Hiding must repaint too, so this does not depend on the new value.
    InvalidateLines(markLine_, markLine_, true);
}

void TZefEditMark::SetUsesDefaultGlyphs(bool value)
{
    if (value == usesDefaultGlyphs_) return;
    usesDefaultGlyphs_ = value;
    InvalidateLines(markLine_, markLine_);
}

void TZefEditMark::InvalidateLines(int oldLine, int newLine, bool force) const
{
    if (list_ == nullptr || !(shown_ || force)) return;
    if (list_->OnInvalidateLines) list_->OnInvalidateLines(oldLine, newLine);
}

TZefEditMarkList::~TZefEditMarkList()
{
    for (auto& mark : marks_) mark->list_ = nullptr;
}

TZefEditMark* TZefEditMarkList::Item(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return marks_[static_cast<size_t>(index)].get();
}

int TZefEditMarkList::IndexOf(const TZefEditMark* mark) const
{
    for (int i = 0; i < Count(); ++i)
        if (marks_[static_cast<size_t>(i)].get() == mark) return i;
    return -1;
}

TZefEditMark* TZefEditMarkList::Append(std::unique_ptr<TZefEditMark> mark)
{
    mark->list_ = this;
    marks_.push_back(std::move(mark));
    return marks_.back().get();
}

TZefEditMark* TZefEditMarkList::AddMark(std::unique_ptr<TZefEditMark> mark)
{
    if (!mark) return nullptr;
    TZefEditMark* added = Append(std::move(mark));
    Changed();
    return added;
}

TZefEditMark* TZefEditMarkList::PlaceMark(std::unique_ptr<TZefEditMark> mark)
{
    if (OnPlaceBookmark) OnPlaceBookmark(this, mark);
    TZefEditMark* placed = mark ? Append(std::move(mark)) : nullptr;
    Changed();
    return placed;
}

std::unique_ptr<TZefEditMark> TZefEditMarkList::RemoveMark(TZefEditMark* mark)
{
    const int index = IndexOf(mark);
    if (index < 0) return nullptr;
    std::unique_ptr<TZefEditMark> removed = std::move(marks_[static_cast<size_t>(index)]);
    marks_.erase(marks_.begin() + index);
    removed->list_ = nullptr;
    Changed();
    return removed;
}

void TZefEditMarkList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    marks_.erase(marks_.begin() + index);
    Changed();
}

void TZefEditMarkList::ClearLineMarks(int line)
{
    bool removed = false;
    for (int i = Count() - 1; i >= 0; --i) {
        const TZefEditMark& mark = *marks_[static_cast<size_t>(i)];
        if (mark.MarkLine() == line && !mark.IsBookmark()) {
            marks_.erase(marks_.begin() + i);
            removed = true;
        }
    }
    if (removed) Changed();
}

void TZefEditMarkList::Clear()
{
    if (marks_.empty()) return;
    marks_.clear();
    Changed();
}

TZefEditMarks TZefEditMarkList::MarksForLine(int line) const
{
    TZefEditMarks result{};
    size_t used = 0;
    for (const auto& mark : marks_) {
        if (used == result.size()) break;
        if (mark->MarkLine() == line) result[used++] = mark.get();
    }
    return result;
}

TZefEditMark* TZefEditMarkList::FindBookmark(int n) const
{
    for (const auto& mark : marks_)
        if (mark->BookmarkIndex() == n) return mark.get();
    return nullptr;
}

void TZefEditMarkList::LinesInserted(int firstNewLine, int count)
{
    if (count <= 0) return;
    for (const auto& mark : marks_)
        if (mark->MarkLine() >= firstNewLine) mark->SetMarkLine(mark->MarkLine() + count);
}

void TZefEditMarkList::LinesRemoved(int firstRemovedLine, int count)
{
    if (count <= 0) return;
    const int64_t lastRemoved = int64_t{firstRemovedLine} + count - 1;
    for (const auto& mark : marks_) {
        const int line = mark->MarkLine();
        if (line >= lastRemoved)
            mark->SetMarkLine(std::max(1, line - count));  // a mark of a removed first line stays on line 1
        else if (line > firstRemovedLine)
            mark->SetMarkLine(firstRemovedLine);
    }
}

void TZefEditMarkList::Changed()
{
    if (OnChange) OnChange(this);
}
