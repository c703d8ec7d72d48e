// Copy, cut and paste through the desktop's clipboards: code page conversion, LF line breaks for other
// programs, the block format with its selection mode, pasting in the current mode, one undo step per paste,
// failures and CanPaste; the primary selection set by selecting with mouse and keyboard and pasted by a
// middle click.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"
#include "ZefScriptedDesktop.h"

#include <QMimeData>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QString BlockFormat() { return QString::fromLatin1(ClipboardBlockFormat); }

constexpr TZefClipboardMode kClipboard = TZefClipboardMode::cmClipboard;
constexpr TZefClipboardMode kSelection = TZefClipboardMode::cmSelection;

// Every test gets clipboards of its own in a scripted desktop.
class Clipboard : public ::testing::Test {
protected:
    const QMimeData& Board()
    {
        const QMimeData* data = desktop_.ClipboardData(kClipboard);
        if (data == nullptr) throw std::logic_error("the clipboard is empty");
        return *data;
    }

    // Puts plain text on a clipboard as another program would.
    void SetForeignText(const QString& text, TZefClipboardMode mode = kClipboard)
    {
        auto* data = new QMimeData;
        data->setText(text);
        desktop_.SetClipboardData(mode, data);
    }

    TZefScriptedDesktop desktop_;
    TZefDesktopScope scope_{desktop_};
};

// The middle-left of a cell, in viewport pixels: rounds to the cell's own column boundary.
QPoint CellPoint(const TCustomZefEdit& edit, int column, int line)
{
    return QPoint(edit.ColumnToX(column) + 1, (line - edit.TopVisibleLine()) * edit.RowHeight() + edit.RowHeight() / 2);
}

void MoveHeld(TCustomZefEdit& edit, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, edit.viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(edit.viewport(), &move);
}

void MiddleClick(TCustomZefEdit& edit, QPoint at)
{
    QTest::mouseClick(edit.viewport(), Qt::MiddleButton, Qt::NoModifier, at);
}

} // namespace

TEST_F(Clipboard, CopyStoresPlainUnicodeTextAndTheBlockWithTheMode)
{
    auto edit = MakeEdit(std::string("caf\xE9 \x80 x\r\nnext"));
    edit->SetCaretAndSelection(BufferCoord(3, 2), BufferCoord(4, 1), BufferCoord(3, 2));
    edit->CopySelection();
    // Other programs get LF between lines; the block keeps the text exactly as the control holds it.
    EXPECT_EQ(Board().text(), QString::fromUtf8("\xC3\xA9 \xE2\x82\xAC x\nne"));
    const QByteArray block = Board().data(BlockFormat());
    EXPECT_EQ(block, QByteArray("\0\xE9 \x80 x\r\nne\0", 11));

    edit->SetSelectionMode(smLine);
    edit->CopySelection();
    EXPECT_EQ(Board().data(BlockFormat()).front(), '\1');
}

TEST_F(Clipboard, CopyWithoutSelectionLeavesTheClipboardAlone)
{
    SetForeignText("keep");
    auto edit = MakeEdit("text");
    edit->CopySelection();
    edit->DispatchCommand(ecCopy, 0, nullptr);
    EXPECT_EQ(Board().text(), "keep");
}

TEST_F(Clipboard, ColumnBlockKeepsItsShapeInAnotherControl)
{
    auto source = MakeEdit("abcd\r\nef\r\nijkl");
    source->SetSelectionMode(smColumn);
    source->SetCaretAndSelection(BufferCoord(4, 3), BufferCoord(2, 1), BufferCoord(4, 3));
    source->SetOptions(source->Options().With(eoTrimTrailingSpaces));
    source->CopySelection();
    EXPECT_EQ(Board().text(), "bc\nf \njk") << "padded to the block width even with eoTrimTrailingSpaces";

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

TEST_F(Clipboard, LineBlockPastesWholeLinesAboveTheCaretLine)
{
    auto source = MakeEdit("aa\r\nbb\r\ncc");
    source->SetSelectionMode(smLine);
    source->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(1, 2), BufferCoord(2, 2));
    QTest::keyClick(source.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Board().text(), "bb\n");

    auto target = MakeEdit("11\r\n22");
    target->SetCaretPos(BufferCoord(2, 2));
    target->PasteText();
    EXPECT_EQ(LinesDump(*target), "11|bb|22");
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "11|22");
}

