// The "General +" dialog: the options of one "General +" formatter run, their check and how they are applied.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class IEditor;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TZefSpinEdit;

// What the dialog's controls hold.
struct TGeneralPlusChoice {
    int MaxStr = 80;
    bool SpacesBeforeNew = false;
    int SpacesNew = 1;
    bool SearchChar = false;
    QString Char;
    int Times = 1;
    bool SpacesBeforeAll = false;
    int SpacesAll = 0;
    bool Paragraph = false;
    bool DelEmptyLines = false;
    int EmptyLines = 1;
};

// A maximum line length the formatter takes: 0 (no split) or 60..180.
bool ZefMaxLineLengthValid(int length);
// The message for the first fault of the choice, in the order OK checks them; nullopt when it may be run.
std::optional<QString> ZefGeneralPlusError(const TGeneralPlusChoice& choice);
// Hands the choice to the document's formatter settings in their fixed order (the settings having been reset
// before the dialog opened). Answers the maximum line length the program should remember from now on, or
// nullopt when it stays (0, or a length out of range).
std::optional<int> ZefApplyGeneralPlus(const TGeneralPlusChoice& choice, IEditor& editor);

class TGeneralFmtPlus : public QDialog {
public:
    explicit TGeneralFmtPlus(QWidget* parent = nullptr);

    TZefSpinEdit* seMaxStr = nullptr;
    QRadioButton* rbSpacesBeforeNew = nullptr;
    TZefSpinEdit* seSpacesNew = nullptr;
    QRadioButton* rbSearchChar = nullptr;
    QLineEdit* edChar = nullptr;
    TZefSpinEdit* seTimes = nullptr;
    QRadioButton* rbNone = nullptr;
    QCheckBox* chkSpacesBeforeAll = nullptr;
    TZefSpinEdit* seSpacesAll = nullptr;
    QCheckBox* chkParagraph = nullptr;
    QCheckBox* chkDelEmptyLn = nullptr;
    TZefSpinEdit* seEmptyLns = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    TGeneralPlusChoice Choice() const;

private:
    // Beeps and explains the first fault, keeping the dialog open; accepts when there is none.
    void OkClicked();
};
