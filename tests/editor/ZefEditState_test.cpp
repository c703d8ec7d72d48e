// The editor control's defaults, property changes, status-change batching, the modified flag and transient events.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

TEST(ZefEditState, NewControlDefaults)
{
    TZefEdit edit;
    const std::string state = CaretDump(edit) + " desired " + std::to_string(edit.DesiredColumn()) + " mode " +
                              std::to_string(edit.SelectionMode()) + " insert " + std::to_string(edit.InsertMode()) +
                              " readonly " + std::to_string(edit.ReadOnly()) + " modified " +
                              std::to_string(edit.Modified()) + " tab " + std::to_string(edit.TabWidth()) +
                              " maxwidth " + std::to_string(edit.MaxLineWidth()) + " wanttabs " +
                              std::to_string(edit.WantTabs()) + " wantreturns " + std::to_string(edit.WantReturns()) +
                              " top " + std::to_string(edit.TopVisibleLine()) + " left " +
                              std::to_string(edit.LeftVisibleColumn()) + " visible " +
                              std::to_string(edit.VisibleColumns()) + "x" + std::to_string(edit.VisibleLines()) +
                              " lock " + std::to_string(edit.PaintLock()) + " pending " +
                              std::to_string(edit.StatusChanges()) + " lines " +
                              std::to_string(edit.Lines()->Count()) + " maxundo " + std::to_string(edit.MaxUndo());
    EXPECT_EQ(state, "caret (1,1) sel (1,1)-(1,1) desired 1 mode 0 insert 1 readonly 0 modified 0 tab 8 maxwidth 1024 "
                     "wanttabs 0 wantreturns 1 top 1 left 1 visible 0x0 lock 0 pending 0 lines 0 maxundo 1024");
    EXPECT_EQ(edit.Options(), ZefDefaultOptions);
    EXPECT_TRUE(IsDefaultKeystrokes(edit.Keystrokes()));
    EXPECT_EQ(edit.size(), QSize(200, 150));
    EXPECT_GT(edit.CellWidth(), 0);
    EXPECT_GT(edit.RowHeight(), 0);
}

TEST(ZefEditState, PropertySettersClampAndApply)
{
    auto edit = MakeEdit("abc");
    edit->MoveCaret(BufferCoord(10, 1));
    edit->SetOptions(ZefDefaultOptions.Without(eoScrollPastEol));
    EXPECT_EQ(Pos(edit->CaretPos()), "(4,1)") << "leaving virtual space re-places the caret";
    edit->SetOptions(edit->Options().With(eoDropFiles));
    EXPECT_TRUE(edit->acceptDrops());

    edit->SetTabWidth(0);
    EXPECT_EQ(edit->TabWidth(), 1);
    edit->SetTabWidth(300);
    EXPECT_EQ(edit->TabWidth(), 256);
    EXPECT_EQ(edit->Lines()->TabWidth(), 256) << "the line store expands tabs alike";

    edit->SetMaxLineWidth(0);
    EXPECT_EQ(edit->MaxLineWidth(), 1);
    edit->SetMaxLineWidth(INT_MAX);
    EXPECT_EQ(edit->MaxLineWidth(), 2147483646);

    edit->SetMaxUndo(5);
    edit->SetMaxUndo(-1);
    EXPECT_EQ(edit->UndoList()->Maximum(), 5);
    EXPECT_EQ(edit->RedoList()->Maximum(), 5);
}

TEST(ZefEditState, StatusChangesAreDeliveredOnceWhenTheOutermostLockEnds)
{
    auto edit = MakeEdit("abc\r\ndef");
    SizeTextArea(*edit, 20, 10);
    std::vector<TZefStatusChanges> delivered;
    edit->OnStatusChange = [&](TCustomZefEdit*, TZefStatusChanges changes) { delivered.push_back(changes); };
    edit->BeginPaintLock();
    edit->BeginPaintLock();
    edit->MoveCaret(BufferCoord(2, 2));
    edit->SetInsertMode(false);
    edit->EndPaintLock();
    EXPECT_TRUE(delivered.empty());
    edit->EndPaintLock();
    EXPECT_EQ(delivered, std::vector<TZefStatusChanges>{scCaretX | scCaretY | scInsertMode});

    delivered.clear();
    edit->DispatchCommand(ecSelLeft, 0, nullptr);
    EXPECT_EQ(delivered, std::vector<TZefStatusChanges>{scCaretX | scSelection}) << "one batch per command";
    delivered.clear();
    edit->SetReadOnly(true);
    edit->SetReadOnly(true);
    EXPECT_EQ(delivered, std::vector<TZefStatusChanges>{scReadOnly}) << "only a new value is reported";
}

