// The two search engines behind TZefEditSearchCustom: results, case folding, whole words, tables kept
// between searches, replacement texts, errors; the plain engine also against a naive scan.
#include "ZefEditRegexSearch.h"
#include "ZefEditSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<int> Positions(TZefEditSearchCustom& engine, const std::string& text)
{
    std::vector<int> out;
    const int count = engine.FindAll(text);
    for (int i = 0; i < count; ++i) out.push_back(engine.Results(i));
    return out;
}

struct PlainCase {
    const char* pattern;
    TSearchOptions options;
    const char* text;
    std::vector<int> expected;
};

const std::string kLong = std::string(300, 'q') + "z";

const PlainCase kPlain[] = {
    {"aa", soMatchCase, "aaaa", {1, 3}},
    {"ABC", 0, "abc aBc ABC", {1, 5, 9}},
    {"ABC", soMatchCase, "abc aBc ABC", {9}},
    {"\xC9t\xC9", 0, "\xE9t\xE9 \xC9T\xC9", {1, 5}},         // 'ÉtÉ' finds 'été' and 'ÉTÉ'
    {"\x8A", 0, "\x9A\x8A", {1, 2}},                          // Š and š fold alike
    {"foo", soWholeWord, "foo_bar foo-bar", {9}},
    {"foo", soWholeWord, "foo", {1}},
    {"foo", soWholeWord, "foo\xE9 foo", {6}},                 // 'é' is a letter of the code page
    {"-b", soWholeWord, "a -b c", {3}},
    {"abcdef", 0, "abc", {}},
    {"abcb", soMatchCase, "abcbabcb", {1, 5}},
    {"abab", soMatchCase, "abababab", {1, 5}},
    {"x", 0, "xXx", {1, 2, 3}},
};

TEST(PlainSearch, Table)
{
    for (const PlainCase& c : kPlain) {
        TZefEditSearch engine;
        engine.SetPattern(c.pattern);
        engine.SetOptions(c.options);
        EXPECT_EQ(Positions(engine, c.text), c.expected) << c.pattern << " in " << c.text;
        if (!c.expected.empty()) {
            EXPECT_EQ(engine.Lengths(7), static_cast<int>(std::string(c.pattern).size())) << "any index";
        }
    }
}

TEST(PlainSearch, LongPatternsAndNulBytes)
{
    TZefEditSearch engine;
    engine.SetOptions(soMatchCase);
    engine.SetPattern(kLong);
    EXPECT_EQ(Positions(engine, "ab" + kLong + kLong), (std::vector<int>{3, 3 + static_cast<int>(kLong.size())}));
    engine.SetPattern(std::string("a\0b", 3));
    EXPECT_EQ(Positions(engine, std::string("a\0b a\0b", 7)), (std::vector<int>{1, 5}));
}

TEST(PlainSearch, ResultsOutsideTheListAreZeroAndEmptyPatternFails)
{
    TZefEditSearch engine;
    engine.SetPattern("b");
    ASSERT_EQ(engine.FindAll("abc"), 1);
    EXPECT_EQ(engine.Results(0), 2);
    EXPECT_EQ(engine.Results(1), 0);
    EXPECT_EQ(engine.Results(-1), 0);
    EXPECT_EQ(engine.Replace("b", "$1\\n"), "$1\\n");
    engine.SetPattern("");
    try {
        engine.FindAll("abc");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Pattern is empty");
    }
    EXPECT_EQ(engine.ResultCount(), 0);
}

TEST(PlainSearch, OptionsAndPatternPersist)
{
    TZefEditSearch engine;
    engine.SetPattern("Ab");
    EXPECT_EQ(engine.Pattern(), "Ab");
    EXPECT_EQ(Positions(engine, "ab AB"), (std::vector<int>{1, 4})) << "created case-insensitive";
    engine.SetOptions(soMatchCase | soBackwards);
    EXPECT_EQ(Positions(engine, "ab AB Ab"), (std::vector<int>{7}));
    engine.SetPattern("ab");
    EXPECT_EQ(Positions(engine, "ab AB Ab"), (std::vector<int>{1})) << "a new pattern keeps the options";
    engine.SetOptions(soWholeWord);
    EXPECT_EQ(Positions(engine, "ab AB Abc"), (std::vector<int>{1, 4}));
}

