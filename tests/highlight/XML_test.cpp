// The XML highlighter: tags, attributes and values, entity references, comments, CDATA, processing
// instructions and the DOCTYPE.
#include "support/AllHighlighters.h"
#include "support/RangeScanAgreement.h"

#include "ZefHighlighterXML.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(XMLHighlighter, TokensOfEachConstruct)
{
    using R = TZefXMLSyn::TRangeState;
    alllanguages::CheckDumps<TZefXMLSyn>({
        {"element, attributes and values", "<a href='x' b=\"c d\">t</a>",
         "{symbol}<{element}a{space} {attribute}href{equal}='{aposvalue}x{symbol}'{space} {attribute}b{equal}=\""
         "{value}c d{symbol}\"{symbol}>{text}t{symbol}</{element}a{symbol}> ~11\n"},
        {"a value starting with a blank is interrupted by it", "<a b=\" c\">",
         "{symbol}<{element}a{space} {attribute}b{equal}=\"{space} {value}c{symbol}\"{symbol}> ~11\n"},
        {"namespace attributes", "<r xmlns:p='u' p:x=\"v\"/>",
         "{symbol}<{element}r{space} {nsattribute}xmlns:p{nsequal}='{nsaposvalue}u{symbol}'{space} {attribute}p:x"
         "{equal}=\"{value}v{symbol}\"{symbol}/{symbol}> ~11\n"},
        {"sound 7: an entity reference stops at its ; and never takes a quote, < or >",
         "a &amp; b &x\"<c v='&q' w=\"&#10;\">", "{text}a {entity}&amp;{text} b {entity}&x{text}\"{symbol}<"
                                                 "{element}c{space} {attribute}v{equal}='{aposentity}&q{symbol}'{space}"
                                                 " {attribute}w{equal}=\"{valueentity}&#10;{symbol}\"{symbol}> ~11\n"},
        {"sound 7: a lone & is one character", "&<a>", "{entity}&{symbol}<{element}a{symbol}> ~11\n"},
        {"comments across lines", "<!-- a\nb --> c", "{symbol}<!--{comment} a ~4\n{comment}b {symbol}-->{text} c ~11\n"},
        {"sound 8: CDATA closes at ]]>", "<![CDATA[ x ] y ]> ]]>z", "{cdata}<![CDATA[ x ] y ]> ]]>{text}z ~11\n"},
        {"sound 8: ]]> counts only wholly on the line", "<![CDATA[ x ]\n]>\n]]>",
         "{cdata}<![CDATA[ x ] ~3\n{cdata}]> ~3\n{cdata}]]> ~11\n"},
        {"sound 8: ?> counts only wholly on the line", "<?pi a ?\n> b ?>", "{pi}<?pi a ? ~8\n{pi}> b ?> ~11\n"},
        {"sound 8: the = token stops before < and >", "<a b = <c>",
         "{symbol}<{element}a{space} {attribute}b{space} {equal}= {symbol}<{element}c{symbol}> ~11\n"},
        {"sound 8: after a complete DOCTYPE the state is text", "<!DOCTYPE x [ <!ENTITY e \"v\"> ]> t",
         "{doctype}<!DOCTYPE x [ <!ENTITY e \"v\"> ]{doctype}>{text} t ~11\n"},
        {"a DOCTYPE subset across lines", "<!DOCTYPE x [\n<!ENTITY e 'v'>\n]>",
         "{doctype}<!DOCTYPE x [ ~18\n{doctype}<!ENTITY e 'v'> ~18\n{doctype}]{doctype}> ~11\n"},
        {"<! of another kind is a symbol", "<!ELEMENT a>", "{symbol}<!{element}ELEMENT{space} {attribute}a{symbol}> ~11\n"},
        {"tags left open carry over", "<a\nb='x\ny'>", "{symbol}<{element}a ~2\n{attribute}b{equal}='{aposvalue}x\n"
                                                      "{aposvalue}y{symbol}'{symbol}> ~11\n"},
        {"tab only starts a blank run", "<a\t \tb>", "{symbol}<{element}a{space}\t {space}\t{attribute}b{symbol}> ~11\n"},
        {"sound 9: NUL is an ordinary character", "a\0b<x\0>"s, "{text}a\0b{symbol}<{element}x{equal}\0{symbol}> ~11\n"s},
        {"sound 9: a stale range starts from the initial state", "a<", "{text}a{symbol}< ~5\n", R::rsEntityRef},
    });
}

TEST(XMLHighlighter, AttributesAndSettings)
{
    TZefXMLSyn xml;
    EXPECT_EQ(xml.GetAttribCount(), 13);
    EXPECT_EQ(xml.CommentAttri->Background(), clSilver);
    EXPECT_EQ(xml.CommentAttri->Style(), fsBold | fsItalic);
    EXPECT_EQ(xml.ElementAttri->Foreground(), clMaroon);
    EXPECT_FALSE(xml.GetIdentChars().Contains(':'));
    EXPECT_TRUE(xml.GetIdentChars().Contains('-'));
    EXPECT_FALSE(xml.IsKeyword("xml"));
    const std::string before = alllanguages::Dump(xml, "<a b='{x}'>");
    xml.SetWantBracesParsed(false);
    EXPECT_EQ(alllanguages::Dump(xml, "<a b='{x}'>"), before);
}

TEST(XMLHighlighter, RangeScanWithoutTokensEndsInTheSameState)
{
    // Openers and closers split and joined, blanks, "<" and ">" inside and outside values, entities.
    const std::vector<std::string> pieces = {
        "<", "</", ">", "/>", "/", "!", "!--", "-->", "--", "?", "?>", "![CDATA[", "]]>", "]", "[", "!DOCTYPE",
        "&", "&#", "amp;", ";", "=", "\"", "'", "xmlns", "xmlns:a", "a", "-.:", " ", "\t", "\r", std::string(1, '\0'),
        "\xE9"};
    const std::vector<TZefRangeState> starts = {
        TZefXMLSyn::rsText, TZefXMLSyn::rsElement, TZefXMLSyn::rsAttribute, TZefXMLSyn::rsEqual,
        TZefXMLSyn::rsNsEqual, TZefXMLSyn::rsQuoteValue, TZefXMLSyn::rsAposValue, TZefXMLSyn::rsNsQuoteValue,
        TZefXMLSyn::rsNsAposValue, TZefXMLSyn::rsComment, TZefXMLSyn::rsCDATA, TZefXMLSyn::rsProcessingInstruction,
        TZefXMLSyn::rsDocType, TZefXMLSyn::rsDocTypeSubset};
    TZefXMLSyn tokens;
    TZefXMLSyn ranges;
    rangescan::ExpectRangeScanAgrees(tokens, ranges, pieces, starts);
}
