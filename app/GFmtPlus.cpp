// The "General +" dialog, its check and the order its options reach the formatter.
#include "GFmtPlus.h"

#include "ZefAppInfo.h"
#include "ZefDesktop.h"
#include "ZefDialogButtons.h"
#include "ZefSpinEdit.h"
#include "uEditAppIntfs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

bool ZefMaxLineLengthValid(int length)
{
    return length == 0 || (length >= 60 && length <= 180);
}

std::optional<QString> ZefGeneralPlusError(const TGeneralPlusChoice& choice)
{
    if (!ZefMaxLineLengthValid(choice.MaxStr))
        return QStringLiteral("Invalid value on \"Maximum number of characters on line\"");
    if (choice.SearchChar && choice.Char.isEmpty())
        return QStringLiteral("\"Search position of this character\" was checked but empty string found.");
    if (choice.SearchChar && choice.Times < 1)
        return QStringLiteral("\"Search position of this character\" was checked but necessary value found zero");
    return std::nullopt;
}

std::optional<int> ZefApplyGeneralPlus(const TGeneralPlusChoice& choice, IEditor& editor)
{
    std::optional<int> remembered;
    if (ZefMaxLineLengthValid(choice.MaxStr)) {
        editor.SetMaxLineLength(choice.MaxStr);
        if (choice.MaxStr != 0)
            remembered = choice.MaxStr;
    }
    if (choice.Paragraph)
        editor.SetJoinParagraphs(true);
    if (choice.SearchChar && !choice.Char.isEmpty() && choice.Times > 0)
        editor.SetAlignChar(choice.Char, choice.Times);
    else if (choice.SpacesBeforeNew && choice.SpacesNew > 0)
        editor.SetSpacesBeforeNew(choice.SpacesNew);
    if (choice.SpacesBeforeAll && choice.SpacesAll > 0)
        editor.SetSpacesBeforeAll(choice.SpacesAll);
    if (choice.DelEmptyLines && choice.EmptyLines >= 0 && choice.EmptyLines <= 20) {
        editor.SetDeleteEmptyLines(true);
        editor.SetMaxEmptyLines(choice.EmptyLines);
    }
    return remembered;
}

namespace {

TZefSpinEdit* NumberBox(QWidget* parent, const char* name, int minimum, int maximum, int initial)
{
    auto* box = new TZefSpinEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->SetArrowRange(minimum, maximum);
    box->setValue(initial);
    return box;
}

} // namespace

TGeneralFmtPlus::TGeneralFmtPlus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GeneralFmtPlus"));
    setWindowTitle(QStringLiteral("General +"));

    seMaxStr = NumberBox(this, "seMaxStr", 0, 180, 80);
    auto* maxRow = new QHBoxLayout;
    maxRow->addWidget(new QLabel(QStringLiteral("Maximum number of characters on line (0, 60-180)"), this));
    maxRow->addWidget(seMaxStr);
    maxRow->addWidget(new QLabel(QStringLiteral("0 = no split"), this));

    auto* group = new QGroupBox(QStringLiteral(" Add spaces before new insertion "), this);
    rbSpacesBeforeNew = new QRadioButton(QStringLiteral("Add spaces (Max : 30)"), group);
    rbSpacesBeforeNew->setObjectName(QStringLiteral("rbSpacesBeforeNew"));
    seSpacesNew = NumberBox(group, "seSpacesNew", 1, 30, 1);
    rbSearchChar = new QRadioButton(QStringLiteral("Search position of this character"), group);
    rbSearchChar->setObjectName(QStringLiteral("rbSearchChar"));
    edChar = new QLineEdit(group);
    edChar->setObjectName(QStringLiteral("edChar"));
    edChar->setMaxLength(1);
    edChar->setMaximumWidth(40);
    seTimes = NumberBox(group, "seTimes", 1, 30, 1);
    rbNone = new QRadioButton(QStringLiteral("None"), group);
    rbNone->setObjectName(QStringLiteral("rbNone"));
    // Exclusive among themselves, yet none is selected until the user picks one.
    auto* choices = new QButtonGroup(group);
    for (QRadioButton* button : {rbSpacesBeforeNew, rbSearchChar, rbNone})
        choices->addButton(button);
    auto* groupLayout = new QGridLayout(group);
    groupLayout->addWidget(rbSpacesBeforeNew, 0, 0);
    groupLayout->addWidget(seSpacesNew, 0, 1);
    groupLayout->addWidget(rbSearchChar, 1, 0);
    groupLayout->addWidget(edChar, 1, 1);
    groupLayout->addWidget(new QLabel(QStringLiteral("to get length"), group), 1, 2);
    groupLayout->addWidget(new QLabel(QStringLiteral("Times of appearing character :"), group), 2, 0,
                           Qt::AlignRight);
    groupLayout->addWidget(seTimes, 2, 1);
    groupLayout->addWidget(rbNone, 3, 0);

    chkSpacesBeforeAll = new QCheckBox(QStringLiteral("Spaces before all lines (Max : 30)"), this);
    chkSpacesBeforeAll->setObjectName(QStringLiteral("chkSpacesBeforeAll"));
    seSpacesAll = NumberBox(this, "seSpacesAll", 0, 30, 0);
    auto* allRow = new QHBoxLayout;
    allRow->addWidget(chkSpacesBeforeAll);
    allRow->addWidget(seSpacesAll);
    allRow->addStretch();

    chkParagraph = new QCheckBox(QStringLiteral("Paragraph"), this);
    chkParagraph->setObjectName(QStringLiteral("chkParagraph"));

    chkDelEmptyLn = new QCheckBox(QStringLiteral("More than"), this);
    chkDelEmptyLn->setObjectName(QStringLiteral("chkDelEmptyLn"));
    seEmptyLns = NumberBox(this, "seEmptyLns", 0, 20, 1);
    auto* emptyRow = new QHBoxLayout;
    emptyRow->addWidget(chkDelEmptyLn);
    emptyRow->addWidget(seEmptyLns);
    emptyRow->addWidget(new QLabel(QStringLiteral("(0-20) continuous empty lines, delete them"), this));
    emptyRow->addStretch();

    QHBoxLayout* buttons = ZefOkCancelRow(this, &btnOK, &btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(maxRow);
    layout->addWidget(group);
    layout->addLayout(allRow);
    layout->addWidget(chkParagraph);
    layout->addLayout(emptyRow);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(QSize(431, 380).expandedTo(sizeHint()));

    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TGeneralPlusChoice TGeneralFmtPlus::Choice() const
{
    TGeneralPlusChoice choice;
    choice.MaxStr = seMaxStr->TypedValue();
    choice.SpacesBeforeNew = rbSpacesBeforeNew->isChecked();
    choice.SpacesNew = seSpacesNew->TypedValue();
    choice.SearchChar = rbSearchChar->isChecked();
    choice.Char = edChar->text();
    choice.Times = seTimes->TypedValue();
    choice.SpacesBeforeAll = chkSpacesBeforeAll->isChecked();
    choice.SpacesAll = seSpacesAll->TypedValue();
    choice.Paragraph = chkParagraph->isChecked();
    choice.DelEmptyLines = chkDelEmptyLn->isChecked();
    choice.EmptyLines = seEmptyLns->TypedValue();
    return choice;
}

void TGeneralFmtPlus::OkClicked()
{
    if (const std::optional<QString> error = ZefGeneralPlusError(Choice())) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), *error);
        return;
    }
    accept();
}
