// The about box: the logo, the program's name, its version and what it is.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};

// Shows the about box modally (it beeps as it opens) and frees it afterwards.
void ZefShowAboutBox(QWidget* parent);
