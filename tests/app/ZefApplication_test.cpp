// Errors raised inside an event handler reach the standard error box instead of ending the program.
#include "ZefApplication.h"
#include "ZefScriptedDesktop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <new>
#include <stdexcept>

TEST(ZefApplication, AnErrorWhileHandlingAnEventShowsTheErrorBox)
{
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope(desktop);
    desktop.AnswerMessageBox(TZefMsgButton::mbOk);

    const bool handled = ZefDeliverReportingErrors([]() -> bool {
        throw std::runtime_error("Clipboard paste operation failed.");
    });

    EXPECT_TRUE(handled);
    EXPECT_EQ(desktop.DebugDump().toStdString(),
              "beep error\nmessage \"Zefra Text Editor\" \"Clipboard paste operation failed.\" error ok -> ok\n");
}

TEST(ZefApplication, AnEventWithoutErrorKeepsItsAnswerAndAsksNothing)
{
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope(desktop);
    EXPECT_FALSE(ZefDeliverReportingErrors([] { return false; }));
    EXPECT_TRUE(ZefDeliverReportingErrors([] { return true; }));
    EXPECT_TRUE(desktop.DebugDump().isEmpty());
}

TEST(ZefApplication, AFailingPaintReportsOnceAfterThePaintAndNeverFromInsideIt)
{
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope(desktop);
    desktop.AnswerMessageBox(TZefMsgButton::mbOk);
    const auto failingPaint = []() -> bool { throw std::bad_alloc(); };

    // The repaints that follow a failure fail too: none of them may open a box while painting.
    EXPECT_TRUE(ZefDeliverPaintReportingErrors(failingPaint));
    EXPECT_TRUE(ZefDeliverPaintReportingErrors(failingPaint));
    EXPECT_TRUE(desktop.DebugDump().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.DebugDump().toStdString(),
              "beep error\nmessage \"Zefra Text Editor\" \"Not enough memory.\" error ok -> ok\n");
    EXPECT_TRUE(ZefDeliverPaintReportingErrors(failingPaint));
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.Calls().size(), 2u) << "still failing: no second box";

    // A paint that succeeds ends the episode; the next failure is reported again.
    desktop.ClearLog();
    desktop.AnswerMessageBox(TZefMsgButton::mbOk);
    EXPECT_TRUE(ZefDeliverPaintReportingErrors([] { return true; }));
    EXPECT_TRUE(ZefDeliverPaintReportingErrors(failingPaint));
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.Calls().size(), 2u);
}
