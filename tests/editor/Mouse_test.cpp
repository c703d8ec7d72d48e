// The control under QTest mouse events: clicks, shift-clicks, double clicks, drag-selection with ScrollTimer,
// presses on a selection, gutter clicks and wheel accumulation.
#include "ZefEditTestSupport.h"

#include "ZefEditMarks.h"

#include <QApplication>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// The middle-left of a cell, in viewport pixels: rounds to the cell's own column boundary.
QPoint CellPoint(const TCustomZefEdit& edit, int column, int line)
{
    return QPoint(edit.ColumnToX(column) + 1, (line - edit.TopVisibleLine()) * edit.RowHeight() + edit.RowHeight() / 2);
}

void Press(TCustomZefEdit& edit, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(edit.viewport(), button, mods, at);
}

void Release(TCustomZefEdit& edit, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(edit.viewport(), button, mods, at);
}

void MoveHeld(TCustomZefEdit& edit, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent move(QEvent::MouseMove, at, edit.viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, mods);
    QCoreApplication::sendEvent(edit.viewport(), &move);
}

// What the platform delivers for a double click: press, release, double click, release.
void DoubleClick(TCustomZefEdit& edit, QPoint at)
{
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void Wheel(TCustomZefEdit& edit, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QPointF at(edit.ColumnToX(2), 5);
    QWheelEvent wheel(at, edit.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(edit.viewport(), &wheel);
}

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// Counts drags started instead of running QDrag's nested loop.
class TDragCountingEdit : public TZefEdit {
public:
    int Drags = 0;

protected:
    void StartTextDrag() override { ++Drags; }
};

} // namespace

TEST(Mouse, ClickPlacesCaretAndShiftClickExtendsFromTheAnchor)
{
    auto edit = MakeEdit("hello world\r\nsecond line");
    SizeTextArea(*edit, 20, 5);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 3, 1));
    EXPECT_EQ(CaretDump(*edit), "caret (3,1) sel (3,1)-(3,1)");
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(*edit, 5, 2));
    EXPECT_EQ(CaretDump(*edit), "caret (5,2) sel (3,1)-(5,2)");
    // A plain click collapses the selection again; beyond the line end the anchor stays at the end.
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 18, 2));
    EXPECT_EQ(CaretDump(*edit), "caret (18,2) sel (12,2)-(12,2)") << "the caret may stand beyond the end";
}

TEST(Mouse, AltPressChoosesColumnModeWithAltSetsColumnMode)
{
    auto edit = MakeEdit("hello world\r\nsecond line");
    SizeTextArea(*edit, 20, 5);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::AltModifier, CellPoint(*edit, 2, 1));
    EXPECT_EQ(edit->SelectionMode(), smNormal) << "not without the option";
    edit->SetOptions(edit->Options().With(eoAltSetsColumnMode));
    Press(*edit, CellPoint(*edit, 2, 1), Qt::AltModifier);
    MoveHeld(*edit, CellPoint(*edit, 4, 2), Qt::AltModifier);
    Release(*edit, CellPoint(*edit, 4, 2), Qt::AltModifier);
    EXPECT_EQ(edit->SelectionMode(), smColumn);
    EXPECT_EQ(edit->SelectedText(), "el\r\nec");
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(*edit, 2, 1));
    EXPECT_EQ(edit->SelectionMode(), smNormal);
    // Line mode is left alone.
    edit->SetSelectionMode(smLine);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::AltModifier, CellPoint(*edit, 2, 1));
    EXPECT_EQ(edit->SelectionMode(), smLine);
}

TEST(Mouse, DoubleClickSelectsTheWord)
{
    auto edit = MakeEdit("hello world again");
    SizeTextArea(*edit, 20, 5);
    DoubleClick(*edit, CellPoint(*edit, 8, 1));
    EXPECT_EQ(edit->SelectedText(), "world");
    EXPECT_EQ(CaretDump(*edit), "caret (12,1) sel (7,1)-(12,1)");
    // With eoNoSelection the double click selects nothing.
    auto plain = MakeEdit("hello world again");
    plain->SetOptions(plain->Options().With(eoNoSelection));
    SizeTextArea(*plain, 20, 5);
    DoubleClick(*plain, CellPoint(*plain, 8, 1));
    EXPECT_FALSE(plain->HasSelection());
    EXPECT_EQ(plain->CaretPos(), BufferCoord(8, 1));
}

