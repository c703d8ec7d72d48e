// The Visual Basic and VBScript highlighters: their keyword lists and the rules they share.
#include "ZefHighlighterVB.h"

namespace {

constexpr int kBucketCount = 134;

constexpr std::string_view kVBKeywords =
    "abs, and, appactivate, array, as, asc, atn, attribute, base, beep, begin, boolean, byte, call, case, cbool, "
    "cbyte, ccur, cdate, cdbl, chdir, chdrive, chr, cint, circle, class, clear, clng, close, command, compare, "
    "const, cos, createobject, csng, cstr, curdir, currency, cvar, cverr, date, dateadd, datediff, datepart, "
    "dateserial, datevalue, ddb, deftype, dim, dir, do, doevents, double, each, else, elseif, empty, end, environ, "
    "eof, eqv, erase, err, error, exit, exp, explicit, fileattr, filecopy, filedatetime, filelen, fix, for, form, "
    "format, freefile, function, fv, get, getattr, getobject, gosub, goto, hex, hour, if, iif, imp, input, instr, "
    "int, integer, ipmt, irr, is, isarray, isdate, isempty, iserror, ismissing, isnull, isnumeric, isobject, kill, "
    "lbound, lcase, left, len, let, line, loc, lock, lof, log, long, loop, lset, ltrim, me, mid, minute, mirr, "
    "mkdir, mod, module, month, msgbox, name, new, next, not, nothing, now, nper, npv, object, oct, on, open, "
    "option, or, pmt, ppmt, print, private, property, pset, public, put, pv, qbcolor, raise, randomize, rate, "
    "redim, reset, resume, return, rgb, right, rmdir, rnd, rset, rtrim, second, seek, select, sendkeys, set, "
    "setattr, sgn, shell, sin, single, sln, space, spc, sqr, static, stop, str, strcomp, strconv, string, sub, "
    "switch, syd, system, tab, tan, then, time, timer, timeserial, timevalue, to, trim, typename, ubound, ucase, "
    "unlock, until, val, variant, vartype, version, weekday, wend, while, width, with, write, xor";

constexpr std::string_view kVBScriptKeywords =
    "And, As, Boolean, ByRef, Byte, ByVal, Call, Case, Class, Const, Currency, Debug, Dim, Do, Double, Each, Else, "
    "ElseIf, Empty, End, EndIf, Enum, Eqv, Erase, Error, Event, Exit, Explicit, False, For, Function, Get, GoTo, "
    "If, Imp, Implements, In, Integer, Is, Let, Like, Long, Loop, LSet, Me, Mod, New, Next, Not, Nothing, Null, "
    "On, Option, Optional, Or, ParamArray, Preserve, Private, property, Public, RaiseEvent, Randomize, ReDim, Rem, "
    "Resume, RSet, Select, Set, Shared, Single, Static, Stop, Sub, Then, To, True, Type, TypeOf, Until, Variant, "
    "Wend, While, With, Xor";

} // namespace

TZefVBSyn::TZefVBSyn()
    : TZefVBSyn(kVBKeywords,
                "' Sample\r\nPrivate Sub Form_Load()\r\n  Dim s As String\r\n  s = \"Hello\" & #1/1/2000#\r\n"
                "  Print #1, 3.5E2 ' comment\r\nRem also a comment\r\nEnd Sub\r\n",
                "Visual Basic Files (*.bas)|*.bas")
{
}

TZefVBSyn::TZefVBSyn(std::string_view keywords, std::string sample, std::string filter)
    : TZefCodeHighlighter(TLook{})
{
    SetLetterKeywords(kBucketCount, keywords, tkKey);
    TZefScanRules& rules = Rules();
    rules.LineComment("'", tkComment);
    rules.CommentWord("rem", TZefCharSet().AddRange(0, 255) - GetIdentChars(), tkComment);
    rules.Quoted('"', tkString);
    rules.Delimited('#', '#', tkString, TZefUnclosed::NoMatch);
    AddCommonRules(zefchars::Digits().Add('.').Add('e').Add('E'), TZefCharSet("#&()*+,-./:;=^{}<>"));
    SetSample(std::move(sample));
    FinishConstruction(std::move(filter), TScanBy::Rules);
}

TZefVBScriptSyn::TZefVBScriptSyn()
    : TZefVBSyn(kVBScriptKeywords,
                "' Sample\r\nOption Explicit\r\nDim d : d = #12/31/1999#\r\nIf d > Now Then MsgBox \"Hi\"\r\n"
                "Rem a comment\r\n",
                "VBScript Files (*.vbs)|*.vbs")
{
}
