// libFuzzer target: the HTML highlighter line by line over random bytes, ranges carried and stored as the
// editor does. Checks that the tokens cover each line exactly, in order and without gaps, that every end
// state can start a line, that resuming a line from its stored range gives the same tokens, and that the
// range scan without tokens ends in the same state as the token loop.
#include "HighlighterFuzzChecks.h"
#include "ZefHighlighterHtml.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool LineStartState(TZefRangeState range)
{
    return range == TZefHTMLSyn::rsComment || range == TZefHTMLSyn::rsKey || range == TZefHTMLSyn::rsParam ||
           range == TZefHTMLSyn::rsText || range == TZefHTMLSyn::rsValue || range == TZefHTMLSyn::rsQuoteValue ||
           range == TZefHTMLSyn::rsDoubleQuoteValue;
}

// Every token of a known kind, never the end-of-line kind, and drawn with an attribute.
void CheckToken(const TZefCustomHighlighter& html)
{
    zeffuzz::Check(html.GetTokenKind() >= 0 && html.GetTokenKind() <= TZefHTMLSyn::tkValue &&
                   html.GetTokenKind() != TZefHTMLSyn::tkNull);
    zeffuzz::Check(html.GetTokenAttribute() != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TZefHTMLSyn html;
    static TZefHTMLSyn again;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zeffuzz::CheckDocument(html, again, zeffuzz::Lines(text), LineStartState, CheckToken);
    return 0;
}
