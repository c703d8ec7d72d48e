// Text between the code page's bytes and Qt's strings.
#include "ZefCodePageText.h"

#include "CodePage1252.h"

std::string ZefToCodePage(const QString& text) { return cp1252::FromUtf16(text.toStdU16String()); }

std::optional<std::string> ZefToCodePageExact(const QString& text)
{
    std::string bytes = ZefToCodePage(text);
    if (ZefFromCodePage(bytes) != text) return std::nullopt;
    return bytes;
}

QString ZefFromCodePage(std::string_view bytes) { return QString::fromStdU16String(cp1252::ToUtf16(bytes)); }
