#include "ZefPrintPreviewWindow.h"

#include "ZefLongWork.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

TTestPrintPreviewDlg::TTestPrintPreviewDlg(TZefEditPrint& engine, TZefPreviewPrinting printing, QWidget* parent)
    : QMainWindow(parent), engine_(engine), printing_(std::move(printing))
{
    setWindowTitle(QStringLiteral("Print Preview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    preview_ = new TZefEditPrintPreview(this);
    preview_->SetZefEditPrint(&engine_);
    preview_->SetZoomOnClick(true);
    setCentralWidget(preview_);

    QToolBar* toolBar = addToolBar(QStringLiteral("Preview"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    firstCmd_ = AddCommand(QStringLiteral("&First"), QStringLiteral("Go to first page"), QKeySequence(QStringLiteral("Alt+F")));
    prevCmd_ = AddCommand(QStringLiteral("&Previous"), QStringLiteral("Go to previous page"), QKeySequence(QStringLiteral("Alt+P")));
    nextCmd_ = AddCommand(QStringLiteral("&Next"), QStringLiteral("Go to next page"), QKeySequence(QStringLiteral("Alt+N")));
    lastCmd_ = AddCommand(QStringLiteral("&Last"), QStringLiteral("Go to last page"), QKeySequence(QStringLiteral("Alt+L")));
    zoomCmd_ = AddCommand(QStringLiteral("&Zoom"), QStringLiteral("Zoom In/Out"), QKeySequence(QStringLiteral("Alt+Z")));
    printCmd_ = AddCommand(QStringLiteral("Print"), QStringLiteral("Print the document"), QKeySequence(QStringLiteral("Ctrl+P")));
    printPageCmd_ = AddCommand(QStringLiteral("Print this page"), QStringLiteral("Print this page"), QKeySequence());
    closeCmd_ = AddCommand(QStringLiteral("&Close"), QStringLiteral("Close Print Preview"), QKeySequence(QStringLiteral("Alt+C")));
    for (QAction* action : {firstCmd_, prevCmd_, nextCmd_, lastCmd_, zoomCmd_, printCmd_, printPageCmd_, closeCmd_})
        toolBar->addAction(action);

    zoomMenu_ = new QMenu(this);
    zoomMenu_->addAction(QStringLiteral("Whole page"), this, [this] { preview_->SetScaleMode(pscWholePage); });
    zoomMenu_->addAction(QStringLiteral("Page width"), this, [this] { preview_->SetScaleMode(pscPageWidth); });
    zoomMenu_->addSeparator();
    for (int percent : {25, 50, 100, 200, 400})
        zoomMenu_->addAction(QStringLiteral("%1%").arg(percent), this, [this, percent] { preview_->SetScalePercent(percent); });
    if (auto* zoomButton = qobject_cast<QToolButton*>(toolBar->widgetForAction(zoomCmd_))) {
        zoomButton->setMenu(zoomMenu_);
        zoomButton->setPopupMode(QToolButton::MenuButtonPopup);
    }

    connect(firstCmd_, &QAction::triggered, preview_, &TZefEditPrintPreview::FirstPage);
    connect(prevCmd_, &QAction::triggered, preview_, &TZefEditPrintPreview::PreviousPage);
    connect(nextCmd_, &QAction::triggered, preview_, &TZefEditPrintPreview::NextPage);
    connect(lastCmd_, &QAction::triggered, preview_, &TZefEditPrintPreview::LastPage);
    connect(zoomCmd_, &QAction::triggered, this, [this] { preview_->SetScaleMode(pscWholePage); });
    connect(printCmd_, &QAction::triggered, this, [this] { PrintWith(false); });
    connect(printPageCmd_, &QAction::triggered, this, [this] { PrintWith(true); });
    connect(closeCmd_, &QAction::triggered, this, &QWidget::close);

    hintPanel_ = new QLabel(this);
    pagePanel_ = new QLabel(this);
    statusBar()->addWidget(hintPanel_, 1);
    statusBar()->addPermanentWidget(pagePanel_);
    preview_->OnPreviewPage = [this](QObject*, int page) { pagePanel_->setText(QStringLiteral(" Page: %1").arg(page)); };
    preview_->viewport()->setStatusTip(QString());
    for (QWidget* watched : std::initializer_list<QWidget*>{preview_->viewport(), toolBar})
        watched->installEventFilter(this);

    RefreshPrintHint();
    setWindowState(Qt::WindowMaximized);
}

QAction* TTestPrintPreviewDlg::AddCommand(const QString& caption, const QString& statusText, const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    QString hint = caption;
    hint.remove(u'&');
    action->setToolTip(hint);
    action->setStatusTip(statusText);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    addAction(action);
    connect(action, &QAction::hovered, this, [this, action] { hintPanel_->setText(QStringLiteral("  ") + action->statusTip()); });
    return action;
}

void TTestPrintPreviewDlg::SetPrinting(TZefPreviewPrinting printing)
{
    printing_ = std::move(printing);
    RefreshPrintHint();
}

void TTestPrintPreviewDlg::RefreshPrintHint()
{
    if (printing_.PrinterName.empty()) {
        printCmd_->setToolTip(QStringLiteral("Print"));
        printCmd_->setStatusTip(QStringLiteral("Print the document"));
        return;
    }
    const QString name = QString::fromStdString(printing_.PrinterName);
    printCmd_->setToolTip(QStringLiteral("Print (%1)").arg(name));
    printCmd_->setStatusTip(QStringLiteral("Print the document on %1").arg(name));
}

QString TTestPrintPreviewDlg::HintPanelText() const { return hintPanel_->text(); }
QString TTestPrintPreviewDlg::PagePanelText() const { return pagePanel_->text(); }

void TTestPrintPreviewDlg::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    preview_->UpdatePreview();
    preview_->FirstPage();
    preview_->SetScaleMode(pscPageWidth);
}

bool TTestPrintPreviewDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && watched == preview_->viewport())
        hintPanel_->setText(QStringLiteral("  "));
    return QMainWindow::eventFilter(watched, event);
}

void TTestPrintPreviewDlg::PrintWith(bool currentPageOnly)
{
    if (!printing_.MakeTarget)
        return;
    std::unique_ptr<TZefPrintTarget> target = printing_.MakeTarget();
    if (!target)
        return; // the user gave up choosing where the print goes
    TZefLongWork work(QStringLiteral("Printing..."), true, statusBar());
    const TZefPrintResult result = currentPageOnly ? preview_->PrintCurrentPage(*target, work.Progress())
                                                   : preview_->Print(*target, work.Progress());
    if (printing_.Report)
        printing_.Report(result);
}
