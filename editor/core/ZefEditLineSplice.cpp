// In-place edits of one line: the line's heap block keeps spare room, so repeated typing at the end of a
// long line moves no more than the bytes after the caret, and the width cache is updated from the change
// instead of being measured again.
#include "ZefEditTextBuffer.h"

#include <malloc.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

namespace {

bool HasTabIn(std::string_view text)
{
    // Inserted texts are mostly a few bytes: a plain loop beats a library call there.
    if (text.size() < 32) {
        for (char c : text) {
            if (c == '\t') return true;
        }
        return false;
    }
    return std::memchr(text.data(), '\t', text.size()) != nullptr;
}

// True when text lies inside [begin, begin + size): such a text must be copied before the block moves.
bool Overlaps(std::string_view text, const void* begin, size_t size)
{
    if (text.empty() || begin == nullptr) return false;
    const auto p = reinterpret_cast<uintptr_t>(text.data());
    const auto b = reinterpret_cast<uintptr_t>(begin);
    return p >= b && p < b + size;
}

void StoreLongText(TZefEditStringRec& rec, char* data, size_t size)
{
    std::memcpy(rec.raw, &data, sizeof data);
    const uint64_t size64 = size;
    const unsigned flagBits = rec.raw[15] & (7u << TZefEditStringRec::kFlagShift);
    const auto tag = static_cast<unsigned char>(flagBits | TZefEditStringRec::kLongBit);
    if constexpr (std::endian::native == std::endian::little) {
        // The size in raw[8..14] and the tag in raw[15], in one store.
        const uint64_t word = (size64 & 0x00FF'FFFF'FFFF'FFFFu) | (uint64_t{tag} << 56);
        std::memcpy(rec.raw + 8, &word, sizeof word);
        return;
    }
    for (int i = 0; i < 7; ++i) rec.raw[8 + i] = static_cast<unsigned char>(size64 >> (8 * i));
    rec.raw[15] = tag;
}

// Room for a block that is being edited: half as much again, so appends cost amortised constant time.
size_t GrownCapacity(size_t needed) { return needed + std::max<size_t>(needed / 2, 64); }

// The width of text drawn from column0 (from 0) on, under the tab rule of the store.
size_t WidthFrom(size_t column0, std::string_view text, int tabWidth)
{
    size_t column = column0;
    for (char c : text) {
        if (c == '\t' && tabWidth > 1) {
            const size_t width = static_cast<size_t>(tabWidth);
            column = (column / width + 1) * width;
        } else {
            ++column;
        }
    }
    return column;
}

int ClampWidth(size_t width) { return width > INT_MAX ? INT_MAX : static_cast<int>(width); }

} // namespace

void TZefEditStringList::ReplaceInLine(int index, size_t offset, size_t length, std::string_view text)
{
    CheckIndex(index, Count() - 1);
    BeginUpdate();
    try {
        SpliceLine(index, offset, length, text);
        if (OnLineReplaced) OnLineReplaced(this, index, 1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZefEditStringList::SpliceLine(int index, size_t offset, size_t length, std::string_view text)
{
    if (index < 0 || index >= Count()) throw EZefEditStringList(index);
    if (Overlaps(text, GetLine(index).data(), GetLine(index).size())) {
        // Text from the line itself moves with the edit: it is copied first. Other lines' text stays put.
        const std::string copy(text);
        SpliceLine(index, offset, length, copy);
        return;
    }
    TZefEditStringRec& rec = OwnRecord(index);
    const std::string_view old = rec.Text();
    offset = std::min(offset, old.size());
    length = std::min(length, old.size() - offset);
    loadedLoneBreak_ = false;
    const int oldWidth = rec.ExpandedWidth;
    const TZefLineFlags oldFlags = rec.Flags();
    SpliceText(rec, offset, length, text);
    UpdateWidthAfterSplice(rec, oldWidth, oldFlags, offset, length, text);
    if (longestLineIndex_ == index) {
        const int width = UpdateWidthIfUnknown(rec);
        // Compared with the longest width, not the line's old one: that may never have been measured.
        if (width < longestLineWidth_) longestLineIndex_ = -1;
        else longestLineWidth_ = width;
    } else if (longestLineIndex_ >= 0) {
        const int width = UpdateWidthIfUnknown(rec);
        if (width > longestLineWidth_) SetLongest(index, width);
    }
}

TZefEditStringList::TSpliceBatch::TSpliceBatch(TZefEditStringList& list) : list_(list) { list_.BeginUpdate(); }

TZefEditStringList::TSpliceBatch::~TSpliceBatch() noexcept(false)
{
    if (!open_) return;
    // While an error is on its way out, it is the one the caller sees: the bracket still ends.
    if (std::uncaught_exceptions() > 0) {
        try {
            Close();
        } catch (...) {
        }
        return;
    }
    Close();
}

void TZefEditStringList::TSpliceBatch::Splice(int index, size_t offset, size_t length, std::string_view text)
{
    list_.SpliceLine(index, offset, length, text);
    first_ = first_ < 0 ? index : std::min(first_, index);
    last_ = std::max(last_, index);
}

void TZefEditStringList::TSpliceBatch::Close()
{
    if (!open_) return;
    open_ = false;
    try {
        if (first_ >= 0 && list_.OnLineReplaced) list_.OnLineReplaced(&list_, first_, last_ - first_ + 1);
    } catch (...) {
        list_.EndUpdate();
        throw;
    }
    list_.EndUpdate();
}

void TZefEditStringList::SpliceText(TZefEditStringRec& rec, size_t offset, size_t length, std::string_view text)
{
    const std::string_view old = rec.Text();
    const size_t tail = old.size() - offset - length;
    const size_t newSize = old.size() - length + text.size();
    const bool ownBlock = rec.IsLong() && !rec.IsSlice();
    if (ownBlock && length == text.size()) {
        // As long as what it replaces: written over it, nothing else moves.
        if (length > 0) std::memcpy(const_cast<char*>(rec.LongData()) + offset, text.data(), length);
        return;
    }
    if (ownBlock && newSize > TZefEditStringRec::kInlineCapacity) {
        // Our own block: move the tail and write the text in place, growing the block when it is full.
        char* data = const_cast<char*>(rec.LongData());
        if (newSize > old.size() && newSize > malloc_usable_size(data)) {
            char* grown = static_cast<char*>(std::realloc(data, GrownCapacity(newSize)));
            if (grown == nullptr) throw std::bad_alloc();
            data = grown;
            StoreLongText(rec, data, old.size());
        }
        if (tail > 0) std::memmove(data + offset + text.size(), data + offset + length, tail);
        if (!text.empty()) std::memcpy(data + offset, text.data(), text.size());
        StoreLongText(rec, data, newSize);
        return;
    }
    if (newSize <= TZefEditStringRec::kInlineCapacity) {
        std::string joined;
        joined.reserve(newSize);
        joined.append(old.substr(0, offset)).append(text).append(old.substr(offset + length));
        AssignText(rec, joined);
        return;
    }
    // Inline text or a slice of the load buffer: the line gets a block of its own, with room to grow.
    char* data = static_cast<char*>(std::malloc(GrownCapacity(newSize)));
    if (data == nullptr) throw std::bad_alloc();
    if (offset > 0) std::memcpy(data, old.data(), offset);
    if (!text.empty()) std::memcpy(data + offset, text.data(), text.size());
    if (tail > 0) std::memcpy(data + offset + text.size(), old.data() + offset + length, tail);
    ReleaseText(rec);
    StoreLongText(rec, data, newSize);
}

void TZefEditStringList::UpdateWidthAfterSplice(TZefEditStringRec& rec, int oldWidth, TZefLineFlags oldFlags,
                                                size_t offset, size_t length, std::string_view text)
{
    const size_t newSize = rec.Text().size();
    if (oldFlags & lfWidthUnknown) {
        rec.ExpandedWidth = -1;
        rec.SetFlags(lfWidthUnknown);
        return;
    }
    const bool textHasTabs = HasTabIn(text);
    if ((oldFlags & lfNoTabs) && !textHasTabs) {
        rec.ExpandedWidth = ClampWidth(newSize);
        rec.SetFlags(lfNoTabs);
        return;
    }
    if (length == 0 && offset + text.size() == newSize && oldWidth < INT_MAX) {
        // Appended at the end: the old width is where the new text starts.
        rec.ExpandedWidth = ClampWidth(WidthFrom(static_cast<size_t>(oldWidth), text, tabWidth_));
        rec.SetFlags(((oldFlags & lfHasTabs) || textHasTabs) ? lfHasTabs : lfNoTabs);
        return;
    }
    UpdateWidth(rec);
}

int TZefEditStringList::UpdateWidthIfUnknown(TZefEditStringRec& rec)
{
    return (rec.Flags() & lfWidthUnknown) ? UpdateWidth(rec) : rec.ExpandedWidth;
}
