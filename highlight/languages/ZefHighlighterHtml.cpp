// The HTML highlighter's handlers, tag-name buckets and entity table.
#include "ZefHighlighterHtml.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Tag names; a name with "/" is the closing tag.
constexpr std::string_view kTagNames[] = {
    "!DOCTYPE", "A", "/A", "ABBR", "/ABBR", "ACRONYM", "/ACRONYM", "ADDRESS", "/ADDRESS", "APPLET", "/APPLET",
    "AREA", "B", "/B", "BASE", "BASEFONT", "BGSOUND", "BIG", "/BIG", "BLINK", "/BLINK", "BLOCKQUOTE", "/BLOCKQUOTE",
    "BODY", "/BODY", "BR", "BUTTON", "/BUTTON", "CAPTION", "/CAPTION", "CENTER", "/CENTER", "CITE", "/CITE", "CODE",
    "/CODE", "COL", "COLGROUP", "/COLGROUP", "COMMENT", "/COMMENT", "DD", "/DD", "DEL", "/DEL", "DFN", "/DFN",
    "DIR", "/DIR", "DIV", "/DIV", "DL", "/DL", "DT", "/DT", "EM", "/EM", "EMBED", "/EMBED", "FIELDSET", "/FIELDSET",
    "FONT", "/FONT", "FORM", "/FORM", "FRAME", "FRAMESET", "/FRAMESET", "H1", "/H1", "H2", "/H2", "H3", "/H3", "H4",
    "/H4", "H5", "/H5", "H6", "/H6", "HEAD", "/HEAD", "HR", "HTML", "/HTML", "I", "/I", "IFRAME", "/IFRAME",
    "ILAYER", "/ILAYER", "IMG", "INPUT", "INS", "/INS", "ISINDEX", "KBD", "/KBD", "KEYGEN", "LABEL", "/LABEL",
    "LAYER", "/LAYER", "LEGEND", "/LEGEND", "LI", "/LI", "LINK", "LISTING", "/LISTING", "MAP", "/MAP", "MARQUEE",
    "/MARQUEE", "MENU", "/MENU", "META", "MULTICOL", "/MULTICOL", "NEXTID", "NOBR", "/NOBR", "NOEMBED", "/NOEMBED",
    "NOFRAMES", "/NOFRAMES", "NOLAYER", "/NOLAYER", "NOSCRIPT", "/NOSCRIPT", "OBJECT", "/OBJECT", "OL", "/OL",
    "OPTION", "/OPTION", "P", "/P", "PARAM", "PLAINTEXT", "PRE", "/PRE", "Q", "/Q", "S", "/S", "SAMP", "/SAMP",
    "SCRIPT", "/SCRIPT", "SELECT", "/SELECT", "SERVER", "/SERVER", "SMALL", "/SMALL", "SPACER", "SPAN", "/SPAN",
    "STRIKE", "/STRIKE", "STRONG", "/STRONG", "STYLE", "/STYLE", "SUB", "/SUB", "SUP", "/SUP", "TABLE", "/TABLE",
    "TBODY", "/TBODY", "TD", "/TD", "TEXTAREA", "/TEXTAREA", "TFOOT", "/TFOOT", "TH", "/TH", "THEAD", "/THEAD",
    "TITLE", "/TITLE", "TR", "/TR", "TT", "/TT", "U", "/U", "UL", "/UL", "VAR", "/VAR", "WBR", "XMP", "/XMP",
};

