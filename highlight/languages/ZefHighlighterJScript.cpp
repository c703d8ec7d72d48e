// The JavaScript highlighter's keyword groups and rules.
#include "ZefHighlighterJScript.h"

#include "ZefScanRecognizers.h"

namespace {

constexpr std::string_view kReservedWords =
    "abstract, boolean, break, byte, callee, case, catch, char, class, const, constructor, continue, debugger, "
    "default, delete, do, double, else, enum, export, extends, false, final, finally, float, for, function, goto, "
    "if, implements, import, in, instanceof, int, interface, long, NaN, native, new, null, package, private, "
    "protected, prototype, public, return, short, start, static, super, switch, synchronized, this, throw, "
    "throws, transient, true, try, typeof, var, void, while, with";

// The object, property and method names of the browser object model.
constexpr std::string_view kNonReservedWords =
    "abs, acos, action, alert, align, alinkColor, All, all, Anchor, anchor, anchors, appCodeName, Applet, "
    "applets, appName, appVersion, Area, Arguments, arguments, Array, asin, atan, atan2, back, background, "
    "bgColor, big, blink, blur, body, bold, Boolean, border, bottom, Button, call, caller, captureEvents, ceil, "
    "charAt, charCodeAt, Checkbox, checked, clear, clearInterval, clearTimeout, click, close, closed, color, "
    "complete, concat, confirm, cookie, cos, current, Date, defaultChecked, defaultSelected, defaultStatus, "
    "defaultValue, description, display, document, domain, E, elements, Embed, embeds, enabledPlugin, encoding, "
    "escape, eval, event, exp, fgColor, filename, FileUpload, find, fixed, Float, floor, focus, fontcolor, "
    "fontsize, Form, form, forms, forward, Frame, frames, fromCharCode, Function, getDate, getDay, "
    "getElementById, getFullYear, getHours, getMilliseconds, getMinutes, getMonth, getSeconds, getTime, "
    "getTimezoneOffset, getUTCDate, getUTCDay, getUTCFullYear, getUTCHours, getUTCMilliseconds, getUTCMinutes, "
    "getUTCMonth, getUTCSeconds, getYear, Global, go, handleEvent, hash, height, Hidden, History, history, home, "
    "host, hostname, href, hspace, Image, images, index, indexOf, Infinity, innerHeight, innerWidth, input, "
    "isFinite, isNaN, italics, java, javaEnabled, join, lastIndexOf, lastModified, Layer, layers, left, length, "
    "Link, link, linkColor, links, LN10, LN2, Location, location, locationbar, log, LOG10E, LOG2E, logon, lowsrc, "
    "match, Math, max, MAX_VALUE, menubar, method, MimeType, mimeTypes, min, MIN_VALUE, moveBy, moveTo, name, "
    "Navigator, navigator, NEGATIVE_INFINITY, netscape, next, Null, Number, Object, open, opener, Option, "
    "options, outerHeight, outerWidth, Packages, pageX, pageXOffset, pageY, pageYOffset, parent, parse, "
    "parseFloat, parseInt, Password, pathname, personalbar, PI, platform, Plugin, plugins, port, "
    "POSITIVE_INFINITY, pow, previous, print, prompt, protocol, Radio, random, referrer, refresh, RegExp, "
    "releaseEvents, reload, replace, Reset, reset, resizeBy, resizeTo, reverse, right, round, routeEvent, "
    "screen, scroll, scrollbars, scrollBy, scrollTo, search, Select, select, selected, selectedIndex, self, "
    "setDate, setFullYear, setHours, setInterval, setMilliseconds, setMinutes, setMonth, setSeconds, setTime, "
    "setTimeout, setUTCDate, setUTCFullYear, setUTCHours, setUTCMilliseconds, setUTCMinutes, setUTCMonth, "
    "setUTCSeconds, setYear, sin, slice, small, sort, split, sqrt, SQRT1_2, SQRT2, src, status, statusbar, stop, "
    "strike, String, style, sub, Submit, submit, substr, substring, suffixes, sup, tags, taint, taintEnabled, "
    "tan, target, Text, text, Textarea, title, toGMTString, toLocaleString, toLowerCase, toolbar, top, toSource, "
    "toString, toUpperCase, toUTCString, type, Undefined, undefined, unescape, untaint, unwatch, URL, userAgent, "
    "UTC, value, valueOf, visibility, vlinkColor, vspace, watch, width, Window, window, write, writeln, zIndex";

constexpr std::string_view kEvents =
    "onAbort, onBlur, onChange, onClick, onDblClick, onError, onFocus, onKeyDown, onKeyPress, onKeyUp, onLoad, "
    "onMouseDown, onMouseMove, onMouseOut, onMouseOver, onMouseUp, onReset, onSelect, onSubmit, onUnload";

} // namespace

TZefJScriptSyn::TZefJScriptSyn() : TZefCodeHighlighter(TLook{}, rsNormal)
{
    SetNames("TZefJScriptSyn", "JavaScript");
    AddAttributes({{&NonReservedKeyAttri, "Non-reserved Keyword"}, {&EventAttri, "Event"}});
    DeclareKinds({{tkNonReservedKey, "nonreserved", NonReservedKeyAttri}, {tkEvent, "event", EventAttri}});
    const TZefCharSet identChars = zefchars::StandardIdentChars().Add('$');
    SetIdentChars(identChars);
    SetKeywords(std::make_unique<TZefBucketKeywordLookup>(zefkeys::LetterHashTables(), kBucketCount, tkIdentifier,
                                                          TZefKeyMatch::Characters));
    Keywords()->AddGroup(kReservedWords, tkKey);
    Keywords()->AddGroup(kNonReservedWords, tkNonReservedKey);
    Keywords()->AddGroup(kEvents, tkEvent);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    rules.BlockComment("/*", "*/", tkComment, rsComment);
    rules.LineComment("//", tkComment);
    rules.Quoted('"', tkString, TZefEscape::BackslashTripleQuoteSkip);
    rules.Quoted('\'', tkString, TZefEscape::BackslashTripleQuoteSkip);
    rules.Words(identChars - zefchars::Digits());
    const auto number = [](TZefScanCursor& cursor) {
        return zefscan::ScanNumber(cursor) > 0 ? tkNumber : TZefScanRules::kNoMatch;
    };
    rules.Custom(zefchars::Digits().Add('.'), number);
    rules.Operators({">>>=", ">>>", "===", "!==", "**=", "<<=", ">>=", "&&=", "||=", "?\?=", "...", "=>", "==", "!=",
                     "<=", ">=", "&&", "||", "??", "++", "--", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<",
                     ">>", "**", "+", "-", "*", "/", "%", "=", "<", ">", "!", "~", "?", ":", "&", "|", "^", "(", ")",
                     "[", "]", "{", "}", ";", ",", "."},
                    tkSymbol);
    SetSample("// Sample\r\nfunction hello(name) {\r\n  /* a block comment */\r\n"
              "  var s = \"Hello \" + name + 'C:\\\\';\r\n  document.write(s, 0x1F, 1.5e-3);\r\n"
              "  window.onLoad = null;\r\n}\r\n");
    FinishConstruction("Javascript Files (*.js)|*.js");
}
