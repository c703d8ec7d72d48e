// The "Print" window: its menu and tool bar, the hand-over of a document, printing all or chosen pages through
// the print dialog into a PDF, the file name asked for when the PDF printer has none, printer setup, and the
// preview opened from it.
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditPrintPreview.h"
#include "ZefLongWork.h"
#include "ZefPrintPreviewWindow.h"
#include "ZefPrintWindow.h"
#include "ZefPrinterSetupDlg.h"
#include "ZefScriptedDesktop.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Page objects of a PDF file as QPdfWriter writes them (the page dictionaries are not compressed).
int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return static_cast<int>(text.count(page));
}

// The text of the pages first..last, or nullopt when poppler's pdftotext is not installed.
std::optional<QString> PdfText(const QString& path, int first = 1, int last = 0)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return std::nullopt;
    QStringList arguments{QStringLiteral("-f"), QString::number(first)};
    if (last > 0)
        arguments << QStringLiteral("-l") << QString::number(last);
    arguments << path << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    process.waitForFinished();
    return QString::fromLatin1(process.readAllStandardOutput());
}

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        desktop.SetUnscriptedHandler([](const QString& what) { ADD_FAILURE() << "unscripted: " << what.toStdString(); });
        window.PrinterChoice().Printer().setOutputFormat(QPrinter::PdfFormat);
        window.ZefEditPrint().SetPrinterInfo(window.PrinterChoice().Metrics());
    }

    // A document of `pages` pages, each page's first line naming its page ("page 2 starts").
    void HandOver(int pages)
    {
        const size_t rows = window.ZefEditPrint().Layout().RowsPerPage;
        std::string text;
        for (int page = 1; page <= pages; ++page)
            for (size_t row = 0; row < rows; ++row)
                text += (row == 0 ? "page " + std::to_string(page) + " starts" : std::string("line")) + "\r\n";
        text.resize(text.size() - 2);
        TZefPrintDocument document;
        document.Text = text;
        document.Title = QStringLiteral("report.txt");
        document.Font = QFont(QStringLiteral("Courier New"), 10);
        window.ShowDocument(document);
    }

    // The print dialog as a user fills it: the PDF printer into `fileName`, `copies`, and a page range when
    // from > 0; then OK. `seen` gets the dialog as the program prepared it.
    void AnswerPrintDialog(const QString& fileName, int copies, int from = 0, int to = 0)
    {
        desktop.AnswerDialog([=, this](QDialog& dialog) {
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            ASSERT_NE(print, nullptr);
            QPrinter& printer = *print->printer();
            seen = Seen{print->testOption(QAbstractPrintDialog::PrintPageRange),
                        print->testOption(QAbstractPrintDialog::PrintSelection), printer.printRange(),
                        printer.fromPage(), printer.toPage(), print->minPage(), print->maxPage()};
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(fileName);
            printer.setOutputFormat(QPrinter::PdfFormat); // an empty name alone would go back to the printer
            printer.setCopyCount(copies);
            printer.setCollateCopies(true);
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            } else {
                printer.setPrintRange(QPrinter::AllPages);
            }
            dialog.setResult(QDialog::Accepted);
        });
    }

    struct Seen {
        bool pageRangeOffered = false;
        bool selectionOffered = false;
        QPrinter::PrintRange range = QPrinter::AllPages;
        int from = 0;
        int to = 0;
        int min = 0;
        int max = 0;
    };

    QTemporaryDir folder;
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope{desktop};
    TForm1 window;
    Seen seen;
};

} // namespace

