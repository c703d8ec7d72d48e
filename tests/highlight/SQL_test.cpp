// The SQL highlighter: keywords and table names, comments and strings across lines, numbers, variables and
// operators.
#include "support/AllHighlighters.h"

#include "ZefHighlighterSQL.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(SQLHighlighter, TokensOfEachConstruct)
{
    using R = TZefSQLSyn::TRangeState;
    alllanguages::CheckDumps<TZefSQLSyn>({
        {"keywords in any case; a longer word is an identifier", "SELECT select SeLeCt select2",
         "{key}SELECT{space} {key}select{space} {key}SeLeCt{space} {ident}select2\n"},
        {"variables", "select @name @@name", "{key}select{space} {variable}@name{space} {variable}@{variable}@name\n"},
        {"# starts an unknown token but belongs to a word", "#x name#1 $",
         "{unknown}#{ident}x{space} {ident}name#1{space} {unknown}$\n"},
        {"numbers", "1-2 1..5 3.5", "{number}1-2{space} {number}1{symbol}.{symbol}.{number}5{space} {number}3.5\n"},
        {"sound 2: a number stops before --", "5--drop table", "{number}5{comment}--drop table\n"},
        {"sound 3: references and reference are keywords", "references reference referenced",
         "{key}references{space} {key}reference{space} {ident}referenced\n"},
        {"sound 4: digits, # and $ are told apart", "user# user$ user_ en1",
         "{ident}user#{space} {ident}user${space} {ident}user_{space} {ident}en1\n"},
        {"block comment across lines", "a /* one\ntwo */ b",
         "{ident}a{space} {comment}/* one ~1\n{comment}two */{space} {ident}b\n"},
        {"a line opening with */ closes at once", "*/x", "{comment}*/{ident}x\n", R::rsComment},
        {"/*/ does not close", "/*/ x", "{comment}/*/ x ~1\n"},
        {"single-quoted string across lines; a doubled quote ends it", "'it''s\n'x",
         "{string}'it'{string}'s ~2\n{string}'{ident}x\n"},
        {"double-quoted strings: escaped and doubled quotes stay inside", "\"a\"\"b\" \"c\\\"d\" \"open",
         "{string}\"a\"\"b\"{space} {string}\"c\\\"d\"{space} {string}\"open\n"},
        {"operators", "a<<=b<=c<>d==e!=f||g/h", "{ident}a{symbol}<<={ident}b{symbol}<={ident}c{symbol}<{symbol}>"
                                              "{ident}d{symbol}=={ident}e{symbol}!={ident}f{symbol}||{ident}g"
                                              "{symbol}/{ident}h\n"},
        {"sound 9: NUL and bytes above 127 are unknown characters", "a\0\x80 \\`"s,
         "{ident}a{unknown}\0{unknown}\x80{space} {unknown}\\{unknown}`\n"s},
        {"sound 9: a stale range starts from the initial state", "x'", "{ident}x{string}' ~2\n", 7},
    });
}

TEST(SQLHighlighter, EndRangesOfLines)
{
    TZefSQLSyn sql;
    const auto endOf = [&sql](std::string_view line, TZefRangeState start) {
        sql.SetRange(start);
        sql.SetLine(line, 1);
        sql.NextToEol();
        return sql.GetRange();
    };
    EXPECT_EQ(endOf("x /* open", TZefSQLSyn::rsUnknown), TZefSQLSyn::rsComment);
    EXPECT_EQ(endOf("still */ 'open", TZefSQLSyn::rsComment), TZefSQLSyn::rsString);
    EXPECT_EQ(endOf("\"open", TZefSQLSyn::rsUnknown), TZefSQLSyn::rsUnknown);
    EXPECT_EQ(endOf("", TZefSQLSyn::rsString), TZefSQLSyn::rsString);
}

TEST(SQLHighlighter, WordHashStaysInItsBucketsForLongWords)
{
    // sound 1: the hash is reduced at every step, so a word of any length hashes below 256.
    const std::string longWord(200, 'z');
    EXPECT_LT(TZefSQLSyn::WordHash(longWord), 256u);
    TZefSQLSyn sql;
    EXPECT_EQ(alllanguages::Dump(sql, longWord), "{ident}" + longWord + "\n");
    EXPECT_EQ(TZefSQLSyn::WordHash("Select"), TZefSQLSyn::WordHash("SELECT"));
}

TEST(SQLHighlighter, KeywordListTableNamesAndDialect)
{
    EXPECT_EQ(TZefSQLSyn::ReservedWordCount(), 374) << "the 373 words and references";
    TZefSQLSyn sql;
    int rescans = 0;
    sql.AddChangeHook(&rescans, [&rescans](TZefPersistent* sender) { rescans += sender != nullptr; });
    EXPECT_TRUE(sql.IsKeyword("WaitFor"));
    EXPECT_FALSE(sql.IsKeyword("customers"));
    sql.SetTableNames({"Customers", "orders#1", "select"});
    EXPECT_EQ(rescans, 1);
    EXPECT_EQ(alllanguages::Dump(sql, "select * from CUSTOMERS, orders#1, orders#2"),
              "{key}select{space} {symbol}*{space} {key}from{space} {table}CUSTOMERS{symbol},{space} {table}orders#1"
              "{symbol},{space} {ident}orders#2\n");
    EXPECT_FALSE(sql.IsKeyword("customers")) << "a table name is no keyword";
    EXPECT_TRUE(sql.IsKeyword("select")) << "a table name equal to a keyword stays a keyword";
    sql.SetTableNames({"Customers", "orders#1", "select"});
    EXPECT_EQ(rescans, 1) << "an unchanged list rebuilds nothing";
    sql.SetSQLDialect(sqlOracle);
    EXPECT_EQ(rescans, 2);
    EXPECT_TRUE(sql.IsKeyword("select")) << "every dialect shares the list";
    EXPECT_EQ(alllanguages::Dump(sql, "customers"), "{table}customers\n");
    TZefSQLSyn copy;
    copy.Assign(sql);
    EXPECT_EQ(copy.SQLDialect(), sqlOracle);
}

TEST(SQLHighlighter, Attributes)
{
    TZefSQLSyn sql;
    EXPECT_EQ(sql.GetAttribCount(), 15);
    EXPECT_EQ(sql.CommentAttri->Style(), fsItalic);
    EXPECT_EQ(sql.KeyAttri->Style(), fsBold);
    EXPECT_EQ(sql.TableNameAttri->Name(), "Table Name");
    EXPECT_EQ(sql.SQLDialect(), sqlSybase);
    EXPECT_TRUE(sql.GetIdentChars().Contains(0xE9));
}
