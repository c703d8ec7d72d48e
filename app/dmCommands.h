// Command objects shared by the main window and the documents' popup menus, with the recent-file list and
// the untitled numbers they share.
#pragma once

#include "RecentFiles.h"
#include "dmHighlighters.h"
#include "UntitledNumbers.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;

// One user command: an execute handler and an enable rule. Controls bound to it (menu items, buttons,
// shortcuts) go through Invoke, which checks the rule again at the moment of use, so a control that the idle
// update left enabled still cannot run a command whose rule no longer holds.
class TZefCommand {
public:
    using TExecute = std::function<void()>;
    using TUpdate = std::function<bool()>;

    TZefCommand(QString name, QString category, QKeySequence shortcut, TExecute execute, TUpdate update);

    const QString& Name() const { return name_; }
    const QString& Category() const { return category_; }
    const QKeySequence& ShortCut() const { return shortcut_; }
    // The enable rule; a command without one is always enabled.
    bool Enabled() const { return !update_ || update_(); }
    // Runs the execute handler when the rule holds; answers whether it ran.
    bool Invoke();
    // Runs the execute handler without consulting the rule (buttons that call the handler directly).
    void Execute();

private:
    QString name_;
    QString category_;
    QKeySequence shortcut_;
    TExecute execute_;
    TUpdate update_;
};

// The shared commands on the active document, the recent-file list and the untitled numbers. Owned by the
// main window; registers its list and numbers with the documents for its lifetime.
class TCommandsDataModule {
public:
    TCommandsDataModule();
    ~TCommandsDataModule();
    TCommandsDataModule(const TCommandsDataModule&) = delete;
    TCommandsDataModule& operator=(const TCommandsDataModule&) = delete;

    TRecentFiles& RecentFiles() { return recentFiles_; }
    TUntitledNumbers& UntitledNumbers() { return untitledNumbers_; }

    // The filter of the open dialog: all files, text, every highlighter's filter, then the rich-text format.
    const QString& OpenFilter() const { return openFilter_; }
    // One instance of every highlighter and the highlighter list.
    TZefHighlighterSet& Highlighters() { return highlighters_; }

    TZefCommand actFileSave;
    TZefCommand actFileSaveAs;
    TZefCommand actFileClose;
    TZefCommand actFilePrint;
    TZefCommand actEditCut;
    TZefCommand actEditCopy;
    TZefCommand actEditPaste;
    TZefCommand actEditDelete;
    TZefCommand actEditUndo;
    TZefCommand actEditRedo;
    TZefCommand actEditSelectAll;
    TZefCommand actSearchFind;
    TZefCommand actSearchFindNext;
    TZefCommand actSearchFindPrev;
    TZefCommand actSearchReplace;

    // Every command above, for lookup by name and for tests.
    std::vector<TZefCommand*> Commands();

private:
    TRecentFiles recentFiles_;
    TUntitledNumbers untitledNumbers_;
    TZefHighlighterSet highlighters_;
    QString openFilter_;
};

// The one command module of the running program (null before the main window exists and after it is gone).
extern TCommandsDataModule* CommandsDataModule;
