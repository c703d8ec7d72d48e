// Tests of the Qt key translation, driven by real QKeyEvent objects.
#include "QtKeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

TVirtualKeyPress Translate(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
    return TranslateKeyEvent(event);
}

TEST(QtKeyTranslation, KeyEventsGiveVirtualKeysAndModifiers)
{
    struct Case {
        const char* name;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        TVirtualKey key;
        TShiftState shift;
    };
    const Qt::KeyboardModifiers none;
    const Case cases[] = {
        {"a", Qt::Key_A, none, "a", 'A', {}},
        {"Shift+A", Qt::Key_A, Qt::ShiftModifier, "A", 'A', ssShift},
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, "\x1A", 'Z', ssCtrl},
        {"Ctrl+Alt+Shift+K", Qt::Key_K, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, "", 'K',
         TShiftState(ssCtrl) | ssAlt | ssShift},
        {"1", Qt::Key_1, none, "1", '1', {}},
        {"Shift+1 as '!'", Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', ssShift},
        {"Ctrl+Shift+0 as ')'", Qt::Key_ParenRight, Qt::ControlModifier | Qt::ShiftModifier, "", '0',
         ssCtrl | ssShift},
        {"Shift+8 as '*'", Qt::Key_Asterisk, Qt::ShiftModifier, "*", '8', ssShift},
        {"keypad 1", Qt::Key_1, Qt::KeypadModifier, "1", VK_NUMPAD0 + 1, {}},
        {"keypad *", Qt::Key_Asterisk, Qt::KeypadModifier, "*", VK_MULTIPLY, {}},
        {"keypad +", Qt::Key_Plus, Qt::KeypadModifier, "+", VK_ADD, {}},
        {"keypad .", Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL, {}},
        {"keypad /", Qt::Key_Slash, Qt::KeypadModifier, "/", VK_DIVIDE, {}},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN, {}},
        {"keypad Home (NumLock off)", Qt::Key_Home, Qt::KeypadModifier, "", VK_HOME, {}},
        {"keypad Shift+Ins", Qt::Key_Insert, Qt::KeypadModifier | Qt::ShiftModifier, "", VK_INSERT, ssShift},
        {"Enter", Qt::Key_Return, none, "\r", VK_RETURN, {}},
        {"Shift+Tab as Backtab", Qt::Key_Backtab, Qt::ShiftModifier, "", VK_TAB, ssShift},
        {"Backtab without the flag", Qt::Key_Backtab, none, "", VK_TAB, ssShift},
        {"Alt+Shift+Backspace", Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier, "", VK_BACK,
         ssAlt | ssShift},
        {"Ctrl+Page Down", Qt::Key_PageDown, Qt::ControlModifier, "", VK_NEXT, ssCtrl},
        {"Page Up", Qt::Key_PageUp, none, "", VK_PRIOR, {}},
        {"Delete", Qt::Key_Delete, none, "\x7F", VK_DELETE, {}},
        {"F1", Qt::Key_F1, none, "", VK_F1, {}},
        {"F12", Qt::Key_F12, none, "", VK_F12, {}},
        {"F24", Qt::Key_F24, none, "", VK_F24, {}},
        {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", VK_SHIFT, ssShift},
        {"Ctrl alone", Qt::Key_Control, Qt::ControlModifier, "", VK_CONTROL, ssCtrl},
        {"Alt alone", Qt::Key_Alt, Qt::AltModifier, "", VK_MENU, ssAlt},
        {"Meta is no modifier", Qt::Key_Left, Qt::MetaModifier, "", VK_LEFT, {}},
        {"Shift+[ as '{'", Qt::Key_BraceLeft, Qt::ShiftModifier, "{", VK_OEM_4, ssShift},
        {"'", Qt::Key_Apostrophe, none, "'", VK_OEM_7, {}},
        {";", Qt::Key_Semicolon, none, ";", VK_OEM_1, {}},
        {"-", Qt::Key_Minus, none, "-", VK_OEM_MINUS, {}},
        {"Space", Qt::Key_Space, none, " ", VK_SPACE, {}},
        {"F25 is unknown", Qt::Key_F25, none, "", 0, {}},
        {"É key is unknown", Qt::Key_Eacute, none, "\u00C9", 0, {}},
        {"volume key is unknown", Qt::Key_VolumeUp, Qt::ControlModifier, "", 0, ssCtrl},
        {"Key_unknown", Qt::Key_unknown, none, "", 0, {}},
    };
    for (const Case& c : cases) {
        TVirtualKeyPress press = Translate(c.qtKey, c.modifiers, QString::fromUtf8(c.text));
        EXPECT_EQ(press.Key, c.key) << c.name;
        EXPECT_EQ(press.Shift.Bits(), c.shift.Bits()) << c.name;
    }
}

