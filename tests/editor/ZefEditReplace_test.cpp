// The replacement primitive in its three modes, SetSelectedText's undo records, mark shifting and text access.
#include "ZefEditTestSupport.h"

#include "ZefEditMarks.h"
#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

struct ReplaceCase {
    const char* name;
    std::string text;
    TZefSelectionMode selectionMode;
    TBufferCoord anchor;
    TBufferCoord head;
    TZefSelectionMode pasteMode;
    std::string insert;
    const char* lines;
    const char* caret;
};

void CheckReplace(const ReplaceCase& c, TZefEditorOptions options = ZefDefaultOptions)
{
    auto edit = MakeEdit(c.text);
    edit->SetOptions(options);
    edit->SetSelectionMode(c.selectionMode);
    edit->SetCaretAndSelection(c.head, c.anchor, c.head);
    edit->ReplaceSelection(c.pasteMode, c.insert, false);
    EXPECT_EQ(LinesDump(*edit), c.lines) << c.name;
    EXPECT_EQ(CaretDump(*edit), c.caret) << c.name;
}

int AddMark(TCustomZefEdit& edit, int line)
{
    auto mark = std::make_unique<TZefEditMark>(&edit);
    mark->SetMarkLine(line);
    edit.Marks()->AddMark(std::move(mark));
    return edit.Marks()->Count() - 1;
}

std::string MarkLines(const TCustomZefEdit& edit)
{
    std::string result;
    for (int i = 0; i < edit.Marks()->Count(); ++i) result += std::to_string(edit.Marks()->Item(i)->MarkLine()) + " ";
    return result;
}

} // namespace

