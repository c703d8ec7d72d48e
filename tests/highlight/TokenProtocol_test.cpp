// The token protocol over lines and the range scans over a line store, driven with the test language.
#include "support/GoldenRunner.h"
#include "support/TestHighlighter.h"

#include "ZefEditTextBuffer.h"
#include "ZefHighlighterRanges.h"

#include "ZefHighlighterError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using T = TZefTestHighlighter;

struct DumpCase {
    const char* name;
    std::string text;
    std::string expected;
};

} // namespace

TEST(TokenProtocol, LinesDumpAsKindMarkedTokens)
{
    const DumpCase cases[] = {
        {"keywords ignore case, also accented ones", "SELECT x From \xC9T\xC9 \xE9t\xE9s",
         "{key}SELECT{space} {ident}x{space} {key}From{space} {key}\xC9T\xC9{space} {ident}\xE9t\xE9s\n"},
        {"numbers and symbols", "a1 := 0x1F+2.5e-3;",
         "{ident}a1{space} {symbol}:{symbol}={space} {number}0x1F{symbol}+{number}2.5e-3{symbol};\n"},
        {"line comment eats the rest", "x // y /* z", "{ident}x{space} {comment}// y /* z\n"},
        {"escaped quote stays inside the string", R"(s = "a\"b" + "c)",
         "{ident}s{space} {symbol}={space} {string}\"a\\\"b\"{space} {symbol}+{space} {string}\"c\n"},
        {"NUL bytes are characters, not line ends", std::string("a\0b \"x\0y\"", 9),
         "{ident}a{unknown}" + std::string(1, '\0') + "{ident}b{space} {string}\"x" + std::string(1, '\0') + "y\"\n"},
        {"empty line yields no token", "", "\n"},
        {"a block comment spans lines and closes mid-line", "a /* one\ntwo\n*/ b",
         "{ident}a{space} {comment}/* one ~1\n{comment}two ~1\n{comment}*/{space} {ident}b\n"},
        {"an empty line keeps the range it started in", "/*\n\n*/", "{comment}/* ~1\n ~1\n{comment}*/\n"},
        {"'/*/' does not close", "/*/ x */y", "{comment}/*/ x */{ident}y\n"},
        {"keyword prefix or suffix is an identifier", "selectx xselect select2",
         "{ident}selectx{space} {ident}xselect{space} {ident}select2\n"},
    };
    for (const DumpCase& c : cases) {
        T highlighter;
        EXPECT_EQ(DumpTestTokens(highlighter, c.text), c.expected) << c.name;
    }
}

TEST(TokenProtocol, SetLineMakesTheFirstTokenCurrentAndEolIsStable)
{
    T highlighter;
    highlighter.ResetRange();
    highlighter.SetLine("  if", 7);
    EXPECT_FALSE(highlighter.GetEol());
    EXPECT_EQ(highlighter.GetTokenKind(), T::tkSpace);
    EXPECT_EQ(highlighter.GetTokenPos(), 0);
    EXPECT_EQ(highlighter.GetTokenAttribute(), highlighter.spaceAttri_);
    EXPECT_EQ(highlighter.LineIndex(), 7);
    highlighter.Next();
    EXPECT_EQ(highlighter.GetToken(), "if");
    EXPECT_EQ(highlighter.GetTokenPos(), 2);
    EXPECT_EQ(highlighter.GetTokenAttribute(), highlighter.keyAttri_);
    highlighter.Next();
    EXPECT_TRUE(highlighter.GetEol());
    EXPECT_EQ(highlighter.GetTokenKind(), T::tkNull);
    EXPECT_EQ(highlighter.GetTokenAttribute(), nullptr);
    EXPECT_EQ(highlighter.GetToken(), "");
    highlighter.Next(); // past the end stays at the end
    EXPECT_TRUE(highlighter.GetEol());
    EXPECT_EQ(highlighter.GetTokenPos(), 4);
}

