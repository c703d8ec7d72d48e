// Settings: the INI file written at exit and read at start, the per-user values written when they change
// and read at the next start, strict number conversion and its error path.
#include "support/AppTestFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString IniText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

TEST(ZefStrToIntTest, AcceptsOnlyDecimalIntegers)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"80", 80},          {"-5", -5},          {"+7", 7},         {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"", std::nullopt},  {"-", std::nullopt}, {" 8", std::nullopt}, {"8 ", std::nullopt},
        {"0x10", std::nullopt}, {"$10", std::nullopt}, {"1e3", std::nullopt}, {"abc", std::nullopt},
        {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        if (c.value) {
            EXPECT_EQ(ZefStrToInt(text), *c.value) << c.text;
            continue;
        }
        try {
            ZefStrToInt(text);
            ADD_FAILURE() << "converted: " << c.text;
        } catch (const EZefConvertError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(c.text) + "' is not a valid integer value");
        }
    }
}

using SettingsTest = TAppTestFixture;

TEST_F(SettingsTest, MissingValuesGiveTheDefaults)
{
    TZefMainSettings settings;
    EXPECT_TRUE(ReadMainSettings(settings));
    EXPECT_FALSE(settings.GutterButtonDown);
    EXPECT_FALSE(settings.Cream);
    EXPECT_EQ(settings.FontName, QString());
    EXPECT_EQ(settings.FontSize, 0);
    EXPECT_FALSE(settings.ZeroStart);
    EXPECT_EQ(settings.RightEdge, 80);
    EXPECT_EQ(settings.MaxStrOnLine, 80);
    EXPECT_FALSE(settings.SoundSaved);
    EXPECT_TRUE(settings.ActiveLineColor);
    EXPECT_EQ(ReadLastOpenedDir(), QString());
    EXPECT_TRUE(desktop.Calls().empty());
}

TEST_F(SettingsTest, ValuesWrittenWhenTheyChangeAreReadAtTheNextStart)
{
    StoreGutterButton(true);
    StoreBackground(true);
    StoreFont(QStringLiteral("Lucida Console"), 12);
    StoreZeroStart(true);
    StoreRightEdge(100);
    StoreMaxStrOnLine(72);
    StoreMaxStrOnLine(0); // "no splitting" is not stored
    StoreSoundSaved(true);
    StoreActiveLineColor(false);
    StoreLastOpenedDir(Path(QStringLiteral("sub/file.txt")));
    QDir(Path(QString())).mkdir(QStringLiteral("sub"));

    StartUserSettings();
    EXPECT_EQ(ReadUserSetting("sbGutterUpDown"), QStringLiteral("Down"));
    EXPECT_EQ(ReadUserSetting("BackColInMain"), QStringLiteral("clCream"));
    EXPECT_EQ(ReadUserSetting("FontSizeInMain"), QStringLiteral("12"));
    EXPECT_EQ(ReadUserSetting("CheckActiveLineColor"), QStringLiteral("0"));
    TZefMainSettings settings;
    EXPECT_TRUE(ReadMainSettings(settings));
    EXPECT_TRUE(settings.GutterButtonDown);
    EXPECT_TRUE(settings.Cream);
    EXPECT_EQ(settings.FontName, QStringLiteral("Lucida Console"));
    EXPECT_EQ(settings.FontSize, 12);
    EXPECT_TRUE(settings.ZeroStart);
    EXPECT_EQ(settings.RightEdge, 100);
    EXPECT_EQ(settings.MaxStrOnLine, 72);
    EXPECT_TRUE(settings.SoundSaved);
    EXPECT_FALSE(settings.ActiveLineColor);
    EXPECT_EQ(ReadLastOpenedDir(), QDir::cleanPath(Path(QStringLiteral("sub"))));

    // Switching back writes the other texts.
    StoreGutterButton(false);
    StoreBackground(false);
    StoreActiveLineColor(true);
    StartUserSettings();
    EXPECT_EQ(ReadUserSetting("sbGutterUpDown"), QStringLiteral("Up"));
    EXPECT_EQ(ReadUserSetting("BackColInMain"), QStringLiteral("clWhite"));
    TZefMainSettings again;
    ReadMainSettings(again);
    EXPECT_FALSE(again.GutterButtonDown);
    EXPECT_FALSE(again.Cream);
    EXPECT_TRUE(again.ActiveLineColor);
}

