// Undo and redo on the control: grouping, group breaks, paste brackets, the saved state, MaxUndo and read-only.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <sstream>

namespace {

void TypeText(TCustomZefEdit& edit, const std::string& text)
{
    for (const char c : text) edit.DispatchCommand(ecChar, c, nullptr);
}

} // namespace

TEST(UndoRedo, TypedWordUndoesAsOneStepOnlyWithGroupUndo)
{
    for (const bool grouped : {true, false}) {
        auto edit = MakeEdit("x");
        if (!grouped) edit->SetOptions(ZefDefaultOptions.Without(eoGroupUndo));
        TypeText(*edit, "abc");
        edit->Undo();
        EXPECT_EQ(LinesDump(*edit), grouped ? "x" : "abx") << "grouped " << grouped;
        EXPECT_EQ(CaretDump(*edit), grouped ? "caret (1,1) sel (1,1)-(1,1)" : "caret (3,1) sel (3,1)-(3,1)");
        edit->Redo();
        EXPECT_EQ(LinesDump(*edit), "abcx") << "grouped " << grouped;
        EXPECT_EQ(CaretDump(*edit), "caret (4,1) sel (4,1)-(4,1)");
    }
}

TEST(UndoRedo, CaretMoveBreaksTheTypingGroup)
{
    auto edit = MakeEdit();
    TypeText(*edit, "ab");
    edit->DispatchCommand(ecLeft, 0, nullptr);
    edit->DispatchCommand(ecRight, 0, nullptr);
    TypeText(*edit, "c");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "ab");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "");
    EXPECT_FALSE(edit->CanUndo());
}

TEST(UndoRedo, PasteReplacingASelectionUndoesInOneStep)
{
    auto edit = MakeEdit("one two\r\nthree");
    edit->SetCaretAndSelection(BufferCoord(3, 2), BufferCoord(5, 1), BufferCoord(3, 2));
    // What paste records: its bracket around the replacement primitive's records.
    edit->UndoList()->AddRecord(ucPasteBegin, edit->SelFirst(), edit->SelLast(), {}, smNormal);
    edit->SetSelectedText("A\r\nB\r\nC");
    edit->UndoList()->AddRecord(ucPasteEnd, BufferCoord(5, 1), BufferCoord(3, 2), {}, smNormal);
    EXPECT_EQ(LinesDump(*edit), "one A|B|Cree");

    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "one two|three");
    EXPECT_EQ(CaretDump(*edit), "caret (3,2) sel (5,1)-(3,2)") << "the replaced selection is back";
    EXPECT_FALSE(edit->CanUndo());
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "one A|B|Cree");
    EXPECT_FALSE(edit->CanRedo());
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "one two|three") << "still one step after a redo";
}

TEST(UndoRedo, ModifiedFollowsTheSavedStateThroughUndoAndRedo)
{
    for (const bool grouped : {true, false}) {
        auto edit = MakeEdit("abc");
        if (!grouped) edit->SetOptions(ZefDefaultOptions.Without(eoGroupUndo));
        TypeText(*edit, "x");
        edit->SetModified(false);
        edit->Undo();
        EXPECT_TRUE(edit->Modified()) << "grouped " << grouped;
        edit->Redo();
        EXPECT_FALSE(edit->Modified()) << "back at the saved state, grouped " << grouped;
        TypeText(*edit, "y");
        EXPECT_TRUE(edit->Modified());
        edit->Undo();
        EXPECT_FALSE(edit->Modified()) << "grouped " << grouped;
    }
}

TEST(UndoRedo, NewEditAfterUndoEmptiesTheRedoList)
{
    auto edit = MakeEdit("abc");
    TypeText(*edit, "x");
    edit->Undo();
    ASSERT_TRUE(edit->CanRedo());
    edit->DispatchCommand(ecRight, 0, nullptr);
    EXPECT_TRUE(edit->CanRedo()) << "a caret move keeps it";
    edit->DispatchCommand(ecDeleteChar, 0, nullptr);
    EXPECT_FALSE(edit->CanRedo());
}

