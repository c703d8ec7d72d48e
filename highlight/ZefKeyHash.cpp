// Hash tables and hash functions of the keyword lookups.
#include "ZefKeyHash.h"

#include "CodePage1252.h"

TZefKeyHashTables TZefKeyHashTables::CaseInsensitive(const TZefCharSet& identChars)
{
    TZefKeyHashTables tables;
    tables.ident = identChars;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (identChars.Contains(byte)) tables.value[byte] = cp1252::ToLower(byte);
    }
    return tables;
}

TZefKeyHashTables TZefKeyHashTables::CaseSensitive(const TZefCharSet& identChars)
{
    TZefKeyHashTables tables;
    tables.ident = identChars;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (identChars.Contains(byte)) tables.value[byte] = byte;
    }
    return tables;
}

namespace zefkeys {

TZefWordHash ShiftHash(const TZefKeyHashTables& tables, std::string_view text)
{
    TZefWordHash result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!tables.ident.Contains(byte)) break;
        result.hash = (result.hash * 2 + tables.value[byte]) & 0xFFu;
        ++result.length;
    }
    return result;
}

bool KeyCompHashed(const TZefKeyHashTables& tables, std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (tables.value[static_cast<unsigned char>(word[i])] != tables.value[static_cast<unsigned char>(keyword[i])])
            return false;
    }
    return true;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp1252::ToLower(static_cast<unsigned char>(a[i])) != cp1252::ToLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace zefkeys
