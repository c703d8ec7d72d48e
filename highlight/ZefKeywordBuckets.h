// Keyword lookup by bucket: words hashed by the sum of their characters' values into N buckets of keywords.
#pragma once

#include "ZefFoldedTailTable.h"
#include "ZefKeyHash.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a word is compared with the keywords of its bucket.
enum class TZefKeyMatch : uint8_t {
    HashValues,             // equal value at every position (KeyCompHashed): the tables decide what is equal
    Characters,             // equal characters (case-sensitive languages)
    CharactersIgnoringCase, // equal characters after Windows-1252 case folding, whatever the hash values
};

// The table-driven form of a language's N bucket functions: bucket h holds the keywords whose hash is h, in
// the order added. A word whose hash is N or more, or that matches no keyword of its bucket, is of the
// language's identifier kind (or, for an unmatched word inside the buckets, its SetUnmatchedKind). Matching is KeyCompHashed (case-insensitive tables) or raw characters
// (case-sensitive languages). Lookup costs one pass over the word plus one comparison per keyword of its
// bucket; nothing is allocated.
class TZefBucketKeywords {
public:
    TZefBucketKeywords(const TZefKeyHashTables& tables, int bucketCount, int identifierKind, bool caseSensitive);
    // With the comparison given explicitly. A language whose hash gives several characters one value (every
    // digit 0, say) compares CharactersIgnoringCase, so that the hash only picks the bucket.
    TZefBucketKeywords(const TZefKeyHashTables& tables, int bucketCount, int identifierKind, TZefKeyMatch match);

    // The kind of a word that hashes into a bucket but equals none of its keywords (by default the identifier
    // kind); words hashing beyond the last bucket keep the identifier kind. HTML tells the two apart.
    void SetUnmatchedKind(int kind) { unmatchedKind_ = kind; }

    // Raises EZefHighlighterError when the keyword is empty, contains a character outside the identifier
    // table, hashes beyond the last bucket, or is already present (by the table's comparison).
    void Add(std::string_view keyword, int kind);

    // The kind of the whole word `word`.
    int KindOf(std::string_view word) const
    {
        const TZefWordHash hashed = zefkeys::SumHash(tables_, word);
        if (hashed.length != word.size()) return identifierKind_;
        return Lookup(hashed.hash, word);
    }
    // The kind of `word` whose hash (over the tables, every character of it in the tables) the caller summed.
    int KindOfHashed(uint32_t hash, std::string_view word) const { return Lookup(hash, word); }
    // True when KindOfFolded may be used: words compare as CharactersIgnoringCase and every character has
    // the value of its lower-case form.
    bool ComparesFolded() const { return foldedCompare_; }
    // The same as KindOfHashed, with `tail` the word's last (up to) eight characters folded to lower case,
    // the last one in the low byte (see zeffold::TailStep). One probe of a table of the keywords by their tails
    // and lengths, so a word that is no keyword is mostly told by one comparison.
    int KindOfFolded(uint32_t hash, uint64_t tail, std::string_view word) const
    {
        return tails_.Find(tail, word, hash < buckets_.size() ? unmatchedKind_ : identifierKind_);
    }
    // True when a word that is no keyword is always of the identifier kind, so KindOfFoldedTail needs no hash.
    bool UnmatchedIsIdentifier() const { return unmatchedKind_ == identifierKind_; }
    // KindOfFolded for a word whose hash is not known, when UnmatchedIsIdentifier: a word equal to a keyword
    // ignoring case has the keyword's hash, so the tail table alone tells.
    int KindOfFoldedTail(uint64_t tail, std::string_view word) const { return tails_.Find(tail, word, identifierKind_); }
    // Hashes the word at the start of `text` (its run of identifier characters), stores its length, and
    // answers its kind (the identifier kind for an empty run as well).
    int ScanWord(std::string_view text, size_t* length) const;

    const TZefKeyHashTables& Tables() const { return tables_; }
    int BucketCount() const { return static_cast<int>(buckets_.size()); }
    int IdentifierKind() const { return identifierKind_; }

private:
    struct Entry {
        std::string keyword;
        std::string folded; // the keyword in lower case, for the folded comparison
        int kind;
    };
    struct Bucket {
        uint32_t lengths = 0; // bit n: a keyword of n characters (bit 31: of 31 or more)
        std::vector<Entry> entries;
    };
    static uint32_t LengthBit(size_t length) { return 1u << (length < 31 ? length : 31); }
    int Lookup(uint32_t hash, std::string_view word) const
    {
        if (hash >= buckets_.size()) return identifierKind_;
        const Bucket& bucket = buckets_[hash];
        // Most words are no keyword: a bucket without a keyword of their length answers without comparing.
        if ((bucket.lengths & LengthBit(word.size())) == 0) return unmatchedKind_;
        for (const Entry& entry : bucket.entries) {
            if (entry.keyword.size() != word.size()) continue;
            const bool same = foldedCompare_ ? zeffold::EqualsFolded(word, entry.folded, lower_) : Matches(word, entry.keyword);
            if (same) return entry.kind;
        }
        return unmatchedKind_;
    }
    bool Matches(std::string_view word, std::string_view keyword) const;

    TZefKeyHashTables tables_;
    std::vector<Bucket> buckets_;
    int identifierKind_;
    int unmatchedKind_;
    TZefKeyMatch match_;
    // The case folding table, and whether comparing folded characters is all CharactersIgnoringCase needs:
    // true when every character has the value of its lower-case form, so equal folds mean equal values.
    const unsigned char* lower_;
    bool foldedCompare_ = false;
    TZefFoldedTailTable tails_; // the keywords by folded tail, when foldedCompare_
};
