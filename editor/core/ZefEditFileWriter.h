// Buffered writing of lines to a file descriptor in one line-break style (used by the line store's save).
#pragma once

#include "ZefEditTypes.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// Holds what a file transfer needs: the byte buffer, its fill position, the line-break style and the file.
// The filer owns the descriptor and closes it when destroyed.
class TZefEditFiler {
public:
    static constexpr size_t kInitialBufferSize = 16384;

    TZefEditFiler(int fd, std::string fileName, TLineBreakStyle style, size_t bufferSize = kInitialBufferSize);
    virtual ~TZefEditFiler();
    TZefEditFiler(const TZefEditFiler&) = delete;
    TZefEditFiler& operator=(const TZefEditFiler&) = delete;

    size_t BufferSize() const { return bufferSize_; }
    size_t FillPosition() const { return fill_; }
    TLineBreakStyle LineBreakStyle() const { return style_; }
    const std::string& FileName() const { return fileName_; }
    int Descriptor() const { return fd_; }

protected:
    // Closes the descriptor; raises EZefFileError if the platform reports an error on close.
    void CloseFile();

    // bufferSize_ usable bytes plus kSpare, so that a line break can always be stored as two bytes, even
    // when the buffer is already full and the line has no break.
    static constexpr size_t kSpare = 2;
    std::unique_ptr<char[]> buffer_;
    size_t bufferSize_;
    size_t fill_ = 0;
    TLineBreakStyle style_;
    int fd_;
    std::string fileName_;
};

// Appends lines to the buffer and writes it out whenever the next line would not fit; a line larger than
// the whole buffer enlarges the buffer to exactly its size. Every failure raises EZefFileError with the
// platform's message; after a failure nothing more is written, not even by the destructor.
class TZefEditFileWriter : public TZefEditFiler {
public:
    TZefEditFileWriter(int fd, std::string fileName, TLineBreakStyle style, size_t bufferSize = kInitialBufferSize);
    // Writes what remains (errors are swallowed here: call Close() to see them) and closes the file.
    ~TZefEditFileWriter() override;

    // Inline for the common case of a line that fits: saving calls this once per line.
    void WriteLine(std::string_view text, bool withBreak = true)
    {
        size_t breakSize = withBreak ? breakSize_ : 0;
        if (text.size() + breakSize > bufferSize_ - fill_) MakeRoom(text.size() + breakSize);
        char* out = buffer_.get() + fill_;
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        out += text.size();
        // Both break bytes are stored (the buffer has kSpare bytes past its size); only breakSize count.
        out[0] = breakBytes_[0];
        out[1] = breakBytes_[1];
        fill_ += text.size() + breakSize;
    }
    // A line followed by the given break bytes (none, or one of the three breaks) instead of the writer's
    // own style: for files whose lines keep breaks of their own.
    void WriteLine(std::string_view text, std::string_view lineBreak)
    {
        const size_t size = text.size() + lineBreak.size();
        if (size > bufferSize_ - fill_) MakeRoom(size);
        char* out = buffer_.get() + fill_;
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        out += text.size();
        // Byte stores rather than a memcpy call of one or two bytes: saving calls this once per line.
        if (!lineBreak.empty()) out[0] = lineBreak[0];
        if (lineBreak.size() > 1) out[1] = lineBreak[1];
        fill_ += size;
    }
    // Bytes as they are, lines and breaks already in them: a large run goes straight to the file.
    void WriteBytes(std::string_view bytes)
    {
        if (bytes.size() <= bufferSize_ - fill_) {
            std::memcpy(buffer_.get() + fill_, bytes.data(), bytes.size());
            fill_ += bytes.size();
            return;
        }
        WriteBytesPastBuffer(bytes);
    }
    void Flush();
    // Flushes and asks the platform to put the data on the storage device (fsync).
    void Sync();
    // Flushes and closes, raising on any error; the writer is unusable afterwards.
    void Close();

    static std::string_view BreakOf(TLineBreakStyle style);

private:
    // Flushes, and enlarges the buffer to exactly needed bytes when it is smaller than that.
    void MakeRoom(size_t needed);
    void WriteBytesPastBuffer(std::string_view bytes);
    void WriteAll(const char* data, size_t size);

    char breakBytes_[2];
    size_t breakSize_;

    bool failed_ = false;
};
