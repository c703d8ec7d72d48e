// The Borland form file highlighter's keys and rules.
#include "ZefHighlighterDfm.h"

TZefDfmSyn::TZefDfmSyn() : TZefCodeHighlighter(TLook{.keyName = "Key"}, rsUnknown)
{
    SetNames("TZefDfmSyn", "Borland Forms");
    SetKeywords(std::make_unique<TZefSortedKeywordLookup>(tkIdentifier));
    Keywords()->AddGroup("end, object, inherited", tkKey);
    TZefScanRules& rules = Rules();
    rules.BlockComment("{", "}", tkComment, rsComment);
    rules.Quoted('\'', tkString);
    rules.Prefixed("#", zefchars::Digits(), tkString);
    rules.Prefixed("$", zefchars::HexDigits(), tkNumber);
    AddCommonRules(zefchars::Digits().Add('.').Add('e').Add('E'), TZefCharSet("(),./<=>[]"));
    SetSample("object Form1: TForm1\r\n  Caption = 'Hello'#13'World'\r\n  Color = $00FF00\r\n  { a comment }\r\n"
              "  Width = 320\r\nend\r\n");
    FinishConstruction("Borland Form Files (*.dfm;*.xfm)|*.dfm;*.xfm", TScanBy::Rules);
}
