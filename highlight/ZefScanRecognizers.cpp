// The shared recognisers; each is one forward pass over the characters it consumes.
#include "ZefScanRecognizers.h"

#include <algorithm>

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

void ScanExponent(TZefScanCursor& cursor, const TZefNumberOptions& options)
{
    if (!options.exponent || (cursor.Peek() != 'e' && cursor.Peek() != 'E')) return;
    const int sign = cursor.Peek(1);
    const size_t digitAt = (sign == '+' || sign == '-') ? 2 : 1;
    if (IsDigitAt(cursor, digitAt)) {
        cursor.Advance(digitAt);
        cursor.SkipWhile(zefchars::Digits());
    }
}

} // namespace

size_t ScanNumber(TZefScanCursor& cursor, const TZefNumberOptions& options)
{
    const size_t start = cursor.Run();
    if (options.fraction && cursor.Peek() == '.' && IsDigitAt(cursor, 1)) {
        // A fraction without its whole part: .5, .5e3.
        cursor.Advance();
        cursor.SkipWhile(zefchars::Digits());
        ScanExponent(cursor, options);
        cursor.SkipWhile(options.suffixes);
        return cursor.Run() - start;
    }
    if (!IsDigitAt(cursor, 0)) return 0;
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
        ScanExponent(cursor, options);
    }
    cursor.SkipWhile(options.suffixes);
    return cursor.Run() - start;
}

TZefOperatorTable::TZefOperatorTable(std::initializer_list<std::string_view> operators)
{
    for (const std::string_view op : operators) {
        if (op.empty()) continue;
        const auto first = static_cast<unsigned char>(op[0]);
        byFirst_[first].push_back(op);
        starts_.Add(first);
    }
    for (auto& list : byFirst_) {
        std::stable_sort(list.begin(), list.end(),
                         [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    }
}

size_t TZefOperatorTable::Scan(TZefScanCursor& cursor) const
{
    if (cursor.AtEnd()) return 0;
    for (const std::string_view op : byFirst_[cursor.Current()]) {
        if (cursor.LookingAt(op)) {
            cursor.Advance(op.size());
            return op.size();
        }
    }
    return 0;
}

size_t ScanSignedExponentNumber(TZefScanCursor& cursor, const TZefCharSet& body)
{
    const size_t start = cursor.Run();
    const int second = cursor.Peek(1);
    const bool decimal = !(cursor.Current() == '0' && (second == 'x' || second == 'X'));
    cursor.Advance();
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if (c == '.' && cursor.Peek(1) == '.') break;
        if (c == '+' || c == '-') {
            const int before = cursor.PeekBefore();
            if (!decimal || (before != 'e' && before != 'E') || !IsDigitAt(cursor, 1)) break;
        } else if (!body.Contains(c)) {
            break;
        }
        cursor.Advance();
    }
    return cursor.Run() - start;
}

} // namespace zefscan
