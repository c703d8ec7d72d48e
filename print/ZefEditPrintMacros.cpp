// Macro expansion and Roman numerals for header and footer items.
#include "ZefEditPrintMacros.h"

#include "CodePage1252.h"

#include <array>
#include <utility>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp1252::ToUpper(static_cast<unsigned char>(a[i])) != cp1252::ToUpper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string PageNumberText(int64_t value, bool roman) { return roman ? IntToRoman(value) : std::to_string(value); }

// The replacement for a "$...$" piece, or false when the piece names no macro.
bool MacroText(std::string_view piece, const TZefMacroValues& values, std::string& out)
{
    if (SameIgnoringCase(piece, "$PAGENUM$")) out = PageNumberText(values.PageNumber, values.Roman);
    else if (SameIgnoringCase(piece, "$PAGECOUNT$")) out = PageNumberText(values.PageCount, values.Roman);
    else if (SameIgnoringCase(piece, "$TITLE$")) out = values.Title;
    else if (SameIgnoringCase(piece, "$DATE$")) out = values.Date;
    else if (SameIgnoringCase(piece, "$TIME$")) out = values.Time;
    else if (SameIgnoringCase(piece, "$DATETIME$")) out = values.Date + " " + values.Time;
    else if (SameIgnoringCase(piece, "$TIMEDATE$")) out = values.Time + " " + values.Date;
    else return false;
    return true;
}

} // namespace

std::string IntToRoman(int64_t value)
{
    static constexpr std::array<std::pair<int, const char*>, 13> kSteps{{
        {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
        {40, "XL"}, {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"},
    }};
    std::string result;
    if (value < 1) return result;
    // A page count is far below this; the cap only keeps an absurd value from building a huge string.
    if (value > 1'000'000) value = 1'000'000;
    for (const auto& [amount, letters] : kSteps) {
        while (value >= amount) {
            result += letters;
            value -= amount;
        }
    }
    return result;
}

std::string ExpandMacros(std::string_view text, const TZefMacroValues& values)
{
    if (text.find_first_not_of(' ') == std::string_view::npos) return {};
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    std::string replacement;
    while (pos < text.size()) {
        const size_t open = text.find('$', pos);
        if (open == std::string_view::npos) break;
        result.append(text.substr(pos, open - pos));
        const size_t close = text.find('$', open + 1);
        if (close == std::string_view::npos) {
            pos = open;
            break;
        }
        if (MacroText(text.substr(open, close - open + 1), values, replacement)) {
            result += replacement;
            pos = close + 1;
        } else {
            // Not a macro: copied up to its closing "$", which may open the next macro.
            result.append(text.substr(open, close - open));
            pos = close;
        }
    }
    if (pos < text.size()) result.append(text.substr(pos));
    return result;
}
