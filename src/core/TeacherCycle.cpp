#include "TeacherCycle.h"

#include "ProgramState.h"

int TeacherDayCount(const QString& teacherDays, const QString& cycleCodes, int cycle) {
    bool ok = false;
    const qlonglong value = teacherDays.trimmed().toLongLong(&ok);
    const qsizetype codes = cycleCodes.size() / (cycle == 0 ? 1 : 3);
    // A count that is not a number counts no day.
    return ok ? static_cast<int>(qBound<qlonglong>(0, value, codes)) : 0;
}

QString CycleCode(const QString& cycleCodes, int k, int cycle) {
    const int width = cycle == 0 ? 1 : 3;
    return cycleCodes.mid((k - 1) * width, width);
}

int DayStyleTeacher(const ProgramState& g, const QString& code) {
    if (code.isEmpty()) {
        return 0;
    }
    if (!g.BothTeacherDays && g.TeacherNum != 2) {
        return 0; // one teacher keeps the style loaded at log-on
    }
    const int current = g.CurrentTeacher == 2 ? 2 : 1;
    if (code == QLatin1String("x")) {
        return current;
    }
    const int other = current == 1 ? 2 : 1;
    if (g.Cycle != 0 && g.Cycle != 1) {
        return other;
    }
    const int teachers = qBound(0, g.TeacherNum, 2);
    for (int t = 1; t <= teachers; ++t) {
        const int days = TeacherDayCount(g.TeacherDays[t], g.TeacherCycle[t], g.Cycle);
        for (int k = 1; k <= days; ++k) {
            const QString mine = CycleCode(g.TeacherCycle[current], k, g.Cycle);
            if (!mine.isEmpty() && mine == code) {
                return current;
            }
            const QString theirs = CycleCode(g.TeacherCycle[other], k, g.Cycle);
            if (!theirs.isEmpty() && theirs == code) {
                return other;
            }
        }
    }
    return other;
}
