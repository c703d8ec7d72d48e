// The formatter on the main window: the "General +" dialog's check and the order its options are applied, and
// runs with the busy window.
#include "MainWindowFixture.h"

#include "GFmtPlus.h"
#include "TEditorFormat.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"
#include "ZefSpinEdit.h"
#include "hrglass.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <string>

namespace {

struct TValidationCase {
    const char* name;
    std::function<void(TGeneralPlusChoice&)> change;
    std::optional<QString> error;
};

const QString MaxError = QStringLiteral("Invalid value on \"Maximum number of characters on line\"");
const QString EmptyCharError =
    QStringLiteral("\"Search position of this character\" was checked but empty string found.");
const QString ZeroTimesError =
    QStringLiteral("\"Search position of this character\" was checked but necessary value found zero");

TEST(GeneralPlusValidation, ChecksTheMaximumThenTheCharacterThenItsCount)
{
    const TValidationCase cases[] = {
        {"the defaults", [](auto&) {}, std::nullopt},
        {"0 means no split", [](auto& c) { c.MaxStr = 0; }, std::nullopt},
        {"60", [](auto& c) { c.MaxStr = 60; }, std::nullopt},
        {"180", [](auto& c) { c.MaxStr = 180; }, std::nullopt},
        {"59", [](auto& c) { c.MaxStr = 59; }, MaxError},
        {"181", [](auto& c) { c.MaxStr = 181; }, MaxError},
        {"-1", [](auto& c) { c.MaxStr = -1; }, MaxError},
        {"character searched but empty", [](auto& c) { c.SearchChar = true; }, EmptyCharError},
        {"character searched zero times", [](auto& c) { c.SearchChar = true; c.Char = ":"; c.Times = 0; }, ZeroTimesError},
        {"the maximum is checked first", [](auto& c) { c.MaxStr = 59; c.SearchChar = true; c.Times = 0; }, MaxError},
        {"the empty character before the count", [](auto& c) { c.SearchChar = true; c.Times = 0; }, EmptyCharError},
        {"an empty character is fine when not searched", [](auto& c) { c.SpacesBeforeNew = true; }, std::nullopt},
    };
    for (const TValidationCase& c : cases) {
        TGeneralPlusChoice choice;
        c.change(choice);
        EXPECT_EQ(ZefGeneralPlusError(choice), c.error) << c.name;
    }
}

class TFormattingTest : public TMainWindowFixture {
protected:
    TZefEdit* OpenText(const QByteArray& bytes)
    {
        Start();
        window->OpenDocument(WriteFile(QStringLiteral("text.txt"), bytes));
        Idle();
        return Editor(ActiveEditor);
    }

