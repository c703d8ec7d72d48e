// The system code page, Windows-1252: case mapping, character classes and Unicode conversion of all 256 bytes.
// Every other part of the program asks here instead of the C locale, so that 'É' and 'é' fold alike everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cp1252 {

// Tables of 256 entries, indexed by the unsigned byte.
const unsigned char* LowerTable();
const unsigned char* UpperTable();

inline unsigned char ToLower(unsigned char c) { return LowerTable()[c]; }
inline unsigned char ToUpper(unsigned char c) { return UpperTable()[c]; }

bool IsAlpha(unsigned char c);
bool IsDigit(unsigned char c);
bool IsAlphaNumeric(unsigned char c);
bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);

// The Unicode code point that byte c stands for. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control points of the same value, so every byte survives a round trip.
char16_t ToUnicode(unsigned char c);

// The byte for a code point, or '?' when the code page has none.
unsigned char FromUnicode(char32_t codePoint);

// UTF-16 text to Windows-1252 bytes, one byte per code point (surrogate pairs are one code point).
std::string FromUtf16(std::u16string_view text);
std::u16string ToUtf16(std::string_view bytes);

} // namespace cp1252
