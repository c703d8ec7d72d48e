// Tests of the line store's loading and saving: line-break styles, byte-exact round trips, safe saving,
// errors with their messages, and the buffered file writer.
#include "ZefEditFileWriter.h"
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Lines(const TZefEditStringList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "|" : "") + std::string(list.GetLine(i));
    return out;
}

void Load(TZefEditStringList& list, const std::string& bytes)
{
    std::istringstream in(bytes);
    list.LoadFromStream(in);
}

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class TextBufferFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zefra-linestore-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

// ---------------------------------------------------------------------------------------------------------

struct LoadCase {
    const char* name;
    std::string bytes;
    bool trailingLineBreak;
    std::string lines; // joined with '|'
    TLineBreakStyle style;
    std::string saved;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

std::string B(const char* bytes, size_t size) { return std::string(bytes, size); }

class LoadSaveTest : public TextBufferFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSaveTest, FileAndStreamAgree)
{
    const LoadCase& c = GetParam();
    WriteFile(Path("in.txt"), c.bytes);

    TZefEditStringList fromFile;
    fromFile.SetTrailingLineBreak(c.trailingLineBreak);
    fromFile.LoadFromFile(Path("in.txt"));
    EXPECT_EQ(Lines(fromFile), c.lines);
    EXPECT_EQ(fromFile.LineBreakStyle(), c.style);
    EXPECT_EQ(fromFile.Capacity(), fromFile.Count());
    fromFile.SaveToFile(Path("out.txt"));
    EXPECT_EQ(ReadFile(Path("out.txt")), c.saved);

