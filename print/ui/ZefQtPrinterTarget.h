// A print job on the system's printer (or Qt's PDF pseudo-printer) through QPrinter. The engine makes the
// copies itself, so the printer's own copy count is held at 1.
#pragma once
#include "ZefPrintTarget.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

class TZefQtPrinterTarget : public TZefPrintTarget {
public:
    explicit TZefQtPrinterTarget(QPrinter& printer) : printer_(printer) {}
    // The printer's paper, printable area and resolution, as the engine and the preview measure with.
    static TZefEditPrinterInfo MetricsOf(QPrinter& printer);

    TZefEditPrinterInfo Metrics() const override { return MetricsOf(printer_); }
    bool BeginDocument(const std::string& jobName) override;
    bool NewPage() override;
    bool EndDocument() override;
    TZefPrintCanvas& Canvas() override { return *canvas_; }
    std::string ErrorText() const override { return error_; }

private:
    QPrinter& printer_;
    QPainter painter_;
    std::unique_ptr<TZefPainterCanvas> canvas_;
    std::string error_;
};
