// The scanner cursor and the shared recognisers, as tables of (line, recogniser) and what they consume.
#include "ZefScanCursor.h"
#include "ZefScanRecognizers.h"

#include "CodePage1252.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

TEST(ScanCursor, MovesClampAtTheLineEndAndNulIsACharacter)
{
    TZefScanCursor cursor;
    const std::string line("a\0bc", 4);
    cursor.Reset(line);
    EXPECT_EQ(cursor.Peek(1), 0) << "NUL is read as a character";
    EXPECT_EQ(cursor.Peek(4), TZefScanCursor::kEnd);
    cursor.Advance(2);
    cursor.StartToken();
    cursor.Advance(10);
    EXPECT_TRUE(cursor.AtEnd());
    EXPECT_EQ(cursor.Run(), 4u);
    EXPECT_EQ(cursor.Token(), "bc");
    EXPECT_EQ(cursor.Rest(), "");
    EXPECT_FALSE(cursor.LookingAt("x"));

    cursor.Reset("BEGIN end");
    EXPECT_TRUE(cursor.LookingAt("begin", cp1252::ToLower));
    EXPECT_FALSE(cursor.LookingAt("begin"));
    EXPECT_TRUE(cursor.Skip("BEG"));
    EXPECT_EQ(cursor.SkipUntil(TZefCharSet(" ")), 2u);
    EXPECT_EQ(cursor.SkipWhile(TZefCharSet(" ")), 1u);
    EXPECT_FALSE(cursor.LookingAt("endx", cp1252::ToLower)) << "longer than the rest of the line";
}

namespace {

struct RecognizerCase {
    const char* name;
    std::string line;
    size_t start;
    std::function<bool(TZefScanCursor&)> recognize; // answers "closed" where that applies
    size_t expectedRun;
    bool expectedAnswer;
};

} // namespace

TEST(ScanRecognizers, ConsumeWhatTheyRecognize)
{
    using namespace zefscan;
    const auto quoted = [](char q, int esc) { return [=](TZefScanCursor& c) { return ScanQuoted(c, q, esc); }; };
    const auto number = [](TZefNumberOptions options) {
        return [=](TZefScanCursor& c) { return ScanNumber(c, options) > 0; };
    };
    TZefNumberOptions plain;
    plain.hexPrefix = plain.fraction = plain.exponent = false;
    TZefNumberOptions suffixed;
    suffixed.suffixes = TZefCharSet("uUlL");
    const RecognizerCase cases[] = {
        {"closed string", "x 'ab' y", 2, quoted('\'', kNoEscape), 6, true},
        {"open string runs to the end", "'ab", 0, quoted('\'', kNoEscape), 3, false},
        {"escaped quote", R"("a\"b" c)", 0, quoted('"', '\\'), 6, true},
        {"escape as last character", R"("a\)", 0, quoted('"', '\\'), 3, false},
        {"doubled quote without escape ends the string", "'it''s'", 0, quoted('\'', kNoEscape), 4, true},
        {"NUL inside a string", std::string("'a\0b' c", 7), 0, quoted('\'', kNoEscape), 5, true},
        {"continued string", "ab' c", 0, [](TZefScanCursor& c) { return ContinueQuoted(c, '\'', kNoEscape); }, 3, true},
        {"line comment", "x -- rest", 2, [](TZefScanCursor& c) { ScanLineComment(c); return true; }, 9, true},
        {"block comment closes", "/* a */ b", 0, [](TZefScanCursor& c) { return ScanBlockComment(c, "/*", "*/"); }, 7, true},
        {"'/*/' stays open", "/*/", 0, [](TZefScanCursor& c) { return ScanBlockComment(c, "/*", "*/"); }, 3, false},
        {"Pascal brace comment", "{ x } y", 0, [](TZefScanCursor& c) { return ScanBlockComment(c, "{", "}"); }, 5, true},
        {"continuation closes at once", "*/x", 0, [](TZefScanCursor& c) { return ContinueBlockComment(c, "*/"); }, 2, true},
        {"decimal", "123+", 0, number({}), 3, true},
        {"hex", "0x1fG", 0, number({}), 4, true},
        {"'0x' without digits is 0", "0xg", 0, number({}), 1, true},
        {"fraction and exponent", "1.5E+10;", 0, number({}), 7, true},
        {"range dots are no fraction", "1..5", 0, number({}), 1, true},
        {"exponent needs digits", "2e+", 0, number({}), 1, true},
        {"plain digits only", "0x1.5e3", 0, number(plain), 1, true},
        {"suffixes", "10UL)", 0, number(suffixed), 4, true},
        {"no digit, no number", "x1", 0, number({}), 0, false},
        {"identifier", "ab_1\xE9+", 0, [](TZefScanCursor& c) { return ScanIdentifier(c, zefchars::StandardIdentChars()) == 5; }, 5, true},
    };
    for (const RecognizerCase& c : cases) {
        TZefScanCursor cursor;
        cursor.Reset(c.line);
        cursor.SetRun(c.start);
        const bool answer = c.recognize(cursor);
        EXPECT_EQ(cursor.Run(), c.expectedRun) << c.name;
        EXPECT_EQ(answer, c.expectedAnswer) << c.name;
    }
}
