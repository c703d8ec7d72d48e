// Taking lines into the print engine's copy.
#include "ZefEditPrintLines.h"

#include "ZefEditTextBuffer.h"

#include <cstring>

namespace {

// Lines between two calls of the progress: a few milliseconds of work.
constexpr uint64_t kLinesPerStep = 16384;

} // namespace

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

void TZefPrintLines::Assign(const TZefEditStringList& lines, int tabWidth, const TZefWorkProgress& progress)
{
    // Taken into a copy of its own first, so that a stop leaves the old one whole.
    TZefPrintLines taken;
    const int count = lines.Count();
    TZefProgressTicker ticker(progress, static_cast<uint64_t>(count), kLinesPerStep);
    size_t total = 0;
    for (int i = 0; i < count; ++i) total += lines.GetLine(i).size();
    taken.text_.reserve(total);
    taken.starts_.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        ticker.CheckAt(static_cast<uint64_t>(i));
        taken.Add(lines.GetLine(i), tabWidth);
    }
    Swap(taken);
}

void TZefPrintLines::Assign(const std::vector<std::string>& lines, int tabWidth)
{
    Clear();
    starts_.reserve(lines.size() + 1);
    for (const std::string& line : lines) Add(line, tabWidth);
}
