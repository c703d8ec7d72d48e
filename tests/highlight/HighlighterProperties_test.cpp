// Properties every registered highlighter keeps on random lines built from its language's alphabet: tokens
// tile each line, resuming a line from its stored range gives the same tokens, the range scan without
// tokens agrees (from every state the language lists), and a never-scanned or stale range neither crashes
// nor leaves the language's own states.
#include "support/AllHighlighters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// What every language's lines are made of: quotes, backslashes, blanks, NUL, bytes above 127, punctuation.
const std::vector<std::string> kCommonAlphabet = {
    "\"", "'", "\\", " ", "  ", "\t", std::string(1, '\0'), "\x80", "\xE9", "\xFF", "a", "Z", "_", "x1", "0", "9",
    "12", "1.5", "..", ".", ",", ";", ":", "=", "#", "$", "%", "@", "&", "!", "?", "(", ")", "[", "]", "{", "}",
    "<", ">", "/", "*", "-", "+", "^", "~", "|", "\r",
};

// Each language's own openers, words and literals; a registered language needs a row.
const std::map<std::string, std::vector<std::string>> kLanguageAlphabet = {
    {"HTML", {"<", "</", "<!--", "-->", "&amp;", "&#169;", "=", "\"v\"", "p", "body", "TABLE"}},
    {"INI File", {";", "[", "]", "=", "'''", "\"\"\"", "1.5e3", "4ab", "[Section]", "Key"}},
    {"MS-DOS Batch", {"rem", "REM ", "::", ":", "%%i", "%~dp0", "%PATH%", "%1", "echo", "goto", "errorlevel"}},
    {"Borland Forms", {"{", "}", "object", "end", "inherited", "#13", "$FF", "'", "Form1: TForm1"}},
    {"C++", {"/*", "*/", "/*/", "//", "#define", "#", "\\", "asm", "__asm", "{", "}", ";", "0x1F", "017", "09",
             "1.5e-3", "2.0f", "10UL", "1e", "0x", "'", "...", "->", "<<=", "int", "nullptr"}},
    {"Fortran", {"C", "c", "*", "!", "PROGRAM", "do", "1.5E2", "structure"}},
    {"Foxpro", {"&&", "*", "{", "}", "{^2000-01-01}", "@", "_screen", "set", "sele"}},
    {"General", {"(*", "*)", "{", "}", "/*", "*/", "//", "#1", "#define", "'"}},
    {"Java", {"/*", "/**", "/**/", "*/", "//", "\\", "\"\"\"", "$x", "@", "#", "1e-5", "0x1F", "10-x", ">>>=", "class",
              "enum"}},
    {"JavaScript", {"/*", "*/", "//", "\\", "\"C:\\\\\"", "'''", "$x", ".5", "0x1F", "===", "NaN", "document", "onClick",
                    "All"}},
    {"KiXtart", {";", "$var", "@USERID", "#13", "?", "COOKIE1", "COOKIE2", "ENDIF"}},
    {"MS VBScript", {"'", "Rem", "rem ", "#1/1/2000#", "#", "Dim", "ElseIf", "Print #1"}},
    {"Perl", {"#", "$_", "$^W", "$^", "$count", "@ARGV", "%INC", "%", "x", "x=", "eq", "strict", "\"\"\"", "<=>",
              "1e-5", ".5", "`", "$ARGV"}},
    {"PHP", {"#", "//", "/*", "*/", "$a", "{$", "${", "[", "['", "']", "->", "\\\"", "1e-5", "echo", "ECHO",
             "__FILE__"}},
    {"Visual Basic", {"'", "Rem", "rem ", "#1/1/2000#", "#", "Dim", "elseif", "Print #1", "1.5e3"}},
    {"Object Pascal", {"{", "}", "{$", "(*", "*)", "//", "''", "#13", "#$0D", "$FF", "1e-3", "asm", "end", "property",
                       "read", "exports", "name", "index", "1..2"}},
    {"SQL", {"--", "/*", "*/", "'", "\"\"", "\\\"", "@", "@@x", "select", "REFERENCES", "name#1", "1-2", "5--",
             "<<=", "||", "#", "$", "`"}},
    {"XML", {"<", "</", ">", "<!--", "-->", "<?", "?>", "<![CDATA[", "]]>", "<!DOCTYPE", "[", "]", "&amp;", "&#",
             "a", "xmlns:x", "=", "='", "=\"", "/>", "<!"}},
    {"Cascading Style Sheet", {"{", "}", ":", ";", ",", "/*", "*/", "/", "#FF0", "1.5", "..", "color",
                               "z-index", "px solid", "a:hover", "\""}},
    {"x86 Assembly", {";", "#", "//", "mov", "EAX", "0FFh", "0x1F", "fld1", "pfrcpit1"}},
};

struct TDocument {
    std::vector<std::string> lines;
};

TDocument RandomDocument(const std::vector<std::string>& alphabet, unsigned seed)
{
    std::mt19937 random(seed);
    TDocument document;
    for (int line = 0; line < 200; ++line) {
        std::string text;
        const int pieces = static_cast<int>(random() % 24);
        for (int i = 0; i < pieces; ++i) text += alphabet[random() % alphabet.size()];
        document.lines.push_back(text);
    }
    return document;
}

