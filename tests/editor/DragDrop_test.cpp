// Dropping dragged text within one control and between two (move, copy, onto itself, one undo step each) and
// files dropped from the desktop. The drop side is driven directly, as QDrag's loop cannot run headless.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QPoint CellPoint(const TCustomZefEdit& edit, int column, int line)
{
    return QPoint(edit.ColumnToX(column) + 1, (line - edit.TopVisibleLine()) * edit.RowHeight() + edit.RowHeight() / 2);
}

Qt::DropAction Drop(TCustomZefEdit& target, TCustomZefEdit& source, int column, int line,
                    Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    std::unique_ptr<QMimeData> data(source.MakeDragData());
    return target.DropData(data.get(), &source, CellPoint(target, column, line), mods);
}

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// Plays a scripted drag where QDrag's nested loop would run.
class TScriptedDragEdit : public TZefEdit {
public:
    std::function<void(TScriptedDragEdit&)> Script;

protected:
    void StartTextDrag() override
    {
        if (Script) Script(*this);
    }
};

} // namespace

TEST(DragDrop, DropWithinOneControl)
{
    struct Case {
        const char* name;
        const char* text;
        TBufferCoord anchor, head; // the dragged selection
        int column, line;          // the drop cell
        Qt::KeyboardModifiers mods;
        Qt::DropAction action;
        const char* lines;
        const char* caret; // the dropped text selected, caret at its start
    };
    const Case cases[] = {
        {"move before", "one two three", {5, 1}, {9, 1}, 1, 1, Qt::NoModifier, Qt::MoveAction, "two one three",
         "caret (1,1) sel (5,1)-(1,1)"},
        {"move after on the same line", "one two three", {1, 1}, {5, 1}, 9, 1, Qt::NoModifier, Qt::MoveAction,
         "two one three", "caret (5,1) sel (9,1)-(5,1)"},
        {"move a multi-line selection down onto its last line", "ab\r\ncdXY", {2, 1}, {3, 2}, 4, 2, Qt::NoModifier,
         Qt::MoveAction, "aXb\r\ncdY", "caret (3,1) sel (3,2)-(3,1)"},
        {"move below the selection", "ab\r\ncd\r\nef", {1, 1}, {3, 1}, 2, 3, Qt::NoModifier, Qt::MoveAction,
         "\r\ncd\r\neabf", "caret (2,3) sel (4,3)-(2,3)"},
        {"copy with Ctrl", "one two", {1, 1}, {4, 1}, 8, 1, Qt::ControlModifier, Qt::CopyAction, "one twoone",
         "caret (8,1) sel (11,1)-(8,1)"},
        {"copy exactly at the selection end", "one two", {1, 1}, {4, 1}, 4, 1, Qt::ControlModifier,
         Qt::CopyAction, "oneone two", "caret (4,1) sel (7,1)-(4,1)"},
        {"move onto itself", "one two three", {5, 1}, {9, 1}, 6, 1, Qt::NoModifier, Qt::IgnoreAction,
         "one two three", nullptr},
        {"move at the selection end", "one two three", {5, 1}, {9, 1}, 9, 1, Qt::NoModifier, Qt::IgnoreAction,
         "one two three", nullptr},
        {"copy inside", "one two three", {5, 1}, {9, 1}, 7, 1, Qt::ControlModifier, Qt::IgnoreAction,
         "one two three", nullptr},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit(c.text);
        SizeTextArea(*edit, 30, 6);
        edit->SetCaretAndSelection(c.head, c.anchor, c.head);
        EXPECT_EQ(Drop(*edit, *edit, c.column, c.line, c.mods), c.action) << c.name;
        EXPECT_EQ(edit->Text(), c.lines) << c.name;
        if (c.caret == nullptr) {
            EXPECT_FALSE(edit->CanUndo()) << c.name;
            continue;
        }
        EXPECT_EQ(CaretDump(*edit), c.caret) << c.name;
        edit->Undo();
        EXPECT_EQ(edit->Text(), c.text) << c.name << ": one undo step";
        EXPECT_FALSE(edit->CanUndo()) << c.name;
        edit->Redo();
        EXPECT_EQ(edit->Text(), c.lines) << c.name;
    }
}

