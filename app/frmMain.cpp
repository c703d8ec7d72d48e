// The main window: building its controls, the idle update, opening documents and shutting down.
#include "frmMain.h"

#include "ZefAppInfo.h"
#include "ZefAppSettings.h"
#include "ZefDataFiles.h"
#include "ZefDesktop.h"
#include "ZefFilePath.h"
#include "ZefLoadError.h"
#include "ZefLongWork.h"
#include "ZefPrintShortcut.h"
#include "ZefPageSetup.h"
#include "ZefPrintWindow.h"
#include "ZefWindowBounds.h"
#include "frmEditor.h"
#include "hrglass.h"
#include "startup.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>
#include <utility>

// The compiled-in icons live in this static library, so the window registers them before using them.
static void InitIconResources()
{
    Q_INIT_RESOURCE(zefraed);
}

namespace {

constexpr TColor ActiveLineColorOn = 0x00C1FFFF;

// Sizes of the window's layout, given for 120 dots per inch.
int Scaled(const QWidget* widget, int pixels)
{
    const int dpi = widget->logicalDpiX() > 0 ? widget->logicalDpiX() : 96;
    return pixels * dpi / 120;
}

QIcon ToolIcon(const char* themeName, const char* ownName)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(ownName) + QStringLiteral(".png")));
}

bool IsRtfName(const QString& fileName)
{
    return fileName.toLower().endsWith(QLatin1String(".rtf"));
}

} // namespace

TMainForm::TMainForm(QString iniPath, QWidget* parent)
    : QMainWindow(parent),
      actFileNew("actFileNew", "File", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { OpenDocument(QString()); },
                 [] { return EditorFactory != nullptr; }),
      actFileOpen("actFileOpen", "File", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Open(); },
                  [] { return EditorFactory != nullptr; }),
      actFileCloseAll("actFileCloseAll", "File", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F4),
                      [this] { CloseAll(); }, [] { return EditorFactory && EditorFactory->GetEditorCount() > 0; }),
      actFileExit("actFileExit", "File", QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); }, {}),
      actViewStatusbar("actViewStatusbar", "View", QKeySequence(),
                       [this] { statusBar()->setVisible(statusBar()->isHidden()); }, {}),
      iniPath_(std::move(iniPath))
{
    InitIconResources();
    setFont(QFont(QStringLiteral("MS Sans Serif")));
    resize(Scaled(this, 724), Scaled(this, 346));

    commands_ = std::make_unique<TCommandsDataModule>();
    BuildMenus();
    BuildToolBar();
    BuildTabStrip();
    BuildStatusBar();
    Add_Existed_Highlighter_ToMenu();
    EditorServices.MarkNumberList = markNumberList_;
    // Menu items take their icons from the same artwork as the tool bar.
    const char* const menuIcons[][3] = {
        {"miFileNew", "document-new", "new"},     {"miFileOpen", "document-open", "open"},
        {"miFileSave", "document-save", "save"},  {"miFileClose", "window-close", "close"},
        {"miEditUndo", "edit-undo", "undo"},      {"miEditRedo", "edit-redo", "redo"},
        {"miEditCut", "edit-cut", "cut"},         {"miEditCopy", "edit-copy", "copy"},
        {"miEditPaste", "edit-paste", "paste"},   {"miSettingsFont", "preferences-desktop-font", "font"},
        {"miFilePrint", "document-print", "print"},
    };
    for (const auto& entry : menuIcons)
        Control(QString::fromLatin1(entry[0]))->setIcon(ToolIcon(entry[1], entry[2]));
    // Menu items are brought up to date whenever their menu opens, besides at idle moments.
    for (QAction* top : menuBar()->actions())
        if (QMenu* menu = top->menu())
            connect(menu, &QMenu::aboutToShow, this, [this] { ApplyEnableRules(); });

    busyWindow_ = new THourGlass(this);
    EditorServices.BusyWindow = busyWindow_;
    // A window of its own beside this one, hidden until a document is printed.
    printWindow_ = std::make_unique<TForm1>();
    printWindow_->SetPageSetupHandler([](TZefEditPrint& engine, QWidget* parent) { ZefRunPageSetup(engine, parent); });
    // The header and footer texts the user saved come back when the settings ask to keep them.
    WithUserSettingsStore(
        [this](TZefSettingsStore& store) { ZefLoadKeptHeaderFooter(printWindow_->ZefEditPrint(), store); });
    EditorServices.PrintWindow = printWindow_.get();
    LoadWindowSettings();
    Restore_Status_Of_This_Form();
    setWindowTitle(ZefVersionedTitle());
    // Files dropped from a file manager open as documents.
    setAcceptDrops(true);

    // The idle update: a short timer stands in for "the message queue is empty".
    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(100);
    connect(idleTimer_, &QTimer::timeout, this, [this] { IdleUpdate(); });
    idleTimer_->start();
}

