// The printer the print window prints on: a system printer, or Qt's PDF pseudo-printer (the only one on a
// machine without printers). It answers the page metrics the engine lays out with and makes the target of
// each job; a PDF job needs a file name, which is asked for when none is known.
#pragma once
#include "ZefEditPrinterInfo.h"
#include "ZefPrintTarget.h"

#include <QPrinter>
#include <QString>
#include <memory>
#include <string>

class TZefPrinterChoice {
public:
    TZefPrinterChoice();

    QPrinter& Printer() { return printer_; }
    bool IsPdf() const { return printer_.outputFormat() == QPrinter::PdfFormat; }
    // The system printer's name; empty for the PDF pseudo-printer.
    QString PrinterName() const;
    // A PDF file is a whole sheet at 300 dots per inch (nothing unprintable); a printer tells its own figures.
    TZefEditPrinterInfo Metrics();

    enum TFileNameRule { fnAskIfUnknown, fnAlwaysAsk };
    // The target of the next job: the printer itself, or a PDF file of the printer's paper and orientation.
    // For a PDF the save dialog (preset with the last name) asks for the file as `rule` says; nullptr when
    // the user cancels it.
    std::unique_ptr<TZefPrintTarget> MakeTarget(TFileNameRule rule);

    static constexpr int kPdfDotsPerInch = 300;

private:
    QPrinter printer_;
};
