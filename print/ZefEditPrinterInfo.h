// The printer's page metrics in device pixels: paper, printable area, unprintable gutters and resolution.
#pragma once

#include <QPageLayout>
#include <QPageSize>

// Without a printer the metrics are those of an A4 sheet at 300 dots per inch with the usual gutters. The
// windows fill it from the selected printer (SetMetrics); a PDF writer has no unprintable strip (ForPaper).
class TZefEditPrinterInfo {
public:
    TZefEditPrinterInfo();

    // The A4 / 300 dpi sheet used when there is no printer.
    static TZefEditPrinterInfo DefaultA4();
    // A whole sheet of the given paper at `dotsPerInch`, printable to its edges (as a PDF file is).
    static TZefEditPrinterInfo ForPaper(const QPageSize& paper, QPageLayout::Orientation orientation,
                                        int dotsPerInch);

    // Every figure in device pixels; the right and bottom gutters follow from the others. For a QPrinter:
    // paperRect and pageRect in QPrinter::DevicePixel (sizes, and the page's offset as the gutters) and its
    // logical resolution. Sizes below one
    // pixel and gutters that do not fit on the paper are clamped, so the printable area is never empty.
    void SetMetrics(int physicalWidth, int physicalHeight, int printableWidth, int printableHeight, int leftGutter,
                    int topGutter, int xPixPerInch, int yPixPerInch);

    int PhysicalWidth() const { return physicalWidth_; }
    int PhysicalHeight() const { return physicalHeight_; }
    int PrintableWidth() const { return printableWidth_; }
    int PrintableHeight() const { return printableHeight_; }
    int LeftGutter() const { return leftGutter_; }
    int TopGutter() const { return topGutter_; }
    int RightGutter() const { return physicalWidth_ - printableWidth_ - leftGutter_; }
    int BottomGutter() const { return physicalHeight_ - printableHeight_ - topGutter_; }
    int XPixPerInch() const { return xPixPerInch_; }
    int YPixPerInch() const { return yPixPerInch_; }
    double XPixPerMM() const { return xPixPerInch_ / 25.4; }
    double YPixPerMM() const { return yPixPerInch_ / 25.4; }

    // Distances in millimetres from a paper edge, as pixels from the printable area's edge (may be negative
    // when the distance lies in the gutter). Halves round to even.
    int PixelsFromLeft(double mm) const;
    int PixelsFromRight(double mm) const;
    int PixelsFromTop(double mm) const;
    int PixelsFromBottom(double mm) const;

    bool operator==(const TZefEditPrinterInfo&) const = default;

private:
    int physicalWidth_ = 0;
    int physicalHeight_ = 0;
    int printableWidth_ = 0;
    int printableHeight_ = 0;
    int leftGutter_ = 0;
    int topGutter_ = 0;
    int xPixPerInch_ = 0;
    int yPixPerInch_ = 0;
};

// The integer nearest to value, halves going to the even one; clamped to the int range.
int NearestInt(double value);
