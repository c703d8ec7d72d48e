// Tests of gutter marks and the mark list: ownership, notifications, marks per line and mark shifting.
#include "ZefEditMarks.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The control is only an identity here; it is never dereferenced.
alignas(8) char controlStandIn[8];
TCustomZefEdit* const kOwner = reinterpret_cast<TCustomZefEdit*>(controlStandIn);

std::unique_ptr<TZefEditMark> NewMark(int line, int bookmark = -1, bool shown = false)
{
    auto mark = std::make_unique<TZefEditMark>(kOwner);
    mark->SetMarkLine(line);
    mark->SetBookmarkIndex(bookmark);
    mark->SetShown(shown);
    return mark;
}

// Counts frees and line changes, to check ownership and that shifting goes through the overridable setter.
struct CountingMark : TZefEditMark {
    CountingMark(int line, int* freed, int* lineSets) : TZefEditMark(kOwner), freed_(freed), lineSets_(lineSets)
    {
        TZefEditMark::SetMarkLine(line);
    }
    ~CountingMark() override { ++*freed_; }
    void SetMarkLine(int value) override
    {
        ++*lineSets_;
        TZefEditMark::SetMarkLine(value);
    }
    int* freed_;
    int* lineSets_;
};

std::string Lines(const TZefEditMarkList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) {
        if (!out.empty()) out += ' ';
        out += std::to_string(list.Item(i)->MarkLine());
    }
    return out;
}

// Shifting cases: the marks' lines before and after one insertion or removal.
struct ShiftCase {
    const char* name;
    bool removal;
    int firstLine;
    int count;
    std::vector<int> before;
    const char* after;

    friend void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.name; }
};

