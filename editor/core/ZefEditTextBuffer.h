// The line store of one document: lines as byte strings with per-line highlighter state and width cache,
// loading with line-break detection and saving in the detected style.
#pragma once

#include "ZefEditLineBlocks.h"
#include "ZefEditLineRecords.h"
#include "ZefEditTypes.h"
#include "ZefWorkProgress.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zefload {
struct TScannedBuffer;
}

// A bad line index given to a writing operation: "Invalid stringlist index %d".
class EZefEditStringList : public std::out_of_range {
public:
    explicit EZefEditStringList(int index);
    int Index() const { return index_; }

private:
    int index_;
};

// The general list error, raised by SetCapacity below Count.
class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read, created or written; the message is the platform's.
class EZefFileError : public std::runtime_error {
public:
    EZefFileError(const std::string& fileName, const std::string& reason, int errorNumber);
    // The message reads: action "fileName". reason (e.g. Cannot open file "/a/b". No such file or directory).
    EZefFileError(std::string_view action, const std::string& fileName, const std::string& reason, int errorNumber);
    // The error for errno-style code errorNumber, with the platform's text for it.
    static EZefFileError FromErrno(std::string_view action, const std::string& fileName, int errorNumber);
    // A folder, pipe, device or socket where a file was expected: "/tmp/x" is not a regular file.
    // ErrorNumber() is EISDIR for a folder, EINVAL otherwise.
    static EZefFileError NotRegularFile(const std::string& fileName, bool isFolder);
    const std::string& FileName() const { return fileName_; }
    int ErrorNumber() const { return errorNumber_; }

private:
    struct WholeMessage {};
    EZefFileError(WholeMessage, const std::string& message, const std::string& fileName, int errorNumber);

    std::string fileName_;
    int errorNumber_;
};

// Per-line flags; exactly one of lfHasTabs / lfNoTabs is set once the width is known.
enum TZefLineFlag : uint8_t {
    lfHasTabs = 1,
    lfNoTabs = 2,
    lfWidthUnknown = 4,
};
using TZefLineFlags = uint8_t;

using TZefRangeState = int32_t;
inline constexpr TZefRangeState NullRange = -1;

// The record of a line that has one (see TZefEditStringList), 20 bytes: the text (inline up to 15 bytes,
// otherwise a heap block or a slice of the loaded file) and the width cache. The store alone creates and
// releases the text storage.
struct TZefEditStringRec {
    static constexpr size_t kInlineCapacity = 15;

    std::string_view Text() const
    {
        if (IsLong()) return {LongData(), LongSize()};
        return {reinterpret_cast<const char*>(raw), static_cast<size_t>(raw[15] & kInlineSizeMask)};
    }
    TZefLineFlags Flags() const { return static_cast<TZefLineFlags>((raw[15] >> kFlagShift) & 7u); }
    void SetFlags(TZefLineFlags flags)
    {
        raw[15] = static_cast<unsigned char>((raw[15] & ~(7u << kFlagShift)) | ((flags & 7u) << kFlagShift));
    }

    // Tag byte raw[15]: bit 7 long text; bits 4-6 line flags; bits 0-3 inline size, or for long text
    // bit 0 "slice of the load buffer" (not freed on its own). Long text: pointer in raw[0..7],
    // size in raw[8..14].
    static constexpr unsigned kLongBit = 0x80;
    static constexpr unsigned kSliceBit = 0x01;
    static constexpr unsigned kFlagShift = 4;
    static constexpr unsigned kInlineSizeMask = 0x0F;

    bool IsLong() const { return (raw[15] & kLongBit) != 0; }
    bool IsSlice() const { return IsLong() && (raw[15] & kSliceBit) != 0; }
    const char* LongData() const
    {
        const char* data;
        std::memcpy(&data, raw, sizeof data);
        return data;
    }
    size_t LongSize() const
    {
        uint64_t size = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // One load of raw[8..15] without the tag byte.
            std::memcpy(&size, raw + 8, sizeof size);
            return static_cast<size_t>(size & 0x00FF'FFFF'FFFF'FFFFu);
        }
        for (int i = 6; i >= 0; --i) size = (size << 8) | raw[8 + i];
        return static_cast<size_t>(size);
    }

    unsigned char raw[16];
    int32_t ExpandedWidth;
};

class TZefEditStringList {
public:
    using Notify = std::function<void(TZefEditStringList* sender)>;
    using LinesNotify = std::function<void(TZefEditStringList* sender, int index, int count)>;
    // Picks the expansion routine for the tab width: writes expanded text (may be null) and returns the width.
    using ExpandTabsFunc = int (*)(std::string_view line, int tabWidth, std::string* expanded);

