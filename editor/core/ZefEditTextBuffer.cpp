// The line store: record array, line operations with their notifications, tab expansion and text splitting.
// Loading from and saving to files and streams is in ZefEditFileIO.cpp.
#include "ZefEditTextBuffer.h"
#include "ZefEditLoadParts.h"

#include "ZefRegularFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <thread>


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

// Bytes split between two calls of SetText's progress.
constexpr uint64_t kSetTextProgressStep = uint64_t{8} << 20;

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

bool HasTab(std::string_view text) { return !text.empty() && std::memchr(text.data(), '\t', text.size()) != nullptr; }

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

// From this size on a load scans its buffer in two parts on two threads.
std::atomic<size_t> g_twoPartsFrom{size_t{4} << 20};

using zefload::BreakBit;
using zefload::DetectStyle;
using zefload::FindBreak;
using zefload::SkipBreak;

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Life cycle and storage

TZefEditStringList::TZefEditStringList() : expandTabs_(PickExpandTabs(8)) {}

TZefEditStringList::~TZefEditStringList()
{
    OnAfterChanges = nullptr;
    OnBeforeChanges = nullptr;
    ReleaseAll();
}

void TZefEditStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit) throw EZefEditStringList(index);
}

void TZefEditStringList::ReleaseAll()
{
    blocks_.ForEachBlock([this](const TZefLineBlock& block) {
        for (TZefLineEntry entry : block.entries) {
            if (!zefentry::IsRecord(entry)) continue;
            TZefEditStringRec& rec = records_[zefentry::RecordOf(entry)];
            if (rec.IsLong() && !rec.IsSlice()) std::free(const_cast<char*>(rec.LongData()));
        }
    });
    records_.Clear();
    blocks_.Clear();
    std::free(loadBuffer_);
    loadBuffer_ = nullptr;
    loadEnd_ = nullptr;
    loadUsers_ = 0;
    uniformLoadedBreak_.reset();
}

std::string_view TZefEditStringList::LoadedText(const char* base, TZefLineEntry entry) const
{
    const uint32_t offset = zefentry::OffsetOf(entry);
    if (offset >= zefentry::kZeroedOffset) return {};
    const char* text = base + offset;
    return {text, static_cast<size_t>(FindBreak(text, loadEnd_) - text)};
}

void TZefEditStringList::DropLoadUser()
{
    if (--loadUsers_ > 0) return;
    std::free(loadBuffer_);
    loadBuffer_ = nullptr;
    loadEnd_ = nullptr;
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
        if (rec.IsSlice()) DropLoadUser();
        else std::free(const_cast<char*>(rec.LongData()));
    }
    rec.raw[15] &= static_cast<unsigned char>(7u << TZefEditStringRec::kFlagShift);
}

void TZefEditStringList::ReleaseEntry(TZefLineEntry entry)
{
    if (zefentry::IsRecord(entry)) {
        ReleaseText(records_[zefentry::RecordOf(entry)]);
        records_.Free(zefentry::RecordOf(entry));
    } else if (zefentry::IsLoaded(entry)) {
        DropLoadUser();
    }
}

void TZefEditStringList::InitNewLine(TZefEditStringRec& rec, std::string_view text)
{
    std::memset(static_cast<void*>(&rec), 0, sizeof rec);
    rec.ExpandedWidth = -1;
    rec.SetFlags(lfWidthUnknown);
    AssignText(rec, text);
}

TZefLineEntry TZefEditStringList::NewRecord(std::string_view text)
{
    const uint32_t number = records_.Allocate();
    try {
        InitNewLine(records_[number], text);
    } catch (...) {
        records_.Free(number);
        throw;
    }
    return zefentry::ForRecord(number);
}

uint32_t TZefEditStringList::NewSliceRecord(const char* data, size_t size)
{
    const uint32_t number = records_.Allocate();
    TZefEditStringRec& rec = records_[number];
    std::memset(static_cast<void*>(&rec), 0, sizeof rec);
    rec.ExpandedWidth = -1;
    std::memcpy(rec.raw, &data, sizeof data);
    for (int i = 0; i < 7; ++i) rec.raw[8 + i] = static_cast<unsigned char>(uint64_t{size} >> (8 * i));
    rec.raw[15] = TZefEditStringRec::kLongBit | TZefEditStringRec::kSliceBit;
    rec.SetFlags(lfWidthUnknown);
    return number;
}

