// Platform virtual-key codes (the values of a US keyboard layout) and the modifier/mouse-button set TShiftState.
// Key events from any toolkit are translated to these codes before they reach the editing engine.
#pragma once

#include <cstdint>

using TVirtualKey = uint16_t;

inline constexpr TVirtualKey VK_LBUTTON = 1;
inline constexpr TVirtualKey VK_RBUTTON = 2;
inline constexpr TVirtualKey VK_CANCEL = 3;
inline constexpr TVirtualKey VK_MBUTTON = 4;
inline constexpr TVirtualKey VK_BACK = 8;
inline constexpr TVirtualKey VK_TAB = 9;
inline constexpr TVirtualKey VK_CLEAR = 12;
inline constexpr TVirtualKey VK_RETURN = 13;
inline constexpr TVirtualKey VK_SHIFT = 16;
inline constexpr TVirtualKey VK_CONTROL = 17;
inline constexpr TVirtualKey VK_MENU = 18; // Alt
inline constexpr TVirtualKey VK_PAUSE = 19;
inline constexpr TVirtualKey VK_CAPITAL = 20;
inline constexpr TVirtualKey VK_ESCAPE = 27;
inline constexpr TVirtualKey VK_SPACE = 32;
inline constexpr TVirtualKey VK_PRIOR = 33; // Page Up
inline constexpr TVirtualKey VK_NEXT = 34;  // Page Down
inline constexpr TVirtualKey VK_END = 35;
inline constexpr TVirtualKey VK_HOME = 36;
inline constexpr TVirtualKey VK_LEFT = 37;
inline constexpr TVirtualKey VK_UP = 38;
inline constexpr TVirtualKey VK_RIGHT = 39;
inline constexpr TVirtualKey VK_DOWN = 40;
inline constexpr TVirtualKey VK_SELECT = 41;
inline constexpr TVirtualKey VK_PRINT = 42;
inline constexpr TVirtualKey VK_EXECUTE = 43;
inline constexpr TVirtualKey VK_SNAPSHOT = 44;
inline constexpr TVirtualKey VK_INSERT = 45;
inline constexpr TVirtualKey VK_DELETE = 46;
inline constexpr TVirtualKey VK_HELP = 47;

// Digits and letters are their upper-case ASCII codes: VK_0 + n, VK_A + n.
inline constexpr TVirtualKey VK_0 = '0';
inline constexpr TVirtualKey VK_9 = '9';
inline constexpr TVirtualKey VK_A = 'A';
inline constexpr TVirtualKey VK_Z = 'Z';

inline constexpr TVirtualKey VK_LWIN = 91;
inline constexpr TVirtualKey VK_RWIN = 92;
inline constexpr TVirtualKey VK_APPS = 93;
inline constexpr TVirtualKey VK_SLEEP = 95;

// Numeric pad.
inline constexpr TVirtualKey VK_NUMPAD0 = 96; // VK_NUMPAD0 + n for digit n
inline constexpr TVirtualKey VK_NUMPAD9 = 105;
inline constexpr TVirtualKey VK_MULTIPLY = 106;
inline constexpr TVirtualKey VK_ADD = 107;
inline constexpr TVirtualKey VK_SEPARATOR = 108;
inline constexpr TVirtualKey VK_SUBTRACT = 109;
inline constexpr TVirtualKey VK_DECIMAL = 110;
inline constexpr TVirtualKey VK_DIVIDE = 111;

// Function keys: VK_F1 + n - 1 for Fn, up to F24.
inline constexpr TVirtualKey VK_F1 = 112;
inline constexpr TVirtualKey VK_F2 = 113;
inline constexpr TVirtualKey VK_F3 = 114;
inline constexpr TVirtualKey VK_F4 = 115;
inline constexpr TVirtualKey VK_F5 = 116;
inline constexpr TVirtualKey VK_F6 = 117;
inline constexpr TVirtualKey VK_F7 = 118;
inline constexpr TVirtualKey VK_F8 = 119;
inline constexpr TVirtualKey VK_F9 = 120;
inline constexpr TVirtualKey VK_F10 = 121;
inline constexpr TVirtualKey VK_F11 = 122;
inline constexpr TVirtualKey VK_F12 = 123;
inline constexpr TVirtualKey VK_F24 = 135;

inline constexpr TVirtualKey VK_NUMLOCK = 144;
inline constexpr TVirtualKey VK_SCROLL = 145;

// Punctuation keys as placed on a US layout.
inline constexpr TVirtualKey VK_OEM_1 = 186;      // ; :
inline constexpr TVirtualKey VK_OEM_PLUS = 187;   // = +
inline constexpr TVirtualKey VK_OEM_COMMA = 188;  // , <
inline constexpr TVirtualKey VK_OEM_MINUS = 189;  // - _
inline constexpr TVirtualKey VK_OEM_PERIOD = 190; // . >
inline constexpr TVirtualKey VK_OEM_2 = 191;      // / ?
inline constexpr TVirtualKey VK_OEM_3 = 192;      // ` ~
inline constexpr TVirtualKey VK_OEM_4 = 219;      // [ {
inline constexpr TVirtualKey VK_OEM_5 = 220;      // \ |
inline constexpr TVirtualKey VK_OEM_6 = 221;      // ] }
inline constexpr TVirtualKey VK_OEM_7 = 222;      // ' "
inline constexpr TVirtualKey VK_OEM_102 = 226;    // the extra key of 102-key keyboards
inline constexpr TVirtualKey VK_PROCESSKEY = 229; // a key the input method consumed

// Modifier keys and mouse buttons held during an input event.
enum TShiftStateFlag : uint8_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};

class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag flag) : bits_(flag) {} // NOLINT: a single flag is a set
    static constexpr TShiftState FromBits(uint8_t bits)
    {
        TShiftState s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint8_t Bits() const { return bits_; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool Contains(TShiftStateFlag flag) const { return (bits_ & flag) != 0; }
    // The keyboard modifiers only (Shift, Alt, Ctrl), without mouse buttons.
    constexpr TShiftState KeyModifiers() const { return FromBits(bits_ & (ssShift | ssAlt | ssCtrl)); }

    constexpr TShiftState& operator|=(TShiftState other)
    {
        bits_ |= other.bits_;
        return *this;
    }
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TShiftState operator&(TShiftState a, TShiftState b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    uint8_t bits_ = 0;
};

constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b)
{
    return TShiftState(a) | TShiftState(b);
}
