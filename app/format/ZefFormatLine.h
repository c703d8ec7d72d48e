// The line the formatter is visiting: its text sits at the end of a buffer with free room in front, so that
// indents go in front and finished parts come off the front without moving the rest of a long line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TZefFormatLine {
public:
    void Assign(std::string&& text);
    std::string_view Text() const { return {buffer_.data() + start_, buffer_.size() - start_}; }
    std::size_t Length() const { return buffer_.size() - start_; }

    // Puts count copies of c in front. Amortised O(count): when the room in front runs out the buffer grows
    // by at least the text's own length.
    void Prepend(std::size_t count, char c);
    void DropFront(std::size_t count) { start_ += count; }
    // The first count characters as a string of their own; the line keeps the rest.
    std::string TakeFront(std::size_t count);
    void Append(std::string_view text) { buffer_.append(text); }
    // The whole text; the line is empty afterwards.
    std::string Release();

private:
    std::string buffer_;
    std::size_t start_ = 0;
};
