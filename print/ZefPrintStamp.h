// The date and time a print job shows: the locale's short date and long time, without a time-zone suffix.
#pragma once

#include "ZefEditPrintHeaderFooter.h"

#include <QDateTime>
#include <QLocale>

TZefJobStamp MakeJobStamp(const QDateTime& when, const QLocale& locale = QLocale::system());
