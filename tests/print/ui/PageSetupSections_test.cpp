// The header and footer tab of the page setup dialog: macro, font and style buttons on the current section,
// colours, and the saved section texts with their failures.
#include "PageSetupFixture.h"
#include "ZefColorSample.h"
#include "ZefMemorySettingsStore.h"
#include "ZefPageSetup.h"
#include "ZefSectionEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QTabWidget>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// Shows the dialog on its header and footer tab with the focus in `editor`.
void FocusSection(TPageSetupDlg& dialog, TZefSectionEditor* editor)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.PageControl->setCurrentWidget(dialog.HeaderFooter);
    editor->setFocus();
    QApplication::processEvents();
}

void PutCaret(TZefSectionEditor* editor, int position, int anchor = -1)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(anchor < 0 ? position : anchor);
    if (anchor >= 0) cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

} // namespace

TEST_F(PageSetupFixture, ToolBarWorksOnlyWhileASectionEditorHasTheFocus)
{
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    FocusSection(dialog, dialog.REFooterCenter);
    EXPECT_TRUE(dialog.PageNumBtn->isEnabled());
    EXPECT_TRUE(dialog.BoldBtn->isEnabled());
    EXPECT_EQ(dialog.CurrentSectionEditor(), dialog.REFooterCenter);
    dialog.CBFooterBox->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(dialog.PageNumBtn->isEnabled());
    EXPECT_FALSE(dialog.FontBtn->isEnabled());
    EXPECT_EQ(dialog.CurrentSectionEditor(), dialog.REFooterCenter);
    dialog.REHeaderRight->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.UnderlineBtn->isEnabled());
    dialog.PageControl->setCurrentWidget(dialog.Margins);
    QApplication::processEvents();
    EXPECT_FALSE(dialog.TitleBtn->isEnabled());
}

TEST_F(PageSetupFixture, MacroButtonsInsertAtTheCaretOrReplaceTheSelection)
{
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    FocusSection(dialog, dialog.REFooterCenter);
    dialog.REFooterCenter->setPlainText(QStringLiteral("Page  of "));
    PutCaret(dialog.REFooterCenter, 5);
    dialog.PageNumBtn->trigger();
    PutCaret(dialog.REFooterCenter, dialog.REFooterCenter->toPlainText().size());
    dialog.PagesBtn->trigger();
    EXPECT_EQ(dialog.REFooterCenter->toPlainText(), QStringLiteral("Page $PAGENUM$ of $PAGECOUNT$"));
    PutCaret(dialog.REFooterCenter, 4, 0); // "Page" selected
    dialog.TitleBtn->trigger();
    dialog.REFooterCenter->moveCursor(QTextCursor::End);
    dialog.REFooterCenter->insertPlainText(QStringLiteral("\n"));
    dialog.TimeBtn->trigger();
    dialog.DateBtn->trigger();
    EXPECT_EQ(dialog.REFooterCenter->toPlainText(), QStringLiteral("$TITLE$ $PAGENUM$ of $PAGECOUNT$\n$TIME$$DATE$"));
}

TEST_F(PageSetupFixture, FontAndStylesApplyToTheWholeCaretLineAndTheCaretStays)
{
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    TZefSectionEditor* editor = dialog.REHeaderRight; // "Page: ...", "Print Date: ..." (6 pt)
    FocusSection(dialog, editor);
    const int caret = editor->document()->findBlockByNumber(1).position() + 3;
    PutCaret(editor, caret);
    QFont chosen(QStringLiteral("Courier New"));
    chosen.setPointSizeF(14);
    chosen.setItalic(true);
    desktop.AnswerFont(chosen);
    dialog.FontBtn->trigger();
    ASSERT_EQ(desktop.Calls().size(), 1u);
    EXPECT_TRUE(desktop.Calls()[0].detail.contains(QStringLiteral("Arial"))) << "preset to the line's font";
    dialog.BoldBtn->trigger();
    dialog.UnderlineBtn->trigger();
    dialog.UnderlineBtn->trigger();
    EXPECT_EQ(editor->textCursor().position(), caret);
    EXPECT_FALSE(editor->textCursor().hasSelection());

    const TZefSectionLines lines = editor->Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(FontText(lines[0].Font), FontText({"Arial", 10, 0, clBlack})) << "the other line keeps its font";
    EXPECT_EQ(FontText(lines[1].Font), FontText(PrintFont("Courier New", 14, fsBold | fsItalic, clBlack)));
    ASSERT_TRUE(dialog.ApplyToEngine(engine));
    const THeaderFooterItem& item = engine.Header().Items(engine.Header().Count() - 1);
    EXPECT_EQ(item.Text, "Print Date: $DATE$. Time: $TIME$");
    EXPECT_EQ(FontText(item.Font), FontText(lines[1].Font));

    desktop.AnswerFont(std::nullopt);
    dialog.FontBtn->trigger();
    EXPECT_EQ(FontText(editor->Lines()[1].Font), FontText(lines[1].Font)) << "a cancelled font dialog changes nothing";
}

