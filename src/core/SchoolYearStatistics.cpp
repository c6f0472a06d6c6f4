#include "SchoolYearStatistics.h"

#include "CalendarRules.h"
#include "DayDatabase.h"
#include "ProgramState.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"

bool IsSchoolDayCode(const QString& code) {
    static const QStringList codes{QStringLiteral("1"),   QStringLiteral("2"),   QStringLiteral("3"),
                                   QStringLiteral("4"),   QStringLiteral("5"),   QStringLiteral("6"),
                                   QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                                   QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                                   QStringLiteral("Sat")};
    return codes.contains(code, Qt::CaseSensitive);
}

SchoolYearStatistics ComputeSchoolYearStatistics(const QList<ListedDay>& days, const SchoolCalendar& calendar,
                                                 const QDate& today) {
    SchoolYearStatistics s;
    s.totalDays = static_cast<int>(days.size());
    if (days.isEmpty()) {
        return s;
    }
    s.firstDay = days.first().date;
    s.lastDay = days.last().date;
    int onOrAfterToday = -1; // index of the first listed day on or after today
    for (int i = 0; i < s.totalDays; ++i) {
        const ListedDay& day = days[i];
        const int term = SchoolTermOf(calendar, day.date);
        if (term >= 1 && term <= 4 && IsSchoolDayCode(day.code)) {
            ++s.monthDays[day.date.month()];
            ++s.termDays[term];
        }
        if (onOrAfterToday < 0 && day.date >= today) {
            onOrAfterToday = i;
        }
    }
    for (int t = 1; t <= 4; ++t) {
        s.totalSchoolDays += s.termDays[t];
    }
    // Before the first listed day nothing is behind; after the last, everything is. In between,
    // the day on or next after today counts as begun, as the day page shows it.
    if (today < s.firstDay) {
        s.past = 0;
    } else if (onOrAfterToday < 0) {
        s.past = s.totalDays;
    } else {
        s.past = onOrAfterToday + 1;
    }
    s.ahead = s.totalDays - s.past;
    return s;
}

QList<ListedDay> ReadListedDays() {
    QList<ListedDay> days;
    Recordset& records = DayRecords();
    if (records.AtBOF() && records.AtEOF()) {
        return days;
    }
    const QVariant kept = records.Bookmark();
    days.reserve(records.RecordCount());
    const int dateField = records.FieldIndex(QStringLiteral("Date"));
    const int codeField = records.FieldIndex(QStringLiteral("SchoolDay"));
    for (records.MoveFirst(); records.HasCurrentRow(); records.MoveNext()) {
        // The blank row of an empty book has no date and is no day of the year.
        const QDate date = TextToDate(records.FieldAt(dateField).toString());
        if (date.isValid()) {
            days.append({date, records.FieldAt(codeField).toString()});
        }
    }
    if (!records.setBookmark(kept)) {
        records.MoveFirst();
    }
    return days;
}
