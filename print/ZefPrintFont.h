// A device-independent font description (face, point size, styles, colour) and its Qt font for a device.
#pragma once

#include "ZefGraphicsTypes.h"

#include <QColor>
#include <QFont>

#include <string>

struct TZefPrintFont {
    std::string Name = "Arial";   // code-page bytes
    double Size = 10;             // points
    TFontStyles Style = 0;
    TColor Color = clBlack;

    // The font for a device of `pixelsPerInch`: sized in that device's pixels, so that the same figures come
    // out on an image, a PDF writer or a printer of that resolution, whatever the screen's resolution.
    QFont ToQFont(int pixelsPerInch) const;
    static TZefPrintFont FromQFont(const QFont& font, TColor color = clBlack);

    bool operator==(const TZefPrintFont&) const = default;
};

// A colour as it prints: RGB as given; system colours take their classic light-theme values, never the
// desktop's theme, so a dark desktop still prints dark text on white paper. clNone/clDefault give `fallback`.
QColor PrintColor(TColor color, QColor fallback = Qt::black);
