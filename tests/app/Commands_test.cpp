// Command objects, the File / Settings commands of the main window, their stored values and the recent menu.
#include "MainWindowFixture.h"

#include "dmCommands.h"
#include "dmHighlighters.h"
#include "uHighlighterProcs.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

TEST(ZefCommandTest, InvokeChecksTheRuleAtTheMomentOfUseAndExecuteBypassesIt)
{
    int runs = 0;
    bool allowed = false;
    TZefCommand command("actTest", "Test", QKeySequence(), [&runs] { ++runs; }, [&allowed] { return allowed; });
    EXPECT_FALSE(command.Invoke());
    EXPECT_EQ(runs, 0);
    allowed = true;
    EXPECT_TRUE(command.Invoke());
    EXPECT_EQ(runs, 1);
    allowed = false;
    command.Execute();
    EXPECT_EQ(runs, 2);
    TZefCommand always("actAlways", "Test", QKeySequence(), [&runs] { ++runs; }, {});
    EXPECT_TRUE(always.Enabled());
}

TEST(CommandsDataModuleTest, RegistersItsListsWhileItLivesAndDoesNothingWithoutADocument)
{
    {
        TCommandsDataModule module;
        EXPECT_EQ(CommandsDataModule, &module);
        EXPECT_EQ(EditorServices.RecentFiles, &module.RecentFiles());
        EXPECT_EQ(EditorServices.UntitledNumbers, &module.UntitledNumbers());
        for (TZefCommand* command : module.Commands()) {
            EXPECT_FALSE(command->Enabled()) << command->Name().toStdString();
            EXPECT_FALSE(command->Invoke()) << command->Name().toStdString();
            command->Execute(); // a handler without its target does nothing
        }
        EXPECT_EQ(module.actEditRedo.ShortCut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Z));
        // The fixed parts around the highlighters' filters in list order (their order is the registry's test).
        ASSERT_NE(HighlighterList, nullptr);
        EXPECT_EQ(module.OpenFilter(), "All files (*.*)|*.*|Text (*.txt)|*.txt|" +
                                           QString::fromLatin1(BuildHighlighterFilter(HighlighterList)) +
                                           "Rich Text Format(*.rtf)|*.rtf");
        EXPECT_TRUE(module.OpenFilter().contains("|HTML Document (*.htm,*.html)|*.htm;*.html|"));
    }
    EXPECT_EQ(CommandsDataModule, nullptr);
    EXPECT_EQ(EditorServices.RecentFiles, nullptr);
    EXPECT_EQ(EditorServices.UntitledNumbers, nullptr);
}

TEST_F(TMainWindowFixture, EditCommandsActOnTheActiveDocument)
{
    Start();
    window->OpenDocument(QString());
    Editor(ActiveEditor)->SetSelectedText("abc");
    Idle();
    EXPECT_TRUE(IsEnabled("miEditUndo"));
    EXPECT_TRUE(IsEnabled("sbUndo"));
    ASSERT_TRUE(window->Click("sbUndo"));
    EXPECT_EQ(Editor(ActiveEditor)->Text(), "");
    ASSERT_TRUE(window->Click("miEditRedo"));
    EXPECT_EQ(Editor(ActiveEditor)->Text(), "abc");
    ASSERT_TRUE(window->Click("miEditSelectAll"));
    EXPECT_EQ(desktop.ClipboardText(TZefClipboardMode::cmSelection), "abc") << "the user's selection is the primary one";
    EXPECT_TRUE(IsEnabled("miEditDelete"));
    ASSERT_TRUE(window->Click("miEditDelete"));
    EXPECT_EQ(Editor(ActiveEditor)->Text(), "");
    EXPECT_FALSE(IsEnabled("miEditCopy")) << "nothing selected any more";
}

TEST_F(TMainWindowFixture, OpenStartsInTheLastFolderAndRemembersTheNewOne)
{
    const QString path = WriteFile("opened.txt", "text\n");
    Start();
    desktop.AnswerOpenFile(TZefFileChoice{QStringList{path}, 1});
    ASSERT_TRUE(window->Click("sbOpen"));
    Idle();
    EXPECT_EQ(ActiveEditor->GetFileName(), path);
    EXPECT_EQ(ReadUserSetting("LastOpenedDir"), QFileInfo(path).absolutePath());

    desktop.ClearLog();
    desktop.AnswerOpenFile(std::nullopt);
    ASSERT_TRUE(window->Click("miFileOpen"));
    ASSERT_EQ(desktop.Calls().size(), 1u);
    EXPECT_TRUE(desktop.Calls()[0].detail.contains(QFileInfo(path).absolutePath())) << desktop.DebugDump().toStdString();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 1);
}

