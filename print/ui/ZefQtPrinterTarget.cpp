#include "ZefQtPrinterTarget.h"

TZefEditPrinterInfo TZefQtPrinterTarget::MetricsOf(QPrinter& printer)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    TZefEditPrinterInfo info;
    info.SetMetrics(qRound(paper.width()), qRound(paper.height()), qRound(page.width()), qRound(page.height()),
                    qRound(page.left()), qRound(page.top()), printer.logicalDpiX(), printer.logicalDpiY());
    return info;
}

bool TZefQtPrinterTarget::BeginDocument(const std::string& jobName)
{
    printer_.setCopyCount(1);
    printer_.setDocName(QString::fromStdString(jobName));
    if (!painter_.begin(&printer_)) {
        error_ = printer_.outputFormat() == QPrinter::PdfFormat
                     ? "Cannot create file \"" + printer_.outputFileName().toStdString() + "\"."
                     : "The printer could not start the job.";
        return false;
    }
    canvas_ = std::make_unique<TZefPainterCanvas>(painter_);
    return true;
}

bool TZefQtPrinterTarget::NewPage()
{
    if (!printer_.newPage()) {
        error_ = "The printer could not start a new page.";
        return false;
    }
    return true;
}

bool TZefQtPrinterTarget::EndDocument()
{
    canvas_.reset();
    if (!painter_.end()) {
        error_ = "The printer could not finish the job.";
        return false;
    }
    return true;
}
