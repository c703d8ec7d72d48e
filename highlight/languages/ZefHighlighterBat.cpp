// The MS-DOS batch file highlighter's attributes, keywords and rules.
#include "ZefHighlighterBat.h"

namespace {

constexpr int kBucketCount = 131;

constexpr std::string_view kKeywords =
    "call, cd, cls, copy, del, do, echo, errorlevel, exist, for, goto, if, in, not, off, on, pause, set, shift, "
    "start, title";

constexpr TZefCharSet kVariableBody = TZefCharSet().AddRange('0', '9').AddRange('A', 'Z').Add('_').AddRange('a', 'z');

} // namespace

TZefBatSyn::TZefBatSyn() : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier)
{
    SetNames("TZefBatSyn", "MS-DOS Batch");
    AddAttributes({{&CommentAttri, "Comment", clNavy, fsItalic}, {&IdentifierAttri, "Identifier"}, {&KeyAttri, "Key", clNone, fsBold},
                   {&NumberAttri, "Number", clBlue}, {&SpaceAttri, "Space"}, {&VariableAttri, "Variable", clGreen}});
    DeclareKinds({{tkComment, "comment", CommentAttri}, {tkIdentifier, "ident", IdentifierAttri}, {tkKey, "key", KeyAttri},
                  {tkNumber, "number", NumberAttri}, {tkSpace, "space", SpaceAttri}, {tkUnknown, "unknown", IdentifierAttri},
                  {tkVariable, "variable", VariableAttri}});
    SetDefaultAttributes({CommentAttri, IdentifierAttri, KeyAttri, nullptr, SpaceAttri, nullptr});

    SetLetterKeywords(kBucketCount, kKeywords, tkKey);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.LineComment("::", tkComment);
    rules.Run(TZefCharSet(":"), GetIdentChars(), tkIdentifier);
    rules.CommentWord("rem", TZefCharSet().AddRange(0, 32), tkComment);
    rules.Words(GetIdentChars() - zefchars::Digits());
    rules.Number(zefchars::Digits(), zefchars::Digits(), tkNumber);
    rules.Prefixed("%%~", kVariableBody, tkVariable);
    rules.Prefixed("%%", kVariableBody, tkVariable);
    rules.Prefixed("%~", kVariableBody, tkVariable);
    rules.Prefixed("%", kVariableBody, tkVariable, '%');

    SetSample(":: Sample\r\n@echo off\r\nrem a comment\r\nset PATH=%PATH%;C:\\bin\r\nfor %%i in (*.txt) do copy %%i %~dp0\r\n"
              "if errorlevel 1 goto end\r\n:end\r\n");
    FinishConstruction("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd", TScanBy::Rules);
}
