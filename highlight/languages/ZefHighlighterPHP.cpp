// The PHP highlighter's keywords, rules and string states.
#include "ZefHighlighterPHP.h"

#include "ZefScanRecognizers.h"

namespace {

// The words of PHP 4, then namespace, use, trait, yield, fn and match.
constexpr std::string_view kKeywords =
    "__FILE__, __LINE__, and, array, break, case, cfunction, class, const, continue, default, die, do, double, "
    "echo, else, elseif, empty, endfor, endif, endswitch, endwhile, eval, exit, extends, false, float, for, "
    "function, global, highlight_file, highlight_string, if, include, int, integer, isset, list, new, object, "
    "old_function, or, print, real, require, return, show_source, static, string, switch, true, unset, var, while, "
    "xor, namespace, use, trait, yield, fn, match";

constexpr TZefCharSet kIdentChars = zefchars::StandardIdentChars();
constexpr TZefCharSet kNumberBody = zefchars::HexDigits().Add('.').Add('-').Add('L').Add('X').Add('l').Add('x');

bool IdentAt(const TZefScanCursor& cursor, size_t offset)
{
    const int c = cursor.Peek(offset);
    return c != TZefScanCursor::kEnd && kIdentChars.Contains(static_cast<unsigned char>(c));
}

} // namespace

TZefPHPSyn::TZefPHPSyn() : TZefCodeHighlighter(TLook{}, rsNormal)
{
    SetNames("TZefPHPSyn", "PHP");
    AddAttributes({{&VariableAttri, "Variable"}});
    DeclareKinds({{tkVariable, "variable", VariableAttri}});
    SetLetterKeywords(kBucketCount, kKeywords, tkKey);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.LineComment("#", tkComment);
    rules.LineComment("//", tkComment);
    rules.BlockComment("/*", "*/", tkComment, rsComment);
    rules.Prefixed("$", kIdentChars, tkVariable);
    rules.Words(kIdentChars - zefchars::Digits());
    rules.Custom(zefchars::Digits(), [](TZefScanCursor& cursor) {
        zefscan::ScanSignedExponentNumber(cursor, kNumberBody);
        return tkNumber;
    });
    rules.Operators({"&&", "&=", "&", "==", "=>", "=", ">=", ">>", ">", "<<=", "<<", "<=", "<", "--", "-=", "->", "-",
                     "++", "+=", "+", "||", "|=", "|", "*=", "*", "!=", "!", "%=", "%", "^=", "^", "/=", "/", "@",
                     "{", "}", ":", ",", ".", "?", "(", ")", ";", "[", "]", "~"},
                    tkSymbol);
    for (const TZefRangeState range : {rsSingleString, rsDoubleString}) DeclareRange(range);
    SetSample("<?php\r\n# Sample\r\n$name = 'World'; // a comment\r\n/* a block comment */\r\n"
              "function hello($who) {\r\n  echo \"Hello {$who['first']} and $who->last\\n\";\r\n"
              "  return 1.5e-3;\r\n}\r\n?>\r\n");
    FinishConstruction("PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc");
}

void TZefPHPSyn::ScanToken()
{
    TZefScanCursor& cursor = Cursor();
    if (Range() == rsNormal && (cursor.Current() == '"' || cursor.Current() == '\'')) {
        const char quote = static_cast<char>(cursor.Current());
        cursor.Advance();
        Enter(quote == '"' ? rsDoubleString : rsSingleString);
        StringToken(quote);
        return;
    }
    TZefCodeHighlighter::ScanToken();
}

bool TZefPHPSyn::ScanInRange(TZefRangeState range)
{
    switch (range) {
    case rsSingleString: StringToken('\''); return true;
    case rsDoubleString: StringToken('"'); return true;
    case rsStringVariable: StringVariableToken(); return true;
    default: return false;
    }
}

void TZefPHPSyn::StringToken(char quote)
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkString);
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (c == '\\') {
            cursor.Advance(2);
            continue;
        }
        if (c == static_cast<unsigned char>(quote)) {
            cursor.Advance();
            Enter(rsNormal);
            return;
        }
        if (quote == '"') {
            const bool dollarAt0 = c == '$' && (cursor.Peek(1) == '{' || IdentAt(cursor, 1));
            const bool braceDollar = c == '{' && cursor.Peek(1) == '$' && (cursor.Peek(2) == '{' || IdentAt(cursor, 2));
            if (dollarAt0 || braceDollar) {
                Enter(rsStringVariable);
                // A variable right at the string's start (or right after another) gives no empty String token.
                if (cursor.TokenLength() == 0) RescanInNewState();
                return;
            }
        }
        cursor.Advance();
    }
}

void TZefPHPSyn::StringVariableToken()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkVariable);
    Enter(rsDoubleString);
    if (cursor.Current() == '{' || cursor.Peek(1) == '{') {
        // Through the matching brace on this line, never past a double quote.
        int depth = 0;
        while (!cursor.AtEnd() && cursor.Current() != '"') {
            const unsigned char c = cursor.Current();
            cursor.Advance();
            if (c == '{') ++depth;
            if (c == '}' && --depth <= 0) return;
        }
        return;
    }
    cursor.Advance();
    cursor.SkipWhile(kIdentChars);
    while (SkipVariableSuffix()) {
    }
}

bool TZefPHPSyn::SkipVariableSuffix()
{
    TZefScanCursor& cursor = Cursor();
    if (cursor.AtEnd()) return false;
    const std::string_view line = cursor.Line();
    const size_t run = cursor.Run();
    if (cursor.LookingAt("['")) {
        const size_t close = line.find("']", run + 2);
        if (close == std::string_view::npos || line.substr(run, close - run).find('"') != std::string_view::npos)
            return false;
        cursor.SetRun(close + 2);
        return true;
    }
    if (cursor.Current() == '[') {
        size_t end = run + 1;
        if (end < line.size() && line[end] == '$') ++end;
        const size_t nameStart = end;
        while (end < line.size() && kIdentChars.Contains(static_cast<unsigned char>(line[end]))) ++end;
        if (end == nameStart || end >= line.size() || line[end] != ']') return false;
        cursor.SetRun(end + 1);
        return true;
    }
    if (cursor.LookingAt("->") && IdentAt(cursor, 2)) {
        cursor.Advance(2);
        cursor.SkipWhile(kIdentChars);
        return true;
    }
    return false;
}
