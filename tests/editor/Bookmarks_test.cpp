// Bookmarks 0..9 on the control: setting, clearing, going to them, the marker commands' toggle and move, the
// events, and bookmarks following inserted and deleted lines.
#include "ZefEditTestSupport.h"

#include "ZefEditMarks.h"
#include "ZefEditUndoList.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// "n@(x,y)" for every bookmark set, in number order.
std::string BookmarksDump(const TCustomZefEdit& edit)
{
    std::string result;
    for (int n = 0; n < 10; ++n) {
        int x = 0;
        int y = 0;
        if (!edit.GetBookmark(n, x, y)) continue;
        if (!result.empty()) result += ' ';
        result += std::to_string(n) + "@" + Pos(BufferCoord(x, y));
    }
    return result;
}

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

} // namespace

TEST(Bookmarks, SetMakesAShownBookmarkMarkAndIgnoresBadNumbersAndLines)
{
    auto edit = MakeEdit("a\r\nb\r\nc");
    edit->SetBookmark(3, 2, 2);
    edit->SetBookmark(10, 1, 1);
    edit->SetBookmark(-1, 1, 1);
    edit->SetBookmark(4, 1, 4);
    edit->SetBookmark(5, 1, 0);
    EXPECT_EQ(BookmarksDump(*edit), "3@(2,2)");
    ASSERT_EQ(edit->Marks()->Count(), 1);
    const TZefEditMark& mark = *edit->Marks()->Item(0);
    EXPECT_EQ(mark.BookmarkIndex(), 3);
    EXPECT_EQ(mark.GlyphIndex(), 3);
    EXPECT_TRUE(mark.Shown());
    EXPECT_TRUE(mark.UsesDefaultGlyphs());
    // Setting an existing number replaces it; an empty document still takes line 1.
    edit->SetBookmark(3, 1, 3);
    EXPECT_EQ(BookmarksDump(*edit), "3@(1,3)");
    EXPECT_EQ(edit->Marks()->Count(), 1);
    auto empty = MakeEdit();
    empty->SetBookmark(0, 1, 1);
    EXPECT_EQ(BookmarksDump(*empty), "0@(1,1)");
}

TEST(Bookmarks, SetMarkerCommandTogglesOnTheSameLineAndMovesFromAnother)
{
    auto edit = MakeEdit("first\r\nsecond\r\nthird");
    edit->SetCaretPos(BufferCoord(3, 1));
    edit->DispatchCommand(ecSetMarker3, 0, nullptr);
    EXPECT_EQ(BookmarksDump(*edit), "3@(3,1)");
    edit->SetCaretPos(BufferCoord(5, 1));
    edit->DispatchCommand(ecSetMarker3, 0, nullptr);
    EXPECT_EQ(BookmarksDump(*edit), "") << "same line: toggled off";
    edit->DispatchCommand(ecSetMarker3, 0, nullptr);
    TBufferCoord elsewhere = BufferCoord(2, 3);
    edit->DispatchCommand(ecSetMarker3, 0, &elsewhere);
    EXPECT_EQ(BookmarksDump(*edit), "3@(2,3)") << "another line: moved";
    EXPECT_EQ(edit->Marks()->Count(), 1);
    // Ctrl+Shift+digit reaches the same command.
    QTest::keyClick(edit.get(), Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BookmarksDump(*edit), "3@(2,3) 7@(5,1)");

    TZefBookmarkOptions options = edit->BookMarkOptions();
    options.EnableKeys = false;
    edit->SetBookMarkOptions(options);
    edit->DispatchCommand(ecSetMarker1, 0, nullptr);
    edit->DispatchCommand(ecGotoMarker3, 0, nullptr);
    EXPECT_EQ(BookmarksDump(*edit), "3@(2,3) 7@(5,1)");
    EXPECT_EQ(edit->CaretPos(), BufferCoord(5, 1));
}

TEST(Bookmarks, GotoMovesTheCaretCollapsesTheSelectionAndCentresTheView)
{
    auto edit = MakeEdit(Lines(100));
    SizeTextArea(*edit, 20, 10);
    edit->SetBookmark(2, 4, 60);
    edit->SetCaretAndSelection(BufferCoord(3, 1), BufferCoord(1, 1), BufferCoord(3, 1));
    edit->DispatchCommand(ecGotoMarker2, 0, nullptr);
    EXPECT_EQ(CaretDump(*edit), "caret (4,60) sel (4,60)-(4,60)");
    EXPECT_EQ(edit->TopVisibleLine(), 56) << "the bookmark's line in the middle of the view";
    // A bookmark whose line went away, or a number never set, goes nowhere.
    edit->SetBookmark(5, 1, 100);
    edit->DispatchCommand(ecGotoMarker4, 0, nullptr);
    EXPECT_EQ(edit->CaretPos(), BufferCoord(4, 60));
}

TEST(Bookmarks, EventsMayCancelPlacingAndSeeClearing)
{
    auto edit = MakeEdit("a\r\nb");
    std::vector<int> cleared;
    edit->OnClearBookmark = [&](TCustomZefEdit*, TZefEditMark* mark) { cleared.push_back(mark->BookmarkIndex()); };
    edit->Marks()->OnPlaceBookmark = [](TZefEditMarkList*, std::unique_ptr<TZefEditMark>& mark) {
        if (mark->MarkLine() == 2) mark.reset();
    };
    edit->SetBookmark(1, 1, 1);
    edit->SetBookmark(1, 1, 2);
    EXPECT_EQ(BookmarksDump(*edit), "1@(1,1)") << "a cancelled placement keeps the old bookmark";
    EXPECT_TRUE(cleared.empty());
    edit->ClearBookmark(1);
    edit->ClearBookmark(1);
    EXPECT_EQ(cleared, std::vector<int>{1});
    EXPECT_EQ(edit->Marks()->Count(), 0);
}

TEST(Bookmarks, FollowInsertedAndDeletedLinesAndGoWithTheDocument)
{
    auto edit = MakeEdit("one\r\ntwo\r\nthree\r\nfour");
    edit->SetBookmark(0, 2, 3);
    edit->SetBookmark(1, 1, 1);
    edit->SetCaretPos(BufferCoord(1, 2));
    edit->DispatchCommand(ecLineBreak, 0, nullptr);
    edit->DispatchCommand(ecLineBreak, 0, nullptr);
    EXPECT_EQ(BookmarksDump(*edit), "0@(2,5) 1@(1,1)");
    edit->SetCaretPos(BufferCoord(1, 2));
    edit->DispatchCommand(ecDeleteLine, 0, nullptr);
    EXPECT_EQ(BookmarksDump(*edit), "0@(2,4) 1@(1,1)");
    edit->Undo();
    edit->Undo();
    EXPECT_EQ(BookmarksDump(*edit), "0@(2,3) 1@(1,1)");
    // Pasting lines above moves it too.
    edit->SetCaretPos(BufferCoord(1, 1));
    edit->SetSelectionMode(smNormal);
    edit->ReplaceSelectionRecorded(ucPaste, smNormal, "x\r\ny\r\n");
    EXPECT_EQ(BookmarksDump(*edit), "0@(2,5) 1@(1,3)");
    edit->ClearDocument();
    EXPECT_EQ(BookmarksDump(*edit), "");
    edit->DispatchCommand(ecGotoMarker0, 0, nullptr);
    EXPECT_EQ(edit->CaretPos(), BufferCoord(1, 1));
}
