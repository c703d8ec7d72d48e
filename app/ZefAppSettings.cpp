// The INI file beside the program and the per-user string values, with their defaults and conversions.
#include "ZefAppSettings.h"

#include "RecentFiles.h"
#include "ZefAppInfo.h"
#include "ZefDesktop.h"
#include "ZefFilePath.h"
#include "ZefQtSettingsStore.h"
#include "ZefSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <limits>
#include <memory>

namespace {

TZefSettingsStore* installedStore = nullptr;

// Runs f on the installed store, or on the user's real settings opened for this one access (so every write
// reaches the disk before the next one is made).
template <typename F>
auto WithStore(F&& f)
{
    if (installedStore)
        return f(*installedStore);
    TZefQtSettingsStore store;
    auto result = f(store);
    store.Sync();
    return result;
}

QString IniKey(const char* section, const QString& name) { return QLatin1String(section) + QLatin1Char('/') + name; }

int ReadIniInt(const QSettings& ini, const char* name, int fallback)
{
    bool ok = false;
    const int value = ini.value(IniKey("Main", QLatin1String(name))).toString().toInt(&ok, 10);
    return ok ? value : fallback;
}

// A file name as the INI file keeps it: plain text when it is UTF-8, else its bytes ("@ByteArray(...)"), so
// that the name read back reaches the same file.
QVariant RecentFileValue(const QString& path)
{
    return ZefPathIsUnicode(path) ? QVariant(path) : QVariant(ZefPathToBytes(path));
}

QString BoolText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

QString ZefIniFilePath(const QString& programPath)
{
    const QFileInfo program(programPath);
    const QString iniName = program.completeBaseName() + QStringLiteral(".ini");
    const QFileInfo folder(program.absolutePath());
    if (folder.isDir() && folder.isWritable())
        return program.absolutePath() + QLatin1Char('/') + iniName;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1Char('/') + QLatin1String(ZefSettingsOrganization);
    QDir().mkpath(config);
    return config + QLatin1Char('/') + iniName;
}

void LoadIniSettings(const QString& iniPath, TZefWindowSettings& window, TRecentFiles& recentFiles)
{
    const QSettings ini(iniPath, QSettings::IniFormat);
    window.Left = ReadIniInt(ini, "Left", 0);
    window.Top = ReadIniInt(ini, "Top", 0);
    window.Width = ReadIniInt(ini, "Width", 0);
    window.Height = ReadIniInt(ini, "Height", 0);
    window.Maximized = ReadIniInt(ini, "Maximized", 0) != 0;
    window.ShowStatusbar = ReadIniInt(ini, "ShowStatusbar", 1) != 0;
    for (int k = MaxRecentFiles; k >= 1; --k) {
        const QVariant value = ini.value(IniKey("MRUFiles", QStringLiteral("MRUFile%1").arg(k)));
        // A name that is not UTF-8 is stored as its bytes.
        const QString path = value.typeId() == QMetaType::QByteArray ? ZefPathFromBytes(value.toByteArray())
                                                                     : value.toString();
        if (!path.isEmpty())
            recentFiles.AddRecentFile(path);
    }
}

bool SaveIniSettings(const QString& iniPath, const TZefWindowSettings& window, const TRecentFiles& recentFiles)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(IniKey("Main", QStringLiteral("Left")), window.Left);
    ini.setValue(IniKey("Main", QStringLiteral("Top")), window.Top);
    ini.setValue(IniKey("Main", QStringLiteral("Width")), window.Width);
    ini.setValue(IniKey("Main", QStringLiteral("Height")), window.Height);
    ini.setValue(IniKey("Main", QStringLiteral("Maximized")), window.Maximized ? 1 : 0);
    ini.setValue(IniKey("Main", QStringLiteral("ShowStatusbar")), window.ShowStatusbar ? 1 : 0);
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString name = IniKey("MRUFiles", QStringLiteral("MRUFile%1").arg(i));
        if (i - 1 < recentFiles.RecentFileCount())
            ini.setValue(name, RecentFileValue(recentFiles.RecentFile(i - 1)));
        else
            ini.remove(name);
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

TZefSettingsStore* SetZefUserSettingsStore(TZefSettingsStore* store)
{
    TZefSettingsStore* previous = installedStore;
    installedStore = store;
    return previous;
}

void WithUserSettingsStore(const std::function<void(TZefSettingsStore&)>& f)
{
    WithStore([&](TZefSettingsStore& store) {
        f(store);
        return true;
    });
}

QString ReadUserSetting(const char* name)
{
    return WithStore([name](TZefSettingsStore& store) {
        const std::optional<std::string> value = store.ReadString(kZefSettingsKey, name);
        return value ? QString::fromStdString(*value) : QString();
    });
}

void WriteUserSetting(const char* name, const QString& value)
{
    WithStore([&](TZefSettingsStore& store) { return store.WriteString(kZefSettingsKey, name, value.toStdString()); });
}

int ZefStrToInt(const QString& text)
{
    const auto fail = [&] {
        throw EZefConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    };
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        fail();
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            fail();
        value = value * 10 + (c - u'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        fail();
    return static_cast<int>(value);
}

bool ReadMainSettings(TZefMainSettings& settings)
{
    settings.GutterButtonDown = ReadUserSetting("sbGutterUpDown") == QStringLiteral("Down");
    settings.Cream = ReadUserSetting("BackColInMain") == QStringLiteral("clCream");
    const QString fontName = ReadUserSetting("FontInMain");
    if (!fontName.isEmpty())
        settings.FontName = fontName;
    try {
        const QString fontSize = ReadUserSetting("FontSizeInMain");
        if (!fontSize.isEmpty())
            settings.FontSize = static_cast<int8_t>(ZefStrToInt(fontSize));
        settings.ZeroStart = ReadUserSetting("CheckZeroStartMain") == QStringLiteral("1");
        settings.RightEdge = ReadRightEdgeSetting(settings.RightEdge);
        settings.MaxStrOnLine = ReadMaxStrOnLineSetting(settings.MaxStrOnLine);
    } catch (const EZefConvertError& error) {
        ZefDesktop().ErrorBox(QLatin1String(ZefAppTitle), QString::fromStdString(error.what()));
        return false;
    }
    settings.SoundSaved = ReadUserSetting("CheckSoundSaved") == QStringLiteral("1");
    settings.ActiveLineColor = ReadUserSetting("CheckActiveLineColor") != QStringLiteral("0");
    return true;
}

void StoreGutterButton(bool down) { WriteUserSetting("sbGutterUpDown", down ? QStringLiteral("Down") : QStringLiteral("Up")); }
void StoreBackground(bool cream)
{
    WriteUserSetting("BackColInMain", cream ? QStringLiteral("clCream") : QStringLiteral("clWhite"));
}

void StoreFont(const QString& name, int size)
{
    WriteUserSetting("FontInMain", name);
    WriteUserSetting("FontSizeInMain", QString::number(size));
}

void StoreZeroStart(bool zeroStart) { WriteUserSetting("CheckZeroStartMain", BoolText(zeroStart)); }
void StoreRightEdge(int column) { WriteUserSetting("RightEdgeValue", QString::number(column)); }

void StoreMaxStrOnLine(int length)
{
    if (length != 0)
        WriteUserSetting("MaxStrOnLine", QString::number(length));
}

void StoreSoundSaved(bool on) { WriteUserSetting("CheckSoundSaved", BoolText(on)); }
void StoreActiveLineColor(bool on) { WriteUserSetting("CheckActiveLineColor", BoolText(on)); }

void StoreLastOpenedDir(const QString& filePath)
{
    // QDir::cleanPath keeps a root's own delimiter and drops every other trailing one.
    WriteUserSetting("LastOpenedDir", QDir::cleanPath(QFileInfo(filePath).absolutePath()));
}

QString ReadLastOpenedDir()
{
    const QString folder = ReadUserSetting("LastOpenedDir");
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

int ReadRightEdgeSetting(int fallback)
{
    const QString text = ReadUserSetting("RightEdgeValue");
    return text.isEmpty() ? fallback : ZefStrToInt(text);
}

int ReadMaxStrOnLineSetting(int fallback)
{
    const QString text = ReadUserSetting("MaxStrOnLine");
    if (text.isEmpty())
        return fallback;
    // A length the formatter would refuse (a hand-edited or damaged value) gives the built-in length.
    const int length = ZefStrToInt(text);
    return length == 0 || (length >= 60 && length <= 180) ? length : 80;
}
