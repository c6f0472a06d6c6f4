#pragma once

#include <QPointF>

class QWidget;
class frmSchedule;

// The calendar, notes and timetable panels float on the main window. These place them by the
// view settings and let the teacher drag each one by its title.
void CalcLayoutMetrics(frmSchedule& page);
void ShowCalendarFrame(frmSchedule& page);
void ShowNotesFrame(frmSchedule& page);
void ShowTimeTableFrame(frmSchedule& page);

// Left of the notes panel by the two position settings (0 beside / 1 opposite the calendar;
// the calendar 0 lower left / 1 lower right).
int NotesPanelLeft(int notesPosition, int calendarPosition, int calendarWidth, int lowerRightX);

// Dragging by a title; positions in twips inside the title. MouseDown answers whether a drag
// began.
bool PanelTitle_MouseDown(frmSchedule& page, QWidget* panel, int button, const QPointF& at);
void PanelTitle_DragOver(frmSchedule& page, QWidget* panel, const QPointF& at);
void PanelTitle_DragDrop(frmSchedule& page, QWidget* panel, const QPointF& at);
void PanelTitle_MouseMove(QWidget* title);
void lblRow_MouseMove(frmSchedule& page, int index);
