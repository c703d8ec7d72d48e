// The line store over many blocks: random edits against a plain model, loaded lines beside edited ones,
// and the per-line data that only some lines hold.
#include "LineStoreModel.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Scripts long enough to split, merge and empty blocks of a document several thousand lines long.
TEST(LineBlocks, RandomEditsMatchTheModel)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        TZefEditStringList store;
        TLineModel model;
        model.Load(store, 5000, seed);
        ASSERT_EQ(model.Differs(store), "") << "after loading, seed " << seed;
        std::mt19937 random(seed);
        for (int step = 0; step < 1200; ++step) {
            const auto op = static_cast<unsigned char>(random());
            const auto arg = static_cast<unsigned char>(random());
            model.Apply(store, op, arg);
            if (step % 100 == 0 || op % 12 == 3 || op % 12 == 4) {
                ASSERT_EQ(model.Differs(store), "") << "seed " << seed << " step " << step << " op " << op % 12;
            }
        }
        ASSERT_EQ(model.Differs(store), "") << "seed " << seed;
    }
}

// Lines of one load share the load buffer: removing all but one, then that one, must keep each remaining
// line's text intact and free nothing still in use (the sanitizer build checks the reads).
TEST(LineBlocks, LoadedLinesOutliveTheirNeighbours)
{
    TZefEditStringList store;
    TLineModel model;
    model.Load(store, 3000, 9);
    for (int i = 2999; i > 0; i -= 2) {
        store.DeleteLine(i);
        model.lines.erase(model.lines.begin() + i);
    }
    ASSERT_EQ(model.Differs(store), "");
    store.ReplaceInLine(0, 0, 0, "edited ");
    model.lines[0].text.insert(0, "edited ");
    store.RemoveLines(1, store.Count() - 1);
    model.lines.resize(1);
    EXPECT_EQ(model.Differs(store), "");
}

// Ranges and objects set on a few lines stay with those lines as lines are inserted and removed around
// them, across block boundaries; every other line reads the defaults.
TEST(LineBlocks, SparseRangesAndObjectsFollowTheirLines)
{
    TZefEditStringList store;
    TLineModel model;
    model.Load(store, 4000, 5);
    int object = 0;
    for (const int line : {0, 1023, 1024, 2047, 2048, 3999}) {
        store.SetRangeState(line, line + 1);
        store.SetUserObject(line, &object);
        model.lines[static_cast<size_t>(line)].range = line + 1;
        model.lines[static_cast<size_t>(line)].object = &object;
    }
    store.InsertEmptyLines(1024, 3000);
    model.lines.insert(model.lines.begin() + 1024, 3000, TLineModel::TLine{"", 0});
    store.RemoveLines(10, 2000);
    model.lines.erase(model.lines.begin() + 10, model.lines.begin() + 2010);
    ASSERT_EQ(model.Differs(store), "");
    EXPECT_EQ(store.GetRangeState(store.Count() - 1), 4000);
    EXPECT_EQ(store.GetUserObject(store.Count() - 1), &object);
}

// Small ranges are kept a byte a line until a block gets one that does not fit; both kinds of block must
// keep every value as blocks split and merge, and setting ranges in one pass must equal setting them one by
// one.
TEST(LineBlocks, SmallAndLargeRangesFollowTheirLines)
{
    TZefEditStringList store;
    TLineModel model;
    model.Load(store, 3000, 7);
    store.ScanRangeStates(0, 3000, [](std::string_view, int line) { return line % 256 - 1; });
    for (int line = 0; line < 3000; ++line) model.lines[static_cast<size_t>(line)].range = line % 256 - 1;
    ASSERT_EQ(model.Differs(store), "");
    for (const auto& [line, range] : {std::pair{1500, 100000}, std::pair{10, -1}, std::pair{2999, -7}}) {
        store.SetRangeState(line, range);
        model.lines[static_cast<size_t>(line)].range = range;
    }
    store.InsertEmptyLines(1400, 2500);
    model.lines.insert(model.lines.begin() + 1400, 2500, TLineModel::TLine{"", 0});
    store.RemoveLines(5, 1200);
    model.lines.erase(model.lines.begin() + 5, model.lines.begin() + 1205);
    store.RemoveLines(3000, 600);
    model.lines.erase(model.lines.begin() + 3000, model.lines.begin() + 3600);
    EXPECT_EQ(model.Differs(store), "");
}

} // namespace