TEST(TokenProtocol, ResumingAtAnyLineWithItsStoredRangeGivesTheSameTokens)
{
    const std::string lines[] = {"x /* a", "b", "c */ y /* d", "e */ \"f"};
    T whole;
    std::string wholeDump;
    std::vector<TZefRangeState> ranges;
    whole.ResetRange();
    for (int i = 0; i < 4; ++i) {
        whole.SetLine(lines[i], i);
        while (!whole.GetEol()) {
            wholeDump += "{" + std::string(T::KindName(whole.GetTokenKind())) + "}" + std::string(whole.GetToken());
            whole.Next();
        }
        ranges.push_back(whole.GetRange());
    }
    EXPECT_EQ(ranges, (std::vector<TZefRangeState>{T::rsComment, T::rsComment, T::rsComment, T::rsNormal}));

    // A second instance (as another document would share it) reads each line from its predecessor's range.
    T resumed;
    std::string resumedDump;
    for (int i = 3; i >= 0; --i) {
        std::string lineDump;
        if (i == 0) {
            resumed.ResetRange();
        } else {
            resumed.SetRange(ranges[static_cast<size_t>(i - 1)]);
        }
        resumed.SetLine(lines[i], i);
        while (!resumed.GetEol()) {
            lineDump += "{" + std::string(T::KindName(resumed.GetTokenKind())) + "}" + std::string(resumed.GetToken());
            resumed.Next();
        }
        EXPECT_EQ(resumed.GetRange(), ranges[static_cast<size_t>(i)]) << i;
        resumedDump = lineDump + resumedDump;
    }
    EXPECT_EQ(resumedDump, wholeDump);
}

namespace {

std::string Ranges(const TZefEditStringList& lines)
{
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) text += std::to_string(lines.GetRangeState(i)) + " ";
    return text;
}

} // namespace

TEST(RangeScan, FullScanThenIncrementalScansStopAtTheFirstUnchangedLine)
{
    T highlighter;
    TZefEditStringList lines;
    lines.SetText("a\r\n/* b\r\nc\r\n*/ d\r\ne\r\nf");
    EXPECT_EQ(Ranges(lines), "-1 -1 -1 -1 -1 -1 ");
    zefranges::ScanAllRanges(highlighter, lines);
    EXPECT_EQ(Ranges(lines), "0 1 1 0 0 0 ");

    // An edit that keeps the line's end state rescans that line only.
    lines.ReplaceLine(2, "c changed");
    EXPECT_EQ(zefranges::ScanRangesFrom(highlighter, lines, 2), 2);
    EXPECT_EQ(Ranges(lines), "0 1 1 0 0 0 ");

    // Closing the comment early changes lines 1 to 3 and stops at line 4, whose state is unchanged.
    lines.ReplaceLine(1, "/* b */");
    EXPECT_EQ(zefranges::ScanRangesFrom(highlighter, lines, 1), 3);
    EXPECT_EQ(Ranges(lines), "0 0 0 0 0 0 ");

    // A comment that is never closed rescans to the last line.
    lines.ReplaceLine(3, "d /* open");
    EXPECT_EQ(zefranges::ScanRangesFrom(highlighter, lines, 3), 5);
    EXPECT_EQ(Ranges(lines), "0 0 0 1 1 1 ");
    EXPECT_EQ(zefranges::ScanRangesFrom(highlighter, lines, 6), 6) << "beyond the last line nothing is scanned";
}

TEST(RangeScan, NeverScannedLinesAreAlwaysRescanned)
{
    T highlighter;
    TZefEditStringList lines;
    lines.SetText("a\r\nb\r\nc");
    lines.SetRangeState(0, 0);
    // Line 1 holds -1, which no highlighter produces, so the scan cannot stop on it.
    EXPECT_EQ(zefranges::ScanRangesFrom(highlighter, lines, 1), 2);
    EXPECT_EQ(Ranges(lines), "0 0 0 ");
}

TEST(TokenProtocol, AScannerThatConsumesNothingStillAdvances)
{
    // Plain, and one that claims a new state every time without ever moving: both take one character.
    struct Stuck : TZefScanHighlighter {
        explicit Stuck(bool rescan) : TZefScanHighlighter(99), rescan_(rescan) {}
        TZefHighlighterAttributes* GetDefaultAttribute(int) const override { return nullptr; }
        void ScanToken() override
        {
            SetTokenKind(1);
            ++calls;
            if (rescan_) RescanInNewState();
        }
        bool rescan_;
        int calls = 0;
    };
    for (bool rescan : {false, true}) {
        Stuck stuck(rescan);
        std::string kinds;
        stuck.SetLine("abc", 0);
        for (int guard = 0; guard < 10 && !stuck.GetEol(); ++guard) {
            kinds += std::to_string(stuck.GetTokenPos()) + ":" + std::string(stuck.GetToken()) + " ";
            stuck.Next();
        }
        EXPECT_EQ(kinds, "0:a 1:b 2:c ");
        EXPECT_TRUE(stuck.GetEol());
        EXPECT_EQ(stuck.GetTokenKind(), 99);
        EXPECT_EQ(stuck.calls, rescan ? 15 : 3) << "a bounded number of scans per character";
    }
}

