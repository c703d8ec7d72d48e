// Tests of command names, shortcut packing, the keystroke table, its defaults and its stored form.
#include "ZefEditKeyCmds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every named command with its number, as the editor's documentation lists them.
constexpr const char* kAllNames =
    "0 ecNone\n1 ecLeft\n2 ecRight\n3 ecUp\n4 ecDown\n5 ecWordLeft\n6 ecWordRight\n7 ecLineStart\n8 ecLineEnd\n"
    "9 ecPageUp\n10 ecPageDown\n11 ecPageLeft\n12 ecPageRight\n13 ecPageTop\n14 ecPageBottom\n15 ecEditorTop\n"
    "16 ecEditorBottom\n17 ecGotoXY\n"
    "101 ecSelLeft\n102 ecSelRight\n103 ecSelUp\n104 ecSelDown\n105 ecSelWordLeft\n106 ecSelWordRight\n"
    "107 ecSelLineStart\n108 ecSelLineEnd\n109 ecSelPageUp\n110 ecSelPageDown\n111 ecSelPageLeft\n"
    "112 ecSelPageRight\n113 ecSelPageTop\n114 ecSelPageBottom\n115 ecSelEditorTop\n116 ecSelEditorBottom\n"
    "117 ecSelGotoXY\n"
    "199 ecSelectAll\n201 ecCopy\n211 ecScrollUp\n212 ecScrollDown\n213 ecScrollLeft\n214 ecScrollRight\n"
    "221 ecInsertMode\n222 ecOverwriteMode\n223 ecToggleMode\n231 ecNormalSelect\n232 ecColumnSelect\n"
    "233 ecLineSelect\n250 ecMatchBracket\n"
    "301 ecGotoMarker0\n302 ecGotoMarker1\n303 ecGotoMarker2\n304 ecGotoMarker3\n305 ecGotoMarker4\n"
    "306 ecGotoMarker5\n307 ecGotoMarker6\n308 ecGotoMarker7\n309 ecGotoMarker8\n310 ecGotoMarker9\n"
    "351 ecSetMarker0\n352 ecSetMarker1\n353 ecSetMarker2\n354 ecSetMarker3\n355 ecSetMarker4\n"
    "356 ecSetMarker5\n357 ecSetMarker6\n358 ecSetMarker7\n359 ecSetMarker8\n360 ecSetMarker9\n"
    "490 ecContextHelp\n"
    "501 ecDeleteLastChar\n502 ecDeleteChar\n503 ecDeleteWord\n504 ecDeleteLastWord\n505 ecDeleteBOL\n"
    "506 ecDeleteEOL\n507 ecDeleteLine\n508 ecClearAll\n509 ecLineBreak\n510 ecInsertLine\n511 ecChar\n"
    "550 ecImeStr\n601 ecUndo\n602 ecRedo\n603 ecCut\n604 ecPaste\n610 ecBlockIndent\n611 ecBlockUnindent\n"
    "612 ecTab\n613 ecShiftTab\n620 ecUpperCase\n621 ecLowerCase\n622 ecToggleCase\n623 ecTitleCase\n"
    "625 ecUpperCaseBlock\n626 ecLowerCaseBlock\n627 ecToggleCaseBlock\n"
    "630 ecString\n650 ecAutoCompletion\n1001 ecUserFirst\n";

