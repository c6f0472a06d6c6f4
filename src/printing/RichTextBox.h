#pragma once

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

// A rich-text box over Qt's text document, driven the way the program writes formatted text:
// place the insertion point (SelStart, SelLength), set the format for what comes next
// (SelFontName ... SelUnderline) and insert (SelText). Line breaks are CR LF both ways. The box
// wraps its lines at the width the printer will, so the preview shows the page's lines.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    // Replaces the selection (or inserts at the insertion point) in the format set last.
    void setSelText(const QString& text);
    void setSelFontName(const QString& name);
    void setSelFontSize(int points);
    void setSelBold(bool bold);
    void setSelItalic(bool italic);
    void setSelUnderline(bool underline);
    QString Text() const;

    // The width the lines wrap at, in twips; 0 wraps at the box's own width.
    void SetTargetLineWidth(qint32 twips);
    qint32 TargetLineWidth() const { return m_lineWidth; }

private:
    void applyToSelection(const QTextCharFormat& change);
    void showInsertionPoint();

    QTextCursor m_cursor;
    QTextCharFormat m_format;
    qint32 m_lineWidth = 0;
};
