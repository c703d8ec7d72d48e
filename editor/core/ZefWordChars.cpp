// Identifier / word-break sets and the word-position searches of the editor.
#include "ZefWordChars.h"

#include "DoubleByte.h"
#include "ZefEditTextBuffer.h"

#include <algorithm>

TZefWordChars::TZefWordChars()
{
    for (int c = '0'; c <= '9'; ++c) ident_[static_cast<size_t>(c)] = true;
    for (int c = 'A'; c <= 'Z'; ++c) ident_[static_cast<size_t>(c)] = true;
    for (int c = 'a'; c <= 'z'; ++c) ident_[static_cast<size_t>(c)] = true;
    ident_['_'] = true;
    for (int c = 192; c <= 255; ++c) ident_[static_cast<size_t>(c)] = (c != 215 && c != 247);
    for (char c : DefaultWordBreakChars()) ident_[static_cast<unsigned char>(c)] = false;
}

TZefWordChars::TZefWordChars(std::string_view identChars, std::string_view wordBreakChars)
{
    for (char c : identChars) ident_[static_cast<unsigned char>(c)] = true;
    for (char c : wordBreakChars) ident_[static_cast<unsigned char>(c)] = false;
    ident_[0] = false;
}

std::string_view TZefWordChars::DefaultWordBreakChars()
{
    return "!\"'()*+,-./:;=?[\\]^{|}";
}

namespace zefword {

namespace {

using CharTest = bool (TZefWordChars::*)(unsigned char) const;

// First 1-based index at or after `from` whose byte passes `test`; 0 when none. A lead byte of a double-byte
// character met before the hit stops the search there.
int ScanForward(std::string_view line, const TZefWordChars& chars, CharTest test, int from)
{
    for (int i = std::max(from, 1); i <= static_cast<int>(line.size()); ++i) {
        const auto c = static_cast<unsigned char>(line[static_cast<size_t>(i - 1)]);
        if ((chars.*test)(c) || dbcs::IsLeadByte(c)) return i;
    }
    return 0;
}

// Last 1-based index at or before `from` whose byte passes `test`; 0 when none.
int ScanBackward(std::string_view line, const TZefWordChars& chars, CharTest test, int from)
{
    for (int i = std::min<int>(from, static_cast<int>(line.size())); i >= 1; --i) {
        const auto c = static_cast<unsigned char>(line[static_cast<size_t>(i - 1)]);
        if ((chars.*test)(c) || dbcs::IsLeadByte(c)) return i;
    }
    return 0;
}

std::string_view LineAt(const TZefEditStringList& lines, int line) { return lines.GetLine(line - 1); }

int Length(std::string_view text) { return static_cast<int>(text.size()); }

} // namespace

TBufferCoord NextWordStart(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p)
{
    const std::string_view line = LineAt(lines, p.Line);
    const int length = Length(line);
    if (p.Char >= length) {
        if (p.Line >= lines.Count()) return p;
        const int first = ScanForward(LineAt(lines, p.Line + 1), chars, &TZefWordChars::IsIdentChar, 1);
        return BufferCoord(std::max(first, 1), p.Line + 1);
    }
    int x = std::max(p.Char, 1);
    if (chars.IsIdentChar(static_cast<unsigned char>(line[static_cast<size_t>(x - 1)]))) {
        x = ScanForward(line, chars, &TZefWordChars::IsWordBreak, x);
    }
    if (x > 0) x = ScanForward(line, chars, &TZefWordChars::IsIdentChar, x);
    return BufferCoord(x > 0 ? x : length + 1, p.Line);
}

TBufferCoord PreviousWordStart(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p)
{
    const std::string_view line = LineAt(lines, p.Line);
    const int x = std::min(p.Char, Length(line) + 1);
    auto endOfPreviousLine = [&](int atLineOne) {
        if (p.Line <= 1) return BufferCoord(atLineOne, p.Line);
        return BufferCoord(Length(LineAt(lines, p.Line - 1)) + 1, p.Line - 1);
    };
    if (x <= 1) return endOfPreviousLine(x);
    int pos = x - 1;
    if (chars.IsWordBreak(static_cast<unsigned char>(line[static_cast<size_t>(pos - 1)]))) {
        pos = ScanBackward(line, chars, &TZefWordChars::IsIdentChar, pos - 1);
        if (pos == 0) return endOfPreviousLine(1);
    }
    return BufferCoord(ScanBackward(line, chars, &TZefWordChars::IsWordBreak, pos - 1) + 1, p.Line);
}

TBufferCoord WordStartAt(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p)
{
    const std::string_view line = LineAt(lines, p.Line);
    int x = std::min(p.Char, Length(line) + 1);
    if (x > 1 && chars.IsIdentChar(static_cast<unsigned char>(line[static_cast<size_t>(x - 2)]))) {
        x = ScanBackward(line, chars, &TZefWordChars::IsWordBreak, x - 1) + 1;
    }
    return BufferCoord(x, p.Line);
}

TBufferCoord WordEndAt(const TZefEditStringList& lines, const TZefWordChars& chars, TBufferCoord p)
{
    const std::string_view line = LineAt(lines, p.Line);
    const int found = ScanForward(line, chars, &TZefWordChars::IsWordBreak, p.Char);
    return BufferCoord(found > 0 ? found : Length(line) + 1, p.Line);
}

} // namespace zefword
