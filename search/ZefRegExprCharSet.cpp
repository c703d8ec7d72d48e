// Byte sets, the fixed classes and the modifier letters of the regular-expression engine.
#include "ZefRegExprCharSet.h"

#include <cstdio>

namespace {

TZefRegExprCharSet MakeSet(const char* members)
{
    TZefRegExprCharSet set;
    for (const char* p = members; *p; ++p) set.Add(static_cast<unsigned char>(*p));
    return set;
}

void AppendByte(std::string& out, int c)
{
    if (c > 32 && c < 127 && c != '\\' && c != '-') {
        out += static_cast<char>(c);
    } else {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
        out += buffer;
    }
}

} // namespace

std::string TZefRegExprCharSet::Describe() const
{
    if (IsFull()) return "ANY";
    std::string out;
    for (int c = 0; c < 256;) {
        if (!bits_.test(static_cast<size_t>(c))) {
            ++c;
            continue;
        }
        int last = c;
        while (last + 1 < 256 && bits_.test(static_cast<size_t>(last + 1))) ++last;
        AppendByte(out, c);
        if (last > c + 1) out += '-';
        if (last > c) AppendByte(out, last);
        c = last + 1;
    }
    return out;
}

TZefRegExprModifiers ZefModifierForLetter(char letter)
{
    switch (letter) {
    case 'i': case 'I': return rmIgnoreCase;
    case 'r': case 'R': return rmRussian;
    case 's': case 'S': return rmSingleLine;
    case 'g': case 'G': return rmGreedy;
    case 'm': case 'M': return rmMultiLine;
    case 'x': case 'X': return rmExtended;
    default: return 0;
    }
}

const TZefRegExprCharSet& ZefDigitChars()
{
    static const TZefRegExprCharSet set = MakeSet("0123456789");
    return set;
}

const TZefRegExprCharSet& ZefWordChars()
{
    static const TZefRegExprCharSet set = MakeSet("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_");
    return set;
}

const TZefRegExprCharSet& ZefSpaceChars()
{
    static const TZefRegExprCharSet set = MakeSet(" \t\n\r\f");
    return set;
}
