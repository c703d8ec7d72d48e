// The records of lines that no longer read straight from the loaded file (edited, inserted, or too long to
// find their end quickly): numbered, at addresses that never move, so a view of a record's inline text
// stays valid while other lines change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

template <typename TRecord>
class TZefRecordPool {
public:
    static constexpr size_t kChunk = 1024;

    TRecord& operator[](uint32_t number) { return chunks_[number / kChunk][number % kChunk]; }
    const TRecord& operator[](uint32_t number) const { return chunks_[number / kChunk][number % kChunk]; }

    // A record number not in use (its contents are the caller's to set).
    uint32_t Allocate()
    {
        if (!free_.empty()) {
            const uint32_t number = free_.back();
            free_.pop_back();
            return number;
        }
        if (used_ == chunks_.size() * kChunk) chunks_.push_back(std::make_unique<TRecord[]>(kChunk));
        return static_cast<uint32_t>(used_++);
    }
    void Free(uint32_t number) { free_.push_back(number); }
    void Clear()
    {
        chunks_.clear();
        free_.clear();
        used_ = 0;
    }
    size_t Live() const { return used_ - free_.size(); }
    size_t MemoryUsed() const
    {
        return chunks_.size() * kChunk * sizeof(TRecord) + free_.capacity() * sizeof(uint32_t) +
               chunks_.capacity() * sizeof(chunks_[0]);
    }

private:
    std::vector<std::unique_ptr<TRecord[]>> chunks_;
    std::vector<uint32_t> free_;
    size_t used_ = 0; // numbers handed out so far, freed ones included
};
