// Editing commands on the control: deletions, Tab and Shift+Tab, block indentation, case conversion, word
// selection and bracket matching.
#include "ZefEditTestSupport.h"

#include "../highlight/support/TestHighlighter.h"
#include "ZefEditMarks.h"
#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

namespace {

struct EditCase {
    const char* name;
    std::string text;
    TBufferCoord anchor;
    TBufferCoord caret; // also the selection head
    std::vector<TZefEditorCommand> commands;
    const char* lines;
    const char* state; // CaretDump afterwards
    TZefEditorOptions options = ZefDefaultOptions;
    TZefSelectionMode mode = smNormal;
};

void Check(const EditCase& c)
{
    auto edit = MakeEdit(c.text);
    edit->SetOptions(c.options);
    edit->SetTabWidth(4);
    edit->SetSelectionMode(c.mode);
    edit->SetCaretAndSelection(c.caret, c.anchor, c.caret);
    for (const TZefEditorCommand command : c.commands) edit->DispatchCommand(command, 0, nullptr);
    EXPECT_EQ(LinesDump(*edit), c.lines) << c.name;
    EXPECT_EQ(CaretDump(*edit), c.state) << c.name;
}

const TZefEditorOptions kTabs = ZefDefaultOptions.Without(eoTabsToSpaces);

} // namespace

