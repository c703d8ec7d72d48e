// Caret placement, selection in its three modes, caret movements, view commands and EnsureCaretVisible.
#include "ZefEditTestSupport.h"

#include "ZefEditKeyCmds.h"

#include <gtest/gtest.h>

namespace {

TZefEditorOptions Without(TZefEditorOption option) { return ZefDefaultOptions.Without(option); }

void Dispatch(TCustomZefEdit& edit, TZefEditorCommand command, void* data = nullptr)
{
    edit.DispatchCommand(command, 0, data);
}

} // namespace

TEST(ZefEditCaret, PlaceCaretClampsLineAndIndexByOptions)
{
    struct Case {
        const char* name;
        TZefEditorOptions options;
        int maxLineWidth;
        TBufferCoord target;
        TBufferCoord expected;
    };
    const TZefEditorOptions autoSize = ZefDefaultOptions.With(eoAutoSizeMaxLineWidth);
    const Case cases[] = {
        {"virtual space allowed", ZefDefaultOptions, 1024, {10, 1}, {10, 1}},
        {"below 1 becomes 1", ZefDefaultOptions, 1024, {0, -3}, {1, 1}},
        {"beyond the last line", ZefDefaultOptions, 1024, {5, 9}, {5, 2}},
        {"limited to MaxLineWidth + 1", ZefDefaultOptions, 1024, {2000, 1}, {1025, 1}},
        {"small MaxLineWidth", ZefDefaultOptions, 5, {9, 1}, {6, 1}},
        {"auto-size lifts the limit", autoSize, 5, {2000, 1}, {2000, 1}},
        {"no virtual space: line end", Without(eoScrollPastEol), 1024, {10, 1}, {4, 1}},
        {"no virtual space, short line", Without(eoScrollPastEol), 1024, {10, 2}, {3, 2}},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit("abc\r\nde");
        edit->SetOptions(c.options);
        edit->SetMaxLineWidth(c.maxLineWidth);
        edit->PlaceCaret(c.target, false);
        EXPECT_EQ(Pos(edit->CaretPos()), Pos(c.expected)) << c.name;
    }

    auto empty = MakeEdit();
    empty->MoveCaret(BufferCoord(5, 5));
    EXPECT_EQ(Pos(empty->CaretPos()), "(1,1)") << "an empty document keeps the caret at (1, 1)";
}

TEST(ZefEditCaret, PlaceCaretKeepsSelectionAndSetsDesiredColumnFromTabs)
{
    auto edit = MakeEdit("a\tb\r\nxyz");
    edit->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(1, 2), BufferCoord(3, 2));
    edit->PlaceCaret(BufferCoord(3, 1), false);
    EXPECT_EQ(CaretDump(*edit), "caret (3,1) sel (1,2)-(3,2)");
    EXPECT_EQ(edit->DesiredColumn(), 9) << "index 3 stands after a tab expanded to column 8";

    edit->SetCaretPos(BufferCoord(2, 2));
    EXPECT_EQ(CaretDump(*edit), "caret (2,2) sel (2,2)-(2,2)") << "setting CaretPos collapses the selection";
}

TEST(ZefEditCaret, HasSelectionAndAnchorClampingDependOnMode)
{
    auto edit = MakeEdit("abc\r\nabc");
    edit->SetSelAnchor(BufferCoord(2, 1));
    edit->SetSelHead(BufferCoord(2, 2));
    EXPECT_TRUE(edit->HasSelection());
    edit->SetSelectionMode(smColumn);
    EXPECT_FALSE(edit->HasSelection()) << "a column block of zero width selects nothing";
    edit->SetSelectionMode(smLine);
    EXPECT_TRUE(edit->HasSelection());

    edit->SetSelectionMode(smNormal);
    edit->SetSelAnchor(BufferCoord(10, 7));
    EXPECT_EQ(Pos(edit->SelAnchor()), "(4,2)") << "normal mode limits the anchor to the line end";
    edit->SetSelectionMode(smColumn);
    edit->SetSelAnchor(BufferCoord(10, 1));
    EXPECT_EQ(Pos(edit->SelAnchor()), "(10,1)") << "column mode allows virtual space";

    edit->SetOptions(ZefDefaultOptions.With(eoNoSelection));
    edit->SetSelHead(BufferCoord(2, 2));
    EXPECT_EQ(Pos(edit->SelHead()), "(10,1)") << "eoNoSelection keeps the head";
}

