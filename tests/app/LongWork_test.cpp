// Feedback on long work: the busy cursor and the status bar's progress appear, input other than the Cancel
// button and Esc is held back, and a stopped load leaves no document behind.
#include "MainWindowFixture.h"
#include "ZefEditTextBuffer.h"
#include "ZefLongWork.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

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

    QWidget* Panel() const { return window->statusBar()->findChild<QWidget*>(QStringLiteral("LongWorkPanel")); }
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

} // namespace
