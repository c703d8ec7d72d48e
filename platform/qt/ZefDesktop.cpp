// The process-wide desktop accessor, the shared report helpers and the dialog filter conversion.
#include "ZefDesktop.h"

#include "ZefQtDesktop.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace {

TZefDesktop* installedDesktop = nullptr;

TZefDesktop& BuiltInDesktop()
{
    // Made on first use so that a program or test that installs its own desktop never needs a real one.
    static TZefQtDesktop desktop;
    return desktop;
}

QStringList SplitPatterns(const QString& patterns)
{
    QStringList result;
    for (const QString& part : patterns.split(QLatin1Char(';'))) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            result.append(trimmed);
    }
    return result;
}

} // namespace

std::vector<TZefFileFilter> ZefSplitFileFilter(const QString& filter)
{
    std::vector<TZefFileFilter> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        TZefFileFilter entry;
        entry.description = parts[i].trimmed();
        if (i + 1 < parts.size())
            entry.patterns = SplitPatterns(parts[i + 1]);
        if (entry.description.isEmpty() && entry.patterns.isEmpty())
            continue;
        if (entry.patterns.isEmpty())
            entry.patterns.append(QStringLiteral("*"));
        if (entry.description.isEmpty())
            entry.description = entry.patterns.join(QLatin1Char(';'));
        result.push_back(std::move(entry));
    }
    return result;
}

QStringList ZefQtNameFilters(const QString& filter)
{
    QStringList result;
    for (const TZefFileFilter& entry : ZefSplitFileFilter(filter)) {
        // "*.*" means every file to Windows but only names with a dot to Qt.
        QStringList patterns = entry.patterns;
        for (QString& pattern : patterns)
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        const QString spaced = patterns.join(QLatin1Char(' '));
        const QString suffix = QStringLiteral("(") + spaced + QStringLiteral(")");
        // The description often repeats the patterns in parentheses, separated by spaces, ";" or ","; they are
        // replaced, not doubled.
        QString description = entry.description;
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            const QString inner = description.mid(open + 1, description.size() - open - 2);
            static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
            const QStringList listed = inner.split(separators, Qt::SkipEmptyParts);
            if (listed.size() == entry.patterns.size() &&
                std::equal(listed.begin(), listed.end(), entry.patterns.begin(),
                           [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }))
                description = description.left(open).trimmed();
        }
        result.append(description + QStringLiteral(" ") + suffix);
    }
    return result;
}

void TZefDesktop::ErrorBox(const QString& caption, const QString& text)
{
    ShowMessageBox({caption, text, TZefMsgIcon::miError, mbOk, mbOk});
}

void TZefDesktop::InformationBox(const QString& caption, const QString& text)
{
    ShowMessageBox({caption, text, TZefMsgIcon::miInformation, mbOk, mbOk});
}

TZefDesktop& ZefDesktop()
{
    return installedDesktop != nullptr ? *installedDesktop : BuiltInDesktop();
}

TZefDesktop* SetZefDesktop(TZefDesktop* desktop)
{
    TZefDesktop* previous = installedDesktop;
    installedDesktop = desktop;
    return previous;
}
