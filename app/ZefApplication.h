// The application object: the program's standard error box for errors that escape an event handler.
#pragma once

#include <QApplication>

#include <functional>

// Runs deliver() and answers its result. An error it raises (a clipboard that refuses data, a file that cannot
// be read) is reported with the error beep and one error box carrying its message, and the event counts as
// handled: Qt's event loop does not carry exceptions, so without this the program would end.
bool ZefDeliverReportingErrors(const std::function<bool()>& deliver);

// The same for a paint event, which must never open a modal box (the box would cover the window, which
// repaints, fails again and opens the next box): the error is reported once, after the paint has returned,
// and further failing paints stay silent until a paint succeeds again.
bool ZefDeliverPaintReportingErrors(const std::function<bool()>& deliver);

// Also names the program to the desktop: its desktop entry and its window icon.
class TZefApplication : public QApplication {
public:
    TZefApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
