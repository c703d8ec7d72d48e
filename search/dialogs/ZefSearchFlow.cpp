// The find and replace flow: dialogs through the desktop seam, the stored state, the searches and the
// replace confirmation.
#include "ZefSearchFlow.h"

#include "CodePage1252.h"
#include "ZefDesktop.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefIdentChars.h"
#include "ZefLongWork.h"
#include "dlgConfirmReplace.h"
#include "dlgSearchText.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QStatusBar>

namespace {

constexpr int kHistoryLength = 10;
const QString kLineBreak = QStringLiteral("\r\n");

QStringList HistoryItems(const QString& joined)
{
    return joined.isEmpty() ? QStringList() : joined.split(kLineBreak);
}

QString JoinHistory(const QStringList& items) { return items.mid(0, kHistoryLength).join(kLineBreak); }

} // namespace

TZefSearchState& ZefSearchState()
{
    static TZefSearchState state;
    return state;
}

TZefEditorSearch::TZefEditorSearch(TCustomZefEdit* editor, QWidget* form) : editor_(editor), form_(form)
{
    editor_->SetSearchEngine(&ZefEditSearch1);
    editor_->OnReplaceText = [this](TCustomZefEdit*, const std::string& search, const std::string&, int line,
                                    int column, TZefReplaceAction& action) {
        ZefEditorReplaceText(search, line, column, action);
    };
}

TZefEditorSearch::~TZefEditorSearch() = default;

void TZefEditorSearch::ExecFind(bool textAtCaret) { ShowFindDialog(false, {textAtCaret, !textAtCaret, textAtCaret}); }

void TZefEditorSearch::ExecReplace(bool textAtCaret) { ShowFindDialog(true, {textAtCaret, textAtCaret, textAtCaret}); }

std::string TZefEditorSearch::WordAtCaret() const
{
    const TBufferCoord caret = editor_->CaretPos();
    const std::string line = editor_->Lines()->Count() >= caret.Line ? std::string(editor_->Lines()->GetLine(caret.Line - 1)) : std::string();
    const int length = static_cast<int>(line.size());
    if (caret.Char < 1 || caret.Char > length + 1) return {};
    const std::array<bool, 256> identChars = ZefIdentCharTable(editor_->Highlighter());
    auto isIdent = [&](char c) { return identChars[static_cast<unsigned char>(c)]; };
    int end = caret.Char;
    while (end <= length && isIdent(line[static_cast<size_t>(end - 1)])) ++end;
    int start = caret.Char;
    while (start > 1 && isIdent(line[static_cast<size_t>(start - 2)])) --start;
    return line.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start));
}

void TZefEditorSearch::ShowFindDialog(bool replace, TPresets presets)
{
    TZefSearchState& state = ZefSearchState();
    std::unique_ptr<TTextSearchDialog> dialog;
    TTextReplaceDialog* replaceDialog = nullptr;
    if (replace) {
        auto made = std::make_unique<TTextReplaceDialog>(form_);
        replaceDialog = made.get();
        dialog = std::move(made);
    } else {
        dialog = std::make_unique<TTextSearchDialog>(form_);
    }
    dialog->SetSearchBackwards(state.SearchBackwards);
    dialog->cbSearchCaseSensitive->setChecked(presets.MatchCase);
    dialog->cbSearchFromCursor->setChecked(state.SearchFromCaret);
    dialog->cbSearchSelectedOnly->setChecked(state.SearchSelectionOnly);
    dialog->cbRegularExpression->setChecked(state.SearchRegularExpression);
    dialog->SetSearchTextHistory(HistoryItems(state.SearchHistory));
    QString text = state.SearchText;
    if (presets.TextFromCaret) {
        const bool oneLine = editor_->HasSelection() && editor_->SelFirst().Line == editor_->SelLast().Line;
        text = ZefFromCodePage(oneLine ? editor_->SelectedText() : WordAtCaret());
    }
    dialog->SetSearchText(text);
    if (replaceDialog != nullptr) {
        replaceDialog->SetReplaceTextHistory(HistoryItems(state.ReplaceHistory));
        replaceDialog->SetReplaceText(state.ReplaceText);
    }
    dialog->cbSearchWholeWords->setChecked(presets.WholeWords);

    if (ZefDesktop().ExecDialog(*dialog) != QDialog::Accepted) return;
    const QString searchText = dialog->SearchText();
    const QString replaceText = replaceDialog != nullptr ? replaceDialog->ReplaceText() : state.ReplaceText;
    if (!ZefToCodePageExact(searchText) || !ZefToCodePageExact(replaceText)) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        return;
    }
    state.SearchBackwards = dialog->SearchBackwards();
    state.SearchMatchCase = dialog->cbSearchCaseSensitive->isChecked();
    state.SearchFromCaret = dialog->cbSearchFromCursor->isChecked();
    state.SearchSelectionOnly = dialog->cbSearchSelectedOnly->isChecked();
    state.SearchWholeWords = dialog->cbSearchWholeWords->isChecked();
    state.SearchRegularExpression = dialog->cbRegularExpression->isChecked();
    state.SearchTextFromCaret = presets.TextFromCaret;
    state.SearchText = searchText;
    state.SearchHistory = JoinHistory(dialog->SearchTextHistory());
    if (replaceDialog != nullptr) {
        state.ReplaceText = replaceText;
        state.ReplaceHistory = JoinHistory(replaceDialog->ReplaceTextHistory());
    }
    dialog.reset();

    NextSearchFromCaret = state.SearchFromCaret;
    haveFound_ = false;
    if (!state.SearchText.isEmpty()) {
        FindWithSettings(replace, state.SearchBackwards);
        NextSearchFromCaret = true;
    }
}

