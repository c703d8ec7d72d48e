// The Object Pascal highlighter: context and version keywords, asm blocks, comments and directives, numbers.
#include "support/AllHighlighters.h"
#include "support/RangeScanAgreement.h"

#include "ZefHighlighterPas.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(PasHighlighter, TokensOfEachConstruct)
{
    using R = TZefPasSyn::TRangeState;
    alllanguages::CheckDumps<TZefPasSyn>({
        {"keywords in any case; a digit or _ makes an identifier", "End END end end_ if1 end.",
         "{key}End{space} {key}END{space} {key}end{space} {ident}end_{space} {ident}if1{space} {key}end{symbol}. ~8\n"},
        {"property words only inside the declaration", "property Count: Integer read FCount default 0; read",
         "{key}property{space} {ident}Count{symbol}:{space} {ident}Integer{space} {key}read{space} {ident}FCount"
         "{space} {key}default{space} {number}0{symbol};{space} {ident}read ~8\n"},
        {"a property continued on the next line", "property X: Integer\nread FX write FX;",
         "{key}property{space} {ident}X{symbol}:{space} {ident}Integer ~6\n{key}read{space} {ident}FX{space} "
         "{key}write{space} {ident}FX{symbol}; ~8\n"},
        {"a closed comment ends the declaration", "property X: Integer { note } read FX;",
         "{key}property{space} {ident}X{symbol}:{space} {ident}Integer{space} {comment}{ note }{space} {ident}read"
         "{space} {ident}FX{symbol}; ~8\n"},
        {"exports words", "exports Foo name 'Bar' index 3; name index",
         "{key}exports{space} {ident}Foo{space} {key}name{space} {string}'Bar'{space} {key}index{space} {number}3"
         "{symbol};{space} {ident}name{space} {ident}index ~8\n"},
        {"asm block", "asm mov eax, 1 end", "{key}asm{space} {asm}mov{space} {asm}eax{asm},{space} {asm}1{space} {key}end ~8\n"},
        {"directive and comment inside asm", "asm {$R+} { note }\nend",
         "{key}asm{space} {asm}{$R+}{space} {comment}{ note } ~3\n{key}end ~8\n"},
        {"a comment opened in asm returns to it", "asm (* a\nb *) mov\nend",
         "{key}asm{space} {comment}(* a ~2\n{comment}b *){space} {asm}mov ~3\n{key}end ~8\n"},
        {"directives and comments; sound 9: a continuation with $ second is a directive",
         "{$R+} { note\nx}\n{$ still\n}", "{directive}{$R+}{space} {comment}{ note ~4\n{comment}x} ~8\n"
                                            "{directive}{$ still ~4\n{comment}} ~8\n"},
        {"(*) stays open, (**) closes", "(*)\n*) (**)", "{comment}(*) ~1\n{comment}*){space} {comment}(**) ~8\n"},
        {"character codes and hexadecimal", "#13#10 #$0D $FF $ $FG",
         "{char}#13{char}#10{space} {char}#$0D{space} {hex}$FF{space} {hex}${space} {hex}$F{ident}G ~8\n"},
        {"strings", "'it''s' 'open", "{string}'it''s'{space} {string}'open ~8\n"},
        {"numbers", "1..10 1.5e-3 2-1 1e", "{number}1{symbol}..{number}10{space} {float}1.5e-3{space} {number}2"
                                          "{symbol}-{number}1{space} {float}1e ~8\n"},
        {"symbols", ":= <> <= >= (. .) .. @@ =< \"", "{symbol}:={space} {symbol}<>{space} {symbol}<={space} "
                                                    "{symbol}>={space} {symbol}(.{space} {symbol}.){space} "
                                                    "{symbol}..{space} {symbol}@@{space} {symbol}={symbol}<{space} "
                                                    "{symbol}\" ~8\n"},
        {"// comment", "x // note", "{ident}x{space} {comment}// note ~8\n"},
        {"a Latin-1 letter is an unknown character", "caf\xE9|", "{ident}caf{unknown}\xE9{unknown}| ~8\n"},
        {"sound 9: NUL is an unknown character", "a\0b"s, "{ident}a{unknown}\0{ident}b ~8\n"s},
        {"sound 9: a stale range starts from the initial state", "read", "{ident}read ~8\n", 0},
        {"a brace comment resumes", "x}", "{comment}x} ~8\n", R::rsBraceComment},
    });
}