// Entity names, each written in the text as "&" name ";".
constexpr std::string_view kEntityNames[] = {
    "Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta", "Iota", "Kappa", "Lambda", "Mu", "Nu",
    "Xi", "Omicron", "Pi", "Rho", "Sigma", "Tau", "Upsilon", "Phi", "Chi", "Psi", "Omega", "alpha", "beta", "gamma",
    "delta", "epsilon", "zeta", "eta", "theta", "iota", "kappa", "lambda", "mu", "nu", "xi", "omicron", "pi", "rho",
    "sigmaf", "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega", "thetasym", "upsih", "piv", "bull", "hellip",
    "prime", "Prime", "oline", "frasl", "weierp", "image", "real", "trade", "alefsym", "larr", "uarr", "rarr",
    "darr", "harr", "crarr", "lArr", "uArr", "rArr", "dArr", "hArr", "forall", "part", "exist", "empty", "nabla",
    "isin", "notin", "ni", "prod", "sum", "minus", "lowast", "radic", "prop", "infin", "ang", "and", "or", "cap",
    "cup", "int", "there4", "sim", "cong", "asymp", "ne", "equiv", "le", "ge", "sub", "sup", "nsub", "sube", "supe",
    "oplus", "otimes", "perp", "sdot", "lceil", "rceil", "lfloor", "rfloor", "lang", "rang", "loz", "spades",
    "clubs", "hearts", "diams", "lsquo", "rsquo", "sbquo", "ldquo", "rdquo", "bdquo", "dagger", "Dagger", "permil",
    "lsaquo", "rsaquo", "quot", "amp", "lt", "gt", "ndash", "mdash", "nbsp", "thinsp", "ensp", "emsp", "iexcl",
    "cent", "pound", "curren", "yen", "brvbar", "brkbar", "sect", "uml", "die", "copy", "ordf", "laquo", "not",
    "shy", "reg", "macr", "hibar", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot", "cedil",
    "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc", "Atilde", "Auml",
    "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH",
    "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml",
    "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml", "aring", "aelig", "ccedil", "egrave",
    "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc",
    "otilde", "ouml", "divide", "oslash", "ugrave", "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml", "euro",
    "OElig", "oelig", "scaron", "Scaron", "fnof", "circ",
};
static_assert(std::size(kTagNames) == 198 && std::size(kEntityNames) == 249);

// The tag-name hash: "!" is 123, "/" is 122, a letter its place in the alphabet in either case; digits join
// the hash with their numeric value but compare equal at every position (only the hash tells them apart).
TZefKeyHashTables TagNameTables()
{
    TZefKeyHashTables tables;
    tables.ident.Add('!').Add('/').AddRange('A', 'Z').AddRange('a', 'z').AddRange('0', '9');
    tables.value['!'] = 123;
    tables.value['/'] = 122;
    for (int c = 0; c < 26; ++c) {
        tables.value[static_cast<size_t>('A' + c)] = static_cast<uint16_t>(c + 1);
        tables.value[static_cast<size_t>('a' + c)] = static_cast<uint16_t>(c + 1);
    }
    for (int c = 0; c < 10; ++c) tables.value[static_cast<size_t>('0' + c)] = static_cast<uint16_t>(c);
    return tables;
}

constexpr TZefCharSet kTagNameStart = TZefCharSet("!/").AddRange('A', 'Z').AddRange('a', 'z');

// Entities sorted by name for a binary search; at most one can stand at a given "&", because every name is
// closed by ";" and contains none.
struct TEntityIndex {
    std::vector<std::pair<std::string_view, int>> sorted;
    size_t longest = 0;
    TEntityIndex()
    {
        for (size_t i = 0; i < std::size(kEntityNames); ++i) {
            sorted.emplace_back(kEntityNames[i], static_cast<int>(i));
            longest = std::max(longest, kEntityNames[i].size());
        }
        std::sort(sorted.begin(), sorted.end());
    }
};

const TEntityIndex& Entities()
{
    static const TEntityIndex index;
    return index;
}

