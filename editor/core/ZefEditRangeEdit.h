// Exact range edits on the line store: reading and replacing the text between two positions, and the smallest
// changed range between two versions of a run of lines. The undo machinery relies on these being byte-exact.
#pragma once

#include "ZefEditTypes.h"

#include <string>
#include <string_view>
#include <vector>

class TZefEditStringList;

namespace zefrange {

// The text from start up to end (start <= end, lines from 1), CR LF between lines. Positions are clamped
// to the document and to their line's end, so virtual space reads as nothing.
std::string TextRange(const TZefEditStringList& lines, TBufferCoord start, TBufferCoord end);

// What ReplaceRange did to the line count: lines added (positive) or removed (negative) after start's line.
struct TReplaceResult {
    TBufferCoord End;   // the position after the inserted text
    int LinesDelta = 0; // new line count minus old line count
};

// Replaces the text from start up to end (start <= end) by text, byte for byte: no trimming. CR, LF and
// CR LF in text each break a line. A start beyond its line's end pads the line with spaces up to start
// (unless text is empty: then nothing changes there and the answer is start);
// an end beyond its line's end counts as the line's end. An empty store gets one line first.
// O(length of the lines touched + length of text + lines moved by the store). text is read while the lines
// change, so it must not be a view of the store's own lines.
TReplaceResult ReplaceRange(TZefEditStringList& lines, TBufferCoord start, TBufferCoord end, std::string_view text);

// The smallest change turning oldText into newText, as offsets into both. The common prefix is at most
// maxPrefix bytes (so the change is reported at or before a known edit point) and neither end of the change
// falls between the CR and LF of a line break.
struct TTextChange {
    size_t Offset = 0;
    size_t OldLength = 0;
    size_t NewLength = 0;
    bool Empty() const { return OldLength == 0 && NewLength == 0; }
};
TTextChange Diff(std::string_view oldText, std::string_view newText, size_t maxPrefix);

// The position offset bytes into text that starts at origin (CR LF counted as one line break).
TBufferCoord Advance(TBufferCoord origin, std::string_view text, size_t offset);

// How many bytes of text (which starts at origin) lie before position p; a p in virtual space or beyond the
// text counts as the end of its line (or of the text).
size_t OffsetOf(std::string_view text, TBufferCoord origin, TBufferCoord p);

// Lines joined by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
// Calls visit(piece) for each piece of text between line breaks (CR, LF and CR LF), in order: one more
// piece than breaks, so an empty text is one empty piece.
template <typename Visit>
void ForEachLinePiece(std::string_view text, Visit&& visit)
{
    // A plain loop: the library's find_first_of calls a search of its set for every character.
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n') continue;
        visit(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        start = at + 1;
    }
    visit(text.substr(start));
}
size_t CountLinePieces(std::string_view text);

} // namespace zefrange