// Left-to-right, non-overlapping search by direct comparison, as the plain engine must answer.
std::vector<int> NaiveFind(const std::string& pattern, const std::string& text, bool matchCase, bool wholeWord)
{
    auto fold = [matchCase](unsigned char c) { return matchCase ? c : cp1252::ToLower(c); };
    auto delimiter = [](unsigned char c) { return !cp1252::IsAlphaNumeric(c) && c != '_'; };
    std::vector<int> out;
    const size_t m = pattern.size();
    for (size_t i = 0; i + m <= text.size();) {
        bool same = true;
        for (size_t k = 0; k < m && same; ++k) {
            same = fold(static_cast<unsigned char>(text[i + k])) == fold(static_cast<unsigned char>(pattern[k]));
        }
        if (same && wholeWord) {
            same = (i == 0 || delimiter(static_cast<unsigned char>(text[i - 1]))) &&
                   (i + m == text.size() || delimiter(static_cast<unsigned char>(text[i + m])));
        }
        if (same) {
            out.push_back(static_cast<int>(i + 1));
            i += m;
        } else {
            ++i;
        }
    }
    return out;
}

TEST(PlainSearch, AgreesWithNaiveScanOnRandomText)
{
    std::mt19937 random(7);
    const std::string alphabet = "abAB _-\xE9\xC9";
    auto randomText = [&](size_t length) {
        std::string s;
        for (size_t i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
        return s;
    };
    TZefEditSearch engine;
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = randomText(1 + random() % 4);
        const std::string text = randomText(random() % 40);
        const bool matchCase = random() % 2;
        const bool wholeWord = random() % 2;
        engine.SetPattern(pattern);
        engine.SetOptions(static_cast<TSearchOptions>((matchCase ? soMatchCase : 0) | (wholeWord ? soWholeWord : 0)));
        ASSERT_EQ(Positions(engine, text), NaiveFind(pattern, text, matchCase, wholeWord))
            << "pattern '" << pattern << "' text '" << text << "' case " << matchCase << " word " << wholeWord;
    }
}

TEST(RegexSearch, FindsAllMatchesWithLengths)
{
    TZefEditRegexSearch engine;
    engine.SetPattern("\\d+");
    engine.SetOptions(soMatchCase);
    ASSERT_EQ(engine.FindAll("a1 22 333"), 3);
    EXPECT_EQ(engine.Results(1), 4);
    EXPECT_EQ(engine.Lengths(2), 3);
    EXPECT_EQ(engine.Pattern(), "\\d+");
    EXPECT_THROW(engine.Results(3), std::out_of_range);
    EXPECT_THROW(engine.Lengths(-1), std::out_of_range);
    engine.SetPattern("x*");
    EXPECT_EQ(Positions(engine, "axxbx"), (std::vector<int>{2, 5}));
}

TEST(RegexSearch, CaseFollowsOptionsAndWholeWordIsIgnored)
{
    TZefEditRegexSearch engine;
    engine.SetPattern("cat");
    engine.SetOptions(soWholeWord);
    EXPECT_EQ(Positions(engine, "concatenate CAT"), (std::vector<int>{4, 13}));
    engine.SetOptions(soMatchCase | soWholeWord);
    EXPECT_EQ(Positions(engine, "concatenate CAT"), (std::vector<int>{4}));
}

TEST(RegexSearch, ReplaceExpandsAgainstTheOccurrenceOnly)
{
    TZefEditRegexSearch engine;
    engine.SetPattern("(\\d+)-(\\d+)");
    EXPECT_EQ(engine.Replace("12-34", "$2-$1"), "34-12");
    engine.SetPattern("^a");
    EXPECT_EQ(engine.FindAll("ba"), 0);
    EXPECT_EQ(engine.Replace("a", "[$&]"), "[a]") << "the occurrence is searched on its own";
}

TEST(RegexSearch, ErrorsReachTheCallerWithTheListsEmptied)
{
    TZefEditRegexSearch engine;
    engine.SetPattern("a");
    ASSERT_EQ(engine.FindAll("aa"), 2);
    engine.SetPattern("a(");
    EXPECT_THROW(engine.FindAll("aa"), EZefRegExpr);
    EXPECT_EQ(engine.ResultCount(), 0);
}

TEST(SearchEngine, NotifiesItsClientsWhenDestroyed)
{
    std::vector<TZefEditSearchCustom*> notified;
    auto engine = std::make_unique<TZefEditSearch>();
    TZefEditSearchCustom* address = engine.get();
    int clientA = 0;
    int clientB = 0;
    engine->AddFreeNotification(&clientA, [&](TZefEditSearchCustom* e) { notified.push_back(e); });
    engine->AddFreeNotification(&clientB, [&](TZefEditSearchCustom* e) { notified.push_back(e); });
    engine->RemoveFreeNotification(&clientB);
    engine.reset();
    EXPECT_EQ(notified, std::vector<TZefEditSearchCustom*>{address});
}

} // namespace
