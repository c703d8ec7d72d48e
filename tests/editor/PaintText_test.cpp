// What the text area shows: cells, control bytes, special characters, the right edge, selection, active line, caret.
#include "PaintTestSupport.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);

// One character per cell of rows 1..rows, columns 1..columns: 's' when the cell's top-left pixel has the
// selection background, '.' otherwise; rows joined by '|'.
std::string SelectionMap(const TCustomZefEdit& edit, const QImage& image, int rows, int columns)
{
    std::string map;
    for (int row = 1; row <= rows; ++row) {
        if (row > 1) map += '|';
        for (int column = 1; column <= columns; ++column) {
            const QRect cell = CellRect(edit, column, row);
            map += image.pixel(cell.topLeft()) == kBlue ? 's' : '.';
        }
    }
    return map;
}

} // namespace

TEST(PaintText, EveryByteTakesOneCellAndCellsLineUp)
{
    auto edit = MakeShownEdit(std::string("abc\r\nxab\r\n\0\x01\x7F \x81\xE9\r\nW\tW", 21), 12, 4);
    edit->clearFocus(); // no caret over the first cell
    const QImage image = Rendered(*edit);
    EXPECT_EQ(InkMap(*edit, image, 1, 1, 5), "###..");
    // The same glyph one cell further is the same pixels one CellWidth further.
    EXPECT_EQ(image.copy(CellRect(*edit, 1, 1)), image.copy(CellRect(*edit, 2, 2)));
    EXPECT_EQ(image.copy(CellRect(*edit, 2, 1)), image.copy(CellRect(*edit, 3, 2)));
    EXPECT_EQ(edit->CellWidth(), qRound(QFontMetricsF(edit->font()).horizontalAdvance(QLatin1Char('M'))))
        << "the cell is the fixed-pitch font's advance";
    // NUL, other control bytes and the undefined 0x81 show a substitute in their own cell; the space is blank.
    EXPECT_EQ(InkMap(*edit, image, 3, 1, 7), "###.##.");
    EXPECT_EQ(image.copy(CellRect(*edit, 1, 3)), image.copy(CellRect(*edit, 2, 3))) << "one substitute glyph";
    // A tab spans to the next tab stop (8), drawn blank.
    EXPECT_EQ(InkMap(*edit, image, 4, 1, 10), "#.......#.");
}

TEST(PaintText, SpecialCharactersShowSpacesTabsAndLineEnds)
{
    auto edit = MakeShownEdit("a b\tc\r\n\t\tx", 20, 2);
    edit->SetTabWidth(4);
    const QImage plain = Rendered(*edit);
    EXPECT_EQ(InkMap(*edit, plain, 1, 1, 7), "#.#.#..");
    edit->SetOptions(edit->Options().With(eoShowSpecialChars));
    const QImage special = Rendered(*edit);
    // "a·b»c¶": the dot in the space's cell, the arrow once in the tab's span (columns 4), the mark after "c".
    EXPECT_EQ(InkMap(*edit, special, 1, 1, 7), "######.");
    // Two tabs of four columns each: one arrow per span, in the cell after its middle, then "x¶".
    EXPECT_EQ(InkMap(*edit, special, 2, 1, 11), "..#...#.##.");
}

TEST(PaintText, RightEdgeAtItsColumnAndAfterHorizontalScrolling)
{
    auto edit = MakeShownEdit("short\r\n\r\nline", 30, 5);
    edit->SetRightEdge(10);
    edit->SetRightEdgeColor(clRed);
    auto edgeColumns = [&](const QImage& image, int y) {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0)) xs.push_back(x);
        return xs;
    };
    const int origin = edit->ColumnToX(1);
    QImage image = Rendered(*edit);
    const int belowText = 4 * edit->RowHeight() + 2;
    for (int y : {1, edit->RowHeight() + 3, belowText})
        EXPECT_EQ(edgeColumns(image, y), std::vector<int>{origin + 10 * edit->CellWidth()}) << "y " << y;
    edit->SetLeftVisibleColumn(4);
    image = Rendered(*edit);
    for (int y : {1, belowText})
        EXPECT_EQ(edgeColumns(image, y), std::vector<int>{origin + 7 * edit->CellWidth()}) << "y " << y;
    edit->SetLeftVisibleColumn(12);
    EXPECT_TRUE(edgeColumns(Rendered(*edit), 1).empty()) << "scrolled out of view";
}

