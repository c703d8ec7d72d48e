// The range scans of a line store: the full scan when a highlighter is attached, the incremental one after edits.
#pragma once

class TZefCustomHighlighter;
class TZefEditStringList;

namespace zefranges {

// ResetRange, then every line in order: SetLine, NextToEol, store GetRange as that line's range. O(text).
void ScanAllRanges(TZefCustomHighlighter& highlighter, TZefEditStringList& lines);

// Rescans from line `first` (0-based) until a line's new end state equals the one already stored, storing
// the new states on the way. Answers the last line whose range was stored or compared, which bounds the
// repaint; `first` itself when it is at or beyond the line count (nothing is scanned).
int ScanRangesFrom(TZefCustomHighlighter& highlighter, TZefEditStringList& lines, int first);

} // namespace zefranges