TEST(ZefEditCaret, SelectedTextInEachMode)
{
    struct Case {
        const char* name;
        const char* text;
        TZefSelectionMode mode;
        TBufferCoord anchor;
        TBufferCoord head;
        bool trim;
        const char* expected;
    };
    const Case cases[] = {
        {"normal, several lines", "abc\n\tde\nfghij", smNormal, {2, 1}, {3, 3}, true, "bc\r\n\tde\r\nfg"},
        {"normal, head before anchor", "abc\n\tde\nfghij", smNormal, {3, 3}, {2, 1}, true, "bc\r\n\tde\r\nfg"},
        {"normal, one line", "abc", smNormal, {1, 1}, {3, 1}, true, "ab"},
        {"line, inner lines end with a break", "abc\n\tde\nfghij", smLine, {2, 1}, {1, 2}, true, "abc\r\n\tde\r\n"},
        {"line, last line has no break", "abc\n\tde\nfghij", smLine, {1, 2}, {1, 3}, true, "\tde\r\nfghij"},
        {"column, short line trimmed", "abcdef\nab\nabcdef", smColumn, {2, 1}, {5, 3}, true, "bcd\r\nb\r\nbcd"},
        {"column, short line padded", "abcdef\nab\nabcdef", smColumn, {2, 1}, {5, 3}, false, "bcd\r\nb  \r\nbcd"},
        {"column, inside a tab snaps to the tab", "abcdefghijk\na\tbc", smColumn, {5, 1}, {4, 2}, true,
         "efghi\r\n\tb"},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit(c.text);
        edit->SetOptions(c.trim ? ZefDefaultOptions : Without(eoTrimTrailingSpaces));
        edit->SetSelectionMode(c.mode);
        edit->SetSelAnchor(c.anchor);
        edit->SetSelHead(c.head);
        EXPECT_EQ(edit->SelectedText(), c.expected) << c.name;
    }
    auto edit = MakeEdit("abc");
    EXPECT_EQ(edit->SelectedText(), "") << "nothing selected";
}

TEST(ZefEditCaret, MoveCaretAndSelectionExtendsFromCaretOrCollapses)
{
    auto edit = MakeEdit("abcdef\r\nabcdef");
    edit->SetCaretPos(BufferCoord(2, 1));
    edit->MoveCaretAndSelection(edit->CaretPos(), BufferCoord(4, 2), true);
    EXPECT_EQ(CaretDump(*edit), "caret (4,2) sel (2,1)-(4,2)");
    edit->MoveCaretAndSelection(edit->CaretPos(), BufferCoord(5, 2), true);
    EXPECT_EQ(CaretDump(*edit), "caret (5,2) sel (2,1)-(5,2)") << "an existing selection keeps its anchor";
    edit->MoveCaretAndSelection(edit->CaretPos(), BufferCoord(1, 1), false);
    EXPECT_EQ(CaretDump(*edit), "caret (1,1) sel (1,1)-(1,1)");

    edit->SetSelectionMode(smColumn);
    edit->MoveCaretAndSelection(BufferCoord(3, 1), BufferCoord(3, 2), true);
    EXPECT_EQ(CaretDump(*edit), "caret (3,2) sel (3,1)-(4,2)") << "a column move down keeps one column selected";
}

TEST(ZefEditCaret, HorizontalMovesWrapOnlyWithoutVirtualSpace)
{
    struct Case {
        const char* name;
        TZefEditorOptions options;
        TBufferCoord start;
        TZefEditorCommand command;
        const char* expected;
    };
    const Case cases[] = {
        {"right into virtual space", ZefDefaultOptions, {4, 1}, ecRight, "caret (5,1) sel (4,1)-(4,1)"},
        {"left at index 1 stays", ZefDefaultOptions, {1, 2}, ecLeft, "caret (1,2) sel (1,2)-(1,2)"},
        {"right at the end wraps", Without(eoScrollPastEol), {4, 1}, ecRight, "caret (1,2) sel (1,2)-(1,2)"},
        {"left at index 1 wraps", Without(eoScrollPastEol), {1, 2}, ecLeft, "caret (4,1) sel (4,1)-(4,1)"},
        {"right at the last line's end stays", Without(eoScrollPastEol), {3, 2}, ecRight,
         "caret (3,2) sel (3,2)-(3,2)"},
        {"selecting right", ZefDefaultOptions, {2, 1}, ecSelRight, "caret (3,1) sel (2,1)-(3,1)"},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit("abc\r\nde");
        edit->SetOptions(c.options);
        edit->SetCaretPos(c.start);
        Dispatch(*edit, c.command);
        EXPECT_EQ(CaretDump(*edit), c.expected) << c.name;
    }
}

