// The keyword lookups of the table-driven languages.
#include "ZefKeywordLookup.h"

#include "CodePage1252.h"

#include <algorithm>

void TZefKeywordLookup::AddGroup(std::string_view keywords, int kind)
{
    static constexpr TZefCharSet kWordChars = TZefCharSet().AddRange('0', '9').AddRange('A', 'Z').Add('_').AddRange('a', 'z');
    EnumerateKeywords(kind, keywords, kWordChars, [this](std::string_view keyword, int k) { Add(keyword, k); });
}

TZefHashEntryKeywordLookup::TZefHashEntryKeywordLookup(THashFunction hash, int identifierKind)
    : TZefKeywordLookup(identifierKind), hash_(hash)
{
}

void TZefHashEntryKeywordLookup::Add(std::string_view keyword, int kind)
{
    entries_.Add(hash_(keyword), keyword, kind); // raises for a duplicate before the table changes
    tails_.Add(zeffold::Folded(keyword), kind);
}

namespace {

// Compares a folded entry with a word folded on the fly.
int CompareFolded(std::string_view entry, std::string_view word)
{
    const size_t common = std::min(entry.size(), word.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char a = static_cast<unsigned char>(entry[i]);
        const unsigned char b = cp1252::ToLower(static_cast<unsigned char>(word[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    return entry.size() == word.size() ? 0 : (entry.size() < word.size() ? -1 : 1);
}

} // namespace

void TZefSortedKeywordLookup::Add(std::string_view keyword, int kind)
{
    std::string folded = zeffold::Folded(keyword);
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), folded,
                                     [](const Entry& entry, const std::string& key) { return entry.folded < key; });
    if (at != entries_.end() && at->folded == folded) return;
    entries_.insert(at, Entry{std::move(folded), kind});
}

int TZefSortedKeywordLookup::KindOf(std::string_view word) const
{
    size_t low = 0;
    size_t high = entries_.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        const int order = CompareFolded(entries_[middle].folded, word);
        if (order == 0) return entries_[middle].kind;
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return IdentifierKind();
}

namespace zefkeys {

TZefKeyHashTables LetterHashTables()
{
    TZefKeyHashTables tables;
    for (int c = 0; c < 26; ++c) {
        tables.ident.Add(static_cast<unsigned char>('a' + c)).Add(static_cast<unsigned char>('A' + c));
        tables.value[static_cast<size_t>('a' + c)] = static_cast<uint16_t>(c + 1);
        tables.value[static_cast<size_t>('A' + c)] = static_cast<uint16_t>(c + 1);
    }
    tables.ident.Add('_').AddRange('0', '9');
    tables.value['_'] = 31;
    return tables;
}

} // namespace zefkeys
