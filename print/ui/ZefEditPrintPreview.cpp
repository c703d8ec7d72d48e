#include "ZefEditPrintPreview.h"

#include "ZefEditPrint.h"
#include "ZefPrintCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// a * b / c rounded to the nearest integer, without overflow for large sheets.
int MulDiv(int a, int b, int c)
{
    return c == 0 ? 0 : static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

constexpr int kWheelNotch = 120;

} // namespace

TZefEditPrintPreview::TZefEditPrintPreview(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::Box);
    color_ = palette().color(QPalette::Dark);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TZefEditPrintPreview::OnVerticalAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TZefEditPrintPreview::OnHorizontalAction);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        hintText_.clear();
        QToolTip::hideText();
    });
    SizeSheet();
}

void TZefEditPrintPreview::SetZefEditPrint(TZefEditPrint* engine)
{
    engine_ = engine;
    page_ = ClampPage(page_);
    SizeSheet();
    viewport()->update();
}

void TZefEditPrintPreview::SetPageBGColor(const QColor& color)
{
    pageBGColor_ = color;
    viewport()->update();
}

void TZefEditPrintPreview::SetColor(const QColor& color)
{
    color_ = color;
    viewport()->update();
}

void TZefEditPrintPreview::SetScreenDpi(int x, int y)
{
    screenDpiX_ = x;
    screenDpiY_ = y;
    SizeSheet();
    viewport()->update();
}

int TZefEditPrintPreview::PhysicalWidth() const
{
    return engine_ ? engine_->PrinterInfo().PhysicalWidth() : 100;
}

int TZefEditPrintPreview::PhysicalHeight() const
{
    return engine_ ? engine_->PrinterInfo().PhysicalHeight() : 141;
}

int TZefEditPrintPreview::WidthForHeight(int height) const
{
    return MulDiv(height, PhysicalWidth(), PhysicalHeight());
}

int TZefEditPrintPreview::HeightForWidth(int width) const
{
    return MulDiv(width, PhysicalHeight(), PhysicalWidth());
}

int TZefEditPrintPreview::PageCount() const
{
    return engine_ ? engine_->PageCount() : 1;
}

int TZefEditPrintPreview::ClampPage(int page) const
{
    return std::clamp(page, 1, std::max(1, PageCount()));
}

void TZefEditPrintPreview::SetScaleMode(TZefPreviewScale mode)
{
    if (mode == scaleMode_)
        return;
    scaleMode_ = mode;
    scrollX_ = scrollY_ = 0;
    SizeSheet();
    viewport()->update();
}

void TZefEditPrintPreview::SetScalePercent(int percent)
{
    // Outside this range the sheet is either a speck or too large to lay out and paint.
    percent = std::clamp(percent, kMinScalePercent, kMaxScalePercent);
    if (scaleMode_ != pscUserScaled) {
        scaleMode_ = pscUserScaled;
        scrollX_ = scrollY_ = 0;
        scalePercent_ = percent;
        SizeSheet();
        viewport()->update();
        return;
    }
    if (percent == scalePercent_)
        return;
    scrollX_ = scrollY_ = 0;
    scalePercent_ = percent;
    SizeSheet();
    viewport()->update();
}

