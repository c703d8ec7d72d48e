// Shared set-up of the application tests: a temporary folder for the INI file and the per-user settings,
// a scripted desktop, a fresh document factory with its recent list, untitled numbers and mark list.
#pragma once

#include "RecentFiles.h"
#include "TEditor.h"
#include "TEditorFactory.h"
#include "UntitledNumbers.h"
#include "ZefAppSettings.h"
#include "ZefQtSettingsStore.h"
#include "ZefScriptedDesktop.h"
#include "frmEditor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

class TAppTestFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(folder_.isValid());
        StartUserSettings();
        desktopScope_.emplace(desktop);
        EditorFactory = std::make_shared<TEditorFactory>();
        EditorServices.RecentFiles = &recentFiles;
        EditorServices.UntitledNumbers = &untitledNumbers;
        EditorServices.MarkNumberList = &markList;
        area.resize(800, 600);
        area.show();
    }

    void TearDown() override
    {
        if (EditorFactory)
            EditorFactory->CloseAllWithoutQuestions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EditorFactory.reset();
        ActiveEditor.reset();
        ActiveEditCommands.reset();
        ActiveFileCommands.reset();
        ActiveSearchCommands.reset();
        EditorServices = TEditorServices{};
        SetZefUserSettingsStore(nullptr);
        desktopScope_.reset();
    }

    // A fresh view of the per-user store in the temporary folder, as the next program start would see it.
    void StartUserSettings()
    {
        SetZefUserSettingsStore(nullptr);
        userStore_ = std::make_unique<TZefQtSettingsStore>(Path(QStringLiteral("user-settings.ini")));
        SetZefUserSettingsStore(userStore_.get());
    }

    QString Path(const QString& name) const { return folder_.filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    std::shared_ptr<IEditor> NewDocument(const QString& path = QString())
    {
        std::shared_ptr<IEditor> editor = EditorFactory->CreateMDIChild(&area);
        editor->LoadFile(path);
        return editor;
    }

    static TEditor* Doc(const std::shared_ptr<IEditor>& editor) { return static_cast<TEditor*>(editor.get()); }

    static TEditorForm* FormOf(const std::shared_ptr<IEditor>& editor)
    {
        return Doc(editor)->Form;
    }

    TZefScriptedDesktop desktop;
    TRecentFiles recentFiles;
    TUntitledNumbers untitledNumbers;
    QComboBox markList;
    QMdiArea area;

private:
    QTemporaryDir folder_;
    std::unique_ptr<TZefQtSettingsStore> userStore_;
    std::optional<TZefDesktopScope> desktopScope_;
};
