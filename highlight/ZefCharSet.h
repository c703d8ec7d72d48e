// A set of the 256 byte values: identifier characters, word-break characters and the scanners' classes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TZefCharSet {
public:
    constexpr TZefCharSet() = default;
    // The characters of `chars` (a list, not a range; NUL included when it is in the view).
    constexpr explicit TZefCharSet(std::string_view chars)
    {
        for (char c : chars) Add(static_cast<unsigned char>(c));
    }

    constexpr bool Contains(unsigned char c) const { return (bits_[c >> 6] >> (c & 63)) & 1u; }
    constexpr TZefCharSet& Add(unsigned char c)
    {
        bits_[c >> 6] |= uint64_t{1} << (c & 63);
        return *this;
    }
    constexpr TZefCharSet& Remove(unsigned char c)
    {
        bits_[c >> 6] &= ~(uint64_t{1} << (c & 63));
        return *this;
    }
    // Adds first..last inclusive.
    constexpr TZefCharSet& AddRange(unsigned char first, unsigned char last)
    {
        for (int c = first; c <= last; ++c) Add(static_cast<unsigned char>(c));
        return *this;
    }

    constexpr bool Empty() const { return (bits_[0] | bits_[1] | bits_[2] | bits_[3]) == 0; }
    constexpr int Count() const
    {
        int count = 0;
        for (uint64_t word : bits_) count += __builtin_popcountll(word);
        return count;
    }

    friend constexpr TZefCharSet operator|(TZefCharSet a, const TZefCharSet& b)
    {
        for (int i = 0; i < 4; ++i) a.bits_[i] |= b.bits_[i];
        return a;
    }
    friend constexpr TZefCharSet operator-(TZefCharSet a, const TZefCharSet& b)
    {
        for (int i = 0; i < 4; ++i) a.bits_[i] &= ~b.bits_[i];
        return a;
    }
    friend constexpr TZefCharSet operator&(TZefCharSet a, const TZefCharSet& b)
    {
        for (int i = 0; i < 4; ++i) a.bits_[i] &= b.bits_[i];
        return a;
    }
    friend constexpr bool operator==(const TZefCharSet&, const TZefCharSet&) = default;

    // The members in ascending byte order, one byte each (the form TZefWordChars takes).
    std::string ToString() const
    {
        std::string members;
        for (int c = 0; c < 256; ++c) {
            if (Contains(static_cast<unsigned char>(c))) members += static_cast<char>(c);
        }
        return members;
    }

private:
    std::array<uint64_t, 4> bits_{};
};

// The same membership one byte per value, for the hottest loops: a load and a compare per character where
// the bit set needs a variable shift.
class TZefCharTable {
public:
    constexpr TZefCharTable() = default;
    constexpr explicit TZefCharTable(const TZefCharSet& set)
    {
        for (int c = 0; c < 256; ++c) members_[static_cast<size_t>(c)] = set.Contains(static_cast<unsigned char>(c));
    }
    bool Contains(unsigned char c) const { return members_[c]; }

private:
    std::array<bool, 256> members_{};
};

namespace zefchars {

// '0'..'9', 'A'..'Z', '_', 'a'..'z' and the Latin-1 letters 192..214, 216..246, 248..255.
constexpr TZefCharSet StandardIdentChars()
{
    TZefCharSet set;
    set.AddRange('0', '9').AddRange('A', 'Z').Add('_').AddRange('a', 'z');
    set.AddRange(192, 214).AddRange(216, 246).AddRange(248, 255);
    return set;
}

// Every character from '!' (33) to 255: the base highlighter's identifier characters.
constexpr TZefCharSet AllFromBang() { return TZefCharSet().AddRange('!', 255); }

// The 22 word-break characters every highlighter starts with: ! " ' ( ) * + , - . / : ; = ? [ \ ] ^ { | }
constexpr TZefCharSet DefaultWordBreakChars() { return TZefCharSet("!\"'()*+,-./:;=?[\\]^{|}"); }

constexpr TZefCharSet Digits() { return TZefCharSet().AddRange('0', '9'); }
constexpr TZefCharSet HexDigits() { return Digits().AddRange('A', 'F').AddRange('a', 'f'); }
// Bytes 1..32 but CR and LF: what most languages treat as blank space.
constexpr TZefCharSet BlankChars() { return TZefCharSet().AddRange(1, 32).Remove('\r').Remove('\n'); }

} // namespace zefchars
