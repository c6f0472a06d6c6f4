#pragma once

class frmSchedule;

// In a book shared by two teachers each day is painted in its teacher's colours and fonts.
// LoadDayTeacherStyle loads the style of the shown day's teacher into the style arrays;
// ApplyDayStyle paints the arrays onto the main window, the day page, its panels and the
// timetable.
void LoadDayTeacherStyle(frmSchedule& page);
void ApplyDayStyle(frmSchedule& page);
