// The Object Pascal highlighter's keyword groups, context rules and comment states.
#include "ZefHighlighterPas.h"

namespace {

constexpr int kBucketCount = 192;
constexpr const char* kFilter = "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc";

// Keywords in every context.
constexpr std::string_view kKeywords =
    "absolute, abstract, and, array, as, assembler, begin, case, class, const, constructor, default, destructor, "
    "div, do, downto, dynamic, else, except, export, external, far, file, finally, for, forward, function, goto, "
    "if, implementation, in, inherited, initialization, inline, interface, is, label, library, message, mod, near, "
    "nil, not, object, of, on, or, out, override, packed, pascal, private, procedure, program, protected, public, "
    "published, raise, record, register, repeat, set, shl, shr, string, then, to, try, type, unit, until, uses, "
    "var, virtual, while, with, xor";

// The lookup answers these codes for the words whose keyword status or effect depends on something; every
// other keyword answers tkKey.
enum TWordCode : int {
    kInProperty = 100, kInPropertyD3, kInPropertyD4, kInPropertyOrExports, kInExports, kFromD2, kFromD3, kFromD4,
    kFromD6, kInPackage, kAsm, kEnd, kProperty, kExports,
};

struct TWordGroup {
    std::string_view words;
    TWordCode code;
};
constexpr TWordGroup kWordGroups[] = {
    {"read, write, stored, nodefault", kInProperty},
    {"readonly, writeonly", kInPropertyD3},
    {"implements", kInPropertyD4},
    {"index", kInPropertyOrExports},
    {"name", kInExports},
    {"cdecl, stdcall, finalization", kFromD2},
    {"safecall, dispid, threadvar, automated, dispinterface, resourcestring, stringresource", kFromD3},
    {"overload, reintroduce", kFromD4},
    {"deprecated, platform", kFromD6},
    {"package, contains, requires", kInPackage},
    {"asm", kAsm},
    {"end", kEnd},
    {"property", kProperty},
    {"exports", kExports},
};

constexpr TZefCharSet kWordChars = TZefCharSet("_").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kDigits = zefchars::Digits();
constexpr TZefCharSet kHexDigits = zefchars::HexDigits();

// Digits, a fraction and an exponent: "." (not before another ".") and "e" make it a float, and a sign may
// follow the "e" of a float.
int Number(TZefScanCursor& cursor)
{
    int kind = TZefPasSyn::tkNumber;
    cursor.Advance();
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (c == '.') {
            if (cursor.Peek(1) == '.') break;
            kind = TZefPasSyn::tkFloat;
        } else if (c == 'e' || c == 'E') {
            kind = TZefPasSyn::tkFloat;
        } else if (c == '+' || c == '-') {
            const int before = cursor.PeekBefore();
            if (kind != TZefPasSyn::tkFloat || (before != 'e' && before != 'E')) break;
        } else if (!kDigits.Contains(c)) {
            break;
        }
        cursor.Advance();
    }
    return kind;
}

// To the next single quote that no second quote follows, or to the line end.
int String(TZefScanCursor& cursor)
{
    cursor.Advance();
    while (!cursor.AtEnd()) {
        const bool quote = cursor.Current() == '\'';
        if (quote && cursor.Peek(1) == '\'') {
            cursor.Advance(2);
            continue;
        }
        cursor.Advance();
        if (quote) break;
    }
    return TZefPasSyn::tkString;
}

} // namespace

