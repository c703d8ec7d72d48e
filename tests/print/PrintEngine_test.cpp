// The print engine on recorded pages: every character once, rows inside the margins, line numbers,
// highlighted and plain drawing with colours on and off, ranges asked only for printed lines, jobs.
#include "PrintRecorder.h"
#include "ZefEditPrint.h"
#include "ZefHighlighterHtml.h"
#include "ZefPrintMeasure.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::string> SampleLines(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::string line;
        const size_t length = random() % 7 == 0 ? 100 + random() % 300 : random() % 60;
        for (size_t k = 0; k < length; ++k) {
            const unsigned pick = random() % 12;
            line += pick == 0 ? ' ' : pick == 1 ? ',' : pick == 2 ? '<' : pick == 3 ? '>' : static_cast<char>('a' + random() % 26);
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines) all += line;
    return all;
}

// Every page of the job, recorded.
std::vector<TPrintRecorder> RecordAll(TZefEditPrint& engine)
{
    engine.PreparePages();
    std::vector<TPrintRecorder> pages(static_cast<size_t>(engine.PageCount()));
    for (int p = 1; p <= engine.PageCount(); ++p) engine.DrawPage(pages[static_cast<size_t>(p) - 1], p);
    return pages;
}

TZefEditPrint& Configure(TZefEditPrint& engine)
{
    engine.SetClock([] { return QDateTime(QDate(2024, 5, 1), QTime(13, 45, 0)); });
    engine.Header().Add("$PAGENUM$", nullptr, taRightJustify, 1);
    return engine;
}

} // namespace

TEST(PrintEngine, EveryCharacterIsPrintedOnceAndEveryRowFitsTheTextArea)
{
    for (const bool mirror : {false, true}) {
        TZefEditPrint engine;
        Configure(engine);
        engine.Margins().SetMirrorMargins(mirror);
        engine.Margins().SetGutter(12);
        const std::vector<std::string> lines = SampleLines(400, 7);
        engine.SetLines(lines);
        const std::vector<TPrintRecorder> pages = RecordAll(engine);
        ASSERT_GT(pages.size(), 2u);
        std::string printed;
        for (size_t p = 0; p < pages.size(); ++p) {
            const TZefPageMargins m = engine.Margins().LayoutPage(static_cast<int>(p) + 1, engine.PrinterInfo(), false, false, 0);
            for (const TRecordedGrid& row : pages[p].Grids) {
                EXPECT_GE(row.X, m.PixLeft);
                EXPECT_LE(row.X + static_cast<int>(row.Bytes.size()) * row.Advance, m.PixRight);
                EXPECT_LE(row.Baseline - engine.Layout().Ascent + engine.Layout().RowHeight, m.PixBottom);
            }
            printed += pages[p].AllGridText();
        }
        EXPECT_EQ(printed, Joined(lines)) << mirror;
    }
}

TEST(PrintEngine, CountedPagesAreDrawnPagesAndEmptyTextIsOnePageWithHeader)
{
    TZefEditPrint engine;
    Configure(engine);
    EXPECT_EQ(engine.PageCount(), 1);
    TPrintRecorder page;
    engine.PreparePages();
    engine.DrawPage(page, 1);
    EXPECT_TRUE(page.Grids.empty());
    ASSERT_EQ(page.Texts.size(), 1u);
    EXPECT_EQ(page.Texts[0].second, "1");
    TPrintRecorder beyond;
    engine.DrawPage(beyond, 2);
    EXPECT_TRUE(beyond.Operations.empty());

    // Exactly a page of one-row lines, then one more.
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage, "x"));
    EXPECT_EQ(engine.PageCount(), 1);
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage + 1, "x"));
    EXPECT_EQ(engine.PageCount(), 2);
}

