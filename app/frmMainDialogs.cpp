// The main window's small dialogs and the formatter commands: go to line, right edge, "General" and
// "General +", help and about.
#include "frmMain.h"

#include "GFmtPlus.h"
#include "RightEdge.h"
#include "TEditorFormat.h"
#include "ZefAppInfo.h"
#include "ZefAppSettings.h"
#include "ZefDesktop.h"
#include "ZefGoToLine.h"
#include "ZefHelp.h"
#include "ZefSpinEdit.h"
#include "reabout.h"
#include "startup.h"

#include <QAction>

#include <optional>

void TMainForm::GoToLine()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        return;
    }
    const std::optional<QString> typed =
        ZefDesktop().InputQuery(QStringLiteral("Jump to line"), QStringLiteral("Please input the line number"), QString());
    // Cancel is the user's own choice, not a wrong input.
    if (!typed)
        return;
    const std::optional<int> line = ZefJumpToLineNumber(*typed, Control("miZeroStart")->isChecked());
    if (!line) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QStringLiteral("Invalid input."));
        return;
    }
    editor->GoToLine(*line);
}

void TMainForm::RightEdge()
{
    TfrmSetRightEdge dialog(this);
    try {
        dialog.SetValue(ReadRightEdgeSetting(80));
    } catch (const EZefConvertError& error) {
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QString::fromStdString(error.what()));
    }
    ZefDesktop().ExecDialog(dialog);
    if (dialog.Accepted()) {
        state_.rightEdge = dialog.Value();
        if (EditorFactory)
            for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
                if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                    editor->SetRightEdge(state_.rightEdge);
    }
    StoreRightEdge(state_.rightEdge);
}

void TMainForm::FormatGeneral()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor)
        return;
    editor->SetFormatStyle(QStringLiteral("&General"));
    editor->SetMaxLineLength(state_.maxLineLength);
    editor->FormatText();
    editor->RepaintEditor();
}

void TMainForm::FormatGeneralPlus()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor)
        return;
    ZefResetGeneralPlusSettings(state_.maxLineLength);
    TGeneralFmtPlus dialog(this);
    try {
        dialog.seMaxStr->setValue(ReadMaxStrOnLineSetting(80));
    } catch (const EZefConvertError& error) {
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QString::fromStdString(error.what()));
    }
    dialog.seMaxStr->selectAll();
    if (ZefDesktop().ExecDialog(dialog) != QDialog::Accepted)
        return;
    if (const std::optional<int> remembered = ZefApplyGeneralPlus(dialog.Choice(), *editor)) {
        state_.maxLineLength = *remembered;
        StoreMaxStrOnLine(*remembered);
    }
    editor->SetFormatStyle(QStringLiteral("G&eneral +"));
    editor->FormatText();
    editor->RepaintEditor();
}

void TMainForm::Help()
{
    ZefOpenHelp(AppDir);
}

void TMainForm::About()
{
    ZefShowAboutBox(this);
}
