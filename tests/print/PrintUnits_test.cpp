// Margin units, printer metrics and the per-page pixel layout.
#include "ZefEditPrintMargins.h"

#include <gtest/gtest.h>

TEST(PrintMargins, UnitsConvertBothWaysAndSwitchingUnitKeepsTheDistance)
{
    struct Case {
        TUnitSystem unit;
        double written;
        double storedMM;
    } cases[] = {
        {usMM, 25, 25},
        {usCM, 2.5, 25},
        {usInch, 1, 25.4},
        {muThousandthsOfInches, 1000, 25.4},
    };
    for (const Case& c : cases) {
        TZefEditPrintMargins margins;
        margins.SetUnitSystem(c.unit);
        margins.SetLeft(c.written);
        EXPECT_NEAR(margins.Left(), c.written, 1e-9) << c.unit;
        margins.SetUnitSystem(usMM);
        EXPECT_NEAR(margins.Left(), c.storedMM, 1e-9) << c.unit;
    }
    TZefEditPrintMargins margins;
    margins.SetUnitSystem(usInch);
    margins.SetLeft(1);
    margins.SetUnitSystem(usCM);
    EXPECT_NEAR(margins.Left(), 2.54, 1e-12);
    EXPECT_NEAR(margins.Right(), 1.5, 1e-12); // the default 15 mm, only shown differently
}

TEST(PrintMargins, AssignCopiesDistancesMirrorAndUnit)
{
    TZefEditPrintMargins source;
    source.SetTop(7);
    source.SetHFInternalMargin(1.5);
    source.SetMirrorMargins(true);
    source.SetUnitSystem(usCM);
    TZefEditPrintMargins copy;
    const uint64_t before = copy.Revision();
    copy.Assign(source);
    EXPECT_EQ(copy.UnitSystem(), usCM);
    EXPECT_TRUE(copy.MirrorMargins());
    EXPECT_NEAR(copy.Top(), 0.7, 1e-12);
    EXPECT_NEAR(copy.HFInternalMargin(), 0.15, 1e-12);
    EXPECT_NE(copy.Revision(), before);
}

TEST(PrinterInfo, DefaultIsA4At300DpiAndConversionsRoundHalvesToEven)
{
    const TZefEditPrinterInfo info;
    EXPECT_EQ(info.PhysicalWidth(), 2481);
    EXPECT_EQ(info.PhysicalHeight(), 3507);
    EXPECT_EQ(info.PrintableWidth(), 2358);
    EXPECT_EQ(info.PrintableHeight(), 3407);
    EXPECT_EQ(info.RightGutter(), 58);
    EXPECT_EQ(info.BottomGutter(), 50);
    EXPECT_DOUBLE_EQ(info.XPixPerMM(), 300 / 25.4);
    EXPECT_EQ(info.PixelsFromLeft(25.4), 300 - 65);
    EXPECT_EQ(info.PixelsFromRight(25.4), 300 - 58);
    EXPECT_EQ(info.PixelsFromTop(0), -50);
    EXPECT_EQ(NearestInt(2.5), 2);
    EXPECT_EQ(NearestInt(3.5), 4);
    EXPECT_EQ(NearestInt(-2.5), -2);
}

TEST(PrinterInfo, ForPaperIsTheWholeSheetWithoutGutters)
{
    const TZefEditPrinterInfo a4 = TZefEditPrinterInfo::ForPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait, 300);
    EXPECT_EQ(a4.PhysicalWidth(), a4.PrintableWidth());
    EXPECT_EQ(a4.LeftGutter(), 0);
    EXPECT_EQ(a4.RightGutter(), 0);
    EXPECT_NEAR(a4.PhysicalWidth(), 2480, 1);
    const TZefEditPrinterInfo landscape =
        TZefEditPrinterInfo::ForPaper(QPageSize(QPageSize::A4), QPageLayout::Landscape, 300);
    EXPECT_EQ(landscape.PhysicalWidth(), a4.PhysicalHeight());
}

TEST(PrintMargins, LayoutMirrorsGutterOnEvenPages)
{
    const TZefEditPrinterInfo info;
    TZefEditPrintMargins margins;
    margins.SetMirrorMargins(true);
    margins.SetGutter(10);
    const TZefPageMargins odd = margins.LayoutPage(1, info, false, false, 0);
    const TZefPageMargins even = margins.LayoutPage(2, info, false, false, 0);
    // 35 mm on the binding side, 15 mm on the other, measured from the paper's edges.
    EXPECT_EQ(odd.PixLeft, info.PixelsFromLeft(35));
    EXPECT_EQ(info.PrintableWidth() - odd.PixRight, info.PixelsFromRight(15));
    EXPECT_EQ(even.PixLeft, info.PixelsFromLeft(15));
    EXPECT_EQ(info.PrintableWidth() - even.PixRight, info.PixelsFromRight(35));
    margins.SetMirrorMargins(false);
    EXPECT_EQ(margins.LayoutPage(2, info, false, false, 0).PixLeft, odd.PixLeft);
}

TEST(PrintMargins, LayoutFiguresAndLineNumberShift)
{
    const TZefEditPrinterInfo info;
    const TZefEditPrintMargins margins;
    const TZefPageMargins plain = margins.LayoutPage(1, info, false, false, 0);
    EXPECT_EQ(plain.PixTop, NearestInt(25 * info.YPixPerMM() - 50));
    EXPECT_EQ(plain.PixBottom, info.PrintableHeight() - NearestInt(25 * info.YPixPerMM() - 50));
    EXPECT_EQ(plain.PixHeader, NearestInt(15 * info.YPixPerMM() - 50));
    EXPECT_EQ(plain.PixFooter, info.PrintableHeight() - NearestInt(15 * info.YPixPerMM() - 50));
    EXPECT_EQ(plain.PixHFInternalMargin, NearestInt(0.5 * info.YPixPerMM()));
    EXPECT_EQ(plain.PixLeftHFTextIndent, plain.PixLeft + NearestInt(2 * info.XPixPerMM()));
    EXPECT_EQ(plain.PixRightHFTextIndent, plain.PixRight - NearestInt(2 * info.XPixPerMM()));

    const TZefPageMargins beside = margins.LayoutPage(1, info, true, false, 120);
    EXPECT_EQ(beside.PixLeft, plain.PixLeft + 120);
    EXPECT_EQ(beside.PixLeftHFTextIndent, plain.PixLeftHFTextIndent + 120); // header text follows the numbers
    EXPECT_EQ(margins.LayoutPage(1, info, true, true, 120).PixLeft, plain.PixLeft);
}

TEST(PrintMargins, EdgesAreClampedIntoThePrintableArea)
{
    const TZefEditPrinterInfo info;
    TZefEditPrintMargins margins;
    margins.SetLeft(0);   // inside the unprintable strip
    margins.SetRight(-5); // nonsense
    margins.SetTop(1000); // beyond the paper
    margins.SetBottom(1000);
    const TZefPageMargins m = margins.LayoutPage(1, info, false, false, 0);
    EXPECT_EQ(m.PixLeft, 0);
    EXPECT_EQ(m.PixRight, info.PrintableWidth());
    EXPECT_EQ(m.PixTop, info.PrintableHeight());
    EXPECT_EQ(m.PixBottom, 0);
    EXPECT_LE(m.TextHeight(), 0);
}
