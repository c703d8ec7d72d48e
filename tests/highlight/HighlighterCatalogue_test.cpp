// The catalogue of built-in highlighters: every registered language with its class, filter, default
// attributes, golden example and selection by its own extensions.
#include "support/AllHighlighters.h"

#include "ZefHighlighterRegistry.h"
#include "uHighlighterProcs.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace {

struct TCatalogueRow {
    const char* language;
    const char* className;
    const char* filter; // as the application sets it
    // The attribute names GetDefaultAttribute answers for 0..5 (comment, identifier, keyword, string, white
    // space, symbol); "" for none.
    std::array<const char*, 6> defaults;
};

// The defaults of the languages with the usual attribute set.
constexpr std::array<const char*, 6> kCodeDefaults = {"Comment", "Identifier", "Reserved Word", "String", "Space",
                                                      "Symbol"};

// One row per built-in language; a language joins by adding its row here, its registry row and its example.
const TCatalogueRow kCatalogue[] = {
    {"Borland Forms", "TZefDfmSyn", "Delphi/C++ Builder Form Files (*.dfm;*.xfm)|*.dfm;*.xfm",
     {"Comment", "Identifier", "Key", "String", "Space", "Symbol"}},
    {"Cascading Style Sheet", "TZefCssSyn", "Cascading Stylesheets (*.css)|*.css",
     {"Comment", "", "Reserved Word", "String", "Space", "Symbol"}},
    {"C++", "TZefCppSyn", "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp", kCodeDefaults},
    {"Fortran", "TZefFortranSyn", "Fortran Files (*.for)|*.for", kCodeDefaults},
    {"Foxpro", "TZefFoxproSyn", "Foxpro Files (*.prg)|*.prg", kCodeDefaults},
    {"General", "TZefGeneralSyn", "", kCodeDefaults},
    {"HTML", "TZefHTMLSyn", "HTML Document (*.htm,*.html)|*.htm;*.html",
     {"Comment", "Identifier", "Reserved Word", "", "Space", "Symbol"}},
    {"INI File", "TZefIniSyn", "INI Files (*.ini)|*.ini", {"Comment", "", "Key", "String", "Space", "Symbol"}},
    {"Java", "TZefJavaSyn", "Java Files (*.java)|*.java", kCodeDefaults},
    {"JavaScript", "TZefJScriptSyn", "Javascript Files (*.js)|*.js", kCodeDefaults},
    {"KiXtart", "TZefKixSyn", "Kix Scripts (*.kix)|*.kix", {"Comment", "Identifier", "Key", "String", "Space", "Symbol"}},
    {"MS VBScript", "TZefVBScriptSyn", "VBScript Files (*.vbs)|*.vbs", kCodeDefaults},
    {"MS-DOS Batch", "TZefBatSyn", "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd",
     {"Comment", "Identifier", "Key", "", "Space", ""}},
    {"Object Pascal", "TZefPasSyn", "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc", kCodeDefaults},
    {"SQL", "TZefSQLSyn", "SQL Files (*.sql)|*.sql", kCodeDefaults},
    {"Perl", "TZefPerlSyn", "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi", kCodeDefaults},
    {"PHP", "TZefPHPSyn", "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc", kCodeDefaults},
    {"Visual Basic", "TZefVBSyn", "Visual Basic Files (*.bas)|*.bas", kCodeDefaults},
    {"x86 Assembly", "TZefAsmSyn", "x86 Assembly Files (*.asm)|*.ASM", kCodeDefaults},
    {"XML", "TZefXMLSyn", "XML Document (*.xml,*.xsd,*.xsl,*.xslt)|*.xml;*.xsd;*.xsl;*.xslt",
     {"Comment", "Attribute Name", "Element Name", "", "Whitespace", "Symbol"}},
};

const TCatalogueRow* RowOf(const std::string& language)
{
    for (const TCatalogueRow& row : kCatalogue) {
        if (language == row.language) return &row;
    }
    return nullptr;
}

