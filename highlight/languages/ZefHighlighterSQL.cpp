// The SQL highlighter's reserved words, word hash and rules.
#include "ZefHighlighterSQL.h"

#include <algorithm>
#include <array>

namespace {

// The reserved words of the Sybase dialect, which every dialect uses. "references" is here beside
// "reference", so that a foreign-key clause is coloured as a whole.
constexpr std::string_view kReservedWords =
    "absolute, action, add, after, alias, all, allocate, alter, and, any, are, arith_overflow, as, asc, assertion, "
    "async, at, authorization, avg, before, begin, between, bit, bit_length, boolean, both, breadth, break, browse, "
    "bulk, by, call, cascade, cascaded, case, cast, catalog, char, char_convert, char_length, character, "
    "character_length, check, checkpoint, close, clustered, coalesce, collate, collation, column, commit, "
    "completion, compute, confirm, connect, connection, constraint, constraints, continue, controlrow, convert, "
    "corresponding, count, create, cross, current, current_date, current_time, current_timestamp, current_user, "
    "cursor, cycle, data, database, date, day, dbcc, deallocate, dec, decimal, declare, default, deferrable, "
    "deferred, delete, depth, desc, describe, descriptor, diagnostics, dictionary, dis, disconnect, distinct, "
    "domain, double, drop, dummy, dump, each, else, elseif, en, end, endtran, equals, errlvl, errordata, errorexit, "
    "escape, except, exception, exclusive, exec, execute, exists, exit, exp_row_size, external, extract, false, "
    "fetch, fillfactor, first, float, for, foreign, found, from, full, general, get, global, go, goto, grant, "
    "group, having, holdlock, hour, identity, identity_gap, identity_insert, identity_start, if, ignore, immediate, "
    "in, index, indicator, initially, inner, input, insensitive, insert, install, int, integer, intersect, "
    "interval, into, is, isolation, jar, join, key, kill, language, last, leading, leave, left, less, level, like, "
    "limit, lineno, load, local, lock, loop, lower, match, max, max_rows_per_page, min, minute, mirror, mirrorexit, "
    "modify, module, month, names, national, natural, nchar, new, next, no, noholdlock, nonclustered, none, not, "
    "null, nullif, numeric, numeric_truncation, object, octet_length, of, off, offsets, oid, old, on, once, online, "
    "only, open, operation, operators, option, or, order, others, outer, output, over, overlaps, pad, parameters, "
    "partial, partition, pendant, perm, permanent, plan, position, precision, preorder, prepare, preserve, primary, "
    "print, prior, private, privileges, proc, procedure, processexit, protected, proxy_table, public, quiesce, "
    "raiserror, read, readpast, readtext, real, reconfigure, recursive, ref, reference, references, referencing, "
    "relative, remove, reorg, replace, replication, reservepagegap, resignal, restrict, return, returns, revoke, "
    "right, role, rollback, routine, row, rowcount, rows, rule, save, savepoint, schema, scroll, search, second, "
    "section, select, sensitive, sequence, session_user, set, setuser, shared, shutdown, signal, similar, size, "
    "smallint, some, space, sql, sqlcode, sqlerror, sqlexception, sqlstate, statistics, stripe, structure, "
    "substring, sum, syb_identity, syb_restree, system_user, table, temp, temporary, test, textsize, then, there, "
    "time, timestamp, timezone_hour, timezone_minute, to, trailing, tran, transaction, translate, translation, "
    "trigger, trim, true, truncate, tsequal, type, under, union, unique, unknown, unpartition, update, upper, usage, "
    "use, user, user_option, using, value, values, varchar, variable, varying, view, virtual, visible, wait, "
    "waitfor, when, whenever, where, while, with, without, work, write, writetext, year, zone";

// What continues a word (and a variable after "@").
constexpr TZefCharSet kWordChars = TZefCharSet("_#$").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kDigits = zefchars::Digits();

// A digit and the following digits, "-" and "." characters; it stops before ".." and before the "--" of a
// comment, so 1-2 is one number and 5--x a number and a comment.
int Number(TZefScanCursor& cursor)
{
    static constexpr TZefCharSet kBody = zefchars::Digits().Add('-').Add('.');
    cursor.Advance();
    while (!cursor.AtEnd() && kBody.Contains(cursor.Current())) {
        const int next = cursor.Peek(1);
        if ((cursor.Current() == '.' && next == '.') || (cursor.Current() == '-' && next == '-')) break;
        cursor.Advance();
    }
    return TZefSQLSyn::tkNumber;
}

// A double-quoted string: a backslash before a quote and a doubled quote stay inside; it ends at its quote
// or the line end, and never carries over.
int DoubleQuoted(TZefScanCursor& cursor)
{
    cursor.Advance();
    while (!cursor.AtEnd()) {
        const unsigned char c = cursor.Current();
        if ((c == '\\' || c == '"') && cursor.Peek(1) == '"') {
            cursor.Advance(2);
            continue;
        }
        cursor.Advance();
        if (c == '"') break;
    }
    return TZefSQLSyn::tkString;
}

} // namespace

