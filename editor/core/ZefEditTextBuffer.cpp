// The line store: record array, line operations with their notifications, tab expansion and text splitting.
// Loading from and saving to files and streams is in ZefEditFileIO.cpp.
#include "ZefEditTextBuffer.h"

#include "ZefRegularFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

static_assert(sizeof(TZefEditStringRec) == 32, "one line costs 32 bytes in the array");
static_assert(std::is_trivially_copyable_v<TZefEditStringRec>, "records move with memmove");

// ---------------------------------------------------------------------------------------------------------
// Errors

EZefEditStringList::EZefEditStringList(int index)
    : std::out_of_range("Invalid stringlist index " + std::to_string(index)), index_(index)
{
}

EZefFileError::EZefFileError(const std::string& fileName, const std::string& reason, int errorNumber)
    : EZefFileError("Cannot access file", fileName, reason, errorNumber)
{
}

EZefFileError::EZefFileError(std::string_view action, const std::string& fileName, const std::string& reason,
                             int errorNumber)
    : std::runtime_error(std::string(action) + (fileName.empty() ? std::string() : " \"" + fileName + "\"") + ". " +
                         reason),
      fileName_(fileName), errorNumber_(errorNumber)
{
}

EZefFileError::EZefFileError(WholeMessage, const std::string& message, const std::string& fileName, int errorNumber)
    : std::runtime_error(message), fileName_(fileName), errorNumber_(errorNumber)
{
}

EZefFileError EZefFileError::NotRegularFile(const std::string& fileName, bool isFolder)
{
    return EZefFileError(WholeMessage{}, ZefNotRegularFileMessage(fileName), fileName, isFolder ? EISDIR : EINVAL);
}

EZefFileError EZefFileError::FromErrno(std::string_view action, const std::string& fileName, int errorNumber)
{
    return EZefFileError(action, fileName, std::strerror(errorNumber), errorNumber);
}

// ---------------------------------------------------------------------------------------------------------
// Tab expansion: three routines with identical results for widths above 1; the mask one avoids a division.

namespace {

template <typename NextStop>
int ExpandWith(std::string_view line, std::string* expanded, NextStop nextStop)
{
    const char* p = line.data();
    const char* end = p + line.size();
    size_t column = 0;
    if (expanded) expanded->clear();
    while (p < end) {
        const char* tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<size_t>(end - p)));
        const char* segmentEnd = tab ? tab : end;
        if (expanded) expanded->append(p, segmentEnd);
        column += static_cast<size_t>(segmentEnd - p);
        if (!tab) break;
        size_t stop = nextStop(column);
        if (expanded) expanded->append(stop - column, '\t');
        column = stop;
        p = tab + 1;
    }
    return column > INT_MAX ? INT_MAX : static_cast<int>(column);
}

int ExpandTabsAsSpaces(std::string_view line, int, std::string* expanded)
{
    if (expanded) {
        expanded->assign(line);
        std::replace(expanded->begin(), expanded->end(), '\t', ' ');
    }
    return line.size() > INT_MAX ? INT_MAX : static_cast<int>(line.size());
}

int ExpandTabsPowerOfTwo(std::string_view line, int tabWidth, std::string* expanded)
{
    size_t mask = static_cast<size_t>(tabWidth) - 1;
    return ExpandWith(line, expanded, [mask](size_t column) { return (column | mask) + 1; });
}

int ExpandTabsAnyWidth(std::string_view line, int tabWidth, std::string* expanded)
{
    size_t width = static_cast<size_t>(tabWidth);
    return ExpandWith(line, expanded, [width](size_t column) { return column + width - column % width; });
}

TZefEditStringList::ExpandTabsFunc PickExpandTabs(int tabWidth)
{
    if (tabWidth <= 1) return ExpandTabsAsSpaces;
    if ((tabWidth & (tabWidth - 1)) == 0) return ExpandTabsPowerOfTwo;
    return ExpandTabsAnyWidth;
}

