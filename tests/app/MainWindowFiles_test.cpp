// The main window and file names: tabs through failed saves, one document per file, minimised documents,
// stored window bounds, running out of memory, names that are not UTF-8 and command-line arguments.
#include "MainWindowFixture.h"

#include "RecentFiles.h"
#include "ZefCommandLine.h"
#include "ZefEditTextBuffer.h"
#include "ZefFilePath.h"
#include "ZefWindowBounds.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTest>

#include <cerrno>
#include <climits>
#include <functional>
#include <new>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

QStringList TabCaptions(const TMainForm& window)
{
    QStringList captions;
    for (int i = 0; i < window.TabStrip()->count(); ++i)
        captions << window.TabStrip()->tabText(i);
    return captions;
}

TZefFileChoice Choice(const QString& path) { return TZefFileChoice{QStringList{path}, 1}; }

// The idle update runs inside every modal message box, as it does under the real desktop's nested loop.
class TIdleInBoxesDesktop : public TZefScriptedDesktop {
public:
    std::function<void()> inside;
    TZefMsgButton ShowMessageBox(const TZefMessageBox& box) override
    {
        if (inside)
            inside();
        return TZefScriptedDesktop::ShowMessageBox(box);
    }
};

QByteArray ReadBytes(const QByteArray& path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<unreadable>";
    char block[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, block, sizeof block)) > 0)
        bytes.append(block, got);
    ::close(fd);
    return bytes;
}

void WriteBytes(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString() << ": " << errno;
    ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
    ::close(fd);
}

QList<QByteArray> FolderEntries(const QByteArray& folder)
{
    QList<QByteArray> entries;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir))
            if (QByteArray(entry->d_name) != "." && QByteArray(entry->d_name) != "..")
                entries << QByteArray(entry->d_name);
        ::closedir(dir);
    }
    return entries;
}

// Runs in another current folder and goes back afterwards.
class TCurrentFolder {
public:
    explicit TCurrentFolder(const QByteArray& folder) : previous_(QDir::currentPath().toUtf8())
    {
        EXPECT_EQ(::chdir(folder.constData()), 0) << folder.toStdString();
    }
    ~TCurrentFolder() { EXPECT_EQ(::chdir(previous_.constData()), 0); }

private:
    QByteArray previous_;
};

// The first file a command line names, as the program opens it; empty when it names none.
QString CommandLinePath(std::initializer_list<const char*> arguments)
{
    std::vector<const char*> argv(arguments);
    const TZefCommandLine commandLine = ZefParseCommandLine(ZefCommandLineArguments(static_cast<int>(argv.size()), argv.data()));
    return commandLine.files.empty() ? QString() : commandLine.files.front().path;
}

} // namespace

TEST_F(TMainWindowFixture, AFailedSaveKeepsTheTabsAndSaveAsRenamesOnlyItsOwnTab)
{
    const QString first = WriteFile("first.txt", "1\n");
    const QString second = WriteFile("second.txt", "2\n");
    Start();
    window->OpenDocument(first);
    window->OpenDocument(second);
    Idle();
    Editor(ActiveEditor)->SetSelectedText("edited ");
    TIdleInBoxesDesktop boxes;
    boxes.SetUnscriptedHandler([](const QString& what) { ADD_FAILURE() << "unscripted: " << what.toStdString(); });
    boxes.inside = [this] { window->IdleUpdate(); };
    TZefDesktopScope scope(boxes);

    boxes.AnswerSaveFile(Choice(Path("no-such-folder/second.txt")));
    boxes.AnswerMessageBox(mbOk);
    ASSERT_TRUE(window->Click("miFileSaveAs"));
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({first, second}));
    EXPECT_EQ(window->TabStrip()->currentIndex(), 1);
    EXPECT_EQ(ActiveEditor->GetFileName(), second);

    // The first document's tab is selected while the second one is still active: Save As renames the
    // second document's own tab.
    {
        const QSignalBlocker quiet(window->TabStrip());
        window->TabStrip()->setCurrentIndex(0);
    }
    const QString renamed = Path("renamed.txt");
    boxes.AnswerSaveFile(Choice(renamed));
    ASSERT_TRUE(window->Click("miFileSaveAs"));
    Idle();
    EXPECT_EQ(TabCaptions(*window), QStringList({first, renamed}));
    EXPECT_EQ(window->TabStrip()->currentIndex(), 1);
    EXPECT_EQ(boxes.PendingAnswers(), 0u);
}

