#include "core/SuppliedDatabase.h"
#include "platform/BoundControls.h"
#include "platform/DataControl.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Direct access to the file, beside the data control under test.
class Probe {
public:
    explicit Probe(const QString& path) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~Probe() {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
    }
    bool exec(const QString& sql) {
        QSqlQuery query(m_db);
        return query.exec(sql);
    }
    QVariant value(const QString& sql) {
        QSqlQuery query(m_db);
        query.exec(sql);
        return query.next() ? query.value(0) : QVariant();
    }
    int count() { return value(QStringLiteral("SELECT count(*) FROM QLM")).toInt(); }

private:
    QSqlDatabase m_db;
};

QString Connection(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False")
        .arg(path);
}
} // namespace

class DataControlTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    // Five dated rows, inserted out of order so the query's ORDER BY matters.
    void fillFiveDays() {
        Probe probe(m_path);
        probe.exec(QStringLiteral("DELETE FROM QLM"));
        for (const char* date : {"2026-09-03", "2026-09-01", "2026-09-07", "2026-09-02", "2026-09-04"}) {
            probe.exec(QStringLiteral("INSERT INTO QLM (Date, SchoolDay, Notes) VALUES ('%1', '1', 'n %1')")
                           .arg(QLatin1String(date)));
        }
    }

    void openDays(DataControl& control) {
        control.setConnectionString(Connection(m_path));
        control.setCommandType(DataControl::CommandType::Text);
        control.setRecordSource(
            QStringLiteral("SELECT QLM.Date, QLM.SchoolDay, QLM.Notes From QLM ORDER BY QLM.Date;"));
        QVERIFY(control.Refresh());
    }

