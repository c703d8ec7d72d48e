// Where a print job goes: a document of pages with a canvas. The PDF writer is one such target; the windows
// add the system's printer. A target that drives a real printer sets the printer's own copy count to 1,
// because the engine makes the copies itself (otherwise N copies would come out N times N).
#pragma once

#include "ZefEditPrinterInfo.h"
#include "ZefPrintCanvas.h"

#include <string>

class TZefPrintTarget {
public:
    virtual ~TZefPrintTarget() = default;

    // The device's page metrics, read before the job begins.
    virtual TZefEditPrinterInfo Metrics() const = 0;
    // Each answers false on failure and leaves the reason in ErrorText.
    virtual bool BeginDocument(const std::string& jobName) = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDocument() = 0;
    // Valid between BeginDocument and EndDocument; its origin is the printable area's top-left corner.
    virtual TZefPrintCanvas& Canvas() = 0;
    virtual std::string ErrorText() const = 0;
};
