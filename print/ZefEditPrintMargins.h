// Page margins kept in millimetres, read and written in a chosen unit, laid out in device pixels per page.
#pragma once

#include "ZefEditPrinterInfo.h"

#include <cstdint>

enum TUnitSystem : uint8_t { usMM, usCM, usInch, muThousandthsOfInches };

// One page's margins in device pixels, relative to the printable area's top-left corner.
struct TZefPageMargins {
    int PixLeft = 0;
    int PixRight = 0;
    int PixTop = 0;
    int PixBottom = 0;
    int PixHeader = 0;
    int PixFooter = 0;
    int PixLeftHFTextIndent = 0;
    int PixRightHFTextIndent = 0;
    int PixHFInternalMargin = 0;

    int TextWidth() const { return PixRight - PixLeft; }
    int TextHeight() const { return PixBottom - PixTop; }
};

class TZefEditPrintMargins {
public:
    // Value in millimetres <-> value in `unit`.
    static double FromMM(double mm, TUnitSystem unit);
    static double ToMM(double value, TUnitSystem unit);

    TUnitSystem UnitSystem() const { return unitSystem_; }
    // Changes only how the distances are read and written, never a stored distance.
    void SetUnitSystem(TUnitSystem value);

    // Distances in UnitSystem.
    double Left() const { return FromMM(left_, unitSystem_); }
    double Right() const { return FromMM(right_, unitSystem_); }
    double Top() const { return FromMM(top_, unitSystem_); }
    double Bottom() const { return FromMM(bottom_, unitSystem_); }
    double Header() const { return FromMM(header_, unitSystem_); }
    double Footer() const { return FromMM(footer_, unitSystem_); }
    double LeftHFTextIndent() const { return FromMM(leftHFTextIndent_, unitSystem_); }
    double RightHFTextIndent() const { return FromMM(rightHFTextIndent_, unitSystem_); }
    double HFInternalMargin() const { return FromMM(hfInternalMargin_, unitSystem_); }
    double Gutter() const { return FromMM(gutter_, unitSystem_); }
    void SetLeft(double value) { Store(left_, value); }
    void SetRight(double value) { Store(right_, value); }
    void SetTop(double value) { Store(top_, value); }
    void SetBottom(double value) { Store(bottom_, value); }
    void SetHeader(double value) { Store(header_, value); }
    void SetFooter(double value) { Store(footer_, value); }
    void SetLeftHFTextIndent(double value) { Store(leftHFTextIndent_, value); }
    void SetRightHFTextIndent(double value) { Store(rightHFTextIndent_, value); }
    void SetHFInternalMargin(double value) { Store(hfInternalMargin_, value); }
    void SetGutter(double value) { Store(gutter_, value); }

    bool MirrorMargins() const { return mirrorMargins_; }
    void SetMirrorMargins(bool value);

    // Copies the ten distances, MirrorMargins and UnitSystem.
    void Assign(const TZefEditPrintMargins& source);

    // The pixel margins of page `pageNumber` (from 1): mirrored on even pages when MirrorMargins is on; with
    // line numbers beside the text the left edge moves right by `lineNumberWidth` (the width of the widest
    // number and ": "). Every edge is clamped into the printable area, so a margin inside the unprintable
    // strip prints at the strip's edge; the text area may still be empty (left >= right), which the engine
    // refuses.
    TZefPageMargins LayoutPage(int pageNumber, const TZefEditPrinterInfo& info, bool lineNumbers,
                               bool lineNumbersInMargin, int lineNumberWidth) const;

    // Grows with every change, so a cached layout can tell whether it is stale.
    uint64_t Revision() const { return revision_; }

private:
    void Store(double& field, double value);

    double left_ = 25;
    double right_ = 15;
    double top_ = 25;
    double bottom_ = 25;
    double header_ = 15;
    double footer_ = 15;
    double leftHFTextIndent_ = 2;
    double rightHFTextIndent_ = 2;
    double hfInternalMargin_ = 0.5;
    double gutter_ = 0;
    bool mirrorMargins_ = false;
    TUnitSystem unitSystem_ = usMM;
    uint64_t revision_ = 0;
};
