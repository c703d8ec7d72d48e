// Scope guard for the editor's paint lock, shared by the control's implementation files.
#pragma once

#include "ZefEdit.h"

// Holds the paint lock of one control for a scope; the outermost release flushes status changes.
class TCustomZefEdit::TPaintLockGuard {
public:
    explicit TPaintLockGuard(TCustomZefEdit& edit) : edit_(edit) { edit_.BeginPaintLock(); }
    ~TPaintLockGuard() { edit_.EndPaintLock(); }
    TPaintLockGuard(const TPaintLockGuard&) = delete;
    TPaintLockGuard& operator=(const TPaintLockGuard&) = delete;

private:
    TCustomZefEdit& edit_;
};
