// The main window's ways to the print window: File > "&Print", the Print button, Ctrl+P (unless the editor's
// keystrokes claim it) and the editor's "Print Selected Text".
#include "MainWindowFixture.h"

#include "ZefEditKeyCmds.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"
#include "DPageSetup.h"
#include "ZefPrintWindow.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

std::string PrintWindowText(TMainForm& window) { return window.PrintWindow()->ZefEdit()->Text(); }

} // namespace

TEST_F(TMainWindowFixture, PrintItemAndButtonHandTheWholeDocumentToThePrintWindow)
{
    Start();
    EXPECT_FALSE(IsEnabled("miFilePrint")) << "no document";
    EXPECT_FALSE(IsEnabled("sbPrint"));
    const QString path = WriteFile(QStringLiteral("notes.txt"), "one\r\ntwo\r\nthree\r\n");
    window->OpenDocument(path);
    Idle();
    ASSERT_TRUE(IsEnabled("miFilePrint"));
    EXPECT_EQ(window->Control("miFilePrint")->text(), "&Print");
    EXPECT_FALSE(window->PrintWindow()->isVisible());

    Editor(ActiveEditor)->SetCaretAndSelection({1, 2}, {1, 2}, {4, 2});
    ASSERT_TRUE(window->Click("miFilePrint"));
    TForm1* print = window->PrintWindow();
    EXPECT_TRUE(print->isVisible());
    EXPECT_EQ(print->windowTitle(), "Print");
    EXPECT_EQ(PrintWindowText(*window), Editor(ActiveEditor)->Text()) << "the whole text, not the selection";
    EXPECT_EQ(print->TitleIs(), "notes.txt");
    EXPECT_EQ(print->ZefEdit()->Highlighter(), Editor(ActiveEditor)->Highlighter());
    EXPECT_EQ(print->ZefEdit()->font(), Editor(ActiveEditor)->font());

    print->hide();
    Editor(ActiveEditor)->SetText("changed");
    ASSERT_TRUE(window->Click("sbPrint"));
    EXPECT_TRUE(print->isVisible());
    EXPECT_EQ(PrintWindowText(*window), "changed");
}

TEST_F(TMainWindowFixture, PrintSelectedTextIsOfferedOnlyWithASelectionAndPrintsJustIt)
{
    Start();
    window->OpenDocument(WriteFile(QStringLiteral("s.txt"), "first\r\nsecond\r\nthird\r\nfourth\r\nfifth\r\n"));
    Idle();
    auto* form = static_cast<TEditor*>(ActiveEditor.get())->Form.data();
    QAction* item = nullptr;
    for (QAction* action : form->pmnuEditor->actions())
        if (action->text() == "Print Selected Text")
            item = action;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(form->pmnuEditor->actions().last(), item);

    emit form->pmnuEditor->aboutToShow();
    EXPECT_FALSE(item->isEnabled());
    item->trigger();
    EXPECT_FALSE(window->PrintWindow()->isVisible()) << "nothing selected, nothing printed";

    form->ZefEditor->SetCaretAndSelection({7, 4}, {1, 2}, {7, 4});
    emit form->pmnuEditor->aboutToShow();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(window->PrintWindow()->isVisible());
    EXPECT_EQ(PrintWindowText(*window), "second\r\nthird\r\nfourth");
    EXPECT_EQ(window->PrintWindow()->ZefEdit()->Lines()->Count(), 3);
}

TEST_F(TMainWindowFixture, CtrlPPrintsUnlessTheEditorsKeystrokesClaimIt)
{
    Start();
    window->activateWindow();
    window->OpenDocument(WriteFile(QStringLiteral("k.txt"), "alpha\r\nbeta\r\n"));
    Idle();
    TZefEdit* editor = Editor(ActiveEditor);
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(window->PrintWindow()->isVisible());
    EXPECT_EQ(PrintWindowText(*window), "alpha\r\nbeta");
    EXPECT_EQ(editor->Text(), "alpha\r\nbeta") << "nothing typed into the document";

    window->PrintWindow()->hide();
    window->activateWindow();
    editor->setFocus();
    editor->Keystrokes().AppendKeystroke(ecDeleteLine, 'P', ssCtrl);
    QTest::keyClick(editor, Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window->PrintWindow()->isVisible());
    EXPECT_EQ(editor->Text(), "beta") << "the editor's own Ctrl+P ran";
}

TEST_F(TMainWindowFixture, PrintWindowsPageSetupRunsTheDialogOnItsEngine)
{
    Start();
    TForm1* print = window->PrintWindow();
    QAction* pageSetup = print->MenuItem(QStringLiteral("Page Setup"));
    ASSERT_NE(pageSetup, nullptr);
    ASSERT_TRUE(pageSetup->isEnabled());
    desktop.AnswerDialog([](QDialog& dialog) {
        auto& setup = static_cast<TPageSetupDlg&>(dialog);
        setup.EditLeft->setText(QStringLiteral("33"));
        setup.btnOK->click();
    });
    pageSetup->trigger();
    EXPECT_EQ(print->ZefEditPrint().Margins().Left(), 33);
}

// Handing a long document over shows progress in the main window; Esc stops it before the print window is
// changed or shown.
TEST_F(TMainWindowFixture, HandingOverALongDocumentShowsProgressAndEscLeavesThePrintWindowAsItWas)
{
    Start();
    TZefLongWork::SetDelays(0, 0); // every step counts as long
    struct TRestore {
        ~TRestore() { TZefLongWork::SetDelays(500, 1000); }
    } restore;
    QByteArray bytes;
    for (int i = 0; i < 150000; ++i)
        bytes += "line " + QByteArray::number(i) + "\n";
    window->OpenDocument(WriteFile(QStringLiteral("long.txt"), bytes));
    Idle();
    TZefEdit* editor = Editor(ActiveEditor);
    ASSERT_NE(editor, nullptr);
    TForm1* print = window->PrintWindow();
    print->ZefEdit()->SetText("earlier");

    QCoreApplication::postEvent(window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    ASSERT_TRUE(window->Click("miFilePrint"));
    EXPECT_FALSE(print->isVisible());
    EXPECT_EQ(PrintWindowText(*window), "earlier");

    bool progressSeen = false;
    QTimer::singleShot(0, window.get(), [&] {
        const auto* panel = window->statusBar()->findChild<QWidget*>(QStringLiteral("LongWorkPanel"));
        progressSeen = panel != nullptr && panel->isVisible() &&
                       panel->findChild<QWidget*>(QStringLiteral("LongWorkCancel")) != nullptr;
    });
    ASSERT_TRUE(window->Click("miFilePrint"));
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(print->isVisible());
    EXPECT_EQ(print->ZefEdit()->Lines()->Count(), 150000);
    EXPECT_TRUE(PrintWindowText(*window) == editor->Text());
}