    QStringList Messages() const { return desktop.MessageTexts(); }
};

// What a row expects of the formatter settings after OK (or Cancel).
struct TApplied {
    uint16_t max = 80;
    bool join = false;
    uint8_t spacesNew = 0;
    uint8_t spacesAll = 0;
    std::string alignChar;
    uint8_t alignCount = 0;
    bool deleteEmpty = false;
    uint8_t maxEmpty = 1;
};

TApplied Applied(uint16_t max = 80, bool join = false, uint8_t spacesNew = 0, uint8_t spacesAll = 0,
                 std::string alignChar = std::string(), uint8_t alignCount = 0, bool deleteEmpty = false,
                 uint8_t maxEmpty = 1)
{
    return TApplied{max, join, spacesNew, spacesAll, std::move(alignChar), alignCount, deleteEmpty, maxEmpty};
}

struct TApplyCase {
    const char* name;
    std::function<void(TGeneralFmtPlus&)> fill;
    TApplied applied;
    QString stored;         // MaxStrOnLine afterwards ("" when not written)
    int remembered = 80;    // the program's maximum line length afterwards
    QStringList messages;   // validation messages before the accepted OK
};

TEST_F(TFormattingTest, GeneralPlusAppliesTheDialogInItsOrder)
{
    Start();
    window->OpenDocument(QString());
    Idle();
    const auto type = [](TZefSpinEdit* box, int value) { box->findChild<QLineEdit*>()->setText(QString::number(value)); };
    const TApplyCase cases[] = {
        {"the defaults", [](auto&) {}, Applied(), QStringLiteral("80"), 80, {}},
        {"the character search", [](TGeneralFmtPlus& d) {
             d.rbSearchChar->setChecked(true);
             d.edChar->setText(QStringLiteral(":"));
             d.seTimes->setValue(2);
             d.seSpacesNew->setValue(5);
         }, Applied(80, false, 0, 0, ":", 2), QStringLiteral("80"), 80, {}},
        {"spaces before new lines", [](TGeneralFmtPlus& d) {
             d.rbSpacesBeforeNew->setChecked(true);
             d.seSpacesNew->setValue(5);
             d.edChar->setText(QStringLiteral(":"));
         }, Applied(80, false, 5), QStringLiteral("80"), 80, {}},
        {"None", [](TGeneralFmtPlus& d) {
             d.rbNone->setChecked(true);
             d.edChar->setText(QStringLiteral(":"));
         }, Applied(), QStringLiteral("80"), 80, {}},
        {"0 is used but not remembered", [&](TGeneralFmtPlus& d) { type(d.seMaxStr, 0); }, Applied(0), QString(), 80, {}},
        {"150 is remembered", [&](TGeneralFmtPlus& d) { type(d.seMaxStr, 150); }, Applied(150), QStringLiteral("150"), 150, {}},
        {"paragraph, spaces before all and no empty lines", [](TGeneralFmtPlus& d) {
             d.chkParagraph->setChecked(true);
             d.chkSpacesBeforeAll->setChecked(true);
             d.seSpacesAll->setValue(3);
             d.chkDelEmptyLn->setChecked(true);
             d.seEmptyLns->setValue(0);
         }, Applied(80, true, 0, 3, "", 0, true, 0), QStringLiteral("80"), 80, {}},
        {"unchecked boxes leave their numbers unused", [](TGeneralFmtPlus& d) {
             d.seSpacesAll->setValue(7);
             d.seEmptyLns->setValue(5);
         }, Applied(), QStringLiteral("80"), 80, {}},
        {"spaces before all with 0", [](TGeneralFmtPlus& d) { d.chkSpacesBeforeAll->setChecked(true); }, Applied(),
         QStringLiteral("80"), 80, {}},
        {"more than 20 empty lines is not used", [&](TGeneralFmtPlus& d) {
             d.chkDelEmptyLn->setChecked(true);
             type(d.seEmptyLns, 21);
         }, Applied(), QStringLiteral("80"), 80, {}},
        {"a refused maximum, then a good one", [&](TGeneralFmtPlus& d) {
             type(d.seMaxStr, 59);
             d.btnOK->click();
             EXPECT_NE(d.result(), QDialog::Accepted);
             type(d.seMaxStr, 60);
         }, Applied(60), QStringLiteral("60"), 60, {MaxError}},
        {"the character searched but not typed, then typed", [](TGeneralFmtPlus& d) {
             d.rbSearchChar->setChecked(true);
             d.btnOK->click();
             d.edChar->setText(QStringLiteral("="));
         }, Applied(80, false, 0, 0, "=", 1), QStringLiteral("80"), 80, {EmptyCharError}},
    };
    for (const TApplyCase& c : cases) {
        // Each row starts with no stored length and the program's length back at 80.
        WriteUserSetting("MaxStrOnLine", QString());
        desktop.AnswerDialog([](QDialog& d) {
            static_cast<TGeneralFmtPlus&>(d).seMaxStr->setValue(80);
            static_cast<TGeneralFmtPlus&>(d).btnOK->click();
        });
        window->Click(QStringLiteral("miFormatGeneralPlus"));
        WriteUserSetting("MaxStrOnLine", QString());
        desktop.ClearLog();
        for (int i = 0; i < c.messages.size(); ++i)
            desktop.AnswerMessageBox(mbOk);
        desktop.AnswerDialog([&c](QDialog& d) {
            auto& dialog = static_cast<TGeneralFmtPlus&>(d);
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("General +"));
            c.fill(dialog);
            dialog.btnOK->click();
        });
        ASSERT_TRUE(window->Click(QStringLiteral("miFormatGeneralPlus"))) << c.name;
        const TZefFormatSettings& s = ZefFormatterSettings();
        EXPECT_EQ(s.Style, TZefFormatStyle::fsGeneralPlus) << c.name;
        EXPECT_EQ(s.MaxLineLength, c.applied.max) << c.name;
        EXPECT_EQ(s.JoinParagraphs, c.applied.join) << c.name;
        EXPECT_EQ(s.SpacesBeforeNew, c.applied.spacesNew) << c.name;
        EXPECT_EQ(s.SpacesBeforeAll, c.applied.spacesAll) << c.name;
        EXPECT_EQ(s.AlignChar, c.applied.alignChar) << c.name;
        EXPECT_EQ(s.AlignCount, c.applied.alignCount) << c.name;
        EXPECT_EQ(s.DeleteEmptyLines, c.applied.deleteEmpty) << c.name;
        EXPECT_EQ(s.MaxEmptyLines, c.applied.maxEmpty) << c.name;
        EXPECT_EQ(ReadUserSetting("MaxStrOnLine"), c.stored) << c.name;
        EXPECT_EQ(window->State().maxLineLength, c.remembered) << c.name;
        EXPECT_EQ(Messages(), c.messages) << c.name;
    }
}

