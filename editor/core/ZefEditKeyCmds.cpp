// Command names, shortcut packing, the keystroke table with its default contents and its stored form.
#include "ZefEditKeyCmds.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// Sorted by command number so that CommandToName can search it; NameToCommand scans it (99 entries).
constexpr std::array<TZefCommandName, 99> kCommandNames{{
    {ecNone, "ecNone"},
    {ecLeft, "ecLeft"},
    {ecRight, "ecRight"},
    {ecUp, "ecUp"},
    {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"},
    {ecWordRight, "ecWordRight"},
    {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"},
    {ecPageUp, "ecPageUp"},
    {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"},
    {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"},
    {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"},
    {ecSelRight, "ecSelRight"},
    {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"},
    {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"},
    {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"},
    {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelectAll, "ecSelectAll"},
    {ecCopy, "ecCopy"},
    {ecScrollUp, "ecScrollUp"},
    {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"},
    {ecToggleMode, "ecToggleMode"},
    {ecNormalSelect, "ecNormalSelect"},
    {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"},
    {ecMatchBracket, "ecMatchBracket"},
    {ecGotoMarker0, "ecGotoMarker0"},
    {ecGotoMarker1, "ecGotoMarker1"},
    {ecGotoMarker2, "ecGotoMarker2"},
    {ecGotoMarker3, "ecGotoMarker3"},
    {ecGotoMarker4, "ecGotoMarker4"},
    {ecGotoMarker5, "ecGotoMarker5"},
    {ecGotoMarker6, "ecGotoMarker6"},
    {ecGotoMarker7, "ecGotoMarker7"},
    {ecGotoMarker8, "ecGotoMarker8"},
    {ecGotoMarker9, "ecGotoMarker9"},
    {ecSetMarker0, "ecSetMarker0"},
    {ecSetMarker1, "ecSetMarker1"},
    {ecSetMarker2, "ecSetMarker2"},
    {ecSetMarker3, "ecSetMarker3"},
    {ecSetMarker4, "ecSetMarker4"},
    {ecSetMarker5, "ecSetMarker5"},
    {ecSetMarker6, "ecSetMarker6"},
    {ecSetMarker7, "ecSetMarker7"},
    {ecSetMarker8, "ecSetMarker8"},
    {ecSetMarker9, "ecSetMarker9"},
    {ecContextHelp, "ecContextHelp"},
    {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"},
    {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"},
    {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"},
    {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"},
    {ecRedo, "ecRedo"},
    {ecCut, "ecCut"},
    {ecPaste, "ecPaste"},
    {ecBlockIndent, "ecBlockIndent"},
    {ecBlockUnindent, "ecBlockUnindent"},
    {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecUpperCase, "ecUpperCase"},
    {ecLowerCase, "ecLowerCase"},
    {ecToggleCase, "ecToggleCase"},
    {ecTitleCase, "ecTitleCase"},
    {ecUpperCaseBlock, "ecUpperCaseBlock"},
    {ecLowerCaseBlock, "ecLowerCaseBlock"},
    {ecToggleCaseBlock, "ecToggleCaseBlock"},
    {ecString, "ecString"},
    {ecAutoCompletion, "ecAutoCompletion"},
    {ecUserFirst, "ecUserFirst"},
}};

static_assert(std::is_sorted(kCommandNames.begin(), kCommandNames.end(),
                             [](const TZefCommandName& a, const TZefCommandName& b) { return a.Command < b.Command; }));

struct TDefaultKeystroke {
    TVirtualKey Key;
    TShiftState Shift;
    TZefEditorCommand Command;
};

constexpr TShiftState kNone;
constexpr TShiftState kShift = ssShift;
constexpr TShiftState kCtrl = ssCtrl;
constexpr TShiftState kAlt = ssAlt;
constexpr TShiftState kCtrlShift = ssCtrl | ssShift;
constexpr TShiftState kAltShift = ssAlt | ssShift;

// The table every new control starts with, in lookup order.
constexpr TDefaultKeystroke kDefaultKeystrokes[] = {
    {VK_UP, kNone, ecUp},
    {VK_UP, kShift, ecSelUp},
    {VK_UP, kCtrl, ecScrollUp},
    {VK_DOWN, kNone, ecDown},
    {VK_DOWN, kShift, ecSelDown},
    {VK_DOWN, kCtrl, ecScrollDown},
    {VK_LEFT, kNone, ecLeft},
    {VK_LEFT, kShift, ecSelLeft},
    {VK_LEFT, kCtrl, ecWordLeft},
    {VK_LEFT, kCtrlShift, ecSelWordLeft},
    {VK_RIGHT, kNone, ecRight},
    {VK_RIGHT, kShift, ecSelRight},
    {VK_RIGHT, kCtrl, ecWordRight},
    {VK_RIGHT, kCtrlShift, ecSelWordRight},
    {VK_NEXT, kNone, ecPageDown},
    {VK_NEXT, kShift, ecSelPageDown},
    {VK_NEXT, kCtrl, ecPageBottom},
    {VK_NEXT, kCtrlShift, ecSelPageBottom},
    {VK_PRIOR, kNone, ecPageUp},
    {VK_PRIOR, kShift, ecSelPageUp},
    {VK_PRIOR, kCtrl, ecPageTop},
    {VK_PRIOR, kCtrlShift, ecSelPageTop},
    {VK_HOME, kNone, ecLineStart},
    {VK_HOME, kShift, ecSelLineStart},
    {VK_HOME, kCtrl, ecEditorTop},
    {VK_HOME, kCtrlShift, ecSelEditorTop},
    {VK_END, kNone, ecLineEnd},
    {VK_END, kShift, ecSelLineEnd},
    {VK_END, kCtrl, ecEditorBottom},
    {VK_END, kCtrlShift, ecSelEditorBottom},
    {VK_INSERT, kNone, ecToggleMode},
    {VK_INSERT, kCtrl, ecCopy},
    {VK_DELETE, kShift, ecCut},
    {VK_INSERT, kShift, ecPaste},
    {VK_DELETE, kNone, ecDeleteChar},
    {VK_BACK, kNone, ecDeleteLastChar},
    {VK_BACK, kShift, ecDeleteLastChar},
    {VK_BACK, kCtrl, ecDeleteLastWord},
    {VK_BACK, kAlt, ecUndo},
    {VK_BACK, kAltShift, ecRedo},
    {VK_RETURN, kNone, ecLineBreak},
    {VK_RETURN, kShift, ecLineBreak},
    {VK_TAB, kNone, ecTab},
    {VK_TAB, kShift, ecShiftTab},
    {VK_F1, kNone, ecContextHelp},
    {'A', kCtrl, ecSelectAll},
    {'C', kCtrl, ecCopy},
    {'V', kCtrl, ecPaste},
    {'X', kCtrl, ecCut},
    {'I', kCtrlShift, ecBlockIndent},
    {'U', kCtrlShift, ecBlockUnindent},
    {'M', kCtrl, ecLineBreak},
    {'N', kCtrl, ecInsertLine},
    {'T', kCtrl, ecDeleteWord},
    {'Y', kCtrl, ecDeleteLine},
    {'Y', kCtrlShift, ecDeleteEOL},
    {'Z', kCtrl, ecUndo},
    {'Z', kCtrlShift, ecRedo},
    {'0', kCtrl, ecGotoMarker0},
    {'1', kCtrl, ecGotoMarker1},
    {'2', kCtrl, ecGotoMarker2},
    {'3', kCtrl, ecGotoMarker3},
    {'4', kCtrl, ecGotoMarker4},
    {'5', kCtrl, ecGotoMarker5},
    {'6', kCtrl, ecGotoMarker6},
    {'7', kCtrl, ecGotoMarker7},
    {'8', kCtrl, ecGotoMarker8},
    {'9', kCtrl, ecGotoMarker9},
    {'0', kCtrlShift, ecSetMarker0},
    {'1', kCtrlShift, ecSetMarker1},
    {'2', kCtrlShift, ecSetMarker2},
    {'3', kCtrlShift, ecSetMarker3},
    {'4', kCtrlShift, ecSetMarker4},
    {'5', kCtrlShift, ecSetMarker5},
    {'6', kCtrlShift, ecSetMarker6},
    {'7', kCtrlShift, ecSetMarker7},
    {'8', kCtrlShift, ecSetMarker8},
    {'9', kCtrlShift, ecSetMarker9},
    {'N', kCtrlShift, ecNormalSelect},
    {'C', kCtrlShift, ecColumnSelect},
    {'L', kCtrlShift, ecLineSelect},
    {'B', kCtrlShift, ecMatchBracket},
};

static_assert(std::size(kDefaultKeystrokes) == 82);

// A readable key name for DebugDump only; shortcuts have no user-visible text form.
std::string KeyName(TVirtualKey key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return std::string("F").append(std::to_string(key - VK_F1 + 1));
    switch (key) {
    case VK_BACK: return "Backspace";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PageUp";
    case VK_NEXT: return "PageDown";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Insert";
    case VK_DELETE: return "Delete";
    default: return std::string("#").append(std::to_string(key));
    }
}

std::string ShortCutName(TVirtualKey key, TShiftState shift)
{
    std::string text;
    if (shift.Contains(ssCtrl)) text += "Ctrl+";
    if (shift.Contains(ssAlt)) text += "Alt+";
    if (shift.Contains(ssShift)) text += "Shift+";
    return text.append(KeyName(key));
}

bool SameEntry(const TZefEditKeyStroke& a, const TZefEditKeyStroke& b)
{
    return a.Command == b.Command && a.ShortCut() == b.ShortCut() && a.ShortCut2() == b.ShortCut2();
}

} // namespace

std::span<const TZefCommandName> EditorCommandNames() { return kCommandNames; }

std::string CommandToName(TZefEditorCommand command)
{
    auto it = std::lower_bound(kCommandNames.begin(), kCommandNames.end(), command,
                               [](const TZefCommandName& entry, TZefEditorCommand c) { return entry.Command < c; });
    if (it != kCommandNames.end() && it->Command == command) return std::string(it->Name);
    return std::to_string(command);
}

std::optional<TZefEditorCommand> NameToCommand(std::string_view name)
{
    for (const auto& entry : kCommandNames)
        if (entry.Name == name) return entry.Command;
    return std::nullopt;
}

std::optional<TZefEditorCommand> TextToCommand(std::string_view text)
{
    if (auto command = NameToCommand(text)) return command;
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    TZefEditorCommand value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

TShortCut ShortCut(TVirtualKey key, TShiftState shift)
{
    TShortCut result = key & 0xFF;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, TVirtualKey& key, TShiftState& shift)
{
    key = shortCut & 0xFF;
    shift = TShiftState();
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

TShortCut TZefEditKeyStroke::ShortCut() const { return ::ShortCut(key_, shift_); }

TShortCut TZefEditKeyStroke::ShortCut2() const { return ::ShortCut(key2_, shift2_); }

void TZefEditKeyStroke::SetShortCut(TShortCut value)
{
    if (value != 0 && collection_ != nullptr) {
        int found = collection_->FindShortcutPair(value, ShortCut2());
        if (found >= 0 && &collection_->Items(found) != this) throw EZefKeyError("Shortcut already exists");
    }
    ShortCutToKey(value, key_, shift_);
}

void TZefEditKeyStroke::SetShortCut2(TShortCut value)
{
    if (value != 0 && collection_ != nullptr) {
        int found = collection_->FindShortcutPair(ShortCut(), value);
        if (found >= 0 && &collection_->Items(found) != this) throw EZefKeyError("Shortcut already exists");
    }
    ShortCutToKey(value, key2_, shift2_);
}

void TZefEditKeyStroke::AssignFrom(const TZefEditKeyStroke& source)
{
    Command = source.Command;
    key_ = source.key_;
    shift_ = source.shift_;
    key2_ = source.key2_;
    shift2_ = source.shift2_;
}

TZefEditKeyStrokes::TZefEditKeyStrokes(const TZefEditKeyStrokes& other) : owner_(nullptr) { *this = other; }

TZefEditKeyStrokes& TZefEditKeyStrokes::operator=(const TZefEditKeyStrokes& other)
{
    if (this == &other) return *this;
    std::vector<std::unique_ptr<TZefEditKeyStroke>> copies;
    copies.reserve(other.items_.size());
    for (const auto& item : other.items_) {
        copies.push_back(std::make_unique<TZefEditKeyStroke>(this));
        copies.back()->AssignFrom(*item);
    }
    items_ = std::move(copies);
    return *this;
}

TZefEditKeyStrokes::~TZefEditKeyStrokes() = default;

TZefEditKeyStroke& TZefEditKeyStrokes::Items(int index)
{
    return *items_.at(static_cast<size_t>(index));
}

const TZefEditKeyStroke& TZefEditKeyStrokes::Items(int index) const
{
    return *items_.at(static_cast<size_t>(index));
}

TZefEditKeyStroke& TZefEditKeyStrokes::Add()
{
    items_.push_back(std::make_unique<TZefEditKeyStroke>(this));
    return *items_.back();
}

void TZefEditKeyStrokes::AppendKeystroke(TZefEditorCommand command, TVirtualKey key, TShiftState shift)
{
    AppendKeySequence(command, key, shift, 0, TShiftState());
}

void TZefEditKeyStrokes::AppendKeySequence(TZefEditorCommand command, TVirtualKey key1, TShiftState shift1,
                                           TVirtualKey key2, TShiftState shift2)
{
    TZefEditKeyStroke& entry = Add();
    entry.Command = command;
    entry.key_ = key1;
    entry.shift_ = shift1.KeyModifiers();
    entry.key2_ = key2;
    entry.shift2_ = shift2.KeyModifiers();
}

void TZefEditKeyStrokes::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("keystroke index out of range");
    items_.erase(items_.begin() + index);
}

void TZefEditKeyStrokes::Clear() { items_.clear(); }

void TZefEditKeyStrokes::LoadDefaultKeystrokes()
{
    Clear();
    items_.reserve(std::size(kDefaultKeystrokes));
    for (const auto& entry : kDefaultKeystrokes)
        AppendKeystroke(entry.Command, entry.Key, entry.Shift);
}

int TZefEditKeyStrokes::FindSingleKey(TVirtualKey key, TShiftState shift) const
{
    shift = shift.KeyModifiers();
    for (int i = 0; i < Count(); ++i) {
        const auto& entry = *items_[static_cast<size_t>(i)];
        if (entry.key_ == key && entry.shift_ == shift && entry.key2_ == 0) return i;
    }
    return -1;
}

int TZefEditKeyStrokes::FindKeySequence(TVirtualKey key1, TShiftState shift1, TVirtualKey key2,
                                        TShiftState shift2) const
{
    shift1 = shift1.KeyModifiers();
    shift2 = shift2.KeyModifiers();
    for (int i = 0; i < Count(); ++i) {
        const auto& entry = *items_[static_cast<size_t>(i)];
        if (entry.key_ == key1 && entry.shift_ == shift1 && entry.key2_ == key2 && entry.shift2_ == shift2)
            return i;
    }
    return -1;
}

int TZefEditKeyStrokes::FindShortcutPair(TShortCut shortCut, TShortCut shortCut2) const
{
    for (int i = 0; i < Count(); ++i) {
        const auto& entry = *items_[static_cast<size_t>(i)];
        if (entry.ShortCut() == shortCut && entry.ShortCut2() == shortCut2) return i;
    }
    return -1;
}

int TZefEditKeyStrokes::FindCommand(TZefEditorCommand command) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)]->Command == command) return i;
    return -1;
}

std::string TZefEditKeyStrokes::DebugDump() const
{
    std::string text;
    for (const auto& entry : items_) {
        text += ShortCutName(entry->key_, entry->shift_);
        if (entry->key2_ != 0) text.append(",").append(ShortCutName(entry->key2_, entry->shift2_));
        text.append(" ").append(CommandToName(entry->Command)).append("\n");
    }
    return text;
}

bool IsDefaultKeystrokes(const TZefEditKeyStrokes& keystrokes)
{
    TZefEditKeyStrokes defaults;
    defaults.LoadDefaultKeystrokes();
    if (keystrokes.Count() != defaults.Count()) return false;
    for (int i = 0; i < defaults.Count(); ++i)
        if (!SameEntry(keystrokes[i], defaults[i])) return false;
    return true;
}

TZefKeystrokeChanges ComputeKeystrokeChanges(const TZefEditKeyStrokes& keystrokes)
{
    TZefEditKeyStrokes defaults;
    defaults.LoadDefaultKeystrokes();
    auto contains = [](const TZefEditKeyStrokes& set, const TZefEditKeyStroke& wanted) {
        for (int i = 0; i < set.Count(); ++i)
            if (SameEntry(set[i], wanted)) return true;
        return false;
    };
    TZefKeystrokeChanges changes;
    for (int i = 0; i < defaults.Count(); ++i)
        if (!contains(keystrokes, defaults[i])) changes.RemovedKeystrokes.Add().AssignFrom(defaults[i]);
    for (int i = 0; i < keystrokes.Count(); ++i)
        if (!contains(defaults, keystrokes[i])) changes.AddedKeystrokes.Add().AssignFrom(keystrokes[i]);
    return changes;
}

void ApplyRemovedKeystrokes(TZefEditKeyStrokes& keystrokes, const TZefEditKeyStrokes& removed)
{
    for (int i = 0; i < removed.Count(); ++i) {
        const TZefEditKeyStroke& entry = removed[i];
        int found = keystrokes.FindShortcutPair(entry.ShortCut(), entry.ShortCut2());
        if (found >= 0 && keystrokes[found].Command == entry.Command) keystrokes.Delete(found);
    }
}

void ApplyAddedKeystrokes(TZefEditKeyStrokes& keystrokes, const TZefEditKeyStrokes& added)
{
    for (int i = 0; i < added.Count(); ++i) keystrokes.Add().AssignFrom(added[i]);
}

void RemoveDocumentEditorKeystrokes(TZefEditKeyStrokes& keystrokes)
{
    TZefEditKeyStrokes removed;
    removed.AppendKeystroke(ecDeleteLastChar, VK_BACK, ssShift);
    removed.AppendKeystroke(ecLineBreak, VK_RETURN, ssShift);
    removed.AppendKeystroke(ecContextHelp, VK_F1, TShiftState());
    ApplyRemovedKeystrokes(keystrokes, removed);
}
