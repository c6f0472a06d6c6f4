#include "MainWindowState.h"

#include "core/ProgramState.h"
#include "frmMain.h"
#include "frmSchedule.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QToolButton>

namespace {
int WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
} // namespace

void UpdateTeacherInfo() {
    ProgramState& g = Globals();
    frmMain& main = frmMain::Get();
    main.setWindowTitle(g.AppTitle + QStringLiteral(" - ") + g.CurrentTeacherName + QStringLiteral(" - ") +
                        g.DBaseFileName.mid(1));
    main.StatusPanel(QStringLiteral("TeacherName"))->setText(QStringLiteral("Teacher: ") + g.CurrentTeacherName);
    if (g.SetupUser == 0) {
        return;
    }
    if (g.Cycle != 0 && g.Cycle != 1) {
        return;
    }
    const int width = g.Cycle == 0 ? 1 : 3;
    for (int t = 1; t <= g.TeacherNum && t <= 2; ++t) {
        QString list;
        const int count = WholeNumber(g.TeacherDays[t]);
        for (int i = 1; i <= count; ++i) {
            list += g.TeacherCycle[t].mid((i - 1) * width, width);
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