namespace {

// Each byte's value in the word hash: "_" 1, letters 2..27 in either case, every other byte 0.
constexpr std::array<uint8_t, 256> MakeHashValues()
{
    std::array<uint8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        const uint32_t letter = zefkeys::LetterOrdinal(static_cast<unsigned char>(c));
        values[static_cast<size_t>(c)] = static_cast<uint8_t>(c == '_' ? 1 : letter ? letter + 1 : 0);
    }
    return values;
}
constexpr std::array<uint8_t, 256> kHashValues = MakeHashValues();

} // namespace

uint32_t TZefSQLSyn::WordHash(std::string_view word)
{
    uint32_t hash = 0;
    for (const char c : word) hash = (hash * 2 + kHashValues[static_cast<unsigned char>(c)]) % 256;
    return hash;
}

int TZefSQLSyn::ReservedWordCount() { return CountKeywords(kReservedWords, kWordChars); }

TZefSQLSyn::TZefSQLSyn() : TZefTableHighlighter(tkNull, tkUnknown, tkIdentifier, rsUnknown)
{
    SetNames("TZefSQLSyn", "SQL");
    AddAttributes({{&CommentAttri, "Comment", clNone, fsItalic}, {&DataTypeAttri, "Data Type", clNone, fsBold},
                   {&DefaultPackageAttri, "Default Packages", clNone, fsBold},
                   {&ExceptionAttri, "Exception", clNone, fsItalic}, {&FunctionAttri, "Function", clNone, fsBold},
                   {&IdentifierAttri, "Identifier"}, {&KeyAttri, "Reserved Word", clNone, fsBold},
                   {&NumberAttri, "Number"}, {&PLSQLAttri, "PL/SQL Reserved Word", clNone, fsBold},
                   {&SpaceAttri, "Space"}, {&SQLPlusAttri, "SQL*Plus Command", clNone, fsBold},
                   {&StringAttri, "String"}, {&SymbolAttri, "Symbol"}, {&TableNameAttri, "Table Name"},
                   {&VariableAttri, "Variable"}});
    DeclareKinds({{tkComment, "comment", CommentAttri}, {tkDatatype, "datatype", DataTypeAttri},
                  {tkDefaultPackage, "package", DefaultPackageAttri}, {tkException, "exception", ExceptionAttri},
                  {tkFunction, "function", FunctionAttri}, {tkIdentifier, "ident", IdentifierAttri},
                  {tkKey, "key", KeyAttri}, {tkNumber, "number", NumberAttri}, {tkSpace, "space", SpaceAttri},
                  {tkPLSQL, "plsql", PLSQLAttri}, {tkSQLPlus, "sqlplus", SQLPlusAttri},
                  {tkString, "string", StringAttri}, {tkSymbol, "symbol", SymbolAttri},
                  {tkTableName, "table", TableNameAttri}, {tkUnknown, "unknown", IdentifierAttri},
                  {tkVariable, "variable", VariableAttri}});
    SetDefaultAttributes({CommentAttri, IdentifierAttri, KeyAttri, StringAttri, SpaceAttri, SymbolAttri});
    SetIdentChars(kWordChars);
    BuildKeywords();

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.LineComment("--", tkComment);
    rules.BlockComment("/*", "*/", tkComment, rsComment);
    // A single-quoted string carries over line ends exactly as a block comment does; a doubled quote ends it.
    rules.BlockComment("'", "'", tkString, rsString);
    rules.Custom(TZefCharSet("\""), DoubleQuoted);
    rules.Custom(kDigits, Number);
    rules.Prefixed("@", kWordChars, tkVariable, TZefScanRules::kNoClosing, false);
    rules.Words(TZefCharSet("_").AddRange('A', 'Z').AddRange('a', 'z'));
    // One list per first character, so a symbol is compared with its own few operators only.
    for (const auto& operators : std::initializer_list<std::vector<std::string_view>>{
             {"!="}, {"%="}, {"*="}, {"^="}, {"&&", "&="}, {"++", "+="}, {"/="}, {"<<=", "<=", "<<"}, {"==", "=>"},
             {">=", ">>"}, {"||", "|="}})
        rules.Operators(operators, tkSymbol);
    // Every other character but "#", "$", backslash, backquote and 127..255 (unknown) is a one-character symbol.
    rules.Single(TZefCharSet().AddRange(1, 126) - zefchars::BlankChars() - kWordChars - TZefCharSet("\r\n\\`"),
                 tkSymbol);

    SetSample("-- Sample\r\nselect name, @count from users /* all */\r\nwhere id = 'a' and x <= 1.5;\r\n");
    FinishConstruction("SQL Files (*.sql)|*.sql", TScanBy::Rules);
}

