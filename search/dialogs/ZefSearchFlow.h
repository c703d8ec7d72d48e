// The find and replace flow of one document: the search state shared by the whole program, the dialogs with
// their presets and histories, Find Next / Find Previous, the question before each replacement and the signal
// that nothing was found.
#pragma once

#include "ZefEditRegexSearch.h"
#include "ZefEditSearch.h"
#include "ZefCodePageText.h"
#include "ZefEditTypes.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class TCustomZefEdit;
class TConfirmReplaceDialog;
enum TZefReplaceAction : uint8_t;

// Remembered from one dialog to the next for the whole run, in memory only; texts as the user typed them.
struct TZefSearchState {
    bool SearchBackwards = false;
    bool SearchMatchCase = false;
    bool SearchFromCaret = false;
    bool SearchSelectionOnly = false;
    bool SearchTextFromCaret = false;
    bool SearchWholeWords = false;
    bool SearchRegularExpression = false;
    QString SearchText;
    QString SearchHistory;  // up to ten earlier texts, most recent first, joined by CR LF
    QString ReplaceText;
    QString ReplaceHistory;
};
TZefSearchState& ZefSearchState();


// The part of a document window that searches its editor control. Owns the two engines.
class TZefEditorSearch {
public:
    TZefEditorSearch(TCustomZefEdit* editor, QWidget* form);
    ~TZefEditorSearch();
    TZefEditorSearch(const TZefEditorSearch&) = delete;
    TZefEditorSearch& operator=(const TZefEditorSearch&) = delete;

    TZefEditSearch ZefEditSearch1;
    TZefEditRegexSearch ZefEditRegexSearch1;
    // Whether a search started without the dialog begins at the caret (false until the dialog was used).
    bool NextSearchFromCaret = false;

    // The commands. Find presets case sensitivity off and whole words on, Replace both on; with textAtCaret
    // the dialog starts with the selected text (on one line) or the word at the caret.
    void ExecFind(bool textAtCaret);
    void ExecReplace(bool textAtCaret);
    void ExecFindNext() { FindWithSettings(false, false); }
    void ExecFindPrev() { FindWithSettings(false, true); }

    struct TPresets {
        bool TextFromCaret = false;
        bool MatchCase = false;
        bool WholeWords = false;
    };
    // Shows the search (or replace) dialog; on OK stores the state and searches. Cancel changes nothing.
    void ShowFindDialog(bool replace, TPresets presets);
    // Searches (or replaces, asking for each match) with the stored state. Errors (a bad regular expression)
    // pass to the caller after the search has closed everything it opened.
    void FindWithSettings(bool replace, bool backwards);
    // The editor's OnReplaceText: asks the confirmation dialog beside the match.
    void ZefEditorReplaceText(const std::string& search, int line, int column, TZefReplaceAction& action);

    // The word at the caret: identifier characters around it (the highlighter's, or letters, digits, '_').
    std::string WordAtCaret() const;
    // Exists while a replace command is asking, for tests and placement.
    TConfirmReplaceDialog* ConfirmDialog() const { return confirm_.get(); }

private:
    void NotFound();

    TCustomZefEdit* editor_;
    QPointer<QWidget> form_;
    std::unique_ptr<TConfirmReplaceDialog> confirm_;
    // The match the last Find Next / Previous selected, so that "selected text only" moves on from it.
    bool haveFound_ = false;
    TBufferCoord foundFirst_;
    TBufferCoord foundLast_;
};
