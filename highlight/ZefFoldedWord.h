// A word's folded tail, the key the keyword tables look words up by, and a reader that takes a short word
// of plain ASCII sixteen bytes at a time: its length and tail without a loop whose exit depends on the
// word's length (a mispredicted branch on nearly every word).
#pragma once

#include "CodePage1252.h"
#include "ZefCharSet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zeffold {

// A word's tail: its last (up to) eight characters folded to lower case, the last one in the low byte,
// built one folded character at a time from 0.
inline uint64_t TailStep(uint64_t tail, unsigned char folded) { return (tail << 8) | folded; }

// One hash of a tail and the word's length, for tables keyed by both.
inline uint64_t TailHash(uint64_t tail, size_t length) { return (tail ^ length) * 0x9E3779B97F4A7C15ull; }

// The tail of `word`, each character folded by the code page.
inline uint64_t FoldedTail(std::string_view word)
{
    uint64_t tail = 0;
    for (const char c : word) tail = TailStep(tail, cp1252::ToLower(static_cast<unsigned char>(c)));
    return tail;
}

// `word` folded to lower case by the code page.
inline std::string Folded(std::string_view word)
{
    std::string folded(word);
    for (char& c : folded) c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return folded;
}

// True when `word` folded is `folded` (folded already, of the same length); `lower` is the code page's
// folding table, which a hot caller keeps at hand.
inline bool EqualsFolded(std::string_view word, std::string_view folded,
                         const unsigned char* lower = cp1252::LowerTable())
{
    for (size_t i = 0; i < word.size(); ++i) {
        if (lower[static_cast<unsigned char>(word[i])] != static_cast<unsigned char>(folded[i])) return false;
    }
    return true;
}

} // namespace zeffold

// Reads words whose identifier characters below 128 are the letters, the digits and at most three others
// ('_', '#', '$' in the languages here), or every character above the space. Bytes above 127 are left to
// the caller: case folding and the identifier characters there are the code page's business.
class TZefAsciiWordReader {
public:
    // The reader looks at sixteen bytes of the line, the word's start among them.
    static constexpr size_t kSpan = 16;

    TZefAsciiWordReader() = default;
    explicit TZefAsciiWordReader(const TZefCharSet& identChars)
    {
        // Words of every printable character, as a language without a notion of identifiers reads them.
        bool printable = true;
        for (int c = 0; c < 128; ++c) printable = printable && identChars.Contains(static_cast<unsigned char>(c)) == (c > ' ');
        if (printable) {
            printableWords_ = true;
            usable_ = true;
            return;
        }
        const TZefCharSet alphanumeric = TZefCharSet().AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
        for (auto& extra : extras_) extra.fill('0'); // an unused extra is a digit, a word character anyway
        size_t extras = 0;
        for (int c = 0; c < 128; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (alphanumeric.Contains(byte) && !identChars.Contains(byte)) return;
            if (alphanumeric.Contains(byte) || !identChars.Contains(byte)) continue;
            if (extras == extras_.size()) return;
            extras_[extras++].fill(static_cast<char>(byte));
        }
        usable_ = true;
    }
    // False when the identifier characters are of another shape: Read always answers false then.
    bool Usable() const { return usable_; }

