// The line store's file and stream input/output: whole-file reads, line-break detection, safe saving.
#include "ZefEditFileWriter.h"
#include "ZefEditTextBuffer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using ByteBuffer = std::unique_ptr<char, FreeDeleter>;

ByteBuffer AllocateBuffer(size_t size, size_t padding)
{
    char* p = static_cast<char*>(std::malloc(size + padding));
    if (!p) throw std::bad_alloc();
    return ByteBuffer(p);
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

// Reads the whole of fd into a padded buffer: one read of the size fstat reports (looping on short reads),
// or chunk by chunk up to the end for files without a size (pipes, devices).
ByteBuffer ReadWholeFile(int fd, const struct stat& info, size_t padding, size_t& size, const std::string& name)
{
    bool sized = S_ISREG(info.st_mode);
    size_t capacity = sized ? static_cast<size_t>(info.st_size) : size_t{65536};
    ByteBuffer buffer = AllocateBuffer(capacity, padding);
    size = 0;
    for (;;) {
        if (size == capacity) {
            if (sized) break;
            capacity *= 2;
            char* grown = static_cast<char*>(std::realloc(buffer.get(), capacity + padding));
            if (!grown) throw std::bad_alloc();
            buffer.release();
            buffer.reset(grown);
        }
        ssize_t got = ::read(fd, buffer.get() + size, capacity - size);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw EZefFileError::FromErrno("Cannot read file", name, errno);
        }
        if (got == 0) break;
        size += static_cast<size_t>(got);
    }
    std::memset(buffer.get() + size, 0, padding);
    return buffer;
}

TLineBreakStyle DetectStyle(bool sawCR, bool sawLF)
{
    if (sawCR && !sawLF) return lbsCR;
    if (sawLF && !sawCR) return lbsLF;
    return lbsCRLF;
}

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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

mode_t NewFileMode()
{
    // umask can only be read by setting it; the store is used from one thread only.
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

void TZefEditStringList::LoadFromFile(const std::string& fileName)
{
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw EZefFileError::FromErrno("Cannot open file", fileName, errno);
    struct stat info;
    if (::fstat(file.Get(), &info) != 0) throw EZefFileError::FromErrno("Cannot open file", fileName, errno);
    if (S_ISDIR(info.st_mode)) throw EZefFileError::FromErrno("Cannot open file", fileName, EISDIR);

    bool sawCR = false;
    bool sawLF = false;
    BeginUpdate();
    try {
        size_t size = 0;
        ByteBuffer buffer = ReadWholeFile(file.Get(), info, kLoadPadding, size, fileName);
        LoadBytes(buffer.release(), size, !trailingLineBreak_, &sawCR, &sawLF);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    lineBreakStyle_ = DetectStyle(sawCR, sawLF);
}

void TZefEditStringList::LoadFromStream(std::istream& stream)
{
    bool sawCR = false;
    bool sawLF = false;
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
                    char* grown = static_cast<char*>(std::realloc(buffer.get(), capacity + kLoadPadding));
                    if (!grown) throw std::bad_alloc();
                    buffer.release();
                    buffer.reset(grown);
                }
                stream.read(buffer.get() + size, static_cast<std::streamsize>(capacity - size));
                size += static_cast<size_t>(stream.gcount());
            }
            if (stream.bad()) throw EZefFileError::FromErrno("Cannot read stream", {}, EIO);
        }
        std::memset(buffer.get() + size, 0, kLoadPadding);
        LoadBytes(buffer.release(), size, !trailingLineBreak_, &sawCR, &sawLF);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    lineBreakStyle_ = DetectStyle(sawCR, sawLF);
}

void TZefEditStringList::SaveToStream(std::ostream& stream) const
{
    if (count_ == 0) return;
    std::string_view lineBreak = TZefEditFileWriter::BreakOf(lineBreakStyle_);
    size_t size = 0;
    for (int i = 0; i < count_; ++i) size += lines_[i].Text().size();
    size += lineBreak.size() * static_cast<size_t>(trailingLineBreak_ ? count_ : count_ - 1);
    ByteBuffer buffer = AllocateBuffer(size, 0);
    char* out = buffer.get();
    for (int i = 0; i < count_; ++i) {
        std::string_view text = lines_[i].Text();
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        out += text.size();
        if (i + 1 < count_ || trailingLineBreak_) {
            std::memcpy(out, lineBreak.data(), lineBreak.size());
            out += lineBreak.size();
        }
    }
    stream.write(buffer.get(), static_cast<std::streamsize>(size));
    if (!stream) throw EZefFileError::FromErrno("Cannot write stream", {}, EIO);
}

void TZefEditStringList::SaveToFile(const std::string& fileName) const
{
    std::string target = ResolveFinalLinks(fileName);
    struct stat old;
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) throw EZefFileError::FromErrno("Cannot create file", fileName, EISDIR);
    mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : NewFileMode();

    // The new text goes to a temporary file beside the target and replaces it by rename, which is atomic:
    // whatever fails, the old file stays as it was.
    std::string directory = DirectoryOf(target);
    size_t slash = target.rfind('/');
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = directory + "/." + base + ".zefsave-XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
    try {
        // A 1 MiB buffer instead of the writer's 16 KiB default: sixty-four times fewer write calls make a large
        // save about as fast as writing its bytes in one call.
        constexpr size_t kSaveBufferSize = size_t{1} << 20;
        TZefEditFileWriter writer(fd, fileName, lineBreakStyle_, kSaveBufferSize);
        if (::fchmod(fd, mode) != 0) throw EZefFileError::FromErrno("Cannot create file", fileName, errno);
        // Keeps the owner when an administrator saves someone else's file; refused for others, harmlessly.
        if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
            static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
        for (int i = 0; i < count_; ++i) writer.WriteLine(lines_[i].Text(), i + 1 < count_ || trailingLineBreak_);
        writer.Sync();
        writer.Close();
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            throw EZefFileError::FromErrno("Cannot write file", fileName, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    // Makes the rename itself durable; a failure here no longer endangers either version of the file.
    FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
}
