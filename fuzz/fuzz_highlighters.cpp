// libFuzzer target: every registered highlighter line by line over random bytes; the first byte picks the
// language. Checks that the tokens tile each line, that every end state is one the language lists, that the
// range scan without tokens agrees with the token loop (from every listed state, too), that resuming each line from its stored range gives
// the same tokens, and that a stale range (taken from the input) neither crashes nor leaves the language's
// states.
#include "HighlighterFuzzChecks.h"
#include "ZefHighlighterRegistry.h"
#include "ZefScanHighlighter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace {

struct TLanguage {
    std::unique_ptr<TZefCustomHighlighter> scanner;
    std::unique_ptr<TZefCustomHighlighter> again;
    std::vector<TZefRangeState> ranges; // empty when the language lists none
};

std::vector<TLanguage>& Languages()
{
    static std::vector<TLanguage> languages = [] {
        std::vector<TLanguage> all;
        auto first = ZefCreateHighlighters();
        auto second = ZefCreateHighlighters();
        for (size_t i = 0; i < first.size(); ++i) {
            TLanguage language;
            if (const auto* scan = dynamic_cast<const TZefScanHighlighter*>(first[i].get()))
                language.ranges = scan->RangeStates();
            language.scanner = std::move(first[i]);
            language.again = std::move(second[i]);
            all.push_back(std::move(language));
        }
        return all;
    }();
    return languages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    std::vector<TLanguage>& languages = Languages();
    TLanguage& language = languages[data[0] % languages.size()];
    const auto listed = [&language](TZefRangeState range) {
        return language.ranges.empty() ||
               std::find(language.ranges.begin(), language.ranges.end(), range) != language.ranges.end();
    };
    const std::vector<std::string_view> lines =
        zeffuzz::Lines(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    zeffuzz::CheckDocument(*language.scanner, *language.again, lines, listed);
    zeffuzz::CheckRangeScanFromEveryState(*language.scanner, *language.again, lines, language.ranges);
    // A stale range made of the input's first bytes.
    TZefRangeState stale = 0;
    for (size_t i = 0; i < std::min<size_t>(size, 4); ++i) stale = static_cast<TZefRangeState>((stale << 8) | data[i]);
    language.again->SetRange(stale);
    zeffuzz::Tokens(*language.again, lines.front(), 0);
    zeffuzz::Check(listed(language.again->GetRange()));
    return 0;
}
