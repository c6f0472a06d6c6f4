#pragma once

#include "YearRebuild.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>

struct ProgramState;

// Everything the set-up wizard saves at Finish, as its four steps hold it. A date that a picker
// does not hold is an invalid date.
struct SetupValues {
    // Step 1: mode and preserve options. A range end without a date leaves the saved one.
    int SetupMode = 0;
    int PreserveMode = 0;
    std::array<int, 5> PreserveTerms{};
    std::array<QDate, 2> PreserveRange;

    // Step 2: users and cycle (codes and counts as the teachers' boxes built them).
    int TeacherNum = 1;
    int Cycle = 0;
    std::array<QString, 3> TeacherNames;
    std::array<QString, 3> WorkDayCodes;
    std::array<QString, 3> WorkDayCounts;
    std::array<QString, 3> TeacherQuery; // the day criterion of each teacher chosen

    // Step 4: the timetable and the taught weekdays.
    QString WkDay;
    int IgnoreTimeTable = 0;
    std::array<QString, 8> Headers; // 1..7
    TimeTableTexts TimeTable;

    // Step 3: the school year's dates.
    std::array<QDate, 5> TermStart;
    std::array<QDate, 5> TermEnd;
    std::array<QDate, 21> Holidays;
    int IgnoreHolidays = 0;
    int IgnoreInservices = 0;
    int TermCount = 0; // terms in use when the step was loaded
};

// The calendar and rules the new year is built from, without touching the program's state.
RebuildRequest RebuildRequestFor(const SetupValues& values, const ProgramState& g);
// The savers' program-wide values: mode, users (and the day queries), timetable, dates.
void ApplySetupValues(const SetupValues& values, ProgramState& g);
// Writes the settings in the order mode, users, timetable, school-year dates, in one write of
// the settings file. False when it could not be written (reported once by the store).
bool SaveSetupSettings(const SetupValues& values, const ProgramState& g);

// Finish without its window: the new settings are written beside the settings file, the day
// table is rebuilt, and only once both are done does the table commit, the settings file take
// the new settings and the program-wide values change. False, with nothing changed, when either
// failed (one message has said which). When the settings file cannot take them after the commit,
// the year stands all the same: the program goes on with the new values, a message says what
// happened, and the next start puts the settings in place (SettleInterruptedFinish); true then,
// with settingsSaved false: that message stands in for the one that says all went well.
// keptCopy names the copy of the book that keeps the entries the new year lost (empty: none).
bool FinishSetup(const SetupValues& values, const std::function<void(RebuildStage)>& progress = {},
                 bool* settingsSaved = nullptr, QString* keptCopy = nullptr);

// Start-up, before the settings are read: the settings of a Finish cut short between its table
// and its settings file go in place when the day table holds that Finish, and are dropped when
// it does not. A settings file written since they were staged is never replaced by them: the
// Finish's own settings join it, and the others saved in between stay.
void SettleInterruptedFinish();
