// Formatting the job's date and time.
#include "ZefPrintStamp.h"

#include "CodePage1252.h"

namespace {

// The locale's long time format with its time-zone fields ("t", outside quoted text) taken out: a printed
// page shows the wall-clock time only.
QString WithoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        result += c;
    }
    return result.trimmed();
}

// Locales may put narrow or thin no-break spaces into times and dates; the code page has only the plain ones.
std::string Bytes(QString text)
{
    text.replace(QChar(0x202F), QLatin1Char(' '));
    text.replace(QChar(0x2009), QLatin1Char(' '));
    return cp1252::FromUtf16(text.toStdU16String());
}

} // namespace

TZefJobStamp MakeJobStamp(const QDateTime& when, const QLocale& locale)
{
    TZefJobStamp stamp;
    stamp.Date = Bytes(locale.toString(when.date(), QLocale::ShortFormat));
    stamp.Time = Bytes(locale.toString(when.time(), WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))));
    return stamp;
}
