// The shared recognisers of the language highlighters: quoted strings, comments, numbers and identifiers.
#pragma once

#include "ZefCharSet.h"
#include "ZefScanCursor.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

// Each recogniser starts at the run position and moves the cursor over what it recognises; none goes past
// the line end, and the caller sets the token kind and any range change from the answer. A construct that
// may span lines reports whether it closed on this line, so the caller keeps or leaves its range:
//
//     if (!zefscan::ContinueBlockComment(cursor, "*/")) range = rsComment; else range = rsNormal;
namespace zefscan {

inline constexpr int kNoEscape = -1;

// A quoted string from its opening quote (at the run position): through the closing quote, or to the line
// end when it stays open. The escape character, if any, takes the next character with it, so an escaped
// quote does not close. Answers whether the string closed.
bool ScanQuoted(TZefScanCursor& cursor, char quote, int escape = kNoEscape);
// The rest of a string that started on an earlier line: as ScanQuoted without an opening quote.
bool ContinueQuoted(TZefScanCursor& cursor, char quote, int escape = kNoEscape);

// A comment to the end of the line (from its opening characters).
void ScanLineComment(TZefScanCursor& cursor);

// A block comment from its opening text `open` (at the run position): through the first `close` that
// starts after `open` ("/*/" does not close), or to the line end. Answers whether it closed.
bool ScanBlockComment(TZefScanCursor& cursor, std::string_view open, std::string_view close);
// The rest of a block comment that began on an earlier line; `close` may stand at the run position.
bool ContinueBlockComment(TZefScanCursor& cursor, std::string_view close);

// What a language's number literals may contain beyond decimal digits.
struct TZefNumberOptions {
    bool hexPrefix = true; // "0x" / "0X" and hex digits
    bool fraction = true;  // "." followed by a digit
    bool exponent = true;  // "e" / "E", an optional sign, digits
    TZefCharSet suffixes;  // trailing type letters such as L, U, F
};

// A number starting with a digit at the run position, or with "." and a digit when fractions are allowed;
// answers its length (0 when no number stands there).
size_t ScanNumber(TZefScanCursor& cursor, const TZefNumberOptions& options = {});

// A language's operators filed by their first character, longest first, for a longest-match scan that looks
// only at the operators that can stand there. Built once per language; scanning allocates nothing.
class TZefOperatorTable {
public:
    explicit TZefOperatorTable(std::initializer_list<std::string_view> operators);
    // Moves over the longest operator standing at the run position and answers its length, or answers 0
    // without moving when none stands there.
    size_t Scan(TZefScanCursor& cursor) const;
    // The first characters of the operators.
    const TZefCharSet& Starts() const { return starts_; }

private:
    std::array<std::vector<std::string_view>, 256> byFirst_;
    TZefCharSet starts_;
};

// A number of a language without type letters: the first character and the run of `body` after it, stopping
// before "..". A "+" or "-" is taken only right after the "e" or "E" of a decimal number (no "0x" prefix)
// and before a digit, so 1e-5 is one number and 10-x a number and a symbol. Answers the length.
size_t ScanSignedExponentNumber(TZefScanCursor& cursor, const TZefCharSet& body);

// A run of identifier characters; answers its length.
inline size_t ScanIdentifier(TZefScanCursor& cursor, const TZefCharSet& identChars)
{
    return cursor.SkipWhile(identChars);
}

} // namespace zefscan