TEST_F(TMainWindowFixture, OneDocumentPerFileButLetterCaseNamesAnotherFile)
{
    const QString lower = WriteFile("notes.txt", "lower\n");
    const QString upper = WriteFile("NOTES.txt", "upper\n");
    const QString link = Path("link.txt");
    ASSERT_TRUE(QFile::link(lower, link));
    Start();
    window->OpenDocument(lower);
    window->OpenDocument(upper);
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(Editor(ActiveEditor)->Lines()->GetLine(0), "upper");

    // The link reaches notes.txt: its document comes forward instead of a second one.
    window->OpenDocument(link);
    Idle();
    EXPECT_EQ(EditorFactory->GetEditorCount(), 2);
    EXPECT_EQ(ActiveEditor->GetFileName(), lower);
    EXPECT_EQ(TabCaptions(*window), QStringList({lower, upper}));
    EXPECT_EQ(window->TabStrip()->currentIndex(), 0);
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

TEST_F(TMainWindowFixture, ClickingTheTabOfAMinimisedDocumentRestoresItForTyping)
{
    const QString first = WriteFile("first.txt", "1\n");
    const QString second = WriteFile("second.txt", "2\n");
    Start();
    window->OpenDocument(first);
    window->OpenDocument(second);
    Idle();
    auto* firstForm = static_cast<TEditor*>(EditorFactory->GetEditor(0).get())->Form.data();
    auto* secondForm = static_cast<TEditor*>(EditorFactory->GetEditor(1).get())->Form.data();

    firstForm->showMinimized();
    QTest::mouseClick(window->TabStrip(), Qt::LeftButton, {}, window->TabStrip()->tabRect(0).center());
    Idle();
    EXPECT_FALSE(firstForm->isMinimized());
    EXPECT_EQ(ActiveEditor, EditorFactory->GetEditor(0));

    // The tab already selected: the click still brings its minimised document back.
    firstForm->showMinimized();
    secondForm->showMinimized();
    QTest::mouseClick(window->TabStrip(), Qt::LeftButton, {}, window->TabStrip()->tabRect(0).center());
    Idle();
    EXPECT_FALSE(firstForm->isMinimized());
    EXPECT_EQ(window->ClientArea()->activeSubWindow(), firstForm);
    EXPECT_EQ(ActiveEditor, EditorFactory->GetEditor(0));
}

TEST_F(TMainWindowFixture, TheFontBoxShowsTheStartOfALongName)
{
    const QString path = WriteFile("f.txt", "x\n");
    Start();
    window->OpenDocument(path);
    ActiveEditor->ChangeFont(false, QStringLiteral("A Font Family With A Rather Long Name"), 14);
    Idle();
    QLineEdit* box = window->FontBox();
    EXPECT_TRUE(box->text().endsWith(QStringLiteral(" - 14"))) << box->text().toStdString();
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_EQ(box->toolTip(), box->text());
}

TEST(WindowBoundsTest, StoredBoundsAreFittedToTheScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    struct Case {
        const char* name;
        int left, top, width, height;
        std::optional<QRect> expected;
    } const cases[] = {
        {"inside", 100, 50, 724, 346, QRect(100, 50, 724, 346)},
        {"huge", 0, 0, INT_MAX, INT_MAX, QRect(0, 0, 1280, 1024)},
        {"huge from far left", INT_MIN, 0, INT_MAX, 500, std::nullopt},
        {"right of the screen", 3000, 100, 724, 346, std::nullopt},
        {"half off to the right", 1000, 900, 724, 346, QRect(556, 678, 724, 346)},
        {"above", 100, -2000, 724, 346, std::nullopt},
        {"overlapping above", 100, -100, 724, 346, QRect(100, 0, 724, 346)},
        {"far overflow", INT_MAX, INT_MAX, INT_MAX, INT_MAX, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZefFitWindowBounds(c.left, c.top, c.width, c.height, screen), c.expected) << c.name;
    // A second screen to the left of the first.
    EXPECT_EQ(ZefFitWindowBounds(-1500, 10, 800, 600, QRect(-1920, 0, 1920, 1080)), QRect(-1500, 10, 800, 600));
    EXPECT_EQ(ZefFitWindowBounds(0, 0, 800, 600, QRect()), std::nullopt);
}

TEST_F(TMainWindowFixture, HugeStoredBoundsGiveAWindowInsideTheScreen)
{
    {
        QSettings ini(IniPath(), QSettings::IniFormat);
        ini.setValue("Main/Left", 0);
        ini.setValue("Main/Top", 0);
        ini.setValue("Main/Width", INT_MAX);
        ini.setValue("Main/Height", INT_MAX);
    }
    Start();
    const QRect available = window->screen()->availableGeometry();
    const QRect shown = window->frameGeometry();
    EXPECT_TRUE(available.contains(shown)) << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                           << shown.height() << " in " << available.width() << "x"
                                           << available.height();
}

namespace {

// A factory whose documents run out of memory while loading.
class TOutOfMemoryEditor final : public IEditor {
public:
    bool closed = false;
    QString fileName;
    void Activate() override {}
    void Close() override { closed = true; }
    TBufferCoord GetCaretPos() const override { return TBufferCoord{-1, -1}; }
    QString GetModeText() const override { return QString(); }
    QString GetFileName() const override { return fileName; }
    QString GetTitle() override { return QStringLiteral("x"); }
    bool IsModified() const override { return false; }
    void LoadFile(const QString& path) override
    {
        fileName = path;
        throw std::bad_alloc();
    }
    void GoToLine(int) override {}
    void PlaceCaretOnLine(int) override {}
    void ShowLineNumbers(bool) override {}
    std::optional<QFont> ChangeFont(bool, const QString&, int) override { return std::nullopt; }
    void SetZeroStart(bool) override {}
    void SetRightEdge(int) override {}
    void SetCreamBackground(bool) override {}
    QFont GetFont() const override { return QFont(); }
    void StepFontSize(int) override {}
    bool Save() override { return false; }
    void SelectHighlighter(int) override {}
    void AssignHighlighter(TZefCustomHighlighter*) override {}
    void EnumHighlighterSettings(std::vector<std::string>&) override {}
    bool HasHighlighter() const override { return false; }
    int HighlighterAttrCount() const override { return 0; }
    QString HighlighterAttrName(int) const override { return QString(); }
    TZefHighlighterAttributes* HighlighterAttr(int) const override { return nullptr; }
    void SetAttrStyle(int, TFontStyles) override {}
    void SetAttrForeground(int, TColor) override {}
    void SetAttrBackground(int, TColor) override {}
    bool UseHighlighterSettings(int) override { return false; }
    void SetActiveLineColor(TColor) override {}
    void RepaintEditor() override {}
    bool SaveHighlighterToRegistry(const QString&) override { return false; }
    bool LoadHighlighterFromRegistry(const QString&) override { return false; }
    void RefreshMarkList() override {}
    void FormatText() override {}
    void SetFormatStyle(const QString&) override {}
    void SetJoinParagraphs(bool) override {}
    void SetSpacesBeforeNew(int) override {}
    void SetSpacesBeforeAll(int) override {}
    void SetAlignChar(const QString&, int) override {}
    void SetMaxLineLength(int) override {}
    void SetDeleteEmptyLines(bool) override {}
    void SetMaxEmptyLines(int) override {}
};

class TOutOfMemoryFactory final : public IEditorFactory {
public:
    std::shared_ptr<TOutOfMemoryEditor> editor;
    void CloseAll() override {}
    std::shared_ptr<IEditor> CreateMDIChild(QMdiArea*) override
    {
        editor = std::make_shared<TOutOfMemoryEditor>();
        return editor;
    }
    int GetEditorCount() const override { return editor && !editor->closed ? 1 : 0; }
    std::shared_ptr<IEditor> GetEditor(int index) const override
    {
        return index == 0 && GetEditorCount() == 1 ? editor : nullptr;
    }
    void RemoveEditor(IEditor*) override {}
    bool QueryCloseAll() override { return true; }
    void CloseAllWithoutQuestions() override {}
};

} // namespace

TEST_F(TMainWindowFixture, RunningOutOfMemoryWhileOpeningSaysSoAndLeavesNoDocument)
{
    const QString path = Path("big.log");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(3 * 1024 * 1024 - 100));
    }
    auto factory = std::make_shared<TOutOfMemoryFactory>();
    EditorFactory = factory;
    Start();
    desktop.AnswerMessageBox(mbOk);
    window->OpenDocument(path);
    Idle();
    ASSERT_TRUE(factory->editor);
    EXPECT_TRUE(factory->editor->closed);
    EXPECT_EQ(window->TabStrip()->count(), 0);
    EXPECT_EQ(desktop.Calls().back().text, QStringLiteral("Not enough memory to open big.log (3 MB)"))
        << desktop.DebugDump().toStdString();
}

