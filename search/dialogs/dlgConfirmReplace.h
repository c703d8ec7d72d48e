// The "Confirm replace" dialog: the question before one replacement, placed beside the match.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TConfirmReplaceDialog : public QDialog {
    Q_OBJECT

public:
    // Result codes besides Rejected (Cancel, or the window closed any other way).
    enum TAnswer { arYes = 2, arNo = 3, arYesToAll = 4 };

    explicit TConfirmReplaceDialog(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* lblConfirmation = nullptr;
    QPushButton* btnReplace = nullptr;
    QPushButton* btnSkip = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnReplaceAll = nullptr;

    // The question for the search text as the user typed it.
    void SetSearchText(const QString& search);
    // Places the dialog for a match whose top left is matchTopLeft (screen pixels) on a line lineHeight high,
    // inside the document window's screen rectangle form: beside the match, above it when the match is in the
    // lower third; then moved fully onto the screen that holds the match.
    void PlaceFor(QPoint matchTopLeft, int lineHeight, const QRect& form);
};
