#include "TeacherCycle.h"

int TeacherDayCount(const QString& teacherDays) {
    bool ok = false;
    const int value = teacherDays.trimmed().toInt(&ok);
    return ok ? value : 0; // a count that is not a number counts no day
}

QString CycleCode(const QString& cycleCodes, int k, int cycle) {
    const int width = cycle == 0 ? 1 : 3;
    return cycleCodes.mid((k - 1) * width, width);
}
