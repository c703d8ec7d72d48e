// Lines far wider than the window and than the classic 1024-column limit: every column can be reached and
// edited, undo gives back the original bytes, and a limit that remains beeps instead of dropping keys.
#include "ZefEditTestSupport.h"

#include "ZefDesktop.h"
#include "ZefScriptedDesktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// A line of `length` bytes that shows where each position is: digits cycling 0..9 with a letter every 100.
std::string Ruler(size_t length)
{
    std::string line(length, ' ');
    for (size_t i = 0; i < length; ++i) line[i] = (i % 100 == 99) ? static_cast<char>('a' + (i / 100) % 26)
                                                                   : static_cast<char>('0' + i % 10);
    return line;
}

// A control set up as the document forms run it: the width limit follows the longest line.
std::unique_ptr<TZefEdit> MakeDocumentEdit(const std::string& text)
{
    auto edit = MakeEdit(text);
    edit->SetOptions(edit->Options().With(eoAutoSizeMaxLineWidth));
    edit->FitMaxLineWidthToLongestLine();
    return edit;
}

QPoint CellPoint(const TCustomZefEdit& edit, int column, int line)
{
    return QPoint(edit.ColumnToX(column) + 1, (line - edit.TopVisibleLine()) * edit.RowHeight() + edit.RowHeight() / 2);
}

void Type(TCustomZefEdit& edit, std::string_view text)
{
    for (char c : text) edit.DispatchCommand(ecChar, c, nullptr);
}

} // namespace

TEST(LongLines, EndAndTypingReachEveryColumnAndUndoRestoresTheBytes)
{
    for (size_t length : {size_t{1023}, size_t{1024}, size_t{1025}, size_t{2000}, size_t{100000}}) {
        const std::string original = Ruler(length);
        auto edit = MakeDocumentEdit(original + "\r\nshort");
        SizeTextArea(*edit, 40, 5);
        edit->DispatchCommand(ecLineEnd, 0, nullptr);
        EXPECT_EQ(edit->CaretPos().Char, static_cast<int>(length) + 1) << length;
        Type(*edit, "xyz");
        EXPECT_EQ(edit->Lines()->GetLine(0), original + "xyz") << length;
        EXPECT_EQ(edit->CaretPos().Char, static_cast<int>(length) + 4) << length;
        // The caret column is on screen.
        const int column = edit->CaretPos().Char;
        EXPECT_GE(column, edit->LeftVisibleColumn()) << length;
        EXPECT_LT(column, edit->LeftVisibleColumn() + edit->VisibleColumns()) << length;
        while (edit->CanUndo()) edit->Undo();
        EXPECT_EQ(edit->Lines()->GetLine(0), original) << length;
        EXPECT_FALSE(edit->Modified()) << length;
    }
}

TEST(LongLines, TypingInTheMiddleOfALongLineInsertAndOverwrite)
{
    const std::string original = Ruler(5000);
    auto edit = MakeDocumentEdit(original);
    edit->SetCaretPos(BufferCoord(3001, 1));
    Type(*edit, "AB");
    edit->DispatchCommand(ecToggleMode, 0, nullptr);
    Type(*edit, "CD");
    std::string expected = original;
    expected.insert(3000, "AB");
    expected.replace(3002, 2, "CD");
    EXPECT_EQ(edit->Lines()->GetLine(0), expected);
    while (edit->CanUndo()) edit->Undo();
    EXPECT_EQ(edit->Lines()->GetLine(0), original);
    while (edit->CanRedo()) edit->Redo();
    EXPECT_EQ(edit->Lines()->GetLine(0), expected);
}

TEST(LongLines, MouseClickPastColumn1024PlacesTheCaretThere)
{
    auto edit = MakeDocumentEdit(Ruler(3000) + "\r\n" + Ruler(10));
    SizeTextArea(*edit, 40, 5);
    edit->SetLeftVisibleColumn(1500);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 1510, 1));
    EXPECT_EQ(Pos(edit->CaretPos()), "(1510,1)");
    Type(*edit, "#");
    EXPECT_EQ(edit->Lines()->GetLine(0).substr(1505, 6), std::string("5678#9"));
}

