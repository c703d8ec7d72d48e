// Header and footer items <-> section lines.
#include "ZefHeadFootSections.h"

#include <algorithm>
#include <map>

TZefAlignment ZefSectionAlignment(TZefSection section)
{
    switch (section) {
    case secCenter: return taCenter;
    case secRight: return taRightJustify;
    case secLeft: break;
    }
    return taLeftJustify;
}

namespace {

TZefSection SectionOf(TZefAlignment alignment)
{
    switch (alignment) {
    case taCenter: return secCenter;
    case taRightJustify: return secRight;
    case taLeftJustify: break;
    }
    return secLeft;
}

} // namespace

TZefSections ZefSectionsFromItems(const THeaderFooter& block)
{
    // Row numbers as printed: the distinct numbers in ascending order become 0, 1, 2, ...; each row's font
    // for padding lines is the font of its first item.
    std::map<int, int> rowOf;
    for (int i = 0; i < block.Count(); ++i) rowOf.emplace(block.Items(i).LineNumber, 0);
    int next = 0;
    for (auto& entry : rowOf) entry.second = next++;
    std::vector<const TZefPrintFont*> rowFont(rowOf.size(), nullptr);
    for (int i = 0; i < block.Count(); ++i) {
        const THeaderFooterItem& item = block.Items(i);
        const TZefPrintFont*& font = rowFont[static_cast<size_t>(rowOf[item.LineNumber])];
        if (font == nullptr) font = &item.Font;
    }

    // Items in row order, keeping the list's order within a row.
    std::vector<int> order(static_cast<size_t>(block.Count()));
    for (int i = 0; i < block.Count(); ++i) order[static_cast<size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&block](int a, int b) { return block.Items(a).LineNumber < block.Items(b).LineNumber; });

    TZefSections sections;
    for (const int index : order) {
        const THeaderFooterItem& item = block.Items(index);
        TZefSectionLines& lines = sections[SectionOf(item.Alignment)];
        const size_t row = static_cast<size_t>(rowOf[item.LineNumber]);
        while (lines.size() < row) lines.push_back({std::string(), *rowFont[lines.size()]});
        lines.push_back({item.Text, item.Font});
    }
    return sections;
}

void ZefItemsFromSections(THeaderFooter& block, const TZefSections& sections)
{
    block.Clear();
    for (int section = 0; section < kZefSectionCount; ++section) {
        const TZefAlignment alignment = ZefSectionAlignment(static_cast<TZefSection>(section));
        const TZefSectionLines& lines = sections[static_cast<size_t>(section)];
        for (size_t i = 0; i < lines.size(); ++i)
            block.Add(lines[i].Text, &lines[i].Font, alignment, static_cast<int>(i) + 1);
    }
}
