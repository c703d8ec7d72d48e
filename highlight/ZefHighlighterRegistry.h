// The built-in highlighters as one table: how each is made, its dialog filter and the properties set on it.
#pragma once

#include "ZefEditHighlighter.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One row per language, in the order the application's highlighter set holds them. A language joins the
// program by adding its row here; nothing else lists the languages.
struct TZefHighlighterRow {
    std::function<std::unique_ptr<TZefCustomHighlighter>()> create;
    // The filter the application gives it; nullopt keeps the constructor's.
    std::optional<std::string> filter;
    // Property values set after construction (they override the constructor's); may be empty.
    std::function<void(TZefCustomHighlighter&)> overrides;
};

const std::vector<TZefHighlighterRow>& ZefHighlighterRows();

// One instance per row, in row order, each with its filter and overrides applied inside a loading bracket
// (so it notifies its users once, when loaded).
std::vector<std::unique_ptr<TZefCustomHighlighter>> ZefCreateHighlighters();
