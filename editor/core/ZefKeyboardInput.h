// Turns one control's key-down, character and input-method events into editor commands.
#pragma once

#include "ZefEditKeyCmds.h"

#include <functional>
#include <string_view>

// Holds the translation state of one editor control and reaches the control only through the callbacks it
// is given, so that it runs without any window. The control owns one and forwards its platform events:
//   key down           -> KeyDown (after translating the platform key to a virtual key and TShiftState)
//   character          -> KeyPress, or SysChar for a character produced while Alt is held
//   input-method result -> ImeResult, with the result already converted to 8-bit text
class TZefKeyboardInput {
public:
    // Runs a command through the control's dispatcher (its DispatchCommand).
    using TDispatch = std::function<void(TZefEditorCommand command, char ch, void* data)>;
    // The application's key-down handler; it may clear key to 0 so that no command is looked up.
    using TKeyDownHook = std::function<void(TVirtualKey& key, TShiftState shift)>;
    // The application's key-press handler; it may change the character.
    using TKeyPressHook = std::function<void(char& ch)>;

    // keystrokes: the control's table, not owned; it must outlive this object or be replaced by SetKeystrokes.
    TZefKeyboardInput(const TZefEditKeyStrokes* keystrokes, TDispatch dispatch);

    void SetKeystrokes(const TZefEditKeyStrokes* keystrokes) { keystrokes_ = keystrokes; }
    void SetDispatch(TDispatch dispatch) { dispatch_ = std::move(dispatch); }
    void SetKeyDownHook(TKeyDownHook hook) { keyDownHook_ = std::move(hook); }
    void SetKeyPressHook(TKeyPressHook hook) { keyPressHook_ = std::move(hook); }

    // The command for a key, taking the pending first half of a two-key sequence into account, and the new
    // pending key: a key of code 30..145 that produced nothing waits as a first half; any other key, or a
    // key that produced a command, clears it. Key 0 never produces a command.
    TZefEditorCommand KeyToCommand(TVirtualKey key, TShiftState shift);

    // Runs the key-down hook, then translates. On a command, clears key, sets IgnoreNextChar and dispatches
    // (command, 0, nullptr); returns true when the key was handled so.
    bool KeyDown(TVirtualKey& key, TShiftState shift);

    // A character message: dropped while ImeSkipCount > 0 or when IgnoreNextChar is set (which is then
    // cleared); otherwise runs the key-press hook and dispatches (ecChar, ch, nullptr).
    void KeyPress(char ch);

    // A character produced while Alt was held. The one from Alt+Backspace is swallowed (returns true) so the
    // platform does not beep for it; others are left to the platform (menu mnemonics) and never typed.
    bool SysChar(char ch);

    // A finished input-method composition as 8-bit text: the next text.size() character messages are
    // dropped, and ecImeStr is dispatched with a zero-terminated copy of the text as data (valid during the
    // dispatch only).
    void ImeResult(std::string_view text);

    TVirtualKey PendingKey() const { return pendingKey_; }
    TShiftState PendingShift() const { return pendingShift_; }
    bool IgnoreNextChar() const { return ignoreNextChar_; }
    int ImeSkipCount() const { return imeSkipCount_; }

private:
    const TZefEditKeyStrokes* keystrokes_;
    TDispatch dispatch_;
    TKeyDownHook keyDownHook_;
    TKeyPressHook keyPressHook_;

    TVirtualKey pendingKey_ = 0;
    TShiftState pendingShift_;
    bool ignoreNextChar_ = false;
    int imeSkipCount_ = 0;
};
