// What a job stamps on its pages, and the PDF target's own failures.
#include "PrintRecorder.h"
#include "ZefEditPrint.h"
#include "ZefPdfPrintTarget.h"
#include "ZefPrintStamp.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

TEST(PrintJob, TimeIsTheLongTimeWithoutTimeZone)
{
    const QDateTime when(QDate(2024, 5, 1), QTime(13, 45, 7), QTimeZone::utc());
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    ASSERT_TRUE(us.timeFormat(QLocale::LongFormat).contains(u't')); // the locale's own format names the zone
    const TZefJobStamp stamp = MakeJobStamp(when, us);
    EXPECT_EQ(stamp.Time.find("UTC"), std::string::npos) << stamp.Time;
    EXPECT_NE(stamp.Time.find("1:45:07"), std::string::npos) << stamp.Time;
    EXPECT_EQ(stamp.Date, us.toString(when.date(), QLocale::ShortFormat).toStdString());
    const TZefJobStamp german = MakeJobStamp(when, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.Time, "13:45:07");
}

TEST(PrintJob, EveryPageOfAJobShowsTheSameDateAndTime)
{
    TZefEditPrint engine;
    int calls = 0;
    engine.SetClock([&calls] { return QDateTime(QDate(2024, 5, 1), QTime(13, 45, calls++)); });
    engine.Header().Add("$TIME$", nullptr, taLeftJustify, 1);
    engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * 3, "x"));
    TRecordingTarget target;
    ASSERT_TRUE(engine.Print(target).Ok);
    ASSERT_EQ(target.Pages.size(), 3u);
    for (const TPrintRecorder& page : target.Pages) EXPECT_EQ(page.Texts.at(0).second, target.Pages[0].Texts.at(0).second);
    EXPECT_EQ(calls, 1);
}

TEST(PrintJob, PdfTargetWithoutFileNameOrWithAnUnwritableOneFails)
{
    TZefEditPrint engine;
    engine.SetLines(std::vector<std::string>{"text"});
    TZefPdfPrintTarget unnamed{QString()};
    TZefPrintResult result = engine.Print(unnamed);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "No file name was given for the PDF file.");

    QTemporaryDir folder;
    TZefPdfPrintTarget intoFolder(folder.path());
    result = engine.Print(intoFolder);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("Cannot create file"), std::string::npos) << result.Message;

    TZefPdfPrintTarget good(folder.filePath(QStringLiteral("ok.pdf")), QPageSize(QPageSize::Letter), QPageLayout::Landscape, 600);
    result = engine.Print(good);
    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(engine.Layout().PixelsPerInch, 600); // the job took the target's metrics
    EXPECT_EQ(engine.PrinterInfo().PhysicalWidth(), 6600);
    EXPECT_GT(QFileInfo(folder.filePath(QStringLiteral("ok.pdf"))).size(), 0);
}
