#pragma once

#include <QDate>

// What a school day is, from the calendar that Main loads: terms, holidays and taught weekdays.
// The zero date in an unset term bound or holiday matches no real day.
bool IsHoliday(const QDate& d);
// Also sets CurrentTerm: the first term holding d, or 5 when none does.
bool IsInSchoolTerm(const QDate& d);
bool IsSchoolWeekday(const QDate& d);
bool IsDateBefore(const QDate& a, const QDate& b);
bool IsDateOnOrAfter(const QDate& a, const QDate& b);
