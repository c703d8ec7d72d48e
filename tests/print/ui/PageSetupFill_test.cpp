// The page setup dialog against its engine: the round trip, unit switching, the validation of the number
// fields, Cancel, and the sections of header and footer.
#include "PageSetupFixture.h"
#include "ZefPageSetup.h"
#include "ZefSectionEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

namespace {

// An engine far from the defaults: inches, mirrored, every option flipped, system and RGB colours, items on
// gapped rows and out of order, two items of one section on one row.
void MakeUnusual(TZefEditPrint& engine)
{
    TZefEditPrintMargins& m = engine.Margins();
    m.SetUnitSystem(usInch);
    m.SetLeft(1.1);
    m.SetRight(0.3);
    m.SetTop(2.0 / 3.0);
    m.SetGutter(0.25);
    m.SetMirrorMargins(true);
    engine.SetLineNumbers(true);
    engine.SetLineNumbersInMargin(true);
    engine.SetHighlight(false);
    engine.SetColors(false);
    engine.SetWrap(false);
    THeader& header = engine.Header();
    header.SetFrameTypes(ftLine | ftShaded);
    header.SetLineColor(clWindowText);
    header.SetShadedColor(ColorRGB(1, 2, 3));
    header.SetMirrorPosition(true);
    TZefPrintFont courier = PrintFont("Courier New", 8.5, fsBold | fsItalic, clNavy);
    header.Add("$PAGENUM$", &courier, taRightJustify, 5);
    header.Add("first", nullptr, taCenter, 5);
    header.Add("second", nullptr, taCenter, 5);
    TFooter& footer = engine.Footer();
    footer.SetFrameTypes(0);
    footer.SetMirrorPosition(true);
}

} // namespace

TEST_F(PageSetupFixture, FillThenApplyLeavesTheEngineExactlyAsItWas)
{
    for (const bool unusual : {false, true}) {
        if (unusual) MakeUnusual(engine);
        const std::string before = EngineDump(engine);
        TPageSetupDlg dialog(nullptr, Folder());
        dialog.FillFromEngine(engine);
        ASSERT_TRUE(dialog.ApplyToEngine(engine));
        EXPECT_EQ(EngineDump(engine), before) << "unusual " << unusual;
    }
}

TEST_F(PageSetupFixture, EditedSectionsRebuildTheItemsRowForRow)
{
    // The print window's items, rebuilt from the editors: every item keeps its row, alignment, text and
    // font (the list is ordered by section now).
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    EXPECT_EQ(dialog.REHeaderLeft->toPlainText(), QStringLiteral("\n$TITLE$\n"));
    EXPECT_EQ(dialog.REHeaderRight->toPlainText(),
              QStringLiteral("Page: $PAGENUM$ of $PAGECOUNT$\nPrint Date: $DATE$. Time: $TIME$\n"));
    for (TZefSectionEditor* editor : {dialog.REHeaderCenter, dialog.REFooterLeft}) editor->document()->setModified(true);
    ASSERT_TRUE(dialog.ApplyToEngine(engine));
    const TZefPrintFont arial{"Arial", 10, 0, clBlack};
    const TZefPrintFont small{"Arial", 6, 0, clBlack};
    const std::string header = "  row 1 align 0 '' " + FontText(arial) + "\n  row 2 align 0 '$TITLE$' " +
                               FontText(arial) + "\n  row 1 align 1 'Page: $PAGENUM$ of $PAGECOUNT$' " +
                               FontText(arial) + "\n  row 2 align 1 'Print Date: $DATE$. Time: $TIME$' " +
                               FontText(small) + "\n";
    const std::string footer = "  row 1 align 0 '' " + FontText(small) + "\n  row 1 align 1 '$PAGENUM$/$PAGECOUNT$' " +
                               FontText(arial) + "\n";
    const std::string headerDump = BlockDump(engine.Header());
    const std::string footerDump = BlockDump(engine.Footer());
    EXPECT_EQ(headerDump.substr(headerDump.find('\n') + 1), header);
    EXPECT_EQ(footerDump.substr(footerDump.find('\n') + 1), footer);
}

TEST_F(PageSetupFixture, SectionsKeepTheRowsAsTheyPrint)
{
    // Rows 2, 4 and 9 print as rows 1, 2 and 3; a section without an item on a row gets an empty line in
    // that row's font, so the row keeps its height; a second item of one section and row takes the next line.
    THeader header;
    const TZefPrintFont big{"Arial", 20, 0, clBlack};
    const TZefPrintFont tiny{"Arial", 4, 0, clBlack};
    header.Add("R9", nullptr, taRightJustify, 9);
    header.Add("L4", &big, taLeftJustify, 4);
    header.Add("C2", &tiny, taCenter, 2);
    header.Add("C2b", nullptr, taCenter, 2);
    const TZefSections sections = ZefSectionsFromItems(header);
    const TZefPrintFont arial = header.DefaultFont();
    EXPECT_EQ(sections[secLeft], (TZefSectionLines{{"", tiny}, {"L4", big}}));
    EXPECT_EQ(sections[secCenter], (TZefSectionLines{{"C2", tiny}, {"C2b", arial}}));
    EXPECT_EQ(sections[secRight], (TZefSectionLines{{"", tiny}, {"", big}, {"R9", arial}}));
}

