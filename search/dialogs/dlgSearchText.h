// The "Search Text" dialog and its extension, the "Replace text" dialog: the texts with their histories and
// the search options.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TTextSearchDialog : public QDialog {
    Q_OBJECT

public:
    explicit TTextSearchDialog(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QComboBox* cbSearchText = nullptr;
    QGroupBox* gbSearchOptions = nullptr;
    QCheckBox* cbSearchCaseSensitive = nullptr;
    QCheckBox* cbSearchWholeWords = nullptr;
    QCheckBox* cbSearchFromCursor = nullptr;
    QCheckBox* cbSearchSelectedOnly = nullptr;
    QCheckBox* cbRegularExpression = nullptr;
    QGroupBox* rgSearchDirection = nullptr;
    QRadioButton* rbForward = nullptr;
    QRadioButton* rbBackward = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    QString SearchText() const;
    void SetSearchText(const QString& text);
    // The search list, most recent first.
    QStringList SearchTextHistory() const;
    void SetSearchTextHistory(const QStringList& history);
    bool SearchBackwards() const;
    void SetSearchBackwards(bool value);

    // Closing with OK first moves each text to the top of its own list.
    void accept() override;

protected:
    // The replace dialog puts its rows under the search text.
    TTextSearchDialog(QWidget* parent, bool withReplace);
    virtual void UpdateHistories();

    // Editable drop-down list for one line of text: a pasted line break and what follows it are cut off.
    static QComboBox* MakeTextBox(QWidget* parent, const char* name);
    // Puts the box's text at the top of its list, dropping an entry equal to it ignoring case.
    static void MoveTextToTop(QComboBox* box);
    static QStringList Items(const QComboBox* box);
    static void SetItems(QComboBox* box, const QStringList& items);
};

class TTextReplaceDialog : public TTextSearchDialog {
    Q_OBJECT

public:
    explicit TTextReplaceDialog(QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QComboBox* cbReplaceText = nullptr;

    QString ReplaceText() const;
    void SetReplaceText(const QString& text);
    QStringList ReplaceTextHistory() const;
    void SetReplaceTextHistory(const QStringList& history);

protected:
    void UpdateHistories() override;
};
