// The desktop seam as tests use it: scripted answers per kind, the request log, unscripted requests failing
// loudly, the process-wide accessor, and the conversion of dialog filters.
#include "ZefDesktop.h"
#include "ZefQtDesktop.h"
#include "ZefScriptedDesktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

// Readable failure messages for QString comparisons.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kTitle = QStringLiteral("Zefra Text Editor");

TZefMessageBox SaveQuestion(const QString& name)
{
    return {kTitle,
            QStringLiteral("The text in the \"%1\" file has changed.\r\n\r\nDo you want to save the modifications?")
                .arg(name),
            TZefMsgIcon::miQuestion, mbYes | mbNo | mbCancel, mbNone};
}

TEST(ScriptedDesktop, AnswersComeFromTheirOwnQueueAndEveryRequestIsLogged)
{
    TZefScriptedDesktop desktop;
    desktop.AnswerInput(QStringLiteral("12"));
    desktop.AnswerMessageBox(mbNo);
    desktop.AnswerMessageBox(mbCancel);
    desktop.AnswerInput(std::nullopt);
    desktop.AnswerOpenFile(TZefFileChoice{{QStringLiteral("/tmp/a.txt")}, 2});
    desktop.AnswerSaveFile(std::nullopt);
    desktop.AnswerFont(QFont(QStringLiteral("Arial"), 12));
    desktop.AnswerColor(QColor(255, 0, 0));
    desktop.AnswerShellOpen(false);
    desktop.AnswerMessageBox(mbOk);
    EXPECT_EQ(desktop.PendingAnswers(), 10u);

    desktop.Beep(TZefBeepKind::bkQuestion);
    EXPECT_EQ(desktop.ShowMessageBox(SaveQuestion(QStringLiteral("Untitled1"))), mbNo);
    EXPECT_EQ(desktop.InputQuery(QStringLiteral("Jump to line"), QStringLiteral("Please input the line number"), {}),
              QStringLiteral("12"));
    EXPECT_EQ(desktop.ShowMessageBox(SaveQuestion(QStringLiteral("notes.txt"))), mbCancel);
    EXPECT_EQ(desktop.InputQuery(QStringLiteral("Jump to line"), QStringLiteral("Please input the line number"), {}),
              std::nullopt);
    TZefFileDialog open;
    open.folder = QStringLiteral("/home");
    open.filter = QStringLiteral("All files (*.*)|*.*|Text (*.txt)|*.txt|");
    const auto opened = desktop.OpenFileDialog(open);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->files, QStringList{QStringLiteral("/tmp/a.txt")});
    EXPECT_EQ(opened->filterIndex, 2);
    TZefFileDialog save;
    save.fileName = QStringLiteral("Untitled1");
    EXPECT_EQ(desktop.SaveFileDialog(save), std::nullopt);
    const auto font = desktop.FontDialog(QString(), QFont(QStringLiteral("Courier New"), 10));
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family(), QStringLiteral("Arial"));
    EXPECT_EQ(desktop.ColorDialog(QString(), Qt::white), QColor(255, 0, 0));
    EXPECT_FALSE(desktop.ShellOpen(QStringLiteral("/app/help/txtedhelp.htm")));
    desktop.PlaySoundAsync(QStringLiteral("/app/saved.wav"));
    desktop.Beep(TZefBeepKind::bkError);
    desktop.ErrorBox(kTitle, QStringLiteral("Invalid input."));

    EXPECT_EQ(desktop.PendingAnswers(), 0u);
    EXPECT_EQ(desktop.DebugDump(),
              "beep question\n"
              "message \"Zefra Text Editor\" \"The text in the \"Untitled1\" file has changed.\\r\\n\\r\\nDo "
              "you want to save the modifications?\" question yes|no|cancel -> no\n"
              "input \"Jump to line\" \"Please input the line number\" \"\" -> \"12\"\n"
              "message \"Zefra Text Editor\" \"The text in the \"notes.txt\" file has changed.\\r\\n\\r\\nDo "
              "you want to save the modifications?\" question yes|no|cancel -> cancel\n"
              "input \"Jump to line\" \"Please input the line number\" \"\" -> cancel\n"
              "open \"\" folder=\"/home\" name=\"\" filter=\"All files (*.*)|*.*|Text (*.txt)|*.txt|\" index=1 -> "
              "\"/tmp/a.txt\" index=2\n"
              "save \"\" folder=\"\" name=\"Untitled1\" filter=\"\" index=1 -> cancel\n"
              "font \"\" \"Courier New\" 10 -> \"Arial\" 12\n"
              "color \"\" #ffffff -> #ff0000\n"
              "shell \"/app/help/txtedhelp.htm\" -> false\n"
              "sound \"/app/saved.wav\"\n"
              "beep error\n"
              "message \"Zefra Text Editor\" \"Invalid input.\" error ok -> ok\n");
    ASSERT_EQ(desktop.Calls().size(), 13u);
    EXPECT_EQ(desktop.Calls()[1].icon, TZefMsgIcon::miQuestion);
    EXPECT_EQ(desktop.Calls()[1].buttons, mbYes | mbNo | mbCancel);
}

