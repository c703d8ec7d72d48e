// Painting the colour sample.
#include "ZefColorSample.h"

#include "ZefPrintFont.h"

#include <QPainter>

TZefColorSample::TZefColorSample(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(24, 16);
}

void TZefColorSample::SetColor(TColor color)
{
    color_ = color;
    update();
}

void TZefColorSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(1, 1, -2, -2);
    painter.fillRect(box, PrintColor(color_));
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(box);
}
