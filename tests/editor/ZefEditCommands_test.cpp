// The command dispatcher and its events, keys reaching commands, read-only and mode commands, focus commands.
#include "ZefEditTestSupport.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records every dispatched command as "<command>:<character code>" through OnCommandProcessed.
struct CommandLog {
    explicit CommandLog(TCustomZefEdit& edit)
    {
        edit.OnCommandProcessed = [this](TCustomZefEdit*, TZefEditorCommand& command, char& ch, void*) {
            if (!text.empty()) text += ' ';
            text += CommandToName(command) + ":" + std::to_string(static_cast<unsigned char>(ch));
        };
    }
    std::string text;
};

} // namespace

TEST(ZefEditCommands, DispatcherOffersEachCommandToItsEventThenRunsIt)
{
    auto edit = MakeEdit("abc");
    std::string order;
    edit->OnProcessCommand = [&](TCustomZefEdit*, TZefEditorCommand& command, char&, void*) {
        order += "process " + CommandToName(command) + "; ";
    };
    edit->OnProcessUserCommand = [&](TCustomZefEdit*, TZefEditorCommand& command, char&, void*) {
        order += "user " + CommandToName(command) + "; ";
    };
    edit->OnCommandProcessed = [&](TCustomZefEdit* sender, TZefEditorCommand& command, char&, void*) {
        order += "done " + CommandToName(command) + " at " + Pos(sender->CaretPos()) + "; ";
    };
    edit->DispatchCommand(ecRight, 0, nullptr);
    edit->DispatchCommand(1005, 0, nullptr);
    EXPECT_EQ(order, "process ecRight; done ecRight at (2,1); user 1005; done 1005 at (2,1); ");
}

TEST(ZefEditCommands, HandlersMayCancelOrReplaceTheCommand)
{
    auto edit = MakeEdit("abc");
    edit->SetCaretPos(BufferCoord(2, 1));
    CommandLog log(*edit);
    edit->OnProcessCommand = [](TCustomZefEdit*, TZefEditorCommand& command, char&, void*) {
        if (command == ecRight) command = ecNone;
        if (command == ecLineEnd) command = ecLineStart;
    };
    edit->DispatchCommand(ecRight, 0, nullptr);
    EXPECT_EQ(Pos(edit->CaretPos()), "(2,1)") << "cancelled";
    edit->DispatchCommand(ecLineEnd, 0, nullptr);
    EXPECT_EQ(Pos(edit->CaretPos()), "(1,1)") << "replaced";
    EXPECT_EQ(log.text, "ecNone:0 ecLineStart:0");
}

TEST(ZefEditCommands, KeysBecomeCommandsAndTheirCharactersAreNotTyped)
{
    auto edit = MakeEdit("abc\r\ndef");
    CommandLog log(*edit);
    QTest::keyClick(edit.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(edit.get(), Qt::Key_A);
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), Qt::Key_Down);
    EXPECT_EQ(log.text, "ecUndo:0 ecChar:97 ecSelRight:0 ecDown:0");
    EXPECT_EQ(LinesDump(*edit), "aabc|def") << "only the plain key typed its character";
    EXPECT_EQ(CaretDump(*edit), "caret (3,2) sel (3,2)-(3,2)");
}

TEST(ZefEditCommands, KeysWithoutAnEntryGoToTheParent)
{
    auto edit = MakeEdit("abc");
    RemoveDocumentEditorKeystrokes(edit->Keystrokes());
    CommandLog log(*edit);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(edit.get(), &f1);
    EXPECT_FALSE(f1.isAccepted()) << "F1 is left to the application";
    QKeyEvent shiftEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(edit.get(), &shiftEnter);
    EXPECT_EQ(log.text, "ecChar:13") << "Shift+Enter has no command; its character is ignored by typing";

    edit->SetWantReturns(false);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(edit.get(), &enter);
    EXPECT_FALSE(enter.isAccepted()) << "without WantReturns Enter goes to the dialog";
    EXPECT_EQ(log.text, "ecChar:13");
}

TEST(ZefEditCommands, TabReachesTheControlOnlyWithWantTabs)
{
    for (const bool wantTabs : {false, true}) {
        auto edit = MakeEdit("abc");
        edit->SetWantTabs(wantTabs);
        CommandLog log(*edit);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(edit.get(), &tab);
        EXPECT_EQ(log.text, wantTabs ? "ecTab:0" : "") << "WantTabs " << wantTabs;
    }
}

TEST(ZefEditCommands, InputMethodResultIsDispatchedAsOneString)
{
    auto edit = MakeEdit("abc");
    std::string received;
    std::string commands;
    edit->OnCommandProcessed = [&](TCustomZefEdit*, TZefEditorCommand& command, char& ch, void* data) {
        if (command == ecImeStr) received = static_cast<const char*>(data);
        commands += CommandToName(command) + ":" + std::to_string(static_cast<unsigned char>(ch)) + " ";
    };
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    QCoreApplication::sendEvent(edit.get(), &commit);
    EXPECT_EQ(received, "\xE9t\xE9") << "8-bit text of the code page";
    QTest::keyClick(edit.get(), Qt::Key_X);
    EXPECT_EQ(commands, "ecImeStr:0 ecChar:120 ") << "the next typed key is not swallowed";
}

