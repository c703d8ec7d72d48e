// Every editing command in every selection mode, undone step by step back to the original text and redone
// forward again, with text, caret and selection compared at every step.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Step {
    TZefEditorCommand command;
    char ch = 0;
    const char* data = nullptr; // ecImeStr's string
};

struct SequenceCase {
    const char* name;
    std::string text; // lines separated by CR LF
    TZefSelectionMode mode;
    TBufferCoord anchor;
    TBufferCoord caret; // also the selection head
    std::vector<Step> steps;
    TZefEditorOptions options = ZefDefaultOptions;
};

std::string State(const TCustomZefEdit& edit)
{
    return LinesDump(edit) + " / " + CaretDump(edit);
}

Step Type(char c) { return Step{ecChar, c}; }

// Runs the steps; each one that records undo information is one undo step (group undo is off, so runs of
// the same kind do not merge). Undoes them all, then redoes them all, comparing at every step.
void CheckSequence(const SequenceCase& c)
{
    auto edit = MakeEdit(c.text);
    const std::string original = edit->Text();
    edit->SetOptions(c.options.Without(eoGroupUndo));
    edit->SetSelectionMode(c.mode);
    edit->SetCaretAndSelection(c.caret, c.anchor, c.caret);
    std::vector<std::string> before;
    std::vector<std::string> after;
    for (const Step& step : c.steps) {
        const std::string state = State(*edit);
        const int records = edit->UndoList()->Count();
        edit->DispatchCommand(step.command, step.ch, const_cast<char*>(step.data));
        if (edit->UndoList()->Count() != records) {
            before.push_back(state);
            after.push_back(State(*edit));
        }
    }
    ASSERT_FALSE(before.empty()) << c.name << ": nothing was recorded";
    for (size_t i = before.size(); i-- > 0;) {
        ASSERT_TRUE(edit->CanUndo()) << c.name << " step " << i;
        edit->Undo();
        EXPECT_EQ(State(*edit), before[i]) << c.name << ": undo of step " << i;
    }
    EXPECT_FALSE(edit->CanUndo()) << c.name;
    EXPECT_EQ(edit->Text(), original) << c.name << ": the original bytes are back";
    for (size_t i = 0; i < after.size(); ++i) {
        ASSERT_TRUE(edit->CanRedo()) << c.name << " step " << i;
        edit->Redo();
        EXPECT_EQ(State(*edit), after[i]) << c.name << ": redo of step " << i;
    }
    EXPECT_FALSE(edit->CanRedo()) << c.name;
}

const TZefEditorOptions kTabs = ZefDefaultOptions.Without(eoTabsToSpaces);
const TZefEditorOptions kKeepBlanks = ZefDefaultOptions.Without(eoTrimTrailingSpaces);

} // namespace

TEST(UndoSequences, Typing)
{
    const SequenceCase cases[] = {
        {"insert inside a line", "abc\r\ndef", smNormal, {2, 1}, {2, 1}, {Type('x'), Type('y'), Type('b')}},
        {"insert before trailing blanks kept in the file", "ab  \r\ncd", smNormal, {1, 1}, {1, 1}, {Type('x')}},
        {"insert in virtual space pads", "ab\r\ncd", smNormal, {3, 1}, {6, 1}, {Type('x'), Type('y')}},
        {"insert on an empty line in virtual space", "ab\r\n\r\ncd", smNormal, {1, 2}, {5, 2}, {Type('x')}, kTabs},
        {"space at the line end", "ab", smNormal, {3, 1}, {3, 1}, {Type(' '), Type('c')}},
        {"overwrite", "abcd", smNormal, {2, 1}, {2, 1}, {{ecOverwriteMode}, Type('X'), Type('Y'), Type('Z'), Type('!')}},
        {"replace a normal selection", "abc\r\ndef\r\nghi", smNormal, {2, 1}, {3, 2}, {Type('x'), Type('y')}},
        {"replace a selection made backwards", "abc\r\ndef", smNormal, {3, 2}, {2, 1}, {Type('x')}},
        {"replace a line selection", "abc\r\ndef\r\nghi", smLine, {2, 1}, {2, 2}, {Type('x')}},
        {"replace a column selection", "abcd\r\nefgh\r\nijkl", smColumn, {2, 1}, {4, 3}, {Type('x')}},
        {"input-method string", "abc", smNormal, {2, 1}, {2, 1}, {{ecImeStr, 0, "\xE9t\xE9"}}},
        {"input-method string over a selection", "abc\r\ndef", smNormal, {2, 1}, {2, 2}, {{ecImeStr, 0, "XY"}}},
        {"input-method string overwriting", "abcdef", smNormal, {2, 1}, {2, 1}, {{ecOverwriteMode}, {ecImeStr, 0, "XY"}}},
    };
    for (const SequenceCase& c : cases) CheckSequence(c);
}