TEST(DragDrop, BetweenControlsCopiesAndMovesWithShift)
{
    auto source = MakeEdit("alpha beta");
    auto target = MakeEdit("12345");
    SizeTextArea(*source, 30, 6);
    SizeTextArea(*target, 30, 6);
    source->SetCaretAndSelection(BufferCoord(6, 1), BufferCoord(1, 1), BufferCoord(6, 1));
    EXPECT_TRUE(target->CanAcceptDrag(nullptr, source.get()));
    EXPECT_EQ(Drop(*target, *source, 3, 1), Qt::CopyAction);
    EXPECT_EQ(LinesDump(*target), "12alpha345");
    EXPECT_EQ(CaretDump(*target), "caret (3,1) sel (8,1)-(3,1)");
    EXPECT_EQ(LinesDump(*source), "alpha beta");

    EXPECT_EQ(Drop(*target, *source, 1, 1, Qt::ShiftModifier), Qt::MoveAction);
    EXPECT_EQ(LinesDump(*target), "alpha12alpha345");
    EXPECT_EQ(LinesDump(*source), " beta");
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "12alpha345");
    source->Undo();
    EXPECT_EQ(LinesDump(*source), "alpha beta") << "the source records its own deletion";
    target->Undo();
    EXPECT_EQ(LinesDump(*target), "12345");

    // Beyond the end of a line the text lands where it was dropped, padded with blanks.
    auto shortLine = MakeEdit("12");
    SizeTextArea(*shortLine, 30, 6);
    EXPECT_EQ(Drop(*shortLine, *source, 5, 1), Qt::CopyAction);
    EXPECT_EQ(LinesDump(*shortLine), "12  alpha");
    shortLine->Undo();
    EXPECT_EQ(LinesDump(*shortLine), "12");
}

TEST(DragDrop, ReadOnlyTargetAndSourcesThatAreNoEditorAreRefused)
{
    auto source = MakeEdit("alpha");
    auto target = MakeEdit("12345");
    SizeTextArea(*target, 30, 6);
    source->SelectEverything();
    QObject stranger;
    QMimeData text;
    text.setText("x");
    EXPECT_FALSE(target->CanAcceptDrag(&text, &stranger));
    EXPECT_EQ(target->DropData(&text, &stranger, CellPoint(*target, 1, 1), Qt::NoModifier), Qt::IgnoreAction);
    target->SetReadOnly(true);
    EXPECT_FALSE(target->CanAcceptDrag(&text, source.get()));
    EXPECT_EQ(Drop(*target, *source, 1, 1), Qt::IgnoreAction);
    EXPECT_EQ(LinesDump(*target), "12345");
}

TEST(DragDrop, FilesFromTheDesktopReachOnDropFilesOnlyWithTheOption)
{
    auto edit = MakeEdit("text");
    SizeTextArea(*edit, 30, 6);
    std::vector<std::string> received;
    QPoint at;
    edit->OnDropFiles = [&](TCustomZefEdit*, int x, int y, const std::vector<std::string>& files) {
        received = files;
        at = QPoint(x, y);
    };
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/one.txt"), QUrl("https://example.org/x"),
                   QUrl::fromLocalFile(QString::fromUtf8("/tmp/caf\xC3\xA9.txt"))});
    EXPECT_FALSE(edit->CanAcceptDrag(&files, nullptr));
    EXPECT_EQ(edit->DropData(&files, nullptr, QPoint(40, 7), Qt::NoModifier), Qt::IgnoreAction);
    EXPECT_TRUE(received.empty());

    edit->SetOptions(edit->Options().With(eoDropFiles));
    EXPECT_TRUE(edit->CanAcceptDrag(&files, nullptr));
    EXPECT_EQ(edit->DropData(&files, nullptr, QPoint(40, 7), Qt::NoModifier), Qt::CopyAction);
    EXPECT_EQ(received, (std::vector<std::string>{"/tmp/one.txt", "/tmp/caf\xE9.txt"}));
    EXPECT_EQ(at, QPoint(40, 7));
    EXPECT_EQ(LinesDump(*edit), "text");
}

