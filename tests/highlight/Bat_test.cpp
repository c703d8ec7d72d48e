// The MS-DOS batch highlighter: comments, labels, variables, keywords and its attributes.
#include "support/AllHighlighters.h"

#include "ZefHighlighterBat.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(BatHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefBatSyn>({
        {"two colons comment", ":: note", "{comment}:: note\n"},
        {"a label is an identifier", ":loop x", "{ident}:loop{space} {ident}x\n"},
        {"rem and a blank", "REM a %b%", "{comment}REM a %b%\n"},
        {"rem ending the line", "rem", "{comment}rem\n"},
        {"rem with a tab", "Rem\tx", "{comment}Rem\tx\n"},
        {"remark is a word", "remark x", "{ident}remark{space} {ident}x\n"},
        {"rem. is no comment", "rem.x", "{ident}rem{unknown}.{ident}x\n"},
        {"keywords in any case", "ECHO Off", "{key}ECHO{space} {key}Off\n"},
        {"errorlevel and numbers", "if errorlevel 12 goto end",
         "{key}if{space} {key}errorlevel{space} {number}12{space} {key}goto{space} {ident}end\n"},
        {"variable between percent signs", "set P=%PATH%;x", "{key}set{space} {ident}P{unknown}={variable}%PATH%{unknown};{ident}x\n"},
        {"argument", "%1 %*", "{variable}%1{space} {unknown}%{unknown}*\n"},
        {"sound 7: %%i is a variable", "for %%i in (*) do echo %%i",
         "{key}for{space} {variable}%%i{space} {key}in{space} {unknown}({unknown}*{unknown}){space} {key}do{space} {key}echo{space} {variable}%%i\n"},
        {"sound 7: %~dp0 is a variable", "cd %~dp0 %%~nxi", "{key}cd{space} {variable}%~dp0{space} {variable}%%~nxi\n"},
        {"lone percent signs", "%% %", "{unknown}%{unknown}%{space} {unknown}%\n"},
        {"sound 4: a NUL is one unknown character", "e\0cho"s, "{ident}e{unknown}\0{ident}cho\n"s},
        {"sound 2: a stale range starts from the initial state", "rem x", "{comment}rem x\n", 1000},
        {"at sign", "@echo off", "{unknown}@{key}echo{space} {key}off\n"},
    });
}

TEST(BatHighlighter, KeywordsAndAttributes)
{
    TZefBatSyn bat;
    for (const char* word : {"call", "CD", "cls", "copy", "del", "do", "echo", "errorlevel", "exist", "for", "goto",
                             "if", "in", "not", "off", "on", "pause", "set", "shift", "start", "title"})
        EXPECT_TRUE(bat.IsKeyword(word)) << word;
    EXPECT_FALSE(bat.IsKeyword("rem"));
    EXPECT_FALSE(bat.IsKeyword("echo1"));
    EXPECT_EQ(bat.CommentAttri->Foreground(), clNavy);
    EXPECT_EQ(bat.CommentAttri->Style(), fsItalic);
    EXPECT_EQ(bat.KeyAttri->Style(), fsBold);
    EXPECT_EQ(bat.NumberAttri->Foreground(), clBlue);
    EXPECT_EQ(bat.VariableAttri->Foreground(), clGreen);
}
