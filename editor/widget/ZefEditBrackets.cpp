// Word selection at a position and bracket matching on the editor control.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditHighlighter.h"
#include "ZefEditTextBuffer.h"

#include <algorithm>
#include <vector>

void TCustomZefEdit::SelectWordAt(TBufferCoord position)
{
    TPaintLockGuard lock(*this);
    const int line = std::clamp(position.Line, 1, std::max(lines_->Count(), 1));
    const int x = std::clamp(position.Char, 1, maxLineWidth_);
    const std::string_view text = LineText(line);
    const int length = static_cast<int>(text.size());
    if (x > length + 1) {
        CaretTo(BufferCoord(length + 1, line));
        return;
    }
    // Every code-page byte is a single-byte character: it belongs to the word when it is an identifier byte.
    auto inWord = [&](int index) { return wordChars_.IsIdentChar(static_cast<unsigned char>(text[static_cast<size_t>(index - 1)])); };
    int start = x;
    while (start > 1 && inWord(start - 1)) --start;
    int end = x;
    while (end <= length && inWord(end)) ++end;
    SetCaretAndSelection(BufferCoord(end, line), BufferCoord(start, line), BufferCoord(end, line));
    viewport()->update();
    StatusChanged(scSelection);
}

namespace {

// For each byte of the line: true when the highlighter colours it as a string or a comment. Lines are
// highlighted from the range the store holds for the line above, or from the document start when that
// range was never computed.
std::vector<bool> QuotedBytes(TZefCustomHighlighter* highlighter, const TZefEditStringList& lines, int line)
{
    const std::string_view text = lines.GetLine(line - 1);
    std::vector<bool> quoted(text.size(), false);
    if (highlighter == nullptr) return quoted;
    int from = line - 1;
    while (from > 0 && lines.GetRangeState(from - 1) == NullRange) --from;
    if (from == 0) {
        highlighter->ResetRange();
    } else {
        highlighter->SetRange(lines.GetRangeState(from - 1));
    }
    for (int index = from; index < line - 1; ++index) {
        highlighter->SetLine(lines.GetLine(index), index);
        while (!highlighter->GetEol()) highlighter->Next();
    }
    const TZefHighlighterAttributes* comment = highlighter->GetDefaultAttribute(kZefAttribComment);
    const TZefHighlighterAttributes* string = highlighter->GetDefaultAttribute(kZefAttribString);
    highlighter->SetLine(text, line - 1);
    while (!highlighter->GetEol()) {
        const TZefHighlighterAttributes* attribute = highlighter->GetTokenAttribute();
        if (attribute != nullptr && (attribute == comment || attribute == string)) {
            const size_t pos = static_cast<size_t>(std::max(highlighter->GetTokenPos(), 0));
            const size_t end = std::min(pos + highlighter->GetToken().size(), quoted.size());
            for (size_t i = pos; i < end; ++i) quoted[i] = true;
        }
        highlighter->Next();
    }
    return quoted;
}

} // namespace

TBufferCoord TCustomZefEdit::FindMatchingBracket() const
{
    static constexpr std::string_view brackets = "()[]{}<>";
    const TBufferCoord caret = caret_;
    const std::string_view text = LineText(caret.Line);
    if (caret.Char < 1 || caret.Char > static_cast<int>(text.size())) return caret;
    const size_t kind = brackets.find(text[static_cast<size_t>(caret.Char - 1)]);
    if (kind == std::string_view::npos) return caret;
    const char open = brackets[kind & ~size_t{1}];
    const char close = brackets[kind | 1];
    const bool forward = (kind % 2) == 0;
    int depth = 0;
    for (int line = caret.Line; line >= 1 && line <= lines_->Count(); line += forward ? 1 : -1) {
        const std::string_view current = LineText(line);
        ScanRangesUpTo(line);
        const std::vector<bool> quoted = QuotedBytes(highlighter_, *lines_, line);
        int i = line == caret.Line ? caret.Char - 1 : (forward ? 0 : static_cast<int>(current.size()) - 1);
        for (; i >= 0 && i < static_cast<int>(current.size()); i += forward ? 1 : -1) {
            if (quoted[static_cast<size_t>(i)] && !(line == caret.Line && i == caret.Char - 1)) continue;
            const char c = current[static_cast<size_t>(i)];
            if (c == open) depth += forward ? 1 : -1;
            if (c == close) depth += forward ? -1 : 1;
            if (depth == 0) return BufferCoord(i + 1, line);
        }
    }
    return caret;
}
