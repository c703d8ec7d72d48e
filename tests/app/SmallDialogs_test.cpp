// The small dialogs on the main window: go to line, right edge, help and the about box.
#include "MainWindowFixture.h"

#include "RightEdge.h"
#include "ZefAppInfo.h"
#include "ZefJpegImage.h"
#include "ZefSpinEdit.h"
#include "hrglass.h"
#include "reabout.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <optional>

namespace {

class TSmallDialogsTest : public TMainWindowFixture {
protected:
    // A ten-line document, caret on line 5, column 2.
    TZefEdit* OpenTenLines()
    {
        Start();
        window->OpenDocument(WriteFile(QStringLiteral("ten.txt"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n"));
        Idle();
        TZefEdit* edit = Editor(ActiveEditor);
        edit->SetCaretPos(TBufferCoord{2, 5});
        return edit;
    }

    QStringList Messages() const { return desktop.MessageTexts(); }
};

struct TJumpCase {
    const char* name;
    std::optional<QString> typed; // nullopt: Cancel
    bool zeroStart;
    int caretLine;
    int beeps;
    bool invalidInput;
};

const TJumpCase JumpCases[] = {
    {"a line of the text", QStringLiteral("3"), false, 3, 0, false},
    {"with a plus sign", QStringLiteral("+7"), false, 7, 0, false},
    {"the last line", QStringLiteral("10"), false, 10, 0, false},
    {"past the end beeps and stays", QStringLiteral("12"), false, 5, 1, false},
    {"0 beeps without zero start", QStringLiteral("0"), false, 5, 1, false},
    {"0 with zero start is the first line", QStringLiteral("0"), true, 1, 0, false},
    {"9 with zero start is the last line", QStringLiteral("9"), true, 10, 0, false},
    {"-1 with zero start beeps", QStringLiteral("-1"), true, 5, 1, false},
    {"the largest int plus the zero-start offset beeps", QStringLiteral("2147483647"), true, 5, 1, false},
    {"far more digits than an int holds beep", QStringLiteral("99999999999999999999999"), false, 5, 1, false},
    {"a very negative number beeps", QStringLiteral("-99999999999999999999999"), true, 5, 1, false},
    {"letters are invalid input", QStringLiteral("abc"), false, 5, 1, true},
    {"a number with a blank is invalid input", QStringLiteral(" 3"), false, 5, 1, true},
    {"an empty text is invalid input", QString(), false, 5, 1, true},
    {"a sign alone is invalid input", QStringLiteral("-"), false, 5, 1, true},
    {"Cancel does nothing", std::nullopt, false, 5, 0, false},
};

TEST_F(TSmallDialogsTest, JumpToLineMovesBeepsOrSaysInvalidInput)
{
    TZefEdit* edit = OpenTenLines();
    for (const TJumpCase& c : JumpCases) {
        window->Control(QStringLiteral("miZeroStart"))->setChecked(c.zeroStart);
        edit->SetCaretPos(TBufferCoord{2, 5});
        desktop.ClearLog();
        desktop.AnswerInput(c.typed);
        if (c.invalidInput)
            desktop.AnswerMessageBox(mbOk);
        ASSERT_TRUE(window->Click(QStringLiteral("sbGoTo"))) << c.name;
        ASSERT_EQ(Requests(TZefDesktopRequest::drInput), 1) << c.name;
        EXPECT_EQ(desktop.Calls().front().caption, QStringLiteral("Jump to line")) << c.name;
        EXPECT_EQ(desktop.Calls().front().text, QStringLiteral("Please input the line number")) << c.name;
        EXPECT_EQ(desktop.Calls().front().detail, QString()) << c.name;
        EXPECT_EQ(edit->CaretPos().Line, c.caretLine) << c.name;
        EXPECT_EQ(edit->CaretPos().Char, 2) << c.name << ": the column is kept";
        EXPECT_EQ(Requests(TZefDesktopRequest::drBeep), c.beeps) << c.name;
        EXPECT_EQ(Messages(), c.invalidInput ? QStringList{QStringLiteral("Invalid input.")} : QStringList()) << c.name;
    }
}

TEST_F(TSmallDialogsTest, DialogControlsFollowTheTextDocumentState)
{
    Start();
    for (const char* control : {"sbGoTo", "sbFormatText", "miFormatText", "miRightEdge"})
        EXPECT_FALSE(IsEnabled(control)) << control;
    EXPECT_TRUE(IsEnabled("miHelpContents"));
    EXPECT_TRUE(IsEnabled("miHelpAbout"));
    window->OpenDocument(QString());
    Idle();
    for (const char* control : {"sbGoTo", "sbFormatText", "miFormatText", "miRightEdge", "miHelpContents"})
        EXPECT_TRUE(IsEnabled(control)) << control;
}

struct TRightEdgeCase {
    const char* name;
    QString typed;
    bool refused;      // OK shows the message and keeps the dialog open; Cancel closes it then
    bool pressCancel;  // Cancel instead of OK
    int expectedEdge;  // the documents' right edge and the stored value afterwards
};

const TRightEdgeCase RightEdgeCases[] = {
    {"9 is refused", QStringLiteral("9"), true, false, 80},
    {"241 is refused", QStringLiteral("241"), true, false, 80},
    {"a negative column is refused", QStringLiteral("-5"), true, false, 80},
    {"10 is accepted", QStringLiteral("10"), false, false, 10},
    {"240 is accepted", QStringLiteral("240"), false, false, 240},
    {"Cancel keeps the column", QStringLiteral("120"), false, true, 80},
};

TEST_F(TSmallDialogsTest, RightEdgeAcceptsOrRefusesTheTypedColumnAndStoresTheResult)
{
    TZefEdit* edit = OpenTenLines();
    for (const TRightEdgeCase& c : RightEdgeCases) {
        // Back to 80 everywhere first.
        desktop.AnswerDialog([](QDialog& dialog) {
            dialog.findChild<TZefSpinEdit*>(QStringLiteral("seRightEdge"))->setValue(80);
            dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        window->Click(QStringLiteral("miRightEdge"));
        desktop.ClearLog();
        if (c.refused)
            desktop.AnswerMessageBox(mbOk);
        desktop.AnswerDialog([&c](QDialog& dialog) {
            auto* box = dialog.findChild<TZefSpinEdit*>(QStringLiteral("seRightEdge"));
            EXPECT_EQ(box->TypedValue(), 80) << "the stored column is the initial value";
            box->findChild<QLineEdit*>()->setText(c.typed);
            dialog.findChild<QPushButton*>(QString::fromLatin1(c.pressCancel ? "btnCancel" : "btnOK"))->click();
            if (c.refused) {
                EXPECT_TRUE(dialog.result() != QDialog::Accepted) << "the dialog stays open";
                dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
            }
        });
        ASSERT_TRUE(window->Click(QStringLiteral("miRightEdge"))) << c.name;
        EXPECT_EQ(desktop.Calls().back().caption, QStringLiteral("Right Edge")) << c.name;
        EXPECT_EQ(Messages(), c.refused ? QStringList{QStringLiteral("Invalid value found. Please input again.")}
                                        : QStringList())
            << c.name;
        EXPECT_EQ(Requests(TZefDesktopRequest::drBeep), c.refused ? 1 : 0) << c.name;
        EXPECT_EQ(edit->RightEdge(), c.expectedEdge) << c.name;
        EXPECT_EQ(window->State().rightEdge, c.expectedEdge) << c.name;
        EXPECT_EQ(ReadUserSetting("RightEdgeValue"), QString::number(c.expectedEdge)) << c.name;
    }
}

TEST_F(TSmallDialogsTest, RightEdgeArrowsStayInTheRangeWhileTypingIsFree)
{
    TfrmSetRightEdge dialog;
    dialog.SetValue(240);
    dialog.seRightEdge->stepBy(1);
    EXPECT_EQ(dialog.Value(), 240);
    dialog.SetValue(10);
    dialog.seRightEdge->stepBy(-3);
    EXPECT_EQ(dialog.Value(), 10);
    dialog.seRightEdge->findChild<QLineEdit*>()->setText(QStringLiteral("241"));
    EXPECT_EQ(dialog.Value(), 241);
}

TEST_F(TSmallDialogsTest, AStoredRightEdgeThatIsNotANumberIsReportedAndTheDialogStartsAt80)
{
    Start();
    WriteUserSetting("RightEdgeValue", QStringLiteral("wide"));
    desktop.AnswerMessageBox(mbOk);
    desktop.AnswerDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<TZefSpinEdit*>(QStringLiteral("seRightEdge"))->TypedValue(), 80);
    });
    window->OpenDocument(QString());
    Idle();
    ASSERT_TRUE(window->Click(QStringLiteral("miRightEdge")));
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("'wide' is not a valid integer value")});
    EXPECT_EQ(ReadUserSetting("RightEdgeValue"), QStringLiteral("80"));
}

struct THelpCase {
    const char* name;
    bool filePresent;
    bool shellOpens;
    QString dump;
};

TEST_F(TSmallDialogsTest, HelpOpensThePageBesideTheProgramOrSaysWhyNot)
{
    Start();
    const QString page = AppDir + QStringLiteral("help/txtedhelp.htm");
    const THelpCase cases[] = {
        {"missing page", false, false,
         QStringLiteral("beep information\nmessage \"Zefra Text Editor\" \"Help file not found. Visit Zefra's Homepage to "
                        "download one.\" information ok -> ok\n")},
        {"page opened", true, true, QStringLiteral("shell \"%1\" -> true\n").arg(page)},
        {"no program takes the page", true, false,
         QStringLiteral("shell \"%1\" -> false\nbeep error\nmessage \"Zefra Text Editor\" \"This file extension(.htm or "
                        ".html) is not associated with any application! Fail to open file.\" error ok -> ok\n")
             .arg(page)},
    };
    for (const THelpCase& c : cases) {
        QDir(AppDir + QStringLiteral("help")).removeRecursively();
        if (c.filePresent) {
            QDir(AppDir).mkdir(QStringLiteral("help"));
            WriteFile(QStringLiteral("help/txtedhelp.htm"), "<html></html>");
        } else {
            desktop.AnswerMessageBox(mbOk);
        }
        if (c.filePresent)
            desktop.AnswerShellOpen(c.shellOpens);
        if (c.filePresent && !c.shellOpens)
            desktop.AnswerMessageBox(mbOk);
        desktop.ClearLog();
        ASSERT_TRUE(window->Click(QStringLiteral("miHelpContents"))) << c.name;
        EXPECT_EQ(desktop.DebugDump(), c.dump) << c.name;
    }
}

TEST_F(TSmallDialogsTest, AboutBeepsShowsTheLogoNameAndVersionAndClosesWithEnterOrEscape)
{
    Start();
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        desktop.ClearLog();
        desktop.AnswerDialog([key](QDialog& dialog) {
            auto* box = dynamic_cast<TAboutBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->ProductName->text(), QStringLiteral("Zefra Text Editor"));
            EXPECT_EQ(box->Version->text(), QStringLiteral("Version 1.22"));
            EXPECT_FALSE(box->Comments->text().isEmpty());
            const QPixmap logo = box->ProgramIcon->pixmap();
            EXPECT_EQ(logo.size(), QSize(96, 96)) << "the logo decoded";
            box->show();
            QTest::keyClick(box->OKButton, static_cast<Qt::Key>(key));
            EXPECT_FALSE(box->isVisible());
            EXPECT_EQ(box->result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        });
        ASSERT_TRUE(window->Click(QStringLiteral("miHelpAbout")));
        EXPECT_EQ(desktop.DebugDump().section(QLatin1Char('\n'), 0, 0), QStringLiteral("beep default"));
        EXPECT_EQ(Requests(TZefDesktopRequest::drDialog), 1);
    }
}

TEST(ZefJpegImage, DecodesTheLogoAndRefusesWhatIsNotAJpeg)
{
    QFile file(QStringLiteral(":/logo.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray logo = file.readAll();
    const QImage image = ZefDecodeJpeg(logo);
    ASSERT_EQ(image.size(), QSize(96, 96));
    // The tile is blue where the letter is not.
    const QColor corner = image.pixelColor(3, 3);
    EXPECT_GT(corner.blue(), corner.red() + 60);
    EXPECT_TRUE(ZefDecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(ZefDecodeJpeg(QByteArray("not a picture at all")).isNull());
    // A header cut short is an error libjpeg reports; the program goes on.
    EXPECT_TRUE(ZefDecodeJpeg(logo.left(40)).isNull());
}

TEST_F(TSmallDialogsTest, TheCaptionsCarryTheOneVersion)
{
    Start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zefra Text Editor v") + QLatin1String(ZefAppVersion));
    EXPECT_EQ(window->BusyWindow()->windowTitle(), window->windowTitle());
    EXPECT_EQ(window->BusyWindow()->lblMessage->text(), QStringLiteral("Formatting text. Please wait."));
}

} // namespace
