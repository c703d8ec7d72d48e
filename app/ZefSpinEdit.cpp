// The number box of the small dialogs.
#include "ZefSpinEdit.h"

#include <algorithm>

namespace {
constexpr int TypedLimit = 999999;
}

TZefSpinEdit::TZefSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setRange(-TypedLimit, TypedLimit);
    setAccelerated(true);
}

void TZefSpinEdit::SetArrowRange(int minimum, int maximum)
{
    arrowMinimum_ = minimum;
    arrowMaximum_ = maximum;
}

int TZefSpinEdit::TypedValue()
{
    interpretText();
    return value();
}

void TZefSpinEdit::stepBy(int steps)
{
    const int current = TypedValue();
    setValue(std::clamp(current + steps, arrowMinimum_, arrowMaximum_));
    selectAll();
}

QAbstractSpinBox::StepEnabled TZefSpinEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < arrowMaximum_)
        enabled |= StepUpEnabled;
    if (value() > arrowMinimum_)
        enabled |= StepDownEnabled;
    return enabled;
}
