#include "DayStyle.h"

#include "TimeTableGrid.h"
#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "core/TeacherSettings.h"
#include "frmSchedule.h"
#include "ui/MainFrame.h"
#include "widgets/Colours.h"

#include <QCalendarWidget>

namespace {
// The calendar's month background, title background and title text. The calendar draws its
// title bar (and the chosen day) in its highlight colours.
void PaintCalendar(QCalendarWidget* calendar, const QColor& month, const QColor& titleBack,
                   const QColor& titleText) {
    QPalette pal = calendar->palette();
    pal.setColor(QPalette::Base, month);
    pal.setColor(QPalette::AlternateBase, month);
    pal.setColor(QPalette::Window, month);
    pal.setColor(QPalette::Highlight, titleBack);
    pal.setColor(QPalette::HighlightedText, titleText);
    calendar->setPalette(pal);
}
} // namespace

void LoadDayTeacherStyle(frmSchedule& page) {
    const int teacher = DayStyleTeacher(Globals(), page.lblDay->Caption());
    if (teacher != 0) {
        LoadStyleArrays(teacher);
    }
}

void ApplyDayStyle(frmSchedule& page) {
    const ProgramState& g = Globals();
    const QColor back2 = ColorFromBgr(g.ColourBack[2]);
    const QColor back3 = ColorFromBgr(g.ColourBack[3]);
    const QColor fore3 = ColorFromBgr(g.ColourFore[3]);

    // 1. Window backgrounds.
    page.MainWindow().SetBackColour(g.ColourBack[3]);
    page.SetBackColour(g.ColourBack[3]);
    // 2. The calendar.
    PaintCalendar(page.MonthView, back3, back2, fore3);
    // 3.-5. Panel titles, notes.
    SetBackColor(page.lblCalendar, back2);
    SetForeColor(page.lblCalendar, fore3);
    SetBackColor(page.txtNotes, back3);
    SetBackColor(page.lblNotes, back2);
    SetForeColor(page.lblNotes, fore3);
    SetBackColor(page.fraNotes, back2);
    // 6. Bands.
    page.shpTitle->setBackColour(g.ColourBack[0]);
    for (Shape* strip : page.shpStrip) {
        strip->setBackColour(g.ColourBack[1]);
    }
    // 7. The date line.
    const QFont dateFont = MakeFont(g.FontName[0], g.FontSize[0], g.FontBold[0], g.FontItalic[0]);
    for (QLabel* label : std::initializer_list<QLabel*>{page.lblDate, page.lblSD, page.lblDay}) {
        SetForeColor(label, ColorFromBgr(g.ColourFore[0]));
        label->setFont(dateFont);
    }
    // 8. Times and subjects.
    const QFont timeFont = MakeFont(g.FontName[1], g.FontSize[1], g.FontBold[1], g.FontItalic[1]);
    const QFont subjectFont = MakeFont(g.FontName[2], g.FontSize[2], g.FontBold[2], g.FontItalic[2]);
    for (int i = 0; i < 12; ++i) {
        SetForeColor(page.lblTime[i], ColorFromBgr(g.ColourFore[1]));
        page.lblTime[i]->setFont(timeFont);
        SetForeColor(page.lblSubject[i], ColorFromBgr(g.ColourFore[2]));
        page.lblSubject[i]->setFont(subjectFont);
    }
    // 9.
    page.shpBottom->setBackColour(g.ColourBack[1]);
    // 10.
    ColourTimeTableGrid(page);
}
