// Conversion between character indexes of a line and display columns after tab expansion.
#pragma once

#include <string>
#include <string_view>

namespace zefcolumns {

// Display column (from 1) of character index charIndex (from 1): 1 + the expanded width of the characters
// before it; every position beyond the line end is one column. O(charIndex).
int CharToColumn(std::string_view line, int tabWidth, int charIndex);

// Character index (from 1) at display column column (from 1): walks the line adding widths until the sum
// reaches the column, so a column inside a tab's span gives the index of that tab; beyond the line end each
// column is one index. Columns below 1 count as 1. O(length of the line).
int ColumnToChar(std::string_view line, int tabWidth, int column);

// Columns firstColumn..lastColumn (from 1) of the line's tab expansion, cut at the line's end: one byte per
// column, a tab's columns filled with byte 9 (with tab width 1, a tab is one space). Builds only the columns
// asked for, so a screen of a very long line costs a screen, plus a scan for the tabs before it.
std::string ExpandedColumns(std::string_view line, int tabWidth, int firstColumn, int lastColumn);

} // namespace zefcolumns
