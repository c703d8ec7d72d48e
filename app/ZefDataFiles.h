// Where the program's own data files (the help page, the save sound) are found.
#pragma once

#include <QString>

// The data folder of an installed program relative to the folder the program is in.
#ifndef ZEFRA_DATA_FROM_BIN
#define ZEFRA_DATA_FROM_BIN "../share/zefra"
#endif

// The file `relative` ("help/txtedhelp.htm") of the program whose folder is appDir (ending in a path
// delimiter): installed, the data lives in <prefix>/share/zefra beside <prefix>/bin, so that is looked at
// first; a build tree has the files beside the program, which is also the answer when neither exists (the
// caller reports the missing file under the name it looked for last).
QString ZefDataFilePath(const QString& appDir, const QString& relative);
