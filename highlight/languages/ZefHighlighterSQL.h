// The SQL highlighter: keywords and user table names from run-time lists, comments and strings that may
// span lines, numbers, variables and operators.
#pragma once

#include "ZefTableHighlighter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TSQLDialect : uint8_t {
    sqlStandard, sqlInterbase6, sqlMSSQL7, sqlMySQL, sqlOracle, sqlSybase, sqlIngres, sqlMSSQL2K,
};

// Range values: 0 rsUnknown (the initial state), 1 rsComment (inside "/*" ... "*/"), 2 rsString (inside a
// single-quoted string). Words start with a letter or "_" and run over letters, digits, "_", "#" and "$";
// a word is a keyword or table name when its characters equal one ignoring case (the hash only picks the
// bucket). Every dialect shares the one reserved-word list; changing the dialect or the table names rebuilds
// the list and notifies with the highlighter, so editors rescan.
class TZefSQLSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkComment, tkDatatype, tkDefaultPackage, tkException, tkFunction, tkIdentifier, tkKey, tkNull, tkNumber,
        tkSpace, tkPLSQL, tkSQLPlus, tkString, tkSymbol, tkTableName, tkUnknown, tkVariable,
    };
    enum TRangeState : TZefRangeState { rsUnknown = 0, rsComment = 1, rsString = 2 };

    TZefSQLSyn();

    // The scanner continues words over its own table; the editor's word characters are the standard set.
    TZefCharSet GetIdentChars() const override { return zefchars::StandardIdentChars(); }
    // Reserved words and the other keyword kinds; table names are not keywords.
    bool IsKeyword(std::string_view word) const override;
    std::vector<int> TokenKinds() const override;
    void Assign(const TZefPersistent& source) override;
    // A line's end state from its comment openers and quotes alone (ZefHighlighterSQLRanges.cpp).
    void ScanLineRange(std::string_view line, int lineIndex) override;

    TSQLDialect SQLDialect() const { return dialect_; }
    void SetSQLDialect(TSQLDialect value);
    const std::vector<std::string>& TableNames() const { return tableNames_; }
    void SetTableNames(std::vector<std::string> value);

    // hash := (hash * 2 + value) mod 256 at every character ("_" 1, letters 2..27 in either case, others 0).
    static uint32_t WordHash(std::string_view word);
    // How many words the reserved-word list holds.
    static int ReservedWordCount();

    TZefHighlighterAttributes *CommentAttri, *DataTypeAttri, *DefaultPackageAttri, *ExceptionAttri, *FunctionAttri,
        *IdentifierAttri, *KeyAttri, *NumberAttri, *PLSQLAttri, *SpaceAttri, *SQLPlusAttri, *StringAttri,
        *SymbolAttri, *TableNameAttri, *VariableAttri;

private:
    void BuildKeywords();

    TSQLDialect dialect_ = sqlSybase;
    std::vector<std::string> tableNames_;
};
