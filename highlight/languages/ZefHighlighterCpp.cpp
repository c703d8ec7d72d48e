// The C++ highlighter's keywords, number classifier and line-spanning states.
#include "ZefHighlighterCpp.h"

#include "DoubleByte.h"
#include "ZefKeywordLookup.h"
#include "ZefScanRecognizers.h"

namespace {

// The words of C++ and of its Borland and Microsoft extensions, then those C++11 to C++20 reserved.
constexpr std::string_view kKeywords =
    "__asm, __automated, __cdecl, __classid, __closure, __declspec, __dispid, __except, __export, __fastcall, "
    "__finally, __import, __int16, __int32, __int64, __int8, __pascal, __property, __published, __rtti, "
    "__stdcall, __thread, __try, _asm, _cdecl, _export, _fastcall, _import, _pascal, _stdcall, asm, auto, bool, "
    "break, case, catch, cdecl, char, class, const, const_cast, continue, default, delete, do, double, "
    "dynamic_cast, else, enum, explicit, extern, false, float, for, friend, goto, if, inline, int, long, mutable, "
    "namespace, new, operator, pascal, private, protected, public, register, reinterpret_cast, return, short, "
    "signed, sizeof, static, static_cast, struct, switch, template, this, throw, true, try, typedef, typeid, "
    "typename, union, unsigned, using, virtual, void, volatile, wchar_t, while, "
    "nullptr, constexpr, noexcept, override, final, static_assert, decltype, alignas, alignof, thread_local, "
    "char8_t, char16_t, char32_t, concept, requires, co_await, co_yield, co_return, consteval, constinit";

constexpr TZefCharSet kWordStart = TZefCharSet("_").AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kWordChars = TZefCharSet(kWordStart).AddRange('0', '9');
constexpr TZefCharSet kDigits = zefchars::Digits();
constexpr TZefCharSet kHexDigits = zefchars::HexDigits();
// Nothing in a preprocessor line but "/" can start a comment: the rest is passed in runs.
constexpr TZefCharSet kDirectiveStops = TZefCharSet("/");

// Letters "A".."Z" 1..26, "a".."z" 2..27, digits and "_" 0; the words compare by their characters.
TZefKeyHashTables CppHashTables()
{
    TZefKeyHashTables tables;
    tables.ident = kWordChars;
    for (int c = 0; c < 26; ++c) {
        tables.value[static_cast<size_t>('A' + c)] = static_cast<uint16_t>(c + 1);
        tables.value[static_cast<size_t>('a' + c)] = static_cast<uint16_t>(c + 2);
    }
    return tables;
}

// The symbols that may be longer than one character; the others are one-character tokens.
const zefscan::TZefOperatorTable kOperators{"!=", "!", "%=", "%", "&&", "&=", "&", "*=", "*", "++", "+=", "+", "--",
                                            "-=", "->", "-", "...", ".", "/=", "/", "::", ":", "<<=", "<<", "<=", "<",
                                            "==", "=", ">>=", ">>", ">=", ">", "^=", "^", "||", "|=", "|"};

// What a token starting with a character can be; the scanner dispatches on it once per token.
enum TCharClass : uint8_t { ccIllegal, ccSpace, ccLineBreak, ccWord, ccDigit, ccDot, ccSlash, ccQuote, ccApostrophe,
                            ccHash, ccOperator, ccSingle };

constexpr std::array<uint8_t, 256> MakeCharClasses()
{
    std::array<uint8_t, 256> classes{};
    for (int c = 1; c <= 32; ++c) classes[static_cast<size_t>(c)] = ccSpace;
    classes['\r'] = classes['\n'] = ccLineBreak;
    for (int c = 0; c < 256; ++c) {
        if (kWordStart.Contains(static_cast<unsigned char>(c))) classes[static_cast<size_t>(c)] = ccWord;
    }
    for (int c = '0'; c <= '9'; ++c) classes[static_cast<size_t>(c)] = ccDigit;
    for (const char c : std::string_view("!%&*+-:<=>^|")) classes[static_cast<unsigned char>(c)] = ccOperator;
    for (const char c : std::string_view("(),;?[]{}~")) classes[static_cast<unsigned char>(c)] = ccSingle;
    classes['.'] = ccDot;
    classes['/'] = ccSlash;
    classes['"'] = ccQuote;
    classes['\''] = ccApostrophe;
    classes['#'] = ccHash;
    return classes;
}
constexpr std::array<uint8_t, 256> kCharClasses = MakeCharClasses();

// A string's or character literal's body through its closing quote (answers true), or to the line end; a
// backslash takes a quote or a backslash after it with it.
bool SkipLiteralBody(TZefScanCursor& cursor, char quote)
{
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (c == '\\' && (cursor.Peek(1) == quote || cursor.Peek(1) == '\\')) {
            cursor.Advance(2);
            continue;
        }
        cursor.Advance();
        if (c == static_cast<unsigned char>(quote)) return true;
    }
    return false;
}

