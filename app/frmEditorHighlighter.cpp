// The document window's highlighter by file name, and the Save As filter that follows it.
#include "frmEditor.h"

#include "TEditor.h"
#include "ZefEdit.h"
#include "dmHighlighters.h"

void TEditorForm::RefreshHighlighter()
{
    ZefEditor->SetHighlighter(HighlighterSet != nullptr ? HighlighterSet->HighlighterForFile(Editor->FileName) : nullptr);
}

QString TEditorForm::SaveAsFilter() const { return TZefHighlighterSet::SaveFilter(ZefEditor->Highlighter()); }
