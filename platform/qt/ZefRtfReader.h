// Shows RTF files in a QTextDocument. Qt reads no RTF, so this is our own reader: paragraphs, character
// formats, font and colour tables, code pages and Unicode escapes; pictures, headers and the like are skipped.
#pragma once

#include <string_view>

class QString;
class QTextDocument;

// Replaces the document's content with the RTF in `bytes`. Input that does not start with "{\rtf" shows as
// Windows-1252 plain text. Malformed RTF shows what could be read; nothing here throws on bad input or
// recurses on nesting. Text without a font of its own keeps the document's default font, so give the
// document the font wanted for that first. The undo history is cleared.
void ZefReadRtf(QTextDocument& document, std::string_view bytes);

// Reads the file at `path` into the document. When it cannot be read the document is left alone, the
// answer is false and *error (if given) holds the reason.
bool ZefReadRtfFile(QTextDocument& document, const QString& path, QString* error = nullptr);