TMainForm::~TMainForm()
{
    idleTimer_->stop();
    if (EditorFactory)
        EditorFactory->CloseAllWithoutQuestions();
    SaveWindowSettings();
    if (EditorServices.MarkNumberList == markNumberList_)
        EditorServices.MarkNumberList = nullptr;
    if (EditorServices.BusyWindow == busyWindow_)
        EditorServices.BusyWindow = nullptr;
    // It refers to the command module's highlighters, so it goes first.
    printWindow_.reset();
    commands_.reset();
}

QAction* TMainForm::AddControl(QWidget* owner, const QString& objectName, const QString& caption,
                               TZefCommand* command, TEnable enable)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    owner->addAction(action);
    if (command)
        connect(action, &QAction::triggered, this, [this, command] {
            command->Invoke();
            IdleUpdate();
        });
    controls_.push_back({action, command, enable});
    return action;
}

void TMainForm::BuildMenus()
{
    auto& dm = *commands_;
    auto handler = [this](QAction* action, auto function) {
        connect(action, &QAction::triggered, this, [this, function] {
            function();
            IdleUpdate();
        });
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddControl(file, "miFileNew", "&New", &actFileNew, TEnable::Rule)->setShortcut(actFileNew.ShortCut());
    AddControl(file, "miFileOpen", "&Open", &actFileOpen, TEnable::Rule)->setShortcut(actFileOpen.ShortCut());
    recentMenu_ = file->addMenu(QStringLiteral("&Recent Files"));
    recentMenu_->menuAction()->setObjectName("miFileRecent");
    for (int k = 0; k < MaxRecentFiles; ++k) {
        if (k == 5)
            recentMenu_->addSeparator();
        QAction* item = recentMenu_->addAction(QString());
        item->setObjectName(QStringLiteral("miFileMRU%1").arg(k + 1));
        connect(item, &QAction::triggered, this, [this, k] {
            RecentFileChosen(k);
            IdleUpdate();
        });
        recentItems_[static_cast<size_t>(k)] = item;
    }
    connect(file, &QMenu::aboutToShow, this, [this] {
        recentMenu_->menuAction()->setEnabled(commands_->RecentFiles().RecentFileCount() > 0);
    });
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { RecentFilesShown(); });
    file->addSeparator();
    QAction* save = AddControl(file, "miFileSave", "&Save", nullptr, TEnable::TextState);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    handler(save, [this] { Save(); });
    handler(AddControl(file, "miFileSaveAs", "Save &As...", nullptr, TEnable::TextState), [this] { SaveAs(); });
    AddControl(file, "miFileClose", "&Close", &dm.actFileClose, TEnable::Rule)->setShortcut(dm.actFileClose.ShortCut());
    AddControl(file, "miFileCloseAll", "Close All Fi&les", &actFileCloseAll, TEnable::Rule)
        ->setShortcut(actFileCloseAll.ShortCut());
    file->addSeparator();
    // Ctrl+P as every desktop program has it; an editor whose keystrokes claim it keeps it (the document window).
    AddControl(file, "miFilePrint", "&Print", &dm.actFilePrint, TEnable::TextState)->setShortcut(ZefPrintShortcut());
    file->addSeparator();
    AddControl(file, "miFileExit", "E&xit", &actFileExit, TEnable::Rule)->setShortcut(actFileExit.ShortCut());

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    struct TEditItem {
        const char* name;
        const char* caption;
        TZefCommand* command;
    };
    for (const TEditItem& item : {TEditItem{"miEditUndo", "&Undo", &dm.actEditUndo},
                                  TEditItem{"miEditRedo", "&Redo", &dm.actEditRedo},
                                  TEditItem{nullptr, nullptr, nullptr},
                                  TEditItem{"miEditCut", "Cu&t", &dm.actEditCut},
                                  TEditItem{"miEditCopy", "&Copy", &dm.actEditCopy},
                                  TEditItem{"miEditPaste", "&Paste", &dm.actEditPaste},
                                  TEditItem{"miEditDelete", "De&lete", &dm.actEditDelete}}) {
        if (!item.name) {
            edit->addSeparator();
            continue;
        }
        AddControl(edit, item.name, item.caption, item.command, TEnable::TextStateAndRule)
            ->setShortcut(item.command->ShortCut());
    }
    AddControl(edit, "miEditSelectAll", "Select &All", &dm.actEditSelectAll, TEnable::TextState)
        ->setShortcut(dm.actEditSelectAll.ShortCut());
    edit->addSeparator();
    AddControl(edit, "miEditFind", "&Find", &dm.actSearchFind, TEnable::TextState)
        ->setShortcut(dm.actSearchFind.ShortCut());
    AddControl(edit, "miEditFindNext", "Find &Next", &dm.actSearchFindNext, TEnable::Rule)
        ->setShortcut(dm.actSearchFindNext.ShortCut());
    AddControl(edit, "miEditFindPrev", "Find Pre&vious", &dm.actSearchFindPrev, TEnable::TextStateAndRule)
        ->setShortcut(dm.actSearchFindPrev.ShortCut());
    AddControl(edit, "miEditReplace", "Repl&ace", &dm.actSearchReplace, TEnable::TextState)
        ->setShortcut(dm.actSearchReplace.ShortCut());
    edit->addSeparator();
    // Tidy and Export To are shown for completeness; their items do nothing.
    QMenu* tidy = edit->addMenu(QStringLiteral("Tidy"));
    tidy->menuAction()->setObjectName("miEditTidy");
    tidy->addAction(QStringLiteral("HTML"));
    QMenu* exportTo = edit->addMenu(QStringLiteral("Export To"));
    exportTo->menuAction()->setObjectName("miEditExport");
    exportTo->addAction(QStringLiteral("Rich Text Format"));
    exportTo->addAction(QStringLiteral("HTML"));
    controls_.push_back({tidy->menuAction(), nullptr, TEnable::Fixed});
    controls_.push_back({exportTo->menuAction(), nullptr, TEnable::Fixed});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* statusItem = AddControl(view, "miViewStatusbar", "&Status Bar", &actViewStatusbar, TEnable::Rule);
    statusItem->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this, statusItem] { statusItem->setChecked(!statusBar()->isHidden()); });

    QMenu* settingsMenu = menuBar()->addMenu(QStringLiteral("Settings"));
    QMenu* background = settingsMenu->addMenu(QStringLiteral("&Background Color"));
    background->menuAction()->setObjectName("miBackgroundColor");
    controls_.push_back({background->menuAction(), nullptr, TEnable::TextState});
    handler(AddControl(background, "miBackWhite", "&White", nullptr, TEnable::Fixed), [this] { Background(false); });
    handler(AddControl(background, "miBackCream", "&Cream", nullptr, TEnable::Fixed), [this] { Background(true); });
    handler(AddControl(settingsMenu, "miSettingsFont", "&Font", nullptr, TEnable::TextState),
            [this] { SettingsFont(); });
    highlighterMenu_ = settingsMenu->addMenu(QStringLiteral("&Highlighter"));
    highlighterMenu_->menuAction()->setObjectName("miHighlighter");
    controls_.push_back({highlighterMenu_->menuAction(), nullptr, TEnable::TextState});
    QAction* activeLine =
        AddControl(settingsMenu, "miActiveLineColor", "Active Line Color", nullptr, TEnable::TextState);
    activeLine->setCheckable(true);
    activeLine->setChecked(true);
    handler(activeLine, [this] { ActiveLineColor(); });
    settingsMenu->addSeparator();
    QAction* zeroStart = AddControl(settingsMenu, "miZeroStart", "&Zero Start", nullptr, TEnable::TextState);
    zeroStart->setCheckable(true);
    handler(zeroStart, [this] { ZeroStart(); });
    QMenu* formatText = settingsMenu->addMenu(QStringLiteral("Format &Text"));
    formatText->menuAction()->setObjectName("miFormatText");
    controls_.push_back({formatText->menuAction(), nullptr, TEnable::TextState});
    handler(AddControl(formatText, "miFormatGeneral", "&General", nullptr, TEnable::Fixed),
            [this] { FormatGeneral(); });
    handler(AddControl(formatText, "miFormatGeneralPlus", "G&eneral +", nullptr, TEnable::Fixed),
            [this] { FormatGeneralPlus(); });
    settingsMenu->addSeparator();
    handler(AddControl(settingsMenu, "miRightEdge", "&Right Edge", nullptr, TEnable::TextState),
            [this] { RightEdge(); });
    QAction* customize =
        AddControl(settingsMenu, "miCustomizeHighlighter", "Customize Highlighter", nullptr, TEnable::Fixed);
    customize->setEnabled(false);
    settingsMenu->addSeparator();
    QAction* sound = AddControl(settingsMenu, "miPlaySound", "Play Sound For Save Buttons", nullptr, TEnable::Fixed);
    sound->setCheckable(true);
    handler(sound, [this] { SoundForSave(); });

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName("miWindow");
    const char* arrangeNames[] = {"miWindowCascade", "miWindowTile", "miWindowTileVertical", "miWindowArrange"};
    const char* arrangeCaptions[] = {"&Cascade", "&Tile", "Tile &Vertically", "&Arrange Icons"};
    for (int how = 0; how < 4; ++how)
        handler(AddControl(window, arrangeNames[how], arrangeCaptions[how], nullptr, TEnable::Fixed),
                [this, how] { ArrangeWindows(how); });
    // The window list below the window commands, rebuilt each time the menu opens.
    auto* windowList = new QActionGroup(window);
    connect(window, &QMenu::aboutToShow, this, [this, window, windowList] {
        for (QAction* old : windowList->actions())
            delete old;
        const bool anyWindow = !mdiArea_->subWindowList().isEmpty();
        for (int i = 0; i < 4; ++i)
            window->actions().at(i)->setEnabled(anyWindow);
        if (anyWindow)
            windowList->addAction(window->addSeparator());
        int number = 1;
        for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
            QAction* item = window->addAction(QStringLiteral("&%1 %2").arg(number++).arg(child->windowTitle()));
            item->setCheckable(true);
            item->setChecked(child == mdiArea_->activeSubWindow());
            windowList->addAction(item);
            connect(item, &QAction::triggered, this, [this, child] { mdiArea_->setActiveSubWindow(child); });
        }
    });

    QMenu* about = menuBar()->addMenu(QStringLiteral("About"));
    about->setObjectName("miAbout");
    handler(AddControl(about, "miHelpContents", "Text Editor &Help", nullptr, TEnable::Fixed), [this] { Help(); });
    handler(AddControl(about, "miHelpAbout", "&About", nullptr, TEnable::Fixed), [this] { About(); });
}

