// Regular-file check on open: O_NONBLOCK open, fstat, then blocking reads.
#include "ZefRegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

TZefRegularFile ZefOpenRegularFile(const char* path)
{
    TZefRegularFile result;
    int fd;
    do fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.errorNumber = errno;
        return result;
    }
    if (::fstat(fd, &result.info) != 0) {
        result.errorNumber = errno;
        ::close(fd);
        return result;
    }
    if (!S_ISREG(result.info.st_mode)) {
        result.notRegular = true;
        ::close(fd);
        return result;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        result.errorNumber = errno;
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

std::string ZefNotRegularFileMessage(std::string_view fileName)
{
    std::string message(1, '"');
    message.append(fileName);
    message.append("\" is not a regular file.");
    return message;
}
