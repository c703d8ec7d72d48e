// Types shared by the editing engine: positions, line-break styles, selection modes, options, status changes.
#pragma once

#include <cstdint>
#include <initializer_list>

// A text position: character index (bytes, from 1) and line (from 1).
struct TBufferCoord {
    int Char = 1;
    int Line = 1;

    friend bool operator==(const TBufferCoord&, const TBufferCoord&) = default;
    // Positions compare by line first, then by character index.
    friend bool operator<(const TBufferCoord& a, const TBufferCoord& b)
    {
        return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
    }
    friend bool operator>(const TBufferCoord& a, const TBufferCoord& b) { return b < a; }
    friend bool operator<=(const TBufferCoord& a, const TBufferCoord& b) { return !(b < a); }
    friend bool operator>=(const TBufferCoord& a, const TBufferCoord& b) { return !(a < b); }
};

inline TBufferCoord BufferCoord(int aChar, int aLine) { return TBufferCoord{aChar, aLine}; }

// A screen position: column (after tab expansion, from 1) and row (from 1).
struct TDisplayCoord {
    int Column = 1;
    int Row = 1;
    friend bool operator==(const TDisplayCoord&, const TDisplayCoord&) = default;
};

enum TLineBreakStyle : uint8_t { lbsCRLF = 0, lbsLF = 1, lbsCR = 2 };

enum TZefSelectionMode : uint8_t { smNormal, smLine, smColumn };

// Status changes are a bit set delivered in batches through OnStatusChange.
using TZefStatusChanges = uint32_t;
enum TZefStatusChange : uint32_t {
    scAll = 1,
    scCaretX = 2,
    scCaretY = 4,
    scLeftChar = 8,
    scTopLine = 16,
    scInsertMode = 32,
    scModified = 64,
    scSelection = 128,
    scReadOnly = 256,
};

// Editor options, in declaration order; TZefEditorOptions holds one bit per option.
enum TZefEditorOption : uint8_t {
    eoAltSetsColumnMode,
    eoAutoIndent,
    eoAutoSizeMaxLineWidth,
    eoDisableScrollArrows,
    eoDragDropEditing,
    eoDropFiles,
    eoEnhanceHomeKey,
    eoGroupUndo,
    eoHalfPageScroll,
    eoHideShowScrollbars,
    eoKeepCaretX,
    eoNoCaret,
    eoNoSelection,
    eoRightMouseMovesCursor,
    eoScrollByOneLess,
    eoScrollHintFollows,
    eoScrollPastEof,
    eoScrollPastEol,
    eoShowScrollHint,
    eoShowSpecialChars,
    eoSmartTabDelete,
    eoSmartTabs,
    eoSpecialLineDefaultFg,
    eoTabIndent,
    eoTabsToSpaces,
    eoTrimTrailingSpaces,
};

class TZefEditorOptions {
public:
    constexpr TZefEditorOptions() = default;
    constexpr TZefEditorOptions(std::initializer_list<TZefEditorOption> options)
    {
        for (auto option : options) bits_ |= Bit(option);
    }
    constexpr bool Contains(TZefEditorOption option) const { return (bits_ & Bit(option)) != 0; }
    constexpr TZefEditorOptions With(TZefEditorOption option) const { return FromBits(bits_ | Bit(option)); }
    constexpr TZefEditorOptions Without(TZefEditorOption option) const { return FromBits(bits_ & ~Bit(option)); }
    constexpr uint32_t Bits() const { return bits_; }
    static constexpr TZefEditorOptions FromBits(uint32_t bits)
    {
        TZefEditorOptions options;
        options.bits_ = bits;
        return options;
    }
    friend constexpr bool operator==(TZefEditorOptions, TZefEditorOptions) = default;

private:
    static constexpr uint32_t Bit(TZefEditorOption option) { return uint32_t{1} << option; }
    uint32_t bits_ = 0;
};

inline constexpr TZefEditorOptions ZefDefaultOptions{
    eoAutoIndent,   eoDragDropEditing, eoGroupUndo,   eoScrollPastEol,      eoShowScrollHint,
    eoSmartTabDelete, eoSmartTabs,     eoTabsToSpaces, eoTrimTrailingSpaces,
};
