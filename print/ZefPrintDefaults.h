// The settings the print window's engine starts with: frames, fonts, options and the header and footer items.
#pragma once

class TZefEditPrint;

// Header boxed and shaded, footer with a line; both default fonts Arial 10 point black; default margins;
// colours, wrap and highlighting on; tab width 8; white background; no line numbers; and the items
// "Page: $PAGENUM$ of $PAGECOUNT$", "$TITLE$", "Print Date: $DATE$. Time: $TIME$" (6 point) in the header
// and "$PAGENUM$/$PAGECOUNT$" in the footer.
void ApplyPrintWindowDefaults(TZefEditPrint& engine);
