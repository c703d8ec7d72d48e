// Keyword groups of a table-driven language: one lookup answers the kind of a word, whichever scheme holds it.
#pragma once

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
        uint64_t tail = 0;
        for (const char c : word) tail = zeffold::TailStep(tail, lower_[static_cast<unsigned char>(c)]);
        return KindOfFoldedTail(tail, word);
    }

    // The kind of `word` whose folded tail the caller built.
    int KindOfFoldedTail(uint64_t tail, std::string_view word) const
    {
        const uint32_t hash = IndexHash(tail, word.size());
        // Most words scanned are no keyword: a small bit table answers most of them without the index.
        const uint32_t bit = (hash * 0x85EBCA6Bu) >> filterShift_;
        if ((filter_[bit / 64] & (uint64_t{1} << (bit % 64))) == 0) return IdentifierKind();
        for (size_t slot = Slot(hash);; slot = (slot + 1) & (index_.size() - 1)) {
            const TIndexEntry& entry = index_[slot];
            if (entry.offset == kEmpty) return IdentifierKind();
            if (entry.hash == hash && entry.length == word.size() && EqualsFolded(entry.offset, word)) return entry.kind;
        }
    }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;
    static uint32_t IndexHash(uint64_t tail, size_t length)
    {
        return static_cast<uint32_t>(zeffold::TailHash(tail, length) >> 32);
    }
    struct TIndexEntry {
        uint32_t hash = 0;
        uint32_t offset = kEmpty; // of the folded keyword in folded_; kEmpty for a free slot
        uint32_t length = 0;
        int kind = 0;
    };
    size_t Slot(uint32_t hash) const { return (hash * 0x9E3779B1u) >> indexShift_; }
    bool EqualsFolded(uint32_t offset, std::string_view word) const
    {
        const char* const keyword = folded_.data() + offset;
        for (size_t i = 0; i < word.size(); ++i) {
            if (static_cast<char>(lower_[static_cast<unsigned char>(word[i])]) != keyword[i]) return false;
        }
        return true;
    }
    void Index(std::string_view keyword, int kind);
    void Filter(uint32_t hash);

    THashFunction hash_;
    TZefHashEntryList entries_;
    const unsigned char* lower_; // the code page's folding table
    // Open addressing, at most a quarter full (a word that is no keyword mostly meets a free slot at once), a
    // power of two long.
    std::vector<TIndexEntry> index_;
    int indexShift_;
    // A bit per keyword's hash, four bits for each slot of the index.
    std::vector<uint64_t> filter_;
    int filterShift_;
    size_t indexed_ = 0;
    std::string folded_; // every keyword folded, one after the other
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
