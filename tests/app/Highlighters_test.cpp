// Highlighters in the application: the choice by file name, the Highlighter menu, the dialog filters and the
// colour scheme with the stored colours.
#include "MainWindowFixture.h"

#include "../highlight/support/TestHighlighter.h"
#include "ZefHighlighterHtml.h"
#include "ZefSettingsStore.h"
#include "dmHighlighters.h"
#include "uHighlighterProcs.h"

#include <QMenu>

namespace {

class HighlightersTest : public TMainWindowFixture {
protected:
    std::shared_ptr<IEditor> Open(const char* name, const QByteArray& text = "<p>x</p>\r\n")
    {
        window->OpenDocument(WriteFile(QString::fromLatin1(name), text));
        Idle();
        return ActiveEditor;
    }
    std::shared_ptr<IEditor> NewDocument()
    {
        window->OpenDocument(QString());
        Idle();
        return ActiveEditor;
    }
    TZefHTMLSyn* Html(const std::shared_ptr<IEditor>& editor)
    {
        return dynamic_cast<TZefHTMLSyn*>(Editor(editor)->Highlighter());
    }
    QAction* MenuItem(const QString& caption)
    {
        for (QAction* item : window->HighlighterMenu()->actions())
            if (item->text() == caption) return item;
        ADD_FAILURE() << "no menu item " << caption.toStdString();
        return nullptr;
    }
    // "fg/style" of an attribute, colours in hex.
    static std::string Colours(const TZefHighlighterAttributes* attribute)
    {
        return QString::asprintf("%X/%d", attribute->Foreground(), attribute->Style()).toStdString();
    }
    static void Store(const std::function<void(TZefSettingsStore&)>& write) { WithUserSettingsStore(write); }
    static std::string HtmlKey() { return std::string(kZefSettingsKey) + "\\HTML"; }
};

} // namespace

TEST_F(HighlightersTest, FileNameChoosesTheHighlighterAndTheHtmlScheme)
{
    Start();
    auto page = Open("Report.HTML");
    TZefHTMLSyn* html = Html(page);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(Colours(html->KeyAttri), "800000/1");  // navy, bold
    EXPECT_EQ(Colours(html->ValueAttri), "80/0");    // maroon
    EXPECT_EQ(Colours(html->TextAttri), "808000/0"); // teal
    EXPECT_EQ(Colours(html->IdentifierAttri), "808080/1");
    EXPECT_EQ(Colours(html->AndAttri), "C0C0C0/0");
    EXPECT_EQ(Editor(page)->FontColor(), clBlack) << "readable on the white or cream background";

    auto notes = Open("notes");
    EXPECT_EQ(Editor(notes)->Highlighter(), nullptr);
    auto text = Open("x.txt");
    EXPECT_EQ(Editor(text)->Highlighter(), nullptr);
    EXPECT_EQ(Editor(NewDocument())->Highlighter(), nullptr);
    EXPECT_EQ(Colours(html->KeyAttri), "800000/1") << "documents without a highlighter change no colours";
}

TEST_F(HighlightersTest, DialogFiltersFollowTheHighlighters)
{
    Start();
    desktop.AnswerOpenFile(std::nullopt);
    ASSERT_TRUE(window->Click(QStringLiteral("miFileOpen")));
    ASSERT_FALSE(desktop.Calls().empty());
    ASSERT_NE(HighlighterList, nullptr);
    EXPECT_TRUE(desktop.Calls().back().detail.contains(
        "filter=\"All files (*.*)|*.*|Text (*.txt)|*.txt|" + QString::fromLatin1(BuildHighlighterFilter(HighlighterList)) +
        "Rich Text Format(*.rtf)|*.rtf\""))
        << desktop.DebugDump().toStdString();
    EXPECT_TRUE(desktop.Calls().back().detail.contains("|HTML Document (*.htm,*.html)|*.htm;*.html|"));

    auto page = Open("page.htm");
    TZefFileChoice choice;
    choice.files = {Path(QStringLiteral("renamed.txt"))};
    desktop.AnswerSaveFile(choice);
    ASSERT_TRUE(static_cast<TEditor*>(page.get())->ExecSaveAs());
    EXPECT_TRUE(desktop.Calls().back().detail.contains(QStringLiteral("filter=\"HTML Document (*.htm,*.html)|*.htm;*.html\"")));
    EXPECT_EQ(Editor(page)->Highlighter(), nullptr) << "Save As chooses again from the new name";
    desktop.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(static_cast<TEditor*>(page.get())->ExecSaveAs());
    EXPECT_TRUE(desktop.Calls().back().detail.contains(QStringLiteral("filter=\"All files (*.*)|*.*|Text (*.txt)|*.txt|\"")));
}

