// The preview control: sheet sizes in every scale mode, page turning and its hint, the wheel, click zoom and
// the page kept within a job that shrinks.
#include "ZefEditPrint.h"
#include "ZefEditPrintPreview.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct PreviewFixture : ::testing::Test {
    TZefEditPrint engine;
    std::unique_ptr<TZefEditPrintPreview> preview = std::make_unique<TZefEditPrintPreview>();
    std::vector<int> reported;

    void SetUp() override
    {
        preview->SetScreenDpi(96, 96);
        preview->OnPreviewPage = [this](QObject*, int page) { reported.push_back(page); };
        preview->show();
    }
    void Pages(int count)
    {
        engine.SetLines(std::vector<std::string>(engine.Layout().RowsPerPage * count, "line of text"));
        preview->SetZefEditPrint(&engine);
        preview->UpdatePreview();
    }
    void Resize(int width, int height)
    {
        preview->resize(width, height);
        QApplication::processEvents();
    }
    void Wheel(int delta)
    {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview->viewport(), &event);
    }
};

} // namespace

TEST_F(PreviewFixture, SheetSizeFollowsTheScaleModeAndTheClientArea)
{
    Pages(1); // A4 at 300 dpi: 2481 x 3507
    struct Case {
        TZefPreviewScale mode;
        int percent;
        QSize widget;
    };
    const Case cases[] = {
        {pscWholePage, 0, {900, 400}},  // wide: the height decides
        {pscWholePage, 0, {300, 900}},  // tall: the width decides
        {pscPageWidth, 0, {600, 300}},
        {pscUserScaled, 100, {500, 500}},
        {pscUserScaled, 25, {1200, 1400}},
        {pscUserScaled, 400, {500, 500}},
        {pscWholePage, 0, {20, 20}},    // smaller than the frame around the sheet
        {pscPageWidth, 0, {10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.percent << "% " << c.widget.width() << "x"
                                        << c.widget.height());
        if (c.mode == pscUserScaled)
            preview->SetScalePercent(c.percent);
        else
            preview->SetScaleMode(c.mode);
        Resize(c.widget.width(), c.widget.height());
        const QSize client = preview->viewport()->size();
        const QSize page = preview->PageSize();
        switch (c.mode) {
        case pscWholePage:
            if (client.width() > 26 && client.height() > 26) {
                EXPECT_LE(page.width(), client.width() - 26);
                EXPECT_LE(page.height(), client.height() - 26);
                EXPECT_TRUE(page.width() == client.width() - 26 || page.height() == client.height() - 26);
            }
            break;
        case pscPageWidth:
            if (client.width() > 26) {
                EXPECT_EQ(page.width(), client.width() - 26);
                EXPECT_EQ(page.height(), qRound((client.width() - 26) * 3507.0 / 2481));
            }
            break;
        case pscUserScaled:
            EXPECT_EQ(page, QSize(qRound(794 * c.percent / 100.0), qRound(1122 * c.percent / 100.0)));
            break;
        }
        EXPECT_GE(page.width(), 1);
        EXPECT_GE(page.height(), 1);
        // The sheet is centred when it is smaller than the window, 12 pixels in otherwise.
        const QSize virtualSize = preview->VirtualSize();
        const int expectedX = 12 + (virtualSize.width() < client.width() ? (client.width() - virtualSize.width()) / 2 : 0);
        EXPECT_EQ(preview->PageOrigin().x(), expectedX);
        QImage image(preview->size(), QImage::Format_RGB32);
        preview->render(&image); // paints without touching anything outside the job
    }
}

TEST_F(PreviewFixture, WholePageTurnsPagesWithTheBarAndShowsTheHint)
{
    Pages(4);
    preview->SetScaleMode(pscWholePage);
    Resize(600, 600);
    QScrollBar* bar = preview->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 4);
    EXPECT_FALSE(preview->horizontalScrollBar()->isVisible());

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(preview->PageNumber(), 2);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(preview->PageNumber(), 4);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(preview->PageNumber(), 4);
    EXPECT_EQ(bar->value(), 4);

    bar->setSliderDown(true);
    bar->setSliderPosition(3);
    EXPECT_EQ(preview->PageNumber(), 3);
    EXPECT_EQ(preview->ScrollHintText(), "Page: 3");
    bar->setSliderDown(false);
    EXPECT_TRUE(preview->ScrollHintText().isEmpty());
    EXPECT_EQ(reported, (std::vector<int>{2, 4, 4, 3}));
}

TEST_F(PreviewFixture, PageCommandsStopAtTheEndsAndStillReport)
{
    Pages(3);
    preview->PreviousPage();
    preview->NextPage();
    preview->LastPage();
    preview->NextPage();
    preview->FirstPage();
    EXPECT_EQ(reported, (std::vector<int>{1, 2, 3, 3, 1}));
}

