// The recent-file list: case-insensitive, newest first, ten entries.
#include "RecentFiles.h"

#include "CodePage1252.h"


bool SameFileNameIgnoringCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t ca = a[i].unicode();
        const char16_t cb = b[i].unicode();
        if (ca == cb)
            continue;
        const unsigned char byteA = cp1252::FromUnicode(ca);
        const unsigned char byteB = cp1252::FromUnicode(cb);
        // A character outside the code page has no case partner: it matches only itself.
        if ((byteA == '?' && ca != u'?') || (byteB == '?' && cb != u'?'))
            return false;
        if (cp1252::ToLower(byteA) != cp1252::ToLower(byteB))
            return false;
    }
    return true;
}

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
    files_.removeIf([&](const QString& entry) { return SameFileNameIgnoringCase(entry, path); });
}

QString TRecentFiles::RecentFile(int index) const
{
    if (index < 0 || index >= files_.size())
        return QString();
    return files_.at(index);
}