void TZefEditPrintPreview::SizeSheet()
{
    const int clientWidth = viewport()->width();
    const int clientHeight = viewport()->height();
    switch (scaleMode_) {
    case pscWholePage: {
        const int w = clientWidth - kFrame;
        const int h = clientHeight - kFrame;
        if (WidthForHeight(h) < w)
            pageSize_ = {WidthForHeight(h), h};
        else
            pageSize_ = {w, HeightForWidth(w)};
        break;
    }
    case pscPageWidth: {
        const int w = clientWidth - kFrame;
        pageSize_ = {w, HeightForWidth(w)};
        break;
    }
    case pscUserScaled: {
        const int screenX = screenDpiX_ > 0 ? screenDpiX_ : logicalDpiX();
        const int screenY = screenDpiY_ > 0 ? screenDpiY_ : logicalDpiY();
        const int printerX = engine_ ? engine_->PrinterInfo().XPixPerInch() : screenX;
        const int printerY = engine_ ? engine_->PrinterInfo().YPixPerInch() : screenY;
        const int trueWidth = MulDiv(PhysicalWidth(), screenX, printerX);
        const int trueHeight = MulDiv(PhysicalHeight(), screenY, printerY);
        pageSize_ = {MulDiv(trueWidth, scalePercent_, 100), MulDiv(trueHeight, scalePercent_, 100)};
        break;
    }
    }
    pageSize_ = pageSize_.expandedTo(QSize(1, 1));
    const QSize virtualSize = VirtualSize();
    int x = kMargin;
    if (virtualSize.width() < clientWidth)
        x += (clientWidth - virtualSize.width()) / 2;
    int y = kMargin;
    if (virtualSize.height() < clientHeight)
        y += (clientHeight - virtualSize.height()) / 2;
    pageOrigin_ = {x, y};
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
}

void TZefEditPrintPreview::UpdateScrollBars()
{
    updatingBars_ = true;
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const QSize client = viewport()->size();
    const QSize virtualSize = VirtualSize();
    if (scaleMode_ == pscWholePage) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        vertical->setRange(1, std::max(1, PageCount()));
        vertical->setPageStep(1);
        vertical->setSingleStep(1);
        vertical->setValue(page_);
    } else {
        setHorizontalScrollBarPolicy(scaleMode_ == pscUserScaled ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        vertical->setRange(0, std::max(0, virtualSize.height() - client.height()));
        vertical->setPageStep(client.height());
        vertical->setSingleStep(std::max(1, client.height() / 10));
        vertical->setValue(-scrollY_);
        if (scaleMode_ == pscUserScaled) {
            horizontal->setRange(0, std::max(0, virtualSize.width() - client.width()));
            horizontal->setPageStep(client.width());
            horizontal->setSingleStep(std::max(1, client.width() / 10));
            horizontal->setValue(-scrollX_);
        } else {
            horizontal->setRange(0, 0);
        }
    }
    updatingBars_ = false;
}

// The scroll area moves the bars itself; the offsets are kept here and the bars only mirror them.
void TZefEditPrintPreview::scrollContentsBy(int, int)
{
    if (updatingBars_ || scaleMode_ == pscWholePage)
        return;
    ScrollVertTo(-verticalScrollBar()->value());
    if (scaleMode_ == pscUserScaled)
        ScrollHorzTo(-horizontalScrollBar()->value());
}

void TZefEditPrintPreview::ScrollContent(int dx, int dy)
{
    const QSize client = viewport()->size();
    if (std::abs(dx) > client.width() / 2 || std::abs(dy) > client.height() / 2)
        viewport()->update();
    else
        viewport()->scroll(dx, dy);
}

void TZefEditPrintPreview::ScrollHorzTo(int x)
{
    // When the sheet is narrower than the window there is nothing to scroll: the bound is 0 both ways.
    const int lowest = std::min(0, viewport()->width() - VirtualSize().width());
    x = std::clamp(x, lowest, 0);
    if (x == scrollX_)
        return;
    const int dx = x - scrollX_;
    scrollX_ = x;
    UpdateScrollBars();
    ScrollContent(dx, 0);
}

void TZefEditPrintPreview::ScrollVertTo(int y)
{
    const int lowest = std::min(0, viewport()->height() - VirtualSize().height());
    y = std::clamp(y, lowest, 0);
    if (y == scrollY_)
        return;
    const int dy = y - scrollY_;
    scrollY_ = y;
    UpdateScrollBars();
    if (scaleMode_ != pscWholePage)
        ScrollContent(0, dy);
}

