#include "DayDatabase.h"

#include "Message.h"
#include "ProgramState.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"

#include <QRegularExpression>
#include <QTimer>

namespace {
DayTableListener* g_listener = nullptr;

// The program's only two connections to the database file. They live for the run; the file
// is let go by CloseDayTable.
Recordset* MakeRecords() {
    auto* records = new Recordset();
    QObject::connect(records, &Recordset::WriteFailed, records, [records](const QString& message) {
        // Shown once the data operation has finished, not in the middle of it.
        QTimer::singleShot(0, records, [message] { ReportDatabaseFailure(message); });
    });
    return records;
}

void DayShown() {
    if (g_listener) {
        g_listener->DayShown();
    }
}

void DataCommandsChanged() {
    if (g_listener) {
        g_listener->DataCommandsChanged();
    }
}

void OpenRegKeys() {
    Recordset& keys = RegKeyRecords();
    keys.setConnectionString(Globals().ConnectionString);
    keys.setCommandType(Recordset::CommandType::Table);
    keys.setRecordSource(QStringLiteral("RegKeys"));
    keys.Refresh();
}
} // namespace

Recordset& DayRecords() {
    static Recordset* records = MakeRecords();
    return *records;
}

Recordset& RegKeyRecords() {
    static Recordset* records = MakeRecords();
    return *records;
}

void SetDayTableListener(DayTableListener* listener) {
    g_listener = listener;
}

bool IsTeacherCriterion(const QString& criterion) {
    static const QRegularExpression piece(QStringLiteral(
        "^\\(\\(\\(QLM\\.SchoolDay\\) = '[A-Za-z0-9]{1,3}'\\)\\) (?:Or \\(\\(\\(QLM\\.SchoolDay\\) = "
        "'[A-Za-z0-9]{1,3}'\\)\\) )*$"));
    return piece.match(criterion).hasMatch();
}

QString DayQueryCriterion(const ProgramState& g) {
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

QString DayQueryText(const ProgramState& g) {
    const QString criterion = DayQueryCriterion(g);
    // Without a criterion even the not-taught days are left out: the list is empty.
    const QString prefix =
        g.SchoolDays || criterion == QLatin1String("0 ") ? g.DayTableWhereSql : g.DayTableWithWeekendsSql;
    return prefix + criterion + QStringLiteral("ORDER BY QLM.Date;");
}

void RequeryDayTable() {
    Recordset& days = DayRecords();
    days.setCommandType(Recordset::CommandType::Text);
    days.setRecordSource(DayQueryText(Globals()));
    if (!days.Refresh()) {
        ReportDatabaseFailure(days.LastError());
    }
}

void OpenDayTable() {
    ProgramState& g = Globals();
    Recordset& days = DayRecords();
    days.setConnectionString(g.ConnectionString);
    RequeryDayTable();
    // A single row is the blank table of a book without a school year; an empty list or a file
    // that could not be read has nothing to work on either.
    g.BlankDataBase = days.RecordCount() <= 1 || !days.IsOpen();
    DataCommandsChanged();
    OpenRegKeys();
}

void OpenAllDays() {
    ProgramState& g = Globals();
    Recordset& days = DayRecords();
    days.setConnectionString(g.ConnectionString);
    days.setCommandType(Recordset::CommandType::Text);
    days.setRecordSource(g.DayTableSql + QStringLiteral("ORDER BY QLM.Date;"));
    if (!days.Refresh()) {
        ReportDatabaseFailure(days.LastError());
    }
    g.BlankDataBase = true;
    DataCommandsChanged();
    OpenRegKeys();
}

void GoToDate(const QDate& d) {
    Recordset& days = DayRecords();
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
    DayShown();
}

void ClearDayTable() {
    ProgramState& g = Globals();
    Recordset& days = DayRecords();
    days.setCommandType(Recordset::CommandType::Table);
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

void CloseDayTable() {
    DayRecords().Close();
    RegKeyRecords().Close();
}
