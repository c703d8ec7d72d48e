// Messages for a failed load.
#include "ZefLoadError.h"

#include "ZefFilePath.h"

#include <new>
#include <stdexcept>

bool ZefIsOutOfMemory(const std::exception& error)
{
    return dynamic_cast<const std::bad_alloc*>(&error) != nullptr ||
           dynamic_cast<const std::length_error*>(&error) != nullptr;
}

QString ZefLoadErrorText(const std::exception& error, const QString& path)
{
    if (!ZefIsOutOfMemory(error))
        return QString::fromLocal8Bit(error.what());
    constexpr int64_t MiB = 1024 * 1024;
    const int64_t size = ZefStatFile(path).size;
    const int64_t megabytes = (size + MiB - 1) / MiB;
    return QStringLiteral("Not enough memory to open %1 (%2 MB)")
        .arg(ZefDisplayPath(ZefFileNameOf(path)))
        .arg(megabytes);
}
