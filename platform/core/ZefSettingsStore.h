// The per-user settings store (the registry on Windows): keys addressed by backslash paths, holding named
// string and integer values. Engine code reads and writes settings only through this interface.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The application's own key under the current user's branch; every path the program uses starts with it.
inline constexpr std::string_view kZefSettingsKey = "SOFTWARE\\Zefra\\Text Editor v1.22";

// A value that exists but has the wrong type: "Invalid data type for '%s'" (%s the value name).
class EZefSettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static EZefSettingsError InvalidDataType(std::string_view valueName);
};

// Key paths are separated by backslashes; empty components are ignored, so "A\\B", "A\\B\\" and "\\A\\B" name
// the same key. Like the registry, key and value names compare ignoring case. A key path is always below the
// current user's branch (the store itself is that branch).
class TZefSettingsStore {
public:
    virtual ~TZefSettingsStore() = default;

    // True when the key can be opened for reading.
    virtual bool KeyExists(std::string_view key) const = 0;
    // Opens the key for writing, creating it and its parents when missing; false when that is impossible.
    virtual bool CreateKey(std::string_view key) = 0;
    virtual bool ValueExists(std::string_view key, std::string_view name) const = 0;

    // A missing key or value answers nullopt. ReadInteger raises EZefSettingsError::InvalidDataType when
    // the value exists and is not an integer; ReadString accepts an integer and answers its decimal text.
    virtual std::optional<std::string> ReadString(std::string_view key, std::string_view name) const = 0;
    virtual std::optional<int32_t> ReadInteger(std::string_view key, std::string_view name) const = 0;

    // Writes create the key when needed; false when the key cannot be created or the value not written.
    virtual bool WriteString(std::string_view key, std::string_view name, std::string_view value) = 0;
    virtual bool WriteInteger(std::string_view key, std::string_view name, int32_t value) = 0;

    // Removes the value; true when it existed.
    virtual bool DeleteValue(std::string_view key, std::string_view name) = 0;
};

// Key path helpers shared by the implementations.
namespace zefsettings {

// The path with empty components removed, components joined by single backslashes.
std::string NormalizeKey(std::string_view key);
// parent + "\\" + child, normalised.
std::string JoinKey(std::string_view parent, std::string_view child);

} // namespace zefsettings
