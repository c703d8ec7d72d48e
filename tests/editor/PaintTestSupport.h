// Helpers for the painting tests: a shown control with a sized text area, its rendered pixels and cell geometry.
#pragma once

#include "ZefEditTestSupport.h"

#include <QImage>
#include <QWidget>

#include <string>

// A shown control holding text on a white background, its text area columns x rows cells.
inline std::unique_ptr<TZefEdit> MakeShownEdit(const std::string& text, int columns = 20, int rows = 6)
{
    auto edit = MakeEdit(text);
    edit->SetColor(clWhite);
    SizeTextArea(*edit, columns, rows);
    return edit;
}

// What the user sees in the control's client area (gutter and text, without the scroll bars).
inline QImage Rendered(TCustomZefEdit& edit)
{
    return edit.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixel rectangle of the cell at display column / row (both from 1) in the client area.
inline QRect CellRect(const TCustomZefEdit& edit, int column, int row)
{
    return QRect(edit.ColumnToX(column), (row - edit.TopVisibleLine()) * edit.RowHeight(), edit.CellWidth(),
                 edit.RowHeight());
}

// True when some pixel of rect differs from background.
inline bool HasInk(const QImage& image, const QRect& rect, QRgb background)
{
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background) return true;
    return false;
}

// One character per cell of a row: '#' when the cell holds ink on background, '.' when it is blank.
inline std::string InkMap(const TCustomZefEdit& edit, const QImage& image, int row, int firstColumn, int lastColumn,
                          QRgb background = qRgb(255, 255, 255))
{
    std::string map;
    for (int column = firstColumn; column <= lastColumn; ++column)
        map += HasInk(image, CellRect(edit, column, row), background) ? '#' : '.';
    return map;
}

inline std::string InvalidationsDump(const TCustomZefEdit& edit)
{
    std::string dump;
    for (const TZefInvalidation& item : edit.RecordedInvalidations()) {
        if (!dump.empty()) dump += ' ';
        dump += (item.Gutter ? "g" : "t") + std::to_string(item.First) + "-" + std::to_string(item.Last);
    }
    return dump;
}
