// The Object Pascal highlighter's range scan without tokens. Only comments, ";" and the words asm, end,
// property and exports change the state, but a word is one only where a token starts: numbers take "e"
// and hexadecimal and character codes take the letters a to f, so those tokens are passed exactly as the
// token loop passes them, and so are strings. Every other character is a token of its own or an operator
// whose characters start nothing else, and is stepped over.
#include "ZefHighlighterPas.h"

#include "CodePage1252.h"
#include "DoubleByte.h"

#include <array>

namespace {

enum TByteClass : uint8_t {
    kOther, kBlank, kWordStart, kDigit, kHex, kCharCode, kQuote, kBrace, kParen, kSlash, kSemicolon,
};

constexpr std::array<uint8_t, 256> MakeClasses()
{
    std::array<uint8_t, 256> classes{};
    for (int c = 1; c <= ' '; ++c) classes[static_cast<size_t>(c)] = kBlank;
    for (int c = 'A'; c <= 'Z'; ++c) classes[static_cast<size_t>(c)] = kWordStart;
    for (int c = 'a'; c <= 'z'; ++c) classes[static_cast<size_t>(c)] = kWordStart;
    classes['_'] = kWordStart;
    for (int c = '0'; c <= '9'; ++c) classes[static_cast<size_t>(c)] = kDigit;
    classes['$'] = kHex;
    classes['#'] = kCharCode;
    classes['\''] = kQuote;
    classes['{'] = kBrace;
    classes['('] = kParen;
    classes['/'] = kSlash;
    classes[';'] = kSemicolon;
    return classes;
}
constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

constexpr TZefCharSet kWordChars = TZefCharSet("_").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kHexDigits = zefchars::HexDigits();
constexpr TZefCharSet kCharCodeBody = zefchars::HexDigits().Add('$');

size_t SkipWhile(std::string_view line, size_t i, const TZefCharSet& set)
{
    while (i < line.size() && set.Contains(static_cast<unsigned char>(line[i]))) ++i;
    return i;
}

// Past a number from its first digit at `i`, as its token: a fraction and an exponent, a sign only after the
// "e" of a float, never "..".
size_t SkipNumber(std::string_view line, size_t i)
{
    bool isFloat = false;
    const size_t size = line.size();
    for (++i; i < size; ++i) {
        const char c = line[i];
        if (c == '.') {
            if (i + 1 < size && line[i + 1] == '.') break;
            isFloat = true;
        } else if (c == 'e' || c == 'E') {
            isFloat = true;
        } else if (c == '+' || c == '-') {
            if (!isFloat || (line[i - 1] != 'e' && line[i - 1] != 'E')) break;
        } else if (c < '0' || c > '9') {
            break;
        }
    }
    return i;
}

// Past a string from its quote at `i`: to the next quote that no second quote follows, or the line end.
size_t SkipString(std::string_view line, size_t i)
{
    const size_t size = line.size();
    for (++i; i < size;) {
        const bool quote = line[i] == '\'';
        if (quote && i + 1 < size && line[i + 1] == '\'') {
            i += 2;
            continue;
        }
        ++i;
        if (quote) break;
    }
    return i;
}

// The word in any letter case (`lower` in lower case).
bool IsWord(std::string_view word, std::string_view lower)
{
    if (word.size() != lower.size()) return false;
    const unsigned char* const fold = cp1252::LowerTable();
    for (size_t i = 0; i < word.size(); ++i) {
        if (fold[static_cast<unsigned char>(word[i])] != static_cast<unsigned char>(lower[i])) return false;
    }
    return true;
}

} // namespace

void TZefPasSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    const size_t size = line.size();
    TZefRangeState state = Range();
    size_t i = 0;
    while (i < size) {
        switch (state) {
        case rsBraceComment:
        case rsBraceCommentAsm:
        case rsAnsiComment:
        case rsAnsiCommentAsm: {
            const bool brace = state == rsBraceComment || state == rsBraceCommentAsm;
            const size_t close = line.find(brace ? "}" : "*)", i);
            if (close == std::string_view::npos) {
                i = size;
                continue;
            }
            i = close + (brace ? 1 : 2);
            state = state == rsBraceCommentAsm || state == rsAnsiCommentAsm ? rsAsm : rsUnknown;
            continue;
        }
        default: break;
        }
        const auto c = static_cast<unsigned char>(line[i]);
        switch (kClasses[c]) {
        case kWordStart: {
            const size_t start = i;
            i = SkipWhile(line, i + 1, kWordChars);
            // Only these words change the state, and the words of the lists are plain letters.
            const std::string_view word = line.substr(start, i - start);
            if (word.size() == 3) {
                if (IsWord(word, "asm")) state = rsAsm;
                else if (IsWord(word, "end")) state = rsUnknown;
            } else if (word.size() == 8 && IsWord(word, "property")) {
                state = rsProperty;
            } else if (word.size() == 7 && IsWord(word, "exports")) {
                state = rsExports;
            }
            break;
        }
        case kDigit: i = SkipNumber(line, i); break;
        case kHex: i = SkipWhile(line, i + 1, kHexDigits); break;
        case kCharCode: i = SkipWhile(line, i + 1, kCharCodeBody); break;
        case kQuote: i = SkipString(line, i); break;
        case kBrace:
        case kParen: {
            const bool brace = c == '{';
            if (!brace && (i + 1 >= size || line[i + 1] != '*')) {
                ++i; // "(" or "(." alone: nothing after it starts differently
                break;
            }
            const bool inAsm = state == rsAsm;
            const size_t close = line.find(brace ? "}" : "*)", i + (brace ? 1 : 2));
            if (close == std::string_view::npos) {
                state = brace ? (inAsm ? rsBraceCommentAsm : rsBraceComment) : (inAsm ? rsAnsiCommentAsm : rsAnsiComment);
                i = size;
            } else {
                state = inAsm ? rsAsm : rsUnknown;
                i = close + (brace ? 1 : 2);
            }
            break;
        }
        case kSlash:
            if (i + 1 < size && line[i + 1] == '/' && version_ != dvDelphi1) {
                i = size; // a comment to the line end
            } else {
                ++i;
            }
            break;
        case kSemicolon:
            if (state == rsProperty || state == rsExports) state = rsUnknown;
            ++i;
            break;
        default:
            // A blank, a symbol, an operator's first character or an unknown character (a lead byte with
            // its trail byte).
            i += dbcs::IsLeadByte(c) && i + 1 < size ? 2 : 1;
            break;
        }
    }
    SetScannedRange(state, lineIndex);
}
