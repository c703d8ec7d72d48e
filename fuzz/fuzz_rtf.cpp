// libFuzzer target: parses random bytes as RTF (with and without the "{\rtf" opening) and checks that the
// reader's output stays within what the input can produce: no more text units and paragraph breaks than
// input bytes, and only non-empty runs.
#include "ZefRtfParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

class TCountingSink : public TZefRtfSink {
public:
    void Text(std::u16string_view text, const TZefRtfCharFormat& format, const TZefRtfParagraphFormat&) override
    {
        Check(!text.empty());
        Check(format.sizeHalfPoints > 0);
        units += text.size();
    }
    void ParagraphBreak() override { ++paragraphs; }

    std::size_t units = 0;
    std::size_t paragraphs = 0;
};

void Parse(std::string_view input)
{
    TCountingSink sink;
    ZefParseRtf(input, sink);
    Check(sink.units <= input.size());
    Check(sink.paragraphs <= input.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65536) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Parse(bytes);
    Parse(std::string("{\\rtf1 ").append(bytes));
    return 0;
}
