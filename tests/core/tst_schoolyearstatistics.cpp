#include "core/DayDatabase.h"
#include "core/ProgramState.h"
#include "core/SchoolYearStatistics.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QTest>

namespace {
// Two terms with two holidays: 137 school days, 207 days from the first to the last.
YearPlan TwoTermYear() {
    YearPlan plan;
    plan.terms = {{QDate(2026, 9, 1), QDate(2026, 12, 18)}, {QDate(2027, 1, 4), QDate(2027, 3, 26)}};
    plan.holidays = {QDate(2026, 10, 12), QDate(2026, 11, 11)};
    return plan;
}

// Five listed days; the term ends before the last of them.
QList<ListedDay> FiveDays() {
    return {{QDate(2026, 9, 1), QStringLiteral("1")},
            {QDate(2026, 9, 2), QStringLiteral("2")},
            {QDate(2026, 9, 4), QStringLiteral("3")},
            {QDate(2026, 9, 7), QStringLiteral("x")},
            {QDate(2026, 9, 8), QStringLiteral("4")}};
}

SchoolCalendar FirstWeekTerm() {
    SchoolCalendar calendar;
    calendar.TermStart[1] = QDate(2026, 9, 1);
    calendar.TermEnd[1] = QDate(2026, 9, 7);
    return calendar;
}
} // namespace

class SchoolYearStatisticsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schoolDayCodes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("school");
        for (const char* code :
             {"1", "2", "3", "4", "5", "6", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}) {
            QTest::newRow(code) << QString::fromLatin1(code) << true;
        }
        for (const char* code : {"x", "", "0", "7", "mon", "MON", " Mon", "Mon ", "Mond", "12"}) {
            QTest::newRow(qPrintable(QStringLiteral("not '%1'").arg(QLatin1String(code))))
                << QString::fromLatin1(code) << false;
        }
    }
    void schoolDayCodes() {
        QFETCH(QString, code);
        QFETCH(bool, school);
        QCOMPARE(IsSchoolDayCode(code), school);
    }

    // Past counts nothing before the year and everything after it, whichever day the page shows.
    void pastAndAheadByToday_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("past");
        QTest::addColumn<int>("ahead");
        QTest::newRow("the day before the first") << QDate(2026, 8, 31) << 0 << 5;
        QTest::newRow("the first day") << QDate(2026, 9, 1) << 1 << 4;
        QTest::newRow("a day not listed") << QDate(2026, 9, 3) << 3 << 2;
        QTest::newRow("the last day") << QDate(2026, 9, 8) << 5 << 0;
        QTest::newRow("the day after the last") << QDate(2026, 9, 9) << 5 << 0;
    }
    void pastAndAheadByToday() {
        QFETCH(QDate, today);
        QFETCH(int, past);
        QFETCH(int, ahead);
        const SchoolYearStatistics s = ComputeSchoolYearStatistics(FiveDays(), FirstWeekTerm(), today);
        QCOMPARE(s.past, past);
        QCOMPARE(s.ahead, ahead);
        QCOMPARE(s.totalDays, 5);
        QCOMPARE(s.firstDay, QDate(2026, 9, 1));
        QCOMPARE(s.lastDay, QDate(2026, 9, 8));
        // The "x" day and the day after the term are listed but are no school days.
        QCOMPARE(s.totalSchoolDays, 3);
        QCOMPARE(s.termDays[1], 3);
        QCOMPARE(s.monthDays[9], 3);
    }

    void nothingListedGivesZeros() {
        const SchoolYearStatistics s = ComputeSchoolYearStatistics({}, FirstWeekTerm(), QDate(2026, 10, 14));
        QCOMPARE(s.totalDays, 0);
        QCOMPARE(s.totalSchoolDays, 0);
        QCOMPARE(s.past, 0);
        QCOMPARE(s.ahead, 0);
        QVERIFY(!s.firstDay.isValid());
        QVERIFY(!s.lastDay.isValid());
    }

    // A year built as the set-up builds it, read from the day table the page lists.
    void aBuiltYearByMonthAndTerm_data() {
        QTest::addColumn<bool>("schoolDaysOnly");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("past");
        QTest::newRow("school days only") << true << 137 << 31;
        QTest::newRow("school days and weekends") << false << 207 << 44;
    }
    void aBuiltYearByMonthAndTerm() {
        QFETCH(bool, schoolDaysOnly);
        QFETCH(int, total);
        QFETCH(int, past);
        TestEnvironment env;
        BuildYear(TwoTermYear());
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), schoolDaysOnly);
        QVERIFY(OpenBook());
        GoToDate(QDate(2026, 11, 20));
        const QVariant shown = DayRecords().Bookmark();

        const QList<ListedDay> days = ReadListedDays();
        QCOMPARE(DayRecords().Bookmark(), shown);
        const SchoolYearStatistics s = ComputeSchoolYearStatistics(days, Globals(), QDate(2026, 10, 14));
        const std::array<int, 13> months{0, 20, 20, 20, 0, 0, 0, 0, 0, 22, 21, 20, 14};
        QCOMPARE(s.monthDays, months);
        QCOMPARE(s.termDays[1], 77);
        QCOMPARE(s.termDays[2], 60);
        QCOMPARE(s.termDays[3], 0);
        QCOMPARE(s.totalSchoolDays, 137);
        QCOMPARE(s.totalDays, total);
        QCOMPARE(s.past, past);
        QCOMPARE(s.ahead, total - past);
        QCOMPARE(s.firstDay, QDate(2026, 9, 1));
        QCOMPARE(s.lastDay, QDate(2027, 3, 26));
        VerifyNoUnexpectedMessages();
    }

    void theBlankTableListsNoDay() {
        TestEnvironment env;
        OpenBook();
        QCOMPARE(DayRecords().RecordCount(), 1);
        QVERIFY(ReadListedDays().isEmpty());
        QVERIFY(DayRecords().HasCurrentRow());
    }
};

QTEST_GUILESS_MAIN(SchoolYearStatisticsTest)
#include "tst_schoolyearstatistics.moc"