TEST(PasHighlighter, VersionAndPackageSettings)
{
    TZefPasSyn pas;
    int rescans = 0;
    pas.AddChangeHook(&rescans, [&rescans](TZefPersistent* sender) { rescans += sender != nullptr; });
    EXPECT_EQ(alllanguages::Dump(pas, "package platform stdcall // c"),
              "{key}package{space} {key}platform{space} {key}stdcall{space} {comment}// c ~8\n");
    pas.SetDelphiVersion(dvDelphi1);
    EXPECT_EQ(rescans, 1);
    EXPECT_FALSE(pas.PackageSource());
    EXPECT_EQ(alllanguages::Dump(pas, "package platform stdcall // c"),
              "{ident}package{space} {ident}platform{space} {ident}stdcall{space} {symbol}/{symbol}/{space} {ident}c ~8\n");
    pas.SetPackageSource(true);
    EXPECT_EQ(pas.DelphiVersion(), dvDelphi3);
    EXPECT_EQ(rescans, 2);
    pas.SetPackageSource(true);
    EXPECT_EQ(rescans, 2);
    EXPECT_EQ(alllanguages::Dump(pas, "property X read FX readonly implements"),
              "{key}property{space} {ident}X{space} {key}read{space} {ident}FX{space} {key}readonly{space} "
              "{ident}implements ~6\n");
}

TEST(PasHighlighter, AttributesAndFilter)
{
    TZefPasSyn pas;
    EXPECT_EQ(pas.GetAttribCount(), 12);
    EXPECT_EQ(pas.GetAttribute(0)->Name(), "Assembler");
    EXPECT_EQ(pas.DirectiveAttri->Style(), fsItalic);
    EXPECT_EQ(pas.GetCapabilities(), hcUserSettings | hcRegistry);
    EXPECT_FALSE(pas.IsFilterStored());
    pas.SetDefaultFilter("Pascal (*.pas)|*.pas");
    EXPECT_TRUE(pas.IsFilterStored());
    // The asm block's attribute follows the reported kind.
    pas.SetRange(TZefPasSyn::rsAsm);
    pas.SetLine("mov", 1);
    EXPECT_EQ(pas.GetTokenKind(), TZefPasSyn::tkAsm);
    EXPECT_EQ(pas.GetTokenAttribute(), pas.AsmAttri);
}

TEST(PasHighlighter, RangeScanWithoutTokensEndsInTheSameState)
{
    // Words that change the state right after tokens that take letters ($FFend is "$FFe" and "nd"), in both
    // letter cases, beside comments, strings and the clause ends; with "//" a comment or two symbols.
    const std::vector<std::string> pieces = {
        "asm", "END", "end", "Property", "exports", "$", "$F", "#", "#$", "1", "1e", "1.", "e", "+", "-", "..", ";",
        " ", "\t", "{", "{$", "}", "(*", "*)", "(", "(.", "*", ")", "/", "//", "'", "''", "x", "_", std::string(1, '\0'),
        "\xE9", "|"};
    const std::vector<TZefRangeState> starts = {
        TZefPasSyn::rsUnknown, TZefPasSyn::rsAsm, TZefPasSyn::rsProperty, TZefPasSyn::rsExports,
        TZefPasSyn::rsAnsiComment, TZefPasSyn::rsAnsiCommentAsm, TZefPasSyn::rsBraceComment,
        TZefPasSyn::rsBraceCommentAsm};
    for (const TDelphiVersion version : {dvDelphi6, dvDelphi1}) {
        TZefPasSyn tokens;
        TZefPasSyn ranges;
        tokens.SetDelphiVersion(version);
        ranges.SetDelphiVersion(version);
        rangescan::ExpectRangeScanAgrees(tokens, ranges, pieces, starts);
    }
}
