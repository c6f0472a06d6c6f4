#pragma once

#include <QString>

// A teacher's day codes are run together: one character each in the six-day cycle (Cycle 0),
// three characters each in the weekday cycle. TeacherDays holds their number as text.
int TeacherDayCount(const QString& teacherDays);
// Code k (from 1) of a run of codes; the empty text beyond its end.
QString CycleCode(const QString& cycleCodes, int k, int cycle);
