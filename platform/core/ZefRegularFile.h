// Opening a file for reading only when it is a regular file, without ever waiting on a pipe or a device.
#pragma once

#include <string>
#include <string_view>

#include <sys/stat.h>

// What ZefOpenRegularFile found. On success fd is an open, blocking, close-on-exec descriptor the caller
// closes, and info describes it. Otherwise fd is -1 and either notRegular is set (the name is a folder,
// a pipe, a device or a socket; nothing was read) or errorNumber holds the platform's error.
struct TZefRegularFile {
    int fd = -1;
    int errorNumber = 0;
    bool notRegular = false;
    struct stat info {};
};

// Opens path for reading without blocking (a pipe without a writer would wait for ever in a plain open),
// refuses anything but a regular file, then makes the descriptor blocking again for the reads.
TZefRegularFile ZefOpenRegularFile(const char* path);

// The message for a name that is not a regular file: "/tmp/x" is not a regular file. (quotes included).
std::string ZefNotRegularFileMessage(std::string_view fileName);
