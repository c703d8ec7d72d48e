// The Foxpro highlighter's keywords and rules.
#include "ZefHighlighterFoxpro.h"

namespace {

constexpr int kBucketCount = 161;

constexpr std::string_view kKeywords =
    "_msysmenu, _screen, abs, accept, acti, activate, again, alias, all, alltrim, alternate, and, ansi, ansitooem, "
    "aplabout, appe, append, array, asc, at, atan, atline, autosave, backcolor, bar, barcount, barprompt, begin, "
    "bell, between, blan, blank, blink, blocksize, bof, border, bott, bottom, box, brow, browse, brstatus, build, "
    "call, cancel, capslock, caption, carry, case, century, chr, class, classlib, clear, clock, clos, close, "
    "collate, color, comm, command, commands, compatible, confirm, console, copy, create, curdir, currency, cursor, "
    "database, databases, date, debug, decimals, default, define, dele, delete, deleted, delimite, delimiters, "
    "development, device, dim, dimension, display, do, dohistory, echo, edit, else, empty, endcase, enddo, endfor, "
    "endif, endproc, endscan, eof, escape, event, events, exact, exclusive, fclose, fcount, fcreate, field, fields, "
    "file, files, fill, filter, fixed, fopen, for, format, fputs, from, fullpath, func, functi, function, fwrite, "
    "gath, gather, get, go, headings, help, helpfilter, hours, if, index, insert, intensity, into, key, keycomp, "
    "library, local, locate, lock, logerrors, macdesktop, machelp, mackey, margin, mark, memo, memowidth, memvar, "
    "menu, message, modal, modi, modify, mouse, multilocks, near, next, nocptrans, not, notify, nowait, odometer, "
    "of, off, on, optimize, or, order, otherwise, palette, para, parameter, parameters, path, pdsetup, point, "
    "printer, private, proc, proced, procedure, prompt, public, push, quit, read, readborder, recno, refresh, "
    "region, regional, rela, relati, relation, release, repl, repla, replace, reprocess, resource, retu, return, "
    "rgb, safety, say, scan, scat, scatt, scatter, scheme, schemes, scoreboard, screen, seek, sele, select, "
    "separator, set, shadows, skip, space, status, step, sticky, store, str, sysmenu, table, tag, talk, text, "
    "textmerge, this, thisform, to, top, topic, trbetween, typeahead, udfparms, unique, use, val, view, volume, "
    "wait, while, window, with, xcmdfile, year";

} // namespace

TZefFoxproSyn::TZefFoxproSyn() : TZefCodeHighlighter(TLook{.commentStyle = 0, .keyStyle = 0})
{
    SetNames("TZefFoxproSyn", "Foxpro");
    SetLetterKeywords(kBucketCount, kKeywords, tkKey);
    TZefScanRules& rules = Rules();
    rules.LineComment("&&", tkComment);
    rules.LineComment("*", tkComment, TZefWhere::FirstNonBlank);
    rules.Quoted('"', tkString);
    rules.Quoted('\'', tkString);
    rules.Delimited('{', '}', tkString, TZefUnclosed::ToLineEnd);
    rules.Single(TZefCharSet("@"), tkKey);
    AddCommonRules(zefchars::Digits().Add('.'), TZefCharSet("!#$%&()*+,-./:;<=>?[\\]^|}~"));
    SetSample("* Sample\r\nSET TALK OFF\r\nUSE customer && open the table\r\n  * indented comment\r\n"
              "@ 1,1 SAY \"Name\" GET m.name\r\nd = {^2000-01-01}\r\n");
    FinishConstruction("Foxpro Files (*.prg)|*.prg", TScanBy::Rules);
}
