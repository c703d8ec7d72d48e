// Feedback on long work: the busy cursor and the status bar's progress appear, input other than the Cancel
// button and Esc is held back, a stopped load leaves no document behind, and replacing all shows its progress
// and stops into a state that undo takes back whole.
#include "MainWindowFixture.h"
#include "ZefEditSearch.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"
#include "ZefSearchFlow.h"
#include "dlgSearchText.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace {

// A document of many lines, each with the word to replace.
QByteArray ManyLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "line " + QByteArray::number(i) + " alpha and alpha\n";
    return bytes;
}

class LongWork : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        TZefLongWork::SetDelays(0, 0); // every step counts as long
        Start();
    }
    void TearDown() override
    {
        TZefLongWork::SetDelays(500, 1000);
        TMainWindowFixture::TearDown();
    }

    // A document of ManyLines(count) opened in the window; answers its editor.
    TZefEdit* OpenManyLines(int count)
    {
        window->OpenDocument(WriteFile(QStringLiteral("many.txt"), ManyLines(count)));
        Idle();
        return Editor(ActiveEditor);
    }

    QWidget* Panel() const { return window->statusBar()->findChild<QWidget*>(QStringLiteral("LongWorkPanel")); }

    // Replace (Ctrl+H) of "alpha" by "omega" answered with "All" at the first question.
    void ReplaceAllThroughTheDialogs()
    {
        ZefSearchState() = TZefSearchState{};
        desktop.AnswerDialog([](QDialog& dialog) {
            auto& d = dynamic_cast<TTextReplaceDialog&>(dialog);
            d.cbSearchText->lineEdit()->setText(QStringLiteral("alpha"));
            d.cbReplaceText->lineEdit()->setText(QStringLiteral("omega"));
            d.btnOK->click();
        });
        desktop.AnswerDialog(
            [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("btnReplaceAll"))->click(); });
        ActiveSearchCommands->ExecReplace(false);
    }
};

TEST_F(LongWork, ShowsBusyCursorAndProgressAndHoldsBackOtherInput)
{
    auto* field = new QLineEdit(window.get());
    field->show();
    field->setFocus();
    {
        TZefLongWork work(QStringLiteral("Loading big.txt..."), true);
        QCoreApplication::postEvent(field, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        EXPECT_TRUE(work.Step(250, 1000));
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ASSERT_NE(Panel(), nullptr);
        EXPECT_TRUE(Panel()->isVisible());
        EXPECT_EQ(Panel()->findChild<QProgressBar*>()->value(), 250);
        EXPECT_TRUE(field->text().isEmpty()) << "typing waits until the work is done";

        // Closing the main window is refused while the work runs.
        window->close();
        EXPECT_TRUE(window->isVisible());

        // The Cancel button still answers.
        auto* cancel = Panel()->findChild<QPushButton*>(QStringLiteral("LongWorkCancel"));
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
        EXPECT_FALSE(work.Step(500, 1000));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(LongWork, WorkThatCannotStopIgnoresEscAndOffersNoCancel)
{
    TZefLongWork work(QStringLiteral("Formatting..."), false);
    QCoreApplication::postEvent(window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(work.Step(1, 2));
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->findChild<QPushButton*>(), nullptr);
}

TEST_F(LongWork, EscDuringALoadLeavesNoDocumentAndNoMessage)
{
    QByteArray bytes;
    while (bytes.size() < (20 << 20))
        bytes += QByteArray(99, 'x') + '\n';
    const QString path = WriteFile(QStringLiteral("big.txt"), bytes);

    QCoreApplication::postEvent(window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    window->OpenDocument(path);
    Idle();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 0);
    EXPECT_TRUE(desktop.MessageTexts().isEmpty());

    // Not stopped, the same file opens whole.
    window->OpenDocument(path);
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(Editor(EditorFactory->GetEditor(0))->Lines()->Count(), bytes.size() / 100);
}

TEST_F(LongWork, ReplaceAllShowsProgressWithCancelAndGivesTheSameText)
{
    constexpr int kLines = 60000;
    TZefEdit* edit = OpenManyLines(kLines);
    ASSERT_NE(edit, nullptr);
    const std::string before = edit->Text();
    TZefEdit quiet;
    TZefEditSearch engine;
    quiet.SetSearchEngine(&engine);
    quiet.SetText(before);
    quiet.SearchReplace("alpha", "omega", soReplace | soReplaceAll | soEntireScope);

    bool progressSeen = false;
    bool cancelOffered = false;
    QTimer::singleShot(0, window.get(), [&] {
        progressSeen = Panel() != nullptr && Panel()->isVisible();
        cancelOffered = progressSeen && Panel()->findChild<QPushButton*>(QStringLiteral("LongWorkCancel")) != nullptr;
    });
    ReplaceAllThroughTheDialogs();
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(cancelOffered);
    EXPECT_TRUE(edit->Text() == quiet.Text());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    edit->Undo();
    EXPECT_TRUE(edit->Text() == before);
}

// Cancel part way: the lines before the stop are replaced, the rest untouched, the caret on the last line
// replaced, and one undo gives back every byte.
TEST_F(LongWork, CancelledReplaceAllIsOneUndoStepOverTheLinesDone)
{
    constexpr int kLines = 60000;
    TZefEdit* edit = OpenManyLines(kLines);
    ASSERT_NE(edit, nullptr);
    const std::string before = edit->Text();
    QTimer::singleShot(0, window.get(), [&] {
        ASSERT_NE(Panel(), nullptr);
        auto* bar = Panel()->findChild<QProgressBar*>();
        auto* cancel = Panel()->findChild<QPushButton*>(QStringLiteral("LongWorkCancel"));
        QObject::connect(bar, &QProgressBar::valueChanged, cancel, [cancel](int value) {
            if (value >= 300)
                cancel->click();
        });
    });
    ReplaceAllThroughTheDialogs();

    int done = 0;
    while (done < kLines && edit->Lines()->GetLine(done).find("omega") != std::string_view::npos)
        ++done;
    EXPECT_GT(done, kLines / 4);
    EXPECT_LT(done, kLines / 2);
    for (int i = done; i < kLines; i += 997)
        ASSERT_EQ(edit->Lines()->GetLine(i), "line " + std::to_string(i) + " alpha and alpha") << i;
    EXPECT_EQ(edit->CaretPos().Line, done);
    EXPECT_EQ(edit->Lines()->Count(), kLines);
    const std::string partial = edit->Text();
    edit->Undo();
    EXPECT_TRUE(edit->Text() == before);
    EXPECT_FALSE(edit->CanUndo());
    edit->Redo();
    EXPECT_TRUE(edit->Text() == partial);
}

} // namespace
