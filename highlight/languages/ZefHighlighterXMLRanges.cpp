// The XML highlighter's range scan without tokens: the same state machine, stepping over what cannot change
// the state in one go. In text only "<" matters (an entity reference returns to text and never takes a
// "<"); comments, CDATA, processing instructions and the DOCTYPE end at their closing text; inside a tag
// blanks, "<" and ">" are taken at every token start as the handlers take them, and names, values and
// entity references move exactly as their tokens do. A line break at a token's start in the states with a
// scanner of their own is a blank token that changes nothing, so those states simply search on.
#include "ZefHighlighterXML.h"

#include <cstring>

namespace {

constexpr TZefCharSet kNameChars = TZefCharSet("-.:_").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');

// Past the name characters from `i`.
size_t SkipName(std::string_view line, size_t i)
{
    while (i < line.size() && kNameChars.Contains(static_cast<unsigned char>(line[i]))) ++i;
    return i;
}

bool At(std::string_view line, size_t i, std::string_view text) { return line.substr(i).starts_with(text); }

} // namespace

void TZefXMLSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    const size_t size = line.size();
    auto state = static_cast<TRangeState>(Range());
    size_t i = 0;
    // Each pass moves `i` or the state; a pass that leaves the line sets the state it ends in and stops.
    while (i < size) {
        switch (state) {
        case rsText: {
            const void* open = std::memchr(line.data() + i, '<', size - i);
            if (open == nullptr) {
                i = size;
                continue;
            }
            i = static_cast<size_t>(static_cast<const char*>(open) - line.data());
            break; // the tag opener below
        }
        case rsComment:
        case rsCDATA:
        case rsProcessingInstruction: {
            const std::string_view close = state == rsComment ? "-->" : state == rsCDATA ? "]]>" : "?>";
            const size_t found = line.find(close, i);
            if (found == std::string_view::npos) {
                i = size;
            } else {
                i = found + close.size();
                state = rsText;
            }
            continue;
        }
        case rsDocType: {
            const size_t stop = line.find_first_of("[>", i);
            if (stop == std::string_view::npos) {
                i = size;
            } else if (line[stop] == '>') {
                i = stop + 1;
                state = rsText;
            } else {
                // The internal subset ends at its "]" on this line, or carries over.
                const size_t close = line.find(']', stop + 1);
                if (close == std::string_view::npos) {
                    i = size;
                    state = rsDocTypeSubset;
                } else {
                    i = close + 1;
                }
            }
            continue;
        }
        case rsDocTypeSubset: {
            const size_t close = line.find(']', i);
            if (close == std::string_view::npos) {
                i = size;
            } else {
                i = close + 1;
                state = rsDocType;
            }
            continue;
        }
        default: {
            // The tag and value states: the handlers first, at every token start.
            const auto c = static_cast<unsigned char>(line[i]);
            if (c >= 1 && c <= ' ') {
                ++i;
                continue;
            }
            if (c == '>') {
                ++i;
                state = rsText;
                continue;
            }
            if (c == '<') break; // the tag opener below
            switch (state) {
            case rsElement:
                // A name (an empty one too) and then attributes.
                if (c == '/') ++i;
                i = SkipName(line, i);
                state = rsAttribute;
                continue;
            case rsAttribute: {
                if (c == '"' || c == '\'') {
                    ++i;
                    continue;
                }
                const size_t start = i;
                i = SkipName(line, i);
                state = line.substr(start, i - start).find("xmlns") != std::string_view::npos ? rsNsEqual : rsEqual;
                continue;
            }
            case rsEqual:
            case rsNsEqual: {
                // Up to and including the opening quote or a "/"; it stops before "<" and ">".
                const bool ns = state == rsNsEqual;
                while (i < size) {
                    const char e = line[i];
                    if (e == '<' || e == '>') break;
                    ++i;
                    if (e == '"') {
                        state = ns ? rsNsQuoteValue : rsQuoteValue;
                        break;
                    }
                    if (e == '\'') {
                        state = ns ? rsNsAposValue : rsAposValue;
                        break;
                    }
                    if (e == '/') {
                        state = rsElement;
                        break;
                    }
                }
                continue;
            }
            case rsQuoteValue:
            case rsAposValue:
            case rsNsQuoteValue:
            case rsNsAposValue: {
                const char quote = state == rsQuoteValue || state == rsNsQuoteValue ? '"' : '\'';
                if (c == static_cast<unsigned char>(quote)) {
                    ++i;
                    state = rsAttribute;
                } else if (c == '&') {
                    // An entity reference, back in the value.
                    ++i;
                    if (i < size && line[i] == '#') ++i;
                    i = SkipName(line, i);
                    if (i < size && line[i] == ';') ++i;
                } else {
                    while (i < size && line[i] != quote && line[i] != '&') ++i;
                }
                continue;
            }
            default:
                // The entity references last within a line, and no stored range holds them.
                state = rsText;
                continue;
            }
        }
        }
        // At a "<": the tag opener.
        ++i;
        if (i < size && line[i] == '/') ++i;
        if (At(line, i, "!--")) {
            i += 3;
            state = rsComment;
        } else if (At(line, i, "!DOCTYPE")) {
            i += 8;
            state = rsDocType;
        } else if (At(line, i, "![CDATA[")) {
            i += 8;
            state = rsCDATA;
        } else if (At(line, i, "?")) {
            i += 1;
            state = rsProcessingInstruction;
        } else {
            if (At(line, i, "!")) ++i;
            state = rsElement;
        }
    }
    SetScannedRange(state, lineIndex);
}
