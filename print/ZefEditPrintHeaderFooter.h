// Header and footer: rows of left, centred and right aligned items with macros, an optional line, box or
// shading, measured once per job and drawn on every page.
#pragma once

#include "ZefEditPrintMacros.h"
#include "ZefEditPrintMargins.h"
#include "ZefPrintCanvas.h"
#include "ZefPrintFont.h"


#include <cstdint>
#include <string>
#include <vector>

enum TZefAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TFrameType : uint8_t { ftLine = 1, ftBox = 2, ftShaded = 4 };
using TFrameTypes = uint8_t;

enum THeaderFooterType : uint8_t { hftHeader, hftFooter };

class THeaderFooterItem {
public:
    std::string Text;
    TZefPrintFont Font;
    int LineNumber = 1; // the row within the block, from 1 (gaps close up when printed)
    TZefAlignment Alignment = taLeftJustify;
    int Index = 0;      // position in the list

    std::string ExpandText(int64_t pageCount, int64_t pageNumber, bool roman, const std::string& title,
                           const std::string& time, const std::string& date) const;
};

// The date and time strings one job shows on every page.
struct TZefJobStamp {
    std::string Date;
    std::string Time;
};

class THeaderFooter {
public:
    explicit THeaderFooter(THeaderFooterType type);
    virtual ~THeaderFooter() = default;

    THeaderFooterType Type() const { return type_; }

    // The item gets a copy of `font`, or of DefaultFont when `font` is null. Answers the new index.
    int Add(std::string text, const TZefPrintFont* font, TZefAlignment alignment, int lineNumber);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    const THeaderFooterItem& Items(int index) const { return items_.at(static_cast<size_t>(index)); }

    TFrameTypes FrameTypes() const { return frameTypes_; }
    void SetFrameTypes(TFrameTypes value) { frameTypes_ = value & (ftLine | ftBox | ftShaded); }
    TColor ShadedColor() const { return shadedColor_; }
    void SetShadedColor(TColor value) { shadedColor_ = value; }
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor value) { lineColor_ = value; }
    const TZefPrintFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const TZefPrintFont& value) { defaultFont_ = value; }
    bool RomanNumbers() const { return romanNumbers_; }
    void SetRomanNumbers(bool value) { romanNumbers_ = value; }
    bool MirrorPosition() const { return mirrorPosition_; }
    void SetMirrorPosition(bool value) { mirrorPosition_ = value; }

    // Copies the frame, colours, items, default font and options (the kind stays).
    void Assign(const THeaderFooter& source);

    // Once per job: keeps the page count, title and stamp, orders the items by row (closing gaps between
    // row numbers) and measures each row with its fonts at `pixelsPerInch`. Empty items still take their
    // row's height; no items at all gives FrameHeight -1 (nothing is drawn, not even the frame).
    void PrepareForPrint(int pixelsPerInch, int64_t pageCount, const std::string& title, const TZefJobStamp& stamp,
                         const TZefPageMargins& margins);
    int FrameHeight() const { return frameHeight_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Draws the block on a page whose origin is the printable area's corner; `pageNumber` is the number
    // shown (page offset included).
    void DrawOnPage(TZefPrintCanvas& canvas, int64_t pageNumber, const TZefPageMargins& margins) const;

private:
    struct TLineInfo {
        int RowHeight = 0;
        int BaselineOffset = 0;
    };
    struct TPrepared {
        int Item = 0; // index into items_
        int Row = 0;  // 0-based after closing gaps
    };

    THeaderFooterType type_;
    std::vector<THeaderFooterItem> items_;
    TFrameTypes frameTypes_ = ftLine;
    TColor shadedColor_ = clSilver;
    TColor lineColor_ = clBlack;
    TZefPrintFont defaultFont_;
    bool romanNumbers_ = false;
    bool mirrorPosition_ = false;

    // Job state from PrepareForPrint.
    int pixelsPerInch_ = 300;
    int64_t pageCount_ = 1;
    std::string title_;
    TZefJobStamp stamp_;
    int internalMargin_ = 0;
    int frameHeight_ = -1;
    std::vector<TPrepared> prepared_;
    std::vector<TLineInfo> rows_;
};

class THeader : public THeaderFooter {
public:
    THeader() : THeaderFooter(hftHeader) {}
};

class TFooter : public THeaderFooter {
public:
    TFooter() : THeaderFooter(hftFooter) {}
};
