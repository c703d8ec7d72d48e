// Documents of the main window made as child windows of its client area, each with its tab.
#include "frmMainMDI.h"

#include "ZefFilePath.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QWidget>

#include <utility>

TMDIMainForm::TMDIMainForm(QString iniPath, QWidget* parent) : TMainForm(std::move(iniPath), parent)
{
    setObjectName(QStringLiteral("MDIMainForm"));
}

std::shared_ptr<IEditor> TMDIMainForm::CreateDocument(const QString& path)
{
    if (!EditorFactory)
        return nullptr;
    std::shared_ptr<IEditor> editor = EditorFactory->CreateMDIChild(ClientArea());
    if (!editor)
        return nullptr;
    const QString caption = path.isEmpty() ? editor->GetTitle() : ZefDisplayPath(path);
    TabBand()->show();
    // The new tab is shown without running the tab-shown handler: the document it names is not loaded yet,
    // and matching captions now would hand a document that is about to get its file name an untitled number.
    const QSignalBlocker quiet(TabStrip());
    const int tab = AddDocumentTab(editor, caption);
    TabStrip()->setCurrentIndex(tab);
    return editor;
}
