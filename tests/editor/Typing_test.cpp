// Typing on the control: insert and overwrite, padding in virtual space, the line-width limit, input-method
// strings and line breaks with automatic indentation.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

namespace {

struct EditCase {
    const char* name;
    std::string text;
    TBufferCoord caret;
    std::vector<std::pair<TZefEditorCommand, char>> commands;
    const char* lines;
    const char* caretAfter;
    TZefEditorOptions options = ZefDefaultOptions;
};

void Check(const EditCase& c)
{
    auto edit = MakeEdit(c.text);
    edit->SetOptions(c.options);
    edit->SetTabWidth(4);
    edit->SetCaretPos(c.caret);
    for (const auto& [command, ch] : c.commands) edit->DispatchCommand(command, ch, nullptr);
    EXPECT_EQ(LinesDump(*edit), c.lines) << c.name;
    EXPECT_EQ(Pos(edit->CaretPos()), c.caretAfter) << c.name;
}

const TZefEditorOptions kTabs = ZefDefaultOptions.Without(eoTabsToSpaces);

} // namespace

TEST(Typing, CharactersInInsertAndOverwriteMode)
{
    const EditCase cases[] = {
        {"insert", "abc", {2, 1}, {{ecChar, 'x'}}, "axbc", "(3,1)"},
        {"virtual space pads with spaces", "ab", {5, 1}, {{ecChar, 'x'}}, "ab  x", "(6,1)"},
        {"an empty line in virtual space pads with tabs", "\r\nz", {10, 1}, {{ecChar, 'x'}}, "\t\t x|z", "(5,1)", kTabs},
        {"a space at the line end keeps the caret after it", "ab", {3, 1}, {{ecChar, ' '}}, "ab", "(4,1)"},
        {"a space on an empty line", "\r\nz", {1, 1}, {{ecChar, ' '}, {ecChar, ' '}}, "|z", "(3,1)"},
        {"overwrite", "abc", {2, 1}, {{ecOverwriteMode, 0}, {ecChar, 'x'}}, "axc", "(3,1)"},
        {"overwrite at the line end appends", "abc", {4, 1}, {{ecOverwriteMode, 0}, {ecChar, 'x'}}, "abcx", "(5,1)"},
        {"overwrite in virtual space", "ab", {4, 1}, {{ecOverwriteMode, 0}, {ecChar, 'x'}}, "ab x", "(5,1)"},
        {"control characters and DEL are not typed", "ab", {2, 1}, {{ecChar, '\t'}, {ecChar, 127}, {ecChar, 13}}, "ab", "(2,1)"},
        {"high code-page bytes are typed", "ab", {2, 1}, {{ecChar, '\xE9'}}, "a\xE9" "b", "(3,1)"},
    };
    for (const EditCase& c : cases) Check(c);
}

TEST(Typing, VirtualSpaceCharacterAndPadUndoTogether)
{
    auto edit = MakeEdit("ab");
    edit->SetCaretPos(BufferCoord(6, 1));
    edit->DispatchCommand(ecChar, 'x', nullptr);
    EXPECT_EQ(edit->UndoList()->Count(), 2) << edit->UndoList()->DebugDump();
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "ab");
    EXPECT_EQ(Pos(edit->CaretPos()), "(6,1)");
    EXPECT_FALSE(edit->CanUndo());
}

TEST(Typing, MaxLineWidthStopsTypingUnlessItGrows)
{
    auto edit = MakeEdit("abcd");
    edit->SetMaxLineWidth(4);
    edit->SetCaretPos(BufferCoord(3, 1));
    edit->DispatchCommand(ecChar, 'x', nullptr);
    EXPECT_EQ(LinesDump(*edit), "abcd") << "the line is already as wide as allowed";
    edit->SetOptions(ZefDefaultOptions.With(eoAutoSizeMaxLineWidth));
    edit->DispatchCommand(ecChar, 'x', nullptr);
    EXPECT_EQ(LinesDump(*edit), "abxcd");
}

TEST(Typing, InputMethodStrings)
{
    auto edit = MakeEdit("abcdef");
    edit->SetCaretPos(BufferCoord(9, 1));
    std::string text = "\xC0z";
    edit->DispatchCommand(ecImeStr, 0, text.data());
    EXPECT_EQ(LinesDump(*edit), "abcdef  \xC0z");
    EXPECT_EQ(Pos(edit->CaretPos()), "(11,1)");
    edit->SetCaretPos(BufferCoord(2, 1));
    edit->SetInsertMode(false);
    edit->DispatchCommand(ecImeStr, 0, text.data());
    EXPECT_EQ(LinesDump(*edit), "a\xC0zdef  \xC0z") << "overwrites as many bytes as it brings";
    edit->SetCaretAndSelection(BufferCoord(3, 1), BufferCoord(1, 1), BufferCoord(3, 1));
    edit->DispatchCommand(ecImeStr, 0, text.data());
    EXPECT_EQ(LinesDump(*edit), "\xC0zzdef  \xC0z") << "replaces a selection";
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "a\xC0zdef  \xC0z");
    EXPECT_EQ(CaretDump(*edit), "caret (3,1) sel (1,1)-(3,1)");
}

TEST(Typing, LineBreaksWithAutoIndent)
{
    const EditCase cases[] = {
        {"split an indented line", "  ab cd", {6, 1}, {{ecLineBreak, 0}}, "  ab|  cd", "(3,2)"},
        {"the right part keeps its blanks", "  ab cd", {5, 1}, {{ecLineBreak, 0}}, "  ab|   cd", "(3,2)"},
        {"the indent is tabs and spaces without eoTabsToSpaces", "\t  ab cd", {7, 1}, {{ecLineBreak, 0}}, "\t  ab|\t  cd",
         "(4,2)", kTabs},
        {"eoTabsToSpaces expands the tab", "\tab cd", {5, 1}, {{ecLineBreak, 0}}, "\tab|    cd", "(5,2)"},
        {"blanks before the split are trimmed", "ab  cd", {4, 1}, {{ecLineBreak, 0}}, "ab| cd", "(1,2)"},
        {"at index 1 an empty line goes above", "  ab", {1, 1}, {{ecLineBreak, 0}}, "|  ab", "(1,2)"},
        {"beyond the end the new line copies the indent", "  ab", {8, 1}, {{ecLineBreak, 0}}, "  ab|", "(3,2)"},
        {"on an empty line the caret takes the indent above", "  ab\r\n\r\nx", {1, 2}, {{ecLineBreak, 0}}, "  ab|||x", "(3,3)"},
        {"without auto indent", "  ab cd", {5, 1}, {{ecLineBreak, 0}}, "  ab| cd", "(1,2)",
         ZefDefaultOptions.Without(eoAutoIndent)},
        {"insert line keeps the caret", "ab cd", {3, 1}, {{ecInsertLine, 0}}, "ab| cd", "(3,1)"},
        {"an empty document gets two lines", "", {1, 1}, {{ecLineBreak, 0}}, "|", "(1,2)"},
    };
    for (const EditCase& c : cases) Check(c);
}
