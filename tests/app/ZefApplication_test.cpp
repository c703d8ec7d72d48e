// Errors raised inside an event handler reach the standard error box instead of ending the program.
#include "ZefApplication.h"
#include "ZefScriptedDesktop.h"

#include <gtest/gtest.h>

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
