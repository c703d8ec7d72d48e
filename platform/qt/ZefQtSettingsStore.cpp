// QSettings behind the settings store interface; text crosses the boundary through the Windows-1252 tables.
#include "ZefQtSettingsStore.h"

#include "CodePage1252.h"

#include <QVariant>

namespace {

QString ToQt(std::string_view bytes)
{
    const std::u16string utf16 = cp1252::ToUtf16(bytes);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string FromQt(const QString& text)
{
    return cp1252::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<size_t>(text.size())));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp1252::ToLower(static_cast<unsigned char>(a[i])) != cp1252::ToLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// A group holds something when it has a value or a non-empty subgroup (QSettings lists only those).
bool GroupHasContent(QSettings& settings, const QString& group)
{
    settings.beginGroup(group);
    const bool hasContent = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return hasContent;
}

} // namespace

TZefQtSettingsStore::TZefQtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zefra"),
                                            QStringLiteral("Text Editor v1.22")))
{
}

TZefQtSettingsStore::TZefQtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

TZefQtSettingsStore::~TZefQtSettingsStore() = default;

QString TZefQtSettingsStore::SettingsPath(std::string_view key, std::string_view name) const
{
    const std::string path = zefsettings::NormalizeKey(key);
    const std::string_view root = kZefSettingsKey;
    if (path.size() < root.size() || !EqualsIgnoringCase(std::string_view(path).substr(0, root.size()), root))
        return {};
    if (path.size() > root.size() && path[root.size()] != '\\') return {};
    std::string relative = path.size() > root.size() ? path.substr(root.size() + 1) : std::string();
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    if (!name.empty()) {
        if (!relative.empty()) relative += '/';
        relative.append(name);
    }
    // A key at the root itself with no name is addressed by the marker "/" (checked by the callers).
    return relative.empty() ? QStringLiteral("/") : ToQt(relative);
}

bool TZefQtSettingsStore::Writable() const { return settings_->isWritable(); }

bool TZefQtSettingsStore::KeyExists(std::string_view key) const
{
    const QString group = SettingsPath(key, {});
    if (group.isEmpty()) return false;
    if (group == QStringLiteral("/")) return !settings_->allKeys().isEmpty();
    return GroupHasContent(*settings_, group);
}

bool TZefQtSettingsStore::CreateKey(std::string_view key)
{
    return !SettingsPath(key, {}).isEmpty() && Writable();
}

bool TZefQtSettingsStore::ValueExists(std::string_view key, std::string_view name) const
{
    const QString path = SettingsPath(key, name);
    return !path.isEmpty() && !name.empty() && settings_->contains(path);
}

std::optional<std::string> TZefQtSettingsStore::ReadString(std::string_view key, std::string_view name) const
{
    if (!ValueExists(key, name)) return std::nullopt;
    return FromQt(settings_->value(SettingsPath(key, name)).toString());
}

std::optional<int32_t> TZefQtSettingsStore::ReadInteger(std::string_view key, std::string_view name) const
{
    if (!ValueExists(key, name)) return std::nullopt;
    const QVariant value = settings_->value(SettingsPath(key, name));
    // The registry keeps the type (a DWORD arrives as a number); an INI file keeps only text, so a number
    // written there reads back as its decimal digits. A DWORD above 0x7FFFFFFF is the same 32 bits.
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < INT32_MIN || number > UINT32_MAX) throw EZefSettingsError::InvalidDataType(name);
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

bool TZefQtSettingsStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    const QString path = SettingsPath(key, name);
    if (path.isEmpty() || name.empty() || !Writable()) return false;
    settings_->setValue(path, ToQt(value));
    return settings_->status() == QSettings::NoError;
}

bool TZefQtSettingsStore::WriteInteger(std::string_view key, std::string_view name, int32_t value)
{
    const QString path = SettingsPath(key, name);
    if (path.isEmpty() || name.empty() || !Writable()) return false;
    settings_->setValue(path, value);
    return settings_->status() == QSettings::NoError;
}

bool TZefQtSettingsStore::DeleteValue(std::string_view key, std::string_view name)
{
    if (!ValueExists(key, name) || !Writable()) return false;
    settings_->remove(SettingsPath(key, name));
    return true;
}

bool TZefQtSettingsStore::Sync()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
