// Replacing all with a progress: it is told as the walk goes, what it lets run meanwhile (painting, idle range
// scans) neither sees nor leaves half-done state, and a stop keeps what was replaced as one undo step.
#include "PaintTestSupport.h"

#include "ZefEditSearch.h"
#include "ZefEditUndoList.h"
#include "ZefHighlighterHtml.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr TSearchOptions kReplaceAll = soReplace | soReplaceAll | soEntireScope | soMatchCase;
constexpr int kLines = 5000;

// Every third line opens an HTML comment once "A" is replaced, so replacing moves the highlighter's ranges of
// whole spans of lines.
std::string LineOf(int i, bool replaced)
{
    const std::string a = replaced ? "<!--" : "A";
    switch (i % 3) {
    case 0: return a + " opens " + std::to_string(i);
    case 1: return "<p class=\"" + std::to_string(i) + "\">" + a + "</p>";
    default: return "closes --> " + std::to_string(i);
    }
}

std::string Document(int replacedLines)
{
    std::string text;
    for (int i = 0; i < kLines; ++i) text += LineOf(i, i < replacedLines) + "\n";
    return text;
}

// The document as the control gives it back.
std::string TextOf(int replacedLines) { return MakeEdit(Document(replacedLines))->Text(); }

// The first stored range below the mark that differs from a full scan by a highlighter of its own, or -1.
int FirstWrongBelowMark(const TCustomZefEdit& edit)
{
    TZefHTMLSyn html;
    html.ResetRange();
    for (int i = 0; i < std::min(edit.RangeMark(), edit.Lines()->Count()); ++i) {
        html.SetLine(edit.Lines()->GetLine(i), i);
        html.NextToEol();
        if (edit.Lines()->GetRangeState(i) != html.GetRange()) return i;
    }
    return -1;
}

struct TReport {
    uint64_t Done;
    uint64_t Total;
};

TEST(ReplaceAllProgress, ReportsTheWalkAndGivesTheSameResultWhilePaintingAndIdleScansRun)
{
    auto quiet = MakeEdit(Document(0));
    TZefEditSearch quietEngine;
    quiet->SetSearchEngine(&quietEngine);
    const int quietCount = quiet->SearchReplace("A", "<!--", kReplaceAll);

    auto edit = MakeShownEdit(Document(0), 40, 10);
    TZefHTMLSyn html;
    edit->SetHighlighter(&html); // nothing scanned yet: the idle slices scan while the walk runs
    TZefEditSearch engine;
    edit->SetSearchEngine(&engine);
    const std::string before = edit->Text();
    std::vector<TReport> reports;
    int markDuringWalk = 0;
    const TZefWorkProgress progress = [&](uint64_t done, uint64_t total) {
        reports.push_back({done, total});
        edit->viewport()->repaint();
        QCoreApplication::processEvents();
        markDuringWalk = std::max(markDuringWalk, edit->RangeMark());
        return true;
    };
    EXPECT_EQ(edit->SearchReplace("A", "<!--", kReplaceAll, progress), quietCount);

    EXPECT_TRUE(edit->Text() == quiet->Text());
    EXPECT_TRUE(edit->Text() == TextOf(kLines));
    ASSERT_GE(reports.size(), 4u);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Total, static_cast<uint64_t>(kLines));
        if (i > 0) {
            EXPECT_GT(reports[i].Done, reports[i - 1].Done);
        }
    }
    EXPECT_EQ(reports.front().Done, 0u);
    EXPECT_GT(markDuringWalk, 1024) << "the idle range scans ran inside the walk";
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    QElapsedTimer clock;
    clock.start();
    while (edit->RangeScanPending() && clock.elapsed() < 10000) QCoreApplication::processEvents();
    EXPECT_EQ(edit->RangeMark(), kLines);
    EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
    EXPECT_EQ(CaretDump(*edit), CaretDump(*quiet));
    edit->Undo();
    EXPECT_TRUE(edit->Text() == before);
    EXPECT_FALSE(edit->CanUndo());
}

// A stop asked at the n-th report ends the walk before the next line: the lines before it are replaced, the
// rest untouched, undo goes back to every byte in one step and redo forward again; whether replacing all began
// at once or from the question before a match.
TEST(ReplaceAllProgress, StopKeepsTheLinesDoneAsOneUndoStep)
{
    struct TCase {
        bool prompted;
        int stopAtReport; // 1: the report before the first line
    };
    for (const TCase c : {TCase{false, 1}, TCase{false, 3}, TCase{true, 2}}) {
        SCOPED_TRACE(std::to_string(c.prompted) + " " + std::to_string(c.stopAtReport));
        auto edit = MakeShownEdit(Document(0), 40, 10);
        TZefHTMLSyn html;
        edit->SetHighlighter(&html);
        TZefEditSearch engine;
        edit->SetSearchEngine(&engine);
        if (c.prompted) {
            edit->OnReplaceText = [](TCustomZefEdit*, const std::string&, const std::string&, int, int,
                                     TZefReplaceAction& action) { action = raReplaceAll; };
        }
        const std::string before = edit->Text();
        int reports = 0;
        uint64_t stoppedAt = 0;
        const TZefWorkProgress progress = [&](uint64_t done, uint64_t) {
            stoppedAt = done;
            return ++reports < c.stopAtReport;
        };
        edit->SearchReplace("A", "<!--", c.prompted ? TSearchOptions(kReplaceAll | soPrompt) : kReplaceAll, progress);
        EXPECT_EQ(reports, c.stopAtReport);

        const int linesDone = static_cast<int>(stoppedAt);
        const std::string partial = TextOf(linesDone);
        EXPECT_TRUE(edit->Text() == partial);
        EXPECT_EQ(edit->PaintLock(), 0);
        EXPECT_EQ(edit->UndoList()->GroupDepth(), 0);
        EXPECT_EQ(FirstWrongBelowMark(*edit), -1);
        if (linesDone == 0) {
            EXPECT_FALSE(edit->Modified());
            EXPECT_FALSE(edit->CanUndo());
            continue;
        }
        // The caret stands after the last replacement made.
        int lastLine = linesDone - 1;
        while (lastLine % 3 == 2) --lastLine;
        EXPECT_EQ(edit->CaretPos().Line, lastLine + 1);
        EXPECT_EQ(edit->CaretPos().Char,
                  static_cast<int>(LineOf(lastLine, true).find("<!--")) + 1 + 4);
        edit->Undo();
        EXPECT_TRUE(edit->Text() == before);
        EXPECT_FALSE(edit->CanUndo());
        edit->Redo();
        EXPECT_TRUE(edit->Text() == partial);
    }
}

} // namespace
