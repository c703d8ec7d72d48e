// The line store's file and stream input/output: whole-file reads of regular files, line-break detection,
// saving that keeps the file's breaks, owner, permissions, attributes and links.
#include "ZefEditFileWriter.h"
#include "ZefEditLoadParts.h"
#include "ZefEditTextBuffer.h"

#include "ZefRegularFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <istream>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using ByteBuffer = std::unique_ptr<char, FreeDeleter>;

// From this size on a buffer asks for huge pages: a file read into 4 KiB pages takes a page fault and a
// TLB entry every 4 KiB, which costs about as much as copying its bytes.
constexpr size_t kHugePagesFrom = size_t{8} << 20;
constexpr uintptr_t kHugePage = uintptr_t{2} << 20;

ByteBuffer AllocateBuffer(size_t size, size_t padding)
{
    char* p = static_cast<char*>(std::malloc(size + padding));
    if (!p) throw std::bad_alloc();
    if (size >= kHugePagesFrom) {
        // Only the huge pages that lie wholly inside the block.
        const auto from = (reinterpret_cast<uintptr_t>(p) + kHugePage - 1) & ~(kHugePage - 1);
        const auto to = (reinterpret_cast<uintptr_t>(p) + size) & ~(kHugePage - 1);
        if (from < to) static_cast<void>(::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE));
    }
    return ByteBuffer(p);
}

