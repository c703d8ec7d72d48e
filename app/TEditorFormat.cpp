// The formatter behind the document interface: the program-wide settings and one run over a document's text.
#include "TEditorFormat.h"

#include "TEditor.h"
#include "ZefCodePageText.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "frmEditor.h"
#include "hrglass.h"

#include <QGuiApplication>

#include <algorithm>
#include <string>
#include <vector>

TZefFormatSettings& ZefFormatterSettings()
{
    static TZefFormatSettings settings;
    return settings;
}

void ZefResetGeneralPlusSettings(int maxLineLength)
{
    TZefFormatSettings& settings = ZefFormatterSettings();
    settings.JoinParagraphs = false;
    settings.SpacesBeforeNew = 0;
    settings.SpacesBeforeAll = 0;
    settings.AlignChar.clear();
    settings.AlignCount = 0;
    settings.MaxLineLength = static_cast<uint16_t>(std::clamp(maxLineLength, 0, 65535));
    settings.DeleteEmptyLines = false;
    settings.MaxEmptyLines = 1;
}

namespace {

uint8_t Count(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

void TEditor::FormatText()
{
    if (Form)
        Form->FormatText(ZefFormatterSettings(), EditorServices.BusyWindow);
}

void TEditor::SetFormatStyle(const QString& caption)
{
    QString name = caption;
    name.remove(QLatin1Char('&'));
    ZefFormatterSettings().Style =
        name == QStringLiteral("General +") ? TZefFormatStyle::fsGeneralPlus : TZefFormatStyle::fsGeneral;
}

void TEditor::SetJoinParagraphs(bool join) { ZefFormatterSettings().JoinParagraphs = join; }
void TEditor::SetSpacesBeforeNew(int count) { ZefFormatterSettings().SpacesBeforeNew = Count(count); }
void TEditor::SetSpacesBeforeAll(int count) { ZefFormatterSettings().SpacesBeforeAll = Count(count); }

void TEditor::SetAlignChar(const QString& character, int count)
{
    ZefFormatterSettings().AlignChar = ZefToCodePage(character.left(1));
    ZefFormatterSettings().AlignCount = Count(count);
}

void TEditor::SetMaxLineLength(int length)
{
    ZefFormatterSettings().MaxLineLength = static_cast<uint16_t>(std::clamp(length, 0, 65535));
}

void TEditor::SetDeleteEmptyLines(bool on) { ZefFormatterSettings().DeleteEmptyLines = on; }
void TEditor::SetMaxEmptyLines(int count) { ZefFormatterSettings().MaxEmptyLines = Count(count); }

void TEditorForm::FormatText(const TZefFormatSettings& settings, THourGlass* busy)
{
    if (richText_ || formatting_ || ZefEditor->ReadOnly())
        return;
    TZefEditStringList& store = *ZefEditor->Lines();
    const TBufferCoord caret = ZefEditor->CaretPos();
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(store.Count()));
    for (int i = 0; i < store.Count(); ++i)
        lines.emplace_back(store.GetLine(i));

    // However the run ends, the busy window goes and the window may close again.
    struct TRunGuard {
        TEditorForm& form;
        THourGlass* busy;
        ~TRunGuard()
        {
            if (busy)
                busy->Finish();
            form.formatting_ = false;
        }
    } guard{*this, busy};
    formatting_ = true;
    if (busy)
        busy->Start(store.Count());
    TZefFormatResult result = ZefFormatLines(std::move(lines), settings, [busy](int, int lineCount) {
        return !busy || busy->Step(lineCount);
    });

    // Terminate cannot stop the installing of the result, so the busy window goes now; the document stays
    // safe because nothing else runs until the result is in place.
    if (busy)
        busy->Finish();
    struct TWaitCursor {
        TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    } waitCursor;
    bool changed = static_cast<int>(result.Lines.size()) != store.Count();
    for (int i = 0; !changed && i < store.Count(); ++i)
        changed = store.GetLine(i) != result.Lines[static_cast<size_t>(i)];
    if (changed) {
        TZefEditStringList formatted;
        formatted.SetLineBreakStyle(store.LineBreakStyle());
        formatted.AppendLines(result.Lines);
        formatted.SetTrailingLineBreak(store.TrailingLineBreak());
        // Lines that keep their number keep their own breaks (a file with mixed breaks stays so).
        if (formatted.Count() == store.Count())
            formatted.CopyLineBreaksFrom(store);
        ZefEditor->ReplaceAllLines(formatted);
        ZefEditor->SetModified(true);
        Editor->Modified = true;
    }
    ZefEditor->SetCaretPos(caret);
    ZefEditor->setFocus();
}
