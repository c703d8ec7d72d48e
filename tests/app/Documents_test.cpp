// Documents: untitled numbers, load / save / Save As, the save question, Reload, line marks, the RTF view and
// the failure paths of reading and writing.
#include "support/AppTestFixture.h"

#include "ZefEdit.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"

#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTextEdit>

#include <stdexcept>

namespace {

const QString SaveQuestion =
    QStringLiteral("The text in the \"%1\" file has changed.\r\n\r\nDo you want to save the modifications?");

TZefFileChoice Choice(const QString& path)
{
    TZefFileChoice choice;
    choice.files = QStringList{path};
    return choice;
}

std::string Text(TEditorForm* form) { return form->ZefEditor->Lines()->GetText(); }

void TypeText(TEditorForm* form, std::string_view text)
{
    form->ZefEditor->SetSelectedText(text);
    ASSERT_TRUE(form->ZefEditor->Modified());
}

} // namespace

TEST(UntitledNumbersTest, LowestFreeNumberFirstAndGrowsBy32)
{
    TUntitledNumbers numbers;
    for (int expected = 1; expected <= 33; ++expected)
        EXPECT_EQ(numbers.AllocUntitledNumber(), expected);
    EXPECT_EQ(numbers.Capacity(), 64);
    numbers.FreeUntitledNumber(7);
    numbers.FreeUntitledNumber(3);
    numbers.FreeUntitledNumber(0);   // outside: ignored
    numbers.FreeUntitledNumber(65);  // outside: ignored
    EXPECT_EQ(numbers.AllocUntitledNumber(), 3);
    EXPECT_EQ(numbers.AllocUntitledNumber(), 7);
    EXPECT_EQ(numbers.AllocUntitledNumber(), 34);
}

using DocumentsTest = TAppTestFixture;

