// Replacing the whole text at once (a file read again) as one undo step.
#include "ZefEdit.h"
#include "ZefEditScope.h"

#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <string>
#include <vector>

void TCustomZefEdit::ReplaceAllLines(const TZefEditStringList& source)
{
    std::vector<std::string> newLines;
    newLines.reserve(static_cast<size_t>(source.Count() > 0 ? source.Count() : 1));
    for (int i = 0; i < source.Count(); ++i) newLines.emplace_back(source.GetLine(i));
    // The control always holds at least one line once it has been edited; an empty file is one empty line.
    if (newLines.empty()) newLines.emplace_back();
    const TBufferCoord caret = caret_;
    {
        TEditScope scope(*this, 1);
        const int oldCount = lines_->Count();
        // The hint at the very end lets the recorded change start at the first differing byte.
        const TBufferCoord end = oldCount > 0 ? BufferCoord(LineLength(oldCount) + 1, oldCount) : BufferCoord(1, 1);
        ChangeLines(ucInsert, 1, oldCount, newLines, end, caret);
        CaretTo(caret);
    }
    // The file's breaks come with its text, so saving the reloaded document gives back the file's bytes.
    if (lines_->Count() == source.Count()) lines_->CopyLineBreaksFrom(source);
    else lines_->SetLineBreakStyle(source.LineBreakStyle());
}
