// The shared token loop of the language highlighters.
#include "ZefScanHighlighter.h"

#include "ZefHighlighterError.h"

#include <string>

TZefScanHighlighter::TZefScanHighlighter(int nullKind, TZefRangeState initialRange)
    : nullKind_(nullKind), kind_(nullKind), initialRange_(initialRange), range_(initialRange)
{
}

void TZefScanHighlighter::SetKindAttribute(int kind, TZefHighlighterAttributes* attribute)
{
    if (kind < 0) return;
    if (kind >= kMaxKinds) throw EZefHighlighterError("Token kind " + std::to_string(kind) + " is out of range");
    kindAttributes_[static_cast<size_t>(kind)] = attribute;
}

void TZefScanHighlighter::SetLine(std::string_view line, int lineIndex)
{
    cursor_.Reset(line);
    lineIndex_ = lineIndex;
    eol_ = false;
    Next();
}

void TZefScanHighlighter::Next()
{
    if (StartNextToken()) ScanAndGuard();
}

void TZefScanHighlighter::ReachLineEnd()
{
    ScanLineEnd();
    kind_ = nullKind_;
    eol_ = true;
}

void TZefScanHighlighter::ScanAndGuard()
{
    // A scanner changes state without moving at most a few times in a row (HTML: text before an entity,
    // then an empty tag name); the bound keeps a faulty one from looping.
    constexpr int kMaxEmptyTokens = 4;
    for (int pass = 0;; ++pass) {
        rescan_ = false;
        ScanToken();
        if (cursor_.TokenLength() > 0) return;
        if (!rescan_ || pass == kMaxEmptyTokens) break;
    }
    rescan_ = false;
    cursor_.Advance();
}
