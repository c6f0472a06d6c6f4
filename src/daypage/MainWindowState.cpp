#include "MainWindowState.h"

#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "frmMain.h"
#include "frmSchedule.h"
#include "ui/UiState.h"
#include "widgets/Captions.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QToolButton>

void UpdateTeacherInfo(frmMain& main) {
    const ProgramState& g = Globals();
    const QString teacher = CaptionText(g.CurrentTeacherName);
    main.setWindowTitle(g.AppTitle + QStringLiteral(" - ") + teacher + QStringLiteral(" - ") +
                        g.DBaseFileName.mid(1));
    main.StatusPanel(QStringLiteral("TeacherName"))->setText(QStringLiteral("Teacher: ") + teacher);
    if (g.SetupUser == 0) {
        return;
    }
    if (g.Cycle != 0 && g.Cycle != 1) {
        return;
    }
    for (int t = 1; t <= g.TeacherNum && t <= 2; ++t) {
        QString list;
        const int count = TeacherDayCount(g.TeacherDays[t], g.TeacherCycle[t], g.Cycle);
        for (int i = 1; i <= count; ++i) {
            list += CycleCode(g.TeacherCycle[t], i, g.Cycle);
            if (i < count) {
                list += QLatin1Char(',');
            }
        }
        Ui().TeacherDayLists[t] = list;
    }
}

void EnableDataCommands(frmSchedule& page) {
    const bool enabled = !Globals().BlankDataBase;
    page.cmdPrev->setEnabled(enabled);
    page.cmdNext->setEnabled(enabled);
    page.MonthView->setEnabled(enabled);
    frmMain& main = page.MainWindow();
    for (QAction* item : {main.mnuVCalendar, main.mnuVNotes}) {
        item->setEnabled(enabled);
    }
    main.mnuVTimeTable->setEnabled(enabled && Globals().SetupTimeTable == 1);
}
