// The table kit: each kind of rule on a small language declared with it, and the cursor's look-arounds.
#include "support/AllHighlighters.h"

#include "ZefTableHighlighter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// Every rule type once: "//" and column-1 "*" comments, "rem" as a comment word, "{* *}" block comments
// over lines (range 1), "<# #>" ones (range 2), strings with backslash escapes, #date# literals that fall
// back to a symbol, $name and %name% variables, keywords in two groups, numbers, the operators "=", "==",
// "===" and "=>", identifiers, and a custom rule: "@" followed by an identifier character.
class TKitLanguage : public TZefTableHighlighter {
public:
    enum TTokenKind : int { tkComment, tkIdentifier, tkKey, tkType, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
                            tkUnknown, tkVariable, tkMacro };
    enum TRangeState : TZefRangeState { rsNormal, rsBrace, rsHash, rsOwn };

    TKitLanguage() : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier)
    {
        TZefHighlighterAttributes* plain = AddAttribute("Plain");
        const char* names[] = {"comment", "ident", "key",    "type",     "null", "number",
                               "space",   "string", "symbol", "unknown", "variable", "macro"};
        for (int kind = 0; kind <= tkMacro; ++kind) {
            if (kind != tkNull) DeclareKind(kind, names[kind], plain);
        }
        SetKeywords(std::make_unique<TZefBucketKeywordLookup>(zefkeys::LetterHashTables(), 200, tkIdentifier,
                                                              TZefKeyMatch::CharactersIgnoringCase));
        Keywords()->AddGroup("if, then, else", tkKey);
        Keywords()->AddGroup("int, char", tkType);
        TZefScanRules& rules = Rules();
        rules.StandardSpace(tkSpace);
        rules.LineComment("//", tkComment);
        rules.LineComment("*", tkComment, TZefWhere::FirstNonBlank);
        rules.CommentWord("rem", TZefCharSet().AddRange(0, 255) - GetIdentChars(), tkComment);
        rules.BlockComment("{*", "*}", tkComment, rsBrace);
        rules.BlockComment("<#", "#>", tkComment, rsHash);
        rules.Quoted('"', tkString, TZefEscape::Backslash);
        rules.Delimited('#', '#', tkString, TZefUnclosed::NoMatch);
        rules.Prefixed("$", GetIdentChars(), tkVariable);
        rules.Prefixed("%", GetIdentChars(), tkVariable, '%');
        rules.Words(GetIdentChars() - zefchars::Digits());
        rules.Number(zefchars::Digits(), zefchars::Digits().Add('.'), tkNumber);
        rules.Operators({"=", "===", "==", "=>"}, tkSymbol);
        rules.Custom(TZefCharSet("@"), [this](TZefScanCursor& cursor) {
            if (cursor.FollowedByNonIdent(1, GetIdentChars())) return TZefScanRules::kNoMatch;
            cursor.Advance();
            cursor.SkipWhile(GetIdentChars());
            return static_cast<int>(tkMacro);
        });
        rules.Single(TZefCharSet("*;()#@<"), tkSymbol, TZefWhere::NotColumn1);
        DeclareRange(rsOwn);
        FinishConstruction("Kit (*.kit)|*.kit");
    }
    const char* ClassName() const override { return "TKitLanguage"; }

protected:
    // rsOwn: one token of the line's first character, then back to normal (a state of the language's own).
    bool ScanInRange(TZefRangeState range) override
    {
        if (range != rsOwn) return false;
        SetTokenKind(tkMacro);
        Cursor().Advance();
        Enter(rsNormal);
        return true;
    }
};

} // namespace