void TMainForm::BuildToolBar()
{
    auto& dm = *commands_;
    QToolBar* bar = addToolBar(QStringLiteral("Tool bar"));
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFixedHeight(29);
    bar->setIconSize(QSize(16, 16));
    auto handler = [this](QAction* action, auto function) {
        connect(action, &QAction::triggered, this, [this, function] {
            function();
            IdleUpdate();
        });
    };
    AddControl(bar, "sbNew", "New", &actFileNew, TEnable::Rule)->setIcon(ToolIcon("document-new", "new"));
    AddControl(bar, "sbOpen", "Open", &actFileOpen, TEnable::Rule)->setIcon(ToolIcon("document-open", "open"));
    QAction* save = AddControl(bar, "sbSave", "Save", nullptr, TEnable::TextState);
    save->setIcon(ToolIcon("document-save", "save"));
    handler(save, [this] { Save(); });
    QAction* saveAll = AddControl(bar, "sbSaveAll", "Save All", nullptr, TEnable::TextState);
    saveAll->setIcon(ToolIcon("document-save-all", "saveall"));
    handler(saveAll, [this] { SaveAll(); });
    QAction* print = AddControl(bar, "sbPrint", "Print", nullptr, TEnable::TextState);
    print->setIcon(ToolIcon("document-print", "print"));
    handler(print, [&dm] { dm.actFilePrint.Execute(); });
    QAction* closeButton = AddControl(bar, "sbClose", "Close", nullptr, TEnable::TextState);
    closeButton->setIcon(ToolIcon("window-close", "close"));
    handler(closeButton, [&dm] { dm.actFileClose.Execute(); });
    bar->addSeparator();
    AddControl(bar, "sbUndo", "Undo", &dm.actEditUndo, TEnable::Rule)->setIcon(ToolIcon("edit-undo", "undo"));
    AddControl(bar, "sbRedo", "Redo", &dm.actEditRedo, TEnable::Rule)->setIcon(ToolIcon("edit-redo", "redo"));
    bar->addSeparator();
    QAction* lines = AddControl(bar, "sbGutterUpDown", "Lines number", nullptr, TEnable::TextState);
    lines->setCheckable(true);
    lines->setIcon(QIcon(QStringLiteral(":/icons/linenumbers.png")));
    handler(lines, [this] { LineNumbers(); });
    QAction* font = AddControl(bar, "sbFont", "Font", nullptr, TEnable::TextState);
    font->setIcon(ToolIcon("preferences-desktop-font", "font"));
    handler(font, [this] { FontButton(); });
    bar->addSeparator();
    // Find and Replace call their handlers directly; Find Previous and Find Next go through their commands.
    QAction* find = AddControl(bar, "sbFind", "Find", nullptr, TEnable::TextState);
    find->setIcon(ToolIcon("edit-find", "find"));
    handler(find, [&dm] { dm.actSearchFind.Execute(); });
    QAction* replace = AddControl(bar, "sbReplace", "Replace", nullptr, TEnable::TextState);
    replace->setIcon(ToolIcon("edit-find-replace", "replace"));
    handler(replace, [&dm] { dm.actSearchReplace.Execute(); });
    AddControl(bar, "sbFindPrev", "Find Previous", &dm.actSearchFindPrev, TEnable::TextState)
        ->setIcon(ToolIcon("go-previous", "findprev"));
    AddControl(bar, "sbFindNext", "Find Next", &dm.actSearchFindNext, TEnable::TextState)
        ->setIcon(ToolIcon("go-next", "findnext"));
    QAction* goTo = AddControl(bar, "sbGoTo", "Go to", nullptr, TEnable::TextState);
    goTo->setIcon(ToolIcon("go-jump", "goto"));
    handler(goTo, [this] { GoToLine(); });
    bar->addSeparator();
    fontBox_ = new QLineEdit(bar);
    fontBox_->setObjectName("edFontName");
    fontBox_->setReadOnly(true);
    fontBox_->setFixedWidth(Scaled(this, 124));
    fontBox_->setFont(QFont(QStringLiteral("Times New Roman")));
    bar->addWidget(fontBox_);
    QAction* formatButton = AddControl(bar, "sbFormatText", "Format text with general style", nullptr, TEnable::TextState);
    formatButton->setIcon(QIcon(QStringLiteral(":/icons/format.png")));
    handler(formatButton, [this] { FormatGeneral(); });
    QAction* smaller = AddControl(bar, "sbFontSizeDown", "Smaller font", nullptr, TEnable::TextState);
    smaller->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    handler(smaller, [this] { StepFontSize(-1); });
    QAction* larger = AddControl(bar, "sbFontSizeUp", "Larger font", nullptr, TEnable::TextState);
    larger->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    handler(larger, [this] { StepFontSize(+1); });
    markNumberList_ = new QComboBox(bar);
    markNumberList_->setObjectName("cbMarkNumber");
    markNumberList_->setToolTip(QStringLiteral("Mark number"));
    markNumberList_->setFixedWidth(Scaled(this, 67));
    markNumberList_->setEnabled(false);
    bar->addWidget(markNumberList_);
}

