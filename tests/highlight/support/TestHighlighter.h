// A small C-like test language (line and block comments, escaped strings, numbers, case-insensitive keywords)
// and a token dumper, shared by the highlighter and painter tests and the scan benchmark.
#pragma once

#include "ZefEditHighlighter.h"
#include "ZefKeywordBuckets.h"
#include "ZefScanHighlighter.h"
#include "ZefScanRecognizers.h"

#include <array>
#include <string>
#include <string_view>

// Tokens: "//" line comments, "/* */" block comments over lines (range rsComment), double-quoted strings
// with backslash escapes (an open one ends at the line end), numbers, keywords ignoring case (the accented
// "été" too), identifiers of the standard set, blanks, symbols; any other byte, NUL included, is one
// tkUnknown character.
class TZefTestHighlighter : public TZefScanHighlighter {
public:
    enum TTokenKind : int { tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown };
    enum TRangeState : TZefRangeState { rsNormal, rsComment };

    static constexpr std::string_view kKeywords[] = {"begin", "do",     "else", "end",  "for",   "from",
                                                    "if",    "return", "select", "then", "where", "while",
                                                    "\xE9t\xE9"};

    TZefTestHighlighter()
        : TZefScanHighlighter(tkNull, rsNormal),
          keywords_(TZefKeyHashTables::CaseInsensitive(zefchars::StandardIdentChars()), kBucketCount, tkIdentifier,
                    false)
    {
        commentAttri_ = AddAttribute("Comment");
        commentAttri_->SetForeground(clGreen);
        commentAttri_->SetStyle(fsItalic);
        identifierAttri_ = AddAttribute("Identifier");
        keyAttri_ = AddAttribute("Reserved Word");
        keyAttri_->SetStyle(fsBold);
        numberAttri_ = AddAttribute("Number");
        numberAttri_->SetForeground(clNavy);
        spaceAttri_ = AddAttribute("Space");
        stringAttri_ = AddAttribute("String");
        stringAttri_->SetForeground(clMaroon);
        symbolAttri_ = AddAttribute("Symbol");
        SetAttributesOnChange([this](TZefPersistent* sender) { NotifyChange(sender); });

        for (auto& handler : handlers_) handler = &TZefTestHighlighter::UnknownProc;
        for (int c = 1; c <= 32; ++c) handlers_[static_cast<size_t>(c)] = &TZefTestHighlighter::SpaceProc;
        for (unsigned char c : std::string_view("!%&()*+,-.:;<=>?[]^{|}~")) handlers_[c] = &TZefTestHighlighter::SymbolProc;
        handlers_['/'] = &TZefTestHighlighter::SlashProc;
        handlers_['"'] = &TZefTestHighlighter::StringProc;
        for (int c = '0'; c <= '9'; ++c) handlers_[static_cast<size_t>(c)] = &TZefTestHighlighter::NumberProc;
        for (int c = 0; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (zefchars::StandardIdentChars().Contains(byte) && !zefchars::Digits().Contains(byte))
                handlers_[byte] = &TZefTestHighlighter::WordProc;
        }
        for (std::string_view keyword : kKeywords) keywords_.Add(keyword, tkKey);
        SetKindAttribute(tkComment, commentAttri_);
        SetKindAttribute(tkIdentifier, identifierAttri_);
        SetKindAttribute(tkKey, keyAttri_);
        SetKindAttribute(tkNumber, numberAttri_);
        SetKindAttribute(tkSpace, spaceAttri_);
        SetKindAttribute(tkString, stringAttri_);
        SetKindAttribute(tkSymbol, symbolAttri_);
        SetKindAttribute(tkUnknown, identifierAttri_);
        ResetRange();
        SetDefaultFilter("Test Files (*.tst)|*.tst");
    }

    const char* ClassName() const override { return "TZefTestHighlighter"; }
    std::string GetLanguageName() const override { return "Test"; }
    TZefCharSet GetIdentChars() const override { return zefchars::StandardIdentChars(); }
    std::string GetSampleSource() const override { return sampleSource_; }
    void SetSampleSource(std::string_view source) override { sampleSource_ = std::string(source); }
    bool IsKeyword(std::string_view word) const override { return keywords_.KindOf(word) == tkKey; }

    TZefHighlighterAttributes* GetDefaultAttribute(int index) const override
    {
        switch (index) {
        case kZefAttribComment: return commentAttri_;
        case kZefAttribIdentifier: return identifierAttri_;
        case kZefAttribKeyword: return keyAttri_;
        case kZefAttribString: return stringAttri_;
        case kZefAttribWhitespace: return spaceAttri_;
        case kZefAttribSymbol: return symbolAttri_;
        default: return nullptr;
        }
    }

