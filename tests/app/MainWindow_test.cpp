// End-to-end checks of the main window: opening, tabs, status panels, enable states, Close All and exit.
#include "MainWindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QLineEdit>
#include <QWidget>

namespace {

QStringList TabCaptions(const TMainForm& window)
{
    QStringList captions;
    for (int i = 0; i < window.TabStrip()->count(); ++i)
        captions << window.TabStrip()->tabText(i);
    return captions;
}

QStringList Panels(const TMainForm& window)
{
    QStringList texts;
    for (int i = 0; i < 4; ++i)
        texts << window.StatusPanel(i)->text();
    return texts;
}

} // namespace

TEST_F(TMainWindowFixture, TheStartFormSetsTheProgramFolderAndShowsTheMainWindow)
{
    AppDir.clear();
    TfrmStart start(IniPath());
    EXPECT_EQ(AppDir, QCoreApplication::applicationDirPath() + "/");
    ASSERT_NE(start.MainForm(), nullptr);
    EXPECT_TRUE(start.MainForm()->isVisible());
    EXPECT_EQ(start.MainForm()->objectName(), QStringLiteral("MDIMainForm"));
    EXPECT_NE(CommandsDataModule, nullptr);
}

TEST_F(TMainWindowFixture, StartsWithItsCaptionNoTabsAndTheNoDocumentState)
{
    Start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zefra Text Editor v1.22"));
    EXPECT_EQ(window->objectName(), QStringLiteral("MDIMainForm"));
    EXPECT_TRUE(window->TabBand()->isHidden());
    EXPECT_EQ(window->DisplayState(), TMainDisplayState::mdsNoDocument);
    EXPECT_EQ(Panels(*window), QStringList({"", "", "", ""}));
    EXPECT_TRUE(IsEnabled("miFileNew"));
    EXPECT_TRUE(IsEnabled("sbOpen"));
    EXPECT_FALSE(IsEnabled("miFileSave"));
    EXPECT_FALSE(IsEnabled("sbSaveAll"));
    EXPECT_FALSE(IsEnabled("miFileCloseAll"));
    // Started without a file, Tidy and Export To are disabled from the first idle moment.
    EXPECT_FALSE(IsEnabled("miEditTidy"));
    EXPECT_FALSE(IsEnabled("miEditExport"));
    EXPECT_FALSE(IsEnabled("miCustomizeHighlighter"));
    EXPECT_FALSE(window->MarkNumberList()->isEnabled());
}

TEST_F(TMainWindowFixture, CommandLineFileOpensInATabWithItsStatusPanels)
{
    const QString path = WriteFile("notes.txt", "alpha\nbeta\n");
    Start(path);
    EXPECT_FALSE(window->TabBand()->isHidden());
    EXPECT_EQ(TabCaptions(*window), QStringList({path}));
    EXPECT_EQ(window->DisplayState(), TMainDisplayState::mdsTextDocument);
    EXPECT_EQ(Panels(*window), QStringList({"      1:  1 ", "", "Insert", ""}));
    EXPECT_EQ(ActiveEditor->GetFileName(), path);
    // A file named on the command line keeps Tidy and Export To enabled while it is open.
    EXPECT_TRUE(IsEnabled("miEditTidy"));
    EXPECT_TRUE(IsEnabled("miFileSave"));
    EXPECT_TRUE(IsEnabled("sbGutterUpDown"));
    EXPECT_FALSE(IsEnabled("miEditUndo")) << "text state, but nothing to undo";
    EXPECT_FALSE(IsEnabled("sbUndo"));
    const QFont font = ActiveEditor->GetFont();
    EXPECT_EQ(window->FontBox()->text(), font.family() + " - " + QString::number(font.pointSize()));
}

TEST_F(TMainWindowFixture, NewThreeTimesGivesUntitledTabsAndAFreedNumberIsReused)
{
    Start();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(window->Click("sbNew"));
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled1", "Untitled2", "Untitled3"}));
    EXPECT_EQ(window->TabStrip()->currentIndex(), 2);

    EditorFactory->GetEditor(1)->Close();
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled1", "Untitled3"}));
    ASSERT_TRUE(window->Click("miFileNew"));
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled1", "Untitled3", "Untitled2"}));
}

