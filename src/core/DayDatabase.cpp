#include "DayDatabase.h"

#include "Message.h"
#include "ProgramState.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"

#include <QDir>
#include <QRegularExpression>
#include <QTimer>

#include <memory>
#include <utility>

namespace {
DayTableListener* g_listener = nullptr;

// The program's only two connections to the database file. They live for the run; the file
// is let go by CloseDayTable. A failed store is reported once the data operation has finished,
// not in the middle of it, and once for all the tries of one operation: an editor's OK stores
// the day, leaves it and comes back, three tries that fail alike. The day table's failures are
// told in the teacher's words.
Recordset* MakeRecords(bool days) {
    auto* records = new Recordset();
    auto queued = std::make_shared<bool>(false);
    QObject::connect(records, &Recordset::WriteFailed, records,
                     [records, days, queued](const QString& message) {
                         if (std::exchange(*queued, true)) {
                             return;
                         }
                         const QString text = days ? DayNotSavedText(*records) : message;
                         QTimer::singleShot(0, records, [text, queued] {
                             *queued = false;
                             ReportDatabaseFailure(text);
                         });
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
    static Recordset* records = MakeRecords(true);
    return *records;
}

Recordset& RegKeyRecords() {
    static Recordset* records = MakeRecords(false);
    return *records;
}

void SetDayTableListener(DayTableListener* listener) {
    g_listener = listener;
}

QString DayNotSavedText(const Recordset& days) {
    bool dated = false;
    const QDate day = TextToDate(
        days.ValueAt(days.LastFailedRow(), days.FieldIndex(QStringLiteral("Date"))).toString(), &dated);
    const QString what =
        dated
            ? QStringLiteral("Your changes to %1").arg(FormatDate(day, QStringLiteral("dddd, mmmm d, yyyy")))
            : QStringLiteral("Your changes");
    const QString file = QDir::toNativeSeparators(days.DatabasePath());
    QString why;
    QString remedy;
    switch (days.LastStoreFailure()) {
    case StoreFailure::DiskFull:
        why = QStringLiteral("the disk is full");
        remedy = QStringLiteral("Make room on the disk (delete or move files you no longer need)");
        break;
    case StoreFailure::ReadOnly:
        why = QStringLiteral("the plan book's file cannot be written to");
        remedy = QStringLiteral("Make sure that %1 and its folder can be written to (not read-only, nor on a "
                                "locked drive)")
                     .arg(file);
        break;
    case StoreFailure::DiskError:
        why = QStringLiteral("the disk could not be written to");
        remedy = QStringLiteral("Check that the drive that holds %1 is still there and working").arg(file);
        break;
    case StoreFailure::InUse:
        why = QStringLiteral("another program is using the plan book's file");
        remedy = QStringLiteral("Close that program, or wait until it has finished");
        break;
    case StoreFailure::Other:
        why = QStringLiteral("the plan book's file would not take them");
        remedy = QStringLiteral("Check that %1 is still there and can be written to").arg(file);
        break;
    }
    QString text =
        QStringLiteral("%1 could not be saved: %2.\r\n\r\nThey are still on that day's page, but not yet "
                       "in the plan book. %3, then go to another day: what was not saved is saved as you "
                       "leave a day.")
            .arg(what, why, remedy);
    // A cause without plain words keeps the engine's, for whoever helps.
    if (days.LastStoreFailure() == StoreFailure::Other && !days.LastEngineError().isEmpty()) {
        text += QStringLiteral("\r\n\r\n(%1)").arg(days.LastEngineError());
    }
    return text;
}

bool IsTeacherCriterion(const QString& criterion) {
    static const QRegularExpression piece(QStringLiteral(
        "^\\(\\(\\(QLM\\.SchoolDay\\) = '[A-Za-z0-9]{1,3}'\\)\\) (?:Or \\(\\(\\(QLM\\.SchoolDay\\) = "
        "'[A-Za-z0-9]{1,3}'\\)\\) )*$"));
    return piece.match(criterion).hasMatch();
}

QString DayQueryCriterion(const ProgramState& g, bool* refused) {
    // A criterion the set-up did not write is refused, and said so.
    bool anyRefused = false;
    auto usable = [&g, &anyRefused](int teacher) {
        const QString& criterion = g.TeacherCriteria[teacher];
        const bool ok = IsTeacherCriterion(criterion);
        anyRefused = anyRefused || !ok;
        return ok ? criterion : QString();
    };
    QString c;
    if (g.BothTeacherDays && g.TeacherNum == 2) {
        const QString first = usable(1);
        const QString second = usable(2);
        c = first.isEmpty() || second.isEmpty() ? first + second : first + QStringLiteral(" Or ") + second;
    } else {
        c = usable(g.CurrentTeacher == 2 ? 2 : 1);
    }
    if (refused) {
        *refused = anyRefused;
    }
    // Nothing to select by: the query lists no day rather than failing.
    return c.isEmpty() ? QStringLiteral("0 ") : c;
}

QString DayQueryText(const ProgramState& g, bool* refused) {
    const QString criterion = DayQueryCriterion(g, refused);
    // Without a criterion even the not-taught days are left out: the list is empty.
    const QString prefix =
        g.SchoolDays || criterion == QLatin1String("0 ") ? g.DayTableWhereSql : g.DayTableWithWeekendsSql;
    return prefix + criterion + QStringLiteral("ORDER BY QLM.Date;");
}

void RequeryDayTable() {
    const ProgramState& g = Globals();
    Recordset& days = DayRecords();
    days.setCommandType(Recordset::CommandType::Text);
    bool refused = false;
    days.setRecordSource(DayQueryText(g, &refused));
    if (!days.Refresh()) {
        ReportDatabaseFailure(days.LastError());
    } else if (refused) {
        ShowMessage(
            QStringLiteral("The school days of %1 could not be read from the settings, so no day can be "
                           "shown.\r\n\r\nPlease run the school-year Setup again (Tools > Setup).")
                .arg(g.CurrentTeacherName.isEmpty() ? QStringLiteral("the teacher")
                                                    : g.CurrentTeacherName.left(80)),
            MsgOK, MsgWarning, g.AppTitle + QStringLiteral(" - Setup"), 0);
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
    // Rows without a date meet no criterion, so the search passes over them; a table of only
    // such rows (the blank table) keeps its row.
    if (!(days.AtBOF() && days.AtEOF())) {
        const QVariant kept = days.Bookmark();
        days.MoveFirst();
        days.Find(QStringLiteral("Date>=") + DateToText(d), 0, true);
        if (days.AtEOF() && !days.setBookmark(kept)) {
            days.MoveFirst(); // it stood on no row: it never stays at the end
        }
    }
    DayShown();
}

bool GoToListedDate(const QDate& d) {
    Recordset& days = DayRecords();
    if (days.AtBOF() && days.AtEOF()) {
        return false;
    }
    const QVariant kept = days.Bookmark();
    days.MoveFirst();
    days.Find(QStringLiteral("Date=") + DateToText(d), 0, true);
    const bool found = !days.AtEOF();
    if (!found && !days.setBookmark(kept)) {
        days.MoveFirst();
    }
    DayShown();
    return found;
}

QList<QDate> ListedDays() {
    QList<QDate> days;
    for (const QVariant& value : DayRecords().Column(QStringLiteral("Date"))) {
        bool ok = false;
        const QDate day = TextToDate(value.toString(), &ok);
        // The blank row has no date, and no day to show.
        if (ok) {
            days << day;
        }
    }
    return days;
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
    // One transaction: the table is emptied all at once or not at all. The first failure
    // rolls it back and is reported once; the table and the blank state stay as they were.
    auto fail = [&days] {
        const QString reason = days.LastError();
        days.RollbackTrans();
        ReportDatabaseFailure(reason);
    };
    if (!days.BeginTrans()) {
        ReportDatabaseFailure(days.LastError());
        return;
    }
    if (!DeleteDayRows(days)) {
        fail();
        return;
    }
    // The table is never left without its blank row, even if no rebuild follows; the rebuild
    // fills it, and the next add or move stores what it wrote.
    days.AddNew();
    if (!days.Update() || !days.CommitTrans()) {
        fail();
        return;
    }
    g.BlankDataBase = true;
}

bool DeleteDayRows(Recordset& days) {
    // From the last row backwards, as the rows go.
    const int n = days.RecordCount();
    days.MoveLast();
    for (int i = 0; i < n; ++i) {
        if (!days.Delete()) {
            return false;
        }
        days.MoveNext();
        if (days.AtEOF()) {
            days.MovePrevious();
        }
    }
    return true;
}

bool StorePendingDayEdits(QString* error) {
    for (Recordset* records : {&DayRecords(), &RegKeyRecords()}) {
        if (records->IsOpen() && !records->StorePending()) {
            if (error) {
                *error = records->LastError();
            }
            return false;
        }
    }
    return true;
}

void DiscardPendingDayEdits() {
    DayRecords().DiscardChanges();
    RegKeyRecords().DiscardChanges();
}

void CloseDayTable() {
    DayRecords().Close();
    RegKeyRecords().Close();
}
