// TZefRegExpr against std::regex (ECMAScript, also a leftmost backtracking matcher) on generated patterns
// from the syntax both read alike; the first match must agree whenever the oracle's match is not empty.
#include "ZefRegExpr.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

namespace {

class PatternGenerator {
public:
    explicit PatternGenerator(unsigned seed) : random_(seed) {}

    std::string Pattern(int depth = 0)
    {
        std::string out = Branch(depth);
        if (depth < 2 && Chance(15)) out += "|" + Branch(depth);
        return out;
    }

    std::string Text()
    {
        static const char kAlphabet[] = "aabbc1 ";
        std::string text;
        const int length = static_cast<int>(random_() % 16);
        for (int i = 0; i < length; ++i) text += kAlphabet[random_() % (sizeof kAlphabet - 1)];
        return text;
    }

private:
    bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

    std::string Branch(int depth)
    {
        std::string out;
        const int pieces = 1 + static_cast<int>(random_() % 3);
        for (int i = 0; i < pieces; ++i) out += Piece(depth);
        return out;
    }

    std::string Piece(int depth)
    {
        static const char* const kAtoms[] = {"a", "b", "c", ".", "[ab]", "[^a]", "\\d", "\\w", "\\s", "[a-c]", "ab"};
        static const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};
        if (Chance(8)) return kAnchors[random_() % 4];
        std::string atom = depth < 2 && Chance(25) ? "(" + Pattern(depth + 1) + ")"
                                                   : kAtoms[random_() % (sizeof kAtoms / sizeof *kAtoms)];
        if (atom == "ab") return atom;
        static const char* const kQuantifiers[] = {"*", "+", "?", "{2}", "{1,2}", "{0,}", "{2,}"};
        if (Chance(40)) {
            atom += kQuantifiers[random_() % 7];
            if (Chance(30)) atom += "?";
        }
        return atom;
    }

    std::mt19937 random_;
};

TEST(RegExprOracle, FirstMatchAgreesWithStdRegex)
{
    PatternGenerator generator(12345);
    int compared = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string pattern = generator.Pattern();
        TZefRegExpr re;
        re.SetExpression(pattern);
        try {
            re.Compile();
        } catch (const EZefRegExpr& e) {
            ASSERT_TRUE(e.Code() == 106) << pattern << ": " << e.what(); // a loop over what may be empty
            continue;
        }
        const std::regex oracle(pattern, std::regex::ECMAScript);
        for (int t = 0; t < 5; ++t) {
            const std::string text = generator.Text();
            std::smatch expected;
            const bool oracleFound = std::regex_search(text, expected, oracle);
            const bool found = re.Exec(text);
            if (oracleFound && expected.length(0) == 0) {
                // Empty matches are found only where a byte of the first-character set is.
                if (found) {
                    EXPECT_GE(re.MatchStart(0) - 1, expected.position(0)) << pattern << " / " << text;
                }
                continue;
            }
            ++compared;
            ASSERT_EQ(found, oracleFound) << "pattern '" << pattern << "' text '" << text << "'";
            if (found) {
                ASSERT_EQ(re.MatchStart(0) - 1, expected.position(0)) << "pattern '" << pattern << "' text '" << text << "'";
                ASSERT_EQ(re.MatchLength(0), expected.length(0)) << "pattern '" << pattern << "' text '" << text << "'";
            }
        }
    }
    EXPECT_GT(compared, 10000) << "the generator must mostly produce patterns both engines read";
}

} // namespace
