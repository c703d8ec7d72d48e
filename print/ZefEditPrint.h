// The print engine: a copy of the text laid out between the margins in device pixels, counted into pages
// once per change, and drawn page by page - with header and footer, line numbers, word wrap, plain or
// highlighted - on a PDF file, a printer or a preview.
#pragma once

#include "ZefEditPrintHeaderFooter.h"
#include "ZefEditPrintLines.h"
#include "ZefEditPrintMargins.h"
#include "ZefEditPrintRows.h"
#include "ZefEditPrinterInfo.h"
#include "ZefPrintCanvas.h"
#include "ZefPrintFont.h"
#include "ZefPrintMeasure.h"
#include "ZefPrintTarget.h"
#include "ZefWorkProgress.h"

#include <QDateTime>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TZefCustomHighlighter;
class TZefEditStringList;
class TZefEditPrint;

// The figures of one layout, in device pixels. Valid only when Ok.
struct TZefPrintLayout {
    bool Ok = false;
    std::string Error;          // why the job cannot be laid out, when not Ok
    TZefEditPrinterInfo Printer;
    int PixelsPerInch = 300;    // the device's vertical resolution, which sizes every font
    int CharWidth = 1;          // the grid every character is placed on
    int RowHeight = 1;
    int Ascent = 0;
    size_t Columns = 1;         // characters per row (M)
    size_t RowsPerPage = 1;
    int LineNumberWidth = 0;    // width of the widest line number and ": "
    std::vector<TPageLine> Pages; // at least one
};

enum TZefPrintStatus : uint8_t { psBegin, psNewPage, psEnd };
// Raised at the start of a job, before each page (with its number) and at the end; setting abort stops the job.
using TZefPrintStatusEvent =
    std::function<void(TZefEditPrint* sender, TZefPrintStatus status, int pageNumber, bool& abort)>;

// The outcome of a print job: never Ok when anything failed or nothing was printed.
struct TZefPrintResult {
    bool Ok = false;
    std::string Message;
    int PagesPrinted = 0;
    bool Cancelled = false; // stopped on request (progress or OnPrintStatus): nothing failed
};

inline constexpr const char* kNoRoomForText = "The margins leave no room for text.";

class TZefEditPrint {
public:
    TZefEditPrint();
    ~TZefEditPrint();
    TZefEditPrint(const TZefEditPrint&) = delete;
    TZefEditPrint& operator=(const TZefEditPrint&) = delete;

    // The text to print: the engine keeps its own copy, tabs expanded with TabWidth. progress hears the lines
    // taken of all; a stop raises EZefWorkCancelled and leaves the text and its layout as they were.
    void SetLines(const TZefEditStringList& lines, const TZefWorkProgress& progress = {});
    void SetLines(const std::vector<std::string>& lines);
    int LineCount() const { return lines_.Count(); }
    std::string_view Line(int index) const { return lines_.Line(index); }
    // What the print window takes from its editor: tab width, lines, highlighter and font. A stop while the
    // lines are taken (EZefWorkCancelled) leaves lines, highlighter and font as they were.
    void AssignFromEditor(const TZefEditStringList& lines, int tabWidth, TZefCustomHighlighter* highlighter,
                          const TZefPrintFont& font, const TZefWorkProgress& progress = {});

    THeader& Header() { return header_; }
    TFooter& Footer() { return footer_; }
    // Changes to the margins are noticed at the next layout.
    TZefEditPrintMargins& Margins() { return margins_; }
    TZefEditPrinterInfo& PrinterInfo() { return printerInfo_; }
    void SetPrinterInfo(const TZefEditPrinterInfo& info) { printerInfo_ = info; }

