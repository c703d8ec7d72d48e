// The keyword table by folded tail: adding with growth, and the probe past a first slot.
#include "ZefFoldedTailTable.h"

TZefFoldedTailTable::TZefFoldedTailTable() : slots_(16), words_(16), occupied_(1), mask_(15) {}

int TZefFoldedTailTable::Probe(size_t slot, uint64_t tail, std::string_view word, int unmatched) const
{
    for (;; slot = (slot + 1) & mask_) {
        const TSlot& entry = slots_[slot];
        if (entry.length == 0) return unmatched;
        if (entry.tail == tail && entry.length == word.size() && zeffold::EqualsFolded(word, words_[slot])) return entry.kind;
    }
}

void TZefFoldedTailTable::Add(const std::string& folded, int kind)
{
    if ((count_ + 1) * 8 > slots_.size()) {
        // Grown fourfold and filled again.
        std::vector<TSlot> old = std::move(slots_);
        std::vector<std::string> oldWords = std::move(words_);
        slots_.assign(old.size() * 4, TSlot{});
        words_.assign(old.size() * 4, std::string());
        occupied_.assign((slots_.size() + 63) / 64, 0);
        mask_ = slots_.size() - 1;
        count_ = 0;
        for (size_t i = 0; i < old.size(); ++i) {
            if (old[i].length != 0) Add(oldWords[i], old[i].kind);
        }
    }
    const uint64_t tail = zeffold::FoldedTail(folded);
    size_t slot = SlotOf(tail, folded.size());
    while (slots_[slot].length != 0) slot = (slot + 1) & mask_;
    slots_[slot] = {tail, static_cast<uint32_t>(folded.size()), kind};
    occupied_[slot / 64] |= uint64_t{1} << (slot % 64);
    words_[slot] = folded;
    ++count_;
}
