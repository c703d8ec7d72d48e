// The document object: one open file (or untitled text) behind the document interfaces.
#pragma once

#include "uEditAppIntfs.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <vector>

class TEditorForm;

// Holds the document's own state; everything that needs the window goes through Form, which becomes null
// when the window is destroyed (then the operations do nothing or answer false / empty). Shared ownership:
// the window, the factory's list and the Active… references each keep it alive.
class TEditor final : public IEditor, public IEditCommands, public IFileCommands, public ISearchCommands {
public:
    explicit TEditor(TEditorForm* form);

    // Document state, read and written by its window.
    QString FileName;
    QPointer<TEditorForm> Form;
    bool HasSelection = false;
    bool IsEmpty = false;
    bool IsReadOnly = false;
    bool Modified = false;
    int32_t UntitledNumber = -1;
    std::vector<int32_t> MarkedLines;

    // IEditor.
    void Activate() override;
    void Close() override;
    TBufferCoord GetCaretPos() const override;
    QString GetModeText() const override;
    QString GetFileName() const override { return FileName; }
    QString GetTitle() override;
    bool IsModified() const override;
    void LoadFile(const QString& path) override;
    void GoToLine(int line) override;
    void PlaceCaretOnLine(int line) override;
    void ShowLineNumbers(bool show) override;
    std::optional<QFont> ChangeFont(bool askUser, const QString& fontName, int fontSize) override;
    void SetZeroStart(bool zeroStart) override;
    void SetRightEdge(int column) override;
    void SetCreamBackground(bool cream) override;
    QFont GetFont() const override;
    void StepFontSize(int step) override;
    bool Save() override;
    void SelectHighlighter(int index) override;
    void AssignHighlighter(TZefCustomHighlighter* highlighter) override;
    void EnumHighlighterSettings(std::vector<std::string>& settings) override;
    bool HasHighlighter() const override;
    int HighlighterAttrCount() const override;
    QString HighlighterAttrName(int index) const override;
    TZefHighlighterAttributes* HighlighterAttr(int index) const override;
    void SetAttrStyle(int index, TFontStyles style) override;
    void SetAttrForeground(int index, TColor color) override;
    void SetAttrBackground(int index, TColor color) override;
    bool UseHighlighterSettings(int index) override;
    bool SaveHighlighterToRegistry(const QString& key) override;
    bool LoadHighlighterFromRegistry(const QString& key) override;
    void SetActiveLineColor(TColor color) override;
    void RepaintEditor() override;
    void RefreshMarkList() override;
    void FormatText() override;
    void SetFormatStyle(const QString& caption) override;
    void SetJoinParagraphs(bool join) override;
    void SetSpacesBeforeNew(int count) override;
    void SetSpacesBeforeAll(int count) override;
    void SetAlignChar(const QString& character, int count) override;
    void SetMaxLineLength(int length) override;
    void SetDeleteEmptyLines(bool on) override;
    void SetMaxEmptyLines(int count) override;

    // IEditCommands.
    bool CanCopy() const override;
    bool CanCut() const override;
    bool CanDelete() const override;
    bool CanPaste() const override;
    bool CanRedo() const override;
    bool CanSelectAll() const override;
    bool CanUndo() const override;
    void ExecCopy() override;
    void ExecCut() override;
    void ExecDelete() override;
    void ExecPaste() override;
    void ExecRedo() override;
    void ExecSelectAll() override;
    void ExecUndo() override;

    // IFileCommands.
    bool CanClose() const override { return Form != nullptr; }
    bool CanPrint() const override { return Form != nullptr; }
    bool CanSave() const override;
    bool CanSaveAs() const override { return Form != nullptr; }
    void ExecClose() override { Close(); }
    void ExecPrint(bool selectionOnly) override;
    bool ExecSave() override { return Save(); }
    bool ExecSaveAs() override;

    // ISearchCommands.
    bool CanFind() const override;
    bool CanFindNext() const override;
    bool CanFindPrev() const override;
    bool CanReplace() const override;
    void ExecFind(bool textAtCaret) override;
    void ExecFindNext() override;
    void ExecFindPrev() override;
    void ExecReplace(bool textAtCaret) override;

    // Gives the untitled number back to the application's pool.
    void ReleaseUntitledNumber();
};

// Background colours of documents: white, or cream (red 255, green 251, blue 240).
inline constexpr TColor ZefCreamColor = 0x00F0FBFF;
// The process-wide cream flag documents loaded later follow (SetCreamBackground sets it).
bool DocumentsUseCream();
