// The highlighter list: its order, the dialog filter built from it, the choice by extension, and the table of
// built-in highlighters.
#include "support/AllHighlighters.h"
#include "support/TestHighlighter.h"

#include "ZefHighlighterHtml.h"
#include "ZefHighlighterRegistry.h"
#include "uHighlighterProcs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// A stand-in for a language: its name and its filter as the application sets them.
class TNamedHighlighter : public TZefTestHighlighter {
public:
    TNamedHighlighter(std::string name, std::string filter) : name_(std::move(name)) { SetDefaultFilter(std::move(filter)); }
    std::string GetLanguageName() const override { return name_; }

private:
    std::string name_;
};

// The twenty languages with the filters the application gives them, in an order of their own.
struct TLanguages {
    std::vector<std::unique_ptr<TNamedHighlighter>> owned;
    std::vector<TZefCustomHighlighter*> owner;
    TLanguages()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"XML", "XML Document (*.xml,*.xsd,*.xsl,*.xslt)|*.xml;*.xsd;*.xsl;*.xslt"},
            {"Borland Forms", "Delphi/C++ Builder Form Files (*.dfm;*.xfm)|*.dfm;*.xfm"},
            {"C++", "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp"},
            {"Cascading Style Sheet", "Cascading Stylesheets (*.css)|*.css"},
            {"Fortran", "Fortran Files (*.for)|*.for"},
            {"Foxpro", "Foxpro Files (*.prg)|*.prg"},
            {"General", ""},
            {"HTML", "HTML Document (*.htm,*.html)|*.htm;*.html"},
            {"INI File", "INI Files (*.ini)|*.ini"},
            {"JavaScript", "Javascript Files (*.js)|*.js"},
            {"Java", "Java Files (*.java)|*.java"},
            {"KiXtart", "Kix Scripts (*.kix)|*.kix"},
            {"MS-DOS Batch", "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd"},
            {"MS VBScript", "VBScript Files (*.vbs)|*.vbs"},
            {"PHP", "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc"},
            {"Object Pascal", "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc"},
            {"Perl", "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi"},
            {"SQL", "SQL Files (*.sql)|*.sql"},
            {"x86 Assembly", "x86 Assembly Files (*.asm)|*.ASM"},
            {"Visual Basic", "Visual Basic Files (*.bas)|*.bas"},
        };
        for (const auto& [name, filter] : rows) {
            owned.push_back(std::make_unique<TNamedHighlighter>(name, filter));
            owner.push_back(owned.back().get());
        }
    }
};

std::string Names(const THighlighterList& list)
{
    std::string names;
    for (const THighlighterEntry& entry : list) names += entry.Name + "|";
    return names;
}

} // namespace

TEST(HighlighterList, CollectsUniqueNamesInCaseFoldedOrder)
{
    TLanguages languages;
    THighlighterList list;
    CollectHighlighters(&languages.owner, &list, false);
    EXPECT_EQ(Names(list), "Borland Forms|C++|Cascading Style Sheet|Fortran|Foxpro|General|HTML|INI File|Java|"
                           "JavaScript|KiXtart|MS VBScript|MS-DOS Batch|Object Pascal|Perl|PHP|SQL|Visual Basic|"
                           "x86 Assembly|XML|");
    // Appending the same set adds nothing (names compare ignoring case); the last of a duplicate name wins.
    TNamedHighlighter shadow("html", "");
    std::vector<TZefCustomHighlighter*> more{&shadow};
    CollectHighlighters(&more, &list, true);
    EXPECT_EQ(list.size(), 20u);
    CollectHighlighters(nullptr, &list, false);
    EXPECT_EQ(list.size(), 20u) << "a missing owner changes nothing";
    std::vector<TZefCustomHighlighter*> twice{languages.owner[7], &shadow};
    CollectHighlighters(&twice, &list, false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Highlighter, &shadow) << "visited from the last";
}

TEST(HighlighterList, FilterOfTheNonEmptyFiltersInListOrder)
{
    TLanguages languages;
    THighlighterList list;
    CollectHighlighters(&languages.owner, &list, false);
    const std::string filter = BuildHighlighterFilter(&list);
    EXPECT_TRUE(filter.starts_with("Delphi/C++ Builder Form Files (*.dfm;*.xfm)|*.dfm;*.xfm|C++ Files")) << filter;
    EXPECT_TRUE(filter.ends_with("|XML Document (*.xml,*.xsd,*.xsl,*.xslt)|*.xml;*.xsd;*.xsl;*.xslt|")) << filter;
    EXPECT_EQ(filter.find("||"), std::string::npos) << "General adds nothing";
    EXPECT_EQ(BuildHighlighterFilter(nullptr), "");
}

TEST(HighlighterList, ExtensionChoosesTheFirstMatchingFilter)
{
    TLanguages languages;
    THighlighterList list;
    CollectHighlighters(&languages.owner, &list, false);
    const struct {
        const char* ext;
        const char* language; // empty: none
    } cases[] = {
        {".inc", "Object Pascal"}, {".c", "C++"},       {".h", "C++"},          {".ASM", "x86 Assembly"},
        {".asm", "x86 Assembly"},  {".HTML", "HTML"},   {".htm", "HTML"},       {".php3", "PHP"},
        {".ph", ""},               {".txt", ""},        {".rtf", ""},           {"", ""},
        {".x", ""},                {".xsl", "XML"},     {".cmd", "MS-DOS Batch"},
    };
    for (const auto& c : cases) {
        TZefCustomHighlighter* found = FindHighlighterByExt(&list, c.ext);
        EXPECT_EQ(found ? found->GetLanguageName() : std::string(), c.language) << c.ext;
    }
    EXPECT_EQ(FindHighlighterByExt(nullptr, ".c"), nullptr);
}

TEST(HighlighterList, ExtensionOfAFileName)
{
    EXPECT_EQ(ExtractFileExt("/a/b.dir/Report.HTML"), ".HTML");
    EXPECT_EQ(ExtractFileExt("/a/b.dir/notes"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("C:\\x.y\\z"), "");
    EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(HighlighterRegistry, EveryRowMakesAConfiguredHighlighterWithAnExample)
{
    const std::vector<std::unique_ptr<TZefCustomHighlighter>> highlighters = ZefCreateHighlighters();
    ASSERT_EQ(highlighters.size(), ZefHighlighterRows().size());
    for (const auto& highlighter : highlighters) {
        EXPECT_TRUE(std::filesystem::is_directory(alllanguages::ExampleFolder(highlighter->GetLanguageName())))
            << highlighter->GetLanguageName() << " has no golden example";
    }
    TZefHTMLSyn* html = nullptr;
    for (const auto& highlighter : highlighters) {
        if (auto* found = dynamic_cast<TZefHTMLSyn*>(highlighter.get())) html = found;
    }
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->DefaultFilter(), "HTML Document (*.htm,*.html)|*.htm;*.html");
    EXPECT_EQ(html->AndAttri->Foreground(), clSilver);
    EXPECT_EQ(html->AndAttri->Style(), 0);
    EXPECT_EQ(html->AndAttri->ForegroundDefault(), clLime) << "the constructor's colours stay the defaults";
}