void GrowBuffer(ByteBuffer& buffer, size_t capacity, size_t padding)
{
    char* grown = static_cast<char*>(std::realloc(buffer.get(), capacity + padding));
    if (!grown) throw std::bad_alloc();
    static_cast<void>(buffer.release());
    buffer.reset(grown);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Big files are read in pieces, so that progress is told and a stop is heard while they come in.
constexpr size_t kReadPiece = size_t{16} << 20;
// From this size on the two halves of a file are read at once, each thread copying (and faulting in) its own.
constexpr size_t kReadInTwoFrom = size_t{4} << 20;

// The pieces a thread reads and then splits into lines while they are still in the cache.
constexpr size_t kScanPiece = size_t{512} << 10;

// The lines of a file found while its two halves are read (see ReadHalvesAtOnce).
struct TSplitWhileRead {
    zefload::TScannedBuffer scanned;
    size_t longLine = 0;
    // Where each part's scan goes on: the first line of the second part once found, then after each piece.
    const char* resume[2] = {nullptr, nullptr};
    const char* secondStart = nullptr; // the second part's first line (after the first LF in the second half)
    bool whole = false;                // both halves were read in full
};

// Reads [from, to) of the file piece by piece into buffer + from, and after each piece splits the lines it
// completed into `part` from `resume` on (nullptr: first finds the first LF of the range, sets `start` after
// it and begins there; the lines before it belong to the part before). Only bytes below scanLimit are
// split, so that the split never reads the bytes another thread is writing. keepGoing(done) is asked before
// each piece. Answers the bytes read; error is set when a read fails.
size_t ReadAndSplit(int fd, char* buffer, size_t from, size_t to, const char* scanLimit, size_t longLine,
                    const char*& resume, const char** start, zefload::TLoadedPart& part,
                    const std::function<bool(size_t)>& keepGoing, int& error)
{
    size_t at = from;
    const char* searched = buffer + from; // where the search for the first LF goes on
    while (at < to && keepGoing(at - from)) {
        const ssize_t got = ::pread(fd, buffer + at, std::min(to - at, kScanPiece), static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            break;
        }
        if (got == 0) break;
        at += static_cast<size_t>(got);
        const char* readEnd = std::min<const char*>(buffer + at, scanLimit);
        if (resume == nullptr && searched < readEnd) {
            const void* lf = std::memchr(searched, '\n', static_cast<size_t>(readEnd - searched));
            searched = readEnd;
            if (lf == nullptr) continue;
            resume = static_cast<const char*>(lf) + 1;
            if (start != nullptr) *start = resume;
        }
        if (resume == nullptr || resume >= readEnd) continue;
        const char* complete = zefload::AfterLastLF(resume, readEnd);
        if (complete == resume) continue;
        zefload::ScanPart(resume, complete, longLine, part, [](const char*) { return true; });
        resume = complete;
    }
    return at - from;
}

// Reads the size fstat reports in two halves on two threads, each splitting the lines of its half as it
// reads them into `split`. Answers the bytes that lie in one piece from the start (less when the file
// shrank meanwhile) and leaves the file offset after them.
size_t ReadHalvesAtOnce(int fd, char* buffer, size_t expected, size_t padding, const std::string& name,
                        TZefProgressTicker& ticker, TSplitWhileRead& split)
{
    const size_t half = expected / 2;
    std::atomic<bool> stop{false};
    int secondError = 0;
    size_t secondGot = 0;
    std::thread second([&] {
        secondGot = ReadAndSplit(fd, buffer, half, expected, buffer + expected, split.longLine, split.resume[1],
                                 &split.secondStart, split.scanned.parts[1], [&stop](size_t) { return !stop.load(); },
                                 secondError);
    });
    int firstError = 0;
    size_t firstGot = 0;
    split.resume[0] = buffer;
    try {
        // Reading and splitting are two thirds of the load; both halves come in at about the same pace, so
        // this thread tells the progress for both.
        firstGot = ReadAndSplit(fd, buffer, 0, half, buffer + (half > padding ? half - padding : 0), split.longLine,
                                split.resume[0], nullptr, split.scanned.parts[0],
                                [&ticker](size_t done) { return ticker.At(4 * done); }, firstError);
    } catch (...) {
        stop = true;
        second.join();
        throw;
    }
    stop = ticker.Stopped();
    second.join();
    if (ticker.Stopped()) throw EZefWorkCancelled();
    if (firstError != 0 || secondError != 0)
        throw EZefFileError::FromErrno("Cannot read file", name, firstError != 0 ? firstError : secondError);
    const size_t size = firstGot < half ? firstGot : half + secondGot;
    split.whole = size == expected;
    if (::lseek(fd, static_cast<off_t>(size), SEEK_SET) < 0)
        throw EZefFileError::FromErrno("Cannot read file", name, errno);
    return size;
}

// Ends the split of a file read in two halves whose size stayed as expected: the first part runs on to
// the second's first line, the second to the end.
void FinishSplit(TSplitWhileRead& split, const char* end)
{
    zefload::TScannedBuffer& scanned = split.scanned;
    scanned.split = split.secondStart != nullptr ? split.secondStart : end;
    const auto always = [](const char*) { return true; };
    zefload::ScanPart(split.resume[0], scanned.split, split.longLine, scanned.parts[0], always);
    zefload::FinishPart(scanned.parts[0]);
    if (scanned.split < end) {
        zefload::ScanPart(split.resume[1], end, split.longLine, scanned.parts[1], always);
        zefload::FinishPart(scanned.parts[1]);
    }
}

// Reads a regular file whole into a padded buffer: the size fstat reports (looping on short reads), then on
// to the real end, for files that grow meanwhile or report no size (/proc). A big file is read in two
// halves at once whose lines are split as they come in; `split.whole` says whether they cover the buffer.
ByteBuffer ReadWholeFile(int fd, const struct stat& info, size_t padding, size_t& size, const std::string& name,
                         TZefProgressTicker& ticker, TSplitWhileRead& split)
{
    const auto expected = static_cast<size_t>(info.st_size);
    size_t capacity = expected + 1; // + 1: the read that finds the end needs room
    ByteBuffer buffer = AllocateBuffer(capacity, padding);
    size = 0;
    if (expected >= kReadInTwoFrom && std::thread::hardware_concurrency() > 1)
        size = ReadHalvesAtOnce(fd, buffer.get(), expected, padding, name, ticker, split);
    for (;;) {
        if (size == capacity) {
            capacity *= 2;
            GrowBuffer(buffer, capacity, padding);
        }
        ticker.CheckAt(size);
        ssize_t got = ::read(fd, buffer.get() + size, std::min(capacity - size, kReadPiece));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw EZefFileError::FromErrno("Cannot read file", name, errno);
        }
        if (got == 0) break;
        size += static_cast<size_t>(got);
        split.whole = false; // the file grew: its lines are found again over all of it
    }
    std::memset(buffer.get() + size, 0, padding);
    return buffer;
}

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symbolic links at the last component so that saving replaces the file a link points
// to and leaves the link itself in place. A dangling link yields the path the new file is created at.
std::string ResolveFinalLinks(const std::string& fileName)
{
    std::string path = fileName;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
        target.resize(static_cast<size_t>(length));
        path = (!target.empty() && target[0] == '/') ? target : DirectoryOf(path) + "/" + target;
    }
    throw EZefFileError::FromErrno("Cannot create file", fileName, ELOOP);
}