void TZefEditorSearch::FindWithSettings(bool replace, bool backwards)
{
    const TZefSearchState& state = ZefSearchState();
    TSearchOptions options = replace ? TSearchOptions(soPrompt | soReplace | soReplaceAll) : TSearchOptions(0);
    if (backwards) options |= soBackwards;
    if (state.SearchMatchCase) options |= soMatchCase;
    if (!NextSearchFromCaret) options |= soEntireScope;
    if (state.SearchSelectionOnly) options |= soSelectedOnly;
    if (state.SearchWholeWords) options |= soWholeWord;
    // With "selected text only", the match this flow selected is not a scope: the next search moves on
    // from the caret instead of finding that match again.
    if (!replace && haveFound_ && editor_->SelFirst() == foundFirst_ && editor_->SelLast() == foundLast_) {
        options &= static_cast<TSearchOptions>(~soSelectedOnly);
    }
    editor_->SetSearchEngine(state.SearchRegularExpression ? static_cast<TZefEditSearchCustom*>(&ZefEditRegexSearch1)
                                                           : &ZefEditSearch1);
    const std::optional<std::string> search = ZefToCodePageExact(state.SearchText);
    const std::optional<std::string> replacement = ZefToCodePageExact(state.ReplaceText);
    if (!search || !replacement) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        return;
    }
    // The confirmation dialog lives until this command ends, also when an error ends it.
    struct TConfirmEnd {
        std::unique_ptr<TConfirmReplaceDialog>& dialog;
        ~TConfirmEnd() { dialog.reset(); }
    } confirmEnd{confirm_};
    haveFound_ = false;
    // Replacing all the rest may take long: its feedback starts with it, after the last question, and ends
    // with the command. Stopping it is safe, what was replaced so far being one undo step.
    std::unique_ptr<TZefLongWork> replacingAll;
    const TZefWorkProgress progress = [&replacingAll](uint64_t done, uint64_t total) {
        if (!replacingAll) replacingAll = std::make_unique<TZefLongWork>(QStringLiteral("Replacing..."), true);
        return replacingAll->Step(done, total);
    };
    const int found = editor_->SearchReplace(*search, *replacement, options, progress);
    replacingAll.reset();
    if (found == 0) {
        NotFound();
        const TBufferCoord collapseAt = backwards ? editor_->SelFirst() : editor_->SelLast();
        editor_->SetCaretPos(collapseAt);
        return;
    }
    if (!replace) {
        haveFound_ = true;
        foundFirst_ = editor_->SelFirst();
        foundLast_ = editor_->SelLast();
    }
}

void TZefEditorSearch::NotFound()
{
    ZefDesktop().Beep(TZefBeepKind::bkInformation);
    // A note that does not interrupt, for desktops without sound.
    if (form_ != nullptr) {
        if (auto* main = qobject_cast<QMainWindow*>(form_->window())) {
            main->statusBar()->showMessage(QStringLiteral("Search text not found"), 5000);
        }
    }
}

void TZefEditorSearch::ZefEditorReplaceText(const std::string& search, int line, int column, TZefReplaceAction& action)
{
    if (!confirm_) confirm_ = std::make_unique<TConfirmReplaceDialog>();
    confirm_->SetSearchText(ZefFromCodePage(search));
    const TDisplayCoord display = editor_->BufferToDisplayPos(BufferCoord(column, line));
    const QPoint inView(editor_->ColumnToX(display.Column), (line - editor_->TopVisibleLine()) * editor_->RowHeight());
    const QPoint match = editor_->viewport()->mapToGlobal(inView);
    QWidget* form = form_ != nullptr ? form_.data() : editor_;
    const QRect formRect(form->mapToGlobal(QPoint(0, 0)), form->size());
    confirm_->PlaceFor(match, editor_->RowHeight(), formRect);
    switch (ZefDesktop().ExecDialog(*confirm_)) {
    case TConfirmReplaceDialog::arYes: action = raReplace; break;
    case TConfirmReplaceDialog::arNo: action = raSkip; break;
    case TConfirmReplaceDialog::arYesToAll: action = raReplaceAll; break;
    default: action = raCancel; break;
    }
}
