// The bucket keyword scheme: one vector of keywords per hash value.
#include "ZefKeywordBuckets.h"

#include "CodePage1252.h"
#include "ZefHighlighterError.h"

TZefBucketKeywords::TZefBucketKeywords(const TZefKeyHashTables& tables, int bucketCount, int identifierKind,
                                       bool caseSensitive)
    : TZefBucketKeywords(tables, bucketCount, identifierKind,
                         caseSensitive ? TZefKeyMatch::Characters : TZefKeyMatch::HashValues)
{
}

TZefBucketKeywords::TZefBucketKeywords(const TZefKeyHashTables& tables, int bucketCount, int identifierKind,
                                       TZefKeyMatch match)
    : tables_(tables), buckets_(static_cast<size_t>(bucketCount > 0 ? bucketCount : 0)),
      identifierKind_(identifierKind), unmatchedKind_(identifierKind), match_(match), lower_(cp1252::LowerTable())
{
    if (match_ != TZefKeyMatch::CharactersIgnoringCase) return;
    foldedCompare_ = true;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (tables_.value[byte] != tables_.value[cp1252::ToLower(byte)]) foldedCompare_ = false;
    }
}

bool TZefBucketKeywords::Matches(std::string_view word, std::string_view keyword) const
{
    switch (match_) {
    case TZefKeyMatch::Characters: return zefkeys::KeyCompRaw(word, keyword);
    case TZefKeyMatch::CharactersIgnoringCase:
        // Equal hash values at every position are needed as well; one pass checks both.
        if (word.size() != keyword.size()) return false;
        for (size_t i = 0; i < word.size(); ++i) {
            const auto a = static_cast<unsigned char>(word[i]);
            const auto b = static_cast<unsigned char>(keyword[i]);
            if (cp1252::ToLower(a) != cp1252::ToLower(b) || tables_.value[a] != tables_.value[b]) return false;
        }
        return true;
    case TZefKeyMatch::HashValues: break;
    }
    return zefkeys::KeyCompHashed(tables_, word, keyword);
}

void TZefBucketKeywords::Add(std::string_view keyword, int kind)
{
    const TZefWordHash hashed = zefkeys::SumHash(tables_, keyword);
    if (keyword.empty() || hashed.length != keyword.size()) {
        throw EZefHighlighterError("Keyword \"" + std::string(keyword) + "\" is not a word of this language");
    }
    if (hashed.hash >= buckets_.size()) {
        throw EZefHighlighterError("Keyword \"" + std::string(keyword) + "\" hashes beyond the last bucket");
    }
    Bucket& bucket = buckets_[hashed.hash];
    for (const Entry& entry : bucket.entries) {
        if (Matches(keyword, entry.keyword)) {
            throw EZefHighlighterError("Keyword \"" + entry.keyword + "\" already in list");
        }
    }
    std::string folded = zeffold::Folded(keyword);
    if (foldedCompare_) tails_.Add(folded, kind);
    bucket.entries.push_back({std::string(keyword), std::move(folded), kind});
    bucket.lengths |= LengthBit(keyword.size());
}

int TZefBucketKeywords::ScanWord(std::string_view text, size_t* length) const
{
    const TZefWordHash hashed = zefkeys::SumHash(tables_, text);
    if (length) *length = hashed.length;
    if (hashed.length == 0) return identifierKind_;
    return Lookup(hashed.hash, text.substr(0, hashed.length));
}