TEST(ScriptedDesktop, AnUnscriptedRequestThrowsByDefault)
{
    TZefScriptedDesktop desktop;
    desktop.AnswerInput(QStringLiteral("5"));
    try {
        desktop.ShowMessageBox(SaveQuestion(QStringLiteral("a.txt")));
        FAIL() << "an unscripted message box returned";
    } catch (const EZefUnscriptedRequest& error) {
        EXPECT_NE(std::string(error.what()).find("The text in the \"a.txt\" file"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(desktop.FontDialog(QString(), QFont()), EZefUnscriptedRequest);
    EXPECT_EQ(desktop.PendingAnswers(), 1u) << "the input answer is not spent on other kinds";
}

TEST(ScriptedDesktop, WithAHandlerUnscriptedRequestsAnswerAsCancelled)
{
    TZefScriptedDesktop desktop;
    QStringList reported;
    desktop.SetUnscriptedHandler([&reported](const QString& description) { reported.append(description); });

    EXPECT_EQ(desktop.ShowMessageBox(SaveQuestion(QStringLiteral("a.txt"))), mbCancel);
    EXPECT_EQ(desktop.ShowMessageBox({kTitle, QStringLiteral("File not found."), TZefMsgIcon::miError, mbOk}), mbOk);
    EXPECT_EQ(desktop.InputQuery(QStringLiteral("Jump to line"), QString(), QString()), std::nullopt);
    EXPECT_EQ(desktop.OpenFileDialog({}), std::nullopt);
    EXPECT_EQ(desktop.ColorDialog(QString(), Qt::black), std::nullopt);
    EXPECT_FALSE(desktop.ShellOpen(QStringLiteral("x.htm")));
    // A prepared answer the box does not offer is a scripting fault too, not a silent "Yes".
    desktop.AnswerMessageBox(mbYes);
    EXPECT_EQ(desktop.ShowMessageBox({kTitle, QStringLiteral("Invalid input."), TZefMsgIcon::miError, mbOk}), mbOk);

    ASSERT_EQ(reported.size(), 7);
    EXPECT_TRUE(reported[0].startsWith(QStringLiteral("message \"Zefra Text Editor\""))) << reported[0].toStdString();
    EXPECT_TRUE(reported[0].endsWith(QStringLiteral("-> UNSCRIPTED"))) << reported[0].toStdString();
    EXPECT_TRUE(reported[6].contains(QStringLiteral("prepared answer yes is not offered"))) << reported[6].toStdString();
    for (const TZefDesktopCall& call : desktop.Calls())
        EXPECT_EQ(call.answer, QStringLiteral("UNSCRIPTED"));
}

TEST(DesktopAccessor, AScopeInstallsADesktopAndRestoresThePreviousOne)
{
    TZefDesktop& builtIn = ZefDesktop();
    TZefScriptedDesktop outer;
    TZefScriptedDesktop inner;
    {
        TZefDesktopScope outerScope(outer);
        EXPECT_EQ(&ZefDesktop(), &outer);
        {
            TZefDesktopScope innerScope(inner);
            ZefDesktop().Beep(TZefBeepKind::bkWarning);
        }
        EXPECT_EQ(&ZefDesktop(), &outer);
        ZefDesktop().Beep(TZefBeepKind::bkInformation);
    }
    EXPECT_EQ(&ZefDesktop(), &builtIn);
    EXPECT_EQ(inner.DebugDump(), "beep warning\n");
    EXPECT_EQ(outer.DebugDump(), "beep information\n");
    EXPECT_EQ(SetZefDesktop(&outer), nullptr) << "the built-in desktop reads back as nullptr";
    EXPECT_EQ(SetZefDesktop(nullptr), &outer);
}

TEST(DesktopAccessorDeathTest, TheRealDesktopRefusesModalWindowsNobodyCanAnswer)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    qunsetenv("ZEFRA_ALLOW_OFFSCREEN_DIALOGS");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(ZefDesktop().InputQuery(QStringLiteral("Jump to line"), QStringLiteral("Please input the line number"),
                                         QString()),
                 "input prompt \"Jump to line\".*install a TZefScriptedDesktop");
}

TEST(DesktopFilters, PairsBecomeQtNameFilters)
{
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"All files (*.*)|*.*|Text (*.txt)|*.txt|", {"All files (*)", "Text (*.txt)"}},
        {"Pascal files|*.pas;*.dpr;*.inc", {"Pascal files (*.pas *.dpr *.inc)"}},
        {"C++ Files (*.c;*.cpp;*.h)|*.c;*.cpp;*.h", {"C++ Files (*.c *.cpp *.h)"}},
        // Patterns listed in the description with commas, or in another case, are shown once.
        {"C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp", {"C++ Files (*.c *.cpp *.h *.hpp)"}},
        {"x86 Assembly Files (*.asm)|*.ASM", {"x86 Assembly Files (*.ASM)"}},
        {"Odd (*.a,*.b)|*.a", {"Odd (*.a,*.b) (*.a)"}},
        {"Lonely description", {"Lonely description (*)"}},
        {"|*.ini||", {"*.ini (*.ini)"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZefQtNameFilters(QString::fromLatin1(c.filter)), c.expected) << c.filter;
    const auto pairs = ZefSplitFileFilter(QStringLiteral("SQL|*.sql ; *.ddl|"));
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].patterns, (QStringList{QStringLiteral("*.sql"), QStringLiteral("*.ddl")}));
}

} // namespace

