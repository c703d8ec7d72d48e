// The XML highlighter's state machine.
#include "ZefHighlighterXML.h"

namespace {

// Element and attribute names.
constexpr TZefCharSet kNameChars = TZefCharSet("-.:_").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
// What ends a text run: control characters but NUL (an ordinary character), "<" and "&".
constexpr TZefCharSet kTextStops = TZefCharSet("<&").AddRange(1, 31);
// White space continues over bytes 1..32 but tab, CR and LF (a tab only starts a run).
constexpr TZefCharSet kSpaceRun = TZefCharSet().AddRange(1, 32).Remove('\t').Remove('\n').Remove('\r');

} // namespace

TZefXMLSyn::TZefXMLSyn() : TZefTableHighlighter(tkNull, tkText, tkAttribute, rsText)
{
    SetNames("TZefXMLSyn", "XML");
    AddAttributes({{&ElementAttri, "Element Name", clMaroon, fsBold}, {&TextAttri, "Text", clBlack, fsBold},
                   {&SpaceAttri, "Whitespace"}, {&EntityRefAttri, "Entity Reference", clBlue, fsBold},
                   {&ProcessingInstructionAttri, "Processing Instruction", clBlue},
                   {&CDATAAttri, "CDATA Section", clOlive, fsItalic},
                   {&CommentAttri, "Comment", clGray, static_cast<TFontStyles>(fsBold | fsItalic)},
                   {&DocTypeAttri, "DOCTYPE Section", clBlue, fsItalic}, {&AttributeAttri, "Attribute Name", clMaroon},
                   {&NamespaceAttributeAttri, "Namespace Attribute Name", clRed},
                   {&AttributeValueAttri, "Attribute Value", clNavy, fsBold},
                   {&NamespaceAttributeValueAttri, "Namespace Attribute Value", clRed, fsBold},
                   {&SymbolAttri, "Symbol", clBlue}});
    CommentAttri->SetBackground(clSilver);
    DeclareKinds({{tkAposAttrValue, "aposvalue", AttributeValueAttri}, {tkAposEntityRef, "aposentity", EntityRefAttri},
                  {tkAttribute, "attribute", AttributeAttri}, {tkCDATA, "cdata", CDATAAttri},
                  {tkComment, "comment", CommentAttri}, {tkElement, "element", ElementAttri},
                  {tkEntityRef, "entity", EntityRefAttri}, {tkEqual, "equal", SymbolAttri},
                  {tkProcessingInstruction, "pi", ProcessingInstructionAttri},
                  {tkQuoteAttrValue, "value", AttributeValueAttri}, {tkQuoteEntityRef, "valueentity", EntityRefAttri},
                  {tkSpace, "space", SpaceAttri}, {tkSymbol, "symbol", SymbolAttri}, {tkText, "text", TextAttri},
                  {tknsAposAttrValue, "nsaposvalue", NamespaceAttributeValueAttri},
                  {tknsAposEntityRef, "nsaposentity", EntityRefAttri},
                  {tknsAttribute, "nsattribute", NamespaceAttributeAttri}, {tknsEqual, "nsequal", SymbolAttri},
                  {tknsQuoteAttrValue, "nsvalue", NamespaceAttributeValueAttri},
                  {tknsQuoteEntityRef, "nsvalueentity", EntityRefAttri}, {tkDocType, "doctype", DocTypeAttri}});
    SetDefaultAttributes({CommentAttri, AttributeAttri, ElementAttri, nullptr, SpaceAttri, SymbolAttri});
    SetIdentChars(zefchars::StandardIdentChars().Add('-').Add('.'));
    for (const TRangeState range : {rsAposValue, rsAttribute, rsCDATA, rsComment, rsElement, rsEqual,
                                    rsProcessingInstruction, rsQuoteValue, rsNsAposValue, rsNsEqual, rsNsQuoteValue,
                                    rsDocType, rsDocTypeSubset})
        DeclareRange(range);
    SetSample("<?xml version=\"1.0\"?>\r\n<!-- Sample -->\r\n<root xmlns:a=\"urn:a\">\r\n"
              "  <item name='x &amp; y'>Text &lt; more</item>\r\n  <![CDATA[ raw <data> ]]>\r\n</root>\r\n");
    FinishConstruction("XML Files (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd");
}

