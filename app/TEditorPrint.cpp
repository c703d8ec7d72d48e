// The document's print command: its text goes to the print window.
#include "TEditor.h"

#include "ZefEdit.h"
#include "ZefPrintWindow.h"
#include "frmEditor.h"

void TEditor::ExecPrint(bool selectionOnly)
{
    TForm1* printWindow = EditorServices.PrintWindow;
    if (!Form || Form->IsRichText() || !printWindow)
        return;
    const TZefEdit* edit = Form->ZefEditor;
    TZefPrintDocument document;
    document.Text = selectionOnly ? edit->SelectedText() : edit->Text();
    document.Color = edit->Color();
    document.Highlighter = edit->Highlighter();
    document.Font = edit->font();
    document.Title = GetTitle();
    printWindow->ShowDocument(document);
}
