// Header and footer rows, frames and mirrored positions, checked on a recorded page.
#include "PrintRecorder.h"
#include "ZefEditPrintHeaderFooter.h"
#include "ZefPrintMeasure.h"

#include <gtest/gtest.h>

namespace {

struct Block {
    TZefEditPrinterInfo info;
    TZefEditPrintMargins marginsSetting;
    TZefPageMargins margins = marginsSetting.LayoutPage(1, info, false, false, 0);

    void Prepare(THeaderFooter& block, int64_t pageCount = 14)
    {
        block.PrepareForPrint(info.YPixPerInch(), pageCount, "notes.txt", TZefJobStamp{"01/05/2024", "13:45:00"}, margins);
    }
    int RowHeight(const TZefPrintFont& font) const
    {
        return TZefPrintMeasure(info.YPixPerInch()).Metrics(font.ToQFont(info.YPixPerInch())).height();
    }
};

const QPoint* FindText(const TPrintRecorder& page, const QString& text)
{
    for (const auto& [point, shown] : page.Texts) {
        if (shown == text) return &point;
    }
    return nullptr;
}

} // namespace

TEST(PrintHeaderFooter, RowNumbersWithGapsPrintAsConsecutiveRows)
{
    Block b;
    THeader header;
    header.SetFrameTypes(0);
    header.Add("seven", nullptr, taLeftJustify, 7);
    header.Add("one", nullptr, taLeftJustify, 1);
    header.Add("three", nullptr, taLeftJustify, 3);
    b.Prepare(header);
    const int row = b.RowHeight(header.DefaultFont());
    EXPECT_EQ(header.RowCount(), 3);
    EXPECT_EQ(header.FrameHeight(), 3 * row + 2 * b.margins.PixHFInternalMargin);

    TPrintRecorder page;
    header.DrawOnPage(page, 1, b.margins);
    const QPoint* one = FindText(page, "one");
    const QPoint* three = FindText(page, "three");
    const QPoint* seven = FindText(page, "seven");
    ASSERT_TRUE(one && three && seven);
    EXPECT_EQ(three->y() - one->y(), row);
    EXPECT_EQ(seven->y() - three->y(), row);
    // The block ends at the header line: the first baseline is one internal margin and an ascent below its top.
    const int ascent = TZefPrintMeasure(300).Metrics(header.DefaultFont().ToQFont(300)).ascent();
    EXPECT_EQ(one->y(), b.margins.PixHeader - header.FrameHeight() + b.margins.PixHFInternalMargin + ascent);
    EXPECT_EQ(one->x(), b.margins.PixLeftHFTextIndent);
}

TEST(PrintHeaderFooter, MirrorPositionSwapsLeftAndRightOnEvenPagesOnly)
{
    Block b;
    TFooter footer;
    footer.SetMirrorPosition(true);
    footer.Add("$PAGENUM$", nullptr, taRightJustify, 1);
    footer.Add("mid", nullptr, taCenter, 2);
    b.Prepare(footer);

    TPrintRecorder odd;
    footer.DrawOnPage(odd, 3, b.margins);
    TPrintRecorder even;
    footer.DrawOnPage(even, 4, b.margins);
    const QPoint* three = FindText(odd, "3");
    const QPoint* four = FindText(even, "4");
    ASSERT_TRUE(three && four);
    EXPECT_GT(three->x(), b.margins.PixRightHFTextIndent - 100); // right-aligned, ending at the right indent
    EXPECT_EQ(four->x(), b.margins.PixLeftHFTextIndent);
    EXPECT_EQ(FindText(odd, "mid")->x(), FindText(even, "mid")->x());
    EXPECT_GT(three->y(), b.margins.PixFooter);
}

TEST(PrintHeaderFooter, EmptyItemsTakeTheirHeightAndKeepTheFrameButNoItemsDrawNothing)
{
    Block b;
    THeader header;
    header.SetFrameTypes(ftBox | ftShaded | ftLine);
    header.Add("", nullptr, taLeftJustify, 1);
    header.Add("   ", nullptr, taRightJustify, 2);
    b.Prepare(header);
    EXPECT_EQ(header.FrameHeight(), 2 * b.RowHeight(header.DefaultFont()) + 2 * b.margins.PixHFInternalMargin);
    TPrintRecorder page;
    header.DrawOnPage(page, 1, b.margins);
    EXPECT_TRUE(page.Texts.empty());
    ASSERT_EQ(page.Operations.size(), 2u);
    EXPECT_EQ(page.Operations[0].rfind("rect ", 0), 0u);
    EXPECT_NE(page.Operations[0].find("line #000000 fill #c0c0c0"), std::string::npos);
    EXPECT_EQ(page.Operations[1], "line " + std::to_string(b.margins.PixLeft) + "," + std::to_string(b.margins.PixHeader) +
                                      "-" + std::to_string(b.margins.PixRight) + "," +
                                      std::to_string(b.margins.PixHeader) + " #000000");

    THeader none;
    b.Prepare(none);
    EXPECT_EQ(none.FrameHeight(), -1);
    TPrintRecorder blank;
    none.DrawOnPage(blank, 1, b.margins);
    EXPECT_TRUE(blank.Operations.empty());
}

TEST(PrintHeaderFooter, ItemsTakeTheirFontOrTheDefaultAndAssignCopiesEverything)
{
    THeader header;
    TZefPrintFont big;
    big.Size = 20;
    big.Style = fsBold;
    EXPECT_EQ(header.Add("a", nullptr, taLeftJustify, 1), 0);
    EXPECT_EQ(header.Add("b", &big, taCenter, 2), 1);
    EXPECT_EQ(header.Items(0).Font, header.DefaultFont());
    EXPECT_EQ(header.Items(1).Font, big);
    header.SetRomanNumbers(true);
    header.SetMirrorPosition(true);
    header.SetLineColor(clRed);
    header.SetShadedColor(clYellow);
    header.SetFrameTypes(ftBox);

    TFooter copy;
    copy.Assign(header);
    EXPECT_EQ(copy.Type(), hftFooter);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(1).Text, "b");
    EXPECT_EQ(copy.Items(1).Font, big);
    EXPECT_EQ(copy.Items(1).Alignment, taCenter);
    EXPECT_EQ(copy.Items(1).LineNumber, 2);
    EXPECT_TRUE(copy.RomanNumbers());
    EXPECT_TRUE(copy.MirrorPosition());
    EXPECT_EQ(copy.LineColor(), clRed);
    EXPECT_EQ(copy.ShadedColor(), clYellow);
    EXPECT_EQ(copy.FrameTypes(), ftBox);
    copy.Delete(0);
    EXPECT_EQ(copy.Items(0).Index, 0);
}

TEST(PrintHeaderFooter, RomanNumbersAndJobValuesInTheDrawnText)
{
    Block b;
    THeader header;
    header.SetRomanNumbers(true);
    header.Add("$PAGENUM$/$PAGECOUNT$ $TITLE$ $DATETIME$", nullptr, taLeftJustify, 1);
    b.Prepare(header, 14);
    TPrintRecorder page;
    header.DrawOnPage(page, 4, b.margins);
    ASSERT_EQ(page.Texts.size(), 1u);
    EXPECT_EQ(page.Texts[0].second, "IV/XIV notes.txt 01/05/2024 13:45:00");
}
