// The C++ highlighter: preprocessor lines, number classes, asm statements and blocks, comments, strings.
#include "support/AllHighlighters.h"

#include "ZefHighlighterCpp.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(CppHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefCppSyn>({
        {"an include line is a directive, # elsewhere illegal", "#include <a.h>\nx = #y",
         "{directive}#include <a.h>\n{ident}x{space} {symbol}={space} {illegal}#{ident}y\n"},
        {"a directive stops before // and /*", "  #define A 1 // one\n#if B /* c */ x",
         "{space}  {directive}#define A 1 {comment}// one\n{directive}#if B {comment}/* c */{directive} x\n"},
        {"a backslash continues a directive", "#define A \\\n  1\nx",
         "{directive}#define A \\ ~11\n{directive}  1\n{ident}x\n"},
        {"number classes", "0x1F 017 09 1.5e-3 2.0f 10UL .5 1e",
         "{hex}0x1F{space} {octal}017{space} {illegal}09{space} {float}1.5e-3{space} {float}2.0f{space} "
         "{number}10UL{space} {float}.5{space} {illegal}1{ident}e\n"},
        {"illegal numbers", "0x 1x 12ab 1.2.3 1LL 0x1F.5 1..2",
         "{illegal}0x{space} {illegal}1x{space} {illegal}12{ident}ab{space} {illegal}1.2.3{space} {illegal}1LL{space} "
         "{hex}0x1F{float}.5{space} {number}1{symbol}.{float}.2\n"},
        {"longest symbols", "a<<=b->c...d::e", "{ident}a{symbol}<<={ident}b{symbol}->{ident}c{symbol}...{ident}d{symbol}::{ident}e\n"},
        {"strings and characters with escapes", "\"a\\\"b\\\\\" 'x' '\\'' \"open",
         "{string}\"a\\\"b\\\\\"{space} {char}'x'{space} {char}'\\''{space} {string}\"open\n"},
        {"a backslash continues a string", "s = \"one\\\ntwo\" x",
         "{ident}s{space} {symbol}={space} {string}\"one\\ ~10\n{string}two\"{space} {ident}x\n"},
        {"asm statement", "asm mov eax, 1;\nx",
         "{key}asm{space} {asm}mov{space} {asm}eax{asm},{space} {asm}1{symbol};\n{ident}x\n"},
        {"asm block over lines", "__asm {\n  mov eax, 1 // c\n}\nx",
         "{key}__asm{space} {symbol}{ ~5\n{space}  {asm}mov{space} {asm}eax{asm},{space} {asm}1{space} {comment}// c ~5\n"
         "{symbol}}\n{ident}x\n"},
        {"keywords, case-sensitive, with later ones", "int Int nullptr constexpr co_await char8_t wchar_t",
         "{key}int{space} {ident}Int{space} {key}nullptr{space} {key}constexpr{space} {key}co_await{space} "
         "{key}char8_t{space} {key}wchar_t\n"},
        {"illegal characters", "@$\\`\x80", "{illegal}@{illegal}${illegal}\\{illegal}`{illegal}\x80\n"},
        {"sound 4: a comment entered from a directive does not close on its own /*/", "#if A /*/ x\n*/ y",
         "{directive}#if A {comment}/*/ x ~7\n{comment}*/{directive} y\n"},
        {"sound 4: a comment entered from a directive that ends the line ends the directive", "#if A /* c */\nx",
         "{directive}#if A {comment}/* c */\n{ident}x\n"},
        {"sound 4: a block comment /*/ stays open", "/*/ a\n*/ b", "{comment}/*/ a ~1\n{comment}*/{space} {ident}b\n"},
        {"sound 5: an asm statement without ; ends at its line end", "asm mov eax, 1\nx = 1;",
         "{key}asm{space} {asm}mov{space} {asm}eax{asm},{space} {asm}1\n{ident}x{space} {symbol}={space} {number}1{symbol};\n"},
        {"sound 5: asm as the last token of its line goes on to a { on the next", "asm // c\n{\nmov\n}\nx",
         "{key}asm{space} {comment}// c ~4\n{symbol}{ ~5\n{asm}mov ~5\n{symbol}}\n{ident}x\n"},
        {"sound 5: a comment in an asm block keeps the block", "_asm { /* a\nb */ mov }",
         "{key}_asm{space} {symbol}{{space} {comment}/* a ~3\n{comment}b */{space} {asm}mov{space} {symbol}}\n"},
        {"sound 6: an empty line ends a continued directive", "#define A \\\n\nx", "{directive}#define A \\ ~11\n\n{ident}x\n"},
        {"sound 6: an empty line ends a continued string", "\"a\\\n\nx", "{string}\"a\\ ~10\n\n{ident}x\n"},
        {"sound 9: a NUL is one illegal character", "a\0b \"\0\""s, "{ident}a{illegal}\0{ident}b{space} {string}\"\0\"\n"s},
        {"sound 9: a stale range starts from the initial state", "x /*", "{ident}x{space} {comment}/* ~1\n", 6},
        {"sound 9: a lead byte at the line end is one character", "\x81", "{illegal}\x81\n"},
    });
}

TEST(CppHighlighter, ReportedKindsRangesAndAttributes)
{
    TZefCppSyn cpp;
    cpp.ResetRange();
    cpp.SetLine("asm nop", 0);
    EXPECT_EQ(cpp.GetTokenAttribute(), cpp.KeyAttri);
    cpp.Next();
    cpp.Next();
    EXPECT_EQ(cpp.GetTokenKind(), TZefCppSyn::tkAsm);
    EXPECT_EQ(cpp.GetTokenAttribute(), cpp.AsmAttri);
    cpp.NextToEol();
    EXPECT_EQ(cpp.GetRange(), TZefCppSyn::rsNormal);

    const std::pair<const char*, TZefRangeState> ends[] = {
        {"/* a", 1}, {"asm /* a", 2}, {"asm { /* a", 3}, {"asm", 4}, {"asm {", 5}, {"#x /* a", 7}, {"\"a\\", 10},
        {"#x \\", 11}};
    for (const auto& [line, range] : ends) {
        cpp.ResetRange();
        cpp.SetLine(line, 0);
        cpp.NextToEol();
        EXPECT_EQ(cpp.GetRange(), range) << line;
    }
    EXPECT_EQ(cpp.GetCapabilities(), hcUserSettings | hcRegistry);
    EXPECT_EQ(cpp.SpaceAttri->Foreground(), clWindow);
    EXPECT_EQ(cpp.CommentAttri->Style(), fsItalic);
    EXPECT_TRUE(cpp.IsKeyword("reinterpret_cast"));
    EXPECT_TRUE(cpp.IsKeyword("__int8"));
    EXPECT_FALSE(cpp.IsKeyword("Class"));
}
