// The INI file highlighter's attributes and rules.
#include "ZefHighlighterIni.h"

namespace {

constexpr TZefCharSet kDigits = zefchars::Digits();
// What a value's text and a number turned text run over.
constexpr TZefCharSet kLettersAndDigits = zefchars::StandardIdentChars().Remove('_');
// The characters that have a rule of their own; any other starts a key in the first column and text elsewhere.
constexpr TZefCharSet kHandled = TZefCharSet("\"'=;[").AddRange(0, 32);

// Digits, ".", "e" and "E" (stopping before ".."); a letter right after makes the whole run text.
int NumberOrText(TZefScanCursor& cursor)
{
    static constexpr TZefCharSet kNumberBody = zefchars::Digits().Add('.').Add('e').Add('E');
    cursor.Advance();
    while (!cursor.AtEnd() && kNumberBody.Contains(cursor.Current())) {
        if (cursor.Current() == '.' && cursor.Peek(1) == '.') break;
        cursor.Advance();
    }
    if (cursor.AtEnd() || !kLettersAndDigits.Contains(cursor.Current()) || kDigits.Contains(cursor.Current()))
        return TZefIniSyn::tkNumber;
    cursor.SkipWhile(kLettersAndDigits);
    return TZefIniSyn::tkText;
}

} // namespace

TZefIniSyn::TZefIniSyn() : TZefTableHighlighter(tkNull, tkUnknown, tkText)
{
    SetNames("TZefIniSyn", "INI File");
    AddAttributes({{&CommentAttri, "Comment", clGreen, fsItalic}, {&TextAttri, "Text"}, {&SectionAttri, "Section", clNone, fsBold},
                   {&KeyAttri, "Key"}, {&NumberAttri, "Number"}, {&SpaceAttri, "Space"}, {&StringAttri, "String"},
                   {&SymbolAttri, "Symbol"}});
    DeclareKinds({{tkComment, "comment", CommentAttri}, {tkText, "text", TextAttri}, {tkSection, "section", SectionAttri},
                  {tkKey, "key", KeyAttri}, {tkNumber, "number", NumberAttri}, {tkSpace, "space", SpaceAttri},
                  {tkString, "string", StringAttri}, {tkSymbol, "symbol", SymbolAttri}, {tkUnknown, "unknown", TextAttri}});
    SetDefaultAttributes({CommentAttri, nullptr, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.LineComment(";", tkComment, TZefWhere::Column1);
    rules.Delimited('[', ']', tkSection, TZefUnclosed::ToLineEnd, TZefWhere::Column1);
    rules.Single(TZefCharSet(";["), tkText);
    rules.Single(TZefCharSet("="), tkSymbol);
    rules.Quoted('"', tkString, TZefEscape::TripleQuoteSkip);
    rules.Quoted('\'', tkString, TZefEscape::TripleQuoteSkip);
    rules.RunUntil(TZefCharSet().AddRange(0, 255) - kHandled, TZefCharSet("="), tkKey, TZefWhere::Column1);
    rules.Custom(kDigits, NumberOrText);
    rules.Run(TZefCharSet().AddRange(0, 255) - kHandled, kLettersAndDigits, tkText);

    SetSample("; Sample\r\n[Section]\r\nKey=value 12 3.5e2 4ab\r\nQuoted=\"text\" 'more'\r\n");
    FinishConstruction("INI Files (*.ini)|*.ini", TScanBy::Rules);
}
