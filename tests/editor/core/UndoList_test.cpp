// Tests of the undo list's bookkeeping: numbering, groups, lock, trimming, saved state and notifications.
#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Script = std::function<void(TZefEditUndoList&)>;

void Add(TZefEditUndoList& list, TUndoKind kind = ucInsert, std::string_view text = "x")
{
    list.AddRecord(kind, TBufferCoord{1, 1}, TBufferCoord{2, 1}, text, smNormal);
}

// Only the change numbers and kinds, oldest first: "1:ucInsert 1:ucInsert 2:ucGroupBreak".
std::string Numbers(const TZefEditUndoList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) {
        if (!out.empty()) out += ' ';
        out += std::to_string(list.Item(i).ChangeNumber) + ':' + UndoKindName(list.Item(i).Kind);
    }
    return out;
}

struct NumberingCase {
    const char* name;
    Script script;
    const char* expected;

    friend void PrintTo(const NumberingCase& c, std::ostream* os) { *os << c.name; }
};

class UndoNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(UndoNumbering, AssignsChangeNumbers)
{
    TZefEditUndoList list;
    GetParam().script(list);
    EXPECT_EQ(Numbers(list), GetParam().expected);
}

constexpr TZefChangeNumber Last = 0xFFFFFFFFu;

INSTANTIATE_TEST_SUITE_P(
    Cases, UndoNumbering,
    ::testing::Values(
        NumberingCase{"SeparateRecordsAdvance", [](auto& l) { Add(l); Add(l); Add(l); },
                      "1:ucInsert 2:ucInsert 3:ucInsert"},
        NumberingCase{"GroupSharesOneNumber",
                      [](auto& l) {
                          l.BeginGroup();
                          Add(l, ucDeleteBlock);
                          Add(l, ucInsert);
                          l.EndGroup();
                          Add(l);
                      },
                      "1:ucDeleteBlock 1:ucInsert 2:ucInsert"},
        NumberingCase{"NestedGroupsShareTheOuterNumber",
                      [](auto& l) {
                          Add(l);
                          l.BeginGroup();
                          Add(l);
                          l.BeginGroup();
                          Add(l);
                          l.EndGroup();
                          Add(l);
                          l.EndGroup();
                          Add(l);
                      },
                      "1:ucInsert 2:ucInsert 2:ucInsert 2:ucInsert 3:ucInsert"},
        NumberingCase{"EmptyGroupStillUsesANumber",
                      [](auto& l) {
                          l.BeginGroup();
                          l.EndGroup();
                          Add(l);
                      },
                      "2:ucInsert"},
        NumberingCase{"UnbalancedEndGroupIsIgnored",
                      [](auto& l) {
                          l.EndGroup();
                          Add(l);
                          l.EndGroup();
                          Add(l);
                      },
                      "1:ucInsert 2:ucInsert"},
        NumberingCase{"GroupNumberSetDirectly",
                      [](auto& l) {
                          l.SetGroupNumber(7);
                          Add(l);
                          Add(l);
                          l.SetGroupNumber(0);
                          Add(l);
                      },
                      "7:ucInsert 7:ucInsert 1:ucInsert"},
        NumberingCase{"WrapAroundSkipsZero",
                      [](auto& l) {
                          l.SetNextChangeNumber(Last);
                          Add(l);
                          Add(l);
                      },
                      "4294967295:ucInsert 1:ucInsert"},
        NumberingCase{"WrapAroundAfterAGroup",
                      [](auto& l) {
                          l.SetNextChangeNumber(Last);
                          l.BeginGroup();
                          Add(l);
                          Add(l);
                          l.EndGroup();
                          Add(l);
                      },
                      "4294967295:ucInsert 4294967295:ucInsert 1:ucInsert"},
        NumberingCase{"LockedAddsNothingAndKeepsTheNumber",
                      [](auto& l) {
                          l.Lock();
                          l.Lock();
                          Add(l);
                          l.Unlock();
                          Add(l);
                          l.Unlock();
                          Add(l);
                      },
                      "1:ucInsert"},
        NumberingCase{"UnlockDoesNotGoBelowZero",
                      [](auto& l) {
                          l.Unlock();
                          l.Lock();
                          Add(l);
                          l.Unlock();
                          Add(l);
                      },
                      "1:ucInsert"},
        NumberingCase{"GroupBreakNotDoubled",
                      [](auto& l) {
                          Add(l);
                          l.AddGroupBreak();
                          l.AddGroupBreak();
                          Add(l);
                          l.AddGroupBreak();
                      },
                      "1:ucInsert 2:ucGroupBreak 3:ucInsert 4:ucGroupBreak"},
        NumberingCase{"GroupBreakWhileLocked",
                      [](auto& l) {
                          Add(l);
                          l.Lock();
                          l.AddGroupBreak();
                      },
                      "1:ucInsert"},
        NumberingCase{"PushKeepsTheRecordsNumber",
                      [](auto& l) {
                          l.PushRecord(TZefEditUndoItem{ucPaste, smLine, {1, 1}, {1, 3}, "a", 42});
                          l.Lock();
                          l.PushRecord(TZefEditUndoItem{ucGroupBreak, smNormal, {0, 0}, {0, 0}, "", 43});
                          l.Unlock();
                          Add(l);
                      },
                      "42:ucPaste 43:ucGroupBreak 1:ucInsert"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UndoList, EmptyListAnswers)
{
    TZefEditUndoList list;
    EXPECT_FALSE(list.CanUndo());
    EXPECT_EQ(list.LastKind(), ucNone);
    EXPECT_EQ(list.PeekRecord(), nullptr);
    EXPECT_FALSE(list.PopRecord().has_value());
    EXPECT_EQ(list.Maximum(), 1024);
    EXPECT_EQ(list.NextChangeNumber(), 1u);
    EXPECT_TRUE(list.IsAtSavedState());
}

TEST(UndoList, PopReturnsTheTopRecordWhole)
{
    TZefEditUndoList list;
    list.AddRecord(ucDeleteBlock, {3, 2}, {5, 4}, "gone\r\ntext", smColumn);
    Add(list, ucBreakLine);
    EXPECT_EQ(list.LastKind(), ucBreakLine);
    ASSERT_TRUE(list.PopRecord().has_value());
    ASSERT_NE(list.PeekRecord(), nullptr);
    EXPECT_EQ(*list.PeekRecord(),
              (TZefEditUndoItem{ucDeleteBlock, smColumn, {3, 2}, {5, 4}, "gone\r\ntext", 1}));
    const auto top = list.PopRecord();
    ASSERT_TRUE(top.has_value());
    EXPECT_EQ(top->Text, "gone\r\ntext");
    EXPECT_FALSE(list.CanUndo());
}

TEST(UndoList, DebugDumpEscapesText)
{
    TZefEditUndoList list;
    list.AddRecord(ucDeleteLine, {1, 2}, {1, 3}, std::string_view("a\r\n\t\"\\\x01\0z", 9), smLine);
    list.AddGroupBreak();
    EXPECT_EQ(list.DebugDump(),
              "#1 ucDeleteLine smLine (1,2)-(1,3) \"a\\r\\n\\t\\\"\\\\\\x01\\x00z\"\n"
              "#2 ucGroupBreak smNormal (0,0)-(0,0) \"\"\n");
}

TEST(UndoList, TrimsOldestRecordsToTheMaximum)
{
    TZefEditUndoList list;
    list.SetMaximum(2);
    Add(list, ucInsert);
    Add(list, ucPaste);
    Add(list, ucDrop);
    EXPECT_EQ(Numbers(list), "2:ucPaste 3:ucDrop");

    list.SetMaximum(1);
    EXPECT_EQ(Numbers(list), "3:ucDrop");

    list.SetMaximum(-5);
    EXPECT_EQ(list.Maximum(), 0);
    EXPECT_EQ(list.Count(), 0);
    Add(list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(UndoList, TrimmingKeepsTheSavedState)
{
    TZefEditUndoList list;
    list.SetMaximum(2);
    Add(list);
    Add(list);
    list.MarkSaved(true);
    list.SetMaximum(1);
    EXPECT_EQ(list.SavedNumber(), 2);
    EXPECT_TRUE(list.IsAtSavedState());
}

// Saved-state transitions: each step acts on the list and gives the expected IsAtSavedState after it.
struct SavedStep {
    const char* action;
    bool atSaved;
    int64_t savedNumber;
};

TEST(UndoList, SavedStateFollowsUndoAndRedo)
{
    TZefEditUndoList undo;
    TZefEditUndoList redo; // stands in for the redo list: popped records are kept to be pushed back
    const std::vector<SavedStep> steps = {
        {"start", true, 0},   {"add", false, 0},      {"save", true, 1},   {"add", false, 1},
        {"add", false, 1},    {"undo", false, 1},     {"undo", true, 1},   {"undo", false, 1},
        {"redo", true, 1},    {"redo", false, 1},     {"unsave", false, 1}, {"undo", true, 1},
        {"unsave", false, -1}, {"redo", false, -1},   {"undo", false, -1}, {"undo", false, -1},
        {"save", true, 0},    {"add", false, 0},      {"undo", true, 0},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string action = steps[i].action;
        if (action == "add") {
            Add(undo);
        } else if (action == "save") {
            undo.MarkSaved(true);
        } else if (action == "unsave") {
            undo.MarkSaved(false);
        } else if (action == "undo") {
            auto record = undo.PopRecord();
            ASSERT_TRUE(record.has_value()) << "step " << i;
            redo.PushRecord(std::move(*record));
        } else if (action == "redo") {
            auto record = redo.PopRecord();
            ASSERT_TRUE(record.has_value()) << "step " << i;
            undo.PushRecord(std::move(*record));
        }
        EXPECT_EQ(undo.IsAtSavedState(), steps[i].atSaved) << "step " << i << " " << action;
        EXPECT_EQ(undo.SavedNumber(), steps[i].savedNumber) << "step " << i << " " << action;
    }
}

TEST(UndoList, SavedStateOfAGroupIsItsNumber)
{
    TZefEditUndoList list;
    list.BeginGroup();
    Add(list);
    Add(list);
    list.EndGroup();
    list.MarkSaved(true);
    (void)list.PopRecord();
    EXPECT_TRUE(list.IsAtSavedState()) << "the group's first record carries the same number";
    (void)list.PopRecord();
    EXPECT_FALSE(list.IsAtSavedState());
}

// A model document for the saved state: every record appends its own token to the text, so two states have
// the same text exactly when they are the same state. Undo and redo move whole change numbers between the two
// lists, as the editor does; a new edit empties the redo list. Records trimmed from the undo list can no
// longer be undone, so their tokens stay in the text for good.
class SavedStateModel {
public:
    explicit SavedStateModel(int maximum) { SetMaximum(maximum); }

    // Both lists at once, as the editor's MaxUndo sets them.
    void SetMaximum(int maximum)
    {
        undo.SetMaximum(maximum);
        redo.SetMaximum(maximum);
    }

    // One command: `records` records sharing one change number.
    void Edit(int records = 1)
    {
        undo.BeginGroup();
        for (int i = 0; i < records; ++i) {
            const std::string token = std::to_string(nextToken_++) + ",";
            undo.AddRecord(ucInsert, {1, 1}, {1, 1}, token, smNormal);
            text += token;
        }
        undo.EndGroup();
        redo.ClearRecords();
    }
    void Save()
    {
        undo.MarkSaved(true);
        savedText = text;
    }
    bool Undo() { return Move(undo, redo, false); }
    bool Redo() { return Move(redo, undo, true); }
    bool Modified() const { return !undo.IsAtSavedState(); }

    TZefEditUndoList undo;
    TZefEditUndoList redo;
    std::string text;
    std::string savedText;

private:
    bool Move(TZefEditUndoList& from, TZefEditUndoList& to, bool append)
    {
        if (!from.CanUndo()) return false;
        const TZefChangeNumber number = from.PeekRecord()->ChangeNumber;
        while (from.CanUndo() && from.PeekRecord()->ChangeNumber == number) {
            TZefEditUndoItem record = *from.PopRecord();
            if (append) {
                text += record.Text;
            } else {
                EXPECT_TRUE(text.ends_with(record.Text));
                text.resize(text.size() - record.Text.size());
            }
            to.PushRecord(std::move(record));
        }
        return true;
    }

    int nextToken_ = 1;
};

// Saving at different points, then more edits than the list keeps, then undoing everything possible:
// "Modified" must be on whenever the text differs from the saved text, and with distinct edits it is off
// exactly at the saved text (trimming away the saved point's own record leaves "everything undone" as the
// saved state).
struct TrimCase {
    const char* name;
    int maximum;
    int editsBeforeSave;
    int editsAfterSave;
    int recordsPerEdit;
    bool savedTextReachable; // after undoing everything possible
};

TEST(UndoList, ModifiedFollowsTheTextThroughTrimming)
{
    const TrimCase cases[] = {
        {"saved empty, nothing trimmed", 8, 0, 8, 1, true},
        {"saved empty, one edit beyond the maximum", 8, 0, 9, 1, false},
        {"saved empty, 1200 records kept to 1024", 1024, 0, 1200, 1, false},
        {"saved after 3, trimmed up to the saved record", 8, 3, 8, 1, true},
        {"saved after 3, trimmed past the saved record", 8, 3, 9, 1, false},
        {"saved after 3, saved record kept", 8, 3, 5, 1, true},
        {"saved after a group, group trimmed in part", 8, 2, 2, 3, true},
        {"saved after a group, trimmed past it", 8, 2, 3, 3, false},
        {"maximum 0, saved empty", 0, 0, 1, 1, false},
    };
    for (const TrimCase& c : cases) {
        SCOPED_TRACE(c.name);
        SavedStateModel model(c.maximum);
        for (int i = 0; i < c.editsBeforeSave; ++i) model.Edit(c.recordsPerEdit);
        model.Save();
        EXPECT_FALSE(model.Modified());
        for (int i = 0; i < c.editsAfterSave; ++i) {
            model.Edit(c.recordsPerEdit);
            EXPECT_TRUE(model.Modified());
        }
        bool reachedSavedText = model.text == model.savedText;
        while (model.Undo()) {
            EXPECT_EQ(model.Modified(), model.text != model.savedText) << "text " << model.text;
            reachedSavedText = reachedSavedText || model.text == model.savedText;
        }
        EXPECT_EQ(reachedSavedText, c.savedTextReachable);
        EXPECT_EQ(model.Modified(), model.text != model.savedText);
        while (model.Redo()) EXPECT_EQ(model.Modified(), model.text != model.savedText) << "text " << model.text;
    }
}

// The same rule under random edits, saves, undos, redos and maximum changes.
TEST(UndoList, ModifiedFollowsTheTextUnderRandomScripts)
{
    std::mt19937 random(7);
    for (int script = 0; script < 300; ++script) {
        SavedStateModel model(1 + static_cast<int>(random() % 6));
        for (int step = 0; step < 60; ++step) {
            const unsigned action = random() % 10;
            if (action < 4) model.Edit(1 + static_cast<int>(random() % 3));
            else if (action < 6) model.Undo();
            else if (action < 8) model.Redo();
            else if (action < 9) model.Save();
            // Lowered only while nothing waits to be redone: the redo list trims its newest-undone records
            // first and can cut a change in two there, a case this model leaves out.
            else if (!model.redo.CanUndo()) model.SetMaximum(static_cast<int>(random() % 7));
            ASSERT_EQ(model.Modified(), model.text != model.savedText)
                << "script " << script << " step " << step << " text " << model.text << " saved " << model.savedText;
        }
    }
}

// Each call of OnRecordAdded is logged as the sender's group depth at that moment.
class UndoNotification : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.OnRecordAdded = [this](TZefEditUndoList* sender) {
            EXPECT_EQ(sender, &list);
            log += std::to_string(sender->GroupDepth());
        };
    }
    TZefEditUndoList list;
    std::string log;
};

TEST_F(UndoNotification, RaisedPerRecordButNotForGroupBreaks)
{
    Add(list);
    list.AddGroupBreak();
    list.PushRecord(TZefEditUndoItem{ucGroupBreak, smNormal, {}, {}, "", 9});
    list.PushRecord(TZefEditUndoItem{ucPaste, smNormal, {}, {}, "", 9});
    list.Lock();
    Add(list);
    EXPECT_EQ(log, "00");
}

TEST_F(UndoNotification, ClosingAGroupRaisesOnceMoreAtDepthZero)
{
    list.BeginGroup();
    Add(list);
    list.BeginGroup();
    Add(list);
    list.EndGroup();
    list.EndGroup();
    EXPECT_EQ(log, "120") << "the inner EndGroup closes nothing";
}

TEST_F(UndoNotification, ClosingAGroupWithoutOwnRecordsIsSilent)
{
    Add(list);
    list.BeginGroup();
    list.EndGroup();
    EXPECT_EQ(log, "0");
    list.BeginGroup();
    Add(list);
    list.AddGroupBreak(); // the break takes the group's number, so the group's own record is on top
    list.EndGroup();
    EXPECT_EQ(log, "010");
}

TEST_F(UndoNotification, RaisedEvenWhenTrimmedAway)
{
    list.SetMaximum(0);
    Add(list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(log, "0");
}

} // namespace
