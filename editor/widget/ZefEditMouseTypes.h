// Event types, the clipboard format and the error kind of the editor control's mouse, clipboard and drag code.
#pragma once

#include "ZefEditTypes.h"

#include <QPoint>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class TCustomZefEdit;
class TZefEditMark;

// A clipboard operation the platform refused; carries one of the two fixed messages.
class EZefEditClipboard : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* ClipboardCopyFailed = "Clipboard copy operation failed";
inline constexpr const char* ClipboardPasteFailed = "Clipboard paste operation failed.";

// The private clipboard format, offered beside the plain text: one byte with the copying control's selection
// mode (0 smNormal, 1 smLine, 2 smColumn), the text as the control holds it (CR LF between lines), a
// terminating zero byte. On Windows Qt registers it under the name "ZefEdit Control Block Type"; X11 and
// Wayland carry MIME types, so there it is a private one. Binds only between instances of this program.
#ifdef Q_OS_WIN
inline constexpr const char* ClipboardBlockFormat = "application/x-qt-windows-mime;value=\"ZefEdit Control Block Type\"";
#else
inline constexpr const char* ClipboardBlockFormat = "application/x-zefedit-control-block-type";
#endif

// Mouse buttons as the events hand them on: left 0, right 1, middle 2.
enum TZefMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Mark is the clicked mark of the line, or null.
using TZefGutterClickEvent =
    std::function<void(TCustomZefEdit* sender, TZefMouseButton button, int x, int y, int line, TZefEditMark* mark)>;
// The handler may change the pointer shape chosen for the text at aLineCharPos.
using TZefMouseCursorEvent =
    std::function<void(TCustomZefEdit* sender, const TBufferCoord& aLineCharPos, Qt::CursorShape& aCursor)>;
// x, y: the drop point in client pixels; files as 8-bit names.
using TZefDropFilesEvent =
    std::function<void(TCustomZefEdit* sender, int x, int y, const std::vector<std::string>& aFiles)>;
// Clearing cannot be cancelled; the handler only sees the mark before it goes.
using TZefClearBookmarkEvent = std::function<void(TCustomZefEdit* sender, TZefEditMark* mark)>;
// The application's own mouse events (pixel position in the text area).
using TZefMouseEvent =
    std::function<void(TCustomZefEdit* sender, TZefMouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;

// The mouse state of one control (pixel positions are viewport coordinates).
struct TZefMouseState {
    QPoint MouseDownPoint;        // the last left press on a selection
    TBufferCoord DragStart;       // the text position of that press, where a drag that leaves puts the caret back
    bool WaitingForDrag = false;  // a press on the selection that has not moved past the drag threshold yet
    bool DoubleClicked = false;
    bool GutterClicked = false;
    bool Captured = false;        // a left press is held (the platform's capture)
    int ScrollDeltaX = 0;         // ScrollTimer's deltas, in characters and rows
    int ScrollDeltaY = 0;
    int WheelAccumulator = 0;     // wheel units left over from earlier turns, below one step of 120
    bool Dragging = false;        // this control's selection is being dragged
    QPoint PointerPos;            // where the pointer was last seen while captured or dragging
    Qt::KeyboardModifiers Modifiers; // the modifiers of that event (Shift makes ScrollTimer page)
};