void TZefEditPrintPreview::OnVerticalAction(int action)
{
    QScrollBar* bar = verticalScrollBar();
    const int clientHeight = viewport()->height();
    if (scaleMode_ == pscWholePage) {
        int page = page_;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
        case QAbstractSlider::SliderPageStepSub: page = page_ - 1; break;
        case QAbstractSlider::SliderSingleStepAdd:
        case QAbstractSlider::SliderPageStepAdd: page = page_ + 1; break;
        case QAbstractSlider::SliderToMinimum: page = 1; break;
        case QAbstractSlider::SliderToMaximum: page = PageCount(); break;
        case QAbstractSlider::SliderMove:
            page = bar->sliderPosition();
            if (showScrollHint_) {
                hintText_ = QStringLiteral("Page: %1").arg(ClampPage(page));
                if (isVisible())
                    QToolTip::showText(mapToGlobal(QPoint(width() - 4 - 60, 10)), hintText_, this);
            }
            break;
        default: return;
        }
        ShowPage(page);
        bar->setSliderPosition(page_);
        return;
    }
    int target = scrollY_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: target = scrollY_ + clientHeight / 10; break;
    case QAbstractSlider::SliderSingleStepAdd: target = scrollY_ - clientHeight / 10; break;
    case QAbstractSlider::SliderPageStepSub: target = scrollY_ + clientHeight / 2; break;
    case QAbstractSlider::SliderPageStepAdd: target = scrollY_ - clientHeight / 2; break;
    case QAbstractSlider::SliderToMinimum: target = 0; break;
    case QAbstractSlider::SliderToMaximum: target = -VirtualSize().height(); break;
    case QAbstractSlider::SliderMove: target = -bar->sliderPosition(); break;
    default: return;
    }
    ScrollVertTo(target);
    bar->setSliderPosition(-scrollY_);
}

void TZefEditPrintPreview::OnHorizontalAction(int action)
{
    if (scaleMode_ != pscUserScaled)
        return;
    QScrollBar* bar = horizontalScrollBar();
    const int clientWidth = viewport()->width();
    int target = scrollX_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: target = scrollX_ + clientWidth / 10; break;
    case QAbstractSlider::SliderSingleStepAdd: target = scrollX_ - clientWidth / 10; break;
    case QAbstractSlider::SliderPageStepSub: target = scrollX_ + clientWidth / 2; break;
    case QAbstractSlider::SliderPageStepAdd: target = scrollX_ - clientWidth / 2; break;
    case QAbstractSlider::SliderToMinimum: target = 0; break;
    case QAbstractSlider::SliderToMaximum: target = -VirtualSize().width(); break;
    case QAbstractSlider::SliderMove: target = -bar->sliderPosition(); break;
    default: return;
    }
    ScrollHorzTo(target);
    bar->setSliderPosition(-scrollX_);
}

void TZefEditPrintPreview::ShowPage(int page)
{
    page_ = ClampPage(page);
    if (scaleMode_ == pscWholePage)
        UpdateScrollBars();
    if (OnPreviewPage)
        OnPreviewPage(this, page_);
    viewport()->update();
}

void TZefEditPrintPreview::FirstPage() { ShowPage(1); }
void TZefEditPrintPreview::LastPage() { ShowPage(PageCount()); }
void TZefEditPrintPreview::NextPage() { ShowPage(page_ + 1); }
void TZefEditPrintPreview::PreviousPage() { ShowPage(page_ - 1); }

void TZefEditPrintPreview::UpdatePreview()
{
    const TZefPreviewScale mode = scaleMode_;
    const int percent = scalePercent_;
    SetScalePercent(100);
    if (engine_)
        engine_->PreparePages();
    // A shorter job must not leave the preview on a page that no longer exists.
    page_ = ClampPage(page_);
    SizeSheet();
    SetScaleMode(mode);
    if (mode == pscUserScaled)
        SetScalePercent(percent);
    UpdateScrollBars();
    viewport()->update();
}

namespace {

TZefPrintResult NothingToPrint()
{
    TZefPrintResult result;
    result.Message = "Nothing to print.";
    return result;
}

} // namespace