TEST_F(PageSetupFixture, ColourButtonsRepaintTheirSampleAndApplyTheColour)
{
    desktop.AnswerColor(QColor(10, 20, 30));
    desktop.AnswerColor(std::nullopt);
    desktop.AnswerColor(QColor(200, 0, 0));
    desktop.AnswerDialog([](QDialog& dialog) {
        auto& setup = static_cast<TPageSetupDlg&>(dialog);
        setup.HeaderLineColorBtn->click();
        setup.HeaderShadowColorBtn->click(); // cancelled: the sample keeps silver
        setup.FooterShadowColorBtn->click();
        EXPECT_EQ(setup.PBHeaderLine->Color(), ColorRGB(10, 20, 30));
        setup.btnOK->click();
    });
    EXPECT_TRUE(ZefRunPageSetup(engine));
    EXPECT_EQ(engine.Header().LineColor(), ColorRGB(10, 20, 30));
    EXPECT_EQ(engine.Header().ShadedColor(), clSilver);
    EXPECT_EQ(engine.Footer().ShadedColor(), ColorRGB(200, 0, 0));
    EXPECT_EQ(engine.Footer().LineColor(), clBlack);
    EXPECT_TRUE(desktop.Calls()[1].detail.contains(QStringLiteral("#c0c0c0"), Qt::CaseInsensitive))
        << "the colour dialog starts at the sample's colour: " << desktop.Calls()[1].detail.toStdString();
}

TEST_F(PageSetupFixture, SavedSectionTextsComeBackLineForLineWithTheirFonts)
{
    TPageSetupDlg saver(nullptr, Folder());
    saver.FillFromEngine(engine);
    saver.REFooterCenter->setPlainText(QStringLiteral("caf\u00e9 \u20ac $PAGENUM$\n\nlast"));
    ASSERT_TRUE(saver.SaveHeadFoot());
    EXPECT_TRUE(desktop.Calls().empty());
    for (TZefSectionEditorId id : {seHeaderLeft, seHeaderCenter, seHeaderRight, seFooterLeft, seFooterCenter, seFooterRight})
        EXPECT_TRUE(QFile::exists(QDir(Folder()).filePath(QString::fromLatin1(ZefSectionFileName(id))))) << int(id);

    TPageSetupDlg loader(nullptr, Folder());
    loader.FillFromEngine(engine);
    loader.REHeaderCenter->setPlainText(QStringLiteral("replaced by the load"));
    ASSERT_TRUE(loader.LoadHeadFoot());
    for (int id = 0; id < kZefSectionEditorCount; ++id) {
        const auto which = static_cast<TZefSectionEditorId>(id);
        EXPECT_EQ(loader.SectionEditor(which)->Lines(), saver.SectionEditor(which)->Lines()) << id;
    }
    EXPECT_EQ(loader.REFooterCenter->Lines()[0].Text, "caf\xE9 \x80 $PAGENUM$");
    EXPECT_EQ(loader.REFooterLeft->Lines().size(), 1u) << "an empty line keeps its place and its 6 point font";
}

TEST_F(PageSetupFixture, ASaveThatFailsIsReported)
{
    struct Case {
        const char* name;
        std::function<QString()> prepare; // answers the folder to save into
    };
    const Case cases[] = {
        {"folder under a file",
         [this] {
             QFile file(temp.filePath(QStringLiteral("plain")));
             file.open(QIODevice::WriteOnly);
             return temp.filePath(QStringLiteral("plain/Head And Foot"));
         }},
        {"a section file that is a folder",
         [this] {
             QDir().mkpath(QDir(Folder()).filePath(QStringLiteral("ftcenter.ini")));
             return Folder();
         }},
    };
    for (const Case& c : cases) {
        desktop.ClearLog();
        desktop.AnswerMessageBox(mbOk);
        TPageSetupDlg dialog(nullptr, c.prepare());
        dialog.FillFromEngine(engine);
        dialog.btnSaveHeadFoot->click();
        ASSERT_EQ(desktop.MessageTexts().size(), 1) << c.name;
        EXPECT_TRUE(desktop.MessageTexts()[0].startsWith(QStringLiteral("The header and footer were not saved.")))
            << c.name;
        EXPECT_EQ(desktop.Calls().back().icon, TZefMsgIcon::miError) << c.name;
        EXPECT_EQ(desktop.PendingAnswers(), 0u) << c.name;
    }
}

