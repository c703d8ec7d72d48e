// Progress of a long piece of work (loading or saving a big file, replacing all, printing) for whoever shows
// it, and the way the user stops it.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

// Told how much of the total is done; answers false when the user asked the work to stop.
using TZefWorkProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Raised by work the user stopped; the work leaves nothing half done behind (what that means is said by
// each operation that takes a progress).
class EZefWorkCancelled : public std::runtime_error {
public:
    EZefWorkCancelled() : std::runtime_error("Cancelled") {}
};

// Calls a progress only each time the work has passed another step of its total, so that a loop may tell
// it about every line at the cost of one comparison. Without a progress it reports nothing and never stops.
class TZefProgressTicker {
public:
    TZefProgressTicker(const TZefWorkProgress& progress, uint64_t total, uint64_t step)
        : progress_(progress ? &progress : nullptr), total_(total), step_(step > 0 ? step : 1),
          next_(progress_ ? step_ : UINT64_MAX)
    {
    }

    // False once the user asked to stop (and from then on).
    bool At(uint64_t done)
    {
        if (done < next_) return !stopped_;
        next_ = done + step_;
        if (!stopped_ && !(*progress_)(done, total_)) stopped_ = true;
        return !stopped_;
    }
    // Raises EZefWorkCancelled once the user asked to stop.
    void CheckAt(uint64_t done)
    {
        if (!At(done)) throw EZefWorkCancelled();
    }
    bool Stopped() const { return stopped_; }

private:
    const TZefWorkProgress* progress_;
    uint64_t total_;
    uint64_t step_;
    uint64_t next_;
    bool stopped_ = false;
};
