// Helpers for the editor control's widget tests: a control with text, a sized text area and state dumps.
#pragma once

#include "ZefEdit.h"
#include "ZefEditTextBuffer.h"

#include <QCoreApplication>

#include <memory>
#include <sstream>
#include <string>

inline std::string Pos(TBufferCoord p)
{
    return "(" + std::to_string(p.Char) + "," + std::to_string(p.Line) + ")";
}

// Caret and both selection ends in one string: "caret (x,y) sel (x,y)-(x,y)".
inline std::string CaretDump(const TCustomZefEdit& edit)
{
    return "caret " + Pos(edit.CaretPos()) + " sel " + Pos(edit.SelAnchor()) + "-" + Pos(edit.SelHead());
}

// The lines joined by '|', so a whole document compares as one short string.
inline std::string LinesDump(const TCustomZefEdit& edit)
{
    std::string result;
    for (int i = 0; i < edit.Lines()->Count(); ++i) {
        if (i > 0) result += '|';
        result += edit.Lines()->GetLine(i);
    }
    return result;
}

// Shows the control and sizes it so that its text area holds exactly columns x rows cells.
inline void SizeTextArea(TCustomZefEdit& edit, int columns, int rows)
{
    edit.show();
    QCoreApplication::processEvents();
    const int extraWidth = edit.width() - edit.viewport()->width();
    const int extraHeight = edit.height() - edit.viewport()->height();
    edit.resize(extraWidth + edit.GutterPixels() + 2 + columns * edit.CellWidth(), extraHeight + rows * edit.RowHeight());
    QCoreApplication::processEvents();
}

// A control holding text (lines separated by CR LF / LF), caret at (1, 1), nothing selected, unmodified.
inline std::unique_ptr<TZefEdit> MakeEdit(const std::string& text = {})
{
    auto edit = std::make_unique<TZefEdit>();
    edit->SetText(text);
    return edit;
}