void TMainForm::BuildTabStrip()
{
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabBand_ = new QWidget(client);
    tabBand_->setObjectName("pnlTabs");
    tabBand_->setFixedHeight(28);
    auto* bandLayout = new QVBoxLayout(tabBand_);
    bandLayout->setContentsMargins(0, 0, 0, 0);
    tabStrip_ = new QTabBar(tabBand_);
    tabStrip_->setObjectName("PageControl1");
    tabStrip_->setExpanding(false);
    tabStrip_->setDocumentMode(true);
    bandLayout->addWidget(tabStrip_);
    tabBand_->hide();
    connect(tabStrip_, &QTabBar::currentChanged, this, [this](int index) { OnShow_TabSheet(index); });
    // A click on the tab already selected changes nothing, yet its document may be minimised or behind another.
    connect(tabStrip_, &QTabBar::tabBarClicked, this, [this](int index) { OnShow_TabSheet(index); });
    mdiArea_ = new QMdiArea(client);
    mdiArea_->setObjectName("ClientArea");
    layout->addWidget(tabBand_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(client);
}

void TMainForm::BuildStatusBar()
{
    const int widths[] = {84, 72, 84, 0};
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i] > 0) {
            // At least the usual width, wider when the text needs it (the caret in line 35 000 000).
            panel->setMinimumWidth(Scaled(this, widths[i]));
            panel->setAlignment(Qt::AlignCenter);
            statusBar()->addWidget(panel);
        } else {
            statusBar()->addWidget(panel, 1);
        }
        statusPanels_[i] = panel;
    }
    TZefLongWork::SetHost(statusBar());
}