// The extensions of a filter's pattern part: "*.bat;*.cmd" -> ".bat", ".cmd".
std::vector<std::string> Extensions(const std::string& filter)
{
    std::vector<std::string> extensions;
    const size_t bar = filter.find('|');
    if (bar == std::string::npos) return extensions;
    const std::string patterns = filter.substr(bar + 1);
    for (size_t start = 0; start < patterns.size();) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        const std::string pattern = patterns.substr(start, end - start);
        if (pattern.starts_with("*.")) extensions.push_back(pattern.substr(1));
        start = end + 1;
    }
    return extensions;
}

} // namespace

TEST(HighlighterCatalogue, EveryRegisteredLanguageIsCataloguedAndEveryRowRegistered)
{
    const auto highlighters = ZefCreateHighlighters();
    std::set<std::string> registered;
    for (const auto& highlighter : highlighters) {
        const std::string name = highlighter->GetLanguageName();
        EXPECT_TRUE(registered.insert(name).second) << name << " is registered twice";
        EXPECT_NE(RowOf(name), nullptr) << name << " has no catalogue row";
    }
    for (const TCatalogueRow& row : kCatalogue) EXPECT_TRUE(registered.count(row.language)) << row.language;
}

TEST(HighlighterCatalogue, ClassFilterAndDefaultAttributesOfEachLanguage)
{
    for (const auto& highlighter : ZefCreateHighlighters()) {
        const std::string name = highlighter->GetLanguageName();
        const TCatalogueRow* row = RowOf(name);
        if (row == nullptr) continue;
        EXPECT_STREQ(highlighter->ClassName(), row->className) << name;
        EXPECT_EQ(highlighter->GetDefaultFilter(), row->filter) << name;
        for (int index = 0; index < 6; ++index) {
            const TZefHighlighterAttributes* attribute = highlighter->GetDefaultAttribute(index);
            EXPECT_EQ(attribute ? attribute->Name() : std::string(), row->defaults[static_cast<size_t>(index)])
                << name << " default attribute " << index;
        }
        EXPECT_EQ(highlighter->GetDefaultAttribute(6), nullptr) << name;
        EXPECT_EQ(highlighter->GetDefaultAttribute(-1), nullptr) << name;
    }
}

TEST(HighlighterCatalogue, EveryKindHasANameAndEveryLanguageAGoldenExample)
{
    for (const auto& highlighter : ZefCreateHighlighters()) {
        const std::string name = highlighter->GetLanguageName();
        const std::filesystem::path folder = alllanguages::ExampleFolder(name);
        const auto samples = alllanguages::Samples(folder);
        EXPECT_FALSE(samples.empty()) << name << " has no golden example in " << folder;
        for (const auto& sample : samples) {
            EXPECT_TRUE(std::filesystem::exists(sample.string() + ".tokens")) << sample << " has no expected dump";
        }
        const auto* scan = dynamic_cast<const TZefScanHighlighter*>(highlighter.get());
        if (scan == nullptr) continue;
        for (const int kind : scan->TokenKinds()) EXPECT_NE(scan->TokenKindName(kind), "?") << name << " kind " << kind;
    }
}

TEST(HighlighterCatalogue, EachLanguageIsChosenByItsOwnExtensions)
{
    const auto highlighters = ZefCreateHighlighters();
    std::vector<TZefCustomHighlighter*> owner;
    for (const auto& highlighter : highlighters) owner.push_back(highlighter.get());
    THighlighterList list;
    CollectHighlighters(&owner, &list, false);
    for (const auto& highlighter : highlighters) {
        for (const std::string& ext : Extensions(highlighter->GetDefaultFilter())) {
            // ".inc" belongs to the first of Pascal and PHP in list order.
            if (ext == ".inc") continue;
            const TZefCustomHighlighter* found = FindHighlighterByExt(&list, ext);
            EXPECT_EQ(found, highlighter.get()) << ext << " should choose " << highlighter->GetLanguageName();
        }
    }
}