TEST(PaintText, SelectedCellsInTheThreeModes)
{
    struct Case {
        TZefSelectionMode mode;
        TBufferCoord anchor;
        TBufferCoord head;
        const char* map;
    };
    // Line 2 holds a tab (columns 2..8): in column mode a block edge inside it selects the whole tab.
    const Case cases[] = {
        {smNormal, BufferCoord(2, 1), BufferCoord(4, 3), ".sssssssssss|ssssssssssss|sss........."},
        {smNormal, BufferCoord(4, 3), BufferCoord(2, 1), ".sssssssssss|ssssssssssss|sss........."},
        {smLine, BufferCoord(2, 1), BufferCoord(4, 2), "ssssssssssss|ssssssssssss|............"},
        {smColumn, BufferCoord(3, 1), BufferCoord(10, 3), "..sssssss...|.ssssssss...|..sssssss..."},
        {smColumn, BufferCoord(10, 3), BufferCoord(3, 1), "..sssssss...|.ssssssss...|..sssssss..."},
        {smColumn, BufferCoord(10, 1), BufferCoord(3, 3), "..sssssss...|.ssssssss...|..sssssss..."},
    };
    for (const Case& c : cases) {
        auto edit = MakeShownEdit("abcdefghijkl\r\na\tbcd\r\nabcdefghijkl", 12, 3);
        edit->SetTabWidth(8);
        edit->SetSelectedColor({clBlue, clWhite});
        edit->SetSelectionMode(c.mode);
        edit->SetCaretAndSelection(c.head, c.anchor, c.head);
        EXPECT_EQ(SelectionMap(*edit, Rendered(*edit), 3, 12), c.map) << "mode " << c.mode << " " << Pos(c.anchor);
    }
}

TEST(PaintText, SelectedTextUsesSelectionColoursAndHideSelection)
{
    auto edit = MakeShownEdit("abcdef", 10, 1);
    edit->SetSelectedColor({clBlue, clYellow});
    edit->SetCaretAndSelection(BufferCoord(4, 1), BufferCoord(2, 1), BufferCoord(4, 1));
    const QImage image = Rendered(*edit);
    // Inside the selection the glyphs are yellow on blue, outside dark on white.
    auto inkColours = [&](int column) {
        std::string found;
        const QRect cell = CellRect(*edit, column, 1);
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                const bool yellow = qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 100;
                const bool black = qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
                if (yellow && found.find('Y') == std::string::npos) found += 'Y';
                if (black && found.find('K') == std::string::npos) found += 'K';
            }
        }
        return found;
    };
    EXPECT_EQ(inkColours(2), "Y");
    EXPECT_EQ(inkColours(1), "K");
    EXPECT_EQ(SelectionMap(*edit, image, 1, 6), ".ss...");

    edit->SetHideSelection(true);
    edit->clearFocus();
    EXPECT_EQ(SelectionMap(*edit, Rendered(*edit), 1, 6), "......") << "hidden without the focus";
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(SelectionMap(*edit, Rendered(*edit), 1, 6), ".ss...") << "shown again with the focus";
    edit->clearFocus();
    edit->SetHideSelection(false);
    EXPECT_EQ(SelectionMap(*edit, Rendered(*edit), 1, 6), ".ss...");
}

TEST(PaintText, ActiveLineColourAndExactlyTwoRowsRepaintedWhenTheCaretMoves)
{
    auto edit = MakeShownEdit("a\r\nb\r\nc\r\nd\r\ne", 10, 5);
    edit->SetActiveLineColor(clYellow);
    edit->MoveCaret(BufferCoord(1, 2));
    QImage image = Rendered(*edit);
    auto rowColour = [&](const QImage& shot, int row) { return shot.pixel(CellRect(*edit, 5, row).topLeft()); };
    EXPECT_EQ(rowColour(image, 1), kWhite);
    EXPECT_EQ(rowColour(image, 2), kYellow);
    EXPECT_EQ(image.pixel(CellRect(*edit, 1, 2).topLeft()), kYellow) << "under the text too";

    edit->SetRecordInvalidations(true);
    edit->MoveCaret(BufferCoord(1, 4));
    EXPECT_EQ(InvalidationsDump(*edit), "t2-2 t4-4");
    edit->ClearRecordedInvalidations();
    edit->MoveCaret(BufferCoord(2, 4));
    EXPECT_EQ(InvalidationsDump(*edit), "") << "a move within the line repaints only the caret";
    image = Rendered(*edit);
    EXPECT_EQ(rowColour(image, 2), kWhite);
    EXPECT_EQ(rowColour(image, 4), kYellow);
}