TZefPasSyn::TZefPasSyn() : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier, rsUnknown)
{
    SetNames("TZefPasSyn", "Object Pascal");
    AddAttributes({{&AsmAttri, "Assembler"}, {&CommentAttri, "Comment", clNone, fsItalic},
                   {&DirectiveAttri, "Preprocessor", clNone, fsItalic}, {&IdentifierAttri, "Identifier"},
                   {&KeyAttri, "Reserved Word", clNone, fsBold}, {&NumberAttri, "Number"}, {&FloatAttri, "Float"},
                   {&HexAttri, "Hexadecimal"}, {&SpaceAttri, "Space"}, {&StringAttri, "String"},
                   {&CharAttri, "Character"}, {&SymbolAttri, "Symbol"}});
    DeclareKinds({{tkAsm, "asm", AsmAttri}, {tkComment, "comment", CommentAttri}, {tkIdentifier, "ident", IdentifierAttri},
                  {tkKey, "key", KeyAttri}, {tkNumber, "number", NumberAttri}, {tkSpace, "space", SpaceAttri},
                  {tkString, "string", StringAttri}, {tkSymbol, "symbol", SymbolAttri},
                  {tkUnknown, "unknown", SymbolAttri}, {tkFloat, "float", FloatAttri}, {tkHex, "hex", HexAttri},
                  {tkDirective, "directive", DirectiveAttri}, {tkChar, "char", CharAttri}});
    SetDefaultAttributes({CommentAttri, IdentifierAttri, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});
    SetIdentChars(zefchars::StandardIdentChars());
    SetKeywords(std::make_unique<TZefBucketKeywordLookup>(zefkeys::LetterHashTables(), kBucketCount, tkIdentifier,
                                                          TZefKeyMatch::CharactersIgnoringCase));
    Keywords()->AddGroup(kKeywords, tkKey);
    for (const TWordGroup& group : kWordGroups) Keywords()->AddGroup(group.words, group.code);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.Custom(TZefCharSet("_").AddRange('A', 'Z').AddRange('a', 'z'),
                 [this](TZefScanCursor& cursor) { return Word(cursor); });
    rules.Custom(kDigits, Number);
    rules.Prefixed("$", kHexDigits, tkHex, TZefScanRules::kNoClosing, false);
    rules.Prefixed("#", kHexDigits | TZefCharSet("$"), tkChar, TZefScanRules::kNoClosing, false);
    rules.Custom(TZefCharSet("'"), String);
    rules.Custom(TZefCharSet("{"), [this](TZefScanCursor& cursor) {
        return Comment(cursor, 1, rsBraceComment, rsBraceCommentAsm);
    });
    rules.Custom(TZefCharSet("("), [this](TZefScanCursor& cursor) {
        return cursor.Peek(1) == '*' ? Comment(cursor, 2, rsAnsiComment, rsAnsiCommentAsm) : TZefScanRules::kNoMatch;
    });
    rules.Custom(TZefCharSet("/"), [this](TZefScanCursor& cursor) {
        if (cursor.Peek(1) != '/' || version_ == dvDelphi1) return TZefScanRules::kNoMatch;
        cursor.SkipToEnd();
        return static_cast<int>(tkComment);
    });
    rules.Custom(TZefCharSet(";"), [this](TZefScanCursor& cursor) {
        if (Range() == rsProperty || Range() == rsExports) Enter(rsUnknown);
        cursor.Advance();
        return static_cast<int>(tkSymbol);
    });
    rules.Operators({":=", ">=", "<=", "<>", "(.", ".)", "..", "@@"}, tkSymbol);
    rules.Single(TZefCharSet("!\"%&()*+,-./:<=>?@[\\]^`}~"), tkSymbol);

    for (TZefRangeState range = rsAnsiComment; range < rsUnknown; ++range) DeclareRange(range);
    SetSample("{ Sample }\r\nunit Sample;\r\n\r\ninterface\r\n\r\ntype\r\n  TThing = class\r\n"
              "    property Count: Integer read FCount write FCount default 0;\r\n  end;\r\n\r\n"
              "implementation\r\n\r\n{$R *.dfm}\r\n\r\nprocedure Go;\r\nasm\r\n  mov eax, 1\r\nend;\r\n\r\nend.\r\n");
    FinishConstruction(kFilter);
}

TZefHighlighterCapabilities TZefPasSyn::GetCapabilities() const { return hcUserSettings | hcRegistry; }

bool TZefPasSyn::IsFilterStored() const { return GetDefaultFilter() != kFilter; }