TEST(Editing, BackspaceAndDelete)
{
    const EditCase cases[] = {
        {"backspace", "abc", {3, 1}, {3, 1}, {ecDeleteLastChar}, "ac", "caret (2,1) sel (2,1)-(2,1)"},
        {"smart backspace to the indent of a less indented line", "  a\r\n      b\r\n        c", {9, 3}, {9, 3},
         {ecDeleteLastChar}, "  a|      b|      c", "caret (7,3) sel (7,3)-(7,3)"},
        {"smart backspace to nothing when no line above is less indented", "  a\r\n  b", {3, 2}, {3, 2},
         {ecDeleteLastChar}, "  a|b", "caret (1,2) sel (1,2)-(1,2)"},
        {"backspace to the previous tab stop without smart delete", "x\r\n      b", {7, 2}, {7, 2}, {ecDeleteLastChar},
         "x|    b", "caret (5,2) sel (5,2)-(5,2)", ZefDefaultOptions.Without(eoSmartTabDelete)},
        {"backspace at index 1 joins", "ab\r\ncd  ", {1, 2}, {1, 2}, {ecDeleteLastChar}, "abcd",
         "caret (3,1) sel (3,1)-(3,1)"},
        {"backspace in virtual space goes to the line end", "ab", {7, 1}, {7, 1}, {ecDeleteLastChar}, "ab",
         "caret (3,1) sel (3,1)-(3,1)"},
        {"backspace in virtual space on an empty line", "    a\r\n\r\nx", {9, 2}, {9, 2}, {ecDeleteLastChar},
         "    a||x", "caret (5,2) sel (1,2)-(1,2)"},
        {"backspace deletes a selection", "abc\r\ndef", {2, 1}, {2, 2}, {ecDeleteLastChar}, "aef",
         "caret (2,1) sel (2,1)-(2,1)"},
        {"delete", "abc", {2, 1}, {2, 1}, {ecDeleteChar}, "ac", "caret (2,1) sel (2,1)-(2,1)"},
        {"delete at the end joins", "ab\r\ncd", {3, 1}, {3, 1}, {ecDeleteChar}, "abcd", "caret (3,1) sel (3,1)-(3,1)"},
        {"delete in virtual space pads the join", "ab\r\ncd", {5, 1}, {5, 1}, {ecDeleteChar}, "ab  cd",
         "caret (5,1) sel (5,1)-(5,1)"},
        {"delete at the end of the last line does nothing", "ab", {3, 1}, {3, 1}, {ecDeleteChar}, "ab",
         "caret (3,1) sel (3,1)-(3,1)"},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Editing, WordAndLineDeletions)
{
    const EditCase cases[] = {
        {"delete word takes the blanks after it", "abc  def", {2, 1}, {2, 1}, {ecDeleteWord}, "adef",
         "caret (2,1) sel (2,1)-(2,1)"},
        {"delete word on a break character", "a.b c", {2, 1}, {2, 1}, {ecDeleteWord}, "ab c", "caret (2,1) sel (2,1)-(2,1)"},
        {"delete word at the line end takes the break", "ab\r\n  cd", {3, 1}, {3, 1}, {ecDeleteWord}, "abcd",
         "caret (3,1) sel (3,1)-(3,1)"},
        {"delete to line end", "abc def", {3, 1}, {3, 1}, {ecDeleteEOL}, "ab", "caret (3,1) sel (3,1)-(3,1)"},
        {"delete previous word", "abc def", {7, 1}, {7, 1}, {ecDeleteLastWord}, "abc f", "caret (5,1) sel (5,1)-(5,1)"},
        {"delete to line start", "abc def", {5, 1}, {5, 1}, {ecDeleteBOL}, "def", "caret (1,1) sel (1,1)-(1,1)"},
        {"delete line", "a\r\nb\r\nc", {2, 2}, {2, 2}, {ecDeleteLine}, "a|c", "caret (1,2) sel (1,2)-(1,2)"},
        {"delete the last line leaves the caret on the new last line", "a\r\nb", {2, 2}, {2, 2}, {ecDeleteLine}, "a",
         "caret (1,1) sel (1,1)-(1,1)"},
        {"delete the only line empties it", "abc", {2, 1}, {2, 1}, {ecDeleteLine}, "", "caret (1,1) sel (1,1)-(1,1)"},
        {"delete line of a single empty line does nothing", "\r\n", {1, 1}, {1, 1}, {ecDeleteLine}, "",
         "caret (1,1) sel (1,1)-(1,1)"},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Editing, DeleteLineAndJoinsMoveMarks)
{
    auto edit = MakeEdit("a\r\nb\r\nc\r\nd");
    for (const int line : {2, 3, 4}) {
        auto mark = std::make_unique<TZefEditMark>(edit.get());
        mark->SetMarkLine(line);
        edit->Marks()->AddMark(std::move(mark));
    }
    edit->SetCaretPos(BufferCoord(1, 2));
    edit->DispatchCommand(ecDeleteLine, 0, nullptr);
    edit->SetCaretPos(BufferCoord(1, 3));
    edit->DispatchCommand(ecDeleteLastChar, 0, nullptr);
    EXPECT_EQ(LinesDump(*edit), "a|cd");
    std::string lines;
    for (int i = 0; i < edit->Marks()->Count(); ++i) lines += std::to_string(edit->Marks()->Item(i)->MarkLine()) + " ";
    EXPECT_EQ(lines, "1 2 2 ");
}

TEST(Editing, TabAndShiftTab)
{
    const EditCase cases[] = {
        {"tab to the next word start of the line above", "abc   def\r\nxy", {2, 2}, {2, 2}, {ecTab}, "abc   def|x     y",
         "caret (7,2) sel (7,2)-(7,2)"},
        {"tab to the next stop when no line above reaches", "ab\r\nxyz", {3, 2}, {3, 2}, {ecTab}, "ab|xy  z",
         "caret (5,2) sel (5,2)-(5,2)"},
        {"tab inserts a tab after text without eoTabsToSpaces", "abc   def\r\nxy", {2, 2}, {2, 2}, {ecTab},
         "abc   def|x\ty", "caret (3,2) sel (3,2)-(3,2)", kTabs},
        {"smart tabs and spaces in leading blanks", "      def\r\ny", {1, 2}, {1, 2}, {ecTab}, "      def|\t  y",
         "caret (4,2) sel (4,2)-(4,2)", kTabs},
        {"tab replaces a selection", "ab\r\nxyz", {1, 2}, {3, 2}, {ecTab}, "ab|    z", "caret (5,2) sel (5,2)-(5,2)"},
        {"shift tab to the previous stop", "      x", {7, 1}, {7, 1}, {ecShiftTab}, "    x", "caret (5,1) sel (5,1)-(5,1)"},
        {"shift tab to a word start above", "ab  cd\r\n       x", {8, 2}, {8, 2}, {ecShiftTab}, "ab  cd|    x",
         "caret (5,2) sel (5,2)-(5,2)"},
        {"shift tab over a tab", "\tx", {2, 1}, {2, 1}, {ecShiftTab}, "x", "caret (1,1) sel (1,1)-(1,1)", kTabs},
        {"tab indents a block with eoTabIndent", "ab\r\ncd", {1, 1}, {2, 2}, {ecTab}, "    ab|    cd",
         "caret (6,2) sel (5,1)-(6,2)", ZefDefaultOptions.With(eoTabIndent)},
        {"shift tab unindents a block with eoTabIndent", "    ab\r\n  cd", {5, 1}, {4, 2}, {ecShiftTab}, "ab|cd",
         "caret (2,2) sel (1,1)-(2,2)", ZefDefaultOptions.With(eoTabIndent)},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Editing, BlockIndentAndUnindent)
{
    const EditCase cases[] = {
        {"three lines", "ab\r\ncd\r\nef", {2, 1}, {2, 3}, {ecBlockIndent}, "    ab|    cd|    ef",
         "caret (6,3) sel (6,1)-(6,3)"},
        {"a selection ending at index 1 leaves that line", "ab\r\ncd\r\nef", {1, 1}, {1, 3}, {ecBlockIndent},
         "    ab|    cd|ef", "caret (1,3) sel (5,1)-(1,3)"},
        {"with tabs", "ab\r\n\r\ncd", {1, 1}, {2, 3}, {ecBlockIndent}, "\tab||\tcd", "caret (3,3) sel (2,1)-(3,3)", kTabs},
        {"column mode indents at the block's left edge", "abcd\r\nefgh", {2, 1}, {3, 2}, {ecBlockIndent},
         "a    bcd|e    fgh", "caret (7,2) sel (6,1)-(7,2)", ZefDefaultOptions, smColumn},
        {"unindent tabs, spaces and a space run ending in a tab", "\tab\r\n      cd\r\n  \tef\r\ngh", {2, 1}, {3, 4},
         {ecBlockUnindent}, "ab|  cd|ef|gh", "caret (3,4) sel (1,1)-(3,4)"},
        {"unindent of unindented lines does nothing", "ab\r\ncd", {1, 1}, {2, 2}, {ecBlockUnindent}, "ab|cd",
         "caret (2,2) sel (1,1)-(2,2)"},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Editing, BlockIndentOfThreeLinesUndoesInOneStep)
{
    auto edit = MakeEdit("ab\r\ncd\r\nef");
    edit->SetCaretAndSelection(BufferCoord(2, 3), BufferCoord(1, 1), BufferCoord(2, 3));
    edit->DispatchCommand(ecBlockIndent, 0, nullptr);
    edit->DispatchCommand(ecBlockIndent, 0, nullptr);
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "        ab|        cd|        ef") << "indentation runs never merge";
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "ab|cd|ef");
    EXPECT_EQ(CaretDump(*edit), "caret (2,3) sel (1,1)-(2,3)");
}

TEST(Editing, CaseConversion)
{
    const EditCase cases[] = {
        {"upper-case the word at the caret", "abc def", {2, 1}, {2, 1}, {ecUpperCase}, "ABC def",
         "caret (2,1) sel (2,1)-(2,1)"},
        {"between two words the word before", "abc def", {4, 1}, {4, 1}, {ecUpperCase}, "ABC def",
         "caret (4,1) sel (4,1)-(4,1)"},
        {"code-page letters", "\xE9t\xE9 x", {1, 1}, {1, 1}, {ecUpperCase}, "\xC9T\xC9 x", "caret (1,1) sel (1,1)-(1,1)"},
        {"toggle", "aBc\xC9", {1, 1}, {1, 1}, {ecToggleCase}, "AbC\xE9", "caret (1,1) sel (1,1)-(1,1)"},
        {"title", "hELLO", {1, 1}, {1, 1}, {ecTitleCase}, "Hello", "caret (1,1) sel (1,1)-(1,1)"},
        {"block over a selection keeps it", "abc\r\ndef", {2, 1}, {2, 2}, {ecUpperCaseBlock}, "aBC|Def",
         "caret (2,2) sel (2,1)-(2,2)"},
        {"block without a selection goes character by character", "abc", {1, 1}, {1, 1},
         {ecUpperCaseBlock, ecUpperCaseBlock}, "ABc", "caret (3,1) sel (3,1)-(3,1)"},
        {"block at the line end moves to the next line", "ab\r\ncd", {3, 1}, {3, 1}, {ecLowerCaseBlock}, "ab|cd",
         "caret (1,2) sel (1,2)-(1,2)"},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Editing, SelectWordAt)
{
    auto edit = MakeEdit("foo bar_1+baz");
    edit->SelectWordAt(BufferCoord(6, 1));
    EXPECT_EQ(CaretDump(*edit), "caret (10,1) sel (5,1)-(10,1)");
    edit->SelectWordAt(BufferCoord(4, 1));
    EXPECT_EQ(CaretDump(*edit), "caret (4,1) sel (1,1)-(4,1)") << "on a blank: the word before";
    edit->SelectWordAt(BufferCoord(20, 1));
    EXPECT_EQ(CaretDump(*edit), "caret (14,1) sel (14,1)-(14,1)") << "beyond the end: only the caret moves";
}

TEST(Editing, FindMatchingBracket)
{
    auto edit = MakeEdit("f(a[1], (b))\r\n{\r\n  x<y>\r\n}");
    struct Case {
        TBufferCoord caret;
        const char* match;
    };
    const Case cases[] = {
        {{2, 1}, "(12,1)"}, {{12, 1}, "(2,1)"}, {{9, 1}, "(11,1)"}, {{4, 1}, "(6,1)"},
        {{1, 2}, "(1,4)"},  {{1, 4}, "(1,2)"},  {{4, 3}, "(6,3)"},  {{3, 1}, "(3,1)"},
    };
    for (const Case& c : cases) {
        edit->SetCaretPos(c.caret);
        EXPECT_EQ(Pos(edit->FindMatchingBracket()), c.match) << Pos(c.caret);
    }
    auto unmatched = MakeEdit("(a");
    EXPECT_EQ(Pos(unmatched->FindMatchingBracket()), "(1,1)") << "no match: the caret";
    edit->SetCaretPos(BufferCoord(1, 2));
    edit->DispatchCommand(ecMatchBracket, 0, nullptr);
    EXPECT_EQ(Pos(edit->CaretPos()), "(1,4)");
}

TEST(Editing, FindMatchingBracketSkipsStringsAndComments)
{
    TZefTestHighlighter highlighter;
    auto edit = MakeEdit("f(\")\", /* ) */\r\n  x /* (\r\n ) */ // )\r\n)");
    edit->SetHighlighter(&highlighter);
    edit->SetCaretPos(BufferCoord(2, 1));
    EXPECT_EQ(Pos(edit->FindMatchingBracket()), "(1,4)");
    edit->SetCaretPos(BufferCoord(1, 4));
    EXPECT_EQ(Pos(edit->FindMatchingBracket()), "(2,1)");
    edit->SetHighlighter(nullptr);
}

TEST(Editing, ReadOnlyIgnoresEveryEditingCommand)
{
    auto edit = MakeEdit("  abc\r\ndef");
    edit->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(3, 1), BufferCoord(2, 2));
    edit->SetReadOnly(true);
    for (const TZefEditorCommand command :
         {ecChar, ecDeleteLastChar, ecDeleteChar, ecDeleteWord, ecDeleteEOL, ecDeleteLastWord, ecDeleteBOL, ecDeleteLine,
          ecLineBreak, ecInsertLine, ecTab, ecShiftTab, ecBlockIndent, ecBlockUnindent, ecUpperCase, ecToggleCaseBlock}) {
        edit->DispatchCommand(command, 'x', nullptr);
    }
    EXPECT_EQ(LinesDump(*edit), "  abc|def");
    EXPECT_FALSE(edit->UndoList()->CanUndo());
}
