// The Cascading Style Sheet highlighter's range scan without tokens. In a selector only "{" and "/*" change
// the state (a selector token stops at both). In a declaration block the block's symbols, strings and
// comments change it where a token starts, so property names and values are passed token by token as the
// token loop passes them: a property name runs to its stops (a "," inside it stays), a colour, a number or
// a string keeps the value state, and any other value runs to the next ",", ";", "}" or comment and returns
// to property names.
#include "ZefHighlighterCss.h"

namespace {

// What changes the state in a selector.
constexpr TZefCharSet kSelectorStops = TZefCharSet("{/");
// What ends a property name, and a value run (a "/" only with "*" after it).
constexpr TZefCharSet kPropertyStops = TZefCharSet("\":;{}/").AddRange(1, 32);
constexpr TZefCharSet kValueStops = TZefCharSet(",;}/");
constexpr TZefCharSet kDigits = zefchars::Digits();
constexpr TZefCharSet kHexDigits = zefchars::HexDigits();

size_t SkipUntil(std::string_view line, size_t i, const TZefCharSet& stops)
{
    while (i < line.size() && !stops.Contains(static_cast<unsigned char>(line[i]))) ++i;
    return i;
}

// To the first character of `stops` that is not a "/" without "*" after it, or the line end.
size_t SkipToStop(std::string_view line, size_t i, const TZefCharSet& stops)
{
    while ((i = SkipUntil(line, i, stops)) < line.size() && line[i] == '/' &&
           (i + 1 >= line.size() || line[i + 1] != '*'))
        ++i;
    return i;
}

// Past a string from its quote at `i`: through the next quote, or to the line end.
size_t SkipString(std::string_view line, size_t i)
{
    const size_t close = line.find('"', i + 1);
    return close == std::string_view::npos ? line.size() : close + 1;
}

} // namespace

void TZefCssSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    const size_t size = line.size();
    TZefRangeState state = Range();
    size_t i = 0;
    while (i < size) {
        switch (state) {
        case rsComment:
        case rsCommentInDeclaration:
        case rsCommentInPropertyName:
        case rsCommentInValue: {
            const size_t close = line.find("*/", i);
            if (close == std::string_view::npos) {
                i = size;
                continue;
            }
            i = close + 2;
            state = state == rsCommentInDeclaration ? rsDeclaration
                    : state == rsCommentInPropertyName ? rsPropertyName
                    : state == rsCommentInValue        ? rsValue
                                                       : rsSelector;
            continue;
        }
        case rsSelector: i = SkipUntil(line, i, kSelectorStops); break;
        default: break;
        }
        if (i == size) break;
        const auto c = static_cast<unsigned char>(line[i]);
        if (c >= 1 && c <= ' ') {
            ++i;
            continue;
        }
        if (c == '/') {
            if (i + 1 < size && line[i + 1] == '*') {
                const size_t close = line.find("*/", i + 2);
                if (close == std::string_view::npos) {
                    state = state == rsDeclaration    ? rsCommentInDeclaration
                            : state == rsPropertyName ? rsCommentInPropertyName
                            : state == rsValue        ? rsCommentInValue
                                                      : rsComment;
                    break;
                }
                i = close + 2;
            } else if (state == rsValue) {
                // A lone "/" in a value: a value run.
                i = SkipToStop(line, i + 1, kValueStops);
                state = rsPropertyName;
            } else {
                ++i;
            }
            continue;
        }
        if (state == rsSelector) {
            // At "{".
            ++i;
            state = rsDeclaration;
            continue;
        }
        // The block's symbols and strings, alike in property names and values.
        switch (c) {
        case '"': i = SkipString(line, i); continue;
        case ':':
        case ',': ++i; state = rsValue; continue;
        case ';': ++i; state = rsPropertyName; continue;
        case '{': ++i; state = rsDeclaration; continue;
        case '}': ++i; state = rsSelector; continue;
        default: break;
        }
        if (state != rsValue) {
            // A property name, known or not.
            i = SkipToStop(line, i + 1, kPropertyStops);
            continue;
        }
        if (c == '#') {
            for (++i; i < size && kHexDigits.Contains(static_cast<unsigned char>(line[i]));) ++i;
        } else if (kDigits.Contains(c) || c == '.') {
            for (++i; i < size && (kDigits.Contains(static_cast<unsigned char>(line[i])) || line[i] == '.'); ++i) {
                if (line[i] == '.' && i + 1 < size && line[i + 1] == '.') break;
            }
        } else {
            // Any other value: to the next ",", ";", "}" or comment, then property names again.
            i = SkipToStop(line, i + 1, kValueStops);
            state = rsPropertyName;
        }
    }
    SetScannedRange(state, lineIndex);
}
