// Blocks of line entries: lookups by line number, inserts and removals that move one block's entries only.
#include "ZefEditLineBlocks.h"

#include <iterator>

void TZefLineBlocks::Clear()
{
    blocks_.clear();
    starts_.clear();
    validStarts_ = 0;
    lastBlock_ = 0;
    count_ = 0;
    keepsBreaks_ = false;
}

void TZefLineBlocks::DropBreaks()
{
    for (auto& block : blocks_) std::vector<uint8_t>().swap(block->breaks);
    keepsBreaks_ = false;
}

void TZefLineBlocks::BringStartsUpTo(size_t block) const
{
    for (size_t b = validStarts_; b <= block; ++b) starts_[b] = b == 0 ? 0 : starts_[b - 1] + blocks_[b - 1]->Count();
    validStarts_ = std::max(validStarts_, block + 1);
}

size_t TZefLineBlocks::BlockOf(size_t index) const
{
    // Most lookups are in or next to the block of the last one.
    if (lastBlock_ < validStarts_ && index >= starts_[lastBlock_] &&
        index < starts_[lastBlock_] + blocks_[lastBlock_]->Count())
        return lastBlock_;
    size_t found;
    const size_t validEnd = validStarts_ == 0 ? 0 : starts_[validStarts_ - 1] + blocks_[validStarts_ - 1]->Count();
    if (index >= validEnd) {
        // Counts forward from the first block whose start is unknown to the one that holds the line.
        found = validStarts_;
        size_t start = validEnd;
        while (start + blocks_[found]->Count() <= index) start += blocks_[found++]->Count();
        BringStartsUpTo(found);
    } else {
        const auto after = std::upper_bound(starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(validStarts_), index);
        found = static_cast<size_t>(after - starts_.begin()) - 1;
    }
    lastBlock_ = found;
    return found;
}

TZefLineBlocks::TPlace TZefLineBlocks::Locate(size_t index) const
{
    const size_t block = BlockOf(index);
    return {blocks_[block].get(), index - starts_[block]};
}

int32_t TZefLineBlocks::Range(size_t index) const
{
    const TPlace place = Locate(index);
    return place.block->ranges.empty() ? defaultRange_ : place.block->ranges[place.position];
}

void TZefLineBlocks::SetRange(size_t index, int32_t value)
{
    const TPlace place = Locate(index);
    SetRangeIn(*place.block, place.position, value);
}

void* TZefLineBlocks::Object(size_t index) const
{
    const TPlace place = Locate(index);
    return place.block->objects.empty() ? nullptr : place.block->objects[place.position];
}

void TZefLineBlocks::SetObject(size_t index, void* object)
{
    const TPlace place = Locate(index);
    std::vector<void*>& objects = place.block->objects;
    if (objects.empty()) {
        if (object == nullptr) return;
        objects.assign(place.block->Count(), nullptr);
    }
    objects[place.position] = object;
}

void TZefLineBlocks::Insert(size_t index, size_t count, TZefLineEntry fill, uint8_t breakFill)
{
    if (count == 0) return;
    if (blocks_.empty()) {
        blocks_.push_back(std::make_unique<TZefLineBlock>());
        starts_.push_back(0);
        validStarts_ = 0;
    }
    // At the end, lines join the last block; elsewhere the block of the line they go before.
    const size_t block = index == count_ ? blocks_.size() - 1 : BlockOf(index);
    BringStartsUpTo(block);
    TZefLineBlock& lines = *blocks_[block];
    const auto at = static_cast<std::ptrdiff_t>(index - starts_[block]);
    lines.ForgetLoadedBytes();
    lines.entries.insert(lines.entries.begin() + at, count, fill);
    if (!lines.ranges.empty()) lines.ranges.Insert(static_cast<size_t>(at), count, defaultRange_);
    if (!lines.objects.empty()) lines.objects.insert(lines.objects.begin() + at, count, nullptr);
    if (keepsBreaks_) lines.breaks.insert(lines.breaks.begin() + at, count, breakFill);
    count_ += count;
    Changed(block);
    SplitIfFull(block);
}

