#include "RichTextBox.h"

#include "platform/Twips.h"
#include "widgets/Colours.h"

#include <QTextDocument>

#include <algorithm>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent), m_cursor(document()) {
    setAcceptRichText(false);
    // The box shows what will print; what is typed into it would print nowhere.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setSelFontName(QStringLiteral("Arial"));
    setSelFontSize(12);
}

int RichTextBox::SelStart() const {
    return m_cursor.selectionStart();
}

void RichTextBox::setSelStart(int start) {
    const int end = std::max(0, static_cast<int>(document()->characterCount()) - 1);
    m_cursor.setPosition(std::clamp(start, 0, end));
    showInsertionPoint();
}

int RichTextBox::SelLength() const {
    return m_cursor.selectionEnd() - m_cursor.selectionStart();
}

void RichTextBox::setSelLength(int length) {
    const int end = std::max(0, static_cast<int>(document()->characterCount()) - 1);
    const int start = m_cursor.selectionStart();
    m_cursor.setPosition(start);
    m_cursor.setPosition(std::clamp(start + std::max(length, 0), 0, end), QTextCursor::KeepAnchor);
}

void RichTextBox::setSelText(const QString& text) {
    QString paragraphs = text;
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    paragraphs.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_cursor.insertText(paragraphs, m_format);
}

void RichTextBox::setSelFontName(const QString& name) {
    QTextCharFormat change;
    // The day page's fonts may be missing here; the print takes the same stand-in as the page.
    const QFont font = MakeFont(name, 12, false, false);
    change.setFontFamilies(font.families().isEmpty() ? QStringList{name} : font.families());
    change.setFontStyleHint(QFont::SansSerif);
    applyToSelection(change);
}

void RichTextBox::setSelFontSize(int points) {
    QTextCharFormat change;
    change.setFontPointSize(points > 0 ? points : 12);
    applyToSelection(change);
}

void RichTextBox::setSelBold(bool bold) {
    QTextCharFormat change;
    change.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    applyToSelection(change);
}

void RichTextBox::setSelItalic(bool italic) {
    QTextCharFormat change;
    change.setFontItalic(italic);
    applyToSelection(change);
}

void RichTextBox::setSelUnderline(bool underline) {
    QTextCharFormat change;
    change.setFontUnderline(underline);
    applyToSelection(change);
}

void RichTextBox::applyToSelection(const QTextCharFormat& change) {
    m_format.merge(change);
    if (m_cursor.hasSelection()) {
        m_cursor.mergeCharFormat(change);
    }
}

QString RichTextBox::Text() const {
    QString text = document()->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void RichTextBox::SetTargetLineWidth(qint32 twips) {
    m_lineWidth = twips;
    if (twips > 0) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(PxX(twips));
    } else {
        setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

void RichTextBox::showInsertionPoint() {
    QTextCursor shown = textCursor();
    shown.setPosition(m_cursor.position());
    setTextCursor(shown);
    ensureCursorVisible();
}