bool HasTab(std::string_view text) { return std::memchr(text.data(), '\t', text.size()) != nullptr; }

// Keeps OnBeforeChanges / OnAfterChanges balanced when an operation throws half-way.
class UpdateBracket {
public:
    explicit UpdateBracket(TZefEditStringList& list) : list_(list) { list_.BeginUpdate(); }
    ~UpdateBracket() noexcept(false) { list_.EndUpdate(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

private:
    TZefEditStringList& list_;
};

// First CR or LF in [p, end), or end. The buffer must be readable up to end + 15 (the load buffers are
// allocated with that padding) so that the vector loop needs no tail case.
const char* FindBreak(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (p < end) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (mask != 0) {
            const char* hit = p + __builtin_ctz(static_cast<unsigned>(mask));
            return hit < end ? hit : end;
        }
        p += 16;
    }
    return end;
#else
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
#endif
}

// Which breaks a text holds, one bit per style.
constexpr unsigned BreakBit(TLineBreakStyle style) { return 1u << style; }

// Steps over the line break at p (CR, LF or CR LF), if any, and gives its style.
const char* SkipBreak(const char* p, const char* end, TLineBreakStyle& style, bool& found)
{
    found = p < end;
    if (p < end && *p == '\r') {
        ++p;
        if (p < end && *p == '\n') {
            ++p;
            style = lbsCRLF;
        } else {
            style = lbsCR;
        }
    } else if (p < end && *p == '\n') {
        ++p;
        style = lbsLF;
    }
    return p;
}

// CR alone gives lbsCR, LF alone lbsLF; CR LF, no break at all and breaks of several kinds give lbsCRLF.
TLineBreakStyle DetectStyle(unsigned kinds)
{
    const bool sawCR = (kinds & (BreakBit(lbsCR) | BreakBit(lbsCRLF))) != 0;
    const bool sawLF = (kinds & (BreakBit(lbsLF) | BreakBit(lbsCRLF))) != 0;
    if (sawCR && !sawLF) return lbsCR;
    if (sawLF && !sawCR) return lbsLF;
    return lbsCRLF;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Life cycle and storage

TZefEditStringList::TZefEditStringList() : expandTabs_(PickExpandTabs(8)) {}

TZefEditStringList::~TZefEditStringList()
{
    OnAfterChanges = nullptr;
    OnBeforeChanges = nullptr;
    ReleaseRange(0, count_);
    std::free(lines_);
    std::free(loadBuffer_);
}

void TZefEditStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit) throw EZefEditStringList(index);
}

void TZefEditStringList::Reallocate(int capacity)
{
    if (capacity == capacity_) return;
    if (capacity == 0) {
        std::free(lines_);
        lines_ = nullptr;
        capacity_ = 0;
        return;
    }
    void* grown = std::realloc(static_cast<void*>(lines_), static_cast<size_t>(capacity) * sizeof(TZefEditStringRec));
    if (!grown) throw std::bad_alloc();
    lines_ = static_cast<TZefEditStringRec*>(grown);
    capacity_ = capacity;
}

void TZefEditStringList::GrowForOne()
{
    if (count_ < capacity_) return;
    Reallocate(capacity_ + GrowthStep());
}

int TZefEditStringList::GrowthStep() const
{
    return capacity_ > 64 ? capacity_ / 4 : 16;
}

void TZefEditStringList::OpenGap(int index, int count)
{
    std::memmove(static_cast<void*>(lines_ + index + count), static_cast<const void*>(lines_ + index),
                 static_cast<size_t>(count_ - index) * sizeof(TZefEditStringRec));
    count_ += count;
}