    const TZefPrintFont& Font() const { return font_; }
    void SetFont(const TZefPrintFont& font);
    int Copies() const { return copies_; }
    void SetCopies(int value) { copies_ = value < 1 ? 1 : value; }
    // With collation the whole range is printed once per copy (1 2 3 1 2 3), without each page N times.
    bool Collate() const { return collate_; }
    void SetCollate(bool value) { collate_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string value) { title_ = std::move(value); }
    const std::string& DocTitle() const { return docTitle_; }
    void SetDocTitle(std::string value) { docTitle_ = std::move(value); }
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    bool Highlight() const { return highlight_; }
    void SetHighlight(bool value) { highlight_ = value; }
    bool Colors() const { return colors_; }
    void SetColors(bool value) { colors_ = value; }
    bool LineNumbers() const { return lineNumbers_; }
    void SetLineNumbers(bool value);
    bool LineNumbersInMargin() const { return lineNumbersInMargin_; }
    void SetLineNumbersInMargin(bool value);
    int64_t LineOffset() const { return lineOffset_; }
    void SetLineOffset(int64_t value);
    int64_t PageOffset() const { return pageOffset_; }
    void SetPageOffset(int64_t value) { pageOffset_ = value; }
    TZefCustomHighlighter* Highlighter() const { return highlighter_; }
    // Not owned; the engine lets go of it when it is destroyed.
    void SetHighlighter(TZefCustomHighlighter* value);
    int TabWidth() const { return tabWidth_; }
    // Applies to the next SetLines (as the text is taken in).
    void SetTabWidth(int value) { tabWidth_ = value < 1 ? 1 : (value > 256 ? 256 : value); }
    // Background of the text area when colours are on; with colours off the paper stays white.
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    // The clock of the "$DATE$" and "$TIME$" macros (tests and `zefraprint --now` pin it).
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // Lays the job out if anything changed since the last layout (the page list is cached), refreshes the
    // date and time of the job and prepares header and footer. False when the margins leave no room.
    bool PreparePages(const TZefWorkProgress& progress = {});
    // The cached layout, made first when needed. progress hears the lines counted into pages of all; a stop
    // raises EZefWorkCancelled and leaves no layout (the next call makes it afresh).
    const TZefPrintLayout& Layout(const TZefWorkProgress& progress = {});
    // At least 1.
    int PageCount();
    // Draws page `pageNumber` (1..PageCount) with the canvas's origin at the printable area's corner; header
    // and footer are measured afresh, so edits to them show at once. A page outside the job draws nothing;
    // a job that cannot be laid out draws header and footer only.
    void DrawPage(TZefPrintCanvas& canvas, int pageNumber);

    // Prints pages startPage..endPage (-1: the last page), Copies times, on `target`, whose metrics become the
    // printer's. A range holding no page of the job starts no job. The job is named DocTitle, or Title.
    // progress hears the pages done of all to print (copies counted) before each page; when it asks to stop,
    // the job ends before the next page, with the pages already sent.
    TZefPrintResult PrintRange(TZefPrintTarget& target, int startPage, int endPage,
                               const TZefWorkProgress& progress = {});
    TZefPrintResult Print(TZefPrintTarget& target, const TZefWorkProgress& progress = {})
    {
        return PrintRange(target, 1, -1, progress);
    }

    TZefPrintStatusEvent OnPrintStatus;

    // How many lines the highlighter has been asked for tokens, and how far its ranges were scanned; for
    // tests of what a page costs.
    int64_t TokenLinesRequested() const { return tokenLinesRequested_; }
    int RangesScanned() const { return rangesKnown_; }

private:
    void Invalidate() { layoutValid_ = false; }
    void InvalidateRanges();
    void BuildLayout(const TZefWorkProgress& progress);
    // Measures header and footer for the current layout and page count, with the job's date and time.
    void PrepareBlocks();
    bool HighlightedPrinting() const;
    void EnsureRanges(int line);
    void DrawLineRows(TZefPrintCanvas& canvas, const TZefPageMargins& margins, int line, size_t firstRow,
                      size_t endRow, int& y);
    void DrawPlainRows(TZefPrintCanvas& canvas, std::string_view text, const std::vector<size_t>& rowStarts,
                       size_t firstRow, size_t endRow, int x, int y);
    void DrawHighlightedRows(TZefPrintCanvas& canvas, int line, std::string_view text,
                             const std::vector<size_t>& rowStarts, size_t firstRow, size_t endRow, int x, int y);
    const QFont& StyledFont(TFontStyles style);
    QColor TextColor() const;
    QColor AreaColor() const;

    TZefPrintLines lines_;
    THeader header_;
    TFooter footer_;
    TZefEditPrintMargins margins_;
    TZefEditPrinterInfo printerInfo_;
    TZefPrintFont font_;
    int copies_ = 1;
    bool collate_ = true;
    std::string title_;
    std::string docTitle_;
    bool wrap_ = true;
    bool highlight_ = true;
    bool colors_ = false;
    bool lineNumbers_ = false;
    bool lineNumbersInMargin_ = false;
    int64_t lineOffset_ = 0;
    int64_t pageOffset_ = 0;
    TZefCustomHighlighter* highlighter_ = nullptr;
    int tabWidth_ = 8;
    TColor color_ = clWhite;
    std::function<QDateTime()> clock_;

    // The cached layout and what it was made from.
    TZefPrintLayout layout_;
    bool layoutValid_ = false;
    uint64_t layoutMarginsRevision_ = 0;
    TZefEditPrinterInfo layoutPrinter_;
    TZefJobStamp stamp_;
    bool stampTaken_ = false;
    std::unique_ptr<TZefPrintMeasure> measure_; // at the layout's resolution
    // Fonts of the current layout: the print font in each style, keyed by the style bits.
    QFont styledFonts_[16];
    bool styledFontMade_[16] = {};

    // Start range of each line, known for lines 0..rangesKnown_-1 (filled only as far as pages are drawn).
    std::vector<int32_t> rangeStarts_;
    int rangesKnown_ = 0;
    int64_t tokenLinesRequested_ = 0;
    std::vector<size_t> rowScratch_;
};
