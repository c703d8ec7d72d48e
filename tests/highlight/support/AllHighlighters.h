// What the tests over every registered highlighter share: the example folders, kind names and a token
// reader that checks the tiling of a line on the way.
#pragma once

#include "ZefHighlighterRegistry.h"
#include "ZefScanHighlighter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace alllanguages {

// The language names of the built-in highlighters, in registry order.
inline std::vector<std::string> LanguageNames()
{
    std::vector<std::string> names;
    for (const TZefHighlighterRow& row : ZefHighlighterRows()) names.push_back(row.create()->GetLanguageName());
    return names;
}

// A fresh, configured highlighter of the language (as the application makes it), or nullptr.
inline std::unique_ptr<TZefCustomHighlighter> Create(std::string_view language)
{
    for (auto& highlighter : ZefCreateHighlighters()) {
        if (highlighter->GetLanguageName() == language) return std::move(highlighter);
    }
    return nullptr;
}

// The examples folder of a language: its name in lower case, every character but letters, digits and "+"
// turned into "-" ("INI File" -> "ini-file", "MS-DOS Batch" -> "ms-dos-batch", "C++" -> "c++").
inline std::string ExampleFolderName(std::string_view language)
{
    std::string folder;
    for (const char c : language) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 'A' && byte <= 'Z') {
            folder += static_cast<char>(byte + 32);
        } else if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '+') {
            folder += c;
        } else {
            folder += '-';
        }
    }
    return folder;
}

inline std::filesystem::path ExampleFolder(std::string_view language)
{
    return std::filesystem::path(QT_TESTCASE_SOURCEDIR) / "highlight" / "examples" / ExampleFolderName(language);
}

// The sample files of a folder (every file but the expected and proposed dumps), sorted.
inline std::vector<std::filesystem::path> Samples(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> samples;
    if (!std::filesystem::is_directory(folder)) return samples;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.ends_with(".tokens") && !name.ends_with(".tokens.new"))
            samples.push_back(entry.path());
    }
    std::sort(samples.begin(), samples.end());
    return samples;
}

// The kind namer of the token dumps.
inline auto KindNamer(const TZefCustomHighlighter& highlighter)
{
    const auto* scan = dynamic_cast<const TZefScanHighlighter*>(&highlighter);
    return [scan](int kind) { return scan ? scan->TokenKindName(kind) : std::string_view("?"); };
}

struct TToken {
    int kind;
    int pos;
    int length;
    friend bool operator==(const TToken&, const TToken&) = default;
};

// The tokens of one line from the range the highlighter holds; records a failure (with `context`) when
// they do not tile the line: each non-empty, starting where the last ended, a view of the line itself, and
// the last ending at the line's length.
inline std::vector<TToken> ReadTokens(TZefCustomHighlighter& highlighter, std::string_view line, int lineIndex,
                                      const std::string& context)
{
    std::vector<TToken> tokens;
    highlighter.SetLine(line, lineIndex);
    size_t expected = 0;
    while (!highlighter.GetEol()) {
        const std::string_view token = highlighter.GetToken();
        if (token.empty() || static_cast<size_t>(highlighter.GetTokenPos()) != expected ||
            token.data() != line.data() + expected) {
            ADD_FAILURE() << context << ": token at " << highlighter.GetTokenPos() << " of length " << token.size()
                          << ", expected one at " << expected;
            return tokens;
        }
        tokens.push_back({highlighter.GetTokenKind(), highlighter.GetTokenPos(), static_cast<int>(token.size())});
        expected += token.size();
        highlighter.Next();
    }
    if (expected != line.size()) ADD_FAILURE() << context << ": tokens stop at " << expected << " of " << line.size();
    return tokens;
}

} // namespace alllanguages

#include "TestHighlighter.h"

namespace alllanguages {

// A language's token dump of `text` (lines split at "\n", ranges carried), as the table tests write it; the
// first line starts from ResetRange, or from SetRange(start) when a start range is given.
inline std::string Dump(TZefScanHighlighter& highlighter, std::string_view text,
                        std::optional<TZefRangeState> start = std::nullopt)
{
    const auto name = [&highlighter](int kind) { return highlighter.TokenKindName(kind); };
    if (!start) return DumpTokens(highlighter, text, name);
    highlighter.SetRange(*start);
    std::string dump;
    int lineIndex = 1;
    for (size_t from = 0; from <= text.size();) {
        size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        dump += DumpLineTokens(highlighter, text.substr(from, end - from), lineIndex++, name) + "\n";
        from = end + 1;
    }
    return dump;
}

// One row of a language's table test: a name saying what it shows, the text, its expected dump and, for
// rows about resuming a line, the range the first line starts from.
struct TDumpCase {
    const char* name;
    std::string text;
    std::string dump;
    std::optional<TZefRangeState> start = std::nullopt;
};

template <typename Language>
void CheckDumps(const std::vector<TDumpCase>& cases)
{
    for (const TDumpCase& c : cases) {
        Language language;
        EXPECT_EQ(Dump(language, c.text, c.start), c.dump) << c.name;
    }
}

} // namespace alllanguages
