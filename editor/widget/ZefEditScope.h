// Scope guard for one editing command: paint lock, paint-transient pair and the command's undo group.
#pragma once

#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

// Everything a command records inside the scope shares one change number. With markMode 1 the outermost scope
// records the selection it started with before the first change and the selection it ends with after the
// last, so undo and redo put caret and selection back exactly; with 0 each change adds such marks only when
// its own record would not restore the caret; with 2 the command records its own.
class TCustomZefEdit::TEditScope {
public:
    TEditScope(TCustomZefEdit& edit, int markMode = 0) : edit_(edit), lock_(edit)
    {
        edit_.PaintTransient(ttBefore);
        edit_.BeginEditScope(markMode);
    }
    ~TEditScope()
    {
        if (anywhere_) edit_.options_ = edit_.options_.Without(eoScrollPastEol);
        edit_.EndEditScope();
        edit_.PaintTransient(ttAfter);
    }
    // Lets the caret stand beyond the line end (as with eoScrollPastEol) until the scope ends.
    void CaretAnywhere()
    {
        if (anywhere_ || edit_.options_.Contains(eoScrollPastEol)) return;
        edit_.options_ = edit_.options_.With(eoScrollPastEol);
        anywhere_ = true;
    }
    TEditScope(const TEditScope&) = delete;
    TEditScope& operator=(const TEditScope&) = delete;

private:
    TCustomZefEdit& edit_;
    TPaintLockGuard lock_;
    bool anywhere_ = false;
};
