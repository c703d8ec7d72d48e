// The formatter's busy window.
#include "hrglass.h"

#include "ZefAppInfo.h"
#include "ZefLongWork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// How often a run lets window messages through: often enough for Terminate to answer at once.
constexpr qint64 MessageIntervalMs = 25;
}

THourGlass::THourGlass(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HourGlass"));
    setWindowTitle(ZefVersionedTitle());
    setWindowModality(Qt::ApplicationModal);
    lblMessage = new QLabel(QStringLiteral("Formatting text. Please wait."), this);
    lblMessage->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    lblMessage->setAlignment(Qt::AlignCenter);
    lblTotal = new QLabel(this);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));
    lblTotal->setAlignment(Qt::AlignCenter);
    btnTerminate = new QPushButton(QStringLiteral("Terminate"), this);
    btnTerminate->setObjectName(QStringLiteral("btnTerminate"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lblTotal);
    layout->addWidget(btnTerminate, 0, Qt::AlignCenter);
    layout->addWidget(ProgressBar1);
    resize(320, 150);
    connect(btnTerminate, &QPushButton::clicked, this, [this] { close(); });
}

void THourGlass::Start(int lineCount)
{
    stopRequested_ = false;
    shownCount_ = -1;
    progress_ = 0;
    ProgressBar1->setRange(0, lineCount > 0 ? lineCount : 1);
    ProgressBar1->setValue(0);
    show();
    // The window appears before the first line is done.
    QCoreApplication::processEvents();
    sinceMessages_.start();
    running_.start();
}

bool THourGlass::Step(int lineCount)
{
    // The arrow with the busy sign: the Terminate button still answers.
    if (!busyCursor_ && running_.isValid() && running_.elapsed() >= TZefLongWork::BusyCursorDelay()) {
        QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        busyCursor_ = true;
    }
    if (sinceMessages_.elapsed() >= MessageIntervalMs) {
        QCoreApplication::processEvents();
        sinceMessages_.restart();
    }
    if (lineCount != shownCount_) {
        shownCount_ = lineCount;
        ProgressBar1->setMaximum(lineCount);
        lblTotal->setText(QStringLiteral("Total lines = %1").arg(lineCount));
    }
    // Lines removed by blank-line compression can leave the count below the lines done.
    ++progress_;
    ProgressBar1->setValue(std::min(progress_, ProgressBar1->maximum()));
    return !stopRequested_;
}

void THourGlass::Finish()
{
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    hide();
}

void THourGlass::closeEvent(QCloseEvent* event)
{
    stopRequested_ = true;
    QDialog::closeEvent(event);
}

void THourGlass::reject()
{
    stopRequested_ = true;
    QDialog::reject();
}
