// The highlighter list and the choice of a highlighter by file extension; the dialog filter built from it.
#pragma once

#include "ZefEditHighlighter.h"

#include <string>
#include <string_view>
#include <vector>

// A language name with its highlighter (not owned), as the highlighter list holds them.
struct THighlighterEntry {
    std::string Name;
    TZefCustomHighlighter* Highlighter = nullptr;
};
using THighlighterList = std::vector<THighlighterEntry>;

// Nothing when owner or list is missing. Unless appending, clears the list; visits the owner's highlighters
// from the last to the first and adds each whose language name is not in the list yet (ignoring case);
// then sorts by name under the code page's case fold, byte by byte, so the order is the same everywhere.
void CollectHighlighters(const std::vector<TZefCustomHighlighter*>* owner, THighlighterList* list, bool append);

// The non-empty filters of the list in order, each followed by "|" unless it ends with one.
std::string BuildHighlighterFilter(const THighlighterList* list);

// The first highlighter whose filter's pattern part (after the first "|", lower-cased) holds ext
// (lower-cased) followed by ";" or the end, testing only the first occurrence; nullptr for a missing list,
// an empty ext or no match.
TZefCustomHighlighter* FindHighlighterByExt(const THighlighterList* list, std::string_view ext);

// The extension of a file name: the last path component from its last "." (dot included), or empty.
std::string ExtractFileExt(std::string_view fileName);

// The index of `name` in the list (exact comparison), or -1.
int IndexOfHighlighter(const THighlighterList& list, std::string_view name);