// Characters that end a text run: control characters but NUL (an ordinary character), "<" and "&".
constexpr TZefCharSet kTextStops = TZefCharSet("<&").AddRange(1, 31);
// What ends an unquoted value: blanks and control characters but NUL, and ">".
constexpr TZefCharSet kValueStops = TZefCharSet(">").AddRange(1, 32);
// What ends an attribute name: the same and '"' and "=".
constexpr TZefCharSet kNameStops = TZefCharSet(">\"=").AddRange(1, 32);
// White space continues over bytes 1..32 but tab, CR and LF (a tab always starts a token of its own).
constexpr TZefCharSet kSpaceRun = TZefCharSet().AddRange(1, 32).Remove('\t').Remove('\n').Remove('\r');
constexpr TZefCharSet kDigits = zefchars::Digits();
constexpr TZefCharSet kHexDigits = zefchars::HexDigits();

} // namespace

TZefHTMLSyn::TZefHTMLSyn()
    : TZefScanHighlighter(tkNull, rsText), tagNames_(TagNameTables(), kBucketCount, tkIdentifier, false)
{
    AndAttri = AddAttribute("Escape Ampersand");
    AndAttri->SetForeground(clLime);
    AndAttri->SetStyle(fsBold);
    CommentAttri = AddAttribute("Comment");
    IdentifierAttri = AddAttribute("Identifier");
    IdentifierAttri->SetStyle(fsBold);
    KeyAttri = AddAttribute("Reserved Word");
    KeyAttri->SetForeground(0x00FF0080);
    KeyAttri->SetStyle(fsBold);
    SpaceAttri = AddAttribute("Space");
    SymbolAttri = AddAttribute("Symbol");
    SymbolAttri->SetStyle(fsBold);
    TextAttri = AddAttribute("Text");
    UndefKeyAttri = AddAttribute("Unknown Word");
    UndefKeyAttri->SetForeground(clRed);
    UndefKeyAttri->SetStyle(fsBold);
    ValueAttri = AddAttribute("Value");
    ValueAttri->SetForeground(0x00FF8000);
    SetAttributesOnChange([this](TZefPersistent* sender) { NotifyChange(sender); });

    handlers_.fill(&TZefHTMLSyn::WordProc);
    for (int c = 1; c <= 32; ++c) handlers_[static_cast<size_t>(c)] = &TZefHTMLSyn::SpaceProc;
    handlers_['\n'] = &TZefHTMLSyn::LineFeedProc;
    handlers_['\r'] = &TZefHTMLSyn::CarriageReturnProc;
    handlers_['"'] = &TZefHTMLSyn::QuoteProc;
    handlers_['\''] = &TZefHTMLSyn::QuoteProc;
    handlers_['&'] = &TZefHTMLSyn::AmpersandProc;
    handlers_['<'] = &TZefHTMLSyn::TagOpenProc;
    handlers_['='] = &TZefHTMLSyn::EqualsProc;
    handlers_['>'] = &TZefHTMLSyn::TagCloseProc;

    tagNames_.SetUnmatchedKind(tkUndefKey);
    for (std::string_view name : kTagNames) tagNames_.Add(name, tkKey);

    SetKindAttribute(tkAmpersand, AndAttri);
    SetKindAttribute(tkComment, CommentAttri);
    SetKindAttribute(tkIdentifier, IdentifierAttri);
    SetKindAttribute(tkKey, KeyAttri);
    SetKindAttribute(tkSpace, SpaceAttri);
    SetKindAttribute(tkSymbol, SymbolAttri);
    SetKindAttribute(tkText, TextAttri);
    SetKindAttribute(tkUndefKey, UndefKeyAttri);
    SetKindAttribute(tkValue, ValueAttri);
    ResetRange();
    SetDefaultFilter("HTML Documents (*.htm,*.html)|*.htm;*.html");
}

TZefHighlighterAttributes* TZefHTMLSyn::GetDefaultAttribute(int index) const
{
    switch (index) {
    case kZefAttribComment: return CommentAttri;
    case kZefAttribIdentifier: return IdentifierAttri;
    case kZefAttribKeyword: return KeyAttri;
    case kZefAttribWhitespace: return SpaceAttri;
    case kZefAttribSymbol: return SymbolAttri;
    default: return nullptr; // no string attribute
    }
}