// The folder a file is saved in. Everything in it is reached relative to this descriptor, so that no path
// longer than the target's own is ever built. A folder the user may search but not list still opens
// (O_PATH: enough to create, open and rename in it).
int OpenFolder(const std::string& folder, const std::string& fileName)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
    return fd;
}

// A short name for the temporary file (".zef" and six letters), whatever the length of the target's name.
std::string TemporaryName(unsigned attempt)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static uint64_t counter = 0;
    uint64_t seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (static_cast<uint64_t>(::getpid()) << 32) ^ (++counter * 0x9E3779B97F4A7C15ull) ^ attempt;
    std::string name = ".zef";
    for (int i = 0; i < 6; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        name += letters[(seed >> 33) % 62];
    }
    return name;
}

// Removes the temporary file unless the save got as far as renaming it.
class TemporaryFile {
public:
    TemporaryFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    ~TemporaryFile()
    {
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Name() const { return name_; }
    void Keep() { name_.clear(); }

private:
    int folder_;
    std::string name_;
};

// Copies every extended attribute (ACLs included) the user can see. False when one cannot be read or set:
// the new file would then lose it.
bool CopyExtendedAttributes(int from, int to)
{
    ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize < 0) return errno == ENOTSUP;
    std::string names(static_cast<size_t>(listSize), '\0');
    listSize = ::flistxattr(from, names.data(), names.size());
    if (listSize < 0) return false;
    names.resize(static_cast<size_t>(listSize));
    for (size_t at = 0; at < names.size();) {
        const char* name = names.c_str() + at;
        at += std::strlen(name) + 1;
        ssize_t valueSize = ::fgetxattr(from, name, nullptr, 0);
        if (valueSize < 0) return false;
        std::string value(static_cast<size_t>(valueSize), '\0');
        valueSize = ::fgetxattr(from, name, value.data(), value.size());
        if (valueSize < 0) return false;
        if (::fsetxattr(to, name, value.data(), static_cast<size_t>(valueSize), 0) != 0) return false;
    }
    return true;
}

// Makes the file at fd look like `old` as far as the folder listing goes: owner, group, permission bits
// (set after the owner, which clears set-user-ID bits) and extended attributes. False when any of them
// cannot be kept; the kernel drops some silently, so the result is checked rather than trusted.
bool TakeOverIdentity(int fd, int oldFd, const struct stat& old)
{
    struct stat mine;
    if (::fstat(fd, &mine) != 0) return false;
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    if (::fchmod(fd, old.st_mode & 07777) != 0) return false;
    if (!CopyExtendedAttributes(oldFd, fd)) return false;
    if (::fstat(fd, &mine) != 0) return false;
    return mine.st_uid == old.st_uid && mine.st_gid == old.st_gid && (mine.st_mode & 07777) == (old.st_mode & 07777);
}

// A 1 MiB buffer instead of the writer's 16 KiB default: sixty-four times fewer write calls make a large
// save about as fast as writing its bytes in one call.
constexpr size_t kSaveBufferSize = size_t{1} << 20;

// Writes lines through a writer, but where the load buffer already holds a line and its break byte for byte
// right after what was written before, extends a span of the buffer instead; each span goes out in one
// piece. A document of unedited loaded lines is so written as a few large runs of the buffer, without
// copying it line by line. Whatever the lines are, the bytes written are those of each line and its break.
class TLoadBufferSpans {
public:
    TLoadBufferSpans(const char* buffer, const char* end, TZefEditFileWriter& writer)
        : buffer_(buffer), end_(end), writer_(writer)
    {
    }

