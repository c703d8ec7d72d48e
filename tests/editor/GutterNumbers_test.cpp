// The gutter: line-number text and auto-sized digits, the gutter's width and what its rows show, borders and marks.
#include "PaintTestSupport.h"

#include "ZefEditMarks.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "x\r\n";
    return text;
}

// The gutter cells of one row as '#' (ink) / '.' (blank): DigitsInUse cells of the gutter font, right-aligned
// where the number is drawn.
std::string DigitInk(TCustomZefEdit& edit, const QImage& image, int row)
{
    TZefGutter& gutter = edit.Gutter();
    const int digit = QFontMetrics(gutter.Font()).horizontalAdvance(QLatin1Char('0'));
    const int right = edit.GutterPixels() - gutter.RightOffset() - 2;
    const QRgb background = image.pixel(1, (row - edit.TopVisibleLine()) * edit.RowHeight());
    std::string map;
    for (int i = gutter.DigitsInUse(); i >= 1; --i) {
        const QRect cell(right - i * digit, (row - edit.TopVisibleLine()) * edit.RowHeight(), digit, edit.RowHeight());
        map += HasInk(image, cell, background) ? '#' : '.';
    }
    return map;
}

} // namespace

TEST(GutterNumbers, LineNumberTextAndDigits)
{
    struct Case {
        int lines;
        bool zeroStart;
        bool leadingZeros;
        int digitCount;
        int line;
        const char* text;
    };
    const Case cases[] = {
        {9, false, false, 4, 9, "   9"},        {12345, false, false, 4, 12345, "12345"},
        {12345, false, false, 4, 1, "    1"},   {10000, true, false, 4, 10000, "9999"},
        {100, true, false, 2, 1, " 0"},         {100, true, false, 2, 100, "99"},
        {101, false, false, 2, 7, "  7"},       {9, false, true, 4, 7, "0007"},
        {9, false, true, 4, 1234, "1234"},      {1, false, false, 13, 1, "           1"},
    };
    for (const Case& c : cases) {
        TZefGutter gutter;
        gutter.SetShowLineNumbers(true);
        gutter.SetAutoSize(true);
        gutter.SetZeroStart(c.zeroStart);
        gutter.SetLeadingZeros(c.leadingZeros);
        gutter.SetDigitCount(c.digitCount);
        gutter.AutoSizeDigits(c.lines);
        EXPECT_EQ(gutter.LineNumberText(c.line), c.text) << c.lines << " lines, line " << c.line;
        EXPECT_EQ(gutter.ComputeGutterWidth(8), 16 + 2 + 8 * static_cast<int>(std::string(c.text).size()) + 2);
    }
}

TEST(GutterNumbers, AutoSizeOnlyWithLineNumbersAndReportsChanges)
{
    TZefGutter gutter;
    int changes = 0;
    gutter.OnChange = [&](TZefGutter*) { ++changes; };
    gutter.SetAutoSize(true);
    gutter.AutoSizeDigits(123456);
    EXPECT_EQ(gutter.DigitsInUse(), 4) << "no line numbers, no auto size";
    EXPECT_EQ(gutter.ComputeGutterWidth(8), 30) << "without numbers the gutter is Width wide";
    gutter.SetShowLineNumbers(true);
    changes = 0;
    gutter.AutoSizeDigits(123456);
    gutter.AutoSizeDigits(123456);
    EXPECT_EQ(gutter.DigitsInUse(), 6);
    EXPECT_EQ(changes, 1);
    gutter.SetVisible(false);
    EXPECT_EQ(gutter.ComputeGutterWidth(8), 0);
}

TEST(GutterNumbers, ControlShowsAutoSizedNumbers)
{
    struct Case {
        int lines;
        bool zeroStart;
        int digits;
        std::string firstRow;
        std::string lastRow;
    };
    const Case cases[] = {
        {9, false, 4, "...#", "...#"},
        {12345, false, 5, "....#", "#####"},
        {12345, true, 5, "....#", "#####"},
    };
    for (const Case& c : cases) {
        auto edit = MakeShownEdit(NumberedLines(c.lines), 10, 4);
        edit->Gutter().SetZeroStart(c.zeroStart);
        edit->Gutter().SetAutoSize(true);
        edit->Gutter().SetShowLineNumbers(true);
        EXPECT_EQ(edit->Gutter().DigitsInUse(), c.digits) << c.lines;
        EXPECT_EQ(edit->GutterPixels(), 16 + 2 + edit->CellWidth() * c.digits + 2) << c.lines;
        EXPECT_EQ(DigitInk(*edit, Rendered(*edit), 1), c.firstRow) << c.lines;
        edit->SetTopVisibleLine(c.lines);
        const int last = edit->TopVisibleLine() + edit->VisibleLines() - 1;
        EXPECT_EQ(last, c.lines);
        EXPECT_EQ(DigitInk(*edit, Rendered(*edit), last), c.lastRow) << c.lines;
    }
}

