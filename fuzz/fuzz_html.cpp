// libFuzzer target: the HTML highlighter line by line over random bytes, ranges carried and stored as the
// editor does. Checks that the tokens cover each line exactly, in order and without gaps, that every end
// state can start a line, that resuming a line from its stored range gives the same tokens, and that the
// range scan without tokens ends in the same state as the token loop.
#include "ZefHighlighterHtml.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

bool LineStartState(TZefRangeState range)
{
    return range == TZefHTMLSyn::rsComment || range == TZefHTMLSyn::rsKey || range == TZefHTMLSyn::rsParam ||
           range == TZefHTMLSyn::rsText || range == TZefHTMLSyn::rsValue || range == TZefHTMLSyn::rsQuoteValue ||
           range == TZefHTMLSyn::rsDoubleQuoteValue;
}

// The tokens of one line as "kind:pos:length" triples; checks coverage on the way.
std::vector<int> Tokens(TZefHTMLSyn& html, std::string_view line, int index)
{
    std::vector<int> tokens;
    html.SetLine(line, index);
    size_t expected = 0;
    while (!html.GetEol()) {
        const std::string_view token = html.GetToken();
        Check(html.GetTokenPos() >= 0 && static_cast<size_t>(html.GetTokenPos()) == expected);
        Check(!token.empty());
        Check(token.data() == line.data() + expected);
        Check(html.GetTokenKind() >= 0 && html.GetTokenKind() <= TZefHTMLSyn::tkValue &&
              html.GetTokenKind() != TZefHTMLSyn::tkNull);
        Check(html.GetTokenAttribute() != nullptr);
        tokens.insert(tokens.end(), {html.GetTokenKind(), html.GetTokenPos(), static_cast<int>(token.size())});
        expected += token.size();
        html.Next();
    }
    Check(expected == line.size());
    Check(html.GetTokenKind() == TZefHTMLSyn::tkNull && html.GetToken().empty());
    return tokens;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TZefHTMLSyn html;
    static TZefHTMLSyn again;
    // Lines split at LF only, so CR and NUL stay inside lines as the store may hold them.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    std::vector<TZefRangeState> stored;
    std::vector<std::vector<int>> tokens;
    html.ResetRange();
    for (size_t i = 0; i < lines.size(); ++i) {
        const TZefRangeState start = html.GetRange();
        tokens.push_back(Tokens(html, lines[i], static_cast<int>(i)));
        const TZefRangeState end = html.GetRange();
        Check(LineStartState(end));
        stored.push_back(end);
        again.SetRange(start);
        again.ScanLineRange(lines[i], static_cast<int>(i));
        Check(again.GetRange() == end);
        html.SetRange(end);
    }
    // Each line again on its own, last to first, from the stored range of the line above.
    for (size_t i = lines.size(); i-- > 0;) {
        if (i == 0) {
            again.ResetRange();
        } else {
            again.SetRange(stored[i - 1]);
        }
        Check(Tokens(again, lines[i], static_cast<int>(i)) == tokens[i]);
        Check(again.GetRange() == stored[i]);
    }
    return 0;
}
