// Lazily kept highlighter ranges: nothing is scanned on assignment, readers and idle slices move the mark,
// and after any edit the ranges below the mark equal a full scan.
#include "PaintTestSupport.h"

#include "ZefEditSearch.h"
#include "ZefHighlighterHtml.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The HTML highlighter, counting the lines given to it.
class TCountingHtml : public TZefHTMLSyn {
public:
    void SetLine(std::string_view line, int lineIndex) override
    {
        ++scanned;
        TZefHTMLSyn::SetLine(line, lineIndex);
    }
    int scanned = 0;
};

// The ranges a full scan from the top gives, by a highlighter of its own.
std::vector<TZefRangeState> Oracle(const TZefEditStringList& lines)
{
    TZefHTMLSyn html;
    std::vector<TZefRangeState> ranges;
    html.ResetRange();
    for (int i = 0; i < lines.Count(); ++i) {
        html.SetLine(lines.GetLine(i), i);
        html.NextToEol();
        ranges.push_back(html.GetRange());
    }
    return ranges;
}

// The first line below the mark whose stored range differs from the full scan, or -1.
int FirstWrongBelowMark(const TCustomZefEdit& edit)
{
    const std::vector<TZefRangeState> expected = Oracle(*edit.Lines());
    for (int i = 0; i < std::min(edit.RangeMark(), edit.Lines()->Count()); ++i)
        if (edit.Lines()->GetRangeState(i) != expected[static_cast<size_t>(i)]) return i;
    return -1;
}

void RunIdleSlices(TCustomZefEdit& edit)
{
    QElapsedTimer clock;
    clock.start();
    while (edit.RangeScanPending() && clock.elapsed() < 10000) QCoreApplication::processEvents();
}

std::string Document(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) text += "<p class=\"c" + std::to_string(i) + "\">text &amp; more</p>\r\n";
    return text;
}

// A random line of HTML-like text: openers and closers of comments, tags and quotes mixed with words.
std::string RandomLine(std::mt19937& random)
{
    static const char* const pieces[] = {"<!--", "-->", "<", ">", "\"", "'", "=", "a", "b ", "&amp;", "&#1;", "x", " "};
    std::string line;
    const int count = static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) line += pieces[random() % std::size(pieces)];
    return line;
}

void Replace(TCustomZefEdit& edit, int index, const std::string& text)
{
    edit.Lines()->BeginUpdate();
    edit.Lines()->ReplaceLine(index, text);
    edit.Lines()->EndUpdate();
}

} // namespace

TEST(LazyRanges, AssigningScansNothingAndPaintingOnlyTheScreen)
{
    auto edit = MakeShownEdit(Document(2000), 40, 10);
    TCountingHtml html;
    edit->SetHighlighter(&html);
    EXPECT_EQ(html.scanned, 0);
    EXPECT_EQ(edit->RangeMark(), 0);
    Rendered(*edit);
    EXPECT_GE(edit->RangeMark(), 10);
    EXPECT_LE(html.scanned, 2 * 12) << "the visible lines, scanned and then drawn";
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);

    RunIdleSlices(*edit);
    EXPECT_EQ(edit->RangeMark(), edit->Lines()->Count());
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
}

TEST(LazyRanges, ACommentThatNeverClosesRescansOnlyTheScreenAtOnce)
{
    auto edit = MakeShownEdit(Document(5000), 40, 10);
    TCountingHtml html;
    edit->SetHighlighter(&html);
    edit->FinishRangeScan();
    html.scanned = 0;
    edit->SetSelectedText("<!--");
    EXPECT_LE(html.scanned, 100) << "not the whole document";
    EXPECT_LT(edit->RangeMark(), 200);
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    EXPECT_EQ(edit->Lines()->GetRangeState(3), TZefHTMLSyn::rsComment);
    RunIdleSlices(*edit);
    EXPECT_EQ(edit->RangeMark(), edit->Lines()->Count());
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    EXPECT_EQ(edit->Lines()->GetRangeState(4999), TZefHTMLSyn::rsComment);

    // Bracket matching far below asks for the ranges it needs.
    edit->SetHighlighter(nullptr);
    edit->SetHighlighter(&html);
    edit->SetCaretPos(BufferCoord(1, 4000));
    edit->FindMatchingBracket();
    EXPECT_GE(edit->RangeMark(), 4000);
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
}

