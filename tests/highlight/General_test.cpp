// The General highlighter: its settings (comment styles, preprocessor, identifier characters, keywords,
// string quote) and the application's configuration.
#include "support/AllHighlighters.h"

#include "ZefHighlighterGeneral.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(GeneralHighlighter, PlainByDefault)
{
    alllanguages::CheckDumps<TZefGeneralSyn>({
        {"words, numbers, symbols and strings", "a1 = 'x y' + 3.5", "{ident}a1{space} {symbol}={space} {string}'x y'{space} {symbol}+{space} {number}3.5\n"},
        {"no comments, # with digits a string", "// x #12 #", "{symbol}/{symbol}/{space} {ident}x{space} {string}#12{space} {symbol}#\n"},
        {"sound 3: a string stops at the line end", "'open\nx", "{string}'open\n{ident}x\n"},
        {"sound 4: a NUL is one unknown character", "\0"s, "{unknown}\0\n"s},
        {"sound 2: a stale range starts from the initial state", "(* x", "{symbol}({symbol}*{space} {ident}x\n", 1},
    });
}

TEST(GeneralHighlighter, CommentStylesAndTheirRanges)
{
    TZefGeneralSyn general;
    int notified = 0;
    general.AddChangeHook(this, [&](TZefPersistent* sender) { notified += sender == &general; });
    general.SetComments(csAnsiStyle | csPasStyle | csCStyle | csCPPStyle | csAsmStyle);
    EXPECT_EQ(notified, 1) << "a scanning setting notifies with the highlighter";
    EXPECT_EQ(general.RangeStates(), (std::vector<TZefRangeState>{0, 1, 2, 3}));
    EXPECT_EQ(alllanguages::Dump(general, "(* a\nb *) { c\n} /* d\n*/ // e ; f\n; g"),
              "{comment}(* a ~1\n{comment}b *){space} {comment}{ c ~2\n{comment}}{space} {comment}/* d ~3\n"
              "{comment}*/{space} {comment}// e ; f\n{comment}; g\n");
    general.SetComments(csCStyle);
    EXPECT_EQ(general.RangeStates(), (std::vector<TZefRangeState>{0, 3}));
    EXPECT_EQ(alllanguages::Dump(general, "{ x", TZefGeneralSyn::rsAnsi), "{symbol}{{space} {ident}x\n")
        << "a style turned off reads as the initial state";
    general.RemoveChangeHook(this);
}

TEST(GeneralHighlighter, PreprocessorKeywordsIdentifierCharsAndQuote)
{
    TZefGeneralSyn general;
    general.SetDetectPreprocessor(true);
    general.SetKeyWords({"while", "Begin"});
    general.SetStringDelim('"');
    EXPECT_EQ(alllanguages::Dump(general, "#define x\nBEGIN while \"s\" 'q"),
              "{preprocessor}#define x\n{key}BEGIN{space} {key}while{space} {string}\"s\"{space} {symbol}'{ident}q\n");
    general.SetIdentifierChars(zefchars::AllFromBang());
    EXPECT_EQ(general.GetIdentChars(), zefchars::AllFromBang());
    EXPECT_FALSE(general.WordBreakChars().Contains('.')) << "identifier characters leave the word-break set";
    EXPECT_EQ(alllanguages::Dump(general, "a+b.c +d"), "{ident}a+b.c{space} {symbol}+{ident}d\n");
}

TEST(GeneralHighlighter, AsTheApplicationConfiguresIt)
{
    const auto general = alllanguages::Create("General");
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(general->GetIdentChars(), zefchars::AllFromBang());
    EXPECT_EQ(general->GetDefaultFilter(), "");
    EXPECT_EQ(static_cast<TZefGeneralSyn&>(*general).Comments(), 0);
}
