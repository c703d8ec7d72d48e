// A header or footer as the page setup dialog edits it: three sections (left, centre, right), each a list of
// lines with one font per line; line i of a section is the item of row i + 1 with the section's alignment.
#pragma once

#include "ZefEditPrintHeaderFooter.h"

#include <array>
#include <string>
#include <vector>

struct TZefSectionLine {
    std::string Text; // code-page bytes, may hold macros
    TZefPrintFont Font;

    bool operator==(const TZefSectionLine&) const = default;
};

using TZefSectionLines = std::vector<TZefSectionLine>;

enum TZefSection : uint8_t { secLeft, secCenter, secRight };
inline constexpr int kZefSectionCount = 3;
using TZefSections = std::array<TZefSectionLines, kZefSectionCount>;

TZefAlignment ZefSectionAlignment(TZefSection section);

// The block's items laid into sections. Rows are numbered as they print (gaps between row numbers close up)
// and each item goes to the line of its row; a line a section has no item for is an empty line in the font of
// that row's first item, so it changes neither the text nor the row's height. A second item of one section and
// row goes to the section's next free line.
TZefSections ZefSectionsFromItems(const THeaderFooter& block);

// Replaces the block's items: the left, then the centre, then the right section, each line an item of its
// section's alignment on row line index + 1. Frames, colours and options are left alone.
void ZefItemsFromSections(THeaderFooter& block, const TZefSections& sections);