TEST_F(DocumentsTest, NewDocumentsAreNumberedAndAFreedNumberIsReused)
{
    auto first = NewDocument();
    auto second = NewDocument();
    auto third = NewDocument();
    EXPECT_EQ(first->GetTitle(), QStringLiteral("Untitled1"));
    EXPECT_EQ(second->GetTitle(), QStringLiteral("Untitled2"));
    EXPECT_EQ(third->GetTitle(), QStringLiteral("Untitled3"));
    EXPECT_EQ(FormOf(second)->windowTitle(), QStringLiteral("Untitled2 - Editor"));
    EXPECT_EQ(EditorFactory->GetEditorCount(), 3);
    EXPECT_EQ(ActiveEditor, third);

    second->Close();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(EditorFactory->GetEditor(1), third);
    EXPECT_FALSE(Doc(second)->CanClose());
    EXPECT_EQ(second->GetCaretPos(), (TBufferCoord{-1, -1}));
    EXPECT_EQ(second->GetModeText(), QString());

    auto fourth = NewDocument();
    EXPECT_EQ(fourth->GetTitle(), QStringLiteral("Untitled2"));
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

TEST_F(DocumentsTest, CommandTargetsFollowTheActiveDocumentAndLeaveWithIt)
{
    auto first = NewDocument();
    auto second = NewDocument();
    EXPECT_EQ(ActiveEditor, second);
    first->Activate();
    EXPECT_EQ(ActiveEditor, first);
    EXPECT_EQ(ActiveFileCommands.get(), static_cast<IFileCommands*>(Doc(first)));
    first->Close();
    EXPECT_EQ(ActiveEditor, second);
    second->Close();
    EXPECT_EQ(ActiveEditor, nullptr);
    EXPECT_EQ(ActiveEditCommands, nullptr);
    EXPECT_EQ(ActiveFileCommands, nullptr);
    EXPECT_EQ(ActiveSearchCommands, nullptr);
}

TEST_F(DocumentsTest, LoadEditSaveKeepsLineBreaksAndTheRecentListGetsThePathOnClose)
{
    const QString path = WriteFile(QStringLiteral("notes.txt"), "one\ntwo\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    EXPECT_EQ(doc->GetFileName(), path);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("notes.txt"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("notes.txt - Editor"));
    EXPECT_EQ(Text(form), "one\r\ntwo\r\n");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(form->miReload->isEnabled());
    EXPECT_FALSE(Doc(doc)->CanSave());

    form->ZefEditor->SetCaretPos(TBufferCoord{1, 2});
    TypeText(form, "new ");
    EXPECT_TRUE(Doc(doc)->CanSave());
    EXPECT_TRUE(doc->Save());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ReadFile(path), QByteArray("one\nnew two\n"));

    doc->Close();
    EXPECT_EQ(recentFiles.RecentFile(0), path);
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

TEST_F(DocumentsTest, MissingFileGivesAnEmptyNamedDocumentWithoutReload)
{
    const QString path = Path(QStringLiteral("later.txt"));
    auto doc = NewDocument(path);
    EXPECT_EQ(doc->GetFileName(), path);
    EXPECT_EQ(FormOf(doc)->ZefEditor->Lines()->Count(), 0);
    EXPECT_FALSE(FormOf(doc)->miReload->isEnabled());
    auto* editor = Doc(doc);
    EXPECT_TRUE(editor->IsEmpty);
    EXPECT_FALSE(editor->CanFind());
    EXPECT_FALSE(editor->CanFindNext());
    EXPECT_FALSE(editor->CanReplace());
    TypeText(FormOf(doc), "x");
    EXPECT_TRUE(editor->CanFind());
    EXPECT_TRUE(editor->CanReplace());
}

TEST_F(DocumentsTest, SaveAsThroughTheDialogFreesTheUntitledNumberAtOnce)
{
    auto doc = NewDocument();
    auto* form = FormOf(doc);
    TypeText(form, "hello");
    const QString target = Path(QStringLiteral("hello.txt"));

    desktop.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(doc->Save());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("Untitled1"));

    desktop.AnswerSaveFile(Choice(target));
    EXPECT_TRUE(doc->Save());
    ASSERT_EQ(desktop.Calls().size(), 2u);
    EXPECT_EQ(desktop.Calls()[1].request, TZefDesktopRequest::drSaveFile);
    EXPECT_TRUE(desktop.Calls()[1].detail.contains(QStringLiteral("Untitled1"))) << desktop.DebugDump().toStdString();
    EXPECT_EQ(doc->GetFileName(), target);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("hello.txt - Editor"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ReadFile(target), QByteArray("hello\n"));
    // Number 1 is free again while the saved document is still open.
    EXPECT_EQ(NewDocument()->GetTitle(), QStringLiteral("Untitled1"));

    // Save As to another name keeps the saved text there too and starts in the file's folder.
    const QString copy = Path(QStringLiteral("copy.txt"));
    desktop.AnswerSaveFile(Choice(copy));
    EXPECT_TRUE(Doc(doc)->ExecSaveAs());
    EXPECT_TRUE(desktop.Calls().back().detail.contains(QFileInfo(target).absolutePath()));
    EXPECT_EQ(ReadFile(copy), QByteArray("hello\n"));
}

struct TSaveQuestionCase {
    const char* name;
    TZefMsgButton answer;
    bool closes;
    QByteArray fileAfter;
};

class SaveQuestionTest : public TAppTestFixture, public ::testing::WithParamInterface<TSaveQuestionCase> {};

TEST_P(SaveQuestionTest, ClosingAModifiedDocumentAsks)
{
    const TSaveQuestionCase& c = GetParam();
    const QString path = WriteFile(QStringLiteral("report.txt"), "old\r\n");
    auto doc = NewDocument(path);
    TypeText(FormOf(doc), "new ");
    desktop.AnswerMessageBox(c.answer);

    doc->Close();

    ASSERT_EQ(desktop.Calls().size(), 2u) << desktop.DebugDump().toStdString();
    EXPECT_EQ(desktop.Calls()[0].request, TZefDesktopRequest::drBeep);
    EXPECT_EQ(desktop.Calls()[0].beep, TZefBeepKind::bkQuestion);
    const TZefDesktopCall& box = desktop.Calls()[1];
    EXPECT_EQ(box.caption, QStringLiteral("Zefra Text Editor"));
    EXPECT_EQ(box.text, SaveQuestion.arg(QStringLiteral("report.txt")));
    EXPECT_EQ(box.icon, TZefMsgIcon::miQuestion);
    EXPECT_EQ(box.buttons, static_cast<TZefMsgButtons>(mbYes | mbNo | mbCancel));
    EXPECT_EQ(EditorFactory->GetEditorCount(), c.closes ? 0 : 1);
    EXPECT_EQ(Doc(doc)->CanClose(), !c.closes);
    EXPECT_EQ(ReallyClosing, c.closes);
    EXPECT_EQ(ReadFile(path), c.fileAfter);
    // A named document goes on the recent list even when the user keeps it open.
    EXPECT_EQ(recentFiles.RecentFile(0), path);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest,
                         ::testing::Values(TSaveQuestionCase{"Yes", mbYes, true, "new old\r\n"},
                                           TSaveQuestionCase{"No", mbNo, true, "old\r\n"},
                                           TSaveQuestionCase{"Cancel", mbCancel, false, "old\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentsTest, CancelKeepsAnUntitledDocumentAndItsNumber)
{
    auto doc = NewDocument();
    TypeText(FormOf(doc), "draft");
    desktop.AnswerMessageBox(mbCancel);
    doc->Close();
    EXPECT_EQ(desktop.Calls().back().text, SaveQuestion.arg(QStringLiteral("Untitled1")));
    EXPECT_TRUE(Doc(doc)->CanClose());
    EXPECT_EQ(NewDocument()->GetTitle(), QStringLiteral("Untitled2"));
}

TEST_F(DocumentsTest, QueryCloseAllStopsAtTheFirstRefusalAndClosingWithoutQuestionsAsksNothing)
{
    auto first = NewDocument();
    auto second = NewDocument();
    auto third = NewDocument();
    TypeText(FormOf(first), "a");
    TypeText(FormOf(second), "b");
    TypeText(FormOf(third), "c");
    desktop.AnswerMessageBox(mbNo);
    desktop.AnswerMessageBox(mbCancel);
    EXPECT_FALSE(EditorFactory->QueryCloseAll());
    EXPECT_EQ(desktop.PendingAnswers(), 0u);
    EXPECT_EQ(EditorFactory->GetEditorCount(), 3);

    desktop.ClearLog();
    EditorFactory->CloseAllWithoutQuestions();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 0);
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

TEST_F(DocumentsTest, ReloadReadsTheFileAgainKeepingCaretAndMarks)
{
    const QString path = WriteFile(QStringLiteral("data.txt"), "alpha\nbeta\ngamma\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    doc->ShowLineNumbers(true);
    form->ZefEditor->SetCaretPos(TBufferCoord{3, 2});
    form->ToggleLineMark();
    TypeText(form, "XX");
    WriteFile(QStringLiteral("data.txt"), "alpha\nBETA\ngamma\n");

    form->Reload();

    EXPECT_EQ(Text(form), "alpha\r\nBETA\r\ngamma\r\n");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetCaretPos(), (TBufferCoord{5, 2}));
    EXPECT_EQ(Doc(doc)->MarkedLines, std::vector<int32_t>{2});
}

TEST_F(DocumentsTest, RightClickInTheLineNumberGutterTogglesTheCaretLineMark)
{
    const QString path = WriteFile(QStringLiteral("m.txt"), "1\n2\n3\n4\n5\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    auto* editor = Doc(doc);
    form->ZefEditor->SetCaretPos(TBufferCoord{1, 3});

    // Without line numbers a right click is an ordinary one.
    QTest::mouseClick(form->ZefEditor->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(editor->MarkedLines.empty());

    doc->ShowLineNumbers(true);
    QTest::mousePress(form->ZefEditor->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(editor->MarkedLines, std::vector<int32_t>{3});
    EXPECT_EQ(form->ZefEditor->Marks()->MarksForLine(3)[0]->MarkLine(), 3);
    EXPECT_FALSE(form->pmnuEditor->isVisible());
    form->ZefEditor->SetCaretPos(TBufferCoord{1, 5});
    form->ToggleLineMark();
    EXPECT_EQ(editor->MarkedLines, (std::vector<int32_t>{3, 5}));
    EXPECT_EQ(markList.count(), 2);
    EXPECT_EQ(markList.currentText(), QStringLiteral("5"));

    // Zero-based numbering shifts the stored numbers; the list is rebuilt with the last marked first.
    doc->SetZeroStart(true);
    EXPECT_EQ(editor->MarkedLines, (std::vector<int32_t>{2, 4}));
    doc->RefreshMarkList();
    ASSERT_EQ(markList.count(), 2);
    EXPECT_EQ(markList.itemText(0), QStringLiteral("4"));
    EXPECT_EQ(markList.itemText(1), QStringLiteral("2"));

    form->ZefEditor->SetCaretPos(TBufferCoord{1, 3});
    QTest::mousePress(form->ZefEditor->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(editor->MarkedLines, std::vector<int32_t>{4});
    EXPECT_EQ(form->ZefEditor->Marks()->MarksForLine(3)[0], nullptr);
    ASSERT_EQ(markList.count(), 1);
    EXPECT_EQ(markList.itemText(0), QStringLiteral("4"));

    doc->SetZeroStart(false);
    EXPECT_EQ(editor->MarkedLines, std::vector<int32_t>{5});
}

TEST_F(DocumentsTest, RtfFileOpensReadOnlyInTheRichTextView)
{
    const QString path =
        WriteFile(QStringLiteral("Report.RTF"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello {\\b bold} world\\par}");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    auto* editor = Doc(doc);
    EXPECT_TRUE(form->IsRichText());
    EXPECT_FALSE(form->RichEdit1->isHidden());
    EXPECT_TRUE(form->ZefEditor->isHidden());
    EXPECT_TRUE(form->RichEdit1->isReadOnly());
    EXPECT_EQ(form->RichEdit1->toPlainText(), QStringLiteral("Hello bold world"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Report.RTF - Editor"));
    EXPECT_EQ(doc->GetModeText(), QStringLiteral("Read Only"));
    EXPECT_FALSE(editor->CanCut());
    EXPECT_FALSE(editor->CanPaste());
    EXPECT_FALSE(editor->CanReplace());
    EXPECT_FALSE(editor->CanSave());

    EXPECT_FALSE(form->miRichCopy->isEnabled());
    form->RichEdit1->selectAll();
    EXPECT_TRUE(form->miRichCopy->isEnabled());
}

TEST_F(DocumentsTest, FontSizeStepsStopAtTheirLimitsAndGoToLineChecksTheRange)
{
    const QString path = WriteFile(QStringLiteral("g.txt"), "a\nb\nc\n");
    auto doc = NewDocument(path);
    doc->ChangeFont(false, QStringLiteral("Courier New"), 18);
    doc->StepFontSize(+1);
    EXPECT_EQ(doc->GetFont().pointSize(), 18);
    doc->ChangeFont(false, QStringLiteral("Courier New"), 7);
    doc->StepFontSize(-1);
    EXPECT_EQ(doc->GetFont().pointSize(), 6);
    doc->StepFontSize(-1);
    EXPECT_EQ(doc->GetFont().pointSize(), 6);
    doc->StepFontSize(+1);
    EXPECT_EQ(doc->GetFont().pointSize(), 7);
    EXPECT_EQ(desktop.Calls().size(), 2u) << desktop.DebugDump().toStdString();

    FormOf(doc)->ZefEditor->SetCaretPos(TBufferCoord{2, 1});
    for (int line : {0, 4}) {
        doc->GoToLine(line);
        EXPECT_EQ(doc->GetCaretPos(), (TBufferCoord{2, 1})) << line;
    }
    EXPECT_EQ(desktop.Calls().size(), 4u);
    doc->GoToLine(3);
    EXPECT_EQ(doc->GetCaretPos().Line, 3);
}

TEST_F(DocumentsTest, ReadingADirectoryFailsWithTheReason)
{
    QDir(Path(QString())).mkdir(QStringLiteral("folder"));
    auto doc = EditorFactory->CreateMDIChild(&area);
    try {
        doc->LoadFile(Path(QStringLiteral("folder")));
        FAIL() << "loading a directory succeeded";
    } catch (const std::exception& error) {
        EXPECT_NE(std::string(error.what()).find("folder"), std::string::npos) << error.what();
    }
}

TEST_F(DocumentsTest, FailedSaveKeepsTheDocumentModifiedAndRefusesTheClose)
{
    const QString path = WriteFile(QStringLiteral("keep.txt"), "kept\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    TypeText(form, "lost ");
    const QString missing = Path(QStringLiteral("no-such-folder/keep.txt"));
    desktop.AnswerSaveFile(Choice(missing));
    desktop.AnswerMessageBox(mbOk);

    EXPECT_FALSE(Doc(doc)->ExecSaveAs());

    ASSERT_EQ(desktop.Calls().size(), 2u) << desktop.DebugDump().toStdString();
    EXPECT_EQ(desktop.Calls()[1].request, TZefDesktopRequest::drMessageBox);
    EXPECT_EQ(desktop.Calls()[1].icon, TZefMsgIcon::miError);
    EXPECT_TRUE(desktop.Calls()[1].text.contains(QStringLiteral("no-such-folder"))) << desktop.DebugDump().toStdString();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(ReadFile(path), QByteArray("kept\n"));
    EXPECT_EQ(doc->GetFileName(), path);

    // Yes to the save question fails too (a folder now stands where the file was), so the document stays
    // open. The folder is not the file that was loaded, so the save first asks before overwriting it.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(Path(QString())).mkdir(QStringLiteral("keep.txt")));
    desktop.AnswerMessageBox(mbYes);
    desktop.AnswerMessageBox(mbYes);
    desktop.AnswerMessageBox(mbOk);
    doc->Close();
    EXPECT_EQ(desktop.PendingAnswers(), 0u) << desktop.DebugDump().toStdString();
    EXPECT_TRUE(Doc(doc)->CanClose());
    EXPECT_FALSE(ReallyClosing);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentsTest, EditCommandsFollowTheSelectionAndReadOnlyState)
{
    const QString path = WriteFile(QStringLiteral("e.txt"), "abc\n");
    auto doc = NewDocument(path);
    TEditor* editor = Doc(doc);
    EXPECT_FALSE(editor->CanCopy());
    EXPECT_FALSE(editor->CanDelete());
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_TRUE(editor->CanSelectAll());

    editor->ExecSelectAll();
    EXPECT_TRUE(editor->CanCopy());
    EXPECT_TRUE(editor->CanCut());
    editor->ExecDelete();
    EXPECT_EQ(Text(FormOf(doc)), "\r\n");
    EXPECT_FALSE(editor->CanCopy());
    EXPECT_TRUE(editor->CanUndo());
    editor->ExecUndo();
    EXPECT_EQ(Text(FormOf(doc)), "abc\r\n");
    EXPECT_TRUE(editor->CanRedo());
    editor->ExecRedo();
    EXPECT_EQ(Text(FormOf(doc)), "\r\n");

    editor->ExecUndo();
    editor->ExecSelectAll();
    FormOf(doc)->ZefEditor->SetReadOnly(true);
    EXPECT_TRUE(editor->CanCopy());
    EXPECT_FALSE(editor->CanCut());
    EXPECT_FALSE(editor->CanDelete());
    EXPECT_EQ(doc->GetModeText(), QStringLiteral("Read Only"));
}

TEST_F(DocumentsTest, FontDialogAndCreamBackgroundReachTheEditor)
{
    auto doc = NewDocument();
    desktop.AnswerFont(QFont(QStringLiteral("Courier New"), 14));
    const std::optional<QFont> chosen = doc->ChangeFont(true, QString(), 0);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(doc->GetFont().pointSize(), 14);
    desktop.AnswerFont(std::nullopt);
    EXPECT_FALSE(doc->ChangeFont(true, QString(), 0).has_value());
    EXPECT_EQ(doc->GetFont().pointSize(), 14);

    doc->SetCreamBackground(true);
    EXPECT_EQ(FormOf(doc)->ZefEditor->Color(), ZefCreamColor);
    // Documents loaded afterwards start cream too.
    auto later = NewDocument();
    EXPECT_EQ(FormOf(later)->ZefEditor->Color(), ZefCreamColor);
    later->SetCreamBackground(false);
    EXPECT_EQ(FormOf(later)->ZefEditor->Color(), clWhite);
    EXPECT_EQ(FormOf(NewDocument())->ZefEditor->Color(), clWhite);
}