TEST_F(TFormattingTest, CancelInGeneralPlusKeepsTheResetAndFormatsNothing)
{
    TZefEdit* edit = OpenText("\ttab\n\n\n\nend\n");
    const std::string before = edit->Text();
    ZefFormatterSettings().DeleteEmptyLines = true;
    ZefFormatterSettings().JoinParagraphs = true;
    desktop.AnswerDialog([](QDialog& d) { static_cast<TGeneralFmtPlus&>(d).btnCancel->click(); });
    ASSERT_TRUE(window->Click(QStringLiteral("miFormatGeneralPlus")));
    EXPECT_EQ(edit->Text(), before);
    EXPECT_FALSE(ZefFormatterSettings().DeleteEmptyLines);
    EXPECT_FALSE(ZefFormatterSettings().JoinParagraphs);
    EXPECT_FALSE(ActiveEditor->IsModified());
}

struct TStoredMaxCase {
    const char* name;
    QString stored;
    int initial;
    bool conversionError;
};

TEST_F(TFormattingTest, GeneralPlusStartsWithTheStoredLengthWhenTheFormatterTakesIt)
{
    Start();
    window->OpenDocument(QString());
    Idle();
    const TStoredMaxCase cases[] = {
        {"nothing stored", QString(), 80, false},
        {"a stored length", QStringLiteral("120"), 120, false},
        {"0", QStringLiteral("0"), 0, false},
        {"too short", QStringLiteral("59"), 80, false},
        {"too long", QStringLiteral("500"), 80, false},
        {"not a number", QStringLiteral("abc"), 80, true},
    };
    for (const TStoredMaxCase& c : cases) {
        WriteUserSetting("MaxStrOnLine", c.stored);
        desktop.ClearLog();
        if (c.conversionError)
            desktop.AnswerMessageBox(mbOk);
        desktop.AnswerDialog([&c](QDialog& d) {
            EXPECT_EQ(static_cast<TGeneralFmtPlus&>(d).seMaxStr->TypedValue(), c.initial) << c.name;
        });
        ASSERT_TRUE(window->Click(QStringLiteral("miFormatGeneralPlus"))) << c.name;
        EXPECT_EQ(Requests(TZefDesktopRequest::drMessageBox), c.conversionError ? 1 : 0) << c.name;
    }
    // The same reading at start.
    WriteUserSetting("MaxStrOnLine", QStringLiteral("500"));
    TZefMainSettings settings;
    EXPECT_TRUE(ReadMainSettings(settings));
    EXPECT_EQ(settings.MaxStrOnLine, 80);
}

TEST_F(TFormattingTest, GeneralPlusOnTheSampleTextThroughTheDialog)
{
    TZefEdit* edit = OpenText("Subject: the quick brown fox jumps over the lazy dog and keeps running far away\n"
                              "into the woods\n\n\n\nend\n");
    desktop.AnswerDialog([](QDialog& d) {
        auto& dialog = static_cast<TGeneralFmtPlus&>(d);
        dialog.seMaxStr->setValue(60);
        dialog.chkParagraph->setChecked(true);
        dialog.rbSearchChar->setChecked(true);
        dialog.edChar->setText(QStringLiteral(":"));
        dialog.chkDelEmptyLn->setChecked(true);
        dialog.btnOK->click();
    });
    ASSERT_TRUE(window->Click(QStringLiteral("miFormatGeneralPlus")));
    EXPECT_EQ(edit->Text(), "Subject: the quick brown fox jumps over the lazy dog and \r\n"
                            "        keeps running far away into the woods\r\n\r\nend");
    // "General" afterwards keeps the compression chosen here and uses the remembered length.
    EXPECT_EQ(window->State().maxLineLength, 60);
    EXPECT_TRUE(ZefFormatterSettings().DeleteEmptyLines);
}