TEST(PrintEngine, TheLayoutIsCachedUntilSomethingThatShapesItChanges)
{
    TZefEditPrint engine;
    engine.SetLines(SampleLines(300, 3));
    const int pages = engine.PageCount();
    const TZefPrintLayout* layout = &engine.Layout();
    const size_t columns = layout->Columns;
    engine.Margins().SetLeft(60);
    EXPECT_LT(engine.Layout().Columns, columns);
    EXPECT_GE(engine.PageCount(), pages);
    TZefPrintFont big = engine.Font();
    big.Size = 20;
    engine.SetFont(big);
    EXPECT_LT(engine.Layout().RowsPerPage, 60u);
    TZefEditPrinterInfo landscape;
    landscape.SetMetrics(3507, 2481, 3407, 2358, 50, 65, 300, 300);
    engine.SetPrinterInfo(landscape);
    EXPECT_GT(engine.Layout().Columns, 0u);
    EXPECT_EQ(engine.Layout().Printer, landscape);
}

TEST(PrintEngine, LineNumbersStandBeforeTheFirstRowAndShiftTheText)
{
    TZefEditPrint engine;
    Configure(engine);
    std::vector<std::string> lines(100, "text");
    lines[0] = std::string(500, 'w'); // wraps: only its first row is numbered
    engine.SetLines(lines);
    engine.SetLineNumbers(true);
    const std::vector<TPrintRecorder> pages = RecordAll(engine);
    const TZefPageMargins plain = engine.Margins().LayoutPage(1, engine.PrinterInfo(), false, false, 0);
    const QFont font = engine.Font().ToQFont(300);
    const int width = TZefPrintMeasure(300).Metrics(font).horizontalAdvance(QStringLiteral("100: "));
    EXPECT_EQ(engine.Layout().LineNumberWidth, width);
    EXPECT_EQ(pages[0].Grids[0].X, plain.PixLeft + width);
    int numbers = 0;
    for (const TPrintRecorder& page : pages) {
        for (const auto& [point, text] : page.Texts) {
            if (text.endsWith(QStringLiteral(": "))) {
                ++numbers;
                EXPECT_EQ(point.x() + TZefPrintMeasure(300).Metrics(font).horizontalAdvance(text), plain.PixLeft + width);
            }
        }
    }
    EXPECT_EQ(numbers, 100);
    EXPECT_EQ(pages[0].Texts[1].second, "1: ");

    engine.SetLineNumbersInMargin(true);
    const std::vector<TPrintRecorder> inMargin = RecordAll(engine);
    EXPECT_EQ(inMargin[0].Grids[0].X, plain.PixLeft);
}

TEST(PrintEngine, HighlightedPageWithColoursOnAndOff)
{
    TZefHTMLSyn html;
    TZefEditPrint engine;
    Configure(engine);
    engine.SetLines(std::vector<std::string>{"<b>bold &amp; text</b>"});
    engine.SetHighlighter(&html);

    const auto record = [&](bool colors) {
        engine.SetColors(colors);
        return RecordAll(engine).front();
    };
    const TPrintRecorder off = record(false);
    const TPrintRecorder on = record(true);
    EXPECT_EQ(off.AllGridText(), "<b>bold &amp; text</b>");
    EXPECT_EQ(on.AllGridText(), off.AllGridText());
    bool anyBold = false;
    bool anyColour = false;
    for (const TRecordedGrid& grid : off.Grids) {
        EXPECT_EQ(grid.Color, QColor(Qt::black)) << grid.Bytes;
        anyBold = anyBold || grid.Bold;
    }
    for (const TRecordedGrid& grid : on.Grids) {
        if (grid.Bytes == "b") {
            EXPECT_EQ(grid.Color, QColor(0x80, 0x00, 0xFF)); // the reserved word's colour
        }
        if (grid.Bytes == "&amp;") {
            EXPECT_EQ(grid.Color, QColor(0x00, 0xFF, 0x00));
        }
        anyColour = anyColour || grid.Color != QColor(Qt::black);
    }
    EXPECT_TRUE(anyBold);
    EXPECT_TRUE(anyColour);
    // Characters sit on the grid: a run starts where its first character's cell is.
    for (const TRecordedGrid& grid : on.Grids) EXPECT_EQ((grid.X - on.Grids[0].X) % grid.Advance, 0);

    engine.SetHighlight(false);
    const TPrintRecorder plain = RecordAll(engine).front();
    ASSERT_EQ(plain.Grids.size(), 1u);
    EXPECT_FALSE(plain.Grids[0].Bold);
}

