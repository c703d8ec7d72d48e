// Tests of key translation: two-key sequences, swallowed characters, input-method results and hooks.
#include "ZefKeyboardInput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr TZefEditorCommand ecTwoKey = ecUserFirst + 5;

struct Key {
    TVirtualKey key;
    TShiftState shift;
};

// A control stand-in: the default table plus Ctrl+K,B, and a log of what reached the dispatcher.
class KeyboardInputTest : public ::testing::Test {
protected:
    KeyboardInputTest() : input(&keys, [this](TZefEditorCommand c, char ch, void* data) { Record(c, ch, data); })
    {
        keys.LoadDefaultKeystrokes();
        keys.AppendKeySequence(ecTwoKey, 'K', ssCtrl, 'B', {});
    }

    void Record(TZefEditorCommand command, char ch, void* data)
    {
        if (!log.empty()) log += ' ';
        log += CommandToName(command);
        if (ch != '\0') log += std::string("'") + ch + "'";
        if (data != nullptr) log += "\"" + std::string(static_cast<const char*>(data)) + "\"";
    }

    // Key down followed by the character the platform derives from it (none when ch is 0).
    void Type(TVirtualKey key, TShiftState shift, char ch)
    {
        input.KeyDown(key, shift);
        if (ch != '\0') input.KeyPress(ch);
    }

    TZefEditKeyStrokes keys;
    TZefKeyboardInput input;
    std::string log;
};

TEST_F(KeyboardInputTest, CommandKeySwallowsItsCharacterOnly)
{
    TVirtualKey key = 'Z';
    EXPECT_TRUE(input.KeyDown(key, ssCtrl));
    EXPECT_EQ(key, 0); // handled
    EXPECT_TRUE(input.IgnoreNextChar());
    input.KeyPress('\x1A'); // Ctrl+Z's character is not typed
    EXPECT_FALSE(input.IgnoreNextChar());
    Type('A', ssShift, 'A');
    EXPECT_EQ(log, "ecUndo ecChar'A'");
}

TEST_F(KeyboardInputTest, KeyWithoutCommandClearsIgnoreNextChar)
{
    TVirtualKey key = VK_LEFT;
    input.KeyDown(key, {}); // a command with no character following
    EXPECT_TRUE(input.IgnoreNextChar());
    key = 'X';
    EXPECT_FALSE(input.KeyDown(key, {}));
    EXPECT_EQ(key, 'X');
    EXPECT_FALSE(input.IgnoreNextChar());
    input.KeyPress('x');
    EXPECT_EQ(log, "ecLeft ecChar'x'");
}

TEST_F(KeyboardInputTest, TwoKeySequences)
{
    struct Case {
        const char* name;
        std::vector<Key> keys;
        TZefEditorCommand last; // command of the last key
    };
    const Case cases[] = {
        {"Ctrl+K B", {{'K', ssCtrl}, {'B', {}}}, ecTwoKey},
        {"modifiers before Ctrl+K", {{VK_SHIFT, ssShift}, {VK_CONTROL, ssCtrl}, {VK_MENU, ssAlt}, {'K', ssCtrl}, {'B', {}}},
         ecTwoKey},
        {"Shift between", {{'K', ssCtrl}, {VK_SHIFT, ssShift}, {'B', {}}}, ecNone},
        {"Ctrl pressed again between", {{'K', ssCtrl}, {VK_CONTROL, ssCtrl}, {'B', {}}}, ecNone},
        {"second half with Ctrl", {{'K', ssCtrl}, {'B', ssCtrl}}, ecNone},
        {"command between", {{'K', ssCtrl}, {VK_LEFT, {}}, {'B', {}}}, ecNone},
        {"Escape between", {{'K', ssCtrl}, {VK_ESCAPE, {}}, {'B', {}}}, ecNone},
        {"other key between", {{'K', ssCtrl}, {'Q', {}}, {'B', {}}}, ecNone},
        {"second half alone", {{'B', {}}}, ecNone},
        // A pending key that does not complete a sequence still lets the next key run its own command.
        {"pending then single key", {{'K', ssCtrl}, {'Z', ssCtrl}}, ecUndo},
    };
    for (const Case& c : cases) {
        TZefKeyboardInput fresh(&keys, nullptr);
        TZefEditorCommand command = ecNone;
        for (Key k : c.keys) command = fresh.KeyToCommand(k.key, k.shift);
        EXPECT_EQ(CommandToName(command), CommandToName(c.last)) << c.name;
    }
}

