// The RTF reader's state machine: destinations, the group stack, font and colour tables, \uN fallbacks.
// Covered by tests/platform/ZefRtfReader_test.cpp through the QTextDocument reader.
#include "ZefRtfParser.h"

#include "CodePage1252.h"
#include "ZefRtfTokenizer.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// What the text of a group is: document text, a table, or something to step over.
enum class TDest { dText, dSkip, dFontTable, dColorTable };

enum class TWord {
    wDestFontTable, wDestColorTable, wDestSkip,
    wPlain, wBold, wItalic, wUnderline, wUnderlineNone, wStrike, wFont, wFontSize, wColor, wBackground,
    wDefaultFont, wCharset, wAnsi, wMac, wPc, wPca, wAnsiCodePage, wUnicodeSkip, wUnicode,
    wParagraph, wCell, wLine, wTab, wSpecial, wRed, wGreen, wBlue, wBinary, wHidden,
    wParagraphDefault, wAlignLeft, wAlignCenter, wAlignRight, wAlignJustify, wLeftIndent, wRightIndent,
    wFirstIndent,
};

struct TWordInfo {
    TWord word;
    char16_t special = 0; // the character of wSpecial and wCell
};

const std::unordered_map<std::string_view, TWordInfo>& Words()
{
    static const std::unordered_map<std::string_view, TWordInfo> words = [] {
        std::unordered_map<std::string_view, TWordInfo> map{
            {"fonttbl", {TWord::wDestFontTable}}, {"colortbl", {TWord::wDestColorTable}},
            {"plain", {TWord::wPlain}}, {"b", {TWord::wBold}}, {"i", {TWord::wItalic}},
            {"strike", {TWord::wStrike}}, {"striked", {TWord::wStrike}}, {"ulnone", {TWord::wUnderlineNone}},
            {"f", {TWord::wFont}}, {"fs", {TWord::wFontSize}}, {"cf", {TWord::wColor}},
            {"cb", {TWord::wBackground}}, {"highlight", {TWord::wBackground}},
            {"chcbpat", {TWord::wBackground}}, {"deff", {TWord::wDefaultFont}},
            {"fcharset", {TWord::wCharset}}, {"ansi", {TWord::wAnsi}}, {"mac", {TWord::wMac}},
            {"pc", {TWord::wPc}}, {"pca", {TWord::wPca}}, {"ansicpg", {TWord::wAnsiCodePage}},
            {"uc", {TWord::wUnicodeSkip}}, {"u", {TWord::wUnicode}},
            {"par", {TWord::wParagraph}}, {"sect", {TWord::wParagraph}}, {"page", {TWord::wParagraph}},
            {"row", {TWord::wParagraph}}, {"nestrow", {TWord::wParagraph}},
            {"cell", {TWord::wCell, u'\t'}}, {"nestcell", {TWord::wCell, u'\t'}},
            {"line", {TWord::wLine, u'\u2028'}}, {"tab", {TWord::wTab, u'\t'}},
            {"emdash", {TWord::wSpecial, u'\u2014'}}, {"endash", {TWord::wSpecial, u'\u2013'}},
            {"emspace", {TWord::wSpecial, u'\u2003'}}, {"enspace", {TWord::wSpecial, u'\u2002'}},
            {"qmspace", {TWord::wSpecial, u'\u2005'}}, {"bullet", {TWord::wSpecial, u'\u2022'}},
            {"lquote", {TWord::wSpecial, u'\u2018'}}, {"rquote", {TWord::wSpecial, u'\u2019'}},
            {"ldblquote", {TWord::wSpecial, u'\u201C'}}, {"rdblquote", {TWord::wSpecial, u'\u201D'}},
            {"zwj", {TWord::wSpecial, u'\u200D'}}, {"zwnj", {TWord::wSpecial, u'\u200C'}},
            {"ltrmark", {TWord::wSpecial, u'\u200E'}}, {"rtlmark", {TWord::wSpecial, u'\u200F'}},
            {"red", {TWord::wRed}}, {"green", {TWord::wGreen}}, {"blue", {TWord::wBlue}},
            {"bin", {TWord::wBinary}}, {"v", {TWord::wHidden}},
            {"pard", {TWord::wParagraphDefault}}, {"ql", {TWord::wAlignLeft}}, {"qc", {TWord::wAlignCenter}},
            {"qr", {TWord::wAlignRight}}, {"qj", {TWord::wAlignJustify}}, {"qd", {TWord::wAlignJustify}},
            {"li", {TWord::wLeftIndent}}, {"lin", {TWord::wLeftIndent}}, {"ri", {TWord::wRightIndent}},
            {"rin", {TWord::wRightIndent}}, {"fi", {TWord::wFirstIndent}},
        };
        for (std::string_view underline : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                           "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                           "ulthldash", "ululdbwave", "ulw", "ulwave"})
            map.emplace(underline, TWordInfo{TWord::wUnderline});
        // Destinations whose text is not part of the document.
        for (std::string_view skip :
             {"stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
              "footerr", "footerf", "footnote", "fldinst", "objdata", "objclass", "themedata",
              "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable",
              "rsidtbl", "generator", "filetbl", "revtbl", "pgdsctbl", "mmathPr", "bkmkstart", "bkmkend",
              "nonshppict", "private", "fldtype", "atnid", "atnauthor", "annotation", "author", "operator",
              "title", "subject", "keywords", "doccomm", "company", "comment", "xe", "tc", "txe", "rxe",
              "template", "pntxta", "pntxtb", "userprops", "docvar", "formfield", "ftnsep", "ftnsepc",
              "ftncn", "aftnsep", "aftnsepc", "aftncn", "listpicture", "shpinst", "sp", "sn", "sv", "falt",
              "panose", "fname", "protusertbl", "xform", "ud", "background"})
            map.emplace(skip, TWordInfo{TWord::wDestSkip});
        return map;
    }();
    return words;
}

// The Windows code page of a font character set; 0 means the document's own code page.
int CharsetCodePage(int32_t charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

uint32_t ColorComponent(int32_t value)
{
    return static_cast<uint32_t>(std::clamp(value, int32_t{0}, int32_t{255}));
}

// Indents limited to 22 inches, the widest page RTF writers produce.
int32_t Twips(int32_t value)
{
    return std::clamp(value, int32_t{-31680}, int32_t{31680});
}

struct TGroupState {
    TDest dest = TDest::dText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;  // \v: text not shown
    bool starred = false; // "\*" opened this group: its destination, if unknown, is skipped
    int32_t font = -1;    // -1: the default font
    int32_t size = 24;
    int32_t color = -1;   // colour table index; -1: automatic
    int32_t background = -1;
    int32_t unicodeSkip = 1;
    TZefRtfParagraphFormat paragraph;
};

struct TFont {
    std::string name;
    int32_t charset = 0;
    bool complete = false; // the ';' ending the name has been read
};

class TRtfParser {
public:
    TRtfParser(std::string_view rtf, TZefRtfSink& sink) : tokenizer_(rtf), sink_(sink) { stack_.emplace_back(); }

    void Run();

private:
    TGroupState& State() { return stack_.back(); }
    void Push();
    void Pop();
    void ControlWord(const TZefRtfToken& token);
    void ControlSymbol(unsigned char symbol);
    void Bytes(std::string_view bytes);
    void TableText(std::string_view bytes);
    // Consumes one fallback character of a \uN when one is pending; true if it did.
    bool SkipFallback();

    void AppendBytes(std::string_view bytes);
    void AppendUnit(char16_t unit);
    void Paragraph();
    void FlushBytes();
    void Flush();
    const TZefRtfCharFormat& CurrentFormat();
    int CurrentCodePage();
    void EndFontEntry();

    TZefRtfTokenizer tokenizer_;
    TZefRtfSink& sink_;
    std::vector<TGroupState> stack_;
    int64_t overflow_ = 0; // groups opened beyond kZefRtfMaxDepth, sharing the top state
    bool done_ = false;

    std::unordered_map<int32_t, TFont> fonts_;
    int32_t fontEntry_ = -1; // the font being defined in the font table
    int32_t defaultFont_ = -1;
    std::vector<std::optional<uint32_t>> colors_;
    uint32_t red_ = 0, green_ = 0, blue_ = 0;
    bool colorSeen_ = false;
    int ansiCodePage_ = 1252;
    int32_t fallbackLeft_ = 0;

    std::string pendingBytes_;
    int pendingCodePage_ = 1252;
    std::u16string pendingText_;
    TZefRtfCharFormat pendingFormat_;
    TZefRtfParagraphFormat pendingParagraph_;
    TZefRtfCharFormat format_;
    bool formatDirty_ = true;
};

void TRtfParser::Run()
{
    while (!done_) {
        const TZefRtfToken token = tokenizer_.Next();
        switch (token.kind) {
        case TZefRtfTokenKind::tkEnd:
            done_ = true;
            break;
        case TZefRtfTokenKind::tkGroupOpen:
            fallbackLeft_ = 0;
            Push();
            break;
        case TZefRtfTokenKind::tkGroupClose:
            fallbackLeft_ = 0;
            Pop();
            break;
        case TZefRtfTokenKind::tkControlWord:
            ControlWord(token);
            break;
        case TZefRtfTokenKind::tkControlSymbol:
            ControlSymbol(token.symbol);
            break;
        case TZefRtfTokenKind::tkHexByte: {
            const char byte = static_cast<char>(token.symbol);
            Bytes(std::string_view(&byte, 1));
            break;
        }
        case TZefRtfTokenKind::tkText:
            Bytes(token.word);
            break;
        }
    }
    if (State().dest == TDest::dFontTable)
        EndFontEntry();
    Flush();
}

void TRtfParser::Push()
{
    formatDirty_ = true;
    if (stack_.size() >= static_cast<std::size_t>(kZefRtfMaxDepth)) {
        ++overflow_;
        return;
    }
    TGroupState state = State();
    state.starred = false;
    stack_.push_back(state);
}

void TRtfParser::Pop()
{
    formatDirty_ = true;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (State().dest == TDest::dFontTable)
        EndFontEntry();
    if (stack_.size() > 1)
        stack_.pop_back();
    // The outermost group has closed (or a stray brace closed nothing): the document is over.
    if (stack_.size() == 1)
        done_ = true;
}

bool TRtfParser::SkipFallback()
{
    if (fallbackLeft_ <= 0)
        return false;
    --fallbackLeft_;
    return true;
}

void TRtfParser::ControlWord(const TZefRtfToken& token)
{
    const auto& words = Words();
    const auto found = words.find(token.word);
    TGroupState& state = State();
    if (found != words.end() && found->second.word == TWord::wBinary) {
        tokenizer_.SkipBytes(token.hasParameter ? token.parameter : 0);
        SkipFallback();
        return;
    }
    if (state.dest == TDest::dSkip)
        return;
    if (state.starred) {
        state.starred = false;
        const bool handled = found != words.end() && (found->second.word == TWord::wDestFontTable ||
                                                      found->second.word == TWord::wDestColorTable);
        if (!handled) {
            state.dest = TDest::dSkip;
            return;
        }
    }
    if (found == words.end()) {
        SkipFallback();
        return;
    }
    if (found->second.word != TWord::wDestSkip && SkipFallback())
        return;
    formatDirty_ = true;
    const bool on = !token.hasParameter || token.parameter != 0;
    const int32_t value = token.hasParameter ? token.parameter : 0;
    const bool text = state.dest == TDest::dText;
    switch (found->second.word) {
    case TWord::wDestFontTable:
        state.dest = TDest::dFontTable;
        fontEntry_ = -1;
        break;
    case TWord::wDestColorTable:
        state.dest = TDest::dColorTable;
        colors_.clear();
        colorSeen_ = false;
        red_ = green_ = blue_ = 0;
        break;
    case TWord::wDestSkip:
        state.dest = TDest::dSkip;
        break;
    case TWord::wPlain:
        state.bold = state.italic = state.underline = state.strike = state.hidden = false;
        state.font = -1;
        state.size = 24;
        state.color = state.background = -1;
        break;
    case TWord::wBold: state.bold = on; break;
    case TWord::wItalic: state.italic = on; break;
    case TWord::wUnderline: state.underline = on; break;
    case TWord::wUnderlineNone: state.underline = false; break;
    case TWord::wStrike: state.strike = on; break;
    case TWord::wFont:
        if (state.dest == TDest::dFontTable) {
            EndFontEntry();
            fontEntry_ = value;
            fonts_[value] = TFont{};
        } else {
            state.font = value;
        }
        break;
    case TWord::wFontSize: state.size = value > 0 ? std::min(value, int32_t{3276}) : 24; break;
    case TWord::wColor: state.color = value; break;
    case TWord::wBackground: state.background = value; break;
    case TWord::wDefaultFont: defaultFont_ = value; break;
    case TWord::wCharset:
        if (state.dest == TDest::dFontTable && fontEntry_ >= 0)
            fonts_[fontEntry_].charset = value;
        break;
    case TWord::wAnsi: ansiCodePage_ = 1252; break;
    case TWord::wMac: ansiCodePage_ = 10000; break;
    case TWord::wPc: ansiCodePage_ = 437; break;
    case TWord::wPca: ansiCodePage_ = 850; break;
    case TWord::wAnsiCodePage: ansiCodePage_ = value > 0 ? value : 1252; break;
    case TWord::wUnicodeSkip: state.unicodeSkip = std::clamp(value, int32_t{0}, int32_t{16}); break;
    case TWord::wUnicode:
        if (!token.hasParameter)
            break; // "\u" alone is not an escape (a cut "\ul", for one)
        if (text)
            AppendUnit(static_cast<char16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
        fallbackLeft_ = state.unicodeSkip;
        break;
    case TWord::wParagraph:
        if (text)
            Paragraph();
        break;
    case TWord::wCell:
    case TWord::wLine:
    case TWord::wTab:
    case TWord::wSpecial:
        if (text)
            AppendUnit(found->second.special);
        break;
    case TWord::wRed: red_ = ColorComponent(value); colorSeen_ = true; break;
    case TWord::wGreen: green_ = ColorComponent(value); colorSeen_ = true; break;
    case TWord::wBlue: blue_ = ColorComponent(value); colorSeen_ = true; break;
    case TWord::wBinary: break;
    case TWord::wHidden: state.hidden = on; break;
    case TWord::wParagraphDefault: state.paragraph = TZefRtfParagraphFormat{}; break;
    case TWord::wAlignLeft: state.paragraph.alignment = TZefRtfAlignment::raLeft; break;
    case TWord::wAlignCenter: state.paragraph.alignment = TZefRtfAlignment::raCenter; break;
    case TWord::wAlignRight: state.paragraph.alignment = TZefRtfAlignment::raRight; break;
    case TWord::wAlignJustify: state.paragraph.alignment = TZefRtfAlignment::raJustify; break;
    case TWord::wLeftIndent: state.paragraph.leftIndent = Twips(value); break;
    case TWord::wRightIndent: state.paragraph.rightIndent = Twips(value); break;
    case TWord::wFirstIndent: state.paragraph.firstLineIndent = Twips(value); break;
    }
}

void TRtfParser::ControlSymbol(unsigned char symbol)
{
    TGroupState& state = State();
    if (symbol == '*') {
        state.starred = true;
        return;
    }
    if (state.dest == TDest::dSkip)
        return;
    const bool text = state.dest == TDest::dText;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        const char byte = static_cast<char>(symbol);
        Bytes(std::string_view(&byte, 1));
        return;
    }
    case '~':
    case '-':
    case '_':
        if (!SkipFallback() && text)
            AppendUnit(symbol == '~' ? u'\u00A0' : symbol == '-' ? u'\u00AD' : u'\u2011');
        return;
    case '\n':
        if (!SkipFallback() && text)
            Paragraph();
        return;
    default:
        SkipFallback();
        return;
    }
}

void TRtfParser::Bytes(std::string_view bytes)
{
    const TDest dest = State().dest;
    if (dest == TDest::dSkip)
        return;
    const auto skip = static_cast<std::size_t>(std::min<int64_t>(fallbackLeft_, static_cast<int64_t>(bytes.size())));
    fallbackLeft_ -= static_cast<int32_t>(skip);
    bytes.remove_prefix(skip);
    if (bytes.empty())
        return;
    if (dest == TDest::dText)
        AppendBytes(bytes);
    else
        TableText(bytes);
}

void TRtfParser::TableText(std::string_view bytes)
{
    const bool fontTable = State().dest == TDest::dFontTable;
    for (const char c : bytes) {
        if (fontTable) {
            if (fontEntry_ < 0)
                continue;
            if (c == ';')
                EndFontEntry();
            else if (!fonts_[fontEntry_].complete)
                fonts_[fontEntry_].name += c;
        } else if (c == ';') {
            colors_.push_back(colorSeen_ ? std::optional<uint32_t>((red_ << 16) | (green_ << 8) | blue_)
                                         : std::nullopt);
            colorSeen_ = false;
            red_ = green_ = blue_ = 0;
        }
    }
}

void TRtfParser::EndFontEntry()
{
    if (fontEntry_ < 0)
        return;
    TFont& font = fonts_[fontEntry_];
    font.complete = true;
    const auto first = font.name.find_first_not_of(' ');
    const auto last = font.name.find_last_not_of(' ');
    font.name = first == std::string::npos ? std::string() : font.name.substr(first, last - first + 1);
    formatDirty_ = true;
}

int TRtfParser::CurrentCodePage()
{
    const int32_t number = State().font >= 0 ? State().font : defaultFont_;
    const auto found = fonts_.find(number);
    const int fromCharset = found != fonts_.end() ? CharsetCodePage(found->second.charset) : 0;
    return fromCharset != 0 ? fromCharset : ansiCodePage_;
}

const TZefRtfCharFormat& TRtfParser::CurrentFormat()
{
    if (!formatDirty_)
        return format_;
    formatDirty_ = false;
    const TGroupState& state = State();
    format_.bold = state.bold;
    format_.italic = state.italic;
    format_.underline = state.underline;
    format_.strike = state.strike;
    format_.sizeHalfPoints = state.size;
    const int32_t number = state.font >= 0 ? state.font : defaultFont_;
    const auto found = fonts_.find(number);
    if (found == fonts_.end()) {
        format_.fontFamily.clear();
    } else {
        const int codePage = CharsetCodePage(found->second.charset);
        format_.fontFamily = sink_.Decode(codePage != 0 ? codePage : ansiCodePage_, found->second.name);
    }
    const auto color = [this](int32_t index) -> std::optional<uint32_t> {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
            return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    };
    format_.color = color(state.color);
    format_.background = color(state.background);
    return format_;
}

void TRtfParser::AppendBytes(std::string_view bytes)
{
    if (State().hidden)
        return;
    const TZefRtfCharFormat& format = CurrentFormat();
    if (format != pendingFormat_ || State().paragraph != pendingParagraph_) {
        Flush();
        pendingFormat_ = format;
        pendingParagraph_ = State().paragraph;
    }
    const int codePage = CurrentCodePage();
    if (codePage != pendingCodePage_) {
        FlushBytes();
        pendingCodePage_ = codePage;
    }
    pendingBytes_.append(bytes);
}

void TRtfParser::AppendUnit(char16_t unit)
{
    if (State().hidden)
        return;
    const TZefRtfCharFormat& format = CurrentFormat();
    if (format != pendingFormat_ || State().paragraph != pendingParagraph_) {
        Flush();
        pendingFormat_ = format;
        pendingParagraph_ = State().paragraph;
    }
    FlushBytes();
    pendingText_.push_back(unit);
}

void TRtfParser::Paragraph()
{
    Flush();
    sink_.ParagraphBreak();
}

void TRtfParser::FlushBytes()
{
    if (pendingBytes_.empty())
        return;
    pendingText_ += sink_.Decode(pendingCodePage_, pendingBytes_);
    pendingBytes_.clear();
}

void TRtfParser::Flush()
{
    FlushBytes();
    if (pendingText_.empty())
        return;
    sink_.Text(pendingText_, pendingFormat_, pendingParagraph_);
    pendingText_.clear();
}

} // namespace

std::u16string TZefRtfSink::Decode(int, std::string_view bytes)
{
    return cp1252::ToUtf16(bytes);
}

bool ZefLooksLikeRtf(std::string_view bytes)
{
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

void ZefParseRtf(std::string_view rtf, TZefRtfSink& sink)
{
    TRtfParser parser(rtf, sink);
    parser.Run();
}
