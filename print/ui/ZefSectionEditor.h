// One section of a header or footer in the page setup dialog: a rich-text box without word wrap whose lines
// are the section's items, one font per line.
#pragma once

#include "ZefHeadFootSections.h"

#include <QTextEdit>

class QTextBlock;
class QTextCharFormat;

// The editor's text follows the model of a list of lines: every line added ends with a line break, and a last
// line that is empty is not a line of its own (an empty editor has no lines; "a", break, nothing is one line).
class TZefSectionEditor : public QTextEdit {
public:
    TZefSectionEditor(TZefSection section, QWidget* parent = nullptr);

    TZefSection Section() const { return section_; }

    // The font of text typed where no line gives one.
    const TZefPrintFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const TZefPrintFont& font);

    void Blank();
    // Line breaks inside the text become blanks: one line is one item.
    void AppendLine(const TZefSectionLine& line);
    void SetLines(const TZefSectionLines& lines);
    // Each line's text (as code-page bytes) and the font of its first character.
    TZefSectionLines Lines() const;

    // The caret's line: its font, and formatting applied to the whole line. The caret stays where it was,
    // with nothing selected.
    TZefPrintFont CaretLineFont() const;
    void SetCaretLineFont(const TZefPrintFont& font);
    void ToggleCaretLineStyle(TFontStyle style);
    // Replaces the selection (or inserts at the caret) with `text`.
    void InsertMacro(const QString& text);

    // A few lines high: the dialog holds six of them.
    QSize sizeHint() const override { return {150, 64}; }
    QSize minimumSizeHint() const override { return {80, 48}; }

    static QTextCharFormat CharFormat(const TZefPrintFont& font);
    static TZefPrintFont FontOf(const QTextCharFormat& format, const TZefPrintFont& fallback);

protected:
    // Shift+Enter starts a new line too, rather than a soft break inside one.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TZefPrintFont BlockFont(const QTextBlock& block) const;
    void ApplyAlignment();

    TZefSection section_;
    TZefPrintFont defaultFont_;
};
