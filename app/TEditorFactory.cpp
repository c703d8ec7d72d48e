// The document factory: window creation, the list of open documents, closing them all.
#include "TEditorFactory.h"

#include "TEditor.h"
#include "frmEditor.h"

#include <QMdiArea>

#include <algorithm>

void TEditorFactory::CloseAll()
{
    // Closing removes documents from the list, so walk a copy.
    const std::vector<std::shared_ptr<TEditor>> editors = editors_;
    for (auto it = editors.rbegin(); it != editors.rend(); ++it)
        (*it)->Close();
}

std::shared_ptr<IEditor> TEditorFactory::CreateMDIChild(QMdiArea* owner)
{
    auto* form = new TEditorForm();
    auto editor = std::make_shared<TEditor>(form);
    // Joining paragraphs is chosen for one "General +" run and does not carry over to a new document.
    editor->SetJoinParagraphs(false);
    form->Editor = editor;
    editors_.push_back(editor);
    if (owner) {
        owner->addSubWindow(form);
        form->show();
        owner->setActiveSubWindow(form);
    } else {
        form->show();
    }
    form->SetCommandTargets(true);
    return editor;
}

std::shared_ptr<IEditor> TEditorFactory::GetEditor(int index) const
{
    if (index < 0 || index >= GetEditorCount())
        return nullptr;
    return editors_[static_cast<std::size_t>(index)];
}

void TEditorFactory::RemoveEditor(IEditor* editor)
{
    auto it = std::find_if(editors_.begin(), editors_.end(),
                           [editor](const std::shared_ptr<TEditor>& entry) { return entry.get() == editor; });
    if (it != editors_.end())
        editors_.erase(it);
}

bool TEditorFactory::QueryCloseAll()
{
    const std::vector<std::shared_ptr<TEditor>> editors = editors_;
    for (const auto& editor : editors) {
        if (editor->Form && !editor->Form->CloseQuery())
            return false;
    }
    return true;
}

void TEditorFactory::CloseAllWithoutQuestions()
{
    for (const auto& editor : editors_) {
        if (editor->Form)
            editor->Form->SetTearingDown();
    }
    CloseAll();
}
