#include "core/CalendarRules.h"
#include "core/ProgramState.h"
#include "platform/DateText.h"
#include "support/TestSupport.h"

#include <QTest>

namespace {
const QString kDefaultWkDay = QStringLiteral("xxxMonTueWedThuFrixxx");

// Four terms of the 2026-27 year, the last two leaving a gap between them.
void SetTerms() {
    ProgramState& g = Globals();
    g.TermStart[1] = QDate(2026, 9, 1);
    g.TermEnd[1] = QDate(2026, 12, 18);
    g.TermStart[2] = QDate(2027, 1, 4);
    g.TermEnd[2] = QDate(2027, 3, 12);
    g.TermStart[3] = QDate(2027, 3, 22);
    g.TermEnd[3] = QDate(2027, 4, 30);
    g.TermStart[4] = QDate(2027, 5, 10);
    g.TermEnd[4] = QDate(2027, 6, 25);
}
} // namespace

class CalendarRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schoolTerms_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("inTerm");
        QTest::addColumn<int>("term");
        QTest::newRow("first day of term 1") << QDate(2026, 9, 1) << true << 1;
        QTest::newRow("inside term 1") << QDate(2026, 10, 14) << true << 1;
        QTest::newRow("last day of term 1") << QDate(2026, 12, 18) << true << 1;
        QTest::newRow("winter break") << QDate(2026, 12, 19) << false << 5;
        QTest::newRow("first day of term 2") << QDate(2027, 1, 4) << true << 2;
        QTest::newRow("last day of term 3") << QDate(2027, 4, 30) << true << 3;
        QTest::newRow("between terms 3 and 4") << QDate(2027, 5, 9) << false << 5;
        QTest::newRow("first day of term 4") << QDate(2027, 5, 10) << true << 4;
        QTest::newRow("last day of term 4") << QDate(2027, 6, 25) << true << 4;
        QTest::newRow("before the year") << QDate(2026, 8, 31) << false << 5;
        QTest::newRow("after the year") << QDate(2027, 6, 26) << false << 5;
    }
    void schoolTerms() {
        QFETCH(QDate, date);
        QFETCH(bool, inTerm);
        QFETCH(int, term);
        TestEnvironment env;
        SetTerms();
        Globals().CurrentTerm = 3; // left over from an earlier date
        QCOMPARE(IsInSchoolTerm(date), inTerm);
        QCOMPARE(Globals().CurrentTerm, term);
    }

    void overlappingTermsGoToTheLowerTerm() {
        TestEnvironment env;
        SetTerms();
        Globals().TermStart[3] = QDate(2027, 3, 1); // overlaps the end of term 2
        QVERIFY(IsInSchoolTerm(QDate(2027, 3, 5)));
        QCOMPARE(Globals().CurrentTerm, 2);
        QVERIFY(IsInSchoolTerm(QDate(2027, 3, 15)));
        QCOMPARE(Globals().CurrentTerm, 3);
    }

    void unsetTermsHoldNoDate_data() {
        QTest::addColumn<QDate>("unset");
        QTest::newRow("invalid") << QDate();
        QTest::newRow("zero date") << ZeroDate();
    }
    void unsetTermsHoldNoDate() {
        QFETCH(QDate, unset);
        TestEnvironment env;
        SetTerms();
        for (int i = 3; i <= 4; ++i) {
            Globals().TermStart[i] = unset;
            Globals().TermEnd[i] = unset;
        }
        for (const QDate& d : {QDate(2027, 4, 1), QDate(2027, 6, 1), QDate(2026, 8, 1), QDate(2027, 8, 1)}) {
            QVERIFY2(!IsInSchoolTerm(d), qPrintable(d.toString(Qt::ISODate)));
            QCOMPARE(Globals().CurrentTerm, 5);
        }
        QVERIFY(IsInSchoolTerm(QDate(2027, 2, 1)));
        QCOMPARE(Globals().CurrentTerm, 2);
    }

    void holidays_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("holiday");
        QTest::newRow("first slot") << QDate(2026, 10, 12) << true;
        QTest::newRow("middle slot") << QDate(2026, 11, 11) << true;
        QTest::newRow("last slot") << QDate(2027, 5, 24) << true;
        QTest::newRow("day after a holiday") << QDate(2026, 10, 13) << false;
        QTest::newRow("school day") << QDate(2026, 10, 14) << false;
        QTest::newRow("first day of the year") << QDate(2026, 9, 1) << false;
        QTest::newRow("last day of the year") << QDate(2027, 6, 25) << false;
    }
    void holidays() {
        QFETCH(QDate, date);
        QFETCH(bool, holiday);
        TestEnvironment env;
        ProgramState& g = Globals();
        // Slots 1, 2 and 20 are set; the others stay unset, some invalid and some the zero date.
        g.Holidays[1] = QDate(2026, 10, 12);
        g.Holidays[2] = QDate(2026, 11, 11);
        g.Holidays[20] = QDate(2027, 5, 24);
        for (int i = 3; i <= 10; ++i) {
            g.Holidays[i] = ZeroDate();
        }
        QCOMPARE(IsHoliday(date), holiday);
    }

    void unsetHolidaysMatchNoSchoolDay() {
        TestEnvironment env;
        ProgramState& g = Globals();
        for (int i = 1; i <= 10; ++i) {
            g.Holidays[i] = ZeroDate();
        }
        for (QDate d(2026, 9, 1); d <= QDate(2027, 6, 25); d = d.addDays(1)) {
            QVERIFY2(!IsHoliday(d), qPrintable(d.toString(Qt::ISODate)));
        }
    }

    void schoolWeekdays_data() {
        QTest::addColumn<QString>("wkDay");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("taught");
        // The week of Sunday 2026-10-11 to Saturday 2026-10-17.
        QTest::newRow("default Sunday") << kDefaultWkDay << QDate(2026, 10, 11) << false;
        QTest::newRow("default Monday") << kDefaultWkDay << QDate(2026, 10, 12) << true;
        QTest::newRow("default Tuesday") << kDefaultWkDay << QDate(2026, 10, 13) << true;
        QTest::newRow("default Wednesday") << kDefaultWkDay << QDate(2026, 10, 14) << true;
        QTest::newRow("default Thursday") << kDefaultWkDay << QDate(2026, 10, 15) << true;
        QTest::newRow("default Friday") << kDefaultWkDay << QDate(2026, 10, 16) << true;
        QTest::newRow("default Saturday") << kDefaultWkDay << QDate(2026, 10, 17) << false;
        const QString weekendOnly = QStringLiteral("SunxxxxxxxxxxxxxxxSat");
        QTest::newRow("weekend Sunday") << weekendOnly << QDate(2026, 10, 11) << true;
        QTest::newRow("weekend Monday") << weekendOnly << QDate(2026, 10, 12) << false;
        QTest::newRow("weekend Friday") << weekendOnly << QDate(2026, 10, 16) << false;
        QTest::newRow("weekend Saturday") << weekendOnly << QDate(2026, 10, 17) << true;
        const QString noWednesday = QStringLiteral("xxxMonTuexxxThuFrixxx");
        QTest::newRow("no Wednesday") << noWednesday << QDate(2026, 10, 14) << false;
        QTest::newRow("no Wednesday, Thursday") << noWednesday << QDate(2026, 10, 15) << true;
    }
    void schoolWeekdays() {
        QFETCH(QString, wkDay);
        QFETCH(QDate, date);
        QFETCH(bool, taught);
        TestEnvironment env;
        Globals().WkDay = wkDay;
        QCOMPARE(IsSchoolWeekday(date), taught);
    }

    void dateOrder_data() {
        QTest::addColumn<QDate>("a");
        QTest::addColumn<QDate>("b");
        QTest::addColumn<bool>("before");
        QTest::newRow("same day") << QDate(2026, 10, 14) << QDate(2026, 10, 14) << false;
        QTest::newRow("day before") << QDate(2026, 10, 13) << QDate(2026, 10, 14) << true;
        QTest::newRow("day after") << QDate(2026, 10, 15) << QDate(2026, 10, 14) << false;
        QTest::newRow("across years") << QDate(2026, 12, 31) << QDate(2027, 1, 1) << true;
        QTest::newRow("zero date first") << ZeroDate() << QDate(2026, 9, 1) << true;
    }
    void dateOrder() {
        QFETCH(QDate, a);
        QFETCH(QDate, b);
        QFETCH(bool, before);
        QCOMPARE(IsDateBefore(a, b), before);
        QCOMPARE(IsDateOnOrAfter(a, b), !before);
    }
};

QTEST_GUILESS_MAIN(CalendarRulesTest)
#include "tst_calendarrules.moc"
