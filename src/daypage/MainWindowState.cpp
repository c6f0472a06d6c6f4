#include "MainWindowState.h"

#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "frmMain.h"
#include "frmSchedule.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QToolButton>

void UpdateTeacherInfo() {
    ProgramState& g = Globals();
    frmMain& main = frmMain::Get();
    main.setWindowTitle(g.AppTitle + QStringLiteral(" - ") + g.CurrentTeacherName + QStringLiteral(" - ") +
                        g.DBaseFileName.mid(1));
    main.StatusPanel(QStringLiteral("TeacherName"))
        ->setText(QStringLiteral("Teacher: ") + g.CurrentTeacherName);
    if (g.SetupUser == 0) {
        return;
    }
    if (g.Cycle != 0 && g.Cycle != 1) {
        return;
    }
    for (int t = 1; t <= g.TeacherNum && t <= 2; ++t) {
        QString list;
        const int count = TeacherDayCount(g.TeacherDays[t]);
        for (int i = 1; i <= count; ++i) {
            list += CycleCode(g.TeacherCycle[t], i, g.Cycle);
            if (i < count) {
                list += QLatin1Char(',');
            }
        }
        g.TeacherDayLists[t] = list;
    }
}

void EnableDataCommands() {
    const bool enabled = !Globals().BlankDataBase;
    frmSchedule& page = frmSchedule::Get();
    page.cmdPrev->setEnabled(enabled);
    page.cmdNext->setEnabled(enabled);
    page.MonthView->setEnabled(enabled);
    frmMain& main = frmMain::Get();
    for (QAction* item : {main.mnuVCalendar, main.mnuVNotes}) {
        item->setEnabled(enabled);
    }
    main.mnuVTimeTable->setEnabled(enabled && Globals().SetupTimeTable == 1);
}
