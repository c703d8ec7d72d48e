// The editor's undo and redo lists: a bounded stack of change records with change numbers, groups and a saved state.
#pragma once

#include "ZefEditTypes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What a record undoes. The numbers are fixed; the gaps are unused kinds.
enum TUndoKind : uint8_t {
    ucInsert = 0,
    ucPaste = 1,
    ucDrop = 2,
    ucDeleteLine = 3,
    ucDeleteBlock = 4,
    ucBreakLine = 5,
    ucIndent = 6,
    ucUnindent = 7,
    ucDeleteBackward = 8,
    ucDeleteForward = 9,
    ucPasteBegin = 12,
    ucPasteEnd = 13,
    ucCaretMark = 18,
    ucSelectionMark = 19,
    ucNone = 20, // answer of LastKind for an empty list; never stored
    ucGroupBreak = 21,
    ucPadding = 25,
};

// The enumerator's name ("ucInsert"), or "uc?<n>" for an unused number.
std::string UndoKindName(TUndoKind kind);

// Identifies the command (or undo group) that made a record. Never 0; wraps from 0xFFFFFFFF to 1.
using TZefChangeNumber = uint32_t;

// One change record. Start and End are the change's bounds; Text is what the inverse operation needs
// (the deleted text of a deletion, the overwritten text or nothing for an insertion).
struct TZefEditUndoItem {
    TUndoKind Kind = ucNone;
    TZefSelectionMode SelectionMode = smNormal;
    TBufferCoord Start{};
    TBufferCoord End{};
    std::string Text;
    TZefChangeNumber ChangeNumber = 0;

    friend bool operator==(const TZefEditUndoItem&, const TZefEditUndoItem&) = default;
};

// A bounded stack of records, oldest first. The editor owns two: the undo list and the redo list.
//
// Numbering: a record made outside a group takes the next change number, which then advances; inside a
// group (GroupNumber() != 0) every record takes the group number. BeginGroup/EndGroup nest; the group
// number may also be set directly (the redo list during an undo step shares one number this way).
//
// Saved state: MarkSaved(true) remembers the top record's change number (0 for an empty list);
// IsAtSavedState() answers whether the top record carries that number again. MarkSaved(false) at the saved
// state makes it unreachable. Trimming keeps the saved state only while undo can still get back to it: when
// the last record carrying the saved number goes, the saved state becomes "everything undone" (number 0);
// when a record goes from under a state saved at number 0, the saved state becomes unreachable. So
// IsAtSavedState() is true only for the text that was saved.
//
// Not copyable: the owner's callback receives the list's address as sender.
class TZefEditUndoList {
public:
    using RecordAddedEvent = std::function<void(TZefEditUndoList* sender)>;

    static constexpr int DefaultMaximum = 1024;

    TZefEditUndoList() = default;
    TZefEditUndoList(const TZefEditUndoList&) = delete;
    TZefEditUndoList& operator=(const TZefEditUndoList&) = delete;

    // Makes a record and pushes it; nothing while locked. The record's change number is the group number
    // when a group is open, else the next change number, which then advances.
    void AddRecord(TUndoKind kind, TBufferCoord start, TBufferCoord end, std::string_view text,
                   TZefSelectionMode mode);
    // The same, taking the text over instead of copying it (a batch edit's old text can be megabytes).
    void AddRecordTaking(TUndoKind kind, TBufferCoord start, TBufferCoord end, std::string&& text,
                         TZefSelectionMode mode);
    // Appends the record as it is (its change number kept), trims to the maximum and, unless it is a
    // group break, raises OnRecordAdded. Not affected by the lock.
    void PushRecord(TZefEditUndoItem record);
    // Removes and returns the top record; none when empty.
    std::optional<TZefEditUndoItem> PopRecord();
    // The top record, or null when empty. Valid until the list next changes.
    const TZefEditUndoItem* PeekRecord() const;
    // Kind of the top record, ucNone when empty.
    TUndoKind LastKind() const;

    // Adds a ucGroupBreak record (positions (0, 0), no text) unless the top record already is one.
    void AddGroupBreak();

    void BeginGroup();
    // Closing the outermost group advances the next change number and raises OnRecordAdded when the top
    // record belongs to the group just closed. Unbalanced calls are ignored.
    void EndGroup();
    int GroupDepth() const { return groupDepth_; }
    TZefChangeNumber GroupNumber() const { return groupNumber_; }
    // 0 closes the group for numbering; the depth is not touched.
    void SetGroupNumber(TZefChangeNumber number) { groupNumber_ = number; }

    void Lock() { ++lockCount_; }
    void Unlock();
    bool IsLocked() const { return lockCount_ > 0; }

    void ClearRecords();
    int Count() const { return static_cast<int>(records_.size()); }
    // Record by position, 0 the oldest. The index must be in range.
    const TZefEditUndoItem& Item(int index) const { return records_[static_cast<size_t>(index)]; }
    bool CanUndo() const { return !records_.empty(); }

    int Maximum() const { return maximum_; }
    // Negative counts as 0; a new value trims the oldest records at once.
    void SetMaximum(int maximum);

    TZefChangeNumber NextChangeNumber() const { return nextChangeNumber_; }
    // For callers that restore a list's numbering (and for tests near the wrap-around); 0 becomes 1.
    void SetNextChangeNumber(TZefChangeNumber number) { nextChangeNumber_ = number == 0 ? 1 : number; }

    void MarkSaved(bool saved);
    bool IsAtSavedState() const;
    // The remembered change number: 0 when saved while empty, -1 when the saved state cannot come back.
    int64_t SavedNumber() const;

    // Raised after a record other than a group break is pushed, and when an outermost group closes with
    // its own record on top. The editor refreshes Modified, clears the redo list and raises OnChange here.
    RecordAddedEvent OnRecordAdded;

    // One line per record, oldest first: "#<number> <kind> <mode> (<char>,<line>)-(<char>,<line>) \"<text>\"",
    // with CR, LF, tab, quote, backslash and other control bytes escaped.
    std::string DebugDump() const;

private:
    void AdvanceChangeNumber();
    void Trim();
    void ForgetDroppedRecord(TZefChangeNumber dropped);
    void RaiseRecordAdded();

    std::deque<TZefEditUndoItem> records_;
    int maximum_ = DefaultMaximum;
    TZefChangeNumber nextChangeNumber_ = 1;
    TZefChangeNumber groupNumber_ = 0;
    int groupDepth_ = 0;
    int lockCount_ = 0;
    TZefChangeNumber savedNumber_ = 0;
    bool savedReachable_ = true;
};
