// Text between the code page's bytes and Qt's strings: the one conversion every dialog, menu and store uses.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Characters without a byte in the code page become '?'.
std::string ZefToCodePage(const QString& text);
// None when a character has no byte in the code page (so nothing is searched for, or written, as '?').
std::optional<std::string> ZefToCodePageExact(const QString& text);
QString ZefFromCodePage(std::string_view bytes);