TEST_F(Clipboard, PlainTextFromOutsidePastesInTheCurrentModeWithUnmappableCharactersAsQuestionMarks)
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

TEST_F(Clipboard, PasteReplacesTheSelectionAsOneBracketedUndoStep)
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

TEST_F(Clipboard, CutCopiesThenDeletesAsOneStepAndNotWhenReadOnly)
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

TEST_F(Clipboard, UnreadableBlockFailsWithItsMessageAndChangesNothing)
{
    auto* data = new QMimeData;
    data->setData(BlockFormat(), QByteArray());
    data->setText("plain");
    desktop_.SetClipboardData(kClipboard, data);
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

TEST_F(Clipboard, CanPasteNeedsTextOrBlockAndAWritableControl)
{
    auto edit = MakeEdit("abc");
    EXPECT_FALSE(edit->CanPaste());
    edit->PasteText();
    EXPECT_EQ(LinesDump(*edit), "abc") << "an empty clipboard pastes nothing";
    auto* data = new QMimeData;
    data->setData(BlockFormat(), QByteArray("\2x\0", 3));
    desktop_.SetClipboardData(kClipboard, data);
    EXPECT_TRUE(edit->CanPaste());
    edit->SetReadOnly(true);
    EXPECT_FALSE(edit->CanPaste());
}

TEST_F(Clipboard, TextForOtherProgramsHasNoCarriageReturnInAnyMode)
{
    for (const TZefSelectionMode mode : {smNormal, smLine, smColumn}) {
        auto edit = MakeEdit("alpha\r\nbeta\r\ngamma\r\ndelta");
        edit->SetSelectionMode(mode);
        edit->SetCaretAndSelection(BufferCoord(3, 3), BufferCoord(2, 1), BufferCoord(3, 3));
        edit->CopySelection();
        const QString text = Board().text();
        EXPECT_FALSE(text.contains(QLatin1Char('\r'))) << "mode " << mode << ": " << text.toStdString();
        EXPECT_EQ(text.count(QLatin1Char('\n')), mode == smLine ? 3 : 2) << "mode " << mode;
    }
}

TEST_F(Clipboard, PastedTextSplitsAtEveryKindOfLineBreak)
{
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"LF", "one\ntwo\nthree", "<one|two|three>"},
        {"CR LF", "one\r\ntwo\r\nthree", "<one|two|three>"},
        {"CR", "one\rtwo\rthree", "<one|two|three>"},
        {"mixed, with empty lines", "one\r\n\rtwo\n\nthree", "<one||two||three>"},
        {"trailing break", "one\r\n", "<one|>"},
    };
    for (const Case& c : cases) {
        SetForeignText(QString::fromLatin1(c.text));
        auto edit = MakeEdit("<>");
        edit->SetCaretPos(BufferCoord(2, 1));
        edit->PasteText();
        EXPECT_EQ(LinesDump(*edit), c.expected) << c.name;
    }
}

TEST_F(Clipboard, KeyboardSelectionBecomesThePrimarySelection)
{
    auto edit = MakeEdit("abcdef\r\nghijkl\r\nmnop");
    edit->SetCaretAndSelection(BufferCoord(2, 1), BufferCoord(2, 1), BufferCoord(5, 1));
    EXPECT_EQ(desktop_.ClipboardWrites(kSelection), 0) << "a selection the program makes is not the user's";

    edit->SetCaretPos(BufferCoord(2, 1));
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "bc");
    QTest::keyClick(edit.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "bcdef\nghi") << "LF between lines, as on the clipboard";
    EXPECT_EQ(desktop_.ClipboardData(kSelection)->data(BlockFormat()), QByteArray("\0bcdef\r\nghi\0", 12));

    // Moving without Shift ends the selection but leaves the primary selection as it was; so does typing.
    const int writes = desktop_.ClipboardWrites(kSelection);
    QTest::keyClick(edit.get(), Qt::Key_Right);
    QTest::keyClicks(edit.get(), "xy");
    EXPECT_EQ(desktop_.ClipboardWrites(kSelection), writes);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "bcdef\nghi");
    EXPECT_EQ(desktop_.ClipboardData(kClipboard), nullptr) << "selecting never touches the clipboard itself";

    QTest::keyClick(edit.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection).toStdString(), QString::fromStdString(LinesDump(*edit)).replace('|', '\n').toStdString());
    EXPECT_EQ(desktop_.ClipboardWrites(kSelection), writes + 1);
}

