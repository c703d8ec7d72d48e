// The document window: a child window of the frame holding the editor control or the read-only RTF view.
#pragma once

#include <QMdiSubWindow>

#include <memory>

class QAction;
class QMenu;
class QTextEdit;
class TEditor;
class TZefEdit;
class TZefEditorSearch;

// Owns its controls and keeps its document alive through Editor. Closing asks the save question unless the
// window is already being torn down; once closed (or destroyed) the document no longer refers to it and is
// gone from EditorFactory's list.
class TEditorForm : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit TEditorForm(QWidget* parent = nullptr);
    ~TEditorForm() override;

    TZefEdit* ZefEditor = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QMenu* pmnuEditor = nullptr;
    QMenu* pmnuRich = nullptr;
    QAction* miReload = nullptr;
    QAction* miRichCopy = nullptr;
    std::shared_ptr<TEditor> Editor;
    // Find and replace in ZefEditor, with the two search engines.
    std::unique_ptr<TZefEditorSearch> Search;

    // Makes this document the target of the commands (or withdraws it, leaving other documents' references).
    void SetCommandTargets(bool active);
    void DoLoadFile(const QString& path);
    // Caption "<title> - Editor".
    void RefreshCaption();
    // The highlighter by the file's extension joins here with the highlighter list; until then none.
    void RefreshHighlighter();
    // Yes / No / Cancel when modified; true when the window may close.
    bool QuerySaveChanges();
    // The close question as the platform asks it before closing: not asked while being torn down; the answer
    // is also kept in ReallyClosing.
    bool CloseQuery();
    bool SaveDocument();
    bool SaveDocumentAs();
    bool WriteFile();
    void Reload();
    // Toggles the line mark of the caret line (the gutter's right click).
    void ToggleLineMark();
    bool IsRichText() const { return richText_; }
    // From now on closing asks nothing (the program is ending and the user has answered).
    void SetTearingDown() { tearingDown_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void ConnectEditorEvents();
    // Detaches the document: its Form becomes null, it leaves the factory's list and the command targets.
    void Detach();
    void ShowEditorMenu(const QPoint& globalPos);

    bool tearingDown_ = false;
    bool detached_ = false;
    bool richText_ = false;
    bool repaintRequested_ = false;
    bool suppressPopup_ = false;
};