    struct TWord {
        size_t length;
        uint64_t foldedTail; // see zeffold::TailStep
    };
    // The word at `run` in `line`: its first byte, whatever it is, and the identifier characters after it.
    // Answers false when the line is shorter than kSpan, when the word or the byte after it is above 127,
    // or when the word runs on beyond the sixteen bytes looked at; the caller then reads the word byte by
    // byte. Never reads outside the line: near its end the sixteen bytes are the line's last ones.
    bool Read(const char* line, size_t size, size_t run, TWord* word) const { return Scan<true>(line, size, run, word); }
    // The same without the tail, for a word whose kind does not depend on its characters.
    bool ReadLength(const char* line, size_t size, size_t run, size_t* length) const
    {
        TWord word;
        if (!Scan<false>(line, size, run, &word)) return false;
        *length = word.length;
        return true;
    }

private:
    template <bool kTail>
    bool Scan(const char* line, size_t size, size_t run, TWord* word) const
    {
#if defined(__SSE2__)
        if (!usable_ || size < kSpan) return false;
        // Mostly the window starts at the word and the line goes on after it; near the line's end it is
        // the line's last sixteen bytes, the word somewhere in them.
        if (size - run > kSpan) return ScanWindow<kTail, false>(line + run, 0, word);
        const size_t base = size - kSpan;
        return ScanWindow<kTail, true>(line + base, static_cast<unsigned>(run - base), word);
#else
        (void)line;
        (void)size;
        (void)run;
        (void)word;
        return false;
#endif
    }

#if defined(__SSE2__)
    // The word at `offset` in the sixteen bytes at `window`; kEndsLine: the line ends with them, else at
    // least one byte follows them.
    template <bool kTail, bool kEndsLine>
    [[gnu::always_inline]] bool ScanWindow(const char* window, unsigned offset, TWord* word) const
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window));
        // 'a'..'z' (after setting the case bit) and '0'..'9' moved to the bottom of the signed bytes, so one
        // compare each tells the range; bytes above 127 fall in none.
        const __m128i lowered = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
        const __m128i letter =
            _mm_cmplt_epi8(_mm_add_epi8(lowered, _mm_set1_epi8(static_cast<char>(0x80 - 'a'))), _mm_set1_epi8(-128 + 26));
        const __m128i digit =
            _mm_cmplt_epi8(_mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - '0'))), _mm_set1_epi8(-128 + 10));
        const __m128i extra = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, Extra(0)), _mm_cmpeq_epi8(bytes, Extra(1))),
                                           _mm_cmpeq_epi8(bytes, Extra(2)));
        const __m128i members = printableWords_ ? _mm_cmpgt_epi8(bytes, _mm_set1_epi8(' '))
                                                : _mm_or_si128(_mm_or_si128(letter, digit), extra);
        const auto identifiers = static_cast<unsigned>(_mm_movemask_epi8(members));
        // Bits beyond the window read as 0: the word stops there.
        const unsigned wordBytes = (identifiers >> offset) | 1u;
        const auto length = static_cast<unsigned>(__builtin_ctz(~wordBytes));
        const unsigned end = offset + length;
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(bytes)) >> offset;
        if ((!kEndsLine && end == kSpan) || (high & ((2u << length) - 1)) != 0) return false;
        word->length = length;
        if constexpr (!kTail) return true;
        const __m128i folded = _mm_or_si128(bytes, _mm_and_si128(letter, _mm_set1_epi8(0x20)));
        const auto low = static_cast<uint64_t>(_mm_cvtsi128_si64(folded));
        // The eight bytes of the window that end at the word's end, first in the low byte (zeros in front
        // of the window), the bytes before a shorter word cleared; then turned round so the last character
        // is in the low byte.
        uint64_t last8;
        if (end <= 8) {
            last8 = low << (8 * (8 - end));
        } else {
            const auto highHalf = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(folded, folded)));
            if (kEndsLine && end == kSpan) {
                last8 = highHalf;
            } else {
                // Shifted right in two steps for the high half, so that a shift of 0 brings none of it in.
                const unsigned shift = 8 * (end - 8);
                last8 = (low >> shift) | ((highHalf << 1) << (63 - shift));
            }
        }
        // Bytes before the word are in the window only when it does not start with the word.
        if (kEndsLine && length < 8) last8 &= ~uint64_t{0} << (8 * (8 - length));
        word->foldedTail = __builtin_bswap64(last8);
        return true;
    }
#endif

#if defined(__SSE2__)
    __m128i Extra(size_t index) const { return _mm_load_si128(reinterpret_cast<const __m128i*>(extras_[index].data())); }
#endif

    // Each extra identifier character in all sixteen bytes, ready to compare.
    struct alignas(16) TExtra : std::array<char, kSpan> {};
    std::array<TExtra, 3> extras_{};
    bool printableWords_ = false; // the identifier characters below 128 are those above the space
    bool usable_ = false;
};
