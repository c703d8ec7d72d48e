// The HTML highlighter: its tokens and ranges case by case, its tables and its attributes.
#include "support/GoldenRunner.h"
#include "support/TestHighlighter.h"

#include "ZefHighlighterHtml.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Dump(std::string_view text)
{
    TZefHTMLSyn html;
    return DumpTokens(html, text, &TZefHTMLSyn::KindName);
}

std::string ExamplePath(const std::string& relative)
{
    return std::string(QT_TESTCASE_SOURCEDIR) + "/highlight/examples/" + relative;
}

struct TTokenCase {
    const char* text;
    const char* dump;
};

} // namespace

TEST(HtmlHighlighter, GoldenSample)
{
    TZefHTMLSyn html;
    EXPECT_EQ(golden::Check(html, ExamplePath("html/sample.htm"), &TZefHTMLSyn::KindName), "");
}

TEST(HtmlHighlighter, TokensOfEachConstruct)
{
    const TTokenCase cases[] = {
        {"Hello world", "{text}Hello world ~4\n"},
        {"a\tb", "{text}a{space}\t{text}b ~4\n"},
        {"a &amp; b", "{text}a {ampersand}&amp;{text} b ~4\n"},
        // The empty text token before an entity at the start of a run is dropped: it draws nothing.
        {"&amp;x", "{ampersand}&amp;{text}x ~4\n"},
        {"x&#169;y", "{text}x{ampersand}&#169;{text}y ~4\n"},
        {"x&#xA9;y", "{text}x{ampersand}&#xA9;{text}y ~4\n"},
        {"x&#169y", "{text}x&#169{text}y ~4\n"},
        {"&AMP;", "{text}&AMP; ~4\n"},
        {"<TABLE><table><TaBlE></table>",
         "{symbol}<{key}TABLE{symbol}>{symbol}<{key}table{symbol}>{symbol}<{key}TaBlE{symbol}>{symbol}<{key}/table"
         "{symbol}> ~4\n"},
        {"<blink2>", "{symbol}<{undef}blink2{symbol}> ~4\n"},
        {"<zzzzzzzzzz>", "{symbol}<{ident}zzzzzzzzzz{symbol}> ~4\n"},
        {"<H1A>", "{symbol}<{key}H1{ident}A{symbol}> ~4\n"},
        {"<input a=\"a b\">",
         "{symbol}<{key}input{space} {ident}a{symbol}={value}\"a b\"{symbol}> ~4\n"},
        {"<p a=b c='d'>", "{symbol}<{key}p{space} {ident}a{symbol}={value}b{space} {ident}c{symbol}={value}'d'{symbol}> ~4\n"},
        // An empty tag name is dropped; the character is an attribute name.
        {"<\"q\">", "{symbol}<{ident}\"q{ident}\"{symbol}> ~4\n"},
        {"<&x", "{symbol}<{text}&{text}x ~4\n"},
        {"<!-->", "{comment}<!--{comment}> ~4\n"},
        {"<!- x>", "{symbol}<{undef}!{ident}-{space} {ident}x{symbol}> ~4\n"},
        {"<!-- a\n\n-->", "{comment}<!--{comment} a ~1\n ~1\n{comment}--> ~4\n"},
        {"<a b=\"open\nclose\" c>",
         "{symbol}<{key}a{space} {ident}b{symbol}={value}\"open ~8\n{value}close\"{space} {ident}c{symbol}> ~4\n"},
        {"<a\nhref=x>", "{symbol}<{key}a ~3\n{ident}href{symbol}={value}x{symbol}> ~4\n"},
    };
    for (const TTokenCase& c : cases) {
        EXPECT_EQ(Dump(c.text), c.dump) << c.text;
    }
    // A NUL byte is an ordinary character in text, names and values.
    using namespace std::string_literals;
    EXPECT_EQ(Dump("a\0b <p x\0=\0>"s), "{text}a\0b {symbol}<{key}p{space} {ident}x\0{symbol}={value}\0{symbol}> ~4\n"s);
}