std::string TZefHTMLSyn::GetSampleSource() const
{
    return "<!-- Sample -->\r\n"
           "<html>\r\n"
           "<body bgcolor=\"red\">\r\n"
           "  <p>Text &amp; an entity</p>\r\n"
           "</body>\r\n"
           "</html>";
}

void TZefHTMLSyn::SetLine(std::string_view line, int lineIndex)
{
    entityIndex_ = -1;
    TZefScanHighlighter::SetLine(line, lineIndex);
}

void TZefHTMLSyn::SetRange(TZefRangeState value)
{
    switch (value) {
    case rsComment:
    case rsKey:
    case rsParam:
    case rsText:
    case rsValue:
    case rsQuoteValue:
    case rsDoubleQuoteValue: TZefScanHighlighter::SetRange(value); break;
    default: TZefScanHighlighter::SetRange(rsText); break;
    }
}

size_t TZefHTMLSyn::TagNameLength(std::string_view text)
{
    size_t end = 0;
    while (end < text.size() && kTagNameStart.Contains(static_cast<unsigned char>(text[end]))) ++end;
    while (end < text.size() && kDigits.Contains(static_cast<unsigned char>(text[end]))) ++end;
    return end;
}

int TZefHTMLSyn::TagNameKind(std::string_view text, size_t* length) const
{
    const size_t end = TagNameLength(text);
    if (length) *length = end;
    return tagNames_.KindOf(text.substr(0, end));
}

int TZefHTMLSyn::EntityAt(std::string_view text)
{
    if (text.size() < 3 || text[0] != '&') return -1;
    const TEntityIndex& entities = Entities();
    const size_t semicolon = text.find(';', 1);
    if (semicolon == std::string_view::npos || semicolon - 1 > entities.longest) return -1;
    const std::string_view name = text.substr(1, semicolon - 1);
    const auto found = std::lower_bound(entities.sorted.begin(), entities.sorted.end(), name,
                                        [](const auto& entry, std::string_view key) { return entry.first < key; });
    return found != entities.sorted.end() && found->first == name ? found->second : -1;
}

std::string_view TZefHTMLSyn::KindName(int kind)
{
    static constexpr std::string_view kNames[] = {"ampersand", "comment", "ident", "key",   "null",
                                                  "space",     "symbol",  "text",  "undef", "value"};
    return kind >= 0 && kind <= tkValue ? kNames[kind] : std::string_view("?");
}

void TZefHTMLSyn::ScanToken()
{
    switch (GetRange()) {
    case rsComment: CommentScan(); break;
    case rsText: TextScan(); break;
    case rsQuoteValue:
    case rsDoubleQuoteValue:
        if (Cursor().Current() == '\r' || Cursor().Current() == '\n') {
            (this->*handlers_[Cursor().Current()])();
        } else {
            QuotedValueScan();
        }
        break;
    default: (this->*handlers_[Cursor().Current()])(); break;
    }
}

void TZefHTMLSyn::CommentScan()
{
    TZefScanCursor& cursor = Cursor();
    if (cursor.Current() == '\r' || cursor.Current() == '\n') {
        (this->*handlers_[cursor.Current()])();
        return;
    }
    SetTokenKind(tkComment);
    const std::string_view line = cursor.Line();
    // The closer's two hyphens may be the opener's (so "<!-->" is a whole comment), never bytes before the line.
    for (size_t at = line.find('>', cursor.Run()); at != std::string_view::npos; at = line.find('>', at + 1)) {
        if (at >= 2 && line[at - 1] == '-' && line[at - 2] == '-') {
            cursor.SetRun(at + 1);
            Enter(rsText);
            return;
        }
    }
    cursor.SkipToEnd();
}

