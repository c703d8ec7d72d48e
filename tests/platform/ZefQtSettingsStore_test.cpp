// The QSettings store in a temporary folder: values, key mapping, types, and a highlighter-style round trip.
#include "ZefQtSettingsStore.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kRoot(kZefSettingsKey);

class QtSettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(dir_.isValid());
    }
    QString IniPath() const { return dir_.filePath(QStringLiteral("settings.ini")); }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(QtSettingsStore, ValuesSurviveANewStoreOnTheSameFile)
{
    {
        TZefQtSettingsStore store(IniPath());
        ASSERT_TRUE(store.WriteString(kRoot, "LastOpenedDir", "C:\\Texte\\\xC9t\xE9"));
        ASSERT_TRUE(store.WriteInteger(kRoot + "\\SQL\\Reserved Word", "Foreground", 536870911));
        ASSERT_TRUE(store.WriteInteger(kRoot + "\\SQL\\Reserved Word", "Background", static_cast<int32_t>(0xFF000005u)));
        ASSERT_TRUE(store.WriteInteger(kRoot + "\\SQL\\PL/SQL Reserved Word", "Style", 3));
        ASSERT_TRUE(store.Sync());
    }
    TZefQtSettingsStore store(IniPath());
    EXPECT_EQ(store.ReadString(kRoot, "LastOpenedDir"), "C:\\Texte\\\xC9t\xE9") << "Windows-1252 text round trip";
    EXPECT_EQ(store.ReadInteger(kRoot + "\\SQL\\Reserved Word", "Foreground"), 536870911);
    EXPECT_EQ(store.ReadInteger(kRoot + "\\SQL\\Reserved Word", "Background"), static_cast<int32_t>(0xFF000005u));
    EXPECT_EQ(store.ReadInteger(kRoot + "\\SQL\\PL/SQL Reserved Word", "Style"), 3);
    EXPECT_EQ(store.ReadString(kRoot + "\\SQL\\Reserved Word", "Foreground"), "536870911");
    EXPECT_EQ(store.ReadInteger(kRoot + "\\SQL\\Reserved Word", "Missing"), std::nullopt);
    EXPECT_TRUE(store.KeyExists(kRoot + "\\SQL"));
    EXPECT_TRUE(store.KeyExists(kRoot + "\\SQL\\PL/SQL Reserved Word"));
    EXPECT_FALSE(store.KeyExists(kRoot + "\\HTML"));
    EXPECT_TRUE(store.ValueExists(kRoot + "\\SQL\\Reserved Word", "Foreground"));
}

TEST_F(QtSettingsStore, TextIsNoIntegerAndKeysOutsideTheApplicationAreRefused)
{
    TZefQtSettingsStore store(IniPath());
    ASSERT_TRUE(store.WriteString(kRoot + "\\X", "Style", "bold"));
    try {
        store.ReadInteger(kRoot + "\\X", "Style");
        FAIL() << "text read as an integer";
    } catch (const EZefSettingsError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'Style'");
    }
    EXPECT_FALSE(store.WriteString("SOFTWARE\\Other", "A", "b"));
    EXPECT_FALSE(store.WriteString("SOFTWARE\\Zefra\\Text Editor v1.22x", "A", "b"));
    EXPECT_FALSE(store.KeyExists("SOFTWARE\\Other"));
    EXPECT_FALSE(store.CreateKey("SOFTWARE\\Other"));
    EXPECT_TRUE(store.CreateKey("software\\zefra\\text editor v1.22\\New")) << "the prefix ignores case";
    EXPECT_TRUE(store.DeleteValue(kRoot + "\\X", "Style"));
    EXPECT_FALSE(store.ValueExists(kRoot + "\\X", "Style"));
    EXPECT_FALSE(store.KeyExists(kRoot + "\\X")) << "an emptied key is gone";
}

TEST_F(QtSettingsStore, TheDefaultStoreIsTheApplicationsNativeSettingsAndTestModeRedirectsIt)
{
    TZefQtSettingsStore store;
    EXPECT_EQ(store.Settings().organizationName(), QStringLiteral("Zefra"));
    EXPECT_EQ(store.Settings().applicationName(), QStringLiteral("Text Editor v1.22"));
    EXPECT_EQ(store.Settings().format(), QSettings::NativeFormat);
#ifndef Q_OS_WIN
    // Never the real user's file while tests run.
    const QString testConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_TRUE(store.Settings().fileName().startsWith(testConfig)) << store.Settings().fileName().toStdString();
#endif
}
