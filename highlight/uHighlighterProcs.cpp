// The highlighter list and the extension lookup.
#include "uHighlighterProcs.h"

#include "CodePage1252.h"
#include "ZefKeyHash.h"

#include <algorithm>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return lower;
}

bool FoldedLess(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return cp1252::ToLower(static_cast<unsigned char>(x)) < cp1252::ToLower(static_cast<unsigned char>(y));
    });
}

} // namespace

void CollectHighlighters(const std::vector<TZefCustomHighlighter*>* owner, THighlighterList* list, bool append)
{
    if (owner == nullptr || list == nullptr) return;
    if (!append) list->clear();
    for (auto it = owner->rbegin(); it != owner->rend(); ++it) {
        if (*it == nullptr) continue;
        const std::string name = (*it)->GetLanguageName();
        const bool known = std::any_of(list->begin(), list->end(), [&](const THighlighterEntry& entry) {
            return zefkeys::EqualIgnoringCase(entry.Name, name);
        });
        if (!known) list->push_back({name, *it});
    }
    std::stable_sort(list->begin(), list->end(),
                     [](const THighlighterEntry& a, const THighlighterEntry& b) { return FoldedLess(a.Name, b.Name); });
}

std::string BuildHighlighterFilter(const THighlighterList* list)
{
    std::string filter;
    if (list == nullptr) return filter;
    for (const THighlighterEntry& entry : *list) {
        if (entry.Highlighter == nullptr) continue;
        const std::string own = entry.Highlighter->GetDefaultFilter();
        if (own.empty()) continue;
        filter += own;
        if (own.back() != '|') filter += '|';
    }
    return filter;
}

TZefCustomHighlighter* FindHighlighterByExt(const THighlighterList* list, std::string_view ext)
{
    if (list == nullptr || ext.empty()) return nullptr;
    const std::string wanted = Lower(ext);
    for (const THighlighterEntry& entry : *list) {
        if (entry.Highlighter == nullptr) continue;
        const std::string filter = Lower(entry.Highlighter->GetDefaultFilter());
        const size_t bar = filter.find('|');
        if (bar == std::string::npos) continue;
        const std::string_view patterns = std::string_view(filter).substr(bar + 1);
        const size_t at = patterns.find(wanted);
        if (at == std::string_view::npos) continue;
        const size_t after = at + wanted.size();
        if (after == patterns.size() || patterns[after] == ';') return entry.Highlighter;
    }
    return nullptr;
}

std::string ExtractFileExt(std::string_view fileName)
{
    const size_t slash = fileName.find_last_of("/\\");
    const std::string_view last = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = last.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(last.substr(dot));
}

int IndexOfHighlighter(const THighlighterList& list, std::string_view name)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].Name == name) return static_cast<int>(i);
    }
    return -1;
}
