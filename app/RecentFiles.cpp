// The recent-file list: one entry per file, newest first, ten entries.
#include "RecentFiles.h"

#include "ZefFilePath.h"

void TRecentFiles::AddRecentFile(const QString& path)
{
    if (path.isEmpty())
        return;
    RemoveRecentFile(path);
    files_.prepend(path);
    while (files_.size() > MaxRecentFiles)
        files_.removeLast();
}

void TRecentFiles::RemoveRecentFile(const QString& path)
{
    files_.removeIf([&](const QString& entry) { return ZefSameFile(entry, path); });
}

QString TRecentFiles::RecentFile(int index) const
{
    if (index < 0 || index >= files_.size())
        return QString();
    return files_.at(index);
}
