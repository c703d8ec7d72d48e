// Recursive-descent parser of regular expressions; recursion follows the nesting of groups in the
// expression (never the input), so its depth is bounded by the expression's length.
#include "ZefRegExprParser.h"

#include "ZefRegExprError.h"

namespace {

bool IsQuantifierChar(unsigned char c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The control character an escape letter stands for, or -1 when the letter is not one of them.
int ControlEscape(unsigned char c)
{
    switch (c) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'f': return '\f';
    case 'a': return 7;
    case 'e': return 27;
    default: return -1;
    }
}

// A brace quantifier scanned from its "{": valid only when it has the full {n}, {n,} or {n,m} form.
struct Braces {
    bool valid = false;
    bool tooBig = false;
    int min = 0;
    int max = -1;
    size_t end = 0; // one past "}"
};

Braces ScanBraces(std::string_view text, size_t open)
{
    Braces braces;
    auto readNumber = [&](size_t& p, int& value) {
        const size_t first = p;
        long long v = 0;
        while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
            if (v < 1000000000) v = v * 10 + (text[p] - '0');
            ++p;
        }
        value = static_cast<int>(v > 2000000000 ? 2000000000 : v);
        if (p - first > 8) braces.tooBig = true;
        return p - first;
    };
    size_t p = open + 1;
    if (readNumber(p, braces.min) == 0 || p >= text.size()) return braces;
    if (text[p] == '}') {
        braces.max = braces.min;
    } else if (text[p] == ',') {
        ++p;
        int max = 0;
        const size_t digits = readNumber(p, max);
        if (p >= text.size() || text[p] != '}') return braces;
        braces.max = digits ? max : -1;
    } else {
        return braces;
    }
    braces.end = p + 1;
    braces.valid = true;
    return braces;
}

} // namespace

TZefReParser::TZefReParser(std::string_view expression, TZefRegExprModifiers modifiers,
                           const TZefRegExprCharSet& lineSeparators)
    : text_(expression), flags_(modifiers), lineSeparators_(lineSeparators)
{
}

void TZefReParser::Fail(int code, size_t position) const
{
    throw EZefRegExpr(code, static_cast<int>(position));
}

TZefReNodePtr TZefReParser::Parse()
{
    if (text_.empty()) Fail(reeCompNullArgument, 0);
    auto root = ParseAlternation();
    if (!AtEnd()) Fail(reeCompParseRegUnmatchedBrackets2, pos_); // only a ")" stops the top level early
    return root;
}

TZefReNodePtr TZefReParser::ParseAlternation()
{
    auto alternation = std::make_unique<TZefReNode>(TZefReNodeKind::Alternation);
    for (;;) {
        alternation->children.push_back(ParseBranch());
        SkipExtended();
        if (AtEnd() || Peek() != '|') break;
        ++pos_;
    }
    return alternation;
}

TZefReNodePtr TZefReParser::ParseBranch()
{
    auto concat = std::make_unique<TZefReNode>(TZefReNodeKind::Concat);
    for (;;) {
        SkipExtended();
        if (AtEnd() || Peek() == '|' || Peek() == ')') break;
        concat->children.push_back(ParsePiece());
    }
    return concat;
}

TZefReNodePtr TZefReParser::ParsePiece()
{
    auto atom = ParseAtom();
    SkipExtended();
    if (AtEnd() || !IsQuantifierChar(Peek())) return atom;

    int min = 0;
    int max = -1;
    const unsigned char op = Peek();
    if (op == '{') {
        const Braces braces = ScanBraces(text_, pos_);
        if (!atom->HasWidth()) Fail(reePlusStarOperandCouldBeEmpty, pos_ + 1);
        if (!braces.valid) return atom; // the "{" is an ordinary character of the next atom
        if (braces.tooBig) Fail(reeBRACESArgTooBig, pos_ + 1);
        if (braces.max >= 0 && braces.max < braces.min) Fail(reeBracesMinParamGreaterMax, braces.end);
        min = braces.min;
        max = braces.max;
        pos_ = braces.end;
    } else {
        ++pos_;
        if (op != '?' && !atom->HasWidth()) Fail(reePlusStarOperandCouldBeEmpty, pos_);
        min = op == '+' ? 1 : 0;
        max = op == '?' ? 1 : -1;
    }
    bool lazy = false;
    if (!AtEnd() && Peek() == '?') {
        lazy = true;
        ++pos_;
    }
    SkipExtended();
    if (!AtEnd() && IsQuantifierChar(Peek())) Fail(reeNestedSQP, pos_);

    auto repeat = std::make_unique<TZefReNode>(TZefReNodeKind::Repeat);
    repeat->min = min;
    repeat->max = max;
    repeat->greedy = !lazy && (flags_ & rmGreedy);
    repeat->children.push_back(std::move(atom));
    return repeat;
}

