// The x86 assembly highlighter: instruction mnemonics, comments, strings and numbers.
#pragma once

#include "ZefCodeHighlighter.h"

#include <cstdint>
#include <string_view>

// No line-spanning state (range 0). ";", "#" and "//" comment out the rest of the line; strings in double or
// single quotes end at their quote or the line end. Mnemonics are keywords, ignoring case, held in a hash
// entry list of 1024 buckets (hash := hash * 7 + value, letters 1..26 in either case, digits 27..36).
class TZefAsmSyn : public TZefCodeHighlighter {
public:
    static constexpr uint32_t kBucketCount = 1024;

    TZefAsmSyn();


    static uint32_t MnemonicHash(std::string_view word);
    // How many mnemonics the list holds.
    static int MnemonicCount();
};
