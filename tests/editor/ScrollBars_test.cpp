// The view position through the scroll bars: ranges (scaled above 32767), steps, the thumb, the hint, pixel scrolling.
#include "PaintTestSupport.h"

#include <QLabel>
#include <QPaintEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

std::string ManyLines(int count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 8);
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

std::string BarDump(const QScrollBar* bar)
{
    const auto* area = static_cast<const QAbstractScrollArea*>(bar->parentWidget()->parentWidget());
    const Qt::ScrollBarPolicy policy = bar->orientation() == Qt::Horizontal ? area->horizontalScrollBarPolicy()
                                                                            : area->verticalScrollBarPolicy();
    return std::to_string(bar->minimum()) + ".." + std::to_string(bar->maximum()) + " page " +
           std::to_string(bar->pageStep()) + " at " + std::to_string(bar->value()) +
           (bar->isEnabled() ? "" : " disabled") + (policy == Qt::ScrollBarAlwaysOff ? " hidden" : "");
}

// Collects the rectangles the viewport is asked to paint.
class TPaintSpy : public QObject {
public:
    explicit TPaintSpy(QWidget* target) { target->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted = painted.united(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
    QRegion painted;
};

} // namespace

TEST(ScrollBars, VerticalRangeFollowsTheLinesAndTheView)
{
    auto edit = MakeShownEdit(ManyLines(100), 20, 10);
    QScrollBar* bar = edit->verticalScrollBar();
    EXPECT_EQ(BarDump(bar), "1..91 page 10 at 1");
    edit->SetTopVisibleLine(50);
    EXPECT_EQ(BarDump(bar), "1..91 page 10 at 50");
    std::vector<Qt::Orientation> scrolled;
    edit->OnScroll = [&](TCustomZefEdit*, Qt::Orientation orientation) { scrolled.push_back(orientation); };
    struct Step {
        QAbstractSlider::SliderAction action;
        int top;
    };
    const Step steps[] = {{QAbstractSlider::SliderSingleStepAdd, 51}, {QAbstractSlider::SliderPageStepAdd, 61},
                          {QAbstractSlider::SliderSingleStepSub, 60}, {QAbstractSlider::SliderPageStepSub, 50},
                          {QAbstractSlider::SliderToMaximum, 91},     {QAbstractSlider::SliderToMinimum, 1}};
    for (const Step& step : steps) {
        bar->triggerAction(step.action);
        EXPECT_EQ(edit->TopVisibleLine(), step.top) << step.action;
        EXPECT_EQ(bar->value(), step.top) << step.action;
    }
    EXPECT_EQ(scrolled, std::vector<Qt::Orientation>(6, Qt::Vertical));
    edit->SetOptions(edit->Options().With(eoScrollByOneLess));
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(edit->TopVisibleLine(), 10);
}

TEST(ScrollBars, AboveThirtyTwoThousandLinesTheRangeIsScaled)
{
    const int count = 100000;
    auto edit = MakeShownEdit(ManyLines(count), 20, 10);
    QScrollBar* bar = edit->verticalScrollBar();
    EXPECT_LE(bar->maximum(), 32767);
    EXPECT_EQ(bar->pageStep(), 3) << "10 lines of 100000 in 32767 units";
    // A step is still one line and a page still one page, even when the bar moves less than one unit.
    edit->SetTopVisibleLine(50000);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(edit->TopVisibleLine(), 50001);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(edit->TopVisibleLine(), 49991);
    EXPECT_EQ(bar->value(), 1 + static_cast<int>(49990LL * 32766 / (count - 1)));

    // Dragging the thumb to the end shows the last lines, with the hint naming the top line.
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum() / 2);
    EXPECT_NEAR(edit->TopVisibleLine(), (count - 10) / 2, 5);
    bar->setSliderPosition(bar->maximum());
    EXPECT_EQ(edit->TopVisibleLine(), count - 10 + 1);
    EXPECT_EQ(InkMap(*edit, Rendered(*edit), count, 1, 12), "####.######.") << "line 100000";
    auto* hint = edit->viewport()->findChild<QLabel*>(QStringLiteral("ScrollHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral("Top Line: 99991"));
    EXPECT_EQ(hint->geometry().right(), edit->viewport()->width() - 1 - 4);
    EXPECT_EQ(hint->y(), 10);
    bar->setSliderDown(false);
    EXPECT_FALSE(hint->isVisible());

    bar->triggerAction(QAbstractSlider::SliderMove); // as the wheel does: no thumb held, no hint
    EXPECT_FALSE(hint->isVisible());

    edit->SetScrollHintFormat(shfTopToBottom);
    bar->setSliderDown(true);
    bar->setSliderPosition(0);
    EXPECT_EQ(hint->text(), QStringLiteral("1 - 10"));
    bar->setSliderDown(false);
}

TEST(ScrollBars, HorizontalBarAndItsDisabledOrHiddenState)
{
    auto edit = MakeShownEdit("abc\r\nabcdefghij", 20, 4);
    QScrollBar* bar = edit->horizontalScrollBar();
    EXPECT_EQ(BarDump(bar), "1..1005 page 20 at 1") << "past the line end up to MaxLineWidth";
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(edit->LeftVisibleColumn(), 2);
    EXPECT_EQ(edit->ColumnToX(2), edit->GutterPixels() + 2);
    edit->SetLeftVisibleColumn(1);
    edit->SetOptions(edit->Options().Without(eoScrollPastEol));
    EXPECT_EQ(BarDump(bar), "1..1 page 20 at 1 disabled") << "the longest line fits";
    edit->SetOptions(edit->Options().With(eoHideShowScrollbars));
    EXPECT_EQ(BarDump(bar), "1..1 page 20 at 1 disabled hidden");
    edit->SetScrollBars(ssNone);
    edit->SetOptions(edit->Options().Without(eoHideShowScrollbars));
    EXPECT_EQ(BarDump(edit->verticalScrollBar()), "1..1 page 4 at 1 disabled hidden");
    EXPECT_EQ(BarDump(bar), "1..1 page 20 at 1 disabled hidden");
}

TEST(ScrollBars, ScrollingByOneLineRepaintsOnlyTheUncoveredRow)
{
    auto edit = MakeShownEdit(ManyLines(100), 20, 10);
    edit->clearFocus();
    QCoreApplication::processEvents();
    TPaintSpy spy(edit->viewport());
    edit->SetTopVisibleLine(2);
    QCoreApplication::processEvents();
    const QRect painted = spy.painted.boundingRect();
    EXPECT_GE(painted.top(), 9 * edit->RowHeight() - 1) << "only the bottom row was exposed";
    spy.painted = QRegion();
    edit->SetTopVisibleLine(50);
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.painted.boundingRect(), edit->viewport()->rect()) << "a jump repaints everything";
    EXPECT_EQ(InkMap(*edit, Rendered(*edit), 50, 1, 8), "####.##.") << "line 50";
}
