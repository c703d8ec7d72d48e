// Editor command numbers and names, shortcuts, and the keystroke table that maps keys to commands.
#pragma once

#include "VirtualKeys.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// 0 is no command, 1..1000 are built in, from 1001 commands belong to the application.
using TZefEditorCommand = uint16_t;

inline constexpr TZefEditorCommand ecNone = 0;

// Caret movement; each selecting form is the plain command + ecSelection.
inline constexpr TZefEditorCommand ecLeft = 1;
inline constexpr TZefEditorCommand ecRight = 2;
inline constexpr TZefEditorCommand ecUp = 3;
inline constexpr TZefEditorCommand ecDown = 4;
inline constexpr TZefEditorCommand ecWordLeft = 5;
inline constexpr TZefEditorCommand ecWordRight = 6;
inline constexpr TZefEditorCommand ecLineStart = 7;
inline constexpr TZefEditorCommand ecLineEnd = 8;
inline constexpr TZefEditorCommand ecPageUp = 9;
inline constexpr TZefEditorCommand ecPageDown = 10;
inline constexpr TZefEditorCommand ecPageLeft = 11;
inline constexpr TZefEditorCommand ecPageRight = 12;
inline constexpr TZefEditorCommand ecPageTop = 13;
inline constexpr TZefEditorCommand ecPageBottom = 14;
inline constexpr TZefEditorCommand ecEditorTop = 15;
inline constexpr TZefEditorCommand ecEditorBottom = 16;
inline constexpr TZefEditorCommand ecGotoXY = 17; // data: TBufferCoord*

inline constexpr TZefEditorCommand ecSelection = 100; // offset from a movement to its selecting form

inline constexpr TZefEditorCommand ecSelLeft = ecLeft + ecSelection;
inline constexpr TZefEditorCommand ecSelRight = ecRight + ecSelection;
inline constexpr TZefEditorCommand ecSelUp = ecUp + ecSelection;
inline constexpr TZefEditorCommand ecSelDown = ecDown + ecSelection;
inline constexpr TZefEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
inline constexpr TZefEditorCommand ecSelWordRight = ecWordRight + ecSelection;
inline constexpr TZefEditorCommand ecSelLineStart = ecLineStart + ecSelection;
inline constexpr TZefEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
inline constexpr TZefEditorCommand ecSelPageUp = ecPageUp + ecSelection;
inline constexpr TZefEditorCommand ecSelPageDown = ecPageDown + ecSelection;
inline constexpr TZefEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
inline constexpr TZefEditorCommand ecSelPageRight = ecPageRight + ecSelection;
inline constexpr TZefEditorCommand ecSelPageTop = ecPageTop + ecSelection;
inline constexpr TZefEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
inline constexpr TZefEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
inline constexpr TZefEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
inline constexpr TZefEditorCommand ecSelGotoXY = ecGotoXY + ecSelection; // data: TBufferCoord*

// Selection and view.
inline constexpr TZefEditorCommand ecSelectAll = 199;
inline constexpr TZefEditorCommand ecCopy = 201;
inline constexpr TZefEditorCommand ecScrollUp = 211;
inline constexpr TZefEditorCommand ecScrollDown = 212;
inline constexpr TZefEditorCommand ecScrollLeft = 213;
inline constexpr TZefEditorCommand ecScrollRight = 214;
inline constexpr TZefEditorCommand ecInsertMode = 221;
inline constexpr TZefEditorCommand ecOverwriteMode = 222;
inline constexpr TZefEditorCommand ecToggleMode = 223;
inline constexpr TZefEditorCommand ecNormalSelect = 231;
inline constexpr TZefEditorCommand ecColumnSelect = 232;
inline constexpr TZefEditorCommand ecLineSelect = 233;
inline constexpr TZefEditorCommand ecMatchBracket = 250;

// Bookmarks: ecGotoMarker0 + n and ecSetMarker0 + n for bookmark n.
inline constexpr TZefEditorCommand ecGotoMarker0 = 301;
inline constexpr TZefEditorCommand ecGotoMarker1 = 302;
inline constexpr TZefEditorCommand ecGotoMarker2 = 303;
inline constexpr TZefEditorCommand ecGotoMarker3 = 304;
inline constexpr TZefEditorCommand ecGotoMarker4 = 305;
inline constexpr TZefEditorCommand ecGotoMarker5 = 306;
inline constexpr TZefEditorCommand ecGotoMarker6 = 307;
inline constexpr TZefEditorCommand ecGotoMarker7 = 308;
inline constexpr TZefEditorCommand ecGotoMarker8 = 309;
inline constexpr TZefEditorCommand ecGotoMarker9 = 310;
inline constexpr TZefEditorCommand ecSetMarker0 = 351;
inline constexpr TZefEditorCommand ecSetMarker1 = 352;
inline constexpr TZefEditorCommand ecSetMarker2 = 353;
inline constexpr TZefEditorCommand ecSetMarker3 = 354;
inline constexpr TZefEditorCommand ecSetMarker4 = 355;
inline constexpr TZefEditorCommand ecSetMarker5 = 356;
inline constexpr TZefEditorCommand ecSetMarker6 = 357;
inline constexpr TZefEditorCommand ecSetMarker7 = 358;
inline constexpr TZefEditorCommand ecSetMarker8 = 359;
inline constexpr TZefEditorCommand ecSetMarker9 = 360;

