// The find and replace flow through the scripted desktop: dialog presets, histories, Cancel, the confirmation's
// four answers, Find Next / Previous, nothing found, and the error of a bad pattern.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefScriptedDesktop.h"
#include "ZefSearchFlow.h"
#include "dlgConfirmReplace.h"
#include "dlgSearchText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SearchFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZefSearchState() = TZefSearchState{};
        edit_ = std::make_unique<TZefEdit>();
        search_ = std::make_unique<TZefEditorSearch>(edit_.get(), nullptr);
    }
    void SetText(const std::string& text) { edit_->SetText(text); }

    // Types into the dialog's search (and replace) box, sets the options given and presses OK.
    static TZefScriptedDesktop::TDialogScript Type(QString search, std::optional<QString> replace = {},
                                                   std::function<void(TTextSearchDialog&)> more = {})
    {
        return [search, replace, more](QDialog& dialog) {
            auto& d = dynamic_cast<TTextSearchDialog&>(dialog);
            d.cbSearchText->lineEdit()->setText(search);
            if (replace) dynamic_cast<TTextReplaceDialog&>(dialog).cbReplaceText->lineEdit()->setText(*replace);
            if (more) more(d);
            d.btnOK->click();
        };
    }
    static TZefScriptedDesktop::TDialogScript Press(const char* button)
    {
        return [button](QDialog& dialog) { dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click(); };
    }

    TZefScriptedDesktop desktop_;
    TZefDesktopScope scope_{desktop_};
    std::unique_ptr<TZefEdit> edit_;
    std::unique_ptr<TZefEditorSearch> search_;
};

TEST_F(SearchFlow, FindSelectsTheFirstMatchAndFindNextMovesOn)
{
    SetText("one two\ntwo one two");
    desktop_.AnswerDialog(Type("two"));
    search_->ExecFind(true);
    EXPECT_EQ(edit_->SelectedText(), "two");
    EXPECT_EQ(edit_->SelFirst(), BufferCoord(5, 1));
    search_->ExecFindNext();
    EXPECT_EQ(edit_->SelFirst(), BufferCoord(1, 2));
    search_->ExecFindPrev(); // right after Find Next: the previous match, not the same one
    EXPECT_EQ(edit_->SelFirst(), BufferCoord(5, 1));
    EXPECT_EQ(desktop_.DebugDump(), "dialog \"Search Text\" -> 1\n");
}

TEST_F(SearchFlow, PresetsComeFromTheCaretAndCancelStoresNothing)
{
    SetText("alpha beta\ngamma");
    edit_->SetCaretPos(BufferCoord(8, 1)); // inside "beta"
    QString shown;
    bool wholeWords = false, matchCase = true;
    desktop_.AnswerDialog([&](QDialog& dialog) {
        auto& d = dynamic_cast<TTextSearchDialog&>(dialog);
        shown = d.SearchText();
        wholeWords = d.cbSearchWholeWords->isChecked();
        matchCase = d.cbSearchCaseSensitive->isChecked();
        d.cbRegularExpression->setChecked(true);
        d.btnCancel->click();
    });
    search_->ExecFind(true);
    EXPECT_EQ(shown, "beta");
    EXPECT_TRUE(wholeWords);
    EXPECT_FALSE(matchCase);
    EXPECT_TRUE(ZefSearchState().SearchText.isEmpty());
    EXPECT_FALSE(ZefSearchState().SearchRegularExpression);
    EXPECT_FALSE(ZefSearchState().SearchWholeWords);

    // A selection on one line is the preset; the regular-expression box shows its last OK state.
    edit_->SetCaretAndSelection(BufferCoord(6, 1), BufferCoord(1, 1), BufferCoord(6, 1));
    ZefSearchState().SearchRegularExpression = true;
    bool regex = false;
    desktop_.AnswerDialog([&](QDialog& dialog) {
        auto& d = dynamic_cast<TTextSearchDialog&>(dialog);
        shown = d.SearchText();
        regex = d.cbRegularExpression->isChecked();
        d.btnCancel->click();
    });
    search_->ExecFind(true);
    EXPECT_EQ(shown, "alpha");
    EXPECT_TRUE(regex);
}

