// The x86 assembly highlighter: its three comment openers, strings, numbers and the mnemonic list.
#include "support/AllHighlighters.h"

#include "ZefHighlighterAsm.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(AsmHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefAsmSyn>({
        {"three comment openers", "nop ; a\nnop # b\nnop // c",
         "{key}nop{space} {comment}; a\n{key}nop{space} {comment}# b\n{key}nop{space} {comment}// c\n"},
        {"a single slash is a symbol", "a/b", "{ident}a{symbol}/{ident}b\n"},
        {"mnemonics ignoring case, registers are identifiers", "MOV eax, [ebx+4]",
         "{key}MOV{space} {ident}eax{symbol},{space} {symbol}[{ident}ebx{symbol}+{number}4{symbol}]\n"},
        {"numbers", "0FFh 0x1F 12", "{number}0FFh{space} {number}0x1F{space} {number}12\n"},
        {"labels", "start: jmp start", "{ident}start{symbol}:{space} {key}jmp{space} {ident}start\n"},
        {"sound 3: strings stop at the line end", "db 'open\ndb \"x", "{ident}db{space} {string}'open\n{ident}db{space} {string}\"x\n"},
        {"sound 4: a NUL is one unknown character", "\0nop"s, "{unknown}\0{key}nop\n"s},
        {"sound 2: a stale range starts from the initial state", "; c", "{comment}; c\n", 255},
    });
}

TEST(AsmHighlighter, MnemonicsAndTheirHash)
{
    TZefAsmSyn asmSyn;
    for (const char* word : {"aaa", "XLATB", "cmpxchg8b", "fyl2xp1", "pfrcpit2", "punpckhbw", "sysenter", "cmovnle"})
        EXPECT_TRUE(asmSyn.IsKeyword(word)) << word;
    for (const char* word : {"addps", "movaps", "eax", "cpuid2"}) EXPECT_FALSE(asmSyn.IsKeyword(word)) << word;
    EXPECT_EQ(TZefAsmSyn::MnemonicCount(), 414);
    EXPECT_EQ(TZefAsmSyn::MnemonicHash("aB"), 1u * 7 + 2);
    EXPECT_EQ(TZefAsmSyn::MnemonicHash("a1"), 1u * 7 + 28);
    EXPECT_LT(TZefAsmSyn::MnemonicHash("punpckhbwpunpckhbwpunpckhbw"), TZefAsmSyn::kBucketCount);
}
