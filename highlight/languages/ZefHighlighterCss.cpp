// The Cascading Style Sheet highlighter's property list and state machine.
#include "ZefHighlighterCss.h"

#include "CodePage1252.h"
#include "ZefByteStops.h"

namespace {

// The property index of the Cascading Style Sheets, level 2 recommendation (W3C, 12 May 1998), in its
// order: 122 names.
constexpr std::string_view kProperties =
    "azimuth, background, background-attachment, background-color, background-image, background-position, "
    "background-repeat, border, border-collapse, border-color, border-spacing, border-style, border-top, "
    "border-right, border-bottom, border-left, border-top-color, border-right-color, border-bottom-color, "
    "border-left-color, border-top-style, border-right-style, border-bottom-style, border-left-style, "
    "border-top-width, border-right-width, border-bottom-width, border-left-width, border-width, bottom, "
    "caption-side, clear, clip, color, content, counter-increment, counter-reset, cue, cue-after, cue-before, "
    "cursor, direction, display, elevation, empty-cells, float, font, font-family, font-size, font-size-adjust, "
    "font-stretch, font-style, font-variant, font-weight, height, left, letter-spacing, line-height, list-style, "
    "list-style-image, list-style-position, list-style-type, margin, margin-top, margin-right, margin-bottom, "
    "margin-left, marker-offset, marks, max-height, max-width, min-height, min-width, orphans, outline, "
    "outline-color, outline-style, outline-width, overflow, padding, padding-top, padding-right, padding-bottom, "
    "padding-left, page, page-break-after, page-break-before, page-break-inside, pause, pause-after, pause-before, "
    "pitch, pitch-range, play-during, position, quotes, richness, right, size, speak, speak-header, speak-numeral, "
    "speak-punctuation, speech-rate, stress, table-layout, text-align, text-decoration, text-indent, text-shadow, "
    "text-transform, top, unicode-bidi, vertical-align, visibility, voice-family, volume, white-space, widows, "
    "width, word-spacing, z-index";

constexpr uint32_t kBucketCount = 256;
constexpr TZefCharSet kNameChars = TZefCharSet("-_").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kDigits = zefchars::Digits();
// What ends a selector: "{", "/" and control characters but NUL (an ordinary character). The stops are
// looked for sixteen bytes at a time: the runs over selectors and values are the language's hottest loops.
constexpr TZefByteStops kSelectorStops{TZefCharSet("{/").AddRange(1, 31)};
// What ends a property name (and "/*").
constexpr TZefByteStops kPropertyStops{TZefCharSet("\":;{}/").AddRange(1, 32)};
// What ends a value (and "/*").
constexpr TZefByteStops kValueStops{TZefCharSet(",;}/")};

// The comment state that returns to `range`.
TZefRangeState CommentState(TZefRangeState range)
{
    switch (range) {
    case TZefCssSyn::rsDeclaration: return TZefCssSyn::rsCommentInDeclaration;
    case TZefCssSyn::rsPropertyName: return TZefCssSyn::rsCommentInPropertyName;
    case TZefCssSyn::rsValue: return TZefCssSyn::rsCommentInValue;
    default: return TZefCssSyn::rsComment;
    }
}

// The state a comment returns to at its "*/".
TZefRangeState AfterComment(TZefRangeState range)
{
    switch (range) {
    case TZefCssSyn::rsCommentInDeclaration: return TZefCssSyn::rsDeclaration;
    case TZefCssSyn::rsCommentInPropertyName: return TZefCssSyn::rsPropertyName;
    case TZefCssSyn::rsCommentInValue: return TZefCssSyn::rsValue;
    default: return TZefCssSyn::rsSelector;
    }
}

bool IsCommentState(TZefRangeState range)
{
    return range == TZefCssSyn::rsComment || range == TZefCssSyn::rsCommentInDeclaration ||
           range == TZefCssSyn::rsCommentInPropertyName || range == TZefCssSyn::rsCommentInValue;
}

// Moves to the first character of `stops` that is not a "/" without "*" after it, or to the line end.
// Moves to the first of `stops` (or the line end).
void SkipUntil(TZefScanCursor& cursor, const TZefByteStops& stops)
{
    const std::string_view line = cursor.Line();
    cursor.SetRun(stops.Find(line.data(), line.size(), cursor.Run()));
}

void SkipToStop(TZefScanCursor& cursor, const TZefByteStops& stops)
{
    while (SkipUntil(cursor, stops), !cursor.AtEnd() && cursor.Current() == '/' && cursor.Peek(1) != '*')
        cursor.Advance();
}

} // namespace

uint32_t TZefCssSyn::PropertyHash(std::string_view word)
{
    const unsigned char* const lower = cp1252::LowerTable();
    uint32_t hash = 0;
    for (const char c : word) hash = (hash * 7 + lower[static_cast<unsigned char>(c)]) % kBucketCount;
    return hash;
}

int TZefCssSyn::PropertyCount() { return CountKeywords(kProperties, kNameChars); }

