// The one table between Qt keys and virtual-key codes, used in both directions.
#include "QtKeyTranslation.h"

#include <QKeyEvent>

namespace {

struct TKeyRow {
    int QtKey;
    bool Keypad; // the row applies only with Qt::KeypadModifier
    TVirtualKey Key;
};

// Rows for the same virtual key are ordered so that the first is the key to synthesize it with: the
// unshifted key of a US layout.
constexpr TKeyRow kKeyRows[] = {
    {Qt::Key_Backspace, false, VK_BACK},
    {Qt::Key_Tab, false, VK_TAB},
    {Qt::Key_Backtab, false, VK_TAB},
    {Qt::Key_Clear, false, VK_CLEAR},
    {Qt::Key_Return, false, VK_RETURN},
    {Qt::Key_Enter, false, VK_RETURN},
    {Qt::Key_Shift, false, VK_SHIFT},
    {Qt::Key_Control, false, VK_CONTROL},
    {Qt::Key_Alt, false, VK_MENU},
    {Qt::Key_AltGr, false, VK_MENU},
    {Qt::Key_Pause, false, VK_PAUSE},
    {Qt::Key_CapsLock, false, VK_CAPITAL},
    {Qt::Key_Escape, false, VK_ESCAPE},
    {Qt::Key_Space, false, VK_SPACE},
    {Qt::Key_PageUp, false, VK_PRIOR},
    {Qt::Key_PageDown, false, VK_NEXT},
    {Qt::Key_End, false, VK_END},
    {Qt::Key_Home, false, VK_HOME},
    {Qt::Key_Left, false, VK_LEFT},
    {Qt::Key_Up, false, VK_UP},
    {Qt::Key_Right, false, VK_RIGHT},
    {Qt::Key_Down, false, VK_DOWN},
    {Qt::Key_Select, false, VK_SELECT},
    {Qt::Key_Printer, false, VK_PRINT},
    {Qt::Key_Execute, false, VK_EXECUTE},
    {Qt::Key_Print, false, VK_SNAPSHOT},
    {Qt::Key_Insert, false, VK_INSERT},
    {Qt::Key_Delete, false, VK_DELETE},
    {Qt::Key_Help, false, VK_HELP},
    // The digit row; the shifted symbols of a US layout share their digit's code.
    {Qt::Key_0, false, '0'},
    {Qt::Key_ParenRight, false, '0'},
    {Qt::Key_1, false, '1'},
    {Qt::Key_Exclam, false, '1'},
    {Qt::Key_2, false, '2'},
    {Qt::Key_At, false, '2'},
    {Qt::Key_3, false, '3'},
    {Qt::Key_NumberSign, false, '3'},
    {Qt::Key_4, false, '4'},
    {Qt::Key_Dollar, false, '4'},
    {Qt::Key_5, false, '5'},
    {Qt::Key_Percent, false, '5'},
    {Qt::Key_6, false, '6'},
    {Qt::Key_AsciiCircum, false, '6'},
    {Qt::Key_7, false, '7'},
    {Qt::Key_Ampersand, false, '7'},
    {Qt::Key_8, false, '8'},
    {Qt::Key_Asterisk, false, '8'},
    {Qt::Key_9, false, '9'},
    {Qt::Key_ParenLeft, false, '9'},
    {Qt::Key_Meta, false, VK_LWIN},
    {Qt::Key_Super_L, false, VK_LWIN},
    {Qt::Key_Super_R, false, VK_RWIN},
    {Qt::Key_Menu, false, VK_APPS},
    {Qt::Key_Sleep, false, VK_SLEEP},
    // Numeric pad: Qt reports the keypad flag with the ordinary key.
    {Qt::Key_0, true, VK_NUMPAD0},
    {Qt::Key_1, true, VK_NUMPAD0 + 1},
    {Qt::Key_2, true, VK_NUMPAD0 + 2},
    {Qt::Key_3, true, VK_NUMPAD0 + 3},
    {Qt::Key_4, true, VK_NUMPAD0 + 4},
    {Qt::Key_5, true, VK_NUMPAD0 + 5},
    {Qt::Key_6, true, VK_NUMPAD0 + 6},
    {Qt::Key_7, true, VK_NUMPAD0 + 7},
    {Qt::Key_8, true, VK_NUMPAD0 + 8},
    {Qt::Key_9, true, VK_NUMPAD0 + 9},
    {Qt::Key_Asterisk, true, VK_MULTIPLY},
    {Qt::Key_Plus, true, VK_ADD},
    {Qt::Key_Minus, true, VK_SUBTRACT},
    {Qt::Key_Period, true, VK_DECIMAL},
    {Qt::Key_Comma, true, VK_DECIMAL},
    {Qt::Key_Slash, true, VK_DIVIDE},
    {Qt::Key_NumLock, false, VK_NUMLOCK},
    {Qt::Key_ScrollLock, false, VK_SCROLL},
    // Punctuation keys of a US layout, unshifted symbol first.
    {Qt::Key_Semicolon, false, VK_OEM_1},
    {Qt::Key_Colon, false, VK_OEM_1},
    {Qt::Key_Equal, false, VK_OEM_PLUS},
    {Qt::Key_Plus, false, VK_OEM_PLUS},
    {Qt::Key_Comma, false, VK_OEM_COMMA},
    {Qt::Key_Less, false, VK_OEM_COMMA},
    {Qt::Key_Minus, false, VK_OEM_MINUS},
    {Qt::Key_Underscore, false, VK_OEM_MINUS},
    {Qt::Key_Period, false, VK_OEM_PERIOD},
    {Qt::Key_Greater, false, VK_OEM_PERIOD},
    {Qt::Key_Slash, false, VK_OEM_2},
    {Qt::Key_Question, false, VK_OEM_2},
    {Qt::Key_QuoteLeft, false, VK_OEM_3},
    {Qt::Key_AsciiTilde, false, VK_OEM_3},
    {Qt::Key_BracketLeft, false, VK_OEM_4},
    {Qt::Key_BraceLeft, false, VK_OEM_4},
    {Qt::Key_Backslash, false, VK_OEM_5},
    {Qt::Key_Bar, false, VK_OEM_5},
    {Qt::Key_BracketRight, false, VK_OEM_6},
    {Qt::Key_BraceRight, false, VK_OEM_6},
    {Qt::Key_Apostrophe, false, VK_OEM_7},
    {Qt::Key_QuoteDbl, false, VK_OEM_7},
};

// Letters and function keys are ranges in both code sets and need no rows.
constexpr int kFunctionKeyCount = VK_F24 - VK_F1 + 1;

const TKeyRow* FindRow(int qtKey, bool keypad)
{
    for (const TKeyRow& row : kKeyRows)
        if (row.QtKey == qtKey && row.Keypad == keypad) return &row;
    return nullptr;
}

} // namespace

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers)
{
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    return shift;
}

Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState shift)
{
    Qt::KeyboardModifiers modifiers;
    if (shift.Contains(ssShift)) modifiers |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl)) modifiers |= Qt::ControlModifier;
    if (shift.Contains(ssAlt)) modifiers |= Qt::AltModifier;
    return modifiers;
}

