// Shared set-up of the main-window tests: the real main window offscreen with its settings in a temporary
// folder, a scripted desktop and a fresh document factory.
#pragma once

#include "TEditor.h"
#include "TEditorFactory.h"
#include "ZefAppSettings.h"
#include "ZefEdit.h"
#include "ZefQtSettingsStore.h"
#include "ZefScriptedDesktop.h"
#include "frmEditor.h"
#include "frmMainMDI.h"
#include "startup.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

class TMainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        userStore_ = std::make_unique<TZefQtSettingsStore>(Path(QStringLiteral("user-settings.ini")));
        SetZefUserSettingsStore(userStore_.get());
        desktopScope_.emplace(desktop);
        desktop.SetUnscriptedHandler([](const QString& what) { ADD_FAILURE() << "unscripted: " << what.toStdString(); });
        AppDir = folder_.path() + QStringLiteral("/");
        EditorFactory = std::make_shared<TEditorFactory>();
    }

    void TearDown() override
    {
        Finish();
        EditorFactory.reset();
        ActiveEditor.reset();
        ActiveEditCommands.reset();
        ActiveFileCommands.reset();
        ActiveSearchCommands.reset();
        SetZefUserSettingsStore(nullptr);
        desktopScope_.reset();
    }

    // Creates and shows the main window as the start form does, opens the command-line file if one is
    // given, then runs the first idle update.
    void Start(const QString& commandLineFile = QString())
    {
        window = std::make_unique<TMDIMainForm>(IniPath());
        window->show();
        if (!commandLineFile.isEmpty())
            window->CmdLineOpen(commandLineFile);
        Idle();
    }

    // Destroys the main window (the program's end) and lets deferred deletions run.
    void Finish()
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Idle()
    {
        QCoreApplication::processEvents();
        window->IdleUpdate();
    }

    bool IsEnabled(const char* control) const
    {
        QAction* action = window->Control(QString::fromLatin1(control));
        EXPECT_NE(action, nullptr) << control;
        return action && action->isEnabled();
    }

    static TZefEdit* Editor(const std::shared_ptr<IEditor>& editor)
    {
        TEditorForm* form = static_cast<TEditor*>(editor.get())->Form;
        return form ? form->ZefEditor : nullptr;
    }

    QString Path(const QString& name) const { return folder_.filePath(name); }
    QString IniPath() const { return Path(QStringLiteral("zefraed.ini")); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }

    // Counts the desktop requests of one kind.
    int Requests(TZefDesktopRequest kind) const
    {
        int count = 0;
        for (const TZefDesktopCall& call : desktop.Calls())
            count += call.request == kind ? 1 : 0;
        return count;
    }

    TZefScriptedDesktop desktop;
    std::unique_ptr<TMDIMainForm> window;

private:
    QTemporaryDir folder_;
    std::unique_ptr<TZefQtSettingsStore> userStore_;
    std::optional<TZefDesktopScope> desktopScope_;
};
