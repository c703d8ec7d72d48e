// Identifier characters by highlighter.
#include "ZefIdentChars.h"

#include "ZefEditHighlighter.h"

std::array<bool, 256> ZefIdentCharTable(const TZefCustomHighlighter* highlighter)
{
    std::array<bool, 256> table{};
    if (highlighter != nullptr) {
        const TZefCharSet chars = highlighter->GetIdentChars();
        for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = chars.Contains(static_cast<unsigned char>(c));
        return table;
    }
    for (int c = 0; c < 256; ++c) {
        table[static_cast<size_t>(c)] = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' ||
                                        (c >= 'a' && c <= 'z') || (c >= 192 && c <= 214) || (c >= 216 && c <= 246) ||
                                        c >= 248;
    }
    return table;
}
