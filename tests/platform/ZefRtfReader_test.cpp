// The RTF reader: text and paragraphs, character formats from the tables, code pages and Unicode escapes,
// skipped destinations, and malformed input (truncation, stray braces, deep nesting, random bytes).
#include "ZefRtfReader.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// Readable failure messages for the comparisons below.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The document's text with blocks joined by '\n'; every other character as stored.
QString Text(const QTextDocument& document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.append(block.text());
    return blocks.join(QLatin1Char('\n'));
}

QString ReadText(std::string_view rtf)
{
    QTextDocument document;
    ZefReadRtf(document, rtf);
    return Text(document);
}

// The format of the character at `index` of the document (block separators count as one character).
QTextCharFormat FormatAt(const QTextDocument& document, int index)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(index + 1);
    return cursor.charFormat();
}

QString Family(const QTextCharFormat& format)
{
    return format.fontFamilies().toStringList().value(0);
}

TEST(RtfReader, TextParagraphsAndSpecialCharacters)
{
    struct Case {
        const char* name;
        std::string rtf;
        QString text;
    };
    const Case cases[] = {
        {"paragraphs, none empty at the end", "{\\rtf1\\ansi Hello\\par World\\par}", u"Hello\nWorld"_qs},
        {"an empty paragraph in between", "{\\rtf1 a\\par\\par b\\par}", u"a\n\nb"_qs},
        {"pard resets without a break", "{\\rtf1 a\\pard b}", u"ab"_qs},
        {"escaped braces and backslash", "{\\rtf1 \\{x\\} \\\\ y}", u"{x} \\ y"_qs},
        {"raw line ends are not text", "{\\rtf1 a\r\nb\\\r\nc\\\nd}", u"ab\nc\nd"_qs},
        {"parameter ends a word without a space", "{\\rtf1\\b0 x\\fs20y}", u"xy"_qs},
        {"hex escapes in 1252", "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'E9}", u"caf\u00E9 \u20AC\u00E9"_qs},
        {"unicode with one fallback", "{\\rtf1 \\u8364?x}", u"\u20ACx"_qs},
        {"uc2 skips two escapes", "{\\rtf1\\uc2 \\u8364\\'80\\'80y}", u"\u20ACy"_qs},
        {"uc0 skips nothing", "{\\rtf1\\uc0 \\u233 z}", u"\u00E9z"_qs},
        {"uc is scoped by groups", "{\\rtf1 {\\uc2 \\u233 ab}\\u233 cd}", u"\u00E9\u00E9d"_qs},
        {"a group end cancels the fallback", "{\\rtf1\\uc3 {\\u233}x}", u"\u00E9x"_qs},
        {"negative unicode", "{\\rtf1 \\u-3913 ?}", u"\uF0B7"_qs},
        {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", u"\U0001F600"_qs},
        {"tab, line and the symbol controls", "{\\rtf1 a\\tab b\\line c\\~d\\-e\\_f}",
         u"a\tb\u2028c\u00A0d\u00ADe\u2011f"_qs},
        {"typographic words", "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
         u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"_qs},
        {"table cells and rows", "{\\rtf1 \\trowd a\\cell b\\cell\\row c}", u"a\tb\t\nc"_qs},
        {"field result shown, instruction not",
         "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", u"link"_qs},
        {"tables, ignorable and unknown destinations skipped",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
         "{\\info{\\title T}{\\author A}}{\\*\\generator Foo;}{\\*\\unknowndest xyz{\\b deeper}}{\\header H}"
         "{\\pict\\wmetafile8 0102ff}Body}",
         u"Body"_qs},
        {"binary data is stepped over", "{\\rtf1 a{\\pict\\bin3 }}}b}c}", u"ac"_qs},
        {"unknown words are ignored", "{\\rtf1 \\madeupword42 x\\zz y}", u"xy"_qs},
        {"text after the last brace is ignored", "{\\rtf1 a}b}", u"a"_qs},
        {"a word processor's header and list text",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n"
         "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
         "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Hello \\b World\\b0\\par\r\n"
         "{\\listtext\\f0 1.\\tab}Item\\par\r\n}\r\n",
         u"Hello World\n1.\tItem"_qs},
        {"plain text is shown as 1252 text", "not rtf \xE9\r\nline 2", u"not rtf \u00E9\nline 2"_qs},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadText(c.rtf), c.text) << c.name;
}

TEST(RtfReader, CharacterFormatsComeFromGroupsAndTables)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\fs20 n{\\b b\\b0 }{\\i i}{\\ul u\\ulnone n}{\\strike s}\\f1\\fs36 A\\cf1 r\\cb2 g\\highlight0 h\\plain p"
        "{\\b x{\\i y}z}w\\cf9 o}";
    QTextDocument document;
    ZefReadRtf(document, rtf);
    ASSERT_EQ(Text(document), u"nbiunsArghpxyzwo"_qs);

    const QColor none;
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    struct Case {
        int index;
        bool bold, italic, underline, strike;
        const char* family;
        double points;
        QColor color, background;
    };
    const Case cases[] = {
        {0, false, false, false, false, "Times New Roman", 10, none, none},
        {1, true, false, false, false, "Times New Roman", 10, none, none},
        {2, false, true, false, false, "Times New Roman", 10, none, none},
        {3, false, false, true, false, "Times New Roman", 10, none, none},
        {4, false, false, false, false, "Times New Roman", 10, none, none},
        {5, false, false, false, true, "Times New Roman", 10, none, none},
        {6, false, false, false, false, "Arial", 18, none, none},
        {7, false, false, false, false, "Arial", 18, red, none},
        {8, false, false, false, false, "Arial", 18, red, blue},
        {9, false, false, false, false, "Arial", 18, red, none},     // index 0: the automatic entry
        {10, false, false, false, false, "Times New Roman", 12, none, none}, // \plain
        {11, true, false, false, false, "Times New Roman", 12, none, none},
        {12, true, true, false, false, "Times New Roman", 12, none, none},
        {13, true, false, false, false, "Times New Roman", 12, none, none},
        {14, false, false, false, false, "Times New Roman", 12, none, none},
        {15, false, false, false, false, "Times New Roman", 12, none, none}, // index beyond the table
    };
    for (const Case& c : cases) {
        const QTextCharFormat format = FormatAt(document, c.index);
        const QString at = QStringLiteral("character %1 '%2'").arg(c.index).arg(Text(document)[c.index]);
        EXPECT_EQ(format.fontWeight() >= QFont::Bold, c.bold) << at.toStdString();
        EXPECT_EQ(format.fontItalic(), c.italic) << at.toStdString();
        EXPECT_EQ(format.fontUnderline(), c.underline) << at.toStdString();
        EXPECT_EQ(format.fontStrikeOut(), c.strike) << at.toStdString();
        EXPECT_EQ(Family(format), QString::fromLatin1(c.family)) << at.toStdString();
        EXPECT_DOUBLE_EQ(format.fontPointSize(), c.points) << at.toStdString();
        EXPECT_EQ(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : none, c.color)
            << at.toStdString();
        EXPECT_EQ(format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color() : none,
                  c.background)
            << at.toStdString();
    }
}

TEST(RtfReader, ParagraphAlignmentIndentsAndHiddenText)
{
    QTextDocument document;
    ZefReadRtf(document, "{\\rtf1\\pard\\qc centred\\par\\qr\\li720\\ri360\\fi-360 right\\par"
                         "\\pard plain{\\v hidden}\\par{\\qj\\li1440 scoped}\\par back\\par}");
    ASSERT_EQ(Text(document), u"centred\nright\nplain\nscoped\nback"_qs);
    struct Case {
        int block;
        Qt::Alignment alignment;
        qreal left, right, first; // pixels at 96 dpi: 720 twips = half an inch = 48 pixels
    };
    const Case cases[] = {
        {0, Qt::AlignHCenter, 0, 0, 0},
        {1, Qt::AlignRight, 48, 24, -24},
        {2, Qt::AlignLeft, 0, 0, 0},
        {3, Qt::AlignJustify, 96, 0, 0},
        {4, Qt::AlignLeft, 0, 0, 0}, // the group ended: back to the outer paragraph format
    };
    for (const Case& c : cases) {
        const QTextBlockFormat format = document.findBlockByNumber(c.block).blockFormat();
        EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, c.alignment) << "block " << c.block;
        EXPECT_DOUBLE_EQ(format.leftMargin(), c.left) << "block " << c.block;
        EXPECT_DOUBLE_EQ(format.rightMargin(), c.right) << "block " << c.block;
        EXPECT_DOUBLE_EQ(format.textIndent(), c.first) << "block " << c.block;
    }
}

