#pragma once

#include "DayPageWidgets.h"
#include "core/DayDatabase.h"
#include "widgets/BoundControls.h"
#include "widgets/DataControl.h"
#include "widgets/FormAccess.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>

class QMdiSubWindow;
class MainFrame;
class QPushButton;
class QToolButton;

// The day page: one record of the day table shown as an open binder. Its two data controls bind
// its controls to core's cursors over the day table and the settings rows, through which the
// whole program reads and writes the shown day.
class frmSchedule : public QWidget, public FormAccess<frmSchedule>, public DayTableListener {
    Q_OBJECT
public:
    frmSchedule();
    ~frmSchedule() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm();
    void Form_Activate();
    // The main window the page is the child window of.
    MainFrame& MainWindow() const;
    // The focus goes to the next-day button when it can take it (it may be disabled or hidden).
    void FocusNext();

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
    std::array<CellLabel*, 12> lblTime{};
    std::array<CellLabel*, 12> lblSubject{};
    std::array<QLabel*, 12> lblCaret{};
    std::array<CellLabel*, 12> lblDetails{};

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

    // The hit markers stand on the page for a cell, and on the surface that holds the notes panel
    // for a Notes hit: that panel floats below the page's own edge.
    void PutMarkersOn(QWidget* surface);

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
    qint32 DragX = 0;
    qint32 DragY = 0;
    std::array<QPointer<QWidget>, 3> OldParents;

private:
    // What the day table tells the page.
    void DayShown() override;
    void DataCommandsChanged() override;

    void buildPage();
    void buildRows();
    void buildCalendarPanel();
    void buildNotesPanel();
    void buildTimeTablePanel();
    void connectPanelTitle(PanelTitle* title, QWidget* panel);
    void bindControls();
    void layOut();

    QMdiSubWindow* m_subWindow = nullptr;
    double m_width = 0;
    double m_height = 0;
    bool m_unloaded = false;
    bool m_active = false;
};

// The day code's label and the calendar follow the shown day.
void ShowDayCode(frmSchedule& page);

// Once a window over the page has closed (`closing`, hidden by now), the focus goes back into the
// window in front that is still open, to the control it had; to the page's Next arrow only when
// none is. Under an open window the arrow would take Return unseen.
void FocusAfterClosing(const QWidget* closing);
