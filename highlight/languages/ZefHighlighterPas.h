// The Object Pascal highlighter: keywords by language version and context, asm blocks, comments and
// compiler directives, numbers, hexadecimal and character codes.
#pragma once

#include "ZefTableHighlighter.h"

#include <cstdint>
#include <vector>

enum TDelphiVersion : uint8_t { dvDelphi1, dvDelphi2, dvDelphi3, dvDelphi4, dvDelphi5, dvDelphi6 };

// Range values: 1 rsAnsiComment and 2 rsAnsiCommentAsm inside "(*" ... "*)", 4 rsBraceComment and
// 5 rsBraceCommentAsm inside "{" ... "}" (the Asm ones opened inside an asm block, which they return to),
// 3 rsAsm inside an asm block, 6 rsProperty inside a property declaration, 7 rsExports inside an exports
// clause, 8 rsUnknown ordinary code (the initial state). The words read, write, stored, nodefault,
// readonly, writeonly, implements and index are keywords only in a property declaration, name and index
// only in an exports clause; other words depend on DelphiVersion and PackageSource. Inside an asm block
// every token but white space and comments is reported as tkAsm.
class TZefPasSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkAsm, tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown, tkFloat,
        tkHex, tkDirective, tkChar,
    };
    enum TRangeState : TZefRangeState {
        rsAnsiComment = 1, rsAnsiCommentAsm, rsAsm, rsBraceComment, rsBraceCommentAsm, rsProperty, rsExports,
        rsUnknown,
    };

    TZefPasSyn();

    TZefHighlighterCapabilities GetCapabilities() const override;
    bool IsFilterStored() const override;
    // The kind as the asm block reports it.
    int GetTokenKind() const override;
    TZefHighlighterAttributes* GetTokenAttribute() const override;
    // A line's end state without its tokens (ZefHighlighterPasRanges.cpp).
    void ScanLineRange(std::string_view line, int lineIndex) override;

    TDelphiVersion DelphiVersion() const { return version_; }
    // Below dvDelphi3 also clears PackageSource.
    void SetDelphiVersion(TDelphiVersion value);
    bool PackageSource() const { return packageSource_; }
    // Raises the version to dvDelphi3 when it is below.
    void SetPackageSource(bool value);

    TZefHighlighterAttributes *AsmAttri, *CommentAttri, *DirectiveAttri, *IdentifierAttri, *KeyAttri, *NumberAttri,
        *FloatAttri, *HexAttri, *SpaceAttri, *StringAttri, *CharAttri, *SymbolAttri;

protected:
    void ScanToken() override;
    bool ScanInRange(TZefRangeState range) override;

private:
    int Word(TZefScanCursor& cursor);
    // A comment from its opener ("{" or "(*") to its closer on this line, or to the line end.
    int Comment(TZefScanCursor& cursor, size_t openerLength, TZefRangeState plain, TZefRangeState inAsm);

    TDelphiVersion version_ = dvDelphi6;
    bool packageSource_ = true;
    bool asmStart_ = false; // the current token is the asm keyword itself
};
