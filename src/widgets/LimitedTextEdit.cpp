#include "LimitedTextEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), m_maxLength(maxLength) {}

int LimitedTextEdit::StoredLength(const QString& text) {
    // A line break is stored as CR LF.
    QString stored = text;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return static_cast<int>(stored.size() + stored.count(QLatin1Char('\n')));
}

QString LimitedTextEdit::StoredText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

bool LimitedTextEdit::fits(const QString& inserted) const {
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const int after = StoredLength(StoredText()) - StoredLength(selected) + StoredLength(inserted);
    // Shortening is always allowed, even a text that came in longer than the limit.
    return after <= m_maxLength || StoredLength(inserted) <= StoredLength(selected);
}

bool LimitedTextEdit::InsertText(const QString& text) {
    if (!fits(text)) {
        QApplication::beep();
        return false;
    }
    insertPlainText(text);
    return true;
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event) {
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typed = QStringLiteral("\n");
    }
    const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\n")) &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (inserts && !fits(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !fits(event->commitString())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        InsertText(source->text());
    }
}