void TZefLineBlocks::AppendBlock(std::unique_ptr<TZefLineBlock> block)
{
    if (block->Count() == 0) return;
    count_ += block->Count();
    blocks_.push_back(std::move(block));
    starts_.push_back(0);
}

void TZefLineBlocks::SplitIfFull(size_t block)
{
    TZefLineBlock& full = *blocks_[block];
    if (full.Count() <= kMaxLines) return;
    // Pieces of the target size after the first, so that a large insert leaves blocks ready for more.
    std::vector<std::unique_ptr<TZefLineBlock>> pieces;
    for (size_t from = kTargetLines; from < full.Count(); from += kTargetLines) {
        const size_t to = std::min(full.Count(), from + kTargetLines);
        auto piece = std::make_unique<TZefLineBlock>();
        piece->base = full.base;
        const auto first = full.entries.begin() + static_cast<std::ptrdiff_t>(from);
        const auto last = full.entries.begin() + static_cast<std::ptrdiff_t>(to);
        piece->entries.assign(first, last);
        piece->loadedLines = static_cast<size_t>(std::count_if(first, last, zefentry::IsLoaded));
        if (!full.ranges.empty())
            piece->ranges.Append(full.ranges, from, to);
        if (!full.objects.empty())
            piece->objects.assign(full.objects.begin() + static_cast<std::ptrdiff_t>(from),
                                  full.objects.begin() + static_cast<std::ptrdiff_t>(to));
        if (keepsBreaks_)
            piece->breaks.assign(full.breaks.begin() + static_cast<std::ptrdiff_t>(from),
                                 full.breaks.begin() + static_cast<std::ptrdiff_t>(to));
        full.loadedLines -= piece->loadedLines;
        pieces.push_back(std::move(piece));
    }
    full.ForgetLoadedBytes();
    full.entries.resize(kTargetLines);
    full.entries.shrink_to_fit();
    if (!full.ranges.empty()) full.ranges.Truncate(kTargetLines);
    if (!full.objects.empty()) full.objects.resize(kTargetLines);
    if (keepsBreaks_) full.breaks.resize(kTargetLines);
    const auto after = static_cast<std::ptrdiff_t>(block + 1);
    const size_t added = pieces.size();
    blocks_.insert(blocks_.begin() + after, std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
    starts_.insert(starts_.begin() + after, added, 0);
    Changed(block);
}

void TZefLineBlocks::RemoveFromBlock(size_t block, size_t position, size_t count)
{
    TZefLineBlock& lines = *blocks_[block];
    const auto first = lines.entries.begin() + static_cast<std::ptrdiff_t>(position);
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    lines.loadedLines -= static_cast<size_t>(std::count_if(first, last, zefentry::IsLoaded));
    lines.ForgetLoadedBytes();
    lines.entries.erase(first, last);
    const auto at = static_cast<std::ptrdiff_t>(position);
    const auto end = static_cast<std::ptrdiff_t>(position + count);
    if (!lines.ranges.empty()) lines.ranges.Erase(position, position + count);
    if (!lines.objects.empty()) lines.objects.erase(lines.objects.begin() + at, lines.objects.begin() + end);
    if (keepsBreaks_) lines.breaks.erase(lines.breaks.begin() + at, lines.breaks.begin() + end);
    count_ -= count;
    Changed(block);
    if (lines.Count() == 0) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(block));
        starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(block));
        validStarts_ = std::min(validStarts_, block);
        lastBlock_ = 0;
        return;
    }
    MergeIfSmall(block);
}

namespace {

// Whether `from`'s loaded offsets can be counted from `into`'s base instead, and the shift they need.
bool CanRebase(const TZefLineBlock& from, const TZefLineBlock& into, int64_t* shift)
{
    *shift = 0;
    if (from.loadedLines == 0 || into.loadedLines == 0 || from.base == into.base) return true;
    *shift = from.base - into.base;
    for (TZefLineEntry entry : from.entries) {
        if (!zefentry::IsLoaded(entry)) continue;
        const int64_t offset = static_cast<int64_t>(zefentry::OffsetOf(entry)) + *shift;
        if (offset < 0 || offset >= static_cast<int64_t>(zefentry::kZeroedOffset)) return false;
    }
    return true;
}

} // namespace

