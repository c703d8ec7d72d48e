// A colour sample of the page setup dialog: a box filled with its colour and outlined with a dotted line.
#pragma once

#include "ZefGraphicsTypes.h"

#include <QWidget>

class TZefColorSample : public QWidget {
public:
    explicit TZefColorSample(QWidget* parent = nullptr);

    // The colour as the print engine knows it (a system colour stays one).
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    QSize sizeHint() const override { return {40, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor color_ = clBlack;
};
