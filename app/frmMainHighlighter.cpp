// The main window's Highlighter menu and the colour scheme applied after a document's highlighter is set.
#include "frmMain.h"

#include "ZefAppInfo.h"
#include "ZefAppSettings.h"
#include "ZefDesktop.h"
#include "ZefEditHighlighter.h"
#include "ZefSettingsStore.h"
#include "dmHighlighters.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>
#include <exception>
#include <map>

void TMainForm::Add_Existed_Highlighter_ToMenu()
{
    const THighlighterList* list = HighlighterList;
    if (list == nullptr || list->empty()) return;
    auto add = [this](const QString& caption) {
        QAction* item = highlighterMenu_->addAction(caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] {
            MenuHighlighterClick(item);
            IdleUpdate();
        });
        return item;
    };
    // The item index is one byte.
    const size_t count = std::min<size_t>(list->size(), 255);
    for (size_t i = 0; i < count; ++i) add(ZefFromCodePage((*list)[i].Name));
    highlighterNone_ = add(QStringLiteral("(None)"));
}

void TMainForm::MenuHighlighterClick(QAction* item)
{
    // The click has just checked the item; no item stays checked.
    for (QAction* each : highlighterMenu_->actions()) {
        if (each->isChecked()) {
            each->setChecked(false);
            break;
        }
    }
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor || HighlighterList == nullptr) return;
    // "(None)" is known by the item itself: its caption carries no accelerator that could be compared.
    if (item == highlighterNone_) {
        editor->SelectHighlighter(-1);
        return;
    }
    QString name = item->text();
    name.remove(QLatin1Char('&'));
    const int index = IndexOfHighlighter(*HighlighterList, ZefToCodePage(name));
    if (index < 0) return;
    editor->SelectHighlighter(index);
    Set_Highlight_For_Different_FileFormat(QStringLiteral("unknown"), true);
}

namespace {

// The language's stored colours when its "chk" flag reads "1": answers whether the scheme stops here (the
// flag was set), after showing the failure box when they could not all be read.
bool LoadStoredColours(IEditor& editor, const std::string& language)
{
    const std::string flag = "chk" + language;
    if (ReadUserSetting(flag.c_str()) != QStringLiteral("1")) return false;
    WriteUserSetting(flag.c_str(), QStringLiteral("1"));
    bool loaded = false;
    try {
        loaded = editor.LoadHighlighterFromRegistry(
            ZefFromCodePage(zefsettings::JoinKey(kZefSettingsKey, language)));
    } catch (const std::exception&) {
        // A stored value of another type than an integer: the same failure to the user, and the document
        // stays open with the colours read so far.
        loaded = false;
    }
    if (!loaded) {
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle),
                              QStringLiteral("Failing to read data from registry for this Highlighter."));
    }
    return true;
}

// The language of the document's highlighter, known by its attributes (the interface hands out no
// highlighter); empty without one.
std::string LanguageOfDocument(IEditor& editor)
{
    const TZefHighlighterAttributes* first = editor.HighlighterAttr(0);
    if (first == nullptr || HighlighterList == nullptr) return std::string();
    for (const THighlighterEntry& entry : *HighlighterList) {
        if (entry.Highlighter != nullptr && entry.Highlighter->GetAttribute(0) == first) return entry.Name;
    }
    return std::string();
}

} // namespace

void TMainForm::Set_Highlight_For_Different_FileFormat(const QString& givenExt, bool fromMenu)
{
    std::shared_ptr<IEditor> editor = ActiveEditor;
    if (!editor) return;
    const QString fileName = editor->GetFileName();
    QString ext = givenExt;
    if (ext.isEmpty() && !fileName.isEmpty()) {
        ext = ZefFromCodePage(ExtractFileExt(ZefToCodePage(fileName))).toLower();
    }

    TZefCustomHighlighter* own = HighlighterSet != nullptr ? HighlighterSet->HighlighterForFile(fileName) : nullptr;
    if (own != nullptr) {
        // A highlighter the user has just chosen from the menu stays; its own stored colours apply to it.
        if (!fromMenu) editor->AssignHighlighter(own);
        const std::string language = fromMenu ? LanguageOfDocument(*editor) : own->GetLanguageName();
        if (!language.empty() && LoadStoredColours(*editor, language)) return;
    }

    if (!editor->HasHighlighter()) return;
    std::map<QString, int> found;
    for (int i = 0; i < editor->HighlighterAttrCount(); ++i) {
        const QString name = editor->HighlighterAttrName(i).toLower();
        if (name == QLatin1String("reserved word") || name == QLatin1String("value") || name == QLatin1String("text") ||
            name == QLatin1String("identifier") || name == QLatin1String("comment") ||
            name == QLatin1String("escape ampersand"))
            found[name] = i;
    }
    auto foreground = [&](const char* name, TColor color) {
        const auto at = found.find(QLatin1String(name));
        if (at != found.end()) editor->SetAttrForeground(at->second, color);
    };
    auto style = [&](const char* name, TFontStyles value) {
        const auto at = found.find(QLatin1String(name));
        if (at != found.end()) editor->SetAttrStyle(at->second, value);
    };
    if (ext == QLatin1String(".html") || ext == QLatin1String(".htm")) {
        foreground("reserved word", clNavy);
        style("reserved word", fsBold);
        foreground("value", clMaroon);
        foreground("text", clTeal);
        foreground("identifier", clGray);
        foreground("escape ampersand", clSilver);
    } else if (!ext.isEmpty()) {
        foreground("reserved word", clBlue);
        style("reserved word", fsBold);
        foreground("comment", clTeal);
    }
}