TEST(LazyRanges, StoringScannedRangesLeavesTheSelectionAlone)
{
    // The store brackets every range it is given; neither the idle slices nor painting below the mark may
    // take that for a change of the text, which would collapse the selection.
    auto edit = MakeShownEdit(Document(3000), 40, 10);
    TZefHTMLSyn html;
    edit->SetHighlighter(&html);
    Rendered(*edit);
    const TBufferCoord anchor = BufferCoord(1, 2);
    const TBufferCoord head = BufferCoord(5, 7);
    edit->SetCaretAndSelection(head, anchor, head);
    RunIdleSlices(*edit);
    EXPECT_EQ(edit->RangeMark(), edit->Lines()->Count());
    EXPECT_EQ(edit->SelAnchor(), anchor);
    EXPECT_EQ(edit->SelHead(), head);

    edit->SetHighlighter(nullptr);
    edit->SetHighlighter(&html);
    edit->SetTopVisibleLine(2500);
    Rendered(*edit);
    EXPECT_GE(edit->RangeMark(), 2500);
    EXPECT_EQ(edit->SelAnchor(), anchor);
    EXPECT_EQ(edit->SelHead(), head);
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
}

TEST(LazyRanges, RandomEditsKeepTheRangesBelowTheMarkExact)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 12; ++round) {
        std::string text;
        for (int i = 0; i < 150; ++i) text += RandomLine(random) + "\r\n";
        auto edit = MakeShownEdit(text, 30, 8);
        TZefHTMLSyn html;
        edit->SetHighlighter(&html);
        for (int step = 0; step < 120; ++step) {
            const int count = edit->Lines()->Count();
            const int index = count > 0 ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
            std::string what;
            switch (random() % 9) {
            case 0:
            case 1:
                if (count > 0) Replace(*edit, index, RandomLine(random));
                what = "replace";
                break;
            case 2:
                edit->Lines()->InsertLine(std::min(index, count), RandomLine(random));
                what = "insert";
                break;
            case 3:
                if (count > 0) edit->Lines()->RemoveLines(index, 1 + static_cast<int>(random() % 5));
                what = "remove";
                break;
            case 4: {
                edit->Lines()->BeginUpdate();
                const int many = 1 + static_cast<int>(random() % 30);
                edit->Lines()->InsertEmptyLines(std::min(index, count), many);
                for (int i = 0; i < many; ++i) edit->Lines()->ReplaceLine(std::min(index, count) + i, RandomLine(random));
                edit->Lines()->EndUpdate();
                what = "insert many";
                break;
            }
            case 5:
                edit->SetTopVisibleLine(1 + static_cast<int>(random() % static_cast<unsigned>(std::max(count, 1))));
                Rendered(*edit);
                what = "scroll and paint";
                break;
            case 6:
                QCoreApplication::processEvents();
                what = "idle";
                break;
            case 7:
                edit->SetCaretPos(BufferCoord(1 + static_cast<int>(random() % 4), index + 1));
                edit->SetSelectedText(RandomLine(random) + (random() % 2 ? "\r\n" : "") + RandomLine(random));
                what = "type";
                break;
            default:
                edit->ScanRangesUpTo(index);
                what = "read ranges";
                break;
            }
            ASSERT_EQ(FirstWrongBelowMark(*edit), -1) << "round " << round << " step " << step << " " << what;
            ASSERT_LE(edit->RangeMark(), edit->Lines()->Count());
        }
        RunIdleSlices(*edit);
        EXPECT_EQ(edit->RangeMark(), edit->Lines()->Count());
        const std::vector<TZefRangeState> expected = Oracle(*edit->Lines());
        for (int i = 0; i < edit->Lines()->Count(); ++i)
            ASSERT_EQ(edit->Lines()->GetRangeState(i), expected[static_cast<size_t>(i)]) << "round " << round << " line " << i;
    }
}

TEST(LazyRanges, ReplaceAllRescansEveryChangedLineAtOnce)
{
    // Comments opened and closed on lines far apart: replacing all closers (then all openers) changes the
    // range of most lines of the document in one batch.
    std::string text;
    for (int i = 0; i < 600; ++i) text += i % 7 == 0 ? "<!-- open\r\n" : i % 11 == 0 ? "shut --> <b>\r\n" : "plain <i>x</i>\r\n";
    auto edit = MakeShownEdit(text, 40, 10);
    TZefHTMLSyn html;
    edit->SetHighlighter(&html);
    edit->FinishRangeScan();
    TZefEditSearch engine;
    edit->SetSearchEngine(&engine);
    for (const auto& [search, replace] : {std::pair{"-->", "=="}, std::pair{"==", "-->"}, std::pair{"<!--", "<!"}}) {
        SCOPED_TRACE(search);
        EXPECT_GT(edit->SearchReplace(search, replace, soReplace | soReplaceAll | soEntireScope), 0);
        EXPECT_EQ(edit->RangeMark(), edit->Lines()->Count()) << "nothing left for idle time";
        EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    }
    edit->Undo();
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    edit->SetHighlighter(nullptr);
}
