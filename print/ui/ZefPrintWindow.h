// The "Print" window: a copy of a document's text in an editor of its own (the user may still change it), the
// print engine that lays it out, and the commands for page setup, printer setup, preview and printing all or
// chosen pages. It lives for the whole run and is shown, not modally, each time a document is handed over.
#pragma once
#include "ZefEditPrint.h"
#include "ZefGraphicsTypes.h"
#include "ZefPrinterChoice.h"

#include <QFont>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QMenu;
class TTestPrintPreviewDlg;
class TZefCustomHighlighter;
class TZefEdit;

// What a document hands to the print window.
struct TZefPrintDocument {
    std::string Text; // code-page bytes, CR LF between lines
    TColor Color = clWhite;
    TZefCustomHighlighter* Highlighter = nullptr;
    QFont Font;
    QString Title;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Replaces the text, colour, highlighter, font and title, then shows the window maximised. progress hears
    // how far the text is taken in; once begun that is not stopped.
    void ShowDocument(const TZefPrintDocument& document, const TZefWorkProgress& progress = {});
    // The title the next print or preview names its job after ("$TITLE$").
    void SetTitleIs(const QString& title);
    const QString& TitleIs() const { return title_; }

    // The page setup dialog lives elsewhere: its owner connects it here. Until one is connected the "Page
    // Setup" command is disabled.
    using TPageSetupHandler = std::function<void(TZefEditPrint& engine, QWidget* parent)>;
    void SetPageSetupHandler(TPageSetupHandler handler);

    void FilePageSetup();
    void FilePrinterSetupCmd();
    void FilePrintPreviewCmd();
    void FilePrintCmd();
    // "Print specified pages": the print dialog offers the range 1..page count.
    void FilePrintPagesCmd();
    void FileExitCmd() { hide(); }

    TZefEdit* ZefEdit() const { return editor_; }
    TZefEditPrint& ZefEditPrint() { return engine_; }
    TZefPrinterChoice& PrinterChoice() { return printer_; }
    TTestPrintPreviewDlg* PreviewWindow() const { return preview_; }
    QMenu* FileMenu() const { return fileMenu_; }
    // The menu items by caption without '&' ("Page Setup", "Print", "Exit", ...) and the tool bar's buttons
    // by hint ("Print specified pages", ...).
    QAction* MenuItem(const QString& caption) const;
    QAction* ToolButton(const QString& hint) const;

private:
    // Before every print and preview: the engine takes the editor's text and the remembered title, and the
    // chosen printer's page metrics, and counts the pages, with the busy cursor and progress in the status bar
    // when that takes long. False when the user stopped it: the job is not begun.
    bool TakeTextAndTitle();
    // Runs the print dialog (page range offered or not); false when the user cancelled it.
    bool RunPrintDialog(bool offerPageRange, int pageCount);
    void PrintPages(int firstPage, int lastPage);
    void Report(const TZefPrintResult& result);

    TZefEditPrint engine_;
    TZefPrinterChoice printer_;
    TZefEdit* editor_;
    TTestPrintPreviewDlg* preview_;
    QMenu* fileMenu_;
    QAction* pageSetupItem_ = nullptr;
    QAction* pageSetupButton_ = nullptr;
    TPageSetupHandler pageSetup_;
    QString title_;
};