void TZefEditStringList::AssignText(TZefEditStringRec& rec, std::string_view text)
{
    // Builds the new storage first: text may be this very line's own storage.
    TZefEditStringRec fresh;
    unsigned flagBits = rec.raw[15] & (7u << TZefEditStringRec::kFlagShift);
    if (text.size() <= TZefEditStringRec::kInlineCapacity) {
        if (!text.empty()) std::memcpy(fresh.raw, text.data(), text.size());
        fresh.raw[15] = static_cast<unsigned char>(flagBits | text.size());
    } else {
        char* block = static_cast<char*>(std::malloc(text.size()));
        if (!block) throw std::bad_alloc();
        std::memcpy(block, text.data(), text.size());
        std::memcpy(fresh.raw, &block, sizeof block);
        uint64_t size = text.size();
        for (int i = 0; i < 7; ++i) fresh.raw[8 + i] = static_cast<unsigned char>(size >> (8 * i));
        fresh.raw[15] = static_cast<unsigned char>(flagBits | TZefEditStringRec::kLongBit);
    }
    ReleaseText(rec);
    std::memcpy(rec.raw, fresh.raw, sizeof rec.raw);
}

void TZefEditStringList::ReleaseText(TZefEditStringRec& rec)
{
    if (rec.IsLong()) {
        if (rec.IsSlice()) {
            if (--loadBufferUsers_ == 0) {
                std::free(loadBuffer_);
                loadBuffer_ = nullptr;
            }
        } else {
            std::free(const_cast<char*>(rec.LongData()));
        }
    }
    rec.raw[15] &= static_cast<unsigned char>(7u << TZefEditStringRec::kFlagShift);
}

void TZefEditStringList::ReleaseRange(int first, int count)
{
    for (int i = first; i < first + count; ++i) ReleaseText(lines_[i]);
}

void TZefEditStringList::InitNewLine(TZefEditStringRec& rec, std::string_view text)
{
    std::memset(static_cast<void*>(&rec), 0, sizeof rec);
    rec.RangeState = NullRange;
    rec.ExpandedWidth = -1;
    rec.SetFlags(lfWidthUnknown);
    AssignText(rec, text);
}

int TZefEditStringList::UpdateWidth(TZefEditStringRec& rec)
{
    std::string_view text = rec.Text();
    if (HasTab(text)) {
        rec.ExpandedWidth = expandTabs_(text, tabWidth_, nullptr);
        rec.SetFlags(lfHasTabs);
    } else {
        rec.ExpandedWidth = text.size() > INT_MAX ? INT_MAX : static_cast<int32_t>(text.size());
        rec.SetFlags(lfNoTabs);
    }
    return rec.ExpandedWidth;
}

// A line was inserted at index (the longest index already shifted): keep the known longest line valid
// by measuring only the new line, instead of forcing a rescan of the whole document.
void TZefEditStringList::NoteNewWidth(int index)
{
    if (longestLineIndex_ < 0) return;
    int width = UpdateWidth(lines_[index]);
    if (width > lines_[longestLineIndex_].ExpandedWidth) longestLineIndex_ = index;
}

void TZefEditStringList::SetCapacity(int capacity)
{
    if (capacity < count_) throw EListError("Stringlist capacity cannot be smaller than count");
    Reallocate(capacity);
}

// ---------------------------------------------------------------------------------------------------------
// Reading

void* TZefEditStringList::GetUserObject(int index) const
{
    if (index < 0 || index >= count_) return nullptr;
    return lines_[index].UserObject;
}

TZefRangeState TZefEditStringList::GetRangeState(int index) const
{
    if (index < 0 || index >= count_) return 0;
    return lines_[index].RangeState;
}

TZefLineFlags TZefEditStringList::GetLineFlags(int index) const
{
    if (index < 0 || index >= count_) return 0;
    return lines_[index].Flags();
}

TLineBreakStyle TZefEditStringList::GetLineBreak(int index) const
{
    if (index < 0 || index >= count_ || !lineBreaks_.Active()) return lineBreakStyle_;
    return lineBreaks_.At(index);
}