TEST_F(Clipboard, SelectingAHugePartOfTheTextLeavesThePrimarySelectionAlone)
{
    std::string text;
    for (int i = 0; i <= TCustomZefEdit::kPrimarySelectionMaxLines; ++i) text += "line\r\n";
    auto edit = MakeEdit(text);
    edit->SetCaretPos(BufferCoord(1, 1));
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "l");
    QTest::keyClick(edit.get(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "l") << "no copy of the whole text on a selecting key";
    // Copy still takes it whole.
    edit->CopySelection();
    EXPECT_GE(desktop_.ClipboardText(kClipboard).size(), static_cast<qsizetype>(text.size() / 6 * 5 - 1));
}

TEST_F(Clipboard, MouseSelectionBecomesThePrimarySelectionWhenTheButtonIsReleased)
{
    auto edit = MakeEdit("hello world\r\nsecond line");
    SizeTextArea(*edit, 20, 5);
    QTest::mousePress(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 3, 1));
    MoveHeld(*edit, CellPoint(*edit, 4, 2));
    EXPECT_EQ(desktop_.ClipboardWrites(kSelection), 0) << "not while the button is still held";
    QTest::mouseRelease(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 4, 2));
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "llo world\nsec");

    // A plain click selects nothing and keeps the primary selection; a double click selects a word.
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 2, 1));
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "llo world\nsec");
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 9, 1));
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 9, 1));
    QTest::mouseRelease(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 9, 1));
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "world");
}

TEST_F(Clipboard, MiddleClickPastesThePrimarySelectionAtTheClickAsOneUndoStep)
{
    SetForeignText(QStringLiteral("NEW\nTEXT"), kSelection);
    SetForeignText(QStringLiteral("clipboard"));
    auto edit = MakeEdit("one two\r\nthree four");
    SizeTextArea(*edit, 20, 5);
    // A selection elsewhere is dropped, not replaced: the text goes in where the click was.
    edit->SetCaretAndSelection(BufferCoord(4, 1), BufferCoord(1, 1), BufferCoord(4, 1));
    MiddleClick(*edit, CellPoint(*edit, 7, 2));
    EXPECT_EQ(LinesDump(*edit), "one two|three NEW|TEXTfour");
    EXPECT_EQ(CaretDump(*edit), "caret (5,3) sel (5,3)-(5,3)");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "one two|three four");
    EXPECT_FALSE(edit->CanUndo()) << "the paste is one undo step";
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "one two|three NEW|TEXTfour");

    // A column block selected in one control is pasted as a column block by a middle click in another.
    auto source = MakeEdit("abcd\r\nefgh\r\nijkl");
    source->SetSelectionMode(smColumn);
    source->SetCaretPos(BufferCoord(2, 1));
    QTest::keyClick(source.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(source.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(source.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(desktop_.ClipboardText(kSelection), "bc\nfg");
    auto target = MakeEdit("12345\r\n12345\r\n12345");
    SizeTextArea(*target, 20, 5);
    MiddleClick(*target, CellPoint(*target, 3, 1));
    EXPECT_EQ(LinesDump(*target), "12bc345|12fg345|12345");
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "12345|12345|12345");
}

TEST_F(Clipboard, MiddleClickPastesNothingWithoutAPrimarySelectionOrWhenReadOnly)
{
    auto edit = MakeEdit("abc\r\ndef");
    SizeTextArea(*edit, 20, 5);
    SetForeignText(QStringLiteral("clipboard"));
    MiddleClick(*edit, CellPoint(*edit, 2, 2));
    EXPECT_EQ(LinesDump(*edit), "abc|def") << "empty primary selection";

    SetForeignText(QStringLiteral("X"), kSelection);
    edit->SetReadOnly(true);
    MiddleClick(*edit, CellPoint(*edit, 2, 2));
    EXPECT_EQ(LinesDump(*edit), "abc|def") << "read-only";
    EXPECT_EQ(CaretDump(*edit), "caret (1,1) sel (1,1)-(1,1)");

    // A desktop without a primary selection (Windows, macOS): selecting offers nothing, a middle click
    // pastes nothing.
    edit->SetReadOnly(false);
    desktop_.SetSelectionSupported(false);
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    MiddleClick(*edit, CellPoint(*edit, 2, 2));
    EXPECT_EQ(LinesDump(*edit), "abc|def");
    EXPECT_EQ(desktop_.ClipboardWrites(kSelection), 1) << "only the test's own";
}