TEST(LongLines, ShiftEndSelectsToTheEndAndDeleteRemovesIt)
{
    const std::string original = Ruler(2000);
    auto edit = MakeDocumentEdit(original);
    edit->SetCaretPos(BufferCoord(1500, 1));
    edit->DispatchCommand(ecSelLineEnd, 0, nullptr);
    EXPECT_EQ(edit->SelectedText().size(), 501u);
    edit->DispatchCommand(ecDeleteChar, 0, nullptr);
    EXPECT_EQ(edit->Lines()->GetLine(0), original.substr(0, 1499));
    edit->Undo();
    EXPECT_EQ(edit->Lines()->GetLine(0), original);
}

TEST(LongLines, ColumnSelectionPastColumn1024)
{
    auto edit = MakeDocumentEdit(Ruler(3000) + "\r\n" + Ruler(3000));
    edit->SetSelectionMode(smColumn);
    edit->SetCaretPos(BufferCoord(2001, 1));
    edit->SetSelHead(BufferCoord(2005, 2));
    EXPECT_EQ(edit->SelectedText(), "0123\r\n0123");
}

TEST(LongLines, PasteAtColumn5000)
{
    const std::string original = Ruler(6000);
    auto edit = MakeDocumentEdit(original);
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    edit->SetCaretPos(BufferCoord(5000, 1));
    edit->DispatchCommand(ecPaste, 0, nullptr);
    std::string expected = original;
    expected.insert(4999, "PASTED");
    EXPECT_EQ(edit->Lines()->GetLine(0), expected);
    EXPECT_EQ(Pos(edit->CaretPos()), "(5006,1)");
    edit->Undo();
    EXPECT_EQ(edit->Lines()->GetLine(0), original);
}

TEST(LongLines, ALimitThatRemainsBeepsAndLeavesTheLineWhole)
{
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope(desktop);
    auto edit = MakeEdit("abcd");
    edit->SetMaxLineWidth(4);
    edit->SetCaretPos(BufferCoord(5, 1));
    Type(*edit, "xy");
    EXPECT_EQ(LinesDump(*edit), "abcd");
    ASSERT_EQ(desktop.Calls().size(), 2u) << desktop.DebugDump().toStdString();
    EXPECT_EQ(desktop.Calls()[0].request, TZefDesktopRequest::drBeep);
    EXPECT_FALSE(edit->CanUndo());
}

TEST(LongLines, DraggingTheHorizontalBarToTheEndShowsTheEndOfTheLongestLine)
{
    const int length = 2'000'000; // well beyond the 32767 steps of a scroll bar
    auto edit = MakeDocumentEdit(Ruler(static_cast<size_t>(length)) + "\r\nshort");
    SizeTextArea(*edit, 40, 5);
    QScrollBar* bar = edit->horizontalScrollBar();
    EXPECT_LE(bar->maximum(), 32767);
    bar->setSliderDown(true);
    bar->setValue(bar->maximum());
    bar->setSliderDown(false);
    const int left = edit->LeftVisibleColumn();
    EXPECT_LE(left, length);
    EXPECT_GE(left + edit->VisibleColumns() - 1, length) << "the line's last column is in the window";
    EXPECT_GT(left, length - edit->VisibleColumns()) << "the window is filled with the line's end";
}

TEST(LongLines, BackspaceDeleteAndEnterAtAnyColumn)
{
    const std::string original = Ruler(4000);
    auto edit = MakeDocumentEdit(original);
    edit->SetCaretPos(BufferCoord(3001, 1));
    edit->DispatchCommand(ecDeleteLastChar, 0, nullptr);
    edit->DispatchCommand(ecDeleteChar, 0, nullptr);
    std::string expected = original;
    expected.erase(2999, 2);
    EXPECT_EQ(edit->Lines()->GetLine(0), expected);
    EXPECT_EQ(Pos(edit->CaretPos()), "(3000,1)");
    edit->DispatchCommand(ecLineBreak, 0, nullptr);
    EXPECT_EQ(edit->Lines()->GetLine(0), expected.substr(0, 2999));
    EXPECT_EQ(edit->Lines()->GetLine(1), expected.substr(2999));
    while (edit->CanUndo()) edit->Undo();
    EXPECT_EQ(LinesDump(*edit), original);
}