TEST(UndoSequences, LineBreaks)
{
    const SequenceCase cases[] = {
        {"split an indented line", "  abc def\r\nx", smNormal, {6, 1}, {6, 1}, {{ecLineBreak}, Type('y')}},
        {"split after blanks", "ab  cd", smNormal, {4, 1}, {4, 1}, {{ecLineBreak}}},
        {"split with tabs", "\t\tabc", smNormal, {4, 1}, {4, 1}, {{ecLineBreak}}, kTabs},
        {"at index 1", "abc\r\ndef", smNormal, {1, 2}, {1, 2}, {{ecLineBreak}, {ecLineBreak}}},
        {"beyond the end", "  abc", smNormal, {9, 1}, {9, 1}, {{ecLineBreak}, Type('z')}},
        {"on an empty line", "  abc\r\n", smNormal, {1, 2}, {1, 2}, {{ecLineBreak}}},
        {"insert line", "abc def", smNormal, {4, 1}, {4, 1}, {{ecInsertLine}, {ecInsertLine}}},
        {"over a selection", "abc\r\ndef", smNormal, {2, 1}, {2, 2}, {{ecLineBreak}}},
        {"over a column selection", "abcd\r\nefgh", smColumn, {2, 1}, {3, 2}, {{ecLineBreak}}},
    };
    for (const SequenceCase& c : cases) CheckSequence(c);
}

TEST(UndoSequences, Deletions)
{
    const SequenceCase cases[] = {
        {"backspace", "abc", smNormal, {3, 1}, {3, 1}, {{ecDeleteLastChar}, {ecDeleteLastChar}}},
        {"backspace joins lines", "abc\r\n  def  ", smNormal, {1, 2}, {1, 2}, {{ecDeleteLastChar}}},
        {"backspace in virtual space", "ab\r\n", smNormal, {9, 1}, {9, 1}, {{ecDeleteLastChar}, {ecDeleteLastChar}}},
        {"smart backspace", "  a\r\n        b", smNormal, {9, 2}, {9, 2}, {{ecDeleteLastChar}, {ecDeleteLastChar}}},
        {"backspace without smart delete", "x\r\n\t  b", smNormal, {4, 2}, {4, 2}, {{ecDeleteLastChar}},
         kTabs.Without(eoSmartTabDelete)},
        {"backspace after a space before trailing blanks", "ab c  ", smNormal, {5, 1}, {5, 1}, {{ecDeleteLastChar}}},
        {"delete", "abc", smNormal, {2, 1}, {2, 1}, {{ecDeleteChar}, {ecDeleteChar}}},
        {"delete the last character after a blank", "ab c", smNormal, {4, 1}, {4, 1}, {{ecDeleteChar}}},
        {"delete joins lines", "abc\r\ndef", smNormal, {4, 1}, {4, 1}, {{ecDeleteChar}}},
        {"delete joins from virtual space", "abc\r\ndef", smNormal, {7, 1}, {7, 1}, {{ecDeleteChar}}},
        {"delete a normal selection", "abc\r\ndef", smNormal, {2, 1}, {3, 2}, {{ecDeleteChar}}},
        {"backspace a selection made backwards", "abc\r\ndef", smNormal, {3, 2}, {2, 1}, {{ecDeleteLastChar}}},
        {"delete a line selection", "abc\r\ndef\r\nghi", smLine, {1, 2}, {2, 3}, {{ecDeleteChar}}},
        {"delete a column selection", "a\tbcd\r\nefgh  \r\nij", smColumn, {2, 1}, {4, 3}, {{ecDeleteChar}}, kKeepBlanks},
        {"delete word", "abc  def ghi", smNormal, {2, 1}, {2, 1}, {{ecDeleteWord}, {ecDeleteWord}}},
        {"delete word at the line end", "abc\r\n  def", smNormal, {4, 1}, {4, 1}, {{ecDeleteWord}}},
        {"delete to line end", "abc def", smNormal, {3, 1}, {3, 1}, {{ecDeleteEOL}}},
        {"delete previous word", "abc def", smNormal, {8, 1}, {8, 1}, {{ecDeleteLastWord}, {ecDeleteLastWord}}},
        {"delete previous word across a line", "abc\r\ndef", smNormal, {1, 2}, {1, 2}, {{ecDeleteLastWord}}},
        {"delete to line start", "abc def", smNormal, {5, 1}, {5, 1}, {{ecDeleteBOL}}},
        {"delete line", "abc\r\ndef\r\nghi", smNormal, {2, 2}, {2, 2}, {{ecDeleteLine}, {ecDeleteLine}, {ecDeleteLine}}},
        {"delete the last line", "abc\r\ndef", smNormal, {3, 2}, {3, 2}, {{ecDeleteLine}}},
    };
    for (const SequenceCase& c : cases) CheckSequence(c);
}