bool IsAsmKeyword(std::string_view word) { return word == "asm" || word == "_asm" || word == "__asm"; }

} // namespace

TZefCppSyn::TZefCppSyn() : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier, rsNormal)
{
    SetNames("TZefCppSyn", "C++");
    AddAttributes({{&AsmAttri, "Assembler"}, {&CommentAttri, "Comment", clNone, fsItalic}, {&IdentifierAttri, "Identifier"},
                   {&InvalidAttri, "Illegal Char"}, {&KeyAttri, "Reserved Word", clNone, fsBold}, {&NumberAttri, "Number"},
                   {&CharAttri, "Character"}, {&FloatAttri, "Float"}, {&HexAttri, "Hexadecimal"}, {&OctalAttri, "Octal"},
                   {&SpaceAttri, "Space", clWindow}, {&StringAttri, "String"}, {&SymbolAttri, "Symbol"},
                   {&DirecAttri, "Preprocessor"}});
    DeclareKinds({{tkAsm, "asm", AsmAttri}, {tkComment, "comment", CommentAttri}, {tkDirective, "directive", DirecAttri},
                  {tkIdentifier, "ident", IdentifierAttri}, {tkKey, "key", KeyAttri}, {tkNumber, "number", NumberAttri},
                  {tkSpace, "space", SpaceAttri}, {tkString, "string", StringAttri}, {tkSymbol, "symbol", SymbolAttri},
                  {tkUnknown, "illegal", InvalidAttri}, {tkChar, "char", CharAttri}, {tkFloat, "float", FloatAttri},
                  {tkHex, "hex", HexAttri}, {tkOctal, "octal", OctalAttri}});
    attributes_ = {AsmAttri, CommentAttri, DirecAttri, IdentifierAttri, KeyAttri, nullptr, NumberAttri, SpaceAttri,
                   StringAttri, SymbolAttri, InvalidAttri, CharAttri, FloatAttri, HexAttri, OctalAttri};
    SetDefaultAttributes({CommentAttri, IdentifierAttri, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});
    auto keywords =
        std::make_unique<TZefBucketKeywordLookup>(CppHashTables(), kBucketCount, tkIdentifier, TZefKeyMatch::Characters);
    keywords->AddGroup(kKeywords, tkKey);
    keywords_ = &keywords->Buckets();
    SetKeywords(std::move(keywords));
    for (const TZefRangeState range : {rsComment, rsAsmComment, rsAsmBlockComment, rsAsm, rsAsmBlock,
                                       rsDirectiveComment, rsMultiLineString, rsMultiLineDirective})
        DeclareRange(range);
    SetSample("// Syntax highlighting\r\n#include <stdio.h>\r\n\r\nint main(int argc, char* argv[])\r\n{\r\n"
              "  /* a block comment */\r\n  double d = 1.5e-3; long h = 0x1F;\r\n  char c = 'x';\r\n"
              "  asm mov eax, 1;\r\n  printf(\"Hello %d\\n\", argc);\r\n  return 0;\r\n}\r\n");
    FinishConstruction("C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp");
}