TEST_F(PrintWindowTest, ShowsTheDocumentWithItsMenuAndToolBar)
{
    HandOver(1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.windowTitle(), "Print");
    EXPECT_EQ(window.TitleIs(), "report.txt");
    EXPECT_EQ(window.ZefEdit()->Lines()->Count(), static_cast<int>(window.ZefEditPrint().Layout().RowsPerPage));

    QStringList items;
    for (QAction* item : window.FileMenu()->actions())
        items << item->text();
    EXPECT_EQ(items, QStringList({"Page Setup", "Printer &Setup", "Print Preview", "&Print", "", "&Exit"}));
    EXPECT_EQ(window.MenuItem(QStringLiteral("Print"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    for (const char* hint : {"Page setup", "Printer setup", "Print preview", "Print", "Print specified pages", "Exit"})
        EXPECT_NE(window.ToolButton(QString::fromLatin1(hint)), nullptr) << hint;

    // The page setup dialog is connected by its owner; until then its command is off.
    EXPECT_FALSE(window.MenuItem(QStringLiteral("Page Setup"))->isEnabled());
    TZefEditPrint* handed = nullptr;
    window.SetPageSetupHandler([&](TZefEditPrint& engine, QWidget*) { handed = &engine; });
    ASSERT_TRUE(window.ToolButton(QStringLiteral("Page setup"))->isEnabled());
    window.ToolButton(QStringLiteral("Page setup"))->trigger();
    EXPECT_EQ(handed, &window.ZefEditPrint());

    window.MenuItem(QStringLiteral("Exit"))->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PrintWindowTest, PrintsAllPagesWithTheCopiesOfTheDialog)
{
    HandOver(3);
    // The user's own edit in the print window is what prints.
    window.ZefEdit()->Lines()->ReplaceLine(1, "edited in the print window");
    const QString fileName = folder.filePath(QStringLiteral("all.pdf"));
    AnswerPrintDialog(fileName, 2);
    window.MenuItem(QStringLiteral("Print"))->trigger();
    EXPECT_FALSE(seen.pageRangeOffered);
    EXPECT_FALSE(seen.selectionOffered);
    EXPECT_EQ(seen.range, QPrinter::AllPages);
    EXPECT_EQ(PdfPageCount(fileName), 6);
    EXPECT_EQ(window.ZefEditPrint().Copies(), 2);
    if (const auto text = PdfText(fileName, 1, 1)) {
        EXPECT_TRUE(text->contains(QStringLiteral("page 1 starts")));
        EXPECT_TRUE(text->contains(QStringLiteral("edited in the print window")));
        EXPECT_TRUE(text->contains(QStringLiteral("report.txt"))) << "the header's title";
        EXPECT_TRUE(PdfText(fileName, 4, 4)->contains(QStringLiteral("page 1 starts"))) << "collated copies";
    } else {
        GTEST_SKIP() << "pdftotext is not installed: page texts not checked";
    }
}

TEST_F(PrintWindowTest, PrintsTheSpecifiedPagesOrAllOfThem)
{
    HandOver(5);
    const QString range = folder.filePath(QStringLiteral("range.pdf"));
    AnswerPrintDialog(range, 1, 2, 3);
    window.ToolButton(QStringLiteral("Print specified pages"))->trigger();
    EXPECT_TRUE(seen.pageRangeOffered);
    EXPECT_FALSE(seen.selectionOffered);
    EXPECT_EQ(seen.range, QPrinter::PageRange);
    EXPECT_EQ(seen.from, 1);
    EXPECT_EQ(seen.to, 5);
    EXPECT_EQ(seen.min, 1);
    EXPECT_GE(seen.max, 1000000) << "page numbers are not limited";
    EXPECT_EQ(PdfPageCount(range), 2);

    // "All" chosen in the same dialog prints every page.
    const QString all = folder.filePath(QStringLiteral("all.pdf"));
    AnswerPrintDialog(all, 1);
    window.ToolButton(QStringLiteral("Print specified pages"))->trigger();
    EXPECT_EQ(PdfPageCount(all), 5);

    // A range past the end prints nothing and says so.
    const QString beyond = folder.filePath(QStringLiteral("beyond.pdf"));
    AnswerPrintDialog(beyond, 1, 7, 9);
    desktop.AnswerMessageBox(mbOk);
    window.ToolButton(QStringLiteral("Print specified pages"))->trigger();
    EXPECT_FALSE(QFile::exists(beyond));
    EXPECT_EQ(desktop.MessageTexts().size(), 1);

    if (const auto text = PdfText(range)) {
        EXPECT_TRUE(text->contains(QStringLiteral("page 2 starts")) && text->contains(QStringLiteral("page 3 starts")) &&
                    !text->contains(QStringLiteral("page 1 starts")) && !text->contains(QStringLiteral("page 4 starts")))
            << text->toStdString();
    } else {
        GTEST_SKIP() << "pdftotext is not installed: page texts not checked";
    }
}

TEST_F(PrintWindowTest, ACancelledDialogPrintsNothingAndAPdfWithoutANameAsksForOne)
{
    HandOver(1);
    desktop.AnswerDialog([](QDialog& dialog) { dialog.setResult(QDialog::Rejected); });
    window.FilePrintCmd();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());

    // The dialog left the PDF printer without a file: the save dialog asks; cancelling it prints nothing.
    AnswerPrintDialog(QString(), 1);
    desktop.AnswerSaveFile(std::nullopt);
    window.FilePrintCmd();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(desktop.MessageTexts().isEmpty()) << "a cancel is not an error";

    const QString chosen = folder.filePath(QStringLiteral("chosen.pdf"));
    AnswerPrintDialog(QString(), 1);
    desktop.AnswerSaveFile(TZefFileChoice{{chosen}, 1});
    window.FilePrintCmd();
    EXPECT_EQ(PdfPageCount(chosen), 1);

    // A file that cannot be written is reported, not passed over.
    AnswerPrintDialog(folder.filePath(QStringLiteral("missing/folder/out.pdf")), 1);
    desktop.AnswerMessageBox(mbOk);
    window.FilePrintCmd();
    ASSERT_EQ(desktop.MessageTexts().size(), 1);
    EXPECT_EQ(desktop.Calls().back().caption, "Print");
}

// Printing shows its progress with a Cancel button in a status bar of the print window under the busy cursor;
// Esc stops the job before its next page, without an error box.
TEST_F(PrintWindowTest, PrintingShowsProgressAndEscStopsIt)
{
    TZefLongWork::SetDelays(0, 0); // every page counts as long
    struct TRestore {
        ~TRestore() { TZefLongWork::SetDelays(500, 1000); }
    } restore;
    HandOver(3);
    const QString all = folder.filePath(QStringLiteral("all.pdf"));
    AnswerPrintDialog(all, 1);
    bool progressSeen = false;
    bool cancelOffered = false;
    bool busyCursor = false;
    QTimer::singleShot(0, &window, [&] {
        const auto* panel = window.statusBar()->findChild<QWidget*>(QStringLiteral("LongWorkPanel"));
        progressSeen = panel != nullptr && panel->isVisible();
        cancelOffered = panel != nullptr && panel->findChild<QWidget*>(QStringLiteral("LongWorkCancel")) != nullptr;
        busyCursor = QApplication::overrideCursor() != nullptr && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    window.FilePrintCmd();
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(cancelOffered);
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window.statusBar()->isVisible()) << "the print window has a status bar only while it prints";
    EXPECT_EQ(PdfPageCount(all), 3);

    const QString stopped = folder.filePath(QStringLiteral("stopped.pdf"));
    AnswerPrintDialog(stopped, 1);
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    window.FilePrintCmd();
    EXPECT_FALSE(QFile::exists(stopped)) << "stopped before the first page: no job";
    EXPECT_TRUE(desktop.MessageTexts().isEmpty()) << "a stop is not an error";
}

// Counting the pages of a long document shows progress with a Cancel button in the print window; a stop while
// the pages are counted opens no preview, and the next preview counts them afresh.
TEST_F(PrintWindowTest, PreparingPagesShowsProgressAndAStopOpensNoPreview)
{
    TZefLongWork::SetDelays(0, 0); // every step counts as long
    struct TRestore {
        ~TRestore() { TZefLongWork::SetDelays(500, 1000); }
    } restore;
    constexpr int kLines = 100000;
    std::string text;
    for (int i = 0; i < kLines; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TZefPrintDocument document;
    document.Text = text;
    window.ShowDocument(document);

    bool progressSeen = false;
    bool busyCursor = false;
    QTimer::singleShot(0, &window, [&] {
        auto* panel = window.statusBar()->findChild<QWidget*>(QStringLiteral("LongWorkPanel"));
        progressSeen = panel != nullptr && panel->isVisible();
        busyCursor = QApplication::overrideCursor() != nullptr && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        auto* bar = panel ? panel->findChild<QProgressBar*>() : nullptr;
        auto* cancel = panel ? panel->findChild<QPushButton*>(QStringLiteral("LongWorkCancel")) : nullptr;
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(cancel, nullptr);
        // Past half way the lines are taken and the pages being counted.
        QObject::connect(bar, &QProgressBar::valueChanged, cancel, [cancel](int value) {
            if (value > 600)
                cancel->click();
        });
    });
    window.FilePrintPreviewCmd();
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(busyCursor);
    EXPECT_FALSE(window.PreviewWindow()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.ZefEditPrint().LineCount(), kLines);

    window.FilePrintPreviewCmd();
    QApplication::processEvents();
    ASSERT_TRUE(window.PreviewWindow()->isVisible());
    const int rows = static_cast<int>(window.ZefEditPrint().Layout().RowsPerPage);
    EXPECT_EQ(window.ZefEditPrint().PageCount(), (kLines + rows - 1) / rows);
    window.PreviewWindow()->ZefEditPrintPreview()->LastPage();
    EXPECT_EQ(window.PreviewWindow()->ZefEditPrintPreview()->PageNumber(), (kLines + rows - 1) / rows);
    window.PreviewWindow()->close();
}

TEST_F(PrintWindowTest, PrinterSetupChoosesPaperAndOrientationForTheNextLayout)
{
    HandOver(1);
    desktop.AnswerDialog([](QDialog& dialog) {
        auto* setup = qobject_cast<TZefPrinterSetupDlg*>(&dialog);
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(setup->windowTitle(), "Printer Setup");
        setup->PrinterBox()->setCurrentText(TZefPrinterSetupDlg::PdfPrinterCaption());
        setup->PaperBox()->setCurrentText(QPageSize(QPageSize::A5).name());
        setup->LandscapeButton()->setChecked(true);
        dialog.accept();
    });
    window.MenuItem(QStringLiteral("Printer Setup"))->trigger();
    window.FilePrintPreviewCmd();
    const TZefEditPrinterInfo& metrics = window.ZefEditPrint().PrinterInfo();
    EXPECT_EQ(metrics, TZefEditPrinterInfo::ForPaper(QPageSize(QPageSize::A5), QPageLayout::Landscape, 300));
    window.PreviewWindow()->close();

    // Cancel keeps the printer as it was.
    desktop.AnswerDialog([](QDialog& dialog) {
        static_cast<TZefPrinterSetupDlg&>(dialog).PortraitButton()->setChecked(true);
        dialog.reject();
    });
    window.FilePrinterSetupCmd();
    EXPECT_EQ(window.PrinterChoice().Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintWindowTest, PreviewOpensOnPageOneAndItsPrintsAskWhereThePdfGoes)
{
    HandOver(3);
    window.MenuItem(QStringLiteral("Print Preview"))->trigger();
    QApplication::processEvents();
    TTestPrintPreviewDlg* preview = window.PreviewWindow();
    ASSERT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->isModal());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(preview->ZefEditPrintPreview()->PageNumber(), 1);
    EXPECT_EQ(preview->ZefEditPrintPreview()->ScaleMode(), pscPageWidth);
    EXPECT_EQ(preview->PagePanelText(), " Page: 1");
    EXPECT_EQ(window.ZefEditPrint().PageCount(), 3);
    EXPECT_EQ(window.ZefEditPrint().Title(), "report.txt");
    EXPECT_EQ(preview->PrintCmd()->toolTip(), "Print") << "no printer to name";

    preview->LastCmd()->trigger();
    EXPECT_EQ(preview->PagePanelText(), " Page: 3");

    // With the PDF pseudo-printer each print asks for its file; a cancel prints nothing and reports nothing.
    desktop.AnswerSaveFile(std::nullopt);
    preview->PrintPageCmd()->trigger();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    const QString page = folder.filePath(QStringLiteral("page.pdf"));
    desktop.AnswerSaveFile(TZefFileChoice{{page}, 1});
    preview->PrintPageCmd()->trigger();
    EXPECT_EQ(PdfPageCount(page), 1);
    const QString all = folder.filePath(QStringLiteral("all.pdf"));
    desktop.AnswerSaveFile(TZefFileChoice{{all}, 1});
    preview->PrintCmd()->trigger();
    EXPECT_EQ(PdfPageCount(all), 3);
    EXPECT_EQ(desktop.PendingAnswers(), 0u);
    EXPECT_TRUE(desktop.MessageTexts().isEmpty());

    preview->CloseCmd()->trigger();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(window.isVisible()) << "closing the preview leaves the print window";
    if (const auto text = PdfText(page)) {
        EXPECT_TRUE(text->contains(QStringLiteral("page 3 starts")));
    }
}