TEST_F(TMainWindowFixture, OpeningAnOpenFileActivatesIt)
{
    const QString first = WriteFile("first.txt", "1\n");
    const QString second = WriteFile("second.txt", "2\n");
    Start();
    window->OpenDocument(first);
    window->OpenDocument(second);
    Idle();
    ASSERT_EQ(ActiveEditor->GetFileName(), second);

    window->OpenDocument(Path("sub/../first.txt"));
    Idle();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(ActiveEditor->GetFileName(), first);
    EXPECT_EQ(TabCaptions(*window), QStringList({first, second}));
    EXPECT_EQ(window->TabStrip()->currentIndex(), 0);
}

TEST_F(TMainWindowFixture, TabsAndStatusPanelsFollowTheActiveDocument)
{
    const QString path = WriteFile("text.txt", QByteArray("line\n").repeated(20));
    Start();
    window->OpenDocument(path);
    window->OpenDocument(QString());
    Idle();
    ASSERT_EQ(window->TabStrip()->currentIndex(), 1);
    Editor(ActiveEditor)->SetSelectedText("x");
    Idle();
    EXPECT_EQ(Panels(*window), QStringList({"      1:  2 ", "Modified", "Insert", ""}));

    // A click on the first tab brings its document forward; the panels follow at the next idle moment.
    window->TabStrip()->setCurrentIndex(0);
    ASSERT_EQ(ActiveEditor->GetFileName(), path);
    Editor(ActiveEditor)->SetCaretPos(TBufferCoord{5, 12});
    Editor(ActiveEditor)->SetInsertMode(false);
    Idle();
    EXPECT_EQ(Panels(*window), QStringList({"     12:  5 ", "", "Overwrite", ""}));

    // Activating the other window directly selects its tab.
    EditorFactory->GetEditor(1)->Activate();
    Idle();
    EXPECT_EQ(window->TabStrip()->currentIndex(), 1);
}

// In a document of ten million lines the caret panel grows to show the whole line number.
TEST_F(TMainWindowFixture, TheCaretPanelShowsLineNumbersOfEightDigits)
{
    const QString path = WriteFile("lines.txt", QByteArray("\n").repeated(10'000'000));
    Start(path);
    Editor(ActiveEditor)->SetCaretPos(TBufferCoord{1, 10'000'000});
    Idle();
    QCoreApplication::processEvents(); // lays the status bar out for the new text
    QLabel* panel = window->StatusPanel(0);
    ASSERT_EQ(panel->text(), QStringLiteral(" 10000000:  1 "));
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()));
}

TEST_F(TMainWindowFixture, ClosingTheLastDocumentHidesTheTabsAndClearsThePanels)
{
    Start();
    window->OpenDocument(QString());
    Idle();
    ASSERT_EQ(window->DisplayState(), TMainDisplayState::mdsTextDocument);
    ASSERT_TRUE(window->Click("miFileClose"));
    Idle();
    EXPECT_EQ(window->TabStrip()->count(), 0);
    EXPECT_TRUE(window->TabBand()->isHidden());
    EXPECT_EQ(Panels(*window), QStringList({"", "", "", ""}));
    EXPECT_FALSE(IsEnabled("sbClose"));
    // Once the no-document state has been applied, Tidy and Export To stay disabled.
    window->OpenDocument(QString());
    Idle();
    EXPECT_FALSE(IsEnabled("miEditTidy"));
    EXPECT_FALSE(IsEnabled("miEditExport"));
}

TEST_F(TMainWindowFixture, CloseAllWithOneCancelKeepsOnlyThatDocument)
{
    Start();
    for (int i = 0; i < 3; ++i)
        window->OpenDocument(QString());
    for (int i = 0; i < 3; ++i)
        Editor(EditorFactory->GetEditor(i))->SetSelectedText("changed");
    // Closed last to first: Untitled3 answers No, Untitled2 Cancel, Untitled1 No.
    desktop.AnswerMessageBox(mbNo);
    desktop.AnswerMessageBox(mbCancel);
    desktop.AnswerMessageBox(mbNo);
    ASSERT_TRUE(window->Click("miFileCloseAll"));
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(EditorFactory->GetEditor(0)->GetTitle(), QStringLiteral("Untitled2"));
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled2"}));
    EXPECT_EQ(desktop.PendingAnswers(), 0u);
}

