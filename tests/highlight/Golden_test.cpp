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