TEST(RtfReader, TextWithoutAFontTableKeepsTheDocumentsFont)
{
    QTextDocument document;
    ZefReadRtf(document, "{\\rtf1 plain\\par}");
    EXPECT_EQ(Text(document), u"plain"_qs);
    EXPECT_FALSE(FormatAt(document, 0).hasProperty(QTextFormat::FontFamilies));
    EXPECT_DOUBLE_EQ(FormatAt(document, 0).fontPointSize(), 12.0);
}

TEST(RtfReader, OtherCodePagesUseQtsConverterWhenItHasOne)
{
    const bool hasCyrillic = QStringDecoder("windows-1251").isValid();
    // Without a converter the bytes read as Windows-1252.
    const QString cyrillic = hasCyrillic ? u"\u041F\u0440\u0438"_qs : u"\u00CF\u00F0\u00E8"_qs;
    const QString a = hasCyrillic ? u"\u0430"_qs : u"\u00E0"_qs;
    EXPECT_EQ(ReadText("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"), cyrillic);
    EXPECT_EQ(ReadText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                       "\\'e0\\f1\\'e0\\f0\\'e0}"),
              u"\u00E0"_qs + a + u"\u00E0"_qs)
        << "the font's character set chooses the code page";
}

TEST(RtfReader, EveryTruncationShowsAPrefixOfTheWholeText)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Courier New;}}{\\colortbl;\\red0\\green128\\blue0;}"
        "{\\*\\generator Writer 1.0;}\\pard\\fs24 First {\\b bold} line\\par\\cf1 Second {\\i\\ul it} line\\tab"
        " end\\par{\\pict\\bin4 ab}}cd}Third\\par}";
    const QString whole = ReadText(rtf);
    ASSERT_EQ(whole, u"First bold line\nSecond it line\tend\nThird"_qs);
    for (std::size_t length = 0; length <= rtf.size(); ++length) {
        const QString text = ReadText(std::string_view(rtf).substr(0, length));
        if (length < 5)
            continue; // too short to be recognised as RTF: shown as text
        EXPECT_TRUE(whole.startsWith(text)) << "cut at " << length << ": " << text.toStdString();
    }
}

