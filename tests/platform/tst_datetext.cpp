#include "platform/DateText.h"

#include <QLocale>
#include <QTest>

namespace {
// Names must stay English whatever the user's locale says.
class ForeignLocale {
public:
    ForeignLocale() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    ~ForeignLocale() { QLocale::setDefault(m_previous); }
    ForeignLocale(const ForeignLocale&) = delete;
    ForeignLocale& operator=(const ForeignLocale&) = delete;

private:
    QLocale m_previous;
};
} // namespace

class DateTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("school day") << QDate(2026, 10, 14) << "2026-10-14";
        QTest::newRow("single digits") << QDate(2027, 1, 5) << "2027-01-05";
        QTest::newRow("leap day") << QDate(2028, 2, 29) << "2028-02-29";
        QTest::newRow("year end") << QDate(2026, 12, 31) << "2026-12-31";
        QTest::newRow("day before zero") << QDate(1899, 12, 29) << "1899-12-29";
        QTest::newRow("day after zero") << QDate(1899, 12, 31) << "1899-12-31";
    }
    void roundTrip() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        ForeignLocale french;
        QCOMPARE(DateToText(date), text);
        bool ok = false;
        QCOMPARE(TextToDate(text, &ok), date);
        QVERIFY(ok);
        QVERIFY(IsDateText(text));
        QVERIFY(!IsZeroDate(date));
    }

    void zeroDate() {
        QCOMPARE(ZeroDate(), QDate(1899, 12, 30));
        QVERIFY(IsZeroDate(ZeroDate()));
        QCOMPARE(DateToText(ZeroDate()), QString("12:00:00 AM"));
        bool ok = false;
        QCOMPARE(TextToDate("12:00:00 AM", &ok), ZeroDate());
        QVERIFY(ok);
        QVERIFY(IsDateText("12:00:00 AM"));
    }

    void rejectsNonDates_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("month 13") << "2026-13-01";
        QTest::newRow("day 32") << "2026-10-32";
        QTest::newRow("February 30") << "2026-02-30";
        QTest::newRow("not a leap year") << "2027-02-29";
        QTest::newRow("day first") << "14/10/2026";
        QTest::newRow("month first") << "10/14/2026";
        QTest::newRow("letters") << "abc";
        QTest::newRow("words") << "October 14, 2026";
        QTest::newRow("other time") << "3:05:00 PM";
    }
    void rejectsNonDates() {
        QFETCH(QString, text);
        bool ok = true;
        QVERIFY(!TextToDate(text, &ok).isValid());
        QVERIFY(!ok);
        QVERIFY(!IsDateText(text));
    }

    void formatDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QDate& date, const char* pattern, const char* expected) {
            QTest::newRow(name) << date << QString(pattern) << QString(expected);
        };
        const QDate day(2026, 10, 14);
        row("long with weekday", day, "dddd - mmmm d, yyyy", "Wednesday - October 14, 2026");
        row("long", day, "mmmm d, yyyy", "October 14, 2026");
        row("short month", day, "mmm d, yyyy", "Oct 14, 2026");
        row("no leading zero", QDate(2027, 3, 1), "dddd - mmmm d, yyyy", "Monday - March 1, 2027");
        row("May", QDate(2027, 5, 7), "mmm d, yyyy", "May 7, 2027");
        row("September", QDate(2026, 9, 8), "mmm d, yyyy", "Sep 8, 2026");
        row("Sunday", QDate(2026, 10, 18), "dddd - mmmm d, yyyy", "Sunday - October 18, 2026");
    }
    void formatDate() {
        QFETCH(QDate, date);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatDate(date, pattern), expected);
        ForeignLocale french;
        QCOMPARE(FormatDate(date, pattern), expected);
    }

    void formatDateTime_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon") << QTime(15, 5) << "October 14, 2026 at 3:05 PM";
        QTest::newRow("morning") << QTime(9, 45) << "October 14, 2026 at 9:45 AM";
        QTest::newRow("midnight") << QTime(0, 0) << "October 14, 2026 at 12:00 AM";
        QTest::newRow("noon") << QTime(12, 30) << "October 14, 2026 at 12:30 PM";
        QTest::newRow("minutes are not months") << QTime(23, 59) << "October 14, 2026 at 11:59 PM";
    }
    void formatDateTime() {
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        const QDateTime moment(QDate(2026, 10, 14), time);
        const QString pattern = QStringLiteral("mmmm d, yyyy at h:mm AM/PM");
        QCOMPARE(FormatDateTime(moment, pattern), expected);
        ForeignLocale french;
        QCOMPARE(FormatDateTime(moment, pattern), expected);
    }
};

QTEST_GUILESS_MAIN(DateTextTest)
#include "tst_datetext.moc"