TEST_F(TMainWindowFixture, OpenOfAMissingFileSaysSoAndRemembersNothing)
{
    Start();
    const QString missing = Path("gone.txt");
    desktop.AnswerOpenFile(TZefFileChoice{QStringList{missing}, 1});
    desktop.AnswerMessageBox(mbOk);
    ASSERT_TRUE(window->Click("sbOpen"));
    EXPECT_EQ(Requests(TZefDesktopRequest::drBeep), 1);
    EXPECT_EQ(desktop.Calls().back().text, "File not found. \"" + missing + "\"");
    EXPECT_EQ(EditorFactory->GetEditorCount(), 0);
    EXPECT_EQ(ReadUserSetting("LastOpenedDir"), QString());
}

TEST_F(TMainWindowFixture, SavingAnUntitledDocumentRenamesItsTabAndPlaysTheSound)
{
    Start();
    window->Click("miPlaySound");
    window->OpenDocument(QString());
    window->OpenDocument(QString());
    Editor(ActiveEditor)->SetSelectedText("saved text");
    Idle();

    desktop.AnswerSaveFile(std::nullopt);
    ASSERT_TRUE(window->Click("sbSave"));
    EXPECT_EQ(window->TabStrip()->tabText(1), "Untitled2") << "a cancelled dialog keeps the title";
    EXPECT_EQ(Requests(TZefDesktopRequest::drSound), 1) << "the sound follows even a cancelled save";

    const QString target = Path("named.txt");
    desktop.AnswerSaveFile(TZefFileChoice{QStringList{target}, 1});
    ASSERT_TRUE(window->Click("miFileSave"));
    EXPECT_EQ(window->TabStrip()->tabText(1), target);
    EXPECT_EQ(window->TabStrip()->tabText(0), "Untitled1");
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(Requests(TZefDesktopRequest::drSound), 2);
    EXPECT_EQ(desktop.Calls().back().text, AppDir + "saved.wav");
}

TEST_F(TMainWindowFixture, SaveAsChangesTheTabCaptionWithoutSound)
{
    const QString original = WriteFile("original.txt", "x\n");
    Start();
    window->Click("miPlaySound");
    window->OpenDocument(original);
    Idle();
    const QString copy = Path("copy.txt");
    desktop.AnswerSaveFile(TZefFileChoice{QStringList{copy}, 1});
    ASSERT_TRUE(window->Click("miFileSaveAs"));
    Idle();
    EXPECT_EQ(window->TabStrip()->tabText(0), copy);
    EXPECT_EQ(ActiveEditor->GetFileName(), copy);
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(Requests(TZefDesktopRequest::drSound), 0);
}

TEST_F(TMainWindowFixture, SaveAllSavesEveryDocumentAndPlaysTheSoundForEach)
{
    Start();
    window->Click("miPlaySound");
    QStringList paths;
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        paths << WriteFile(name, "old\n");
        window->OpenDocument(paths.back());
        Editor(ActiveEditor)->SetSelectedText("new ");
    }
    Idle();
    ASSERT_TRUE(window->Click("sbSaveAll"));
    EXPECT_EQ(Requests(TZefDesktopRequest::drSound), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(EditorFactory->GetEditor(i)->IsModified());
        QFile file(paths[i]);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith("new old")) << paths[i].toStdString();
    }
}

