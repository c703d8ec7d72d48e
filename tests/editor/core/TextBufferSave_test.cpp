// Saving against the file system: what an ordinary user may and may not replace, read-only folders, hard and
// symbolic links, owner, group, mode and extended attributes, a full disk on both ways of saving, and names
// and paths at the system's length limits.
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

TZefEditStringList& NewText()
{
    static TZefEditStringList list;
    if (list.Count() == 0) {
        list.AddLine("new text");
        list.SetLineBreakStyle(lbsLF);
    }
    return list;
}
const char* const kNewBytes = "new text\n";
const char* const kOldBytes = "old text\n";

// The tests run as root; these cases need an ordinary user. Files are made by root with the owners and modes
// each case wants, then the save runs in a child process that has dropped to "nobody".
class SaveAsOrdinaryUser : public ::testing::Test {
public:
    void SetUp() override
    {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to make other users' files and to become an ordinary user";
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr) GTEST_SKIP() << "no user \"nobody\" to save as";
        uid_ = nobody->pw_uid;
        gid_ = nobody->pw_gid;
        char pattern[] = "/tmp/zefra-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_EQ(::chown(folder_.c_str(), uid_, gid_), 0);
        ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
    }
    void TearDown() override
    {
        if (folder_.empty()) return;
        for (const auto& entry : fs::recursive_directory_iterator(folder_))
            if (entry.is_directory() && !entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_all);
        fs::remove_all(folder_);
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    void MakeFile(const std::string& path, uid_t uid, gid_t gid, mode_t mode)
    {
        WriteFile(path, kOldBytes);
        ASSERT_EQ(::chown(path.c_str(), uid, gid), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    }
    void MakeFolder(const std::string& path)
    {
        ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
        ASSERT_EQ(::chown(path.c_str(), uid_, gid_), 0);
    }

    // Saves the new text to path as "nobody"; answers "saved" or the error's message.
    std::string SaveAsNobody(const std::string& path)
    {
        const TZefEditStringList& list = NewText();
        int channel[2];
        if (::pipe(channel) != 0) return "no pipe";
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            std::string result;
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid_) != 0 || ::setuid(uid_) != 0) {
                result = "cannot become nobody";
            } else {
                try {
                    list.SaveToFile(path);
                    result = "saved";
                } catch (const std::exception& error) {
                    result = error.what();
                }
            }
            static_cast<void>(::write(channel[1], result.data(), result.size()));
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string result;
        char chunk[512];
        for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;)
            result.append(chunk, static_cast<size_t>(got));
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return result;
    }

    std::string folder_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

std::string Denied(const std::string& path)
{
    return "Cannot create file \"" + path + "\". Permission denied";
}

struct UserSaveCase {
    const char* name;
    std::function<std::string(SaveAsOrdinaryUser&)> setUp; // makes the files, answers the name to save to
    std::function<std::string(const std::string& path)> expected;
    std::function<void(SaveAsOrdinaryUser&, const std::string& path)> check;
};

TEST_F(SaveAsOrdinaryUser, SavesOnlyWhatTheUserMayWriteAndKeepsWhatTheFileWas)
{
    const UserSaveCase cases[] = {
        {"a mode-444 file is refused and untouched",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("ro.txt"), t.uid_, t.gid_, 0444);
             return t.Path("ro.txt");
         },
         Denied,
         [](SaveAsOrdinaryUser&, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kOldBytes);
             EXPECT_EQ(StatOf(path).st_mode & 07777, 0444u);
         }},
        {"another user's file is refused and keeps its owner",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("root.txt"), 0, 0, 0644);
             return t.Path("root.txt");
         },
         Denied,
         [](SaveAsOrdinaryUser&, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kOldBytes);
             EXPECT_EQ(StatOf(path).st_uid, 0u);
         }},
        {"another user's group-writable file is written in place, owner kept",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("shared.txt"), 0, t.gid_, 0664);
             return t.Path("shared.txt");
         },
         [](const std::string&) { return std::string("saved"); },
         [](SaveAsOrdinaryUser& t, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kNewBytes);
             const struct stat info = StatOf(path);
             EXPECT_EQ(info.st_uid, 0u);
             EXPECT_EQ(info.st_gid, t.gid_);
             EXPECT_EQ(info.st_mode & 07777, 0664u);
         }},
        {"a writable file in a 555 folder is saved",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFolder(t.Path("locked"));
             t.MakeFile(t.Path("locked/doc.txt"), t.uid_, t.gid_, 0640);
             EXPECT_EQ(::chmod(t.Path("locked").c_str(), 0555), 0);
             return t.Path("locked/doc.txt");
         },
         [](const std::string&) { return std::string("saved"); },
         [](SaveAsOrdinaryUser& t, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kNewBytes);
             EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
             EXPECT_EQ(Entries(t.Path("locked")), std::vector<std::string>{"doc.txt"});
         }},
        {"a new file in a 555 folder is refused",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFolder(t.Path("closed"));
             EXPECT_EQ(::chmod(t.Path("closed").c_str(), 0555), 0);
             return t.Path("closed/new.txt");
         },
         Denied,
         [](SaveAsOrdinaryUser& t, const std::string&) { EXPECT_TRUE(Entries(t.Path("closed")).empty()); }},
        {"a hard link: both names see the new text",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("one.txt"), t.uid_, t.gid_, 0600);
             EXPECT_EQ(::link(t.Path("one.txt").c_str(), t.Path("two.txt").c_str()), 0);
             return t.Path("one.txt");
         },
         [](const std::string&) { return std::string("saved"); },
         [](SaveAsOrdinaryUser& t, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kNewBytes);
             EXPECT_EQ(ReadFile(t.Path("two.txt")), kNewBytes);
             EXPECT_EQ(StatOf(path).st_ino, StatOf(t.Path("two.txt")).st_ino);
             EXPECT_EQ(StatOf(path).st_nlink, 2u);
         }},
        {"a symbolic link stays a link",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("real.txt"), t.uid_, t.gid_, 0644);
             fs::create_symlink("real.txt", t.Path("link.txt"));
             return t.Path("link.txt");
         },
         [](const std::string&) { return std::string("saved"); },
         [](SaveAsOrdinaryUser& t, const std::string& path) {
             EXPECT_TRUE(fs::is_symlink(path));
             EXPECT_EQ(ReadFile(t.Path("real.txt")), kNewBytes);
         }},
        {"mode and extended attributes survive the rename",
         [](SaveAsOrdinaryUser& t) {
             t.MakeFile(t.Path("tagged.txt"), t.uid_, t.gid_, 0604);
             EXPECT_EQ(::setxattr(t.Path("tagged.txt").c_str(), "user.zefra.tag", "blue", 4, 0), 0)
                 << std::strerror(errno);
             return t.Path("tagged.txt");
         },
         [](const std::string&) { return std::string("saved"); },
         [](SaveAsOrdinaryUser&, const std::string& path) {
             EXPECT_EQ(ReadFile(path), kNewBytes);
             EXPECT_EQ(StatOf(path).st_mode & 07777, 0604u);
             char value[16] = {};
             EXPECT_EQ(::getxattr(path.c_str(), "user.zefra.tag", value, sizeof value), 4);
             EXPECT_STREQ(value, "blue");
         }},
    };
    for (const UserSaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.setUp(*this);
        EXPECT_EQ(SaveAsNobody(path), c.expected(path));
        c.check(*this, path);
        // Nothing the save made is left beside the file.
        for (const auto& entry : fs::recursive_directory_iterator(folder_))
            EXPECT_EQ(entry.path().filename().string().rfind(".zef", 0), std::string::npos) << entry.path();
    }
}

