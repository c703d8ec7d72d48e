// Translation between Qt key events and the platform virtual-key codes and TShiftState of the editing engine.
#pragma once

#include "VirtualKeys.h"

#include <QEvent>
#include <QString>
#include <Qt>

#include <memory>
#include <optional>

class QKeyEvent;

// A key as the editing engine sees it: virtual key 0 stands for a key with no code of its own.
struct TVirtualKeyPress {
    TVirtualKey Key = 0;
    TShiftState Shift;
};

// Shift, Ctrl and Alt only; Meta and the keypad flag are not modifiers of the engine.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState shift);

// Letters and digits give their upper-case ASCII code whatever Shift says; the shifted punctuation of a
// US layout ('!', '{', ...) gives the code of its key; with Qt::KeypadModifier the numeric pad codes are
// used. Qt::Key_Backtab is Tab with Shift. Unknown keys give 0.
TVirtualKeyPress TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
// As TranslateQtKey; a modifier key itself (Shift, Ctrl, Alt) carries its own flag when pressed and not when
// released.
TVirtualKeyPress TranslateKeyEvent(const QKeyEvent& event);

// The Qt key that produces a virtual key (the unshifted key of a US layout), with the keypad flag for the
// numeric pad codes; std::nullopt for a code the table lacks.
struct TQtKeyPress {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
};
std::optional<TQtKeyPress> QtKeyFromVirtualKey(TVirtualKey key, TShiftState shift);

// A synthesized key event for tests and for replaying keys; text is the character the key types (empty
// for none). Returns nullptr for a code the table lacks.
std::unique_ptr<QKeyEvent> MakeQtKeyEvent(QEvent::Type type, TVirtualKey key, TShiftState shift,
                                          const QString& text = {});
