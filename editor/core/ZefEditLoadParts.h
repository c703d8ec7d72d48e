// Splitting loaded bytes into lines. A part of the load buffer is scanned on its own into blocks of line
// entries, so that the parts of a big file can be scanned by several threads at once; the store then takes
// the blocks over (and makes the records that only it may make) on its own thread.
#pragma once

#include "ZefEditLineBlocks.h"
#include "ZefEditTypes.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zefload {

// First CR or LF in [p, end), or end. The buffer must be readable up to end + 15 (the load buffers are
// allocated with that padding) so that the vector loop needs no tail case.
inline const char* FindBreak(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (p < end) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (mask != 0) {
            const char* hit = p + __builtin_ctz(static_cast<unsigned>(mask));
            return hit < end ? hit : end;
        }
        p += 16;
    }
    return end;
#else
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
#endif
}

// FindBreak that also sets `tab` when it meets a tab on its way (or in the bytes of its last 16 after the
// break: a tab may be reported that belongs to a later line, never one missed).
inline const char* FindBreakNotingTabs(const char* p, const char* end, bool& tab)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i ht = _mm_set1_epi8('\t');
    __m128i tabs = _mm_setzero_si128();
    while (p < end) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        tabs = _mm_or_si128(tabs, _mm_cmpeq_epi8(chunk, ht));
        int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (mask != 0) {
            if (_mm_movemask_epi8(tabs) != 0) tab = true;
            const char* hit = p + __builtin_ctz(static_cast<unsigned>(mask));
            return hit < end ? hit : end;
        }
        p += 16;
    }
    if (_mm_movemask_epi8(tabs) != 0) tab = true;
    return end;
#else
    while (p < end && *p != '\r' && *p != '\n') {
        if (*p == '\t') tab = true;
        ++p;
    }
    return p;
#endif
}

// Which breaks a text holds, one bit per style.
constexpr unsigned BreakBit(TLineBreakStyle style) { return 1u << style; }

// Steps over the line break at p (CR, LF or CR LF), if any, and gives its style.
inline const char* SkipBreak(const char* p, const char* end, TLineBreakStyle& style, bool& found)
{
    found = p < end;
    if (p < end && *p == '\r') {
        ++p;
        if (p < end && *p == '\n') {
            ++p;
            style = lbsCRLF;
        } else {
            style = lbsCR;
        }
    } else if (p < end && *p == '\n') {
        ++p;
        style = lbsLF;
    }
    return p;
}

// CR alone gives lbsCR, LF alone lbsLF; CR LF, no break at all and breaks of several kinds give lbsCRLF.
TLineBreakStyle DetectStyle(unsigned kinds);

// The lines of one part of the load buffer.
struct TLoadedPart {
    std::vector<std::unique_ptr<TZefLineBlock>> blocks;
    // Lines long enough to keep their length in a record: their entries hold kEmptyLine until the store
    // puts the record there.
    struct TLongLine {
        size_t block;
        size_t position;
        const char* text;
        size_t length;
    };
    std::vector<TLongLine> longLines;
    size_t lines = 0;
    size_t loadedLines = 0; // entries that are offsets into the buffer
    unsigned kinds = 0;     // BreakBit of every break found
    TLineBreakStyle firstKind = lbsCRLF;
    // Every line's break, kept from the moment a second kind appears (before that, every line had
    // firstKind). An unbroken last line holds a placeholder there.
    std::vector<TLineBreakStyle> breaks;
    bool recordingBreaks = false;
    // The first of the part's longest lines, so that a text without tabs knows its widest line at once.
    size_t longest = 0;
    size_t longestLine = 0;
    bool tabs = false; // a line of the part may hold a tab: then widths are not lengths
    bool endsUnbroken = false; // the last line has no break
    bool stopped = false;      // keepGoing answered false
    // The block being filled, between the pieces of a part scanned one after the other.
    std::unique_ptr<TZefLineBlock> open;
};

// Scans [from, to) on from what the part holds: from starts a line, and every piece but the part's last
// ends right after a LF (so no line or CR LF is cut in two). A line of longLine bytes or more goes to
// longLines. keepGoing(position) is asked after every full block; when it answers false the scan stops
// with `stopped` set. FinishPart ends the part.
void ScanPart(const char* from, const char* to, size_t longLine, TLoadedPart& part,
              const std::function<bool(const char*)>& keepGoing);
void FinishPart(TLoadedPart& part);

// The lines of a whole buffer: one part, or two when the first ends right after a LF at split and the
// second runs from there to the end.
struct TScannedBuffer {
    TLoadedPart parts[2];
    const char* split = nullptr; // the end of the buffer when there is one part
};

// Where the complete lines of [from, to) end: right after the last LF in it (from when it holds none).
const char* AfterLastLF(const char* from, const char* to);

} // namespace zefload