TEST(DesktopClipboards, TheRealDesktopUsesTheSystemClipboardsItHas)
{
    TZefQtDesktop desktop;
    QClipboard& system = *QGuiApplication::clipboard();
    auto* data = new QMimeData;
    data->setText(QStringLiteral("to the system"));
    ASSERT_TRUE(desktop.SetClipboardData(TZefClipboardMode::cmClipboard, data));
    EXPECT_EQ(system.text(), "to the system");
    system.setText(QStringLiteral("from the system"));
    ASSERT_NE(desktop.ClipboardData(TZefClipboardMode::cmClipboard), nullptr);
    EXPECT_EQ(desktop.ClipboardData(TZefClipboardMode::cmClipboard)->text(), "from the system");

    // The primary selection only where the platform has one (the offscreen platform has none): refused data
    // is freed, not leaked.
    const bool primary = system.supportsSelection();
    EXPECT_EQ(desktop.SupportsClipboard(TZefClipboardMode::cmSelection), primary);
    auto* selected = new QMimeData;
    selected->setText(QStringLiteral("selected"));
    EXPECT_EQ(desktop.SetClipboardData(TZefClipboardMode::cmSelection, selected), primary);
    if (!primary) {
        EXPECT_EQ(desktop.ClipboardData(TZefClipboardMode::cmSelection), nullptr);
    }
}

TEST(DesktopClipboards, TheScriptedDesktopKeepsItsOwnClipboardsAndCountsWrites)
{
    TZefScriptedDesktop desktop;
    QGuiApplication::clipboard()->setText(QStringLiteral("system"));
    EXPECT_EQ(desktop.ClipboardData(TZefClipboardMode::cmClipboard), nullptr);
    for (const TZefClipboardMode mode : {TZefClipboardMode::cmClipboard, TZefClipboardMode::cmSelection}) {
        auto* data = new QMimeData;
        data->setText(mode == TZefClipboardMode::cmClipboard ? QStringLiteral("copied") : QStringLiteral("selected"));
        EXPECT_TRUE(desktop.SetClipboardData(mode, data));
    }
    EXPECT_EQ(desktop.ClipboardText(TZefClipboardMode::cmClipboard), "copied");
    EXPECT_EQ(desktop.ClipboardText(TZefClipboardMode::cmSelection), "selected");
    EXPECT_EQ(desktop.ClipboardWrites(TZefClipboardMode::cmSelection), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "system");
    EXPECT_TRUE(desktop.DebugDump().isEmpty()) << "clipboards stay out of the request log";

    desktop.SetSelectionSupported(false);
    EXPECT_FALSE(desktop.SupportsClipboard(TZefClipboardMode::cmSelection));
    EXPECT_EQ(desktop.ClipboardData(TZefClipboardMode::cmSelection), nullptr);
    EXPECT_FALSE(desktop.SetClipboardData(TZefClipboardMode::cmSelection, new QMimeData));
}
