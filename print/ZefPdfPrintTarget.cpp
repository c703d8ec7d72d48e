// Printing into a PDF file.
#include "ZefPdfPrintTarget.h"

#include "CodePage1252.h"

#include <QMarginsF>

namespace {

std::string Bytes(const QString& text) { return cp1252::FromUtf16(text.toStdU16String()); }

} // namespace

TZefPdfPrintTarget::TZefPdfPrintTarget(QString fileName, QPageSize paper, QPageLayout::Orientation orientation,
                                       int dotsPerInch)
    : fileName_(std::move(fileName)), paper_(std::move(paper)), orientation_(orientation),
      dotsPerInch_(dotsPerInch < 1 ? 300 : dotsPerInch)
{
}

TZefPdfPrintTarget::~TZefPdfPrintTarget()
{
    if (painter_ && painter_->isActive()) painter_->end();
}

TZefEditPrinterInfo TZefPdfPrintTarget::Metrics() const
{
    return TZefEditPrinterInfo::ForPaper(paper_, orientation_, dotsPerInch_);
}

bool TZefPdfPrintTarget::Fail(const std::string& reason)
{
    error_ = reason;
    canvas_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    writer_.reset();
    file_.reset();
    return false;
}

bool TZefPdfPrintTarget::BeginDocument(const std::string& jobName)
{
    error_.clear();
    if (fileName_.isEmpty()) return Fail("No file name was given for the PDF file.");
    file_ = std::make_unique<QFile>(fileName_);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail("Cannot create file \"" + Bytes(fileName_) + "\". " + Bytes(file_->errorString()));
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(dotsPerInch_);
    writer_->setPageLayout(QPageLayout(paper_, orientation_, QMarginsF(0, 0, 0, 0)));
    writer_->setTitle(QString::fromStdU16String(cp1252::ToUtf16(jobName)));
    writer_->setCreator(QStringLiteral("Zefra Text Editor"));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get())) return Fail("Cannot start the PDF document \"" + Bytes(fileName_) + "\".");
    canvas_ = std::make_unique<TZefPainterCanvas>(*painter_);
    return true;
}

bool TZefPdfPrintTarget::NewPage()
{
    if (!writer_ || !writer_->newPage()) return Fail("Cannot start a new page in \"" + Bytes(fileName_) + "\".");
    return true;
}

bool TZefPdfPrintTarget::EndDocument()
{
    if (!painter_) return Fail("The PDF document \"" + Bytes(fileName_) + "\" was not started.");
    canvas_.reset();
    const bool ended = painter_->end();
    painter_.reset();
    writer_.reset();
    const bool flushed = file_->flush();
    const bool healthy = file_->error() == QFileDevice::NoError;
    const std::string reason = Bytes(file_->errorString());
    file_->close();
    file_.reset();
    if (!ended || !flushed || !healthy) {
        error_ = "Cannot write file \"" + Bytes(fileName_) + "\". " + reason;
        return false;
    }
    return true;
}
