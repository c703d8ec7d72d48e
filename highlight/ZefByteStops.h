// The first of a few stop characters in a line, looked for sixteen bytes at a time: for scanners whose
// tokens run over long stretches of text to one of a handful of characters.
#pragma once

#include "ZefCharSet.h"

#include <array>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A set of stops made of at most kMaxChars characters (NUL may be one) and, optionally, the control
// characters from 1 up to some limit below 127. Any other set is looked for byte by byte.
class TZefByteStops {
public:
    static constexpr size_t kMaxChars = 6;
    static constexpr size_t kSpan = 16;

    constexpr explicit TZefByteStops(const TZefCharSet& stops) : table_(stops)
    {
        // The controls from 1 up to the last one of an unbroken run from 1; the rest one by one.
        int controls = 0;
        while (controls < 127 && stops.Contains(static_cast<unsigned char>(controls + 1))) ++controls;
        if (controls > 126) return; // one past the limit must still be a signed byte
        controlsUpTo_ = static_cast<char>(controls);
        size_t count = 0;
        for (int c = 0; c < 256; ++c) {
            if ((c >= 1 && c <= controls) || !stops.Contains(static_cast<unsigned char>(c))) continue;
            if (c > 127 || count == kMaxChars) return; // looked for byte by byte
            chars_[count++].fill(static_cast<char>(c));
        }
        if (count == 0 && controls == 0) return; // no stop at all
        // Unused places repeat a stop: the first character, or else control 1.
        for (size_t i = count; i < kMaxChars; ++i) chars_[i] = count ? chars_[0] : TBroadcast{};
        if (count == 0) {
            for (auto& c : chars_) c.fill('\x01');
        }
        wide_ = true;
    }

    // The first stop at or after `from` in the line, or its length.
    size_t Find(const char* line, size_t size, size_t from) const
    {
#if defined(__SSE2__)
        if (wide_) {
            size_t run = from;
            while (size - run >= kSpan) {
                const unsigned found = Stops(line + run);
                if (found != 0) return run + static_cast<size_t>(__builtin_ctz(found));
                run += kSpan;
            }
            if (run == size) return size;
            if (size >= kSpan) {
                // The line's last sixteen bytes, those before `run` left out.
                const size_t base = size - kSpan;
                const unsigned found = Stops(line + base) >> (run - base);
                return found != 0 ? run + static_cast<size_t>(__builtin_ctz(found)) : size;
            }
            from = run;
        }
#endif
        while (from < size && !table_.Contains(static_cast<unsigned char>(line[from]))) ++from;
        return from;
    }

private:
#if defined(__SSE2__)
    // A bit for each of the sixteen bytes at `p` that is a stop.
    unsigned Stops(const char* p) const
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Signed compares: bytes above 127 are negative, so they are no control.
        __m128i hits = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_setzero_si128()),
                                     _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(controlsUpTo_ + 1))));
        for (const TBroadcast& c : chars_)
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_load_si128(reinterpret_cast<const __m128i*>(c.data()))));
        return static_cast<unsigned>(_mm_movemask_epi8(hits));
    }
#endif

    // Each stop character in all sixteen bytes, ready to compare.
    struct alignas(16) TBroadcast : std::array<char, kSpan> {};
    TZefCharTable table_;
    std::array<TBroadcast, kMaxChars> chars_{};
    char controlsUpTo_ = 0; // 0: no control is a stop
    bool wide_ = false;     // Find looks sixteen bytes at a time
};
