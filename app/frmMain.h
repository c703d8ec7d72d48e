// The main window: menu bar, tool bar, the tab strip mirroring the documents, the client area of document
// windows, the status bar, and opening, closing and shutting down.
#pragma once

#include "ZefCommandLine.h"
#include "dmCommands.h"
#include "uEditAppIntfs.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QTabBar;
class QTimer;
class QToolButton;
class QWidget;
class THourGlass;
class TForm1;

// The three display states the idle update chooses between.
enum class TMainDisplayState { mdsNoDocument, mdsTextDocument, mdsRtfDocument };

class TMainForm : public QMainWindow {
public:
    // `iniPath`: the settings file read now and written when the window is destroyed.
    explicit TMainForm(QString iniPath, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Opens `path` (expanded to a full path), activates an already open document of that path (ignoring
    // case), or with an empty path makes a new untitled document.
    void OpenDocument(const QString& path);
    void CmdLineOpen(const QString& path) { OpenDocument(path); }
    // Opens the files of a command line (this program's, or one a later start handed over) in their order,
    // each with the caret on its line when one is given, so that the last one ends up active.
    void OpenCommandLineFiles(const std::vector<TZefCommandLineFile>& files);
    // Opens files dropped from a file manager (existing files on this machine, in their order) as the Open
    // command would, so that the last one ends up active.
    void OpenDroppedFiles(const QStringList& files);
    // Shows the window in front, out of its minimised state, when a later start handed it files.
    void BringToFront();
    // Makes a new document window and its tab; the base window has no client area and answers null.
    virtual std::shared_ptr<IEditor> CreateDocument(const QString& path);

    // Keeps tabs, status panels, font box and controls in step with ActiveEditor. Runs from a timer while
    // the program is idle and after every command.
    void IdleUpdate();
    // Closes every document, the last created first; each may ask to save and a Cancel keeps that one open.
    void CloseAll();

    // Settings held while the program runs.
    struct TState {
        bool gutterDown = false;
        bool cream = false;
        QString fontName;
        int8_t fontSize = 0;
        int rightEdge = 80;
        int maxLineLength = 80;
    };
    const TState& State() const { return state_; }
    TMainDisplayState DisplayState() const { return displayState_; }

    // Controls, reachable for the idle update and for tests.
    QTabBar* TabStrip() const { return tabStrip_; }
    QWidget* TabBand() const { return tabBand_; }
    QMdiArea* ClientArea() const { return mdiArea_; }
    QLabel* StatusPanel(int index) const { return statusPanels_.at(static_cast<size_t>(index)); }
    QLineEdit* FontBox() const { return fontBox_; }
    QComboBox* MarkNumberList() const { return markNumberList_; }
    THourGlass* BusyWindow() const { return busyWindow_; }
    TForm1* PrintWindow() const { return printWindow_.get(); }
    // A menu item or tool bar control by its object name ("miFileSave", "sbSave", ...); null when absent.
    QAction* Control(const QString& objectName) const;
    // Runs a control as a click would (disabled controls do nothing).
    bool Click(const QString& objectName);

    // The Settings menu's "&Highlighter" submenu: one item per language, then "(None)".
    QMenu* HighlighterMenu() const { return highlighterMenu_; }
    QAction* HighlighterNoneItem() const { return highlighterNone_; }
    // The colour scheme for the active document. `ext` empty: the document's own lower-cased extension.
    // From the menu, the highlighter the user just chose stays on the document.
    void Set_Highlight_For_Different_FileFormat(const QString& ext = QString(), bool fromMenu = false);

    TZefCommand actFileNew;
    TZefCommand actFileOpen;
    TZefCommand actFileCloseAll;
    TZefCommand actFileExit;
    TZefCommand actViewStatusbar;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Files dragged from a file manager, anywhere over the window (frmMainDrop.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Appends the tab of a new document; tabs are tied to their document, not matched by caption.
    int AddDocumentTab(const std::shared_ptr<IEditor>& editor, const QString& caption);

private:
    // How a control's enabled state follows the display state and its command object's rule.
    enum class TEnable { Rule, TextState, TextStateAndRule, Fixed };
    struct TControl {
        QAction* action;
        TZefCommand* command;
        TEnable enable;
    };

    void BuildMenus();
    void BuildToolBar();
    void BuildTabStrip();
    void BuildStatusBar();
    QAction* AddControl(QWidget* owner, const QString& objectName, const QString& caption, TZefCommand* command,
                        TEnable enable);
    void ApplyEnableRules();
    void LoadWindowSettings();
    // Once the frame is known (first shown), moves and shrinks the window so that its frame is on the screen.
    void KeepFrameOnScreen();
    void SaveWindowSettings();
    void Add_Existed_Highlighter_ToMenu();
    void MenuHighlighterClick(QAction* item);
    void Restore_Status_Of_This_Form();
    void Set_Status_Of_New_EditorForm();
    void Remove_TabSheets_After_ClosedFiles();
    void Show_Active_TabSheet_ToFront();
    void OnShow_TabSheet(int index);
    void SetDocumentTabCaption(IEditor& editor);
    void RemoveTab(int tab);
    // The document of a tab while it is open, else null.
    std::shared_ptr<IEditor> TabDocument(int tab) const;
    int TabOf(const IEditor* editor) const;
    void ShowFontName(const QString& text);

    // Command handlers.
    void Open();
    void Save();
    void SaveAs();
    void SaveAll();
    void PlaySaveSound();
    void LineNumbers();
    void FontButton();
    void SettingsFont();
    void Background(bool cream);
    void ActiveLineColor();
    void ZeroStart();
    void SoundForSave();
    void StepFontSize(int step);
    void ArrangeWindows(int how);
    void RecentFilesShown();
    void RecentFileChosen(int index);
    // The small dialogs and the formatter (frmMainDialogs.cpp).
    void GoToLine();
    void RightEdge();
    void FormatGeneral();
    void FormatGeneralPlus();
    void Help();
    void About();

    static QString DocumentCaption(IEditor& editor);

    QString iniPath_;
    std::unique_ptr<TCommandsDataModule> commands_;
    TState state_;
    TMainDisplayState displayState_ = TMainDisplayState::mdsNoDocument;
    bool tidyExportDisabled_ = false;
    std::vector<TControl> controls_;
    std::array<QAction*, MaxRecentFiles> recentItems_{};
    QMenu* recentMenu_ = nullptr;
    QMenu* highlighterMenu_ = nullptr;
    QAction* highlighterNone_ = nullptr;
    QWidget* tabBand_ = nullptr;
    QTabBar* tabStrip_ = nullptr;
    // The document of each tab, in tab order.
    std::vector<std::weak_ptr<IEditor>> tabDocuments_;
    QMdiArea* mdiArea_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    QLineEdit* fontBox_ = nullptr;
    QComboBox* markNumberList_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    THourGlass* busyWindow_ = nullptr;
    std::unique_ptr<TForm1> printWindow_;
    bool updatingTabs_ = false;
    bool frameChecked_ = false;
};
