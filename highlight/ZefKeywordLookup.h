// Keyword groups of a table-driven language: one lookup answers the kind of a word, whichever scheme holds it.
#pragma once

#include "ZefFoldedTailTable.h"
#include "ZefHighlighterHashEntries.h"
#include "ZefKeywordBuckets.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A language's keywords, each with the token kind it gives; a word that is no keyword gets the identifier
// kind. Groups are added as one comma- or space-separated list per kind, so each file keeps its lists as
// data at its top.
class TZefKeywordLookup {
public:
    explicit TZefKeywordLookup(int identifierKind) : identifierKind_(identifierKind) {}
    virtual ~TZefKeywordLookup() = default;
    TZefKeywordLookup(const TZefKeywordLookup&) = delete;
    TZefKeywordLookup& operator=(const TZefKeywordLookup&) = delete;

    // Raises EZefHighlighterError for a keyword the scheme cannot hold or already holds.
    virtual void Add(std::string_view keyword, int kind) = 0;
    // The kind of the whole word.
    virtual int KindOf(std::string_view word) const = 0;

    // Every run of identifier characters ('0'..'9', 'A'..'Z', '_', 'a'..'z') in `keywords` is one keyword.
    void AddGroup(std::string_view keywords, int kind);
    int IdentifierKind() const { return identifierKind_; }

private:
    int identifierKind_;
};

// Scheme 1: N buckets by the sum of the characters' hash values.
class TZefBucketKeywordLookup : public TZefKeywordLookup {
public:
    TZefBucketKeywordLookup(const TZefKeyHashTables& tables, int bucketCount, int identifierKind, TZefKeyMatch match)
        : TZefKeywordLookup(identifierKind), buckets_(tables, bucketCount, identifierKind, match)
    {
    }
    void Add(std::string_view keyword, int kind) override { buckets_.Add(keyword, kind); }
    int KindOf(std::string_view word) const override { return buckets_.KindOf(word); }
    const TZefBucketKeywords& Buckets() const { return buckets_; }

private:
    TZefBucketKeywords buckets_;
};

// Scheme 2: a hash entry list under a language's own hash; words compare ignoring case. The language's hash
// must give words equal ignoring case one value (the list then never holds two such keywords), so a word's
// kind is that of the one keyword equal to it ignoring case: lookups find it through an index by the folded
// tail and length (zeffold::TailStep), which a scanner may build as it reads the word.
class TZefHashEntryKeywordLookup : public TZefKeywordLookup {
public:
    // The hash of a whole word; it must be below the list's bucket count for every word.
    using THashFunction = uint32_t (*)(std::string_view word);
    TZefHashEntryKeywordLookup(THashFunction hash, int identifierKind);
    void Add(std::string_view keyword, int kind) override;
    int KindOf(std::string_view word) const override
    {
        return KindOfFoldedTail(zeffold::FoldedTail(word), word);
    }

    // The kind of `word` whose folded tail the caller built.
    int KindOfFoldedTail(uint64_t tail, std::string_view word) const { return tails_.Find(tail, word, IdentifierKind()); }

private:
    THashFunction hash_;
    TZefHashEntryList entries_;
    TZefFoldedTailTable tails_; // the same keywords, found by their folded tails
};

// A sorted list searched by halves, ignoring case (Windows-1252 folding); for lists set at run time.
class TZefSortedKeywordLookup : public TZefKeywordLookup {
public:
    using TZefKeywordLookup::TZefKeywordLookup;
    // A keyword already present (ignoring case) is kept once, with its first kind.
    void Add(std::string_view keyword, int kind) override;
    int KindOf(std::string_view word) const override;
    void Clear() { entries_.clear(); }
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        std::string folded;
        int kind;
    };
    std::vector<Entry> entries_;
};

namespace zefkeys {

// The hash tables most languages share: letters 1..26 in either case, '_' 31, digits 0 (so digits only
// lengthen a word); identifier characters are those that have a value.
TZefKeyHashTables LetterHashTables();

} // namespace zefkeys
