// The editor control's reference to its search engine: the engine is not owned, so the reference clears itself
// when the engine is destroyed first and withdraws its notification when it goes first.
#pragma once

#include "ZefEditSearchCustom.h"

class TZefSearchEngineRef {
public:
    TZefSearchEngineRef() = default;
    ~TZefSearchEngineRef() { Set(nullptr); }
    TZefSearchEngineRef(const TZefSearchEngineRef&) = delete;
    TZefSearchEngineRef& operator=(const TZefSearchEngineRef&) = delete;

    TZefEditSearchCustom* Get() const { return engine_; }
    void Set(TZefEditSearchCustom* engine)
    {
        if (engine == engine_) return;
        if (engine_ != nullptr) engine_->RemoveFreeNotification(this);
        engine_ = engine;
        if (engine_ != nullptr) engine_->AddFreeNotification(this, [this](TZefEditSearchCustom*) { engine_ = nullptr; });
    }

private:
    TZefEditSearchCustom* engine_ = nullptr;
};