TEST_F(PageSetupFixture, SwitchingUnitsConvertsTheNumbersShownAndApplyTakesTheUnit)
{
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    EXPECT_EQ(dialog.EditLeft->text(), QStringLiteral("25"));
    dialog.EditRight->setText(QStringLiteral("30")); // typed before the switch, read in millimetres
    struct Step {
        int unit;
        const char* left;
        const char* right;
        const char* internal;
    };
    const Step steps[] = {
        {usCM, "2.5", "3", "0.05"},
        {usInch, "0.984251968503937", "1.18110236220472", "0.0196850393700787"},
        {muThousandthsOfInches, "984.251968503937", "1181.10236220472", "19.6850393700787"},
        {usMM, "25", "30", "0.5"},
    };
    for (const Step& step : steps) {
        dialog.CBUnits->setCurrentIndex(step.unit);
        EXPECT_EQ(dialog.EditLeft->text(), QString::fromLatin1(step.left)) << step.unit;
        EXPECT_EQ(dialog.EditRight->text(), QString::fromLatin1(step.right)) << step.unit;
        EXPECT_EQ(dialog.EditHFInternalMargin->text(), QString::fromLatin1(step.internal)) << step.unit;
    }
    dialog.CBUnits->setCurrentIndex(usCM);
    dialog.EditTop->setText(QStringLiteral("4"));
    ASSERT_TRUE(dialog.ApplyToEngine(engine));
    EXPECT_EQ(engine.Margins().UnitSystem(), usCM);
    EXPECT_DOUBLE_EQ(engine.Margins().Right(), 3);
    EXPECT_DOUBLE_EQ(engine.Margins().Top(), 4);
    EXPECT_EQ(engine.Margins().Left(), 2.5) << "a field left alone keeps its exact value";
    EXPECT_TRUE(desktop.Calls().empty());
}

TEST_F(PageSetupFixture, NumbersFollowTheLocalesDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    dialog.CBUnits->setCurrentIndex(usCM);
    EXPECT_EQ(dialog.EditLeft->text(), QStringLiteral("2,5"));
    dialog.EditTop->setText(QStringLiteral("1,5"));
    dialog.EditBottom->setText(QStringLiteral("1.234,5")); // grouped digits are refused, not misread
    desktop.AnswerMessageBox(mbOk);
    EXPECT_FALSE(dialog.ApplyToEngine(engine));
    EXPECT_EQ(desktop.MessageTexts(), QStringList{QStringLiteral("Invalid number!")});
    dialog.EditBottom->setText(QStringLiteral("2"));
    ASSERT_TRUE(dialog.ApplyToEngine(engine));
    EXPECT_DOUBLE_EQ(engine.Margins().Top(), 1.5);
}

TEST_F(PageSetupFixture, ASwitchOfUnitsWithAFieldThatIsNoNumberKeepsUnitAndFields)
{
    TPageSetupDlg dialog(nullptr, Folder());
    dialog.FillFromEngine(engine);
    dialog.EditLeft->setText(QStringLiteral("40"));
    dialog.EditHeader->setText(QStringLiteral("x"));
    desktop.AnswerMessageBox(mbOk);
    dialog.CBUnits->setCurrentIndex(usCM);
    EXPECT_EQ(desktop.MessageTexts(), QStringList{QStringLiteral("Invalid number!")});
    EXPECT_EQ(dialog.CBUnits->currentIndex(), usMM);
    EXPECT_EQ(dialog.EditLeft->text(), QStringLiteral("40"));
    EXPECT_EQ(dialog.EditHeader->text(), QStringLiteral("x"));
    EXPECT_EQ(dialog.focusWidget(), dialog.EditHeader);
}

struct BadFieldCase {
    const char* field;
    const char* text;
};