QAction* TMainForm::Control(const QString& objectName) const
{
    for (const TControl& control : controls_)
        if (control.action->objectName() == objectName)
            return control.action;
    return nullptr;
}

bool TMainForm::Click(const QString& objectName)
{
    ApplyEnableRules();
    QAction* action = Control(objectName);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void TMainForm::ShowFontName(const QString& text)
{
    if (fontBox_->text() == text)
        return;
    fontBox_->setText(text);
    // A name wider than the box shows its start; the whole text is in the tool tip.
    fontBox_->setCursorPosition(0);
    fontBox_->setToolTip(text);
}

QString TMainForm::DocumentCaption(IEditor& editor)
{
    const QString fileName = editor.GetFileName();
    return fileName.isEmpty() ? editor.GetTitle() : ZefDisplayPath(fileName);
}

int TMainForm::AddDocumentTab(const std::shared_ptr<IEditor>& editor, const QString& caption)
{
    const int tab = tabStrip_->addTab(caption);
    tabDocuments_.insert(tabDocuments_.begin() + tab, editor);
    return tab;
}

void TMainForm::RemoveTab(int tab)
{
    if (tab < 0 || tab >= tabStrip_->count())
        return;
    tabDocuments_.erase(tabDocuments_.begin() + tab);
    tabStrip_->removeTab(tab);
}

std::shared_ptr<IEditor> TMainForm::TabDocument(int tab) const
{
    if (tab < 0 || tab >= static_cast<int>(tabDocuments_.size()))
        return nullptr;
    std::shared_ptr<IEditor> editor = tabDocuments_[static_cast<size_t>(tab)].lock();
    // A document whose window is gone has left the factory's list; its tab is stale.
    if (!editor || !EditorFactory)
        return nullptr;
    for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
        if (EditorFactory->GetEditor(i) == editor)
            return editor;
    return nullptr;
}

int TMainForm::TabOf(const IEditor* editor) const
{
    for (size_t tab = 0; tab < tabDocuments_.size(); ++tab)
        if (editor && tabDocuments_[tab].lock().get() == editor)
            return static_cast<int>(tab);
    return -1;
}

std::shared_ptr<IEditor> TMainForm::CreateDocument(const QString&)
{
    return nullptr;
}

void TMainForm::OpenDocument(const QString& path)
{
    const QString fullPath = ZefAbsolutePath(path);
    if (!fullPath.isEmpty() && EditorFactory) {
        commands_->RecentFiles().RemoveRecentFile(fullPath);
        // The same file is one document, however it is named (through links); names that differ only in
        // letter case are different files.
        for (int i = EditorFactory->GetEditorCount() - 1; i >= 0; --i) {
            std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i);
            if (editor && ZefSameFile(editor->GetFileName(), fullPath)) {
                editor->Activate();
                return;
            }
        }
    }
    std::shared_ptr<IEditor> editor = CreateDocument(fullPath);
    if (!editor)
        return;
    try {
        editor->LoadFile(fullPath);
    } catch (const EZefWorkCancelled&) {
        // Stopped by the user: the document goes without a word.
        RemoveTab(TabOf(editor.get()));
        editor->Close();
        return;
    } catch (const std::exception& error) {
        // No half-open document stays behind: its tab and window go before the report.
        RemoveTab(TabOf(editor.get()));
        editor->Close();
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        const QString text = ZefLoadErrorText(error, fullPath);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle),
                              ZefIsOutOfMemory(error) ? text : QStringLiteral("Error Message : ") + text);
        return;
    }
    Set_Status_Of_New_EditorForm();
}

