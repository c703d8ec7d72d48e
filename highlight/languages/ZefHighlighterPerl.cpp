// The Perl highlighter's keyword groups and rules.
#include "ZefHighlighterPerl.h"

#include "ZefScanRecognizers.h"

namespace {

// The built-in functions and statements, with our, until and printf.
constexpr std::string_view kReservedWords =
    "abs, accept, alarm, atan2, bind, binmode, bless, caller, chdir, chmod, chomp, chop, chown, chr, chroot, close, "
    "closedir, connect, cos, crypt, dbmclose, dbmopen, defined, delete, die, do, dump, each, else, elsif, "
    "endgrent, endhostent, endnetent, endprotoent, endpwent, endservent, eof, eval, exec, exists, exit, exp, "
    "fcntl, fileno, flock, for, foreach, fork, format, formline, getc, getgrent, getgrgid, getgrnam, "
    "gethostbyaddr, gethostbyname, gethostent, getlogin, getnetbyaddr, getnetbyname, getnetent, getpeername, "
    "getpgrp, getppid, getpriority, getprotobyname, getprotobynumber, getprotoent, getpwent, getpwnam, getpwuid, "
    "getservbyname, getservbyport, getservent, getsockname, getsockopt, glob, gmtime, goto, grep, hex, if, import, "
    "index, int, ioctl, join, keys, kill, last, lc, lcfirst, length, link, listen, local, localtime, log, lstat, m, "
    "map, mkdir, msgctl, msgget, msgrcv, msgsnd, my, next, no, oct, open, opendir, ord, pack, package, pipe, pop, "
    "pos, print, push, q, qq, quotemeta, qw, qx, rand, read, readdir, readlink, recv, redo, ref, rename, require, "
    "reset, return, reverse, rewinddir, rindex, rmdir, scalar, seek, seekdir, select, semctl, semget, semop, send, "
    "setgrent, sethostent, setnetent, setpgrp, setpriority, setprotoent, setpwent, setservent, setsockopt, shift, "
    "shmctl, shmget, shmread, shmwrite, shutdown, sin, sleep, socket, socketpair, sort, splice, split, sprintf, "
    "sqrt, srand, stat, study, sub, substr, symlink, syscall, sysread, system, syswrite, tell, telldir, tie, time, "
    "times, tr, truncate, uc, ucfirst, umask, undef, unless, unlink, unpack, unshift, untie, use, utime, values, "
    "vec, wait, waitpid, wantarray, warn, while, write, our, until, printf";

constexpr std::string_view kOperators = "and, cmp, eq, ge, gt, le, lt, ne, not, or, xor";

constexpr std::string_view kPragmas = "constant, diagnostics, integer, less, locale, sigtrap, strict, subs, vars";

// The long names of the special variables (with their sigils, so not split as plain words).
constexpr std::string_view kVariables[] = {
    "$ACCUMULATOR", "$ARG", "$ARGV", "$BASETIME", "$CHILD_ERROR", "$DEBUGGING", "$EFFECTIVE_GROUP_ID",
    "$EFFECTIVE_USER_ID", "$EGID", "$ENV", "$ERRNO", "$EUID", "$EVAL_ERROR", "$EXECUTABLE_NAME",
    "$FORMAT_FORMFEED", "$FORMAT_LINE_BREAK_CHARACTERS", "$FORMAT_LINES_LEFT", "$FORMAT_LINES_PER_PAGE",
    "$FORMAT_NAME", "$FORMAT_PAGE_NUMBER", "$FORMAT_TOP_NAME", "$GID", "$INPLACE_EDIT", "$INPUT_LINE_NUMBER",
    "$INPUT_RECORD_SEPARATOR", "$LAST_PAREN_MATCH", "$LIST_SEPARATOR", "$MATCH", "$MULTILINE_MATCHING", "$NR",
    "$OFMT", "$ORS", "$OS_ERROR", "$OUTPUT_AUTOFLUSH", "$OUTPUT_FIELD_SEPARATOR", "$PERL_VERSION", "$PERLDB",
    "$PID", "$POSTMATCH", "$PREMATCH", "$PROCESS_ID", "$PROGRAM_NAME", "$REAL_GROUP_ID", "$REAL_USER_ID", "$RS",
    "$SIG", "$SUBSCRIPT_SEPARATOR", "$SUBSEP", "$SYSTEM_FD_MAX", "$UID", "$WARNING", "%INC", "@ARGV", "@INC"};

// What a word runs over, and what follows "$" in a two-character special variable.
constexpr TZefCharSet kWordChars = TZefCharSet("$%_").AddRange('0', '9').AddRange('@', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kWordStart = TZefCharSet("$%@_").AddRange('A', 'Z').AddRange('a', 'z');
constexpr TZefCharSet kAfterDollar = TZefCharSet("[\\]_`|~").AddRange('!', '+').AddRange('-', '@');
constexpr TZefCharSet kAfterCaret = TZefCharSet("ADFILPTWX");
constexpr TZefCharSet kNumberBody = zefchars::HexDigits().Add('.').Add('-').Add('X').Add('_').Add('x');

} // namespace

TZefPerlSyn::TZefPerlSyn() : TZefCodeHighlighter(TLook{})
{
    SetNames("TZefPerlSyn", "Perl");
    AddAttributes({{&InvalidAttri, "Illegal Char"}, {&OperatorAttri, "Operator"}, {&PragmaAttri, "Pragma", clNone, fsBold},
                   {&VariableAttri, "Variable", clNone, fsBold}});
    SpaceAttri->SetForeground(clWindow);
    DeclareKinds({{tkUnknown, "illegal", InvalidAttri}, {tkOperator, "operator", OperatorAttri},
                  {tkPragma, "pragma", PragmaAttri}, {tkVariable, "variable", VariableAttri}});
    SetIdentChars(TZefCharSet(kWordChars) | (zefchars::StandardIdentChars() - zefchars::Digits()));
    SetKeywords(std::make_unique<TZefBucketKeywordLookup>(TZefKeyHashTables::CaseSensitive(kWordChars), kBucketCount,
                                                          tkIdentifier, TZefKeyMatch::Characters));
    Keywords()->AddGroup(kReservedWords, tkKey);
    Keywords()->AddGroup(kOperators, tkOperator);
    Keywords()->AddGroup(kPragmas, tkPragma);
    for (const std::string_view variable : kVariables) Keywords()->Add(variable, tkVariable);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.LineComment("#", tkComment);
    rules.Quoted('"', tkString, TZefEscape::BackslashTripleQuoteSkip);
    rules.Quoted('\'', tkString);
    rules.Custom(zefchars::Digits().Add('.'), [](TZefScanCursor& cursor) {
        if (cursor.Current() == '.' && (cursor.Peek(1) < '0' || cursor.Peek(1) > '9')) return TZefScanRules::kNoMatch;
        zefscan::ScanSignedExponentNumber(cursor, kNumberBody);
        return static_cast<int>(tkNumber);
    });
    rules.Operators({"!=", "!~", "!", "&&=", "&&", "&=", "&", "**=", "**", "*=", "*", "++", "+=", "+", "--", "-=",
                     "->", "-", "...", "..", ".=", ".", "/=", "/", "::", ":", "<<=", "<<", "<=>", "<=", "<", "==",
                     "=>", "=~", "=", ">>=", ">>", ">=", ">", "^=", "^", "||=", "||", "|=", "|", "%=", "x=", "(", ")",
                     ",", ";", "?", "[", "\\", "]", "{", "}", "~"},
                    tkSymbol);
    // The repetition and modulus operators where no word can follow them.
    rules.Custom(TZefCharSet("%x"), [](TZefScanCursor& cursor) {
        if (cursor.Peek(1) != TZefScanCursor::kEnd) return TZefScanRules::kNoMatch;
        cursor.Advance();
        return static_cast<int>(tkSymbol);
    });
    rules.Custom(kWordStart, [this](TZefScanCursor& cursor) { return WordOrVariable(cursor); });
    SetSample("#!/usr/bin/perl\r\nuse strict;\r\nmy $count = 0;  # a comment\r\nforeach (@ARGV) {\r\n"
              "  print \"arg: $_\\n\" if $_ eq 'x';\r\n  $count += 1.5e3;\r\n}\r\nprint $0, $^W;\r\n");
    FinishConstruction("Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi");
}

int TZefPerlSyn::WordOrVariable(TZefScanCursor& cursor) const
{
    const int next = cursor.Peek(1);
    if (cursor.Current() == '$' && next != TZefScanCursor::kEnd) {
        if (kAfterDollar.Contains(static_cast<unsigned char>(next))) {
            cursor.Advance(2);
            return tkVariable;
        }
        if (next == '^') {
            const int third = cursor.Peek(2);
            if (third == TZefScanCursor::kEnd || kAfterCaret.Contains(static_cast<unsigned char>(third))) {
                cursor.Advance(third == TZefScanCursor::kEnd ? 2 : 3);
                return tkVariable;
            }
        }
    }
    cursor.Advance();
    cursor.SkipWhile(kWordChars);
    return Keywords()->KindOf(cursor.Token());
}