TZefPrintResult TZefEditPrintPreview::Print(TZefPrintTarget& target, const TZefWorkProgress& progress)
{
    if (!engine_)
        return NothingToPrint();
    TZefPrintResult result = engine_->Print(target, progress);
    UpdatePreview();
    return result;
}

TZefPrintResult TZefEditPrintPreview::PrintCurrentPage(TZefPrintTarget& target, const TZefWorkProgress& progress)
{
    if (!engine_)
        return NothingToPrint();
    TZefPrintResult result = engine_->PrintRange(target, ClampPage(page_), ClampPage(page_), progress);
    UpdatePreview();
    return result;
}

void TZefEditPrintPreview::ClickZoom(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        if (scaleMode_ == pscWholePage)
            SetScalePercent(100);
        else
            SetScalePercent(std::min(kMaxScalePercent, scalePercent_ * 2));
    } else if (button == Qt::RightButton || button == Qt::MiddleButton) {
        SetScalePercent(std::max(kMinScalePercent, scalePercent_ / 2));
    }
}

void TZefEditPrintPreview::mousePressEvent(QMouseEvent* event)
{
    if (zoomOnClick_)
        ClickZoom(event->button());
    QAbstractScrollArea::mousePressEvent(event);
}

void TZefEditPrintPreview::wheelEvent(QWheelEvent* event)
{
    wheelAccumulator_ += event->angleDelta().y();
    // Whole notches are taken off in either direction, so a backward turn scrolls as well as a forward one.
    while (std::abs(wheelAccumulator_) >= kWheelNotch) {
        const int notch = wheelAccumulator_ > 0 ? kWheelNotch : -kWheelNotch;
        wheelAccumulator_ -= notch;
        ScrollVertTo(scrollY_ + notch);
    }
    event->accept();
}

void TZefEditPrintPreview::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SizeSheet();
}

QRect TZefEditPrintPreview::SheetRect() const
{
    const int left = pageOrigin_.x() + scrollX_;
    const int top = pageOrigin_.y() + (scaleMode_ == pscWholePage ? 0 : scrollY_);
    return {left, top, pageSize_.width(), pageSize_.height()};
}

void TZefEditPrintPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    if (!engine_) {
        painter.fillRect(client, color_);
        painter.setPen(Qt::black);
        painter.setBrush(pageBGColor_);
        painter.drawRect(QRect(QPoint(12, 12), QPoint(41, 54)));
        return;
    }
    const QRect sheet = SheetRect();
    // The work area around the sheet.
    QRegion workArea(client);
    workArea -= QRegion(sheet);
    for (const QRect& part : workArea)
        painter.fillRect(part, color_);
    // The shadow, one and two pixels outside the bottom and right edges.
    painter.setPen(Qt::black);
    for (int offset = 1; offset <= 2; ++offset) {
        painter.drawLine(sheet.left() + offset, sheet.bottom() + offset, sheet.right() + offset,
                         sheet.bottom() + offset);
        painter.drawLine(sheet.right() + offset, sheet.top() + offset, sheet.right() + offset,
                         sheet.bottom() + offset);
    }
    painter.setBrush(pageBGColor_);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));

    const TZefEditPrinterInfo& info = engine_->PrinterInfo();
    const int page = ClampPage(page_);
    const double scaleX = static_cast<double>(sheet.width()) / info.PhysicalWidth();
    const double scaleY = static_cast<double>(sheet.height()) / info.PhysicalHeight();
    painter.save();
    painter.translate(sheet.left() + MulDiv(info.LeftGutter(), sheet.width(), info.PhysicalWidth()),
                      sheet.top() + MulDiv(info.TopGutter(), sheet.height(), info.PhysicalHeight()));
    painter.scale(scaleX, scaleY);
    painter.setClipRect(QRect(0, 0, info.PrintableWidth(), info.PrintableHeight()));
    painter.setRenderHint(QPainter::Antialiasing, false);
    TZefPainterCanvas canvas(painter);
    engine_->DrawPage(canvas, page);
    painter.restore();
}