TZefEditStringRec& TZefEditStringList::OwnRecord(int index)
{
    const TZefLineBlocks::TPlace place = blocks_.Locate(static_cast<size_t>(index));
    // The record is about to be changed: the block is no longer the loaded bytes.
    place.block->ForgetLoadedBytes();
    TZefLineEntry& entry = place.block->entries[place.position];
    if (zefentry::IsRecord(entry)) return records_[zefentry::RecordOf(entry)];
    const std::string_view text = LoadedText(place.block->base, entry);
    const bool loaded = zefentry::IsLoaded(entry);
    // Longer text stays where it is, now a slice of the buffer: still one user of it. Short text is copied.
    const bool slice = text.size() > TZefEditStringRec::kInlineCapacity;
    const uint32_t number = slice ? NewSliceRecord(text.data(), text.size()) : zefentry::RecordOf(NewRecord(text));
    if (loaded) --place.block->loadedLines;
    TZefEditStringRec& rec = records_[number];
    if (entry & zefentry::kKnownBit) UpdateWidth(rec);
    if (entry == zefentry::kZeroedLine) {
        rec.ExpandedWidth = 0;
        rec.SetFlags(0);
    }
    entry = zefentry::ForRecord(number);
    if (loaded && !slice) DropLoadUser();
    return rec;
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

int TZefEditStringList::MeasureLine(int index, TZefLineFlags* flags)
{
    const TZefLineBlocks::TPlace place = blocks_.Locate(static_cast<size_t>(index));
    TZefLineEntry& entry = place.block->entries[place.position];
    if (zefentry::IsRecord(entry)) {
        TZefEditStringRec& rec = records_[zefentry::RecordOf(entry)];
        const int width = UpdateWidthIfUnknown(rec);
        *flags = rec.Flags();
        return width;
    }
    if (entry == zefentry::kZeroedLine) {
        *flags = 0;
        return 0;
    }
    // A loaded line is measured from its text each time (it is short); the entry remembers that it was.
    entry |= zefentry::kKnownBit;
    const std::string_view text = LoadedText(place.block->base, entry);
    if (HasTab(text)) {
        *flags = lfHasTabs;
        return expandTabs_(text, tabWidth_, nullptr);
    }
    *flags = lfNoTabs;
    return static_cast<int>(text.size());
}

int TZefEditStringList::KnownWidth(int index) const
{
    const TZefLineBlocks::TPlace place = blocks_.Locate(static_cast<size_t>(index));
    const TZefLineEntry entry = place.block->entries[place.position];
    if (zefentry::IsRecord(entry)) return records_[zefentry::RecordOf(entry)].ExpandedWidth;
    if (entry == zefentry::kZeroedLine) return 0;
    if ((entry & zefentry::kKnownBit) == 0) return -1;
    return expandTabs_(LoadedText(place.block->base, entry), tabWidth_, nullptr);
}

// A line was inserted at index (the longest index already shifted): keep the known longest line valid
// by measuring only the new line, instead of forcing a rescan of the whole document.
void TZefEditStringList::NoteNewWidth(int index)
{
    if (longestLineIndex_ < 0) return;
    TZefLineFlags flags;
    const int width = MeasureLine(index, &flags);
    if (width > longestLineWidth_) SetLongest(index, width);
}

void TZefEditStringList::SetCapacity(int capacity)
{
    if (capacity < Count()) throw EListError("Stringlist capacity cannot be smaller than count");
    capacity_ = capacity;
}

void TZefEditStringList::GrowCapacity()
{
    if (Count() > capacity_) capacity_ = std::max(Count(), capacity_ + (capacity_ > 64 ? capacity_ / 4 : 16));
}

// ---------------------------------------------------------------------------------------------------------
// Reading

void* TZefEditStringList::GetUserObject(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return blocks_.Object(static_cast<size_t>(index));
}

TZefRangeState TZefEditStringList::GetRangeState(int index) const
{
    if (index < 0 || index >= Count()) return 0;
    return blocks_.Range(static_cast<size_t>(index));
}

TZefLineFlags TZefEditStringList::GetLineFlags(int index) const
{
    if (index < 0 || index >= Count()) return 0;
    const TZefLineBlocks::TPlace place = blocks_.Locate(static_cast<size_t>(index));
    const TZefLineEntry entry = place.block->entries[place.position];
    if (zefentry::IsRecord(entry)) return records_[zefentry::RecordOf(entry)].Flags();
    if (entry == zefentry::kZeroedLine) return 0;
    if ((entry & zefentry::kKnownBit) == 0) return lfWidthUnknown;
    return HasTab(LoadedText(place.block->base, entry)) ? lfHasTabs : lfNoTabs;
}

TLineBreakStyle TZefEditStringList::GetLineBreak(int index) const
{
    if (index < 0 || index >= Count() || !blocks_.KeepsBreaks()) return lineBreakStyle_;
    return static_cast<TLineBreakStyle>(blocks_.Break(static_cast<size_t>(index)));
}

void TZefEditStringList::CopyLineBreaksFrom(const TZefEditStringList& source)
{
    lineBreakStyle_ = source.lineBreakStyle_;
    trailingLineBreak_ = source.trailingLineBreak_;
    loadedLoneBreak_ = source.loadedLoneBreak_ && Count() == source.Count();
    if (source.blocks_.KeepsBreaks() && Count() == source.Count()) {
        std::vector<uint8_t> breaks(static_cast<size_t>(Count()));
        for (size_t i = 0; i < breaks.size(); ++i) breaks[i] = source.blocks_.Break(i);
        blocks_.KeepBreaks(breaks);
    } else {
        blocks_.DropBreaks();
    }
}

bool TZefEditStringList::IsEmptyDocument() const
{
    return Count() == 0 || (Count() == 1 && GetLine(0).empty() && !loadedLoneBreak_);
}

std::string TZefEditStringList::GetExpandedLine(int index)
{
    if (index < 0 || index >= Count()) return {};
    TZefLineFlags flags;
    MeasureLine(index, &flags);
    const std::string_view text = GetLine(index);
    if (!(flags & lfHasTabs)) return std::string(text);
    std::string expanded;
    expandTabs_(text, tabWidth_, &expanded);
    return expanded;
}

int TZefEditStringList::GetExpandedWidth(int index)
{
    if (index < 0 || index >= Count()) return 0;
    TZefLineFlags flags;
    return MeasureLine(index, &flags);
}

int TZefEditStringList::GetLongestLineWidth()
{
    if (Count() == 0) return 0;
    if (longestLineIndex_ < 0) {
        int best = -1;
        for (int i = 0; i < Count(); ++i) {
            TZefLineFlags flags;
            const int width = MeasureLine(i, &flags);
            if (width > best) {
                best = width;
                SetLongest(i, width);
            }
        }
    }
    return longestLineWidth_;
}

// ---------------------------------------------------------------------------------------------------------
// Writing

void TZefEditStringList::ReplaceLine(int index, std::string_view text)
{
    if (index == Count()) {
        AddLine(text);
        return;
    }
    CheckIndex(index, Count() - 1);
    UpdateBracket bracket(*this);
    loadedLoneBreak_ = false;
    TZefLineEntry& entry = blocks_.Entry(static_cast<size_t>(index));
    if (zefentry::IsRecord(entry)) {
        TZefEditStringRec& rec = records_[zefentry::RecordOf(entry)];
        AssignText(rec, text);
        rec.ExpandedWidth = -1;
        rec.SetFlags(lfWidthUnknown);
    } else {
        // The new record copies text before the old entry lets go of the buffer it may come from.
        const TZefLineEntry old = entry;
        entry = NewRecord(text);
        ReleaseEntry(old);
    }
    if (longestLineIndex_ == index) {
        // The longest line stays the longest unless it got narrower.
        TZefLineFlags flags;
        const int width = MeasureLine(index, &flags);
        if (width < longestLineWidth_) longestLineIndex_ = -1;
        else longestLineWidth_ = width;
    } else {
        NoteNewWidth(index);
    }
    if (OnLineReplaced) OnLineReplaced(this, index, 1);
}

int TZefEditStringList::AddLine(std::string_view text)
{
    int index = Count();
    InsertLine(index, text);
    return index;
}

void TZefEditStringList::InsertLine(int index, std::string_view text)
{
    CheckIndex(index, Count());
    UpdateBracket bracket(*this);
    const TZefLineEntry entry = NewRecord(text);
    try {
        blocks_.Insert(static_cast<size_t>(index), 1, entry, lineBreakStyle_);
    } catch (...) {
        ReleaseEntry(entry);
        throw;
    }
    GrowCapacity();
    loadedLoneBreak_ = false;
    if (longestLineIndex_ >= index) ++longestLineIndex_;
    NoteNewWidth(index);
    if (OnLinesAdded) OnLinesAdded(this, index, 1);
}

void TZefEditStringList::DeleteLine(int index)
{
    CheckIndex(index, Count() - 1);
    UpdateBracket bracket(*this);
    blocks_.Remove(static_cast<size_t>(index), 1, [this](TZefLineEntry entry) { ReleaseEntry(entry); });
    loadedLoneBreak_ = false;
    if (longestLineIndex_ == index) longestLineIndex_ = -1;
    else if (longestLineIndex_ > index) --longestLineIndex_;
    if (OnLinesRemoved) OnLinesRemoved(this, index, 1);
}

void TZefEditStringList::RemoveLines(int index, int count)
{
    if (count <= 0) return;
    CheckIndex(index, Count());
    int removed = std::min(count, Count() - index);
    if (removed == 0) return;
    const int after = Count() - index - removed;
    {
        // Lines after the removed ones move up: that is the change the bracket announces.
        std::optional<UpdateBracket> bracket;
        if (after > 0) bracket.emplace(*this);
        blocks_.Remove(static_cast<size_t>(index), static_cast<size_t>(removed),
                       [this](TZefLineEntry entry) { ReleaseEntry(entry); });
    }
    loadedLoneBreak_ = false;
    if (longestLineIndex_ >= index + removed) longestLineIndex_ -= removed;
    else if (longestLineIndex_ >= index) longestLineIndex_ = -1;
    if (OnLinesRemoved) OnLinesRemoved(this, index, removed);
}

void TZefEditStringList::InsertEmptyLines(int index, int count)
{
    CheckIndex(index, Count());
    if (count <= 0) return;
    UpdateBracket bracket(*this);
    blocks_.Insert(static_cast<size_t>(index), static_cast<size_t>(count), zefentry::kZeroedLine, lineBreakStyle_);
    // New empty lines hold range 0, as a cleared record would.
    for (int i = index; i < index + count; ++i) blocks_.SetRange(static_cast<size_t>(i), 0);
    GrowCapacity();
    loadedLoneBreak_ = false;
    // The new lines are zero wide, so a known longest line stays the longest.
    if (longestLineIndex_ >= index) longestLineIndex_ += count;
    if (OnLinesAdded) OnLinesAdded(this, index, count);
}

void TZefEditStringList::ExchangeLines(int index1, int index2)
{
    CheckIndex(index1, Count() - 1);
    CheckIndex(index2, Count() - 1);
    UpdateBracket bracket(*this);
    const auto first = static_cast<size_t>(index1);
    const auto second = static_cast<size_t>(index2);
    if (!blocks_.SharesBase(first, second)) {
        // A loaded line counts its offset from its block's start: between blocks it moves as a record.
        if (zefentry::IsLoaded(blocks_.Entry(first))) OwnRecord(index1);
        if (zefentry::IsLoaded(blocks_.Entry(second))) OwnRecord(index2);
    }
    blocks_.Exchange(first, second);
    if (longestLineIndex_ == index1) longestLineIndex_ = index2;
    else if (longestLineIndex_ == index2) longestLineIndex_ = index1;
}

void TZefEditStringList::AppendLines(const std::vector<std::string>& lines, const std::vector<void*>& objects)
{
    if (lines.empty()) return;
    longestLineIndex_ = -1;
    UpdateBracket bracket(*this);
    const int first = Count();
    const int added = static_cast<int>(lines.size());
    loadedLoneBreak_ = false;
    for (int i = 0; i < added; ++i) {
        const TZefLineEntry entry = NewRecord(lines[static_cast<size_t>(i)]);
        blocks_.Insert(blocks_.Count(), 1, entry, lineBreakStyle_);
        if (static_cast<size_t>(i) < objects.size()) blocks_.SetObject(blocks_.Count() - 1, objects[static_cast<size_t>(i)]);
    }
    if (capacity_ < Count()) capacity_ = (Count() + 15) / 16 * 16;
    if (OnLinesAdded) OnLinesAdded(this, first, added);
}

void TZefEditStringList::ClearAll()
{
    longestLineIndex_ = -1;
    blocks_.DropBreaks();
    loadedLoneBreak_ = false;
    capacity_ = 0;
    if (Count() > 0) {
        UpdateBracket bracket(*this);
        ReleaseAll();
        if (OnAllCleared) OnAllCleared(this);
    } else {
        ReleaseAll();
    }
}

void TZefEditStringList::SetUserObject(int index, void* object)
{
    CheckIndex(index, Count() - 1);
    UpdateBracket bracket(*this);
    blocks_.SetObject(static_cast<size_t>(index), object);
}

void TZefEditStringList::SetRangeState(int index, TZefRangeState value)
{
    CheckIndex(index, Count() - 1);
    UpdateBracket bracket(*this);
    blocks_.SetRange(static_cast<size_t>(index), value);
}

void TZefEditStringList::SetTabWidth(int width)
{
    if (width == tabWidth_) return;
    tabWidth_ = width;
    expandTabs_ = PickExpandTabs(width);
    longestLineIndex_ = -1;
    blocks_.ForEachBlock([this](TZefLineBlock& block) {
        for (TZefLineEntry& entry : block.entries) {
            if (zefentry::IsRecord(entry)) {
                TZefEditStringRec& rec = records_[zefentry::RecordOf(entry)];
                rec.ExpandedWidth = -1;
                rec.SetFlags(static_cast<TZefLineFlags>((rec.Flags() & ~lfNoTabs) | lfWidthUnknown));
            } else {
                entry = entry == zefentry::kZeroedLine ? zefentry::kEmptyLine : entry & ~zefentry::kKnownBit;
            }
        }
    });
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
    ForEachLineText([&](std::string_view line) { size += line.size() + 2; });
    std::string text;
    text.reserve(size);
    ForEachLineText([&](std::string_view line) {
        text.append(line);
        text.append("\r\n");
    });
    return text;
}

void TZefEditStringList::SetText(std::string_view text, const TZefWorkProgress& progress)
{
    UpdateBracket bracket(*this);
    char* buffer = static_cast<char*>(std::malloc(text.size() + kLoadPadding));
    if (!buffer) throw std::bad_alloc();
    if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
    std::memset(buffer + text.size(), 0, kLoadPadding);
    // The split reports from one byte count to three times it, as after a file's read.
    TZefProgressTicker ticker(progress, 3 * static_cast<uint64_t>(text.size()), kSetTextProgressStep);
    ticker.At(text.size());
    LoadBytes(buffer, text.size(), false, &ticker);
}

void TZefEditStringList::SetTwoPartLoadFrom(size_t bytes) { g_twoPartsFrom = bytes; }

void TZefEditStringList::LoadBytes(char* buffer, size_t size, bool asFile, TZefProgressTicker* progress)
{
    const TZefWorkProgress none;
    TZefProgressTicker quiet(none, 0, 0);
    TZefProgressTicker& ticker = progress ? *progress : quiet;
    // Frees the buffer when scanning fails; StoreScanned takes it over.
    struct Owner {
        char* buffer;
        ~Owner() { std::free(buffer); }
    } owner{buffer};
    const char* end = buffer + size;

    // A big buffer is scanned in two parts at once, the first ending after the first LF past the middle
    // (so no break is cut in two). Nothing is stored before both are done.
    zefload::TScannedBuffer scanned;
    const char* split = end;
    if (size >= g_twoPartsFrom.load() && std::thread::hardware_concurrency() > 1) {
        const char* middle = buffer + size / 2;
        if (const void* lf = std::memchr(middle, '\n', static_cast<size_t>(end - middle)))
            split = static_cast<const char*>(lf) + 1;
    }
    scanned.split = split;
    zefload::TLoadedPart* parts = scanned.parts;
    std::atomic<bool> stop{false};
    std::exception_ptr secondFailed;
    std::thread second;
    struct Joiner {
        std::thread& thread;
        std::atomic<bool>& stop;
        ~Joiner()
        {
            stop = true;
            if (thread.joinable()) thread.join();
        }
    } joiner{second, stop};
    if (split < end) {
        second = std::thread([&] {
            try {
                zefload::ScanPart(split, end, kLongLine, parts[1],
                                  [&stop](const char*) { return !stop.load(std::memory_order_relaxed); });
                zefload::FinishPart(parts[1]);
            } catch (...) {
                secondFailed = std::current_exception();
            }
        });
    }
    // This thread tells the progress for both parts: the rest of the work after the read (see LoadFromFile).
    const double scale = 2.0 * static_cast<double>(size) / static_cast<double>(std::max<ptrdiff_t>(split - buffer, 1));
    zefload::ScanPart(buffer, split, kLongLine, parts[0], [&](const char* p) {
        return ticker.At(size + static_cast<uint64_t>(static_cast<double>(p - buffer) * scale));
    });
    zefload::FinishPart(parts[0]);
    stop = parts[0].stopped;
    if (second.joinable()) second.join();
    if (secondFailed) std::rethrow_exception(secondFailed);
    if (parts[0].stopped) throw EZefWorkCancelled();
    owner.buffer = nullptr;
    StoreScanned(buffer, size, asFile, scanned);
}

void TZefEditStringList::StoreScanned(char* buffer, size_t size, bool asFile, zefload::TScannedBuffer& scanned,
                                      TZefProgressTicker* ticker)
{
    // Takes the buffer over: loaded lines read their text from it, and it is freed when the last of them
    // goes.
    struct Owner {
        char* buffer;
        ~Owner() { std::free(buffer); }
    } owner{buffer};
    ClearAll();
    const char* end = buffer + size;
    const bool endsWithBreak = size > 0 && (end[-1] == '\r' || end[-1] == '\n');
    const bool lineAfterFinalBreak = asFile && !trailingLineBreak_;
    zefload::TLoadedPart* parts = scanned.parts;
    const size_t partCount = scanned.split < end ? 2 : 1;
    size_t lines = endsWithBreak && lineAfterFinalBreak ? 1 : 0;
    unsigned kinds = 0;
    for (size_t i = 0; i < partCount; ++i) {
        lines += parts[i].lines;
        kinds |= parts[i].kinds;
    }
    if (lines > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
    const TLineBreakStyle style = DetectStyle(kinds);
    // Only a file with breaks of several kinds needs each line's break kept.
    const bool mixed = asFile && (kinds & (kinds - 1)) != 0;
    std::vector<TLineBreakStyle> breaks;
    if (mixed) {
        breaks.reserve(lines);
        for (size_t i = 0; i < partCount; ++i) {
            const zefload::TLoadedPart& part = parts[i];
            if (part.recordingBreaks)
                breaks.insert(breaks.end(), part.breaks.begin(), part.breaks.end());
            else
                breaks.insert(breaks.end(), part.lines, part.firstKind);
        }
        // A last line without a break is written with the file's style if a line is ever added after it.
        if (parts[partCount - 1].endsUnbroken) breaks.back() = style;
        if (endsWithBreak && lineAfterFinalBreak) breaks.push_back(style);
    }
    // The empty line after a final break ends the last block (or is the only one).
    if (endsWithBreak && lineAfterFinalBreak) {
        auto& blocks = parts[partCount - 1].blocks;
        if (blocks.empty() || blocks.back()->Count() >= TZefLineBlocks::kMaxLines)
            blocks.push_back(std::make_unique<TZefLineBlock>());
        blocks.back()->entries.push_back(zefentry::kEmptyLine);
        blocks.back()->ForgetLoadedBytes(); // that line is not in the bytes
    }

    loadBuffer_ = buffer;
    loadEnd_ = end;
    owner.buffer = nullptr;
    // Storing is the last third of a file load (see LoadFromFile); a stop there leaves no line behind.
    size_t stored = 0;
    const auto told = [&] {
        if (ticker == nullptr || lines == 0) return;
        if (!ticker->At(2 * uint64_t{size} + static_cast<uint64_t>(static_cast<double>(size) * static_cast<double>(stored) /
                                                                    static_cast<double>(lines)))) {
            ClearAll();
            throw EZefWorkCancelled();
        }
    };
    for (size_t i = 0; i < partCount; ++i) {
        zefload::TLoadedPart& part = parts[i];
        for (const zefload::TLoadedPart::TLongLine& longLine : part.longLines) {
            // A long line keeps its length in a record, so reading it never searches it for its end.
            part.blocks[longLine.block]->entries[longLine.position] =
                zefentry::ForRecord(NewSliceRecord(longLine.text, longLine.length));
        }
        loadUsers_ += part.loadedLines + part.longLines.size();
        for (std::unique_ptr<TZefLineBlock>& block : part.blocks) {
            const size_t first = blocks_.Count();
            const size_t added = block->Count();
            blocks_.AppendBlock(std::move(block));
            if (OnLinesAdded) {
                for (size_t line = first; line < first + added; ++line) OnLinesAdded(this, static_cast<int>(line), 1);
            }
            stored += added;
            told();
        }
    }
    capacity_ = Count();
    // Without a tab each line of a file is as wide as it is long, and the scan saw the longest: the widest
    // line is known without measuring every line again.
    bool tabs = false, any = false;
    size_t longest = 0, longestLine = 0, firstLine = 0;
    for (size_t i = 0; i < partCount; ++i) {
        tabs = tabs || parts[i].tabs;
        if (parts[i].lines > 0 && (!any || parts[i].longest > longest)) {
            longest = parts[i].longest;
            longestLine = firstLine + parts[i].longestLine;
            any = true;
        }
        firstLine += parts[i].lines;
    }
    if (asFile && !tabs && any && longestLine < static_cast<size_t>(Count()))
        SetLongest(static_cast<int>(longestLine), static_cast<int>(std::min<size_t>(longest, INT_MAX)));
    if (loadUsers_ == 0) {
        std::free(loadBuffer_);
        loadBuffer_ = nullptr;
        loadEnd_ = nullptr;
    }
    if (!asFile) return;
    if (!mixed && kinds != 0) uniformLoadedBreak_ = style;
    lineBreakStyle_ = style;
    if (!breaks.empty()) blocks_.KeepBreaks(breaks);
    if (!lineAfterFinalBreak) {
        trailingLineBreak_ = endsWithBreak || size == 0;
        loadedLoneBreak_ = Count() == 1 && endsWithBreak && GetLine(0).empty();
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
    for (int i = 0; i < Count(); ++i) {
        dump += std::to_string(i) + " \"";
        for (unsigned char c : GetLine(i)) {
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
        dump += "\" range=" + std::to_string(GetRangeState(i)) + " width=" + std::to_string(KnownWidth(i)) +
                " flags=";
        TZefLineFlags flags = GetLineFlags(i);
        if (flags == 0) dump += '-';
        if (flags & lfHasTabs) dump += 'T';
        if (flags & lfNoTabs) dump += 'N';
        if (flags & lfWidthUnknown) dump += 'U';
        if (GetUserObject(i)) dump += " obj";
        dump += '\n';
    }
    return dump;
}