TEST_F(PageSetupFixture, ASectionFileWithOddValuesFallsBackToTheDefaultFont)
{
    QDir().mkpath(Folder());
    QFile file(QDir(Folder()).filePath(QStringLiteral("hdcenter.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Section]\nCount=99999\n[Line1]\nText=one\nFontName=\nFontSize=abc\nFontStyle=99\nFontColor=-4\n"
               "[Line2]\nText=two\nFontName=Times\nFontSize=12.5\nFontStyle=3\nFontColor=255\n");
    file.close();
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    ASSERT_TRUE(dialog.LoadHeadFoot());
    const TZefSectionLines lines = dialog.REHeaderCenter->Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_LE(lines.size(), size_t(kZefMaxSectionFileLines));
    EXPECT_EQ(FontText(lines[0].Font), FontText(engine.Header().DefaultFont()));
    EXPECT_EQ(FontText(lines[1].Font), FontText(PrintFont("Times", 12.5, fsBold | fsItalic, clRed)));
    EXPECT_TRUE(dialog.REHeaderLeft->Lines().empty()) << "sections without a file are emptied";
}

TEST_F(PageSetupFixture, SavedTextsReplaceTheBuiltInOnesAtStartOnlyWhenAskedFor)
{
    {
        TPageSetupDlg saver(nullptr, Folder());
        saver.FillFromEngine(engine);
        saver.Blank();
        saver.REHeaderLeft->AppendLine({"mine", {"Arial", 12, fsBold, clBlack}});
        ASSERT_TRUE(saver.SaveHeadFoot());
    }
    struct Case {
        const char* value; // nullptr: not set
        bool folderExists;
        bool loaded;
    };
    const Case cases[] = {
        {"1", true, true}, {"0", true, false}, {nullptr, true, false}, {"true", true, false}, {"1", false, false},
    };
    for (const Case& c : cases) {
        TZefEditPrint fresh;
        ApplyPrintWindowDefaults(fresh);
        const std::string before = EngineDump(fresh);
        TZefMemorySettingsStore settings;
        if (c.value != nullptr) settings.WriteString(kZefSettingsKey, kZefCheckKeepText, c.value);
        const QString folder = c.folderExists ? Folder() : temp.filePath(QStringLiteral("nowhere"));
        EXPECT_EQ(ZefLoadKeptHeaderFooter(fresh, settings, folder), c.loaded) << (c.value ? c.value : "unset");
        if (!c.loaded) {
            EXPECT_EQ(EngineDump(fresh), before) << (c.value ? c.value : "unset");
            continue;
        }
        ASSERT_EQ(fresh.Header().Count(), 1);
        EXPECT_EQ(fresh.Header().Items(0).Text, "mine");
        EXPECT_EQ(fresh.Header().Items(0).Font.Style, fsBold);
        EXPECT_EQ(fresh.Footer().Count(), 0);
        EXPECT_EQ(fresh.Header().FrameTypes(), ftBox | ftShaded) << "only the texts are loaded";
    }
}

TEST_F(PageSetupFixture, OneEditorLineIsOneItemWhateverTheBreaks)
{
    TZefSectionEditor editor(secLeft);
    editor.SetLines({{"a\nb\rc", PrintFont("Arial", 9, 0, clBlack)}});
    ASSERT_EQ(editor.Lines().size(), 1u) << "a break inside an item's text does not split it";
    EXPECT_EQ(editor.Lines()[0].Text, "a b c");
    editor.moveCursor(QTextCursor::End);
    editor.moveCursor(QTextCursor::PreviousBlock);
    editor.moveCursor(QTextCursor::EndOfBlock);
    QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&editor, "next");
    const TZefSectionLines lines = editor.Lines();
    ASSERT_EQ(lines.size(), 2u) << "Shift+Enter starts a line of its own";
    EXPECT_EQ(lines[1].Text, "next");
    EXPECT_EQ(lines[1].Font.Size, 9) << "the new line goes on in the font of the one it left";
}
