// Keeping a mixed file's per-line breaks in step with line insertions, removals and exchanges.
#include "ZefEditLineBreaks.h"

#include <utility>

void TZefLineBreakTable::Insert(int index, int count, TLineBreakStyle style)
{
    if (!Active() || count <= 0) return;
    breaks_.insert(breaks_.begin() + index, static_cast<size_t>(count), style);
}

void TZefLineBreakTable::Remove(int index, int count)
{
    if (!Active() || count <= 0) return;
    breaks_.erase(breaks_.begin() + index, breaks_.begin() + index + count);
    if (breaks_.empty()) Clear(); // a store without lines has nothing mixed left
}

void TZefLineBreakTable::Exchange(int index1, int index2)
{
    if (!Active()) return;
    std::swap(breaks_[static_cast<size_t>(index1)], breaks_[static_cast<size_t>(index2)]);
}
