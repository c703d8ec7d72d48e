// File names as the system gives them (byte strings), carried losslessly in QString, and the file-system
// questions the program asks about them (existence, identity, a content digest).
#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

// Inside the program a path is a QString that carries every byte of the name: valid UTF-8 decodes as usual and
// every other byte b becomes the lone surrogate U+DC00 + b, which decoding never produces otherwise, so
// converting back gives exactly the bytes the system gave. Qt's own file classes would turn such characters
// into '?', so everything that touches the file system goes through the functions below.
QString ZefPathFromBytes(const QByteArray& bytes);
QByteArray ZefPathToBytes(const QString& path);
std::string ZefPathToStdString(const QString& path);

// For captions and messages only: every byte of the name that is not UTF-8 shows as U+FFFD.
QString ZefDisplayPath(const QString& path);
// True when every byte of the name is UTF-8 (nothing is carried as a lone surrogate).
bool ZefPathIsUnicode(const QString& path);
// True when a name came from a source that speaks only Unicode (the file dialogs) and lost bytes it could not
// decode on the way (they show as U+FFFD); such a name cannot reach the file it was chosen from.
bool ZefPathLostBytes(const QString& path);

// An absolute, lexically clean path ("." and ".." resolved, no doubled '/'); a relative path is taken from
// the current folder as the system names it (its bytes, not a decoded copy). Empty stays empty.
QString ZefAbsolutePath(const QString& path);
// The part after the last '/'; the part before it ("/" for a file in the root, empty without a '/').
QString ZefFileNameOf(const QString& path);
QString ZefFolderOf(const QString& path);

// What stat() says about a path (symbolic links followed).
struct TZefFileStatus {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0; // modification time in nanoseconds since the epoch
    int error = 0;          // errno of a failed stat()

    // Known not to exist (no such entry, or a part of the path is no folder), rather than hidden by an
    // error such as a folder that may not be searched.
    bool Missing() const { return !exists && (error == ENOENT || error == ENOTDIR); }

    // The same file in the same state: same device, inode, size and modification time.
    bool SameState(const TZefFileStatus& other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
               modifiedNs == other.modifiedNs;
    }
};
TZefFileStatus ZefStatFile(const QString& path);
bool ZefFileExists(const QString& path);
bool ZefIsRegularFile(const QString& path);
bool ZefIsDirectory(const QString& path);

// Two paths name the same document when they reach the same file (device and inode, through symbolic
// links); while either does not exist, when their absolute paths are equal byte for byte. Letter case
// matters: on this system NOTES.txt and notes.txt are two files.
bool ZefSameFile(const QString& a, const QString& b);

// A fast 64-bit digest of the file's contents (read in blocks); nullopt when it cannot be read.
std::optional<uint64_t> ZefFileDigest(const QString& path);

// The whole file as bytes; nullopt when it cannot be read (the reason in *error, if given).
std::optional<QByteArray> ZefReadWholeFile(const QString& path, QString* error = nullptr);

// What a document remembers of its file as it was loaded or last saved, to notice another program's change.
class TZefDiskSnapshot {
public:
    // Remembers the file's state and a digest of its contents now.
    void Take(const QString& path);
    void Forget() { taken_ = false; }
    // True when a snapshot was taken and the file at `path` is no longer that file in that state: replaced
    // (another inode), resized, touched, or (same size and time) holding other contents. A file that is gone
    // has nothing to overwrite and counts as unchanged.
    bool ChangedOnDisk(const QString& path) const;

private:
    bool taken_ = false;
    TZefFileStatus status_;
    std::optional<uint64_t> digest_;
};
