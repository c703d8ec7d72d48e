// The table of built-in highlighters.
#include "ZefHighlighterRegistry.h"

#include "ZefHighlighterAsm.h"
#include "ZefHighlighterBat.h"
#include "ZefHighlighterCss.h"
#include "ZefHighlighterCpp.h"
#include "ZefHighlighterDfm.h"
#include "ZefHighlighterFortran.h"
#include "ZefHighlighterFoxpro.h"
#include "ZefHighlighterGeneral.h"
#include "ZefHighlighterHtml.h"
#include "ZefHighlighterIni.h"
#include "ZefHighlighterJScript.h"
#include "ZefHighlighterJava.h"
#include "ZefHighlighterKix.h"
#include "ZefHighlighterPas.h"
#include "ZefHighlighterSQL.h"
#include "ZefHighlighterPHP.h"
#include "ZefHighlighterPerl.h"
#include "ZefHighlighterVB.h"
#include "ZefHighlighterXML.h"

namespace {

template <typename T>
std::unique_ptr<TZefCustomHighlighter> Make()
{
    return std::make_unique<T>();
}

} // namespace

const std::vector<TZefHighlighterRow>& ZefHighlighterRows()
{
    static const std::vector<TZefHighlighterRow> rows = {
        {Make<TZefDfmSyn>, "Delphi/C++ Builder Form Files (*.dfm;*.xfm)|*.dfm;*.xfm", nullptr},
        {Make<TZefCssSyn>, std::nullopt,
         [](TZefCustomHighlighter& highlighter) {
             auto& css = static_cast<TZefCssSyn&>(highlighter);
             css.PropertyAttri->SetStyle(0);
             css.KeyAttri->SetForeground(clNone);
             css.ValueAttri->SetForeground(clNone);
             css.UndefPropertyAttri->SetForeground(clNone);
             css.UndefPropertyAttri->SetStyle(0);
         }},
        {Make<TZefCppSyn>, "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp", nullptr},
        {Make<TZefFortranSyn>, "Fortran Files (*.for)|*.for", nullptr},
        {Make<TZefFoxproSyn>, "Foxpro Files (*.prg)|*.prg", nullptr},
        {Make<TZefGeneralSyn>, "",
         [](TZefCustomHighlighter& highlighter) {
             auto& general = static_cast<TZefGeneralSyn&>(highlighter);
             general.SetComments(0);
             general.SetDetectPreprocessor(false);
             general.SetIdentifierChars(zefchars::AllFromBang());
         }},
        {Make<TZefHTMLSyn>, "HTML Document (*.htm,*.html)|*.htm;*.html",
         [](TZefCustomHighlighter& highlighter) {
             auto& html = static_cast<TZefHTMLSyn&>(highlighter);
             html.AndAttri->SetForeground(clSilver);
             html.AndAttri->SetStyle(0);
         }},
        {Make<TZefIniSyn>, "INI Files (*.ini)|*.ini", nullptr},
        {Make<TZefJavaSyn>, "Java Files (*.java)|*.java", nullptr},
        {Make<TZefJScriptSyn>, "Javascript Files (*.js)|*.js", nullptr},
        {Make<TZefKixSyn>, "Kix Scripts (*.kix)|*.kix",
         [](TZefCustomHighlighter& highlighter) { static_cast<TZefKixSyn&>(highlighter).KeyAttri->SetForeground(clBlue); }},
        {Make<TZefPerlSyn>, "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi", nullptr},
        {Make<TZefPHPSyn>, "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc", nullptr},
        {Make<TZefVBScriptSyn>, "VBScript Files (*.vbs)|*.vbs", nullptr},
        {Make<TZefBatSyn>, "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd", nullptr},
        {Make<TZefPasSyn>, std::nullopt, nullptr},
        {Make<TZefSQLSyn>, "SQL Files (*.sql)|*.sql",
         [](TZefCustomHighlighter& highlighter) { static_cast<TZefSQLSyn&>(highlighter).SetSQLDialect(sqlSybase); }},
        {Make<TZefVBSyn>, "Visual Basic Files (*.bas)|*.bas", nullptr},
        {Make<TZefAsmSyn>, "x86 Assembly Files (*.asm)|*.ASM", nullptr},
        {Make<TZefXMLSyn>, "XML Document (*.xml,*.xsd,*.xsl,*.xslt)|*.xml;*.xsd;*.xsl;*.xslt",
         [](TZefCustomHighlighter& highlighter) { static_cast<TZefXMLSyn&>(highlighter).SetWantBracesParsed(false); }},
    };
    return rows;
}

std::vector<std::unique_ptr<TZefCustomHighlighter>> ZefCreateHighlighters()
{
    std::vector<std::unique_ptr<TZefCustomHighlighter>> highlighters;
    for (const TZefHighlighterRow& row : ZefHighlighterRows()) {
        std::unique_ptr<TZefCustomHighlighter> highlighter = row.create();
        highlighter->BeginLoading();
        if (row.filter) highlighter->SetDefaultFilter(*row.filter);
        if (row.overrides) row.overrides(*highlighter);
        highlighter->Loaded();
        highlighters.push_back(std::move(highlighter));
    }
    return highlighters;
}
