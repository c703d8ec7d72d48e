// The Borland form highlighter: brace comments over lines, keys, strings, character codes and hex numbers.
#include "support/AllHighlighters.h"

#include "ZefHighlighterDfm.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DfmHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefDfmSyn>({
        {"keys in any case, followed by a non-identifier", "object F: TF\nEND\nobjects",
         "{key}object{space} {ident}F{unknown}:{space} {ident}TF\n{key}END\n{ident}objects\n"},
        {"comment over lines", "{ a\n b } x", "{comment}{ a ~1\n{comment} b }{space} {ident}x\n"},
        {"sound 1: a comment closing at the line start", "}x", "{comment}}{ident}x\n", 1},
        {"strings and character codes", "'a'#13#10'b'", "{string}'a'{string}#13{string}#10{string}'b'\n"},
        {"hex numbers and numbers", "$FF $ 1.5", "{number}$FF{space} {unknown}${space} {number}1.5\n"},
        {"symbols", "(a,b.c)/<=>[]", "{symbol}({ident}a{symbol},{ident}b{symbol}.{ident}c{symbol}){symbol}/{symbol}<{symbol}={symbol}>{symbol}[{symbol}]\n"},
        {"sound 3: a string stops at the line end", "'open\nx", "{string}'open\n{ident}x\n"},
        {"sound 4: a NUL is one unknown character, in a comment part of it", "\0{\0}"s,
         "{unknown}\0{comment}{\0}\n"s},
        {"sound 2: a stale range starts from the initial state", "x }", "{ident}x{space} {unknown}}\n", 2},
    });
}