TEST(QtKeyTranslation, SynthesizedEventsTranslateBack)
{
    const TShiftState shifts[] = {{}, ssShift, ssCtrl, ssAlt, TShiftState(ssCtrl) | ssAlt | ssShift};
    int known = 0;
    for (int code = 1; code < 256; ++code) {
        auto key = static_cast<TVirtualKey>(code);
        for (TShiftState shift : shifts) {
            std::unique_ptr<QKeyEvent> event = MakeQtKeyEvent(QEvent::KeyPress, key, shift);
            if (!event) continue;
            ++known;
            TVirtualKeyPress press = TranslateKeyEvent(*event);
            EXPECT_EQ(press.Key, key) << code;
            if (key < VK_SHIFT || key > VK_MENU) { // modifier keys are covered below
                EXPECT_EQ(press.Shift, shift) << code;
            }
        }
    }
    EXPECT_GT(known, 0);
    // Every key the default keystroke table and the numeric pad use can be synthesized.
    for (TVirtualKey key : {VK_BACK, VK_TAB, VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP,
                            VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE, VK_F1, VK_SHIFT, VK_CONTROL, VK_MENU,
                            VK_MULTIPLY, VK_ADD, VK_SUBTRACT, VK_DECIMAL, VK_DIVIDE}) {
        EXPECT_NE(MakeQtKeyEvent(QEvent::KeyPress, key, {}), nullptr) << key;
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_NE(MakeQtKeyEvent(QEvent::KeyPress, static_cast<TVirtualKey>('0' + i), ssCtrl), nullptr);
        EXPECT_NE(MakeQtKeyEvent(QEvent::KeyPress, static_cast<TVirtualKey>(VK_NUMPAD0 + i), {}), nullptr);
    }
    for (int i = 0; i < 26; ++i)
        EXPECT_NE(MakeQtKeyEvent(QEvent::KeyPress, static_cast<TVirtualKey>('A' + i), ssCtrl), nullptr);
}

TEST(QtKeyTranslation, ModifierKeyCarriesItsOwnFlagWhileDown)
{
    struct Case {
        int qtKey;
        QEvent::Type type;
        Qt::KeyboardModifiers modifiers;
        TShiftState shift;
    };
    const Case cases[] = {
        {Qt::Key_Control, QEvent::KeyPress, Qt::ShiftModifier, TShiftState(ssShift) | ssCtrl},
        {Qt::Key_Control, QEvent::KeyPress, Qt::ShiftModifier | Qt::ControlModifier, TShiftState(ssShift) | ssCtrl},
        {Qt::Key_Control, QEvent::KeyRelease, Qt::ControlModifier, {}},
        {Qt::Key_Alt, QEvent::KeyRelease, Qt::ShiftModifier | Qt::AltModifier, ssShift},
        {Qt::Key_Shift, QEvent::KeyPress, Qt::NoModifier, ssShift},
    };
    for (const Case& c : cases) {
        QKeyEvent event(c.type, c.qtKey, c.modifiers);
        EXPECT_EQ(TranslateKeyEvent(event).Shift, c.shift) << c.qtKey << ' ' << c.type;
    }
}

TEST(QtKeyTranslation, SynthesizedEventsCarryTextAndTheKeypadFlag)
{
    auto event = MakeQtKeyEvent(QEvent::KeyPress, 'Z', ssCtrl, QStringLiteral("\x1A"));
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->key(), Qt::Key_Z);
    EXPECT_EQ(event->modifiers(), Qt::ControlModifier);
    EXPECT_EQ(event->text(), QStringLiteral("\x1A"));

    event = MakeQtKeyEvent(QEvent::KeyRelease, VK_NUMPAD0 + 7, ssShift);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->type(), QEvent::KeyRelease);
    EXPECT_EQ(event->key(), Qt::Key_7);
    EXPECT_EQ(event->modifiers(), Qt::KeypadModifier | Qt::ShiftModifier);

    EXPECT_EQ(MakeQtKeyEvent(QEvent::KeyPress, 0, {}), nullptr);
    EXPECT_EQ(MakeQtKeyEvent(QEvent::KeyPress, 255, {}), nullptr);
}

} // namespace
