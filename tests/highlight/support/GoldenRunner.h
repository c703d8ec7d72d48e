// Golden-file checks of a highlighter: a sample file scanned three ways must give its expected token dump.
#pragma once

#include "TestHighlighter.h"

#include "ZefEditTextBuffer.h"
#include "ZefHighlighterRanges.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace golden {

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The store's lines scanned from the top, ranges carried from each line to the next.
template <typename KindNamer>
std::string DumpFromTop(TZefCustomHighlighter& highlighter, const TZefEditStringList& lines, KindNamer kindName)
{
    std::string dump;
    highlighter.ResetRange();
    for (int i = 0; i < lines.Count(); ++i) dump += DumpLineTokens(highlighter, lines.GetLine(i), i, kindName) + "\n";
    return dump;
}

// Ranges stored first (as the editor does); then each line alone, last to first, from its predecessor's
// stored range, so that any dependence on state other than the range shows.
template <typename KindNamer>
std::string DumpFromStoredRanges(TZefCustomHighlighter& highlighter, TZefEditStringList& lines, KindNamer kindName)
{
    zefranges::ScanAllRanges(highlighter, lines);
    std::vector<std::string> dumps(static_cast<size_t>(lines.Count()));
    for (int i = lines.Count() - 1; i >= 0; --i) {
        if (i == 0) {
            highlighter.ResetRange();
        } else {
            highlighter.SetRange(lines.GetRangeState(i - 1));
        }
        dumps[static_cast<size_t>(i)] = DumpLineTokens(highlighter, lines.GetLine(i), i, kindName);
    }
    std::string dump;
    for (const std::string& line : dumps) dump += line + "\n";
    return dump;
}

// Checks `samplePath` against `samplePath + ".tokens"`: scanned from the top, line by line from stored
// ranges, and with its line breaks turned into CR LF. Answers an empty string when all three match the
// expected dump; otherwise a description, and the dump from the top is written to `samplePath +
// ".tokens.new"` for review (rename it to promote it).
template <typename KindNamer>
std::string Check(TZefCustomHighlighter& highlighter, const std::string& samplePath, KindNamer kindName)
{
    const std::string sample = ReadFile(samplePath);
    const std::string expected = ReadFile(samplePath + ".tokens");
    TZefEditStringList lines;
    lines.SetText(sample);
    std::string crlf;
    for (char c : sample) {
        if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf += '\r';
        crlf += c;
    }
    TZefEditStringList crlfLines;
    crlfLines.SetText(crlf);

    const std::string fromTop = DumpFromTop(highlighter, lines, kindName);
    std::string problems;
    if (sample.empty()) problems += "no sample; ";
    if (fromTop != expected) problems += "from the top differs; ";
    if (DumpFromStoredRanges(highlighter, lines, kindName) != fromTop) problems += "from stored ranges differs; ";
    if (DumpFromTop(highlighter, crlfLines, kindName) != fromTop) problems += "with CR LF differs; ";
    if (!problems.empty()) {
        std::ofstream(samplePath + ".tokens.new", std::ios::binary) << fromTop;
        problems += "see " + samplePath + ".tokens.new";
    }
    return problems;
}

} // namespace golden
