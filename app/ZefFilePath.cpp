// Byte-exact file names in QString, and stat-based questions about them.
#include "ZefFilePath.h"

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t CarriedByteBase = 0xDC00;

bool IsCarriedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// Length of the well-formed UTF-8 sequence starting at bytes[i] (1..4), or 0 when the byte there does not
// start one (stray continuation, overlong form, encoded surrogate, beyond U+10FFFF, cut short).
int Utf8SequenceLength(const unsigned char* bytes, qsizetype i, qsizetype size, char32_t& codePoint)
{
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    int length = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = bytes[i + k];
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

QString CurrentFolder()
{
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()))
            return ZefPathFromBytes(QByteArray(buffer.data()));
        if (errno != ERANGE)
            return QStringLiteral("/");
        buffer.resize(buffer.size() * 2);
    }
}

uint64_t Rotl(uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

uint64_t Load64(const unsigned char* p)
{
    uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

constexpr uint64_t Prime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t Prime2 = 0xC2B2AE3D27D4EB4FULL;

// Four independent lanes of multiply-rotate mixing over 32-byte stripes; the tail and the total length
// fold in at the end. Not cryptographic: it tells a changed file from the one that was read.
class TDigest {
public:
    void Add(const unsigned char* data, size_t size)
    {
        total_ += size;
        while (size > 0) {
            const size_t take = std::min(size, sizeof stripe_ - filled_);
            std::memcpy(stripe_ + filled_, data, take);
            filled_ += take;
            data += take;
            size -= take;
            if (filled_ == sizeof stripe_) {
                for (int lane = 0; lane < 4; ++lane)
                    lanes_[lane] = Rotl(lanes_[lane] + Load64(stripe_ + 8 * lane) * Prime2, 31) * Prime1;
                filled_ = 0;
            }
        }
    }
    uint64_t Finish() const
    {
        uint64_t hash = Rotl(lanes_[0], 1) + Rotl(lanes_[1], 7) + Rotl(lanes_[2], 12) + Rotl(lanes_[3], 18);
        hash ^= total_ * Prime1;
        for (size_t i = 0; i < filled_; ++i)
            hash = Rotl(hash ^ (stripe_[i] * Prime2), 11) * Prime1;
        hash ^= hash >> 33;
        hash *= Prime2;
        hash ^= hash >> 29;
        return hash;
    }

private:
    uint64_t lanes_[4] = {Prime1 + Prime2, Prime2, 0, 0 - Prime1};
    unsigned char stripe_[32] = {};
    size_t filled_ = 0;
    uint64_t total_ = 0;
};

} // namespace

QString ZefPathFromBytes(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const int length = Utf8SequenceLength(data, i, bytes.size(), codePoint);
        if (length == 0) {
            path.append(QChar(static_cast<char16_t>(CarriedByteBase + data[i])));
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            const char32_t units[1] = {codePoint};
            path.append(QString::fromUcs4(units, 1));
        } else {
            path.append(QChar(static_cast<char16_t>(codePoint)));
        }
        i += length;
    }
    return path;
}

QByteArray ZefPathToBytes(const QString& path)
{
    QByteArray out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path.at(i).unicode();
        if (IsCarriedByte(unit)) {
            out.append(static_cast<char>(unit - CarriedByteBase));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path.at(i + 1).isLowSurrogate()) {
            AppendUtf8(out, QChar::surrogateToUcs4(unit, path.at(i + 1).unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string ZefPathToStdString(const QString& path) { return ZefPathToBytes(path).toStdString(); }

QString ZefDisplayPath(const QString& path)
{
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (IsCarriedByte(shown.at(i).unicode()))
            shown[i] = QChar(QChar::ReplacementCharacter);
    return shown;
}

bool ZefPathIsUnicode(const QString& path)
{
    for (const QChar c : path)
        if (IsCarriedByte(c.unicode()))
            return false;
    return true;
}

bool ZefPathLostBytes(const QString& path) { return path.contains(QChar(QChar::ReplacementCharacter)); }

QString ZefAbsolutePath(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QString full = path.startsWith(QLatin1Char('/')) ? path : CurrentFolder() + QLatin1Char('/') + path;
    QStringList parts;
    for (const QString& part : full.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part;
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

QString ZefFileNameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

QString ZefFolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

TZefFileStatus ZefStatFile(const QString& path)
{
    TZefFileStatus status;
    struct stat info;
    if (path.isEmpty()) {
        status.error = ENOENT;
        return status;
    }
    if (::stat(ZefPathToBytes(path).constData(), &info) != 0) {
        status.error = errno;
        return status;
    }
    status.exists = true;
    status.regular = S_ISREG(info.st_mode);
    status.directory = S_ISDIR(info.st_mode);
    status.device = static_cast<uint64_t>(info.st_dev);
    status.inode = static_cast<uint64_t>(info.st_ino);
    status.size = static_cast<int64_t>(info.st_size);
    status.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return status;
}

bool ZefFileExists(const QString& path) { return ZefStatFile(path).exists; }
bool ZefIsRegularFile(const QString& path) { return ZefStatFile(path).regular; }
bool ZefIsDirectory(const QString& path) { return ZefStatFile(path).directory; }

bool ZefSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const TZefFileStatus first = ZefStatFile(a);
    const TZefFileStatus second = ZefStatFile(b);
    if (first.exists && second.exists)
        return first.device == second.device && first.inode == second.inode;
    return ZefAbsolutePath(a) == ZefAbsolutePath(b);
}

std::optional<uint64_t> ZefFileDigest(const QString& path)
{
    const int fd = ::open(ZefPathToBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    TDigest digest;
    std::vector<unsigned char> block(1 << 20);
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        digest.Add(block.data(), static_cast<size_t>(got));
    }
    ::close(fd);
    return digest.Finish();
}

std::optional<QByteArray> ZefReadWholeFile(const QString& path, QString* error)
{
    const int fd = ::open(ZefPathToBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    const auto fail = [&](int code) -> std::optional<QByteArray> {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2")
                         .arg(ZefDisplayPath(path), QString::fromLocal8Bit(std::strerror(code)));
        return std::nullopt;
    };
    if (fd < 0)
        return fail(errno);
    QByteArray bytes;
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int code = errno;
            ::close(fd);
            return fail(code);
        }
        if (got == 0)
            break;
        bytes.append(block, got);
    }
    ::close(fd);
    return bytes;
}

void TZefDiskSnapshot::Take(const QString& path)
{
    status_ = ZefStatFile(path);
    digest_ = status_.regular ? ZefFileDigest(path) : std::nullopt;
    taken_ = status_.exists;
}

bool TZefDiskSnapshot::ChangedOnDisk(const QString& path) const
{
    if (!taken_)
        return false;
    const TZefFileStatus now = ZefStatFile(path);
    if (!now.exists)
        return false;
    if (!now.SameState(status_))
        return true;
    // Same inode, size and time: a rewrite within the clock's resolution still shows in the contents.
    return now.regular && digest_ && ZefFileDigest(path) != digest_;
}
