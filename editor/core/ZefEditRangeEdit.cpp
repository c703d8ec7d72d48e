// Exact range edits on the line store and the smallest-change computation behind the undo records.
#include "ZefEditRangeEdit.h"

#include "ZefEditTextBuffer.h"

#include <algorithm>

namespace zefrange {

namespace {

int ClampLine(const TZefEditStringList& lines, int line) { return std::clamp(line, 1, std::max(lines.Count(), 1)); }

size_t ClampIndex(std::string_view line, int charIndex)
{
    return static_cast<size_t>(std::clamp(charIndex - 1, 0, static_cast<int>(line.size())));
}

} // namespace

std::string TextRange(const TZefEditStringList& lines, TBufferCoord start, TBufferCoord end)
{
    if (lines.Count() == 0 || !(start < end)) return {};
    const int first = ClampLine(lines, start.Line);
    const int last = ClampLine(lines, end.Line);
    const std::string_view firstText = lines.GetLine(first - 1);
    if (first == last) {
        const size_t a = ClampIndex(firstText, start.Char);
        const size_t b = std::max(a, ClampIndex(firstText, end.Char));
        return std::string(firstText.substr(a, b - a));
    }
    const std::string_view head = firstText.substr(ClampIndex(firstText, start.Char));
    const std::string_view lastText = lines.GetLine(last - 1);
    const std::string_view tail = lastText.substr(0, ClampIndex(lastText, end.Char));
    // Sized first: a range over a whole big document is a gigabyte, which growing by doubling would hold
    // up to three times over while it copies.
    size_t size = head.size() + 2 + tail.size();
    for (int line = first + 1; line < last; ++line) size += lines.GetLine(line - 1).size() + 2;
    std::string result;
    result.reserve(size);
    result.append(head);
    for (int line = first + 1; line < last; ++line) result.append("\r\n").append(lines.GetLine(line - 1));
    result.append("\r\n").append(tail);
    return result;
}

size_t CountLinePieces(std::string_view text)
{
    size_t count = 0;
    ForEachLinePiece(text, [&count](std::string_view) { ++count; });
    return count;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string result;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) result.append("\r\n");
        result.append(lines[i]);
    }
    return result;
}

TReplaceResult ReplaceRange(TZefEditStringList& lines, TBufferCoord start, TBufferCoord end, std::string_view text)
{
    if (lines.Count() == 0) lines.AddLine({});
    start.Line = ClampLine(lines, start.Line);
    end.Line = ClampLine(lines, end.Line);
    start.Char = std::max(start.Char, 1);
    if (end < start) end = start;

    const std::string_view startText = lines.GetLine(start.Line - 1);
    const bool oneLine = start.Line == end.Line && text.find_first_of("\r\n") == std::string_view::npos;
    if (oneLine && static_cast<size_t>(start.Char - 1) <= startText.size()) {
        // Within one line: edited in place, so the cost does not grow with the line's length.
        const size_t from = static_cast<size_t>(start.Char - 1);
        const size_t to = std::max(from, ClampIndex(startText, end.Char));
        lines.ReplaceInLine(start.Line - 1, from, to - from, text);
        return TReplaceResult{BufferCoord(start.Char + static_cast<int>(text.size()), start.Line), 0};
    }
    std::string left(startText.substr(0, std::min(static_cast<size_t>(start.Char - 1), startText.size())));
    // Nothing inserted beyond the line end adds nothing: no padding without text to pad for.
    if (static_cast<size_t>(start.Char - 1) > startText.size() && !text.empty()) {
        left.resize(static_cast<size_t>(start.Char - 1), ' ');
    }
    const std::string_view endText = lines.GetLine(end.Line - 1);
    // end >= start, so on one line the right part never reaches back into the left part.
    const std::string right(endText.substr(ClampIndex(endText, end.Char)));

    // The pieces go into the lines straight from text: a text of millions of lines is never held a second
    // time as separate strings. Only the first and last piece are joined to what stays of their lines.
    const int oldCount = end.Line - start.Line + 1;
    const int newCount = static_cast<int>(CountLinePieces(text));
    lines.BeginUpdate();
    if (newCount > oldCount) {
        lines.InsertEmptyLines(start.Line - 1 + oldCount, newCount - oldCount);
    } else if (newCount < oldCount) {
        lines.RemoveLines(start.Line, oldCount - newCount);
    }
    int piece = 0;
    size_t afterChar = 0;
    std::string joined;
    ForEachLinePiece(text, [&](std::string_view text) {
        const bool first = piece == 0;
        const bool last = piece == newCount - 1;
        if (first || last) {
            joined.assign(first ? std::string_view(left) : std::string_view());
            joined.append(text);
            afterChar = joined.size();
            if (last) joined.append(right);
            lines.ReplaceLine(start.Line - 1 + piece, joined);
        } else {
            lines.ReplaceLine(start.Line - 1 + piece, text);
        }
        ++piece;
    });
    lines.EndUpdate();
    const TBufferCoord after = text.empty() ? start : BufferCoord(static_cast<int>(afterChar) + 1, start.Line + newCount - 1);
    return TReplaceResult{after, newCount - oldCount};
}

TTextChange Diff(std::string_view oldText, std::string_view newText, size_t maxPrefix)
{
    const size_t shorter = std::min(oldText.size(), newText.size());
    size_t prefix = 0;
    const size_t prefixLimit = std::min(shorter, maxPrefix);
    while (prefix < prefixLimit && oldText[prefix] == newText[prefix]) ++prefix;
    // A change never starts between CR and LF: both texts hold the pair there, so take it into the change.
    if (prefix > 0 && oldText[prefix - 1] == '\r') --prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix && oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix]) {
        ++suffix;
    }
    if (suffix > 0 && oldText[oldText.size() - suffix] == '\n') --suffix;
    return TTextChange{prefix, oldText.size() - prefix - suffix, newText.size() - prefix - suffix};
}

TBufferCoord Advance(TBufferCoord origin, std::string_view text, size_t offset)
{
    TBufferCoord p = origin;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\r' || text[i] == '\n') {
            ++p.Line;
            p.Char = 1;
        } else {
            ++p.Char;
        }
    }
    return p;
}

size_t OffsetOf(std::string_view text, TBufferCoord origin, TBufferCoord p)
{
    if (p < origin) return 0;
    size_t offset = 0;
    for (int line = origin.Line; line < p.Line; ++line) {
        const size_t lineEnd = text.find_first_of("\r\n", offset);
        if (lineEnd == std::string_view::npos) return text.size();
        offset = lineEnd + ((text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n') ? 2 : 1);
    }
    size_t lineEnd = text.find_first_of("\r\n", offset);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const int first = p.Line == origin.Line ? origin.Char : 1;
    const size_t column = static_cast<size_t>(std::max(p.Char - first, 0));
    return std::min(offset + column, lineEnd);
}

} // namespace zefrange
