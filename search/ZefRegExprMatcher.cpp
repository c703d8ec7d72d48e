// The backtracking matcher. Nothing recurses over the input: choice points, capture and loop-counter
// restores live on one explicit stack, so the machine stack stays flat whatever the line length.
// Every instruction, every byte taken by a simple repeat and every popped frame costs one step.
#include "ZefRegExprMatcher.h"

#include "ZefRegExprError.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

TZefReMatcher::TZefReMatcher(const TZefReProgram& program)
    : program_(program),
      loopCount_(static_cast<size_t>(program.registerCount), 0),
      loopStart_(static_cast<size_t>(program.registerCount), -1)
{
}

void TZefReMatcher::TooComplex() const
{
    throw EZefRegExpr(reeMatchTooComplex, 0);
}

void TZefReMatcher::Push(FrameKind kind, uint32_t pc, int32_t a, int32_t b)
{
    if (stack_.size() >= frameLimit_) TooComplex();
    stack_.push_back(Frame{kind, pc, a, b});
}

bool TZefReMatcher::BetweenPair(int32_t pos) const
{
    const std::string& pair = program_.pairedSeparator;
    return pair.size() == 2 && pos > 0 && pos < n_ && in_[pos - 1] == static_cast<unsigned char>(pair[0]) &&
           in_[pos] == static_cast<unsigned char>(pair[1]);
}

bool TZefReMatcher::AtLineStart(int32_t pos, bool multi) const
{
    if (pos == 0) return true;
    return multi && program_.lineSeparators.Has(in_[pos - 1]) && !BetweenPair(pos);
}

bool TZefReMatcher::AtLineEnd(int32_t pos, bool multi) const
{
    if (pos == n_) return true;
    return multi && program_.lineSeparators.Has(in_[pos]) && !BetweenPair(pos);
}

bool TZefReMatcher::IsWordAt(int32_t pos) const
{
    return pos >= 0 && pos < n_ && ZefWordChars().Has(in_[pos]);
}

int32_t TZefReMatcher::BackOff(const TZefReInst& in, int32_t start, int32_t count) const
{
    if (in.hint < 0) return count;
    while (count >= in.min) {
        const int32_t at = start + count;
        if (at < n_ && (in_[at] == in.hint || in_[at] == in.hintAlt)) break;
        --count;
    }
    return count;
}

bool TZefReMatcher::Search(std::string_view input, size_t start, int32_t* slots)
{
    if (input.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 2)) {
        throw std::length_error("TZefRegExpr: input too long");
    }
    in_ = reinterpret_cast<const unsigned char*>(input.data());
    n_ = static_cast<int32_t>(input.size());
    slots_ = slots;
    budget_ = stepBudget_ + kZefReStepsPerByte * static_cast<uint64_t>(n_);
    const int32_t first = static_cast<int32_t>(start);
    if (first > n_) return false;

    // Every failed attempt unwinds its restores, so the slots are cleared once per search.
    std::fill(slots_, slots_ + kZefReSlotCount, -1);
    const std::string& required = program_.requiredLiteral;
    if (program_.anchoredStart) return Attempt(static_cast<size_t>(first)); // one attempt: skip the literal scan
    if (!required.empty() && (requiredAt_ < first || requiredFrom_ > first)) {
        const void* found = n_ - first >= static_cast<int32_t>(required.size())
                                ? memmem(in_ + first, static_cast<size_t>(n_ - first), required.data(), required.size())
                                : nullptr;
        if (!found) return false;
        requiredFrom_ = first;
        requiredAt_ = static_cast<int32_t>(static_cast<const unsigned char*>(found) - in_);
    }
    if (program_.pureLiteral) {
        slots_[0] = requiredAt_;
        slots_[1] = requiredAt_ + static_cast<int32_t>(required.size());
        return true;
    }

    if (program_.firstLiteral >= 0) {
        for (int32_t p = first; p < n_;) {
            const void* hit = std::memchr(in_ + p, program_.firstLiteral, static_cast<size_t>(n_ - p));
            if (!hit) return false;
            p = static_cast<int32_t>(static_cast<const unsigned char*>(hit) - in_);
            if (Attempt(static_cast<size_t>(p))) return true;
            ++p;
        }
        return false;
    }

    const TZefRegExprCharSet& firstChars = program_.firstChars;
    const TZefRegExprCharSet* leading =
        program_.leadingRepeatSet >= 0 ? &program_.sets[static_cast<size_t>(program_.leadingRepeatSet)] : nullptr;
    for (int32_t p = first; p < n_; ++p) {
        if (!firstChars.Has(in_[p])) continue;
        if (Attempt(static_cast<size_t>(p))) return true;
        if (leading) {
            // Every way to match from inside the run of the leading repeat was already tried from p.
            int32_t end = p;
            while (end < n_ && leading->Has(in_[end])) ++end;
            steps_ += static_cast<uint64_t>(end - p);
            if (end > p + 1) p = end - 1;
        }
    }
    return false;
}