TEST(RtfReader, UnbalancedAndDeeplyNestedGroups)
{
    EXPECT_EQ(ReadText("{\\rtf1 {{{open"), u"open"_qs);
    EXPECT_EQ(ReadText("{\\rtf1 a}}}}b"), u"a"_qs);
    EXPECT_EQ(ReadText("{\\rtf1 {\\b a}}}}b"), u"a"_qs);

    constexpr int kLevels = 100000;
    const std::string opens(kLevels, '{');
    const std::string closes(kLevels, '}');
    QTextDocument document;
    ZefReadRtf(document, "{\\rtf1 " + opens + "\\b deep" + closes + "after}");
    ASSERT_EQ(Text(document), u"deepafter"_qs);
    EXPECT_EQ(FormatAt(document, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(document, 4).fontWeight(), QFont::Normal) << "closing the groups restores the format";
    EXPECT_EQ(ReadText("{\\rtf1 " + opens + "never closed"), u"never closed"_qs);
    EXPECT_EQ(ReadText("{\\rtf1 " + opens + "\\*\\skipme" + closes + "shown}"), u"shown"_qs);
}

TEST(RtfReader, RandomBytesNeverCrashAndNeverMakeMoreTextThanInput)
{
    // Bytes drawn mostly from RTF's own alphabet so that the parser's paths are reached, not only text runs.
    const std::string alphabet = "{}\\\\\\'*uc0123456789-abfilpr ;\r\n\xE9\x80";
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        std::string input = "{\\rtf1 ";
        const int length = static_cast<int>(random() % 3000);
        for (int i = 0; i < length; ++i)
            input += random() % 8 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
        QTextDocument document;
        ZefReadRtf(document, input);
        const QString text = Text(document);
        EXPECT_LE(text.size(), static_cast<qsizetype>(input.size())) << "round " << round;
    }
}

TEST(RtfReader, FilesAreReadAndAMissingFileLeavesTheDocumentAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("note.rtf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi R\\'e9sum\\'e9\\par}");
    file.close();

    QTextDocument document;
    QString error;
    ASSERT_TRUE(ZefReadRtfFile(document, path, &error));
    EXPECT_EQ(Text(document), u"R\u00E9sum\u00E9"_qs);
    EXPECT_FALSE(ZefReadRtfFile(document, dir.filePath(QStringLiteral("missing.rtf")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Text(document), u"R\u00E9sum\u00E9"_qs);
}

// A pipe without a writer, a device that never ends, a link to it and a folder are refused at once.
TEST(RtfReader, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath(QStringLiteral("pipe.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.filePath(QStringLiteral("zero.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));

    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    ::alarm(20); // a read that blocks or never ends stops the run instead of hanging it
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), link, dir.path()}) {
        QString error;
        EXPECT_FALSE(ZefReadRtfFile(document, path, &error));
        EXPECT_EQ(error, QLatin1Char('"') + path + QStringLiteral("\" is not a regular file."));
    }
    ::alarm(0);
    EXPECT_EQ(Text(document), QStringLiteral("kept"));
}

} // namespace
