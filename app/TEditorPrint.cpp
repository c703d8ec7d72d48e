// The document's print command: its text goes to the print window.
#include "TEditor.h"

#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"
#include "ZefPrintWindow.h"
#include "frmEditor.h"

namespace {

// Lines copied between two looks at the progress.
constexpr uint64_t kCopyLinesPerStep = 65536;

// The whole text, CR LF between lines, copied line by line so that the copy can show its progress; a stop
// raises EZefWorkCancelled before anything else has changed.
std::string CopyText(const TZefEditStringList& lines, const TZefWorkProgress& progress)
{
    const int count = lines.Count();
    TZefProgressTicker ticker(progress, static_cast<uint64_t>(count), kCopyLinesPerStep);
    size_t size = 0;
    for (int i = 0; i < count; ++i) size += lines.GetLine(i).size() + 2;
    std::string text;
    text.reserve(size);
    for (int i = 0; i < count; ++i) {
        ticker.CheckAt(static_cast<uint64_t>(i));
        if (i > 0) text.append("\r\n");
        text.append(lines.GetLine(i));
    }
    return text;
}

} // namespace

void TEditor::ExecPrint(bool selectionOnly)
{
    TForm1* printWindow = EditorServices.PrintWindow;
    if (!Form || Form->IsRichText() || !printWindow)
        return;
    const TZefEdit* edit = Form->ZefEditor;
    // Copying out may be stopped: the print window is then neither changed nor shown. Taking the copy into the
    // print window's editor may not, but it keeps the windows painted.
    TZefLongWork work(QStringLiteral("Preparing the print..."), true);
    const TZefWorkProgress copying = [&work](uint64_t done, uint64_t total) { return work.Step(done, 3 * total); };
    TZefPrintDocument document;
    try {
        document.Text = selectionOnly ? edit->SelectedText() : CopyText(*edit->Lines(), copying);
    } catch (const EZefWorkCancelled&) {
        return;
    }
    document.Color = edit->Color();
    document.Highlighter = edit->Highlighter();
    document.Font = edit->font();
    document.Title = GetTitle();
    printWindow->ShowDocument(document, [&work](uint64_t done, uint64_t total) {
        work.Step(done, total); // from a third on: the copy-out had the first
        return true;
    });
}