TEST(UndoRedo, MaxUndoKeepsOnlyTheNewestSteps)
{
    auto edit = MakeEdit("abc");
    edit->SetOptions(ZefDefaultOptions.Without(eoGroupUndo));
    edit->SetMaxUndo(2);
    for (const int x : {1, 2, 3}) {
        edit->SetCaretPos(BufferCoord(x * 2 - 1, 1));
        TypeText(*edit, "-");
    }
    EXPECT_EQ(LinesDump(*edit), "-a-b-c");
    while (edit->CanUndo()) edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "-abc") << "the oldest edit is out of reach";
}

TEST(UndoRedo, ReadOnlyControlIgnoresUndoAndRedo)
{
    auto edit = MakeEdit("abc");
    TypeText(*edit, "x");
    edit->DispatchCommand(ecLeft, 0, nullptr);
    TypeText(*edit, "y");
    edit->Undo();
    const std::string undo = edit->UndoList()->DebugDump();
    const std::string redo = edit->RedoList()->DebugDump();
    edit->SetReadOnly(true);
    QTest::keyClick(edit.get(), Qt::Key_Z, Qt::ControlModifier);
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "xabc");
    EXPECT_EQ(edit->UndoList()->DebugDump(), undo);
    EXPECT_EQ(edit->RedoList()->DebugDump(), redo);
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_FALSE(edit->CanRedo());
    edit->SetReadOnly(false);
    QTest::keyClick(edit.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(LinesDump(*edit), "abc") << "Ctrl+Z undoes once writable again";
}

TEST(UndoRedo, UndoOfEnterJoinsTheLineAndDropsTheIndent)
{
    auto edit = MakeEdit("    first second");
    edit->SetCaretPos(BufferCoord(11, 1));
    edit->DispatchCommand(ecLineBreak, 0, nullptr);
    EXPECT_EQ(LinesDump(*edit), "    first|    second");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "    first second");
    EXPECT_EQ(CaretDump(*edit), "caret (11,1) sel (11,1)-(11,1)");
}

TEST(UndoRedo, TrimmingAnEditedLineIsUndoneByteForByte)
{
    // Lines are stored without trailing blanks after an edit; undo still brings back the file's own blanks.
    auto edit = MakeEdit("ab  \r\n\tcd\t \r\nef");
    edit->SetCaretPos(BufferCoord(1, 1));
    TypeText(*edit, "x");
    edit->SetCaretPos(BufferCoord(1, 3));
    edit->DispatchCommand(ecDeleteLastChar, 0, nullptr);
    EXPECT_EQ(LinesDump(*edit), "xab|\tcd\t ef") << "the joined line keeps the blanks of the line above";
    edit->Undo();
    edit->Undo();
    EXPECT_EQ(edit->Text(), "ab  \r\n\tcd\t \r\nef");
}

TEST(UndoRedo, OnChangeOncePerCommandAndModifiedReported)
{
    auto edit = MakeEdit("abc");
    int changes = 0;
    TZefStatusChanges status = 0;
    edit->OnChange = [&](TCustomZefEdit*) { ++changes; };
    edit->OnStatusChange = [&](TCustomZefEdit*, TZefStatusChanges c) { status |= c; };
    edit->SetCaretAndSelection(BufferCoord(3, 1), BufferCoord(1, 1), BufferCoord(3, 1));
    TypeText(*edit, "x"); // replaces a selection: several records, one change
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(status & scModified);
    EXPECT_TRUE(edit->Modified());
}

TEST(UndoRedo, SetSelectedTextUndoesAndRedoesInNormalAndLineMode)
{
    struct Case {
        const char* name;
        TZefSelectionMode mode;
        TBufferCoord anchor;
        TBufferCoord head;
        const char* text;
        const char* after;
    };
    const Case cases[] = {
        {"normal", smNormal, {2, 1}, {2, 3}, "X\r\nY", "aX|Yhi"},
        {"normal, nothing selected", smNormal, {3, 2}, {3, 2}, "X\r\n", "abc|deX|f|ghi"},
        {"whole lines", smLine, {2, 1}, {2, 2}, "X\r\nY\r\n", "X|Y|ghi"},
        {"lines including the last", smLine, {2, 2}, {2, 3}, "X\r\nY", "abc|X|Y"},
        {"lines inserted above the caret line", smLine, {2, 2}, {2, 2}, "X\r\n", "abc|X|def|ghi"},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit("abc\r\ndef\r\nghi");
        edit->SetSelectionMode(c.mode);
        edit->SetCaretAndSelection(c.head, c.anchor, c.head);
        const std::string before = LinesDump(*edit) + " " + CaretDump(*edit);
        edit->SetSelectedText(c.text);
        const std::string after = LinesDump(*edit) + " " + CaretDump(*edit);
        EXPECT_EQ(LinesDump(*edit), c.after) << c.name;
        edit->Undo();
        EXPECT_EQ(LinesDump(*edit) + " " + CaretDump(*edit), before) << c.name;
        edit->Redo();
        EXPECT_EQ(LinesDump(*edit) + " " + CaretDump(*edit), after) << c.name;
    }
}

