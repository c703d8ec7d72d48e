// The Visual Basic and VBScript highlighters: comments, rem, strings, date literals, numbers and keywords.
#include "support/AllHighlighters.h"

#include "ZefHighlighterVB.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(VBHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefVBSyn>({
        {"quote comment", "x = 1 ' note", "{ident}x{space} {symbol}={space} {number}1{space} {comment}' note\n"},
        {"rem in any case, alone or before a blank", "Rem note\n  REM\nremark = 1",
         "{comment}Rem note\n{space}  {comment}REM\n{ident}remark{space} {symbol}={space} {number}1\n"},
        {"strings", "\"a\" & \"b\"\"c\"", "{string}\"a\"{space} {symbol}&{space} {string}\"b\"{string}\"c\"\n"},
        {"sound 3: a string stops at the line end", "s = \"open\nx",
         "{ident}s{space} {symbol}={space} {string}\"open\n{ident}x\n"},
        {"sound 3: a date literal stops at its # on the line", "d = #1/2/99# + #3",
         "{ident}d{space} {symbol}={space} {string}#1/2/99#{space} {symbol}+{space} {symbol}#{number}3\n"},
        {"sound 3: # of a file number is a symbol", "Print #1, x",
         "{key}Print{space} {symbol}#{number}1{symbol},{space} {ident}x\n"},
        {"numbers stop before ..", "3.5E2 1..2", "{number}3.5E2{space} {number}1{symbol}.{symbol}.{number}2\n"},
        {"keywords ignoring case", "DIM x AS Integer", "{key}DIM{space} {ident}x{space} {key}AS{space} {key}Integer\n"},
        {"characters without a rule", "a!b$ \x80", "{ident}a{unknown}!{ident}b{unknown}${space} {unknown}\x80\n"},
        {"sound 4: a NUL is one unknown character", "a\0\"b\0\""s,
         "{ident}a{unknown}\0{string}\"b\0\"\n"s},
        {"sound 2: a stale range starts from the initial state", "' c", "{comment}' c\n", 7},
    });
}

TEST(VBHighlighter, KeywordsAndAttributes)
{
    TZefVBSyn vb;
    for (const char* word : {"abs", "AppActivate", "xor", "WEND", "timeserial", "_"})
        EXPECT_EQ(vb.IsKeyword(word), std::string_view(word) != "_") << word;
    EXPECT_FALSE(vb.IsKeyword("rem")) << "a comment, not a keyword";
    EXPECT_FALSE(vb.IsKeyword("Absx"));
    EXPECT_EQ(vb.CommentAttri->Style(), fsItalic);
    EXPECT_EQ(vb.KeyAttri->Style(), fsBold);
    EXPECT_EQ(vb.KeyAttri->Name(), "Reserved Word");
}

TEST(VBScriptHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefVBScriptSyn>({
        {"sound 6: Rem starts a comment", "Rem note\nrem", "{comment}Rem note\n{comment}rem\n"},
        {"sound 3: a date literal stops at the line end", "d = #12/31/1999# #1", 
         "{ident}d{space} {symbol}={space} {string}#12/31/1999#{space} {symbol}#{number}1\n"},
        {"VBScript keywords", "ByVal x As Variant ElseIf abs",
         "{key}ByVal{space} {ident}x{space} {key}As{space} {key}Variant{space} {key}ElseIf{space} {ident}abs\n"},
        {"sound 4: a NUL is one unknown character", "\0'x"s, "{unknown}\0{comment}'x\n"s},
        {"sound 2: a stale range starts from the initial state", "x", "{ident}x\n", -1},
    });
    TZefVBScriptSyn vbs;
    EXPECT_TRUE(vbs.IsKeyword("paramarray"));
    EXPECT_FALSE(vbs.IsKeyword("msgbox"));
    EXPECT_EQ(vbs.GetLanguageName(), "MS VBScript");
}
