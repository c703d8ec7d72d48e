// The line breaks of a document whose lines do not all end alike: one entry per line, kept only for such files.
#pragma once

#include "ZefEditTypes.h"

#include <cstddef>
#include <vector>

// A file whose breaks are all of one style (the common case) needs no table: LineBreakStyle says it all,
// so the table is inactive and costs nothing. A file with mixed breaks gets one byte per line, the break
// that followed the line in the file, so that it is written back byte for byte.
//
// The line store keeps the table in step with its lines, one rule for every operation: a line's break
// travels with the line. Replacing a line's text keeps its break; inserted lines take the document's style;
// removing a line removes its break; exchanging lines exchanges their breaks. So splitting a line (Enter)
// leaves the old break on the first part and gives the new line the document's style, and joining lines
// keeps the first line's break. The entry of the last line is its break once another line follows it;
// whether the last line itself is followed by a break is the store's TrailingLineBreak. One exception when
// saving: a lone CR right before an empty line ending in LF is written as CR LF, or the two breaks would read
// back as one.
class TZefLineBreakTable {
public:
    bool Active() const { return !breaks_.empty(); }
    TLineBreakStyle At(int index) const { return breaks_[static_cast<size_t>(index)]; }

    // Takes over the breaks of a load; an empty vector makes the table inactive.
    void Assign(std::vector<TLineBreakStyle> breaks) { breaks_ = std::move(breaks); }
    void Clear() { std::vector<TLineBreakStyle>().swap(breaks_); }

    // Each does nothing while the table is inactive.
    void Insert(int index, int count, TLineBreakStyle style);
    void Remove(int index, int count);
    void Exchange(int index1, int index2);

private:
    std::vector<TLineBreakStyle> breaks_;
};
