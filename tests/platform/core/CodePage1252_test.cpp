// Tests of the Windows-1252 code page: case pairs, letters without partners, and Unicode conversion.
#include "CodePage1252.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Every upper/lower pair of the code page, derived from the published character chart.
std::map<unsigned char, unsigned char> UpperToLowerPairs()
{
    std::map<unsigned char, unsigned char> pairs;
    for (int c = 'A'; c <= 'Z'; ++c) pairs[static_cast<unsigned char>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pairs[static_cast<unsigned char>(c)] = static_cast<unsigned char>(c + 32); // À..Þ / à..þ
    pairs[0x8A] = 0x9A; // Š š
    pairs[0x8C] = 0x9C; // Œ œ
    pairs[0x8E] = 0x9E; // Ž ž
    pairs[0x9F] = 0xFF; // Ÿ ÿ
    return pairs;
}

TEST(CodePage1252, EveryLetterPairMapsBothWaysAndNothingElseChanges)
{
    const auto pairs = UpperToLowerPairs();
    std::map<unsigned char, unsigned char> lowerToUpper;
    for (auto [up, low] : pairs) lowerToUpper[low] = up;

    for (int i = 0; i < 256; ++i) {
        auto c = static_cast<unsigned char>(i);
        bool isUpper = pairs.count(c) != 0;
        bool isLower = lowerToUpper.count(c) != 0;
        EXPECT_EQ(cp1252::ToLower(c), isUpper ? pairs.at(c) : c) << i;
        EXPECT_EQ(cp1252::ToUpper(c), isLower ? lowerToUpper.at(c) : c) << i;
        EXPECT_EQ(cp1252::IsUpper(c), isUpper) << i;
        EXPECT_EQ(cp1252::IsLower(c), isLower) << i;
        EXPECT_TRUE(cp1252::IsAlpha(c) || !(isUpper || isLower)) << i;
    }
}

TEST(CodePage1252, SignsAndLettersWithoutPartner)
{
    for (unsigned char sign : {0xD7, 0xF7}) { // × ÷
        EXPECT_EQ(cp1252::ToUpper(sign), sign);
        EXPECT_EQ(cp1252::ToLower(sign), sign);
        EXPECT_FALSE(cp1252::IsAlpha(sign));
        EXPECT_FALSE(cp1252::IsAlphaNumeric(sign));
    }
    for (unsigned char letter : {0xDF, 0xB5, 0x83, 0xAA, 0xBA}) { // ß µ ƒ ª º
        EXPECT_EQ(cp1252::ToUpper(letter), letter);
        EXPECT_EQ(cp1252::ToLower(letter), letter);
        EXPECT_TRUE(cp1252::IsAlpha(letter));
        EXPECT_TRUE(cp1252::IsAlphaNumeric(letter));
    }
    // @ [ ` { _ space NUL € nbsp ¿
    for (unsigned char other : {0x40, 0x5B, 0x60, 0x7B, 0x5F, 0x20, 0x00, 0x80, 0xA0, 0xBF}) {
        EXPECT_FALSE(cp1252::IsAlpha(other)) << int(other);
        EXPECT_FALSE(cp1252::IsDigit(other)) << int(other);
    }
    for (unsigned char digit = '0'; digit <= '9'; ++digit) {
        EXPECT_TRUE(cp1252::IsDigit(digit));
        EXPECT_TRUE(cp1252::IsAlphaNumeric(digit));
        EXPECT_FALSE(cp1252::IsAlpha(digit));
    }
}

TEST(CodePage1252, EveryByteRoundTripsThroughUnicode)
{
    std::string all;
    for (int i = 0; i < 256; ++i) {
        auto c = static_cast<unsigned char>(i);
        EXPECT_EQ(cp1252::FromUnicode(cp1252::ToUnicode(c)), c) << i;
        all.push_back(static_cast<char>(c));
    }
    std::u16string text = cp1252::ToUtf16(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(cp1252::FromUtf16(text), all); // NUL and the undefined bytes included

    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    for (Case c : {Case{0x00, 0x0000}, Case{0x7F, 0x007F}, Case{0x80, 0x20AC}, Case{0x81, 0x0081}, Case{0x85, 0x2026},
                   Case{0x8A, 0x0160}, Case{0x8D, 0x008D}, Case{0x96, 0x2013}, Case{0x99, 0x2122}, Case{0x9F, 0x0178},
                   Case{0xA0, 0x00A0}, Case{0xE9, 0x00E9}, Case{0xFF, 0x00FF}})
        EXPECT_EQ(cp1252::ToUnicode(c.byte), c.unicode) << int(c.byte);
}

TEST(CodePage1252, UnmappableCodePointsBecomeQuestionMarks)
{
    for (char32_t codePoint : {char32_t(0x0080), char32_t(0x0100), char32_t(0x0161 + 1), char32_t(0x20AD),
                               char32_t(0xFFFD), char32_t(0x1F600), char32_t(0x10FFFF)})
        EXPECT_EQ(cp1252::FromUnicode(codePoint), '?') << std::hex << uint32_t(codePoint);
    EXPECT_EQ(cp1252::FromUnicode(0x2122), 0x99);
}

TEST(CodePage1252, SurrogatePairsAreOneCodePoint)
{
    struct Case {
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {u"a\U0001F600b", "a?b"},                          // one '?' for the pair
        {std::u16string{u'x', char16_t(0xD83D)}, "x?"},    // high surrogate at the end
        {std::u16string{char16_t(0xD83D), u'x'}, "?x"},    // high surrogate without its partner
        {std::u16string{char16_t(0xDE00), u'x'}, "?x"},    // lone low surrogate
        {std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)}, "??"},
        {u"\u20AC\u00E9", "\x80\xE9"},
    };
    for (const Case& c : cases) EXPECT_EQ(cp1252::FromUtf16(c.text), c.bytes);
}

} // namespace
