// The General highlighter's settings and the rules built from them.
#include "ZefHighlighterGeneral.h"

#include <algorithm>

TZefGeneralSyn::TZefGeneralSyn() : TZefCodeHighlighter(TLook{}, rsUnknown)
{
    SetNames("TZefGeneralSyn", "General");
    AddAttributes({{&PreprocessorAttri, "Preprocessor"}});
    DeclareKinds({{tkPreprocessor, "preprocessor", PreprocessorAttri}});
    BuildRules();
    SetSample("General text with 'a string', 42 and 3.5.\r\n");
    FinishConstruction("", TScanBy::Rules);
}

std::vector<int> TZefGeneralSyn::TokenKinds() const
{
    std::vector<int> kinds = TZefCodeHighlighter::TokenKinds();
    std::erase_if(kinds, [this](int kind) {
        return (kind == tkComment && comments_ == 0) || (kind == tkPreprocessor && !detectPreprocessor_) ||
               (kind == tkKey && keyWords_.empty());
    });
    return kinds;
}

void TZefGeneralSyn::BuildRules()
{
    TZefScanRules& rules = Rules();
    rules.Clear();
    if (comments_ & csCPPStyle) rules.LineComment("//", tkComment);
    if (comments_ & csCStyle) rules.BlockComment("/*", "*/", tkComment, rsCStyle);
    if (comments_ & csAnsiStyle) rules.BlockComment("(*", "*)", tkComment, rsAnsi);
    if (comments_ & csPasStyle) rules.BlockComment("{", "}", tkComment, rsPasStyle);
    if (comments_ & (csAsmStyle | csBasStyle)) rules.LineComment(";", tkComment);
    if (detectPreprocessor_) {
        rules.LineComment("#", tkPreprocessor);
    } else {
        rules.Prefixed("#", zefchars::Digits(), tkString);
    }
    rules.Quoted(stringDelim_, tkString);
    auto keywords = std::make_unique<TZefSortedKeywordLookup>(tkIdentifier);
    for (const std::string& word : keyWords_) keywords->Add(word, tkKey);
    SetKeywords(std::move(keywords));
    AddCommonRules(zefchars::Digits().Add('.').Add('e').Add('E'), TZefCharSet().AddRange('!', '/').AddRange(':', '@')
                                                                      .AddRange('[', '^').Add('`').AddRange('{', '~'));
    RulesChanged();
}

void TZefGeneralSyn::SetComments(TCommentStyles value) { ChangeSetting(comments_, value); }

void TZefGeneralSyn::SetDetectPreprocessor(bool value) { ChangeSetting(detectPreprocessor_, value); }

void TZefGeneralSyn::SetIdentifierChars(const TZefCharSet& value)
{
    SetIdentChars(value);
    SetWordBreakChars(WordBreakChars() - value);
    NotifyChange(this);
}

void TZefGeneralSyn::SetKeyWords(std::vector<std::string> value)
{
    std::sort(value.begin(), value.end());
    ChangeSetting(keyWords_, std::move(value));
}

void TZefGeneralSyn::SetStringDelim(char value) { ChangeSetting(stringDelim_, value); }