TEST(UndoSequences, TabsAndIndentation)
{
    const TZefEditorOptions tabIndent = ZefDefaultOptions.With(eoTabIndent);
    const SequenceCase cases[] = {
        {"smart tab to the word above", "abc   def\r\nxy", smNormal, {2, 2}, {2, 2}, {{ecTab}, {ecTab}}},
        {"tab to the next stop", "xy", smNormal, {2, 1}, {2, 1}, {{ecTab}}},
        {"tab characters", "abc   def\r\n", smNormal, {1, 2}, {1, 2}, {{ecTab}, Type('y'), {ecTab}}, kTabs},
        {"tab over a selection", "abc def\r\nxyz", smNormal, {1, 2}, {3, 2}, {{ecTab}}},
        {"shift tab", "        abc", smNormal, {9, 1}, {9, 1}, {{ecShiftTab}, {ecShiftTab}}},
        {"shift tab to the word above", "ab  cd\r\n      x", smNormal, {7, 2}, {7, 2}, {{ecShiftTab}}},
        {"block indent, normal", "abc\r\ndef\r\nghi", smNormal, {2, 1}, {1, 3}, {{ecBlockIndent}, {ecBlockIndent}}},
        {"block indent, line", "abc\r\ndef", smLine, {2, 1}, {2, 2}, {{ecBlockIndent}}},
        {"block indent, column", "abc\r\nd\r\nghi", smColumn, {2, 1}, {3, 3}, {{ecBlockIndent}}},
        {"block indent with tabs", "abc\r\n\r\nghi", smNormal, {1, 1}, {2, 3}, {{ecBlockIndent}}, kTabs},
        {"block unindent", "    abc\r\n\tdef\r\n  \tghi\r\njkl", smNormal, {6, 1}, {3, 4}, {{ecBlockUnindent}, {ecBlockUnindent}}},
        {"block unindent, column", "ab    c\r\nde  f", smColumn, {3, 1}, {5, 2}, {{ecBlockUnindent}}},
        {"tab indents a block", "abc\r\ndef", smNormal, {1, 1}, {2, 2}, {{ecTab}, {ecShiftTab}}, tabIndent},
        {"tab indents a line-start selection", "abc", smNormal, {1, 1}, {4, 1}, {{ecTab}}, tabIndent},
    };
    for (const SequenceCase& c : cases) CheckSequence(c);
}

TEST(UndoSequences, CaseConversion)
{
    const SequenceCase cases[] = {
        {"upper-case the word at the caret", "abc def", smNormal, {2, 1}, {2, 1}, {{ecUpperCase}}},
        {"between words: the word before", "abc def", smNormal, {4, 1}, {4, 1}, {{ecUpperCase}}},
        {"lower, toggle and title", "aBc \xC9t\xE9", smNormal, {6, 1}, {6, 1}, {{ecLowerCase}, {ecToggleCase}, {ecTitleCase}}},
        {"block upper over a selection", "abc\r\ndef", smNormal, {2, 1}, {2, 2}, {{ecUpperCaseBlock}, {ecToggleCaseBlock}}},
        {"block commands character by character", "abC", smNormal, {1, 1}, {1, 1},
         {{ecUpperCaseBlock}, {ecUpperCaseBlock}, {ecLowerCaseBlock}}},
        {"block in column mode", "abcd\r\nefgh", smColumn, {2, 1}, {4, 2}, {{ecUpperCaseBlock}}},
        {"block in line mode", "abc\r\ndef", smLine, {2, 1}, {2, 1}, {{ecToggleCaseBlock}}},
    };
    for (const SequenceCase& c : cases) CheckSequence(c);
}
