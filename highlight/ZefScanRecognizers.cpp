// The shared recognisers; each is one forward pass over the characters it consumes.
#include "ZefScanRecognizers.h"

namespace zefscan {

bool ContinueQuoted(TZefScanCursor& cursor, char quote, int escape)
{
    const auto quoteChar = static_cast<unsigned char>(quote);
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (escape != kNoEscape && c == escape) {
            cursor.Advance(2);
            continue;
        }
        cursor.Advance();
        if (c == quoteChar) return true;
    }
    return false;
}

bool ScanQuoted(TZefScanCursor& cursor, char quote, int escape)
{
    cursor.Advance();
    return ContinueQuoted(cursor, quote, escape);
}

void ScanLineComment(TZefScanCursor& cursor) { cursor.SkipToEnd(); }

bool ScanBlockComment(TZefScanCursor& cursor, std::string_view open, std::string_view close)
{
    cursor.Advance(open.size());
    return cursor.SkipPast(close);
}

bool ContinueBlockComment(TZefScanCursor& cursor, std::string_view close) { return cursor.SkipPast(close); }

namespace {

bool IsDigitAt(const TZefScanCursor& cursor, size_t offset)
{
    const int c = cursor.Peek(offset);
    return c >= '0' && c <= '9';
}

} // namespace

size_t ScanNumber(TZefScanCursor& cursor, const TZefNumberOptions& options)
{
    if (!IsDigitAt(cursor, 0)) return 0;
    const size_t start = cursor.Run();
    constexpr TZefCharSet kDigits = zefchars::Digits();
    constexpr TZefCharSet kHexDigits = zefchars::HexDigits();
    const int second = cursor.Peek(1);
    if (options.hexPrefix && cursor.Current() == '0' && (second == 'x' || second == 'X') && cursor.Peek(2) >= 0 &&
        kHexDigits.Contains(static_cast<unsigned char>(cursor.Peek(2)))) {
        cursor.Advance(2);
        cursor.SkipWhile(kHexDigits);
    } else {
        cursor.SkipWhile(kDigits);
        if (options.fraction && cursor.Peek() == '.' && IsDigitAt(cursor, 1)) {
            cursor.Advance();
            cursor.SkipWhile(kDigits);
        }
        if (options.exponent && (cursor.Peek() == 'e' || cursor.Peek() == 'E')) {
            const int sign = cursor.Peek(1);
            const size_t digitAt = (sign == '+' || sign == '-') ? 2 : 1;
            if (IsDigitAt(cursor, digitAt)) {
                cursor.Advance(digitAt);
                cursor.SkipWhile(kDigits);
            }
        }
    }
    cursor.SkipWhile(options.suffixes);
    return cursor.Run() - start;
}

} // namespace zefscan