    void Write(std::string_view text, std::string_view lineBreak)
    {
        // A line of text that does not follow the span ends it; an empty line can only extend it.
        if (!text.empty() && text.data() != spanEnd_) Finish();
        const char* at = text.empty() ? spanEnd_ : text.data();
        if (InBuffer(at, text.size() + lineBreak.size()) &&
            (lineBreak.empty() || std::memcmp(at + text.size(), lineBreak.data(), lineBreak.size()) == 0)) {
            if (spanEnd_ == nullptr) spanStart_ = at;
            spanEnd_ = at + text.size() + lineBreak.size();
            return;
        }
        Finish();
        writer_.WriteLine(text, lineBreak);
    }
    // Bytes of the buffer that are lines with their breaks, as they are to be written.
    void WriteLoaded(std::string_view bytes)
    {
        if (bytes.data() != spanEnd_) {
            Finish();
            spanStart_ = bytes.data();
        }
        spanEnd_ = bytes.data() + bytes.size();
    }
    // Writes the open span.
    void Finish()
    {
        if (spanEnd_ != nullptr)
            writer_.WriteBytes(std::string_view(spanStart_, static_cast<size_t>(spanEnd_ - spanStart_)));
        spanStart_ = spanEnd_ = nullptr;
    }

private:
    bool InBuffer(const char* at, size_t size) const
    {
        return at != nullptr && at >= buffer_ && at < end_ && size <= static_cast<size_t>(end_ - at);
    }

    const char* buffer_;
    const char* end_;
    TZefEditFileWriter& writer_;
    const char* spanStart_ = nullptr;
    const char* spanEnd_ = nullptr;
};

// How often a load tells its progress: every 8 MiB of its work.
constexpr uint64_t kProgressStep = uint64_t{8} << 20;
// How often a save tells its progress, in lines.
constexpr uint64_t kSaveProgressLines = 1u << 16;

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Loading

