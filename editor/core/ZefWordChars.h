// Word boundaries of the editor: the identifier / word-break character sets and the word positions built on them.
#pragma once

#include "ZefEditTypes.h"

#include <array>
#include <string_view>

class TZefEditStringList;

// IdentChars and WordBreakSet as one table: every byte from 1 to 255 is in exactly one of the two sets,
// byte 0 is in neither (so a NUL inside a line neither continues nor breaks a word).
class TZefWordChars {
public:
    // The sets used without a highlighter: '0'..'9', 'A'..'Z', '_', 'a'..'z' and the letters 192..255 but
    // 215 and 247, minus DefaultWordBreakChars().
    TZefWordChars();
    // A highlighter's sets: its identifier characters minus its word-break characters.
    TZefWordChars(std::string_view identChars, std::string_view wordBreakChars);

    bool IsIdentChar(unsigned char c) const { return ident_[c]; }
    bool IsWordBreak(unsigned char c) const { return c != 0 && !ident_[c]; }

    // ! " ' ( ) * + , - . / : ; = ? [ \ ] ^ { | }
    static std::string_view DefaultWordBreakChars();

private:
    std::array<bool, 256> ident_{};
};

// Word positions on buffer coordinates (index and line from 1). Lines outside the store read as empty.
// Each is O(length of the lines it looks at).
namespace zefword {

// Start of the next word: the next identifier after the current one; at or beyond the last character of a
// line, the first identifier character of the next line (index 1 when it has none); unchanged on the last line.
TBufferCoord NextWordStart(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p);
// Start of the word before p; at index 1 the end of the previous line (unchanged on line 1).
TBufferCoord PreviousWordStart(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p);
// Start of the word that p stands in or just after; p itself (limited to the line end) otherwise.
TBufferCoord WordStartAt(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p);
// The first word-break character at or after p, or the line end (length + 1).
TBufferCoord WordEndAt(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p);

} // namespace zefword
