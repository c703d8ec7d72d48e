// The editor control's appearance properties, each repainting only what it changes, and the caret's shape.
#include "ZefEdit.h"

#include "ZefEditTextBuffer.h"

#include <QApplication>
#include <QInputMethod>
#include <QTimer>

#include <algorithm>

void TCustomZefEdit::SetColor(TColor value)
{
    if (value == color_) return;
    color_ = value;
    viewport()->update();
}

void TCustomZefEdit::SetFontColor(TColor value)
{
    if (value == fontColor_) return;
    fontColor_ = value;
    InvalidateRows(-1, -1);
}

void TCustomZefEdit::SetActiveLineColor(TColor value)
{
    if (value == activeLineColor_) return;
    activeLineColor_ = value;
    InvalidateRows(caret_.Line, caret_.Line);
}

void TCustomZefEdit::SetRightEdge(int value)
{
    if (value == rightEdge_) return;
    rightEdge_ = value;
    InvalidateRows(-1, -1);
}

void TCustomZefEdit::SetRightEdgeColor(TColor value)
{
    if (value == rightEdgeColor_) return;
    rightEdgeColor_ = value;
    if (rightEdge_ > 0)
        viewport()->update(QRect(rightEdge_ * cellWidth_ + TextOriginX() - 1, 0, 2, viewport()->height()));
}

void TCustomZefEdit::SetExtraLineSpacing(int value)
{
    if (value == extraLineSpacing_) return;
    extraLineSpacing_ = value;
    MeasureFont();
    LayoutChanged(true);
}

void TCustomZefEdit::SetSelectedColor(TZefSelectedColor value)
{
    if (value.Background == selectedColor_.Background && value.Foreground == selectedColor_.Foreground) return;
    selectedColor_ = value;
    if (HasSelection()) InvalidateRows(SelFirst().Line, SelLast().Line);
}

void TCustomZefEdit::SetHideSelection(bool value)
{
    if (value == hideSelection_) return;
    hideSelection_ = value;
    if (HasSelection()) InvalidateRows(SelFirst().Line, SelLast().Line);
}

void TCustomZefEdit::SetInsertCaret(TZefCaretType value)
{
    if (value == insertCaret_) return;
    insertCaret_ = value;
    UpdateCaret();
}

void TCustomZefEdit::SetOverwriteCaret(TZefCaretType value)
{
    if (value == overwriteCaret_) return;
    overwriteCaret_ = value;
    UpdateCaret();
}

void TCustomZefEdit::SetBookMarkOptions(TZefBookmarkOptions value)
{
    bookmarkOptions_ = value;
    InvalidateGutterRows(-1, -1);
}

void TCustomZefEdit::SetCaretAlwaysShown(bool value)
{
    if (value == caretAlwaysShown_) return;
    caretAlwaysShown_ = value;
    UpdateCaret();
}

QRect TCustomZefEdit::CaretRect() const
{
    if (options_.Contains(eoNoCaret) || (!hasFocus() && !caretAlwaysShown_) || cellWidth_ <= 0) return QRect();
    const TZefCaretType shape = insertMode_ ? insertCaret_ : overwriteCaret_;
    QRect rect;
    switch (shape) {
    case ctVerticalLine: rect = QRect(-1, 0, 2, rowHeight_ - 2); break;
    case ctHorizontalLine: rect = QRect(0, rowHeight_ - 2, cellWidth_, 2); break;
    case ctHalfBlock: {
        const int height = (rowHeight_ - 2) / 2;
        rect = QRect(0, height, cellWidth_, height);
        break;
    }
    case ctBlock: rect = QRect(0, 0, cellWidth_, rowHeight_ - 2); break;
    }
    const TDisplayCoord position = BufferToDisplayPos(caret_);
    rect.translate(ColumnToX(position.Column), (position.Row - topLine_) * rowHeight_ + 1);
    // Shown only while its point lies in the text area.
    if (rect.x() < gutterPixels_ || rect.x() >= viewport()->width() || rect.y() < 0 ||
        rect.y() >= viewport()->height())
        return QRect();
    return rect;
}

QVariant TCustomZefEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query != Qt::ImCursorRectangle) return QAbstractScrollArea::inputMethodQuery(query);
    const QRect caret = CaretRect();
    if (caret.isNull()) return QRect();
    return QRect(viewport()->mapTo(this, caret.topLeft()), caret.size());
}

void TCustomZefEdit::UpdateCaret()
{
    if (!caretDrawn_.isNull()) viewport()->update(caretDrawn_);
    const QRect caret = CaretRect();
    if (caret.isNull()) return;
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    viewport()->update(caret);
    caretBlinkOn_ = true;
    if (caretTimer_ == nullptr) {
        caretTimer_ = new QTimer(this);
        connect(caretTimer_, &QTimer::timeout, this, [this] { CaretBlink(); });
    }
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0 && !caretTimer_->isActive()) caretTimer_->start(flash / 2);
}

void TCustomZefEdit::CaretBlink()
{
    const QRect caret = CaretRect();
    if (caret.isNull()) {
        caretTimer_->stop();
        if (!caretDrawn_.isNull()) viewport()->update(caretDrawn_);
        return;
    }
    caretBlinkOn_ = !caretBlinkOn_;
    viewport()->update(caret);
}
