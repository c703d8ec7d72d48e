// Undo beyond what the undo list still holds: the document stays modified when its text differs from the
// saved text.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

// A loaded four-line file; at its end, 600 times: type a character, Left, Right (1,200 records, of which
// the list keeps 1,024); then 700 undos take back all that can be taken back. 88 characters remain,
// so the document is still modified.
TEST(UndoTrimming, UndoingEverythingKeptLeavesTheTrimmedEditsModified)
{
    auto edit = MakeEdit("one\r\ntwo\r\nthree\r\nfour");
    edit->SetModified(false);
    edit->DispatchCommand(ecEditorBottom, 0, nullptr);
    for (int i = 0; i < 600; ++i) {
        edit->DispatchCommand(ecChar, 'a', nullptr);
        edit->DispatchCommand(ecLeft, 0, nullptr);
        edit->DispatchCommand(ecRight, 0, nullptr);
    }
    EXPECT_EQ(edit->UndoList()->Count(), 1024);
    for (int i = 0; i < 700; ++i) edit->Undo();
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_EQ(LinesDump(*edit), "one|two|three|four" + std::string(88, 'a'));
    EXPECT_TRUE(edit->Modified());
}

// Saved just before the edits that trimming later takes away: undoing everything kept gives the saved
// text back, and the document is unmodified there.
TEST(UndoTrimming, SavedTextReachedByUndoingEverythingKeptIsUnmodified)
{
    auto edit = MakeEdit("x");
    edit->SetMaxUndo(8);
    edit->DispatchCommand(ecEditorBottom, 0, nullptr);
    edit->DispatchCommand(ecChar, 'a', nullptr);
    edit->SetModified(false);
    for (int i = 0; i < 4; ++i) {
        edit->DispatchCommand(ecChar, 'b', nullptr);
        edit->DispatchCommand(ecLeft, 0, nullptr);
        edit->DispatchCommand(ecRight, 0, nullptr);
    }
    while (edit->CanUndo()) edit->Undo();
    EXPECT_EQ(LinesDump(*edit), "xa");
    EXPECT_FALSE(edit->Modified());
}
