#pragma once

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QWidget>

#include <array>
#include <functional>

class QPushButton;
class QVBoxLayout;

// What the start-up windows and the about box share: the cover band with the program's picture,
// the product name in large type, and plain-text labels that report clicks and the pointer.

// A label that reports a click (press and release on it) and the pointer moving over it, with
// its index in its control array. It takes the focus by Tab, shows it with a frame, and takes
// Return, Enter and Space as a click.
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
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

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
// The program's texts break lines with CR LF; a label wants plain line feeds.
QString LabelText(QString text);
// A label that looks and acts as a link.
void StyleAsLink(QLabel* label);

// The common frame of the start-up windows and the about box: a modal window with the cover
// band on the left and a column headed by the product's name and version; the two notices and
// the buttons close the column.
class CoverDialog : public QDialog {
    Q_OBJECT
public:
    CoverDialog();

    QWidget* picLogo = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    std::array<QLabel*, 3> lblNotice{}; // 1 the legal notice, 2 the year's

protected:
    QVBoxLayout* Column() const { return m_column; }
    int Line() const { return m_line; }
    // Ends the column: the notices above a row of buttons (left ones, then one at the right).
    void FinishColumn(const QList<QPushButton*>& left, QPushButton* right);
    // Form_Load's and Form_Unload's common part: the texts, the place on the screen and the
    // list of open windows.
    void LoadCover(const QString& name, std::function<void()> unload);
    void UnloadCover(const QString& name);

private:
    QVBoxLayout* m_column = nullptr;
    int m_line = 0;
};

// Places a window in the middle of the window the teacher is working in, or of the screen.
void CentreWindow(QWidget* window);

// The cover's colours.
QColor CoverTop();
QColor CoverBottom();
