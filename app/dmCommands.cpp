// The shared command objects and the state the command module holds for the whole run.
#include "dmCommands.h"

#include "uEditAppIntfs.h"

#include <utility>

TCommandsDataModule* CommandsDataModule = nullptr;

TZefCommand::TZefCommand(QString name, QString category, QKeySequence shortcut, TExecute execute,
                         TUpdate update)
    : name_(std::move(name)), category_(std::move(category)), shortcut_(std::move(shortcut)),
      execute_(std::move(execute)), update_(std::move(update))
{
}

bool TZefCommand::Invoke()
{
    if (!Enabled())
        return false;
    Execute();
    return true;
}

void TZefCommand::Execute()
{
    if (execute_)
        execute_();
}

namespace {

// Handlers on the active document: each does nothing, or answers false, while its reference is none.
template <typename TInterface>
TZefCommand::TExecute On(std::shared_ptr<TInterface>& target, void (TInterface::*operation)())
{
    return [&target, operation] {
        if (auto held = target)
            ((*held).*operation)();
    };
}

template <typename TInterface>
TZefCommand::TExecute On(std::shared_ptr<TInterface>& target, bool (TInterface::*operation)())
{
    return [&target, operation] {
        if (auto held = target)
            ((*held).*operation)();
    };
}

template <typename TInterface>
TZefCommand::TUpdate When(std::shared_ptr<TInterface>& target, bool (TInterface::*rule)() const)
{
    return [&target, rule] {
        auto held = target;
        return held && ((*held).*rule)();
    };
}

} // namespace

TCommandsDataModule::TCommandsDataModule()
    : actFileSave("actFileSave", "File", QKeySequence(Qt::CTRL | Qt::Key_S),
                  On(ActiveFileCommands, &IFileCommands::ExecSave),
                  When(ActiveFileCommands, &IFileCommands::CanSave)),
      actFileSaveAs("actFileSaveAs", "File", QKeySequence(), On(ActiveFileCommands, &IFileCommands::ExecSaveAs),
                    When(ActiveFileCommands, &IFileCommands::CanSaveAs)),
      actFileClose("actFileClose", "File", QKeySequence(Qt::CTRL | Qt::Key_F4),
                   On(ActiveFileCommands, &IFileCommands::ExecClose),
                   When(ActiveFileCommands, &IFileCommands::CanClose)),
      actFilePrint("actFilePrint", "File", QKeySequence(),
                   [] {
                       if (auto held = ActiveFileCommands)
                           held->ExecPrint(false);
                   },
                   When(ActiveFileCommands, &IFileCommands::CanPrint)),
      actEditCut("actEditCut", "Edit", QKeySequence(Qt::CTRL | Qt::Key_X),
                 On(ActiveEditCommands, &IEditCommands::ExecCut), When(ActiveEditCommands, &IEditCommands::CanCut)),
      actEditCopy("actEditCopy", "Edit", QKeySequence(Qt::CTRL | Qt::Key_C),
                  On(ActiveEditCommands, &IEditCommands::ExecCopy), When(ActiveEditCommands, &IEditCommands::CanCopy)),
      actEditPaste("actEditPaste", "Edit", QKeySequence(Qt::CTRL | Qt::Key_V),
                   On(ActiveEditCommands, &IEditCommands::ExecPaste),
                   When(ActiveEditCommands, &IEditCommands::CanPaste)),
      actEditDelete("actEditDelete", "Edit", QKeySequence(), On(ActiveEditCommands, &IEditCommands::ExecDelete),
                    When(ActiveEditCommands, &IEditCommands::CanDelete)),
      actEditUndo("actEditUndo", "Edit", QKeySequence(Qt::CTRL | Qt::Key_Z),
                  On(ActiveEditCommands, &IEditCommands::ExecUndo), When(ActiveEditCommands, &IEditCommands::CanUndo)),
      actEditRedo("actEditRedo", "Edit", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Z),
                  On(ActiveEditCommands, &IEditCommands::ExecRedo), When(ActiveEditCommands, &IEditCommands::CanRedo)),
      actEditSelectAll("actEditSelectAll", "Edit", QKeySequence(Qt::CTRL | Qt::Key_A),
                       On(ActiveEditCommands, &IEditCommands::ExecSelectAll),
                       When(ActiveEditCommands, &IEditCommands::CanSelectAll)),
      actSearchFind("actSearchFind", "Search", QKeySequence(Qt::CTRL | Qt::Key_F),
                    [] {
                        if (auto target = ActiveSearchCommands)
                            target->ExecFind(true);
                    },
                    When(ActiveSearchCommands, &ISearchCommands::CanFind)),
      actSearchFindNext("actSearchFindNext", "Search", QKeySequence(Qt::Key_F3),
                        On(ActiveSearchCommands, &ISearchCommands::ExecFindNext),
                        When(ActiveSearchCommands, &ISearchCommands::CanFindNext)),
      actSearchFindPrev("actSearchFindPrev", "Search", QKeySequence(Qt::SHIFT | Qt::Key_F3),
                        On(ActiveSearchCommands, &ISearchCommands::ExecFindPrev),
                        When(ActiveSearchCommands, &ISearchCommands::CanFindPrev)),
      actSearchReplace("actSearchReplace", "Search", QKeySequence(Qt::CTRL | Qt::Key_H),
                       [] {
                           if (auto target = ActiveSearchCommands)
                               target->ExecReplace(true);
                       },
                       When(ActiveSearchCommands, &ISearchCommands::CanReplace)),
      openFilter_(highlighters_.DialogFilter() + QStringLiteral("Rich Text Format(*.rtf)|*.rtf"))
{
    EditorServices.RecentFiles = &recentFiles_;
    EditorServices.UntitledNumbers = &untitledNumbers_;
    CommandsDataModule = this;
}

TCommandsDataModule::~TCommandsDataModule()
{
    if (EditorServices.RecentFiles == &recentFiles_)
        EditorServices.RecentFiles = nullptr;
    if (EditorServices.UntitledNumbers == &untitledNumbers_)
        EditorServices.UntitledNumbers = nullptr;
    if (CommandsDataModule == this)
        CommandsDataModule = nullptr;
}

std::vector<TZefCommand*> TCommandsDataModule::Commands()
{
    return {&actFileSave, &actFileSaveAs, &actFileClose, &actFilePrint, &actEditCut,  &actEditCopy,
            &actEditPaste, &actEditDelete, &actEditUndo, &actEditRedo, &actEditSelectAll,
            &actSearchFind, &actSearchFindNext, &actSearchFindPrev, &actSearchReplace};
}
