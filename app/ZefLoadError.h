// How a failed load of a file is told to the user.
#pragma once

#include <QString>

#include <exception>

// True for the errors that mean the file does not fit in memory (std::bad_alloc, std::length_error).
bool ZefIsOutOfMemory(const std::exception& error);
// "Not enough memory to open <name> (N MB)" when the file did not fit in memory; otherwise the error's
// own message.
QString ZefLoadErrorText(const std::exception& error, const QString& path);
