// Buffered line writer over a POSIX file descriptor.
#include "ZefEditFileWriter.h"

#include "ZefEditTextBuffer.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

TZefEditFiler::TZefEditFiler(int fd, std::string fileName, TLineBreakStyle style, size_t bufferSize)
    : buffer_(new char[bufferSize + kSpare]), bufferSize_(bufferSize), style_(style), fd_(fd),
      fileName_(std::move(fileName))
{
}

TZefEditFiler::~TZefEditFiler()
{
    if (fd_ >= 0) ::close(fd_);
}

void TZefEditFiler::CloseFile()
{
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    // Linux releases the descriptor even when close reports an error, so it is never retried.
    if (::close(fd) != 0) throw EZefFileError::FromErrno("Cannot write file", fileName_, errno);
}

TZefEditFileWriter::TZefEditFileWriter(int fd, std::string fileName, TLineBreakStyle style, size_t bufferSize)
    : TZefEditFiler(fd, std::move(fileName), style, bufferSize)
{
    std::string_view lineBreak = BreakOf(style);
    breakBytes_[1] = 0;
    std::memcpy(breakBytes_, lineBreak.data(), lineBreak.size());
    breakSize_ = lineBreak.size();
}

TZefEditFileWriter::~TZefEditFileWriter()
{
    if (fd_ < 0 || failed_) return;
    try {
        Flush();
    } catch (const EZefFileError&) {
        // A destructor cannot report; callers that care use Close().
    }
}

std::string_view TZefEditFileWriter::BreakOf(TLineBreakStyle style)
{
    switch (style) {
    case lbsLF: return "\n";
    case lbsCR: return "\r";
    case lbsCRLF: break;
    }
    return "\r\n";
}

void TZefEditFileWriter::MakeRoom(size_t needed)
{
    Flush();
    if (needed > bufferSize_) {
        buffer_.reset(new char[needed + kSpare]);
        bufferSize_ = needed;
    }
}

void TZefEditFileWriter::WriteBytesPastBuffer(std::string_view bytes)
{
    Flush();
    if (bytes.size() >= bufferSize_) {
        WriteAll(bytes.data(), bytes.size());
        return;
    }
    std::memcpy(buffer_.get(), bytes.data(), bytes.size());
    fill_ = bytes.size();
}

void TZefEditFileWriter::Flush()
{
    if (fill_ == 0) return;
    WriteAll(buffer_.get(), fill_);
    fill_ = 0;
}

void TZefEditFileWriter::Sync()
{
    Flush();
    if (::fsync(fd_) != 0) {
        failed_ = true;
        throw EZefFileError::FromErrno("Cannot write file", fileName_, errno);
    }
}

void TZefEditFileWriter::Close()
{
    Flush();
    try {
        CloseFile();
    } catch (...) {
        failed_ = true;
        throw;
    }
}

void TZefEditFileWriter::WriteAll(const char* data, size_t size)
{
    if (failed_ || fd_ < 0) throw EZefFileError::FromErrno("Cannot write file", fileName_, EBADF);
    while (size > 0) {
        ssize_t written = ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            failed_ = true;
            throw EZefFileError::FromErrno("Cannot write file", fileName_, errno);
        }
        if (written == 0) {
            failed_ = true;
            throw EZefFileError::FromErrno("Cannot write file", fileName_, ENOSPC);
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
}
