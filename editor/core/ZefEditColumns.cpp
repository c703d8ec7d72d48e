// Character index / display column conversion; a tab advances to the next multiple of the tab width.
#include "ZefEditColumns.h"

#include <algorithm>

namespace zefcolumns {

namespace {

int Advance(unsigned char c, int column0, int tabWidth)
{
    if (c != '\t' || tabWidth <= 1) return column0 + 1;
    return (column0 / tabWidth + 1) * tabWidth;
}

} // namespace

int CharToColumn(std::string_view line, int tabWidth, int charIndex)
{
    const int before = std::max(charIndex - 1, 0);
    const int inLine = std::min<int>(before, static_cast<int>(line.size()));
    int column0 = 0;
    for (int i = 0; i < inLine; ++i) column0 = Advance(static_cast<unsigned char>(line[static_cast<size_t>(i)]), column0, tabWidth);
    return column0 + (before - inLine) + 1;
}

int ColumnToChar(std::string_view line, int tabWidth, int column)
{
    const int target0 = std::max(column, 1) - 1;
    int column0 = 0;
    const int length = static_cast<int>(line.size());
    for (int i = 0; i < length; ++i) {
        const int next = Advance(static_cast<unsigned char>(line[static_cast<size_t>(i)]), column0, tabWidth);
        if (next > target0) return i + 1;
        column0 = next;
    }
    return length + 1 + (target0 - column0);
}

} // namespace zefcolumns
