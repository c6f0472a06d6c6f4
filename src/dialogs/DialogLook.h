#pragma once

#include <QLabel>
#include <QList>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

// What the start-up windows and the about box share: the cover band with the program's picture,
// the product name in large type, and plain-text labels that report clicks and the pointer.

// A label that reports a click (press and release on it) and the pointer moving over it, with
// its index in its control array.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(int index, QWidget* parent);
    int Index() const { return m_index; }

Q_SIGNALS:
    void Clicked(int index);
    void MouseMoved(int index, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_index;
    bool m_pressed = false;
};

// The blue band down the left of a dialog, as the cover of the plan book, with the program's
// picture near its top.
class CoverBand : public QWidget {
public:
    CoverBand(int pictureSize, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_pictureSize;
};

// Labels that never read their text as markup: names and settings come from outside.
QLabel* MakeLabel(const QString& text, QWidget* parent, qreal pointScale = 1.0, bool bold = false);
// The product name in large type, in the cover's blue.
QLabel* MakeTitleLabel(QWidget* parent, qreal pointScale = 2.2);
// A notice in small grey type.
QLabel* MakeNoticeLabel(const QString& text, QWidget* parent);
// A label that looks and acts as a link.
void StyleAsLink(QLabel* label);

// Lays a window out as the cover band beside a column of content, and gives the column.
QVBoxLayout* CoverLayout(QWidget* window, QWidget* band);
// The foot of that column: the two notices above a row of buttons (left ones, then one at the
// right).
void AddNoticesAndButtons(QVBoxLayout* column, QLabel* legal, QLabel* year, const QList<QPushButton*>& left,
                          QPushButton* right);
// The version and the two notices every start-up window and the about box show.
void ShowVersionAndNotices(QLabel* version, QLabel* legal, QLabel* year);

// Places a window in the middle of the window the teacher is working in, or of the screen.
void CentreWindow(QWidget* window);

// The cover's colours.
QColor CoverTop();
QColor CoverBottom();