class AllHighlighters : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        highlighter_ = alllanguages::Create(GetParam());
        again_ = alllanguages::Create(GetParam());
        ASSERT_NE(highlighter_, nullptr);
        const auto row = kLanguageAlphabet.find(GetParam());
        ASSERT_NE(row, kLanguageAlphabet.end()) << GetParam() << " has no alphabet in this test";
        alphabet_ = kCommonAlphabet;
        alphabet_.insert(alphabet_.end(), row->second.begin(), row->second.end());
        if (const auto* scan = dynamic_cast<const TZefScanHighlighter*>(highlighter_.get())) ranges_ = scan->RangeStates();
    }

    bool OwnRange(TZefRangeState range) const
    {
        return ranges_.empty() || std::find(ranges_.begin(), ranges_.end(), range) != ranges_.end();
    }

    std::unique_ptr<TZefCustomHighlighter> highlighter_;
    std::unique_ptr<TZefCustomHighlighter> again_;
    std::vector<std::string> alphabet_;
    std::vector<TZefRangeState> ranges_;
};

} // namespace

TEST_P(AllHighlighters, TokensTileLinesAndResumingFromStoredRangesAgrees)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const TDocument document = RandomDocument(alphabet_, seed);
        std::vector<std::vector<alllanguages::TToken>> tokens;
        std::vector<TZefRangeState> stored;
        highlighter_->ResetRange();
        for (size_t i = 0; i < document.lines.size(); ++i) {
            const std::string context = GetParam() + " seed " + std::to_string(seed) + " line " + std::to_string(i);
            const TZefRangeState start = highlighter_->GetRange();
            tokens.push_back(alllanguages::ReadTokens(*highlighter_, document.lines[i], static_cast<int>(i), context));
            const TZefRangeState end = highlighter_->GetRange();
            EXPECT_TRUE(OwnRange(end)) << context << " ends in range " << end;
            again_->SetRange(start);
            again_->ScanLineRange(document.lines[i], static_cast<int>(i));
            EXPECT_EQ(again_->GetRange(), end) << context << ": the range scan disagrees";
            stored.push_back(end);
            highlighter_->SetRange(end);
            if (HasFailure()) return;
        }
        for (size_t i = document.lines.size(); i-- > 0;) {
            if (i == 0) {
                again_->ResetRange();
            } else {
                again_->SetRange(stored[i - 1]);
            }
            const std::string context = GetParam() + " seed " + std::to_string(seed) + " resumed line " + std::to_string(i);
            EXPECT_EQ(alllanguages::ReadTokens(*again_, document.lines[i], static_cast<int>(i), context), tokens[i])
                << context;
            EXPECT_EQ(again_->GetRange(), stored[i]) << context;
            if (HasFailure()) return;
        }
    }
}

TEST_P(AllHighlighters, RangeScanAgreesWithTheTokenLoopFromEveryState)
{
    // Many lines, each from every state the language lists (also those a scan from the top rarely reaches),
    // with runs of plain words between the pieces, so that a range scan skipping ahead meets every opener,
    // quote, backslash, NUL and high byte with something on either side and at either end of the line.
    std::vector<std::string> alphabet = alphabet_;
    alphabet.insert(alphabet.end(), {"plain words", "x = y", "as", "m", "\\", "*", "/", "'\\'", "\"\\\""});
    std::mt19937 random(2024);
    const std::vector<TZefRangeState> starts = ranges_.empty() ? std::vector<TZefRangeState>{0} : ranges_;
    for (int i = 0; i < 1500; ++i) {
        std::string line;
        const int pieces = static_cast<int>(random() % 10);
        for (int k = 0; k < pieces; ++k) line += alphabet[random() % alphabet.size()];
        for (const TZefRangeState start : starts) {
            highlighter_->SetRange(start);
            const std::string context = GetParam() + " from range " + std::to_string(start) + ": \"" + line + "\"";
            alllanguages::ReadTokens(*highlighter_, line, 1, context);
            again_->SetRange(start);
            again_->ScanLineRange(line, 1);
            ASSERT_EQ(again_->GetRange(), highlighter_->GetRange()) << context;
        }
    }
}

TEST_P(AllHighlighters, NeverScannedAndStaleRangesStartFromTheInitialState)
{
    const TDocument document = RandomDocument(alphabet_, 99);
    const TZefRangeState stale[] = {-1, INT_MIN, INT_MAX, 1000, 5, 9, 19, 20, 21, 64, 255};
    for (const TZefRangeState range : stale) {
        for (size_t i = 0; i < document.lines.size(); i += 7) {
            const std::string context = GetParam() + " range " + std::to_string(range) + " line " + std::to_string(i);
            highlighter_->SetRange(range);
            const auto fromStale = alllanguages::ReadTokens(*highlighter_, document.lines[i], 1, context);
            EXPECT_TRUE(OwnRange(highlighter_->GetRange())) << context;
            if (ranges_.empty() || OwnRange(range)) continue;
            // A value outside the language's states reads as the initial one.
            again_->ResetRange();
            EXPECT_EQ(fromStale, alllanguages::ReadTokens(*again_, document.lines[i], 1, context)) << context;
            EXPECT_EQ(highlighter_->GetRange(), again_->GetRange()) << context;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, AllHighlighters, ::testing::ValuesIn(alllanguages::LanguageNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (const char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });
