// How a printed line is cut into rows, and how rows fill pages. Counting and drawing both use these, so the
// pages printed are the pages counted and every character lands in exactly one row.
#pragma once

#include "ZefWorkProgress.h"

#include <cstddef>
#include <string_view>
#include <vector>

class TZefPrintLines;

// Appends the word-wrap positions of `line` (1-based index of the separator after which a row ends) for rows
// of at most `capacity` characters, and answers true; answers false, adding nothing, when some stretch of
// `capacity` characters holds no separator. A line that fits needs no position.
bool WrapText(std::string_view line, std::string_view separators, size_t capacity, std::vector<size_t>& positions);

// The 0-based offsets at which the rows of `line` start (always at least {0}). Without wrap, or when the
// line fits `capacity`, one row. Otherwise word wrap after tab, space, "," or "-"; failing that after ")",
// "." or ";"; failing that a cut every `capacity` characters. No row is longer than `capacity` (>= 1).
void SplitRows(std::string_view line, size_t capacity, bool wrap, std::vector<size_t>& rowStarts);

// The number of rows SplitRows gives; O(1) for a line that fits.
size_t RowCount(std::string_view line, size_t capacity, bool wrap, std::vector<size_t>& scratch);

// Where a page starts: a line and the row of that line (a line taller than a page goes on over pages).
struct TPageLine {
    int FirstLine = 0;
    size_t FirstRow = 0;
    bool operator==(const TPageLine&) const = default;
};

// The start of every page (at least one, even for no lines) for pages of `rowsPerPage` (>= 1) rows. A line
// that does not fit on the rest of a page that already holds something starts the next page; a line taller
// than a page fills the pages it needs; a new page is never started while the current one is empty.
// progress hears the lines counted of all; a stop raises EZefWorkCancelled.
std::vector<TPageLine> PaginateRows(const TZefPrintLines& lines, size_t capacity, bool wrap, size_t rowsPerPage,
                                    const TZefWorkProgress& progress = {});
