// The visited line's buffer with room in front.
#include "ZefFormatLine.h"

#include <algorithm>
#include <cstring>
#include <utility>

void TZefFormatLine::Assign(std::string&& text)
{
    buffer_ = std::move(text);
    start_ = 0;
}

void TZefFormatLine::Prepend(std::size_t count, char c)
{
    if (count > start_) {
        const std::size_t length = Length();
        const std::size_t room = count + std::max<std::size_t>(length, 16);
        std::string grown(room + length, c);
        std::memcpy(grown.data() + room, buffer_.data() + start_, length);
        buffer_ = std::move(grown);
        start_ = room;
    }
    start_ -= count;
    std::fill_n(buffer_.data() + start_, count, c);
}

std::string TZefFormatLine::TakeFront(std::size_t count)
{
    count = std::min(count, Length());
    std::string front(buffer_.data() + start_, count);
    start_ += count;
    return front;
}

std::string TZefFormatLine::Release()
{
    if (start_ > 0)
        buffer_.erase(0, start_);
    start_ = 0;
    return std::exchange(buffer_, std::string());
}
