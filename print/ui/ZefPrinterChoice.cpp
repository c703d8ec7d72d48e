#include "ZefPrinterChoice.h"

#include "ZefDesktop.h"
#include "ZefPdfPrintTarget.h"
#include "ZefQtPrinterTarget.h"

#include <QDir>
#include <QFileInfo>

TZefPrinterChoice::TZefPrinterChoice() : printer_(QPrinter::HighResolution)
{
    printer_.setPageSize(QPageSize(QPageSize::A4));
}

QString TZefPrinterChoice::PrinterName() const
{
    return IsPdf() ? QString() : printer_.printerName();
}

TZefEditPrinterInfo TZefPrinterChoice::Metrics()
{
    if (IsPdf()) {
        const QPageLayout layout = printer_.pageLayout();
        return TZefEditPrinterInfo::ForPaper(layout.pageSize(), layout.orientation(), kPdfDotsPerInch);
    }
    return TZefQtPrinterTarget::MetricsOf(printer_);
}

std::unique_ptr<TZefPrintTarget> TZefPrinterChoice::MakeTarget(TFileNameRule rule)
{
    if (!IsPdf())
        return std::make_unique<TZefQtPrinterTarget>(printer_);
    QString fileName = printer_.outputFileName();
    if (fileName.isEmpty() || rule == fnAlwaysAsk) {
        TZefFileDialog dialog;
        dialog.caption = QStringLiteral("Print to File (PDF)");
        const QFileInfo last(fileName.isEmpty() ? QDir::home().filePath(QStringLiteral("print.pdf")) : fileName);
        dialog.folder = last.absolutePath();
        dialog.fileName = last.fileName();
        dialog.filter = QStringLiteral("PDF files (*.pdf)|*.pdf|All files (*.*)|*.*");
        dialog.overwritePrompt = true;
        dialog.defaultExtension = QStringLiteral("pdf");
        const std::optional<TZefFileChoice> choice = ZefDesktop().SaveFileDialog(dialog);
        if (!choice || choice->files.isEmpty())
            return nullptr;
        fileName = choice->files.first();
        printer_.setOutputFileName(fileName);
    }
    const QPageLayout layout = printer_.pageLayout();
    return std::make_unique<TZefPdfPrintTarget>(fileName, layout.pageSize(), layout.orientation(), kPdfDotsPerInch);
}
