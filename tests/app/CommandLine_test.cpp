// The command line: options, files with their lines, what is ignored and reported, and the documents the
// main window opens from it.
#include "MainWindowFixture.h"

#include "ZefCommandLine.h"
#include "ZefFilePath.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <climits>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs in a folder of its own and goes back afterwards.
class TInsideFolder {
public:
    explicit TInsideFolder(const QString& folder) : previous_(QDir::currentPath().toUtf8())
    {
        EXPECT_EQ(::chdir(ZefPathToBytes(folder).constData()), 0);
    }
    ~TInsideFolder() { EXPECT_EQ(::chdir(previous_.constData()), 0); }

private:
    QByteArray previous_;
};

// By the name's bytes: QFile would turn bytes that are not UTF-8 into '?'.
void Write(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(ZefPathToBytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    EXPECT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
    ::close(fd);
}

TZefCommandLine Parse(const std::vector<const char*>& arguments)
{
    std::vector<const char*> argv{"zefraed"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return ZefParseCommandLine(ZefCommandLineArguments(static_cast<int>(argv.size()), argv.data()));
}

// The parse as one line: the flags set, each file (relative to `folder`) with "+line" when it has one, and
// "!" with the argument of each error.
std::string Dump(const TZefCommandLine& commandLine, const QString& folder)
{
    QStringList parts;
    if (commandLine.help)
        parts << QStringLiteral("[help]");
    if (commandLine.version)
        parts << QStringLiteral("[version]");
    if (commandLine.newWindow)
        parts << QStringLiteral("[new-window]");
    for (const TZefCommandLineFile& file : commandLine.files) {
        QString name = file.path.startsWith(folder + QLatin1Char('/')) ? file.path.mid(folder.size() + 1) : file.path;
        parts << (file.line > 0 ? name + QStringLiteral("+") + QString::number(file.line) : name);
    }
    for (const QString& error : commandLine.errors)
        parts << QStringLiteral("!") + (error.startsWith(QLatin1Char('"')) ? error.section(QLatin1Char('"'), 1, 1) : error);
    return ZefPathToBytes(parts.join(QLatin1Char(' '))).toStdString();
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temporary_.isValid());
        folder_ = ZefAbsolutePath(QDir(temporary_.path()).canonicalPath());
        for (const char* name : {"a.txt", "b.txt", "-reverse", "+5", "colon.txt:3", "caf\xE9.txt"})
            Write(folder_ + QLatin1Char('/') + ZefPathFromBytes(name), "text\n");
        ASSERT_EQ(::mkdir(ZefPathToBytes(folder_ + QStringLiteral("/folder")).constData(), 0755), 0);
    }

    QTemporaryDir temporary_;
    QString folder_;
};

} // namespace

TEST_F(CommandLineTest, ArgumentListsGiveFilesLinesOptionsAndReportedLeftovers)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* parsed;
    } const cases[] = {
        {{}, ""},
        {{"a.txt", "b.txt"}, "a.txt b.txt"},
        {{"+3", "a.txt", "b.txt"}, "a.txt+3 b.txt"},
        {{"a.txt:7", "b.txt"}, "a.txt+7 b.txt"},
        {{"+2", "a.txt:9"}, "a.txt+9"},
        {{"+2", "+4", "a.txt"}, "a.txt+4 !+2"},
        {{"a.txt", "+5"}, "a.txt !+5"},
        {{"+0", "a.txt"}, "a.txt+1"},
        {{"+99999999999999", "a.txt"}, "a.txt+2147483647"},
        {{"a.txt", "a.txt"}, "a.txt a.txt"},
        // A name that exists as it is wins over reading a line number from it.
        {{"colon.txt:3"}, "colon.txt:3"},
        {{"colon.txt:3:4"}, "colon.txt:3+4"},
        {{"missing.txt", "b.txt"}, "b.txt !missing.txt"},
        {{"missing.txt:4"}, "!missing.txt:4"},
        {{"a.txt:x"}, "!a.txt:x"},
        {{"a.txt:"}, "!a.txt:"},
        {{":4"}, "!:4"},
        {{"folder"}, "!folder"},
        {{"-"}, "!-"},
        {{"+5"}, "!+5"},
        {{"--", "+5"}, "+5"},
        {{"--", "+5", "a.txt:2"}, "+5 a.txt+2"},
        {{"./a.txt", "folder/../b.txt"}, "a.txt b.txt"},
        {{"caf\xE9.txt"}, "caf\xE9.txt"},
        // Names that look like options: a file when one of that name exists, else reported.
        {{"-reverse"}, "-reverse"},
        {{"-style", "fusion"}, "!-style !fusion"},
        {{"--", "-reverse", "--help"}, "-reverse !--help"},
        {{"--", "--"}, "!--"},
        {{"--"}, ""},
        {{"--help"}, "[help]"},
        {{"-h", "a.txt"}, "[help] a.txt"},
        {{"-help"}, "[help]"},
        {{"--version"}, "[version]"},
        {{"-v"}, "[version]"},
        {{"--new-window", "a.txt"}, "[new-window] a.txt"},
        {{"a.txt", "--new-window", "b.txt"}, "[new-window] a.txt b.txt"},
        {{"--help=yes"}, "[help] !Unexpected value after '--help'."},
    };
    TInsideFolder inside(folder_);
    for (const Case& c : cases) {
        const std::string arguments = [&] {
            std::string joined;
            for (const char* argument : c.arguments)
                joined += std::string(argument) + " ";
            return joined;
        }();
        EXPECT_EQ(Dump(Parse(c.arguments), folder_), c.parsed) << "arguments: " << arguments;
    }
}