TEST_F(PreviewFixture, AShorterJobMovesThePageBackIntoIt)
{
    Pages(3);
    preview->LastPage();
    EXPECT_EQ(preview->PageNumber(), 3);
    Pages(1);
    EXPECT_EQ(preview->PageNumber(), 1);
    preview->SetScaleMode(pscWholePage);
    EXPECT_EQ(preview->verticalScrollBar()->maximum(), 1);
}

TEST_F(PreviewFixture, WheelScrollsWholeNotchesBothWays)
{
    Pages(1);
    preview->SetScalePercent(100);
    Resize(400, 400);
    ASSERT_EQ(preview->ScrollOffset().y(), 0);
    Wheel(-40);
    Wheel(-40);
    EXPECT_EQ(preview->ScrollOffset().y(), 0);
    Wheel(-40);
    EXPECT_EQ(preview->ScrollOffset().y(), -120);
    Wheel(-240);
    EXPECT_EQ(preview->ScrollOffset().y(), -360);
    Wheel(120); // backward
    EXPECT_EQ(preview->ScrollOffset().y(), -240);
    EXPECT_EQ(preview->verticalScrollBar()->value(), 240);
    Wheel(1200); // never above the top
    EXPECT_EQ(preview->ScrollOffset().y(), 0);

    preview->SetScaleMode(pscWholePage);
    Pages(2);
    Wheel(-360);
    EXPECT_EQ(preview->PageNumber(), 1);
}

TEST_F(PreviewFixture, ScrollingStaysPutWhenTheSheetFitsAndStopsAtTheEdges)
{
    Pages(1);
    preview->SetScalePercent(25);
    Resize(900, 900);
    preview->ScrollVertTo(-50);
    preview->ScrollHorzTo(-50);
    EXPECT_EQ(preview->ScrollOffset(), QPoint(0, 0));

    preview->SetScalePercent(100);
    Resize(400, 400);
    const QSize client = preview->viewport()->size();
    preview->ScrollVertTo(-100000);
    EXPECT_EQ(preview->ScrollOffset().y(), client.height() - preview->VirtualSize().height());
    preview->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(preview->ScrollOffset().x(), -(client.width() / 10));
    preview->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(preview->ScrollOffset().y(), 0);
    preview->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(preview->ScrollOffset().y(), -(client.height() / 2));
}

TEST_F(PreviewFixture, ClickZoomDoublesAndHalvesWithinLimits)
{
    Pages(1);
    preview->SetScaleMode(pscWholePage);
    preview->ClickZoom(Qt::LeftButton);
    EXPECT_EQ(preview->ScaleMode(), pscUserScaled);
    EXPECT_EQ(preview->ScalePercent(), 100);
    const int expected[] = {200, 400, 400};
    for (int percent : expected) {
        preview->ClickZoom(Qt::LeftButton);
        EXPECT_EQ(preview->ScalePercent(), percent);
    }
    preview->SetScalePercent(75);
    preview->ClickZoom(Qt::RightButton);
    EXPECT_EQ(preview->ScalePercent(), 37);
    preview->ClickZoom(Qt::MiddleButton);
    EXPECT_EQ(preview->ScalePercent(), 25);
    preview->ClickZoom(Qt::RightButton);
    EXPECT_EQ(preview->ScalePercent(), 25);

    // A percentage set directly is held to the same range.
    preview->SetScalePercent(0);
    EXPECT_EQ(preview->ScalePercent(), 25);
    EXPECT_EQ(preview->PageSize(), QSize(qRound(794 * 0.25), qRound(1122 * 0.25)));
    preview->SetScalePercent(100000);
    EXPECT_EQ(preview->ScalePercent(), 400);
    EXPECT_EQ(preview->PageSize(), QSize(794 * 4, 1122 * 4));
}

TEST_F(PreviewFixture, UpdatePreviewKeepsTheScaleAndDrawsTheText)
{
    engine.SetLines(std::vector<std::string>(5, "WWWWWWWWWWWWWWWWWWWW"));
    preview->SetZefEditPrint(&engine);
    preview->SetScaleMode(pscPageWidth);
    Resize(700, 500);
    preview->UpdatePreview();
    EXPECT_EQ(preview->ScaleMode(), pscPageWidth);
    preview->SetScalePercent(50);
    preview->UpdatePreview();
    EXPECT_EQ(preview->ScaleMode(), pscUserScaled);
    EXPECT_EQ(preview->ScalePercent(), 50);

    preview->SetScaleMode(pscPageWidth);
    QImage image(preview->viewport()->size(), QImage::Format_RGB32);
    preview->viewport()->render(&image);
    const QRect sheet = preview->SheetRect().intersected(image.rect()).adjusted(2, 2, -2, -2);
    int dark = 0;
    for (int y = sheet.top(); y <= sheet.bottom(); ++y)
        for (int x = sheet.left(); x <= sheet.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20); // the text is on the sheet
    EXPECT_EQ(image.pixel(2, 2), preview->Color().rgb());
}