TEST(ZefEditCaret, VerticalMovesKeepTheDisplayColumnAcrossTabs)
{
    auto edit = MakeEdit("a\tb\r\nxy");
    edit->SetCaretPos(BufferCoord(3, 1));
    Dispatch(*edit, ecDown);
    EXPECT_EQ(Pos(edit->CaretPos()), "(9,2)") << "column 9 lands in virtual space of the short line";
    Dispatch(*edit, ecUp);
    EXPECT_EQ(Pos(edit->CaretPos()), "(3,1)");

    edit->SetOptions(Without(eoScrollPastEol));
    Dispatch(*edit, ecDown);
    EXPECT_EQ(Pos(edit->CaretPos()), "(3,2)") << "without virtual space the caret stops at the line end";
    Dispatch(*edit, ecSelUp);
    EXPECT_EQ(CaretDump(*edit), "caret (2,1) sel (3,2)-(2,1)") << "column 3 falls inside the tab";
}

TEST(ZefEditCaret, KeepCaretXReturnsToTheDesiredColumn)
{
    for (const bool keep : {false, true}) {
        auto edit = MakeEdit("abcdefgh\r\nab\r\nabcdefgh");
        TZefEditorOptions options = Without(eoScrollPastEol);
        edit->SetOptions(keep ? options.With(eoKeepCaretX) : options);
        edit->SetCaretPos(BufferCoord(7, 1));
        Dispatch(*edit, ecDown);
        EXPECT_EQ(Pos(edit->CaretPos()), "(3,2)");
        EXPECT_EQ(edit->DesiredColumn(), 7) << "vertical moves preserve DesiredColumn";
        Dispatch(*edit, ecDown);
        EXPECT_EQ(Pos(edit->CaretPos()), keep ? "(7,3)" : "(3,3)") << "keep=" << keep;
    }
}

TEST(ZefEditCaret, WordAndLineCommands)
{
    auto edit = MakeEdit("  foo(bar) baz\r\nnext");
    edit->SetCaretPos(BufferCoord(3, 1));
    Dispatch(*edit, ecWordRight);
    EXPECT_EQ(Pos(edit->CaretPos()), "(7,1)");
    Dispatch(*edit, ecSelWordRight);
    EXPECT_EQ(CaretDump(*edit), "caret (12,1) sel (7,1)-(12,1)");
    Dispatch(*edit, ecWordLeft);
    EXPECT_EQ(CaretDump(*edit), "caret (7,1) sel (7,1)-(7,1)");
    Dispatch(*edit, ecLineEnd);
    EXPECT_EQ(Pos(edit->CaretPos()), "(15,1)");
    Dispatch(*edit, ecWordRight);
    EXPECT_EQ(Pos(edit->CaretPos()), "(1,2)");
    Dispatch(*edit, ecWordLeft);
    EXPECT_EQ(Pos(edit->CaretPos()), "(15,1)");
    Dispatch(*edit, ecEditorBottom);
    EXPECT_EQ(Pos(edit->CaretPos()), "(5,2)");
    Dispatch(*edit, ecSelEditorTop);
    EXPECT_EQ(CaretDump(*edit), "caret (1,1) sel (5,2)-(1,1)");
    TBufferCoord target = BufferCoord(3, 2);
    Dispatch(*edit, ecGotoXY, &target);
    EXPECT_EQ(CaretDump(*edit), "caret (3,2) sel (3,2)-(3,2)");
    Dispatch(*edit, ecGotoXY);
    EXPECT_EQ(Pos(edit->CaretPos()), "(3,2)") << "no data, no move";
}

TEST(ZefEditCaret, HomeAlternatesWithEnhanceHomeKey)
{
    struct Case {
        bool enhanced;
        int from;
        int expected;
    };
    const Case cases[] = {
        {false, 6, 1}, {true, 6, 4}, {true, 4, 1}, {true, 2, 1}, {true, 1, 4},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit("   abc");
        edit->SetOptions(c.enhanced ? ZefDefaultOptions.With(eoEnhanceHomeKey) : ZefDefaultOptions);
        edit->SetCaretPos(BufferCoord(c.from, 1));
        Dispatch(*edit, ecLineStart);
        EXPECT_EQ(edit->CaretPos().Char, c.expected) << "enhanced=" << c.enhanced << " from " << c.from;
    }
}