TEST_F(TMainWindowFixture, ExitWritesTheWindowSettingsAndTheOpenFilesAsNewestRecent)
{
    const QString first = WriteFile("first.txt", "1\n");
    const QString second = WriteFile("second.txt", "2\n");
    Start();
    window->OpenDocument(first);
    window->OpenDocument(second);
    window->OpenDocument(QString());
    Editor(ActiveEditor)->SetSelectedText("unsaved");
    desktop.AnswerMessageBox(mbNo);
    ASSERT_TRUE(window->Click("miFileExit"));
    EXPECT_TRUE(window->isHidden());
    Finish();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 0);

    TZefWindowSettings stored;
    TRecentFiles recent;
    LoadIniSettings(IniPath(), stored, recent);
    ASSERT_EQ(recent.RecentFileCount(), 2);
    EXPECT_EQ(recent.RecentFile(0), first);
    EXPECT_EQ(recent.RecentFile(1), second);
    EXPECT_GT(stored.Width, 0);
    EXPECT_TRUE(stored.ShowStatusbar);
}

TEST_F(TMainWindowFixture, ExitCancelledByOneDocumentClosesNothing)
{
    Start();
    window->OpenDocument(QString());
    window->OpenDocument(QString());
    Editor(EditorFactory->GetEditor(0))->SetSelectedText("a");
    Editor(EditorFactory->GetEditor(1))->SetSelectedText("b");
    desktop.AnswerMessageBox(mbNo);
    desktop.AnswerMessageBox(mbCancel);
    window->Click("miFileExit");
    EXPECT_FALSE(window->isHidden());
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_TRUE(EditorFactory->GetEditor(0)->IsModified());
}

TEST_F(TMainWindowFixture, AFileThatCannotBeReadReportsItAndLeavesTheOtherDocumentsAlone)
{
    Start();
    window->OpenDocument(QString());
    Editor(ActiveEditor)->SetSelectedText("kept");
    Idle();
    const QString folder = Path("a-folder");
    ASSERT_TRUE(QDir().mkpath(folder));

    desktop.AnswerMessageBox(mbOk);
    window->OpenDocument(folder);
    Idle();
    ASSERT_FALSE(desktop.Calls().empty());
    const TZefDesktopCall& box = desktop.Calls().back();
    EXPECT_EQ(box.request, TZefDesktopRequest::drMessageBox);
    EXPECT_TRUE(box.text.startsWith("Error Message : ")) << box.text.toStdString();
    EXPECT_GT(box.text.size(), QString("Error Message : ").size()) << "the reason follows the prefix";
    EXPECT_EQ(desktop.Calls().at(desktop.Calls().size() - 2).request, TZefDesktopRequest::drBeep);
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled1"}));
    EXPECT_TRUE(EditorFactory->GetEditor(0)->IsModified());
    EXPECT_EQ(Editor(EditorFactory->GetEditor(0))->Text(), "kept");
}

TEST_F(TMainWindowFixture, AnRtfDocumentSelectsItsTabButDisablesTheTextControls)
{
    const QString rtf = WriteFile("Report.RTF", "{\\rtf1\\ansi Hello}");
    Start();
    window->OpenDocument(QString());
    window->OpenDocument(rtf);
    Idle();
    EXPECT_EQ(window->DisplayState(), TMainDisplayState::mdsRtfDocument);
    EXPECT_EQ(window->TabStrip()->currentIndex(), 1);
    EXPECT_EQ(Panels(*window), QStringList({"", "", "", ""}));
    EXPECT_FALSE(IsEnabled("sbClose"));
    EXPECT_FALSE(IsEnabled("miFileSave"));
    EXPECT_FALSE(IsEnabled("miEditSelectAll"));
    // The File menu's Close follows its command, which allows closing the rich-text document.
    EXPECT_TRUE(IsEnabled("miFileClose"));
    ASSERT_TRUE(window->Click("miFileClose"));
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({"Untitled1"}));
}

TEST_F(TMainWindowFixture, StatusBarChoiceAndWindowSizeComeBackAtTheNextStart)
{
    Start();
    ASSERT_TRUE(window->Click("miViewStatusbar"));
    EXPECT_TRUE(window->statusBar()->isHidden());
    window->resize(640, 300);
    Finish();

    Start();
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_EQ(window->width(), 640);
    EXPECT_EQ(window->height(), 300);
    ASSERT_TRUE(window->Click("miViewStatusbar"));
    EXPECT_FALSE(window->statusBar()->isHidden());
}

TEST_F(TMainWindowFixture, AFileOpenedFirstTakesNoUntitledNumber)
{
    const QString path = WriteFile("first.txt", "text\n");
    Start(path);
    window->OpenDocument(QString());
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({path, "Untitled1"}));
}
