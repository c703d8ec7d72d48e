// The Foxpro highlighter: comments, strings, date literals, "@" and keywords.
#include "support/AllHighlighters.h"

#include "ZefHighlighterFoxpro.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FoxproHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefFoxproSyn>({
        {"&& comment", "USE x && open", "{key}USE{space} {ident}x{space} {comment}&& open\n"},
        {"* in the first column", "* note", "{comment}* note\n"},
        {"sound 7: an indented * comment", "  * note\n\t*x", "{space}  {comment}* note\n{space}\t{comment}*x\n"},
        {"* after code is a symbol", "a * 2", "{ident}a{space} {symbol}*{space} {number}2\n"},
        {"strings in either quote", "'a' \"b\"", "{string}'a'{space} {string}\"b\"\n"},
        {"date literal", "d = {^2000-01-01}", "{ident}d{space} {symbol}={space} {string}{^2000-01-01}\n"},
        {"sound 3: a date literal stops at the line end", "d = {01/02\nx",
         "{ident}d{space} {symbol}={space} {string}{01/02\n{ident}x\n"},
        {"@ is drawn as a keyword", "@ 1,1 SAY", "{key}@{space} {number}1{symbol},{number}1{space} {key}SAY\n"},
        {"abbreviations and underscore keywords", "SELE _screen sel",
         "{key}SELE{space} {key}_screen{space} {ident}sel\n"},
        {"sound 4: a NUL is one unknown character", "a\0"s, "{ident}a{unknown}\0\n"s},
        {"sound 2: a stale range starts from the initial state", "* c", "{comment}* c\n", 3},
    });
}

TEST(FoxproHighlighter, AttributesHaveNoStyle)
{
    TZefFoxproSyn foxpro;
    for (int i = 0; i < foxpro.GetAttribCount(); ++i) EXPECT_EQ(foxpro.GetAttribute(i)->Style(), 0);
    EXPECT_TRUE(foxpro.IsKeyword("xcmdfile"));
    EXPECT_TRUE(foxpro.IsKeyword("_MSYSMENU"));
}
