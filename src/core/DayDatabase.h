#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Recordset;
struct ProgramState;

// The cursors behind the day page's two data controls: the day table QLM and the settings rows
// of RegKeys. Core owns them; the day page binds its controls to them.
Recordset& DayRecords();
Recordset& RegKeyRecords();

// What the interface hears of the day table.
class DayTableListener {
public:
    virtual ~DayTableListener() = default;
    // GoToDate has settled (on a new day or where it was): the day code and calendar follow.
    virtual void DayShown() = 0;
    // The blank state may have changed: the commands that need days are enabled or disabled.
    virtual void DataCommandsChanged() = 0;
};
void SetDayTableListener(DayTableListener* listener);

// The day table: opening it for the current teacher's days or for every day, running the day
// query again, moving to a date and emptying the table for a rebuild.
void OpenDayTable();
void OpenAllDays();
void RequeryDayTable();
// Moves to the first listed day on or after d; with none, the page stays where it was.
void GoToDate(const QDate& d);
// Moves to the listed day of exactly this date; false, and the page stays, when it is not listed.
bool GoToListedDate(const QDate& d);
// The dates of the days listed now, in the list's order; the cursor stays where it is.
QList<QDate> ListedDays();
void ClearDayTable();
// The clearing step inside a caller's transaction: deletes every row of the cursor and says
// nothing on failure (LastError says why); the caller rolls back and reports.
bool DeleteDayRows(Recordset& days);
// Stores whatever is pending and lets go of the file, as the day page closes.
void CloseDayTable();
// Before the file is let go: stores what the page holds unsaved. False, with the reason, when
// the file would not take it; the teacher may then try again or leave without it.
bool StorePendingDayEdits(QString* error);
void DiscardPendingDayEdits();

// The day table's last failed store in the teacher's words: which day was not saved and why,
// that it is still on the page, and what to do.
QString DayNotSavedText(const Recordset& days);

// A teacher's criterion exactly as the set-up writes it: pieces "(((QLM.SchoolDay) = 'code')) "
// joined by "Or ". Anything else (a settings file from elsewhere may hold anything) is not run.
bool IsTeacherCriterion(const QString& criterion);
// The WHERE part of the day query for the view the state describes; "0 " (no day) when there is
// no usable criterion. *refused tells whether a criterion it needed was refused.
QString DayQueryCriterion(const ProgramState& g, bool* refused = nullptr);
// The whole day query for that view.
QString DayQueryText(const ProgramState& g, bool* refused = nullptr);