int TZefCppSyn::GetTokenKind() const
{
    const int kind = TZefTableHighlighter::GetTokenKind();
    const TZefRangeState range = Range();
    if (!asmStart_ && (range == rsAsm || range == rsAsmBlock) && kind != tkComment && kind != tkNull &&
        kind != tkSpace)
        return tkAsm;
    return kind;
}

TZefHighlighterAttributes* TZefCppSyn::GetTokenAttribute() const
{
    const int kind = GetTokenKind();
    return kind >= 0 && static_cast<size_t>(kind) < attributes_.size() ? attributes_[static_cast<size_t>(kind)] : nullptr;
}

void TZefCppSyn::SetLine(std::string_view line, int lineIndex)
{
    asmStart_ = false;
    asmKeywordLast_ = false;
    commentOpener_ = std::string_view::npos;
    TZefTableHighlighter::SetLine(line, lineIndex);
}

void TZefCppSyn::ScanLineEnd()
{
    asmStart_ = false;
    const TZefRangeState range = Range();
    // A blank line has no backslash to continue anything.
    if (Cursor().Line().empty() && (range == rsMultiLineString || range == rsMultiLineDirective)) Enter(rsNormal);
    if (range == rsAsm && !asmKeywordLast_) Enter(rsNormal);
}

void TZefCppSyn::Next()
{
    TZefScanCursor& cursor = Cursor();
    if (Range() != rsNormal || cursor.AtEnd()) {
        TZefTableHighlighter::Next();
        return;
    }
    // Before the line end no end-of-line token can be current. A token of ordinary code takes at least a
    // character, but for a directive that only changes the state: the guards then scan again.
    cursor.StartToken();
    TZefCppSyn::ScanToken();
    if (cursor.TokenLength() == 0) ScanAndGuard();
}

void TZefCppSyn::ScanToken()
{
    TZefScanCursor& cursor = Cursor();
    asmStart_ = false;
    switch (Range()) {
    case rsComment:
    case rsAsmComment:
    case rsAsmBlockComment: BlockComment(false); return;
    case rsDirectiveComment: BlockComment(cursor.Run() == commentOpener_); return;
    case rsMultiLineString: StringToken(false); return;
    case rsMultiLineDirective: Directive(); return;
    default: break;
    }
    const unsigned char c = cursor.Current();
    switch (kCharClasses[c]) {
    case ccSpace: {
        // By the class table rather than a set: blanks are every other token.
        const std::string_view line = cursor.Line();
        size_t end = cursor.Run() + 1;
        while (end < line.size() && kCharClasses[static_cast<unsigned char>(line[end])] == ccSpace) ++end;
        cursor.SetRun(end);
        SetTokenKind(tkSpace);
        return;
    }
    case ccLineBreak:
        cursor.Advance();
        SetTokenKind(tkSpace);
        return;
    case ccSlash:
        if (cursor.Peek(1) == '/') {
            cursor.SkipToEnd();
            SetTokenKind(tkComment);
            return;
        }
        if (cursor.Peek(1) == '*') {
            BlockComment(true);
            return;
        }
        break;
    default: break;
    }
    // Any token but blanks and comments ends a line's "asm at the end" (the keyword sets it again).
    asmKeywordLast_ = false;
    switch (kCharClasses[c]) {
    case ccWord: WordToken(); return;
    case ccDigit: NumberToken(); return;
    case ccDot:
        if (cursor.Peek(1) >= '0' && cursor.Peek(1) <= '9') {
            NumberToken();
        } else {
            SymbolToken();
        }
        return;
    case ccQuote: StringToken(true); return;
    case ccApostrophe: CharToken(); return;
    case ccHash: {
        const std::string_view before = cursor.Line().substr(0, cursor.Run());
        if (before.find_first_not_of(" \t") == std::string_view::npos) {
            Directive();
            return;
        }
        cursor.Advance();
        SetTokenKind(tkUnknown);
        return;
    }
    case ccSingle:
        cursor.Advance();
        SetTokenKind(tkSymbol);
        AsmBrace(c);
        return;
    case ccOperator:
    case ccSlash: SymbolToken(); return;
    default:
        // "@", "$", backslash, backquote, NUL and 127..255; a lead byte takes its trail byte.
        cursor.Advance(dbcs::IsLeadByte(c) && cursor.Peek(1) != TZefScanCursor::kEnd ? 2 : 1);
        SetTokenKind(tkUnknown);
        return;
    }
}

