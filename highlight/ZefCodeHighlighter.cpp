// The shared attribute set and common rules of the programming languages.
#include "ZefCodeHighlighter.h"

TZefCodeHighlighter::TZefCodeHighlighter(const TLook& look, TZefRangeState initialRange)
    : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier, initialRange)
{
    AddAttributes({{&CommentAttri, "Comment", clNone, look.commentStyle}, {&IdentifierAttri, "Identifier"},
                   {&KeyAttri, look.keyName, clNone, look.keyStyle}, {&NumberAttri, "Number"}, {&SpaceAttri, "Space"},
                   {&StringAttri, "String"}, {&SymbolAttri, "Symbol"}});
    DeclareKinds({{tkComment, "comment", CommentAttri}, {tkIdentifier, "ident", IdentifierAttri}, {tkKey, "key", KeyAttri},
                  {tkNumber, "number", NumberAttri}, {tkSpace, "space", SpaceAttri}, {tkString, "string", StringAttri},
                  {tkSymbol, "symbol", SymbolAttri}, {tkUnknown, "unknown", IdentifierAttri}});
    SetDefaultAttributes({CommentAttri, IdentifierAttri, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});
}

void TZefCodeHighlighter::AddCommonRules(const TZefCharSet& numberBody, const TZefCharSet& symbols)
{
    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.Words(zefchars::StandardIdentChars() - zefchars::Digits());
    rules.Number(zefchars::Digits(), numberBody, tkNumber);
    rules.Single(symbols, tkSymbol);
}