void TZefXMLSyn::ScanToken()
{
    TZefScanCursor& cursor = Cursor();
    const auto range = static_cast<TRangeState>(Range());
    switch (range) {
    case rsText: TextScan(); return;
    case rsComment:
    case rsCDATA:
    case rsProcessingInstruction:
    case rsDocType:
    case rsDocTypeSubset:
        // A scanner hands a line break at its first character to the handlers.
        if ((cursor.Current() == '\r' || cursor.Current() == '\n') && Handler()) return;
        if (range == rsComment) CommentScan();
        else if (range == rsCDATA) ScanThrough("]]>", tkCDATA);
        else if (range == rsProcessingInstruction) ScanThrough("?>", tkProcessingInstruction);
        else if (range == rsDocType) DocTypeScan();
        else DocTypeSubsetScan();
        return;
    default: break;
    }
    if (Handler()) return;
    switch (range) {
    case rsElement: ElementName(); break;
    case rsAttribute:
        if (cursor.Current() == '"' || cursor.Current() == '\'') {
            SetTokenKind(tkSymbol);
            cursor.Advance();
        } else {
            AttributeName();
        }
        break;
    case rsEqual: Equal(false); break;
    case rsNsEqual: Equal(true); break;
    case rsQuoteValue: Value('"', tkQuoteAttrValue, rsQuoteEntityRef, rsAttribute); break;
    case rsAposValue: Value('\'', tkAposAttrValue, rsAposEntityRef, rsAttribute); break;
    case rsNsQuoteValue: Value('"', tknsQuoteAttrValue, rsNsQuoteEntityRef, rsAttribute); break;
    case rsNsAposValue: Value('\'', tknsAposAttrValue, rsNsAposEntityRef, rsAttribute); break;
    case rsEntityRef: EntityRef(tkEntityRef, rsText); break;
    case rsQuoteEntityRef: EntityRef(tkQuoteEntityRef, rsQuoteValue); break;
    case rsAposEntityRef: EntityRef(tkAposEntityRef, rsAposValue); break;
    case rsNsQuoteEntityRef: EntityRef(tknsQuoteEntityRef, rsNsQuoteValue); break;
    case rsNsAposEntityRef: EntityRef(tknsAposEntityRef, rsNsAposValue); break;
    default: break;
    }
}

bool TZefXMLSyn::Handler()
{
    TZefScanCursor& cursor = Cursor();
    const unsigned char c = cursor.Current();
    if (c == '<') {
        TagOpen();
    } else if (c == '>') {
        SetTokenKind(tkSymbol);
        cursor.Advance();
        Enter(rsText);
    } else if (c == '\n' || c == '\r') {
        SetTokenKind(tkSpace);
        cursor.Advance(c == '\r' && cursor.Peek(1) == '\n' ? 2 : 1);
    } else if (c >= 1 && c <= ' ') {
        SetTokenKind(tkSpace);
        cursor.Advance();
        cursor.SkipWhile(kSpaceRun);
    } else {
        return false;
    }
    return true;
}

void TZefXMLSyn::TagOpen()
{
    TZefScanCursor& cursor = Cursor();
    cursor.Advance();
    cursor.Skip("/");
    if (cursor.Skip("!--")) {
        SetTokenKind(tkSymbol);
        Enter(rsComment);
    } else if (cursor.Skip("!DOCTYPE")) {
        Enter(rsDocType);
        DocTypeScan();
    } else if (cursor.Skip("![CDATA[")) {
        Enter(rsCDATA);
        ScanThrough("]]>", tkCDATA);
    } else if (cursor.Skip("?")) {
        Enter(rsProcessingInstruction);
        ScanThrough("?>", tkProcessingInstruction);
    } else {
        cursor.Skip("!");
        SetTokenKind(tkSymbol);
        Enter(rsElement);
    }
}

