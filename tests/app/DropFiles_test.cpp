// Files dropped from a file manager open as documents, in their order and with the last one active, whether
// they are dropped on the frame or on a document's text; what is not a file here is passed over.
#include "MainWindowFixture.h"

#include "ZefEditTextBuffer.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

class DropFiles : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        Start();
    }

    // Drags `urls` as a file manager does (text/uri-list) over `target` and drops them there; answers whether
    // the drag was taken.
    static bool DragAndDrop(QWidget* target, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPointF at(5, 5);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    QStringList OpenFileNames() const
    {
        QStringList names;
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
            names << QFileInfo(EditorFactory->GetEditor(i)->GetFileName()).fileName();
        return names;
    }
};

TEST_F(DropFiles, FilesDroppedOnTheFrameOpenInOrderAndTheLastIsActive)
{
    const QString first = WriteFile(QStringLiteral("first.txt"), "one\n");
    const QString second = WriteFile(QStringLiteral("second.pas"), "begin end.\n");
    QDir(Path(QString())).mkdir(QStringLiteral("folder"));
    const bool taken = DragAndDrop(window.get(), {QUrl::fromLocalFile(first), QUrl(QStringLiteral("https://example.com/a.txt")),
                                                  QUrl::fromLocalFile(Path(QStringLiteral("missing.txt"))),
                                                  QUrl::fromLocalFile(Path(QStringLiteral("folder"))),
                                                  QUrl::fromLocalFile(second)});
    Idle();
    EXPECT_TRUE(taken);
    EXPECT_EQ(OpenFileNames(), QStringList({"first.txt", "second.pas"}));
    ASSERT_NE(ActiveEditor, nullptr);
    EXPECT_EQ(QFileInfo(ActiveEditor->GetFileName()).fileName(), "second.pas");
    EXPECT_EQ(ReadLastOpenedDir(), QFileInfo(second).absolutePath());
    EXPECT_TRUE(desktop.MessageTexts().isEmpty()) << "passed over, as the command line passes them over";

    // Dropping an open file again activates its document instead of opening a second one.
    EXPECT_TRUE(DragAndDrop(window.get(), {QUrl::fromLocalFile(first)}));
    Idle();
    EXPECT_EQ(OpenFileNames(), QStringList({"first.txt", "second.pas"}));
    EXPECT_EQ(QFileInfo(ActiveEditor->GetFileName()).fileName(), "first.txt");

    // Nothing that is a file here: the drag is refused.
    EXPECT_FALSE(DragAndDrop(window.get(), {QUrl(QStringLiteral("https://example.com/b.txt"))}));
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
}

// Over a document's text a file drag goes on to the frame: the file opens and the text under the drop stays
// as it was.
TEST_F(DropFiles, AFileDroppedOnADocumentOpensInsteadOfBeingInserted)
{
    window->OpenDocument(WriteFile(QStringLiteral("target.txt"), "keep me\n"));
    Idle();
    TZefEdit* edit = Editor(ActiveEditor);
    ASSERT_NE(edit, nullptr);
    const std::string before = edit->Text();
    const QString dropped = WriteFile(QStringLiteral("dropped.txt"), "dropped\n");
    EXPECT_TRUE(DragAndDrop(edit->viewport(), {QUrl::fromLocalFile(dropped)}));
    Idle();
    EXPECT_EQ(OpenFileNames(), QStringList({"target.txt", "dropped.txt"}));
    EXPECT_EQ(QFileInfo(ActiveEditor->GetFileName()).fileName(), "dropped.txt");
    EXPECT_EQ(edit->Text(), before);
    EXPECT_FALSE(edit->Modified());
}

} // namespace