void TZefCppSyn::BlockComment(bool opening)
{
    TZefScanCursor& cursor = Cursor();
    TZefRangeState range = Range();
    if (opening) {
        cursor.Advance(2);
        if (range == rsAsm) range = rsAsmComment;
        else if (range == rsAsmBlock) range = rsAsmBlockComment;
        else if (range != rsDirectiveComment) range = rsComment;
    }
    SetTokenKind(tkComment);
    if (!cursor.SkipPast("*/")) {
        Enter(range);
        return;
    }
    switch (range) {
    case rsAsmComment: Enter(rsAsm); break;
    case rsAsmBlockComment: Enter(rsAsmBlock); break;
    case rsDirectiveComment: Enter(cursor.AtEnd() ? rsNormal : rsMultiLineDirective); break;
    default: Enter(rsNormal); break;
    }
}

void TZefCppSyn::Directive()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkDirective);
    for (;;) {
        cursor.SkipUntil(kDirectiveStops);
        if (cursor.AtEnd()) break;
        if (cursor.Peek(1) == '/' || cursor.Peek(1) == '*') {
            const bool block = cursor.Peek(1) == '*';
            if (block) commentOpener_ = cursor.Run();
            Enter(block ? rsDirectiveComment : rsNormal);
            // A continued line that starts with the comment gives no directive token.
            if (cursor.TokenLength() == 0) RescanInNewState();
            return;
        }
        cursor.Advance();
    }
    const std::string_view line = cursor.Line();
    Enter(!line.empty() && line.back() == '\\' ? rsMultiLineDirective : rsNormal);
}

void TZefCppSyn::StringToken(bool opening)
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkString);
    if (opening) cursor.Advance();
    if (SkipLiteralBody(cursor, '"')) {
        if (Range() == rsMultiLineString) Enter(rsNormal);
        return;
    }
    const std::string_view line = cursor.Line();
    if (!line.empty() && line.back() == '\\') {
        Enter(rsMultiLineString);
    } else if (Range() == rsMultiLineString) {
        Enter(rsNormal);
    }
}

void TZefCppSyn::CharToken()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(tkChar);
    cursor.Advance();
    SkipLiteralBody(cursor, '\'');
}

void TZefCppSyn::WordToken()
{
    TZefScanCursor& cursor = Cursor();
    const TZefKeyHashTables& tables = keywords_->Tables();
    const std::string_view line = cursor.Line();
    size_t end = cursor.Run();
    uint32_t hash = 0;
    do {
        hash += tables.value[static_cast<unsigned char>(line[end])];
        ++end;
    } while (end < line.size() && kWordChars.Contains(static_cast<unsigned char>(line[end])));
    cursor.SetRun(end);
    const int kind = keywords_->KindOfHashed(hash, cursor.Token());
    SetTokenKind(kind);
    if (kind == tkKey && IsAsmKeyword(cursor.Token()) && Range() != rsAsmBlock) {
        Enter(rsAsm);
        asmStart_ = true;
        asmKeywordLast_ = true;
    }
}

void TZefCppSyn::SymbolToken()
{
    TZefScanCursor& cursor = Cursor();
    kOperators.Scan(cursor);
    SetTokenKind(tkSymbol);
}