TEST_F(SettingsTest, ANumberThatDoesNotConvertIsReportedAndLaterValuesKeepTheirDefaults)
{
    WriteUserSetting("FontSizeInMain", QStringLiteral("11"));
    WriteUserSetting("RightEdgeValue", QStringLiteral("wide"));
    WriteUserSetting("MaxStrOnLine", QStringLiteral("60"));
    WriteUserSetting("CheckSoundSaved", QStringLiteral("1"));
    WriteUserSetting("CheckActiveLineColor", QStringLiteral("0"));
    desktop.AnswerMessageBox(mbOk);

    TZefMainSettings settings;
    EXPECT_FALSE(ReadMainSettings(settings));

    ASSERT_EQ(desktop.Calls().size(), 1u);
    EXPECT_EQ(desktop.Calls()[0].caption, QStringLiteral("Zefra Text Editor"));
    EXPECT_EQ(desktop.Calls()[0].text, QStringLiteral("'wide' is not a valid integer value"));
    EXPECT_EQ(desktop.Calls()[0].icon, TZefMsgIcon::miError);
    EXPECT_EQ(settings.FontSize, 11);
    EXPECT_EQ(settings.RightEdge, 80);
    EXPECT_EQ(settings.MaxStrOnLine, 80);
    EXPECT_FALSE(settings.SoundSaved);
    EXPECT_TRUE(settings.ActiveLineColor);
    // The dialogs see the same error.
    EXPECT_THROW(ReadRightEdgeSetting(80), EZefConvertError);
    EXPECT_EQ(ReadMaxStrOnLineSetting(80), 60);
}

TEST_F(SettingsTest, IniFileAtExitKeepsTheWindowAndTheNewestTenRecentFiles)
{
    const QString ini = Path(QStringLiteral("zefraed.ini"));
    TRecentFiles recent;
    for (int i = 1; i <= 11; ++i)
        recent.AddRecentFile(QStringLiteral("/files/f%1.txt").arg(i));
    TZefWindowSettings window;
    window.Left = 10;
    window.Top = 20;
    window.Width = 640;
    window.Height = 480;
    window.Maximized = true;
    window.ShowStatusbar = false;
    ASSERT_TRUE(SaveIniSettings(ini, window, recent));

    const QString text = IniText(ini);
    EXPECT_TRUE(text.contains(QStringLiteral("[Main]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Width=640"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Maximized=1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[MRUFiles]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MRUFile1=/files/f11.txt"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MRUFile10=/files/f2.txt"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("f1.txt"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("MRUFile11"))) << text.toStdString();

    TZefWindowSettings read;
    TRecentFiles readRecent;
    LoadIniSettings(ini, read, readRecent);
    EXPECT_EQ(read.Left, 10);
    EXPECT_EQ(read.Top, 20);
    EXPECT_EQ(read.Width, 640);
    EXPECT_EQ(read.Height, 480);
    EXPECT_TRUE(read.Maximized);
    EXPECT_FALSE(read.ShowStatusbar);
    ASSERT_EQ(readRecent.RecentFileCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(readRecent.RecentFile(i), recent.RecentFile(i)) << i;

    // A shorter list at the next exit deletes the names it no longer uses.
    TRecentFiles shorter;
    shorter.AddRecentFile(QStringLiteral("/files/only.txt"));
    ASSERT_TRUE(SaveIniSettings(ini, window, shorter));
    const QString after = IniText(ini);
    EXPECT_TRUE(after.contains(QStringLiteral("MRUFile1=/files/only.txt"))) << after.toStdString();
    EXPECT_FALSE(after.contains(QStringLiteral("MRUFile2"))) << after.toStdString();
}

TEST_F(SettingsTest, MissingOrBadIniValuesGiveTheDefaultsAndDuplicatesCollapse)
{
    const QString ini = WriteFile(QStringLiteral("odd.ini"),
                                  "[Main]\nWidth=abc\nShowStatusbar=0\n[MRUFiles]\nMRUFile1=/a/X.txt\n"
                                  "MRUFile2=/b/y.txt\nMRUFile3=/a/./X.txt\n");
    TZefWindowSettings window;
    TRecentFiles recent;
    LoadIniSettings(ini, window, recent);
    EXPECT_EQ(window.Width, 0);
    EXPECT_EQ(window.Left, 0);
    EXPECT_FALSE(window.Maximized);
    EXPECT_FALSE(window.ShowStatusbar);
    ASSERT_EQ(recent.RecentFileCount(), 2);
    EXPECT_EQ(recent.RecentFile(0), QStringLiteral("/a/X.txt"));
    EXPECT_EQ(recent.RecentFile(1), QStringLiteral("/b/y.txt"));

    TZefWindowSettings none;
    TRecentFiles empty;
    LoadIniSettings(Path(QStringLiteral("absent.ini")), none, empty);
    EXPECT_TRUE(none.ShowStatusbar);
    EXPECT_EQ(empty.RecentFileCount(), 0);
}

TEST_F(SettingsTest, IniFileLivesBesideTheProgramUnlessThatFolderCannotBeWritten)
{
    EXPECT_EQ(ZefIniFilePath(Path(QStringLiteral("zefraed"))), Path(QStringLiteral("zefraed.ini")));
    EXPECT_EQ(ZefIniFilePath(Path(QStringLiteral("zefraed.exe"))), Path(QStringLiteral("zefraed.ini")));

    const QString fallback = ZefIniFilePath(Path(QStringLiteral("missing-folder/zefraed")));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(fallback, config + QStringLiteral("/Zefra/zefraed.ini"));
    EXPECT_TRUE(QFileInfo(QFileInfo(fallback).absolutePath()).isDir());
}
