#include "Panels.h"

#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "frmSchedule.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"
#include "ui/UiState.h"
#include "widgets/SystemMetrics.h"
#include "widgets/TwipsGeometry.h"

#include <QCalendarWidget>

void CalcLayoutMetrics(frmSchedule& page) {
    UiState& g = Ui();
    MainFrame& main = page.MainWindow();
    // A failed step leaves the previous values, as errors here are passed over.
    try {
        g.FrameWidth = GetSystemMetrics(SM_CXFRAME);
        g.FrameHeight = GetSystemMetrics(SM_CYFRAME);
        g.BorderWidth = GetSystemMetrics(SM_CXBORDER);
        g.BorderHeight = GetSystemMetrics(SM_CYBORDER);
        g.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
        g.VScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        g.HScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        g.NonClientWidth = CLng(TwipsPerPixelX() * (2 * g.FrameWidth + g.VScrollWidth + 3 * g.BorderWidth));
        g.NonClientHeight = CLng(
            TwipsPerPixelY() * (2 * g.FrameHeight + g.CaptionHeight + g.HScrollHeight + g.BorderHeight + 8));
        g.LowerRightX = CLng(main.OuterWidthTw() - TwWidth(page.fraCalendar) - g.NonClientWidth);
        // The allowance was made for a frame whose menu bar lay outside the area below it; ours
        // holds the menu bar and the bands. So the area the page really has is measured, and of
        // the allowance only what lies beyond the frame and the caption stays: a small gap above
        // the status bar.
        const double frameAndCaption = TwipsPerPixelY() * (2 * g.FrameHeight + g.CaptionHeight);
        g.LowerY = CLng(main.PageAreaBottomTw() - TwHeight(page.fraCalendar) -
                        (g.NonClientHeight - frameAndCaption));
    } catch (const OverflowError&) {
    }
}

int NotesPanelLeft(int notesPosition, int calendarPosition, int calendarWidth, int lowerRightX) {
    if (notesPosition == 0) {
        return calendarPosition == 0 ? calendarWidth : lowerRightX - calendarWidth;
    }
    return calendarPosition == 0 ? lowerRightX : 0;
}

void ShowCalendarFrame(frmSchedule& page) {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    page.fraCalendar->hide();
    page.MonthView->hide();
    page.lblCalendar->hide();
    if (g.CalendarShow) {
        TwMove(page.fraCalendar, g.CalendarPosition == 0 ? 0 : ui.LowerRightX, ui.LowerY);
        page.fraCalendar->show();
        page.fraCalendar->raise();
        page.MonthView->show();
        page.lblCalendar->show();
    }
    ShowNotesFrame(page); // which sets the View menu's marks
}

void ShowNotesFrame(frmSchedule& page) {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    page.fraNotes->hide();
    page.lblNotes->hide();
    page.txtNotes->hide();
    if (g.NotesShow) {
        // A hidden calendar still keeps its place beside the notes.
        const int left = NotesPanelLeft(g.NotesPosition, g.CalendarPosition,
                                        static_cast<int>(TwWidth(page.fraCalendar)), ui.LowerRightX);
        TwMove(page.fraNotes, left, ui.LowerY);
        page.fraNotes->show();
        page.fraNotes->raise();
        page.lblNotes->show();
        page.txtNotes->show();
    }
    UpdateMainCommands(); // the View menu's marks follow the flags
}

void ShowTimeTableFrame(frmSchedule& page) {
    const ProgramState& g = Globals();
    UpdateMainCommands(); // the View menu's mark follows the flag
    if (g.SetupTimeTable == 0) {
        page.fraTimeTable->hide();
        return;
    }
    if (g.TimeTableShow) {
        page.fraTimeTable->hide();
        // A position saved on a larger screen, or dragged off the window, is brought back onto it.
        const QWidget* area = page.MainWindow().clientArea;
        const double maxLeft = qMax(0.0, TwipsX(area->width()) - TwWidth(page.fraTimeTable));
        const double maxTop = qMax(0.0, TwipsY(area->height()) - TwHeight(page.fraTimeTable));
        TwMove(page.fraTimeTable, qBound(0.0, double(g.TimeTableLeft), maxLeft),
               qBound(0.0, double(g.TimeTableTop), maxTop));
        page.fraTimeTable->show();
        page.fraTimeTable->raise();
    } else {
        page.fraTimeTable->hide();
    }
}

bool PanelTitle_MouseDown(frmSchedule& page, QWidget* panel, int button, const QPointF& at) {
    // The notes and timetable panels do not move with the right button; the calendar does.
    if (panel != page.fraCalendar && button == Qt::RightButton) {
        return false;
    }
    page.DragX = CLng(at.x());
    page.DragY = CLng(at.y());
    panel->raise();
    return true;
}

void PanelTitle_DragOver(frmSchedule& page, QWidget* panel, const QPointF& at) {
    TwMove(panel, TwLeft(panel) + at.x() - page.DragX, TwTop(panel) + at.y() - page.DragY);
}

void PanelTitle_DragDrop(frmSchedule& page, QWidget* panel, const QPointF& at) {
    PanelTitle_DragOver(page, panel, at);
    if (panel == page.fraTimeTable) {
        ProgramState& g = Globals();
        g.TimeTableLeft = CLng(TwLeft(panel));
        g.TimeTableTop = CLng(TwTop(panel));
        const QString section = EffectsSection();
        SaveInt(section, QStringLiteral("TimeTableLeft"), g.TimeTableLeft);
        SaveInt(section, QStringLiteral("TimeTableTop"), g.TimeTableTop);
    }
}

void PanelTitle_MouseMove(QWidget* title) {
    title->setToolTip(QStringLiteral("Drag to Move"));
}

void lblRow_MouseMove(frmSchedule& page, int index) {
    QLabel* cell = page.lblRow[index];
    cell->setToolTip(cell->text());
}
