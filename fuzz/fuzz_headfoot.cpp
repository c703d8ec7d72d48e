// libFuzzer target: random bytes as a saved header or footer section file. Whatever the file holds, it reads
// as missing or as no more than the cap of lines, every line carrying a font the print engine can use.
#include "ZefHeadFootFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static int serial = 0;
    // A new name each run: the settings reader caches files by name.
    const QString path = QDir(folder.path()).filePath(QStringLiteral("section%1.ini").arg(serial++));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const TZefPrintFont fallback;
    const std::optional<TZefSectionLines> lines = ZefLoadSectionFile(path, fallback);
    QFile::remove(path);
    if (!lines) return 0; // not a settings file: read as missing
    Check(lines->size() <= static_cast<size_t>(kZefMaxSectionFileLines));
    for (const TZefSectionLine& line : *lines) {
        Check(!line.Font.Name.empty());
        Check(std::isfinite(line.Font.Size) && line.Font.Size >= 1 && line.Font.Size <= 1638);
        Check((line.Font.Style & ~kAllFontStyles) == 0);
    }
    return 0;
}
