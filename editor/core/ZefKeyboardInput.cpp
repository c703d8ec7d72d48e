// Key translation state machine of one editor control; see ZefKeyboardInput.h for the event contract.
#include "ZefKeyboardInput.h"

#include <string>

namespace {

// Keys that may start a two-key sequence: digits, letters, numeric pad and function keys. Control keys
// below and locks/OEM keys above this range, and the lone modifiers 16..18, end any pending sequence.
constexpr TVirtualKey kFirstSequenceKey = 30;
constexpr TVirtualKey kLastSequenceKey = 145;

} // namespace

TZefKeyboardInput::TZefKeyboardInput(const TZefEditKeyStrokes* keystrokes, TDispatch dispatch)
    : keystrokes_(keystrokes), dispatch_(std::move(dispatch))
{
}

TZefEditorCommand TZefKeyboardInput::KeyToCommand(TVirtualKey key, TShiftState shift)
{
    shift = shift.KeyModifiers();
    TZefEditorCommand command = ecNone;
    if (key != 0 && keystrokes_ != nullptr) {
        int i = keystrokes_->FindKeySequence(pendingKey_, pendingShift_, key, shift);
        if (i < 0) i = keystrokes_->FindSingleKey(key, shift);
        if (i >= 0) command = (*keystrokes_)[i].Command;
    }
    if (command != ecNone || key < kFirstSequenceKey || key > kLastSequenceKey) {
        pendingKey_ = 0;
        pendingShift_ = TShiftState();
    } else {
        pendingKey_ = key;
        pendingShift_ = shift;
    }
    return command;
}

bool TZefKeyboardInput::KeyDown(TVirtualKey& key, TShiftState shift)
{
    if (keyDownHook_) keyDownHook_(key, shift);
    TZefEditorCommand command = KeyToCommand(key, shift);
    if (command == ecNone) {
        ignoreNextChar_ = false;
        return false;
    }
    key = 0;
    ignoreNextChar_ = true;
    if (dispatch_) dispatch_(command, '\0', nullptr);
    return true;
}

void TZefKeyboardInput::KeyPress(char ch)
{
    if (imeSkipCount_ > 0) {
        --imeSkipCount_;
        return;
    }
    if (ignoreNextChar_) {
        ignoreNextChar_ = false;
        return;
    }
    if (keyPressHook_) keyPressHook_(ch);
    if (dispatch_) dispatch_(ecChar, ch, nullptr);
}

bool TZefKeyboardInput::SysChar(char ch) { return ch == '\b'; }

void TZefKeyboardInput::ImeResult(std::string_view text)
{
    imeSkipCount_ = static_cast<int>(text.size());
    std::string copy(text); // c_str() supplies the terminating zero the command's data promises
    if (dispatch_) dispatch_(ecImeStr, '\0', copy.data());
}