    TZefEditStringList();
    ~TZefEditStringList();
    TZefEditStringList(const TZefEditStringList&) = delete;
    TZefEditStringList& operator=(const TZefEditStringList&) = delete;

    int Count() const { return static_cast<int>(blocks_.Count()); }
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity);

    // Reads never fail: a bad index yields an empty string / zero / none.
    // The view stays valid until the line is next changed or removed.
    std::string_view GetLine(int index) const
    {
        if (static_cast<unsigned>(index) >= static_cast<unsigned>(Count())) return {};
        const TZefLineBlocks::TPlace place = blocks_.Locate(static_cast<size_t>(index));
        return TextOf(place.block->entries[place.position], place.block->base);
    }
    void* GetUserObject(int index) const;
    TZefRangeState GetRangeState(int index) const;
    // Sets the range state of lines first..last - 1 (within Count), in order, to what scan(text, index)
    // answers for each: SetRangeState line by line in one change, without looking each line up.
    template <typename Scan>
    void ScanRangeStates(int first, int last, Scan&& scan)
    {
        if (first < 0 || last > Count() || first >= last) return;
        BeginUpdate();
        try {
            int index = first;
            blocks_.ForEachLine(static_cast<size_t>(first), static_cast<size_t>(last),
                                [&](TZefLineBlock& block, size_t position) {
                                    const TZefRangeState range = scan(TextOf(block.entries[position], block.base), index++);
                                    blocks_.SetRangeIn(block, position, range);
                                });
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    std::string GetExpandedLine(int index);
    int GetExpandedWidth(int index);
    int GetLongestLineWidth();
    int LongestLineIndex() const { return longestLineIndex_; }
    TZefLineFlags GetLineFlags(int index) const;

    // Writes raise EZefEditStringList for a bad index and leave the store unchanged. While the longest
    // line is known, replacing or inserting a line measures only that line and keeps LongestLineIndex
    // valid (O(line length) instead of a later O(document) rescan); removing it or narrowing it forgets it.
    void ReplaceLine(int index, std::string_view text);
    // Replaces `length` bytes at byte `offset` of a line by text, in place: the cost follows the bytes moved
    // after the edit, not the line's length, so typing at the end of a very long line stays cheap. Offset
    // and length are clamped to the line; notifies like ReplaceLine.
    void ReplaceInLine(int index, size_t offset, size_t length, std::string_view text);
    class TSpliceBatch;
    int AddLine(std::string_view text);
    void InsertLine(int index, std::string_view text);
    void DeleteLine(int index);
    void RemoveLines(int index, int count);
    void InsertEmptyLines(int index, int count);
    void ExchangeLines(int index1, int index2);
    void AppendLines(const std::vector<std::string>& lines, const std::vector<void*>& objects = {});
    void ClearAll();
    void SetUserObject(int index, void* object);
    void SetRangeState(int index, TZefRangeState value);

    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);

    // The style of a file whose breaks are all alike, and of every line added to the document.
    TLineBreakStyle LineBreakStyle() const { return lineBreakStyle_; }
    void SetLineBreakStyle(TLineBreakStyle style) { lineBreakStyle_ = style; }
    // Whether the last line is followed by a line break when saved. Loading sets it from the file (true for a
    // file ending in a line break), so a file without a final break is saved without one. Before a load it
    // also chooses how a final break is read: true (the default) reads it as the end of the last line;
    // false reads it as the start of one more, empty line (and then the last line never has a break).
    bool TrailingLineBreak() const { return trailingLineBreak_; }
    void SetTrailingLineBreak(bool value) { trailingLineBreak_ = value; }
    // True while the loaded file's breaks are not all alike and the store keeps each line's own break.
    bool HasMixedLineBreaks() const { return blocks_.KeepsBreaks(); }
    // The break written after the line when another line follows it: its own break in a file with mixed
    // breaks, LineBreakStyle otherwise. LineBreakStyle for a bad index.
    TLineBreakStyle GetLineBreak(int index) const;
    // Takes over source's breaks (style, final break, each line's own break) for a store that now holds the
    // same lines as source, e.g. after its text was replaced by source's.
    void CopyLineBreaksFrom(const TZefEditStringList& source);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Every line followed by CR LF, whatever the line-break style.
    std::string GetText() const;
    // CR, LF and CR LF end a line; every other byte, NUL included, is text. A final break adds no line.
    // progress hears the bytes split of all; a stop asked meanwhile leaves the store empty and raises
    // EZefWorkCancelled (a progress that never stops only lets the windows repaint).
    void SetText(std::string_view text, const TZefWorkProgress& progress = {});

    // Reads everything first, so an unreadable input raises EZefFileError and leaves the lines as they
    // were; then splits like SetText (plus an empty last line after a final break when
    // TrailingLineBreak is false), detects LineBreakStyle, sets TrailingLineBreak and, for a file with
    // mixed breaks, keeps each line's break. Saving without edits gives back the same bytes. Capacity
    // equals Count afterwards. Only regular files are read: anything else (a folder, a pipe, a device)
    // raises EZefFileError ("\"name\" is not a regular file.") at once, without waiting or reading.
    //
    // With a progress, the work is reported as it goes; a stop asked during the read leaves the lines as
    // they were, one asked later leaves the store empty, and either raises EZefWorkCancelled.
    void LoadFromFile(const std::string& fileName, const TZefWorkProgress& progress = {});
    void LoadFromStream(std::istream& stream);
    // The size from which a load splits its bytes into lines in two parts on two threads (tests and
    // fuzzing lower it to compare both ways).
    static void SetTwoPartLoadFrom(size_t bytes);
    // Writes every line followed by its break (the last one only when TrailingLineBreak is true). An empty
    // document writes nothing: a store without lines, or whose only line is empty - unless that line was
    // loaded from a file holding just one line break and nothing has changed since.
    //
    // SaveToFile saves through a symbolic link to the file it names. A file the user may not write is never
    // replaced ("Permission denied"). The new text replaces the file by rename of a temporary file beside
    // it when that loses nothing (a single link, the folder writable, the owner, group, permission bits and
    // extended attributes all kept on the new file); otherwise it is written in place, after reserving
    // its new size on disk, so that a full disk fails before any old byte is touched. Any failure raises
    // EZefFileError; the renaming path leaves the old file as it was, the in-place path its old length.
    //
    // With a progress, the writing is reported line by line. A stop is heeded only on the renaming path,
    // where the old file has not been touched yet: the temporary file goes and EZefWorkCancelled is raised.
    // Written in place, the file is always finished.
    void SaveToFile(const std::string& fileName, const TZefWorkProgress& progress = {}) const;
    void SaveToStream(std::ostream& stream) const;

    // Expanded width of any string under a tab width, without building the expansion.
    static int ExpandedWidthOf(std::string_view text, int tabWidth);
    // Tab expansion as the painter sees it: one byte per column, tab columns filled with byte 9
    // (with tab width 1, each tab becomes one space).
    static std::string ExpandTabs(std::string_view text, int tabWidth);

    Notify OnBeforeChanges;
    Notify OnAfterChanges;
    Notify OnAllCleared;
    LinesNotify OnLinesRemoved;
    LinesNotify OnLinesAdded;
    LinesNotify OnLineReplaced;

    // One line per record, for tests: index, text, range, width and flags.
    std::string DebugDump() const;

private:
    // Lines are held in blocks of 32-bit entries (TZefLineBlocks). A line that still reads straight from the
    // loaded file is an offset into loadBuffer_: its text runs to the next CR or LF, which the loaded text
    // holds only between lines. Every other line has a record of its own in records_: edited and inserted
    // lines, and loaded lines of kLongLine bytes or more, whose length is kept so that reading a very long
    // line never searches it. loadUsers_ counts the loaded lines and the records that are slices of the
    // buffer; the buffer is freed when it drops to zero.
    static constexpr size_t kLongLine = 256;

    TZefLineBlocks blocks_{NullRange};
    TZefRecordPool<TZefEditStringRec> records_;
    int capacity_ = 0; // what SetCapacity asked for, at least Count
    char* loadBuffer_ = nullptr;
    const char* loadEnd_ = nullptr;
    size_t loadUsers_ = 0;
    TLineBreakStyle lineBreakStyle_ = lbsCRLF;
    bool trailingLineBreak_ = true;
    int tabWidth_ = 8;
    ExpandTabsFunc expandTabs_ = nullptr;
    int longestLineIndex_ = -1;
    int longestLineWidth_ = 0; // the width of longestLineIndex_ while that is known
    int updateCount_ = 0;
    // The store's only line, empty, was loaded from a file holding just a line break: it is saved as that
    // break, whereas a document emptied by editing is saved as an empty file. Any change of lines clears it.
    bool loadedLoneBreak_ = false;
    // The one kind of break the loaded file has throughout, if it has one: blocks that still hold the loaded
    // bytes are saved as those bytes while the lines are written with that break.
    std::optional<TLineBreakStyle> uniformLoadedBreak_;

    // The text of a loaded line: from its offset to the next break or the buffer's end.
    std::string_view LoadedText(const char* base, TZefLineEntry entry) const;
    std::string_view TextOf(TZefLineEntry entry, const char* base) const
    {
        if (zefentry::IsRecord(entry)) return records_[zefentry::RecordOf(entry)].Text();
        return LoadedText(base, entry);
    }
    // The record of line index, made for it first when it has none (its text, range and object kept).
    TZefEditStringRec& OwnRecord(int index);
    void ReleaseEntry(TZefLineEntry entry);
    void DropLoadUser();
    void CheckIndex(int index, int limit) const;
    void AssignText(TZefEditStringRec& rec, std::string_view text);
    void ReleaseText(TZefEditStringRec& rec);
    void InitNewLine(TZefEditStringRec& rec, std::string_view text);
    // A new record holding text, its width unknown; answers its entry.
    TZefLineEntry NewRecord(std::string_view text);
    // A new record whose text is data[0..size) of the load buffer, its width unknown; answers its number.
    // The caller counts it as a user of the buffer.
    uint32_t NewSliceRecord(const char* data, size_t size);
    int UpdateWidth(TZefEditStringRec& rec);
    int UpdateWidthIfUnknown(TZefEditStringRec& rec);
    // The width of line index, measured now if it was not known; flags receives its tab flags.
    int MeasureLine(int index, TZefLineFlags* flags);
    int KnownWidth(int index) const;
    void SetLongest(int index, int width)
    {
        longestLineIndex_ = index;
        longestLineWidth_ = width;
    }
    // ReplaceInLine without its notification or update bracket.
    void SpliceLine(int index, size_t offset, size_t length, std::string_view text);
    void SpliceText(TZefEditStringRec& rec, size_t offset, size_t length, std::string_view text);
    void UpdateWidthAfterSplice(TZefEditStringRec& rec, int oldWidth, TZefLineFlags oldFlags, size_t offset,
                                size_t length, std::string_view text);
    void NoteNewWidth(int index);
    // Frees every line's storage and the load buffer, without notifications.
    void ReleaseAll();
    // Capacity follows Count with the slack the old array kept, so the figure reads as before.
    void GrowCapacity();
    // Calls visit(text) for every line in order.
    template <typename Visit>
    void ForEachLineText(Visit&& visit) const
    {
        blocks_.ForEachBlock([&](const TZefLineBlock& block) {
            for (TZefLineEntry entry : block.entries) visit(TextOf(entry, block.base));
        });
    }
    // Replaces all lines by those of buffer[0..size) (malloc'ed, kLoadPadding readable bytes beyond size),
    // taking the buffer over. CR, LF and CR LF end a line; other bytes, NUL included, are text. A file load
    // (asFile) also sets LineBreakStyle and TrailingLineBreak and keeps mixed breaks line by line.
    void LoadBytes(char* buffer, size_t size, bool asFile, TZefProgressTicker* ticker = nullptr);
    // The same for a buffer whose lines were already found (as the file was read).
    void StoreScanned(char* buffer, size_t size, bool asFile, zefload::TScannedBuffer& scanned,
                      TZefProgressTicker* ticker = nullptr);
    // The break written after line index of a file with mixed breaks.
    TLineBreakStyle OwnBreakToWrite(int index) const;
    // Whether saving writes nothing at all.
    bool IsEmptyDocument() const;
    // Calls sink(text, break) for every line to save, break empty after a last line without one.
    template <typename Sink>
    void ForEachSavedLine(Sink&& sink) const;
    // The same lines, but where a block of them is still the loaded bytes they would be written as, calls
    // spanSink(bytes, lineCount) for the whole block instead.
    template <typename Sink, typename SpanSink>
    void ForEachSavedLineOrSpan(Sink&& sink, SpanSink&& spanSink) const;
    static constexpr size_t kLoadPadding = 16;
};

// In-place edits of many lines as one change, for edits that touch thousands of lines at once (replace all):
// each Splice is a ReplaceInLine without a notification of its own. The batch holds one update bracket from
// its creation to Close, and Close sends a single OnLineReplaced over the lines from the first to the last
// one changed (lines between them that were not edited are included). Destroying an open batch closes it.
class TZefEditStringList::TSpliceBatch {
public:
    explicit TSpliceBatch(TZefEditStringList& list);
    ~TSpliceBatch() noexcept(false);
    TSpliceBatch(const TSpliceBatch&) = delete;
    TSpliceBatch& operator=(const TSpliceBatch&) = delete;

    // As ReplaceInLine: raises EZefEditStringList for a bad index, clamps offset and length to the line.
    void Splice(int index, size_t offset, size_t length, std::string_view text);
    // Notifies and ends the bracket; later calls do nothing.
    void Close();
    // The lowest and highest line changed so far, -1 before the first change.
    int FirstChanged() const { return first_; }
    int LastChanged() const { return last_; }

private:
    TZefEditStringList& list_;
    bool open_ = true;
    int first_ = -1;
    int last_ = -1;
};