void TZefLineBlocks::MergeIfSmall(size_t block)
{
    if (blocks_[block]->Count() >= kTargetLines / 4 || blocks_.size() < 2) return;
    // Into the previous block, or the next one takes it in when it is the first.
    const size_t into = block > 0 ? block - 1 : block;
    const size_t from = into + 1;
    TZefLineBlock& a = *blocks_[into];
    TZefLineBlock& b = *blocks_[from];
    if (a.Count() + b.Count() > kMaxLines) return;
    int64_t shift = 0;
    if (!CanRebase(b, a, &shift)) return;
    if (a.loadedLines == 0 && b.loadedLines > 0) a.base = b.base;
    a.ForgetLoadedBytes();
    for (TZefLineEntry entry : b.entries) {
        if (zefentry::IsLoaded(entry) && shift != 0) {
            const auto offset = static_cast<TZefLineEntry>(static_cast<int64_t>(zefentry::OffsetOf(entry)) + shift);
            entry = (entry & zefentry::kKnownBit) | offset;
        }
        a.entries.push_back(entry);
    }
    if (!a.ranges.empty() || !b.ranges.empty()) {
        if (a.ranges.empty()) a.ranges.Assign(a.Count() - b.Count(), defaultRange_);
        if (b.ranges.empty()) a.ranges.Insert(a.ranges.size(), b.Count(), defaultRange_);
        else a.ranges.Append(b.ranges, 0, b.ranges.size());
    }
    if (!a.objects.empty() || !b.objects.empty()) {
        if (a.objects.empty()) a.objects.assign(a.Count() - b.Count(), nullptr);
        if (b.objects.empty()) a.objects.insert(a.objects.end(), b.Count(), nullptr);
        else a.objects.insert(a.objects.end(), b.objects.begin(), b.objects.end());
    }
    if (keepsBreaks_) a.breaks.insert(a.breaks.end(), b.breaks.begin(), b.breaks.end());
    a.loadedLines += b.loadedLines;
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(from));
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(from));
    validStarts_ = std::min(validStarts_, into + 1);
    lastBlock_ = into;
}

void TZefLineBlocks::Exchange(size_t index1, size_t index2)
{
    if (index1 == index2) return;
    const int32_t range1 = Range(index1);
    const int32_t range2 = Range(index2);
    void* const object1 = Object(index1);
    void* const object2 = Object(index2);
    const TPlace place1 = Locate(index1);
    const TPlace place2 = Locate(index2);
    TZefLineEntry& entry1 = place1.block->entries[place1.position];
    TZefLineEntry& entry2 = place2.block->entries[place2.position];
    place1.block->ForgetLoadedBytes();
    place2.block->ForgetLoadedBytes();
    if (place1.block != place2.block) {
        const bool loaded1 = zefentry::IsLoaded(entry1);
        const bool loaded2 = zefentry::IsLoaded(entry2);
        place1.block->loadedLines += static_cast<size_t>(loaded2) - static_cast<size_t>(loaded1);
        place2.block->loadedLines += static_cast<size_t>(loaded1) - static_cast<size_t>(loaded2);
        if (loaded2 && place1.block->loadedLines == 1) place1.block->base = place2.block->base;
        if (loaded1 && place2.block->loadedLines == 1) place2.block->base = place1.block->base;
    }
    std::swap(entry1, entry2);
    if (keepsBreaks_) std::swap(place1.block->breaks[place1.position], place2.block->breaks[place2.position]);
    SetRange(index1, range2);
    SetRange(index2, range1);
    SetObject(index1, object2);
    SetObject(index2, object1);
}

size_t TZefLineBlocks::MemoryUsed() const
{
    size_t bytes = blocks_.capacity() * sizeof(blocks_[0]) + starts_.capacity() * sizeof(size_t);
    for (const auto& block : blocks_) {
        bytes += sizeof(TZefLineBlock) + block->entries.capacity() * sizeof(TZefLineEntry) +
                 block->ranges.MemoryUsed() + block->objects.capacity() * sizeof(void*) + block->breaks.capacity();
    }
    return bytes;
}