TEST(DragDrop, TheCaretFollowsADragOverItsSourceWhichAutoScrollsAndGoesBackWhenTheDragLeaves)
{
    TScriptedDragEdit edit;
    edit.SetText(Lines(30));
    SizeTextArea(edit, 20, 5);
    edit.SetCaretAndSelection(BufferCoord(5, 1), BufferCoord(1, 1), BufferCoord(5, 1));
    int played = 0;
    edit.Script = [&](TScriptedDragEdit& e) {
        ++played;
        EXPECT_TRUE(e.MouseState().Dragging);
        std::unique_ptr<QMimeData> data(e.MakeDragData());
        EXPECT_EQ(e.DragOver(data.get(), &e, CellPoint(e, 3, 3), Qt::NoModifier), Qt::MoveAction);
        EXPECT_EQ(CaretDump(e), "caret (3,3) sel (1,1)-(5,1)") << "the selection stays while dragging";
        EXPECT_EQ(e.DragOver(data.get(), &e, CellPoint(e, 3, 3), Qt::ControlModifier), Qt::CopyAction);
        // Below the text area: the caret stays on the last visible row and ScrollTimer takes over.
        EXPECT_EQ(e.DragOver(data.get(), &e, QPoint(e.ColumnToX(2), 5 * e.RowHeight() + 3), Qt::NoModifier),
                  Qt::MoveAction);
        EXPECT_EQ(e.CaretPos(), BufferCoord(2, 5));
        ASSERT_NE(e.ScrollTimer(), nullptr);
        EXPECT_TRUE(e.ScrollTimer()->isActive());
        e.ScrollTimerTick();
        EXPECT_EQ(e.TopVisibleLine(), 2);
        EXPECT_EQ(CaretDump(e), "caret (2,6) sel (1,1)-(5,1)");
        e.DragLeft();
        EXPECT_FALSE(e.ScrollTimer()->isActive());
        EXPECT_EQ(e.CaretPos(), BufferCoord(3, 1)) << "back where the drag began";
    };
    const QPoint down = CellPoint(edit, 3, 1);
    QTest::mousePress(edit.viewport(), Qt::LeftButton, Qt::NoModifier, down);
    const QPoint past = down + QPoint(QApplication::startDragDistance(), 0);
    QMouseEvent move(QEvent::MouseMove, past, edit.viewport()->mapToGlobal(past), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(edit.viewport(), &move);
    EXPECT_EQ(played, 1);
    EXPECT_FALSE(edit.MouseState().Dragging);
    EXPECT_EQ(edit.SelectedText(), "line");
}

TEST(DragDrop, AFileDropEventFromTheDesktopReachesOnDropFiles)
{
    // Delivery of a synthetic drop needs a running drag; the handler is called as the platform would.
    struct TDropEdit : TZefEdit {
        using TCustomZefEdit::dropEvent;
    } edit;
    edit.SetText("text");
    edit.SetOptions(edit.Options().With(eoDropFiles));
    SizeTextArea(edit, 30, 6);
    std::vector<std::string> received;
    edit.OnDropFiles = [&](TCustomZefEdit*, int, int, const std::vector<std::string>& files) { received = files; };
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/dropped.txt")});
    QDropEvent drop(QPointF(50, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    edit.dropEvent(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(received, std::vector<std::string>{"/tmp/dropped.txt"});
}
