// Windows-1252 tables, built once from the code page's published mapping of bytes 0x80..0x9F.
#include "CodePage1252.h"

#include <array>
#include <unordered_map>

namespace cp1252 {
namespace {

constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

// Upper-case / lower-case pairs outside the two Latin-1 letter blocks.
constexpr std::pair<unsigned char, unsigned char> kExtraCasePairs[] = {
    {0x8A, 0x9A},  // Š š
    {0x8C, 0x9C},  // Œ œ
    {0x8E, 0x9E},  // Ž ž
    {0x9F, 0xFF},  // Ÿ ÿ
};

struct Tables {
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
    std::array<bool, 256> alpha{};
    std::array<bool, 256> digit{};

    Tables()
    {
        for (int c = 0; c < 256; ++c) {
            lower[c] = upper[c] = static_cast<unsigned char>(c);
        }
        auto pair = [this](int up, int low) {
            lower[up] = static_cast<unsigned char>(low);
            upper[low] = static_cast<unsigned char>(up);
            alpha[up] = alpha[low] = true;
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7) pair(c, c + 32);  // × and ÷ are not letters
        }
        for (auto [up, low] : kExtraCasePairs) pair(up, low);
        // Letters without a case partner in this code page: ƒ ª µ º ß.
        for (int c : {0x83, 0xAA, 0xB5, 0xBA, 0xDF}) alpha[c] = true;
        for (int c = '0'; c <= '9'; ++c) digit[c] = true;
        for (int c : {0xB2, 0xB3, 0xB9}) digit[c] = true;  // superscript digits count as digits
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

const unsigned char* LowerTable() { return GetTables().lower.data(); }
const unsigned char* UpperTable() { return GetTables().upper.data(); }

bool IsAlpha(unsigned char c) { return GetTables().alpha[c]; }
bool IsDigit(unsigned char c) { return GetTables().digit[c]; }
bool IsAlphaNumeric(unsigned char c) { return IsAlpha(c) || IsDigit(c); }
bool IsUpper(unsigned char c) { return IsAlpha(c) && ToLower(c) != c; }
bool IsLower(unsigned char c) { return IsAlpha(c) && ToUpper(c) != c; }

char16_t ToUnicode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
    return c;
}

unsigned char FromUnicode(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<unsigned char>(codePoint);
    static const auto reverse = [] {
        std::unordered_map<char32_t, unsigned char> map;
        for (int c = 0x80; c <= 0x9F; ++c) map[kHighControls[c - 0x80]] = static_cast<unsigned char>(c);
        return map;
    }();
    auto found = reverse.find(codePoint);
    return found == reverse.end() ? '?' : found->second;
}

std::string FromUtf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        bool highSurrogate = codePoint >= 0xD800 && codePoint <= 0xDBFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        bytes.push_back(static_cast<char>(FromUnicode(codePoint)));
    }
    return bytes;
}

std::u16string ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes) text.push_back(ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

} // namespace cp1252
