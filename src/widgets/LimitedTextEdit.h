#pragma once

#include <QPlainTextEdit>

// A multi-line text box with a maximum length, counted as the text is stored: every line break
// is CR LF, two characters. Typing, pasting and dropping that would pass the limit is refused
// (with a beep); a longer text put in by code is kept whole, and may be shortened by the teacher.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(int maxLength, QWidget* parent = nullptr);

    int MaxLength() const { return m_maxLength; }
    // The text with its line breaks as stored (CR LF), and its stored length.
    QString StoredText() const;
    static int StoredLength(const QString& text);
    // Puts text in place of the selection as typing would: refused when it would pass the limit.
    bool InsertText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool fits(const QString& inserted) const;
    int m_maxLength;
};
