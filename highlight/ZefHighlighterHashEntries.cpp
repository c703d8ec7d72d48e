// Hash entry lists: length-ordered insertion with the duplicate check, lookup and keyword enumeration.
#include "ZefHighlighterHashEntries.h"

#include "ZefHighlighterError.h"
#include "ZefKeyHash.h"

TZefHashEntry::TZefHashEntry(std::string keyword, int kind)
    : KeywordLen(static_cast<int>(keyword.size())), Keyword(std::move(keyword)), Kind(kind)
{
}

TZefHashEntry::~TZefHashEntry()
{
    std::unique_ptr<TZefHashEntry> rest = std::move(Next);
    while (rest) rest = std::move(rest->Next);
}

void TZefHashEntryList::Add(uint32_t hash, std::unique_ptr<TZefHashEntry> entry)
{
    if (hash >= buckets_.size()) buckets_.resize(static_cast<size_t>(hash) + 1);
    // Walk to the first longer entry, checking the shorter and equal ones for a duplicate on the way.
    std::unique_ptr<TZefHashEntry>* link = &buckets_[hash];
    while (*link && (*link)->KeywordLen <= entry->KeywordLen) {
        if (zefkeys::EqualIgnoringCase((*link)->Keyword, entry->Keyword)) {
            throw EZefHighlighterError("Keyword \"" + (*link)->Keyword + "\" already in list");
        }
        link = &(*link)->Next;
    }
    entry->Next = std::move(*link);
    *link = std::move(entry);
}

void TZefHashEntryList::Add(uint32_t hash, std::string_view keyword, int kind)
{
    Add(hash, std::make_unique<TZefHashEntry>(std::string(keyword), kind));
}

const TZefHashEntry* TZefHashEntryList::Get(uint32_t hash) const
{
    return hash < buckets_.size() ? buckets_[hash].get() : nullptr;
}

int TZefHashEntryList::FindIgnoringCase(uint32_t hash, std::string_view word, int notFound) const
{
    return Find(hash, word, notFound, zefkeys::EqualIgnoringCase);
}

void EnumerateKeywords(int kind, std::string_view keywords, const TZefCharSet& identChars,
                       const std::function<void(std::string_view keyword, int kind)>& add)
{
    if (keywords.empty() || !add) return;
    size_t i = 0;
    while (i < keywords.size()) {
        while (i < keywords.size() && !identChars.Contains(static_cast<unsigned char>(keywords[i]))) ++i;
        const size_t start = i;
        while (i < keywords.size() && identChars.Contains(static_cast<unsigned char>(keywords[i]))) ++i;
        if (i > start) add(keywords.substr(start, i - start), kind);
    }
}

int CountKeywords(std::string_view keywords, const TZefCharSet& identChars)
{
    int count = 0;
    EnumerateKeywords(0, keywords, identChars, [&count](std::string_view, int) { ++count; });
    return count;
}
