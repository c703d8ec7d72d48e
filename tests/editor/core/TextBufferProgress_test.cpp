// Loading and saving a big file with a progress: what is told, what a stop leaves behind, and a file that
// another program shrinks or rewrites while it is open.
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// About 20 MB of numbered lines: big enough to be told in several steps.
const std::string& BigText()
{
    static const std::string text = [] {
        std::string bytes;
        const std::string filler(90, 'x');
        for (int i = 0; bytes.size() < (size_t{20} << 20); ++i) bytes += std::to_string(i) + filler + "\r\n";
        return bytes;
    }();
    return text;
}

struct Report {
    uint64_t done;
    uint64_t total;
};

class TextBufferProgress : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zefra-progress-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        path_ = folder_ + "/big.txt";
        WriteFile(path_, BigText());
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A progress that writes down every report and asks to stop at report number stopAt (never with -1).
    TZefWorkProgress Recording(int stopAt = -1)
    {
        return [this, stopAt](uint64_t done, uint64_t total) {
            reports_.push_back({done, total});
            return static_cast<int>(reports_.size()) != stopAt;
        };
    }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        return names;
    }

    std::string folder_;
    std::string path_;
    std::vector<Report> reports_;
};

TEST_F(TextBufferProgress, LoadTellsItsWorkInOrderAndWithinTheTotal)
{
    TZefEditStringList lines;
    lines.LoadFromFile(path_, Recording());
    ASSERT_GE(reports_.size(), 3u);
    for (size_t i = 0; i < reports_.size(); ++i) {
        EXPECT_LE(reports_[i].done, reports_[i].total);
        if (i > 0) {
            EXPECT_GT(reports_[i].done, reports_[i - 1].done);
        }
    }
    // The last report comes near the end of the work, not in its first third.
    EXPECT_GT(reports_.back().done, reports_.back().total / 2);
    EXPECT_EQ(lines.GetText(), BigText());
}

TEST_F(TextBufferProgress, StopsAtEachStageLeaveNoHalfLoadedText)
{
    // Measure how many reports each stage gives, then stop in the read, in the line search and in the
    // storing of lines.
    {
        TZefEditStringList lines;
        lines.LoadFromFile(path_, Recording());
    }
    const uint64_t total = reports_.back().total;
    int firstFinding = 0, firstStoring = 0;
    for (size_t i = 0; i < reports_.size(); ++i) {
        if (!firstFinding && reports_[i].done > total / 3) firstFinding = static_cast<int>(i) + 1;
        if (!firstStoring && reports_[i].done > 2 * total / 3) firstStoring = static_cast<int>(i) + 1;
    }
    ASSERT_GT(firstFinding, 1);
    ASSERT_GT(firstStoring, firstFinding);

    struct Case {
        const char* stage;
        int stopAt;
        bool keepsOldLines; // a stop before storing leaves the lines as they were
    };
    // A big file's lines are found while it is read: a stop there keeps the old lines too.
    for (const Case& stop : {Case{"read", 1, true}, Case{"finding lines", firstFinding, true},
                             Case{"storing lines", firstStoring + 1, false}}) {
        SCOPED_TRACE(stop.stage);
        TZefEditStringList lines;
        lines.SetText("old\ntext");
        reports_.clear();
        EXPECT_THROW(lines.LoadFromFile(path_, Recording(stop.stopAt)), EZefWorkCancelled);
        EXPECT_EQ(static_cast<int>(reports_.size()), stop.stopAt) << "no report after the stop";
        if (stop.keepsOldLines) {
            EXPECT_EQ(lines.Count(), 2);
            EXPECT_EQ(lines.GetLine(1), "text");
        } else {
            EXPECT_EQ(lines.Count(), 0);
        }
        // The store is usable afterwards.
        lines.LoadFromFile(path_);
        EXPECT_EQ(lines.GetText(), BigText());
    }
}

TEST_F(TextBufferProgress, StoppedSaveLeavesTheOldFileAndNoTemporary)
{
    TZefEditStringList lines;
    lines.LoadFromFile(path_);
    lines.ReplaceLine(0, "changed");
    const std::string target = folder_ + "/target.txt";
    WriteFile(target, "the old file\n");
    EXPECT_THROW(lines.SaveToFile(target, Recording(2)), EZefWorkCancelled);
    EXPECT_EQ(ReadFile(target), "the old file\n");
    EXPECT_EQ(FolderEntries().size(), 2u) << "only big.txt and target.txt";

    // Told in lines, and finished when not stopped.
    reports_.clear();
    lines.SaveToFile(target, Recording());
    ASSERT_FALSE(reports_.empty());
    EXPECT_EQ(reports_.back().total, static_cast<uint64_t>(lines.Count()));
    EXPECT_EQ(ReadFile(target).substr(0, 9), "changed\r\n");
    EXPECT_EQ(ReadFile(target).size(), BigText().size() - BigText().find('\r') + 7);
}

TEST_F(TextBufferProgress, FileShrunkOrRewrittenWhileOpenChangesNothingInTheText)
{
    TZefEditStringList lines;
    lines.LoadFromFile(path_);
    // Another program truncates the file, then writes something else of another length in its place.
    fs::resize_file(path_, 10);
    EXPECT_EQ(lines.GetText(), BigText());
    WriteFile(path_, std::string(3 << 20, 'z'));
    EXPECT_EQ(lines.GetText(), BigText());
    // Editing and saving back gives the text as it was loaded.
    lines.InsertLine(1, "inserted");
    lines.DeleteLine(1);
    lines.SaveToFile(path_);
    EXPECT_EQ(ReadFile(path_), BigText());
}

} // namespace
