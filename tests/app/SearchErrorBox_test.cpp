// A regular expression that does not compile reaches the user as the standard error box with the engine's own
// message, and the document is left as it was.
#include "ZefApplication.h"
#include "ZefEdit.h"
#include "ZefEditRegexSearch.h"
#include "ZefScriptedDesktop.h"
#include "ZefSearchFlow.h"
#include "dlgSearchText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(SearchErrorBox, ABadPatternShowsTheEngineMessageInTheErrorBox)
{
    std::string engineMessage;
    try {
        TZefEditRegexSearch engine;
        engine.SetPattern("a(b");
        engine.FindAll("abc");
    } catch (const std::exception& error) {
        engineMessage = error.what();
    }
    ASSERT_FALSE(engineMessage.empty()) << "the pattern must be refused by the engine itself";

    TZefScriptedDesktop desktop;
    TZefDesktopScope scope(desktop);
    ZefSearchState() = TZefSearchState{};
    TZefEdit edit;
    edit.SetText("abc");
    TZefEditorSearch search(&edit, nullptr);
    desktop.AnswerDialog([](QDialog& dialog) {
        auto& d = dynamic_cast<TTextSearchDialog&>(dialog);
        d.cbSearchText->lineEdit()->setText(QStringLiteral("a(b"));
        d.cbRegularExpression->setChecked(true);
        d.btnOK->click();
    });
    desktop.AnswerMessageBox(TZefMsgButton::mbOk);

    // As the application delivers a command's key press: an error that escapes goes to the error box.
    EXPECT_TRUE(ZefDeliverReportingErrors([&] {
        search.ExecFind(false);
        return true;
    }));
    EXPECT_EQ(desktop.DebugDump().toStdString(), "dialog \"Search Text\" -> 1\nbeep error\nmessage \"Zefra Text Editor\" \"" +
                                                     engineMessage + "\" error ok -> ok\n");
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(edit.PaintLock(), 0);
}
