// The list of recently used files, newest first, at most MaxRecentFiles entries.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int MaxRecentFiles = 10;

// One entry per file: two paths that reach the same file (through symbolic links) are one entry, two that
// differ only in letter case are two files (ZefSameFile).
class TRecentFiles {
public:
    // Moves `path` to the top (adding it if new) and drops the oldest entries beyond MaxRecentFiles.
    // An empty path is ignored.
    void AddRecentFile(const QString& path);
    // Deletes every entry naming the same file as `path`.
    void RemoveRecentFile(const QString& path);
    int RecentFileCount() const { return static_cast<int>(files_.size()); }
    // Empty for an index outside 0..count-1.
    QString RecentFile(int index) const;
    void Clear() { files_.clear(); }

private:
    QStringList files_;
};
