// The table of built-in highlighters.
#include "ZefHighlighterRegistry.h"

#include "ZefHighlighterHtml.h"

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
        {Make<TZefHTMLSyn>, "HTML Document (*.htm,*.html)|*.htm;*.html",
         [](TZefCustomHighlighter& highlighter) {
             auto& html = static_cast<TZefHTMLSyn&>(highlighter);
             html.AndAttri->SetForeground(clSilver);
             html.AndAttri->SetStyle(0);
         }},
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
