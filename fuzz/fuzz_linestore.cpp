// libFuzzer target for the line store's loading: any bytes loaded (both ways of reading a final break) and
// saved without edits must come back byte for byte; SetText must split them into the same lines; and
// after edits driven by the input, saving and loading again must give the same lines. Splitting the bytes in
// two parts on two threads must give the same lines and breaks as one scan.
#include "ZefEditTextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

std::vector<std::string> LinesOf(const TZefEditStringList& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.emplace_back(list.GetLine(i));
    return lines;
}

std::string Save(const TZefEditStringList& list)
{
    std::ostringstream out;
    list.SaveToStream(out);
    return out.str();
}

void Load(TZefEditStringList& list, const std::string& bytes)
{
    std::istringstream in(bytes);
    list.LoadFromStream(in);
}

// A few line operations chosen by the script's bytes, each with indexes kept in range.
void Edit(TZefEditStringList& list, std::string_view script)
{
    for (size_t i = 0; i + 1 < script.size(); i += 2) {
        const int count = list.Count();
        const int at = count > 0 ? static_cast<unsigned char>(script[i + 1]) % count : 0;
        switch (static_cast<unsigned char>(script[i]) % 8) {
        case 0: list.InsertLine(at, "ins"); break;
        case 1: if (count > 0) list.DeleteLine(at); break;
        case 2: if (count > 0) list.ReplaceLine(at, ""); break;
        case 3: list.RemoveLines(at, static_cast<unsigned char>(script[i + 1]) % 3); break;
        case 4: list.InsertEmptyLines(at, 1 + static_cast<unsigned char>(script[i + 1]) % 2); break;
        case 5: if (count > 1) list.ExchangeLines(0, at); break;
        case 6: list.AppendLines({"app"}); break;
        case 7:
            if (count > 0) list.ReplaceInLine(at, static_cast<unsigned char>(script[i]) % 5, static_cast<unsigned char>(script[i]) % 3, "x\ty");
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65536) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const bool trailing : {true, false}) {
        TZefEditStringList list;
        list.SetTrailingLineBreak(trailing);
        Load(list, bytes);
        Check(Save(list) == bytes);

        // Split into lines in two parts on two threads, the same lines with the same breaks.
        TZefEditStringList twoParts;
        twoParts.SetTrailingLineBreak(trailing);
        TZefEditStringList::SetTwoPartLoadFrom(0);
        Load(twoParts, bytes);
        TZefEditStringList::SetTwoPartLoadFrom(size_t{4} << 20);
        Check(LinesOf(twoParts) == LinesOf(list));
        Check(twoParts.LineBreakStyle() == list.LineBreakStyle() && twoParts.TrailingLineBreak() == list.TrailingLineBreak());
        for (int i = 0; i < list.Count(); ++i) Check(twoParts.GetLineBreak(i) == list.GetLineBreak(i));
        Check(Save(twoParts) == bytes);

        if (trailing) {
            TZefEditStringList set;
            set.SetText(bytes);
            Check(LinesOf(set) == LinesOf(list));
        }

        Edit(list, std::string_view(bytes).substr(0, 64));
        const std::string saved = Save(list);
        TZefEditStringList again;
        again.SetTrailingLineBreak(list.TrailingLineBreak());
        Load(again, saved);
        const bool emptied = list.Count() == 0 || (list.Count() == 1 && list.GetLine(0).empty());
        if (!(emptied && saved.empty())) Check(LinesOf(again) == LinesOf(list));
        Check(Save(again) == saved);
    }
    return 0;
}
