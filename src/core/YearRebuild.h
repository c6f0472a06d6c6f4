#pragma once

#include "ProgramState.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class Recordset;

// One day record as the rebuild writes it; rows count from 0 (Time[0] is the field Time1). An
// empty text is stored as no value.
struct DayValues {
    QDate Date;
    QString SchoolDay;
    std::array<QString, 12> Time;
    std::array<QString, 12> Subject;
    std::array<QString, 12> Details;
    QString Notes;
};

// The timetable of the set-up: one time per lesson row, a subject per column and row, both
// numbered from 1 as their settings keys are ("Time3", "Subject312" is column 3, row 12).
struct TimeTableTexts {
    std::array<QString, 13> Time;
    std::array<std::array<QString, 13>, 8> Subject;
};
// The timetable as saved in "Settings\TimeTable"; missing keys read as empty text.
TimeTableTexts ReadTimeTable();

// Which old entries a rebuild keeps, and where the new timetable applies.
struct PreserveRules {
    int SetupMode = 0;    // 0 New School Year, 1 TimeTable Change, 2 Corrective Action
    int PreserveMode = 0; // TimeTable Change: 0 by terms, 1 by date range
    std::array<int, 5> PreserveTerms{};
    std::array<QDate, 2> PreserveRange;
    int TermCount = 0; // terms in use
};

// The school year runs from the start of term 1 to the end of the last term in use.
QDate SchoolYearStartOf(const SchoolCalendar& calendar);
QDate SchoolYearEndOf(const SchoolCalendar& calendar);

// The timetable column of a taught weekday: its place among the taught weekdays, from Sunday.
int TimeTableColumn(const QString& wkDay, const QDate& d);
void FillDayFromTimeTable(DayValues& day, const TimeTableTexts& timetable, int column);
void ClearDayTimeTable(DayValues& day);

// One record for every date from start to end, with its day code and, on school days, the
// timetable's times and subjects. The six-day counter runs on through the whole year.
std::vector<DayValues> ComputeSchoolYear(const SchoolCalendar& calendar, const QDate& start, const QDate& end,
                                         const TimeTableTexts& timetable);

// The old table's entries, held from before the rebuild until they are written back. Entries
// count from 1 to PreservedCount (index 0 holds nothing); rows r = 0..11 are the fields r + 1.
// A field that held nothing is kept as empty text.
struct PreservedEntries {
    using Rows = std::array<QString, 12>;
    int PreservedCount = 0;
    std::vector<QDate> PreservedDate{QDate()};
    std::vector<QString> PreservedNotes{QString()};
    std::vector<Rows> PreservedTime{Rows{}};
    std::vector<Rows> PreservedSubject{Rows{}};
    std::vector<Rows> PreservedDetails{Rows{}};
};
// Appends one day's entries to the store as entry PreservedCount + 1.
void PreserveDay(PreservedEntries& preserved, const DayValues& day);
// Every record of the cursor, first to last.
PreservedEntries SavePreservedEntries(Recordset& days);
// Writes entry `index`'s Notes and Details (and with keepTimeTable its Time and Subject) into
// the new record of its date; a date the new year no longer has is dropped.
void RestoreDayEntries(std::vector<DayValues>& year, const PreservedEntries& preserved, int index,
                       bool keepTimeTable);
void RestorePreservedEntries(std::vector<DayValues>& year, const PreservedEntries& preserved,
                             const SchoolCalendar& calendar, const PreserveRules& rules);
// Whether the new year loses entries of the old table: Notes or Details of a day that it does
// not carry (of every day, when the rules restore nothing).
bool DropsEntries(const PreservedEntries& preserved, const std::vector<DayValues>& year,
                  const PreserveRules& rules);

// The day cursor over every record in date order.
bool SetDayTableOrder();
// Replaces every row of the cursor with these records, inside the caller's transaction. An
// empty year leaves the single blank row. False at the first failure (LastError says why).
bool WriteDayRecords(Recordset& days, const std::vector<DayValues>& year);

struct RebuildRequest {
    SchoolCalendar Calendar;
    QDate SchoolYearStart;
    QDate SchoolYearEnd;
    TimeTableTexts TimeTable;
    PreserveRules Rules;
};
// Writing and Updating come before their work; Failed before the failure is reported.
enum class RebuildStage { Writing, Updating, Failed };

// Finish's rebuild of the day table: the old entries are read, the new year is written and the
// kept entries are put back, all in one transaction. On failure nothing has changed (the table,
// the cursor's view and BlankDataBase are as they were) and the teacher has been told once.
// beforeCommit, when given, runs once the rows are written and before they are committed: when
// it fails, its message is the one the teacher is shown and the table is rolled back.
// A rebuild that loses entries first keeps the book as it was in the program folder, under a
// kept copy's name (given in keptCopy; empty when none was needed); without that copy nothing is
// rebuilt.
bool RebuildDayTable(const RebuildRequest& request, const std::function<void(RebuildStage)>& progress = {},
                     const std::function<bool(QString* message)>& beforeCommit = {},
                     QString* keptCopy = nullptr);
// The request that the saved settings describe (what the benchmark's reviewer mode runs).
RebuildRequest RebuildRequestFromSettings(const ProgramState& g);
