// Keywords found by their folded tails and lengths: the lookup the case-insensitive keyword schemes share.
#pragma once

#include "ZefFoldedWord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Open addressing, at most an eighth full, so most words that are no keyword meet an empty slot at once; a
// word of up to eight characters is told by its tail and length alone, a longer one is compared as well.
// Keywords are added folded to lower case, each at most once.
class TZefFoldedTailTable {
public:
    TZefFoldedTailTable();

    void Add(const std::string& folded, int kind);
    // The kind of the keyword equal to `word` ignoring case, whose tail (see zeffold::TailStep) the caller
    // built; `unmatched` when there is none.
    int Find(uint64_t tail, std::string_view word, int unmatched) const
    {
        const size_t slot = SlotOf(tail, word.size());
        // A bit per slot answers most words that are no keyword without reading the slots themselves, so the
        // table's cache lines stay out of the scanner's way.
        if (((occupied_[slot / 64] >> (slot % 64)) & 1) == 0) return unmatched;
        const TSlot& entry = slots_[slot];
        const bool same = entry.tail == tail && entry.length == word.size();
        // The common cases without a branch on the answer: the word's slot holds its keyword of up to
        // eight characters, or is empty. A longer keyword or an occupied slot of another is looked at on.
        if ((same && word.size() > 8) || (!same && entry.length != 0)) return Probe(slot, tail, word, unmatched);
        return same ? entry.kind : unmatched;
    }

private:
    struct TSlot {
        uint64_t tail = 0;
        uint32_t length = 0; // 0: an empty slot
        int kind = 0;
    };
    size_t SlotOf(uint64_t tail, size_t length) const
    {
        return static_cast<size_t>(zeffold::TailHash(tail, length) >> 40) & mask_;
    }
    // Find from `slot` on, comparing whole words.
    int Probe(size_t slot, uint64_t tail, std::string_view word, int unmatched) const;

    std::vector<TSlot> slots_;
    std::vector<std::string> words_; // each slot's folded keyword
    std::vector<uint64_t> occupied_; // a bit per slot that holds a keyword
    size_t mask_;
    size_t count_ = 0;
};
