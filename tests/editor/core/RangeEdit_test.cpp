// Exact range edits on the line store: reading and replacing between positions, and the smallest change.
#include "ZefEditRangeEdit.h"
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

namespace {

std::string Dump(const TZefEditStringList& lines)
{
    std::string result;
    for (int i = 0; i < lines.Count(); ++i) result += (i > 0 ? "|" : "") + std::string(lines.GetLine(i));
    return result;
}

// A store holding the lines of text separated by '|'.
void Fill(TZefEditStringList& lines, const std::string& text)
{
    size_t from = 0;
    for (size_t bar = text.find('|');; bar = text.find('|', from)) {
        lines.AddLine(text.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
        if (bar == std::string::npos) break;
        from = bar + 1;
    }
}

} // namespace

TEST(RangeEdit, ReplaceRangeIsByteExactAndReportsLineChanges)
{
    struct Case {
        const char* name;
        const char* text;
        TBufferCoord start;
        TBufferCoord end;
        std::string insert;
        const char* lines;
        TBufferCoord after;
        int delta;
    };
    const Case cases[] = {
        {"insert inside a line", "abc", {2, 1}, {2, 1}, "XY", "aXYbc", {4, 1}, 0},
        {"trailing blanks are kept", "ab  ", {1, 1}, {1, 1}, "x ", "x ab  ", {3, 1}, 0},
        {"start in virtual space pads with spaces", "ab", {5, 1}, {5, 1}, "x", "ab  x", {6, 1}, 0},
        {"end beyond the line counts as its end", "abc|def", {2, 1}, {9, 1}, "", "a|def", {2, 1}, 0},
        {"join two lines", "abc|def", {4, 1}, {1, 2}, "", "abcdef", {4, 1}, -1},
        {"split with CR LF, LF and CR", "abc", {2, 1}, {3, 1}, "1\r\n2\n3\r4", "a1|2|3|4c", {2, 4}, 3},
        {"replace across lines", "abc|def|ghi", {2, 1}, {2, 3}, "X\r\nY", "aX|Yhi", {2, 2}, -1},
        {"a final break leaves the rest on a line of its own", "abc", {2, 1}, {2, 1}, "X\r\n", "aX|bc", {1, 2}, 1},
        {"a leading break", "abc", {2, 1}, {2, 1}, "\nZ", "a|Zbc", {2, 2}, 1},
        {"padding before several lines", "ab", {5, 1}, {5, 1}, "x\ny", "ab  x|y", {2, 2}, 1},
        {"many lines over fewer", "abc|def", {2, 1}, {2, 2}, "1\n2\n3\n4", "a1|2|3|4ef", {2, 4}, 2},
    };
    for (const Case& c : cases) {
        TZefEditStringList lines;
        Fill(lines, c.text);
        const zefrange::TReplaceResult result = zefrange::ReplaceRange(lines, c.start, c.end, c.insert);
        EXPECT_EQ(Dump(lines), c.lines) << c.name;
        EXPECT_EQ(result.End, c.after) << c.name;
        EXPECT_EQ(result.LinesDelta, c.delta) << c.name;
    }
}

TEST(RangeEdit, NulIsAnOrdinaryByte)
{
    TZefEditStringList lines;
    lines.AddLine("ab");
    zefrange::ReplaceRange(lines, {2, 1}, {2, 1}, std::string_view("\0\0", 2));
    EXPECT_EQ(std::string(lines.GetLine(0)), std::string("a\0\0b", 4));
    EXPECT_EQ(zefrange::TextRange(lines, {1, 1}, {4, 1}), std::string("a\0\0", 3));
}

TEST(RangeEdit, TextRangeReadsWhatReplaceRangeRemoves)
{
    TZefEditStringList lines;
    for (const char* line : {"abc  ", "", "\tdef"}) lines.AddLine(line);
    EXPECT_EQ(zefrange::TextRange(lines, {2, 1}, {3, 3}), "bc  \r\n\r\n\td");
    EXPECT_EQ(zefrange::TextRange(lines, {9, 1}, {12, 1}), "") << "virtual space reads as nothing";
    EXPECT_EQ(zefrange::TextRange(lines, {3, 1}, {2, 1}), "") << "an empty or reversed range";
    // Removing a range and putting its text back restores the store exactly.
    const std::string removed = zefrange::TextRange(lines, {4, 1}, {2, 3});
    const zefrange::TReplaceResult gone = zefrange::ReplaceRange(lines, {4, 1}, {2, 3}, {});
    EXPECT_EQ(Dump(lines), "abcdef");
    const zefrange::TReplaceResult back = zefrange::ReplaceRange(lines, {4, 1}, gone.End, removed);
    EXPECT_EQ(Dump(lines), "abc  ||\tdef");
    EXPECT_EQ(back.End, BufferCoord(2, 3));
}

TEST(RangeEdit, DiffFindsTheSmallestChangeAtOrBeforeTheHint)
{
    struct Case {
        const char* name;
        std::string oldText;
        std::string newText;
        size_t maxPrefix;
        size_t offset;
        size_t oldLength;
        size_t newLength;
    };
    const Case cases[] = {
        {"typed inside", "abc", "abXc", 99, 2, 0, 1},
        {"repeated letter typed early stays early", "aab", "aaab", 1, 1, 0, 1},
        {"repeated letter without a limit goes late", "aab", "aaab", 99, 2, 0, 1},
        {"deleted", "abcd", "ad", 99, 1, 2, 0},
        {"mixed", "ab  ", "xab", 0, 0, 4, 3},
        {"same text", "abc", "abc", 99, 3, 0, 0},
        {"never starts between CR and LF", "a\r\nb", "a\r\nXb", 2, 1, 2, 3},
        {"never ends between CR and LF", "a\r\nb", "ab", 99, 1, 2, 0},
    };
    for (const Case& c : cases) {
        const zefrange::TTextChange change = zefrange::Diff(c.oldText, c.newText, c.maxPrefix);
        EXPECT_EQ(change.Offset, c.offset) << c.name;
        EXPECT_EQ(change.OldLength, c.oldLength) << c.name;
        EXPECT_EQ(change.NewLength, c.newLength) << c.name;
    }
}

TEST(RangeEdit, OffsetsAndPositionsConvertBothWays)
{
    const std::string text = "ab\r\n\r\ncde";
    for (const TBufferCoord p : {BufferCoord(1, 3), BufferCoord(3, 3), BufferCoord(1, 4), BufferCoord(1, 5), BufferCoord(4, 5)}) {
        const size_t offset = zefrange::OffsetOf(text, BufferCoord(1, 3), p);
        EXPECT_EQ(zefrange::Advance(BufferCoord(1, 3), text, offset), p) << p.Char << "," << p.Line;
    }
    EXPECT_EQ(zefrange::OffsetOf(text, BufferCoord(1, 3), BufferCoord(9, 3)), 2u) << "virtual space counts as the end";
    EXPECT_EQ(zefrange::OffsetOf(text, BufferCoord(1, 3), BufferCoord(1, 2)), 0u) << "before the text";
}