TEST_F(TMainWindowFixture, SettingsAreWrittenWhenChangedAndReadAtTheNextStart)
{
    Start();
    window->OpenDocument(QString());
    Idle();
    struct TCase {
        const char* control;
        const char* value;
        QString stored;
    };
    for (const TCase& c : {TCase{"sbGutterUpDown", "sbGutterUpDown", "Down"},
                           TCase{"miBackCream", "BackColInMain", "clCream"},
                           TCase{"miZeroStart", "CheckZeroStartMain", "1"},
                           TCase{"miPlaySound", "CheckSoundSaved", "1"},
                           TCase{"miActiveLineColor", "CheckActiveLineColor", "0"}}) {
        ASSERT_TRUE(window->Click(c.control)) << c.control;
        EXPECT_EQ(ReadUserSetting(c.value), c.stored) << c.value;
    }
    EXPECT_TRUE(Editor(ActiveEditor)->Gutter().ShowLineNumbers());
    EXPECT_EQ(Editor(ActiveEditor)->ActiveLineColor(), clNone);

    Finish();
    Start();
    EXPECT_TRUE(window->Control("sbGutterUpDown")->isChecked());
    EXPECT_TRUE(window->Control("miZeroStart")->isChecked());
    EXPECT_TRUE(window->Control("miPlaySound")->isChecked());
    EXPECT_FALSE(window->Control("miActiveLineColor")->isChecked());
    EXPECT_TRUE(window->State().cream);
    // A new document receives the remembered settings.
    window->OpenDocument(QString());
    EXPECT_TRUE(Editor(ActiveEditor)->Gutter().ShowLineNumbers());
    EXPECT_EQ(Editor(ActiveEditor)->Color(), TColor(0x00F0FBFF));
    Idle();

    ASSERT_TRUE(window->Click("sbGutterUpDown"));
    EXPECT_EQ(ReadUserSetting("sbGutterUpDown"), "Up");
    EXPECT_FALSE(Editor(ActiveEditor)->Gutter().ShowLineNumbers());
}

TEST_F(TMainWindowFixture, FontFromTheSettingsMenuIsRememberedForLaterDocuments)
{
    Start();
    ASSERT_FALSE(window->Click("miSettingsFont")) << "disabled without a document";
    window->OpenDocument(QString());
    Idle();
    QFont chosen(QStringLiteral("Courier New"));
    chosen.setPointSize(14);
    desktop.AnswerFont(chosen);
    ASSERT_TRUE(window->Click("miSettingsFont"));
    const QString family = ActiveEditor->GetFont().family();
    EXPECT_EQ(window->FontBox()->text(), family + " - 14");
    EXPECT_EQ(ReadUserSetting("FontSizeInMain"), "14");

    window->OpenDocument(QString());
    Idle();
    EXPECT_EQ(ActiveEditor->GetFont().pointSize(), 14);
    ASSERT_TRUE(window->Click("sbFontSizeUp"));
    Idle();
    EXPECT_EQ(window->FontBox()->text(), family + " - 15");
    EXPECT_EQ(ReadUserSetting("FontSizeInMain"), "14") << "the stepper changes only the document";
}

TEST_F(TMainWindowFixture, RecentFilesMenuOpensExistingEntriesAndDropsMissingOnes)
{
    const QString kept = WriteFile("kept.txt", "k\n");
    const QString gone = Path("gone.txt");
    Start();
    CommandsDataModule->RecentFiles().AddRecentFile(gone);
    CommandsDataModule->RecentFiles().AddRecentFile(kept);
    QMenu* file = window->menuBar()->actions().at(0)->menu();
    emit file->aboutToShow();
    QAction* recent = window->findChild<QAction*>("miFileRecent");
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->isEnabled());
    emit recent->menu()->aboutToShow();
    QAction* first = window->findChild<QAction*>("miFileMRU1");
    QAction* third = window->findChild<QAction*>("miFileMRU3");
    EXPECT_EQ(first->text(), kept);
    EXPECT_FALSE(third->isVisible());

    desktop.AnswerMessageBox(mbOk);
    window->findChild<QAction*>("miFileMRU2")->trigger();
    EXPECT_EQ(desktop.Calls().back().text, "File not found.");
    EXPECT_EQ(CommandsDataModule->RecentFiles().RecentFileCount(), 1);

    first->trigger();
    EXPECT_EQ(ActiveEditor->GetFileName(), kept);
    EXPECT_EQ(CommandsDataModule->RecentFiles().RecentFileCount(), 0) << "an opened file leaves the list";
    emit file->aboutToShow();
    EXPECT_FALSE(recent->isEnabled());
}

TEST_F(TMainWindowFixture, ShortcutsTypedInTheEditorRunTheCommands)
{
    Start();
    window->activateWindow();
    window->OpenDocument(QString());
    Idle();
    TZefEdit* editor = Editor(ActiveEditor);
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(window->TabStrip()->tabText(1), "Untitled2");

    // Ctrl+S is the Save item's own shortcut: an untitled document asks for a name.
    desktop.AnswerSaveFile(std::nullopt);
    QTest::keyClick(Editor(ActiveEditor), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Requests(TZefDesktopRequest::drSaveFile), 1);
    QTest::keyClick(Editor(ActiveEditor), Qt::Key_F4, Qt::ShiftModifier | Qt::ControlModifier);
    Idle();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 0) << "Shift+Ctrl+F4 closes all";
}