TEST(Mouse, DraggingWithTheButtonHeldSelects)
{
    auto edit = MakeEdit("hello world\r\nsecond line");
    SizeTextArea(*edit, 20, 5);
    Press(*edit, CellPoint(*edit, 2, 1));
    MoveHeld(*edit, CellPoint(*edit, 4, 2));
    EXPECT_EQ(CaretDump(*edit), "caret (4,2) sel (2,1)-(4,2)");
    Release(*edit, CellPoint(*edit, 4, 2));
    EXPECT_EQ(edit->SelectedText(), "ello world\r\nsec");
}

TEST(Mouse, RightClickKeepsSelectionAndCaret)
{
    for (const bool rightMoves : {false, true}) {
        auto edit = MakeEdit("hello world");
        if (rightMoves) edit->SetOptions(edit->Options().With(eoRightMouseMovesCursor));
        SizeTextArea(*edit, 20, 5);
        edit->SetCaretAndSelection(BufferCoord(6, 1), BufferCoord(1, 1), BufferCoord(6, 1));
        QTest::mouseClick(edit->viewport(), Qt::RightButton, Qt::NoModifier, CellPoint(*edit, 9, 1));
        EXPECT_EQ(CaretDump(*edit), "caret (6,1) sel (1,1)-(6,1)") << rightMoves;
    }
    // Without a selection eoRightMouseMovesCursor lets the right button place the caret.
    auto edit = MakeEdit("hello world");
    edit->SetOptions(edit->Options().With(eoRightMouseMovesCursor));
    SizeTextArea(*edit, 20, 5);
    QTest::mouseClick(edit->viewport(), Qt::RightButton, Qt::NoModifier, CellPoint(*edit, 9, 1));
    EXPECT_EQ(CaretDump(*edit), "caret (9,1) sel (9,1)-(9,1)");
}

TEST(Mouse, PressOnSelectionCollapsesOnReleaseOrStartsADragPastTheThreshold)
{
    TDragCountingEdit edit;
    edit.SetText("hello world");
    SizeTextArea(edit, 20, 5);
    edit.SetCaretAndSelection(BufferCoord(12, 1), BufferCoord(1, 1), BufferCoord(12, 1));
    Press(edit, CellPoint(edit, 3, 1));
    EXPECT_TRUE(edit.MouseState().WaitingForDrag);
    EXPECT_EQ(edit.SelectedText(), "hello world") << "the press keeps the selection";
    Release(edit, CellPoint(edit, 4, 1));
    EXPECT_EQ(CaretDump(edit), "caret (4,1) sel (4,1)-(4,1)");
    EXPECT_EQ(edit.Drags, 0);

    edit.SetCaretAndSelection(BufferCoord(12, 1), BufferCoord(1, 1), BufferCoord(12, 1));
    const QPoint down = CellPoint(edit, 3, 1);
    Press(edit, down);
    MoveHeld(edit, down + QPoint(QApplication::startDragDistance() - 1, 0));
    EXPECT_EQ(edit.Drags, 0) << "below the threshold";
    MoveHeld(edit, down + QPoint(QApplication::startDragDistance(), 0));
    EXPECT_EQ(edit.Drags, 1);
    EXPECT_EQ(edit.SelectedText(), "hello world");

    // Without eoDragDropEditing a press on the selection is an ordinary click.
    edit.SetOptions(edit.Options().Without(eoDragDropEditing));
    edit.SetCaretAndSelection(BufferCoord(12, 1), BufferCoord(1, 1), BufferCoord(12, 1));
    Press(edit, CellPoint(edit, 3, 1));
    EXPECT_FALSE(edit.MouseState().WaitingForDrag);
    EXPECT_EQ(CaretDump(edit), "caret (3,1) sel (3,1)-(3,1)");
    Release(edit, CellPoint(edit, 3, 1));
}

