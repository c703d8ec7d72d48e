// The main window as it runs: documents are child windows of its client area.
#pragma once

#include "frmMain.h"

class TMDIMainForm : public TMainForm {
public:
    explicit TMDIMainForm(QString iniPath, QWidget* parent = nullptr);

    // A new child window from EditorFactory and a tab captioned `path`, or the new document's title when
    // `path` is empty.
    std::shared_ptr<IEditor> CreateDocument(const QString& path) override;
};