namespace {

std::string TwentyLines()
{
    std::string text;
    for (int i = 1; i <= 20; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

std::string ViewDump(const TCustomZefEdit& edit)
{
    return "top " + std::to_string(edit.TopVisibleLine()) + " left " + std::to_string(edit.LeftVisibleColumn()) +
           " caret " + Pos(edit.CaretPos());
}

} // namespace

TEST(ZefEditView, VisibleCellsFollowTheWidgetSize)
{
    auto edit = MakeEdit(TwentyLines());
    SizeTextArea(*edit, 10, 5);
    EXPECT_EQ(edit->VisibleColumns(), 10);
    EXPECT_EQ(edit->VisibleLines(), 5);
    SizeTextArea(*edit, 4, 3);
    EXPECT_EQ(edit->VisibleColumns(), 4);
    EXPECT_EQ(edit->VisibleLines(), 3);
}

TEST(ZefEditView, PageCommandsMoveViewAndCaret)
{
    struct Case {
        const char* name;
        TZefEditorOptions options;
        std::initializer_list<TZefEditorCommand> commands;
        const char* expected;
    };
    const TZefEditorOptions half = ZefDefaultOptions.With(eoHalfPageScroll);
    const TZefEditorOptions oneLess = ZefDefaultOptions.With(eoScrollByOneLess);
    const Case cases[] = {
        {"page down", ZefDefaultOptions, {ecPageDown}, "top 6 left 1 caret (1,6)"},
        {"page down and up", ZefDefaultOptions, {ecPageDown, ecPageUp}, "top 1 left 1 caret (1,1)"},
        {"half page", half, {ecPageDown}, "top 3 left 1 caret (1,3)"},
        {"one less", oneLess, {ecPageDown}, "top 5 left 1 caret (1,5)"},
        {"page bottom is the last shown row", ZefDefaultOptions, {ecPageBottom}, "top 1 left 1 caret (1,5)"},
        {"page top", ZefDefaultOptions, {ecPageDown, ecDown, ecPageTop}, "top 6 left 1 caret (1,6)"},
        {"page right", ZefDefaultOptions, {ecPageRight}, "top 1 left 2 caret (11,1)"},
        {"page right twice scrolls", ZefDefaultOptions, {ecPageRight, ecPageRight}, "top 1 left 12 caret (21,1)"},
        {"editor bottom scrolls", ZefDefaultOptions, {ecEditorBottom}, "top 16 left 1 caret (8,20)"},
        {"scroll down drags the caret", ZefDefaultOptions, {ecScrollDown}, "top 2 left 1 caret (1,2)"},
        {"scroll up with the caret below the view", ZefDefaultOptions, {ecPageDown, ecScrollUp},
         "top 5 left 1 caret (1,6)"},
        {"scroll right", ZefDefaultOptions, {ecScrollRight, ecScrollRight, ecScrollLeft}, "top 1 left 2 caret (1,1)"},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit(TwentyLines());
        SizeTextArea(*edit, 10, 5);
        edit->SetOptions(c.options);
        for (const TZefEditorCommand command : c.commands) Dispatch(*edit, command);
        EXPECT_EQ(ViewDump(*edit), c.expected) << c.name;
    }
}

TEST(ZefEditView, ScrollUpWithTheCaretOutsideTheViewOnlyBringsItBack)
{
    auto edit = MakeEdit(TwentyLines());
    SizeTextArea(*edit, 10, 5);
    edit->SetCaretPos(BufferCoord(1, 12));
    edit->SetTopVisibleLine(1);
    Dispatch(*edit, ecScrollUp);
    EXPECT_EQ(ViewDump(*edit), "top 8 left 1 caret (1,12)");
}

TEST(ZefEditView, EnsureCaretVisibleBothWays)
{
    auto edit = MakeEdit(TwentyLines());
    SizeTextArea(*edit, 10, 5);
    edit->PlaceCaret(BufferCoord(30, 15), false);
    EXPECT_EQ(ViewDump(*edit), "top 1 left 1 caret (30,15)") << "placing without scrolling";
    edit->EnsureCaretVisible(false);
    EXPECT_EQ(ViewDump(*edit), "top 11 left 21 caret (30,15)");
    edit->PlaceCaret(BufferCoord(5, 2), false);
    edit->EnsureCaretVisible(false);
    EXPECT_EQ(ViewDump(*edit), "top 2 left 5 caret (5,2)");

    edit->SetTopVisibleLine(1);
    edit->PlaceCaret(BufferCoord(5, 15), false);
    edit->EnsureCaretVisible(true);
    EXPECT_EQ(edit->TopVisibleLine(), 13) << "centred: 15 - (5 - 1) + 5 div 2";
    edit->PlaceCaret(BufferCoord(5, 3), false);
    edit->EnsureCaretVisible(true);
    EXPECT_EQ(edit->TopVisibleLine(), 2) << "centred from below: max(1, 3 - 5 div 2 + 1)";
}

TEST(ZefEditView, TopVisibleLineIsClampedToTheText)
{
    auto edit = MakeEdit(TwentyLines());
    SizeTextArea(*edit, 10, 5);
    edit->SetTopVisibleLine(100);
    EXPECT_EQ(edit->TopVisibleLine(), 16);
    edit->SetOptions(ZefDefaultOptions.With(eoScrollPastEof));
    edit->SetTopVisibleLine(100);
    EXPECT_EQ(edit->TopVisibleLine(), 20);
    edit->SetTopVisibleLine(-4);
    EXPECT_EQ(edit->TopVisibleLine(), 1);
}
