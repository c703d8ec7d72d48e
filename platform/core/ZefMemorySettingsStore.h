// A settings store held in memory: the stand-in for the registry in tests and wherever nothing may persist.
#pragma once

#include "ZefSettingsStore.h"

#include <map>
#include <string>
#include <variant>

class TZefMemorySettingsStore : public TZefSettingsStore {
public:
    bool KeyExists(std::string_view key) const override;
    bool CreateKey(std::string_view key) override;
    bool ValueExists(std::string_view key, std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const override;
    std::optional<int32_t> ReadInteger(std::string_view key, std::string_view name) const override;
    bool WriteString(std::string_view key, std::string_view name, std::string_view value) override;
    bool WriteInteger(std::string_view key, std::string_view name, int32_t value) override;
    bool DeleteValue(std::string_view key, std::string_view name) override;

    // While read-only, CreateKey and the writes fail (as for a key the user may not write).
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool DeleteKey(std::string_view key);

    // Every key in path order with its values: "key\n  name=s:text\n  name=i:42\n" (names as first written).
    std::string DebugDump() const;

private:
    struct Value {
        std::string name;
        std::variant<std::string, int32_t> data;
    };
    struct Key {
        std::string path;
        std::map<std::string, Value> values; // by folded name
    };

    const Value* FindValue(std::string_view key, std::string_view name) const;
    Key* OpenForWrite(std::string_view key);

    std::map<std::string, Key> keys_; // by folded, normalised path
    bool readOnly_ = false;
};
