// The list of recently used files, newest first, at most MaxRecentFiles entries.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int MaxRecentFiles = 10;

// True when the two paths are equal ignoring letter case (the program's code page mapping).
bool SameFileNameIgnoringCase(const QString& a, const QString& b);

// Paths are compared without regard to letter case, so one file appears once whatever its spelling.
class TRecentFiles {
public:
    // Moves `path` to the top (adding it if new) and drops the oldest entries beyond MaxRecentFiles.
    // An empty path is ignored.
    void AddRecentFile(const QString& path);
    // Deletes every entry equal to `path` ignoring case.
    void RemoveRecentFile(const QString& path);
    int RecentFileCount() const { return static_cast<int>(files_.size()); }
    // Empty for an index outside 0..count-1.
    QString RecentFile(int index) const;
    void Clear() { files_.clear(); }

private:
    QStringList files_;
};