TEST_F(PageSetupFixture, OkWithAFieldThatIsNoNumberStaysOpenAndAppliesNothing)
{
    const BadFieldCase cases[] = {
        {"EditLeft", "abc"},      {"EditRight", ""},           {"EditTop", "1.2.3"},
        {"EditBottom", "inf"},    {"EditGutter", "nan"},       {"EditHeader", "1,5"},
        {"EditFooter", "12mm"},   {"EditLeftHFTextIndent", "-"}, {"EditRightHFTextIndent", "1e999"},
        {"EditHFInternalMargin", "0x10"},
    };
    const std::string before = EngineDump(engine);
    for (const BadFieldCase& c : cases) {
        desktop.ClearLog();
        desktop.AnswerMessageBox(mbOk);
        desktop.AnswerDialog([&c](QDialog& dialog) {
            auto& setup = static_cast<TPageSetupDlg&>(dialog);
            setup.show();
            // Valid changes everywhere, one bad field: the valid ones must not be taken either.
            for (QLineEdit* edit : setup.MarginEdits) edit->setText(QStringLiteral("7"));
            setup.CBWrap->setChecked(false);
            setup.PageControl->setCurrentWidget(setup.HeaderFooter);
            QLineEdit* bad = setup.findChild<QLineEdit*>(QString::fromLatin1(c.field));
            bad->setText(QString::fromLatin1(c.text));
            setup.btnOK->click();
            EXPECT_TRUE(setup.isVisible()) << c.field << " the dialog stays open";
            EXPECT_EQ(setup.focusWidget(), bad) << c.field;
            EXPECT_EQ(setup.PageControl->currentWidget(), setup.Margins) << c.field;
            setup.btnCancel->click();
        });
        EXPECT_FALSE(ZefRunPageSetup(engine, nullptr, QString()));
        EXPECT_EQ(desktop.MessageTexts(), QStringList{QStringLiteral("Invalid number!")}) << c.field;
        EXPECT_EQ(EngineDump(engine), before) << c.field;
    }
}

TEST_F(PageSetupFixture, OkAfterMendingTheFieldAppliesEverything)
{
    desktop.AnswerMessageBox(mbOk);
    desktop.AnswerDialog([](QDialog& dialog) {
        auto& setup = static_cast<TPageSetupDlg&>(dialog);
        setup.show();
        setup.EditLeft->setText(QStringLiteral("40"));
        setup.EditTop->setText(QStringLiteral("abc"));
        setup.btnOK->click();
        setup.EditTop->setText(QStringLiteral(" 12.5 "));
        setup.CBLineNumbers->setChecked(true);
        setup.CBFooterBox->setChecked(true);
        setup.btnOK->click();
    });
    EXPECT_TRUE(ZefRunPageSetup(engine));
    EXPECT_EQ(engine.Margins().Left(), 40);
    EXPECT_EQ(engine.Margins().Top(), 12.5);
    EXPECT_TRUE(engine.LineNumbers());
    EXPECT_EQ(engine.Footer().FrameTypes(), ftLine | ftBox);
}

TEST_F(PageSetupFixture, CancelEscapeAndTheCloseBoxDiscardEveryChange)
{
    const std::string before = EngineDump(engine);
    const char* ways[] = {"Cancel", "Esc", "close box"};
    for (const char* way : ways) {
        desktop.AnswerDialog([way](QDialog& dialog) {
            auto& setup = static_cast<TPageSetupDlg&>(dialog);
            setup.show();
            setup.EditLeft->setText(QStringLiteral("40"));
            setup.CBUnits->setCurrentIndex(usCM);
            setup.CBHighlight->setChecked(false);
            setup.CBHeaderShadow->setChecked(false);
            setup.REFooterCenter->setPlainText(QStringLiteral("changed"));
            if (std::string(way) == "Cancel")
                setup.btnCancel->click();
            else if (std::string(way) == "Esc")
                QTest::keyClick(&setup, Qt::Key_Escape);
            else
                setup.close();
            EXPECT_FALSE(setup.isVisible()) << way;
        });
        EXPECT_FALSE(ZefRunPageSetup(engine)) << way;
        EXPECT_EQ(EngineDump(engine), before) << way;
    }
}

TEST_F(PageSetupFixture, BlankEmptiesHeaderAndFooter)
{
    desktop.AnswerDialog([](QDialog& dialog) {
        auto& setup = static_cast<TPageSetupDlg&>(dialog);
        setup.btnBlank->click();
        for (TZefSectionEditor* editor : {setup.REHeaderLeft, setup.REHeaderCenter, setup.REHeaderRight,
                                          setup.REFooterLeft, setup.REFooterCenter, setup.REFooterRight})
            EXPECT_TRUE(editor->toPlainText().isEmpty());
        setup.btnOK->click();
    });
    EXPECT_TRUE(ZefRunPageSetup(engine));
    EXPECT_EQ(engine.Header().Count(), 0);
    EXPECT_EQ(engine.Footer().Count(), 0);
    EXPECT_EQ(engine.Header().FrameTypes(), ftBox | ftShaded) << "frames stay";
}
