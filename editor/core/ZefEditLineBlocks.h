// The line store's per-line entries, held in blocks so that inserting or removing lines costs the same in a
// document of thirty million lines as in one of ten: only one block's entries move, and the blocks' first
// line numbers are brought up to date lazily, from the first block that changed to the one a lookup needs.
#pragma once

#include "ZefEditLineRanges.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

// Where a line's text is, in 32 bits: a record of the store's own (kRecordBit and the record's number), or
// an offset from its block's base into the loaded file's bytes, with kKnownBit when the line's width has
// been measured. Two offsets stand for empty lines that have no text anywhere: kEmptyOffset (its width
// known or not, like any line) and kZeroedOffset (a line made by inserting empty lines, which reads as
// width 0 without tab flags until the tab width changes).
using TZefLineEntry = uint32_t;

namespace zefentry {

constexpr TZefLineEntry kRecordBit = 1u << 31;
constexpr TZefLineEntry kKnownBit = 1u << 30;
constexpr TZefLineEntry kOffsetMask = kKnownBit - 1;
constexpr TZefLineEntry kEmptyOffset = kOffsetMask;
constexpr TZefLineEntry kZeroedOffset = kOffsetMask - 1;
constexpr TZefLineEntry kEmptyLine = kEmptyOffset;
constexpr TZefLineEntry kZeroedLine = kZeroedOffset;

constexpr bool IsRecord(TZefLineEntry entry) { return (entry & kRecordBit) != 0; }
constexpr uint32_t RecordOf(TZefLineEntry entry) { return entry & ~kRecordBit; }
constexpr TZefLineEntry ForRecord(uint32_t record) { return record | kRecordBit; }
constexpr uint32_t OffsetOf(TZefLineEntry entry) { return entry & kOffsetMask; }
// A line whose text is in the load buffer.
constexpr bool IsLoaded(TZefLineEntry entry) { return !IsRecord(entry) && OffsetOf(entry) < kZeroedOffset; }

} // namespace zefentry

// One block of consecutive lines. Entries say where each line's text is (see TZefEditStringList); the
// highlighter ranges and the owner's objects are kept only once a line of the block has one, so lines that
// never get them cost nothing for them.
struct TZefLineBlock {
    // Loaded lines' text offsets count from here (nullptr in a block that holds none).
    const char* base = nullptr;
    // How many entries are offsets into the load buffer, so that a block without any can take any base.
    size_t loadedLines = 0;
    std::vector<TZefLineEntry> entries;
    TZefRangeColumn ranges;      // empty: every line holds the default range
    std::vector<void*> objects;  // empty: no line holds an object
    std::vector<uint8_t> breaks; // each line's own break, only while the store keeps them (see KeepBreaks)
    // The loaded bytes these lines were read from, the last line's break included, for as long as the lines
    // are exactly those: saving can then write them in one piece. Any change of the block's lines (text,
    // order, number) forgets them; measuring widths, ranges and objects do not.
    const char* loadedFrom = nullptr;
    const char* loadedTo = nullptr;

    size_t Count() const { return entries.size(); }
    bool HoldsLoadedBytes() const { return loadedFrom != nullptr; }
    void ForgetLoadedBytes() { loadedFrom = loadedTo = nullptr; }
};

class TZefLineBlocks {
public:
    static constexpr size_t kTargetLines = 1024;
    static constexpr size_t kMaxLines = 2 * kTargetLines;

    explicit TZefLineBlocks(int32_t defaultRange) : defaultRange_(defaultRange) {}

    size_t Count() const { return count_; }
    void Clear();

    // Where line `index` (< Count) is: its block and its position there.
    struct TPlace {
        TZefLineBlock* block;
        size_t position;
    };
    TPlace Locate(size_t index) const;

    // For changing a line's entry: its block no longer holds the loaded bytes as they were.
    TZefLineEntry& Entry(size_t index)
    {
        const TPlace place = Locate(index);
        place.block->ForgetLoadedBytes();
        return place.block->entries[place.position];
    }
    TZefLineEntry Entry(size_t index) const
    {
        const TPlace place = Locate(index);
        return place.block->entries[place.position];
    }
    int32_t Range(size_t index) const;
    void SetRange(size_t index, int32_t value);
    void* Object(size_t index) const;
    void SetObject(size_t index, void* object);

