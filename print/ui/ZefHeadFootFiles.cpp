// Saving and loading section texts as small INI files.
#include "ZefHeadFootFiles.h"

#include "ZefCodePageText.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kSectionFiles[kZefSectionEditorCount] = {
    "hdleft.ini", "hdcenter.ini", "hdRight.ini", "ftleft.ini", "ftcenter.ini", "ftRight.ini",
};

// Sizes the print font accepts.
constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 1638;
constexpr int kMaxTextLength = 4096;

QString LineGroup(int index)
{
    return QStringLiteral("Line%1").arg(index + 1);
}

} // namespace

const char* ZefSectionFileName(TZefSectionEditorId id)
{
    return kSectionFiles[std::clamp<int>(id, 0, kZefSectionEditorCount - 1)];
}

QString ZefHeadFootFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Head And Foot");
}

bool ZefSaveSectionFile(const QString& path, const TZefSectionLines& lines, QString* error)
{
    QSettings file(path, QSettings::IniFormat);
    file.clear(); // lines of an earlier, longer save must not survive
    file.setValue(QStringLiteral("Section/Count"), static_cast<int>(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const TZefSectionLine& line = lines[i];
        file.beginGroup(LineGroup(static_cast<int>(i)));
        file.setValue(QStringLiteral("Text"), ZefFromCodePage(line.Text));
        file.setValue(QStringLiteral("FontName"), ZefFromCodePage(line.Font.Name));
        file.setValue(QStringLiteral("FontSize"), line.Font.Size);
        file.setValue(QStringLiteral("FontStyle"), static_cast<int>(line.Font.Style));
        file.setValue(QStringLiteral("FontColor"), static_cast<qulonglong>(line.Font.Color));
        file.endGroup();
    }
    file.sync();
    if (file.status() == QSettings::NoError && QFileInfo(path).isFile()) return true;
    if (error != nullptr) *error = QStringLiteral("The file \"%1\" cannot be written.").arg(QDir::toNativeSeparators(path));
    return false;
}

std::optional<TZefSectionLines> ZefLoadSectionFile(const QString& path, const TZefPrintFont& defaultFont)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) return std::nullopt;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) return std::nullopt;

    bool ok = false;
    const int count = std::clamp(file.value(QStringLiteral("Section/Count")).toInt(&ok), 0, kZefMaxSectionFileLines);
    TZefSectionLines lines;
    for (int i = 0; ok && i < count; ++i) {
        file.beginGroup(LineGroup(i));
        TZefSectionLine line;
        line.Font = defaultFont;
        line.Text = ZefToCodePage(file.value(QStringLiteral("Text")).toString().left(kMaxTextLength));
        const QString name = file.value(QStringLiteral("FontName")).toString().left(kMaxTextLength);
        if (!name.trimmed().isEmpty()) line.Font.Name = ZefToCodePage(name);
        bool sizeOk = false;
        const double size = file.value(QStringLiteral("FontSize")).toDouble(&sizeOk);
        if (sizeOk && std::isfinite(size) && size >= kMinFontSize && size <= kMaxFontSize) line.Font.Size = size;
        bool styleOk = false;
        const int style = file.value(QStringLiteral("FontStyle")).toInt(&styleOk);
        if (styleOk && style >= 0 && style <= kAllFontStyles) line.Font.Style = static_cast<TFontStyles>(style);
        bool colorOk = false;
        const qulonglong color = file.value(QStringLiteral("FontColor")).toULongLong(&colorOk);
        if (colorOk && color <= 0xFFFFFFFFull) line.Font.Color = static_cast<TColor>(color);
        file.endGroup();
        lines.push_back(std::move(line));
    }
    return lines;
}
