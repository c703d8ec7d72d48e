// Command-line parsing: options through QCommandLineParser, files and line numbers by hand so that every
// name keeps its bytes and its place.
#include "ZefCommandLine.h"

#include "ZefAppInfo.h"
#include "ZefFilePath.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace {

const QCommandLineOption& HelpOption()
{
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits."));
    return option;
}

const QCommandLineOption& VersionOption()
{
    static const QCommandLineOption option({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Shows the program's version and exits."));
    return option;
}

const QCommandLineOption& NewWindowOption()
{
    static const QCommandLineOption option(QStringLiteral("new-window"),
                                           QStringLiteral("Opens the files in a new window even when the editor is "
                                                          "already running."));
    return option;
}

// Single-dash words are long options ("-help" is --help), so a name such as "-reverse" is never read as a
// cluster of one-letter options.
void DefineOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromLatin1(ZefAppTitle));
    parser.addOption(HelpOption());
    parser.addOption(VersionOption());
    parser.addOption(NewWindowOption());
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Files to open, each in its own document; the last one is active. "
                                                "+N before a file, or FILE:N, puts the caret on line N."),
                                 QStringLiteral("[[+N] file[:N]...]"));
}

bool IsOptionName(const QString& name)
{
    for (const QCommandLineOption* option : {&HelpOption(), &VersionOption(), &NewWindowOption()})
        if (option->names().contains(name))
            return true;
    return false;
}

// "-x", "--x" or "--x=value" naming one of the program's options.
bool IsKnownOption(const QString& argument)
{
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    name = name.section(QLatin1Char('='), 0, 0);
    return IsOptionName(name);
}

// A line number as typed: digits only; past the largest int it is the largest int (the caret stops at the
// last line anyway). Line 0 is line 1.
std::optional<int> LineNumber(const QString& digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = std::min<long long>(value * 10 + (c.unicode() - '0'), std::numeric_limits<int>::max());
    }
    return std::max<int>(static_cast<int>(value), 1);
}

// "+N": the line for the next file.
std::optional<int> LineMarker(const QString& argument)
{
    if (!argument.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return LineNumber(argument.mid(1));
}

QString Quoted(const QString& argument) { return QLatin1Char('"') + argument + QLatin1Char('"'); }

// Why a name is not a file the program can open, for standard error.
QString NotAFileReason(const TZefFileStatus& status)
{
    if (status.directory)
        return QStringLiteral("is a folder");
    if (status.exists)
        return QStringLiteral("is not a regular file");
    if (status.Missing())
        return QStringLiteral("no such file");
    return QString::fromLocal8Bit(std::strerror(status.error));
}

struct TPositional {
    QString text;
    bool literal = false; // after "--": a plain file name
};

class TFileCollector {
public:
    explicit TFileCollector(TZefCommandLine& result) : result_(result) {}

    void Add(const TPositional& argument)
    {
        if (!argument.literal) {
            if (const std::optional<int> line = LineMarker(argument.text)) {
                DropPendingLine();
                pendingLine_ = *line;
                pendingMarker_ = argument.text;
                return;
            }
        }
        const QString path = ZefAbsolutePath(argument.text);
        const TZefFileStatus status = ZefStatFile(path);
        if (status.regular) {
            result_.files.push_back({path, pendingLine_});
        } else if (const std::optional<TZefCommandLineFile> withLine = FileWithLineSuffix(argument.text)) {
            result_.files.push_back(*withLine);
        } else {
            result_.errors << Quoted(argument.text) + QStringLiteral(": ") + NotAFileReason(status) +
                                  QStringLiteral(", ignored");
        }
        pendingLine_ = 0;
        pendingMarker_.clear();
    }

    void Finish() { DropPendingLine(); }

private:
    // "FILE:N" where FILE is an existing file.
    static std::optional<TZefCommandLineFile> FileWithLineSuffix(const QString& argument)
    {
        const qsizetype colon = argument.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0)
            return std::nullopt;
        const std::optional<int> line = LineNumber(argument.mid(colon + 1));
        if (!line)
            return std::nullopt;
        const QString path = ZefAbsolutePath(argument.left(colon));
        if (!ZefIsRegularFile(path))
            return std::nullopt;
        return TZefCommandLineFile{path, *line};
    }

    void DropPendingLine()
    {
        if (pendingLine_ > 0)
            result_.errors << Quoted(pendingMarker_) + QStringLiteral(": no file follows, ignored");
        pendingLine_ = 0;
        pendingMarker_.clear();
    }

    TZefCommandLine& result_;
    int pendingLine_ = 0;
    QString pendingMarker_;
};

} // namespace

QList<QByteArray> ZefCommandLineArguments(int argc, const char* const* argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc && argv[i]; ++i)
        arguments << QByteArray(argv[i]);
    return arguments;
}

TZefCommandLine ZefParseCommandLine(const QList<QByteArray>& arguments)
{
    TZefCommandLine result;
    // The options go to QCommandLineParser; the files stay here in their order, each marked literal when it
    // came after "--", so that "+N" and names that look like options keep their meaning.
    QStringList options{arguments.isEmpty() ? QStringLiteral("zefraed") : ZefPathFromBytes(arguments.first())};
    std::vector<TPositional> positionals;
    bool literal = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString argument = ZefPathFromBytes(arguments.at(i));
        if (literal || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positionals.push_back({argument, literal});
        } else if (argument == QLatin1String("--")) {
            literal = true;
        } else if (IsKnownOption(argument)) {
            options << argument;
        } else if (ZefIsRegularFile(ZefAbsolutePath(argument))) {
            positionals.push_back({argument, false});
        } else {
            result.errors << Quoted(argument) + QStringLiteral(": unknown option and no such file, ignored");
        }
    }

    QCommandLineParser parser;
    DefineOptions(parser);
    if (!parser.parse(options))
        result.errors << parser.errorText();
    result.help = parser.isSet(HelpOption());
    result.version = parser.isSet(VersionOption());
    result.newWindow = parser.isSet(NewWindowOption());

    TFileCollector collector(result);
    for (const TPositional& positional : positionals)
        collector.Add(positional);
    collector.Finish();
    return result;
}

QString ZefCommandLineHelp(const QString& programName)
{
    QCommandLineParser parser;
    DefineOptions(parser);
    // Qt names the program from the running application, or not at all before one exists; the caller knows.
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype nameEnd = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(usage) && nameEnd > usage.size())
        text.replace(usage.size(), nameEnd - usage.size(), programName);
    return text;
}

QString ZefVersionText()
{
    return QString::fromLatin1(ZefAppTitle) + QLatin1Char(' ') + QString::fromLatin1(ZefAppVersion);
}
