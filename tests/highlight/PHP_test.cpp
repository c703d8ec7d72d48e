// The PHP highlighter: strings over lines, variables inside double-quoted strings, comments and keywords.
#include "support/AllHighlighters.h"

#include "ZefHighlighterPHP.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(PHPHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefPHPSyn>({
        {"comments of three kinds", "# a\n// b\n/* c\nd */ $x",
         "{comment}# a\n{comment}// b\n{comment}/* c ~3\n{comment}d */{space} {variable}$x\n"},
        {"keywords ignoring case", "ECHO Function fn __file__ echox",
         "{key}ECHO{space} {key}Function{space} {key}fn{space} {key}__file__{space} {ident}echox\n"},
        {"strings go on over lines", "'a\nb' \"c\nd\"", "{string}'a ~1\n{string}b'{space} {string}\"c ~2\n{string}d\"\n"},
        {"a quote after an odd number of backslashes is escaped", "'a\\'b\\\\' x",
         "{string}'a\\'b\\\\'{space} {ident}x\n"},
        {"variables inside double-quoted strings", "\"a $b c ${d} {$e->f} $g->h $i[j] $k['l'] $\"",
         "{string}\"a {variable}$b{string} c {variable}${d}{string} {variable}{$e->f}{string} {variable}$g->h{string} "
         "{variable}$i[j]{string} {variable}$k['l']{string} $\"\n"},
        {"no variables in single-quoted strings", "'$a'", "{string}'$a'\n"},
        {"symbols", "$a=>$b<<=1", "{variable}$a{symbol}=>{variable}$b{symbol}<<={number}1\n"},
        {"sound 7: a sign only after a decimal exponent", "1e-5 10-x 0x1e-5",
         "{number}1e-5{space} {number}10{symbol}-{ident}x{space} {number}0x1e{symbol}-{number}5\n"},
        {"sound 8: an index must be complete on the line", "\"$a[b \" \"$c['d\"",
         "{string}\"{variable}$a{string}[b \"{space} {string}\"{variable}$c{string}['d\"\n"},
        {"sound 8: {$...} stops at the line end", "\"{$a[\nx\"", "{string}\"{variable}{$a[ ~2\n{string}x\"\n"},
        {"sound 8: no variable runs past the closing quote", "\"{$a\" . \"$b['c\"] x",
         "{string}\"{variable}{$a{string}\"{space} {symbol}.{space} {string}\"{variable}$b{string}['c\"{symbol}]{space} "
         "{ident}x\n"},
        {"sound 9: a variable that ends the line reads nothing past it", "\"$\xF6",
         "{string}\"{variable}$\xF6 ~2\n"},
        {"sound 9: a NUL is one unknown character", "$a\0\"\0\""s, "{variable}$a{unknown}\0{string}\"\0\"\n"s},
        {"sound 9: a stale range starts from the initial state", "x\"", "{ident}x{string}\" ~2\n", 4},
    });
    TZefPHPSyn php;
    EXPECT_TRUE(php.IsKeyword("HIGHLIGHT_STRING"));
    EXPECT_TRUE(php.IsKeyword("namespace"));
    EXPECT_FALSE(php.IsKeyword("foreach"));
}
