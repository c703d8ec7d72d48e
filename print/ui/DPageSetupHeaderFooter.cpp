// The page setup dialog's "Header && Footer" tab: six section editors, the macro, font and style buttons that
// act on the current one, frames and colours.
#include "DPageSetup.h"

#include "ZefColorSample.h"
#include "ZefDesktop.h"
#include "ZefSectionEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QCheckBox* NewCheckBox(const QString& name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(name);
    return box;
}

QPushButton* NewButton(const QString& name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

QToolBar* TPageSetupDlg::BuildToolBar()
{
    auto* bar = new QToolBar(HeaderFooter);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, bar](const char* name, const char* caption, auto handler) {
        QAction* action = bar->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    PageNumBtn = add("PageNumBtn", "Page number", [this] { InsertMacro("$PAGENUM$"); });
    PagesBtn = add("PagesBtn", "Num. pages", [this] { InsertMacro("$PAGECOUNT$"); });
    TimeBtn = add("TimeBtn", "Time", [this] { InsertMacro("$TIME$"); });
    DateBtn = add("DateBtn", "Date", [this] { InsertMacro("$DATE$"); });
    TitleBtn = add("TitleBtn", "Title", [this] { InsertMacro("$TITLE$"); });
    bar->addSeparator();
    FontBtn = add("FontBtn", "Font", [this] { ChooseLineFont(); });
    bar->addSeparator();
    BoldBtn = add("BoldBtn", "Bold", [this] { ToggleLineStyle(fsBold); });
    ItalicBtn = add("ItalicBtn", "Italic", [this] { ToggleLineStyle(fsItalic); });
    UnderlineBtn = add("UnderlineBtn", "Underline", [this] { ToggleLineStyle(fsUnderline); });
    QFont bold = BoldBtn->font();
    bold.setBold(true);
    BoldBtn->setFont(bold);
    QFont italic = ItalicBtn->font();
    italic.setItalic(true);
    ItalicBtn->setFont(italic);
    QFont underline = UnderlineBtn->font();
    underline.setUnderline(true);
    UnderlineBtn->setFont(underline);
    return bar;
}

QGroupBox* TPageSetupDlg::BuildBlockGroup(const QString& title, bool header, TBlockControls& block)
{
    const QString prefix = header ? QStringLiteral("Header") : QStringLiteral("Footer");
    auto* group = new QGroupBox(title, HeaderFooter);
    auto* grid = new QGridLayout(group);
    static constexpr const char* kSectionNames[kZefSectionCount] = {"Left", "Center", "Right"};
    for (int i = 0; i < kZefSectionCount; ++i) {
        auto* editor = new TZefSectionEditor(static_cast<TZefSection>(i), group);
        editor->setObjectName(QStringLiteral("RE") + prefix + QString::fromLatin1(kSectionNames[i]));
        auto* label = new QLabel(QString::fromLatin1(kSectionNames[i]), group);
        label->setBuddy(editor);
        grid->addWidget(label, 0, i);
        grid->addWidget(editor, 1, i);
        grid->setColumnStretch(i, 1);
        block.Editors[static_cast<size_t>(i)] = editor;
    }
    block.Mirror = NewCheckBox(QStringLiteral("CB") + prefix + QStringLiteral("Mirror"), "Mirror position", group);
    grid->addWidget(block.Mirror, 2, 0, 1, 3);

    auto* appearance = new QGroupBox(QStringLiteral("Appearance"), group);
    auto* looks = new QGridLayout(appearance);
    block.Line = NewCheckBox(QStringLiteral("CB") + prefix + QStringLiteral("Line"), header ? "Line under" : "Line above",
                             appearance);
    block.Box = NewCheckBox(QStringLiteral("CB") + prefix + QStringLiteral("Box"), "Box", appearance);
    block.Shadow = NewCheckBox(QStringLiteral("CB") + prefix + QStringLiteral("Shadow"), "Shadow", appearance);
    block.LineSample = new TZefColorSample(appearance);
    block.LineSample->setObjectName(QStringLiteral("PB") + prefix + QStringLiteral("Line"));
    block.ShadowSample = new TZefColorSample(appearance);
    block.ShadowSample->setObjectName(QStringLiteral("PB") + prefix + QStringLiteral("Shadow"));
    auto* lineButton = NewButton(prefix + QStringLiteral("LineColorBtn"), "Line color", appearance);
    auto* shadowButton = NewButton(prefix + QStringLiteral("ShadowColorBtn"), "Shadow color", appearance);
    looks->addWidget(block.Line, 0, 0);
    looks->addWidget(block.Box, 1, 0);
    looks->addWidget(block.Shadow, 2, 0);
    looks->addWidget(block.LineSample, 0, 1);
    looks->addWidget(lineButton, 0, 2);
    looks->addWidget(block.ShadowSample, 1, 1);
    looks->addWidget(shadowButton, 1, 2);
    grid->addWidget(appearance, 0, 3, 3, 1);
    grid->setRowStretch(1, 1);

    TZefColorSample* lineSample = block.LineSample;
    TZefColorSample* shadowSample = block.ShadowSample;
    connect(lineButton, &QPushButton::clicked, this, [this, lineSample] { ChooseColor(lineSample, QStringLiteral("Line color")); });
    connect(shadowButton, &QPushButton::clicked, this,
            [this, shadowSample] { ChooseColor(shadowSample, QStringLiteral("Shadow color")); });
    if (header) {
        HeaderLineColorBtn = lineButton;
        HeaderShadowColorBtn = shadowButton;
    } else {
        FooterLineColorBtn = lineButton;
        FooterShadowColorBtn = shadowButton;
    }
    return group;
}

QWidget* TPageSetupDlg::BuildHeaderFooterTab()
{
    HeaderFooter = new QWidget(this);
    HeaderFooter->setObjectName(QStringLiteral("HeaderFooter"));
    ToolBar = BuildToolBar();
    QGroupBox* headerGroup = BuildBlockGroup(QStringLiteral("Header"), true, header_);
    QGroupBox* footerGroup = BuildBlockGroup(QStringLiteral("Footer"), false, footer_);

    REHeaderLeft = header_.Editors[0];
    REHeaderCenter = header_.Editors[1];
    REHeaderRight = header_.Editors[2];
    REFooterLeft = footer_.Editors[0];
    REFooterCenter = footer_.Editors[1];
    REFooterRight = footer_.Editors[2];
    sections_ = {REHeaderLeft, REHeaderCenter, REHeaderRight, REFooterLeft, REFooterCenter, REFooterRight};
    CBHeaderMirror = header_.Mirror;
    CBHeaderLine = header_.Line;
    CBHeaderBox = header_.Box;
    CBHeaderShadow = header_.Shadow;
    PBHeaderLine = header_.LineSample;
    PBHeaderShadow = header_.ShadowSample;
    CBFooterMirror = footer_.Mirror;
    CBFooterLine = footer_.Line;
    CBFooterBox = footer_.Box;
    CBFooterShadow = footer_.Shadow;
    PBFooterLine = footer_.LineSample;
    PBFooterShadow = footer_.ShadowSample;

    btnBlank = NewButton(QStringLiteral("btnBlank"), "Blank", HeaderFooter);
    btnLoadHeadFoot = NewButton(QStringLiteral("btnLoadHeadFoot"), "Load", HeaderFooter);
    btnSaveHeadFoot = NewButton(QStringLiteral("btnSaveHeadFoot"), "Save", HeaderFooter);
    chkKeepText = NewCheckBox(QStringLiteral("chkKeepText"), "Load my text", HeaderFooter);
    chkKeepText->setToolTip(QStringLiteral("Load my Header and Footer when program starts"));
    // Kept for the saved texts, which the print window loads at start when the user's settings ask for it.
    btnLoadHeadFoot->hide();
    btnSaveHeadFoot->hide();
    chkKeepText->hide();
    connect(btnBlank, &QPushButton::clicked, this, [this] { Blank(); });
    connect(btnLoadHeadFoot, &QPushButton::clicked, this, [this] { LoadHeadFoot(); });
    connect(btnSaveHeadFoot, &QPushButton::clicked, this, [this] { SaveHeadFoot(); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnBlank);
    bottom->addStretch();
    bottom->addWidget(chkKeepText);
    bottom->addWidget(btnLoadHeadFoot);
    bottom->addWidget(btnSaveHeadFoot);

    auto* layout = new QVBoxLayout(HeaderFooter);
    layout->addWidget(ToolBar);
    layout->addWidget(headerGroup, 1);
    layout->addWidget(footerGroup, 1);
    layout->addLayout(bottom);
    return HeaderFooter;
}

void TPageSetupDlg::FocusChanged(QWidget* now)
{
    if (now == nullptr || !isAncestorOf(now)) return;
    const auto found = std::find(sections_.begin(), sections_.end(), now);
    if (found != sections_.end()) current_ = *found;
    UpdateToolBar();
}

void TPageSetupDlg::UpdateToolBar()
{
    QWidget* focus = focusWidget();
    const bool inSection = PageControl->currentWidget() == HeaderFooter && focus != nullptr &&
                           std::find(sections_.begin(), sections_.end(), focus) != sections_.end();
    for (QAction* action : {PageNumBtn, PagesBtn, TimeBtn, DateBtn, TitleBtn, FontBtn, BoldBtn, ItalicBtn, UnderlineBtn})
        action->setEnabled(inSection);
}

void TPageSetupDlg::InsertMacro(const char* macro)
{
    current_->InsertMacro(QString::fromLatin1(macro));
}

void TPageSetupDlg::ChooseLineFont()
{
    TZefPrintFont font = current_->CaretLineFont();
    const QFont initial = TZefSectionEditor::CharFormat(font).font();
    const std::optional<QFont> chosen = ZefDesktop().FontDialog(QStringLiteral("Font"), initial);
    if (!chosen) return;
    const TColor color = font.Color;
    font = TZefPrintFont::FromQFont(*chosen, color);
    if (chosen->pointSizeF() > 0) font.Size = chosen->pointSizeF();
    current_->SetCaretLineFont(font);
}

void TPageSetupDlg::ToggleLineStyle(uint8_t style)
{
    current_->ToggleCaretLineStyle(static_cast<TFontStyle>(style));
}

void TPageSetupDlg::ChooseColor(TZefColorSample* sample, const QString& caption)
{
    const std::optional<QColor> chosen = ZefDesktop().ColorDialog(caption, PrintColor(sample->Color()));
    if (!chosen || !chosen->isValid()) return;
    sample->SetColor(ColorRGB(static_cast<uint8_t>(chosen->red()), static_cast<uint8_t>(chosen->green()),
                              static_cast<uint8_t>(chosen->blue())));
}
