// "Jump to line": reading the number the user typed.
#pragma once

#include <QString>

#include <optional>

// The line to go to for the typed text: a whole decimal number with an optional sign, plus 1 when the lines
// are numbered from 0. Numbers beyond the int range give the nearest int (no line has such a number, so the
// move is refused as any line outside the text is). nullopt for any other text.
std::optional<int> ZefJumpToLineNumber(const QString& typed, bool zeroStart);
