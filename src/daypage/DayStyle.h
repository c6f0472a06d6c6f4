#pragma once

#include <QString>

// In a book shared by two teachers each day is painted in its teacher's colours and fonts.
// DayStyleTeacher decides whose style the day with this code takes: 0 keeps the style that is
// loaded, otherwise the teacher's number.
int DayStyleTeacher(const QString& code);
// Reads teacher t's colours and fonts into the style arrays.
void LoadStyleArrays(int teacher);
void LoadDayTeacherStyle();
// Paints the style arrays onto the main window, the day page, its panels and the timetable.
void ApplyDayStyle();