// The default table in lookup order.
constexpr const char* kDefaultDump =
    "Up ecUp\nShift+Up ecSelUp\nCtrl+Up ecScrollUp\nDown ecDown\nShift+Down ecSelDown\nCtrl+Down ecScrollDown\n"
    "Left ecLeft\nShift+Left ecSelLeft\nCtrl+Left ecWordLeft\nCtrl+Shift+Left ecSelWordLeft\n"
    "Right ecRight\nShift+Right ecSelRight\nCtrl+Right ecWordRight\nCtrl+Shift+Right ecSelWordRight\n"
    "PageDown ecPageDown\nShift+PageDown ecSelPageDown\nCtrl+PageDown ecPageBottom\n"
    "Ctrl+Shift+PageDown ecSelPageBottom\n"
    "PageUp ecPageUp\nShift+PageUp ecSelPageUp\nCtrl+PageUp ecPageTop\nCtrl+Shift+PageUp ecSelPageTop\n"
    "Home ecLineStart\nShift+Home ecSelLineStart\nCtrl+Home ecEditorTop\nCtrl+Shift+Home ecSelEditorTop\n"
    "End ecLineEnd\nShift+End ecSelLineEnd\nCtrl+End ecEditorBottom\nCtrl+Shift+End ecSelEditorBottom\n"
    "Insert ecToggleMode\nCtrl+Insert ecCopy\nShift+Delete ecCut\nShift+Insert ecPaste\nDelete ecDeleteChar\n"
    "Backspace ecDeleteLastChar\nShift+Backspace ecDeleteLastChar\nCtrl+Backspace ecDeleteLastWord\n"
    "Alt+Backspace ecUndo\nAlt+Shift+Backspace ecRedo\n"
    "Enter ecLineBreak\nShift+Enter ecLineBreak\nTab ecTab\nShift+Tab ecShiftTab\nF1 ecContextHelp\n"
    "Ctrl+A ecSelectAll\nCtrl+C ecCopy\nCtrl+V ecPaste\nCtrl+X ecCut\nCtrl+Shift+I ecBlockIndent\n"
    "Ctrl+Shift+U ecBlockUnindent\nCtrl+M ecLineBreak\nCtrl+N ecInsertLine\nCtrl+T ecDeleteWord\n"
    "Ctrl+Y ecDeleteLine\nCtrl+Shift+Y ecDeleteEOL\nCtrl+Z ecUndo\nCtrl+Shift+Z ecRedo\n"
    "Ctrl+0 ecGotoMarker0\nCtrl+1 ecGotoMarker1\nCtrl+2 ecGotoMarker2\nCtrl+3 ecGotoMarker3\n"
    "Ctrl+4 ecGotoMarker4\nCtrl+5 ecGotoMarker5\nCtrl+6 ecGotoMarker6\nCtrl+7 ecGotoMarker7\n"
    "Ctrl+8 ecGotoMarker8\nCtrl+9 ecGotoMarker9\n"
    "Ctrl+Shift+0 ecSetMarker0\nCtrl+Shift+1 ecSetMarker1\nCtrl+Shift+2 ecSetMarker2\nCtrl+Shift+3 ecSetMarker3\n"
    "Ctrl+Shift+4 ecSetMarker4\nCtrl+Shift+5 ecSetMarker5\nCtrl+Shift+6 ecSetMarker6\nCtrl+Shift+7 ecSetMarker7\n"
    "Ctrl+Shift+8 ecSetMarker8\nCtrl+Shift+9 ecSetMarker9\n"
    "Ctrl+Shift+N ecNormalSelect\nCtrl+Shift+C ecColumnSelect\nCtrl+Shift+L ecLineSelect\n"
    "Ctrl+Shift+B ecMatchBracket\n";

std::string RemoveLines(std::string dump, std::initializer_list<std::string> lines)
{
    for (const auto& line : lines) {
        auto at = dump.find(line + "\n");
        if (at == std::string::npos) ADD_FAILURE() << "missing line " << line;
        else dump.erase(at, line.size() + 1);
    }
    return dump;
}

