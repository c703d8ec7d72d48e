// A set of the 256 byte values, the modifier flags of the regular-expression engine, and its case inversion.
#pragma once

#include "CodePage1252.h"

#include <bitset>
#include <cstdint>
#include <string>

// Membership of each byte value; one bit per byte.
class TZefRegExprCharSet {
public:
    bool Has(unsigned char c) const { return bits_.test(c); }
    void Add(unsigned char c) { bits_.set(c); }
    void AddRange(unsigned char from, unsigned char to)
    {
        for (int c = from; c <= to; ++c) bits_.set(static_cast<size_t>(c));
    }
    void AddAll() { bits_.set(); }
    void AddSet(const TZefRegExprCharSet& other) { bits_ |= other.bits_; }
    void Invert() { bits_.flip(); }
    bool IsFull() const { return bits_.all(); }
    bool IsEmpty() const { return bits_.none(); }
    int Count() const { return static_cast<int>(bits_.count()); }
    bool operator==(const TZefRegExprCharSet& other) const = default;

    // Compact text for program dumps: "a-z_" style, escapes for unprintable bytes.
    std::string Describe() const;

private:
    std::bitset<256> bits_;
};

// The upper-case form of c when that differs from c, else its lower-case form (Windows-1252).
inline unsigned char ZefFlipCase(unsigned char c)
{
    const unsigned char up = cp1252::ToUpper(c);
    return up != c ? up : cp1252::ToLower(c);
}

// The modifiers i, r, s, g, m, x as bits.
enum TZefRegExprModifier : uint8_t {
    rmIgnoreCase = 1,  // i
    rmRussian = 2,     // r
    rmSingleLine = 4,  // s
    rmGreedy = 8,      // g
    rmMultiLine = 16,  // m
    rmExtended = 32,   // x
};
using TZefRegExprModifiers = uint8_t;

inline constexpr TZefRegExprModifiers kZefRegExprDefaultModifiers = rmRussian | rmSingleLine | rmGreedy;

// The modifier bit for a letter (either case), or 0 when the letter names none.
TZefRegExprModifiers ZefModifierForLetter(char letter);

// The fixed character classes of "\d", "\w" and "\s".
const TZefRegExprCharSet& ZefDigitChars();
const TZefRegExprCharSet& ZefWordChars();
const TZefRegExprCharSet& ZefSpaceChars();
