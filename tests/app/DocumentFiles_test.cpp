// A document and its file: the questions of Save As, another program's change before a save, Reload as one
// undoable step, the line break of new texts and the font dialog's preset.
#include "support/AppTestFixture.h"

#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefFilePath.h"

#include <QDir>
#include <QFontInfo>
#include <QMenu>
#include <QTest>

#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

TZefFileChoice Choice(const QString& path)
{
    TZefFileChoice choice;
    choice.files = QStringList{path};
    return choice;
}

std::string Text(TEditorForm* form) { return form->ZefEditor->Lines()->GetText(); }

int Count(const TZefScriptedDesktop& desktop, TZefDesktopRequest kind)
{
    int count = 0;
    for (const TZefDesktopCall& call : desktop.Calls())
        count += call.request == kind ? 1 : 0;
    return count;
}

} // namespace

using DocumentFilesTest = TAppTestFixture;

TEST_F(DocumentFilesTest, SaveAsAsksOnceBeforeReplacingAndNoReturnsToTheDialog)
{
    const QString existing = WriteFile(QStringLiteral("exists.txt"), "old\n");
    auto doc = NewDocument();
    FormOf(doc)->ZefEditor->SetSelectedText("new");

    desktop.AnswerSaveFile(Choice(existing));
    desktop.AnswerMessageBox(mbNo);
    desktop.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(Doc(doc)->ExecSaveAs());
    EXPECT_EQ(ReadFile(existing), QByteArray("old\n"));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("Untitled1"));
    ASSERT_EQ(desktop.Calls().size(), 3u) << desktop.DebugDump().toStdString();
    const TZefDesktopCall& question = desktop.Calls()[1];
    EXPECT_EQ(question.text, QStringLiteral("exists.txt already exists. Do you want to replace it?"));
    EXPECT_EQ(question.buttons, static_cast<TZefMsgButtons>(mbYes | mbNo));
    // No goes back to the dialog, which starts on the name just refused.
    EXPECT_EQ(desktop.Calls()[2].request, TZefDesktopRequest::drSaveFile);
    EXPECT_TRUE(desktop.Calls()[2].detail.contains(QStringLiteral("exists.txt"))) << desktop.DebugDump().toStdString();

    desktop.ClearLog();
    desktop.AnswerSaveFile(Choice(existing));
    desktop.AnswerMessageBox(mbYes);
    EXPECT_TRUE(Doc(doc)->ExecSaveAs());
    EXPECT_EQ(ReadFile(existing), QByteArray("new\n"));
    EXPECT_EQ(doc->GetFileName(), existing);
    EXPECT_EQ(Count(desktop, TZefDesktopRequest::drMessageBox), 1) << desktop.DebugDump().toStdString();

    // A name that does not exist yet is written without a question.
    desktop.ClearLog();
    desktop.AnswerSaveFile(Choice(Path(QStringLiteral("fresh.txt"))));
    EXPECT_TRUE(Doc(doc)->ExecSaveAs());
    EXPECT_EQ(Count(desktop, TZefDesktopRequest::drMessageBox), 0) << desktop.DebugDump().toStdString();
}

TEST_F(DocumentFilesTest, SaveAsOntoTheFileOfAnotherOpenDocumentIsRefused)
{
    const QString first = WriteFile(QStringLiteral("first.txt"), "first\n");
    const QString second = WriteFile(QStringLiteral("second.txt"), "second\n");
    const QString link = Path(QStringLiteral("link-to-first.txt"));
    ASSERT_TRUE(QFile::link(first, link));
    auto open = NewDocument(first);
    auto doc = NewDocument(second);
    FormOf(doc)->ZefEditor->SetSelectedText("edited ");

    for (const QString& target : {first, link}) {
        desktop.ClearLog();
        desktop.AnswerSaveFile(Choice(target));
        desktop.AnswerMessageBox(mbOk);
        EXPECT_FALSE(Doc(doc)->ExecSaveAs()) << target.toStdString();
        ASSERT_EQ(desktop.Calls().size(), 3u) << desktop.DebugDump().toStdString();
        EXPECT_EQ(desktop.Calls()[2].icon, TZefMsgIcon::miError);
        EXPECT_TRUE(desktop.Calls()[2].text.contains(first)) << desktop.DebugDump().toStdString();
        EXPECT_EQ(doc->GetFileName(), second);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(ReadFile(first), QByteArray("first\n"));
    }
}