TEST(PrintEngine, PrintsBlackOnWhiteWhateverTheFontAndBackgroundColoursUnlessColoursAreOn)
{
    TZefEditPrint engine;
    Configure(engine);
    TZefPrintFont font = engine.Font();
    font.Color = clWindowText;
    engine.SetFont(font);
    engine.SetColor(clYellow);
    engine.SetLines(std::vector<std::string>{"abc"});
    const TPrintRecorder off = RecordAll(engine).front();
    EXPECT_EQ(off.Grids[0].Color, QColor(Qt::black));
    EXPECT_NE(off.Operations[0].find("#ffffff"), std::string::npos) << off.Operations[0];
    engine.SetColors(true);
    const TPrintRecorder on = RecordAll(engine).front();
    EXPECT_EQ(on.Grids[0].Color, QColor(Qt::black)); // the system text colour prints as black, never the theme's
    EXPECT_NE(on.Operations[0].find("#ffff00"), std::string::npos) << on.Operations[0];
}

TEST(PrintEngine, TheHighlighterIsAskedForTokensOnlyForThePrintedLines)
{
    TZefHTMLSyn html;
    TZefEditPrint engine;
    Configure(engine);
    std::vector<std::string> lines;
    for (int i = 0; i < 2000; ++i) lines.push_back(i == 10 ? "<!-- open" : (i == 1500 ? "--> <b>x</b>" : "<p>line</p>"));
    engine.SetLines(lines);
    engine.SetHighlighter(&html);
    engine.PreparePages();
    EXPECT_EQ(engine.RangesScanned(), 0); // counting pages needs no highlighting
    const int page = 3;
    const TPageLine first = engine.Layout().Pages[page - 1];
    const TPageLine next = engine.Layout().Pages[page];
    TPrintRecorder recorder;
    engine.DrawPage(recorder, page);
    EXPECT_EQ(engine.TokenLinesRequested(), next.FirstLine - first.FirstLine);
    EXPECT_EQ(engine.RangesScanned(), first.FirstLine + next.FirstLine - first.FirstLine);
    // Inside the open comment, the page prints as a comment (plain style), proving the stored range was used.
    for (const TRecordedGrid& grid : recorder.Grids) EXPECT_FALSE(grid.Bold) << grid.Bytes;
}

TEST(PrintEngine, MarginsWithoutRoomRefuseTheJob)
{
    TZefEditPrint engine;
    engine.SetLines(std::vector<std::string>{"text"});
    engine.Margins().SetLeft(150);
    engine.Margins().SetRight(150);
    EXPECT_FALSE(engine.PreparePages());
    EXPECT_EQ(engine.Layout().Error, kNoRoomForText);
    EXPECT_EQ(engine.PageCount(), 1);
    TRecordingTarget target;
    const TZefPrintResult result = engine.Print(target);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, kNoRoomForText);
    EXPECT_TRUE(target.Pages.empty());

    engine.Margins().SetLeft(25);
    engine.Margins().SetRight(15);
    engine.Margins().SetTop(148);
    engine.Margins().SetBottom(148); // less than a row between them
    EXPECT_FALSE(engine.PreparePages());
}

TEST(PrintEngine, CopiesCollationAndRanges)
{
    TZefEditPrint engine;
    Configure(engine);
    engine.SetTitle("notes.txt");
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * 5, "x"));
    ASSERT_EQ(engine.PageCount(), 5);
    std::vector<int> announced;
    engine.OnPrintStatus = [&](TZefEditPrint*, TZefPrintStatus status, int page, bool&) {
        if (status == psNewPage) announced.push_back(page);
    };
    const auto pagesOf = [](const TRecordingTarget& target) {
        std::vector<std::string> numbers;
        for (const TPrintRecorder& page : target.Pages) numbers.push_back(page.Texts.at(0).second.toStdString());
        return numbers;
    };
    engine.SetCopies(2);
    TRecordingTarget collated;
    TZefPrintResult result = engine.PrintRange(collated, 2, 3);
    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.PagesPrinted, 4);
    EXPECT_EQ(pagesOf(collated), (std::vector<std::string>{"2", "3", "2", "3"}));
    EXPECT_EQ(announced, (std::vector<int>{2, 3, 2, 3}));
    EXPECT_EQ(collated.JobName, "notes.txt");

    engine.SetCollate(false);
    engine.SetDocTitle("job");
    TRecordingTarget grouped;
    EXPECT_TRUE(engine.PrintRange(grouped, 4, -1).Ok);
    EXPECT_EQ(pagesOf(grouped), (std::vector<std::string>{"4", "4", "5", "5"}));
    EXPECT_EQ(grouped.JobName, "job");

    TRecordingTarget clipped;
    engine.SetCopies(1);
    EXPECT_TRUE(engine.PrintRange(clipped, 5, 99).Ok);
    EXPECT_EQ(pagesOf(clipped), std::vector<std::string>{"5"});

    TRecordingTarget none;
    result = engine.PrintRange(none, 7, 9);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("no page to print"), std::string::npos) << result.Message;
    EXPECT_TRUE(none.JobName.empty()); // no job was begun
}