TEST(ZefEditReplace, NormalModeDeletesAndInserts)
{
    const ReplaceCase cases[] = {
        {"multi-line selection by one character", "abc\r\ndef\r\nghi", smNormal, {2, 1}, {3, 3}, smNormal, "X", "aXi",
         "caret (3,1) sel (3,1)-(3,1)"},
        {"selection made backwards", "abc\r\ndef\r\nghi", smNormal, {3, 3}, {2, 1}, smNormal, "X", "aXi",
         "caret (3,1) sel (3,1)-(3,1)"},
        {"pure deletion", "abc\r\ndef", smNormal, {2, 1}, {2, 2}, smNormal, "", "aef", "caret (2,1) sel (2,1)-(2,1)"},
        {"several lines at a caret", "abcdef", smNormal, {3, 1}, {3, 1}, smNormal, "12\r\n34\n56", "ab12|34|56cdef",
         "caret (3,3) sel (3,3)-(3,3)"},
        {"CR, LF and CR LF each break", "", smNormal, {1, 1}, {1, 1}, smNormal, "x\ry\r\nz\n", "x|y|z|",
         "caret (1,4) sel (1,4)-(1,4)"},
        {"caret in virtual space pads", "ab", smNormal, {5, 1}, {5, 1}, smNormal, "x", "ab  x",
         "caret (6,1) sel (6,1)-(6,1)"},
        {"trimmed blanks still move the caret", "ab", smNormal, {3, 1}, {3, 1}, smNormal, "  ", "ab",
         "caret (5,1) sel (3,1)-(3,1)"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);

    auto edit = MakeEdit("ab");
    edit->SetCaretPos(BufferCoord(2, 1));
    edit->ReplaceSelection(smNormal, "\0\0"s, false);
    EXPECT_EQ(edit->Lines()->GetLine(0), "a\0\0b"s);
}

TEST(ZefEditReplace, JoinedLineIsTrimmedOnlyWithVirtualSpaceAndTrimming)
{
    const ReplaceCase joined = {"join leaves blanks", "ab\r\ncd  ", smNormal, {1, 1}, {3, 2}, smNormal, "", "",
                                "caret (1,1) sel (1,1)-(1,1)"};
    CheckReplace(joined);
    ReplaceCase kept = joined;
    kept.lines = "  ";
    CheckReplace(kept, ZefDefaultOptions.Without(eoScrollPastEol));
    CheckReplace(kept, ZefDefaultOptions.Without(eoTrimTrailingSpaces));
}

TEST(ZefEditReplace, LineModeDeletesWholeLinesAndPastesAbove)
{
    const ReplaceCase cases[] = {
        {"inner lines removed", "1\r\n2\r\n3\r\n4", smLine, {1, 2}, {1, 3}, smNormal, "", "1|4",
         "caret (1,2) sel (1,2)-(1,2)"},
        {"last line emptied, not removed", "1\r\n2\r\n3\r\n4", smLine, {2, 3}, {1, 4}, smNormal, "", "1|2|",
         "caret (1,3) sel (1,3)-(1,3)"},
        {"block pasted above the caret line", "ab\r\ncd", smNormal, {2, 2}, {2, 2}, smLine, "x\r\ny\r\n", "ab|x|y|cd",
         "caret (1,4) sel (1,4)-(1,4)"},
        {"last piece joins the caret line", "ab\r\ncd", smNormal, {2, 2}, {2, 2}, smLine, "x\r\ny", "ab|x|ycd",
         "caret (2,3) sel (2,3)-(2,3)"},
        {"into an empty document", "", smNormal, {1, 1}, {1, 1}, smLine, "x\r\ny", "x|y", "caret (2,2) sel (2,2)-(2,2)"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ZefEditReplace, ColumnModeDeletesBlockAndInsertsPieces)
{
    const ReplaceCase cases[] = {
        {"block removed from every line", "abcde\r\nab\r\nabcde", smColumn, {2, 1}, {4, 3}, smNormal, "", "ade|a|ade",
         "caret (2,3) sel (2,3)-(2,3)"},
        {"pieces padded and appended", "abcd\r\nab", smNormal, {4, 1}, {4, 1}, smColumn, "12\r\n34\r\n56",
         "abc12d|ab 34|   56", "caret (6,1) sel (6,1)-(6,1)"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ZefEditReplace, ColumnInsertionRecordsEachPieceAndAddedLine)
{
    auto edit = MakeEdit("abcd\r\nab");
    edit->SetCaretPos(BufferCoord(3, 1));
    edit->UndoList()->ClearRecords();
    edit->ReplaceSelection(smColumn, "12\r\n34\r\n56", true);
    EXPECT_EQ(LinesDump(*edit), "ab12cd|ab34|  56");
    std::string kinds;
    for (int i = 0; i < edit->UndoList()->Count(); ++i) {
        const TZefEditUndoItem& item = edit->UndoList()->Item(i);
        kinds += UndoKindName(item.Kind) + Pos(item.Start) + Pos(item.End) + " ";
    }
    EXPECT_EQ(kinds, "ucPaste(3,1)(5,1) ucPaste(3,2)(5,2) ucBreakLine(5,2)(5,2) ucPaste(3,3)(5,3) ");
}

namespace {

// The kinds of the undo list's records, oldest first, each once in a row; "mixed" when change numbers differ.
std::string RecordKinds(const TCustomZefEdit& edit)
{
    std::string kinds;
    for (int i = 0; i < edit.UndoList()->Count(); ++i) {
        const TZefEditUndoItem& item = edit.UndoList()->Item(i);
        if (item.ChangeNumber != edit.UndoList()->Item(0).ChangeNumber) return "mixed";
        if (item.Kind == ucSelectionMark) continue;
        kinds += UndoKindName(item.Kind) + " ";
    }
    return kinds;
}

} // namespace

TEST(ZefEditReplace, SetSelectedTextRecordsOneUndoGroup)
{
    auto edit = MakeEdit("abc\r\ndef");
    int changes = 0;
    edit->OnChange = [&](TCustomZefEdit*) { ++changes; };
    edit->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(2, 2), BufferCoord(2, 1));
    edit->SetSelectedText("X\r\nY");
    EXPECT_EQ(LinesDump(*edit), "aX|Yef");
    EXPECT_EQ(CaretDump(*edit), "caret (2,2) sel (2,2)-(2,2)");
    EXPECT_EQ(RecordKinds(*edit), "ucDeleteBlock ucInsert ") << "the deletion and the insertion, one change";
    EXPECT_EQ(changes, 1) << "OnChange once, when the group closes";
    EXPECT_TRUE(edit->Modified());

    // Column mode records the insertion the same way, not as the primitive's per-line pieces.
    edit->SetSelectionMode(smColumn);
    edit->UndoList()->ClearRecords();
    edit->SetCaretAndSelection(BufferCoord(1, 1), BufferCoord(1, 1), BufferCoord(1, 1));
    edit->SetSelectedText("Q\r\nR");
    EXPECT_EQ(LinesDump(*edit), "QaX|RYef");
    EXPECT_EQ(RecordKinds(*edit), "ucInsert ");
    EXPECT_EQ(CaretDump(*edit), "caret (2,1) sel (2,1)-(2,1)");
}

TEST(ZefEditReplace, SetSelectedTextWorksOnAReadOnlyControl)
{
    auto edit = MakeEdit("abc");
    edit->SetReadOnly(true);
    edit->SetCaretAndSelection(BufferCoord(4, 1), BufferCoord(2, 1), BufferCoord(4, 1));
    edit->SetSelectedText("xy ");
    EXPECT_EQ(LinesDump(*edit), "axy") << "the blank is trimmed when the line is stored";
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(RecordKinds(*edit), "ucDeleteBlock ucInsert ");

    edit->SetReadOnly(false);
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "abc");
    EXPECT_EQ(CaretDump(*edit), "caret (4,1) sel (2,1)-(4,1)");
}

TEST(ZefEditReplace, MarksFollowRemovedAndInsertedLines)
{
    auto edit = MakeEdit("1\r\n2\r\n3\r\n4\r\n5\r\n6");
    AddMark(*edit, 2);
    AddMark(*edit, 4);
    AddMark(*edit, 6);
    edit->SetCaretAndSelection(BufferCoord(2, 4), BufferCoord(2, 2), BufferCoord(2, 4));
    edit->SetSelectedText("");
    EXPECT_EQ(LinesDump(*edit), "1|2|5|6");
    EXPECT_EQ(MarkLines(*edit), "2 2 4 ") << "the last removed line's mark lands on the joined line";

    edit->SetCaretPos(BufferCoord(2, 2));
    edit->SetSelectedText("a\r\nb");
    EXPECT_EQ(LinesDump(*edit), "1|2a|b|5|6");
    EXPECT_EQ(MarkLines(*edit), "2 2 5 ") << "inserted after the caret line, which keeps its marks";

    edit->SetCaretPos(BufferCoord(1, 2));
    edit->SetSelectedText("z\r\n");
    EXPECT_EQ(LinesDump(*edit), "1|z|2a|b|5|6");
    EXPECT_EQ(MarkLines(*edit), "3 3 6 ") << "at index 1 the caret line's marks move down with its text";
}

TEST(ZefEditReplace, SetLineTrimmedAndIndentation)
{
    auto edit = MakeEdit("x");
    edit->SetLineTrimmed(0, "ab \t ");
    EXPECT_EQ(edit->Lines()->GetLine(0), "ab");
    edit->SetOptions(ZefDefaultOptions.Without(eoTrimTrailingSpaces));
    edit->SetLineTrimmed(0, "ab \t ");
    EXPECT_EQ(edit->Lines()->GetLine(0), "ab \t ");

    struct WidthCase {
        const char* text;
        bool autoIndent;
        bool expand;
        int expected;
    };
    const WidthCase widths[] = {
        {"  \tx", true, true, 10}, {"  \tx", true, false, 3}, {"  \tx", false, true, 0}, {"x  ", true, true, 0},
        {"   ", true, true, 3},
    };
    for (const WidthCase& c : widths) {
        edit->SetOptions(c.autoIndent ? ZefDefaultOptions : ZefDefaultOptions.Without(eoAutoIndent));
        EXPECT_EQ(edit->LeadingWhitespaceWidth(c.text, c.expand), c.expected) << c.text << " " << c.expand;
    }

    struct IndentCase {
        int width;
        bool tabsAllowed;
        bool tabsToSpaces;
        const char* expected;
    };
    const IndentCase indents[] = {
        {10, true, false, "\t  "}, {10, false, false, "          "}, {10, true, true, "          "},
        {5, true, false, "     "}, {16, true, false, "\t\t"},
    };
    for (const IndentCase& c : indents) {
        edit->SetOptions(c.tabsToSpaces ? ZefDefaultOptions : ZefDefaultOptions.Without(eoTabsToSpaces));
        EXPECT_EQ(edit->MakeIndent(c.width, c.tabsAllowed), c.expected) << c.width << " " << c.tabsAllowed;
    }
}

TEST(ZefEditReplace, WholeTextCurrentLineAndClearing)
{
    auto edit = MakeEdit("one\ntwo\r\n");
    EXPECT_EQ(edit->Text(), "one\r\ntwo") << "no break after the last line";
    edit->SetCaretPos(BufferCoord(1, 2));
    EXPECT_EQ(edit->CurrentLineText(), "two");
    edit->SetCurrentLineText("TWO");
    EXPECT_EQ(LinesDump(*edit), "one|TWO");

    edit->SelectEverything();
    EXPECT_EQ(CaretDump(*edit), "caret (4,2) sel (1,1)-(4,2)");
    EXPECT_EQ(edit->SelectedText(), "one\r\nTWO");

    AddMark(*edit, 2);
    edit->SetSelectedText("new");
    ASSERT_TRUE(edit->Modified());
    edit->ClearDocument();
    EXPECT_EQ(edit->Lines()->Count(), 0);
    EXPECT_EQ(edit->Marks()->Count(), 0);
    EXPECT_FALSE(edit->UndoList()->CanUndo());
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(CaretDump(*edit), "caret (1,1) sel (1,1)-(1,1)");
    EXPECT_EQ(edit->CurrentLineText(), "");
    edit->SetCurrentLineText("ignored");
    EXPECT_EQ(edit->Lines()->Count(), 0) << "no caret line, nothing stored";
}
