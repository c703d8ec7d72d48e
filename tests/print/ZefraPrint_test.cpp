// zefraprint end to end: a text file to PDF, read back with pdftotext; the layout figures; the exit codes.
#include "ZefPrintCommand.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

CommandRun Zefraprint(const QStringList& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.code = RunZefraPrint(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Runs a program to its end and answers its standard output; fails the test when it cannot run.
std::string Output(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
    if (exitCode) *exitCode = process.exitCode();
    return process.readAllStandardOutput().toStdString();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int InfoFigure(const std::string& info, const std::string& key)
{
    for (const std::string& line : Lines(info)) {
        if (line.rfind(key + ": ", 0) == 0) return std::stoi(line.substr(key.size() + 2));
    }
    ADD_FAILURE() << "no " << key << " in " << info;
    return -1;
}

class ZefraPrint : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QString Write(const char* name, const std::string& text) const
    {
        std::ofstream(Path(name).toStdString(), std::ios::binary) << text;
        return Path(name);
    }
};

} // namespace

TEST_F(ZefraPrint, TenThousandLinesComeBackFromThePdfOnceAndInOrder)
{
    std::string text;
    std::vector<std::string> expected;
    for (int i = 1; i <= 10000; ++i) {
        expected.push_back("line " + std::to_string(i) + " alpha, beta; gamma");
        text += expected.back() + (i % 3 == 0 ? "\r\n" : "\n");
    }
    const QString input = Write("ten-thousand.txt", text);
    const QString pdf = Path("out.pdf");

    int code = -1;
    const std::string info = Output(QStringLiteral(ZEFRAPRINT_PATH), {QStringLiteral("--info"), input}, &code);
    ASSERT_EQ(code, peOk);
    const int pages = InfoFigure(info, "pages");
    EXPECT_EQ(InfoFigure(info, "lines"), 10000);
    EXPECT_EQ(pages, (10000 + InfoFigure(info, "rows per page") - 1) / InfoFigure(info, "rows per page"));

    Output(QStringLiteral(ZEFRAPRINT_PATH), {input, QStringLiteral("-o"), pdf, QStringLiteral("--now"),
                                             QStringLiteral("2024-05-01T13:45:00")}, &code);
    ASSERT_EQ(code, peOk);
    const std::string pdfInfo = Output(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_NE(pdfInfo.find("Pages:           " + std::to_string(pages) + "\n"), std::string::npos) << pdfInfo;

    std::vector<std::string> printed;
    int pageHeaders = 0;
    for (const std::string& line : Lines(Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}))) {
        if (line.rfind("line ", 0) == 0) printed.push_back(line);
        if (line.find("Page: ") != std::string::npos && line.find(" of " + std::to_string(pages)) != std::string::npos) ++pageHeaders;
    }
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(pageHeaders, pages);
}

TEST_F(ZefraPrint, HeaderFooterAndLayoutOptionsReachThePdf)
{
    const QString input = Write("notes.txt", std::string(300, 'x') + "\nshort\n");
    const QString pdf = Path("options.pdf");
    const CommandRun run = Zefraprint({input, QStringLiteral("-o"), pdf, QStringLiteral("--header"), QStringLiteral("left:1:[$TITLE$]"),
                                QStringLiteral("--header"), QStringLiteral("right:3:$PAGENUM$/$PAGECOUNT$ $FOO$"),
                                QStringLiteral("--no-footer"), QStringLiteral("--roman"), QStringLiteral("--title"),
                                QStringLiteral("Report"), QStringLiteral("--copies"), QStringLiteral("2"),
                                QStringLiteral("--left"), QStringLiteral("1in"), QStringLiteral("--line-numbers"),
                                QStringLiteral("--landscape")});
    ASSERT_EQ(run.code, peOk) << run.err;
    const std::string text = Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_NE(text.find("[Report]"), std::string::npos) << text;
    EXPECT_NE(text.find("I/I $FOO$"), std::string::npos) << text;
    EXPECT_NE(text.find("1: xxxx"), std::string::npos) << text;
    EXPECT_NE(text.find("2: short"), std::string::npos) << text;
    EXPECT_NE(Output(QStringLiteral("pdfinfo"), {pdf}).find("Pages:           2\n"), std::string::npos); // two copies

    const CommandRun info = Zefraprint({QStringLiteral("--info"), input, QStringLiteral("--no-wrap"), QStringLiteral("--paper"),
                                 QStringLiteral("letter"), QStringLiteral("--size"), QStringLiteral("20")});
    ASSERT_EQ(info.code, peOk) << info.err;
    EXPECT_EQ(InfoFigure(info.out, "paper"), 2550); // 8.5 in at 300 dpi
    EXPECT_EQ(InfoFigure(info.out, "char width"), 50);
}

