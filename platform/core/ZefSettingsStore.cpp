// Key path helpers and the error of the settings store interface.
#include "ZefSettingsStore.h"

EZefSettingsError EZefSettingsError::InvalidDataType(std::string_view valueName)
{
    return EZefSettingsError("Invalid data type for '" + std::string(valueName) + "'");
}

namespace zefsettings {

std::string NormalizeKey(std::string_view key)
{
    std::string result;
    result.reserve(key.size());
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos) end = key.size();
        if (end > start) {
            if (!result.empty()) result += '\\';
            result.append(key.substr(start, end - start));
        }
        start = end + 1;
    }
    return result;
}

std::string JoinKey(std::string_view parent, std::string_view child)
{
    std::string joined(parent);
    joined += '\\';
    joined.append(child);
    return NormalizeKey(joined);
}

} // namespace zefsettings
