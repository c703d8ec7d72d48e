// The section editor's lines and per-line formatting.
#include "ZefSectionEditor.h"

#include "ZefCodePageText.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The TColor a format's colour came from, so that a colour without an exact RGB form (a system colour) comes
// back as it went in.
constexpr int kPrintColorProperty = QTextFormat::UserProperty + 1;

Qt::Alignment AlignmentOf(TZefSection section)
{
    switch (section) {
    case secCenter: return Qt::AlignHCenter;
    case secRight: return Qt::AlignRight;
    case secLeft: break;
    }
    return Qt::AlignLeft;
}

} // namespace

TZefSectionEditor::TZefSectionEditor(TZefSection section, QWidget* parent) : QTextEdit(parent), section_(section)
{
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Pasted text takes the line's font: a line has one font, as its item does.
    setAcceptRichText(false);
    setTabChangesFocus(true);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(AlignmentOf(section_));
    document()->setDefaultTextOption(option);
    SetDefaultFont(defaultFont_);
}

QTextCharFormat TZefSectionEditor::CharFormat(const TZefPrintFont& font)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{ZefFromCodePage(font.Name)});
    format.setFontPointSize(font.Size);
    format.setFontWeight((font.Style & fsBold) != 0 ? QFont::Bold : QFont::Normal);
    format.setFontItalic((font.Style & fsItalic) != 0);
    format.setFontUnderline((font.Style & fsUnderline) != 0);
    format.setFontStrikeOut((font.Style & fsStrikeOut) != 0);
    format.setForeground(PrintColor(font.Color));
    format.setProperty(kPrintColorProperty, static_cast<qulonglong>(font.Color));
    return format;
}

TZefPrintFont TZefSectionEditor::FontOf(const QTextCharFormat& format, const TZefPrintFont& fallback)
{
    TZefPrintFont font = fallback;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty()) font.Name = ZefToCodePage(families.front());
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0) font.Size = format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontWeight) || format.hasProperty(QTextFormat::FontItalic) ||
        format.hasProperty(QTextFormat::FontUnderline) || format.hasProperty(QTextFormat::TextUnderlineStyle) ||
        format.hasProperty(QTextFormat::FontStrikeOut)) {
        font.Style = static_cast<TFontStyles>((format.fontWeight() >= QFont::DemiBold ? fsBold : 0) |
                                              (format.fontItalic() ? fsItalic : 0) |
                                              (format.fontUnderline() ? fsUnderline : 0) |
                                              (format.fontStrikeOut() ? fsStrikeOut : 0));
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor color = format.foreground().color();
        const TColor stored = static_cast<TColor>(format.property(kPrintColorProperty).toULongLong());
        if (format.hasProperty(kPrintColorProperty) && PrintColor(stored) == color)
            font.Color = stored;
        else
            font.Color = ColorRGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                                  static_cast<uint8_t>(color.blue()));
    }
    return font;
}

void TZefSectionEditor::SetDefaultFont(const TZefPrintFont& font)
{
    defaultFont_ = font;
    QFont qfont(ZefFromCodePage(font.Name));
    qfont.setPointSizeF(font.Size);
    document()->setDefaultFont(qfont);
    if (document()->isEmpty()) {
        QTextCursor cursor(document());
        cursor.setBlockCharFormat(CharFormat(font));
        setCurrentCharFormat(CharFormat(font));
    }
}

void TZefSectionEditor::ApplyAlignment()
{
    QTextBlockFormat format;
    format.setAlignment(AlignmentOf(section_));
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

void TZefSectionEditor::Blank()
{
    clear();
    ApplyAlignment();
    SetDefaultFont(defaultFont_);
    document()->setModified(true);
}

void TZefSectionEditor::AppendLine(const TZefSectionLine& line)
{
    const QTextCharFormat format = CharFormat(line.Font);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat blockFormat;
    blockFormat.setAlignment(AlignmentOf(section_));
    if (!cursor.block().text().isEmpty()) cursor.insertBlock(blockFormat, format);
    cursor.setBlockFormat(blockFormat);
    cursor.setBlockCharFormat(format);
    QString text = ZefFromCodePage(line.Text);
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    cursor.insertText(text, format);
    cursor.insertBlock(blockFormat, format);
}

void TZefSectionEditor::SetLines(const TZefSectionLines& lines)
{
    Blank();
    for (const TZefSectionLine& line : lines) AppendLine(line);
    moveCursor(QTextCursor::Start);
}

TZefPrintFont TZefSectionEditor::BlockFont(const QTextBlock& block) const
{
    const QTextBlock::iterator first = block.begin();
    if (!first.atEnd() && first.fragment().isValid()) return FontOf(first.fragment().charFormat(), defaultFont_);
    return FontOf(block.charFormat(), defaultFont_);
}

TZefSectionLines TZefSectionEditor::Lines() const
{
    TZefSectionLines lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (!block.next().isValid() && block.text().isEmpty()) break;
        lines.push_back({ZefToCodePage(block.text()), BlockFont(block)});
    }
    return lines;
}

TZefPrintFont TZefSectionEditor::CaretLineFont() const
{
    return BlockFont(textCursor().block());
}

void TZefSectionEditor::SetCaretLineFont(const TZefPrintFont& font)
{
    const QTextCharFormat format = CharFormat(font);
    QTextCursor caret = textCursor();
    const int position = caret.position();
    QTextCursor line(caret.block());
    line.beginEditBlock();
    line.movePosition(QTextCursor::StartOfBlock);
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    if (line.hasSelection()) line.setCharFormat(format);
    line.setBlockCharFormat(format);
    line.endEditBlock();
    caret.setPosition(position);
    setTextCursor(caret);
    setCurrentCharFormat(format);
    document()->setModified(true);
}

void TZefSectionEditor::ToggleCaretLineStyle(TFontStyle style)
{
    TZefPrintFont font = CaretLineFont();
    font.Style = static_cast<TFontStyles>(font.Style ^ style);
    SetCaretLineFont(font);
}

void TZefSectionEditor::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier) != 0 && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TZefSectionEditor::InsertMacro(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
    document()->setModified(true);
}