void TZefEditStringList::CopyLineBreaksFrom(const TZefEditStringList& source)
{
    lineBreakStyle_ = source.lineBreakStyle_;
    trailingLineBreak_ = source.trailingLineBreak_;
    loadedLoneBreak_ = source.loadedLoneBreak_ && count_ == source.count_;
    if (source.lineBreaks_.Active() && count_ == source.count_) {
        std::vector<TLineBreakStyle> breaks(static_cast<size_t>(count_));
        for (int i = 0; i < count_; ++i) breaks[static_cast<size_t>(i)] = source.lineBreaks_.At(i);
        lineBreaks_.Assign(std::move(breaks));
    } else {
        lineBreaks_.Clear();
    }
}

bool TZefEditStringList::IsEmptyDocument() const
{
    return count_ == 0 || (count_ == 1 && lines_[0].Text().empty() && !loadedLoneBreak_);
}

std::string TZefEditStringList::GetExpandedLine(int index)
{
    if (index < 0 || index >= count_) return {};
    TZefEditStringRec& rec = lines_[index];
    std::string_view text = rec.Text();
    if (rec.Flags() & lfNoTabs) return std::string(text);
    if (!HasTab(text)) {
        UpdateWidth(rec);
        return std::string(text);
    }
    std::string expanded;
    rec.ExpandedWidth = expandTabs_(text, tabWidth_, &expanded);
    rec.SetFlags(lfHasTabs);
    return expanded;
}

int TZefEditStringList::GetExpandedWidth(int index)
{
    if (index < 0 || index >= count_) return 0;
    TZefEditStringRec& rec = lines_[index];
    if (rec.Flags() & lfWidthUnknown) return UpdateWidth(rec);
    return rec.ExpandedWidth;
}

int TZefEditStringList::GetLongestLineWidth()
{
    if (count_ == 0) return 0;
    if (longestLineIndex_ < 0) {
        int best = -1;
        for (int i = 0; i < count_; ++i) {
            TZefEditStringRec& rec = lines_[i];
            int width = (rec.Flags() & lfWidthUnknown) ? UpdateWidth(rec) : rec.ExpandedWidth;
            if (width > best) {
                best = width;
                longestLineIndex_ = i;
            }
        }
    }
    return lines_[longestLineIndex_].ExpandedWidth;
}

// ---------------------------------------------------------------------------------------------------------
// Writing

namespace {

// A view into the record array moves when the array does; such a text is copied out first.
bool PointsInto(std::string_view text, const TZefEditStringRec* lines, int capacity)
{
    auto p = reinterpret_cast<uintptr_t>(text.data());
    auto begin = reinterpret_cast<uintptr_t>(lines);
    return lines && p >= begin && p < begin + static_cast<uintptr_t>(capacity) * sizeof(TZefEditStringRec);
}

} // namespace

void TZefEditStringList::ReplaceLine(int index, std::string_view text)
{
    if (index == count_) {
        AddLine(text);
        return;
    }
    CheckIndex(index, count_ - 1);
    UpdateBracket bracket(*this);
    loadedLoneBreak_ = false;
    TZefEditStringRec& rec = lines_[index];
    int oldWidth = rec.ExpandedWidth;
    AssignText(rec, text);
    rec.ExpandedWidth = -1;
    rec.SetFlags(lfWidthUnknown);
    if (longestLineIndex_ == index) {
        // The longest line stays the longest unless it got narrower.
        if (UpdateWidth(rec) < oldWidth) longestLineIndex_ = -1;
    } else {
        NoteNewWidth(index);
    }
    if (OnLineReplaced) OnLineReplaced(this, index, 1);
}

int TZefEditStringList::AddLine(std::string_view text)
{
    int index = count_;
    InsertLine(index, text);
    return index;
}

void TZefEditStringList::InsertLine(int index, std::string_view text)
{
    CheckIndex(index, count_);
    std::string copy;
    if (PointsInto(text, lines_, capacity_)) {
        copy.assign(text);
        text = copy;
    }
    UpdateBracket bracket(*this);
    GrowForOne();
    TZefEditStringRec rec;
    std::memset(static_cast<void*>(&rec), 0, sizeof rec);
    InitNewLine(rec, text);
    lineBreaks_.Insert(index, 1, lineBreakStyle_);
    loadedLoneBreak_ = false;
    OpenGap(index, 1);
    lines_[index] = rec;
    if (longestLineIndex_ >= index) ++longestLineIndex_;
    NoteNewWidth(index);
    if (OnLinesAdded) OnLinesAdded(this, index, 1);
}

