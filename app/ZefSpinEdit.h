// A number box whose arrows stay inside its range while typing is not limited to it, so that a dialog can
// refuse an out-of-range number with its own message instead of the box silently keeping the old value.
#pragma once

#include <QSpinBox>

class TZefSpinEdit : public QSpinBox {
public:
    explicit TZefSpinEdit(QWidget* parent = nullptr);

    // The range the arrows and the wheel keep to; typed numbers of up to six digits are accepted as typed.
    void SetArrowRange(int minimum, int maximum);
    int ArrowMinimum() const { return arrowMinimum_; }
    int ArrowMaximum() const { return arrowMaximum_; }
    // The number as typed so far (what is in the box now, even before it loses the focus).
    int TypedValue();

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int arrowMinimum_ = 0;
    int arrowMaximum_ = 99;
};
