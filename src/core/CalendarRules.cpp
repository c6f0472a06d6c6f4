#include "CalendarRules.h"

#include "ProgramState.h"

bool IsHoliday(const QDate& d) {
    const ProgramState& g = Globals();
    for (int i = 1; i <= 20; ++i) {
        if (g.Holidays[i].isValid() && g.Holidays[i] == d) {
            return true;
        }
    }
    return false;
}

bool IsInSchoolTerm(const QDate& d) {
    ProgramState& g = Globals();
    for (int i = 1; i <= 4; ++i) {
        if (g.TermStart[i].isValid() && g.TermEnd[i].isValid() && g.TermStart[i] <= d && d <= g.TermEnd[i]) {
            g.CurrentTerm = i;
            return true;
        }
    }
    g.CurrentTerm = 5;
    return false;
}

bool IsSchoolWeekday(const QDate& d) {
    const int w = d.dayOfWeek() % 7 + 1; // Sunday = 1
    return Globals().WkDay.mid((w - 1) * 3, 3) != QLatin1String("xxx");
}

bool IsDateBefore(const QDate& a, const QDate& b) {
    return a < b;
}

bool IsDateOnOrAfter(const QDate& a, const QDate& b) {
    return !(a < b);
}
