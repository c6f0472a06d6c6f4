#pragma once

#include "widgets/BoundControls.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPointF>
#include <QWidget>

// The small controls the day page is drawn with.

// A filled rectangle of the page (title band, strips, bottom band).
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);
    void setBackColour(qint32 bgr);
    qint32 BackColour() const { return m_bgr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 m_bgr = 0xFFFFFF;
};

// The small ">>" before a Details cell, on the page and in the Details editor's copy of a row.
QFont CaretFont(QFont font);

// A horizontal ruling line across the page.
class Line : public QWidget {
    Q_OBJECT
public:
    explicit Line(QWidget* parent = nullptr);
    void setBorderColour(qint32 bgr) {
        m_bgr = bgr;
        update();
    }
    qint32 BorderColour() const { return m_bgr; }
    // The line's ends and height in twips (a horizontal line: Y1 = Y2).
    void Place(double x1, double x2, double y);
    double X1() const { return m_x1; }
    double X2() const { return m_x2; }
    double Y1() const { return m_y; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 m_bgr = 0xC0C0C0;
    double m_x1 = 0;
    double m_x2 = 0;
    double m_y = 0;
};

// An image control that stretches its picture to its size; the picture is drawn at the
// control's resolution, so it stays sharp.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class Kind { None, Binder, FoundMarker };
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(Kind kind, int index);
    Kind PictureKind() const { return m_kind; }
    int PictureIndex() const { return m_index; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind = Kind::None;
    int m_index = 0;
};

// The calendar of the calendar panel. Setting its date is costly (it lays the month out again),
// and the day page sets it on every move: the date is taken at once and shown when the event
// loop next runs.
class CalendarControl : public QCalendarWidget {
    Q_OBJECT
public:
    explicit CalendarControl(QWidget* parent = nullptr);
    void setValue(const QDate& date);
    QDate Value() const;

private:
    void showPending();
    QDate m_pending;
    bool m_queued = false;
};

// The binder pictures, numbered as the binder style: 1 "Coils", 2 "Rings", 3 "Black Coils",
// 4 "None". A picture box shows one by its number.
struct BinderImageList {
    static constexpr int Count = 4;
    static QString Key(int index);
};

// A Time, Subject or Details cell of the page: a bound label that reports presses and
// double-clicks with its row.
class CellLabel : public BoundLabel {
    Q_OBJECT
public:
    CellLabel(int index, QWidget* parent);
    int Index() const { return m_index; }

Q_SIGNALS:
    void MouseDown(int index, Qt::MouseButton button);
    void DblClick(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_index;
};

// A panel title: a label the teacher drags the panel by. In the timetable grid it is a header
// cell with a thin border. Positions are in twips inside the title.
class PanelTitle : public QLabel {
    Q_OBJECT
public:
    PanelTitle(const QString& caption, QWidget* parent, int index = 0);
    int Index() const { return m_index; }
    void setCellBorder(bool border) { m_border = border; }
    // Set by whoever heard MouseDown and began a drag; the drop ends it.
    void setDragging(bool dragging) { m_dragging = dragging; }

Q_SIGNALS:
    void MouseDown(int index, Qt::MouseButton button, QPointF at);
    void DragOver(int index, QPointF at);
    void DragDrop(int index, QPointF at);
    void MouseMove(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    bool m_border = false;
    bool m_dragging = false;
};

// A body cell of the timetable grid; reports the pointer resting on it.
class GridCell : public QLabel {
    Q_OBJECT
public:
    GridCell(int index, QWidget* parent);
    int Index() const { return m_index; }

Q_SIGNALS:
    void MouseMove(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_index;
};
