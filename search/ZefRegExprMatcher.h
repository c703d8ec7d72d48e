// The backtracking matcher: runs a compiled program over a byte string with an explicit stack and a step
// budget, and the search loop that picks the start positions worth trying.
#pragma once

#include "ZefRegExprProgram.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Slots 2n and 2n+1 hold the start and end offset (0-based) of group n; -1 while unset.
inline constexpr int kZefReSlotCount = 30;

// The default limits. The step budget covers the whole search of one line (Exec and the ExecNext calls
// after it): the base plus kZefReStepsPerByte for each byte of the line. An ordinary editor search takes a
// few steps per byte, so it stays far below; only patterns that backtrack exponentially or quadratically
// reach it, after about half a second. The frame limit bounds the backtracking stack (16 bytes a frame: 64 MB).
inline constexpr uint64_t kZefReDefaultStepBudget = 200'000'000;
inline constexpr uint64_t kZefReStepsPerByte = 16;
inline constexpr size_t kZefReDefaultFrameLimit = 4'000'000;

class TZefReMatcher {
public:
    // The program is only referenced and must outlive the matcher.
    explicit TZefReMatcher(const TZefReProgram& program);

    // Finds the first match that starts at or after the 0-based offset start. On success slots holds the
    // bounds of the match (slots 0 and 1) and of its groups. Throws EZefRegExpr when the step budget of the
    // line or the frame limit is exceeded (reeMatchTooComplex) or counted loops nest too deep.
    bool Search(std::string_view input, size_t start, int32_t* slots);

    void SetLimits(uint64_t stepBudget, size_t frameLimit)
    {
        stepBudget_ = stepBudget;
        frameLimit_ = frameLimit;
    }
    uint64_t StepsUsed() const { return steps_; }
    // Forgets what is known about the previous input and restarts the step budget; called whenever the
    // input changes.
    void NewInput()
    {
        requiredAt_ = -1;
        steps_ = 0;
    }

private:
    enum FrameKind : uint32_t { fkChoice, fkRestoreSlot, fkRestoreLoop, fkGreedyRepeat, fkLazyRepeat, fkLoopIterate };
    struct Frame {
        FrameKind kind;
        uint32_t pc; // or the slot / register for restores
        int32_t a;
        int32_t b;
    };

    bool Attempt(size_t pos);
    void Push(FrameKind kind, uint32_t pc, int32_t a, int32_t b);
    int32_t BackOff(const TZefReInst& in, int32_t start, int32_t count) const;
    bool AtLineStart(int32_t pos, bool multi) const;
    bool AtLineEnd(int32_t pos, bool multi) const;
    bool BetweenPair(int32_t pos) const;
    bool IsWordAt(int32_t pos) const;
    [[noreturn]] void TooComplex() const;

    const TZefReProgram& program_;
    const unsigned char* in_ = nullptr;
    int32_t n_ = 0;
    int32_t* slots_ = nullptr;
    std::vector<Frame> stack_;
    std::vector<int32_t> loopCount_;
    std::vector<int32_t> loopStart_;
    uint64_t steps_ = 0;
    uint64_t stepBudget_ = kZefReDefaultStepBudget;
    uint64_t budget_ = 0; // of the current line
    size_t frameLimit_ = kZefReDefaultFrameLimit;
    // Where the required literal was last seen in the current input, so that repeated searches of one line
    // look for it once per occurrence.
    int32_t requiredFrom_ = 0; // the first occurrence at or after requiredFrom_ is at requiredAt_
    int32_t requiredAt_ = -1;
};
