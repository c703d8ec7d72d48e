// Copy, cut and paste through the process clipboard: code page conversion, the block format with its selection
// mode, pasting in the current mode, one undo step per paste, failures and CanPaste.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QClipboard& Board() { return *QGuiApplication::clipboard(); }

QString BlockFormat() { return QString::fromLatin1(ClipboardBlockFormat); }

// Puts plain text on the clipboard as another program would.
void SetForeignText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    Board().setMimeData(data);
}

} // namespace

TEST(Clipboard, CopyStoresPlainUnicodeTextAndTheBlockWithTheMode)
{
    auto edit = MakeEdit(std::string("caf\xE9 \x80 x\r\nnext"));
    edit->SetCaretAndSelection(BufferCoord(3, 2), BufferCoord(4, 1), BufferCoord(3, 2));
    edit->CopySelection();
    const QMimeData* data = Board().mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("\xC3\xA9 \xE2\x82\xAC x\r\nne"));
    const QByteArray block = data->data(BlockFormat());
    EXPECT_EQ(block, QByteArray("\0\xE9 \x80 x\r\nne\0", 11));

    edit->SetSelectionMode(smLine);
    edit->CopySelection();
    EXPECT_EQ(Board().mimeData()->data(BlockFormat()).front(), '\1');
}

TEST(Clipboard, CopyWithoutSelectionLeavesTheClipboardAlone)
{
    SetForeignText("keep");
    auto edit = MakeEdit("text");
    edit->CopySelection();
    edit->DispatchCommand(ecCopy, 0, nullptr);
    EXPECT_EQ(Board().text(), "keep");
}

TEST(Clipboard, ColumnBlockKeepsItsShapeInAnotherControl)
{
    auto source = MakeEdit("abcd\r\nef\r\nijkl");
    source->SetSelectionMode(smColumn);
    source->SetCaretAndSelection(BufferCoord(4, 3), BufferCoord(2, 1), BufferCoord(4, 3));
    source->SetOptions(source->Options().With(eoTrimTrailingSpaces));
    source->CopySelection();
    EXPECT_EQ(Board().text(), "bc\r\nf \r\njk") << "padded to the block width even with eoTrimTrailingSpaces";

    auto target = MakeEdit("12345\r\n12345\r\n12345\r\n12345");
    target->SetCaretPos(BufferCoord(3, 2));
    target->PasteText();
    EXPECT_EQ(LinesDump(*target), "12345|12bc345|12f 345|12jk345");
    EXPECT_EQ(target->SelectionMode(), smNormal) << "the control's own mode is untouched";
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "12345|12345|12345|12345");
    EXPECT_EQ(CaretDump(*target), "caret (3,2) sel (3,2)-(3,2)");
    target->Redo();
    EXPECT_EQ(LinesDump(*target), "12345|12bc345|12f 345|12jk345");
}

TEST(Clipboard, LineBlockPastesWholeLinesAboveTheCaretLine)
{
    auto source = MakeEdit("aa\r\nbb\r\ncc");
    source->SetSelectionMode(smLine);
    source->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(1, 2), BufferCoord(2, 2));
    QTest::keyClick(source.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Board().text(), "bb\r\n");

    auto target = MakeEdit("11\r\n22");
    target->SetCaretPos(BufferCoord(2, 2));
    target->PasteText();
    EXPECT_EQ(LinesDump(*target), "11|bb|22");
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "11|22");
}