void TZefXMLSyn::TextScan()
{
    TZefScanCursor& cursor = Cursor();
    const unsigned char first = cursor.Current();
    if ((first >= 1 && first < ' ') || first == '<') {
        Handler();
        return;
    }
    SetTokenKind(tkText);
    cursor.SkipUntil(kTextStops);
    if (!cursor.AtEnd() && cursor.Current() == '&') {
        Enter(rsEntityRef);
        // Text that an entity starts at once is empty: the entity is scanned in its place.
        if (cursor.TokenLength() == 0) RescanInNewState();
    }
}

void TZefXMLSyn::CommentScan()
{
    TZefScanCursor& cursor = Cursor();
    if (cursor.Skip("-->")) {
        SetTokenKind(tkSymbol);
        Enter(rsText);
        return;
    }
    SetTokenKind(tkComment);
    const size_t close = cursor.Line().find("-->", cursor.Run());
    if (close == std::string_view::npos) cursor.SkipToEnd();
    else cursor.SetRun(close);
}

void TZefXMLSyn::ScanThrough(std::string_view close, int kind)
{
    SetTokenKind(kind);
    if (Cursor().SkipPast(close)) Enter(rsText);
}

void TZefXMLSyn::DocTypeScan()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkDocType);
    cursor.SkipUntil(TZefCharSet("[>"));
    if (cursor.AtEnd()) return;
    if (cursor.Current() == '>') {
        cursor.Advance();
        Enter(rsText);
        return;
    }
    // The internal subset ends at its "]" on this line, or carries over.
    cursor.Advance();
    if (!cursor.SkipPast("]")) Enter(rsDocTypeSubset);
}

void TZefXMLSyn::DocTypeSubsetScan()
{
    SetTokenKind(tkDocType);
    if (Cursor().SkipPast("]")) Enter(rsDocType);
}

void TZefXMLSyn::ElementName()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkElement);
    cursor.Skip("/");
    cursor.SkipWhile(kNameChars);
    Enter(rsAttribute);
    // No name here: the character is scanned again as an attribute's.
    if (cursor.TokenLength() == 0) RescanInNewState();
}

void TZefXMLSyn::AttributeName()
{
    TZefScanCursor& cursor = Cursor();
    cursor.SkipWhile(kNameChars);
    const bool ns = cursor.Token().find("xmlns") != std::string_view::npos;
    SetTokenKind(ns ? tknsAttribute : tkAttribute);
    Enter(ns ? rsNsEqual : rsEqual);
    if (cursor.TokenLength() == 0) RescanInNewState();
}

void TZefXMLSyn::Equal(bool ns)
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(ns ? tknsEqual : tkEqual);
    // Up to and including the opening quote; it stops before "<" and ">", which are tokens of their own.
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (c == '<' || c == '>') return;
        cursor.Advance();
        if (c == '"') {
            Enter(ns ? rsNsQuoteValue : rsQuoteValue);
            return;
        }
        if (c == '\'') {
            Enter(ns ? rsNsAposValue : rsAposValue);
            return;
        }
        if (c == '/') {
            SetTokenKind(tkSymbol);
            Enter(rsElement);
            return;
        }
    }
}

void TZefXMLSyn::Value(char quote, int kind, TRangeState entityState, TRangeState back)
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(kind);
    cursor.SkipUntil(TZefCharSet().Add(static_cast<unsigned char>(quote)).Add('&'));
    if (cursor.AtEnd()) return;
    Enter(cursor.Current() == '&' ? entityState : back);
    // At the closing quote or an entity: the value so far is empty, and the quote or entity is scanned now.
    if (cursor.TokenLength() == 0) RescanInNewState();
}

void TZefXMLSyn::EntityRef(int kind, TRangeState back)
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(kind);
    cursor.Skip("&");
    cursor.Skip("#");
    cursor.SkipWhile(kNameChars);
    cursor.Skip(";");
    Enter(back);
    if (cursor.TokenLength() == 0) RescanInNewState();
}
