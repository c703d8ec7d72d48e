// The Fortran highlighter's keywords and rules.
#include "ZefHighlighterFortran.h"

namespace {

constexpr int kBucketCount = 146;

// "stucture" is kept as the list has always had it.
constexpr std::string_view kKeywords =
    "allocatable, allocate, call, case, character, common, continue, cycle, data, deallocate, default, dimension, "
    "do, else, elseif, end, enddo, endif, entry, equivalence, exit, external, format, function, if, include, "
    "integer, interface, logical, map, open, parameter, print, program, read, real, record, return, save, select, "
    "stop, structure, stucture, subroutine, then, type, union, value, while, write";

} // namespace

TZefFortranSyn::TZefFortranSyn() : TZefCodeHighlighter(TLook{})
{
    SetNames("TZefFortranSyn", "Fortran");
    SetLetterKeywords(kBucketCount, kKeywords, tkKey);
    TZefScanRules& rules = Rules();
    for (const char* opener : {"C", "c", "*"}) rules.LineComment(opener, tkComment, TZefWhere::Column1);
    rules.LineComment("!", tkComment);
    rules.Quoted('"', tkString);
    rules.Quoted('\'', tkString);
    AddCommonRules(zefchars::Digits().Add('.').Add('e').Add('E').Add('d').Add('D'),
                   TZefCharSet("#$%&()*+,-./:;<=>?@[\\]^{|}~"));
    SetSample("C Sample\r\n      PROGRAM HELLO\r\n      INTEGER I ! counter\r\n      DO 10 I = 1, 3\r\n"
              "      PRINT *, 'Hello', 1.5E2\r\n   10 CONTINUE\r\n      END\r\n");
    FinishConstruction("Fortran Files (*.for)|*.for", TScanBy::Rules);
}
