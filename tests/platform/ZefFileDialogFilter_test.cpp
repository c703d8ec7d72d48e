// The Qt file dialog as the desktop sets it up: its name filters list files whatever the case of their names.
#include "ZefDesktop.h"
#include "ZefQtDesktop.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The names the dialog's file list shows for `filter` in `folder` (after the folder has been read).
QStringList ListedNames(const QString& folder, const QString& filter)
{
    QFileDialog fileDialog;
    TZefFileDialog dialog;
    dialog.filter = filter;
    ZefApplyNameFilters(fileDialog, dialog);
    auto* model = fileDialog.findChild<QFileSystemModel*>();
    auto* view = fileDialog.findChild<QListView*>(QStringLiteral("listView"));
    if (model == nullptr || view == nullptr) return {QStringLiteral("<no file list>")};
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    fileDialog.setDirectory(folder);
    // The model reads folders in a thread of its own and reports each; wait for this one.
    const QString wanted = QDir(folder).canonicalPath();
    auto done = [&] {
        for (const QList<QVariant>& signal : loaded)
            if (QDir(signal.at(0).toString()).canonicalPath() == wanted) return true;
        return false;
    };
    for (int tries = 0; tries < 50 && !done(); ++tries) loaded.wait(100);
    QCoreApplication::processEvents();
    QStringList names;
    QAbstractItemModel* shown = view->model();
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < shown->rowCount(root); ++row) names.append(shown->index(row, 0, root).data().toString());
    names.sort();
    return names;
}

} // namespace

TEST(FileDialogFilters, PatternsMatchNamesInAnyCase)
{
    // The dialog keeps its own state in the user's settings: never the real ones while tests run.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"x.asm", "PAGE.HTM", "notes.txt"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ListedNames(folder.path(), QStringLiteral("x86 Assembly Files (*.asm)|*.ASM")), QStringList{"x.asm"});
    EXPECT_EQ(ListedNames(folder.path(), QStringLiteral("HTML Document (*.htm,*.html)|*.htm;*.html")),
              QStringList{"PAGE.HTM"});
    EXPECT_EQ(ListedNames(folder.path(), QStringLiteral("All files (*.*)|*.*")), (QStringList{"PAGE.HTM", "notes.txt", "x.asm"}));
}
