// TZefEditRegexSearch: the search engine that adapts TZefRegExpr to the editor's per-line search protocol.
#pragma once

#include "ZefEditSearchCustom.h"
#include "ZefRegExpr.h"

class TZefEditRegexSearch : public TZefEditSearchCustom {
public:
    std::string GetPattern() const override { return regex_.Expression(); }
    // The expression is recompiled at the next search when it changed.
    void SetPattern(std::string_view value) override { regex_.SetExpression(value); }
    // Indexes outside the results raise std::out_of_range ("List index out of bounds (n)").
    int GetLength(int index) const override;
    int GetResult(int index) const override;
    int GetResultCount() const override { return static_cast<int>(positions_.size()); }
    // Only soMatchCase is read: modifier i is its opposite. soWholeWord has no effect here.
    void SetOptions(TSearchOptions value) override;
    // Every non-overlapping match, left to right; EZefRegExpr passes to the caller with the lists empty
    // or partly filled.
    int FindAll(std::string_view text) override;
    // Runs the expression again on the occurrence alone and replaces each match in it by the expanded
    // template, so the rest of the line cannot influence the replacement.
    std::string Replace(std::string_view occurrence, std::string_view replacement) override;
    // Runs the expression again at the result's start in the line FindAll searched, so the groups are those
    // of that match; a template without references is only expanded. Indexes outside the results raise
    // std::out_of_range.
    std::string ReplacementFor(int index, std::string_view replacement) override;

    TZefRegExpr& RegExpr() { return regex_; }

private:
    TZefRegExpr regex_;
    std::vector<int> positions_;
    std::vector<int> lengths_;
};
