// The document factory: makes document windows and keeps the list of open documents.
#pragma once

#include "uEditAppIntfs.h"

#include <memory>
#include <vector>

class TEditor;

// Documents are listed in order of creation; a document leaves the list when its window is destroyed.
class TEditorFactory final : public IEditorFactory {
public:
    void CloseAll() override;
    std::shared_ptr<IEditor> CreateMDIChild(QMdiArea* owner) override;
    int GetEditorCount() const override { return static_cast<int>(editors_.size()); }
    std::shared_ptr<IEditor> GetEditor(int index) const override;
    void RemoveEditor(IEditor* editor) override;
    bool QueryCloseAll() override;
    void CloseAllWithoutQuestions() override;

private:
    std::vector<std::shared_ptr<TEditor>> editors_;
};
