// Parser of the regular-expression syntax into a node tree, with the compile checks and their error positions.
#pragma once

#include "ZefRegExprNode.h"

#include <string_view>

inline constexpr int kZefReMaxGroups = 14;

// Parses one expression. Parse throws EZefRegExpr (codes below 1000) with the 0-based offset where
// parsing stopped. The expression is only referenced; it must outlive the parser.
class TZefReParser {
public:
    TZefReParser(std::string_view expression, TZefRegExprModifiers modifiers, const TZefRegExprCharSet& lineSeparators);

    // The root is always an Alternation whose children are Concats (one child when there is no "|").
    TZefReNodePtr Parse();
    int GroupCount() const { return groupCount_; }

private:
    struct ClassMember {
        bool isChar = true;
        unsigned char ch = 0;
        TZefRegExprCharSet set;
    };

    TZefReNodePtr ParseAlternation();
    TZefReNodePtr ParseBranch();
    TZefReNodePtr ParsePiece();
    TZefReNodePtr ParseAtom();
    TZefReNodePtr ParseGroupOrModifiers();
    TZefReNodePtr ParseEscape();
    TZefReNodePtr ParseClass();
    ClassMember ReadClassMember();
    void AddClassRange(TZefRegExprCharSet& set, unsigned char from, unsigned char to, int position) const;
    unsigned char ParseHex();
    void SkipExtended();
    TZefReNodePtr MakeLiteral(unsigned char c) const;

    bool AtEnd() const { return pos_ >= text_.size(); }
    unsigned char Peek() const { return static_cast<unsigned char>(text_[pos_]); }
    unsigned char Next() { return static_cast<unsigned char>(text_[pos_++]); }
    [[noreturn]] void Fail(int code, size_t position) const;

    std::string_view text_;
    size_t pos_ = 0;
    TZefRegExprModifiers flags_;
    TZefRegExprCharSet lineSeparators_;
    int groupCount_ = 0;
};
