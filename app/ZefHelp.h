// "Text Editor &Help": the help page of the program (installed or beside it), opened in the desktop's browser.
#pragma once

#include <QString>

// appDir ends in a path delimiter; the page is "help/txtedhelp.htm" of the program's data (ZefDataFilePath).
QString ZefHelpFilePath(const QString& appDir);

// Opens the help page through the desktop. A missing page gives a beep and an information box; a page the
// desktop cannot open gives a beep and an error box.
void ZefOpenHelp(const QString& appDir);
