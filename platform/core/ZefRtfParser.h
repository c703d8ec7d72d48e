// Reads RTF into a stream of formatted text runs and paragraph breaks, independent of any text widget.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The character format of a run, resolved against the font and colour tables.
struct TZefRtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::u16string fontFamily;     // empty: no font table entry, the reader's default font
    int32_t sizeHalfPoints = 24;   // \fs; RTF's default is 12 points
    std::optional<uint32_t> color;       // 0x00RRGGBB; none: automatic
    std::optional<uint32_t> background;  // 0x00RRGGBB; none: transparent

    bool operator==(const TZefRtfCharFormat&) const = default;
};

enum class TZefRtfAlignment { raLeft, raCenter, raRight, raJustify };

// The format of the paragraph a run belongs to; distances in twips (1/20 point).
struct TZefRtfParagraphFormat {
    TZefRtfAlignment alignment = TZefRtfAlignment::raLeft;
    int32_t leftIndent = 0;
    int32_t rightIndent = 0;
    int32_t firstLineIndent = 0; // relative to leftIndent; negative for a hanging first line

    bool operator==(const TZefRtfParagraphFormat&) const = default;
};

// Receives the document in reading order. The parser calls Text only with non-empty runs and merges
// adjacent text of one format into one run. Every run carries the format of its paragraph; the last run of
// a paragraph has the paragraph's final format.
class TZefRtfSink {
public:
    virtual ~TZefRtfSink() = default;
    virtual void Text(std::u16string_view text, const TZefRtfCharFormat& format,
                      const TZefRtfParagraphFormat& paragraph) = 0;
    // End of a paragraph (\par, \sect, \page, \row, a backslash before a line end).
    virtual void ParagraphBreak() = 0;
    // Bytes of text in Windows code page `codePage` as UTF-16. The default knows Windows-1252 only and reads
    // every other code page as 1252; a sink with access to more converters overrides it.
    virtual std::u16string Decode(int codePage, std::string_view bytes);
};

// True when the bytes start, after optional blanks, with "{\rtf".
bool ZefLooksLikeRtf(std::string_view bytes);

// Parses `rtf` into `sink`. Never throws on malformed input: text up to a truncation is delivered, braces
// that never close are closed at the end, a closing brace with no group open ends the document. Group
// state is kept on an explicit stack of at most kZefRtfMaxDepth levels; deeper groups share the state of
// the deepest kept level, so nesting costs no machine stack and bounded memory. Time is linear in the input.
inline constexpr int kZefRtfMaxDepth = 512;
void ZefParseRtf(std::string_view rtf, TZefRtfSink& sink);