    // Each line's own break (a file with breaks of several kinds keeps them): `breaks` holds one per line,
    // in order. Lines inserted later take the break given to Insert; removing every line drops them.
    template <typename Breaks>
    void KeepBreaks(const Breaks& breaks)
    {
        auto from = breaks.begin();
        for (auto& block : blocks_) {
            block->breaks.resize(block->Count());
            for (uint8_t& lineBreak : block->breaks) lineBreak = static_cast<uint8_t>(*from++);
        }
        keepsBreaks_ = true;
    }
    void DropBreaks();
    bool KeepsBreaks() const { return keepsBreaks_; }
    uint8_t Break(size_t index) const
    {
        const TPlace place = Locate(index);
        return place.block->breaks[place.position];
    }

    // Inserts `count` lines at `index` (<= Count) with entry `fill` (never a loaded line's), no range, no
    // object and, while breaks are kept, break `breakFill`.
    void Insert(size_t index, size_t count, TZefLineEntry fill, uint8_t breakFill = 0);
    // Removes lines [index, index + count) (within Count), calling release(entry) for each first.
    template <typename Release>
    void Remove(size_t index, size_t count, Release&& release);
    // Appends one block of lines taken from a load (entries counted from base), for building a store.
    void AppendBlock(std::unique_ptr<TZefLineBlock> block);
    // Swaps everything two lines hold. A loaded line may only move to a block with the same base (the store
    // turns it into a record first otherwise).
    void Exchange(size_t index1, size_t index2);
    // Whether two lines' blocks count loaded offsets from the same base.
    bool SharesBase(size_t index1, size_t index2) const { return Locate(index1).block->base == Locate(index2).block->base; }

    // Calls visit(block, position) for lines [first, last) (within Count) in order.
    template <typename Visit>
    void ForEachLine(size_t first, size_t last, Visit&& visit)
    {
        if (first >= last) return;
        size_t block = BlockOf(first);
        size_t position = first - starts_[block];
        for (size_t index = first; index < last; ++block, position = 0) {
            TZefLineBlock& lines = *blocks_[block];
            const size_t end = std::min(lines.Count(), position + (last - index));
            index += end - position;
            for (; position < end; ++position) visit(lines, position);
        }
    }
    // Sets the range of a line of one of the blocks, as SetRange does.
    void SetRangeIn(TZefLineBlock& block, size_t position, int32_t value) const
    {
        if (block.ranges.empty()) {
            if (value == defaultRange_) return;
            block.ranges.Assign(block.Count(), defaultRange_);
        }
        block.ranges.Set(position, value);
    }

    // Calls visit(block) for each block in order.
    template <typename Visit>
    void ForEachBlock(Visit&& visit) const
    {
        for (const auto& block : blocks_) visit(*block);
    }
    template <typename Visit>
    void ForEachBlock(Visit&& visit)
    {
        for (auto& block : blocks_) visit(*block);
    }

    // Heap bytes held for the entries and per-line data (the text not included), for measurements.
    size_t MemoryUsed() const;

private:
    size_t BlockOf(size_t index) const;
    void BringStartsUpTo(size_t block) const;
    void Changed(size_t block) { validStarts_ = std::min(validStarts_, block + 1); }
    void SplitIfFull(size_t block);
    void MergeIfSmall(size_t block);
    void RemoveFromBlock(size_t block, size_t position, size_t count);

    std::vector<std::unique_ptr<TZefLineBlock>> blocks_;
    // starts_[b] is the index of block b's first line for b < validStarts_; the rest are recounted on demand.
    mutable std::vector<size_t> starts_;
    mutable size_t validStarts_ = 0;
    mutable size_t lastBlock_ = 0; // the block of the last lookup: edits and scans mostly stay near it
    size_t count_ = 0;
    int32_t defaultRange_;
    bool keepsBreaks_ = false;
};

template <typename Release>
void TZefLineBlocks::Remove(size_t index, size_t count, Release&& release)
{
    while (count > 0) {
        const size_t block = BlockOf(index);
        TZefLineBlock& lines = *blocks_[block];
        const size_t position = index - starts_[block];
        const size_t here = std::min(count, lines.Count() - position);
        for (size_t i = position; i < position + here; ++i) release(lines.entries[i]);
        RemoveFromBlock(block, position, here);
        count -= here;
    }
    if (count_ == 0) DropBreaks(); // a store without lines has no breaks of several kinds left
}