TEST(UndoRedo, SetSelectedTextUndoesToTheExactBytesInEveryMode)
{
    // Line 1 ends in blanks, line 2 holds tabs and ends in a blank and a tab: storing either trims them.
    const std::string original = "ab  \r\n\tcd \t\r\ne";
    struct Case {
        const char* name;
        TZefSelectionMode mode;
        TBufferCoord anchor;
        TBufferCoord head;
        const char* text;
    };
    const Case cases[] = {
        {"normal, across trailing blanks", smNormal, {2, 1}, {3, 2}, "X  "},
        {"normal, ending inside trailing blanks", smNormal, {3, 2}, {6, 2}, "\t"},
        {"normal, nothing selected on a line with trailing blanks", smNormal, {2, 1}, {2, 1}, "Y\r\nZ"},
        {"normal, caret in virtual space", smNormal, {9, 3}, {9, 3}, "V \r\nW"},
        {"normal, anchor beyond the line end", smNormal, {8, 1}, {2, 3}, "S"},
        {"lines with trailing blanks and tabs", smLine, {1, 1}, {2, 2}, "L \t\r\n"},
        {"last line", smLine, {1, 3}, {1, 3}, "M\r\nN  "},
        {"column across a tab", smColumn, {2, 1}, {4, 2}, "P\r\nQ "},
        {"column head beyond the line end", smColumn, {3, 1}, {8, 2}, "R\r\nT"},
        {"column caret in virtual space appending lines", smColumn, {6, 2}, {6, 2}, "1\r\n2 \r\n3"},
    };
    for (const bool trim : {true, false}) {
        for (const Case& c : cases) {
            const std::string name = std::string(c.name) + (trim ? ", trimming" : ", not trimming");
            auto edit = MakeEdit(original);
            edit->SetOptions(trim ? ZefDefaultOptions : ZefDefaultOptions.Without(eoTrimTrailingSpaces));
            edit->SetSelectionMode(c.mode);
            edit->SetCaretAndSelection(c.head, c.anchor, c.head);
            // Selection ends stop at the line end; the caret may stand beyond it.
            ASSERT_EQ(Pos(edit->CaretPos()), Pos(c.head)) << name;
            const std::string before = CaretDump(*edit);

            edit->SetSelectedText(c.text);
            const std::string after = edit->Text();
            const std::string caretAfter = CaretDump(*edit);
            EXPECT_FALSE(edit->HasSelection()) << name;
            EXPECT_NE(after, original) << name;

            edit->Undo();
            EXPECT_EQ(edit->Text(), original) << name;
            EXPECT_EQ(CaretDump(*edit), before) << name;
            EXPECT_EQ(edit->SelectionMode(), c.mode) << name;
            EXPECT_FALSE(edit->CanUndo()) << name << ": one step";
            EXPECT_FALSE(edit->Modified()) << name;

            edit->Redo();
            EXPECT_EQ(edit->Text(), after) << name;
            EXPECT_EQ(CaretDump(*edit), caretAfter) << name;
            EXPECT_TRUE(edit->Modified()) << name;
        }
    }
}

