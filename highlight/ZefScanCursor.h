// The cursor every highlighter scans a line with: run position and token start over (pointer, length) text.
#pragma once

#include "ZefCharSet.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

// NUL bytes are ordinary characters: the end of the line is only ever the length, never a zero byte. All
// moves clamp at the end, so a scanner cannot run past the line. Every operation is O(characters passed).
class TZefScanCursor {
public:
    static constexpr int kEnd = -1;

    void Reset(std::string_view line)
    {
        line_ = line;
        run_ = 0;
        tokenStart_ = 0;
    }

    std::string_view Line() const { return line_; }
    size_t Run() const { return run_; }
    size_t TokenStart() const { return tokenStart_; }
    size_t TokenLength() const { return run_ - tokenStart_; }
    // Every move keeps tokenStart_ <= run_ <= the line's length, so no bounds check is needed.
    std::string_view Token() const { return std::string_view(line_.data() + tokenStart_, run_ - tokenStart_); }
    // The rest of the line from the run position.
    std::string_view Rest() const { return line_.substr(run_); }

    void StartToken() { tokenStart_ = run_; }
    bool AtEnd() const { return run_ >= line_.size(); }
    // The character at the run position; only when !AtEnd().
    unsigned char Current() const { return static_cast<unsigned char>(line_[run_]); }
    // The character `offset` places after the run position, or kEnd beyond the line.
    int Peek(size_t offset = 0) const
    {
        const size_t at = run_ + offset;
        return at < line_.size() ? static_cast<unsigned char>(line_[at]) : kEnd;
    }

    // The character `offset` places before the run position, or kEnd ("none") before column 0.
    int PeekBefore(size_t offset = 1) const
    {
        return offset <= run_ ? static_cast<unsigned char>(line_[run_ - offset]) : kEnd;
    }
    // True when the character `offset` places after the run position is not in `identChars`; the line end
    // counts as such a character, so a word that ends the line is followed by a non-identifier.
    bool FollowedByNonIdent(size_t offset, const TZefCharSet& identChars) const
    {
        const int c = Peek(offset);
        return c == kEnd || !identChars.Contains(static_cast<unsigned char>(c));
    }

    void Advance(size_t count = 1) { run_ = std::min(run_ + count, line_.size()); }
    void SetRun(size_t position) { run_ = std::min(position, line_.size()); }
    void SkipToEnd() { run_ = line_.size(); }

    bool LookingAt(std::string_view text) const
    {
        // The texts compared are a few characters: a plain loop beats a library call.
        if (line_.size() - run_ < text.size()) return false;
        const char* const here = line_.data() + run_;
        for (size_t i = 0; i < text.size(); ++i) {
            if (here[i] != text[i]) return false;
        }
        return true;
    }
    // Compares through the caller's folding function (for example cp1252::ToLower).
    template <typename Fold>
    bool LookingAt(std::string_view text, Fold fold) const
    {
        const std::string_view rest = Rest();
        if (rest.size() < text.size()) return false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (fold(static_cast<unsigned char>(rest[i])) != fold(static_cast<unsigned char>(text[i]))) return false;
        }
        return true;
    }
    // Moves past `text` when it stands at the run position.
    bool Skip(std::string_view text)
    {
        if (!LookingAt(text)) return false;
        run_ += text.size();
        return true;
    }
    // Moves over the characters in `set` (a TZefCharSet, or a TZefCharTable for the hottest loops); answers
    // how many.
    template <typename Members>
    size_t SkipWhile(const Members& set)
    {
        const size_t from = run_;
        run_ = RunEnd<true>(from, set);
        return run_ - from;
    }
    // Moves past the character at the run position (only when !AtEnd()) and the members of `set` after it:
    // a token whose first character is known to belong, in one pass.
    template <typename Members>
    void SkipFirstThenWhile(const Members& set)
    {
        run_ = RunEnd<true>(run_ + 1, set);
    }
    // Moves to the first character in `set` (a TZefCharSet, or a TZefCharTable for the hottest loops), or to
    // the end; answers how many were passed.
    template <typename Members>
    size_t SkipUntil(const Members& set)
    {
        const size_t from = run_;
        run_ = RunEnd<false>(from, set);
        return run_ - from;
    }
    // Moves just past the next occurrence of `terminator` and answers true, or to the end and answers false.
    bool SkipPast(std::string_view terminator)
    {
        const size_t found = line_.find(terminator, run_);
        if (found == std::string_view::npos) {
            run_ = line_.size();
            return false;
        }
        run_ = found + terminator.size();
        return true;
    }

private:
    // Where the run from `run` of characters in `set` (kMembers) or outside it ends: the line end at most.
    template <bool kMembers, typename Members>
    size_t RunEnd(size_t run, const Members& set) const
    {
        // A small set is copied so the loop keeps it in registers (a store to run_ could alias it for the
        // compiler); a byte table is read where it is.
        using Local = std::conditional_t<(sizeof(Members) <= 32), const Members, const Members&>;
        Local members = set;
        const char* const data = line_.data();
        const size_t size = line_.size();
        while (run < size && members.Contains(static_cast<unsigned char>(data[run])) == kMembers) ++run;
        return run;
    }

    std::string_view line_;
    size_t run_ = 0;
    size_t tokenStart_ = 0;
};
