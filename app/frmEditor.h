// The document window: a child window of the frame holding the editor control or the read-only RTF view.
#pragma once

#include "ZefFilePath.h"

#include <QMdiSubWindow>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTextEdit;
class TEditor;
class THourGlass;
struct TZefFormatSettings;
class TZefEdit;
class IEditor;
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
    // "Print Selected Text": enabled only while text is selected.
    QAction* miPrintSelection = nullptr;
    QAction* miRichCopy = nullptr;
    std::shared_ptr<TEditor> Editor;
    // Find and replace in ZefEditor, with the two search engines.
    std::unique_ptr<TZefEditorSearch> Search;

    // Makes this document the target of the commands (or withdraws it, leaving other documents' references).
    void SetCommandTargets(bool active);
    void DoLoadFile(const QString& path);
    // Caption "<title> - Editor".
    void RefreshCaption();
    // The highlighter of the file's extension (none for an untitled document or an unknown extension).
    void RefreshHighlighter();
    // The Save As dialog's filter: the highlighter's own, or all files and text.
    QString SaveAsFilter() const;
    // Yes / No / Cancel when modified; true when the window may close.
    bool QuerySaveChanges();
    // The close question as the platform asks it before closing: not asked while being torn down; the answer
    // is also kept in ReallyClosing.
    bool CloseQuery();
    bool SaveDocument();
    // Asks for a name (the overwrite question and the checks below included) and writes there; the document
    // takes the name only when the text was written.
    bool SaveDocumentAs();
    // Writes to FileName; asks first when another program changed or replaced the file since it was loaded or
    // last saved (No: nothing is written).
    bool WriteFile();
    // Reads the file again as one undoable change; throws (leaving everything as it was) when it cannot.
    void Reload();
    // "Reload" is offered only while the file exists.
    void RefreshReloadEnabled();
    // Toggles the line mark of the caret line (the gutter's right click).
    void ToggleLineMark();
    bool IsRichText() const { return richText_; }
    // One formatter run over the text (with the busy window when there is one), installed as one undoable
    // change that sets the modified flag when a line changed; the caret goes back where it was. The window
    // refuses to close while the run is in progress.
    void FormatText(const TZefFormatSettings& settings, THourGlass* busy);
    bool Formatting() const { return formatting_; }
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
    // The save dialog until the user settles on a name: a name the dialog could not carry is refused, an
    // existing file asks before it is replaced (No returns to the dialog), and a file open in another document
    // is refused (nullopt, the document unchanged).
    std::optional<QString> AskSaveFileName();
    bool WriteFileTo(const QString& path);
    // Another open document of the same file as `path`, or null.
    std::shared_ptr<IEditor> OtherDocumentOf(const QString& path) const;

    TZefDiskSnapshot disk_;

    bool tearingDown_ = false;
    bool detached_ = false;
    bool richText_ = false;
    bool repaintRequested_ = false;
    bool suppressPopup_ = false;
    bool formatting_ = false;
};