TEST(Clipboard, PlainTextFromOutsidePastesInTheCurrentModeWithUnmappableCharactersAsQuestionMarks)
{
    struct Case {
        TZefSelectionMode mode;
        const char* expected;
    };
    const Case cases[] = {
        {smNormal, "ab\xE9\x80?|x?ycd|3456"},
        {smColumn, "ab\xE9\x80?cd|34x?y56"},
    };
    for (const Case& c : cases) {
        SetForeignText(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xE2\x86\x92\nx\xF0\x9F\x98\x80y"));
        auto edit = MakeEdit("abcd\r\n3456");
        edit->SetSelectionMode(c.mode);
        edit->SetCaretPos(BufferCoord(3, 1));
        ASSERT_TRUE(edit->CanPaste());
        edit->DispatchCommand(ecPaste, 0, nullptr);
        EXPECT_EQ(LinesDump(*edit), c.expected) << "mode " << c.mode;
        edit->Undo();
        EXPECT_EQ(LinesDump(*edit), "abcd|3456") << "mode " << c.mode;
    }
}

TEST(Clipboard, PasteReplacesTheSelectionAsOneBracketedUndoStep)
{
    SetForeignText("NEW");
    auto edit = MakeEdit("one two three");
    edit->SetCaretAndSelection(BufferCoord(8, 1), BufferCoord(5, 1), BufferCoord(8, 1));
    QTest::keyClick(edit.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LinesDump(*edit), "one NEW three");
    EXPECT_EQ(CaretDump(*edit), "caret (8,1) sel (8,1)-(8,1)");
    const TZefEditUndoList& undo = *edit->UndoList();
    ASSERT_GE(undo.Count(), 2);
    EXPECT_EQ(undo.Item(0).Kind, ucPasteBegin);
    EXPECT_EQ(undo.Item(undo.Count() - 1).Kind, ucPasteEnd);
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "one two three");
    EXPECT_EQ(CaretDump(*edit), "caret (8,1) sel (5,1)-(8,1)");
    EXPECT_FALSE(edit->CanUndo());
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "one NEW three");
    EXPECT_FALSE(edit->CanRedo());
}

TEST(Clipboard, CutCopiesThenDeletesAsOneStepAndNotWhenReadOnly)
{
    auto edit = MakeEdit("one two three");
    edit->SetCaretAndSelection(BufferCoord(8, 1), BufferCoord(4, 1), BufferCoord(8, 1));
    edit->SetReadOnly(true);
    SetForeignText("before");
    edit->DispatchCommand(ecCut, 0, nullptr);
    edit->CutSelection();
    EXPECT_EQ(LinesDump(*edit), "one two three");
    EXPECT_EQ(Board().text(), "before");
    EXPECT_FALSE(edit->CanPaste());

    edit->SetReadOnly(false);
    QTest::keyClick(edit.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(LinesDump(*edit), "one three");
    EXPECT_EQ(Board().text(), " two");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "one two three");
    EXPECT_EQ(CaretDump(*edit), "caret (8,1) sel (4,1)-(8,1)");
}

TEST(Clipboard, UnreadableBlockFailsWithItsMessageAndChangesNothing)
{
    auto* data = new QMimeData;
    data->setData(BlockFormat(), QByteArray());
    data->setText("plain");
    Board().setMimeData(data);
    auto edit = MakeEdit("abc");
    try {
        edit->PasteText();
        FAIL() << "no error";
    } catch (const EZefEditClipboard& error) {
        EXPECT_STREQ(error.what(), "Clipboard paste operation failed.");
    }
    EXPECT_EQ(LinesDump(*edit), "abc");
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_EQ(edit->UndoList()->GroupDepth(), 0);
}

TEST(Clipboard, CanPasteNeedsTextOrBlockAndAWritableControl)
{
    auto edit = MakeEdit("abc");
    Board().clear();
    EXPECT_FALSE(edit->CanPaste());
    edit->PasteText();
    EXPECT_EQ(LinesDump(*edit), "abc") << "an empty clipboard pastes nothing";
    auto* data = new QMimeData;
    data->setData(BlockFormat(), QByteArray("\2x\0", 3));
    Board().setMimeData(data);
    EXPECT_TRUE(edit->CanPaste());
    edit->SetReadOnly(true);
    EXPECT_FALSE(edit->CanPaste());
}
