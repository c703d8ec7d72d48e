// Splits RTF bytes into groups, control words, control symbols, \'hh escapes and runs of text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class TZefRtfTokenKind { tkEnd, tkGroupOpen, tkGroupClose, tkControlWord, tkControlSymbol, tkHexByte, tkText };

// A token views the tokenizer's input, which must outlive it.
struct TZefRtfToken {
    TZefRtfTokenKind kind = TZefRtfTokenKind::tkEnd;
    std::string_view word;  // control word name (letters only, at most kMaxWordLength of them) or text run
    bool hasParameter = false;
    int32_t parameter = 0;  // saturated to the int32 range
    unsigned char symbol = 0; // control symbol character, or the byte of \'hh
};

// Every call to Next consumes at least one byte until the input is exhausted, so a loop over the tokens ends
// after at most input-size steps whatever the bytes are. Raw CR and LF are not text in RTF and are dropped;
// a backslash before CR or LF comes back as the control symbol '\n' (a paragraph break). A truncated
// escape at the very end yields tkEnd.
class TZefRtfTokenizer {
public:
    static constexpr std::size_t kMaxWordLength = 32;

    explicit TZefRtfTokenizer(std::string_view input) : input_(input) {}

    TZefRtfToken Next();
    // Skips up to `count` bytes of binary data (\binN); negative counts skip nothing.
    void SkipBytes(int64_t count);
    std::size_t Position() const { return pos_; }

private:
    TZefRtfToken ControlWord();

    std::string_view input_;
    std::size_t pos_ = 0;
};
