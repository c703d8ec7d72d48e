// The settings store on QSettings: the registry key "SOFTWARE\Zefra\Text Editor v1.22" on Windows, the
// platform's native per-user settings file elsewhere.
#pragma once

#include "ZefSettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

// Keys must lie at or below kZefSettingsKey: that prefix is the QSettings object's own location, and the rest
// of the path becomes its groups. Paths elsewhere cannot be opened (reads answer nothing, writes fail).
// QSettings treats '/' as a group separator, so an attribute name such as "PL/SQL Reserved Word" becomes two
// nested groups; a round trip through this store still finds it. A key exists once it holds a value or a
// subkey with one (QSettings keeps no empty groups), so CreateKey alone makes nothing visible. Names below
// the prefix ignore case only where the native store does (the registry); an INI file compares them exactly.
class TZefQtSettingsStore : public TZefSettingsStore {
public:
    // The user's real settings: organisation "Zefra", application "Text Editor v1.22", native format.
    TZefQtSettingsStore();
    // Settings in the INI file at iniPath (tests, portable installs).
    explicit TZefQtSettingsStore(const QString& iniPath);
    ~TZefQtSettingsStore() override;

    bool KeyExists(std::string_view key) const override;
    bool CreateKey(std::string_view key) override;
    bool ValueExists(std::string_view key, std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const override;
    std::optional<int32_t> ReadInteger(std::string_view key, std::string_view name) const override;
    bool WriteString(std::string_view key, std::string_view name, std::string_view value) override;
    bool WriteInteger(std::string_view key, std::string_view name, int32_t value) override;
    bool DeleteValue(std::string_view key, std::string_view name) override;

    // Writes pending changes to permanent storage and answers whether that worked.
    bool Sync();
    QSettings& Settings() { return *settings_; }

private:
    // The QSettings key of value `name` in `key`, or an empty string when the key is outside our location.
    // An empty name gives the group path of the key itself.
    QString SettingsPath(std::string_view key, std::string_view name) const;
    bool Writable() const;

    std::unique_ptr<QSettings> settings_;
};