// ---------------------------------------------------------------------------------------------------------

class SaveToFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zefra-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

// A full disk: a 64 KiB tmpfs holds the old file; a save of 1 MiB fails without touching it, whether it
// would have renamed a new file over it or written it in place (a second link forces that).
TEST_F(SaveToFileSystem, FullDiskLeavesTheOldBytesOnBothPaths)
{
    const std::string disk = Path("disk");
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{disk};

    TZefEditStringList big;
    for (int i = 0; i < 1024; ++i) big.AddLine(std::string(1023, 'x'));
    const std::string old = std::string(20000, 'o') + "\n";
    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "by rename");
        const std::string target = disk + "/doc.txt";
        WriteFile(target, old);
        if (inPlace) {
            ASSERT_EQ(::link(target.c_str(), (disk + "/other.txt").c_str()), 0);
        }
        try {
            big.SaveToFile(target);
            ADD_FAILURE() << "no exception";
        } catch (const EZefFileError& e) {
            EXPECT_EQ(e.ErrorNumber(), ENOSPC);
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + target + "\". No space left on device");
        }
        EXPECT_TRUE(ReadFile(target) == old);
        if (inPlace) {
            EXPECT_EQ(StatOf(target).st_nlink, 2u);
            EXPECT_EQ(Entries(disk), (std::vector<std::string>{"doc.txt", "other.txt"}));
            // A save that fits still goes through, and shrinks the file.
            NewText().SaveToFile(target);
            EXPECT_EQ(ReadFile(disk + "/other.txt"), kNewBytes);
            fs::remove(disk + "/other.txt");
        } else {
            EXPECT_EQ(Entries(disk), (std::vector<std::string>{"doc.txt"}));
        }
    }
}

// The temporary file's name is short and made relative to the folder, so names up to the system's 255
// bytes and paths near its 4,096 save like any other.
TEST_F(SaveToFileSystem, NamesAndPathsAtTheLengthLimitsSave)
{
    std::string deep = folder_;
    while (deep.size() < 3800) {
        deep += "/" + std::string(200, 'd');
        ASSERT_EQ(::mkdir(deep.c_str(), 0755), 0) << std::strerror(errno);
    }
    const std::string nearLimit = deep + "/" + std::string(4090 - deep.size() - 1, 'p');
    const std::string bytes = "first\r\nsecond\nno final break";
    for (const std::string& path : {Path(std::string(239, 'n')), Path(std::string(240, 'n')),
                                    Path(std::string(255, 'n')), nearLimit}) {
        SCOPED_TRACE(path.size());
        WriteFile(path, bytes);
        TZefEditStringList list;
        list.LoadFromFile(path);
        list.ReplaceLine(0, "FIRST");
        list.SaveToFile(path);
        EXPECT_EQ(ReadFile(path), "FIRST\r\nsecond\nno final break");
        for (const std::string& name : Entries(fs::path(path).parent_path().string()))
            EXPECT_NE(name.rfind(".zef", 0), 0u) << "a temporary file was left: " << name;
    }
    EXPECT_EQ(nearLimit.size(), 4090u);
}

} // namespace
