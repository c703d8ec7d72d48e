// The "General" / "General +" text formatter: re-wraps lines to a maximum length, expands leading tabs,
// indents continuation lines, joins paragraph overflow and compresses runs of blank lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TZefFormatStyle { fsGeneral, fsGeneralPlus };

// One set for the whole program; the "General +" dialog and the documents' Set… operations fill it.
struct TZefFormatSettings {
    TZefFormatStyle Style = TZefFormatStyle::fsGeneral;
    uint16_t MaxLineLength = 80;   // 0: never split
    bool JoinParagraphs = false;   // General + only
    uint8_t SpacesBeforeNew = 0;   // indent of a continuation line, General + only
    uint8_t SpacesBeforeAll = 0;   // put in front of every line visited, General + only
    std::string AlignChar;         // empty or one character, General + only
    uint8_t AlignCount = 0;        // which occurrence of AlignChar sets the continuation indent
    bool DeleteEmptyLines = false; // both styles
    uint8_t MaxEmptyLines = 1;     // the longest run of blank lines kept
};

// Called before each line is visited with that line's number (from 1) and the current line count; answering
// false stops the run there: the lines before stay formatted, that line and the rest stay as they were.
using TZefFormatProgress = std::function<bool(int line, int lineCount)>;

struct TZefFormatResult {
    std::vector<std::string> Lines;
    bool Stopped = false;
};

// Formats `lines` (bytes, no line breaks). Time and memory are linear in the size of the text plus the
// size of the result: every character is copied a bounded number of times, the continuation of a split
// line included. Every run ends: a split always moves at least one non-blank character to the finished
// lines, and a line whose first MaxLineLength characters are all blanks is left as it is.
TZefFormatResult ZefFormatLines(std::vector<std::string> lines, const TZefFormatSettings& settings,
                                const TZefFormatProgress& progress = {});
