// The preview window: how it opens, its page commands and status text, the zoom menu, and its prints going to
// the target the host hands out.
#include "ZefPdfPrintTarget.h"
#include "ZefPrintPreviewWindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int PdfPages(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished();
    for (const QString& line : QString::fromLatin1(info.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString PdfText(const QString& path)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    text.waitForFinished();
    return QString::fromLatin1(text.readAllStandardOutput());
}

} // namespace

TEST(PrintPreviewWindow, OpensOnPageOneAtPageWidthAndPagesWithItsCommands)
{
    TZefEditPrint engine;
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * 3, "text"));
    TTestPrintPreviewDlg window(engine, {});
    window.ZefEditPrintPreview()->SetScalePercent(200);
    window.ZefEditPrintPreview()->LastPage();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.ZefEditPrintPreview()->PageNumber(), 1);
    EXPECT_EQ(window.ZefEditPrintPreview()->ScaleMode(), pscPageWidth);
    EXPECT_EQ(window.PagePanelText(), " Page: 1");
    EXPECT_EQ(window.windowTitle(), "Print Preview");

    struct Step {
        QAction* action;
        const char* shortcut;
        int page;
    };
    const Step steps[] = {{window.NextCmd(), "Alt+N", 2}, {window.LastCmd(), "Alt+L", 3}, {window.NextCmd(), "Alt+N", 3},
                          {window.PrevCmd(), "Alt+P", 2}, {window.FirstCmd(), "Alt+F", 1}};
    for (const Step& step : steps) {
        EXPECT_EQ(step.action->shortcut(), QKeySequence(QString::fromLatin1(step.shortcut)));
        step.action->trigger();
        EXPECT_EQ(window.PagePanelText(), QStringLiteral(" Page: %1").arg(step.page));
    }
    window.NextCmd()->hover();
    EXPECT_EQ(window.HintPanelText(), "  Go to next page");

    window.ZoomCmd()->trigger();
    EXPECT_EQ(window.ZefEditPrintPreview()->ScaleMode(), pscWholePage);
    const QList<QAction*> zoomItems = window.ZoomMenu()->actions();
    ASSERT_EQ(zoomItems.size(), 8);
    zoomItems[5]->trigger(); // "100%"
    EXPECT_EQ(window.ZefEditPrintPreview()->ScalePercent(), 100);
    zoomItems[1]->trigger();
    EXPECT_EQ(window.ZefEditPrintPreview()->ScaleMode(), pscPageWidth);

    EXPECT_EQ(window.CloseCmd()->shortcut(), QKeySequence(QStringLiteral("Alt+C")));
    window.CloseCmd()->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST(PrintPreviewWindow, PrintsTheJobOrThePageShownWhereTheHostSays)
{
    QTemporaryDir folder;
    TZefEditPrint engine;
    const size_t rows = engine.Layout().RowsPerPage;
    std::vector<std::string> lines(rows * 3, "filler");
    lines[rows] = "second page marker";
    engine.SetLines(lines);
    QString fileName;
    std::vector<TZefPrintResult> results;
    bool giveUp = false;
    TZefPreviewPrinting printing;
    printing.MakeTarget = [&]() -> std::unique_ptr<TZefPrintTarget> {
        if (giveUp)
            return nullptr;
        return std::make_unique<TZefPdfPrintTarget>(fileName);
    };
    printing.Report = [&](const TZefPrintResult& result) { results.push_back(result); };
    printing.PrinterName = "Office";
    TTestPrintPreviewDlg window(engine, printing);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.PrintCmd()->toolTip(), "Print (Office)");
    EXPECT_EQ(window.PrintCmd()->statusTip(), "Print the document on Office");

    fileName = folder.filePath(QStringLiteral("all.pdf"));
    window.PrintCmd()->trigger();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].Ok) << results[0].Message;
    EXPECT_EQ(PdfPages(fileName), 3);

    window.NextCmd()->trigger();
    fileName = folder.filePath(QStringLiteral("page.pdf"));
    window.PrintPageCmd()->trigger();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(PdfPages(fileName), 1);
    EXPECT_TRUE(PdfText(fileName).contains(QStringLiteral("second page marker")));
    EXPECT_EQ(window.ZefEditPrintPreview()->PageNumber(), 2);

    giveUp = true;
    window.PrintCmd()->trigger();
    EXPECT_EQ(results.size(), 2u); // nothing printed, nothing reported
}
