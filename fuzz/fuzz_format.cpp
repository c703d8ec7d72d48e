// libFuzzer target: the text formatter on random lines with settings taken from the first bytes. Checks that
// every run ends (the fuzzer's timeout), that no character other than blanks and control characters is lost
// or made up, and that every line is at most the maximum long unless its first maximum characters are blanks.
#include "ZefTextFormatter.h"

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

std::size_t Visible(const std::vector<std::string>& lines)
{
    std::size_t count = 0;
    for (const std::string& line : lines)
        for (char c : line)
            count += static_cast<unsigned char>(c) > ' ' ? 1 : 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 8) return 0;
    TZefFormatSettings settings;
    settings.Style = (data[0] & 1) != 0 ? TZefFormatStyle::fsGeneralPlus : TZefFormatStyle::fsGeneral;
    settings.MaxLineLength = static_cast<uint16_t>(data[1] % 4 == 0 ? 0 : data[2]);
    settings.JoinParagraphs = (data[0] & 2) != 0;
    settings.SpacesBeforeNew = data[3] % 64;
    settings.SpacesBeforeAll = data[4] % 64;
    if ((data[0] & 4) != 0) settings.AlignChar = std::string(1, static_cast<char>(data[5]));
    settings.AlignCount = data[6] % 8;
    settings.DeleteEmptyLines = (data[0] & 8) != 0;
    settings.MaxEmptyLines = data[7] % 4;

    std::vector<std::string> lines(1);
    for (std::size_t i = 8; i < size; ++i) {
        if (data[i] == '\n') lines.emplace_back();
        else lines.back() += static_cast<char>(data[i]);
    }
    const std::size_t visible = Visible(lines);
    const TZefFormatResult result = ZefFormatLines(lines, settings);
    Check(!result.Stopped);
    Check(Visible(result.Lines) == visible);
    const std::size_t max = settings.MaxLineLength;
    if (max > 0)
        for (const std::string& line : result.Lines)
            Check(line.size() <= max || std::string_view(line).substr(0, max).find_first_not_of(' ') == std::string_view::npos);
    return 0;
}
