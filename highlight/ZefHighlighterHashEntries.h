// Keyword lookup by hash entry lists: keywords filled at run time into length-ordered bucket chains.
#pragma once

#include "ZefCharSet.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One keyword of a bucket chain; owns the rest of the chain.
struct TZefHashEntry {
    TZefHashEntry(std::string keyword, int kind);
    // Frees the rest of the chain without recursion.
    ~TZefHashEntry();
    TZefHashEntry(const TZefHashEntry&) = delete;
    TZefHashEntry& operator=(const TZefHashEntry&) = delete;

    std::unique_ptr<TZefHashEntry> Next;
    int KeywordLen;
    std::string Keyword;
    int Kind;
};

// Buckets indexed by the caller's hash value; the list grows to index + 1 when an entry lands beyond its end.
// Each chain is ordered by ascending keyword length, entries of equal length in insertion order, so a lookup
// stops at the first longer entry. Keywords compare ignoring case (Windows-1252 folding) when added.
class TZefHashEntryList {
public:
    // Raises EZefHighlighterError "Keyword \"%s\" already in list" (the existing keyword) for a keyword
    // equal to one in its bucket ignoring case; the list is then unchanged.
    void Add(uint32_t hash, std::unique_ptr<TZefHashEntry> entry);
    void Add(uint32_t hash, std::string_view keyword, int kind);
    void Clear() { buckets_.clear(); }

    int Count() const { return static_cast<int>(buckets_.size()); }
    // The first entry of the bucket, or nullptr (also beyond the end).
    const TZefHashEntry* Get(uint32_t hash) const;

    // The kind of the first entry of equal length for which equal(word, keyword) holds, walking the bucket
    // and stopping at the first longer entry; `notFound` when there is none.
    template <typename Equal>
    int Find(uint32_t hash, std::string_view word, int notFound, Equal equal) const
    {
        for (const TZefHashEntry* entry = Get(hash); entry; entry = entry->Next.get()) {
            if (static_cast<size_t>(entry->KeywordLen) > word.size()) break;
            if (static_cast<size_t>(entry->KeywordLen) == word.size() && equal(word, entry->Keyword)) return entry->Kind;
        }
        return notFound;
    }
    // Find with Windows-1252 case folding.
    int FindIgnoringCase(uint32_t hash, std::string_view word, int notFound) const;

private:
    std::vector<std::unique_ptr<TZefHashEntry>> buckets_;
};

// Calls add(keyword, kind) for every maximal run of identifier characters in `keywords`, in order (commas,
// spaces and line breaks are separators because they are not identifier characters). An empty list or an
// empty `add` does nothing.
void EnumerateKeywords(int kind, std::string_view keywords, const TZefCharSet& identChars,
                       const std::function<void(std::string_view keyword, int kind)>& add);
// How many keywords EnumerateKeywords finds in `keywords`.
int CountKeywords(std::string_view keywords, const TZefCharSet& identChars);
