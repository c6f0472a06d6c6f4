#pragma once

#include <QDate>

struct SchoolCalendar;

// What a school day is, from the calendar that Main loads: terms, holidays and taught weekdays.
// The zero date in an unset term bound or holiday matches no real day.
bool IsHoliday(const SchoolCalendar& calendar, const QDate& d);
// The first term holding d (1..4), or 5 when none does.
int SchoolTermOf(const SchoolCalendar& calendar, const QDate& d);
bool IsSchoolWeekday(const SchoolCalendar& calendar, const QDate& d);

// The same questions of the program's calendar. IsInSchoolTerm also sets CurrentTerm.
bool IsHoliday(const QDate& d);
bool IsInSchoolTerm(const QDate& d);
bool IsSchoolWeekday(const QDate& d);
bool IsDateBefore(const QDate& a, const QDate& b);
bool IsDateOnOrAfter(const QDate& a, const QDate& b);
