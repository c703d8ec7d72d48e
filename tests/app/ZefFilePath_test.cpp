// File names as bytes: the lossless QString form, the display form, absolute paths, file identity and the
// snapshot that notices another program's change.
#include "ZefFilePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(ZefFilePathTest, EveryByteSequenceComesBackUnchanged)
{
    struct Case {
        QByteArray bytes;
        QString shown;
    } const cases[] = {
        {"/plain/ascii.txt", QStringLiteral("/plain/ascii.txt")},
        {"/utf8/caf\xC3\xA9.txt", QStringLiteral("/utf8/caf\u00E9.txt")},
        {"/latin1/caf\xE9.txt", QStringLiteral("/latin1/caf\uFFFD.txt")},
        {"/emoji/\xF0\x9F\x98\x80", QString::fromUtf8("/emoji/\xF0\x9F\x98\x80")},
        {"/overlong/\xC0\xAF", QStringLiteral("/overlong/\uFFFD\uFFFD")},
        {"/surrogate/\xED\xB3\xA9", QStringLiteral("/surrogate/\uFFFD\uFFFD\uFFFD")},
        {"/cut/\xE2\x82", QStringLiteral("/cut/\uFFFD\uFFFD")},
        {"/beyond/\xF4\x90\x80\x80", QStringLiteral("/beyond/\uFFFD\uFFFD\uFFFD\uFFFD")},
    };
    for (const Case& c : cases) {
        const QString path = ZefPathFromBytes(c.bytes);
        EXPECT_EQ(ZefPathToBytes(path), c.bytes) << c.bytes.toStdString();
        EXPECT_EQ(ZefDisplayPath(path), c.shown) << c.bytes.toStdString();
        EXPECT_EQ(ZefPathIsUnicode(path), !c.shown.contains(QChar(QChar::ReplacementCharacter))) << c.bytes.toStdString();
    }
    // A name that a Unicode-only dialog already decoded has lost its bytes.
    EXPECT_TRUE(ZefPathLostBytes(QString::fromUtf8("/x/caf\xE9.txt")));
    EXPECT_FALSE(ZefPathLostBytes(ZefPathFromBytes("/x/caf\xE9.txt")));
}

TEST(ZefFilePathTest, AbsolutePathsComeFromTheCurrentFolderAsTheSystemNamesIt)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QByteArray folder = QFile::encodeName(root.path()) + "/d\xE9j\xE0";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray previous = QFile::encodeName(QDir::currentPath());
    ASSERT_EQ(::chdir(folder.constData()), 0);
    const QString relative = ZefAbsolutePath(QStringLiteral("notes.txt"));
    const QString dotted = ZefAbsolutePath(QStringLiteral("./sub/../notes.txt"));
    ASSERT_EQ(::chdir(previous.constData()), 0);
    EXPECT_EQ(ZefPathToBytes(relative), folder + "/notes.txt");
    EXPECT_EQ(dotted, relative);

    EXPECT_EQ(ZefAbsolutePath(QStringLiteral("//a/./b//c/../d")), QStringLiteral("/a/b/d"));
    EXPECT_EQ(ZefAbsolutePath(QStringLiteral("/..")), QStringLiteral("/"));
    EXPECT_EQ(ZefAbsolutePath(QString()), QString());
    EXPECT_EQ(ZefFileNameOf(QStringLiteral("/a/b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(ZefFolderOf(QStringLiteral("/a/b.txt")), QStringLiteral("/a"));
    EXPECT_EQ(ZefFolderOf(QStringLiteral("/b.txt")), QStringLiteral("/"));
    EXPECT_EQ(ZefFolderOf(QStringLiteral("b.txt")), QString());
}

TEST(ZefFilePathTest, TheSnapshotNoticesAChangeButNotItsOwnState)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString path = root.filePath(QStringLiteral("f.txt"));
    const auto write = [&](const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("first");
    TZefDiskSnapshot snapshot;
    EXPECT_FALSE(snapshot.ChangedOnDisk(path)) << "no snapshot, nothing to compare";
    snapshot.Take(path);
    EXPECT_FALSE(snapshot.ChangedOnDisk(path));
    write("other");
    EXPECT_TRUE(snapshot.ChangedOnDisk(path));
    snapshot.Take(path);
    EXPECT_FALSE(snapshot.ChangedOnDisk(path));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(snapshot.ChangedOnDisk(path)) << "a file that is gone has nothing to overwrite";

    EXPECT_FALSE(ZefFileDigest(root.filePath(QStringLiteral("missing"))).has_value());
    write(QByteArray(100000, 'a'));
    const std::optional<uint64_t> before = ZefFileDigest(path);
    QByteArray changed(100000, 'a');
    changed[77777] = 'b';
    write(changed);
    EXPECT_NE(ZefFileDigest(path), before);
}
