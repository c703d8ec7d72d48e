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
