// The search and replace dialogs: fixed-size forms laid out in a grid, single-line text boxes with histories.
#include "dlgSearchText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TTextSearchDialog::TTextSearchDialog(QWidget* parent) : TTextSearchDialog(parent, false) {}

TTextSearchDialog::TTextSearchDialog(QWidget* parent, bool withReplace) : QDialog(parent)
{
    setWindowTitle(withReplace ? QStringLiteral("Replace text") : QStringLiteral("Search Text"));
    auto* grid = new QGridLayout;
    Label1 = Named(new QLabel(QStringLiteral("&Search for:"), this), "Label1");
    cbSearchText = MakeTextBox(this, "cbSearchText");
    Label1->setBuddy(cbSearchText);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbSearchText, 0, 1);

    gbSearchOptions = Named(new QGroupBox(QStringLiteral("Options"), this), "gbSearchOptions");
    auto* options = new QVBoxLayout(gbSearchOptions);
    cbSearchCaseSensitive = Named(new QCheckBox(QStringLiteral("C&ase sensitivity")), "cbSearchCaseSensitive");
    cbSearchWholeWords = Named(new QCheckBox(QStringLiteral("&Whole words only")), "cbSearchWholeWords");
    cbSearchFromCursor = Named(new QCheckBox(QStringLiteral("Search from &caret")), "cbSearchFromCursor");
    cbSearchSelectedOnly = Named(new QCheckBox(QStringLiteral("&Selected text only")), "cbSearchSelectedOnly");
    cbRegularExpression = Named(new QCheckBox(QStringLiteral("&Regular expression")), "cbRegularExpression");
    for (QCheckBox* box : {cbSearchCaseSensitive, cbSearchWholeWords, cbSearchFromCursor, cbSearchSelectedOnly,
                           cbRegularExpression}) {
        options->addWidget(box);
    }
    rgSearchDirection = Named(new QGroupBox(QStringLiteral("Direction"), this), "rgSearchDirection");
    auto* direction = new QVBoxLayout(rgSearchDirection);
    rbForward = Named(new QRadioButton(QStringLiteral("&Forward")), "rbForward");
    rbBackward = Named(new QRadioButton(QStringLiteral("&Backward")), "rbBackward");
    rbForward->setChecked(true);
    direction->addWidget(rbForward);
    direction->addWidget(rbBackward);
    direction->addStretch();

    auto* groups = new QHBoxLayout;
    groups->addWidget(gbSearchOptions);
    groups->addWidget(rgSearchDirection);
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    if (!withReplace) setFixedSize(sizeHint().expandedTo(QSize(332, 180)));
}

QComboBox* TTextSearchDialog::MakeTextBox(QWidget* parent, const char* name)
{
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
    QLineEdit* edit = box->lineEdit();
    // The texts are one line: whatever follows a pasted line break is cut off.
    connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        const qsizetype cut = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        if (cut >= 0) edit->setText(text.left(cut));
    });
    return box;
}

QStringList TTextSearchDialog::Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
    return items;
}

void TTextSearchDialog::SetItems(QComboBox* box, const QStringList& items)
{
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setEditText(text);
}

void TTextSearchDialog::MoveTextToTop(QComboBox* box)
{
    const QString text = box->currentText();
    if (text.isEmpty()) return;
    QStringList items = Items(box);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].compare(text, Qt::CaseInsensitive) == 0) {
            items.removeAt(i);
            break;
        }
    }
    items.prepend(text);
    SetItems(box, items);
}

QString TTextSearchDialog::SearchText() const { return cbSearchText->currentText(); }
void TTextSearchDialog::SetSearchText(const QString& text)
{
    // Selected, so that typing replaces the preset.
    cbSearchText->setEditText(text);
    cbSearchText->lineEdit()->selectAll();
}
QStringList TTextSearchDialog::SearchTextHistory() const { return Items(cbSearchText); }
void TTextSearchDialog::SetSearchTextHistory(const QStringList& history) { SetItems(cbSearchText, history); }
bool TTextSearchDialog::SearchBackwards() const { return rbBackward->isChecked(); }

void TTextSearchDialog::SetSearchBackwards(bool value)
{
    rbBackward->setChecked(value);
    rbForward->setChecked(!value);
}

void TTextSearchDialog::UpdateHistories() { MoveTextToTop(cbSearchText); }

void TTextSearchDialog::accept()
{
    UpdateHistories();
    QDialog::accept();
}

TTextReplaceDialog::TTextReplaceDialog(QWidget* parent) : TTextSearchDialog(parent, true)
{
    auto* grid = static_cast<QGridLayout*>(layout()->itemAt(0)->layout());
    Label2 = Named(new QLabel(QStringLiteral("&Replace with:"), this), "Label2");
    cbReplaceText = MakeTextBox(this, "cbReplaceText");
    Label2->setBuddy(cbReplaceText);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cbReplaceText, 1, 1);
    setTabOrder(cbSearchText, cbReplaceText);
    setFixedSize(sizeHint().expandedTo(QSize(332, 210)));
}

QString TTextReplaceDialog::ReplaceText() const { return cbReplaceText->currentText(); }
void TTextReplaceDialog::SetReplaceText(const QString& text) { cbReplaceText->setEditText(text); }
QStringList TTextReplaceDialog::ReplaceTextHistory() const { return Items(cbReplaceText); }
void TTextReplaceDialog::SetReplaceTextHistory(const QStringList& history) { SetItems(cbReplaceText, history); }

void TTextReplaceDialog::UpdateHistories()
{
    TTextSearchDialog::UpdateHistories();
    MoveTextToTop(cbReplaceText);
}
