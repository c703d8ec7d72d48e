// Character tables of the keyword lookups: which characters continue a word and the hash value of each.
#pragma once

#include "ZefCharSet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Two 256-entry tables, built once per language. Where both cases of a letter have the same value, a
// comparison by values (KeyCompHashed) matches regardless of case; a language may give several characters
// one value on purpose (then they compare equal as well).
struct TZefKeyHashTables {
    TZefCharSet ident;
    std::array<uint16_t, 256> value{};

    // Each identifier character's value is its lower-case byte in Windows-1252, so 'É' and 'é' hash and
    // compare alike and no two different letters do.
    static TZefKeyHashTables CaseInsensitive(const TZefCharSet& identChars);
    // Each identifier character's value is its own byte.
    static TZefKeyHashTables CaseSensitive(const TZefCharSet& identChars);
};

// A word's hash and length, the word being the run of identifier characters at the start of the text.
struct TZefWordHash {
    uint32_t hash = 0;
    size_t length = 0;
};

namespace zefkeys {

// The sum of the values of the word's characters.
inline TZefWordHash SumHash(const TZefKeyHashTables& tables, std::string_view text)
{
    TZefWordHash result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!tables.ident.Contains(byte)) break;
        result.hash += tables.value[byte];
        ++result.length;
    }
    return result;
}
// A letter's place in the alphabet, 1..26 in either case (ASCII letters only); 0 for any other character.
constexpr uint32_t LetterOrdinal(unsigned char c)
{
    if (c >= 'a' && c <= 'z') return c - 'a' + 1u;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 1u;
    return 0;
}

// hash := hash * 2 + value for each character, modulo 256.
TZefWordHash ShiftHash(const TZefKeyHashTables& tables, std::string_view text);

// Equal length and equal value at every position.
bool KeyCompHashed(const TZefKeyHashTables& tables, std::string_view word, std::string_view keyword);
// Equal length and equal characters.
inline bool KeyCompRaw(std::string_view word, std::string_view keyword) { return word == keyword; }
// Equal length and equal characters after Windows-1252 case folding.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace zefkeys