TEST_F(TFormattingTest, ARunIsModalStopsAtTerminateAndIsOneUndoStep)
{
    const QByteArray original = "\tone\n" + QByteArray(100, 'x') + "\n\tthree\n" + QByteArray(100, 'y') + "\nshort\n";
    TZefEdit* edit = OpenText(original);
    const std::string before = edit->Text();
    edit->SetCaretPos(TBufferCoord{2, 3});
    THourGlass* busy = window->BusyWindow();
    std::shared_ptr<IEditor> document = ActiveEditor;
    int steps = 0;
    bool shownModal = true;
    bool stayedOpen = true;
    QObject::connect(busy->ProgressBar1, &QProgressBar::valueChanged, busy, [&](int value) {
        if (value == 0)
            return;
        ++steps;
        shownModal = shownModal && busy->isVisible() && QApplication::activeModalWidget() == busy;
        if (value == 2) {
            // Closing the document under the run is refused.
            document->Close();
            QCoreApplication::processEvents();
            stayedOpen = EditorFactory->GetEditorCount() == 1 && document->GetModeText() == QStringLiteral("Insert");
        }
        if (value == 4)
            busy->btnTerminate->click();
    });
    ASSERT_TRUE(window->Click(QStringLiteral("sbFormatText")));

    EXPECT_EQ(steps, 4);
    EXPECT_TRUE(shownModal);
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(busy->isVisible());
    EXPECT_EQ(busy->ProgressBar1->value(), 0);
    EXPECT_EQ(busy->ProgressBar1->maximum(), 100);
    // Three visits done: the tab line, the long line and its rest; the lines after stay as they were.
    EXPECT_EQ(edit->Text(), "        one\r\n" + std::string(80, 'x') + "\r\n" + std::string(20, 'x') + "\r\n\tthree\r\n" +
                                std::string(100, 'y') + "\r\nshort");
    EXPECT_EQ(edit->CaretPos().Line, 3);
    EXPECT_EQ(edit->CaretPos().Char, 2);
    EXPECT_TRUE(document->IsModified());

    ASSERT_TRUE(ActiveEditCommands->CanUndo());
    ActiveEditCommands->ExecUndo();
    EXPECT_EQ(edit->Text(), before);
    EXPECT_FALSE(ActiveEditCommands->CanUndo()) << "the whole run was one step";
    ActiveEditor->Close();
    QCoreApplication::processEvents();
    EXPECT_EQ(QFile(Path(QStringLiteral("text.txt"))).size(), original.size()) << "nothing was written";
}

// A run past the busy-cursor delay shows the arrow with the busy sign (Terminate still answers) while its busy
// window counts the lines; the cursor goes with the window.
TEST_F(TFormattingTest, ALongRunShowsTheBusyCursorWithItsProgress)
{
    TZefLongWork::SetDelays(0, 0);
    struct TRestore {
        ~TRestore() { TZefLongWork::SetDelays(500, 1000); }
    } restore;
    QByteArray text;
    for (int i = 0; i < 50; ++i)
        text += "\tline " + QByteArray::number(i) + "\n";
    TZefEdit* edit = OpenText(text);
    THourGlass* busy = window->BusyWindow();
    std::vector<int> progress;
    bool busyCursor = true;
    QObject::connect(busy->ProgressBar1, &QProgressBar::valueChanged, busy, [&](int value) {
        if (value == 0)
            return;
        progress.push_back(value);
        const QCursor* cursor = QApplication::overrideCursor();
        busyCursor = busyCursor && cursor != nullptr && cursor->shape() == Qt::BusyCursor;
    });
    ASSERT_TRUE(window->Click(QStringLiteral("sbFormatText")));
    EXPECT_EQ(progress.size(), 50u);
    EXPECT_EQ(progress.back(), 50);
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(edit->Lines()->GetLine(49), "        line 49");
}

TEST_F(TFormattingTest, ARunThatChangesNothingLeavesTheDocumentUnmodifiedAndWithoutAnUndoStep)
{
    TZefEdit* edit = OpenText("short\nlines only\n");
    ASSERT_TRUE(window->Click(QStringLiteral("miFormatGeneral")));
    EXPECT_FALSE(ActiveEditor->IsModified());
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_FALSE(window->BusyWindow()->isVisible());
}

} // namespace
