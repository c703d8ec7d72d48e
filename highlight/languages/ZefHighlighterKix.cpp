// The KiXtart highlighter's keywords and rules.
#include "ZefHighlighterKix.h"

namespace {

constexpr int kBucketCount = 274;

constexpr std::string_view kKeywords =
    "ADDKEY, ADDPRINTERCONNECTION, ADDPROGRAMGROUP, ADDPROGRAMITEM, ADDRESS, ASC, AT, BACKUPEVENTLOG, BEEP, BIG, "
    "BOX, BREAK, CALL, CASE, CD, CHR, CLEAREVENTLOG, CLOSE, CLS, COLOR, COMMENT, COMPAREFILETIMES, COOKIE1, COPY, "
    "CURDIR, DATE, DAY, DECTOHEX, DEL, DELKEY, DELPRINTERCONNECTION, DELPROGRAMGROUP, DELPROGRAMITEM, DELTREE, "
    "DELVALUE, DIM, DIR, DISPLAY, DO, DOMAIN, DOS, ELSE, ENDIF, ENDSELECT, ENUMGROUP, ENUMKEY, ENUMLOCALGROUP, "
    "ENUMVALUE, ERROR, EXECUTE, EXIST, EXISTKEY, EXIT, EXPANDENVIRONMENTVARS, FLUSHKB, FULLNAME, GET, GETDISKSPACE, "
    "GETFILEATTR, GETFILESIZE, GETFILETIME, GETFILEVERSION, GETS, GLOBAL, GO, GOSUB, GOTO, HOMEDIR, HOMEDRIVE, "
    "HOMESHR, HOSTNAME, IF, INGROUP, INSTR, INWIN, IPADDRESS, KIX, LANROOT, LCASE, LDOMAIN, LDRIVE, LEN, LM, "
    "LOADHIVE, LOADKEY, LOGEVENT, LOGOFF, LONGHOMEDIR, LOOP, LSERVER, LTRIM, MAXPWAGE, MD, MDAYNO, MESSAGEBOX, "
    "MONTH, MONTHNO, OLECALLFUNC, OLECALLPROC, OLECREATEOBJECT, OLEENUMOBJECT, OLEGETOBJECT, OLEGETPROPERTY, "
    "OLEGETSUBOBJECT, OLEPUTPROPERTY, OLERELEASEOBJECT, OPEN, PASSWORD, PLAY, PRIMARYGROUP, PRIV, PWAGE, QUIT, "
    "RAS, RD, READLINE, READPROFILESTRING, READTYPE, READVALUE, REDIRECTOUTPUT, RETURN, RND, RSERVER, RTRIM, RUN, "
    "SAVEKEY, SCRIPTDIR, SELECT, SENDKEYS, SENDMESSAGE, SERROR, SET, SETASCII, SETCONSOLE, SETDEFAULTPRINTER, "
    "SETFILEATTR, SETFOCUS, SETL, SETM, SETTIME, SETWALLPAPER, SHELL, SHOWPROGRAMGROUP, SHUTDOWN, SID, SITE, SLEEP, "
    "SMALL, SRND, STARTDIR, SUBSTR, SYSLANG, TIME, UCASE, UNLOADHIVE, UNTIL, USE, USERID, USERLANG, VAL, WDAYNO, "
    "WHILE, WKSTA, WRITELINE, WRITEPROFILESTRING, WRITEVALUE, WUSERID, YDAYNO, YEAR";

constexpr TZefCharSet kLettersAndDigits = TZefCharSet().AddRange('0', '9').AddRange('A', 'Z').AddRange('a', 'z');

} // namespace

TZefKixSyn::TZefKixSyn() : TZefCodeHighlighter(TLook{.keyName = "Key"})
{
    SetNames("TZefKixSyn", "KiXtart");
    AddAttributes({{&MiscellaneousAttri, "Miscellaneous"}, {&VariableAttri, "Variable"}});
    DeclareKinds({{tkMiscellaneous, "misc", MiscellaneousAttri}, {tkVariable, "variable", VariableAttri}});
    SetLetterKeywords(kBucketCount, kKeywords, tkKey);
    TZefScanRules& rules = Rules();
    rules.LineComment(";", tkComment);
    rules.Quoted('"', tkString);
    rules.Quoted('\'', tkString);
    rules.Prefixed("$", TZefCharSet(kLettersAndDigits).Add('_'), tkVariable);
    rules.Prefixed("@", kLettersAndDigits, tkMiscellaneous);
    rules.Prefixed("#", zefchars::Digits(), tkString);
    rules.Single(TZefCharSet("?"), tkKey);
    AddCommonRules(zefchars::Digits().Add('.'), TZefCharSet("!#$%&()*+,-./:<=>@[\\]^{|}~"));
    SetSample("; Sample\r\nIF INGROUP(\"Admins\")\r\n  $name = @USERID + '!' ? #13\r\n  COOKIE1 \"x\"\r\nENDIF\r\n");
    FinishConstruction("Kix Scripts (*.kix)|*.kix", TScanBy::Rules);
}