int TZefPasSyn::GetTokenKind() const
{
    const int kind = TZefTableHighlighter::GetTokenKind();
    if (asmStart_ || Range() != rsAsm || kind == tkComment || kind == tkNull || kind == tkSpace) return kind;
    return tkAsm;
}

TZefHighlighterAttributes* TZefPasSyn::GetTokenAttribute() const
{
    return GetTokenKind() == tkAsm ? AsmAttri : TZefTableHighlighter::GetTokenAttribute();
}

void TZefPasSyn::SetDelphiVersion(TDelphiVersion value)
{
    if (value == version_) return;
    version_ = value;
    if (version_ < dvDelphi3) packageSource_ = false;
    NotifyChange(this);
}

void TZefPasSyn::SetPackageSource(bool value)
{
    if (value == packageSource_) return;
    packageSource_ = value;
    if (packageSource_ && version_ < dvDelphi3) version_ = dvDelphi3;
    NotifyChange(this);
}

void TZefPasSyn::ScanToken()
{
    asmStart_ = false;
    TZefTableHighlighter::ScanToken();
}

bool TZefPasSyn::ScanInRange(TZefRangeState range)
{
    TZefScanCursor& cursor = Cursor();
    switch (range) {
    case rsBraceComment:
    case rsBraceCommentAsm:
        // A continuation line whose second character is "$" is drawn as a directive, as "{$" is.
        SetTokenKind(cursor.Peek(1) == '$' ? tkDirective : tkComment);
        if (cursor.SkipPast("}")) Enter(range == rsBraceCommentAsm ? rsAsm : rsUnknown);
        return true;
    case rsAnsiComment:
    case rsAnsiCommentAsm:
        SetTokenKind(tkComment);
        if (cursor.SkipPast("*)")) Enter(range == rsAnsiCommentAsm ? rsAsm : rsUnknown);
        return true;
    default: return false;
    }
}

int TZefPasSyn::Comment(TZefScanCursor& cursor, size_t openerLength, TZefRangeState plain, TZefRangeState inAsm)
{
    const bool inAsmBlock = Range() == rsAsm;
    const int kind = openerLength == 1 && cursor.Peek(1) == '$' ? tkDirective : tkComment;
    cursor.Advance(openerLength);
    const std::string_view close = openerLength == 1 ? "}" : "*)";
    if (cursor.SkipPast(close)) {
        Enter(inAsmBlock ? rsAsm : rsUnknown);
    } else {
        Enter(inAsmBlock ? inAsm : plain);
    }
    return kind;
}

int TZefPasSyn::Word(TZefScanCursor& cursor)
{
    cursor.Advance();
    cursor.SkipWhile(kWordChars);
    const int code = Keywords()->KindOf(cursor.Token());
    if (code < kInProperty) return code;
    const TZefRangeState range = Range();
    const bool inProperty = range == rsProperty;
    bool keyword = true;
    switch (static_cast<TWordCode>(code)) {
    case kInProperty: keyword = inProperty; break;
    case kInPropertyD3: keyword = inProperty && version_ >= dvDelphi3; break;
    case kInPropertyD4: keyword = inProperty && version_ >= dvDelphi4; break;
    case kInPropertyOrExports: keyword = inProperty || range == rsExports; break;
    case kInExports: keyword = range == rsExports; break;
    case kFromD2: keyword = version_ >= dvDelphi2; break;
    case kFromD3: keyword = version_ >= dvDelphi3; break;
    case kFromD4: keyword = version_ >= dvDelphi4; break;
    case kFromD6: keyword = version_ >= dvDelphi6; break;
    case kInPackage: keyword = packageSource_; break;
    case kAsm:
        Enter(rsAsm);
        asmStart_ = true;
        break;
    case kEnd: Enter(rsUnknown); break;
    case kProperty: Enter(rsProperty); break;
    case kExports: Enter(rsExports); break;
    }
    return keyword ? tkKey : tkIdentifier;
}