TEST_F(HighlightersTest, MenuPicksStayAndNoneRemovesTheHighlighter)
{
    Start();
    QStringList captions;
    for (QAction* item : window->HighlighterMenu()->actions()) captions << item->text();
    QStringList languages;
    for (const THighlighterEntry& entry : *HighlighterList) languages << QString::fromLatin1(entry.Name);
    EXPECT_EQ(captions, languages + QStringList{"(None)"}) << "every language in list order, then (None)";
    EXPECT_TRUE(languages.contains("HTML"));
    EXPECT_EQ(window->HighlighterNoneItem(), window->HighlighterMenu()->actions().last());

    // An unnamed document: the pick stays and gets the general scheme ("unknown").
    auto untitled = NewDocument();
    MenuItem(QStringLiteral("HTML"))->trigger();
    TZefHTMLSyn* html = Html(untitled);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(Colours(html->KeyAttri), "FF0000/1");    // blue, bold
    EXPECT_EQ(Colours(html->CommentAttri), "808000/0"); // teal
    for (QAction* item : window->HighlighterMenu()->actions()) EXPECT_FALSE(item->isChecked());

    // "(None)" removes it and changes no colours.
    MenuItem(QStringLiteral("(None)"))->trigger();
    EXPECT_EQ(Editor(untitled)->Highlighter(), nullptr);
    EXPECT_EQ(Colours(html->KeyAttri), "FF0000/1");

    // A named file keeps a highlighter chosen by hand; the scheme without the menu gives the file's own back.
    auto page = Open("page.htm");
    TZefTestHighlighter other;
    page->AssignHighlighter(&other);
    window->Set_Highlight_For_Different_FileFormat(QStringLiteral("unknown"), true);
    EXPECT_EQ(Editor(page)->Highlighter(), &other);
    EXPECT_EQ(Colours(other.keyAttri_), "FF0000/1");
    window->Set_Highlight_For_Different_FileFormat();
    EXPECT_EQ(Editor(page)->Highlighter(), html);
    page->AssignHighlighter(nullptr);
}

TEST_F(HighlightersTest, SelectHighlighterIsBoundsChecked)
{
    Start();
    auto doc = NewDocument();
    const int htmlIndex = IndexOfHighlighter(*HighlighterList, "HTML");
    ASSERT_GE(htmlIndex, 0);
    doc->SelectHighlighter(htmlIndex);
    TZefCustomHighlighter* html = Editor(doc)->Highlighter();
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->GetLanguageName(), "HTML");
    const int count = static_cast<int>(HighlighterList->size());
    for (int outside : {-2, count, 255, 1000}) {
        doc->SelectHighlighter(outside);
        EXPECT_EQ(Editor(doc)->Highlighter(), html) << outside;
    }
    EXPECT_EQ(doc->HighlighterAttrCount(), 9);
    EXPECT_EQ(doc->HighlighterAttrName(3), QStringLiteral("Reserved Word"));
    EXPECT_EQ(doc->HighlighterAttr(9), nullptr);
    doc->SetAttrForeground(9, clRed); // outside the list: nothing
    doc->SelectHighlighter(-1);
    EXPECT_EQ(Editor(doc)->Highlighter(), nullptr);
    EXPECT_EQ(doc->HighlighterAttrCount(), 0);
    EXPECT_EQ(doc->HighlighterAttrName(0), QString());
}

TEST_F(HighlightersTest, StoredColoursReplaceTheScheme)
{
    Start();
    Store([](TZefSettingsStore& store) {
        store.WriteString(kZefSettingsKey, "chkHTML", "1");
        TZefHTMLSyn reference;
        for (int i = 0; i < reference.GetAttribCount(); ++i) {
            const std::string key = HtmlKey() + "\\" + reference.GetAttribute(i)->Name();
            store.WriteInteger(key, "Foreground", 0x112233 + i);
            store.WriteInteger(key, "Background", static_cast<int32_t>(clNone));
            store.WriteInteger(key, "Style", 4);
        }
    });
    auto page = Open("page.htm");
    TZefHTMLSyn* html = Html(page);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(Colours(html->GetAttribute(0)), "112233/4");
    EXPECT_EQ(Colours(html->KeyAttri), "112236/4") << "no scheme after stored colours";
    EXPECT_EQ(Requests(TZefDesktopRequest::drMessageBox), 0);
}

TEST_F(HighlightersTest, MissingOrBadStoredColoursShowTheFailureAndKeepTheDocument)
{
    Start();
    Store([](TZefSettingsStore& store) { store.WriteString(kZefSettingsKey, "chkHTML", "1"); });
    desktop.AnswerMessageBox(mbOk);
    auto page = Open("a.htm");
    ASSERT_NE(Html(page), nullptr);
    ASSERT_EQ(Requests(TZefDesktopRequest::drMessageBox), 1);
    EXPECT_TRUE(desktop.Calls().back().text.contains(
        QStringLiteral("Failing to read data from registry for this Highlighter.")))
        << desktop.DebugDump().toStdString();
    EXPECT_EQ(Colours(Html(page)->KeyAttri), "FF0080/1") << "no scheme after the stored-colour step";

    // A value that is not an integer: the same box; the program and the document go on.
    Store([](TZefSettingsStore& store) { store.WriteString(HtmlKey() + "\\Comment", "Foreground", "teal"); });
    desktop.AnswerMessageBox(mbOk);
    auto second = Open("b.htm");
    EXPECT_EQ(Requests(TZefDesktopRequest::drMessageBox), 2);
    EXPECT_NE(Editor(second), nullptr);
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);

    // Any other flag value means "not stored": the scheme applies.
    Store([](TZefSettingsStore& store) { store.WriteString(kZefSettingsKey, "chkHTML", "yes"); });
    auto third = Open("c.htm");
    EXPECT_EQ(Colours(Html(third)->KeyAttri), "800000/1");
    EXPECT_EQ(Requests(TZefDesktopRequest::drMessageBox), 2);
}

TEST_F(HighlightersTest, BadStoredColoursOfTheCommandLineFileDoNotEndTheProgram)
{
    Store([](TZefSettingsStore& store) {
        store.WriteString(kZefSettingsKey, "chkHTML", "1");
        store.WriteString(HtmlKey() + "\\Comment", "Foreground", "not a number");
    });
    desktop.AnswerMessageBox(mbOk);
    Start(WriteFile(QStringLiteral("start.htm"), "<b>x</b>"));
    EXPECT_EQ(Requests(TZefDesktopRequest::drMessageBox), 1);
    ASSERT_TRUE(ActiveEditor);
    EXPECT_NE(Html(ActiveEditor), nullptr);
}
