#include "CalendarRules.h"

#include "ProgramState.h"

bool IsHoliday(const SchoolCalendar& calendar, const QDate& d) {
    for (int i = 1; i <= 20; ++i) {
        if (calendar.Holidays[i].isValid() && calendar.Holidays[i] == d) {
            return true;
        }
    }
    return false;
}

int SchoolTermOf(const SchoolCalendar& calendar, const QDate& d) {
    for (int i = 1; i <= 4; ++i) {
        const QDate& start = calendar.TermStart[i];
        const QDate& end = calendar.TermEnd[i];
        if (start.isValid() && end.isValid() && start <= d && d <= end) {
            return i;
        }
    }
    return 5;
}

bool IsSchoolWeekday(const SchoolCalendar& calendar, const QDate& d) {
    const int w = d.dayOfWeek() % 7 + 1; // Sunday = 1
    return calendar.WkDay.mid((w - 1) * 3, 3) != QLatin1String("xxx");
}

bool IsHoliday(const QDate& d) {
    return IsHoliday(Globals(), d);
}

bool IsInSchoolTerm(const QDate& d) {
    ProgramState& g = Globals();
    g.CurrentTerm = SchoolTermOf(g, d);
    return g.CurrentTerm != 5;
}

bool IsSchoolWeekday(const QDate& d) {
    return IsSchoolWeekday(Globals(), d);
}

bool IsDateBefore(const QDate& a, const QDate& b) {
    return a < b;
}

bool IsDateOnOrAfter(const QDate& a, const QDate& b) {
    return !(a < b);
}
