// The page setup dialog's "Margins && Options" tab: the ten number fields, the unit and the print options.
#include "DPageSetup.h"

#include "ZefPagePicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Labels in the order of kZefMarginFields.
constexpr const char* kMarginLabels[kZefMarginFieldCount] = {
    "Left:", "Right:", "Top:", "Bottom:", "Gutter", "Header:", "Footer:",
    "LeftHFTextIndent:", "RightHFTextIndent:", "HFInternalMargin:",
};

QCheckBox* NewCheckBox(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

QWidget* TPageSetupDlg::BuildMarginsTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Margins"));

    PagePicture = new TZefPagePicture(page);
    PagePicture->setObjectName(QStringLiteral("PagePicture"));

    auto* numbers = new QGroupBox(QStringLiteral("Margins"), page);
    auto* grid = new QGridLayout(numbers);
    for (int i = 0; i < kZefMarginFieldCount; ++i) {
        auto* edit = new QLineEdit(numbers);
        edit->setObjectName(QString::fromLatin1(kZefMarginFields[static_cast<size_t>(i)].Name));
        edit->setMaximumWidth(120);
        auto* label = new QLabel(QString::fromLatin1(kMarginLabels[i]), numbers);
        label->setBuddy(edit);
        // Page margins in the first column, header and footer distances in the second.
        const int column = i < 5 ? 0 : 2;
        const int row = i < 5 ? i : i - 5;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        MarginEdits[static_cast<size_t>(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePagePicture(); });
    }
    grid->setColumnMinimumWidth(1, 100);
    grid->setHorizontalSpacing(10);
    EditLeft = MarginEdits[0];
    EditRight = MarginEdits[1];
    EditTop = MarginEdits[2];
    EditBottom = MarginEdits[3];
    EditGutter = MarginEdits[4];
    EditHeader = MarginEdits[5];
    EditFooter = MarginEdits[6];
    EditLeftHFTextIndent = MarginEdits[7];
    EditRightHFTextIndent = MarginEdits[8];
    EditHFInternalMargin = MarginEdits[9];

    CBUnits = new QComboBox(numbers);
    CBUnits->setObjectName(QStringLiteral("CBUnits"));
    CBUnits->addItems({QStringLiteral("mm"), QStringLiteral("cm"), QStringLiteral("Inches"),
                       QStringLiteral("Thousandths Of Inches")});
    auto* unitsLabel = new QLabel(QStringLiteral("Units:"), numbers);
    unitsLabel->setBuddy(CBUnits);
    grid->addWidget(unitsLabel, 6, 0);
    grid->addWidget(CBUnits, 6, 1, 1, 2);
    CBMirrorMargins = NewCheckBox("CBMirrorMargins", "Mirror margins", numbers);
    grid->addWidget(CBMirrorMargins, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    connect(CBUnits, &QComboBox::currentIndexChanged, this, [this](int index) { UnitsChanged(index); });

    auto* options = new QGroupBox(QStringLiteral("Options"), page);
    auto* optionsLayout = new QVBoxLayout(options);
    CBLineNumbers = NewCheckBox("CBLineNumbers", "Line numbers", options);
    CBLineNumbersInMargin = NewCheckBox("CBLineNumbersInMargin", "Print line numbers in margin", options);
    CBHighlight = NewCheckBox("CBHighlight", "Syntax print", options);
    CBColors = NewCheckBox("CBColors", "Use colors", options);
    CBWrap = NewCheckBox("CBWrap", "Wrap lines", options);
    for (QCheckBox* box : {CBLineNumbers, CBLineNumbersInMargin, CBHighlight, CBColors, CBWrap})
        optionsLayout->addWidget(box);
    optionsLayout->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(PagePicture, 2);
    layout->addWidget(numbers, 4);
    layout->addWidget(options, 2);
    return page;
}

void TPageSetupDlg::ShowMarginFields()
{
    for (int i = 0; i < kZefMarginFieldCount; ++i) {
        const QString text = ZefMarginText((working_.*kZefMarginFields[static_cast<size_t>(i)].Get)());
        shownTexts_[static_cast<size_t>(i)] = text;
        MarginEdits[static_cast<size_t>(i)]->setText(text);
    }
    UpdatePagePicture();
}

void TPageSetupDlg::UnitsChanged(int index)
{
    if (index < 0 || index == shownUnit_) return;
    // The numbers shown are read in the unit they were written in; one that is not a number keeps the unit
    // and every field as they are, so that nothing typed is lost or half converted.
    TZefEditPrintMargins margins;
    if (!ReadMarginFields(margins)) {
        const QSignalBlocker quiet(CBUnits);
        CBUnits->setCurrentIndex(shownUnit_);
        return;
    }
    working_.Assign(margins);
    working_.SetUnitSystem(static_cast<TUnitSystem>(index));
    shownUnit_ = index;
    ShowMarginFields();
}

void TPageSetupDlg::UpdatePagePicture()
{
    TZefEditPrintMargins margins;
    margins.Assign(working_);
    for (int i = 0; i < kZefMarginFieldCount; ++i) {
        if (const auto value = ZefParseMarginText(MarginEdits[static_cast<size_t>(i)]->text()))
            (margins.*kZefMarginFields[static_cast<size_t>(i)].Set)(*value);
    }
    PagePicture->SetMargins(margins);
}