TEST(Mouse, DragBelowTheTextAreaScrollsOneRowPerTickAndExtendsTheSelection)
{
    auto edit = MakeEdit(Lines(30));
    SizeTextArea(*edit, 20, 5);
    Press(*edit, CellPoint(*edit, 1, 1));
    const QPoint below(edit->ColumnToX(3), 5 * edit->RowHeight() + 2);
    MoveHeld(*edit, below);
    ASSERT_NE(edit->ScrollTimer(), nullptr);
    EXPECT_TRUE(edit->ScrollTimer()->isActive());
    EXPECT_EQ(edit->ScrollTimer()->interval(), 100);
    EXPECT_EQ(edit->MouseState().ScrollDeltaY, 1);
    EXPECT_EQ(edit->TopVisibleLine(), 1) << "the move itself does not scroll";
    for (int tick = 1; tick <= 3; ++tick) {
        edit->ScrollTimerTick();
        EXPECT_EQ(edit->TopVisibleLine(), 1 + tick);
        const std::string end = "(3," + std::to_string(tick + 5) + ")";
        EXPECT_EQ(CaretDump(*edit), "caret " + end + " sel (1,1)-" + end);
    }
    // The timer does it by itself as well.
    for (int wait = 0; wait < 60 && edit->TopVisibleLine() < 6; ++wait) QTest::qWait(50);
    EXPECT_GE(edit->TopVisibleLine(), 6);
    EXPECT_EQ(edit->SelHead().Line, edit->TopVisibleLine() + 4);
    Release(*edit, below);
    EXPECT_FALSE(edit->ScrollTimer()->isActive());
    EXPECT_EQ(edit->SelAnchor(), BufferCoord(1, 1));
}

TEST(Mouse, ShiftHeldScrollsAPagePerTickAndMovingBackStopsTheTimer)
{
    auto edit = MakeEdit(Lines(40));
    SizeTextArea(*edit, 20, 5);
    Press(*edit, CellPoint(*edit, 1, 2));
    MoveHeld(*edit, QPoint(edit->ColumnToX(1), 5 * edit->RowHeight() + 2), Qt::ShiftModifier);
    edit->ScrollTimerTick();
    EXPECT_EQ(edit->TopVisibleLine(), 6);
    EXPECT_EQ(edit->CaretPos().Line, 10);
    MoveHeld(*edit, CellPoint(*edit, 2, 8));
    EXPECT_FALSE(edit->ScrollTimer()->isActive());
    EXPECT_EQ(CaretDump(*edit), "caret (2,8) sel (1,2)-(2,8)");
    Release(*edit, CellPoint(*edit, 2, 8));
}

TEST(Mouse, ScrollDeltasGrowWithTheDistanceOutsideTheTextArea)
{
    auto edit = MakeEdit(Lines(40));
    SizeTextArea(*edit, 10, 5);
    const int cw = edit->CellWidth();
    const int rh = edit->RowHeight();
    const int left = edit->GutterPixels();
    const int right = left + 10 * cw;
    const int bottom = 5 * rh;
    struct Case {
        QPoint at;
        int dx, dy;
    };
    const Case cases[] = {
        {{left + 3, 3}, 0, 0},
        {{left - 1, 3}, -1, 0},
        {{left - cw - 1, 3}, -2, 0},
        {{right, 3}, 1, 0},
        {{right + cw, 3}, 2, 0},
        {{left + 3, -1}, 0, -1},
        {{left + 3, -rh - 1}, 0, -2},
        {{left + 3, bottom + rh}, 0, 2},
        {{right + 1, bottom + 1}, 1, 1},
    };
    Press(*edit, CellPoint(*edit, 2, 2));
    for (const Case& c : cases) {
        MoveHeld(*edit, c.at);
        EXPECT_EQ(edit->MouseState().ScrollDeltaX, c.dx) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(edit->MouseState().ScrollDeltaY, c.dy) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(edit->ScrollTimer() != nullptr && edit->ScrollTimer()->isActive(), c.dx != 0 || c.dy != 0);
    }
    Release(*edit, CellPoint(*edit, 2, 2));
}

TEST(Mouse, DragRightOfTheTextAreaScrollsColumnsAndSelectsToTheLastVisibleOne)
{
    auto edit = MakeEdit(std::string(40, 'x') + "\r\n" + std::string(40, 'y'));
    edit->SetOptions(edit->Options().Without(eoScrollPastEol));
    SizeTextArea(*edit, 10, 5);
    Press(*edit, CellPoint(*edit, 3, 1));
    MoveHeld(*edit, QPoint(edit->GutterPixels() + 10 * edit->CellWidth() + 2, edit->RowHeight() / 2));
    EXPECT_EQ(edit->CaretPos(), BufferCoord(3, 1)) << "the caret keeps its column while the timer scrolls";
    edit->ScrollTimerTick();
    edit->ScrollTimerTick();
    EXPECT_EQ(edit->LeftVisibleColumn(), 3);
    EXPECT_EQ(CaretDump(*edit), "caret (12,1) sel (3,1)-(12,1)");
    Release(*edit, CellPoint(*edit, 12, 1));
}

