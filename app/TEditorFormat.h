// The program's one set of formatter settings, which the documents' Set… operations fill.
#pragma once

#include "ZefTextFormatter.h"

TZefFormatSettings& ZefFormatterSettings();
// The reset before the "General +" dialog opens: no joining, no indents, no align character, no blank-line
// compression (keeping 1), and the given maximum line length.
void ZefResetGeneralPlusSettings(int maxLineLength);
