#pragma once

#include <QDate>
#include <QString>

// The day table behind the day page: opening it for the current teacher's days or for every
// day, running the day query again, moving to a date and emptying the table for a rebuild.
void OpenDayTable();
void OpenAllDays();
void RequeryDayTable();
// Moves to the first listed day on or after d; with none, the page stays where it was.
void GoToDate(const QDate& d);
void ClearDayTable();

// A teacher's criterion exactly as the set-up writes it: pieces "(((QLM.SchoolDay) = 'code')) "
// joined by "Or ". Anything else (a settings file from elsewhere may hold anything) is not run.
bool IsTeacherCriterion(const QString& criterion);
// The WHERE part of the day query for the current view; "0 " (no day) when there is no usable
// criterion.
QString DayQueryCriterion();
