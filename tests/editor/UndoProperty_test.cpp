// Seeded random edit scripts: whatever the script did, undoing everything restores the original bytes and
// redoing everything reproduces the final bytes.
#include "ZefEditTestSupport.h"

#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Lines made of the bytes editing treats differently: letters, blanks, tabs, brackets, a high letter.
std::string RandomDocument(std::mt19937& random)
{
    static const std::string alphabet = "ab c\t(){}xY_\xE9  ";
    std::string text;
    const int lines = std::uniform_int_distribution<int>(1, 6)(random);
    for (int line = 0; line < lines; ++line) {
        if (line > 0) text += "\r\n";
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < length; ++i) {
            text += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        }
    }
    return text;
}

TZefEditorOptions RandomOptions(std::mt19937& random)
{
    TZefEditorOptions options = ZefDefaultOptions;
    for (const TZefEditorOption option : {eoAutoIndent, eoGroupUndo, eoScrollPastEol, eoSmartTabDelete, eoSmartTabs,
                                          eoTabsToSpaces, eoTrimTrailingSpaces, eoTabIndent}) {
        if (std::bernoulli_distribution(0.3)(random)) {
            options = options.Contains(option) ? options.Without(option) : options.With(option);
        }
    }
    return options;
}

const TZefEditorCommand kCommands[] = {
    ecChar, ecChar, ecChar, ecChar, ecImeStr, ecLineBreak, ecInsertLine, ecDeleteLastChar, ecDeleteLastChar,
    ecDeleteChar, ecDeleteWord, ecDeleteEOL, ecDeleteLastWord, ecDeleteBOL, ecDeleteLine, ecTab, ecShiftTab,
    ecBlockIndent, ecBlockUnindent, ecUpperCase, ecToggleCase, ecTitleCase, ecUpperCaseBlock, ecLowerCaseBlock,
    ecToggleMode, ecUndo, ecRedo, ecLeft, ecSelRight, ecSelDown, ecWordRight,
};

// One random step: a command, or a caret and selection set anywhere (also beyond line ends) in any mode.
void RandomStep(TCustomZefEdit& edit, std::mt19937& random)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    if (pick(0, 10) == 0) {
        // A paste as the clipboard will make it, in any of the three modes.
        static const char* const pasted[] = {"", "q", "q\r\nr", "\r\n", "s \r\n\r\nt\t", "u\r\nv\r\nw\r\nx\r\ny"};
        const TBufferCoord first = edit.SelFirst();
        const TBufferCoord last = edit.SelLast();
        edit.UndoList()->AddRecord(ucPasteBegin, first, last, {}, smNormal);
        edit.ReplaceSelectionRecorded(ucPaste, static_cast<TZefSelectionMode>(pick(0, 2)), pasted[pick(0, 5)]);
        edit.UndoList()->AddRecord(ucPasteEnd, first, last, {}, smNormal);
        return;
    }
    if (pick(0, 12) == 0) {
        // SetSelectedText, in whatever selection mode is current, records byte-exactly like a paste.
        static const char* const pasted[] = {"", "q", "q\r\nr", "\r\n", "s \r\n\r\nt\t"};
        edit.SetSelectedText(pasted[pick(0, 4)]);
        return;
    }
    if (pick(0, 5) == 0) {
        const int lines = std::max(edit.Lines()->Count(), 1);
        edit.SetSelectionMode(static_cast<TZefSelectionMode>(pick(0, 2)));
        const TBufferCoord anchor = BufferCoord(pick(1, 14), pick(1, lines));
        const TBufferCoord head = pick(0, 1) == 0 ? anchor : BufferCoord(pick(1, 14), pick(1, lines));
        edit.SetCaretAndSelection(head, anchor, head);
        return;
    }
    const TZefEditorCommand command = kCommands[pick(0, static_cast<int>(std::size(kCommands)) - 1)];
    static const char typed[] = "a \t(x)\xE9}";
    const char ch = typed[pick(0, static_cast<int>(sizeof typed) - 2)];
    std::string ime = "\xC0z ";
    edit.DispatchCommand(command, ch, command == ecImeStr ? ime.data() : nullptr);
}

} // namespace

TEST(UndoProperty, UndoAllRestoresAndRedoAllReproducesTheExactText)
{
    std::mt19937 random(20261210);
    for (int script = 0; script < 300; ++script) {
        auto edit = MakeEdit(RandomDocument(random));
        edit->SetMaxUndo(1'000'000);
        edit->SetOptions(RandomOptions(random));
        const std::string original = edit->Text();
        const int length = std::uniform_int_distribution<int>(5, 40)(random);
        for (int step = 0; step < length; ++step) RandomStep(*edit, random);
        // Steps the script undid and left on the redo list are redone first, so the redo list starts empty.
        while (edit->CanRedo()) edit->Redo();
        const std::string final = edit->Text();

        std::vector<std::string> undone;
        while (edit->CanUndo()) {
            edit->Undo();
            undone.push_back(edit->Text());
            ASSERT_LT(undone.size(), 100'000u) << "undo never ends, script " << script;
        }
        ASSERT_EQ(edit->Text(), original) << "script " << script << "\n" << edit->RedoList()->DebugDump();
        // Redo walks the same states backwards.
        for (size_t i = undone.size(); i-- > 1;) {
            edit->Redo();
            ASSERT_EQ(edit->Text(), undone[i - 1]) << "script " << script << ", redo step " << undone.size() - i;
        }
        edit->Redo();
        ASSERT_FALSE(edit->CanRedo()) << "script " << script;
        ASSERT_EQ(edit->Text(), final) << "script " << script;
    }
}
