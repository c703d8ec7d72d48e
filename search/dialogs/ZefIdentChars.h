// The identifier characters of the word at the caret: the highlighter's, or without one letters, digits, '_'
// and the accented letters of the code page. Kept apart from the regular-expression headers, whose character
// set type shares its name with the highlighters'.
#pragma once

#include <array>

class TZefCustomHighlighter;

std::array<bool, 256> ZefIdentCharTable(const TZefCustomHighlighter* highlighter);
