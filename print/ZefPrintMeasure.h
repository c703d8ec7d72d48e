// Text measurement at a device's resolution without the device: an image of that resolution gives the same
// font metrics as the PDF writer or the printer, and needs no display.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>

class TZefPrintMeasure {
public:
    explicit TZefPrintMeasure(int pixelsPerInch);

    int PixelsPerInch() const { return pixelsPerInch_; }
    QFontMetrics Metrics(const QFont& font) const { return QFontMetrics(font, &image_); }
    QPaintDevice* Device() { return &image_; }

private:
    int pixelsPerInch_;
    QImage image_;
};
