#include "DayDatabase.h"

#include "Message.h"
#include "ProgramState.h"
#include "daypage/MainWindowState.h"
#include "daypage/frmSchedule.h"
#include "platform/DateText.h"

#include <QRegularExpression>

namespace {
// An open that failed leaves an empty day list and says what is wrong with which file.
void ReportOpenFailure(const DataControl& control) {
    ShowMessage(control.LastError(), 1, 4, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
}

void OpenRegKeys(frmSchedule& page) {
    page.datRegKey.setConnectionString(Globals().ConnectionString);
    page.datRegKey.setCommandType(DataControl::CommandType::Table);
    page.datRegKey.setRecordSource(QStringLiteral("RegKeys"));
    page.datRegKey.Refresh();
}
} // namespace

bool IsTeacherCriterion(const QString& criterion) {
    static const QRegularExpression piece(QStringLiteral(
        "^\\(\\(\\(QLM\\.SchoolDay\\) = '[A-Za-z0-9]{1,3}'\\)\\) (?:Or \\(\\(\\(QLM\\.SchoolDay\\) = "
        "'[A-Za-z0-9]{1,3}'\\)\\) )*$"));
    return piece.match(criterion).hasMatch();
}

QString DayQueryCriterion() {
    const ProgramState& g = Globals();
    const int current = g.CurrentTeacher == 2 ? 2 : 1;
    QString c = IsTeacherCriterion(g.TeacherCriteria[current]) ? g.TeacherCriteria[current] : QString();
    if (g.BothTeacherDays && g.TeacherNum == 2) {
        const QString first = IsTeacherCriterion(g.TeacherCriteria[1]) ? g.TeacherCriteria[1] : QString();
        const QString second = IsTeacherCriterion(g.TeacherCriteria[2]) ? g.TeacherCriteria[2] : QString();
        c = first.isEmpty() || second.isEmpty() ? first + second : first + QStringLiteral(" Or ") + second;
    }
    // Nothing to select by: the query lists no day rather than failing.
    return c.isEmpty() ? QStringLiteral("0 ") : c;
}

void RequeryDayTable() {
    const ProgramState& g = Globals();
    DataControl& days = frmSchedule::Get().datLumenleaf;
    days.setCommandType(DataControl::CommandType::Text);
    const QString criterion = DayQueryCriterion();
    // Without a criterion even the not-taught days are left out: the list is empty.
    const QString prefix = g.SchoolDays || criterion == QLatin1String("0 ") ? g.DayTableWhereSql
                                                                            : g.DayTableWithWeekendsSql;
    days.setRecordSource(prefix + criterion + QStringLiteral("ORDER BY QLM.Date;"));
    if (!days.Refresh()) {
        ReportOpenFailure(days);
    }
}

void OpenDayTable() {
    ProgramState& g = Globals();
    frmSchedule& page = frmSchedule::Get();
    page.datLumenleaf.setConnectionString(g.ConnectionString);
    RequeryDayTable();
    // A single row is the blank table of a book without a school year; an empty list or a file
    // that could not be read has nothing to work on either.
    g.BlankDataBase = page.datLumenleaf.RecordCount() <= 1 || !page.datLumenleaf.IsOpen();
    EnableDataCommands();
    OpenRegKeys(page);
}

void OpenAllDays() {
    ProgramState& g = Globals();
    frmSchedule& page = frmSchedule::Get();
    page.datLumenleaf.setConnectionString(g.ConnectionString);
    page.datLumenleaf.setCommandType(DataControl::CommandType::Text);
    page.datLumenleaf.setRecordSource(g.DayTableSql + QStringLiteral("ORDER BY QLM.Date;"));
    if (!page.datLumenleaf.Refresh()) {
        ReportOpenFailure(page.datLumenleaf);
    }
    g.BlankDataBase = true;
    EnableDataCommands();
    OpenRegKeys(page);
}

void GoToDate(const QDate& d) {
    DataControl& days = frmSchedule::Get().datLumenleaf;
    const QString s = DateToText(d);
    const bool onRow = !days.AtEOF() && !days.AtBOF();
    if (onRow && !days.Field(QStringLiteral("Date")).toString().isEmpty()) {
        const QVariant kept = days.Bookmark();
        days.MoveFirst();
        days.Find(QStringLiteral("Date>=") + s, 0, true);
        if (days.AtEOF()) {
            days.setBookmark(kept);
        }
    }
    ShowDayCode();
}

void ClearDayTable() {
    ProgramState& g = Globals();
    DataControl& days = frmSchedule::Get().datLumenleaf;
    days.setCommandType(DataControl::CommandType::Table);
    days.setRecordSource(QStringLiteral("QLM"));
    days.Refresh();
    const int n = days.RecordCount();
    if (n == 1) {
        g.BlankDataBase = true;
        return;
    }
    // One transaction: the table is emptied all at once or not at all.
    days.BeginTrans();
    days.MoveLast();
    for (int i = 0; i < n; ++i) {
        days.Delete();
        days.MoveNext();
        if (days.AtEOF()) {
            days.MovePrevious();
        }
    }
    days.CommitTrans();
    days.AddNew();
    g.BlankDataBase = true;
}