TVirtualKeyPress TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    TVirtualKeyPress press{0, ShiftStateFromQt(modifiers)};
    if (qtKey == Qt::Key_Backtab) press.Shift |= ssShift;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        press.Key = static_cast<TVirtualKey>(qtKey); // Qt's letter codes are the upper-case ASCII codes
    } else if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeyCount) {
        press.Key = static_cast<TVirtualKey>(VK_F1 + (qtKey - Qt::Key_F1));
    } else {
        const TKeyRow* row = nullptr;
        if (modifiers & Qt::KeypadModifier) row = FindRow(qtKey, true);
        if (row == nullptr) row = FindRow(qtKey, false);
        if (row != nullptr) press.Key = row->Key;
    }
    return press;
}

TVirtualKeyPress TranslateKeyEvent(const QKeyEvent& event)
{
    TVirtualKeyPress press = TranslateQtKey(event.key(), event.modifiers());
    // Qt reports a modifier key's own flag inconsistently (QKeyEvent toggles it); the engine sees a held
    // modifier as part of the state while it is down, and not after its release.
    TShiftStateFlag own = press.Key == VK_SHIFT     ? ssShift
                          : press.Key == VK_CONTROL ? ssCtrl
                          : press.Key == VK_MENU    ? ssAlt
                                                    : TShiftStateFlag{};
    if (own != TShiftStateFlag{}) {
        press.Shift = press.Shift & TShiftState::FromBits(static_cast<uint8_t>(~own));
        if (event.type() == QEvent::KeyPress) press.Shift |= own;
    }
    return press;
}

std::optional<TQtKeyPress> QtKeyFromVirtualKey(TVirtualKey key, TShiftState shift)
{
    Qt::KeyboardModifiers modifiers = QtModifiersFromShiftState(shift);
    if (key >= VK_A && key <= VK_Z) return TQtKeyPress{static_cast<Qt::Key>(key), modifiers};
    if (key >= VK_F1 && key <= VK_F24) return TQtKeyPress{static_cast<Qt::Key>(Qt::Key_F1 + (key - VK_F1)), modifiers};
    for (const TKeyRow& row : kKeyRows) {
        if (row.Key != key) continue;
        if (row.Keypad) modifiers |= Qt::KeypadModifier;
        return TQtKeyPress{static_cast<Qt::Key>(row.QtKey), modifiers};
    }
    return std::nullopt;
}

std::unique_ptr<QKeyEvent> MakeQtKeyEvent(QEvent::Type type, TVirtualKey key, TShiftState shift, const QString& text)
{
    auto qtKey = QtKeyFromVirtualKey(key, shift);
    if (!qtKey) return nullptr;
    return std::make_unique<QKeyEvent>(type, qtKey->Key, qtKey->Modifiers, text);
}
