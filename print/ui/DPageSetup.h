// The "Page Setup" dialog: margins and print options on one tab, header and footer on the other. It edits a
// copy of the engine's settings: FillFromEngine shows them, ApplyToEngine stores them all or none.
#pragma once

#include "ZefEditPrintMargins.h"
#include "ZefHeadFootFiles.h"
#include "ZefMarginText.h"

#include <QDialog>
#include <QString>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolBar;
class TZefColorSample;
class TZefEditPrint;
class TZefPagePicture;
class TZefSectionEditor;
class THeaderFooter;

inline constexpr const char* kInvalidNumber = "Invalid number!";

class TPageSetupDlg : public QDialog {
public:
    // `headFootFolder`: where "Load" and "Save" keep the section texts (empty: ZefHeadFootFolder()).
    explicit TPageSetupDlg(QWidget* parent = nullptr, const QString& headFootFolder = QString());
    ~TPageSetupDlg() override;

    void FillFromEngine(TZefEditPrint& engine);
    // Stores every value in the engine, or, when a number field does not hold a number, reports the first
    // such field ("Invalid number!"), gives it the focus and stores nothing. Header and footer items are
    // rebuilt only from blocks whose section editors changed since FillFromEngine, so what the editors
    // cannot show (the order of the items, two items of one section on one row) survives a dialog that
    // touched neither.
    bool ApplyToEngine(TZefEditPrint& engine);

    // The saved section texts: Load empties the six editors and fills those whose file exists (false when
    // none exists); Save writes all six, reporting a failure through a message box.
    bool LoadHeadFoot();
    bool SaveHeadFoot();
    const QString& HeadFootFolder() const { return headFootFolder_; }

    // Empties the six section editors.
    void Blank();

    TZefSectionEditor* SectionEditor(TZefSectionEditorId id) const { return sections_[id]; }
    // The section editor the tool bar acts on: the last one that had the focus.
    TZefSectionEditor* CurrentSectionEditor() const { return current_; }

    // ---- Controls, by their form names ----
    QTabWidget* PageControl = nullptr;
    QWidget* Margins = nullptr;
    QWidget* HeaderFooter = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // Margins && Options
    TZefPagePicture* PagePicture = nullptr;
    std::array<QLineEdit*, kZefMarginFieldCount> MarginEdits{}; // in the order of kZefMarginFields
    QLineEdit* EditLeft = nullptr;
    QLineEdit* EditRight = nullptr;
    QLineEdit* EditTop = nullptr;
    QLineEdit* EditBottom = nullptr;
    QLineEdit* EditGutter = nullptr;
    QLineEdit* EditHeader = nullptr;
    QLineEdit* EditFooter = nullptr;
    QLineEdit* EditHFInternalMargin = nullptr;
    QLineEdit* EditLeftHFTextIndent = nullptr;
    QLineEdit* EditRightHFTextIndent = nullptr;
    QComboBox* CBUnits = nullptr;
    QCheckBox* CBMirrorMargins = nullptr;
    QCheckBox* CBLineNumbers = nullptr;
    QCheckBox* CBLineNumbersInMargin = nullptr;
    QCheckBox* CBHighlight = nullptr;
    QCheckBox* CBColors = nullptr;
    QCheckBox* CBWrap = nullptr;

    // Header && Footer
    QToolBar* ToolBar = nullptr;
    QAction* PageNumBtn = nullptr;
    QAction* PagesBtn = nullptr;
    QAction* TimeBtn = nullptr;
    QAction* DateBtn = nullptr;
    QAction* TitleBtn = nullptr;
    QAction* FontBtn = nullptr;
    QAction* BoldBtn = nullptr;
    QAction* ItalicBtn = nullptr;
    QAction* UnderlineBtn = nullptr;
    TZefSectionEditor* REHeaderLeft = nullptr;
    TZefSectionEditor* REHeaderCenter = nullptr;
    TZefSectionEditor* REHeaderRight = nullptr;
    TZefSectionEditor* REFooterLeft = nullptr;
    TZefSectionEditor* REFooterCenter = nullptr;
    TZefSectionEditor* REFooterRight = nullptr;
    QCheckBox* CBHeaderMirror = nullptr;
    QCheckBox* CBHeaderLine = nullptr;
    QCheckBox* CBHeaderBox = nullptr;
    QCheckBox* CBHeaderShadow = nullptr;
    TZefColorSample* PBHeaderLine = nullptr;
    QPushButton* HeaderLineColorBtn = nullptr;
    TZefColorSample* PBHeaderShadow = nullptr;
    QPushButton* HeaderShadowColorBtn = nullptr;
    QCheckBox* CBFooterMirror = nullptr;
    QCheckBox* CBFooterLine = nullptr;
    QCheckBox* CBFooterBox = nullptr;
    QCheckBox* CBFooterShadow = nullptr;
    TZefColorSample* PBFooterLine = nullptr;
    QPushButton* FooterLineColorBtn = nullptr;
    TZefColorSample* PBFooterShadow = nullptr;
    QPushButton* FooterShadowColorBtn = nullptr;
    QPushButton* btnBlank = nullptr;
    QPushButton* btnLoadHeadFoot = nullptr;
    QPushButton* btnSaveHeadFoot = nullptr;
    QCheckBox* chkKeepText = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // One block's controls, so header and footer are built and read by the same code.
    struct TBlockControls {
        QCheckBox* Mirror = nullptr;
        QCheckBox* Line = nullptr;
        QCheckBox* Box = nullptr;
        QCheckBox* Shadow = nullptr;
        TZefColorSample* LineSample = nullptr;
        TZefColorSample* ShadowSample = nullptr;
        std::array<TZefSectionEditor*, 3> Editors{};
    };

    QWidget* BuildMarginsTab();
    QWidget* BuildHeaderFooterTab();
    QGroupBox* BuildBlockGroup(const QString& title, bool header, TBlockControls& block);
    QToolBar* BuildToolBar();

    // Reads the ten fields in the shown unit into `margins` (a copy of the working margins). A field still
    // showing the text it was given keeps the working margins' exact value. At the first field that is not a
    // number: beep, "Invalid number!", focus on it, false.
    bool ReadMarginFields(TZefEditPrintMargins& margins);
    void ShowMarginFields();
    void UnitsChanged(int index);
    void UpdatePagePicture();

    void FillBlock(const THeaderFooter& source, TBlockControls& block);
    void ApplyBlock(THeaderFooter& target, const TBlockControls& block) const;
    bool BlockChanged(const TBlockControls& block) const;
    void MarkSectionsUnchanged();

    void OkClicked();
    void FocusChanged(QWidget* now);
    void UpdateToolBar();
    void InsertMacro(const char* macro);
    void ChooseLineFont();
    void ToggleLineStyle(uint8_t style);
    void ChooseColor(TZefColorSample* sample, const QString& caption);

    QString headFootFolder_;
    std::array<TZefSectionEditor*, kZefSectionEditorCount> sections_{};
    TBlockControls header_;
    TBlockControls footer_;
    TZefSectionEditor* current_ = nullptr;
    // The margins shown: their unit is the one the fields are in, and shownTexts_ the texts they were given.
    TZefEditPrintMargins working_;
    std::array<QString, kZefMarginFieldCount> shownTexts_;
    int shownUnit_ = usMM;
};