void TZefEditStringList::DeleteLine(int index)
{
    CheckIndex(index, count_ - 1);
    UpdateBracket bracket(*this);
    ReleaseText(lines_[index]);
    std::memmove(static_cast<void*>(lines_ + index), static_cast<const void*>(lines_ + index + 1),
                 static_cast<size_t>(count_ - index - 1) * sizeof(TZefEditStringRec));
    --count_;
    lineBreaks_.Remove(index, 1);
    loadedLoneBreak_ = false;
    if (longestLineIndex_ == index) longestLineIndex_ = -1;
    else if (longestLineIndex_ > index) --longestLineIndex_;
    if (OnLinesRemoved) OnLinesRemoved(this, index, 1);
}

void TZefEditStringList::RemoveLines(int index, int count)
{
    if (count <= 0) return;
    CheckIndex(index, count_);
    int removed = std::min(count, count_ - index);
    if (removed == 0) return;
    ReleaseRange(index, removed);
    int after = count_ - index - removed;
    if (after > 0) {
        UpdateBracket bracket(*this);
        std::memmove(static_cast<void*>(lines_ + index), static_cast<const void*>(lines_ + index + removed),
                     static_cast<size_t>(after) * sizeof(TZefEditStringRec));
    }
    count_ -= removed;
    lineBreaks_.Remove(index, removed);
    loadedLoneBreak_ = false;
    if (longestLineIndex_ >= index + removed) longestLineIndex_ -= removed;
    else if (longestLineIndex_ >= index) longestLineIndex_ = -1;
    if (OnLinesRemoved) OnLinesRemoved(this, index, removed);
}

void TZefEditStringList::InsertEmptyLines(int index, int count)
{
    CheckIndex(index, count_);
    if (count <= 0) return;
    UpdateBracket bracket(*this);
    // Grows with the same slack as single inserts, so that pressing Enter repeatedly in a large document
    // does not reallocate the whole array every time.
    if (count_ + count > capacity_) Reallocate(std::max(count_ + count, capacity_ + GrowthStep()));
    lineBreaks_.Insert(index, count, lineBreakStyle_);
    loadedLoneBreak_ = false;
    OpenGap(index, count);
    std::memset(static_cast<void*>(lines_ + index), 0, static_cast<size_t>(count) * sizeof(TZefEditStringRec));
    // The new lines are zero wide, so a known longest line stays the longest.
    if (longestLineIndex_ >= index) longestLineIndex_ += count;
    if (OnLinesAdded) OnLinesAdded(this, index, count);
}

void TZefEditStringList::ExchangeLines(int index1, int index2)
{
    CheckIndex(index1, count_ - 1);
    CheckIndex(index2, count_ - 1);
    UpdateBracket bracket(*this);
    std::swap(lines_[index1], lines_[index2]);
    lineBreaks_.Exchange(index1, index2);
    if (longestLineIndex_ == index1) longestLineIndex_ = index2;
    else if (longestLineIndex_ == index2) longestLineIndex_ = index1;
}

void TZefEditStringList::AppendLines(const std::vector<std::string>& lines, const std::vector<void*>& objects)
{
    if (lines.empty()) return;
    longestLineIndex_ = -1;
    UpdateBracket bracket(*this);
    int first = count_;
    int added = static_cast<int>(lines.size());
    if (capacity_ < count_ + added) Reallocate((count_ + added + 15) / 16 * 16);
    lineBreaks_.Insert(first, added, lineBreakStyle_);
    loadedLoneBreak_ = false;
    for (int i = 0; i < added; ++i) {
        TZefEditStringRec& rec = lines_[count_];
        InitNewLine(rec, lines[static_cast<size_t>(i)]);
        rec.UserObject = static_cast<size_t>(i) < objects.size() ? objects[static_cast<size_t>(i)] : nullptr;
        ++count_;
    }
    if (OnLinesAdded) OnLinesAdded(this, first, added);
}

