// Character sets and both keyword lookup schemes.
#include "CodePage1252.h"
#include "ZefCharSet.h"
#include "ZefHighlighterError.h"
#include "ZefHighlighterHashEntries.h"
#include "ZefKeyHash.h"
#include "ZefKeywordBuckets.h"
#include "ZefKeywordLookup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(CharSets, StandardIdentifierAndWordBreakSets)
{
    const TZefCharSet ident = zefchars::StandardIdentChars();
    std::string ascii;
    for (char c : ident.ToString()) {
        if (static_cast<unsigned char>(c) < 128) ascii += c;
    }
    EXPECT_EQ(ascii, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(ident.Count(), 63 + 23 + 31 + 8);
    for (int c : {191, 215, 247}) EXPECT_FALSE(ident.Contains(static_cast<unsigned char>(c))) << c;
    for (int c : {192, 214, 216, 246, 248, 255}) EXPECT_TRUE(ident.Contains(static_cast<unsigned char>(c))) << c;

    const TZefCharSet breaks = zefchars::DefaultWordBreakChars();
    EXPECT_EQ(breaks.Count(), 22);
    for (char c : std::string("#$%&<>@_`~")) EXPECT_FALSE(breaks.Contains(static_cast<unsigned char>(c))) << c;

    EXPECT_EQ(zefchars::AllFromBang().Count(), 223);
    EXPECT_FALSE(zefchars::AllFromBang().Contains(' '));
    // The editor's word characters: identifier characters minus word breaks.
    EXPECT_EQ((zefchars::AllFromBang() - breaks).Count(), 201);
    EXPECT_EQ((ident & breaks).Count(), 0);
    EXPECT_TRUE(TZefCharSet(std::string_view("\0a", 2)).Contains(0)) << "NUL is a member like any byte";
}

namespace {

enum Kind { kIdent = 100, kKey = 1, kType = 2 };

} // namespace

TEST(BucketKeywords, HitsMissesAndWindows1252CaseFolding)
{
    TZefBucketKeywords keywords(TZefKeyHashTables::CaseInsensitive(zefchars::StandardIdentChars()), 1500, kIdent, false);
    keywords.Add("begin", kKey);
    keywords.Add("\xE9l\xE8ve", kType); // élève
    keywords.Add("nigeb", kType);       // same letters, same sum, same bucket as begin
    const std::pair<const char*, int> cases[] = {
        {"begin", kKey},        {"BEGIN", kKey},     {"BeGiN", kKey},    {"nigeb", kType}, {"begins", kIdent},
        {"begi", kIdent},       {"\xC9L\xC8VE", kType}, {"\xC9l\xE8ve", kType}, {"eleve", kIdent}, {"", kIdent},
    };
    for (const auto& [word, kind] : cases) EXPECT_EQ(keywords.KindOf(word), kind) << word;

    size_t length = 0;
    EXPECT_EQ(keywords.ScanWord("Begin(x)", &length), kKey);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(keywords.ScanWord("(x)", &length), kIdent);
    EXPECT_EQ(length, 0u);
    // A word whose hash lies beyond the last bucket is an identifier without any comparison.
    EXPECT_EQ(keywords.KindOf(std::string(40, 'z')), kIdent);

    try {
        keywords.Add("BEGIN", kType);
        FAIL() << "duplicate accepted";
    } catch (const EZefHighlighterError& error) {
        EXPECT_STREQ(error.what(), "Keyword \"begin\" already in list");
    }
    EXPECT_THROW(keywords.Add(std::string(40, 'z'), kKey), EZefHighlighterError);
    EXPECT_THROW(keywords.Add("two words", kKey), EZefHighlighterError);
}

TEST(BucketKeywords, CaseSensitiveLanguagesCompareRawCharacters)
{
    TZefBucketKeywords keywords(TZefKeyHashTables::CaseSensitive(zefchars::StandardIdentChars()), 3000, kIdent, true);
    keywords.Add("class", kKey);
    keywords.Add("Class", kType); // a different word here
    EXPECT_EQ(keywords.KindOf("class"), kKey);
    EXPECT_EQ(keywords.KindOf("Class"), kType);
    EXPECT_EQ(keywords.KindOf("CLASS"), kIdent);
}

TEST(BucketKeywords, FoldedTailLookupAgreesWithTheBuckets)
{
    // The letter hash gives many words one bucket; the folded-tail table must answer exactly as the bucket
    // comparison does, words longer than its eight characters and shared tails included.
    TZefBucketKeywords keywords(zefkeys::LetterHashTables(), 400, kIdent, TZefKeyMatch::CharactersIgnoringCase);
    ASSERT_TRUE(keywords.ComparesFolded());
    keywords.SetUnmatchedKind(kType);
    for (const char* keyword : {"int", "for", "createobject", "timeserial", "dateserial", "a1_b"})
        keywords.Add(keyword, kKey);
    for (const char* word : {"INT", "For", "fOR", "CreateObject", "createobjec", "xreateobject", "createobjectx",
                             "TimeSerial", "dateSerial", "xateserial", "a1_B", "a1_c", "in", "intx",
                             "zzzzzzzzzzzzzzzzz"}) {
        const TZefWordHash hashed = zefkeys::SumHash(keywords.Tables(), word);
        uint64_t tail = 0;
        for (const char* c = word; *c; ++c)
            tail = zeffold::TailStep(tail, cp1252::ToLower(static_cast<unsigned char>(*c)));
        EXPECT_EQ(keywords.KindOfFolded(hashed.hash, tail, word), keywords.KindOf(word)) << word;
    }
    EXPECT_EQ(keywords.KindOf("CreateObject"), kKey);
    EXPECT_EQ(keywords.KindOf("xateserial"), kType);
    EXPECT_EQ(keywords.KindOf("zzzzzzzzzzzzzzzzz"), kIdent);
}

TEST(KeyHash, SumAndShiftHashesStopAtTheFirstNonIdentifierCharacter)
{
    TZefKeyHashTables tables;
    tables.ident = TZefCharSet("abc_");
    tables.value['a'] = 2;
    tables.value['b'] = 3;
    tables.value['c'] = 200;
    const TZefWordHash sum = zefkeys::SumHash(tables, "abc-a");
    EXPECT_EQ(sum.hash, 205u);
    EXPECT_EQ(sum.length, 3u);
    const TZefWordHash shift = zefkeys::ShiftHash(tables, "abc");
    EXPECT_EQ(shift.hash, ((2u * 2 + 3) * 2 + 200) % 256);
    EXPECT_TRUE(zefkeys::KeyCompHashed(tables, "ab", "ab"));
    EXPECT_FALSE(zefkeys::KeyCompHashed(tables, "ab", "ba"));
    EXPECT_FALSE(zefkeys::KeyCompHashed(tables, "ab", "abc"));
}

namespace {

std::string Chain(const TZefHashEntryList& list, uint32_t hash)
{
    std::string text;
    for (const TZefHashEntry* e = list.Get(hash); e; e = e->Next.get()) {
        text += e->Keyword + "/" + std::to_string(e->KeywordLen) + "/" + std::to_string(e->Kind) + " ";
    }
    return text;
}

} // namespace

TEST(HashEntryList, ChainsAreOrderedByLengthThenInsertion)
{
    TZefHashEntryList list;
    EXPECT_EQ(list.Count(), 0);
    list.Add(5, "select", 1);
    EXPECT_EQ(list.Count(), 6) << "grows to index + 1";
    list.Add(5, "as", 2);
    list.Add(5, "from", 3);
    list.Add(5, "into", 4);
    list.Add(5, "x", 5);
    list.Add(5, "having", 6);
    EXPECT_EQ(Chain(list, 5), "x/1/5 as/2/2 from/4/3 into/4/4 select/6/1 having/6/6 ");
    EXPECT_EQ(list.Get(4), nullptr);
    EXPECT_EQ(list.Get(1000), nullptr);

    EXPECT_EQ(list.FindIgnoringCase(5, "INTO", -1), 4);
    EXPECT_EQ(list.FindIgnoringCase(5, "Having", -1), 6);
    EXPECT_EQ(list.FindIgnoringCase(5, "abc", -1), -1) << "stops at the first longer entry";
    EXPECT_EQ(list.FindIgnoringCase(6, "as", -1), -1);
    EXPECT_EQ(list.Find(5, "FROM", -1, [](std::string_view a, std::string_view b) { return a == b; }), -1);

    try {
        list.Add(5, "Select", 9);
        FAIL() << "Select after SELECT was accepted";
    } catch (const EZefHighlighterError& error) {
        EXPECT_STREQ(error.what(), "Keyword \"select\" already in list");
    }
    EXPECT_EQ(Chain(list, 5), "x/1/5 as/2/2 from/4/3 into/4/4 select/6/1 having/6/6 ") << "unchanged";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(HashEntryList, EnumerateKeywordsSplitsOnNonIdentifierCharacters)
{
    std::vector<std::string> added;
    const auto add = [&](std::string_view keyword, int kind) {
        added.push_back(std::string(keyword) + ":" + std::to_string(kind));
    };
    EnumerateKeywords(3, " absolute, action,\r\nadd ,,after_x\xE9", zefchars::StandardIdentChars(), add);
    EXPECT_EQ(added, (std::vector<std::string>{"absolute:3", "action:3", "add:3", "after_x\xE9:3"}));
    added.clear();
    EnumerateKeywords(3, "", zefchars::StandardIdentChars(), add);
    EnumerateKeywords(3, "a,b", zefchars::StandardIdentChars(), nullptr);
    EXPECT_TRUE(added.empty());
}