void TZefHTMLSyn::TextScan()
{
    TZefScanCursor& cursor = Cursor();
    const unsigned char first = cursor.Current();
    if ((first >= 1 && first < ' ') || first == '<') {
        (this->*handlers_[first])();
        return;
    }
    SetTokenKind(tkText);
    const std::string_view line = cursor.Line();
    for (;;) {
        cursor.SkipUntil(kTextStops);
        if (cursor.AtEnd() || cursor.Current() != '&') return;
        const size_t ampersand = cursor.Run();
        if (cursor.Peek(1) == '#') {
            entityIndex_ = -1;
            SkipNumericReference();
            if (cursor.Peek() == ';') {
                cursor.SetRun(ampersand);
                Enter(rsAmpersand);
            }
            // Without ";" the incomplete reference stays text and the token ends after its digits.
            break;
        }
        const int entity = EntityAt(line.substr(ampersand));
        if (entity >= 0) {
            entityIndex_ = entity;
            Enter(rsAmpersand);
            break;
        }
        cursor.Advance(); // an "&" that starts no entity is text
    }
    // A text run that an entity starts at once is empty: the entity is scanned in its place.
    if (cursor.TokenLength() == 0) RescanInNewState();
}

void TZefHTMLSyn::SkipNumericReference()
{
    TZefScanCursor& cursor = Cursor();
    cursor.Advance(2);
    if (cursor.Peek() == 'x' || cursor.Peek() == 'X') {
        cursor.Advance();
        cursor.SkipWhile(kHexDigits);
    } else {
        cursor.SkipWhile(kDigits);
    }
}

void TZefHTMLSyn::QuotedValueScan()
{
    TZefScanCursor& cursor = Cursor();
    const char quote = GetRange() == rsQuoteValue ? '\'' : '"';
    SetTokenKind(tkValue);
    if (cursor.SkipPast(std::string_view(&quote, 1))) Enter(rsParam);
}

void TZefHTMLSyn::SpaceProc()
{
    SetTokenKind(tkSpace);
    Cursor().Advance();
    Cursor().SkipWhile(kSpaceRun);
}

void TZefHTMLSyn::LineFeedProc()
{
    SetTokenKind(tkSpace);
    Cursor().Advance();
}

void TZefHTMLSyn::CarriageReturnProc()
{
    SetTokenKind(tkSpace);
    Cursor().Advance();
    if (Cursor().Peek() == '\n') Cursor().Advance();
}

void TZefHTMLSyn::QuoteProc()
{
    if (GetRange() != rsValue) {
        WordProc(); // a quote where an attribute name goes starts one
        return;
    }
    Enter(Cursor().Current() == '"' ? rsDoubleQuoteValue : rsQuoteValue);
    Cursor().Advance();
    QuotedValueScan();
}

void TZefHTMLSyn::AmpersandProc()
{
    TZefScanCursor& cursor = Cursor();
    switch (GetRange()) {
    case rsAmpersand:
        if (entityIndex_ >= 0) {
            SetTokenKind(tkAmpersand);
            cursor.Advance(kEntityNames[entityIndex_].size() + 2);
        } else {
            SkipNumericReference();
            if (cursor.Peek() == ';') {
                cursor.Advance();
                SetTokenKind(tkAmpersand);
            } else {
                SetTokenKind(tkText);
            }
        }
        entityIndex_ = -1;
        Enter(rsText);
        break;
    case rsKey:
        cursor.Advance();
        SetTokenKind(tkText);
        Enter(rsText);
        break;
    default: WordProc(); break;
    }
}

void TZefHTMLSyn::TagOpenProc()
{
    Cursor().Advance();
    if (Cursor().Skip("!--")) {
        Enter(rsComment);
        SetTokenKind(tkComment);
    } else {
        Enter(rsKey);
        SetTokenKind(tkSymbol);
    }
}

void TZefHTMLSyn::EqualsProc()
{
    SetTokenKind(tkSymbol);
    Cursor().Advance();
    Enter(rsValue);
}

