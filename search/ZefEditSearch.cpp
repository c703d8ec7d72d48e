// The plain-text search engine: Sunday-style skip table indexed by folded byte, a look-at distance for
// the last pattern byte, and the whole-word test on the bytes around a match.
#include "ZefEditSearch.h"

#include "CodePage1252.h"

TZefEditSearch::TZefEditSearch()
{
    BuildFoldTable();
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        delimiter_[static_cast<size_t>(c)] = !cp1252::IsAlphaNumeric(byte) && byte != '_';
    }
}

void TZefEditSearch::BuildFoldTable()
{
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        fold_[static_cast<size_t>(c)] = matchCase_ ? byte : cp1252::ToLower(byte);
    }
}

void TZefEditSearch::SetPattern(std::string_view value)
{
    if (value == pattern_) return;
    pattern_ = std::string(value);
    tablesValid_ = false;
}

void TZefEditSearch::SetOptions(TSearchOptions value)
{
    const bool matchCase = (value & soMatchCase) != 0;
    if (matchCase != matchCase_) {
        matchCase_ = matchCase;
        BuildFoldTable();
        tablesValid_ = false;
    }
    wholeWord_ = (value & soWholeWord) != 0;
}

int TZefEditSearch::GetLength(int) const
{
    return static_cast<int>(patternLength_);
}

int TZefEditSearch::GetResult(int index) const
{
    if (index < 0 || index >= static_cast<int>(results_.size())) return 0;
    return results_[static_cast<size_t>(index)];
}

std::string TZefEditSearch::Replace(std::string_view, std::string_view replacement)
{
    return std::string(replacement);
}

void TZefEditSearch::BuildTables()
{
    const size_t m = pattern_.size();
    if (m == 0) throw std::runtime_error("Pattern is empty");
    patternLength_ = m;
    foldedPattern_.resize(m);
    for (size_t i = 0; i < m; ++i) {
        foldedPattern_[i] = static_cast<char>(fold_[static_cast<unsigned char>(pattern_[i])]);
    }
    shift_.fill(m + 1);
    for (size_t i = 0; i < m; ++i) shift_[static_cast<unsigned char>(foldedPattern_[i])] = m - i;
    lookAt_ = m;
    for (size_t k = 1; k < m; ++k) {
        if (foldedPattern_[m - 1] == foldedPattern_[m - 1 - k]) {
            lookAt_ = k;
            break;
        }
    }
    if (m == 1) lookAt_ = 1;
    tablesValid_ = true;
}

bool TZefEditSearch::IsWholeWord(const unsigned char* text, size_t length, size_t first) const
{
    const size_t after = first + patternLength_;
    const bool before = first == 0 || delimiter_[text[first - 1]];
    return before && (after >= length || delimiter_[text[after]]);
}

int TZefEditSearch::FindAll(std::string_view text)
{
    results_.clear();
    if (!tablesValid_) BuildTables();
    const size_t m = patternLength_;
    const size_t n = text.size();
    if (n < m) return 0;

    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* p = reinterpret_cast<const unsigned char*>(foldedPattern_.data());
    const unsigned char* fold = fold_.data();
    const size_t* shift = shift_.data();
    const unsigned char last = p[m - 1];

    size_t pos = m - 1; // the last byte of the window being tried
    while (pos < n) {
        if (fold[t[pos]] != last) {
            // The byte after the window decides the skip; past the line's end it is the terminating zero.
            pos += pos + 1 < n ? shift[fold[t[pos + 1]]] : m + 1;
            continue;
        }
        const size_t first = pos + 1 - m;
        size_t i = 0;
        while (i + 1 < m && fold[t[first + i]] == p[i]) ++i;
        if (i + 1 == m && (!wholeWord_ || IsWholeWord(t, n, first))) {
            results_.push_back(static_cast<int>(first + 1));
            pos += m;
            continue;
        }
        pos += lookAt_;
        if (pos >= n) break;
        pos += shift[fold[t[pos]]] - 1;
    }
    return static_cast<int>(results_.size());
}