TEST(PaintText, CaretShapes)
{
    auto edit = MakeShownEdit("abc", 10, 2);
    edit->clearFocus();
    EXPECT_TRUE(edit->CaretRect().isNull()) << "no focus, not always shown";
    edit->SetCaretAlwaysShown(true);
    edit->MoveCaret(BufferCoord(2, 1));
    const int x = edit->ColumnToX(2);
    const int w = edit->CellWidth();
    const int h = edit->RowHeight();
    struct Case {
        TZefCaretType shape;
        QRect rect;
    };
    const Case cases[] = {
        {ctVerticalLine, QRect(x - 1, 1, 2, h - 2)},
        {ctHorizontalLine, QRect(x, h - 2 + 1, w, 2)},
        {ctHalfBlock, QRect(x, (h - 2) / 2 + 1, w, (h - 2) / 2)},
        {ctBlock, QRect(x, 1, w, h - 2)},
    };
    for (const Case& c : cases) {
        edit->SetInsertCaret(c.shape);
        edit->SetInsertMode(true);
        EXPECT_EQ(edit->CaretRect(), c.rect) << "insert " << c.shape;
        edit->SetOverwriteCaret(c.shape);
        edit->SetInsertCaret(ctVerticalLine);
        edit->SetInsertMode(false);
        EXPECT_EQ(edit->CaretRect(), c.rect) << "overwrite " << c.shape;
    }
    edit->SetOptions(edit->Options().With(eoNoCaret));
    EXPECT_TRUE(edit->CaretRect().isNull());
}

TEST(PaintText, ProportionalFontIsReplacedByFixedPitch)
{
    auto edit = MakeShownEdit("iiii\r\nWWWW", 10, 2);
    QFont proportional(QStringLiteral("Liberation Sans"), 12);
    ASSERT_FALSE(QFontInfo(proportional).fixedPitch());
    edit->setFont(proportional);
    EXPECT_TRUE(edit->font().fixedPitch());
    EXPECT_EQ(edit->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(edit->font().pointSize(), 12);
    // Whatever the glyphs' own widths, every character is one cell: the fourth 'i' and 'W' share a column.
    const QImage image = Rendered(*edit);
    EXPECT_EQ(InkMap(*edit, image, 1, 1, 5), "####.");
    EXPECT_EQ(InkMap(*edit, image, 2, 1, 5), "####.");
}

TEST(PaintText, SpecialLineColoursAndTheirSelection)
{
    auto edit = MakeShownEdit("abc\r\nabc\r\nabc", 10, 3);
    edit->clearFocus();
    edit->SetSelectedColor({clBlue, clWhite});
    edit->OnSpecialLineColors = [](TCustomZefEdit*, int line, bool& special, TColor& fg, TColor& bg) {
        if (line != 2) return;
        special = true;
        fg = clYellow;
        bg = clRed;
    };
    edit->SetCaretAndSelection(BufferCoord(2, 3), BufferCoord(2, 1), BufferCoord(2, 3));
    const QImage image = Rendered(*edit);
    auto background = [&](int column, int row) { return image.pixel(CellRect(*edit, column, row).topLeft()); };
    EXPECT_EQ(background(6, 1), kBlue) << "an ordinary line's selection";
    EXPECT_EQ(background(1, 1), kWhite);
    // The special line's selection swaps its two colours: the foreground becomes the background.
    EXPECT_EQ(background(6, 2), kYellow);
    EXPECT_EQ(background(1, 3), kBlue);
    EXPECT_EQ(background(2, 3), kWhite);
    edit->SetSelAnchor(BufferCoord(1, 1));
    const QImage unselected = Rendered(*edit);
    EXPECT_EQ(unselected.pixel(CellRect(*edit, 6, 2).topLeft()), qRgb(255, 0, 0));
}

TEST(PaintText, MetricsFollowTheFontAndTheLineSpacing)
{
    auto edit = MakeShownEdit("abc", 10, 3);
    edit->Gutter().SetShowLineNumbers(true);
    const int cell = edit->CellWidth();
    const int row = edit->RowHeight();
    EXPECT_EQ(edit->GutterPixels(), 16 + 2 + 4 * cell + 2);
    QFont larger = edit->font();
    larger.setPointSize(20);
    edit->setFont(larger);
    EXPECT_GT(edit->CellWidth(), cell);
    EXPECT_GT(edit->RowHeight(), row);
    EXPECT_EQ(edit->GutterPixels(), 16 + 2 + 4 * edit->CellWidth() + 2) << "the gutter follows the cell width";
    EXPECT_EQ(edit->VisibleLines(), edit->viewport()->height() / edit->RowHeight());
    const int plainRow = edit->RowHeight();
    edit->SetExtraLineSpacing(5);
    EXPECT_EQ(edit->RowHeight(), plainRow + 5);
    EXPECT_EQ(edit->VisibleLines(), edit->viewport()->height() / edit->RowHeight());
}