void TZefCppSyn::AsmBrace(unsigned char c)
{
    const TZefRangeState range = Range();
    if (range == rsAsm && c == '{') {
        Enter(rsAsmBlock);
        asmStart_ = true;
    } else if ((range == rsAsm && c == ';') || (range == rsAsmBlock && c == '}')) {
        Enter(rsNormal);
    }
}

void TZefCppSyn::NumberToken()
{
    TZefScanCursor& cursor = Cursor();
    const size_t start = cursor.Run();
    const bool leadingZero = cursor.Current() == '0';
    int kind = tkNumber;
    bool illegal = false;
    bool seenE = false;
    bool seenF = false;
    bool seenL = false;
    bool seenU = false;
    const auto peekIn = [&cursor](size_t offset, const TZefCharSet& set) {
        const int c = cursor.Peek(offset);
        return c != TZefScanCursor::kEnd && set.Contains(static_cast<unsigned char>(c));
    };
    if (cursor.Current() == '.') {
        kind = tkFloat;
    } else if (leadingZero && peekIn(1, TZefCharSet().AddRange('0', '7'))) {
        kind = tkOctal;
    } else if (leadingZero && (cursor.Peek(1) == 'x' || cursor.Peek(1) == 'X') && peekIn(2, kHexDigits)) {
        kind = tkHex;
        cursor.Advance();
    }
    cursor.Advance();
    for (bool more = true; more && !cursor.AtEnd();) {
        const unsigned char c = cursor.Current();
        const int before = cursor.PeekBefore();
        const size_t position = cursor.Run() - start;
        switch (c) {
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': case '8': case '9':
            if ((c == '8' || c == '9') && leadingZero && kind != tkHex && kind != tkFloat) illegal = true;
            cursor.Advance();
            break;
        case '.':
            if (cursor.Peek(1) == '.' || kind == tkHex) {
                more = false;
            } else {
                if (kind == tkFloat) illegal = true;
                kind = tkFloat;
                cursor.Advance();
            }
            break;
        case 'e': case 'E':
            if (kind == tkHex) {
                cursor.Advance();
            } else if (kDigits.Contains(static_cast<unsigned char>(before)) &&
                       (cursor.Peek(1) == '+' || cursor.Peek(1) == '-' || peekIn(1, kDigits))) {
                if (seenE) illegal = true;
                seenE = true;
                kind = tkFloat;
                cursor.Advance();
            } else {
                more = false;
            }
            break;
        case '+': case '-':
            if ((before == 'e' || before == 'E') && kind == tkFloat && seenE) {
                cursor.Advance();
                if (!peekIn(0, kDigits)) illegal = true;
            } else {
                more = false;
            }
            break;
        case 'a': case 'b': case 'c': case 'd': case 'A': case 'B': case 'C': case 'D':
            if (kind == tkHex) cursor.Advance();
            else more = false;
            break;
        case 'f': case 'F':
            if (kind == tkHex) {
                cursor.Advance();
            } else if (kind == tkFloat && (before == 'l' || before == 'L')) {
                more = false;
            } else {
                if (seenF) illegal = true;
                seenF = true;
                kind = tkFloat;
                cursor.Advance();
            }
            break;
        case 'l': case 'L':
            if (kind == tkFloat && (before == 'f' || before == 'F')) {
                more = false;
            } else {
                if (seenL) illegal = true;
                seenL = true;
                cursor.Advance();
            }
            break;
        case 'u': case 'U':
            if (seenU || kind == tkFloat) illegal = true;
            seenU = true;
            cursor.Advance();
            break;
        case 'x': case 'X':
            // "0x" without a hex digit, or "1x": the x joins an illegal token when nothing word-like follows.
            if (position == 1 && !peekIn(1, kWordChars)) {
                cursor.Advance();
                illegal = true;
            }
            more = false;
            break;
        default: more = false; break;
        }
    }
    if (peekIn(0, kWordStart)) illegal = true;
    SetTokenKind(illegal ? tkUnknown : kind);
}