private Q_SLOTS:
    void init() {
        m_path = m_dir.path() + QStringLiteral("/QLM.mdb");
        QFile::remove(m_path);
        QVERIFY(CreateSuppliedDatabase(m_path));
    }

    void cursorMovesAndStopsAtTheEnds() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-01"));
        QCOMPARE(days.AbsolutePosition(), 1);
        QVERIFY(!days.AtBOF() && !days.AtEOF());
        QVERIFY(days.MovePrevious());
        QVERIFY(days.AtBOF());
        QCOMPARE(days.AbsolutePosition(), DataControl::adPosBOF);
        QVERIFY(!days.MovePrevious()); // nothing before BOF
        QVERIFY(days.MoveLast());
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-07"));
        QCOMPARE(days.AbsolutePosition(), 5);
        QVERIFY(days.MoveNext());
        QVERIFY(days.AtEOF());
        QVERIFY(!days.MoveNext());
        QCOMPARE(days.RecordCount(), 5); // exact wherever the cursor stands
    }

    void emptyResultIsBothBofAndEof() {
        Probe(m_path).exec(QStringLiteral("DELETE FROM QLM"));
        DataControl days;
        openDays(days);
        QCOMPARE(days.RecordCount(), 0);
        QVERIFY(days.AtBOF());
        QVERIFY(days.AtEOF());
        QVERIFY(!days.Bookmark().isValid());
    }

    void findComparesDates_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<int>("skip");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("expected"); // "EOF"/"BOF" when none meets it
        QTest::newRow("on or after, exact") << "Date>=2026-09-03" << 0 << true << "2026-09-03";
        QTest::newRow("on or after, a gap") << "Date>=2026-09-05" << 0 << true << "2026-09-07";
        QTest::newRow("after the last") << "Date>=2026-09-08" << 0 << true << "EOF";
        QTest::newRow("equal") << "Date=2026-09-04" << 0 << true << "2026-09-04";
        QTest::newRow("equal, missing") << "Date=2026-09-05" << 0 << true << "EOF";
        QTest::newRow("skip the current row") << "Date>=2026-09-01" << 1 << true << "2026-09-02";
        QTest::newRow("backwards") << "Date<=2026-09-05" << 0 << false << "2026-09-04";
        QTest::newRow("backwards, none") << "Date<2026-09-01" << 0 << false << "BOF";
        QTest::newRow("quoted and bracketed") << "[Date] >= #2026-09-02#" << 0 << true << "2026-09-02";
    }
    void findComparesDates() {
        QFETCH(QString, criterion);
        QFETCH(int, skip);
        QFETCH(bool, forward);
        QFETCH(QString, expected);
        fillFiveDays();
        DataControl days;
        openDays(days);
        if (!forward) {
            days.MoveLast();
        }
        QSignalSpy moves(&days, &DataControl::MoveComplete);
        QVERIFY(days.Find(criterion, skip, forward));
        QCOMPARE(moves.count(), 1);
        if (expected == QLatin1String("EOF")) {
            QVERIFY(days.AtEOF());
        } else if (expected == QLatin1String("BOF")) {
            QVERIFY(days.AtBOF());
        } else {
            QCOMPARE(days.Field(QStringLiteral("Date")).toString(), expected);
        }
    }

    void findRejectsWhatItCannotRead() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        days.MoveLast();
        QVERIFY(!days.Find(QStringLiteral("Nonsense")));
        QVERIFY(!days.Find(QStringLiteral("NoSuchField=1")));
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-07"));
    }

    void bookmarksReturnToTheirRow() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        days.MoveNext();
        days.MoveNext();
        const QVariant mark = days.Bookmark();
        days.MoveLast();
        QVERIFY(days.setBookmark(mark));
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-03"));
        QCOMPARE(days.AbsolutePosition(), 3);
    }

    void newRowsAreStoredOnlyWithContent() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        QVERIFY(days.AddNew());
        QCOMPARE(days.RecordCount(), 6);
        days.MoveFirst(); // left untouched: dropped
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(Probe(m_path).count(), 5);

        QVERIFY(days.AddNew());
        QVERIFY(days.setField(QStringLiteral("Date"), QDate(2026, 9, 8)));
        QVERIFY(days.setField(QStringLiteral("Notes"), QStringLiteral("added")));
        QVERIFY(days.AddNew()); // stores the filled row, opens another
        days.MoveFirst();
        Probe probe(m_path);
        QCOMPARE(probe.count(), 6);
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-08'")).toString(),
                 QStringLiteral("added"));

        // An explicit Update stores a new row even when nothing was written into it.
        days.AddNew();
        QVERIFY(days.Update());
        QCOMPARE(probe.count(), 7);
    }

    void deleteKeepsTheCursorUntilItMoves() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        days.MoveNext(); // 09-02
        QVERIFY(days.Delete());
        QCOMPARE(days.RecordCount(), 4);
        QVERIFY(!days.AtEOF());
        days.MoveNext();
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-03"));
        days.MovePrevious();
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-01"));
        QCOMPARE(Probe(m_path).count(), 4);

        // Deleting from the last row backwards empties the table.
        const int n = days.RecordCount();
        days.MoveLast();
        for (int i = 0; i < n; ++i) {
            QVERIFY(days.Delete());
            days.MoveNext();
            if (days.AtEOF()) {
                days.MovePrevious();
            }
        }
        QCOMPARE(days.RecordCount(), 0);
        QVERIFY(days.AtBOF() && days.AtEOF());
        QCOMPARE(Probe(m_path).count(), 0);
    }

    void rollbackPutsTheRowsBack() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        QVERIFY(days.BeginTrans());
        days.Delete();
        days.MoveNext();
        days.Delete();
        QVERIFY(days.RollbackTrans());
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(Probe(m_path).count(), 5);
    }

    void boundControlsShowAndStoreTheirField() {
        fillFiveDays();
        DataControl days;
        BoundLabel date;
        BoundMemo notes;
        days.Bind(&date, QStringLiteral("Date"));
        days.Bind(&notes, QStringLiteral("Notes"));
        openDays(days);
        QCOMPARE(date.Caption(), QStringLiteral("2026-09-01"));
        days.MoveNext();
        QCOMPARE(notes.Text(), QStringLiteral("n 2026-09-02"));

        // An edit goes to the row it was made on when the row is left.
        notes.setText(QStringLiteral("Bring the atlas"));
        days.MoveNext();
        Probe probe(m_path);
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-02'")).toString(),
                 QStringLiteral("Bring the atlas"));
        QCOMPARE(notes.Text(), QStringLiteral("n 2026-09-03"));

        // Typing straight into the box (no setter) counts as well, and Update stores it.
        notes.setPlainText(QStringLiteral("typed"));
        QVERIFY(days.Update());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-03'")).toString(),
                 QStringLiteral("typed"));
    }

    void aPendingEditIsStoredWhenTheControlCloses() {
        fillFiveDays();
        {
            DataControl days;
            BoundMemo notes;
            days.Bind(&notes, QStringLiteral("Notes"));
            openDays(days);
            notes.Text();
            notes.setPlainText(QStringLiteral("written at exit"));
            days.Close();
        }
        QCOMPARE(
            Probe(m_path).value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
            QStringLiteral("written at exit"));

        // The control going away before the data control still hands its edit over.
        DataControl days;
        openDays(days);
        {
            BoundMemo notes;
            days.Bind(&notes, QStringLiteral("Notes"));
            days.RefreshBoundControls();
            notes.setPlainText(QStringLiteral("edited, then the box closed"));
        }
        days.Close();
        QCOMPARE(
            Probe(m_path).value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
            QStringLiteral("edited, then the box closed"));
    }

    void movingWithoutEditsWritesNothing() {
        fillFiveDays();
        Probe probe(m_path);
        probe.exec(QStringLiteral("UPDATE QLM SET Notes = NULL WHERE Date = '2026-09-01'"));
        probe.exec(QStringLiteral("UPDATE QLM SET Notes = 'line one\r\nline two' WHERE Date = '2026-09-02'"));
        DataControl days;
        BoundMemo notes;
        BoundLabel date;
        days.Bind(&notes, QStringLiteral("Notes"));
        days.Bind(&date, QStringLiteral("Date"));
        openDays(days);
        for (int i = 0; i < 3; ++i) {
            days.RefreshBoundControls();
            days.MoveNext();
        }
        days.Close();
        // A Null stays Null, and line breaks the box shows differently are not rewritten.
        QVERIFY(
            probe.value(QStringLiteral("SELECT Notes IS NULL FROM QLM WHERE Date = '2026-09-01'")).toBool());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-02'")).toString(),
                 QStringLiteral("line one\r\nline two"));
    }

    void aFailedWriteIsReported() {
        fillFiveDays();
        DataControl days;
        openDays(days);
        QSignalSpy failures(&days, &DataControl::WriteFailed);
        Probe(m_path).exec(QStringLiteral("ALTER TABLE QLM RENAME TO Gone"));
        days.setField(QStringLiteral("Notes"), QStringLiteral("lost?"));
        QVERIFY(!days.Update());
        QCOMPARE(failures.count(), 1);
        QVERIFY(failures.first().first().toString().contains(m_path));
        QCOMPARE(days.LastErrorKind(), DataControl::ErrorKind::WriteFailed);
    }

    void unusableFilesAreReportedAndLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not a database") << "text";
        QTest::newRow("no day table") << "notable";
    }
    void unusableFilesAreReportedAndLeftAlone() {
        QFETCH(QString, kind);
        const QString path = m_dir.path() + QStringLiteral("/Other.mdb");
        QFile::remove(path);
        QByteArray before;
        if (kind == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            before = QByteArray("This is a letter to parents, not a database.\n").repeated(20);
            file.write(before);
        } else if (kind == QLatin1String("notable")) {
            {
                Probe probe(path);
                probe.exec(QStringLiteral("CREATE TABLE Other (x)"));
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            before = file.readAll();
        }
        DataControl days;
        days.setConnectionString(Connection(path));
        days.setRecordSource(QStringLiteral("SELECT QLM.Date From QLM ORDER BY QLM.Date;"));
        QVERIFY(!days.Refresh());
        QVERIFY(days.LastError().contains(path));
        QCOMPARE(days.RecordCount(), 0);
        QVERIFY(days.AtEOF() && days.AtBOF());
        if (kind == QLatin1String("missing")) {
            QCOMPARE(days.LastErrorKind(), DataControl::ErrorKind::FileMissing);
            QVERIFY(!QFile::exists(path)); // no empty database in its place
        } else {
            QCOMPARE(days.LastErrorKind(), kind == QLatin1String("text")
                                               ? DataControl::ErrorKind::NotADatabase
                                               : DataControl::ErrorKind::MissingTable);
            days.Close();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
    }
};

QTEST_MAIN(DataControlTest)
#include "tst_datacontrol.moc"
