// Highlighted painting and the reaction to line changes: range rescans that stop early, and the rows repainted.
#include "PaintTestSupport.h"

#include "../highlight/support/TestHighlighter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The test language, remembering which lines (0-based) were given to it.
class TRecordingHighlighter : public TZefTestHighlighter {
public:
    void SetLine(std::string_view line, int lineIndex) override
    {
        scanned.push_back(lineIndex);
        TZefTestHighlighter::SetLine(line, lineIndex);
    }
    std::vector<int> scanned;
};

std::string Ranges(const TCustomZefEdit& edit)
{
    std::string dump;
    for (int i = 0; i < edit.Lines()->Count(); ++i) dump += std::to_string(edit.Lines()->GetRangeState(i));
    return dump;
}

// Replaces line index (0-based) as an edit does: inside one update bracket of the line store.
void ReplaceLine(TCustomZefEdit& edit, int index, const std::string& text)
{
    edit.Lines()->BeginUpdate();
    edit.Lines()->ReplaceLine(index, text);
    edit.Lines()->EndUpdate();
}

bool HasGreenInk(const QImage& image, const QRect& cell)
{
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 40) return true;
        }
    }
    return false;
}

} // namespace

TEST(PaintRanges, CommentOpenedOnLineOneRescansAndRepaintsExactlyTheChangedLines)
{
    TRecordingHighlighter highlighter;
    auto edit = MakeShownEdit("int a;\r\nb = 1;\r\nc = 2;\r\nd */ e;\r\nf = 3;\r\ng = 4;\r\nh = 5;", 20, 10);
    edit->SetHighlighter(&highlighter);
    edit->FinishRangeScan();
    EXPECT_EQ(Ranges(*edit), "0000000");
    EXPECT_FALSE(HasGreenInk(Rendered(*edit), CellRect(*edit, 1, 2)));

    highlighter.scanned.clear();
    edit->SetRecordInvalidations(true);
    ReplaceLine(*edit, 0, "/* int a;");
    // Lines 1-3 now end inside the comment; line 4 closes it and ends as before, so the scan stops there.
    EXPECT_EQ(Ranges(*edit), "1110000");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(InvalidationsDump(*edit), "t1-4");
    const QImage image = Rendered(*edit);
    EXPECT_TRUE(HasGreenInk(image, CellRect(*edit, 1, 2))) << "line 2 is drawn as a comment";
    EXPECT_TRUE(HasGreenInk(image, CellRect(*edit, 1, 4)));
    EXPECT_FALSE(HasGreenInk(image, CellRect(*edit, 6, 4))) << "after the closer";
    EXPECT_FALSE(HasGreenInk(image, CellRect(*edit, 1, 5)));

    // Closing the comment on the same line changes line 1's end state only.
    highlighter.scanned.clear();
    edit->ClearRecordedInvalidations();
    ReplaceLine(*edit, 0, "/* int a; */");
    EXPECT_EQ(Ranges(*edit), "0000000");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{0, 1, 2, 3}));
    highlighter.scanned.clear();
    ReplaceLine(*edit, 1, "b = 11;");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{1})) << "an unchanged end state stops at once";
    EXPECT_EQ(InvalidationsDump(*edit), "t1-4 t2-2");
}

TEST(PaintRanges, TypedCommentOpenerGoesThroughTheSameReaction)
{
    TRecordingHighlighter highlighter;
    auto edit = MakeShownEdit("a\r\nb\r\nc */ d\r\ne\r\nf", 20, 8);
    edit->SetHighlighter(&highlighter);
    edit->FinishRangeScan();
    edit->SetRecordInvalidations(true);
    highlighter.scanned.clear();
    edit->SetSelectedText("/*");
    EXPECT_EQ(LinesDump(*edit), "/*a|b|c */ d|e|f");
    EXPECT_EQ(Ranges(*edit), "11000");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(InvalidationsDump(*edit), "t1-3");
}

TEST(PaintRanges, InsertedAndRemovedLinesRescanAndRepaintToTheBottom)
{
    TRecordingHighlighter highlighter;
    auto edit = MakeShownEdit("a\r\nb\r\nc */\r\nd\r\ne", 20, 8);
    edit->SetHighlighter(&highlighter);
    edit->FinishRangeScan();
    edit->SetRecordInvalidations(true);
    highlighter.scanned.clear();
    edit->Lines()->BeginUpdate();
    edit->Lines()->InsertLine(1, "/* x");
    edit->Lines()->EndUpdate();
    EXPECT_EQ(Ranges(*edit), "011000");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(InvalidationsDump(*edit), "g2-9 t2-9") << "from the new line to the bottom of the view";

    highlighter.scanned.clear();
    edit->ClearRecordedInvalidations();
    edit->Lines()->BeginUpdate();
    edit->Lines()->DeleteLine(1);
    edit->Lines()->EndUpdate();
    EXPECT_EQ(Ranges(*edit), "00000");
    EXPECT_EQ(highlighter.scanned, (std::vector<int>{1, 2}));
    EXPECT_EQ(InvalidationsDump(*edit), "g2-9 t2-9");
}

TEST(PaintRanges, WithoutHighlighterOnlyTheReplacedRowsRepaint)
{
    auto edit = MakeShownEdit("a\r\nb\r\nc\r\nd", 20, 6);
    edit->SetRecordInvalidations(true);
    edit->Lines()->BeginUpdate();
    edit->Lines()->ReplaceLine(0, "x");
    edit->Lines()->ReplaceLine(2, "y");
    edit->Lines()->EndUpdate();
    EXPECT_EQ(InvalidationsDump(*edit), "t1-1 t3-3");
    EXPECT_EQ(InkMap(*edit, Rendered(*edit), 3, 1, 2), "#.");
}

TEST(PaintRanges, TokenStylesAndColours)
{
    TZefTestHighlighter highlighter;
    auto edit = MakeShownEdit("begin 42 \"s\" x", 20, 1);
    edit->clearFocus();
    const QImage plain = Rendered(*edit);
    edit->SetHighlighter(&highlighter);
    edit->FinishRangeScan();
    highlighter.numberAttri_->SetBackground(clYellow);
    QImage image = Rendered(*edit);
    EXPECT_NE(image.copy(CellRect(*edit, 1, 1)), plain.copy(CellRect(*edit, 1, 1))) << "the keyword is bold";
    EXPECT_EQ(image.copy(CellRect(*edit, 14, 1)), plain.copy(CellRect(*edit, 14, 1))) << "identifiers as before";
    EXPECT_EQ(image.pixel(CellRect(*edit, 7, 1).topLeft()), qRgb(255, 255, 0)) << "the number's background";
    EXPECT_EQ(image.pixel(CellRect(*edit, 9, 1).topLeft()), qRgb(255, 255, 255));
    // An attribute change repaints without a rescan.
    highlighter.numberAttri_->SetBackground(clNone);
    image = Rendered(*edit);
    EXPECT_EQ(image.pixel(CellRect(*edit, 7, 1).topLeft()), qRgb(255, 255, 255));
    edit->SetHighlighter(nullptr);
    EXPECT_EQ(Rendered(*edit), plain);
}

TEST(PaintRanges, HighlighterDestroyedFirstIsDropped)
{
    auto edit = MakeShownEdit("/* a\r\nb", 20, 2);
    {
        TZefTestHighlighter highlighter;
        edit->SetHighlighter(&highlighter);
        edit->FinishRangeScan();
        EXPECT_EQ(Ranges(*edit), "11");
    }
    EXPECT_EQ(edit->Highlighter(), nullptr);
    EXPECT_FALSE(Rendered(*edit).isNull());
}
