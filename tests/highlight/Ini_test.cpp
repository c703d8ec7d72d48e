// The INI file highlighter: what the first column decides, values, strings and its attributes.
#include "support/AllHighlighters.h"

#include "ZefHighlighterIni.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(IniHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefIniSyn>({
        {"comment in the first column", "; note = x", "{comment}; note = x\n"},
        {"semicolon elsewhere is text", "a=1 ; x", "{key}a{symbol}={number}1{space} {text};{space} {text}x\n"},
        {"section through ]", "[Main] x", "{section}[Main]{space} {text}x\n"},
        {"section open to the line end", "[Main", "{section}[Main\n"},
        {"[ elsewhere is text", " [x]", "{space} {text}[{text}x{text}]\n"},
        {"key up to =", "Window Top=10", "{key}Window Top{symbol}={number}10\n"},
        {"digit in the first column starts a key", "1x=2", "{key}1x{symbol}={number}2\n"},
        {"number stops before ..", "=1..2", "{symbol}={number}1{text}.{text}.2\n"},
        {"number turns text at a letter", "=4ab 1.5e3", "{symbol}={text}4ab{space} {number}1.5e3\n"},
        {"strings end at their quote or the line end", "=\"a;b\" 'c",
         "{symbol}={string}\"a;b\"{space} {string}'c\n"},
        {"triple quote opens like one", "='''a' b", "{symbol}={string}'''a'{space} {text}b\n"},
        {"empty string", "=''x", "{symbol}={string}''{text}x\n"},
        {"sound 1: no empty tokens at a quote in the first column", "\"k\"=v", "{string}\"k\"{symbol}={text}v\n"},
        {"sound 4: a NUL is one unknown character", "a=b\0c\n\0k=1"s,
         "{key}a{symbol}={text}b{unknown}\0{text}c\n{unknown}\0{text}k{symbol}={number}1\n"s},
        {"sound 2: a stale range starts from the initial state", "; c", "{comment}; c\n", -1},
        {"high bytes are text", "\xE9t\xE9=caf\xE9", "{key}\xE9t\xE9{symbol}={text}caf\xE9\n"},
    });
}

TEST(IniHighlighter, AttributesAsConstructed)
{
    TZefIniSyn ini;
    EXPECT_EQ(ini.CommentAttri->Foreground(), clGreen);
    EXPECT_EQ(ini.CommentAttri->Style(), fsItalic);
    EXPECT_EQ(ini.SectionAttri->Style(), fsBold);
    EXPECT_EQ(ini.GetAttribCount(), 8);
    EXPECT_EQ(ini.DefaultFilter(), "INI Files (*.ini)|*.ini");
    EXPECT_FALSE(ini.IsKeyword("Key"));
}