class MarkShifting : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(MarkShifting, MarksFollowTheirText)
{
    const ShiftCase& c = GetParam();
    TZefEditMarkList list(kOwner);
    for (int line : c.before) list.AddMark(NewMark(line));
    if (c.removal)
        list.LinesRemoved(c.firstLine, c.count);
    else
        list.LinesInserted(c.firstLine, c.count);
    EXPECT_EQ(Lines(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkShifting,
    ::testing::Values(
        // Insertion at line 3: the mark on 3 and those below move, those above stay.
        ShiftCase{"InsertTwoAtThree", false, 3, 2, {1, 2, 3, 4, 9}, "1 2 5 6 11"},
        ShiftCase{"InsertAtFirstLine", false, 1, 1, {1, 2}, "2 3"},
        ShiftCase{"InsertNothing", false, 1, 0, {1, 2}, "1 2"},
        // Lines 3..6 removed: 3 stays (its remainder is joined), 4 and 5 fall onto 3, the last removed line
        // lands before the range, lines below move up by four.
        ShiftCase{"RemoveFourFromThree", true, 3, 4, {1, 2, 3, 4, 5, 6, 7, 8}, "1 2 3 3 3 2 3 4"},
        // Two lines: nothing strictly inside, the first stays and the second lands on 2.
        ShiftCase{"RemoveTwoFromThree", true, 3, 2, {2, 3, 4, 5}, "2 3 2 3"},
        // One line (a line joined onto the previous one): its marks go with it to the line before.
        ShiftCase{"RemoveOneLine", true, 3, 1, {2, 3, 4}, "2 2 3"},
        ShiftCase{"RemoveNothing", true, 3, 0, {2, 3, 4}, "2 3 4"},
        ShiftCase{"RemoveBelowAllMarks", true, 10, 5, {1, 9}, "1 9"},
        // The first line removed: its marks stay on line 1 instead of falling off the text.
        ShiftCase{"RemoveFirstLine", true, 1, 1, {1, 2}, "1 1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MarkShifting, GoesThroughTheOverridableSetter)
{
    int freed = 0;
    int lineSets = 0;
    TZefEditMarkList list(kOwner);
    list.AddMark(std::make_unique<CountingMark>(2, &freed, &lineSets));
    list.AddMark(std::make_unique<CountingMark>(7, &freed, &lineSets));
    list.LinesInserted(5, 3);
    list.LinesRemoved(8, 3);
    EXPECT_EQ(Lines(list), "2 7");
    EXPECT_EQ(lineSets, 2) << "only the moved mark is set, once per shift";
}

class MarkListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.OnChange = [this](TZefEditMarkList* sender) {
            EXPECT_EQ(sender, &list);
            ++changes;
        };
        list.OnInvalidateLines = [this](int oldLine, int newLine) {
            invalidated += std::to_string(oldLine) + "-" + std::to_string(newLine) + " ";
        };
    }
    TZefEditMarkList list{kOwner};
    int changes = 0;
    std::string invalidated;
};

TEST_F(MarkListFixture, OwnershipAndOwner)
{
    int freed = 0;
    int lineSets = 0;
    auto owned = std::make_unique<CountingMark>(1, &freed, &lineSets);
    EXPECT_EQ(owned->Owner(), nullptr) << "not in a list yet";
    TZefEditMark* a = list.AddMark(std::move(owned));
    TZefEditMark* b = list.AddMark(std::make_unique<CountingMark>(2, &freed, &lineSets));
    list.AddMark(std::make_unique<CountingMark>(3, &freed, &lineSets));
    EXPECT_EQ(a->Owner(), kOwner);
    EXPECT_EQ(list.AddMark(nullptr), nullptr);
    EXPECT_EQ(changes, 3);

    std::unique_ptr<TZefEditMark> taken = list.RemoveMark(a);
    ASSERT_EQ(taken.get(), a);
    EXPECT_EQ(a->Owner(), nullptr);
    EXPECT_EQ(freed, 0) << "removing hands the mark back without freeing it";
    EXPECT_EQ(list.RemoveMark(a), nullptr);
    EXPECT_EQ(changes, 4);

    list.Delete(list.IndexOf(b));
    EXPECT_EQ(freed, 1);
    list.Delete(5);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(Lines(list), "3");

    taken.reset();
    EXPECT_EQ(freed, 2);
    {
        TZefEditMarkList other(kOwner);
        other.AddMark(std::make_unique<CountingMark>(4, &freed, &lineSets));
    }
    EXPECT_EQ(freed, 3) << "the list frees its marks";
}

TEST_F(MarkListFixture, PlaceMarkAsksTheHookFirst)
{
    EXPECT_NE(list.PlaceMark(NewMark(1)), nullptr) << "no hook: placed as given";

    list.OnPlaceBookmark = [](TZefEditMarkList*, std::unique_ptr<TZefEditMark>& mark) { mark.reset(); };
    EXPECT_EQ(list.PlaceMark(NewMark(2)), nullptr);

    list.OnPlaceBookmark = [](TZefEditMarkList*, std::unique_ptr<TZefEditMark>& mark) {
        mark = NewMark(mark->MarkLine() + 10, 4);
    };
    TZefEditMark* placed = list.PlaceMark(NewMark(3));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->BookmarkIndex(), 4);
    EXPECT_EQ(list.FindBookmark(4), placed);
    EXPECT_EQ(list.FindBookmark(5), nullptr);
    EXPECT_EQ(Lines(list), "1 13");
    EXPECT_EQ(changes, 3) << "the list notifies whether or not a mark was placed";
}

TEST_F(MarkListFixture, ClearLineMarksKeepsBookmarks)
{
    list.AddMark(NewMark(5));
    list.AddMark(NewMark(5, 0));
    list.AddMark(NewMark(6));
    list.AddMark(NewMark(5));
    changes = 0;
    list.ClearLineMarks(5);
    EXPECT_EQ(Lines(list), "5 6");
    EXPECT_TRUE(list.Item(0)->IsBookmark());
    EXPECT_EQ(changes, 1);
    list.ClearLineMarks(5);
    list.ClearLineMarks(9);
    EXPECT_EQ(changes, 1) << "nothing removed, nothing to repaint";
}

TEST_F(MarkListFixture, MarksForLineFillsSixteenSlotsInOrder)
{
    std::vector<TZefEditMark*> onLine;
    for (int i = 0; i < 18; ++i) {
        list.AddMark(NewMark(8 + (i % 3 == 1 ? 1 : 0)));
        if (list.Item(i)->MarkLine() == 8) onLine.push_back(list.Item(i));
    }
    ASSERT_EQ(onLine.size(), 12u);
    for (int i = 0; i < 6; ++i) onLine.push_back(list.AddMark(NewMark(8)));

    const TZefEditMarks slots = list.MarksForLine(8);
    for (int i = 0; i < MaxMarksPerLine; ++i) EXPECT_EQ(slots[i], onLine[static_cast<size_t>(i)]) << i;

    const TZefEditMarks few = list.MarksForLine(9);
    int used = 0;
    for (TZefEditMark* mark : few) used += mark != nullptr ? 1 : 0;
    EXPECT_EQ(used, 6);
    EXPECT_EQ(few[5]->MarkLine(), 9);
    EXPECT_EQ(few[6], nullptr);
}

TEST_F(MarkListFixture, ShownMarksAskForRepaintOfTheirRows)
{
    TZefEditMark* shown = list.AddMark(NewMark(3, -1, true));
    TZefEditMark* hidden = list.AddMark(NewMark(4));

    shown->SetMarkLine(7);
    shown->SetGlyphIndex(2);
    shown->SetUsesDefaultGlyphs(true);
    shown->SetMarkChar(5);
    hidden->SetMarkLine(9);
    hidden->SetGlyphIndex(1);
    EXPECT_EQ(invalidated, "3-7 7-7 7-7 ");

    invalidated.clear();
    hidden->SetShown(true);
    shown->SetShown(false);
    EXPECT_EQ(invalidated, "9-9 7-7 ") << "showing and hiding both repaint";

    invalidated.clear();
    list.LinesInserted(1, 1);
    EXPECT_EQ(invalidated, "9-10 ") << "only the shown mark repaints when shifted";
}

} // namespace
