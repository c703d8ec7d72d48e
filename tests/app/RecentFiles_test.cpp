// The recent-file list: newest first, ten entries, one entry per file.
#include "RecentFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Entries(const TRecentFiles& files)
{
    QStringList entries;
    for (int i = 0; i < files.RecentFileCount(); ++i)
        entries << files.RecentFile(i);
    return entries;
}

} // namespace

TEST(RecentFilesTest, ElevenFilesLeaveTheNewestTen)
{
    TRecentFiles files;
    for (int i = 1; i <= 11; ++i)
        files.AddRecentFile(QStringLiteral("/f%1.txt").arg(i));
    ASSERT_EQ(files.RecentFileCount(), MaxRecentFiles);
    EXPECT_EQ(files.RecentFile(0), QStringLiteral("/f11.txt"));
    EXPECT_EQ(files.RecentFile(9), QStringLiteral("/f2.txt"));
    EXPECT_EQ(files.RecentFile(10), QString());
    EXPECT_EQ(files.RecentFile(-1), QString());
}

TEST(RecentFilesTest, OneEntryPerFileThroughLinksButLetterCaseMakesTwoFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto touch = [&](const QString& name) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return folder.filePath(name);
    };
    const QString lower = touch(QStringLiteral("notes.txt"));
    const QString upper = touch(QStringLiteral("NOTES.txt"));
    const QString link = folder.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(lower, link));

    TRecentFiles files;
    files.AddRecentFile(lower);
    files.AddRecentFile(upper);
    files.AddRecentFile(QString());
    EXPECT_EQ(Entries(files), (QStringList{upper, lower}));
    // The link reaches the same file as notes.txt: its entry moves to the top under the new spelling.
    files.AddRecentFile(link);
    EXPECT_EQ(Entries(files), (QStringList{link, upper}));
    files.RemoveRecentFile(lower);
    EXPECT_EQ(Entries(files), QStringList{upper});
    // Names of files that do not exist are compared byte for byte.
    files.AddRecentFile(QStringLiteral("/no/such/A.txt"));
    files.RemoveRecentFile(QStringLiteral("/no/such/a.txt"));
    EXPECT_EQ(files.RecentFileCount(), 2);
    files.RemoveRecentFile(QStringLiteral("/no/such/../such/A.txt"));
    EXPECT_EQ(Entries(files), QStringList{upper});
}
