// The token protocol implemented once over a scan cursor: a language highlighter supplies only ScanToken.
#pragma once

#include "ZefEditHighlighter.h"
#include "ZefScanCursor.h"

#include <array>
#include <string_view>
#include <vector>

// Holds the line, the run position, the current kind and the range. Next starts a token at the run position
// and, at the line end, makes the end-of-line token current (kind `nullKind`, empty text, GetEol true);
// otherwise it calls ScanToken, which must move the cursor by at least one character and set the kind. A
// scanner that only changes its state at the run position (the token it would give is empty) calls
// RescanInNewState: the empty token is dropped and ScanToken runs again there, a bounded number of times.
// Any other ScanToken that moves nothing is made to take one character, so a faulty scanner cannot loop
// forever. Ranges are plain ordinals; ResetRange returns to `initialRange`.
class TZefScanHighlighter : public TZefCustomHighlighter {
public:
    bool GetEol() const override { return eol_; }
    TZefRangeState GetRange() const override { return range_; }
    std::string_view GetToken() const override { return cursor_.Token(); }
    TZefHighlighterAttributes* GetTokenAttribute() const override
    {
        const auto kind = static_cast<unsigned>(kind_); // a negative kind reads as a large one
        return kind < kindAttributes_.size() ? kindAttributes_[kind] : nullptr;
    }
    int GetTokenKind() const override { return kind_; }
    int GetTokenPos() const override { return static_cast<int>(cursor_.TokenStart()); }
    void Next() override;
    void SetLine(std::string_view line, int lineIndex) override;
    void SetRange(TZefRangeState value) override { range_ = value; }
    void ResetRange() override { range_ = initialRange_; }

    int LineIndex() const { return lineIndex_; }
    // Token kinds run from 0 to below this.
    static constexpr int kMaxKinds = 64;

    // The name of a token kind in token dumps ("comment", "key", ...); "?" for a kind the language lacks.
    virtual std::string_view TokenKindName(int kind) const
    {
        (void)kind;
        return "?";
    }
    // Every token kind a line can hold (the end-of-line kind aside) and every range a line can end in, so
    // that tests can check a sample reaches each; empty when a language does not list them.
    virtual std::vector<int> TokenKinds() const { return {}; }
    virtual std::vector<TZefRangeState> RangeStates() const { return {}; }

protected:
    TZefScanHighlighter(int nullKind, TZefRangeState initialRange = 0);

    // Scans one token at the run position (never at the line end): moves the cursor and calls SetTokenKind.
    virtual void ScanToken() = 0;
    // Called once when the line end is reached, for languages whose state changes at a line end.
    virtual void ScanLineEnd() {}

    // For a scanner's own Next: starts a token at the run position and answers true, or at the line end makes
    // the end-of-line token current and answers false. A token the scanner then takes itself must move the
    // cursor and set the kind; ScanAndGuard runs ScanToken under the protocol's guards instead.
    bool StartNextToken()
    {
        if (eol_) return false;
        cursor_.StartToken();
        if (!cursor_.AtEnd()) return true;
        ReachLineEnd();
        return false;
    }
    void ScanAndGuard();

    // The range without a virtual call, for the scanners' inner loops.
    TZefRangeState Range() const { return range_; }
    TZefScanCursor& Cursor() { return cursor_; }
    const TZefScanCursor& Cursor() const { return cursor_; }
    void SetTokenKind(int kind) { kind_ = kind; }
    // From ScanToken, having moved nothing but changed the range: scan again at the same place. An empty
    // token draws nothing, so dropping it changes no colour on the screen or on paper.
    void RescanInNewState() { rescan_ = true; }
    // The attribute GetTokenAttribute answers for `kind` (nullptr: the consumer's defaults). Kinds are small
    // enumerations: one of kMaxKinds or more raises EZefHighlighterError.
    void SetKindAttribute(int kind, TZefHighlighterAttributes* attribute);
    // For a language's own ScanLineRange that found a line's end state without reading its tokens: the
    // range becomes `range`, and until the next SetLine the token accessors answer the end of an empty line
    // (no view of the scanned text is kept).
    void SetScannedRange(TZefRangeState range, int lineIndex)
    {
        cursor_.Reset({});
        lineIndex_ = lineIndex;
        kind_ = nullKind_;
        eol_ = true;
        rescan_ = false;
        range_ = range;
    }

private:
    // Once per line, out of the token path so the callers' common case stays small.
    void ReachLineEnd();

    TZefScanCursor cursor_;
    // A fixed table, so the attribute of each token is one compare and one load.
    std::array<TZefHighlighterAttributes*, kMaxKinds> kindAttributes_{};
    int nullKind_;
    int kind_;
    TZefRangeState initialRange_;
    TZefRangeState range_;
    int lineIndex_ = 0;
    bool eol_ = true;
    bool rescan_ = false;
};