    TZefEditStringList fromStream;
    fromStream.SetTrailingLineBreak(c.trailingLineBreak);
    std::istringstream in(c.bytes);
    fromStream.LoadFromStream(in);
    EXPECT_EQ(fromStream.DebugDump(), fromFile.DebugDump());
    EXPECT_EQ(fromStream.LineBreakStyle(), c.style);
    std::ostringstream out;
    fromStream.SaveToStream(out);
    EXPECT_EQ(out.str(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    TextBuffer, LoadSaveTest,
    ::testing::Values(
        LoadCase{"Empty", "", true, "", lbsCRLF, ""},
        LoadCase{"NoFinalBreakStaysMissing", "abc", true, "abc", lbsCRLF, "abc"},
        LoadCase{"LF", "abc\n", true, "abc", lbsLF, "abc\n"},
        LoadCase{"CRLF", "a\r\nb\r\n", true, "a|b", lbsCRLF, "a\r\nb\r\n"},
        LoadCase{"CRWithoutFinalBreak", "a\rb", true, "a|b", lbsCR, "a\rb"},
        LoadCase{"MixedKeepsEachBreak", "a\r\nb\nc", true, "a|b|c", lbsCRLF, "a\r\nb\nc"},
        LoadCase{"CRAndLFWithoutCRLF", "abc\rde\nfg\r\n", true, "abc|de|fg", lbsCRLF, "abc\rde\nfg\r\n"},
        LoadCase{"MixedWithEmptyLines", "\n\r\n\r\r\n\n", true, "||||", lbsCRLF, "\n\r\n\r\r\n\n"},
        LoadCase{"LFCRIsTwoBreaks", "\n\r", true, "|", lbsCRLF, "\n\r"},
        LoadCase{"LoneCRLF", "\r\n", true, "", lbsCRLF, "\r\n"},
        LoadCase{"LoneLF", "\n", true, "", lbsLF, "\n"},
        LoadCase{"CRCR", "\r\r", true, "|", lbsCR, "\r\r"},
        LoadCase{"EmptyLinesLF", "a\n\n\nb\n", true, "a|||b", lbsLF, "a\n\n\nb\n"},
        LoadCase{"NulInsideLine", B("ab\0cd\n", 6), true, B("ab\0cd", 5), lbsLF, B("ab\0cd\n", 6)},
        LoadCase{"NulAfterBreak", B("ab\r\n\0cd", 7), true, B("ab|\0cd", 6), lbsCRLF, B("ab\r\n\0cd", 7)},
        LoadCase{"OnlyNuls", B("\0\0", 2), true, B("\0\0", 2), lbsCRLF, B("\0\0", 2)},
        LoadCase{"NoTrailingBreakKeepsFinalBreak", "abc\r\n", false, "abc|", lbsCRLF, "abc\r\n"},
        LoadCase{"NoTrailingBreakWithoutFinalBreak", "abc\nd", false, "abc|d", lbsLF, "abc\nd"},
        LoadCase{"NoTrailingBreakEmpty", "", false, "", lbsCRLF, ""},
        LoadCase{"NoTrailingBreakMixed", "a\nb\r", false, "a|b|", lbsCRLF, "a\nb\r"},
        LoadCase{"NoTrailingBreakLoneBreak", "\r", false, "|", lbsCR, "\r"},
        LoadCase{"LongLines", std::string(40, 'x') + "\n" + std::string(16, 'y') + "\n" + std::string(15, 'z'),
                 true, std::string(40, 'x') + "|" + std::string(16, 'y') + "|" + std::string(15, 'z'), lbsLF,
                 std::string(40, 'x') + "\n" + std::string(16, 'y') + "\n" + std::string(15, 'z')}),
    [](const auto& info) { return std::string(info.param.name); });

// Files whose breaks are all of one style and that end with a break come back byte for byte, whatever
// bytes the lines hold.
TEST_F(TextBufferFile, RoundTripsAreByteExact)
{
    std::mt19937 random(3);
    auto binaryLines = [&](const std::string& lineBreak, int lines) {
        std::string bytes;
        for (int i = 0; i < lines; ++i) {
            size_t length = random() % 3 == 0 ? random() % 200 : random() % 12;
            for (size_t k = 0; k < length; ++k) {
                char c;
                do c = static_cast<char>(random() % 256);
                while (c == '\r' || c == '\n');
                bytes += c;
            }
            bytes += lineBreak;
        }
        return bytes;
    };
    std::string allBytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n') allBytes += static_cast<char>(c);
    const std::string bigLine = std::string(10 * 1024 * 1024, 'q') + std::string(1, '\0') + "end\n";

    struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"crlf", binaryLines("\r\n", 2000)},
        {"lf", binaryLines("\n", 2000)},
        {"cr", binaryLines("\r", 2000)},
        {"all bytes", allBytes + "\n" + allBytes + "\n"},
        {"10 MB line", bigLine},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        WriteFile(Path("in"), file.bytes);
        TZefEditStringList list;
        list.LoadFromFile(Path("in"));
        list.SaveToFile(Path("out"));
        EXPECT_TRUE(ReadFile(Path("out")) == file.bytes);
        std::ostringstream out;
        list.SaveToStream(out);
        EXPECT_TRUE(out.str() == file.bytes);
    }
    EXPECT_EQ(Entries(folder_), (std::vector<std::string>{"in", "out"})); // no temporary file left behind
}

