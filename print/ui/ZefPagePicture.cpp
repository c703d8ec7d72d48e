// Painting the page picture: an A4 sheet scaled into the widget.
#include "ZefPagePicture.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double kSheetWidthMM = 210;
constexpr double kSheetHeightMM = 297;

} // namespace

TZefPagePicture::TZefPagePicture(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 170);
}

void TZefPagePicture::SetMargins(const TZefEditPrintMargins& margins)
{
    margins_.Assign(margins);
    margins_.SetUnitSystem(usMM);
    update();
}

void TZefPagePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double scale = std::min((width() - 12) / kSheetWidthMM, (height() - 12) / kSheetHeightMM);
    const QRectF sheet((width() - kSheetWidthMM * scale) / 2, (height() - kSheetHeightMM * scale) / 2,
                       kSheetWidthMM * scale, kSheetHeightMM * scale);
    painter.fillRect(sheet.translated(4, 4), palette().color(QPalette::Dark));
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet);

    // Distances held inside the sheet, so that odd numbers still draw a picture.
    const auto x = [&](double mm) { return sheet.left() + std::clamp(mm, 0.0, kSheetWidthMM) * scale; };
    const auto y = [&](double mm) { return sheet.top() + std::clamp(mm, 0.0, kSheetHeightMM) * scale; };
    const double left = margins_.Left() + margins_.Gutter();
    const QRectF text(QPointF(x(left), y(margins_.Top())),
                      QPointF(x(kSheetWidthMM - margins_.Right()), y(kSheetHeightMM - margins_.Bottom())));
    painter.fillRect(text.normalized(), QColor(0xE8, 0xE8, 0xE8));
    painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    painter.drawRect(text.normalized());
    painter.setPen(QPen(Qt::darkBlue, 1, Qt::DotLine));
    painter.drawLine(QPointF(text.left(), y(margins_.Header())), QPointF(text.right(), y(margins_.Header())));
    const double footer = y(kSheetHeightMM - margins_.Footer());
    painter.drawLine(QPointF(text.left(), footer), QPointF(text.right(), footer));
    if (margins_.Gutter() > 0)
        painter.fillRect(QRectF(QPointF(sheet.left(), sheet.top()), QPointF(x(margins_.Gutter()), sheet.bottom())),
                         QColor(0xD0, 0xD8, 0xF0));
}
