// The document object: its interface operations, each reaching the window only while it exists.
#include "TEditor.h"

#include "RecentFiles.h"
#include "UntitledNumbers.h"
#include "ZefDesktop.h"
#include "ZefFilePath.h"
#include "ZefEdit.h"
#include "ZefEditKeyCmds.h"
#include "ZefEditTextBuffer.h"
#include "ZefSearchFlow.h"
#include "frmEditor.h"

#include <QComboBox>
#include <QFontInfo>
#include <QMdiArea>
#include <QTextEdit>

#include <algorithm>

std::shared_ptr<IEditorFactory> EditorFactory;
std::shared_ptr<IEditor> ActiveEditor;
std::shared_ptr<IEditCommands> ActiveEditCommands;
std::shared_ptr<IFileCommands> ActiveFileCommands;
std::shared_ptr<ISearchCommands> ActiveSearchCommands;
TEditorServices EditorServices;
bool ReallyClosing = false;

namespace {

bool creamBackground = false;
// The gutter width line numbers return to; one value for the whole program.
int rememberedGutterWidth = 0;

} // namespace

bool DocumentsUseCream() { return creamBackground; }

TEditor::TEditor(TEditorForm* form) : Form(form)
{
    form->RichEdit1->clear();
    if (QComboBox* list = EditorServices.MarkNumberList)
        list->clear();
}

void TEditor::Activate()
{
    if (!Form)
        return;
    RefreshMarkList();
    // A minimised window is brought back, or the keys typed next would reach no editor.
    if (Form->isMinimized())
        Form->showNormal();
    if (QMdiArea* area = Form->mdiArea())
        area->setActiveSubWindow(Form);
    Form->raise();
    Form->SetCommandTargets(true);
    if (Form->ZefEditor->isVisible())
        Form->ZefEditor->setFocus();
    else if (Form->RichEdit1->isVisible())
        Form->RichEdit1->setFocus();
}

void TEditor::Close()
{
    if (!FileName.isEmpty() && EditorServices.RecentFiles)
        EditorServices.RecentFiles->AddRecentFile(FileName);
    if (Form)
        Form->close();
    if (UntitledNumber != -1 && ReallyClosing)
        ReleaseUntitledNumber();
}

void TEditor::ReleaseUntitledNumber()
{
    if (UntitledNumber != -1 && EditorServices.UntitledNumbers)
        EditorServices.UntitledNumbers->FreeUntitledNumber(UntitledNumber);
    UntitledNumber = -1;
}

TBufferCoord TEditor::GetCaretPos() const
{
    if (!Form)
        return TBufferCoord{-1, -1};
    return Form->ZefEditor->CaretPos();
}

QString TEditor::GetModeText() const
{
    if (!Form)
        return QString();
    if (Form->ZefEditor->ReadOnly())
        return QStringLiteral("Read Only");
    return Form->ZefEditor->InsertMode() ? QStringLiteral("Insert") : QStringLiteral("Overwrite");
}

QString TEditor::GetTitle()
{
    if (!FileName.isEmpty())
        return ZefDisplayPath(ZefFileNameOf(FileName));
    if (UntitledNumber == -1 && EditorServices.UntitledNumbers)
        UntitledNumber = EditorServices.UntitledNumbers->AllocUntitledNumber();
    return UntitledNumber == -1 ? QStringLiteral("Untitled") : QStringLiteral("Untitled%1").arg(UntitledNumber);
}

bool TEditor::IsModified() const { return Form && Form->ZefEditor->Modified(); }

void TEditor::LoadFile(const QString& path)
{
    if (!Form) {
        FileName = path;
        return;
    }
    Form->DoLoadFile(path);
}

void TEditor::GoToLine(int line)
{
    if (!Form)
        return;
    TZefEdit* edit = Form->ZefEditor;
    if (line < 1 || line > edit->Lines()->Count()) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        return;
    }
    edit->SetCaretPos(TBufferCoord{edit->CaretPos().Char, line});
}

void TEditor::PlaceCaretOnLine(int line)
{
    if (!Form || Form->ZefEditor->isHidden())
        return;
    TZefEdit* edit = Form->ZefEditor;
    edit->SetCaretPos(TBufferCoord{1, std::clamp(line, 1, std::max(edit->Lines()->Count(), 1))});
}

void TEditor::ShowLineNumbers(bool show)
{
    if (!Form)
        return;
    TZefGutter& gutter = Form->ZefEditor->Gutter();
    if (show) {
        gutter.SetWidth(rememberedGutterWidth);
        gutter.SetShowLineNumbers(true);
    } else {
        rememberedGutterWidth = gutter.Width();
        gutter.SetShowLineNumbers(false);
        gutter.SetWidth(0);
    }
}

std::optional<QFont> TEditor::ChangeFont(bool askUser, const QString& fontName, int fontSize)
{
    if (!Form)
        return std::nullopt;
    TZefEdit* edit = Form->ZefEditor;
    if (askUser) {
        // The dialog is preset with the font the editor really shows: a family the system substitutes would
        // not be in the dialog's list, and the dialog would fall back to its own first entry.
        const QFontInfo shown(edit->font());
        QFont initial(shown.family());
        initial.setPointSize(shown.pointSize() > 0 ? shown.pointSize() : edit->font().pointSize());
        initial.setBold(shown.bold());
        initial.setItalic(shown.italic());
        std::optional<QFont> chosen = ZefDesktop().FontDialog(QStringLiteral("Font"), initial);
        if (!chosen)
            return std::nullopt;
        edit->setFont(*chosen);
        edit->setFocus();
        return chosen;
    }
    QFont font = edit->font();
    font.setFamily(fontName);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    edit->setFont(font);
    edit->setFocus();
    return std::nullopt;
}

