#pragma once

#include "platform/BoundControls.h"
#include "platform/DataControl.h"
#include "platform/FormAccess.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>

class QMdiSubWindow;
class QPushButton;
class QToolButton;

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

// A panel title: a label the teacher drags the panel by. In the timetable grid it is a cell
// with a thin border.
class PanelTitle : public QLabel {
    Q_OBJECT
public:
    explicit PanelTitle(const QString& caption, QWidget* parent = nullptr);
    void setCellBorder(bool border) { m_border = border; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_border = false;
};

// A cell of the timetable grid.
class GridCell : public QLabel {
    Q_OBJECT
public:
    explicit GridCell(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The day page: one record of the day table shown as an open binder, with the data controls
// through which the whole program reads and writes the day table and the settings rows.
class frmSchedule : public QWidget, public FormAccess<frmSchedule> {
    Q_OBJECT
public:
    frmSchedule();
    ~frmSchedule() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm();
    void Form_Activate();

    // Data controls and the hidden bound boxes.
    DataControl datLumenleaf;
    DataControl datRegKey;
    BoundTextBox* txtRegSection = nullptr;
    BoundTextBox* txtRegKey = nullptr;
    BoundTextBox* txtRegValue = nullptr;
    BoundTextBox* txtDate = nullptr;

    // The date line.
    BoundLabel* lblDate = nullptr;
    QLabel* lblSD = nullptr;
    BoundLabel* lblDay = nullptr;

    // The twelve rows.
    std::array<BoundLabel*, 12> lblTime{};
    std::array<BoundLabel*, 12> lblSubject{};
    std::array<QLabel*, 12> lblCaret{};
    std::array<BoundLabel*, 12> lblDetails{};

    // The page's bands, ruling lines and binder.
    Shape* shpTitle = nullptr;
    std::array<Shape*, 6> shpStrip{};
    Shape* shpBottom = nullptr;
    std::array<Line*, 25> lnLine{}; // 1..24
    PictureBox* imgBinder = nullptr;
    BinderImageList imlBinder;
    QToolButton* cmdPrev = nullptr;
    QToolButton* cmdNext = nullptr;
    PictureBox* imgFound1 = nullptr;
    PictureBox* imgFound2 = nullptr;

    // The calendar panel.
    QFrame* fraCalendar = nullptr;
    PanelTitle* lblCalendar = nullptr;
    CalendarControl* MonthView = nullptr;

    // The notes panel.
    QFrame* fraNotes = nullptr;
    PanelTitle* lblNotes = nullptr;
    BoundMemo* txtNotes = nullptr;
    QPushButton* cmdNotesSave = nullptr;
    QPushButton* cmdNotesClear = nullptr;
    QPushButton* cmdNotesCancel = nullptr;

    // The timetable panel.
    QFrame* fraTimeTable = nullptr;
    std::array<PanelTitle*, 8> lblHeader{};
    std::array<GridCell*, 96> lblRow{};

    // The window's own size in twips, as laid out.
    double WindowWidth() const { return m_width; }
    double WindowHeight() const { return m_height; }
    void SetBackColour(qint32 bgr);

    // Event handlers.
    void MonthView_DateClick(const QDate& dateClicked);
    void cmdPrev_Click();
    void cmdNext_Click();
    void datLumenleaf_MoveComplete();
    void txtNotes_GotFocus();
    void cmdNotesSave_Click();
    void cmdNotesClear_Click();
    void cmdNotesCancel_Click();
    void lblTime_MouseDown(int index, Qt::MouseButton button);
    void lblSubject_MouseDown(int index, Qt::MouseButton button);
    void lblDetails_MouseDown(int index, Qt::MouseButton button);
    void lblTime_DblClick(int index);
    void lblSubject_DblClick(int index);
    void lblDetails_DblClick(int index);

    void RememberEntryTexts(DataControl& rs);
    static QString NzTrim(const QVariant& value);

    // Panel dragging by the title: the grab point inside the title, in twips.
    int DragX = 0;
    int DragY = 0;
    std::array<QPointer<QWidget>, 3> OldParents;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void bindControls();
    void layOut();
    void focusNext();
    void reportWriteFailure(const QString& message);

    QMdiSubWindow* m_subWindow = nullptr;
    double m_width = 0;
    double m_height = 0;
    bool m_unloaded = false;
    bool m_active = false;
    QWidget* m_dragging = nullptr;
};

// The day code's label and the calendar follow the shown day.
void ShowDayCode();