void TMainForm::Set_Status_Of_New_EditorForm()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor || IsRtfName(editor->GetFileName()))
        return;
    if (state_.gutterDown)
        editor->ShowLineNumbers(true);
    editor->SetCreamBackground(state_.cream);
    if (!state_.fontName.isEmpty() && state_.fontSize > 0) {
        editor->ChangeFont(false, state_.fontName, state_.fontSize);
        ShowFontName(state_.fontName + QStringLiteral(" - ") + QString::number(state_.fontSize));
    }
    editor->SetZeroStart(Control("miZeroStart")->isChecked());
    editor->SetActiveLineColor(Control("miActiveLineColor")->isChecked() ? ActiveLineColorOn : clNone);
    editor->SetRightEdge(state_.rightEdge);
    editor->SetMaxLineLength(state_.maxLineLength);
    Set_Highlight_For_Different_FileFormat();
}

void TMainForm::OnShow_TabSheet(int index)
{
    if (index < 0 || updatingTabs_)
        return;
    if (std::shared_ptr<IEditor> editor = TabDocument(index))
        editor->Activate();
}

void TMainForm::Remove_TabSheets_After_ClosedFiles()
{
    // Each tab belongs to one document: a tab whose document has closed goes, and the others follow their
    // document's name (a Save As renames its own tab and no other).
    for (int tab = tabStrip_->count() - 1; tab >= 0; --tab) {
        const std::shared_ptr<IEditor> editor = TabDocument(tab);
        if (!editor) {
            RemoveTab(tab);
            continue;
        }
        const QString caption = DocumentCaption(*editor);
        if (tabStrip_->tabText(tab) != caption)
            tabStrip_->setTabText(tab, caption);
    }
    if (tabStrip_->count() == 0)
        tabBand_->hide();
}

void TMainForm::Show_Active_TabSheet_ToFront()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor)
        return;
    const int tab = TabOf(editor.get());
    if (tab >= 0 && tab != tabStrip_->currentIndex())
        tabStrip_->setCurrentIndex(tab);
}

void TMainForm::IdleUpdate()
{
    Remove_TabSheets_After_ClosedFiles();
    std::shared_ptr<IEditor> editor = ActiveEditor;
    const bool rtf = editor && IsRtfName(editor->GetFileName());
    if (editor && !editor->GetModeText().isEmpty() && !rtf) {
        const QFont font = editor->GetFont();
        ShowFontName(font.family() + QStringLiteral(" - ") + QString::number(font.pointSize()));
        displayState_ = TMainDisplayState::mdsTextDocument;
        const TBufferCoord caret = editor->GetCaretPos();
        statusPanels_[0]->setText(caret.Line < 1 || caret.Char < 1
                                      ? QString()
                                      : QString::asprintf(" %6d:%3d ", caret.Line, caret.Char));
        statusPanels_[1]->setText(editor->IsModified() ? QStringLiteral("Modified") : QString());
        statusPanels_[2]->setText(editor->GetModeText());
        Show_Active_TabSheet_ToFront();
    } else {
        for (QLabel* panel : statusPanels_)
            panel->clear();
        displayState_ = rtf ? TMainDisplayState::mdsRtfDocument : TMainDisplayState::mdsNoDocument;
        tidyExportDisabled_ = true;
    }
    if (rtf)
        Show_Active_TabSheet_ToFront();
    ApplyEnableRules();
}

