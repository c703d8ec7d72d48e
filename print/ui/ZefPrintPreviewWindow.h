// The "Print Preview" window: the preview control under a tool bar that pages, zooms, prints and closes, and a
// status bar with the hint of the control under the mouse and the page shown.
#pragma once
#include "ZefEditPrintPreview.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

// Where the window's prints go: the host hands out a target for each job (the selected printer, or a PDF file
// it asked the user for), or nullptr when the user gave up; results are reported by the host as well.
struct TZefPreviewPrinting {
    std::function<std::unique_ptr<TZefPrintTarget>()> MakeTarget;
    std::function<void(const TZefPrintResult&)> Report;
    std::string PrinterName; // names the printer in the print command's hint; empty for none
};

class TTestPrintPreviewDlg : public QMainWindow {
    Q_OBJECT
public:
    TTestPrintPreviewDlg(TZefEditPrint& engine, TZefPreviewPrinting printing, QWidget* parent = nullptr);

    TZefEditPrintPreview* ZefEditPrintPreview() const { return preview_; }
    QAction* FirstCmd() const { return firstCmd_; }
    QAction* PrevCmd() const { return prevCmd_; }
    QAction* NextCmd() const { return nextCmd_; }
    QAction* LastCmd() const { return lastCmd_; }
    QAction* ZoomCmd() const { return zoomCmd_; }
    QAction* PrintCmd() const { return printCmd_; }
    QAction* PrintPageCmd() const { return printPageCmd_; }
    QAction* CloseCmd() const { return closeCmd_; }
    QMenu* ZoomMenu() const { return zoomMenu_; }
    QString HintPanelText() const;
    // Where the next prints go; the print command's hints name the printer, when there is one.
    void SetPrinting(TZefPreviewPrinting printing);
    QString PagePanelText() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(const QString& caption, const QString& statusText, const QKeySequence& shortcut);
    void PrintWith(bool currentPageOnly);
    void RefreshPrintHint();

    TZefEditPrint& engine_;
    TZefPreviewPrinting printing_;
    TZefEditPrintPreview* preview_;
    QAction* firstCmd_;
    QAction* prevCmd_;
    QAction* nextCmd_;
    QAction* lastCmd_;
    QAction* zoomCmd_;
    QAction* printCmd_;
    QAction* printPageCmd_;
    QAction* closeCmd_;
    QMenu* zoomMenu_;
    QLabel* hintPanel_;
    QLabel* pagePanel_;
};
