// The Cascading Style Sheet highlighter: selectors, property names, values and the comment states.
#include "support/AllHighlighters.h"
#include "support/RangeScanAgreement.h"

#include "ZefHighlighterCss.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(CssHighlighter, TokensOfEachConstruct)
{
    using R = TZefCssSyn::TRangeState;
    alllanguages::CheckDumps<TZefCssSyn>({
        {"selector, block, properties and values", "h1 a:hover { border: 1px solid red; colour: #F00 }",
         "{selector}h1 a:hover {symbol}{{space} {property}border{symbol}:{space} {number}1{value}px solid red"
         "{symbol};{space} {undef}colour{symbol}:{space} {color}#F00{space} {symbol}} ~3\n"},
        {"strings and lists", "p{font-family:\"Times\", serif}",
         "{selector}p{symbol}{{property}font-family{symbol}:{string}\"Times\"{symbol},{space} {value}serif"
         "{symbol}} ~3\n"},
        {"property names ignore case", "{Z-INDEX:1", "{symbol}{{property}Z-INDEX{symbol}:{number}1 ~5\n", R::rsSelector},
        {"sound 5: a comment returns to the state it began in, kept in the range",
         "a { color: /* c\n*/ red; /* d\n*/ x", "{selector}a {symbol}{{space} {property}color{symbol}:{space} "
                                               "{comment}/* c ~8\n{comment}*/{space} {value}red{symbol};{space} "
                                               "{comment}/* d ~7\n{comment}*/{space} {undef}x ~4\n"},
        {"sound 5: the same comment line resumes alike from either state", "x */ y", "{comment}x */{space} {undef}y ~4\n",
         R::rsCommentInPropertyName},
        {"sound 5: a comment in a selector returns to it", "/* a\n*/ b", "{comment}/* a\n{comment}*/{space} {selector}b ~3\n"},
        {"sound 6: a lone / in a selector is a symbol", "a/b", "{selector}a{symbol}/{selector}b ~3\n"},
        {"sound 6: /* inside a value starts a comment", "{x: a b/*c*/;",
         "{symbol}{{undef}x{symbol}:{space} {value}a b{comment}/*c*/{symbol}; ~4\n"},
        {"a / inside a value is part of it", "{font: 12px/1.5 serif",
         "{symbol}{{property}font{symbol}:{space} {number}12{value}px/1.5 serif ~4\n"},
        {"sound 9: NUL is an ordinary character", "a\0b{c\0"s, "{selector}a\0b{symbol}{{undef}c\0 ~2\n"s},
        {"sound 9: a stale range starts from the initial state", "a{", "{selector}a{symbol}{ ~2\n", 1},
    });
}

TEST(CssHighlighter, PropertyListAndAttributes)
{
    EXPECT_EQ(TZefCssSyn::PropertyCount(), 122);
    TZefCssSyn css;
    for (const char* name : {"azimuth", "background-attachment", "z-index", "Word-Spacing", "speak-punctuation"})
        EXPECT_TRUE(css.IsKeyword(name)) << name;
    for (const char* name : {"colour", "z", "index", "border-radius"}) EXPECT_FALSE(css.IsKeyword(name)) << name;
    EXPECT_EQ(css.GetAttribCount(), 11);
    EXPECT_EQ(css.KeyAttri->Foreground(), 0x00FF0080u);
    EXPECT_EQ(css.ValueAttri->Foreground(), 0x00FF8000u);
    EXPECT_TRUE(css.GetIdentChars().Contains('-'));
    const auto configured = alllanguages::Create("Cascading Style Sheet");
    ASSERT_NE(configured, nullptr);
    const auto& registered = static_cast<const TZefCssSyn&>(*configured);
    EXPECT_EQ(registered.PropertyAttri->Style(), 0);
    EXPECT_EQ(registered.KeyAttri->Foreground(), clNone);
    EXPECT_EQ(registered.UndefPropertyAttri->Style(), 0);
}

TEST(CssHighlighter, RangeScanWithoutTokensEndsInTheSameState)
{
    // A "," inside a property name stays in it, a lone "/" runs a value to its stop, colours and numbers
    // keep the value state; comments from every state.
    const std::vector<std::string> pieces = {
        "{", "}", ":", ";", ",", "/*", "*/", "*", "/", "\"", "#", "#F0", "1", ".", "..", "color", "a", "-", " ",
        "\t", "\r", std::string(1, '\0'), "\xE9"};
    const std::vector<TZefRangeState> starts = {
        TZefCssSyn::rsSelector, TZefCssSyn::rsDeclaration, TZefCssSyn::rsPropertyName, TZefCssSyn::rsValue,
        TZefCssSyn::rsComment, TZefCssSyn::rsCommentInDeclaration, TZefCssSyn::rsCommentInPropertyName,
        TZefCssSyn::rsCommentInValue};
    TZefCssSyn tokens;
    TZefCssSyn ranges;
    rangescan::ExpectRangeScanAgrees(tokens, ranges, pieces, starts);
}
