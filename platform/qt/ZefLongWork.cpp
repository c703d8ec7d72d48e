#include "ZefLongWork.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

namespace {

QPointer<QStatusBar> g_host;
int g_busyCursorMs = 500;
int g_progressMs = 1000;
int g_running = 0; // nested work counts once each
// Window messages are handled at most this often: often enough to repaint smoothly, rarely enough not to
// slow the work down.
constexpr qint64 kEventsEveryMs = 40;

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

TZefLongWork::TZefLongWork(QString caption, bool cancellable, QStatusBar* host)
    : caption_(std::move(caption)), cancellable_(cancellable), host_(host != nullptr ? host : g_host.data())
{
    ++g_running;
    running_.start();
    qApp->installEventFilter(this);
}

TZefLongWork::~TZefLongWork()
{
    qApp->removeEventFilter(this);
    --g_running;
    if (busyCursor_)
        QApplication::restoreOverrideCursor();
    delete panel_.data();
    if (hostShown_ && host_)
        host_->hide();
}

void TZefLongWork::SetHost(QStatusBar* statusBar) { g_host = statusBar; }

void TZefLongWork::SetDelays(int busyCursorMs, int progressMs)
{
    g_busyCursorMs = busyCursorMs;
    g_progressMs = progressMs;
}

int TZefLongWork::BusyCursorDelay() { return g_busyCursorMs; }

bool TZefLongWork::Running() { return g_running > 0; }

TZefWorkProgress TZefLongWork::Progress()
{
    return [this](uint64_t done, uint64_t total) { return Step(done, total); };
}

bool TZefLongWork::Step(uint64_t done, uint64_t total)
{
    const qint64 elapsed = running_.elapsed();
    if (!busyCursor_ && elapsed >= g_busyCursorMs) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        busyCursor_ = true;
    }
    if (!panel_ && elapsed >= g_progressMs)
        ShowProgress();
    if (bar_ && total > 0)
        bar_->setValue(static_cast<int>(1000 * std::min(done, total) / total));
    if (busyCursor_ && (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventsEveryMs)) {
        sinceEvents_.start();
        QApplication::processEvents();
    }
    return !stopRequested_;
}

void TZefLongWork::ShowProgress()
{
    if (!host_)
        return;
    auto* panel = new QWidget(host_);
    panel->setObjectName(QStringLiteral("LongWorkPanel"));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption_, panel));
    bar_ = new QProgressBar(panel);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    if (cancellable_) {
        cancel_ = new QPushButton(QStringLiteral("Cancel"), panel);
        cancel_->setObjectName(QStringLiteral("LongWorkCancel"));
        connect(cancel_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
        layout->addWidget(cancel_);
    }
    host_->addPermanentWidget(panel);
    panel->show();
    // A window without a status bar of its own (or with it switched off) has one while the work runs.
    if (host_->isHidden()) {
        host_->show();
        hostShown_ = true;
    }
    panel_ = panel;
}

bool TZefLongWork::eventFilter(QObject* watched, QEvent* event)
{
    // Input reaches a window first and then its widgets: it is judged at the widget.
    if (!watched->isWidgetType() || !IsUserInput(event->type()))
        return false;
    if (cancellable_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        stopRequested_ = true;
    // The Cancel button is the one control that still answers.
    if (cancel_ && watched == cancel_ && event->type() != QEvent::Close)
        return false;
    event->ignore(); // a close asked for now is refused
    return true;
}
