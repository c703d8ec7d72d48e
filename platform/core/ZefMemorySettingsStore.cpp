// The in-memory settings store: a sorted map of keys, each with its named values; names fold case as the
// registry does (through the Windows-1252 tables).
#include "ZefMemorySettingsStore.h"

#include "CodePage1252.h"

namespace {

std::string Fold(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return folded;
}

std::string FoldKey(std::string_view key) { return Fold(zefsettings::NormalizeKey(key)); }

} // namespace

bool TZefMemorySettingsStore::KeyExists(std::string_view key) const
{
    const std::string folded = FoldKey(key);
    return !folded.empty() && keys_.contains(folded);
}

TZefMemorySettingsStore::Key* TZefMemorySettingsStore::OpenForWrite(std::string_view key)
{
    const std::string path = zefsettings::NormalizeKey(key);
    if (readOnly_ || path.empty()) return nullptr;
    // Create every ancestor too, as the registry does.
    Key* opened = nullptr;
    for (size_t end = 0; end != std::string::npos;) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        auto [it, inserted] = keys_.try_emplace(Fold(prefix));
        if (inserted) it->second.path = prefix;
        opened = &it->second;
    }
    return opened;
}

bool TZefMemorySettingsStore::CreateKey(std::string_view key) { return OpenForWrite(key) != nullptr; }

const TZefMemorySettingsStore::Value* TZefMemorySettingsStore::FindValue(std::string_view key,
                                                                          std::string_view name) const
{
    const auto keyIt = keys_.find(FoldKey(key));
    if (keyIt == keys_.end()) return nullptr;
    const auto valueIt = keyIt->second.values.find(Fold(name));
    return valueIt == keyIt->second.values.end() ? nullptr : &valueIt->second;
}

bool TZefMemorySettingsStore::ValueExists(std::string_view key, std::string_view name) const
{
    return FindValue(key, name) != nullptr;
}

std::optional<std::string> TZefMemorySettingsStore::ReadString(std::string_view key, std::string_view name) const
{
    const Value* value = FindValue(key, name);
    if (!value) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&value->data)) return *text;
    return std::to_string(std::get<int32_t>(value->data));
}

std::optional<int32_t> TZefMemorySettingsStore::ReadInteger(std::string_view key, std::string_view name) const
{
    const Value* value = FindValue(key, name);
    if (!value) return std::nullopt;
    if (const auto* number = std::get_if<int32_t>(&value->data)) return *number;
    throw EZefSettingsError::InvalidDataType(name);
}

bool TZefMemorySettingsStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    Key* opened = OpenForWrite(key);
    if (!opened) return false;
    Value& slot = opened->values[Fold(name)];
    if (slot.name.empty()) slot.name = std::string(name);
    slot.data = std::string(value);
    return true;
}

bool TZefMemorySettingsStore::WriteInteger(std::string_view key, std::string_view name, int32_t value)
{
    Key* opened = OpenForWrite(key);
    if (!opened) return false;
    Value& slot = opened->values[Fold(name)];
    if (slot.name.empty()) slot.name = std::string(name);
    slot.data = value;
    return true;
}

bool TZefMemorySettingsStore::DeleteValue(std::string_view key, std::string_view name)
{
    if (readOnly_) return false;
    const auto keyIt = keys_.find(FoldKey(key));
    return keyIt != keys_.end() && keyIt->second.values.erase(Fold(name)) > 0;
}

bool TZefMemorySettingsStore::DeleteKey(std::string_view key)
{
    const std::string folded = FoldKey(key);
    if (readOnly_ || !keys_.contains(folded)) return false;
    // The key and everything below it: the folded paths that equal it or continue it with a backslash.
    for (auto it = keys_.lower_bound(folded); it != keys_.end();) {
        const std::string& path = it->first;
        if (path.compare(0, folded.size(), folded) != 0) break;
        if (path.size() > folded.size() && path[folded.size()] != '\\') {
            ++it;
            continue;
        }
        it = keys_.erase(it);
    }
    return true;
}

std::string TZefMemorySettingsStore::DebugDump() const
{
    std::string dump;
    for (const auto& [folded, key] : keys_) {
        dump += key.path;
        dump += '\n';
        for (const auto& [foldedName, value] : key.values) {
            dump += "  " + value.name + "=";
            if (const auto* text = std::get_if<std::string>(&value.data)) {
                dump += "s:" + *text;
            } else {
                dump += "i:" + std::to_string(std::get<int32_t>(value.data));
            }
            dump += '\n';
        }
    }
    return dump;
}