void TZefSQLSyn::BuildKeywords()
{
    SetKeywords(std::make_unique<TZefHashEntryKeywordLookup>(&WordHash, tkIdentifier));
    Keywords()->AddGroup(kReservedWords, tkKey);
    for (const std::string& name : tableNames_) {
        if (!name.empty() && Keywords()->KindOf(name) == tkIdentifier) Keywords()->Add(name, tkTableName);
    }
}

bool TZefSQLSyn::IsKeyword(std::string_view word) const
{
    if (word.empty() || !Keywords()) return false;
    switch (Keywords()->KindOf(word)) {
    case tkDatatype:
    case tkDefaultPackage:
    case tkException:
    case tkFunction:
    case tkKey:
    case tkPLSQL: return true;
    default: return false;
    }
}

std::vector<int> TZefSQLSyn::TokenKinds() const
{
    // Only the keyword kinds the shared list holds, and table names when there are some.
    std::vector<int> kinds = TZefTableHighlighter::TokenKinds();
    std::erase_if(kinds, [this](int kind) {
        return kind == tkDatatype || kind == tkDefaultPackage || kind == tkException || kind == tkFunction ||
               kind == tkPLSQL || kind == tkSQLPlus || (kind == tkTableName && tableNames_.empty());
    });
    return kinds;
}

void TZefSQLSyn::Assign(const TZefPersistent& source)
{
    TZefTableHighlighter::Assign(source);
    if (const auto* other = dynamic_cast<const TZefSQLSyn*>(&source)) SetSQLDialect(other->SQLDialect());
}

void TZefSQLSyn::SetSQLDialect(TSQLDialect value)
{
    if (value == dialect_) return;
    dialect_ = value;
    BuildKeywords();
    NotifyChange(this);
}

void TZefSQLSyn::SetTableNames(std::vector<std::string> value)
{
    if (value == tableNames_) return;
    tableNames_ = std::move(value);
    BuildKeywords();
    NotifyChange(this);
}
