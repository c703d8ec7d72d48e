// The busy window of the text formatter: progress, the line count and a Terminate button. While a run is in
// progress it is modal over the whole program, so that the document being formatted cannot be edited or
// closed under the run; Terminate is the one control left to the user.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

class THourGlass : public QDialog {
public:
    explicit THourGlass(QWidget* parent = nullptr);

    QLabel* lblMessage = nullptr;
    QLabel* lblTotal = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* btnTerminate = nullptr;

    // Clears the stop request, shows the window and sets the progress maximum.
    void Start(int lineCount);
    // One line of a run: advances the progress, shows the current line count and lets the program handle
    // pending window messages (at most every few milliseconds, so that a long run is not slowed down by
    // them); a run past the usual delay shows the busy cursor. Answers false once the user has asked the run
    // to stop.
    bool Step(int lineCount);
    // Progress 0 of 100, window hidden, the busy cursor gone.
    void Finish();
    bool StopRequested() const { return stopRequested_; }

protected:
    // Closing the window in any way asks the run to stop.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QElapsedTimer sinceMessages_;
    QElapsedTimer running_;
    bool busyCursor_ = false;
    int shownCount_ = -1;
    int progress_ = 0;
    bool stopRequested_ = false;
};
