// "Text Editor &Help": the help page beside the program, opened in the desktop's browser.
#pragma once

#include <QString>

// appDir ends in a path delimiter; the page is "help/txtedhelp.htm" below it.
QString ZefHelpFilePath(const QString& appDir);

// Opens the help page through the desktop. A missing page gives a beep and an information box; a page the
// desktop cannot open gives a beep and an error box.
void ZefOpenHelp(const QString& appDir);
