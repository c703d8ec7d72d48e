// libFuzzer target: compiles a random pattern with random modifiers, walks all its matches over a random
// line, expands a template and runs the plain engine on the same bytes; checks the match invariants.
// Input layout: byte 0 modifiers, byte 1 options, then pattern, a 0xFF separator, then the line.
#include "ZefEditSearch.h"
#include "ZefRegExpr.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3 || size > 4096) return 0;
    const uint8_t modifiers = data[0];
    const uint8_t options = data[1];
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const size_t split = rest.find('\xFF');
    const std::string_view pattern = rest.substr(0, split == std::string_view::npos ? rest.size() : split);
    const std::string_view line = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
    if (pattern.size() > 128) return 0;

    TZefRegExpr re;
    re.SetMatchLimits(2'000'000, 200'000);
    static const char kLetters[] = "irsgmx";
    for (int bit = 0; bit < 6; ++bit) re.SetModifier(kLetters[bit], (modifiers >> bit) & 1);
    re.SetExpression(pattern);
    try {
        int previousEnd = 0;
        int count = 0;
        for (bool found = re.Exec(line); found && count < 10000; found = re.ExecNext(), ++count) {
            const int start = re.MatchStart(0);
            const int length = re.MatchLength(0);
            Check(start >= 1 && length >= 0 && start - 1 + length <= static_cast<int>(line.size()));
            Check(start - 1 >= previousEnd);
            previousEnd = start - 1 + length;
            for (int group = 1; group <= 14; ++group) {
                const int groupStart = re.MatchStart(group);
                Check(groupStart == -1 || groupStart - 1 + re.MatchLength(group) <= static_cast<int>(line.size()));
            }
            re.ExpandTemplate("$1\\$${2}$&${14}x\\");
        }
        re.ReplaceAll(line.substr(0, 256), "<$0>", true);
    } catch (const EZefRegExpr& e) {
        Check(e.Code() >= 100);
    }

    if (!pattern.empty()) {
        TZefEditSearch plain;
        plain.SetPattern(pattern);
        plain.SetOptions(options);
        const int count = plain.FindAll(line);
        int previousEnd = 0;
        for (int i = 0; i < count; ++i) {
            const int start = plain.Results(i);
            Check(start - 1 >= previousEnd && start - 1 + plain.Lengths(i) <= static_cast<int>(line.size()));
            previousEnd = start - 1 + plain.Lengths(i);
        }
    }
    return 0;
}
