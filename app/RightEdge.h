// The "Right Edge" dialog: the column of the right-edge line for every document.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TZefSpinEdit;

inline constexpr int RightEdgeMinimum = 10;
inline constexpr int RightEdgeMaximum = 240;

// True for a column the dialog accepts (10..240).
bool ZefRightEdgeValid(int column);

class TfrmSetRightEdge : public QDialog {
public:
    explicit TfrmSetRightEdge(QWidget* parent = nullptr);

    QLabel* lblHeader = nullptr;
    TZefSpinEdit* seRightEdge = nullptr;
    QLabel* lblRange = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void SetValue(int column);
    // The column as typed; meaningful once the dialog was accepted.
    int Value();
    // Set only when OK closed the dialog with a valid column.
    bool Accepted() const { return accepted_; }

private:
    // Beeps and explains an out-of-range column, keeping the dialog open.
    void OkClicked();

    bool accepted_ = false;
};
