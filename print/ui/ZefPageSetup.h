// Running the "Page Setup" dialog on a print engine, and the saved header and footer texts the print window
// takes at start.
#pragma once

#include <QString>

class QWidget;
class TZefEditPrint;
class TZefSettingsStore;

// Shows the dialog modally through the desktop, filled from `engine`. OK stores every value in the engine (the
// dialog stays open while a number field holds no number); Cancel, Esc and the close box leave the engine
// as it was. Answers whether the engine was changed. `headFootFolder`: where the dialog's Load and Save keep
// the section texts (empty: ZefHeadFootFolder()).
bool ZefRunPageSetup(TZefEditPrint& engine, QWidget* parent = nullptr, const QString& headFootFolder = QString());

// The per-user value that asks for the saved texts at start ("1": load them).
inline constexpr const char* kZefCheckKeepText = "CheckKeepText";

// At the print window's start: when the settings' CheckKeepText is "1" and the folder holds saved section
// texts, they replace the engine's header and footer items (frames, colours and options stay). A folder
// without any of the six files leaves the built-in header and footer. Answers whether anything was loaded.
bool ZefLoadKeptHeaderFooter(TZefEditPrint& engine, const TZefSettingsStore& settings,
                             const QString& headFootFolder = QString());