TEST(UndoRedo, RecordedReplacementBringsBackPaddingAndTrimmedBlanks)
{
    struct Case {
        const char* name;
        TZefSelectionMode selectionMode;
        TBufferCoord anchor;
        TBufferCoord head;
        TZefSelectionMode pasteMode;
        const char* text;
        const char* after;
    };
    const Case cases[] = {
        {"column paste pads short lines and appends lines", smNormal, {5, 1}, {5, 1}, smColumn, "1\r\n2\r\n3",
         "abc 1|d   2|    3"},
        {"column selection replaced", smColumn, {2, 1}, {3, 2}, smColumn, "X\r\nY", "ac|dX| Y"},
        {"normal paste over trailing blanks", smNormal, {1, 1}, {2, 1}, smNormal, "P\r\nQ", "P|Qbc|d"},
        {"line paste", smLine, {1, 2}, {1, 2}, smLine, "L\r\n", "abc  |L|d"},
    };
    for (const Case& c : cases) {
        auto edit = MakeEdit("abc  \r\nd");
        const std::string original = edit->Text();
        edit->SetSelectionMode(c.selectionMode);
        edit->SetCaretAndSelection(c.head, c.anchor, c.head);
        const std::string before = CaretDump(*edit);
        edit->UndoList()->AddRecord(ucPasteBegin, edit->SelFirst(), edit->SelLast(), {}, smNormal);
        edit->ReplaceSelectionRecorded(ucPaste, c.pasteMode, c.text);
        edit->UndoList()->AddRecord(ucPasteEnd, edit->SelFirst(), edit->SelLast(), {}, smNormal);
        const std::string after = edit->Text();
        EXPECT_EQ(LinesDump(*edit), c.after) << c.name;
        edit->Undo();
        EXPECT_EQ(edit->Text(), original) << c.name;
        EXPECT_EQ(CaretDump(*edit), before) << c.name;
        EXPECT_FALSE(edit->CanUndo()) << c.name << ": one step";
        edit->Redo();
        EXPECT_EQ(edit->Text(), after) << c.name;
    }
}

TEST(UndoRedo, ColumnInsertionPerLineRecordsUndoTheAppendedLines)
{
    // A column insertion below the last line appends lines; undo takes them away again.
    auto edit = MakeEdit("abcd\r\nef");
    edit->SetSelectionMode(smColumn);
    edit->SetCaretPos(BufferCoord(2, 2));
    edit->SetSelectedText("1\r\n2\r\n3");
    EXPECT_EQ(LinesDump(*edit), "abcd|e1f| 2| 3");
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "abcd|ef");
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "abcd|e1f| 2| 3");
}

TEST(UndoRedo, ReplacingAllLinesIsOneExactStepThatTakesTheLineBreak)
{
    auto edit = MakeEdit("keep\nold\ntail");
    edit->SetCaretPos(BufferCoord(3, 2));
    TypeText(*edit, "x");
    edit->SetModified(false);
    TZefEditStringList source;
    source.SetText("keep\nnew  \n\ntail  \nmore");
    source.SetLineBreakStyle(lbsCR);

    edit->ReplaceAllLines(source);
    // Trailing blanks arrive as they are, although the control trims what is typed.
    EXPECT_EQ(LinesDump(*edit), "keep|new  ||tail  |more");
    EXPECT_EQ(edit->Lines()->LineBreakStyle(), lbsCR);
    EXPECT_EQ(edit->CaretPos(), BufferCoord(4, 2));
    EXPECT_TRUE(edit->Modified());

    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "keep|olxd|tail");
    EXPECT_FALSE(edit->Modified());
    edit->Redo();
    EXPECT_EQ(LinesDump(*edit), "keep|new  ||tail  |more");

    // An empty source leaves one empty line, and that too undoes in one step.
    edit->ReplaceAllLines(TZefEditStringList());
    EXPECT_EQ(LinesDump(*edit), "");
    EXPECT_EQ(edit->Lines()->Count(), 1);
    edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "keep|new  ||tail  |more");
}

TEST(UndoRedo, ReplacingAllLinesByAFileWithMixedBreaksSavesTheFileBytes)
{
    const std::string file = "one\r\ntwo\nthree\rfour";
    auto edit = MakeEdit("one\r\ntwo\r\nold");
    std::istringstream input(file);
    TZefEditStringList source;
    source.LoadFromStream(input);
    ASSERT_TRUE(source.HasMixedLineBreaks());
    edit->ReplaceAllLines(source);
    std::ostringstream saved;
    edit->Lines()->SaveToStream(saved);
    EXPECT_EQ(saved.str(), file);
}
