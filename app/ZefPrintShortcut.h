// Ctrl+P, the main window's print key, and whether a document's editor claims it for a command of its own.
#pragma once
#include <QKeySequence>

class QKeyEvent;
class TCustomZefEdit;

QKeySequence ZefPrintShortcut();
// True when `event` is Ctrl+P and the editor's keystroke table maps that key: then the editor gets it.
bool ZefEditorClaimsPrintKey(TCustomZefEdit& edit, const QKeyEvent& event);