void TZefEditStringList::ClearAll()
{
    longestLineIndex_ = -1;
    lineBreaks_.Clear();
    loadedLoneBreak_ = false;
    if (count_ > 0) {
        UpdateBracket bracket(*this);
        ReleaseRange(0, count_);
        count_ = 0;
        Reallocate(0);
        if (OnAllCleared) OnAllCleared(this);
    } else {
        Reallocate(0);
    }
}

void TZefEditStringList::SetUserObject(int index, void* object)
{
    CheckIndex(index, count_ - 1);
    UpdateBracket bracket(*this);
    lines_[index].UserObject = object;
}

void TZefEditStringList::SetRangeState(int index, TZefRangeState value)
{
    CheckIndex(index, count_ - 1);
    UpdateBracket bracket(*this);
    lines_[index].RangeState = value;
}

void TZefEditStringList::SetTabWidth(int width)
{
    if (width == tabWidth_) return;
    tabWidth_ = width;
    expandTabs_ = PickExpandTabs(width);
    longestLineIndex_ = -1;
    for (int i = 0; i < count_; ++i) {
        lines_[i].ExpandedWidth = -1;
        lines_[i].SetFlags(static_cast<TZefLineFlags>((lines_[i].Flags() & ~lfNoTabs) | lfWidthUnknown));
    }
}

void TZefEditStringList::BeginUpdate()
{
    if (++updateCount_ == 1 && OnBeforeChanges) OnBeforeChanges(this);
}

void TZefEditStringList::EndUpdate()
{
    if (--updateCount_ == 0 && OnAfterChanges) OnAfterChanges(this);
}

// ---------------------------------------------------------------------------------------------------------
// Whole text

std::string TZefEditStringList::GetText() const
{
    size_t size = 0;
    for (int i = 0; i < count_; ++i) size += lines_[i].Text().size() + 2;
    std::string text;
    text.reserve(size);
    for (int i = 0; i < count_; ++i) {
        text.append(lines_[i].Text());
        text.append("\r\n");
    }
    return text;
}

void TZefEditStringList::SetText(std::string_view text)
{
    UpdateBracket bracket(*this);
    char* buffer = static_cast<char*>(std::malloc(text.size() + kLoadPadding));
    if (!buffer) throw std::bad_alloc();
    if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
    std::memset(buffer + text.size(), 0, kLoadPadding);
    LoadBytes(buffer, text.size(), false);
}

