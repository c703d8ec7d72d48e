// Feedback for a command that may run long (opening or saving a big file, replacing all, printing). After about
// half a second the busy cursor shows; after about a second a progress bar in the main window's status bar (or
// the status bar of the window the work runs from), with a
// Cancel button where the work may stop safely (Esc does the same). While the work runs the windows keep
// repainting, but no other input reaches them, so nothing can change or close a document under the work.
#pragma once

#include "ZefWorkProgress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

class QProgressBar;
class QPushButton;
class QStatusBar;
class QWidget;

class TZefLongWork : public QObject {
public:
    // caption: what the status bar says ("Loading name..."); cancellable: whether a stop is offered; host: the
    // status bar that shows the progress, the main window's (SetHost) when none is given.
    TZefLongWork(QString caption, bool cancellable, QStatusBar* host = nullptr);
    ~TZefLongWork() override;
    TZefLongWork(const TZefLongWork&) = delete;
    TZefLongWork& operator=(const TZefLongWork&) = delete;

    // Told as the work goes; answers false once the user asked to stop (never when not cancellable).
    bool Step(uint64_t done, uint64_t total);
    // Step as a progress for the engine's operations; valid while this object lives.
    TZefWorkProgress Progress();
    bool StopRequested() const { return stopRequested_; }

    // The status bar the progress shows in: the main window sets it for its lifetime.
    static void SetHost(QStatusBar* statusBar);
    // How long the work runs before the busy cursor and before the progress bar (milliseconds).
    static void SetDelays(int busyCursorMs, int progressMs);
    static int BusyCursorDelay();
    // Whether some long work is running now: what arrives from outside meanwhile (files handed over by another
    // start of the program) waits for its end.
    static bool Running();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowProgress();

    QString caption_;
    bool cancellable_;
    QPointer<QStatusBar> host_;
    bool hostShown_ = false; // the status bar was hidden and is shown only for the progress
    QElapsedTimer running_;
    QElapsedTimer sinceEvents_;
    bool busyCursor_ = false;
    bool stopRequested_ = false;
    QPointer<QWidget> panel_;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