TEST_F(ZefraPrint, HighlighterByExtensionOrName)
{
    const QString html = Write("page.html", "<b>x</b>\n");
    const QString text = Write("page.txt", "<b>x</b>\n");
    EXPECT_NE(Zefraprint({QStringLiteral("--info"), html}).out.find("highlighter: HTML"), std::string::npos);
    EXPECT_NE(Zefraprint({QStringLiteral("--info"), text}).out.find("highlighter: none"), std::string::npos);
    EXPECT_NE(Zefraprint({QStringLiteral("--info"), text, QStringLiteral("--extension"), QStringLiteral("htm")}).out.find("highlighter: HTML"),
              std::string::npos);
    EXPECT_NE(Zefraprint({QStringLiteral("--info"), text, QStringLiteral("--highlighter"), QStringLiteral("html")}).out.find("highlighter: HTML"),
              std::string::npos);
    EXPECT_EQ(Zefraprint({QStringLiteral("--info"), text, QStringLiteral("--highlighter"), QStringLiteral("Cobol")}).code, peUsage);
}

TEST_F(ZefraPrint, EachFailureHasItsExitCodeAndMessage)
{
    const QString input = Write("one.txt", "one page\n");
    QDir(folder.path()).mkdir(QStringLiteral("folder"));
    struct Case {
        const char* name;
        QStringList arguments;
        int code;
        const char* message;
    } cases[] = {
        {"unknown option", {input, QStringLiteral("--bogus")}, peUsage, "Unknown option \"--bogus\""},
        {"no output", {input}, peUsage, "No output file"},
        {"no input", {QStringLiteral("-o"), Path("x.pdf")}, peUsage, "No input file"},
        {"bad margin", {input, QStringLiteral("--info"), QStringLiteral("--left"), QStringLiteral("2furlongs")}, peUsage, "--left"},
        {"bad section", {input, QStringLiteral("--info"), QStringLiteral("--header"), QStringLiteral("top:1:x")}, peUsage, "section"},
        {"bad now", {input, QStringLiteral("--info"), QStringLiteral("--now"), QStringLiteral("yesterday")}, peUsage, "--now"},
        {"missing value", {input, QStringLiteral("--copies")}, peUsage, "needs a value"},
        {"unreadable input", {Path("missing.txt"), QStringLiteral("-o"), Path("x.pdf")}, peInput, "missing.txt"},
        {"a folder as input", {Path("folder"), QStringLiteral("-o"), Path("x.pdf")}, peInput, "not a regular file"},
        {"no room", {input, QStringLiteral("--info"), QStringLiteral("--left"), QStringLiteral("15cm"), QStringLiteral("--right"),
                     QStringLiteral("15cm")}, peNoRoom, "The margins leave no room for text."},
        {"empty range", {input, QStringLiteral("-o"), Path("x.pdf"), QStringLiteral("--pages"), QStringLiteral("2-3")}, peEmptyRange,
         "has 1 page"},
        {"unwritable output", {input, QStringLiteral("-o"), Path("no-such-folder/x.pdf")}, peOutput, "Cannot create file"},
        {"output is a folder", {input, QStringLiteral("-o"), Path("folder")}, peOutput, "Cannot create file"},
    };
    for (const Case& c : cases) {
        const CommandRun run = Zefraprint(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    }
    EXPECT_FALSE(QFile::exists(Path("x.pdf"))); // no failed run left a file behind

    const CommandRun help = Zefraprint({QStringLiteral("--help")});
    EXPECT_EQ(help.code, peOk);
    for (const char* option : {"--paper", "--landscape", "--font", "--size", "--tab-width", "--no-wrap", "--line-numbers",
                               "--header", "--footer", "--no-header", "--no-footer", "--pages", "--copies", "--highlighter",
                               "--extension", "--now", "--info", "Exit codes"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}