TZefReNodePtr TZefReParser::MakeLiteral(unsigned char c) const
{
    auto node = std::make_unique<TZefReNode>(TZefReNodeKind::Literal);
    node->ch = c;
    node->ignoreCase = (flags_ & rmIgnoreCase) && ZefFlipCase(c) != c;
    return node;
}

TZefReNodePtr TZefReParser::ParseAtom()
{
    if (AtEnd()) Fail(reeInternalUrp, pos_);
    const unsigned char c = Next();
    switch (c) {
    case '^':
    case '$': {
        auto node = std::make_unique<TZefReNode>(c == '^' ? TZefReNodeKind::LineStart : TZefReNodeKind::LineEnd);
        node->multiLine = (flags_ & rmMultiLine) != 0;
        return node;
    }
    case '.': {
        if (flags_ & rmSingleLine) return std::make_unique<TZefReNode>(TZefReNodeKind::Any);
        auto node = std::make_unique<TZefReNode>(TZefReNodeKind::Set);
        node->set = lineSeparators_;
        node->set.Invert();
        return node;
    }
    case '[':
        return ParseClass();
    case '(':
        return ParseGroupOrModifiers();
    case '|':
    case ')':
        Fail(reeInternalUrp, pos_);
    case '*':
    case '+':
    case '?':
        Fail(reeQPSBFollowsNothing, pos_);
    case '\\':
        if (AtEnd()) Fail(reeTrailingBackSlash, pos_);
        return ParseEscape();
    default:
        return MakeLiteral(c);
    }
}

TZefReNodePtr TZefReParser::ParseGroupOrModifiers()
{
    if (!AtEnd() && Peek() == '?') {
        ++pos_;
        if (!AtEnd() && Peek() == '#') {
            const size_t close = text_.find(')', pos_);
            if (close == std::string_view::npos) Fail(reeUnclosedComment, text_.size());
            pos_ = close + 1;
            return std::make_unique<TZefReNode>(TZefReNodeKind::Empty);
        }
        bool on = true;
        for (;;) {
            if (AtEnd()) Fail(reeUrecognizedModifier, pos_);
            const unsigned char letter = Next();
            if (letter == ')') break;
            if (letter == '-') {
                on = false;
                continue;
            }
            const TZefRegExprModifiers bit = ZefModifierForLetter(static_cast<char>(letter));
            if (!bit) Fail(reeUrecognizedModifier, pos_ - 1);
            flags_ = on ? (flags_ | bit) : (flags_ & ~bit);
        }
        return std::make_unique<TZefReNode>(TZefReNodeKind::Empty);
    }
    if (groupCount_ >= kZefReMaxGroups) Fail(reeCompParseRegTooManyBrackets, pos_);
    auto group = std::make_unique<TZefReNode>(TZefReNodeKind::Group);
    group->number = ++groupCount_;
    const TZefRegExprModifiers saved = flags_; // modifier groups inside end with this group
    group->children.push_back(ParseAlternation());
    if (AtEnd()) Fail(reeCompParseRegUnmatchedBrackets, pos_);
    ++pos_; // the ")"
    flags_ = saved;
    return group;
}

TZefReNodePtr TZefReParser::ParseEscape()
{
    const unsigned char c = Next();
    auto setNode = [](const TZefRegExprCharSet& set, bool invert) {
        auto node = std::make_unique<TZefReNode>(TZefReNodeKind::Set);
        node->set = set;
        if (invert) node->set.Invert();
        return node;
    };
    switch (c) {
    case 'd': return setNode(ZefDigitChars(), false);
    case 'D': return setNode(ZefDigitChars(), true);
    case 'w': return setNode(ZefWordChars(), false);
    case 'W': return setNode(ZefWordChars(), true);
    case 's': return setNode(ZefSpaceChars(), false);
    case 'S': return setNode(ZefSpaceChars(), true);
    case 'A': return std::make_unique<TZefReNode>(TZefReNodeKind::InputStart);
    case 'Z': return std::make_unique<TZefReNode>(TZefReNodeKind::InputEnd);
    case 'b': return std::make_unique<TZefReNode>(TZefReNodeKind::WordBoundary);
    case 'B': return std::make_unique<TZefReNode>(TZefReNodeKind::NotWordBoundary);
    case 'x': return MakeLiteral(ParseHex());
    default:
        break;
    }
    if (c >= '1' && c <= '9') {
        auto node = std::make_unique<TZefReNode>(TZefReNodeKind::BackRef);
        node->number = c - '0';
        node->ignoreCase = (flags_ & rmIgnoreCase) != 0;
        return node;
    }
    const int control = ControlEscape(c);
    return MakeLiteral(control >= 0 ? static_cast<unsigned char>(control) : c);
}