void TZefHTMLSyn::TagCloseProc()
{
    SetTokenKind(tkSymbol);
    Cursor().Advance();
    Enter(rsText);
}

void TZefHTMLSyn::WordProc()
{
    TZefScanCursor& cursor = Cursor();
    switch (GetRange()) {
    case rsKey: {
        size_t length = 0;
        SetTokenKind(TagNameKind(cursor.Rest(), &length));
        Enter(rsParam);
        cursor.Advance(length);
        // A tag name that starts with no letter, "!", "/" or digit is empty: the character is scanned again
        // as an attribute name.
        if (length == 0) RescanInNewState();
        break;
    }
    case rsValue:
        Enter(rsParam);
        SetTokenKind(tkValue);
        cursor.Advance();
        cursor.SkipUntil(kValueStops);
        break;
    default:
        SetTokenKind(tkIdentifier);
        cursor.Advance();
        cursor.SkipUntil(kNameStops);
        break;
    }
}

namespace {

// Where an attribute name ends (kNameStops), an unquoted value ends (kValueStops), from `from` on.
size_t SkipUntilStop(std::string_view line, size_t from, const TZefCharSet& stops)
{
    while (from < line.size() && !stops.Contains(static_cast<unsigned char>(line[from]))) ++from;
    return from;
}

} // namespace

void TZefHTMLSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    (void)lineIndex;
    entityIndex_ = -1;
    TRangeState state = static_cast<TRangeState>(GetRange());
    const size_t size = line.size();
    size_t p = 0;
    // Inside a tag every character is looked at; text, comments and quoted values are searched through.
    while (p < size) {
        switch (state) {
        case rsText: {
            // In text only "<" changes the state: entities and numeric references end where they began.
            const size_t open = line.find('<', p);
            if (open == std::string_view::npos) {
                p = size;
                break;
            }
            p = open + 1;
            if (line.substr(p, 3) == "!--") {
                p += 3;
                state = rsComment;
            } else {
                state = rsKey;
            }
            break;
        }
        case rsComment: {
            size_t at = line.find('>', p);
            while (at != std::string_view::npos && !(at >= 2 && line[at - 1] == '-' && line[at - 2] == '-'))
                at = line.find('>', at + 1);
            if (at == std::string_view::npos) {
                p = size;
            } else {
                p = at + 1;
                state = rsText;
            }
            break;
        }
        case rsQuoteValue:
        case rsDoubleQuoteValue: {
            const size_t close = line.find(state == rsQuoteValue ? '\'' : '"', p);
            if (close == std::string_view::npos) {
                p = size;
            } else {
                p = close + 1;
                state = rsParam;
            }
            break;
        }
        default: { // rsKey, rsParam, rsValue: the character handlers' state changes
            const auto c = static_cast<unsigned char>(line[p]);
            if (c >= 1 && c <= 32) {
                ++p;
            } else if (c == '<') {
                ++p;
                if (line.substr(p, 3) == "!--") {
                    p += 3;
                    state = rsComment;
                } else {
                    state = rsKey;
                }
            } else if (c == '=') {
                ++p;
                state = rsValue;
            } else if (c == '>') {
                ++p;
                state = rsText;
            } else if (state == rsKey) {
                if (c == '&') {
                    ++p;
                    state = rsText;
                } else {
                    p += TagNameLength(line.substr(p)); // an empty name leaves the character to the attribute-name state
                    state = rsParam;
                }
            } else if (state == rsValue && (c == '"' || c == '\'')) {
                ++p;
                state = c == '"' ? rsDoubleQuoteValue : rsQuoteValue;
            } else if (state == rsValue) {
                p = SkipUntilStop(line, p + 1, kValueStops);
                state = rsParam;
            } else {
                p = SkipUntilStop(line, p + 1, kNameStops);
            }
            break;
        }
        }
    }
    Enter(state);
}
