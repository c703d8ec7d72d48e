#include "ZefPrintWindow.h"

#include "ZefDesktop.h"
#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"
#include "ZefCodePageText.h"
#include "ZefPrintDefaults.h"
#include "ZefPrintPreviewWindow.h"
#include "ZefPrinterSetupDlg.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QToolBar>

#include <QScreen>

#include <limits>

namespace {

// Maximised, and as large as the screen even where no window manager is there to maximise it.
void ShowFullScreenSized(QWidget& window)
{
    if (QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    window.raise();
    window.activateWindow();
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Print"));
    ApplyPrintWindowDefaults(engine_);

    editor_ = new TZefEdit(this);
    editor_->setObjectName(QStringLiteral("ZefEdit"));
    setCentralWidget(editor_);

    struct TCommand {
        const char* caption;
        const char* hint;
        void (TForm1::*run)();
    };
    const TCommand commands[] = {
        {"Page Setup", "Page setup", &TForm1::FilePageSetup},
        {"Printer &Setup", "Printer setup", &TForm1::FilePrinterSetupCmd},
        {"Print Preview", "Print preview", &TForm1::FilePrintPreviewCmd},
        {"&Print", "Print", &TForm1::FilePrintCmd},
        {nullptr, "Print specified pages", &TForm1::FilePrintPagesCmd},
        {"&Exit", "Exit", &TForm1::FileExitCmd},
    };
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    QToolBar* toolBar = addToolBar(QStringLiteral("Print"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const TCommand& command : commands) {
        auto run = command.run;
        const QString hint = QString::fromLatin1(command.hint);
        if (command.caption) {
            if (run == &TForm1::FileExitCmd)
                fileMenu_->addSeparator();
            QAction* item = fileMenu_->addAction(QString::fromLatin1(command.caption), this, [this, run] { (this->*run)(); });
            item->setStatusTip(hint);
            if (run == &TForm1::FilePrintCmd)
                item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
            if (run == &TForm1::FilePageSetup)
                pageSetupItem_ = item;
        }
        QAction* button = toolBar->addAction(hint, this, [this, run] { (this->*run)(); });
        button->setToolTip(hint);
        if (run == &TForm1::FilePageSetup)
            pageSetupButton_ = button;
    }
    pageSetupItem_->setEnabled(false);
    pageSetupButton_->setEnabled(false);

    preview_ = new TTestPrintPreviewDlg(engine_, {}, this);
    preview_->setWindowModality(Qt::ApplicationModal);
    setWindowState(Qt::WindowMaximized);
}

TForm1::~TForm1()
{
    // The preview is a child window and goes later with the other children; it must not draw the engine then.
    preview_->ZefEditPrintPreview()->SetZefEditPrint(nullptr);
}

void TForm1::ShowDocument(const TZefPrintDocument& document, const TZefWorkProgress& progress)
{
    const TZefWorkProgress unstoppable = [&progress](uint64_t done, uint64_t total) {
        if (progress)
            progress(done, total);
        return true;
    };
    editor_->Lines()->SetText(document.Text, unstoppable);
    editor_->SetColor(document.Color);
    editor_->SetHighlighter(document.Highlighter);
    editor_->setFont(document.Font);
    SetTitleIs(document.Title);
    ShowFullScreenSized(*this);
}

void TForm1::SetTitleIs(const QString& title) { title_ = title; }

void TForm1::SetPageSetupHandler(TPageSetupHandler handler)
{
    pageSetup_ = std::move(handler);
    pageSetupItem_->setEnabled(static_cast<bool>(pageSetup_));
    pageSetupButton_->setEnabled(static_cast<bool>(pageSetup_));
}

QAction* TForm1::MenuItem(const QString& caption) const
{
    for (QAction* item : fileMenu_->actions())
        if (!item->isSeparator() && QString(item->text()).remove(u'&') == caption)
            return item;
    return nullptr;
}

QAction* TForm1::ToolButton(const QString& hint) const
{
    for (QToolBar* bar : findChildren<QToolBar*>())
        for (QAction* button : bar->actions())
            if (button->toolTip() == hint)
                return button;
    return nullptr;
}

void TForm1::FilePageSetup()
{
    if (pageSetup_)
        pageSetup_(engine_, this);
}

void TForm1::FilePrinterSetupCmd()
{
    TZefPrinterSetupDlg dialog(printer_.Printer(), this);
    if (ZefDesktop().ExecDialog(dialog) == QDialog::Accepted)
        dialog.ApplyTo(printer_.Printer());
}

bool TForm1::TakeTextAndTitle()
{
    engine_.SetPrinterInfo(printer_.Metrics());
    engine_.SetTitle(ZefToCodePage(title_));
    // Two passes over the lines, shown as one bar: taking them in, then counting them into pages.
    TZefLongWork work(QStringLiteral("Preparing pages..."), true, statusBar());
    auto pass = [&work](uint64_t before) -> TZefWorkProgress {
        return [&work, before](uint64_t done, uint64_t total) { return work.Step(before + done, 2 * total); };
    };
    try {
        const TZefEditStringList& lines = *editor_->Lines();
        engine_.AssignFromEditor(lines, editor_->TabWidth(), editor_->Highlighter(),
                                 TZefPrintFont::FromQFont(editor_->font()), pass(0));
        engine_.Layout(pass(static_cast<uint64_t>(lines.Count())));
    } catch (const EZefWorkCancelled&) {
        return false;
    }
    return true;
}

void TForm1::FilePrintPreviewCmd()
{
    if (!TakeTextAndTitle())
        return;
    TZefPreviewPrinting printing;
    printing.MakeTarget = [this] { return printer_.MakeTarget(TZefPrinterChoice::fnAlwaysAsk); };
    printing.Report = [this](const TZefPrintResult& result) { Report(result); };
    printing.PrinterName = printer_.PrinterName().toStdString();
    preview_->SetPrinting(std::move(printing));
    ShowFullScreenSized(*preview_);
}

bool TForm1::RunPrintDialog(bool offerPageRange, int pageCount)
{
    QPrinter& printer = printer_.Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, offerPageRange);
    if (offerPageRange) {
        dialog.setMinMax(1, std::numeric_limits<int>::max());
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(1, pageCount);
    } else {
        printer.setPrintRange(QPrinter::AllPages);
    }
    if (ZefDesktop().ExecDialog(dialog) != QDialog::Accepted)
        return false;
    engine_.SetCopies(printer.copyCount());
    engine_.SetCollate(printer.collateCopies());
    return true;
}

void TForm1::FilePrintCmd()
{
    if (!RunPrintDialog(false, 1))
        return;
    if (TakeTextAndTitle())
        PrintPages(1, -1);
}

void TForm1::FilePrintPagesCmd()
{
    if (!TakeTextAndTitle() || !RunPrintDialog(true, engine_.PageCount()))
        return;
    const QPrinter& printer = printer_.Printer();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        PrintPages(printer.fromPage(), printer.toPage());
    else
        PrintPages(1, -1);
}

void TForm1::PrintPages(int firstPage, int lastPage)
{
    std::unique_ptr<TZefPrintTarget> target = printer_.MakeTarget(TZefPrinterChoice::fnAskIfUnknown);
    if (!target)
        return;
    TZefLongWork work(QStringLiteral("Printing..."), true, statusBar());
    Report(engine_.PrintRange(*target, firstPage, lastPage, work.Progress()));
}

void TForm1::Report(const TZefPrintResult& result)
{
    if (result.Ok || result.Cancelled) // a stop the user asked for is no failure
        return;
    ZefDesktop().Beep(TZefBeepKind::bkError);
    ZefDesktop().ErrorBox(QStringLiteral("Print"), QString::fromStdString(result.Message));
}
