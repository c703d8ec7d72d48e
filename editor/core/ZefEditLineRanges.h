// The highlighter ranges of one block of lines. Most highlighters keep their states in small numbers, so
// a block holds a byte per line until a range outside [-1, 254] arrives; then it widens to 32 bits. A
// document of short lines so spends a byte per line on ranges, not four.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TZefRangeColumn {
public:
    bool empty() const { return wide_ ? wideValues_.empty() : narrow_.empty(); }
    size_t size() const { return wide_ ? wideValues_.size() : narrow_.size(); }

    int32_t operator[](size_t position) const
    {
        return wide_ ? wideValues_[position] : static_cast<int32_t>(narrow_[position]) - 1;
    }
    void Set(size_t position, int32_t value)
    {
        if (!wide_ && !Fits(value)) Widen();
        if (wide_) wideValues_[position] = value;
        else narrow_[position] = Narrow(value);
    }
    // count lines with value, replacing what the column held.
    void Assign(size_t count, int32_t value)
    {
        narrow_.clear();
        wideValues_.clear();
        wide_ = !Fits(value);
        if (wide_) wideValues_.assign(count, value);
        else narrow_.assign(count, Narrow(value));
    }
    void Insert(size_t at, size_t count, int32_t value)
    {
        if (!wide_ && !Fits(value)) Widen();
        if (wide_) wideValues_.insert(wideValues_.begin() + static_cast<std::ptrdiff_t>(at), count, value);
        else narrow_.insert(narrow_.begin() + static_cast<std::ptrdiff_t>(at), count, Narrow(value));
    }
    void Erase(size_t from, size_t to)
    {
        const auto first = static_cast<std::ptrdiff_t>(from);
        const auto last = static_cast<std::ptrdiff_t>(to);
        if (wide_) wideValues_.erase(wideValues_.begin() + first, wideValues_.begin() + last);
        else narrow_.erase(narrow_.begin() + first, narrow_.begin() + last);
    }
    // Keeps the first count lines.
    void Truncate(size_t count)
    {
        if (wide_) wideValues_.resize(count);
        else narrow_.resize(count);
    }
    // Appends lines [from, to) of another column.
    void Append(const TZefRangeColumn& other, size_t from, size_t to)
    {
        if (!wide_ && other.wide_) Widen();
        if (wide_) {
            for (size_t i = from; i < to; ++i) wideValues_.push_back(other[i]);
        } else {
            narrow_.insert(narrow_.end(), other.narrow_.begin() + static_cast<std::ptrdiff_t>(from),
                           other.narrow_.begin() + static_cast<std::ptrdiff_t>(to));
        }
    }
    size_t MemoryUsed() const { return narrow_.capacity() + wideValues_.capacity() * sizeof(int32_t); }

private:
    static bool Fits(int32_t value) { return value >= -1 && value <= 254; }
    static uint8_t Narrow(int32_t value) { return static_cast<uint8_t>(value + 1); }
    void Widen()
    {
        wideValues_.reserve(narrow_.size());
        for (const uint8_t value : narrow_) wideValues_.push_back(static_cast<int32_t>(value) - 1);
        narrow_.clear();
        narrow_.shrink_to_fit();
        wide_ = true;
    }

    std::vector<uint8_t> narrow_;
    std::vector<int32_t> wideValues_;
    bool wide_ = false;
};