void TZefEditStringList::LoadBytes(char* buffer, size_t size, bool asFile)
{
    // Takes the buffer over: lines longer than the inline capacity become slices of it, and it is freed
    // when the last of them goes.
    struct Owner {
        char* buffer;
        ~Owner() { std::free(buffer); }
    } owner{buffer};
    ClearAll();
    if (loadBufferUsers_ == 0) {
        std::free(loadBuffer_);
        loadBuffer_ = nullptr;
    }
    const char* end = buffer + size;
    const bool endsWithBreak = size > 0 && (end[-1] == '\r' || end[-1] == '\n');
    const bool lineAfterFinalBreak = asFile && !trailingLineBreak_;

    // Count the lines first so that the array is allocated once, at exactly the size needed, and learn
    // which breaks occur: only a file with breaks of several kinds needs each line's break kept.
    size_t lines = 0;
    unsigned kinds = 0;
    TLineBreakStyle kind = lbsCRLF;
    bool found = false;
    for (const char* p = buffer; p < end;) {
        p = SkipBreak(FindBreak(p, end), end, kind, found);
        if (found) kinds |= BreakBit(kind);
        ++lines;
    }
    if (endsWithBreak && lineAfterFinalBreak) ++lines;
    if (lines > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
    const TLineBreakStyle style = DetectStyle(kinds);
    const bool mixed = asFile && (kinds & (kinds - 1)) != 0;
    std::vector<TLineBreakStyle> breaks;
    if (mixed) breaks.reserve(lines);
    Reallocate(static_cast<int>(lines));
    loadBuffer_ = buffer;
    owner.buffer = nullptr;

    for (const char* p = buffer; p < end;) {
        const char* lineEnd = FindBreak(p, end);
        TZefEditStringRec& rec = lines_[count_];
        std::memset(static_cast<void*>(&rec), 0, sizeof rec);
        rec.RangeState = NullRange;
        rec.ExpandedWidth = -1;
        size_t length = static_cast<size_t>(lineEnd - p);
        if (length <= TZefEditStringRec::kInlineCapacity) {
            std::memcpy(rec.raw, p, length);
            rec.raw[15] = static_cast<unsigned char>(length);
        } else {
            std::memcpy(rec.raw, &p, sizeof p);
            for (int i = 0; i < 7; ++i) rec.raw[8 + i] = static_cast<unsigned char>(uint64_t{length} >> (8 * i));
            rec.raw[15] = TZefEditStringRec::kLongBit | TZefEditStringRec::kSliceBit;
            ++loadBufferUsers_;
        }
        rec.SetFlags(lfWidthUnknown);
        ++count_;
        p = SkipBreak(lineEnd, end, kind, found);
        if (mixed) breaks.push_back(found ? kind : style);
        if (OnLinesAdded) OnLinesAdded(this, count_ - 1, 1);
    }
    if (endsWithBreak && lineAfterFinalBreak) {
        InitNewLine(lines_[count_], {});
        ++count_;
        if (mixed) breaks.push_back(style);
        if (OnLinesAdded) OnLinesAdded(this, count_ - 1, 1);
    }
    if (loadBufferUsers_ == 0) {
        std::free(loadBuffer_);
        loadBuffer_ = nullptr;
    }
    if (!asFile) return;
    lineBreakStyle_ = style;
    lineBreaks_.Assign(std::move(breaks));
    if (!lineAfterFinalBreak) {
        trailingLineBreak_ = endsWithBreak || size == 0;
        loadedLoneBreak_ = count_ == 1 && endsWithBreak && lines_[0].Text().empty();
    }
}

// ---------------------------------------------------------------------------------------------------------
// Tab expansion entry points and test dump

int TZefEditStringList::ExpandedWidthOf(std::string_view text, int tabWidth)
{
    return PickExpandTabs(tabWidth)(text, tabWidth, nullptr);
}

std::string TZefEditStringList::ExpandTabs(std::string_view text, int tabWidth)
{
    std::string expanded;
    PickExpandTabs(tabWidth)(text, tabWidth, &expanded);
    return expanded;
}

std::string TZefEditStringList::DebugDump() const
{
    static const char hex[] = "0123456789ABCDEF";
    std::string dump;
    for (int i = 0; i < count_; ++i) {
        const TZefEditStringRec& rec = lines_[i];
        dump += std::to_string(i) + " \"";
        for (unsigned char c : rec.Text()) {
            switch (c) {
            case '\t': dump += "\\t"; break;
            case '\r': dump += "\\r"; break;
            case '\n': dump += "\\n"; break;
            case '\\': dump += "\\\\"; break;
            case '"': dump += "\\\""; break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    dump += "\\x";
                    dump += hex[c >> 4];
                    dump += hex[c & 15];
                } else {
                    dump += static_cast<char>(c);
                }
            }
        }
        dump += "\" range=" + std::to_string(rec.RangeState) + " width=" + std::to_string(rec.ExpandedWidth) +
                " flags=";
        TZefLineFlags flags = rec.Flags();
        if (flags == 0) dump += '-';
        if (flags & lfHasTabs) dump += 'T';
        if (flags & lfNoTabs) dump += 'N';
        if (flags & lfWidthUnknown) dump += 'U';
        if (rec.UserObject) dump += " obj";
        dump += '\n';
    }
    return dump;
}