unsigned char TZefReParser::ParseHex()
{
    if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
    if (Peek() == '{') {
        ++pos_;
        int value = 0;
        for (;;) {
            if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
            const unsigned char c = Next();
            if (c == '}') break;
            const int digit = HexValue(c);
            if (digit < 0) Fail(reeBadHexDigit, pos_ - 1);
            value = value * 16 + digit;
            if (value > 255) Fail(reeHexCodeAfterBSlashXTooBig, pos_ - 1);
        }
        return static_cast<unsigned char>(value);
    }
    const int high = HexValue(Next());
    if (high < 0) Fail(reeBadHexDigit, pos_ - 1);
    if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
    const int low = HexValue(Next());
    if (low < 0) Fail(reeBadHexDigit, pos_ - 1);
    return static_cast<unsigned char>(high * 16 + low);
}

TZefReParser::ClassMember TZefReParser::ReadClassMember()
{
    ClassMember member;
    const unsigned char c = Next();
    if (c != '\\') {
        member.ch = c;
        return member;
    }
    if (AtEnd()) Fail(reeParseAtomTrailingBackSlash, pos_);
    const unsigned char e = Next();
    const TZefRegExprCharSet* set = e == 'd' ? &ZefDigitChars() : e == 'w' ? &ZefWordChars() : e == 's' ? &ZefSpaceChars()
                                                                                                : nullptr;
    if (set) {
        member.isChar = false;
        member.set = *set;
    } else if (e == 'x') {
        member.ch = ParseHex();
    } else {
        const int control = ControlEscape(e);
        member.ch = control >= 0 ? static_cast<unsigned char>(control) : e;
    }
    return member;
}

void TZefReParser::AddClassRange(TZefRegExprCharSet& set, unsigned char from, unsigned char to, int position) const
{
    // Windows-1251 Cyrillic: 224..255 small letters (small yo is 184), 192..223 capitals (capital Yo is 168).
    if (flags_ & rmRussian) {
        const bool small = from == 224 && to == 255;
        const bool capital = from == 192 && to == 223;
        const bool both = from == 224 && to == 223;
        if (small || both) {
            set.AddRange(224, 255);
            set.Add(184);
        }
        if (capital || both) {
            set.AddRange(192, 223);
            set.Add(168);
        }
        if (small || capital || both) return;
    }
    if (to < from) Fail(reeInvalidRange, static_cast<size_t>(position));
    set.AddRange(from, to);
}

TZefReNodePtr TZefReParser::ParseClass()
{
    bool negate = false;
    if (!AtEnd() && Peek() == '^') {
        negate = true;
        ++pos_;
    }
    TZefRegExprCharSet set;
    for (bool first = true;; first = false) {
        if (AtEnd()) Fail(reeUnmatchedSqBrackets, pos_);
        if (Peek() == ']' && !first) {
            ++pos_;
            break;
        }
        const ClassMember member = ReadClassMember();
        if (!member.isChar) {
            set.AddSet(member.set);
            continue;
        }
        const bool range = !AtEnd() && Peek() == '-' && pos_ + 1 < text_.size() && text_[pos_ + 1] != ']';
        if (!range) {
            set.Add(member.ch);
            continue;
        }
        ++pos_; // the "-"
        const size_t endPos = pos_;
        if (text_[pos_] == '\\' && pos_ + 1 < text_.size() &&
            std::string_view("dDsSwW").find(text_[pos_ + 1]) != std::string_view::npos) {
            set.Add(member.ch);
            set.Add('-');
            continue; // the escape is read as the next member
        }
        const ClassMember end = ReadClassMember();
        AddClassRange(set, member.ch, end.ch, static_cast<int>(endPos));
    }
    if (flags_ & rmIgnoreCase) {
        TZefRegExprCharSet folded = set;
        for (int c = 0; c < 256; ++c) {
            if (set.Has(static_cast<unsigned char>(c))) folded.Add(ZefFlipCase(static_cast<unsigned char>(c)));
        }
        set = folded;
    }
    if (negate) set.Invert();
    auto node = std::make_unique<TZefReNode>(TZefReNodeKind::Set);
    node->set = set;
    return node;
}

void TZefReParser::SkipExtended()
{
    if (!(flags_ & rmExtended)) return;
    while (!AtEnd()) {
        const unsigned char c = Peek();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos_;
        } else if (c == '#') {
            while (!AtEnd() && Peek() != '\n' && Peek() != '\r') ++pos_;
        } else {
            break;
        }
    }
}