inline constexpr TZefEditorCommand ecContextHelp = 490;

// Editing.
inline constexpr TZefEditorCommand ecDeleteLastChar = 501;
inline constexpr TZefEditorCommand ecDeleteChar = 502;
inline constexpr TZefEditorCommand ecDeleteWord = 503;
inline constexpr TZefEditorCommand ecDeleteLastWord = 504;
inline constexpr TZefEditorCommand ecDeleteBOL = 505;
inline constexpr TZefEditorCommand ecDeleteEOL = 506;
inline constexpr TZefEditorCommand ecDeleteLine = 507;
inline constexpr TZefEditorCommand ecClearAll = 508;
inline constexpr TZefEditorCommand ecLineBreak = 509;
inline constexpr TZefEditorCommand ecInsertLine = 510;
inline constexpr TZefEditorCommand ecChar = 511;   // character: the typed byte
inline constexpr TZefEditorCommand ecImeStr = 550; // data: const char*, zero-terminated input-method result
inline constexpr TZefEditorCommand ecUndo = 601;
inline constexpr TZefEditorCommand ecRedo = 602;
inline constexpr TZefEditorCommand ecCut = 603;
inline constexpr TZefEditorCommand ecPaste = 604;
inline constexpr TZefEditorCommand ecBlockIndent = 610;
inline constexpr TZefEditorCommand ecBlockUnindent = 611;
inline constexpr TZefEditorCommand ecTab = 612;
inline constexpr TZefEditorCommand ecShiftTab = 613;
inline constexpr TZefEditorCommand ecUpperCase = 620;
inline constexpr TZefEditorCommand ecLowerCase = 621;
inline constexpr TZefEditorCommand ecToggleCase = 622;
inline constexpr TZefEditorCommand ecTitleCase = 623;
inline constexpr TZefEditorCommand ecUpperCaseBlock = 625;
inline constexpr TZefEditorCommand ecLowerCaseBlock = 626;
inline constexpr TZefEditorCommand ecToggleCaseBlock = 627;

// Named, but the control runs nothing for them.
inline constexpr TZefEditorCommand ecString = 630;
inline constexpr TZefEditorCommand ecAutoCompletion = 650;

// Dispatched by the control itself on focus changes so that command handlers see them; unnamed, run nothing.
inline constexpr TZefEditorCommand ecGotFocus = 700;
inline constexpr TZefEditorCommand ecLostFocus = 701;

inline constexpr TZefEditorCommand ecUserFirst = 1001; // first command handed only to the application

// One named command, for listings of all names.
struct TZefCommandName {
    TZefEditorCommand Command;
    std::string_view Name;
};

// The 99 named commands in ascending number order.
std::span<const TZefCommandName> EditorCommandNames();

// The name of a named command, else the command's decimal digits.
std::string CommandToName(TZefEditorCommand command);
// Exactly the 99 names (case-sensitive); std::nullopt for anything else, decimal digits included.
std::optional<TZefEditorCommand> NameToCommand(std::string_view name);
// The stored textual form of a command: one of the names, or a decimal number 0..65535.
std::optional<TZefEditorCommand> TextToCommand(std::string_view text);

// A key with its modifiers in 16 bits: the low byte is the virtual key, plus the modifier bits below.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Only the low byte of key is kept; mouse buttons in shift are ignored.
TShortCut ShortCut(TVirtualKey key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, TVirtualKey& key, TShiftState& shift);

// A shortcut change that would duplicate another entry's key pair.
class EZefKeyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TZefEditKeyStrokes;

// One table entry: a command with its first key and an optional second key (Key2 == 0 for a one-key entry).
// An entry belongs to one collection, which it asks for duplicates when a shortcut changes.
class TZefEditKeyStroke {
public:
    explicit TZefEditKeyStroke(TZefEditKeyStrokes* collection) : collection_(collection) {}

    TZefEditorCommand Command = ecNone;

