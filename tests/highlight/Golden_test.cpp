// Golden files: each example under examples/<language>/ scanned three ways must give its expected token dump.
#include "support/GoldenRunner.h"
#include "support/TestHighlighter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The test executable knows its source folder through Qt Test's definition.
std::string ExamplePath(const std::string& relative) { return std::string(QT_TESTCASE_SOURCEDIR) + "/highlight/examples/" + relative; }

} // namespace

TEST(GoldenFiles, TestLanguageSample)
{
    TZefTestHighlighter highlighter;
    EXPECT_EQ(golden::Check(highlighter, ExamplePath("test/sample.tst"), &TZefTestHighlighter::KindName), "");
}

#include "support/AllHighlighters.h"

#include <set>

namespace {

// Which token kinds and end ranges scanning the sample from the top reaches.
void Reached(TZefCustomHighlighter& highlighter, const std::string& sample, std::set<int>* kinds,
             std::set<TZefRangeState>* ranges)
{
    TZefEditStringList lines;
    lines.SetText(sample);
    highlighter.ResetRange();
    for (int i = 0; i < lines.Count(); ++i) {
        for (const auto& token : alllanguages::ReadTokens(highlighter, lines.GetLine(i), i, "reach"))
            kinds->insert(token.kind);
        ranges->insert(highlighter.GetRange());
    }
}

} // namespace

// Every registered language's samples scanned three ways, and together reaching every kind and range the
// language lists.
TEST(GoldenFiles, EveryRegisteredLanguage)
{
    for (const auto& highlighter : ZefCreateHighlighters()) {
        const std::string name = highlighter->GetLanguageName();
        std::set<int> kinds;
        std::set<TZefRangeState> ranges;
        for (const auto& sample : alllanguages::Samples(alllanguages::ExampleFolder(name))) {
            EXPECT_EQ(golden::Check(*highlighter, sample.string(), alllanguages::KindNamer(*highlighter)), "") << name;
            Reached(*highlighter, golden::ReadFile(sample.string()), &kinds, &ranges);
        }
        const auto* scan = dynamic_cast<const TZefScanHighlighter*>(highlighter.get());
        if (scan == nullptr) continue;
        for (const int kind : scan->TokenKinds())
            EXPECT_TRUE(kinds.count(kind)) << name << ": no sample reaches kind " << scan->TokenKindName(kind);
        for (const TZefRangeState range : scan->RangeStates())
            EXPECT_TRUE(ranges.count(range)) << name << ": no sample line ends in range " << range;
    }
}
