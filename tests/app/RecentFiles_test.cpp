// The recent-file list: newest first, ten entries, one entry per file whatever the letter case.
#include "RecentFiles.h"

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

TEST(RecentFilesTest, ReaddingMovesAnEntryToTheTopIgnoringCase)
{
    TRecentFiles files;
    files.AddRecentFile(QStringLiteral("/docs/A.txt"));
    files.AddRecentFile(QStringLiteral("/docs/b.txt"));
    files.AddRecentFile(QString());
    files.AddRecentFile(QStringLiteral("/DOCS/a.TXT"));
    EXPECT_EQ(Entries(files), (QStringList{QStringLiteral("/DOCS/a.TXT"), QStringLiteral("/docs/b.txt")}));

    files.RemoveRecentFile(QStringLiteral("/Docs/B.txt"));
    EXPECT_EQ(Entries(files), QStringList{QStringLiteral("/DOCS/a.TXT")});
    files.RemoveRecentFile(QStringLiteral("/docs/c.txt"));
    EXPECT_EQ(files.RecentFileCount(), 1);
}

TEST(RecentFilesTest, CaseComparisonFollowsTheCodePage)
{
    struct Case {
        QString a;
        QString b;
        bool same;
    };
    const Case cases[] = {
        {QStringLiteral("/x/\u00C9t\u00E9.txt"), QStringLiteral("/X/\u00E9T\u00C9.TXT"), true}, // accented letters
        {QStringLiteral("/x/a.txt"), QStringLiteral("/x/a.txt "), false},
        {QStringLiteral("/x/a.txt"), QStringLiteral("/x/b.txt"), false},
        {QStringLiteral("/x/\u0160"), QStringLiteral("/x/\u0161"), true}, // S caron, in the code page's upper half
        {QStringLiteral("/x/\u4E00"), QStringLiteral("/x/\u4E01"), false}, // outside the code page
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameFileNameIgnoringCase(c.a, c.b), c.same) << c.a.toStdString() << " / " << c.b.toStdString();
}
