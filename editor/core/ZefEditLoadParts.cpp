#include "ZefEditLoadParts.h"

#include <cstring>

namespace zefload {

TLineBreakStyle DetectStyle(unsigned kinds)
{
    const bool sawCR = (kinds & (BreakBit(lbsCR) | BreakBit(lbsCRLF))) != 0;
    const bool sawLF = (kinds & (BreakBit(lbsLF) | BreakBit(lbsCRLF))) != 0;
    if (sawCR && !sawLF) return lbsCR;
    if (sawLF && !sawCR) return lbsLF;
    return lbsCRLF;
}

void ScanPart(const char* from, const char* to, size_t longLine, TLoadedPart& part,
              const std::function<bool(const char*)>& keepGoing)
{
    std::unique_ptr<TZefLineBlock>& block = part.open;
    auto open = [&](const char* firstLine) {
        if (block) return;
        block = std::make_unique<TZefLineBlock>();
        block->entries.reserve(TZefLineBlocks::kTargetLines);
        block->loadedFrom = firstLine;
    };
    auto flush = [&] { part.blocks.push_back(std::move(block)); };
    TLineBreakStyle kind = lbsCRLF;
    bool found = false;
    for (const char* p = from; p < to;) {
        const char* lineEnd = FindBreakNotingTabs(p, to, part.tabs);
        const auto length = static_cast<size_t>(lineEnd - p);
        if (length > part.longest) {
            part.longest = length;
            part.longestLine = part.lines;
        }
        if (length == 0) {
            open(p);
            block->entries.push_back(zefentry::kEmptyLine);
        } else if (length >= longLine) {
            open(p);
            part.longLines.push_back({part.blocks.size(), block->entries.size(), p, length});
            block->entries.push_back(zefentry::kEmptyLine);
        } else {
            // Offsets count from the block's first loaded line and must stay below the sentinels.
            if (block && block->base != nullptr && static_cast<size_t>(p - block->base) >= zefentry::kZeroedOffset - 1)
                flush();
            open(p);
            if (block->base == nullptr) block->base = p;
            ++block->loadedLines;
            ++part.loadedLines;
            block->entries.push_back(static_cast<TZefLineEntry>(p - block->base));
        }
        ++part.lines;
        p = SkipBreak(lineEnd, to, kind, found);
        block->loadedTo = p;
        if (found) {
            const unsigned bit = BreakBit(kind);
            if (part.kinds == 0) {
                part.firstKind = kind;
            } else if ((part.kinds & bit) == 0 && !part.recordingBreaks) {
                part.breaks.assign(part.lines - 1, part.firstKind);
                part.recordingBreaks = true;
            }
            part.kinds |= bit;
        } else {
            part.endsUnbroken = true;
        }
        if (part.recordingBreaks) part.breaks.push_back(kind);
        if (block->Count() == TZefLineBlocks::kTargetLines) {
            flush();
            if (!keepGoing(p)) {
                part.stopped = true;
                return;
            }
        }
    }
}

void FinishPart(TLoadedPart& part)
{
    if (part.open) part.blocks.push_back(std::move(part.open));
}

const char* AfterLastLF(const char* from, const char* to)
{
    const void* lf = ::memrchr(from, '\n', static_cast<size_t>(to - from));
    return lf ? static_cast<const char*>(lf) + 1 : from;
}

} // namespace zefload
