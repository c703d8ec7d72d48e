// The General highlighter: plain words, numbers, symbols and quoted strings, with optional comment styles,
// preprocessor lines and a keyword list, all set as properties.
#pragma once

#include "ZefCodeHighlighter.h"

#include <string>
#include <vector>

enum TCommentStyle : uint8_t {
    csAnsiStyle = 1,  // (* ... *)
    csPasStyle = 2,   // { ... }
    csCStyle = 4,     // /* ... */
    csAsmStyle = 8,   // ; to the line end
    csBasStyle = 16,  // ; to the line end
    csCPPStyle = 32,  // // to the line end
};
using TCommentStyles = uint8_t;

// Range values: 0 rsUnknown (the initial state), 1 rsAnsi, 2 rsPasStyle, 3 rsCStyle: inside a block comment
// of that style, which may span lines. Only the enabled styles' ranges occur; any other value reads as 0.
// A word starts with a letter or "_" and runs over the identifier characters; a keyword is a word in the
// KeyWords list (ignoring case). Each setter that changes scanning fires NotifyChange with the highlighter.
class TZefGeneralSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkPreprocessor = tkFirstOwnKind };
    enum TRangeState : TZefRangeState { rsUnknown = 0, rsAnsi = 1, rsPasStyle = 2, rsCStyle = 3 };

    TZefGeneralSyn();

    std::vector<int> TokenKinds() const override;

    TCommentStyles Comments() const { return comments_; }
    void SetComments(TCommentStyles value);
    bool DetectPreprocessor() const { return detectPreprocessor_; }
    void SetDetectPreprocessor(bool value);
    // Also takes these characters out of the word-break set.
    void SetIdentifierChars(const TZefCharSet& value);
    const std::vector<std::string>& KeyWords() const { return keyWords_; }
    void SetKeyWords(std::vector<std::string> value);
    char StringDelim() const { return stringDelim_; }
    void SetStringDelim(char value);

    TZefHighlighterAttributes* PreprocessorAttri;

private:
    void BuildRules();
    // Stores a changed value of a scanning setting, rebuilds the rules and notifies with the highlighter.
    template <typename T>
    void ChangeSetting(T& setting, T value)
    {
        if (setting == value) return;
        setting = std::move(value);
        BuildRules();
        NotifyChange(this);
    }

    TCommentStyles comments_ = 0;
    bool detectPreprocessor_ = false;
    std::vector<std::string> keyWords_;
    char stringDelim_ = '\'';
};
