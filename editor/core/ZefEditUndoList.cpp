// The undo list's bookkeeping: numbering, groups, trimming, the saved state and the test dump.
// Covered by tests/editor/core/UndoList_test.cpp.
#include "ZefEditUndoList.h"

#include <cstdio>
#include <utility>

std::string UndoKindName(TUndoKind kind)
{
    switch (kind) {
    case ucInsert: return "ucInsert";
    case ucPaste: return "ucPaste";
    case ucDrop: return "ucDrop";
    case ucDeleteLine: return "ucDeleteLine";
    case ucDeleteBlock: return "ucDeleteBlock";
    case ucBreakLine: return "ucBreakLine";
    case ucIndent: return "ucIndent";
    case ucUnindent: return "ucUnindent";
    case ucDeleteBackward: return "ucDeleteBackward";
    case ucDeleteForward: return "ucDeleteForward";
    case ucPasteBegin: return "ucPasteBegin";
    case ucPasteEnd: return "ucPasteEnd";
    case ucCaretMark: return "ucCaretMark";
    case ucSelectionMark: return "ucSelectionMark";
    case ucNone: return "ucNone";
    case ucGroupBreak: return "ucGroupBreak";
    case ucPadding: return "ucPadding";
    }
    return "uc?" + std::to_string(static_cast<int>(kind));
}

void TZefEditUndoList::AddRecord(TUndoKind kind, TBufferCoord start, TBufferCoord end, std::string_view text,
                                 TZefSelectionMode mode)
{
    if (IsLocked()) return;
    AddRecordTaking(kind, start, end, std::string(text), mode);
}

void TZefEditUndoList::AddRecordTaking(TUndoKind kind, TBufferCoord start, TBufferCoord end, std::string&& text,
                                       TZefSelectionMode mode)
{
    if (IsLocked()) return;
    TZefEditUndoItem record;
    record.Kind = kind;
    record.SelectionMode = mode;
    record.Start = start;
    record.End = end;
    record.Text = std::move(text);
    if (groupNumber_ != 0) {
        record.ChangeNumber = groupNumber_;
    } else {
        record.ChangeNumber = nextChangeNumber_;
        AdvanceChangeNumber();
    }
    PushRecord(std::move(record));
}

void TZefEditUndoList::PushRecord(TZefEditUndoItem record)
{
    const bool isGroupBreak = record.Kind == ucGroupBreak;
    records_.push_back(std::move(record));
    Trim();
    if (!isGroupBreak) RaiseRecordAdded();
}

std::optional<TZefEditUndoItem> TZefEditUndoList::PopRecord()
{
    if (records_.empty()) return std::nullopt;
    std::optional<TZefEditUndoItem> top(std::move(records_.back()));
    records_.pop_back();
    return top;
}

const TZefEditUndoItem* TZefEditUndoList::PeekRecord() const
{
    return records_.empty() ? nullptr : &records_.back();
}

TUndoKind TZefEditUndoList::LastKind() const
{
    return records_.empty() ? ucNone : records_.back().Kind;
}

void TZefEditUndoList::AddGroupBreak()
{
    if (LastKind() == ucGroupBreak) return;
    AddRecord(ucGroupBreak, TBufferCoord{0, 0}, TBufferCoord{0, 0}, {}, smNormal);
}

void TZefEditUndoList::BeginGroup()
{
    ++groupDepth_;
    groupNumber_ = nextChangeNumber_;
}

void TZefEditUndoList::EndGroup()
{
    if (groupDepth_ <= 0) return;
    if (--groupDepth_ > 0) return;
    const TZefChangeNumber closed = groupNumber_;
    groupNumber_ = 0;
    AdvanceChangeNumber();
    if (!records_.empty() && records_.back().ChangeNumber == closed) RaiseRecordAdded();
}

void TZefEditUndoList::Unlock()
{
    if (lockCount_ > 0) --lockCount_;
}

void TZefEditUndoList::ClearRecords()
{
    records_.clear();
}

void TZefEditUndoList::SetMaximum(int maximum)
{
    if (maximum < 0) maximum = 0;
    if (maximum == maximum_) return;
    maximum_ = maximum;
    Trim();
}

void TZefEditUndoList::MarkSaved(bool saved)
{
    if (saved) {
        savedNumber_ = records_.empty() ? 0 : records_.back().ChangeNumber;
        savedReachable_ = true;
    } else if (IsAtSavedState()) {
        savedReachable_ = false;
    }
}

bool TZefEditUndoList::IsAtSavedState() const
{
    if (!savedReachable_) return false;
    return records_.empty() ? savedNumber_ == 0 : records_.back().ChangeNumber == savedNumber_;
}

int64_t TZefEditUndoList::SavedNumber() const
{
    return savedReachable_ ? static_cast<int64_t>(savedNumber_) : -1;
}

void TZefEditUndoList::AdvanceChangeNumber()
{
    // Unsigned arithmetic wraps without undefined behaviour; 0 is reserved for "no group" and "saved empty".
    if (++nextChangeNumber_ == 0) nextChangeNumber_ = 1;
}

void TZefEditUndoList::Trim()
{
    // The newest change is kept whole, however many records it has: a group still being recorded, or a
    // change moved here record by record by undo or redo. Trimming part of it would leave a step that undoes
    // (or redoes) only part of its change, and a saved state that seems reached when it is not.
    while (records_.size() > static_cast<size_t>(maximum_)) {
        if (maximum_ > 0 && records_.front().ChangeNumber == records_.back().ChangeNumber) break;
        const TZefChangeNumber dropped = records_.front().ChangeNumber;
        records_.pop_front();
        ForgetDroppedRecord(dropped);
    }
}

// The saved state is a point in the record stack. While it lies above the oldest record it is found again by
// the change number of the record under it. When the last record carrying that number goes, the point drops
// to the bottom of the list, which an empty list stands for (saved number 0). When a record goes from
// below a point already at the bottom, no number of undo steps gets back to the saved text any more.
void TZefEditUndoList::ForgetDroppedRecord(TZefChangeNumber dropped)
{
    if (!savedReachable_) return;
    if (savedNumber_ == 0) {
        savedReachable_ = false;
    } else if (dropped == savedNumber_ && (records_.empty() || records_.front().ChangeNumber != savedNumber_)) {
        savedNumber_ = 0;
    }
}

void TZefEditUndoList::RaiseRecordAdded()
{
    if (OnRecordAdded) OnRecordAdded(this);
}

namespace {

const char* ModeName(TZefSelectionMode mode)
{
    switch (mode) {
    case smNormal: return "smNormal";
    case smLine: return "smLine";
    case smColumn: return "smColumn";
    }
    return "sm?";
}

void AppendEscaped(std::string& out, std::string_view text)
{
    for (unsigned char c : text) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        default:
            if (c < 32 || c == 127) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
}

void AppendCoord(std::string& out, TBufferCoord coord)
{
    out += '(';
    out += std::to_string(coord.Char);
    out += ',';
    out += std::to_string(coord.Line);
    out += ')';
}

} // namespace

std::string TZefEditUndoList::DebugDump() const
{
    std::string out;
    for (const TZefEditUndoItem& record : records_) {
        out += '#';
        out += std::to_string(record.ChangeNumber);
        out += ' ';
        out += UndoKindName(record.Kind);
        out += ' ';
        out += ModeName(record.SelectionMode);
        out += ' ';
        AppendCoord(out, record.Start);
        out += '-';
        AppendCoord(out, record.End);
        out += " \"";
        AppendEscaped(out, record.Text);
        out += "\"\n";
    }
    return out;
}