TEST_F(DocumentFilesTest, AFailedSaveAsKeepsTheDocumentsName)
{
    const QString path = WriteFile(QStringLiteral("keep.txt"), "kept\n");
    auto doc = NewDocument(path);
    FormOf(doc)->ZefEditor->SetSelectedText("more ");
    desktop.AnswerSaveFile(Choice(Path(QStringLiteral("no-such-folder/keep.txt"))));
    desktop.AnswerMessageBox(mbOk);
    EXPECT_FALSE(Doc(doc)->ExecSaveAs());
    EXPECT_EQ(doc->GetFileName(), path);
    EXPECT_EQ(FormOf(doc)->windowTitle(), QStringLiteral("keep.txt - Editor"));
    EXPECT_TRUE(doc->IsModified());
    // The next plain save still goes to the file it was loaded from.
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(ReadFile(path), QByteArray("more kept\n"));
}

// Another program's change to the file between the load and the save.
struct TForeignChangeCase {
    const char* name;
    std::function<void(const QString& path)> change;
};

class ForeignChangeTest : public TAppTestFixture, public ::testing::WithParamInterface<TForeignChangeCase> {};

TEST_P(ForeignChangeTest, SaveAsksBeforeOverwritingAndNoKeepsBothSides)
{
    const QString path = WriteFile(QStringLiteral("shared.txt"), "one\ntwo\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    form->ZefEditor->SetSelectedText("mine ");
    GetParam().change(path);
    const QByteArray theirs = ReadFile(path);

    desktop.AnswerMessageBox(mbNo);
    EXPECT_FALSE(doc->Save());
    ASSERT_EQ(Count(desktop, TZefDesktopRequest::drMessageBox), 1) << desktop.DebugDump().toStdString();
    EXPECT_EQ(desktop.Calls().back().text,
              QStringLiteral("shared.txt was changed by another program since it was opened. Overwrite it?"));
    EXPECT_EQ(desktop.Calls().back().buttons, static_cast<TZefMsgButtons>(mbYes | mbNo));
    EXPECT_EQ(ReadFile(path), theirs);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Text(form), "mine one\r\ntwo\r\n");

    desktop.AnswerMessageBox(mbYes);
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(ReadFile(path), QByteArray("mine one\ntwo\n"));
    // What was just written is the file as the document knows it: the next save asks nothing.
    desktop.ClearLog();
    form->ZefEditor->SetSelectedText("again ");
    EXPECT_TRUE(doc->Save());
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ForeignChangeTest,
    ::testing::Values(
        TForeignChangeCase{"ReplacedByRename",
                           [](const QString& path) {
                               QFile other(path + QStringLiteral(".new"));
                               ASSERT_TRUE(other.open(QIODevice::WriteOnly));
                               other.write("theirs\n");
                               other.close();
                               ASSERT_EQ(::rename(ZefPathToBytes(other.fileName()).constData(),
                                                  ZefPathToBytes(path).constData()),
                                         0);
                           }},
        TForeignChangeCase{"Appended",
                           [](const QString& path) {
                               QFile file(path);
                               ASSERT_TRUE(file.open(QIODevice::Append));
                               file.write("three\n");
                           }},
        // Same inode, same size, the old time put back: only the contents tell.
        TForeignChangeCase{"RewrittenInPlaceWithTheOldTime",
                           [](const QString& path) {
                               const QByteArray name = ZefPathToBytes(path);
                               struct stat before;
                               ASSERT_EQ(::stat(name.constData(), &before), 0);
                               QFile file(path);
                               ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                               file.write("ONE\nTWO\n");
                               file.close();
                               const struct timespec times[2] = {before.st_atim, before.st_mtim};
                               ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
                           }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFilesTest, ReloadOfAGoneFileKeepsTextFlagAndUndo)
{
    const QString path = WriteFile(QStringLiteral("gone.txt"), "alpha\nbeta\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    form->ZefEditor->SetSelectedText("typed ");
    form->RefreshReloadEnabled();
    EXPECT_TRUE(form->miReload->isEnabled());
    ASSERT_TRUE(QFile::remove(path));
    form->RefreshReloadEnabled();
    EXPECT_FALSE(form->miReload->isEnabled()) << "Reload is offered only while the file exists";

    // Through the menu's own handler: the error is reported and nothing changes.
    desktop.AnswerMessageBox(mbOk);
    form->miReload->setEnabled(true);
    form->miReload->trigger();
    ASSERT_EQ(Count(desktop, TZefDesktopRequest::drMessageBox), 1) << desktop.DebugDump().toStdString();
    EXPECT_TRUE(desktop.Calls().back().text.contains(QStringLiteral("gone.txt"))) << desktop.DebugDump().toStdString();
    EXPECT_EQ(Text(form), "typed alpha\r\nbeta\r\n");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Doc(doc)->CanUndo());
    Doc(doc)->ExecUndo();
    EXPECT_EQ(Text(form), "alpha\r\nbeta\r\n");
}

TEST_F(DocumentFilesTest, ReloadIsOneUndoableStepThatKeepsTheEdits)
{
    const QString path = WriteFile(QStringLiteral("data.txt"), "alpha\nbeta  \ngamma\n");
    auto doc = NewDocument(path);
    auto* form = FormOf(doc);
    form->ZefEditor->SetCaretPos(TBufferCoord{1, 3});
    form->ZefEditor->SetSelectedText("my ");
    WriteFile(QStringLiteral("data.txt"), "alpha\r\nBETA  \r\ngamma\r\ndelta\r\n");

    form->Reload();
    // Blanks at line ends come back exactly as the file has them; the file's own line break is taken.
    EXPECT_EQ(Text(form), "alpha\r\nBETA  \r\ngamma\r\ndelta\r\n");
    EXPECT_EQ(form->ZefEditor->Lines()->LineBreakStyle(), lbsCRLF);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetCaretPos().Line, 3);

    QTest::keyClick(form->ZefEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(form), "alpha\r\nbeta  \r\nmy gamma\r\n");
    EXPECT_TRUE(doc->IsModified());
    Doc(doc)->ExecUndo();
    EXPECT_EQ(Text(form), "alpha\r\nbeta  \r\ngamma\r\n");
    Doc(doc)->ExecRedo();
    Doc(doc)->ExecRedo();
    EXPECT_EQ(Text(form), "alpha\r\nBETA  \r\ngamma\r\ndelta\r\n");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentFilesTest, NewTextsUseLineFeedsAndLoadedFilesKeepTheirOwnBreak)
{
    auto untitled = NewDocument();
    FormOf(untitled)->ZefEditor->SetSelectedText("a\r\nb");
    const QString fresh = Path(QStringLiteral("fresh.txt"));
    desktop.AnswerSaveFile(Choice(fresh));
    ASSERT_TRUE(untitled->Save());
    EXPECT_EQ(ReadFile(fresh), QByteArray("a\nb\n"));

    const QString dos = WriteFile(QStringLiteral("dos.txt"), "x\r\ny\r\n");
    auto loaded = NewDocument(dos);
    FormOf(loaded)->ZefEditor->SetSelectedText("z");
    ASSERT_TRUE(loaded->Save());
    EXPECT_EQ(ReadFile(dos), QByteArray("zx\r\ny\r\n"));
}

TEST_F(DocumentFilesTest, TheFontDialogStartsOnTheFontTheEditorShows)
{
    auto doc = NewDocument();
    doc->ChangeFont(false, QStringLiteral("No Such Family Zefra"), 13);
    const QFontInfo shown(doc->GetFont());
    desktop.AnswerFont(std::nullopt);
    doc->ChangeFont(true, QString(), 0);
    ASSERT_EQ(desktop.Calls().size(), 1u);
    const QString detail = desktop.Calls()[0].detail;
    EXPECT_TRUE(detail.contains(shown.family())) << detail.toStdString();
    EXPECT_FALSE(detail.contains(QStringLiteral("No Such Family"))) << detail.toStdString();
    EXPECT_TRUE(detail.contains(QStringLiteral("13"))) << detail.toStdString();
}
