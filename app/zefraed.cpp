// Command-line stand-in for the editor window: loads FILE into the line store and reports what it found.
// The window replaces this once the editor control can paint.
#include "ZefEditTextBuffer.h"

#include <cstdio>
#include <exception>

namespace {

const char* StyleName(TLineBreakStyle style)
{
    switch (style) {
    case lbsLF: return "LF";
    case lbsCR: return "CR";
    case lbsCRLF: break;
    }
    return "CR LF";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("Zefra Text Editor: no window yet; give a file to load, e.g. ./run.sh notes.txt\n");
        return 0;
    }
    TZefEditStringList lines;
    try {
        lines.LoadFromFile(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error Message : %s\n", error.what());
        return 1;
    }
    std::printf("%s: %d lines, line breaks %s\n", argv[1], lines.Count(), StyleName(lines.LineBreakStyle()));
    return 0;
}