void TMainForm::ApplyEnableRules()
{
    const bool text = displayState_ == TMainDisplayState::mdsTextDocument;
    for (const TControl& control : controls_) {
        const bool rule = !control.command || control.command->Enabled();
        switch (control.enable) {
        case TEnable::Rule:
            control.action->setEnabled(rule);
            break;
        case TEnable::TextState:
            control.action->setEnabled(text);
            break;
        case TEnable::TextStateAndRule:
            control.action->setEnabled(text && rule);
            break;
        case TEnable::Fixed:
            break;
        }
    }
    if (tidyExportDisabled_) {
        Control("miEditTidy")->setEnabled(false);
        Control("miEditExport")->setEnabled(false);
    }
}

void TMainForm::CloseAll()
{
    if (!EditorFactory)
        return;
    for (int i = EditorFactory->GetEditorCount() - 1; i >= 0; --i)
        if (i < EditorFactory->GetEditorCount())
            if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                editor->Close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Every document may refuse; only when none does does anything close.
    if (EditorFactory && !EditorFactory->QueryCloseAll()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TMainForm::Open()
{
    TZefFileDialog dialog;
    dialog.folder = ReadLastOpenedDir();
    dialog.filter = commands_->OpenFilter();
    dialog.filterIndex = 1;
    const std::optional<TZefFileChoice> choice = ZefDesktop().OpenFileDialog(dialog);
    if (!choice || choice->files.isEmpty())
        return;
    const QString file = choice->files.first();
    if (ZefPathLostBytes(file)) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle),
                              QStringLiteral("\"") + file +
                                  QStringLiteral("\" cannot be opened from this dialog: a name in this path is not "
                                                 "valid UTF-8. Open it from the command line or the recent files."));
        return;
    }
    if (!ZefFileExists(file)) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QStringLiteral("File not found. \"") + file +
                                                                    QStringLiteral("\""));
        return;
    }
    OpenDocument(file);
    StoreLastOpenedDir(ZefAbsolutePath(file));
}

void TMainForm::SetDocumentTabCaption(IEditor& editor)
{
    const int tab = TabOf(&editor);
    if (tab >= 0)
        tabStrip_->setTabText(tab, DocumentCaption(editor));
}

void TMainForm::PlaySaveSound()
{
    ZefDesktop().PlaySoundAsync(ZefDataFilePath(AppDir, QStringLiteral("saved.wav")));
}

void TMainForm::Save()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    std::shared_ptr<IFileCommands> fileCommands = ActiveFileCommands;
    if (!editor || !fileCommands)
        return;
    const bool untitled = editor->GetFileName().isEmpty();
    fileCommands->ExecSave();
    if (Control("miPlaySound")->isChecked())
        PlaySaveSound();
    if (untitled)
        SetDocumentTabCaption(*editor);
}

void TMainForm::SaveAs()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    std::shared_ptr<IFileCommands> fileCommands = ActiveFileCommands;
    if (!fileCommands)
        return;
    fileCommands->ExecSaveAs();
    if (editor)
        SetDocumentTabCaption(*editor);
}

void TMainForm::SaveAll()
{
    if (!EditorFactory)
        return;
    for (int i = 0; i < EditorFactory->GetEditorCount(); ++i) {
        std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i);
        if (!editor)
            continue;
        editor->Save();
        if (Control("miPlaySound")->isChecked())
            PlaySaveSound();
        SetDocumentTabCaption(*editor);
    }
}

void TMainForm::LineNumbers()
{
    state_.gutterDown = Control("sbGutterUpDown")->isChecked();
    if (EditorFactory)
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
            if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                editor->ShowLineNumbers(state_.gutterDown);
    StoreGutterButton(state_.gutterDown);
}

void TMainForm::FontButton()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        return;
    }
    if (const std::optional<QFont> font = editor->ChangeFont(true, QString(), 0))
        ShowFontName(font->family() + QStringLiteral(" - ") + QString::number(font->pointSize()));
}

void TMainForm::SettingsFont()
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor) {
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        return;
    }
    const std::optional<QFont> font = editor->ChangeFont(true, QString(), 0);
    if (!font)
        return;
    ShowFontName(font->family() + QStringLiteral(" - ") + QString::number(font->pointSize()));
    state_.fontName = font->family();
    state_.fontSize = static_cast<int8_t>(font->pointSize());
    StoreFont(state_.fontName, font->pointSize());
}

