#include "BoundControls.h"

#include "DataControl.h"

void BoundControl::EnsureCurrent() const {
    if (m_source) {
        m_source->ensureBinding(const_cast<BoundControl*>(this));
    }
}

void BoundControl::Unbind() {
    if (m_source) {
        m_source->Unbind(this);
        m_source = nullptr;
    }
}

BoundLabel::BoundLabel(QWidget* parent) : QLabel(parent) {
    // Entries are the teacher's own text: never read as markup.
    setTextFormat(Qt::PlainText);
}

BoundLabel::~BoundLabel() {
    Unbind();
}

QString BoundLabel::Caption() const {
    EnsureCurrent();
    return QLabel::text();
}

void BoundLabel::setCaption(const QString& text) {
    EnsureCurrent();
    QLabel::setText(text);
}

void BoundLabel::paintEvent(QPaintEvent* event) {
    EnsureCurrent();
    QLabel::paintEvent(event);
}

BoundTextBox::BoundTextBox(QWidget* parent) : QWidget(parent) {
    setVisible(false);
}

BoundTextBox::~BoundTextBox() {
    Unbind();
}

QString BoundTextBox::Text() const {
    EnsureCurrent();
    return m_text;
}

void BoundTextBox::setText(const QString& text) {
    EnsureCurrent();
    m_text = text;
}

BoundMemo::BoundMemo(QWidget* parent) : QPlainTextEdit(parent) {}

BoundMemo::~BoundMemo() {
    Unbind();
}

QString BoundMemo::Text() const {
    EnsureCurrent();
    return RawText();
}

QString BoundMemo::RawText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString BoundMemo::ShownForm(const QString& text) const {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void BoundMemo::keyPressEvent(QKeyEvent* event) {
    // A keystroke lands in the day the box shows now, even if it kept the focus across a move.
    EnsureCurrent();
    QPlainTextEdit::keyPressEvent(event);
}

void BoundMemo::inputMethodEvent(QInputMethodEvent* event) {
    EnsureCurrent();
    QPlainTextEdit::inputMethodEvent(event);
}

void BoundMemo::setText(const QString& text) {
    EnsureCurrent();
    QPlainTextEdit::setPlainText(text);
}

void BoundMemo::focusInEvent(QFocusEvent* event) {
    // The teacher is about to type: the box must show the current day's notes first.
    EnsureCurrent();
    QPlainTextEdit::focusInEvent(event);
    Q_EMIT GotFocus();
}