std::multiset<std::string> LineSet(const std::string& dump)
{
    std::multiset<std::string> lines;
    std::istringstream in(dump);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

TZefEditKeyStrokes Defaults()
{
    TZefEditKeyStrokes keys;
    keys.LoadDefaultKeystrokes();
    return keys;
}

TEST(CommandNames, ListMatchesEveryNumberAndName)
{
    std::string dump;
    for (const auto& entry : EditorCommandNames())
        dump += std::to_string(entry.Command) + " " + std::string(entry.Name) + "\n";
    EXPECT_EQ(dump, kAllNames);
}

TEST(CommandNames, EveryNameRoundTripsAndTheSelectingFormIsPlusOneHundred)
{
    std::istringstream in(kAllNames);
    int number = 0;
    std::string name;
    while (in >> number >> name) {
        auto command = static_cast<TZefEditorCommand>(number);
        EXPECT_EQ(CommandToName(command), name);
        ASSERT_TRUE(NameToCommand(name).has_value()) << name;
        EXPECT_EQ(*NameToCommand(name), command) << name;
        EXPECT_EQ(*TextToCommand(name), command) << name;
    }
    for (TZefEditorCommand c = ecLeft; c <= ecGotoXY; ++c)
        EXPECT_EQ(CommandToName(c + ecSelection), "ecSel" + CommandToName(c).substr(2));
}

TEST(CommandNames, UnnamedNumbersAreDecimalAndNotAcceptedAsNames)
{
    struct Case {
        TZefEditorCommand command;
        const char* text;
    };
    for (Case c : {Case{ecGotFocus, "700"}, Case{ecLostFocus, "701"}, Case{18, "18"}, Case{200, "200"},
                   Case{1000, "1000"}, Case{1002, "1002"}, Case{65535, "65535"}}) {
        EXPECT_EQ(CommandToName(c.command), c.text);
        EXPECT_FALSE(NameToCommand(c.text).has_value()) << c.text;
        EXPECT_EQ(TextToCommand(c.text), c.command) << c.text;
    }
    for (const char* bad : {"", "ecundo", "ECUNDO", "ecUndo ", " ecUndo", "ecGotFocus", "ec", "Undo"})
        EXPECT_FALSE(NameToCommand(bad).has_value()) << '"' << bad << '"';
    for (const char* bad : {"", "65536", "-1", "12a", "+5", " 5", "ecundo"})
        EXPECT_FALSE(TextToCommand(bad).has_value()) << '"' << bad << '"';
}

TEST(ShortCut, PacksKeyAndModifierBits)
{
    struct Case {
        TVirtualKey key;
        TShiftState shift;
        TShortCut packed;
    };
    for (Case c : {Case{VK_BACK, ssShift, 8200}, Case{VK_F1, {}, 112}, Case{'A', ssCtrl | ssAlt, 0xC041},
                   Case{'Z', TShiftState(ssCtrl) | ssShift | ssAlt, 0xE05A}, Case{VK_OEM_7, ssAlt, 0x80DE}}) {
        EXPECT_EQ(ShortCut(c.key, c.shift), c.packed);
        TVirtualKey key = 0;
        TShiftState shift = ssLeft;
        ShortCutToKey(c.packed, key, shift);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(shift, c.shift);
    }
    // Mouse buttons are no part of a shortcut; only the low byte of the key is kept.
    EXPECT_EQ(ShortCut('A', ssCtrl | ssLeft), 0x4041);
    EXPECT_EQ(ShortCut(0x141, {}), 0x41);
}

TEST(KeyStrokes, DefaultTableInOrder)
{
    TZefEditKeyStrokes keys;
    keys.AppendKeystroke(ecUserFirst, 'Q', ssCtrl);
    keys.LoadDefaultKeystrokes(); // replaces, never adds
    EXPECT_EQ(keys.DebugDump(), kDefaultDump);
    EXPECT_TRUE(IsDefaultKeystrokes(keys));
}

TEST(KeyStrokes, LookupsReturnTheFirstMatchingKindOfEntry)
{
    TZefEditKeyStrokes keys = Defaults();
    keys.AppendKeySequence(ecUserFirst, 'K', ssCtrl, 'B', {});
    keys.AppendKeystroke(ecDeleteBOL, 'Z', ssCtrl); // shadowed by the default Ctrl+Z

    EXPECT_EQ(keys[keys.FindSingleKey('Z', ssCtrl)].Command, ecUndo);
    EXPECT_EQ(keys[keys.FindSingleKey(VK_INSERT, ssCtrl)].Command, ecCopy);
    EXPECT_EQ(keys[keys.FindSingleKey('C', ssCtrl)].Command, ecCopy);
    EXPECT_EQ(keys.FindSingleKey('Z', ssAlt), -1);
    EXPECT_EQ(keys.FindSingleKey('K', ssCtrl), -1); // only the first half of a sequence
    EXPECT_EQ(keys[keys.FindSingleKey(VK_UP, ssShift | ssLeft)].Command, ecSelUp);

    int sequence = keys.FindKeySequence('K', ssCtrl, 'B', {});
    EXPECT_EQ(sequence, keys.Count() - 2);
    EXPECT_EQ(keys.FindKeySequence('K', ssCtrl, 'B', ssCtrl), -1);
    EXPECT_EQ(keys.FindKeySequence(0, {}, 'Z', ssCtrl), -1); // single keys are not sequences with key 0
    EXPECT_EQ(keys.FindShortcutPair(0x404B, 0x0042), sequence);
    EXPECT_EQ(keys.FindShortcutPair(0x405A, 0), keys.FindSingleKey('Z', ssCtrl));
    EXPECT_EQ(keys.FindShortcutPair(0x404B, 0), -1);
}

TEST(KeyStrokes, DuplicateShortcutIsRejectedAndLeavesTheEntryUnchanged)
{
    TZefEditKeyStrokes keys = Defaults();
    keys.AppendKeySequence(ecUserFirst, 'K', ssCtrl, 'B', {});
    TZefEditKeyStroke& tab = keys[keys.FindSingleKey(VK_TAB, {})];
    TZefEditKeyStroke& sequence = keys[keys.Count() - 1];

    try {
        tab.SetShortCut(ShortCut('C', ssCtrl));
        FAIL() << "no error";
    } catch (const EZefKeyError& e) {
        EXPECT_STREQ(e.what(), "Shortcut already exists");
    }
    EXPECT_EQ(tab.ShortCut(), VK_TAB);
    EXPECT_EQ(tab.Command, ecTab);

    // The second half is checked against this entry's own first half.
    TZefEditKeyStroke& ctrlK = keys.Add();
    ctrlK.Command = ecUserFirst + 1;
    ctrlK.SetKey('K', ssCtrl);
    EXPECT_THROW(ctrlK.SetKey2('B', {}), EZefKeyError);
    EXPECT_EQ(ctrlK.ShortCut2(), 0);
    ctrlK.SetKey2('D', {});
    EXPECT_EQ(ctrlK.Key2(), 'D');
    EXPECT_THROW(sequence.SetKey2('D', {}), EZefKeyError);
    EXPECT_EQ(sequence.Key2(), 'B');

    // Re-setting an entry's own pair and clearing are always allowed.
    sequence.SetShortCut2(ShortCut('B', {}));
    tab.SetShortCut(0);
    EXPECT_EQ(tab.ShortCut(), 0);
    keys[0].SetShortCut(0); // now a second entry with no keys: 0 is never a duplicate
    EXPECT_EQ(keys[0].ShortCut(), 0);
}

TEST(KeyStrokes, AssignmentCopiesEntriesAndKeepsTheOwner)
{
    int ownerA = 0;
    int ownerB = 0;
    TZefEditKeyStrokes source(&ownerA);
    source.LoadDefaultKeystrokes();
    source.AppendKeySequence(ecUserFirst, 'K', ssCtrl, 'B', ssShift);

    TZefEditKeyStrokes target(&ownerB);
    target.AppendKeystroke(ecUndo, 'Q', ssCtrl);
    target = source;
    EXPECT_EQ(target.Owner(), &ownerB);
    EXPECT_EQ(target.DebugDump(), source.DebugDump());
    EXPECT_EQ(target[0].Collection(), &target);

    // The copies are independent and check duplicates within their new table.
    target[0].Command = ecDown;
    EXPECT_EQ(source[0].Command, ecUp);
    EXPECT_THROW(target[0].SetShortCut(ShortCut(VK_DOWN, {})), EZefKeyError);

    target.Delete(0);
    EXPECT_EQ(target.Count(), source.Count() - 1);
    EXPECT_EQ(target[0].Command, ecSelUp);
    EXPECT_THROW(target.Delete(target.Count()), std::out_of_range);
    EXPECT_THROW(target.Delete(-1), std::out_of_range);
}

TEST(KeyStrokes, DocumentEditorLacksThreeDefaults)
{
    TZefEditKeyStrokes keys = Defaults();
    RemoveDocumentEditorKeystrokes(keys);
    EXPECT_EQ(keys.DebugDump(),
              RemoveLines(kDefaultDump, {"Shift+Backspace ecDeleteLastChar", "Shift+Enter ecLineBreak", "F1 ecContextHelp"}));
    EXPECT_EQ(keys.FindSingleKey(VK_RETURN, ssShift), -1);
    EXPECT_EQ(keys.FindSingleKey(VK_BACK, ssShift), -1);
    EXPECT_EQ(keys.FindSingleKey(VK_F1, {}), -1);
    EXPECT_FALSE(IsDefaultKeystrokes(keys));

    TZefKeystrokeChanges changes = ComputeKeystrokeChanges(keys);
    EXPECT_EQ(changes.RemovedKeystrokes.DebugDump(),
              "Shift+Backspace ecDeleteLastChar\nShift+Enter ecLineBreak\nF1 ecContextHelp\n");
    EXPECT_EQ(changes.AddedKeystrokes.Count(), 0);
}

TEST(KeyStrokes, StoredFormRebuildsTheTableFromTheDefaults)
{
    TZefEditKeyStrokes keys = Defaults();
    keys[keys.FindSingleKey('T', ssCtrl)].Command = ecDeleteBOL; // changed command
    keys.Delete(keys.FindSingleKey(VK_INSERT, {}));              // removed
    keys.AppendKeySequence(ecUserFirst, 'K', ssCtrl, 'B', {});   // added
    keys.AppendKeystroke(ecUp, VK_UP, {});                       // duplicate of a default: nothing to store

    TZefKeystrokeChanges changes = ComputeKeystrokeChanges(keys);
    EXPECT_EQ(changes.RemovedKeystrokes.DebugDump(), "Insert ecToggleMode\nCtrl+T ecDeleteWord\n");
    EXPECT_EQ(changes.AddedKeystrokes.DebugDump(), "Ctrl+T ecDeleteBOL\nCtrl+K,B ecUserFirst\n");

    TZefEditKeyStrokes rebuilt = Defaults();
    ApplyRemovedKeystrokes(rebuilt, changes.RemovedKeystrokes);
    ApplyAddedKeystrokes(rebuilt, changes.AddedKeystrokes);
    std::multiset<std::string> expected = LineSet(keys.DebugDump());
    expected.erase(expected.find("Up ecUp")); // the duplicate is not stored
    EXPECT_EQ(LineSet(rebuilt.DebugDump()), expected);
    EXPECT_EQ(rebuilt[rebuilt.FindSingleKey('T', ssCtrl)].Command, ecDeleteBOL);
}

TEST(KeyStrokes, RemovingNeedsTheSameCommand)
{
    TZefEditKeyStrokes keys = Defaults();
    TZefEditKeyStrokes removed;
    removed.AppendKeystroke(ecRedo, 'Z', ssCtrl); // Ctrl+Z is undo: not removed
    removed.AppendKeystroke(ecCopy, 'C', ssCtrl);
    ApplyRemovedKeystrokes(keys, removed);
    EXPECT_EQ(keys.DebugDump(), RemoveLines(kDefaultDump, {"Ctrl+C ecCopy"}));
}

} // namespace
