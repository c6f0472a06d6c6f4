#pragma once

#include "DataControl.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <functional>

// A control that shows one field of a data control's current row. Writing its text changes the
// field; the data control stores the change when the row is updated or left. The shown text is
// filled in lazily after a move, so every read of the text goes through Caption()/Text(), which
// brings it up to date first.
class BoundControl {
public:
    using DisplayFunction = std::function<QString(const QVariant&)>;
    using ParseFunction = std::function<QVariant(const QString&)>;

    BoundControl() = default;
    BoundControl(const BoundControl&) = delete;
    BoundControl& operator=(const BoundControl&) = delete;
    virtual ~BoundControl() = default;

    QString DataField() const { return m_field; }
    DataControl* DataSource() const { return m_source; }

    // The text as it was when the current record was entered (see the day page).
    QString Tag;

protected:
    void EnsureCurrent() const;
    // Concrete controls call this from their destructor, while their text can still be read.
    void Unbind();

    virtual QString RawText() const = 0;
    virtual void SetRawText(const QString& text) = 0;
    // The text as this control shows a value (a text box has one kind of line break).
    virtual QString ShownForm(const QString& text) const { return text; }

private:
    friend class DataControl;
    QPointer<DataControl> m_source;
    QString m_field;
    DisplayFunction m_display;
    ParseFunction m_parse;
};

// A bound label: the day page's cells, date and day code.
class BoundLabel : public QLabel, public BoundControl {
    Q_OBJECT
public:
    explicit BoundLabel(QWidget* parent = nullptr);
    ~BoundLabel() override;

    QString Caption() const;
    void setCaption(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    QString RawText() const override { return QLabel::text(); }
    void SetRawText(const QString& text) override { QLabel::setText(text); }
};

// A bound hidden text box: it carries a field's text for other windows to read and write (the
// shown day's date, the settings rows) and is never shown, so it holds just the text.
class BoundTextBox : public QWidget, public BoundControl {
    Q_OBJECT
public:
    explicit BoundTextBox(QWidget* parent = nullptr);
    ~BoundTextBox() override;

    QString Text() const;
    void setText(const QString& text);

protected:
    QString RawText() const override { return m_text; }
    void SetRawText(const QString& text) override { m_text = text; }

private:
    QString m_text;
};

// A bound multi-line text box (the day's notes).
class BoundMemo : public QPlainTextEdit, public BoundControl {
    Q_OBJECT
public:
    explicit BoundMemo(QWidget* parent = nullptr);
    ~BoundMemo() override;

    QString Text() const;
    void setText(const QString& text);

Q_SIGNALS:
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // The text as typed, no-break spaces and all (the plain text would turn them into spaces).
    QString RawText() const override;
    void SetRawText(const QString& text) override { QPlainTextEdit::setPlainText(text); }
    QString ShownForm(const QString& text) const override;
};