void TMainForm::Background(bool cream)
{
    state_.cream = cream;
    if (EditorFactory)
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
            if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                editor->SetCreamBackground(cream);
    StoreBackground(cream);
}

void TMainForm::ActiveLineColor()
{
    const bool checked = Control("miActiveLineColor")->isChecked();
    if (EditorFactory)
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
            if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                editor->SetActiveLineColor(checked ? ActiveLineColorOn : clNone);
    StoreActiveLineColor(checked);
}

void TMainForm::ZeroStart()
{
    const bool checked = Control("miZeroStart")->isChecked();
    if (EditorFactory)
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i)
            if (std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i))
                editor->SetZeroStart(checked);
    if (std::shared_ptr<IEditor> editor = ActiveEditor)
        editor->RefreshMarkList();
    StoreZeroStart(checked);
}

void TMainForm::SoundForSave()
{
    StoreSoundSaved(Control("miPlaySound")->isChecked());
}

void TMainForm::StepFontSize(int step)
{
    if (std::shared_ptr<IEditor> editor = ActiveEditor)
        editor->StepFontSize(step);
}

void TMainForm::ArrangeWindows(int how)
{
    switch (how) {
    case 0:
        mdiArea_->cascadeSubWindows();
        break;
    case 1:
    case 2: {
        // Horizontal tiling stacks the windows one above the other; vertical tiling puts them side by side.
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* window : mdiArea_->subWindowList())
            if (!window->isMinimized())
                windows << window;
        if (windows.isEmpty())
            break;
        const QRect area = mdiArea_->viewport()->rect();
        const int n = static_cast<int>(windows.size());
        for (int i = 0; i < n; ++i) {
            windows[i]->showNormal();
            if (how == 1)
                windows[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
            else
                windows[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
        }
        break;
    }
    default:
        // Minimised windows are laid out by the area itself; there is nothing more to arrange.
        break;
    }
}

void TMainForm::RecentFilesShown()
{
    for (int k = 0; k < MaxRecentFiles; ++k) {
        const QString path = commands_->RecentFiles().RecentFile(k);
        QAction* item = recentItems_[static_cast<size_t>(k)];
        item->setText(ZefDisplayPath(path));
        item->setVisible(!path.isEmpty());
    }
}

void TMainForm::RecentFileChosen(int index)
{
    const QString path = commands_->RecentFiles().RecentFile(index);
    if (!path.isEmpty() && ZefFileExists(path)) {
        OpenDocument(path);
        return;
    }
    ZefDesktop().Beep(TZefBeepKind::bkDefault);
    ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QStringLiteral("File not found."));
    commands_->RecentFiles().RemoveRecentFile(path);
}

void TMainForm::LoadWindowSettings()
{
    TZefWindowSettings window;
    LoadIniSettings(iniPath_, window, commands_->RecentFiles());
    if (window.Width > 0 && window.Height > 0) {
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const QRect available = screen ? screen->availableGeometry() : QRect();
        if (const std::optional<QRect> bounds =
                ZefFitWindowBounds(window.Left, window.Top, window.Width, window.Height, available))
            setGeometry(*bounds);
    }
    if (window.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    statusBar()->setVisible(window.ShowStatusbar);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!frameChecked_) {
        frameChecked_ = true;
        KeepFrameOnScreen();
    }
}

void TMainForm::KeepFrameOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen || isMaximized() || isFullScreen())
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = frameGeometry();
    if (available.contains(frame))
        return;
    const QRect client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    if (const std::optional<QRect> fitted =
            ZefFitWindowBounds(frame.x(), frame.y(), frame.width(), frame.height(), available))
        setGeometry(fitted->marginsRemoved(margins));
}

void TMainForm::SaveWindowSettings()
{
    TZefWindowSettings window;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    window.Left = normal.left();
    window.Top = normal.top();
    window.Width = normal.width();
    window.Height = normal.height();
    window.Maximized = isMaximized();
    window.ShowStatusbar = !statusBar()->isHidden();
    SaveIniSettings(iniPath_, window, commands_->RecentFiles());
}

void TMainForm::Restore_Status_Of_This_Form()
{
    TZefMainSettings stored;
    stored.ActiveLineColor = Control("miActiveLineColor")->isChecked();
    ReadMainSettings(stored);
    state_.gutterDown = stored.GutterButtonDown;
    Control("sbGutterUpDown")->setChecked(stored.GutterButtonDown);
    state_.cream = stored.Cream;
    state_.fontName = stored.FontName;
    state_.fontSize = stored.FontSize;
    Control("miZeroStart")->setChecked(stored.ZeroStart);
    state_.rightEdge = stored.RightEdge;
    state_.maxLineLength = stored.MaxStrOnLine;
    Control("miPlaySound")->setChecked(stored.SoundSaved);
    Control("miActiveLineColor")->setChecked(stored.ActiveLineColor);
}
