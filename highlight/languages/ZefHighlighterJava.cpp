// The Java highlighter's keywords and rules.
#include "ZefHighlighterJava.h"

#include "ZefScanRecognizers.h"

namespace {

// The reserved words of Java, with enum.
constexpr std::string_view kKeywords =
    "abstract, assert, boolean, break, byte, case, catch, char, class, const, continue, default, do, double, "
    "else, extends, false, final, finally, float, for, goto, if, implements, import, instanceof, int, interface, "
    "long, native, new, null, package, private, protected, public, return, short, static, strictfp, super, "
    "switch, synchronized, this, throw, throws, transient, true, try, void, volatile, while, enum";

constexpr TZefCharSet kNumberBody = zefchars::HexDigits().Add('.').Add('-').Add('L').Add('X').Add('l').Add('x');

} // namespace

TZefJavaSyn::TZefJavaSyn() : TZefCodeHighlighter(TLook{}, rsNormal)
{
    SetNames("TZefJavaSyn", "Java");
    AddAttributes({{&DocumentAttri, "Documentation", clNone, fsItalic}, {&InvalidAttri, "Invalid Symbol"}});
    SpaceAttri->SetForeground(clWindow);
    DeclareKinds({{tkDocument, "doc", DocumentAttri}, {tkInvalid, "invalid", InvalidAttri}});
    const TZefCharSet identChars = zefchars::StandardIdentChars().Add('$');
    SetIdentChars(identChars);
    SetKeywords(std::make_unique<TZefBucketKeywordLookup>(zefkeys::LetterHashTables(), kBucketCount, tkIdentifier,
                                                          TZefKeyMatch::Characters));
    Keywords()->AddGroup(kKeywords, tkKey);

    TZefScanRules& rules = Rules();
    rules.StandardSpace(tkSpace);
    // "/**/" opens nothing: an empty ordinary comment.
    rules.Custom(TZefCharSet("/"), [](TZefScanCursor& cursor) {
        return cursor.Skip("/**/") ? tkComment : TZefScanRules::kNoMatch;
    });
    rules.BlockComment("/**", "*/", tkDocument, rsDocument);
    rules.BlockComment("/*", "*/", tkComment, rsComment);
    rules.LineComment("//", tkComment);
    rules.Quoted('"', tkString, TZefEscape::BackslashTripleQuoteSkip);
    rules.Quoted('\'', tkString, TZefEscape::Backslash);
    rules.Words(identChars - zefchars::Digits());
    rules.Custom(zefchars::Digits(), [](TZefScanCursor& cursor) {
        zefscan::ScanSignedExponentNumber(cursor, kNumberBody);
        return tkNumber;
    });
    rules.Operators({">>>=", ">>>", ">>=", "<<=", ">>", "<<", ">=", "<=", "==", "!=", "&&", "||", "++", "--", "+=",
                     "-=", "*=", "/=", "%=", "&=", "|=", "^=", "->", "::", "...", "+", "-", "*", "/", "%", "=", "<",
                     ">", "!", "~", "?", ":", "&", "|", "^", "(", ")", "[", "]", "{", "}", ";", ",", "."},
                    tkSymbol);
    rules.Single(TZefCharSet("@#"), tkInvalid);
    SetSample("/** Sample documentation */\r\npublic class Hello {\r\n  // a comment\r\n"
              "  public static void main(String[] args) {\r\n    int x = 0x1F + 1e-5; /* block */\r\n"
              "    System.out.println(\"Hello\\n\" + 'c');\r\n  }\r\n}\r\n");
    FinishConstruction("Java Files (*.java)|*.java");
}
