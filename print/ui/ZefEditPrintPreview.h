// A scrollable control showing one page of a print job as it comes out of the printer: the sheet to scale on
// a grey work area with a shadow, the engine drawing header, footer and text into its printable part.
#pragma once
#include "ZefEditPrint.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPointer>
#include <QSize>
#include <functional>

enum TZefPreviewScale { pscWholePage, pscPageWidth, pscUserScaled };

using TPreviewPageEvent = std::function<void(QObject* sender, int pageNumber)>;

class TZefEditPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TZefEditPrintPreview(QWidget* parent = nullptr);

    // Not owned. The preview must be told (SetZefEditPrint(nullptr)) before the engine goes away.
    TZefEditPrint* ZefEditPrint() const { return engine_; }
    void SetZefEditPrint(TZefEditPrint* engine);

    TZefPreviewScale ScaleMode() const { return scaleMode_; }
    void SetScaleMode(TZefPreviewScale mode);
    int ScalePercent() const { return scalePercent_; }
    // Held within kMinScalePercent..kMaxScalePercent.
    void SetScalePercent(int percent);

    QColor PageBGColor() const { return pageBGColor_; }
    void SetPageBGColor(const QColor& color);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    bool ShowScrollHint() const { return showScrollHint_; }
    void SetShowScrollHint(bool value) { showScrollHint_ = value; }

    // Lays the job out again and resizes the sheet; the page shown is kept within the new page count.
    void UpdatePreview();
    void FirstPage();
    void LastPage();
    void NextPage();
    void PreviousPage();
    int PageNumber() const { return page_; }
    // Print the whole job, or only the page shown, on `target`, then lay the job out again for the screen.
    TZefPrintResult Print(TZefPrintTarget& target, const TZefWorkProgress& progress = {});
    TZefPrintResult PrintCurrentPage(TZefPrintTarget& target, const TZefWorkProgress& progress = {});

    void ScrollHorzTo(int x);
    void ScrollVertTo(int y);
    QPoint ScrollOffset() const { return {scrollX_, scrollY_}; }
    QSize PageSize() const { return pageSize_; }
    QSize VirtualSize() const { return {pageSize_.width() + kFrame, pageSize_.height() + kFrame}; }
    QPoint PageOrigin() const { return pageOrigin_; }
    // The sheet's rectangle in the viewport as painted.
    QRect SheetRect() const;

    // A click's zoom: left doubles the percentage (whole page goes to 100 %), up to 400; right and middle halve
    // it, down to 25.
    void ClickZoom(Qt::MouseButton button);
    // When on, clicks on the control zoom (the preview window turns it on).
    void SetZoomOnClick(bool value) { zoomOnClick_ = value; }

    // The text of the page hint shown while the thumb is dragged in whole-page scale; empty when hidden.
    QString ScrollHintText() const { return hintText_; }

    // Screen resolution used for the true size of the sheet; the widget's own logical resolution when 0.
    void SetScreenDpi(int x, int y);

    TPreviewPageEvent OnPreviewPage;

    static constexpr int kFrame = 26;
    static constexpr int kMargin = 12;
    static constexpr int kMinScalePercent = 25;
    static constexpr int kMaxScalePercent = 400;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int PageCount() const;
    int ClampPage(int page) const;
    void ShowPage(int page);
    void SizeSheet();
    void UpdateScrollBars();
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void ScrollContent(int dx, int dy);
    int WidthForHeight(int height) const;
    int HeightForWidth(int width) const;
    int PhysicalWidth() const;
    int PhysicalHeight() const;

    TZefEditPrint* engine_ = nullptr;
    TZefPreviewScale scaleMode_ = pscUserScaled;
    int scalePercent_ = 100;
    QColor pageBGColor_ = Qt::white;
    QColor color_;
    bool showScrollHint_ = true;
    bool zoomOnClick_ = false;
    int page_ = 1;
    QSize pageSize_;
    QPoint pageOrigin_;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int wheelAccumulator_ = 0;
    int screenDpiX_ = 0;
    int screenDpiY_ = 0;
    QString hintText_;
    bool updatingBars_ = false; // bars being set from the state, not moved by the user
};