// A big file is split into lines in two parts at once: lines, long lines, each line's break in a mixed file
// and the lines at the seam come out as from one scan, whichever half holds which kinds of break.
TEST_F(TextBufferFile, BigFilesSplitInTwoPartsGiveTheSameLines)
{
    std::mt19937 random(5);
    struct Case {
        const char* name;
        const char* firstHalfBreaks;  // picked from at random, line by line
        const char* secondHalfBreaks; // 'r' CR, 'n' LF, 'b' CR LF
        bool finalBreak;
    } cases[] = {
        {"one kind", "n", "n", true},
        {"second kind only in the second half", "b", "bn", false},
        {"second kind only in the first half", "rn", "n", true},
        {"all kinds everywhere", "rnb", "rnb", false},
        {"CR only", "r", "r", true},
        {"no LF in the second half", "n", "r", false},
        {"a tab in the second half", "n", "nt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines;
        std::vector<std::string> breaks;
        std::string bytes;
        while (bytes.size() < (5u << 20)) {
            const bool firstHalf = bytes.size() < (5u << 19);
            const std::string kinds = firstHalf ? c.firstHalfBreaks : c.secondHalfBreaks;
            char kind = kinds[random() % kinds.size()];
            const size_t length = random() % 50 == 0 ? 300 + random() % 700 : random() % 4 == 0 ? 0 : random() % 40;
            lines.push_back(std::string(length, static_cast<char>('a' + random() % 26)));
            // 't': a line of the kind before with a tab, which makes it wider than it is long.
            if (kind == 't') {
                lines.back() += "\tx";
                kind = kinds[0];
            }
            breaks.push_back(kind == 'r' ? "\r" : kind == 'n' ? "\n" : "\r\n");
            // A CR and an empty line's LF would read as one CR LF break.
            if (lines.back().empty() && breaks.size() > 1 && breaks[breaks.size() - 2] == "\r" && kind != 'b')
                breaks.back() = "\r";
            bytes += lines.back() + breaks.back();
        }
        if (!c.finalBreak) {
            lines.push_back("last");
            bytes += "last";
        }
        WriteFile(Path("big"), bytes);
        TZefEditStringList list;
        list.LoadFromFile(Path("big"));
        ASSERT_EQ(list.Count(), static_cast<int>(lines.size()));
        for (int i = 0; i < list.Count(); ++i) {
            if (list.GetLine(i) != lines[static_cast<size_t>(i)]) {
                FAIL() << "line " << i << " of " << list.Count();
            }
        }
        // The widest line, found as the lines are split unless a tab makes widths differ from lengths.
        int widest = -1, widestLine = -1;
        for (size_t i = 0; i < lines.size(); ++i) {
            const int width = TZefEditStringList::ExpandedWidthOf(lines[i], list.TabWidth());
            if (width > widest) {
                widest = width;
                widestLine = static_cast<int>(i);
            }
        }
        EXPECT_EQ(list.GetLongestLineWidth(), widest);
        EXPECT_EQ(list.LongestLineIndex(), widestLine);
        list.SaveToFile(Path("out"));
        EXPECT_TRUE(ReadFile(Path("out")) == bytes);
        // An edit in each half keeps every other line's break.
        list.ReplaceLine(1, "edited");
        list.ReplaceLine(list.Count() - 2, "edited too");
        std::string expected;
        for (size_t i = 0; i < lines.size(); ++i) {
            expected += i == 1 ? "edited" : i + 2 == lines.size() ? "edited too" : lines[i];
            if (i < breaks.size()) expected += breaks[i];
        }
        list.SaveToFile(Path("out"));
        EXPECT_TRUE(ReadFile(Path("out")) == expected);
    }
}

// Saving writes unedited loaded lines as runs of the loaded bytes: whatever the edits (empty lines put where
// the loaded bytes hold a break, lines moved, breaks changed), the file gets exactly the lines and breaks
// the stream writer gives line by line.
TEST_F(TextBufferFile, EditedFilesSaveTheirLinesAndBreaks)
{
    std::mt19937 random(11);
    // Files of several blocks of lines, some empty and some long, so that whole unedited blocks are written
    // as they were loaded beside edited ones.
    const auto manyLines = [](std::string_view lineBreak) {
        std::string text;
        for (int i = 0; i < 5000; ++i) {
            text += i % 7 == 0 ? "" : i % 500 == 1 ? std::string(300, 'L') : "line " + std::to_string(i);
            text += lineBreak;
        }
        return text;
    };
    const std::string files[] = {"a\r\n\r\nbb\r\n\r\n\r\nccc\r\nd\r\n", "one\n\ntwo\nthree\n\n\nfour",
                                 "x\r\ny\nz\r\r\n\nw\r", manyLines("\n"), manyLines("\r\n")};
    for (const std::string& bytes : files) {
        WriteFile(Path("in"), bytes + bytes + bytes);
        TZefEditStringList list;
        list.LoadFromFile(Path("in"));
        for (int step = 0; step < 400; ++step) {
            const int count = list.Count();
            const int at = count == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(count));
            switch (random() % 10) {
            case 0: list.InsertLine(at, ""); break;
            case 1: list.InsertLine(at, "new"); break;
            case 2: if (count > 1) list.DeleteLine(at); break;
            case 3: if (count > 0) list.ReplaceLine(at, std::string(list.GetLine(at)) + "+"); break;
            case 4: if (count > 1) list.ExchangeLines(at, count - 1 - at); break;
            case 5: list.SetTrailingLineBreak(!list.TrailingLineBreak()); break;
            case 6: if (random() % 8 == 0) list.SetLineBreakStyle(random() % 2 ? lbsLF : lbsCRLF); break;
            case 7: if (count > 0) list.ReplaceInLine(at, 0, std::min<size_t>(2, list.GetLine(at).size()), "*"); break;
            case 8: if (count > 3) list.RemoveLines(at, std::min(3, count - at)); break;
            case 9: list.InsertEmptyLines(at, 2); break;
            }
            if (step % 25 != 0) continue;
            list.SaveToFile(Path("out"));
            std::ostringstream expected;
            list.SaveToStream(expected);
            ASSERT_EQ(ReadFile(Path("out")), expected.str()) << "step " << step;
        }
    }
}