TEST(ZefEditState, WithoutAHandlerChangesAccumulateUntilTheNextFlush)
{
    auto edit = MakeEdit("abc");
    edit->SetReadOnly(true);
    edit->SetSelectionMode(smColumn);
    EXPECT_EQ(edit->StatusChanges(), static_cast<TZefStatusChanges>(scReadOnly | scSelection));
    std::vector<TZefStatusChanges> delivered;
    edit->OnStatusChange = [&](TCustomZefEdit*, TZefStatusChanges changes) { delivered.push_back(changes); };
    EXPECT_TRUE(delivered.empty()) << "assigning a handler does not flush";
    edit->SetInsertMode(false);
    EXPECT_EQ(delivered, std::vector<TZefStatusChanges>{scReadOnly | scSelection | scInsertMode});
    EXPECT_EQ(edit->StatusChanges(), 0u);
}

TEST(ZefEditState, ModifiedFollowsTheUndoListsSavedState)
{
    auto edit = MakeEdit("abc");
    TZefStatusChanges seen = 0;
    edit->OnStatusChange = [&](TCustomZefEdit*, TZefStatusChanges changes) { seen |= changes; };
    edit->SetCaretPos(BufferCoord(4, 1));
    edit->SetSelectedText("d");
    EXPECT_TRUE(edit->Modified());
    EXPECT_TRUE(seen & scModified);

    edit->SetModified(false);
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->UndoList()->LastKind(), ucGroupBreak) << "saving ends the typing group";
    EXPECT_TRUE(edit->UndoList()->IsAtSavedState());
    edit->SetSelectedText("e");
    EXPECT_TRUE(edit->Modified());

    edit->SetModified(false);
    edit->SetModified(true);
    EXPECT_TRUE(edit->Modified());
    EXPECT_FALSE(edit->UndoList()->IsAtSavedState()) << "the saved state became unreachable";

    edit->SetOptions(ZefDefaultOptions.Without(eoGroupUndo));
    const int records = edit->UndoList()->Count();
    edit->SetModified(false);
    EXPECT_EQ(edit->UndoList()->Count(), records) << "no group break without eoGroupUndo";
}

TEST(ZefEditState, NewEditsClearTheRedoListCaretMovesDoNot)
{
    auto edit = MakeEdit("abc");
    edit->RedoList()->AddRecord(ucInsert, BufferCoord(1, 1), BufferCoord(2, 1), "", smNormal);
    edit->SetSelectedText("x");
    EXPECT_EQ(edit->RedoList()->Count(), 0);

    edit->RedoList()->AddRecord(ucInsert, BufferCoord(1, 1), BufferCoord(2, 1), "", smNormal);
    edit->DispatchCommand(ecRight, 0, nullptr);
    EXPECT_EQ(edit->UndoList()->LastKind(), ucGroupBreak);
    EXPECT_EQ(edit->RedoList()->Count(), 1);
}

TEST(ZefEditState, PaintTransientReportsOnlyTheOutermostPair)
{
    auto edit = MakeEdit("abc\r\ndef");
    std::string seen;
    edit->OnPaintTransient = [&](TCustomZefEdit*, QPainter* canvas, TTransientType type) {
        EXPECT_EQ(canvas, nullptr);
        seen += type == ttBefore ? "<" : ">";
    };
    edit->SetCaretAndSelection(BufferCoord(2, 2), BufferCoord(1, 1), BufferCoord(2, 2));
    seen.clear();
    edit->SetSelectedText("x\r\ny");
    EXPECT_EQ(seen, "<>") << "the caret moves inside the replacement are nested";
    seen.clear();
    edit->DispatchCommand(ecDown, 0, nullptr);
    EXPECT_EQ(seen, "<>");
}
