// The line store against a plain model (a vector of lines with their ranges, objects and breaks): a script of byte
// pairs drives the same operations on both, and Differs names the first disagreement. The random-edit test
// and the model fuzz target share it.
#pragma once

#include "ZefEditTextBuffer.h"

#include <algorithm>
#include <sstream>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TLineModel {
    struct TLine {
        std::string text;
        TZefRangeState range = NullRange;
        void* object = nullptr;
        // Lines added after loading take the store's style, CR LF for a file with breaks of several kinds.
        TLineBreakStyle lineBreak = lbsCRLF;
    };
    std::vector<TLine> lines;
    bool mixedBreaks = false; // until the last line goes

    // Loads `count` lines of varied lengths (empty, short, at and past the long-line limit) and breaks of two
    // kinds into both.
    void Load(TZefEditStringList& store, int count, unsigned seed)
    {
        std::string text;
        lines.clear();
        for (int i = 0; i < count; ++i) {
            const unsigned pick = (seed + static_cast<unsigned>(i) * 2654435761u) >> 24;
            std::string line;
            if (pick % 7 == 0) line = "";
            else if (pick % 13 == 0) line.assign(250 + pick % 20, static_cast<char>('a' + pick % 26));
            else line = "line " + std::to_string(i) + (pick % 3 == 0 ? "\tx" : "");
            const TLineBreakStyle lineBreak = pick % 5 == 0 ? lbsCRLF : lbsLF;
            text += line + (lineBreak == lbsCRLF ? "\r\n" : "\n");
            lines.push_back({line, NullRange, nullptr, lineBreak});
        }
        std::istringstream file(text);
        store.LoadFromStream(file);
        const auto isCRLF = [](const TLine& line) { return line.lineBreak == lbsCRLF; };
        mixedBreaks = std::any_of(lines.begin(), lines.end(), isCRLF) && !std::all_of(lines.begin(), lines.end(), isCRLF);
    }

    // Applies one operation, chosen and parameterised by two bytes, to both.
    void Apply(TZefEditStringList& store, unsigned char op, unsigned char arg)
    {
        const int count = static_cast<int>(lines.size());
        // Positions spread over the whole document, so that blocks far apart are touched.
        const int at = count > 0 ? static_cast<int>((static_cast<unsigned>(arg) * 2654435761u) % static_cast<unsigned>(count)) : 0;
        const auto index = static_cast<size_t>(at);
        static int objects[4];
        switch (op % 12) {
        case 0: {
            const std::string text = "new " + std::to_string(arg);
            store.InsertLine(at, text);
            lines.insert(lines.begin() + at, TLine{text});
            break;
        }
        case 1:
            if (count == 0) break;
            store.DeleteLine(at);
            lines.erase(lines.begin() + at);
            break;
        case 2: {
            if (count == 0) break;
            // Sometimes the text of another line of the store itself.
            const int from = (at + 1) % count;
            const std::string text = arg % 2 ? std::string(store.GetLine(from)) : std::string(arg % 40, 'r');
            if (arg % 2) store.ReplaceLine(at, store.GetLine(from));
            else store.ReplaceLine(at, text);
            lines[index].text = text;
            break;
        }
        case 3: {
            const int removed = std::min(count - at, 1 + arg % 4 * 500);
            store.RemoveLines(at, removed);
            lines.erase(lines.begin() + at, lines.begin() + at + removed);
            break;
        }
        case 4: {
            const int added = 1 + arg % 4 * 400;
            store.InsertEmptyLines(at, added);
            lines.insert(lines.begin() + at, static_cast<size_t>(added), TLine{"", 0});
            break;
        }
        case 5: {
            if (count < 2) break;
            const int other = (at * 7 + 3) % count;
            store.ExchangeLines(at, other);
            std::swap(lines[index], lines[static_cast<size_t>(other)]);
            break;
        }
        case 6: {
            if (count == 0) break;
            const std::string line = lines[index].text;
            const size_t offset = std::min<size_t>(arg % 9, line.size());
            const size_t length = std::min<size_t>(arg % 4, line.size() - offset);
            const std::string text = arg % 3 ? "ab\tc" : std::string(300, 'L');
            store.ReplaceInLine(at, offset, length, text);
            lines[index].text.replace(offset, length, text);
            break;
        }
        case 7:
            if (count == 0) break;
            store.SetRangeState(at, arg);
            lines[index].range = arg;
            break;
        case 8:
            if (count == 0) break;
            store.SetUserObject(at, arg % 2 ? &objects[arg % 4] : nullptr);
            lines[index].object = arg % 2 ? &objects[arg % 4] : nullptr;
            break;
        case 9: {
            const std::vector<std::string> added(1 + arg % 3, "appended");
            store.AppendLines(added);
            for (const std::string& text : added) lines.push_back(TLine{text});
            break;
        }
        case 10:
            // Widths are measured; the texts must not change.
            store.GetLongestLineWidth();
            if (count > 0) store.GetExpandedWidth(at);
            if (arg % 5 == 0) store.SetTabWidth(1 + arg % 8);
            break;
        case 11: {
            if (count == 0) break;
            // Enter in the middle of a line, then joining two lines back.
            const std::string line = lines[index].text;
            const size_t split = std::min<size_t>(arg % 7, line.size());
            store.InsertLine(at + 1, line.substr(split));
            store.ReplaceInLine(at, split, line.size() - split, "");
            lines.insert(lines.begin() + at + 1, TLine{line.substr(split)});
            lines[index].text.resize(split);
            if (arg % 2 && at + 1 < static_cast<int>(lines.size())) {
                const std::string next(store.GetLine(at + 1));
                store.ReplaceInLine(at, lines[index].text.size(), 0, next);
                store.DeleteLine(at + 1);
                lines[index].text += next;
                lines.erase(lines.begin() + at + 1);
            }
            break;
        }
        }
    }

    // The first disagreement between the store and the model, or "" when they agree.
    std::string Differs(TZefEditStringList& store)
    {
        if (lines.empty()) mixedBreaks = false;
        if (store.HasMixedLineBreaks() != mixedBreaks) return "whether breaks are mixed";
        if (store.Count() != static_cast<int>(lines.size()))
            return "count " + std::to_string(store.Count()) + " != " + std::to_string(lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            const int at = static_cast<int>(i);
            if (store.GetLine(at) != lines[i].text) return "text of line " + std::to_string(i);
            if (store.GetRangeState(at) != lines[i].range) return "range of line " + std::to_string(i);
            if (store.GetUserObject(at) != lines[i].object) return "object of line " + std::to_string(i);
            if (mixedBreaks && store.GetLineBreak(at) != lines[i].lineBreak) return "break of line " + std::to_string(i);
        }
        if (store.Count() > 0 && store.GetLongestLineWidth() != LongestWidth(store.TabWidth()))
            return "longest width";
        return {};
    }

    int LongestWidth(int tabWidth) const
    {
        int widest = 0;
        for (const TLine& line : lines)
            widest = std::max(widest, TZefEditStringList::ExpandedWidthOf(line.text, tabWidth));
        return widest;
    }
};
