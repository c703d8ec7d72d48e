// The sixteen-byte word reader against a byte-by-byte reading of the same word.
#include "CodePage1252.h"
#include "ZefFoldedWord.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace {

const TZefCharSet kLetterDigitUnderscore = zefchars::StandardIdentChars();

// The word at `run` read one byte at a time: its first byte, then the identifier characters; no answer
// where the reader must leave the word to its caller (a byte above 127 in it or after it, or no room).
std::optional<TZefAsciiWordReader::TWord> ByteByByte(const std::string& line, size_t run, const TZefCharSet& ident)
{
    size_t end = run + 1;
    while (end < line.size() && ident.Contains(static_cast<unsigned char>(line[end]))) ++end;
    for (size_t i = run; i <= end && i < line.size(); ++i) {
        if (static_cast<unsigned char>(line[i]) > 127) return std::nullopt;
    }
    uint64_t tail = 0;
    for (size_t i = run; i < end; ++i) tail = zeffold::TailStep(tail, cp1252::ToLower(static_cast<unsigned char>(line[i])));
    return TZefAsciiWordReader::TWord{end - run, tail};
}

void ExpectAgrees(const TZefAsciiWordReader& reader, const std::string& line, size_t run, const TZefCharSet& ident)
{
    TZefAsciiWordReader::TWord word{};
    const bool read = reader.Read(line.data(), line.size(), run, &word);
    const auto expected = ByteByByte(line, run, ident);
    if (!read) {
        // Leaving a word to the caller is always allowed; the reader must do so for what it cannot read.
        if (expected && line.size() >= TZefAsciiWordReader::kSpan && expected->length < TZefAsciiWordReader::kSpan &&
            run + TZefAsciiWordReader::kSpan <= line.size())
            ADD_FAILURE() << "left a short word at " << run << " of \"" << line << "\"";
        return;
    }
    ASSERT_TRUE(expected) << "read a word with a byte above 127 at " << run << " of \"" << line << "\"";
    EXPECT_EQ(word.length, expected->length) << run << " of \"" << line << "\"";
    EXPECT_EQ(word.foldedTail, expected->foldedTail) << run << " of \"" << line << "\"";
}

TEST(AsciiWordReader, ReadsWordsAnywhereInTheLineAsTheByteWalkDoes)
{
    const TZefAsciiWordReader reader(kLetterDigitUnderscore);
    ASSERT_TRUE(reader.Usable());
    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"short words and symbols", "if (Count > 10) Return value_2; ' clamp it"},
        {"a word that ends the line", "        total = total + IDENTIFIER"},
        {"a word of exactly eight and of nine", "abcdefgh ABCDEFGHI x AbCdEfGhIj"},
        {"a word of fifteen, sixteen and seventeen", "a23456789012345 b234567890123456 c2345678901234567"},
        {"a line of sixteen", "0123456789abcdef"},
        {"a first byte that is no identifier", "@Var #Const $x !y"},
        {"a byte above 127 inside, after and before", "caf\xE9 x\xE9 \xC9t\xE9 plain words here too"},
        {"digits and underscores", "_a1 9lives __init__ x_Y_z 123abc"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        for (size_t run = 0; run < test.line.size(); ++run) ExpectAgrees(reader, test.line, run, kLetterDigitUnderscore);
    }
}

TEST(AsciiWordReader, ExtraIdentifierCharactersAndRandomLines)
{
    const TZefCharSet sqlChars = TZefCharSet("_#$").AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
    const TZefCharSet iniChars = TZefCharSet().AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');
    const TZefCharSet printable = zefchars::AllFromBang();
    using namespace std::string_literals;
    const std::string alphabet = "aZq_#$09 .-(\t\x80\xE9\xFF\x00xyzXYZ"s; // NUL included
    std::mt19937 random(11);
    for (const TZefCharSet& ident : {kLetterDigitUnderscore, sqlChars, iniChars, printable}) {
        const TZefAsciiWordReader reader(ident);
        ASSERT_TRUE(reader.Usable());
        for (int line = 0; line < 400; ++line) {
            std::string text(random() % 40, ' ');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            for (size_t run = 0; run < text.size(); ++run) ExpectAgrees(reader, text, run, ident);
        }
    }
}

TEST(AsciiWordReader, IdentifierSetsOfAnotherShapeAreNotRead)
{
    const char line[] = "abc def ghi jkl mno";
    TZefAsciiWordReader::TWord word{};
    for (const TZefCharSet& ident : {zefchars::StandardIdentChars().Remove('q'), TZefCharSet("_$#@").AddRange('0', '9')
                                                                                     .AddRange('A', 'Z').AddRange('a', 'z')}) {
        const TZefAsciiWordReader reader(ident);
        EXPECT_FALSE(reader.Usable());
        EXPECT_FALSE(reader.Read(line, sizeof line - 1, 0, &word));
    }
}

} // namespace
