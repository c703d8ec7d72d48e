// The page of the page setup dialog's margins tab: a sheet with the text area, header and footer lines drawn
// at the margins being entered.
#pragma once

#include "ZefEditPrintMargins.h"

#include <QWidget>

class TZefPagePicture : public QWidget {
public:
    explicit TZefPagePicture(QWidget* parent = nullptr);

    // Millimetres; the picture redraws.
    void SetMargins(const TZefEditPrintMargins& margins);

    QSize sizeHint() const override { return {170, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZefEditPrintMargins margins_;
};
