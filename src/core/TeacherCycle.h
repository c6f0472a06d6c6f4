#pragma once

#include <QString>

struct ProgramState;

// A teacher's day codes are run together: one character each in the six-day cycle (Cycle 0),
// three characters each in the weekday cycle. TeacherDays holds their number as text.
// The count is held to the codes the cycle text really has: a settings file from elsewhere may
// say anything.
int TeacherDayCount(const QString& teacherDays, const QString& cycleCodes, int cycle);
// Code k (from 1) of a run of codes; the empty text beyond its end.
QString CycleCode(const QString& cycleCodes, int k, int cycle);

// In a book shared by two teachers each day is painted in its teacher's colours and fonts:
// whose style the day with this code takes. 0 keeps the style that is loaded, otherwise the
// teacher's number.
int DayStyleTeacher(const ProgramState& g, const QString& code);