TEST(Mouse, WheelAccumulatesToFullStepsOf120)
{
    auto edit = MakeEdit(Lines(60));
    SizeTextArea(*edit, 20, 10);
    edit->SetTopVisibleLine(20);
    int scrolls = 0;
    edit->OnScroll = [&](TCustomZefEdit*, Qt::Orientation bar) {
        EXPECT_EQ(bar, Qt::Vertical);
        ++scrolls;
    };
    const int lines = std::min(QApplication::wheelScrollLines(), 10);
    Wheel(*edit, 60);
    EXPECT_EQ(edit->TopVisibleLine(), 20) << "half a step scrolls nothing";
    EXPECT_EQ(scrolls, 0);
    Wheel(*edit, 60);
    EXPECT_EQ(edit->TopVisibleLine(), 20 - lines) << "away from the user shows earlier lines";
    EXPECT_EQ(scrolls, 1);
    Wheel(*edit, -300); // two steps, 60 left over
    EXPECT_EQ(edit->TopVisibleLine(), 20 + lines);
    Wheel(*edit, -60);
    EXPECT_EQ(edit->TopVisibleLine(), 20 + 2 * lines);
    // Ctrl scrolls a page per step, half a page with eoHalfPageScroll.
    Wheel(*edit, 120, Qt::ControlModifier);
    EXPECT_EQ(edit->TopVisibleLine(), 20 + 2 * lines - 10);
    edit->SetOptions(edit->Options().With(eoHalfPageScroll));
    Wheel(*edit, 120, Qt::ControlModifier);
    EXPECT_EQ(edit->TopVisibleLine(), 20 + 2 * lines - 15);
}

TEST(Mouse, GutterClickReportsLineAndMarkUnderThePointer)
{
    auto edit = MakeEdit("one\r\ntwo\r\nthree");
    SizeTextArea(*edit, 20, 6);
    edit->SetBookmark(4, 1, 2);
    edit->SetBookmark(7, 1, 2);
    struct Click {
        TZefMouseButton button;
        int line;
        TZefEditMark* mark;
    };
    std::vector<Click> clicks;
    edit->OnGutterClick = [&](TCustomZefEdit*, TZefMouseButton button, int, int, int line, TZefEditMark* mark) {
        clicks.push_back({button, line, mark});
    };
    ASSERT_GT(edit->GutterPixels(), 26);
    const int middle = edit->RowHeight() + edit->RowHeight() / 2;
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, middle));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(15, middle));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(26, middle));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, edit->RowHeight() / 2));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 4 * edit->RowHeight() + 2));
    ASSERT_EQ(clicks.size(), 4u) << "nothing below the last line";
    EXPECT_EQ(clicks[0].line, 2);
    ASSERT_NE(clicks[0].mark, nullptr);
    EXPECT_EQ(clicks[0].mark->BookmarkIndex(), 4);
    ASSERT_NE(clicks[1].mark, nullptr);
    EXPECT_EQ(clicks[1].mark->BookmarkIndex(), 7);
    EXPECT_EQ(clicks[2].mark, nullptr) << "right of the last mark";
    EXPECT_EQ(clicks[3].line, 1);
    EXPECT_EQ(clicks[3].mark, nullptr);
    // A right press in the gutter raises the click at once, not again on release.
    QTest::mouseClick(edit->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(5, middle));
    ASSERT_EQ(clicks.size(), 5u);
    EXPECT_EQ(clicks[4].button, mbRight);
}

TEST(Mouse, PointerShapeOverSelectionGutterAndText)
{
    auto edit = MakeEdit("hello world");
    SizeTextArea(*edit, 20, 5);
    edit->SetCaretAndSelection(BufferCoord(6, 1), BufferCoord(1, 1), BufferCoord(6, 1));
    QTest::mouseMove(edit->viewport(), CellPoint(*edit, 2, 1));
    EXPECT_EQ(edit->viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(edit->viewport(), CellPoint(*edit, 9, 1));
    EXPECT_EQ(edit->viewport()->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(edit->viewport(), QPoint(3, 3));
    EXPECT_EQ(edit->viewport()->cursor().shape(), Qt::ArrowCursor);
    edit->OnMouseCursor = [](TCustomZefEdit*, const TBufferCoord& at, Qt::CursorShape& shape) {
        if (at.Char == 9) shape = Qt::PointingHandCursor;
    };
    QTest::mouseMove(edit->viewport(), CellPoint(*edit, 9, 1));
    EXPECT_EQ(edit->viewport()->cursor().shape(), Qt::PointingHandCursor);
}
