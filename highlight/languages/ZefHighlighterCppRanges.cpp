// The C++ highlighter's range scan without tokens. In ordinary code only a few bytes can change the state:
// "/" (comments), the quotes (a string may continue on the next line, and a literal hides the rest), "#"
// as a line's first non-blank (a directive) and the words asm, _asm and __asm. Everything between them is
// skipped by a byte table; literals and comments are passed by the same rules as their tokens.
#include "ZefHighlighterCpp.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The bytes of ordinary code the scan stops at: "m" ends every asm keyword.
constexpr std::array<bool, 256> MakeCodeStops()
{
    std::array<bool, 256> stops{};
    for (const char c : std::string_view("/\"'m")) stops[static_cast<unsigned char>(c)] = true;
    return stops;
}
constexpr std::array<bool, 256> kCodeStops = MakeCodeStops();

// The first byte at or after i that kCodeStops holds, or size. Sixteen bytes at a time while they lie
// within the line (never past its end).
size_t NextCodeStop(const unsigned char* bytes, size_t i, size_t size)
{
#if defined(__SSE2__)
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i apostrophe = _mm_set1_epi8('\'');
    const __m128i m = _mm_set1_epi8('m');
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, slash), _mm_cmpeq_epi8(chunk, quote)),
                                          _mm_or_si128(_mm_cmpeq_epi8(chunk, apostrophe), _mm_cmpeq_epi8(chunk, m)));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    while (i < size && !kCodeStops[bytes[i]]) ++i;
    return i;
}

constexpr size_t kOpen = std::string_view::npos;

// Just past the closing quote of a literal whose body starts at `from`, or kOpen when the line ends first.
// As the token does: a backslash takes a quote or a backslash after it with it.
size_t SkipLiteral(std::string_view line, size_t from, char quote)
{
    const size_t size = line.size();
    for (size_t i = from; i < size;) {
        const char c = line[i];
        if (c == '\\' && i + 1 < size && (line[i + 1] == quote || line[i + 1] == '\\')) {
            i += 2;
            continue;
        }
        ++i;
        if (c == quote) return i;
    }
    return kOpen;
}

// Just past the "*/" at or after `from`, or kOpen.
size_t SkipComment(std::string_view line, size_t from)
{
    const size_t close = line.find("*/", from);
    return close == std::string_view::npos ? kOpen : close + 2;
}

} // namespace

void TZefCppSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    TZefRangeState end = rsNormal;
    if (QuickLineRange(line, &end)) {
        SetScannedRange(end, lineIndex);
    } else {
        TZefTableHighlighter::ScanLineRange(line, lineIndex);
    }
}

bool TZefCppSyn::QuickLineRange(std::string_view line, TZefRangeState* end) const
{
    const size_t size = line.size();
    size_t i = 0;
    switch (Range()) {
    case rsNormal: {
        // A "#" after nothing but spaces and tabs opens a directive: the token loop takes that line.
        while (i < size && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i < size && line[i] == '#') return false;
        break;
    }
    case rsComment:
        i = SkipComment(line, 0);
        if (i == kOpen) {
            *end = rsComment;
            return true;
        }
        break;
    case rsMultiLineString:
        // A blank line has no backslash to continue the string.
        i = line.empty() ? kOpen : SkipLiteral(line, 0, '"');
        if (i == kOpen) {
            *end = !line.empty() && line.back() == '\\' ? rsMultiLineString : rsNormal;
            return true;
        }
        break;
    default: return false;
    }
    const auto* const bytes = reinterpret_cast<const unsigned char*>(line.data());
    for (;;) {
        i = NextCodeStop(bytes, i, size);
        if (i == size) {
            *end = rsNormal;
            return true;
        }
        switch (bytes[i]) {
        case '/':
            if (i + 1 < size && bytes[i + 1] == '/') {
                *end = rsNormal;
                return true;
            }
            if (i + 1 < size && bytes[i + 1] == '*') {
                i = SkipComment(line, i + 2);
                if (i == kOpen) {
                    *end = rsComment;
                    return true;
                }
                continue;
            }
            ++i;
            continue;
        case '"':
            i = SkipLiteral(line, i + 1, '"');
            if (i == kOpen) {
                *end = line.back() == '\\' ? rsMultiLineString : rsNormal;
                return true;
            }
            continue;
        case '\'':
            i = SkipLiteral(line, i + 1, '\'');
            if (i == kOpen) {
                *end = rsNormal;
                return true;
            }
            continue;
        default:
            // Any "asm" in the code may be (the end of) an asm keyword: the token loop decides.
            if (i >= 2 && bytes[i - 2] == 'a' && bytes[i - 1] == 's') return false;
            ++i;
            continue;
        }
    }
}
