// Taking lines into the print engine's copy.
#include "ZefEditPrintLines.h"

#include "ZefEditTextBuffer.h"

#include <cstring>

void TZefPrintLines::Clear()
{
    text_.clear();
    starts_.assign(1, 0);
}

void TZefPrintLines::Add(std::string_view line, int tabWidth)
{
    if (std::memchr(line.data(), '\t', line.size()) != nullptr) text_ += TZefEditStringList::ExpandTabs(line, tabWidth);
    else text_.append(line);
    starts_.push_back(text_.size());
}

void TZefPrintLines::Assign(const TZefEditStringList& lines, int tabWidth)
{
    Clear();
    size_t total = 0;
    for (int i = 0; i < lines.Count(); ++i) total += lines.GetLine(i).size();
    text_.reserve(total);
    starts_.reserve(static_cast<size_t>(lines.Count()) + 1);
    for (int i = 0; i < lines.Count(); ++i) Add(lines.GetLine(i), tabWidth);
}

void TZefPrintLines::Assign(const std::vector<std::string>& lines, int tabWidth)
{
    Clear();
    starts_.reserve(lines.size() + 1);
    for (const std::string& line : lines) Add(line, tabWidth);
}