bool TZefReMatcher::Attempt(size_t start)
{
    const std::vector<TZefReInst>& code = program_.code;
    stack_.clear();
    int32_t pos = static_cast<int32_t>(start);
    uint32_t pc = 0;
    const uint64_t budget = budget_;

    for (;;) {
        if (++steps_ > budget) TooComplex();
        const TZefReInst& in = code[pc];
        bool ok = true;
        switch (in.op) {
        case TZefReOp::Byte:
            ok = pos < n_ && (in_[pos] == in.a || in_[pos] == in.b);
            if (ok) ++pos, ++pc;
            break;
        case TZefReOp::String: {
            const int32_t len = in.b;
            ok = n_ - pos >= len;
            if (ok) {
                const unsigned char* lit = reinterpret_cast<const unsigned char*>(program_.literals.data()) + in.a;
                if (in.min == 0) {
                    ok = std::memcmp(in_ + pos, lit, static_cast<size_t>(len)) == 0;
                } else {
                    const unsigned char* alt =
                        reinterpret_cast<const unsigned char*>(program_.literalsAlt.data()) + in.a;
                    for (int32_t i = 0; i < len && ok; ++i) ok = in_[pos + i] == lit[i] || in_[pos + i] == alt[i];
                }
            }
            if (ok) pos += len, ++pc;
            break;
        }
        case TZefReOp::Set:
            ok = pos < n_ && program_.sets[static_cast<size_t>(in.a)].Has(in_[pos]);
            if (ok) ++pos, ++pc;
            break;
        case TZefReOp::Any:
            ok = pos < n_;
            if (ok) ++pos, ++pc;
            break;
        case TZefReOp::LineStart:
            ok = AtLineStart(pos, in.min != 0);
            ++pc;
            break;
        case TZefReOp::LineEnd:
            ok = AtLineEnd(pos, in.min != 0);
            ++pc;
            break;
        case TZefReOp::InputStart:
            ok = pos == 0;
            ++pc;
            break;
        case TZefReOp::InputEnd:
            ok = pos == n_;
            ++pc;
            break;
        case TZefReOp::WordBoundary:
        case TZefReOp::NotWordBoundary:
            ok = (IsWordAt(pos - 1) != IsWordAt(pos)) == (in.op == TZefReOp::WordBoundary);
            ++pc;
            break;
        case TZefReOp::BackRef: {
            const int32_t from = slots_[in.a * 2];
            const int32_t to = slots_[in.a * 2 + 1];
            ok = from >= 0 && to >= from && n_ - pos >= to - from;
            for (int32_t i = 0; ok && i < to - from; ++i) {
                const unsigned char want = in_[from + i];
                const unsigned char got = in_[pos + i];
                ok = got == want || (in.b && got == ZefFlipCase(want));
            }
            if (ok) pos += to - from, ++pc;
            break;
        }
        case TZefReOp::Save:
            Push(fkRestoreSlot, static_cast<uint32_t>(in.a), slots_[in.a], 0);
            slots_[in.a] = pos;
            ++pc;
            break;
        case TZefReOp::Split:
            Push(fkChoice, in.y, pos, 0);
            pc = in.x;
            break;
        case TZefReOp::Jump:
            pc = in.x;
            break;
        case TZefReOp::RepeatSimple: {
            const TZefRegExprCharSet& set = program_.sets[static_cast<size_t>(in.a)];
            const int32_t avail = n_ - pos;
            const int32_t limit = in.max < 0 ? avail : std::min(in.max, avail);
            int32_t count = 0;
            if (in.greedy) {
                if (set.IsFull()) {
                    count = limit;
                } else {
                    while (count < limit && set.Has(in_[pos + count])) ++count;
                }
                steps_ += static_cast<uint64_t>(count);
                count = BackOff(in, pos, count);
                ok = count >= in.min;
                if (ok && count > in.min) Push(fkGreedyRepeat, pc, pos, count);
            } else {
                while (count < in.min && count < limit && set.Has(in_[pos + count])) ++count;
                ok = count >= in.min;
                if (ok && (in.max < 0 || count < in.max)) Push(fkLazyRepeat, pc, pos, count);
            }
            if (ok) pos += count, ++pc;
            break;
        }
        case TZefReOp::LoopInit: {
            const size_t reg = static_cast<size_t>(in.a);
            Push(fkRestoreLoop, reg, loopCount_[reg], loopStart_[reg]);
            loopCount_[reg] = 0;
            loopStart_[reg] = -1;
            ++pc;
            break;
        }
        case TZefReOp::LoopTest: {
            const size_t reg = static_cast<size_t>(in.a);
            const int32_t count = loopCount_[reg];
            bool iterate = true;
            if (count >= in.min) {
                if (in.max >= 0 && count >= in.max) {
                    iterate = false;
                } else if (in.greedy) {
                    Push(fkChoice, in.y, pos, 0);
                } else {
                    Push(fkLoopIterate, pc, pos, 0);
                    iterate = false;
                }
            }
            if (iterate) {
                Push(fkRestoreLoop, static_cast<uint32_t>(reg), count, loopStart_[reg]);
                loopCount_[reg] = count + 1;
                loopStart_[reg] = pos;
                pc = in.x;
            } else {
                pc = in.y;
            }
            break;
        }
        case TZefReOp::LoopEnd: {
            const TZefReInst& test = code[in.x];
            const size_t reg = static_cast<size_t>(test.a);
            const bool emptyIteration = test.b && pos == loopStart_[reg] && loopCount_[reg] > test.min;
            pc = emptyIteration ? test.y : in.x;
            break;
        }
        case TZefReOp::LoopTooDeep:
            throw EZefRegExpr(reeLoopStackExceeded, 0);
        case TZefReOp::Match:
            slots_[0] = static_cast<int32_t>(start);
            slots_[1] = pos;
            return true;
        }
        if (ok) continue;

        // Backtrack: undo restores until a frame offers another way forward.
        for (bool resumed = false; !resumed;) {
            if (stack_.empty()) return false;
            if (++steps_ > budget) TooComplex();
            const Frame frame = stack_.back();
            stack_.pop_back();
            switch (frame.kind) {
            case fkRestoreSlot:
                slots_[frame.pc] = frame.a;
                break;
            case fkRestoreLoop:
                loopCount_[frame.pc] = frame.a;
                loopStart_[frame.pc] = frame.b;
                break;
            case fkChoice:
                pc = frame.pc;
                pos = frame.a;
                resumed = true;
                break;
            case fkGreedyRepeat: {
                const TZefReInst& rep = code[frame.pc];
                const int32_t count = BackOff(rep, frame.a, frame.b - 1);
                if (count < rep.min) break;
                if (count > rep.min) Push(fkGreedyRepeat, frame.pc, frame.a, count);
                pos = frame.a + count;
                pc = frame.pc + 1;
                resumed = true;
                break;
            }
            case fkLazyRepeat: {
                const TZefReInst& rep = code[frame.pc];
                const TZefRegExprCharSet& set = program_.sets[static_cast<size_t>(rep.a)];
                const int32_t at = frame.a + frame.b;
                if (at >= n_ || !set.Has(in_[at])) break;
                int32_t count = frame.b + 1;
                if (rep.hint >= 0 && rep.hint == rep.hintAlt && set.IsFull()) {
                    // Only a count after which the follower byte comes can succeed: jump to the next one.
                    const int32_t from = frame.a + count;
                    const void* hit = from < n_ ? std::memchr(in_ + from, rep.hint, static_cast<size_t>(n_ - from)) : nullptr;
                    if (!hit) break;
                    count = static_cast<int32_t>(static_cast<const unsigned char*>(hit) - in_) - frame.a;
                    steps_ += static_cast<uint64_t>(count - frame.b) / 16;
                    if (rep.max >= 0 && count > rep.max) break;
                }
                if (rep.max < 0 || count < rep.max) Push(fkLazyRepeat, frame.pc, frame.a, count);
                pos = frame.a + count;
                pc = frame.pc + 1;
                resumed = true;
                break;
            }
            case fkLoopIterate: {
                const TZefReInst& test = code[frame.pc];
                const size_t reg = static_cast<size_t>(test.a);
                Push(fkRestoreLoop, static_cast<uint32_t>(reg), loopCount_[reg], loopStart_[reg]);
                ++loopCount_[reg];
                pos = frame.a;
                loopStart_[reg] = pos;
                pc = test.x;
                resumed = true;
                break;
            }
            }
        }
    }
}
