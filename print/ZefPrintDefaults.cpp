// The print window's starting settings.
#include "ZefPrintDefaults.h"

#include "ZefEditPrint.h"

void ApplyPrintWindowDefaults(TZefEditPrint& engine)
{
    TZefPrintFont arial;
    arial.Name = "Arial";
    arial.Size = 10;
    TZefPrintFont small = arial;
    small.Size = 6;

    THeader& header = engine.Header();
    header.Clear();
    header.SetFrameTypes(ftBox | ftShaded);
    header.SetDefaultFont(arial);
    header.Add("", nullptr, taLeftJustify, 1);
    header.Add("Page: $PAGENUM$ of $PAGECOUNT$", nullptr, taRightJustify, 1);
    header.Add("$TITLE$", nullptr, taLeftJustify, 2);
    header.Add("Print Date: $DATE$. Time: $TIME$", &small, taRightJustify, 2);

    TFooter& footer = engine.Footer();
    footer.Clear();
    footer.SetFrameTypes(ftLine);
    footer.SetDefaultFont(arial);
    footer.Add("$PAGENUM$/$PAGECOUNT$", nullptr, taRightJustify, 1);
    footer.Add("", &small, taLeftJustify, 1);

    engine.Margins().Assign(TZefEditPrintMargins());
    engine.SetColors(true);
    engine.SetWrap(true);
    engine.SetHighlight(true);
    engine.SetTabWidth(8);
    engine.SetColor(clWhite);
    engine.SetLineNumbers(false);
}
