#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

namespace {
QString ShownDate() {
    return DayRecords().Field(QStringLiteral("Date")).toString();
}

// Hears what the day table tells the interface.
struct Listener : DayTableListener {
    int shown = 0;
    int commands = 0;
    Listener() { SetDayTableListener(this); }
    ~Listener() override { SetDayTableListener(nullptr); }
    void DayShown() override { ++shown; }
    void DataCommandsChanged() override { ++commands; }
};

int StoredRows(const QString& path) {
    return QueryValue(path, QStringLiteral("SELECT count(*) FROM QLM")).toInt();
}
} // namespace

class DayDatabaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void goToDateLandsOnTheFirstListedDayOnOrAfter_data() {
        QTest::addColumn<QDate>("target");
        QTest::addColumn<bool>("schoolDaysOnly");
        QTest::addColumn<QString>("expected");
        // Year: 2026-09-01 (a Tuesday) to 2027-06-25; Monday to Friday taught.
        QTest::newRow("a school day") << QDate(2026, 11, 10) << true << "2026-11-10";
        QTest::newRow("saturday, school days only") << QDate(2026, 10, 17) << true << "2026-10-19";
        QTest::newRow("saturday, weekends listed") << QDate(2026, 10, 17) << false << "2026-10-17";
        QTest::newRow("before the first day") << QDate(2026, 1, 1) << true << "2026-09-01";
        QTest::newRow("after the last day") << QDate(2027, 8, 1) << true << "2026-10-14";
        QTest::newRow("the last day") << QDate(2027, 6, 25) << true << "2027-06-25";
    }
    void goToDateLandsOnTheFirstListedDayOnOrAfter() {
        QFETCH(QDate, target);
        QFETCH(bool, schoolDaysOnly);
        QFETCH(QString, expected);
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), schoolDaysOnly);
        QVERIFY(OpenBook());
        QCOMPARE(ShownDate(), QStringLiteral("2026-10-14"));
        Listener listener;
        GoToDate(target);
        QCOMPARE(ShownDate(), expected);
        // The interface is told, so the calendar can follow the shown day.
        QCOMPARE(listener.shown, 1);
        VerifyNoUnexpectedMessages();
    }

    void goToDateLeavesABlankTableAlone() {
        TestEnvironment env;
        QVERIFY(!OpenBook()); // first use: the supplied table with its single blank row
        Recordset& days = DayRecords();
        QCOMPARE(days.RecordCount(), 1);
        QVERIFY(Globals().BlankDataBase);
        const QVariant mark = days.Bookmark();
        GoToDate(QDate(2026, 10, 14));
        QCOMPARE(days.Bookmark(), mark);
        QVERIFY(!days.AtEOF());
    }

    void openAllDaysIsAlwaysBlank() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        QVERIFY(!Globals().BlankDataBase);
        Listener listener;
        OpenAllDays();
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(DayRecords().RecordCount(), 298);
        QCOMPARE(listener.commands, 1); // the day commands are disabled
    }

    void theDayQueryFollowsTheView_data() {
        QTest::addColumn<int>("teachers");
        QTest::addColumn<bool>("bothDays");
        QTest::addColumn<bool>("schoolDays");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expectedRows");
        // A six-day cycle: teacher 1 teaches days 1, 3, 5 and teacher 2 days 2, 4, 6. The year
        // has 214 taught days and 84 untaught ones.
        QTest::newRow("one teacher, own days") << 1 << false << true << 1 << 107;
        QTest::newRow("one teacher, partner days on") << 1 << true << true << 1 << 107;
        QTest::newRow("two teachers, own days") << 2 << false << true << 2 << 107;
        QTest::newRow("two teachers, both") << 2 << true << true << 1 << 214;
        QTest::newRow("both, with weekends") << 2 << true << false << 1 << 298;
        QTest::newRow("own, with weekends") << 2 << false << false << 1 << 191;
    }
    void theDayQueryFollowsTheView() {
        QFETCH(int, teachers);
        QFETCH(bool, bothDays);
        QFETCH(bool, schoolDays);
        QFETCH(int, current);
        QFETCH(int, expectedRows);
        TestEnvironment env;
        YearPlan plan = SharedBookYear();
        plan.teacherNum = teachers;
        BuildYear(plan);
        QVERIFY(OpenBook(current));
        ProgramState& g = Globals();
        g.TeacherCriteria[2] = TeacherQueryFor(QStringLiteral("246"), 1);
        g.BothTeacherDays = bothDays;
        g.SchoolDays = schoolDays;
        RequeryDayTable();
        QCOMPARE(DayRecords().RecordCount(), expectedRows);
        VerifyNoUnexpectedMessages();
    }

    void criteriaNotWrittenByTheSetupAreNotRun_data() {
        QTest::addColumn<QString>("criterion");
        QTest::newRow("empty") << "";
        QTest::newRow("injected") << "(((QLM.SchoolDay) = '1')) Or 1=1; DROP TABLE QLM; -- ";
        QTest::newRow("quote in a code") << "(((QLM.SchoolDay) = '1'')) ";
        QTest::newRow("no trailing blank") << "(((QLM.SchoolDay) = '1'))";
        QTest::newRow("another field") << "(((QLM.Notes) = '1')) ";
    }
    void criteriaNotWrittenByTheSetupAreNotRun() {
        QFETCH(QString, criterion);
        TestEnvironment env;
        YearPlan plan;
        BuildYear(plan);
        SaveText(QStringLiteral("Settings"), QStringLiteral("TeacherQuery1"), criterion);
        QVERIFY(!IsTeacherCriterion(criterion));
        MessageTestSeam::QueueAnswer(1);
        QVERIFY(OpenBook());
        // An empty day list, no SQL error, and the table untouched; the teacher is told why.
        QCOMPARE(DayRecords().RecordCount(), 0);
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QVERIFY(MessageTestSeam::Answered().first().text.contains(QStringLiteral("Setup")));
        VerifyNoUnexpectedMessages();
        QCOMPARE(StoredRows(env.DatabasePath()), 298);
    }

    void setupCriteriaAreRecognised() {
        QVERIFY(IsTeacherCriterion(TeacherQueryFor(QStringLiteral("135"), 1)));
        QVERIFY(IsTeacherCriterion(TeacherQueryFor(QStringLiteral("MonWedFri"), 3)));
        QVERIFY(IsTeacherCriterion(TeacherQueryFor(QStringLiteral("6"), 1)));
    }

    void clearDayTableOnOneRowKeepsIt() {
        TestEnvironment env;
        QVERIFY(!OpenBook());
        Recordset& days = DayRecords();
        days.setField(QStringLiteral("Notes"), QStringLiteral("kept"));
        days.Update();
        ClearDayTable();
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(days.RecordCount(), 1);
        QCOMPARE(days.Field(QStringLiteral("Notes")).toString(), QStringLiteral("kept"));
        CloseDayTable();
        QCOMPARE(StoredRows(env.DatabasePath()), 1);
    }

    void clearDayTableOnManyRowsLeavesOneNewRow() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        Recordset& days = DayRecords();
        ClearDayTable();
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(days.RecordCount(), 1);
        QVERIFY(days.Field(QStringLiteral("Date")).isNull());
        QCOMPARE(StoredRows(env.DatabasePath()), 1); // the blank row, in the file at once
        // The new row is filled field by field and stored by the next add.
        days.setField(QStringLiteral("Date"), QStringLiteral("2027-09-01"));
        days.setField(QStringLiteral("SchoolDay"), QStringLiteral("1"));
        days.AddNew();
        days.MoveFirst();
        QCOMPARE(StoredRows(env.DatabasePath()), 1);
        QCOMPARE(days.Field(QStringLiteral("Date")).toString(), QStringLiteral("2027-09-01"));
        VerifyNoUnexpectedMessages();
    }

    void badDatabaseFilesAreReported_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not a database") << "text";
        QTest::newRow("damaged part way") << "damaged";
    }
    void badDatabaseFilesAreReported() {
        QFETCH(QString, kind);
        TestEnvironment env;
        YearPlan plan;
        plan.timeRows = 12;
        BuildYear(plan);
        QByteArray before("not a database");
        if (kind == QLatin1String("damaged")) {
            // Two pages in the middle of the file overwritten.
            QFile file(env.DatabasePath());
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(file.size() / 4096 / 2 * 4096);
            file.write(QByteArray(2 * 4096, '\xff'));
            file.seek(0);
            before = file.readAll();
        } else {
            QFile::remove(env.DatabasePath());
        }
        if (kind == QLatin1String("text")) {
            QFile file(env.DatabasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        MessageTestSeam::QueueAnswer(1);
        QVERIFY(OpenBook());
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QVERIFY(MessageTestSeam::Answered().first().text.contains(QStringLiteral("QLM.mdb")));
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(DayRecords().RecordCount(), 0);
        QVERIFY(!DayRecords().MoveNext()); // nothing to move through, and no crash
        VerifyNoUnexpectedMessages();
        if (kind == QLatin1String("missing")) {
            QVERIFY(!QFile::exists(env.DatabasePath()));
        } else {
            CloseDayTable();
            QFile file(env.DatabasePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
    }

    void aFailedClearChangesNothingAndSaysSoOnce() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        DatabaseProbe other(env.DatabasePath());
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE"))); // another process is writing
        MessageTestSeam::QueueAnswer(1);
        ClearDayTable();
        QCoreApplication::processEvents(); // any report left for later shows now
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        VerifyNoUnexpectedMessages();
        QVERIFY(!Globals().BlankDataBase);
        other.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(StoredRows(env.DatabasePath()), 298);
    }

    // A file another program holds is in use, never damaged or short of a table.
    void aHeldFileIsSaidToBeInUse_data() {
        QTest::addColumn<QString>("lock");
        QTest::addColumn<bool>("clear"); // else open the book
        QTest::newRow("open, another program reads and writes") << "BEGIN EXCLUSIVE" << false;
        QTest::newRow("clear, another program writes") << "BEGIN IMMEDIATE" << true;
    }
    void aHeldFileIsSaidToBeInUse() {
        QFETCH(QString, lock);
        QFETCH(bool, clear);
        TestEnvironment env;
        BuildYear(YearPlan{});
        DatabaseProbe other(env.DatabasePath());
        if (clear) {
            QVERIFY(OpenBook());
        }
        QVERIFY(other.exec(lock));
        MessageTestSeam::QueueAnswer(1);
        if (clear) {
            ClearDayTable();
        } else {
            OpenBook();
        }
        QCoreApplication::processEvents();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const QString said = MessageTestSeam::Answered().first().text;
        QVERIFY2(said.contains(QStringLiteral("in use by another program")) &&
                     !said.contains(QStringLiteral("damaged")) &&
                     !said.contains(QStringLiteral("does not hold")) &&
                     !said.contains(QStringLiteral("not a database")),
                 qPrintable(said));
        VerifyNoUnexpectedMessages();
        other.exec(QStringLiteral("ROLLBACK"));
    }

    void aClearedTableKeepsItsBlankRow() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        ClearDayTable();
        CloseDayTable(); // no rebuild follows
        QCOMPARE(StoredRows(env.DatabasePath()), 1);
        QVERIFY(QueryValue(env.DatabasePath(), QStringLiteral("SELECT Date IS NULL FROM QLM")).toBool());
    }

    void rowsWithoutADateArePassedOver() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        ExecSql(env.DatabasePath(), QStringLiteral("INSERT INTO QLM (Date, SchoolDay) VALUES (NULL, '1')"));
        ExecSql(env.DatabasePath(), QStringLiteral("INSERT INTO QLM (Date, SchoolDay) VALUES ('', '1')"));
        QVERIFY(OpenBook());
        QCOMPARE(ShownDate(), QStringLiteral("2026-10-14"));
        GoToDate(QDate(2026, 11, 2));
        QCOMPARE(ShownDate(), QStringLiteral("2026-11-02"));
    }
};

QTEST_MAIN(DayDatabaseTest)
#include "tst_daydatabase.moc"