// Any bytes at all - breaks of every kind mixed, NULs, a missing final break - load and save back unchanged,
// in both ways of reading a final break, and loading what was saved gives the same lines again.
TEST(TextBufferStream, AnyBytesComeBackUnchanged)
{
    std::mt19937 random(11);
    const char alphabet[] = {'\r', '\n', '\0', 'a', 'b', '\t', ' ', '\xff'};
    for (int round = 0; round < 4000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) c = round % 2 ? alphabet[random() % sizeof alphabet] : static_cast<char>(random());
        for (const bool trailing : {true, false}) {
            TZefEditStringList list;
            list.SetTrailingLineBreak(trailing);
            std::istringstream in(bytes);
            list.LoadFromStream(in);
            std::ostringstream out;
            list.SaveToStream(out);
            ASSERT_TRUE(out.str() == bytes) << "round " << round << " trailing " << trailing;

            TZefEditStringList again;
            again.SetTrailingLineBreak(trailing);
            std::istringstream savedIn(out.str());
            again.LoadFromStream(savedIn);
            ASSERT_EQ(again.DebugDump(), list.DebugDump());
            std::ostringstream savedAgain;
            again.SaveToStream(savedAgain);
            ASSERT_TRUE(savedAgain.str() == bytes) << "round " << round;
        }
    }
}