TEST_F(TMainWindowFixture, NamesThatAreNotUtf8AreOpenedAndSavedUnderTheirOwnBytes)
{
    // A folder caf\xE9 holding a file caf\xE9.txt: Latin-1 bytes, not UTF-8.
    const QByteArray folder = Path("caf").toUtf8() + "\xE9";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray file = folder + "/caf\xE9.txt";
    WriteBytes(file, "caf\xE9 au lait\n");
    Start();

    // By absolute argument.
    const QString absolute = CommandLinePath({"zefraed", file.constData()});
    ASSERT_EQ(ZefPathToBytes(absolute), file);
    window->CmdLineOpen(absolute);
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(Editor(ActiveEditor)->Lines()->GetLine(0), "caf\xE9 au lait");
    EXPECT_EQ(TabCaptions(*window), QStringList{ZefDisplayPath(absolute)});
    EXPECT_TRUE(TabCaptions(*window).first().endsWith(QStringLiteral("caf\uFFFD.txt")));
    EXPECT_EQ(ActiveEditor->GetTitle(), QStringLiteral("caf\uFFFD.txt"));

    Editor(ActiveEditor)->SetSelectedText("un ");
    ASSERT_TRUE(window->Click("miFileSave"));
    EXPECT_EQ(ReadBytes(file), QByteArray("un caf\xE9 au lait\n"));
    EXPECT_EQ(FolderEntries(folder), QList<QByteArray>{"caf\xE9.txt"});
    ActiveEditor->Close();
    Idle();

    // By relative argument from inside the folder, and by the recent list kept in the INI file.
    {
        TCurrentFolder inside(folder);
        const QString relative = CommandLinePath({"zefraed", "caf\xE9.txt"});
        EXPECT_EQ(relative, absolute);
        window->CmdLineOpen(relative);
    }
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(Editor(ActiveEditor)->Lines()->GetLine(0), "un caf\xE9 au lait");
    Finish();
    TRecentFiles recent;
    TZefWindowSettings bounds;
    LoadIniSettings(IniPath(), bounds, recent);
    EXPECT_EQ(ZefPathToBytes(recent.RecentFile(0)), file);
    EXPECT_TRUE(desktop.Calls().empty()) << desktop.DebugDump().toStdString();
}