    static std::string_view KindName(int kind)
    {
        static constexpr std::string_view kNames[] = {"comment", "ident", "key", "null", "number",
                                                      "space", "string", "symbol", "unknown"};
        return kind >= 0 && kind <= tkUnknown ? kNames[kind] : std::string_view("?");
    }

    TZefHighlighterAttributes* commentAttri_;
    TZefHighlighterAttributes* identifierAttri_;
    TZefHighlighterAttributes* keyAttri_;
    TZefHighlighterAttributes* numberAttri_;
    TZefHighlighterAttributes* spaceAttri_;
    TZefHighlighterAttributes* stringAttri_;
    TZefHighlighterAttributes* symbolAttri_;

protected:
    void ScanToken() override
    {
        if (GetRange() == rsComment) {
            SetTokenKind(tkComment);
            if (zefscan::ContinueBlockComment(Cursor(), "*/")) SetRange(rsNormal);
            return;
        }
        (this->*handlers_[Cursor().Current()])();
    }

private:
    using Handler = void (TZefTestHighlighter::*)();
    static constexpr int kBucketCount = 2048;

    void SpaceProc()
    {
        static constexpr TZefCharSet kBlanks = TZefCharSet().AddRange(1, 32);
        SetTokenKind(tkSpace);
        Cursor().SkipWhile(kBlanks);
    }
    void SymbolProc()
    {
        SetTokenKind(tkSymbol);
        Cursor().Advance();
    }
    void UnknownProc()
    {
        SetTokenKind(tkUnknown);
        Cursor().Advance();
    }
    void SlashProc()
    {
        if (Cursor().LookingAt("//")) {
            SetTokenKind(tkComment);
            zefscan::ScanLineComment(Cursor());
        } else if (Cursor().LookingAt("/*")) {
            SetTokenKind(tkComment);
            if (!zefscan::ScanBlockComment(Cursor(), "/*", "*/")) SetRange(rsComment);
        } else {
            SymbolProc();
        }
    }
    void StringProc()
    {
        SetTokenKind(tkString);
        zefscan::ScanQuoted(Cursor(), '"', '\\');
    }
    void NumberProc()
    {
        SetTokenKind(tkNumber);
        zefscan::ScanNumber(Cursor());
    }
    void WordProc()
    {
        size_t length = 0;
        SetTokenKind(keywords_.ScanWord(Cursor().Rest(), &length));
        Cursor().Advance(length);
    }

    std::array<Handler, 256> handlers_{};
    TZefBucketKeywords keywords_;
    std::string sampleSource_;
};

// One line through the token protocol from the range the highlighter holds now: each token as "{kind}text",
// then " ~range" when the end range is not 0. A token that does not start where the previous one ended
// shows as "{GAP}", tokens that stop short of the line end as "{SHORT}".
template <typename KindNamer>
std::string DumpLineTokens(TZefCustomHighlighter& highlighter, std::string_view line, int lineIndex,
                           KindNamer kindName)
{
    std::string dump;
    highlighter.SetLine(line, lineIndex);
    size_t expected = 0;
    while (!highlighter.GetEol()) {
        if (static_cast<size_t>(highlighter.GetTokenPos()) != expected) dump += "{GAP}";
        const std::string_view token = highlighter.GetToken();
        dump += "{";
        dump += kindName(highlighter.GetTokenKind());
        dump += "}";
        dump += token;
        expected = static_cast<size_t>(highlighter.GetTokenPos()) + token.size();
        highlighter.Next();
    }
    if (expected != line.size()) dump += "{SHORT}";
    if (highlighter.GetRange() != 0) dump += " ~" + std::to_string(highlighter.GetRange());
    return dump;
}

// Every line of `text` (split at '\n'), ranges carried from line to line from ResetRange, each line's dump
// followed by "\n".
template <typename KindNamer>
std::string DumpTokens(TZefCustomHighlighter& highlighter, std::string_view text, KindNamer kindName)
{
    std::string dump;
    highlighter.ResetRange();
    int lineIndex = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        dump += DumpLineTokens(highlighter, text.substr(start, end - start), lineIndex++, kindName) + "\n";
        start = end + 1;
    }
    return dump;
}

inline std::string DumpTestTokens(TZefTestHighlighter& highlighter, std::string_view text)
{
    return DumpTokens(highlighter, text, &TZefTestHighlighter::KindName);
}