void TEditor::SetZeroStart(bool zeroStart)
{
    if (!Form)
        return;
    TZefGutter& gutter = Form->ZefEditor->Gutter();
    // The stored numbers follow the numbering shown, so shift them only on a real change.
    if (gutter.ZeroStart() != zeroStart) {
        for (int32_t& line : MarkedLines)
            line += zeroStart ? -1 : 1;
    }
    gutter.SetZeroStart(zeroStart);
}

void TEditor::SetRightEdge(int column)
{
    if (Form)
        Form->ZefEditor->SetRightEdge(column);
}

void TEditor::SetCreamBackground(bool cream)
{
    creamBackground = cream;
    if (Form)
        Form->ZefEditor->SetColor(cream ? ZefCreamColor : clWhite);
}

QFont TEditor::GetFont() const { return Form ? Form->ZefEditor->font() : QFont(); }

void TEditor::StepFontSize(int step)
{
    if (!Form)
        return;
    QFont font = Form->ZefEditor->font();
    int size = font.pointSize() + step;
    if (step > 0 && size >= 19) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        size = 18;
    } else if (step < 0 && size <= 5) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        size = 6;
    }
    font.setPointSize(size);
    Form->ZefEditor->setFont(font);
}

bool TEditor::Save()
{
    if (!Form)
        return false;
    return FileName.isEmpty() ? Form->SaveDocumentAs() : Form->SaveDocument();
}

bool TEditor::ExecSaveAs() { return Form && Form->SaveDocumentAs(); }


void TEditor::SetActiveLineColor(TColor color)
{
    if (Form)
        Form->ZefEditor->SetActiveLineColor(color);
}

void TEditor::RepaintEditor()
{
    if (Form)
        Form->ZefEditor->viewport()->update();
}

void TEditor::RefreshMarkList()
{
    QComboBox* list = EditorServices.MarkNumberList;
    if (!list)
        return;
    list->clear();
    for (int32_t line : MarkedLines)
        list->insertItem(0, QString::number(line));
    if (list->count() > 0)
        list->setCurrentIndex(0);
}

bool TEditor::CanCopy() const { return Form && HasSelection; }
bool TEditor::CanCut() const { return Form && HasSelection && !IsReadOnly; }
bool TEditor::CanDelete() const { return Form && HasSelection && !IsReadOnly; }
bool TEditor::CanPaste() const { return Form && Form->ZefEditor->CanPaste(); }
bool TEditor::CanRedo() const { return Form && Form->ZefEditor->CanRedo(); }
bool TEditor::CanSelectAll() const { return Form != nullptr; }
bool TEditor::CanUndo() const { return Form && Form->ZefEditor->CanUndo(); }

void TEditor::ExecCopy()
{
    if (Form)
        Form->ZefEditor->DispatchCommand(ecCopy, 0, nullptr);
}

void TEditor::ExecCut()
{
    if (Form)
        Form->ZefEditor->DispatchCommand(ecCut, 0, nullptr);
}

void TEditor::ExecDelete()
{
    if (Form)
        Form->ZefEditor->SetSelectedText({});
}

void TEditor::ExecPaste()
{
    if (Form)
        Form->ZefEditor->DispatchCommand(ecPaste, 0, nullptr);
}

void TEditor::ExecRedo()
{
    if (Form)
        Form->ZefEditor->DispatchCommand(ecRedo, 0, nullptr);
}

void TEditor::ExecSelectAll()
{
    if (!Form)
        return;
    Form->ZefEditor->DispatchCommand(ecSelectAll, 0, nullptr);
    // The user selected the text (menu or Ctrl+A), so it becomes the primary selection as any selection does.
    Form->ZefEditor->PublishPrimarySelection();
}

void TEditor::ExecUndo()
{
    if (Form)
        Form->ZefEditor->DispatchCommand(ecUndo, 0, nullptr);
}

bool TEditor::CanSave() const { return Form && (IsModified() || FileName.isEmpty()); }

bool TEditor::CanFind() const { return Form && !IsEmpty; }
// No search text can have been entered before the find dialog exists.
bool TEditor::CanFindNext() const { return CanFind() && !ZefSearchState().SearchText.isEmpty(); }
bool TEditor::CanFindPrev() const { return CanFindNext(); }

void TEditor::ExecFind(bool textAtCaret)
{
    if (Form && Form->Search) Form->Search->ExecFind(textAtCaret);
}

void TEditor::ExecFindNext()
{
    if (Form && Form->Search) Form->Search->ExecFindNext();
}

void TEditor::ExecFindPrev()
{
    if (Form && Form->Search) Form->Search->ExecFindPrev();
}

void TEditor::ExecReplace(bool textAtCaret)
{
    if (Form && Form->Search) Form->Search->ExecReplace(textAtCaret);
}
bool TEditor::CanReplace() const { return Form && !IsReadOnly && !IsEmpty; }
