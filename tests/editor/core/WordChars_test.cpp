// Word character sets, word positions and the index / display-column conversion.
#include "ZefEditColumns.h"
#include "ZefEditTextBuffer.h"
#include "ZefWordChars.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Pos(TBufferCoord p) { return "(" + std::to_string(p.Char) + "," + std::to_string(p.Line) + ")"; }

} // namespace

TEST(WordChars, DefaultSetsSplitEveryByteButNul)
{
    const TZefWordChars chars;
    std::string ident;
    std::string breaks;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_FALSE(chars.IsIdentChar(byte) && chars.IsWordBreak(byte)) << c;
        if (c != 0) {
            EXPECT_TRUE(chars.IsIdentChar(byte) || chars.IsWordBreak(byte)) << c;
        }
        if (chars.IsIdentChar(byte) && c < 128) ident += static_cast<char>(c);
    }
    EXPECT_EQ(ident, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    EXPECT_FALSE(chars.IsWordBreak(0));
    for (const int c : {192, 214, 216, 246, 248, 255}) EXPECT_TRUE(chars.IsIdentChar(static_cast<unsigned char>(c))) << c;
    for (const int c : {215, 247, 191, 128}) EXPECT_TRUE(chars.IsWordBreak(static_cast<unsigned char>(c))) << c;

    const TZefWordChars custom("abc-$", "-");
    EXPECT_TRUE(custom.IsIdentChar('$'));
    EXPECT_TRUE(custom.IsWordBreak('-')) << "a highlighter's word breaks win over its identifier characters";
    EXPECT_TRUE(custom.IsWordBreak('d'));
}

TEST(WordChars, WordPositions)
{
    TZefEditStringList lines;
    lines.SetText("  foo(bar) baz\r\n\r\n...\r\nx_1 \xE9t\xE9");
    const TZefWordChars chars;
    using Finder = TBufferCoord (*)(const TZefEditStringList&, const TZefWordChars&, TBufferCoord);
    struct Case {
        const char* name;
        Finder finder;
        TBufferCoord from;
        const char* expected;
    };
    const Case cases[] = {
        {"next: from blanks to the word", zefword::NextWordStart, {1, 1}, "(3,1)"},
        {"next: over the word and the bracket", zefword::NextWordStart, {3, 1}, "(7,1)"},
        {"next: last word runs to the end", zefword::NextWordStart, {13, 1}, "(15,1)"},
        {"next: last character goes to the next line", zefword::NextWordStart, {14, 1}, "(1,2)"},
        {"next: a line without identifiers gives index 1", zefword::NextWordStart, {1, 2}, "(1,3)"},
        {"next: no identifier left goes to the line end", zefword::NextWordStart, {2, 3}, "(4,3)"},
        {"next: first identifier of the next line", zefword::NextWordStart, {3, 3}, "(1,4)"},
        {"next: unchanged on the last line", zefword::NextWordStart, {8, 4}, "(8,4)"},
        {"next: accented letters are word characters", zefword::NextWordStart, {1, 4}, "(5,4)"},
        {"previous: into the word before", zefword::PreviousWordStart, {12, 1}, "(7,1)"},
        {"previous: from inside a word", zefword::PreviousWordStart, {9, 1}, "(7,1)"},
        {"previous: beyond the end is limited", zefword::PreviousWordStart, {40, 1}, "(12,1)"},
        {"previous: index 1 goes to the previous line's end", zefword::PreviousWordStart, {1, 2}, "(15,1)"},
        {"previous: only breaks before: previous line", zefword::PreviousWordStart, {4, 3}, "(1,2)"},
        {"previous: unchanged on line 1", zefword::PreviousWordStart, {1, 1}, "(1,1)"},
        {"previous: blanks before the first word, line 1", zefword::PreviousWordStart, {3, 1}, "(1,1)"},
        {"start: inside a word", zefword::WordStartAt, {9, 1}, "(7,1)"},
        {"start: right after a word", zefword::WordStartAt, {6, 1}, "(3,1)"},
        {"start: after a break stays", zefword::WordStartAt, {12, 1}, "(12,1)"},
        {"end: inside a word", zefword::WordEndAt, {8, 1}, "(10,1)"},
        {"end: at a break", zefword::WordEndAt, {6, 1}, "(6,1)"},
        {"end: last word ends at the line end", zefword::WordEndAt, {13, 1}, "(15,1)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Pos(c.finder(lines, chars, c.from)), c.expected) << c.name;
}

TEST(WordChars, ColumnsFollowTabStops)
{
    struct Case {
        const char* line;
        int tabWidth;
        int charIndex;
        int column;
    };
    // Pairs that convert both ways.
    const Case roundTrips[] = {
        {"a\tb", 8, 1, 1}, {"a\tb", 8, 2, 2}, {"a\tb", 8, 3, 9}, {"a\tb", 8, 4, 10}, {"a\tb", 8, 6, 12},
        {"a\tb", 4, 3, 5}, {"\t\tx", 3, 3, 7}, {"a\tb", 1, 3, 3}, {"", 8, 5, 5},
    };
    for (const Case& c : roundTrips) {
        EXPECT_EQ(zefcolumns::CharToColumn(c.line, c.tabWidth, c.charIndex), c.column) << c.line << " " << c.charIndex;
        EXPECT_EQ(zefcolumns::ColumnToChar(c.line, c.tabWidth, c.column), c.charIndex) << c.line << " " << c.column;
    }
    for (int column = 2; column <= 8; ++column) {
        EXPECT_EQ(zefcolumns::ColumnToChar("a\tb", 8, column), 2) << "column " << column << " lies in the tab";
    }
    EXPECT_EQ(zefcolumns::ColumnToChar("abc", 8, 0), 1);
}
