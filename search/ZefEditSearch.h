// TZefEditSearch: the plain-text search engine; a skip-table scan over one line with optional case folding
// (Windows-1252) and whole-word matching.
#pragma once

#include "ZefEditSearchCustom.h"

#include <array>
#include <stdexcept>

class TZefEditSearch : public TZefEditSearchCustom {
public:
    TZefEditSearch();

    std::string GetPattern() const override { return pattern_; }
    // A different pattern (exact comparison) invalidates the tables; the options stay.
    void SetPattern(std::string_view value) override;
    // Every match of a literal pattern is as long as the pattern, whatever the index.
    int GetLength(int index) const override;
    // 0 for an index outside the results.
    int GetResult(int index) const override;
    int GetResultCount() const override { return static_cast<int>(results_.size()); }
    // Reads soMatchCase and soWholeWord only; a change of case rebuilds the folding table.
    void SetOptions(TSearchOptions value) override;
    // Throws std::runtime_error("Pattern is empty") for an empty pattern. O(n) table look-ups at worst
    // per window tried, skipping up to m + 1 bytes at a time; allocates only for the result list.
    int FindAll(std::string_view text) override;
    // A literal replacement is inserted as typed.
    std::string Replace(std::string_view occurrence, std::string_view replacement) override;
    std::string ReplacementFor(int, std::string_view replacement) override { return std::string(replacement); }
    bool ReplacementIsLiteral() const override { return true; }

private:
    void BuildFoldTable();
    void BuildTables();
    bool IsWholeWord(const unsigned char* text, size_t length, size_t first) const;

    std::string pattern_;
    std::string foldedPattern_;
    size_t patternLength_ = 0;
    bool matchCase_ = false;
    bool wholeWord_ = false;
    bool tablesValid_ = false;
    std::array<unsigned char, 256> fold_{};
    std::array<bool, 256> delimiter_{};
    std::array<size_t, 256> shift_{};
    size_t lookAt_ = 1;
    std::vector<int> results_;
};