void TZefEditStringList::LoadFromFile(const std::string& fileName, const TZefWorkProgress& progress)
{
    TZefRegularFile opened = ZefOpenRegularFile(fileName.c_str());
    if (opened.notRegular) throw EZefFileError::NotRegularFile(fileName, S_ISDIR(opened.info.st_mode));
    if (opened.fd < 0) throw EZefFileError::FromErrno("Cannot open file", fileName, opened.errorNumber);
    FileDescriptor file(opened.fd);

    BeginUpdate();
    try {
        size_t size = 0;
        // Reading, finding the lines and storing them: each about a third of the work.
        const auto expected = static_cast<uint64_t>(opened.info.st_size);
        TZefProgressTicker ticker(progress, 3 * expected, kProgressStep);
        TSplitWhileRead split;
        split.longLine = kLongLine;
        ByteBuffer buffer = ReadWholeFile(file.Get(), opened.info, kLoadPadding, size, fileName, ticker, split);
        if (split.whole) {
            FinishSplit(split, buffer.get() + size);
            StoreScanned(buffer.release(), size, true, split.scanned, &ticker);
        } else {
            split = TSplitWhileRead();
            LoadBytes(buffer.release(), size, true, &ticker);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZefEditStringList::LoadFromStream(std::istream& stream)
{
    BeginUpdate();
    try {
        ByteBuffer buffer;
        size_t size = 0;
        stream.seekg(0, std::ios::end);
        std::streamoff end = stream.fail() ? -1 : static_cast<std::streamoff>(stream.tellg());
        if (end >= 0) {
            stream.seekg(0, std::ios::beg);
            buffer = AllocateBuffer(static_cast<size_t>(end), kLoadPadding);
            stream.read(buffer.get(), static_cast<std::streamsize>(end));
            size = static_cast<size_t>(stream.gcount());
            if (size != static_cast<size_t>(end) || stream.bad())
                throw EZefFileError::FromErrno("Cannot read stream", {}, EIO);
        } else {
            // Not seekable: read to the end in chunks.
            stream.clear();
            size_t capacity = 65536;
            buffer = AllocateBuffer(capacity, kLoadPadding);
            while (stream) {
                if (size == capacity) {
                    capacity *= 2;
                    GrowBuffer(buffer, capacity, kLoadPadding);
                }
                stream.read(buffer.get() + size, static_cast<std::streamsize>(capacity - size));
                size += static_cast<size_t>(stream.gcount());
            }
            if (stream.bad()) throw EZefFileError::FromErrno("Cannot read stream", {}, EIO);
        }
        std::memset(buffer.get() + size, 0, kLoadPadding);
        LoadBytes(buffer.release(), size, true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------------------------------------------------
// Saving

// A lone CR directly followed by an empty line that ends in LF would read back as one CR LF break, and a
// line would be lost. A load never gives that order (it reads CR LF as one break); edits can. Such a CR is
// written as CR LF, the style of every file with mixed breaks.
TLineBreakStyle TZefEditStringList::OwnBreakToWrite(int index) const
{
    const TLineBreakStyle own = static_cast<TLineBreakStyle>(blocks_.Break(static_cast<size_t>(index)));
    const int next = index + 1;
    if (own == lbsCR && next < Count() && GetLine(next).empty() && (next + 1 < Count() || trailingLineBreak_) &&
        static_cast<TLineBreakStyle>(blocks_.Break(static_cast<size_t>(next))) == lbsLF)
        return lbsCRLF;
    return own;
}

template <typename Sink, typename SpanSink>
void TZefEditStringList::ForEachSavedLineOrSpan(Sink&& sink, SpanSink&& spanSink) const
{
    if (IsEmptyDocument()) return;
    const std::string_view styleBreak = TZefEditFileWriter::BreakOf(lineBreakStyle_);
    const bool ownBreaks = blocks_.KeepsBreaks();
    const bool loadedBreaks = !ownBreaks && uniformLoadedBreak_ == lineBreakStyle_ && loadBuffer_ != nullptr;
    const int count = Count();
    int i = 0;
    blocks_.ForEachBlock([&](const TZefLineBlock& block) {
        const int lines = static_cast<int>(block.Count());
        // The last block is left out: whether its last line gets a break is decided at saving.
        if (loadedBreaks && block.HoldsLoadedBytes() && i + lines < count && block.loadedFrom >= loadBuffer_ &&
            block.loadedTo <= loadEnd_) {
            spanSink(std::string_view(block.loadedFrom, static_cast<size_t>(block.loadedTo - block.loadedFrom)),
                     lines);
            i += lines;
            return;
        }
        for (const TZefLineEntry entry : block.entries) {
            std::string_view lineBreak;
            if (i + 1 < count || trailingLineBreak_)
                lineBreak = ownBreaks ? TZefEditFileWriter::BreakOf(OwnBreakToWrite(i)) : styleBreak;
            sink(TextOf(entry, block.base), lineBreak);
            ++i;
        }
    });
}

template <typename Sink>
void TZefEditStringList::ForEachSavedLine(Sink&& sink) const
{
    if (IsEmptyDocument()) return;
    const std::string_view styleBreak = TZefEditFileWriter::BreakOf(lineBreakStyle_);
    const bool ownBreaks = blocks_.KeepsBreaks();
    const int count = Count();
    int i = 0;
    ForEachLineText([&](std::string_view text) {
        std::string_view lineBreak;
        if (i + 1 < count || trailingLineBreak_)
            lineBreak = ownBreaks ? TZefEditFileWriter::BreakOf(OwnBreakToWrite(i)) : styleBreak;
        sink(text, lineBreak);
        ++i;
    });
}

void TZefEditStringList::SaveToStream(std::ostream& stream) const
{
    size_t size = 0;
    ForEachSavedLine([&size](std::string_view text, std::string_view lineBreak) {
        size += text.size() + lineBreak.size();
    });
    if (size == 0) return;
    ByteBuffer buffer = AllocateBuffer(size, 0);
    char* out = buffer.get();
    ForEachSavedLine([&out](std::string_view text, std::string_view lineBreak) {
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        out += text.size();
        if (!lineBreak.empty()) std::memcpy(out, lineBreak.data(), lineBreak.size());
        out += lineBreak.size();
    });
    stream.write(buffer.get(), static_cast<std::streamsize>(size));
    if (!stream) throw EZefFileError::FromErrno("Cannot write stream", {}, EIO);
}

void TZefEditStringList::SaveToFile(const std::string& fileName, const TZefWorkProgress& progress) const
{
    const std::string target = ResolveFinalLinks(fileName);
    const std::string name = BaseNameOf(target);
    FileDescriptor folder(OpenFolder(DirectoryOf(target), fileName));

    // Opening the old file for writing (without truncating it) is the test of whether the user may write it;
    // a file they may not write is never replaced, even where the folder would allow it.
    FileDescriptor old(::openat(folder.Get(), name.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (old.Get() < 0 && errno != ENOENT) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
    struct stat oldInfo {};
    if (old.Get() >= 0) {
        if (::fstat(old.Get(), &oldInfo) != 0) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
        if (!S_ISREG(oldInfo.st_mode)) throw EZefFileError::NotRegularFile(fileName, false);
        const int flags = ::fcntl(old.Get(), F_GETFL);
        if (flags < 0 || ::fcntl(old.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
            throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
    }
    const bool exists = old.Get() >= 0;
    TZefProgressTicker ticker(progress, static_cast<uint64_t>(Count()), kSaveProgressLines);
    // Answers false when the user stopped the writing; only a caller that may stop asks.
    const auto writeLines = [this, &ticker](TZefEditFileWriter& writer) {
        TLoadBufferSpans spans(loadBuffer_, loadEnd_, writer);
        uint64_t written = 0;
        ForEachSavedLineOrSpan(
            [&](std::string_view text, std::string_view lineBreak) {
                spans.Write(text, lineBreak);
                ticker.At(++written);
            },
            [&](std::string_view bytes, int lines) {
                spans.WriteLoaded(bytes);
                written += static_cast<uint64_t>(lines);
                ticker.At(written);
            });
        spans.Finish();
        return !ticker.Stopped();
    };

    // Renaming a new file over the old one is atomic: whatever fails, the old file stays as it was. It is
    // used when it loses nothing: a new file, or an old one with a single link whose owner, group, mode and
    // extended attributes the new file can take over, in a folder where the user may create files.
    if (!exists || oldInfo.st_nlink == 1) {
        std::string temporaryName;
        int fd = -1;
        for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporaryName = TemporaryName(attempt);
            fd = ::openat(folder.Get(), temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          exists ? 0600 : 0666);
            if (fd < 0 && errno != EEXIST) break;
        }
        const int createError = errno;
        const bool folderRefuses = createError == EACCES || createError == EPERM || createError == EROFS ||
                                   createError == ENOSPC || createError == EDQUOT;
        if (fd < 0 && !(exists && folderRefuses))
            throw EZefFileError::FromErrno("Cannot create file", fileName, createError);
        if (fd >= 0) {
            TemporaryFile temporary(folder.Get(), temporaryName);
            TZefEditFileWriter writer(fd, fileName, lineBreakStyle_, kSaveBufferSize);
            if (!exists || TakeOverIdentity(fd, old.Get(), oldInfo)) {
                if (!writeLines(writer)) throw EZefWorkCancelled(); // the temporary file goes with it
                writer.Sync();
                writer.Close();
                if (::renameat(folder.Get(), temporary.Name().c_str(), folder.Get(), name.c_str()) != 0)
                    throw EZefFileError::FromErrno("Cannot write file", fileName, errno);
                temporary.Keep();
                // Makes the rename itself durable; a failure here no longer endangers either version.
                ::fsync(folder.Get());
                return;
            }
        }
        // Otherwise the temporary file goes and the file is written in place.
    }

    // In place: the old file keeps its inode, so every link, its owner, mode and attributes stay. The new
    // size is reserved first, so that a full disk fails before any old byte is overwritten; a later failure
    // gives the file back its old length.
    size_t newSize = 0;
    ForEachSavedLine([&newSize](std::string_view text, std::string_view lineBreak) {
        newSize += text.size() + lineBreak.size();
    });
    const off_t oldSize = oldInfo.st_size;
    const int fd = old.Get();
    const auto restoreLength = [fd, oldSize] {
        struct stat now;
        if (::fstat(fd, &now) == 0 && now.st_size != oldSize) static_cast<void>(::ftruncate(fd, oldSize));
    };
    if (static_cast<off_t>(newSize) > oldSize) {
        const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(newSize));
        if (error != 0) {
            restoreLength();
            throw EZefFileError::FromErrno("Cannot write file", fileName, error);
        }
    }
    // The writer gets its own descriptor, so that the old one is still there to restore the length.
    const int writerFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (writerFd < 0) throw EZefFileError::FromErrno("Cannot write file", fileName, errno);
    try {
        TZefEditFileWriter writer(writerFd, fileName, lineBreakStyle_, kSaveBufferSize);
        writeLines(writer);
        writer.Flush();
        if (static_cast<off_t>(newSize) < oldSize && ::ftruncate(fd, static_cast<off_t>(newSize)) != 0)
            throw EZefFileError::FromErrno("Cannot write file", fileName, errno);
        writer.Sync();
        writer.Close();
    } catch (...) {
        restoreLength();
        throw;
    }
    // Writing clears set-user-ID and set-group-ID bits of a file the writer does not own with privilege;
    // the owner may put them back.
    struct stat now;
    if (::fstat(fd, &now) == 0 && (now.st_mode & 07777) != (oldInfo.st_mode & 07777))
        static_cast<void>(::fchmod(fd, oldInfo.st_mode & 07777));
}
