// The RTF reader's QTextDocument side: the parser's runs become QTextCharFormat runs in blocks.
#include "ZefRtfReader.h"

#include "CodePage1252.h"
#include "ZefRtfParser.h"
#include "ZefRegularFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>
#include <map>
#include <memory>

#include <unistd.h>

namespace {

QColor ToQColor(uint32_t rgb)
{
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// Twips to document pixels at 96 dots per inch (QTextDocument margins are in pixels).
qreal TwipsToPixels(int32_t twips)
{
    return twips / 15.0;
}

QTextBlockFormat ToBlockFormat(const TZefRtfParagraphFormat& paragraph)
{
    QTextBlockFormat format;
    switch (paragraph.alignment) {
    case TZefRtfAlignment::raLeft: format.setAlignment(Qt::AlignLeft); break;
    case TZefRtfAlignment::raCenter: format.setAlignment(Qt::AlignHCenter); break;
    case TZefRtfAlignment::raRight: format.setAlignment(Qt::AlignRight); break;
    case TZefRtfAlignment::raJustify: format.setAlignment(Qt::AlignJustify); break;
    }
    if (paragraph.leftIndent != 0)
        format.setLeftMargin(TwipsToPixels(paragraph.leftIndent));
    if (paragraph.rightIndent != 0)
        format.setRightMargin(TwipsToPixels(paragraph.rightIndent));
    if (paragraph.firstLineIndent != 0)
        format.setTextIndent(TwipsToPixels(paragraph.firstLineIndent));
    return format;
}

// Writes into the document through one cursor. A paragraph break only opens the next block when more text
// follows, so a document ending in \par has no empty last line.
class TDocumentSink : public TZefRtfSink {
public:
    explicit TDocumentSink(QTextDocument& document) : cursor_(&document) {}

    void Text(std::u16string_view text, const TZefRtfCharFormat& format,
              const TZefRtfParagraphFormat& paragraph) override
    {
        QTextCharFormat charFormat;
        charFormat.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
        charFormat.setFontItalic(format.italic);
        charFormat.setFontUnderline(format.underline);
        charFormat.setFontStrikeOut(format.strike);
        charFormat.setFontPointSize(format.sizeHalfPoints / 2.0);
        if (!format.fontFamily.empty())
            charFormat.setFontFamilies(QStringList{ToQString(format.fontFamily)});
        if (format.color)
            charFormat.setForeground(ToQColor(*format.color));
        if (format.background)
            charFormat.setBackground(ToQColor(*format.background));
        if (pendingBlocks_ > 0 || paragraph != blockParagraph_) {
            const QTextBlockFormat blockFormat = ToBlockFormat(paragraph);
            for (; pendingBlocks_ > 0; --pendingBlocks_)
                cursor_.insertBlock(blockFormat, charFormat);
            cursor_.setBlockFormat(blockFormat);
            blockParagraph_ = paragraph;
        }
        cursor_.insertText(ToQString(text), charFormat);
    }

    void ParagraphBreak() override { ++pendingBlocks_; }

    std::u16string Decode(int codePage, std::string_view bytes) override
    {
        if (codePage == 1252)
            return TZefRtfSink::Decode(codePage, bytes);
        auto found = decoders_.find(codePage);
        if (found == decoders_.end()) {
            const QByteArray name = codePage == 10000 ? QByteArray("macintosh")
                                                      : QByteArray("windows-") + QByteArray::number(codePage);
            auto decoder = std::make_unique<QStringDecoder>(name.constData());
            if (!decoder->isValid()) {
                const QByteArray ibm = QByteArray("IBM") + QByteArray::number(codePage);
                decoder = std::make_unique<QStringDecoder>(ibm.constData());
            }
            found = decoders_.emplace(codePage, decoder->isValid() ? std::move(decoder) : nullptr).first;
        }
        if (!found->second)
            return TZefRtfSink::Decode(codePage, bytes);
        const QString text = found->second->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    }

private:
    QTextCursor cursor_;
    int pendingBlocks_ = 0;
    TZefRtfParagraphFormat blockParagraph_; // the format the cursor's block has; a new document's is the default
    // One converter per code page met, nullptr when Qt has none for it (then Windows-1252 stands in).
    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

} // namespace

void ZefReadRtf(QTextDocument& document, std::string_view bytes)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (!ZefLooksLikeRtf(bytes)) {
        const std::u16string text = cp1252::ToUtf16(bytes);
        document.setPlainText(ToQString(text));
    } else {
        // One edit block: the layout hears of the change once instead of once per run.
        QTextCursor batch(&document);
        batch.beginEditBlock();
        TDocumentSink sink(document);
        ZefParseRtf(bytes, sink);
        batch.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

bool ZefReadRtfFile(QTextDocument& document, const QString& path, QString* error)
{
    // Only a regular file is read: a pipe would block the open, a device would never end.
    const QByteArray localPath = QFile::encodeName(path);
    const TZefRegularFile opened = ZefOpenRegularFile(localPath.constData());
    if (opened.fd < 0) {
        if (error != nullptr)
            *error = opened.notRegular ? QString::fromLocal8Bit(ZefNotRegularFileMessage(localPath.toStdString()))
                                       : QString::fromLocal8Bit(std::strerror(opened.errorNumber));
        return false;
    }
    QFile file;
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    ZefReadRtf(document, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}
