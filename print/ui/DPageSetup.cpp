// The page setup dialog: construction, filling from and applying to the engine, the saved section texts.
#include "DPageSetup.h"

#include "ZefColorSample.h"
#include "ZefDesktop.h"
#include "ZefDialogButtons.h"
#include "ZefEditPrint.h"
#include "ZefSectionEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr const char* kMessageCaption = "Zefra Text Editor";
constexpr QSize kClientSize(779, 489);

} // namespace

TPageSetupDlg::TPageSetupDlg(QWidget* parent, const QString& headFootFolder)
    : QDialog(parent), headFootFolder_(headFootFolder.isEmpty() ? ZefHeadFootFolder() : headFootFolder)
{
    setObjectName(QStringLiteral("PageSetupDlg"));
    setWindowTitle(QStringLiteral("Page Setup"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    Margins = BuildMarginsTab();
    HeaderFooter = BuildHeaderFooterTab();
    PageControl->addTab(Margins, QStringLiteral("Margins && Options"));
    PageControl->addTab(HeaderFooter, QStringLiteral("Header && Footer"));

    QHBoxLayout* buttons = ZefOkCancelRow(this, &btnOK, &btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));

    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { UpdateToolBar(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });

    current_ = REHeaderLeft;
    ShowMarginFields();
    MarkSectionsUnchanged();
    UpdateToolBar();
}

TPageSetupDlg::~TPageSetupDlg()
{
    // Taking the controls down moves the focus and the current tab; this dialog no longer listens then.
    qApp->disconnect(this);
    PageControl->disconnect(this);
}

void TPageSetupDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    current_ = REHeaderLeft;
    PageControl->setCurrentWidget(Margins);
    UpdateToolBar();
}

void TPageSetupDlg::OkClicked()
{
    TZefEditPrintMargins margins;
    if (!ReadMarginFields(margins)) return;
    accept();
}

void TPageSetupDlg::Blank()
{
    for (TZefSectionEditor* editor : sections_) editor->Blank();
}

void TPageSetupDlg::FillFromEngine(TZefEditPrint& engine)
{
    Blank();
    working_.Assign(engine.Margins());
    shownUnit_ = working_.UnitSystem();
    {
        const QSignalBlocker quiet(CBUnits);
        CBUnits->setCurrentIndex(shownUnit_);
    }
    ShowMarginFields();
    CBMirrorMargins->setChecked(working_.MirrorMargins());

    CBLineNumbers->setChecked(engine.LineNumbers());
    CBLineNumbersInMargin->setChecked(engine.LineNumbersInMargin());
    CBHighlight->setChecked(engine.Highlight());
    CBColors->setChecked(engine.Colors());
    CBWrap->setChecked(engine.Wrap());

    FillBlock(engine.Header(), header_);
    FillBlock(engine.Footer(), footer_);
    MarkSectionsUnchanged();
}

void TPageSetupDlg::FillBlock(const THeaderFooter& source, TBlockControls& block)
{
    const TZefSections sections = ZefSectionsFromItems(source);
    for (int i = 0; i < kZefSectionCount; ++i) {
        TZefSectionEditor* editor = block.Editors[static_cast<size_t>(i)];
        editor->SetDefaultFont(source.DefaultFont());
        editor->SetLines(sections[static_cast<size_t>(i)]);
    }
    block.Line->setChecked((source.FrameTypes() & ftLine) != 0);
    block.Box->setChecked((source.FrameTypes() & ftBox) != 0);
    block.Shadow->setChecked((source.FrameTypes() & ftShaded) != 0);
    block.LineSample->SetColor(source.LineColor());
    block.ShadowSample->SetColor(source.ShadedColor());
    block.Mirror->setChecked(source.MirrorPosition());
}