TEST_F(TMainWindowFixture, ANameTheDialogCouldNotCarryIsRefused)
{
    Start();
    window->OpenDocument(QString());
    Editor(ActiveEditor)->SetSelectedText("text");
    Idle();
    const QString mangled = Path(QStringLiteral("caf\uFFFD.txt"));
    desktop.AnswerSaveFile(Choice(mangled));
    desktop.AnswerMessageBox(mbOk);
    desktop.AnswerSaveFile(std::nullopt);
    ASSERT_TRUE(window->Click("miFileSaveAs"));
    EXPECT_EQ(ActiveEditor->GetFileName(), QString());
    EXPECT_FALSE(QFile::exists(mangled));
    ASSERT_GE(desktop.Calls().size(), 3u);
    EXPECT_TRUE(desktop.Calls()[2].text.contains(QStringLiteral("not valid UTF-8"))) << desktop.DebugDump().toStdString();

    desktop.AnswerOpenFile(Choice(mangled));
    desktop.AnswerMessageBox(mbOk);
    ASSERT_TRUE(window->Click("miFileOpen"));
    EXPECT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(desktop.PendingAnswers(), 0u);
}

TEST_F(TMainWindowFixture, AFileNamedLikeAToolkitOptionOpensFromTheCommandLine)
{
    WriteFile("-reverse", "left to right\n");
    Start();
    {
        TCurrentFolder inside(QFileInfo(IniPath()).absolutePath().toUtf8());
        const QString path = CommandLinePath({"zefraed", "-reverse"});
        ASSERT_EQ(path, Path("-reverse"));
        EXPECT_EQ(CommandLinePath({"zefraed", "--", "-reverse"}), path);
        EXPECT_EQ(CommandLinePath({"zefraed", "-style"}), QString()) << "no such file: nothing to open";
        window->CmdLineOpen(path);
    }
    Idle();
    ASSERT_EQ(EditorFactory->GetEditorCount(), 1);
    EXPECT_EQ(Editor(ActiveEditor)->Lines()->GetLine(0), "left to right");
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}