    TVirtualKey Key() const { return key_; }
    TShiftState Shift() const { return shift_; }
    TVirtualKey Key2() const { return key2_; }
    TShiftState Shift2() const { return shift2_; }

    TShortCut ShortCut() const;
    TShortCut ShortCut2() const;
    // Non-zero values raise EZefKeyError "Shortcut already exists" when another entry of the collection
    // already has this pair; the entry is then unchanged. 0 is always accepted.
    void SetShortCut(TShortCut value);
    void SetShortCut2(TShortCut value);
    void SetKey(TVirtualKey key, TShiftState shift) { SetShortCut(::ShortCut(key, shift)); }
    void SetKey2(TVirtualKey key, TShiftState shift) { SetShortCut2(::ShortCut(key, shift)); }

    // Copies command and both keys without any duplicate check.
    void AssignFrom(const TZefEditKeyStroke& source);
    TZefEditKeyStrokes* Collection() const { return collection_; }

private:
    friend class TZefEditKeyStrokes;
    TZefEditKeyStrokes* collection_;
    TVirtualKey key_ = 0;
    TShiftState shift_;
    TVirtualKey key2_ = 0;
    TShiftState shift2_;
};

// The ordered keystroke table of one editor control; lookups return the first match. Entries live on the
// heap, so references to them survive appends and removals of other entries.
class TZefEditKeyStrokes {
public:
    // owner: the control that owns the table; only handed back, never used here.
    explicit TZefEditKeyStrokes(void* owner = nullptr) : owner_(owner) {}
    // A copy keeps no owner; assignment replaces all entries by copies and keeps this table's owner.
    TZefEditKeyStrokes(const TZefEditKeyStrokes& other);
    TZefEditKeyStrokes& operator=(const TZefEditKeyStrokes& other);
    ~TZefEditKeyStrokes();

    void* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TZefEditKeyStroke& Items(int index);
    const TZefEditKeyStroke& Items(int index) const;
    TZefEditKeyStroke& operator[](int index) { return Items(index); }
    const TZefEditKeyStroke& operator[](int index) const { return Items(index); }

    // A new entry with no command and no keys, appended at the end.
    TZefEditKeyStroke& Add();
    // Appends a one-key entry without a duplicate check.
    void AppendKeystroke(TZefEditorCommand command, TVirtualKey key, TShiftState shift);
    // Appends a two-key entry without a duplicate check.
    void AppendKeySequence(TZefEditorCommand command, TVirtualKey key1, TShiftState shift1, TVirtualKey key2,
                           TShiftState shift2);
    // Index out of range throws std::out_of_range.
    void Delete(int index);
    void Clear();
    void Assign(const TZefEditKeyStrokes& source) { *this = source; }

    // Replaces all entries by the 82 default entries, in table order.
    void LoadDefaultKeystrokes();

    // Each returns the index of the first match, or -1. Modifiers compare as Shift/Alt/Ctrl only.
    int FindSingleKey(TVirtualKey key, TShiftState shift) const;
    int FindKeySequence(TVirtualKey key1, TShiftState shift1, TVirtualKey key2, TShiftState shift2) const;
    int FindShortcutPair(TShortCut shortCut, TShortCut shortCut2) const;
    int FindCommand(TZefEditorCommand command) const;

    // One line per entry: "<command name> <shortcut>[ <shortcut2>]", shortcuts in hexadecimal.
    std::string DebugDump() const;

private:
    int IndexOf(const TZefEditKeyStroke* entry) const;
    friend class TZefEditKeyStroke;

    void* owner_;
    std::vector<std::unique_ptr<TZefEditKeyStroke>> items_;
};

// The stored form of a keystroke table, relative to the default table.
struct TZefKeystrokeChanges {
    TZefEditKeyStrokes RemovedKeystrokes; // defaults with no equal entry (both shortcuts and command) left
    TZefEditKeyStrokes AddedKeystrokes;   // entries that are not such an unchanged default
};

// True when the table holds exactly the default entries in default order; then nothing is stored.
bool IsDefaultKeystrokes(const TZefEditKeyStrokes& keystrokes);
TZefKeystrokeChanges ComputeKeystrokeChanges(const TZefEditKeyStrokes& keystrokes);
// Deletes each entry found by FindShortcutPair whose command also matches a removed entry.
void ApplyRemovedKeystrokes(TZefEditKeyStrokes& keystrokes, const TZefEditKeyStrokes& removed);
// Appends copies of the added entries.
void ApplyAddedKeystrokes(TZefEditKeyStrokes& keystrokes, const TZefEditKeyStrokes& added);

// The document editor's table lacks Shift+Backspace, Shift+Enter and F1; removes those three default entries.
void RemoveDocumentEditorKeystrokes(TZefEditKeyStrokes& keystrokes);
