// The XML highlighter: its colours follow the markup structure (elements, attributes and their values,
// entity references, comments, CDATA, processing instructions and the DOCTYPE); it has no keywords.
#pragma once

#include "ZefTableHighlighter.h"

// A state machine over the range values below. The entity states (1, 6, 10, 13, 16) last one token within a
// line and never end one, so a stored range never holds them (SetRange reads them as rsText). White space,
// "<" and ">" have their own handlers in every state without a scanner of its own; every other character
// starts a token by the rule of the state. An entity reference is "&", an optional "#", name characters and
// a ";" when one follows. "?>" and "]]>" close only when wholly on the line; a complete DOCTYPE returns to
// text. A NUL byte is an ordinary character.
class TZefXMLSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkAposAttrValue, tkAposEntityRef, tkAttribute, tkCDATA, tkComment, tkElement, tkEntityRef, tkEqual, tkNull,
        tkProcessingInstruction, tkQuoteAttrValue, tkQuoteEntityRef, tkSpace, tkSymbol, tkText, tknsAposAttrValue,
        tknsAposEntityRef, tknsAttribute, tknsEqual, tknsQuoteAttrValue, tknsQuoteEntityRef, tkDocType,
    };
    enum TRangeState : TZefRangeState {
        rsAposValue, rsAposEntityRef, rsAttribute, rsCDATA, rsComment, rsElement, rsEntityRef, rsEqual,
        rsProcessingInstruction, rsQuoteValue, rsQuoteEntityRef, rsText, rsNsAposValue, rsNsAposEntityRef, rsNsEqual,
        rsNsQuoteValue, rsNsQuoteEntityRef, rsDocType, rsDocTypeSubset,
    };

    TZefXMLSyn();

    // Has no effect on scanning; kept as a setting of the language.
    bool WantBracesParsed() const { return wantBracesParsed_; }
    void SetWantBracesParsed(bool value) { wantBracesParsed_ = value; }
    // A line's end state without its tokens (ZefHighlighterXMLRanges.cpp).
    void ScanLineRange(std::string_view line, int lineIndex) override;

    TZefHighlighterAttributes *ElementAttri, *TextAttri, *SpaceAttri, *EntityRefAttri, *ProcessingInstructionAttri,
        *CDATAAttri, *CommentAttri, *DocTypeAttri, *AttributeAttri, *NamespaceAttributeAttri, *AttributeValueAttri,
        *NamespaceAttributeValueAttri, *SymbolAttri;

protected:
    void ScanToken() override;

private:
    // The character handlers of the states without a scanner: true when one took the token.
    bool Handler();
    void TagOpen();
    void TextScan();
    void CommentScan();
    // Through `close` (searched from the run position) into rsText, or to the line end.
    void ScanThrough(std::string_view close, int kind);
    void DocTypeScan();
    void DocTypeSubsetScan();
    void ElementName();
    void AttributeName();
    void Equal(bool ns);
    void Value(char quote, int kind, TRangeState entityState, TRangeState back);
    void EntityRef(int kind, TRangeState back);

    bool wantBracesParsed_ = true;
};
