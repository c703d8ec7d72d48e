// The RTF tokenizer: one linear pass, no lookahead beyond a control word's parameter.
#include "ZefRtfTokenizer.h"

#include <algorithm>

namespace {

bool IsLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(unsigned char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

TZefRtfToken TZefRtfTokenizer::Next()
{
    TZefRtfToken token;
    while (pos_ < input_.size()) {
        const auto c = static_cast<unsigned char>(input_[pos_]);
        switch (c) {
        case '\r':
        case '\n':
            ++pos_;
            continue;
        case '{':
            ++pos_;
            token.kind = TZefRtfTokenKind::tkGroupOpen;
            return token;
        case '}':
            ++pos_;
            token.kind = TZefRtfTokenKind::tkGroupClose;
            return token;
        case '\\': {
            if (pos_ + 1 >= input_.size()) {
                pos_ = input_.size();
                return token;
            }
            const auto next = static_cast<unsigned char>(input_[pos_ + 1]);
            if (IsLetter(next))
                return ControlWord();
            if (next == '\'') {
                const int high = pos_ + 2 < input_.size() ? HexValue(static_cast<unsigned char>(input_[pos_ + 2])) : -1;
                const int low = pos_ + 3 < input_.size() ? HexValue(static_cast<unsigned char>(input_[pos_ + 3])) : -1;
                if (high >= 0 && low >= 0) {
                    pos_ += 4;
                    token.kind = TZefRtfTokenKind::tkHexByte;
                    token.symbol = static_cast<unsigned char>(high * 16 + low);
                    return token;
                }
                // A broken escape: drop the backslash and quote, the following bytes read as text.
                pos_ += 2;
                continue;
            }
            pos_ += 2;
            token.kind = TZefRtfTokenKind::tkControlSymbol;
            token.symbol = next == '\r' ? '\n' : next;
            return token;
        }
        default: {
            const std::size_t start = pos_;
            while (pos_ < input_.size()) {
                const char t = input_[pos_];
                if (t == '\\' || t == '{' || t == '}' || t == '\r' || t == '\n')
                    break;
                ++pos_;
            }
            token.kind = TZefRtfTokenKind::tkText;
            token.word = input_.substr(start, pos_ - start);
            return token;
        }
        }
    }
    return token;
}

TZefRtfToken TZefRtfTokenizer::ControlWord()
{
    TZefRtfToken token;
    token.kind = TZefRtfTokenKind::tkControlWord;
    ++pos_; // the backslash
    const std::size_t start = pos_;
    while (pos_ < input_.size() && IsLetter(static_cast<unsigned char>(input_[pos_])))
        ++pos_;
    token.word = input_.substr(start, std::min(pos_ - start, kMaxWordLength));
    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(static_cast<unsigned char>(input_[pos_ + 1]))) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && IsDigit(static_cast<unsigned char>(input_[pos_]))) {
        token.hasParameter = true;
        int64_t value = 0;
        while (pos_ < input_.size() && IsDigit(static_cast<unsigned char>(input_[pos_]))) {
            if (value <= INT32_MAX)
                value = value * 10 + (input_[pos_] - '0');
            ++pos_;
        }
        if (negative)
            value = -value;
        token.parameter = static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : value);
    }
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_;
    return token;
}

void TZefRtfTokenizer::SkipBytes(int64_t count)
{
    if (count <= 0)
        return;
    const std::size_t left = input_.size() - pos_;
    pos_ += static_cast<uint64_t>(count) < left ? static_cast<std::size_t>(count) : left;
}
