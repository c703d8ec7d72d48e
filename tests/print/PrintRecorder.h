// A canvas that writes down what the engine draws, one line per operation, so a page is checked as text.
#pragma once

#include "ZefPrintCanvas.h"
#include "ZefPrintTarget.h"

#include <string>
#include <vector>

struct TRecordedGrid {
    int X = 0;
    int Baseline = 0;
    std::string Bytes;
    int Advance = 0;
    bool Bold = false;
    bool Italic = false;
    QColor Color;
};

class TPrintRecorder : public TZefPrintCanvas {
public:
    std::vector<std::string> Operations;
    std::vector<TRecordedGrid> Grids;    // the text rows, in drawing order
    std::vector<std::pair<QPoint, QString>> Texts; // header, footer and line numbers

    void FillRect(const QRect& rect, const QColor& color) override
    {
        Operations.push_back("fill " + Rect(rect) + " " + color.name().toStdString());
    }
    void DrawRectangle(const QRect& rect, const QColor& lineColor, int, const QColor& fillColor) override
    {
        Operations.push_back("rect " + Rect(rect) + " line " + (lineColor.isValid() ? lineColor.name().toStdString() : "none") +
                             " fill " + (fillColor.isValid() ? fillColor.name().toStdString() : "none"));
    }
    void DrawLine(int x1, int y1, int x2, int y2, const QColor& color, int) override
    {
        Operations.push_back("line " + std::to_string(x1) + "," + std::to_string(y1) + "-" + std::to_string(x2) + "," +
                             std::to_string(y2) + " " + color.name().toStdString());
    }
    void DrawText(int x, int baseline, const QString& text, const QFont&, const QColor& color) override
    {
        Texts.emplace_back(QPoint(x, baseline), text);
        Operations.push_back("text " + std::to_string(x) + "," + std::to_string(baseline) + " \"" + text.toStdString() +
                             "\" " + color.name().toStdString());
    }
    void DrawGridText(int x, int baseline, std::string_view bytes, int advance, const QFont& font,
                      const QColor& color) override
    {
        Grids.push_back({x, baseline, std::string(bytes), advance, font.bold(), font.italic(), color});
        Operations.push_back("grid " + std::to_string(x) + "," + std::to_string(baseline) + " \"" + std::string(bytes) +
                             "\"" + (font.bold() ? " bold" : "") + (font.italic() ? " italic" : "") + " " +
                             color.name().toStdString());
    }

    // Every text row's bytes joined in drawing order.
    std::string AllGridText() const
    {
        std::string all;
        for (const TRecordedGrid& grid : Grids) all += grid.Bytes;
        return all;
    }

private:
    static std::string Rect(const QRect& r)
    {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height());
    }
};

// A print target that records pages instead of printing them; it can be told to fail at a step.
class TRecordingTarget : public TZefPrintTarget {
public:
    TZefEditPrinterInfo Info;
    std::vector<TPrintRecorder> Pages;
    std::string JobName;
    bool FailBegin = false;
    int FailNewPageAt = -1; // 0-based index of the page whose start fails
    bool FailEnd = false;
    bool Ended = false;

    TZefEditPrinterInfo Metrics() const override { return Info; }
    bool BeginDocument(const std::string& jobName) override
    {
        JobName = jobName;
        if (FailBegin) return false;
        Pages.emplace_back();
        return true;
    }
    bool NewPage() override
    {
        if (static_cast<int>(Pages.size()) == FailNewPageAt) return false;
        Pages.emplace_back();
        return true;
    }
    bool EndDocument() override
    {
        Ended = true;
        return !FailEnd;
    }
    TZefPrintCanvas& Canvas() override { return Pages.back(); }
    std::string ErrorText() const override { return "device failure"; }
};