TEST(HtmlHighlighter, RangeOutsideTheLineStartStatesReadsAsText)
{
    TZefHTMLSyn html;
    for (TZefRangeState bad : {TZefRangeState{-1}, TZefRangeState{0}, TZefRangeState{5}, TZefRangeState{9}, TZefRangeState{1000}}) {
        html.SetRange(bad);
        EXPECT_EQ(html.GetRange(), TZefHTMLSyn::rsText) << bad;
    }
    html.SetRange(TZefHTMLSyn::rsDoubleQuoteValue);
    EXPECT_EQ(html.GetRange(), TZefHTMLSyn::rsDoubleQuoteValue);
}

TEST(HtmlHighlighter, SetLineForgetsAMatchedEntity)
{
    TZefHTMLSyn html;
    html.ResetRange();
    html.SetLine("x&amp;", 0); // the text token "x" is current; "&amp;" is matched and waiting
    EXPECT_EQ(html.GetRange(), TZefHTMLSyn::rsAmpersand);
    html.SetLine("&a", 1); // a new line in the text state: nothing of the old entity is used
    EXPECT_EQ(html.GetTokenKind(), TZefHTMLSyn::tkText);
    EXPECT_EQ(html.GetToken(), "&a");
}

TEST(HtmlHighlighter, TablesAndAttributes)
{
    TZefHTMLSyn html;
    EXPECT_EQ(html.GetLanguageName(), "HTML");
    EXPECT_EQ(html.DefaultFilter(), "HTML Documents (*.htm,*.html)|*.htm;*.html");
    const char* names[] = {"Comment", "Escape Ampersand", "Identifier", "Reserved Word", "Space",
                           "Symbol",  "Text",             "Unknown Word", "Value"};
    ASSERT_EQ(html.GetAttribCount(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(html.GetAttribute(i)->Name(), names[i]);
    EXPECT_EQ(html.KeyAttri->Foreground(), TColor{0x00FF0080});
    EXPECT_EQ(html.AndAttri->Foreground(), clLime);
    EXPECT_EQ(html.GetDefaultAttribute(kZefAttribString), nullptr);
    EXPECT_EQ(html.GetDefaultAttribute(kZefAttribComment), html.CommentAttri);
    EXPECT_TRUE(html.IsKeyword("blockquote"));
    EXPECT_TRUE(html.IsKeyword("/BLOCKQUOTE"));
    EXPECT_TRUE(html.IsKeyword("!doctype"));
    EXPECT_FALSE(html.IsKeyword("H7"));
    EXPECT_GE(TZefHTMLSyn::EntityAt("&yuml;"), 0);
    EXPECT_EQ(TZefHTMLSyn::EntityAt("&Yuml;"), -1);
    EXPECT_EQ(TZefHTMLSyn::EntityAt("&amp"), -1);
}

TEST(HtmlHighlighter, RangeScanWithoutTokensEndsInTheSameState)
{
    // Random lines of the characters that matter, from every state a line can start in.
    static constexpr std::string_view kAlphabet("<>!-=\"'& \t\r\n\0a/H1#;x", 20);
    std::mt19937 random(7);
    TZefHTMLSyn tokens;
    TZefHTMLSyn ranges;
    const TZefRangeState starts[] = {TZefHTMLSyn::rsComment, TZefHTMLSyn::rsKey,        TZefHTMLSyn::rsParam,
                                     TZefHTMLSyn::rsText,    TZefHTMLSyn::rsValue,      TZefHTMLSyn::rsQuoteValue,
                                     TZefHTMLSyn::rsDoubleQuoteValue};
    for (int i = 0; i < 20000; ++i) {
        std::string line(random() % 24, ' ');
        for (char& c : line) c = kAlphabet[random() % kAlphabet.size()];
        for (TZefRangeState start : starts) {
            tokens.SetRange(start);
            tokens.SetLine(line, 1);
            tokens.NextToEol();
            ranges.SetRange(start);
            ranges.ScanLineRange(line, 1);
            ASSERT_EQ(ranges.GetRange(), tokens.GetRange()) << "start " << start << " line \"" << line << "\"";
        }
    }
}