bool TPageSetupDlg::ApplyToEngine(TZefEditPrint& engine)
{
    TZefEditPrintMargins margins;
    if (!ReadMarginFields(margins)) return false;
    margins.SetMirrorMargins(CBMirrorMargins->isChecked());
    engine.Margins().Assign(margins);

    engine.SetLineNumbers(CBLineNumbers->isChecked());
    engine.SetLineNumbersInMargin(CBLineNumbersInMargin->isChecked());
    engine.SetHighlight(CBHighlight->isChecked());
    engine.SetColors(CBColors->isChecked());
    engine.SetWrap(CBWrap->isChecked());

    ApplyBlock(engine.Header(), header_);
    ApplyBlock(engine.Footer(), footer_);
    return true;
}

void TPageSetupDlg::ApplyBlock(THeaderFooter& target, const TBlockControls& block) const
{
    target.SetFrameTypes(static_cast<TFrameTypes>((block.Line->isChecked() ? ftLine : 0) |
                                                  (block.Box->isChecked() ? ftBox : 0) |
                                                  (block.Shadow->isChecked() ? ftShaded : 0)));
    target.SetLineColor(block.LineSample->Color());
    target.SetShadedColor(block.ShadowSample->Color());
    target.SetMirrorPosition(block.Mirror->isChecked());
    if (!BlockChanged(block)) return;
    TZefSections sections;
    for (int i = 0; i < kZefSectionCount; ++i)
        sections[static_cast<size_t>(i)] = block.Editors[static_cast<size_t>(i)]->Lines();
    ZefItemsFromSections(target, sections);
}

bool TPageSetupDlg::BlockChanged(const TBlockControls& block) const
{
    for (const TZefSectionEditor* editor : block.Editors)
        if (editor->document()->isModified()) return true;
    return false;
}

void TPageSetupDlg::MarkSectionsUnchanged()
{
    for (TZefSectionEditor* editor : sections_) editor->document()->setModified(false);
}

bool TPageSetupDlg::LoadHeadFoot()
{
    Blank();
    bool any = false;
    for (int id = 0; id < kZefSectionEditorCount; ++id) {
        TZefSectionEditor* editor = sections_[static_cast<size_t>(id)];
        const QString path = QDir(headFootFolder_).filePath(
            QString::fromLatin1(ZefSectionFileName(static_cast<TZefSectionEditorId>(id))));
        if (const auto lines = ZefLoadSectionFile(path, editor->DefaultFont())) {
            editor->SetLines(*lines);
            any = true;
        }
    }
    return any;
}

bool TPageSetupDlg::SaveHeadFoot()
{
    QString error;
    if (!QDir().mkpath(headFootFolder_)) {
        error = QStringLiteral("The folder \"%1\" cannot be created.").arg(QDir::toNativeSeparators(headFootFolder_));
    } else {
        for (int id = 0; id < kZefSectionEditorCount && error.isEmpty(); ++id) {
            const QString path = QDir(headFootFolder_).filePath(
                QString::fromLatin1(ZefSectionFileName(static_cast<TZefSectionEditorId>(id))));
            ZefSaveSectionFile(path, sections_[static_cast<size_t>(id)]->Lines(), &error);
        }
    }
    if (error.isEmpty()) return true;
    ZefDesktop().Beep(TZefBeepKind::bkError);
    ZefDesktop().ErrorBox(QString::fromLatin1(kMessageCaption),
                          QStringLiteral("The header and footer were not saved.\n") + error);
    return false;
}

bool TPageSetupDlg::ReadMarginFields(TZefEditPrintMargins& margins)
{
    margins.Assign(working_);
    for (int i = 0; i < kZefMarginFieldCount; ++i) {
        const QString text = MarginEdits[static_cast<size_t>(i)]->text();
        if (text == shownTexts_[static_cast<size_t>(i)]) continue;
        const std::optional<double> value = ZefParseMarginText(text);
        if (!value) {
            ZefDesktop().Beep(TZefBeepKind::bkError);
            ZefDesktop().ErrorBox(QString::fromLatin1(kMessageCaption), QString::fromLatin1(kInvalidNumber));
            PageControl->setCurrentWidget(Margins);
            MarginEdits[static_cast<size_t>(i)]->setFocus();
            MarginEdits[static_cast<size_t>(i)]->selectAll();
            return false;
        }
        (margins.*kZefMarginFields[static_cast<size_t>(i)].Set)(*value);
    }
    return true;
}