TEST(TableKit, EachRuleGivesItsTokens)
{
    alllanguages::CheckDumps<TKitLanguage>({
        {"line comment", "a // b", "{ident}a{space} {comment}// b\n"},
        {"first-non-blank comment", "  * x\ny * 2", "{space}  {comment}* x\n{ident}y{space} {symbol}*{space} {number}2\n"},
        {"comment word followed by a non-identifier or the line end", "REM x\nrem\nremote",
         "{comment}REM x\n{comment}rem\n{ident}remote\n"},
        {"block comment over lines and back", "a {* b\nc *} d", "{ident}a{space} {comment}{* b ~1\n{comment}c *}{space} {ident}d\n"},
        {"a second block comment with its own range", "<# x\n#>y", "{comment}<# x ~2\n{comment}#>{ident}y\n"},
        {"escaped quote", R"("a\"b" "c\)", "{string}\"a\\\"b\"{space} {string}\"c\\\n"},
        {"delimited literal or a one-character symbol", "#1/2# x #3", "{string}#1/2#{space} {ident}x{space} {symbol}#{number}3\n"},
        {"prefix tokens, closing when present", "$v %p% %q $", "{variable}$v{space} {variable}%p%{space} {variable}%q{space} {unknown}$\n"},
        {"keyword groups with kinds", "IF int x", "{key}IF{space} {type}int{space} {ident}x\n"},
        {"numbers stop before ..", "1..2 3.5", "{number}1{unknown}.{unknown}.{number}2{space} {number}3.5\n"},
        {"longest operator", "a===b==c=>d=e", "{ident}a{symbol}==={ident}b{symbol}=={ident}c{symbol}=>{ident}d{symbol}={ident}e\n"},
        {"custom rule or its fallback", "@x @ @", "{macro}@x{space} {symbol}@{space} {symbol}@\n"},
        {"column-1 restriction", ";a;", "{unknown};{ident}a{symbol};\n"},
        {"NUL and high bytes", "\0\xE9\x80"s, "{unknown}\0{ident}\xE9{unknown}\x80\n"s},
    });
}

TEST(TableKit, RangesOwnStatesAndStaleValues)
{
    TKitLanguage kit;
    EXPECT_EQ(kit.RangeStates(), (std::vector<TZefRangeState>{0, 1, 2, 3}));
    kit.SetRange(TKitLanguage::rsOwn);
    const auto name = [&kit](int kind) { return kit.TokenKindName(kind); };
    EXPECT_EQ(DumpLineTokens(kit, "ab", 1, name), "{macro}a{ident}b") << "the language's own state";
    for (const TZefRangeState stale : {-1, 4, 99}) {
        kit.SetRange(stale);
        EXPECT_EQ(kit.GetRange(), 0) << stale;
    }
    kit.SetRange(TKitLanguage::rsBrace);
    kit.ScanLineRange("x *} y", 3);
    EXPECT_EQ(kit.GetRange(), 0);
    kit.SetRange(TKitLanguage::rsHash);
    kit.ScanLineRange("still inside", 4);
    EXPECT_EQ(kit.GetRange(), TKitLanguage::rsHash);
    EXPECT_TRUE(kit.IsKeyword("Then"));
    EXPECT_TRUE(kit.IsKeyword("CHAR"));
    EXPECT_FALSE(kit.IsKeyword("thens"));
}

TEST(ScanCursor, PreviousCharacterAndFollowingNonIdentifier)
{
    TZefScanCursor cursor;
    cursor.Reset("ab c");
    EXPECT_EQ(cursor.PeekBefore(), TZefScanCursor::kEnd) << "none at column 0";
    cursor.Advance(2);
    EXPECT_EQ(cursor.PeekBefore(), 'b');
    EXPECT_EQ(cursor.PeekBefore(2), 'a');
    EXPECT_EQ(cursor.PeekBefore(3), TZefScanCursor::kEnd);
    const TZefCharSet ident = zefchars::StandardIdentChars();
    EXPECT_TRUE(cursor.FollowedByNonIdent(0, ident)) << "a blank";
    EXPECT_FALSE(cursor.FollowedByNonIdent(1, ident));
    EXPECT_TRUE(cursor.FollowedByNonIdent(2, ident)) << "the line end counts";
    EXPECT_TRUE(cursor.FollowedByNonIdent(50, ident));
}
