#include "core/SuppliedDatabase.h"
#include "platform/Recordset.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class RecordsetTest : public QObject {
    Q_OBJECT

    ScratchDatabase m_scratch;
    QString m_path;

    void fillFiveDays() { FillFiveDays(m_path); }
    void openDays(Recordset& days) { QVERIFY(OpenFiveDays(days, m_path)); }

private Q_SLOTS:
    void init() { m_path = m_scratch.Fresh(); }

    void cursorMovesAndStopsAtTheEnds() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-01"));
        QCOMPARE(days.AbsolutePosition(), 1);
        QVERIFY(!days.AtBOF() && !days.AtEOF());
        QVERIFY(days.MovePrevious());
        QVERIFY(days.AtBOF());
        QCOMPARE(days.AbsolutePosition(), Recordset::adPosBOF);
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
        DatabaseProbe(m_path).exec(QStringLiteral("DELETE FROM QLM"));
        Recordset days;
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
        Recordset days;
        openDays(days);
        if (!forward) {
            days.MoveLast();
        }
        QSignalSpy moves(&days, &Recordset::MoveComplete);
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
        Recordset days;
        openDays(days);
        days.MoveLast();
        QVERIFY(!days.Find(QStringLiteral("Nonsense")));
        QVERIFY(!days.Find(QStringLiteral("NoSuchField=1")));
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-07"));
    }

    void bookmarksReturnToTheirRow() {
        fillFiveDays();
        Recordset days;
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
        Recordset days;
        openDays(days);
        QVERIFY(days.AddNew());
        QCOMPARE(days.RecordCount(), 6);
        days.MoveFirst(); // left untouched: dropped
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(DatabaseProbe(m_path).count(), 5);

        QVERIFY(days.AddNew());
        QVERIFY(days.setField(QStringLiteral("Date"), QDate(2026, 9, 8)));
        QVERIFY(days.setField(QStringLiteral("Notes"), QStringLiteral("added")));
        QVERIFY(days.AddNew()); // stores the filled row, opens another
        days.MoveFirst();
        DatabaseProbe probe(m_path);
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
        Recordset days;
        openDays(days);
        days.MoveNext(); // 09-02
        QVERIFY(days.Delete());
        QCOMPARE(days.RecordCount(), 4);
        QVERIFY(!days.AtEOF());
        days.MoveNext();
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-03"));
        days.MovePrevious();
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-09-01"));
        QCOMPARE(DatabaseProbe(m_path).count(), 4);

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
        QCOMPARE(DatabaseProbe(m_path).count(), 0);
    }

    void rollbackPutsTheRowsBack() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        QVERIFY(days.BeginTrans());
        days.Delete();
        days.MoveNext();
        days.Delete();
        QVERIFY(days.RollbackTrans());
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(DatabaseProbe(m_path).count(), 5);
    }

    void closingInsideATransactionRollsBack() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        QVERIFY(days.BeginTrans());
        QVERIFY(days.Delete());
        days.MoveNext();
        QVERIFY(days.setField(QStringLiteral("Notes"), QStringLiteral("half done")));
        QVERIFY(days.StorePending());
        days.Close();
        DatabaseProbe probe(m_path);
        QCOMPARE(probe.count(), 5);
        QCOMPARE(probe.value(QStringLiteral("SELECT count(*) FROM QLM WHERE Notes = 'half done'")).toInt(),
                 0);
    }

    void aCommitThatCannotStoreEverythingStoresNothing() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        DatabaseProbe(m_path).exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON QLM WHEN NEW.Notes = "
                           "'refused' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QSignalSpy failures(&days, &Recordset::WriteFailed);
        QVERIFY(days.BeginTrans());
        QVERIFY(days.BeginTrans()); // nested: the inner failure ends the outer one too
        QVERIFY(days.Delete());
        days.MoveNext();
        QVERIFY(days.setField(QStringLiteral("Notes"), QStringLiteral("refused")));
        QVERIFY(!days.CommitTrans());
        QVERIFY(days.LastError().contains(QStringLiteral("refused")));
        QVERIFY(!days.CommitTrans());  // nothing left open
        QCOMPARE(failures.count(), 0); // its owner reports
        QCOMPARE(days.RecordCount(), 5);
        QCOMPARE(DatabaseProbe(m_path).count(), 5);
    }

    // The engine's codes, extended ones too, as the causes the teacher is told.
    void aStoreFailureIsToldByItsCause_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<StoreFailure>("cause");
        QTest::newRow("disk full") << "13" << StoreFailure::DiskFull;
        QTest::newRow("read-only file") << "1032" << StoreFailure::ReadOnly;
        QTest::newRow("no journal beside it") << "14" << StoreFailure::ReadOnly;
        QTest::newRow("write error") << "778" << StoreFailure::DiskError;
        QTest::newRow("locked by another program") << "5" << StoreFailure::InUse;
        QTest::newRow("a trigger's refusal") << "1811" << StoreFailure::Other;
    }
    void aStoreFailureIsToldByItsCause() {
        QFETCH(QString, code);
        QFETCH(StoreFailure, cause);
        QCOMPARE(StoreFailureOf(QSqlError(QStringLiteral("Unable to fetch row"), QStringLiteral("refused"),
                                          QSqlError::StatementError, code)),
                 cause);
    }

    void aFailedWriteIsReported() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        QSignalSpy failures(&days, &Recordset::WriteFailed);
        DatabaseProbe(m_path).exec(QStringLiteral("ALTER TABLE QLM RENAME TO Gone"));
        days.setField(QStringLiteral("Notes"), QStringLiteral("lost?"));
        QVERIFY(!days.Update());
        QCOMPARE(failures.count(), 1);
        QVERIFY(failures.first().first().toString().contains(m_path));
        QCOMPARE(days.LastErrorKind(), Recordset::ErrorKind::WriteFailed);
    }

    void unusableFilesAreReportedAndLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not a database") << "text";
        QTest::newRow("no day table") << "notable";
    }
    void unusableFilesAreReportedAndLeftAlone() {
        QFETCH(QString, kind);
        const QString path = m_scratch.Folder() + QStringLiteral("/Other.mdb");
        QFile::remove(path);
        QByteArray before;
        if (kind == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            before = QByteArray("This is a letter to parents, not a database.\n").repeated(20);
            file.write(before);
        } else if (kind == QLatin1String("notable")) {
            {
                DatabaseProbe probe(path);
                probe.exec(QStringLiteral("CREATE TABLE Other (x)"));
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            before = file.readAll();
        }
        Recordset days;
        days.setConnectionString(ConnectionStringFor(path));
        days.setRecordSource(QStringLiteral("SELECT QLM.Date From QLM ORDER BY QLM.Date;"));
        QVERIFY(!days.Refresh());
        QVERIFY(days.LastError().contains(path));
        QCOMPARE(days.RecordCount(), 0);
        QVERIFY(days.AtEOF() && days.AtBOF());
        if (kind == QLatin1String("missing")) {
            QCOMPARE(days.LastErrorKind(), Recordset::ErrorKind::FileMissing);
            QVERIFY(!QFile::exists(path)); // no empty database in its place
        } else {
            QCOMPARE(days.LastErrorKind(), kind == QLatin1String("text")
                                               ? Recordset::ErrorKind::NotADatabase
                                               : Recordset::ErrorKind::MissingTable);
            days.Close();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
    }

    void aFileDamagedPartWayIsAFailedOpen() {
        {
            DatabaseProbe probe(m_path);
            probe.exec(QStringLiteral("BEGIN"));
            for (int i = 0; i < 4000; ++i) {
                probe.exec(QStringLiteral("INSERT INTO QLM (Date, SchoolDay, Notes) VALUES ('%1', '1', '%2')")
                               .arg(QDate(2020, 1, 1).addDays(i).toString(Qt::ISODate),
                                    QStringLiteral("note %1 ").arg(i).repeated(5)));
            }
            probe.exec(QStringLiteral("COMMIT"));
        }
        // Two pages in the middle of the file overwritten.
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 middle = file.size() / 4096 / 2 * 4096;
        file.seek(middle);
        file.write(QByteArray(2 * 4096, '\xff'));
        file.close();
        QFile damaged(m_path);
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        const QByteArray before = damaged.readAll();
        damaged.close();

        Recordset days;
        QVERIFY(!OpenFiveDays(days, m_path));
        QCOMPARE(days.LastErrorKind(), Recordset::ErrorKind::Damaged);
        QVERIFY(days.LastError().contains(m_path));
        QCOMPARE(days.RecordCount(), 0);
        QVERIFY(days.AtBOF() && days.AtEOF());
        days.Close();
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        QCOMPARE(damaged.readAll(), before);
    }

    void aStoreOfSeveralRowsIsAllOrNothing() {
        fillFiveDays();
        Recordset days;
        openDays(days);
        DatabaseProbe probe(m_path);
        probe.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON QLM WHEN NEW.Notes = 'refused' "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const int notes = days.FieldIndex(QStringLiteral("Notes"));
        const Recordset::RowKey first = days.CurrentKey();
        days.MoveLast();
        const Recordset::RowKey last = days.CurrentKey();
        QVERIFY(days.SetValueAt(first, notes, QStringLiteral("kept")));
        QVERIFY(days.SetValueAt(last, notes, QStringLiteral("refused")));
        QSignalSpy failures(&days, &Recordset::WriteFailed);
        QVERIFY(!days.Update());
        QCOMPARE(failures.count(), 1);
        // Neither row reached the file; both are still waiting to be stored.
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
                 QStringLiteral("n 2026-09-01"));
        probe.exec(QStringLiteral("DROP TRIGGER refuse"));
        QVERIFY(days.Update());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
                 QStringLiteral("kept"));
    }
};

QTEST_MAIN(RecordsetTest)
#include "tst_recordset.moc"