TEST_F(KeyboardInputTest, PendingKeyFollowsTheRangeRule)
{
    struct Case {
        Key key;
        TVirtualKey pending;
    };
    const Case cases[] = {
        {{'K', ssCtrl}, 'K'},  {{VK_NUMPAD0, {}}, VK_NUMPAD0}, {{VK_F24, ssAlt}, VK_F24}, {{VK_SCROLL, {}}, VK_SCROLL},
        {{29, {}}, 0},         {{146, {}}, 0},                 {{VK_OEM_1, {}}, 0},        {{VK_SHIFT, ssShift}, 0},
        {{VK_SPACE, {}}, VK_SPACE},
        {{'Z', ssCtrl}, 0}, // produced a command
    };
    for (const Case& c : cases) {
        TZefKeyboardInput fresh(&keys, nullptr);
        fresh.KeyToCommand('J', ssAlt); // something pending beforehand
        fresh.KeyToCommand(c.key.key, c.key.shift);
        EXPECT_EQ(fresh.PendingKey(), c.pending) << c.key.key;
        EXPECT_EQ(fresh.PendingShift(), c.pending != 0 ? c.key.shift.KeyModifiers() : TShiftState()) << c.key.key;
    }
}

TEST_F(KeyboardInputTest, SequenceDispatchesOnceAndSwallowsTheSecondCharacter)
{
    Type(VK_CONTROL, ssCtrl, '\0');
    Type('K', ssCtrl, '\x0B');
    Type('B', {}, 'b');
    Type('B', {}, 'b');
    EXPECT_EQ(log, "ecChar'\x0B' " + CommandToName(ecTwoKey) + " ecChar'b'");
}

TEST_F(KeyboardInputTest, HooksRunBeforeTranslationAndTyping)
{
    input.SetKeyDownHook([](TVirtualKey& key, TShiftState shift) {
        if (key == 'Z' && shift == TShiftState(ssCtrl)) key = 0;
    });
    input.SetKeyPressHook([](char& ch) {
        if (ch == 'a') ch = 'b';
    });
    TVirtualKey key = 'Z';
    EXPECT_FALSE(input.KeyDown(key, ssCtrl)); // the application took the key
    EXPECT_EQ(input.PendingKey(), 0);
    input.KeyPress('a');
    key = 'Y';
    input.KeyDown(key, ssCtrl);
    EXPECT_EQ(log, "ecChar'b' ecDeleteLine");
}

TEST_F(KeyboardInputTest, InputMethodResultSkipsItsCharacters)
{
    TVirtualKey key = VK_HOME;
    input.KeyDown(key, {}); // leaves IgnoreNextChar set
    input.ImeResult("d\xE9j\xE0");
    EXPECT_EQ(input.ImeSkipCount(), 4);
    for (char ch : std::string("d\xE9j\xE0")) input.KeyPress(ch);
    EXPECT_EQ(input.ImeSkipCount(), 0);
    input.KeyPress('x'); // IgnoreNextChar is still waiting behind the skipped bytes
    input.KeyPress('y');
    EXPECT_EQ(log, "ecLineStart ecImeStr\"d\xE9j\xE0\" ecChar'y'");
}

TEST_F(KeyboardInputTest, ImeDataIsZeroTerminatedEvenFromASlice)
{
    std::string buffer = "abcdef";
    std::string seen;
    input.SetDispatch([&](TZefEditorCommand c, char, void* data) {
        if (c == ecImeStr) seen = static_cast<const char*>(data);
    });
    input.ImeResult(std::string_view(buffer).substr(1, 3));
    EXPECT_EQ(seen, "bcd");
}

TEST_F(KeyboardInputTest, AltBackspaceSystemCharacterIsDiscarded)
{
    TVirtualKey key = VK_BACK;
    EXPECT_TRUE(input.KeyDown(key, ssAlt));
    EXPECT_TRUE(input.SysChar('\b'));
    EXPECT_FALSE(input.SysChar('f')); // Alt+F goes to the menu
    EXPECT_EQ(log, "ecUndo");
}

TEST_F(KeyboardInputTest, DocumentEditorKeysProduceNoCommand)
{
    RemoveDocumentEditorKeystrokes(keys);
    for (Key k : {Key{VK_RETURN, ssShift}, Key{VK_BACK, ssShift}, Key{VK_F1, {}}}) {
        TVirtualKey key = k.key;
        EXPECT_FALSE(input.KeyDown(key, k.shift)) << k.key;
        EXPECT_EQ(key, k.key);
    }
    input.KeyPress('\r'); // reaches the control as a character, which ecChar ignores there
    EXPECT_EQ(log, "ecChar'\r'");
}

} // namespace
