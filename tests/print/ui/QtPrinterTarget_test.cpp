// Jobs through QPrinter: its metrics become the engine's, a page range and copies come out as asked, and the
// printer's own copy count stays at 1 so copies are not multiplied.
#include "ZefEditPrint.h"
#include "ZefQtPrinterTarget.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString PdfInfo(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished();
    return QString::fromLatin1(info.readAllStandardOutput());
}

int PdfPages(const QString& path)
{
    for (const QString& line : PdfInfo(path).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace

TEST(QtPrinterTarget, PrintsRangesAndCopiesIntoThePdfPrinter)
{
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));

    TZefEditPrint engine;
    engine.SetPrinterInfo(TZefQtPrinterTarget::MetricsOf(printer));
    const size_t rows = engine.Layout().RowsPerPage;
    std::vector<std::string> lines(rows * 4, "row");
    lines[rows * 2] = "third page marker";
    engine.SetLines(lines);
    ASSERT_EQ(engine.PageCount(), 4);
    EXPECT_EQ(engine.PrinterInfo().XPixPerInch(), printer.logicalDpiX());
    EXPECT_EQ(engine.PrinterInfo().PhysicalWidth(), qRound(printer.paperRect(QPrinter::DevicePixel).width()));

    printer.setOutputFileName(folder.filePath(QStringLiteral("range.pdf")));
    printer.setCopyCount(3); // what a print dialog may leave behind; the engine makes the copies
    engine.SetCopies(2);
    TZefQtPrinterTarget target(printer);
    TZefPrintResult result = engine.PrintRange(target, 2, 3);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_EQ(PdfPages(printer.outputFileName()), 4); // pages 2 and 3, twice
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                              QStringLiteral("2"), printer.outputFileName(), QStringLiteral("-")});
    text.waitForFinished();
    EXPECT_TRUE(QString::fromLatin1(text.readAllStandardOutput()).contains(QStringLiteral("third page marker")));
    EXPECT_TRUE(PdfInfo(printer.outputFileName()).contains(QStringLiteral("612 x 792"))); // Letter

    printer.setOutputFileName(folder.filePath(QStringLiteral("no-such-folder/out.pdf")));
    TZefQtPrinterTarget failing(printer);
    result = engine.Print(failing);
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Message.empty());
}