TZefCssSyn::TZefCssSyn() : TZefTableHighlighter(tkNull, tkText, tkUndefProperty, rsSelector)
{
    SetNames("TZefCssSyn", "Cascading Style Sheet");
    AddAttributes({{&CommentAttri, "Comment"}, {&PropertyAttri, "Property", clNone, fsBold},
                   {&KeyAttri, "Reserved Word", 0x00FF0080, fsBold},
                   {&UndefPropertyAttri, "Undefined Property", 0x00FF0080, fsBold}, {&SpaceAttri, "Space"},
                   {&ColorAttri, "Color Value"}, {&NumberAttri, "Number"}, {&StringAttri, "String"},
                   {&SymbolAttri, "Symbol"}, {&TextAttri, "Text"}, {&ValueAttri, "Value", 0x00FF8000}});
    DeclareKinds({{tkComment, "comment", CommentAttri}, {tkProperty, "property", PropertyAttri},
                  {tkKey, "selector", KeyAttri}, {tkUndefProperty, "undef", UndefPropertyAttri},
                  {tkSpace, "space", SpaceAttri}, {tkColor, "color", ColorAttri}, {tkNumber, "number", NumberAttri},
                  {tkString, "string", StringAttri}, {tkSymbol, "symbol", SymbolAttri}, {tkValue, "value", ValueAttri}});
    SetDefaultAttributes({CommentAttri, nullptr, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});
    SetIdentChars(kNameChars);
    SetKeywords(std::make_unique<TZefHashEntryKeywordLookup>(&PropertyHash, tkUndefProperty));
    EnumerateKeywords(tkProperty, kProperties, kNameChars,
                      [this](std::string_view name, int kind) { Keywords()->Add(name, kind); });
    for (const TRangeState range : {rsComment, rsDeclaration, rsPropertyName, rsValue, rsCommentInDeclaration,
                                    rsCommentInPropertyName, rsCommentInValue})
        DeclareRange(range);
    SetSample("/* Sample */\r\nh1, p.note a:hover {\r\n  color: #FF0000;\r\n  border: 1px solid red;\r\n"
              "  font-family: \"Times New Roman\", serif;\r\n}\r\n");
    FinishConstruction("Cascading Stylesheets (*.css)|*.css");
}

bool TZefCssSyn::IsKeyword(std::string_view word) const
{
    return !word.empty() && Keywords()->KindOf(word) == tkProperty;
}

void TZefCssSyn::Next()
{
    // Every token of this language takes at least one character, so the scan guards have nothing to do;
    // should one ever take none, they take over.
    if (!StartNextToken()) return;
    TZefCssSyn::ScanToken();
    if (Cursor().TokenLength() == 0) ScanAndGuard();
}

void TZefCssSyn::ScanToken()
{
    TZefScanCursor& cursor = Cursor();
    const TZefRangeState range = Range();
    if (IsCommentState(range)) {
        SetTokenKind(tkComment);
        if (cursor.SkipPast("*/")) Enter(AfterComment(range));
        return;
    }
    const unsigned char c = cursor.Current();
    if (c == '\r' || c == '\n') {
        SetTokenKind(tkSpace);
        cursor.Advance();
        return;
    }
    if (c >= 1 && c <= ' ') {
        SetTokenKind(tkSpace);
        cursor.Advance();
        cursor.SkipWhile(zefchars::BlankChars());
        return;
    }
    if (c == '/') {
        if (cursor.Peek(1) == '*') {
            SetTokenKind(tkComment);
            cursor.Advance(2);
            if (!cursor.SkipPast("*/")) Enter(CommentState(range));
        } else {
            // A lone "/" where no token may start with it.
            SetTokenKind(range == rsValue ? tkValue : tkSymbol);
            cursor.Advance();
            if (range == rsValue) {
                SkipToStop(cursor, kValueStops);
                Enter(rsPropertyName);
            }
        }
        return;
    }
    if (range == rsSelector) {
        SelectorToken();
    } else if (range == rsValue) {
        ValueToken();
    } else {
        DeclarationToken();
    }
}

void TZefCssSyn::Symbol(TRangeState next)
{
    SetTokenKind(tkSymbol);
    Cursor().Advance();
    Enter(next);
}

bool TZefCssSyn::BlockToken()
{
    TZefScanCursor& cursor = Cursor();
    switch (cursor.Current()) {
    case '"':
        SetTokenKind(tkString);
        cursor.Advance();
        cursor.SkipPast("\"");
        return true;
    case ':':
    case ',': Symbol(rsValue); return true;
    case ';': Symbol(rsPropertyName); return true;
    case '{': Symbol(rsDeclaration); return true;
    case '}': Symbol(rsSelector); return true;
    default: return false;
    }
}

void TZefCssSyn::SelectorToken()
{
    TZefScanCursor& cursor = Cursor();
    if (cursor.Current() == '{') {
        Symbol(rsDeclaration);
        return;
    }
    SetTokenKind(tkKey);
    cursor.Advance();
    SkipUntil(cursor, kSelectorStops);
}

void TZefCssSyn::DeclarationToken()
{
    TZefScanCursor& cursor = Cursor();
    if (BlockToken()) return;
    cursor.Advance();
    SkipToStop(cursor, kPropertyStops);
    SetTokenKind(KeywordKindOf(cursor.Token()) == tkProperty ? tkProperty : tkUndefProperty);
}

void TZefCssSyn::ValueToken()
{
    TZefScanCursor& cursor = Cursor();
    const unsigned char c = cursor.Current();
    if (BlockToken()) return;
    if (c == '#') {
        SetTokenKind(tkColor);
        cursor.Advance();
        cursor.SkipWhile(zefchars::HexDigits());
        return;
    }
    if (kDigits.Contains(c) || c == '.') {
        SetTokenKind(tkNumber);
        cursor.Advance();
        while (!cursor.AtEnd() && (kDigits.Contains(cursor.Current()) || cursor.Current() == '.')) {
            if (cursor.Current() == '.' && cursor.Peek(1) == '.') break;
            cursor.Advance();
        }
        return;
    }
    // Spaces included, to the next ",", ";", "}", comment or the line end; then property names again.
    SetTokenKind(tkValue);
    cursor.Advance();
    SkipToStop(cursor, kValueStops);
    Enter(rsPropertyName);
}
