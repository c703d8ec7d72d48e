// The regular-expression search engine: walks Exec / ExecNext over one line and keeps the match bounds.
#include "ZefEditRegexSearch.h"

#include <stdexcept>

namespace {

int At(const std::vector<int>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size())) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    return list[static_cast<size_t>(index)];
}

} // namespace

int TZefEditRegexSearch::GetLength(int index) const
{
    return At(lengths_, index);
}

int TZefEditRegexSearch::GetResult(int index) const
{
    return At(positions_, index);
}

void TZefEditRegexSearch::SetOptions(TSearchOptions value)
{
    regex_.SetModifier('i', (value & soMatchCase) == 0);
}

int TZefEditRegexSearch::FindAll(std::string_view text)
{
    positions_.clear();
    lengths_.clear();
    for (bool found = regex_.Exec(text); found; found = regex_.ExecNext()) {
        positions_.push_back(regex_.MatchStart(0));
        lengths_.push_back(regex_.MatchLength(0));
    }
    return static_cast<int>(positions_.size());
}

std::string TZefEditRegexSearch::Replace(std::string_view occurrence, std::string_view replacement)
{
    return regex_.ReplaceAll(occurrence, replacement, true);
}

std::string TZefEditRegexSearch::ReplacementFor(int index, std::string_view replacement)
{
    const int position = At(positions_, index);
    const int length = At(lengths_, index);
    if (replacement.find('$') == std::string_view::npos) return regex_.ExpandTemplate(replacement);
    // The search from the match's own start finds that match again: no match starts between the point the
    // walk searched from and this one, and the input (with the context before the match) is the same.
    if (!regex_.ExecPos(position) || regex_.MatchStart(0) != position || regex_.MatchLength(0) != length) {
        throw std::logic_error("The match could not be found again for its replacement");
    }
    return regex_.ExpandTemplate(replacement);
}