TEST(ZefEditCommands, KeyToCommandWaitsForTheSecondKeyOfASequence)
{
    auto edit = MakeEdit("abc");
    edit->Keystrokes().AppendKeySequence(ecLineEnd, 'K', ssCtrl, 'B', TShiftState());
    EXPECT_EQ(edit->KeyToCommand('K', ssCtrl), ecNone);
    EXPECT_EQ(edit->KeyToCommand('B', TShiftState()), ecLineEnd);
    QTest::keyClick(edit.get(), Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(edit.get(), Qt::Key_B);
    EXPECT_EQ(Pos(edit->CaretPos()), "(4,1)") << "the sequence ran ecLineEnd and typed nothing";
}

TEST(ZefEditCommands, ReadOnlyBlocksEditCommandsButNotMovement)
{
    for (const bool readOnly : {true, false}) {
        auto edit = MakeEdit("abc\r\ndef");
        edit->SetReadOnly(readOnly);
        edit->DispatchCommand(ecDown, 0, nullptr);
        EXPECT_EQ(Pos(edit->CaretPos()), "(1,2)");
        edit->DispatchCommand(ecSelectAll, 0, nullptr);
        EXPECT_EQ(edit->SelectedText(), "abc\r\ndef");
        edit->DispatchCommand(ecClearAll, 0, nullptr);
        EXPECT_EQ(LinesDump(*edit), readOnly ? "abc|def" : "") << "read-only " << readOnly;
    }
}

TEST(ZefEditCommands, ModeCommandsSetInsertAndSelectionMode)
{
    auto edit = MakeEdit("abc");
    const struct {
        TZefEditorCommand command;
        const char* expected;
    } steps[] = {
        {ecOverwriteMode, "insert 0 mode 0"}, {ecToggleMode, "insert 1 mode 0"}, {ecToggleMode, "insert 0 mode 0"},
        {ecInsertMode, "insert 1 mode 0"},    {ecColumnSelect, "insert 1 mode 2"}, {ecLineSelect, "insert 1 mode 1"},
        {ecNormalSelect, "insert 1 mode 0"},
    };
    for (const auto& step : steps) {
        edit->DispatchCommand(step.command, 0, nullptr);
        EXPECT_EQ("insert " + std::to_string(edit->InsertMode()) + " mode " + std::to_string(edit->SelectionMode()),
                  step.expected)
            << CommandToName(step.command);
    }
}

TEST(ZefEditCommands, ContextHelpPassesTheWordAtTheCaret)
{
    auto edit = MakeEdit("foo.barBaz qux");
    std::vector<std::string> words;
    edit->OnContextHelp = [&](TCustomZefEdit*, const std::string& word) { words.push_back(word); };
    edit->SetCaretAndSelection(BufferCoord(7, 1), BufferCoord(1, 1), BufferCoord(7, 1));
    edit->DispatchCommand(ecContextHelp, 0, nullptr);
    edit->SetCaretPos(BufferCoord(11, 1));
    edit->DispatchCommand(ecContextHelp, 0, nullptr);
    edit->SetCaretPos(BufferCoord(4, 1));
    edit->DispatchCommand(ecContextHelp, 0, nullptr);
    EXPECT_EQ(words, (std::vector<std::string>{"barBaz", "barBaz", "foo"}));
}

TEST(ZefEditCommands, ContextHelpKeepsTheSelection)
{
    auto edit = MakeEdit("foo bar");
    edit->OnContextHelp = [](TCustomZefEdit*, const std::string&) {};
    edit->SetCaretAndSelection(BufferCoord(3, 1), BufferCoord(1, 1), BufferCoord(3, 1));
    edit->DispatchCommand(ecContextHelp, 0, nullptr);
    EXPECT_EQ(CaretDump(*edit), "caret (3,1) sel (1,1)-(3,1)");
}

TEST(ZefEditCommands, FocusChangesAreDispatchedAsCommands)
{
    auto edit = MakeEdit();
    CommandLog log(*edit);
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit.get(), &in);
    QCoreApplication::sendEvent(edit.get(), &out);
    EXPECT_EQ(log.text, "700:0 701:0");
}

TEST(ZefEditCommands, LineChangesCollapseTheSelectionAtTheCaret)
{
    auto edit = MakeEdit("abc\r\ndef");
    edit->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(1, 1), BufferCoord(2, 2));
    ASSERT_TRUE(edit->HasSelection());
    edit->Lines()->BeginUpdate();
    edit->Lines()->ReplaceLine(0, "xyz");
    EXPECT_TRUE(edit->HasSelection()) << "not before the update bracket closes";
    edit->Lines()->EndUpdate();
    EXPECT_EQ(CaretDump(*edit), "caret (2,2) sel (2,2)-(2,2)");
}
