// Gutter marks and the editor's mark list, including how marks follow their text when lines come and go.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class TCustomZefEdit;
class TZefEditMarkList;

// One mark drawn in the gutter; a bookmark when BookmarkIndex is 0..9.
// The setters that change how a shown mark looks ask its list to repaint the gutter rows concerned.
// The four virtual operations are the ones an application may override.
class TZefEditMark {
public:
    explicit TZefEditMark(TCustomZefEdit* owner) : owner_(owner) {}
    virtual ~TZefEditMark() = default;
    TZefEditMark(const TZefEditMark&) = delete;
    TZefEditMark& operator=(const TZefEditMark&) = delete;

    // The control the mark was made for, or null once the mark is not in that control's mark list.
    virtual TCustomZefEdit* Owner() const;
    virtual void SetMarkChar(int value) { markChar_ = value; }
    virtual void SetGlyphIndex(int value);
    virtual void SetMarkLine(int value);

    int MarkLine() const { return markLine_; }
    int MarkChar() const { return markChar_; }
    int GlyphIndex() const { return glyphIndex_; }
    int BookmarkIndex() const { return bookmarkIndex_; }
    void SetBookmarkIndex(int value) { bookmarkIndex_ = value; }
    bool IsBookmark() const { return bookmarkIndex_ >= 0; }
    bool Shown() const { return shown_; }
    void SetShown(bool value);
    bool UsesDefaultGlyphs() const { return usesDefaultGlyphs_; }
    void SetUsesDefaultGlyphs(bool value);

    // The list holding the mark, or null; maintained by TZefEditMarkList.
    TZefEditMarkList* List() const { return list_; }

protected:
    // Repaints the gutter rows of both lines when the mark is shown (or when force is set) and in a list.
    void InvalidateLines(int oldLine, int newLine, bool force = false) const;

private:
    friend class TZefEditMarkList;

    TCustomZefEdit* owner_;
    TZefEditMarkList* list_ = nullptr;
    int markLine_ = 0;
    int markChar_ = 0;
    int glyphIndex_ = 0;
    int bookmarkIndex_ = -1;
    bool shown_ = false;
    bool usesDefaultGlyphs_ = false;
};

// Marks of one line as the gutter painter takes them: in list order, unused slots null.
inline constexpr int MaxMarksPerLine = 16;
using TZefEditMarks = std::array<TZefEditMark*, MaxMarksPerLine>;

// The control's Marks: an ordered list that owns its marks. Every change of membership raises OnChange
// (the control repaints the whole gutter); a shown mark that changes line or look raises OnInvalidateLines.
// Marks stay where the list put them in memory, so the control may keep plain pointers to its bookmarks
// for as long as they are in the list.
class TZefEditMarkList {
public:
    using ChangeEvent = std::function<void(TZefEditMarkList* sender)>;
    // The handler may replace the mark, or reset it to cancel the placement.
    using PlaceMarkEvent = std::function<void(TZefEditMarkList* sender, std::unique_ptr<TZefEditMark>& mark)>;
    using InvalidateLinesEvent = std::function<void(int oldLine, int newLine)>;

    explicit TZefEditMarkList(TCustomZefEdit* owner) : owner_(owner) {}
    ~TZefEditMarkList();
    TZefEditMarkList(const TZefEditMarkList&) = delete;
    TZefEditMarkList& operator=(const TZefEditMarkList&) = delete;

    TCustomZefEdit* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(marks_.size()); }
    // Mark by position; null when out of range.
    TZefEditMark* Item(int index) const;
    // Position of the mark in the list, -1 when absent.
    int IndexOf(const TZefEditMark* mark) const;

    // Appends the mark (null is ignored) and notifies; answers the mark.
    TZefEditMark* AddMark(std::unique_ptr<TZefEditMark> mark);
    // Raises OnPlaceBookmark first; appends whatever mark the handler leaves, then notifies.
    // Answers the appended mark, or null when the placement was cancelled.
    TZefEditMark* PlaceMark(std::unique_ptr<TZefEditMark> mark);
    // Takes the mark out of the list and hands it back (null when absent); notifies when it was there.
    std::unique_ptr<TZefEditMark> RemoveMark(TZefEditMark* mark);
    // Frees the mark at the index and notifies; out of range does nothing.
    void Delete(int index);
    // Frees every mark of the line that is not a bookmark, last first; notifies once when any went.
    void ClearLineMarks(int line);
    // Frees every mark; notifies when any went.
    void Clear();
    // The first marks of the line, up to MaxMarksPerLine, in list order.
    TZefEditMarks MarksForLine(int line) const;
    // The first mark carrying bookmark number n, or null.
    TZefEditMark* FindBookmark(int n) const;

    // Mark shifting after line insertions and removals (lines from 1), each O(number of marks).
    // Inserting count lines at firstNewLine moves every mark on that line or below down by count.
    void LinesInserted(int firstNewLine, int count);
    // Removing count lines from firstRemovedLine (L): a mark on L + count - 1 or below moves up by count (so
    // a mark on the last removed line lands on L - 1, the line the removed text was joined onto); a mark on
    // L + 1 .. L + count - 2 moves to L; any other mark (on L and above) stays. With count 1 the removed line
    // is L itself, so its marks move to L - 1.
    void LinesRemoved(int firstRemovedLine, int count);

    ChangeEvent OnChange;
    PlaceMarkEvent OnPlaceBookmark;
    InvalidateLinesEvent OnInvalidateLines;

private:
    friend class TZefEditMark;

    void Changed();
    TZefEditMark* Append(std::unique_ptr<TZefEditMark> mark);

    TCustomZefEdit* owner_;
    std::vector<std::unique_ptr<TZefEditMark>> marks_;
};