TEST_F(SearchFlow, HistoryKeepsTenMostRecentFirstIgnoringCaseOnce)
{
    SetText("x");
    for (int i = 0; i < 12; ++i) {
        desktop_.AnswerDialog(Type(QStringLiteral("w%1").arg(i)));
        search_->ExecFind(false);
    }
    desktop_.AnswerDialog(Type("W3"));
    search_->ExecFind(false);
    const QStringList history = ZefSearchState().SearchHistory.split("\r\n");
    EXPECT_EQ(history, (QStringList{"W3", "w11", "w10", "w9", "w8", "w7", "w6", "w5", "w4", "w2"}));
    // Nothing found each time: one information beep per search.
    EXPECT_EQ(desktop_.DebugDump().count("beep information"), 13);
}

TEST_F(SearchFlow, PastedLineBreakIsCutOffInTheBoxes)
{
    TTextReplaceDialog dialog;
    dialog.cbSearchText->lineEdit()->setText("abc\r\ndef");
    dialog.cbReplaceText->lineEdit()->setText("x\ny");
    EXPECT_EQ(dialog.SearchText(), "abc");
    EXPECT_EQ(dialog.ReplaceText(), "x");
}

TEST_F(SearchFlow, ConfirmAnswersYesNoAllAndCancel)
{
    SetText("a a a a\na");
    QString question;
    desktop_.AnswerDialog(Type("a", QString("b")));
    desktop_.AnswerDialog([&](QDialog& dialog) {
        question = dialog.findChild<QLabel*>("lblConfirmation")->text();
        dialog.findChild<QPushButton*>("btnReplace")->click();
    });
    desktop_.AnswerDialog(Press("btnSkip"));
    desktop_.AnswerDialog(Press("btnReplaceAll"));
    search_->ExecReplace(false);
    EXPECT_EQ(question, "Replace this occurrence of \"a\"?");
    EXPECT_EQ(edit_->Text(), "b a b b\r\nb");
    EXPECT_EQ(search_->ConfirmDialog(), nullptr);
    edit_->Undo(); // "Yes to all" is one step
    EXPECT_EQ(edit_->Text(), "b a a a\r\na");

    desktop_.AnswerDialog(Type("a", QString("c")));
    desktop_.AnswerDialog(Press("btnCancel"));
    desktop_.ClearLog();
    edit_->SetCaretPos(BufferCoord(1, 1));
    search_->ExecReplace(false);
    EXPECT_EQ(edit_->Text(), "b a a a\r\na");
    EXPECT_EQ(edit_->SelectedText(), "a"); // the match at which the user cancelled
    EXPECT_EQ(desktop_.DebugDump(), "dialog \"Replace text\" -> 1\ndialog \"Confirm replace\" -> 0\n");
    EXPECT_EQ(ZefSearchState().ReplaceHistory, "c\r\nb");
}

TEST_F(SearchFlow, BadPatternRaisesTheEngineErrorAndLeavesNothingOpen)
{
    SetText("abc");
    desktop_.AnswerDialog(Type("a(b", QString("x"), [](TTextSearchDialog& d) { d.cbRegularExpression->setChecked(true); }));
    try {
        search_->ExecReplace(false);
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_FALSE(std::string(error.what()).empty());
    }
    EXPECT_EQ(search_->ConfirmDialog(), nullptr);
    EXPECT_EQ(edit_->PaintLock(), 0);
    EXPECT_EQ(edit_->Text(), "abc");
}

TEST_F(SearchFlow, TextOutsideTheCodePageIsRefusedWithABeep)
{
    SetText("abc");
    desktop_.AnswerDialog(Type(QString::fromUtf8("\u4e2d")));
    search_->ExecFind(false);
    EXPECT_TRUE(ZefSearchState().SearchText.isEmpty());
    EXPECT_EQ(desktop_.DebugDump(), "dialog \"Search Text\" -> 1\nbeep error\n");
}

TEST_F(SearchFlow, ConfirmationStaysOnTheScreen)
{
    TConfirmReplaceDialog dialog;
    dialog.PlaceFor(QPoint(100000, 100000), 16, QRect(99000, 99000, 2000, 2000));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(dialog.geometry().topLeft()));
}

} // namespace
