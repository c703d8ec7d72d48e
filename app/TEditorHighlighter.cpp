// The document's highlighter operations: choosing one, its attributes and its colours in the settings store.
#include "TEditor.h"

#include "ZefAppSettings.h"
#include "ZefEdit.h"
#include "ZefEditHighlighter.h"
#include "dmHighlighters.h"
#include "frmEditor.h"

namespace {

TZefCustomHighlighter* HighlighterOf(const TEditor& editor)
{
    return editor.Form ? editor.Form->ZefEditor->Highlighter() : nullptr;
}

} // namespace

void TEditor::SelectHighlighter(int index)
{
    if (!Form) return;
    if (index == -1) {
        Form->ZefEditor->SetHighlighter(nullptr);
        return;
    }
    if (HighlighterList == nullptr || index < 0 || index >= static_cast<int>(HighlighterList->size())) return;
    Form->ZefEditor->SetHighlighter((*HighlighterList)[static_cast<size_t>(index)].Highlighter);
}

void TEditor::AssignHighlighter(TZefCustomHighlighter* highlighter)
{
    if (Form) Form->ZefEditor->SetHighlighter(highlighter);
}

void TEditor::EnumHighlighterSettings(std::vector<std::string>& settings)
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    if (highlighter != nullptr && (highlighter->GetCapabilities() & hcUserSettings) != 0)
        highlighter->EnumUserSettings(settings);
}

bool TEditor::HasHighlighter() const { return HighlighterOf(*this) != nullptr; }

int TEditor::HighlighterAttrCount() const
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    return highlighter != nullptr ? highlighter->GetAttribCount() : 0;
}

TZefHighlighterAttributes* TEditor::HighlighterAttr(int index) const
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    return highlighter != nullptr ? highlighter->GetAttribute(index) : nullptr;
}

QString TEditor::HighlighterAttrName(int index) const
{
    const TZefHighlighterAttributes* attribute = HighlighterAttr(index);
    return attribute != nullptr ? ZefFromCodePage(attribute->Name()) : QString();
}

void TEditor::SetAttrStyle(int index, TFontStyles style)
{
    if (TZefHighlighterAttributes* attribute = HighlighterAttr(index)) attribute->SetStyle(style);
}

void TEditor::SetAttrForeground(int index, TColor color)
{
    if (TZefHighlighterAttributes* attribute = HighlighterAttr(index)) attribute->SetForeground(color);
}

void TEditor::SetAttrBackground(int index, TColor color)
{
    if (TZefHighlighterAttributes* attribute = HighlighterAttr(index)) attribute->SetBackground(color);
}

bool TEditor::UseHighlighterSettings(int index)
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    return highlighter != nullptr && highlighter->UseUserSettings(index);
}

bool TEditor::SaveHighlighterToRegistry(const QString& key)
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    if (highlighter == nullptr) return false;
    bool saved = false;
    WithUserSettingsStore([&](TZefSettingsStore& store) { saved = highlighter->SaveToRegistry(store, ZefToCodePage(key)); });
    return saved;
}

bool TEditor::LoadHighlighterFromRegistry(const QString& key)
{
    TZefCustomHighlighter* highlighter = HighlighterOf(*this);
    if (highlighter == nullptr) return false;
    bool loaded = false;
    WithUserSettingsStore([&](TZefSettingsStore& store) { loaded = highlighter->LoadFromRegistry(store, ZefToCodePage(key)); });
    return loaded;
}