TEST(PrintEngine, DeviceFailuresAndCancellingAreReportedNotTakenForSuccess)
{
    TZefEditPrint engine;
    Configure(engine);
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * 3, "x"));
    struct Case {
        const char* name;
        bool failBegin;
        int failNewPageAt;
        bool failEnd;
    } cases[] = {{"begin", true, -1, false}, {"new page", false, 1, false}, {"end", false, -1, true}};
    for (const Case& c : cases) {
        TRecordingTarget target;
        target.FailBegin = c.failBegin;
        target.FailNewPageAt = c.failNewPageAt;
        target.FailEnd = c.failEnd;
        const TZefPrintResult result = engine.Print(target);
        EXPECT_FALSE(result.Ok) << c.name;
        EXPECT_EQ(result.Message, "device failure") << c.name;
        EXPECT_EQ(target.Ended, !c.failBegin) << c.name; // a begun document is always ended
    }
    engine.OnPrintStatus = [](TZefEditPrint*, TZefPrintStatus status, int page, bool& abort) {
        abort = status == psNewPage && page == 2;
    };
    TRecordingTarget target;
    const TZefPrintResult result = engine.Print(target);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.PagesPrinted, 1);
    EXPECT_TRUE(target.Ended);
}

// The progress hears each page before it is begun (copies counted); a stop ends the job before the next page
// without an empty one, a stop before the first page begins no job, and neither is a failure.
TEST(PrintEngine, ProgressIsToldEveryPageAndAStopEndsTheJobBeforeTheNext)
{
    TZefEditPrint engine;
    Configure(engine);
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * 3, "x"));
    engine.SetCopies(2);
    struct Case {
        int stopAtReport; // 0: never
        size_t pagesSent;
        bool jobBegun;
    } cases[] = {{0, 6, true}, {3, 2, true}, {1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopAtReport);
        std::vector<std::pair<uint64_t, uint64_t>> reports;
        TRecordingTarget target;
        const TZefPrintResult result = engine.Print(target, [&](uint64_t done, uint64_t total) {
            reports.emplace_back(done, total);
            return static_cast<int>(reports.size()) != c.stopAtReport;
        });
        EXPECT_EQ(result.Ok, c.stopAtReport == 0) << result.Message;
        EXPECT_EQ(result.Cancelled, c.stopAtReport != 0);
        EXPECT_EQ(target.Pages.size(), c.pagesSent);
        EXPECT_EQ(result.PagesPrinted, static_cast<int>(c.pagesSent));
        EXPECT_EQ(target.Ended, c.jobBegun);
        for (size_t i = 0; i < reports.size(); ++i)
            EXPECT_EQ(reports[i], std::make_pair(static_cast<uint64_t>(i), uint64_t{6}));
    }
}

TEST(PrintEngine, TheHighlighterGoingAwayIsNoticed)
{
    TZefEditPrint engine;
    {
        TZefHTMLSyn html;
        engine.SetHighlighter(&html);
        EXPECT_EQ(engine.Highlighter(), &html);
    }
    EXPECT_EQ(engine.Highlighter(), nullptr);
    engine.SetLines(std::vector<std::string>{"<b>x</b>"});
    EXPECT_EQ(RecordAll(engine).front().AllGridText(), "<b>x</b>");
}
