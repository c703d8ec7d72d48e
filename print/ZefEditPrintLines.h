// The print engine's own copy of the text: every line with its tabs expanded (one byte per column), kept in
// one block with an offset table so that a 100 MB document costs one allocation, not one per line.
#pragma once

#include "ZefWorkProgress.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TZefEditStringList;

class TZefPrintLines {
public:
    void Clear();
    // Replaces the copy. Tabs become runs of byte 9 up to the next tab stop (with tab width 1 a space each).
    // progress hears the lines taken of all; a stop raises EZefWorkCancelled and leaves the copy as it was.
    void Assign(const TZefEditStringList& lines, int tabWidth, const TZefWorkProgress& progress = {});
    void Assign(const std::vector<std::string>& lines, int tabWidth);
    void Add(std::string_view line, int tabWidth);
    void Swap(TZefPrintLines& other) noexcept
    {
        text_.swap(other.text_);
        starts_.swap(other.starts_);
    }

    int Count() const { return static_cast<int>(starts_.size()) - 1; }
    std::string_view Line(int index) const
    {
        const size_t begin = starts_[static_cast<size_t>(index)];
        return {text_.data() + begin, starts_[static_cast<size_t>(index) + 1] - begin};
    }
    size_t Length(int index) const
    {
        return starts_[static_cast<size_t>(index) + 1] - starts_[static_cast<size_t>(index)];
    }

private:
    std::string text_;
    std::vector<size_t> starts_{0}; // Count() + 1 offsets into text_
};