TEST(GutterNumbers, ZeroStartShiftsEveryNumberByOne)
{
    auto plain = MakeShownEdit(NumberedLines(30), 10, 4);
    plain->Gutter().SetShowLineNumbers(true);
    auto zero = MakeShownEdit(NumberedLines(30), 10, 4);
    zero->Gutter().SetShowLineNumbers(true);
    zero->Gutter().SetZeroStart(true);
    const QImage a = Rendered(*plain);
    const QImage b = Rendered(*zero);
    const int h = plain->RowHeight();
    const int w = plain->GutterPixels();
    // Line 2 with zero start reads "1", as line 1 does without it; line 1 itself differs ("0" against "1").
    EXPECT_EQ(b.copy(0, h, w, h), a.copy(0, 0, w, h));
    EXPECT_NE(b.copy(0, 0, w, h), a.copy(0, 0, w, h));
}

TEST(GutterNumbers, LeadingZerosFillTheField)
{
    auto edit = MakeShownEdit(NumberedLines(9), 10, 9);
    edit->Gutter().SetShowLineNumbers(true);
    EXPECT_EQ(DigitInk(*edit, Rendered(*edit), 7), "...#");
    edit->Gutter().SetLeadingZeros(true);
    EXPECT_EQ(DigitInk(*edit, Rendered(*edit), 7), "####");
}

TEST(GutterNumbers, BordersAndGetTextHook)
{
    auto edit = MakeShownEdit("a\r\nb", 10, 3);
    edit->Gutter().SetShowLineNumbers(true);
    edit->Gutter().SetColor(clSilver);
    const int g = edit->GutterPixels();
    QImage image = Rendered(*edit);
    EXPECT_EQ(image.pixel(g - 2, 2), qRgb(255, 255, 255)) << "middle border: editor colour, then gutter colour";
    EXPECT_EQ(image.pixel(g - 1, 2), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(g - 3, 2), qRgb(192, 192, 192));
    edit->Gutter().SetBorderStyle(gbsRight);
    image = Rendered(*edit);
    EXPECT_EQ(image.pixel(g - 2, 2), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(g - 1, 2), qRgb(255, 255, 255));

    edit->OnGutterGetText = [](TCustomZefEdit*, int line, std::string& text) {
        if (line == 2) text = "8888";
    };
    EXPECT_EQ(DigitInk(*edit, Rendered(*edit), 2), "####");
    EXPECT_EQ(DigitInk(*edit, Rendered(*edit), 1), "...#");
}

TEST(GutterNumbers, BookmarkGlyphsAreDrawnInTheirRows)
{
    auto edit = MakeShownEdit("a\r\nb\r\nc\r\nd", 10, 4);
    auto addMark = [&](int line, int glyph, int bookmark) {
        auto mark = std::make_unique<TZefEditMark>(edit.get());
        mark->SetMarkLine(line);
        mark->SetGlyphIndex(glyph);
        mark->SetBookmarkIndex(bookmark);
        mark->SetShown(true);
        edit->Marks()->AddMark(std::move(mark));
    };
    addMark(2, 3, 3);
    addMark(3, 10, -1); // no built-in glyph 10: nothing drawn
    addMark(4, 5, -1);
    addMark(4, 7, 7);   // a second mark in a row that already has one: only the first drawn one shows
    const QImage image = Rendered(*edit);
    const int h = edit->RowHeight();
    const int left = edit->BookMarkOptions().LeftMargin;
    const int top = (h - ZefBookmarkGlyphHeight) / 2;
    auto glyphAt = [&](int row) {
        return image.copy(left, (row - 1) * h + top, ZefBookmarkGlyphWidth, ZefBookmarkGlyphHeight);
    };
    auto composed = [&](int n) {
        QImage expected = glyphAt(1); // an empty gutter row as the background
        QPainter painter(&expected);
        painter.drawImage(0, 0, ZefBookmarkGlyph(n));
        return expected;
    };
    EXPECT_NE(glyphAt(2), glyphAt(1));
    EXPECT_EQ(glyphAt(2), composed(3));
    EXPECT_EQ(glyphAt(3), glyphAt(1));
    EXPECT_EQ(glyphAt(4), composed(7)) << "bookmarks are drawn first";
    EXPECT_NE(composed(3), composed(7));
    EXPECT_TRUE(ZefBookmarkGlyph(10).isNull());
    EXPECT_EQ(ZefBookmarkGlyph(0).size(), QSize(11, 14));
}