TEST_F(CommandLineTest, FilesAreAbsoluteAndKeepTheirBytesFromAnyFolder)
{
    const QByteArray latin1 = ZefPathToBytes(folder_) + "/caf\xE9.txt";
    TInsideFolder inside(QStringLiteral("/"));
    const TZefCommandLine commandLine = Parse({latin1.constData(), (latin1 + ":12").constData()});
    ASSERT_EQ(commandLine.files.size(), 2u);
    EXPECT_EQ(ZefPathToBytes(commandLine.files[0].path), latin1);
    EXPECT_EQ(commandLine.files[1], (TZefCommandLineFile{commandLine.files[0].path, 12}));
    EXPECT_TRUE(commandLine.errors.isEmpty());

    const TZefCommandLine missing = Parse({"no-such-file.txt"});
    ASSERT_EQ(missing.errors.size(), 1);
    EXPECT_EQ(missing.errors[0], QStringLiteral("\"no-such-file.txt\": no such file, ignored"));
}

TEST(CommandLineTexts, HelpNamesTheOptionsAndVersionTheProgram)
{
    const QString help = ZefCommandLineHelp(QStringLiteral("zefraed"));
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: zefraed [options] [[+N] file[:N]...]\n"))) << help.toStdString();
    for (const char* option : {"-h, --help", "-v, --version", "--new-window", "+N before a file"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_EQ(ZefVersionText(), QStringLiteral("Zefra Text Editor 1.22"));
}

// The main window opening what a command line names.
class CommandLineWindowTest : public TMainWindowFixture {
protected:
    void OpenFromCommandLine(const std::vector<const char*>& arguments)
    {
        TInsideFolder inside(QFileInfo(IniPath()).absolutePath());
        window->OpenCommandLineFiles(Parse(arguments).files);
        Idle();
    }

    // Each document as its file name and caret line, in creation order; "*" marks the active one.
    std::string Documents() const
    {
        QStringList parts;
        for (int i = 0; i < EditorFactory->GetEditorCount(); ++i) {
            std::shared_ptr<IEditor> editor = EditorFactory->GetEditor(i);
            parts << (editor == ActiveEditor ? QStringLiteral("*") : QString()) + ZefFileNameOf(editor->GetFileName()) +
                         QStringLiteral(":") + QString::number(editor->GetCaretPos().Line);
        }
        return parts.join(QLatin1Char(' ')).toStdString();
    }
};

TEST_F(CommandLineWindowTest, EveryFileOpensInItsOwnDocumentInOrderAtItsLineAndTheLastIsActive)
{
    QByteArray lines;
    for (int i = 1; i <= 200; ++i)
        lines += "line " + QByteArray::number(i) + "\n";
    WriteFile("a.txt", lines);
    WriteFile("b.txt", "one\ntwo\nthree\n");
    WriteFile("c.txt", "c\n");
    struct Case {
        std::vector<const char*> arguments;
        const char* documents;
    } const cases[] = {
        {{"a.txt", "b.txt", "c.txt"}, "a.txt:1 b.txt:1 *c.txt:1"},
        {{"+150", "a.txt", "b.txt:2"}, "a.txt:150 *b.txt:2"},
        // A file named twice is one document: the second naming activates it and moves its caret.
        {{"a.txt", "missing.txt", "b.txt", "a.txt:40"}, "*a.txt:40 b.txt:1"},
        // Past the end: the last line.
        {{"+9999", "b.txt"}, "*b.txt:3"},
        {{"missing.txt", "folder"}, ""},
    };
    for (const Case& c : cases) {
        Start();
        OpenFromCommandLine(c.arguments);
        EXPECT_EQ(Documents(), c.documents) << c.arguments.size() << " arguments, first " << c.arguments.front();
        EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
        Finish();
    }
}

TEST_F(CommandLineWindowTest, TheCaretLineIsScrolledIntoView)
{
    QByteArray lines;
    for (int i = 1; i <= 500; ++i)
        lines += "line " + QByteArray::number(i) + "\n";
    WriteFile("long.txt", lines);
    Start();
    OpenFromCommandLine({"long.txt:400"});
    TZefEdit* edit = Editor(ActiveEditor);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->CaretPos().Line, 400);
    EXPECT_LE(edit->TopVisibleLine(), 400);
    EXPECT_GT(edit->TopVisibleLine() + std::max(edit->VisibleLines(), 1), 400);
}
