#include "ZefPrintShortcut.h"

#include "QtKeyTranslation.h"
#include "ZefEdit.h"

#include <QKeyEvent>

QKeySequence ZefPrintShortcut() { return QKeySequence(Qt::CTRL | Qt::Key_P); }

bool ZefEditorClaimsPrintKey(TCustomZefEdit& edit, const QKeyEvent& event)
{
    if (QKeySequence(event.keyCombination()) != ZefPrintShortcut())
        return false;
    const TVirtualKeyPress press = TranslateKeyEvent(event);
    return edit.Keystrokes().FindSingleKey(press.Key, press.Shift) >= 0;
}