TEST(TokenProtocol, EachKindAnswersItsOwnAttributeAndUnknownKindsNone)
{
    // Kind k is drawn with attribute k; kinds never given one, negative kinds and kinds beyond the table
    // answer nullptr (the consumer's defaults), and a kind beyond the table cannot be given one.
    struct Kinds : TZefScanHighlighter {
        Kinds() : TZefScanHighlighter(99)
        {
            for (int kind : {0, 5, kMaxKinds - 1}) {
                attributes.push_back(AddAttribute("Kind " + std::to_string(kind)));
                SetKindAttribute(kind, attributes.back());
            }
        }
        TZefHighlighterAttributes* GetDefaultAttribute(int) const override { return nullptr; }
        void ScanToken() override
        {
            SetTokenKind(kind);
            Cursor().Advance();
        }
        void Give(int k) { SetKindAttribute(k, attributes[0]); }
        std::vector<TZefHighlighterAttributes*> attributes;
        int kind = 0;
    } scanner;
    const struct {
        int kind;
        TZefHighlighterAttributes* attribute;
    } cases[] = {{0, scanner.attributes[0]}, {5, scanner.attributes[1]}, {TZefScanHighlighter::kMaxKinds - 1,
                  scanner.attributes[2]}, {1, nullptr}, {-1, nullptr}, {TZefScanHighlighter::kMaxKinds, nullptr}, {1000, nullptr}};
    for (const auto& test : cases) {
        scanner.kind = test.kind;
        scanner.SetLine("a", 0);
        EXPECT_EQ(scanner.GetTokenAttribute(), test.attribute) << "kind " << test.kind;
    }
    EXPECT_THROW(scanner.Give(TZefScanHighlighter::kMaxKinds), EZefHighlighterError);
}

TEST(TokenProtocol, AStateChangeWithoutAToken)
{
    // "x" switches to state 1 and gives no token there; in state 1 every character is a token of kind 2.
    struct Switch : TZefScanHighlighter {
        Switch() : TZefScanHighlighter(99) {}
        TZefHighlighterAttributes* GetDefaultAttribute(int) const override { return nullptr; }
        void ScanToken() override
        {
            if (GetRange() == 0 && Cursor().Current() == 'x') {
                SetRange(1);
                RescanInNewState();
                return;
            }
            SetTokenKind(GetRange() == 0 ? 1 : 2);
            Cursor().Advance();
        }
    } scanner;
    std::string dump;
    scanner.SetLine("axb", 0);
    while (!scanner.GetEol()) {
        dump += std::to_string(scanner.GetTokenKind()) + ":" + std::string(scanner.GetToken()) + " ";
        scanner.Next();
    }
    EXPECT_EQ(dump, "1:a 2:x 2:b ");
}

TEST(TokenProtocol, RandomLinesAreCoveredByTokensAndResumeFromStoredRanges)
{
    // Lines drawn from the characters the recognisers care about, NUL included: the tokens of every line
    // must tile it exactly, and rescanning any line from its predecessor's stored range must agree.
    static constexpr char kAlphabet[] = "/*\"\\ \t0x1.e+9aZ_;\0\xE9\xD7";
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    TZefEditStringList lines;
    for (int i = 0; i < 2000; ++i) {
        std::string line;
        const unsigned length = next() % 24;
        for (unsigned k = 0; k < length; ++k) line += kAlphabet[next() % (sizeof kAlphabet - 1)];
        lines.AddLine(line);
    }
    T highlighter;
    const std::string fromTop = golden::DumpFromTop(highlighter, lines, &T::KindName);
    EXPECT_EQ(fromTop.find("{GAP}"), std::string::npos);
    EXPECT_EQ(fromTop.find("{SHORT}"), std::string::npos);
    EXPECT_NE(fromTop.find(" ~1"), std::string::npos) << "some lines end inside a block comment";
    EXPECT_EQ(golden::DumpFromStoredRanges(highlighter, lines, &T::KindName), fromTop);
}