TEST_F(TextBufferFile, BinaryFileComesBackUnchanged)
{
    std::mt19937 random(5);
    std::string bytes(300000, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    WriteFile(Path("binary"), bytes);
    TZefEditStringList list;
    list.LoadFromFile(Path("binary"));
    EXPECT_TRUE(list.HasMixedLineBreaks());
    list.SaveToFile(Path("binary"));
    EXPECT_TRUE(ReadFile(Path("binary")) == bytes);
}

// A mixed file keeps each line's break through edits: a line's break travels with the line, new lines take
// the document's style (CR LF for a file with mixed breaks), and a final break stays missing.
struct BreakEditCase {
    const char* name;
    std::function<void(TZefEditStringList&)> edit;
    std::string saved;
};

TEST(TextBufferStream, EditsInAMixedFileKeepTheOtherLinesBreaks)
{
    const std::string file = "a\rb\r\nc\nd";
    const BreakEditCase cases[] = {
        {"no edit", [](TZefEditStringList&) {}, file},
        {"replace keeps the break", [](TZefEditStringList& l) { l.ReplaceLine(1, "B"); }, "a\rB\r\nc\nd"},
        {"inserted line takes the style", [](TZefEditStringList& l) { l.InsertLine(1, "new"); },
         "a\rnew\r\nb\r\nc\nd"},
        {"added after a last line without break", [](TZefEditStringList& l) { l.AddLine("e"); },
         "a\rb\r\nc\nd\r\ne"},
        {"split: first part keeps the break",
         [](TZefEditStringList& l) {
             l.ReplaceLine(1, "");
             l.InsertEmptyLines(2, 1);
             l.ReplaceLine(2, "b");
         },
         "a\r\r\nb\r\nc\nd"},
        {"join: first line's break stays",
         [](TZefEditStringList& l) {
             l.RemoveLines(1, 1);
             l.ReplaceLine(0, "ab");
         },
         "ab\rc\nd"},
        {"delete line", [](TZefEditStringList& l) { l.DeleteLine(0); }, "b\r\nc\nd"},
        {"CR before an empty LF line is written CR LF, so no line is lost",
         [](TZefEditStringList& l) {
             l.DeleteLine(1);
             l.ReplaceLine(1, "");
         },
         "a\r\n\nd"},
        {"exchange", [](TZefEditStringList& l) { l.ExchangeLines(0, 2); }, "c\nb\r\na\rd"},
        {"append lines", [](TZefEditStringList& l) { l.AppendLines({"x", "y"}); }, "a\rb\r\nc\nd\r\nx\r\ny"},
        {"clear and refill is uniform",
         [](TZefEditStringList& l) {
             l.ClearAll();
             l.AddLine("x");
             l.AddLine("y");
         },
         "x\r\ny"},
    };
    for (const BreakEditCase& c : cases) {
        SCOPED_TRACE(c.name);
        TZefEditStringList list;
        std::istringstream in(file);
        list.LoadFromStream(in);
        ASSERT_TRUE(list.HasMixedLineBreaks());
        ASSERT_EQ(list.LineBreakStyle(), lbsCRLF);
        ASSERT_FALSE(list.TrailingLineBreak());
        const std::vector<int> breaks = {list.GetLineBreak(0), list.GetLineBreak(1), list.GetLineBreak(2),
                                         list.GetLineBreak(3)};
        EXPECT_EQ(breaks, std::vector<int>({lbsCR, lbsCRLF, lbsLF, lbsCRLF})) << "the last line's entry is the style";
        c.edit(list);
        std::ostringstream out;
        list.SaveToStream(out);
        EXPECT_EQ(out.str(), c.saved);
    }
}

// A document emptied by editing saves as an empty file; a loaded file that is just a line break saves as it
// was until it is edited.
TEST(TextBufferStream, EmptiedDocumentSavesNothing)
{
    const BreakEditCase cases[] = {
        {"new store", [](TZefEditStringList&) {}, ""},
        {"one empty line typed into a new store", [](TZefEditStringList& l) { l.AddLine(""); }, ""},
        {"loaded lone break", [](TZefEditStringList& l) { Load(l, "\r\n"); }, "\r\n"},
        {"loaded lone LF", [](TZefEditStringList& l) { Load(l, "\n"); }, "\n"},
        {"loaded lone break, line replaced by nothing",
         [](TZefEditStringList& l) {
             Load(l, "\r\n");
             l.ReplaceLine(0, "");
         },
         ""},
        {"loaded lone break, highlighted", // range states are not edits
         [](TZefEditStringList& l) {
             Load(l, "\r\n");
             l.SetRangeState(0, 3);
         },
         "\r\n"},
        {"text deleted down to one empty line",
         [](TZefEditStringList& l) {
             Load(l, "abc\r\ndef\r\n");
             l.RemoveLines(1, 1);
             l.ReplaceLine(0, "");
         },
         ""},
        {"all lines removed", [](TZefEditStringList& l) {
             Load(l, "abc\r\n");
             l.DeleteLine(0);
         },
         ""},
        {"two empty lines are text", [](TZefEditStringList& l) {
             Load(l, "abc\r\n");
             l.ReplaceLine(0, "");
             l.AddLine("");
         },
         "\r\n\r\n"},
    };
    for (const BreakEditCase& c : cases) {
        SCOPED_TRACE(c.name);
        TZefEditStringList list;
        c.edit(list);
        std::ostringstream out;
        list.SaveToStream(out);
        EXPECT_EQ(out.str(), c.saved);
    }
}

TEST_F(TextBufferFile, LoadNotifiesOncePerLineInsideOneBracket)
{
    WriteFile(Path("in"), "x\ny\n");
    TZefEditStringList list;
    list.AddLine("old");
    std::string log;
    list.OnBeforeChanges = [&](TZefEditStringList*) { log += "B "; };
    list.OnAfterChanges = [&](TZefEditStringList*) { log += "A"; };
    list.OnAllCleared = [&](TZefEditStringList*) { log += "C "; };
    list.OnLinesAdded = [&](TZefEditStringList*, int i, int n) {
        log += "+(" + std::to_string(i) + "," + std::to_string(n) + ") ";
    };
    list.LoadFromFile(Path("in"));
    EXPECT_EQ(log, "B C +(0,1) +(1,1) A");
    EXPECT_EQ(list.DebugDump(), "0 \"x\" range=-1 width=-1 flags=U\n1 \"y\" range=-1 width=-1 flags=U\n");
}

// Lines of a load may share the load buffer; editing and removing them one by one must keep the rest intact.
TEST_F(TextBufferFile, LoadedLinesStayValidWhileEdited)
{
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += "line number " + std::to_string(i) + " of the loaded text\n";
    WriteFile(Path("in"), bytes);
    TZefEditStringList list;
    list.LoadFromFile(Path("in"));
    for (int i = 0; i < 100; i += 3) list.ReplaceLine(i, "edited " + std::to_string(i));
    list.RemoveLines(10, 50);
    while (list.Count() > 1) list.DeleteLine(list.Count() - 1);
    EXPECT_EQ(list.GetLine(0), "edited 0");
    list.LoadFromFile(Path("in"));
    EXPECT_EQ(list.GetLine(99), "line number 99 of the loaded text");
}

// ---------------------------------------------------------------------------------------------------------

TEST_F(TextBufferFile, UnreadableInputRaisesAndKeepsTheStore)
{
    fs::create_directory(Path("folder"));
    struct {
        std::string name;
        int error;
        std::string message;
    } cases[] = {
        {Path("missing.txt"), ENOENT, "Cannot open file \"" + Path("missing.txt") + "\". No such file or directory"},
        {Path("missing/x.txt"), ENOENT, "Cannot open file \"" + Path("missing/x.txt") + "\". No such file or directory"},
        {Path("folder"), EISDIR, "\"" + Path("folder") + "\" is not a regular file."},
        // A pipe without a writer would block a plain open for ever; devices never end.
        {Path("fifo"), EINVAL, "\"" + Path("fifo") + "\" is not a regular file."},
        {"/dev/zero", EINVAL, "\"/dev/zero\" is not a regular file."},
        {Path("zero-link"), EINVAL, "\"" + Path("zero-link") + "\" is not a regular file."},
    };
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", Path("zero-link"));
    ::alarm(20); // a load that blocks or reads for ever ends the test run instead of hanging it
    for (const auto& c : cases) {
        TZefEditStringList list;
        list.AddLine("kept");
        list.SetLineBreakStyle(lbsCR);
        std::string before = list.DebugDump();
        try {
            list.LoadFromFile(c.name);
            ADD_FAILURE() << "no exception for " << c.name;
        } catch (const EZefFileError& e) {
            EXPECT_EQ(e.what(), c.message);
            EXPECT_EQ(e.ErrorNumber(), c.error);
            EXPECT_EQ(e.FileName(), c.name);
        }
        EXPECT_EQ(list.DebugDump(), before);
        EXPECT_EQ(list.LineBreakStyle(), lbsCR);
    }
    ::alarm(0);
}

// A stream that claims ten bytes but delivers four: the read fails before anything is cleared.
TEST(TextBufferStream, ShortReadRaisesAndKeepsTheStore)
{
    class ShortBuf : public std::streambuf {
    protected:
        pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
        {
            if (dir == std::ios_base::end) position_ = 10 + off;
            else if (dir == std::ios_base::beg) position_ = off;
            setg(data_, data_, data_ + 4);
            return pos_type(position_);
        }
        pos_type seekpos(pos_type pos, std::ios_base::openmode which) override
        {
            return seekoff(off_type(pos), std::ios_base::beg, which);
        }

    private:
        char data_[4] = {'a', 'b', 'c', 'd'};
        off_type position_ = 0;
    } buffer;
    std::istream in(&buffer);
    TZefEditStringList list;
    list.AddLine("kept");
    int brackets = 0;
    list.OnAfterChanges = [&](TZefEditStringList*) { ++brackets; };
    EXPECT_THROW(list.LoadFromStream(in), EZefFileError);
    EXPECT_EQ(Lines(list), "kept");
    EXPECT_EQ(brackets, 1);
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TextBufferStream, FailingOutputStreamRaises)
{
    TZefEditStringList list;
    list.AddLine("text");
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    try {
        list.SaveToStream(out);
        FAIL() << "no exception";
    } catch (const EZefFileError& e) {
        EXPECT_STREQ(e.what(), "Cannot write stream. Input/output error");
    }
}

// ---------------------------------------------------------------------------------------------------------

TEST_F(TextBufferFile, SaveKeepsPermissionBitsAndNewFilesFollowTheUmask)
{
    TZefEditStringList list;
    list.AddLine("text");
    WriteFile(Path("old.txt"), "old\n");
    ASSERT_EQ(::chmod(Path("old.txt").c_str(), 0751), 0);
    list.SaveToFile(Path("old.txt"));
    struct stat info;
    ASSERT_EQ(::stat(Path("old.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);

    mode_t previous = ::umask(027);
    list.SaveToFile(Path("new.txt"));
    ::umask(previous);
    ASSERT_EQ(::stat(Path("new.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(Path("new.txt")), "text\r\n");
}

TEST_F(TextBufferFile, SaveWritesThroughSymbolicLinks)
{
    fs::create_directory(Path("real"));
    WriteFile(Path("real/target.txt"), "old\n");
    fs::create_symlink("real/target.txt", Path("hop")); // relative, resolved against the link's folder
    fs::create_symlink(Path("hop"), Path("link"));     // a chain of two links
    fs::create_symlink("real/new.txt", Path("dangling"));

    TZefEditStringList list;
    list.AddLine("new");
    list.SaveToFile(Path("link"));
    EXPECT_TRUE(fs::is_symlink(Path("link")));
    EXPECT_TRUE(fs::is_symlink(Path("hop")));
    EXPECT_EQ(ReadFile(Path("real/target.txt")), "new\r\n");

    list.SaveToFile(Path("dangling"));
    EXPECT_TRUE(fs::is_symlink(Path("dangling")));
    EXPECT_EQ(ReadFile(Path("real/new.txt")), "new\r\n");
    EXPECT_EQ(Entries(Path("real")), (std::vector<std::string>{"new.txt", "target.txt"}));
}

TEST_F(TextBufferFile, SaveFailuresRaiseAndLeaveTheOldFile)
{
    fs::create_directory(Path("folder"));
    TZefEditStringList list;
    list.AddLine("text");
    struct {
        std::string name;
        int error;
        std::string message;
    } cases[] = {
        {Path("gone/a.txt"), ENOENT, "Cannot create file \"" + Path("gone/a.txt") + "\". No such file or directory"},
        {Path("folder"), EISDIR, "Cannot create file \"" + Path("folder") + "\". Is a directory"},
    };
    for (const auto& c : cases) {
        try {
            list.SaveToFile(c.name);
            ADD_FAILURE() << "no exception for " << c.name;
        } catch (const EZefFileError& e) {
            EXPECT_EQ(e.what(), c.message);
            EXPECT_EQ(e.ErrorNumber(), c.error);
        }
    }
    EXPECT_EQ(Entries(folder_), (std::vector<std::string>{"folder"}));
    EXPECT_TRUE(Entries(Path("folder")).empty());
}

// A full disk: a 64 KiB tmpfs holds the old file; a save of 1 MiB must fail without touching it.
TEST_F(TextBufferFile, FullDiskLeavesTheOldFileIntact)
{
    std::string disk = Path("disk");
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{disk};

    std::string target = disk + "/doc.txt";
    WriteFile(target, "old text\n");
    TZefEditStringList list;
    for (int i = 0; i < 1024; ++i) list.AddLine(std::string(1023, 'x'));
    try {
        list.SaveToFile(target);
        FAIL() << "no exception";
    } catch (const EZefFileError& e) {
        EXPECT_EQ(e.ErrorNumber(), ENOSPC);
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + target + "\". No space left on device");
    }
    EXPECT_EQ(ReadFile(target), "old text\n");
    EXPECT_EQ(Entries(disk), (std::vector<std::string>{"doc.txt"}));
}

// ---------------------------------------------------------------------------------------------------------

TEST_F(TextBufferFile, WriterFlushesBeforeALineThatDoesNotFitAndGrowsForAHugeOne)
{
    std::string path = Path("w.txt");
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    auto fileSize = [&] { return fs::file_size(path); };
    {
        TZefEditFileWriter writer(fd, path, lbsCRLF);
        EXPECT_EQ(writer.BufferSize(), 16384u);
        writer.WriteLine(std::string(10000, 'a'));
        EXPECT_EQ(writer.FillPosition(), 10002u);
        EXPECT_EQ(fileSize(), 0u);
        writer.WriteLine(std::string(6382, 'b'), false); // fills the buffer exactly
        EXPECT_EQ(writer.FillPosition(), 16384u);
        EXPECT_EQ(fileSize(), 0u);
        writer.WriteLine(""); // a break alone no longer fits
        EXPECT_EQ(fileSize(), 16384u);
        EXPECT_EQ(writer.FillPosition(), 2u);
        writer.WriteLine(std::string(20000, 'c'));
        EXPECT_EQ(writer.BufferSize(), 20002u);
        EXPECT_EQ(fileSize(), 16386u);
        EXPECT_EQ(writer.FillPosition(), 20002u);
    } // the destructor writes the rest
    EXPECT_TRUE(ReadFile(path) == std::string(10000, 'a') + "\r\n" + std::string(6382, 'b') + "\r\n" +
                                      std::string(20000, 'c') + "\r\n");
}

TEST(TextBufferWriter, WriteErrorCarriesThePlatformMessage)
{
    int fd = ::open("/dev/full", O_WRONLY);
    if (fd < 0) GTEST_SKIP() << "no /dev/full";
    TZefEditFileWriter writer(fd, "/dev/full", lbsLF);
    writer.WriteLine("abc");
    try {
        writer.Close();
        FAIL() << "no exception";
    } catch (const EZefFileError& e) {
        EXPECT_STREQ(e.what(), "Cannot write file \"/dev/full\". No space left on device");
        EXPECT_EQ(e.ErrorNumber(), ENOSPC);
    }
}

} // namespace
