// The main window and the command line: files named at start or handed over by a later start.
#include "frmMain.h"

#include "ZefFilePath.h"

void TMainForm::OpenCommandLineFiles(const std::vector<TZefCommandLineFile>& files)
{
    for (const TZefCommandLineFile& file : files) {
        OpenDocument(file.path);
        if (file.line <= 0 || !EditorFactory)
            continue;
        // The file's document, new or already open; none when it could not be loaded.
        for (int i = EditorFactory->GetEditorCount() - 1; i >= 0; --i) {
            std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i);
            if (editor && ZefSameFile(editor->GetFileName(), file.path)) {
                editor->PlaceCaretOnLine(file.line);
                break;
            }
        }
    }
}

void TMainForm::BringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
