#include "core/SetupRules.h"
#include "platform/DateText.h"

#include <QTest>

namespace {
const std::array<QString, 8> kDayNames{QString(),
                                       QStringLiteral("Sunday"),
                                       QStringLiteral("Monday"),
                                       QStringLiteral("Tuesday"),
                                       QStringLiteral("Wednesday"),
                                       QStringLiteral("Thursday"),
                                       QStringLiteral("Friday"),
                                       QStringLiteral("Saturday")};

// Boxes from a list of the ticked numbers, "135" ticks boxes 1, 3 and 5.
std::array<bool, 8> Ticks(const QString& ticked) {
    std::array<bool, 8> boxes{};
    for (QChar c : ticked) {
        boxes[static_cast<size_t>(c.digitValue())] = true;
    }
    return boxes;
}

QDate D(const char* iso) {
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}
} // namespace

class SetupRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeStepChecksInOrder_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("preserve");
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("suffix");
        const QDate none;
        QTest::newRow("other modes test nothing") << 2 << 1 << "" << none << none << ""
                                                  << "";
        QTest::newRow("a ticked term in use") << 1 << 0 << "2" << none << none << ""
                                              << "";
        QTest::newRow("no term ticked") << 1 << 0 << "" << none << none << "No Terms have been selected."
                                        << " - Terms Problem";
        QTest::newRow("a tick beyond the terms in use")
            << 1 << 0 << "4" << none << none << "No Terms have been selected."
            << " - Terms Problem";
        QTest::newRow("unchecked picker first")
            << 1 << 1 << "" << none << D("2027-09-01") << "Both From and To Dates must be selected."
            << " - Date Range Problem";
        QTest::newRow("the whole year") << 1 << 1 << "" << D("2026-09-01") << D("2027-06-25") << ""
                                        << "";
        QTest::newRow("a day before the year") << 1 << 1 << "" << D("2026-08-31") << D("2027-06-25")
                                               << "The Date Range must be within the School Year Range."
                                               << " - Date Range Problem";
        QTest::newRow("same day") << 1 << 1 << "" << D("2026-10-01") << D("2026-10-01")
                                  << "The From and To Dates cannot be the same."
                                  << " - Date Range Problem";
        QTest::newRow("from after to") << 1 << 1 << "" << D("2026-10-02") << D("2026-10-01")
                                       << "The From Date must come before the To Date."
                                       << " - Date Range Problem";
    }
    void modeStepChecksInOrder() {
        QFETCH(int, mode);
        QFETCH(int, preserve);
        QFETCH(QString, ticks);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, problem);
        QFETCH(QString, suffix);
        ModeStepInput input;
        input.ModeChoice = mode;
        input.PreserveChoice = preserve;
        const std::array<bool, 8> boxes = Ticks(ticks);
        std::copy(boxes.begin(), boxes.begin() + 5, input.TermTicks.begin());
        input.TermCount = 3;
        input.From = from;
        input.To = to;
        input.YearStart = D("2026-09-01");
        input.YearEnd = D("2027-06-25");
        QString title;
        QCOMPARE(ModeStepProblem(input, &title), problem);
        QCOMPARE(title, suffix);
    }

    void userStepChecksInOrder_data() {
        QTest::addColumn<int>("teachers");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("name2");
        QTest::addColumn<QString>("days1");
        QTest::addColumn<QString>("days2");
        QTest::addColumn<QString>("weekdays");
        QTest::addColumn<QString>("problem"); // its first line
        QTest::newRow("one teacher, the second name ignored") << 1 << 0 << ""
                                                              << "123"
                                                              << ""
                                                              << "23456"
                                                              << "";
        QTest::newRow("two teachers, one name empty") << 2 << 0 << ""
                                                      << "135"
                                                      << "246"
                                                      << "23456"
                                                      << "One or Both Teacher Names are blank.";
        QTest::newRow("a teacher without days") << 2 << 0 << "Mr. B"
                                                << "135"
                                                << ""
                                                << "23456"
                                                << "One or Both Teacher Names are blank.";
        QTest::newRow("six-day without weekdays") << 1 << 0 << ""
                                                  << "123456"
                                                  << ""
                                                  << ""
                                                  << "There are No Weekdays Selected.";
        QTest::newRow("teacher 2 on an untaught Saturday")
            << 2 << 1 << "Mr. B"
            << "23"
            << "7"
            << "23456"
            << "There are Scheduled Work Days that do not have";
        QTest::newRow("the same tick with one teacher") << 1 << 1 << "Mr. B"
                                                        << "23"
                                                        << "7"
                                                        << "23456"
                                                        << "";
        QTest::newRow("six-day box 7 does not count") << 1 << 0 << ""
                                                      << "7"
                                                      << ""
                                                      << "23456"
                                                      << "One or Both Teacher Names are blank.";
    }
    void userStepChecksInOrder() {
        QFETCH(int, teachers);
        QFETCH(int, cycle);
        QFETCH(QString, name2);
        QFETCH(QString, days1);
        QFETCH(QString, days2);
        QFETCH(QString, weekdays);
        QFETCH(QString, problem);
        UserStepInput input;
        input.TeacherNum = teachers;
        input.Cycle = cycle;
        input.Names = {QString(), QStringLiteral("Ms. A"), name2};
        input.Days[1] = Ticks(days1);
        input.Days[2] = Ticks(days2);
        input.Weekdays = Ticks(weekdays);
        const QString found = UserStepProblem(input, kDayNames);
        QCOMPARE(found.section(QStringLiteral("\r\n"), 0, 0), problem);
        if (!problem.isEmpty()) {
            QVERIFY(found.endsWith(QStringLiteral("\r\n\r\n")));
            QVERIFY(UserProblemMessage(found).endsWith(QStringLiteral(
                "\r\n\r\nThis must be corrected before continuing\r\nwith the User Schedule Setup.")));
        }
    }

    void teacherDaysAndQueries_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QString>("query");
        QTest::newRow("six-day 1, 3, 5")
            << 0 << "135"
            << "135"
            << "(((QLM.SchoolDay) = '1')) Or (((QLM.SchoolDay) = '3')) Or (((QLM.SchoolDay) = '5')) ";
        QTest::newRow("weekdays Mon, Wed, Fri")
            << 1 << "246"
            << "MonWedFri"
            << "(((QLM.SchoolDay) = 'Mon')) Or (((QLM.SchoolDay) = 'Wed')) Or (((QLM.SchoolDay) = 'Fri')) ";
        QTest::newRow("one day") << 0 << "6"
                                 << "6"
                                 << "(((QLM.SchoolDay) = '6')) ";
    }
    void teacherDaysAndQueries() {
        QFETCH(int, cycle);
        QFETCH(QString, boxes);
        QFETCH(QString, codes);
        QFETCH(QString, query);
        QString built;
        QString count;
        QVERIFY(BuildTeacherDays(Ticks(boxes), cycle, kDayNames, &built, &count));
        QCOMPARE(built, codes);
        QCOMPARE(count, QString::number(boxes.size()));
        QCOMPARE(BuildTeacherQuery(built, count, cycle), query);
        QVERIFY(!BuildTeacherDays(Ticks(QString()), cycle, kDayNames, &built, &count));
        QCOMPARE(WkDayFromTicks(Ticks(QStringLiteral("23456")), kDayNames),
                 QStringLiteral("xxxMonTueWedThuFrixxx"));
    }

    void schoolYearChecksInOrder_data() {
        QTest::addColumn<QString>("terms"); // start:end pairs, "-" for a date not held
        QTest::addColumn<bool>("holiday");
        QTest::addColumn<bool>("inservice");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("term");
        QTest::addColumn<QString>("problem");
        using Kind = SchoolYearProblem::Kind;
        const QString ok = QStringLiteral("2026-09-01:2026-12-18 2027-01-04:2027-06-25");
        QTest::newRow("two terms in use") << ok << true << true << int(Kind::None) << 0 << "";
        QTest::newRow("term 1 empty, term 2 in use")
            << "-:- 2027-01-04:2027-06-25" << true << true << int(Kind::Terms) << 2
            << "All Terms must be Consecutive.";
        QTest::newRow("only a start")
            << "2026-09-01:- " << true << true << int(Kind::Terms) << 1 << "A Missing Start or End Date.";
        QTest::newRow("no term") << "" << true << true << int(Kind::Terms) << 1 << "No Terms were selected.";
        QTest::newRow("start equals end")
            << "2026-09-01:2026-09-01" << true << true << int(Kind::Terms) << 1
            << "The Start Term Date is the same as\r\nor is past the End Term Date.";
        QTest::newRow("ends the day the next starts")
            << "2026-09-01:2027-01-04 2027-01-04:2027-06-25" << true << true << int(Kind::Terms) << 0
            << "One Term Date Overlaps with\r\nanother Term Date.";
        QTest::newRow("ends the day before")
            << "2026-09-01:2027-01-03 2027-01-04:2027-06-25" << true << true << int(Kind::None) << 0 << "";
        QTest::newRow("no holiday") << ok << false << true << int(Kind::Holidays) << 0
                                    << "There are No Holiday Dates Selected.";
        QTest::newRow("no in-service day")
            << ok << true << false << int(Kind::Inservices) << 0 << "There are No Inservice Dates Selected.";
    }
    void schoolYearChecksInOrder() {
        QFETCH(QString, terms);
        QFETCH(bool, holiday);
        QFETCH(bool, inservice);
        QFETCH(int, kind);
        QFETCH(int, term);
        QFETCH(QString, problem);
        std::array<QDate, 5> start;
        std::array<QDate, 5> end;
        const QStringList pairs = terms.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int t = 1; t <= pairs.size(); ++t) {
            start[t] = QDate::fromString(pairs[t - 1].section(QLatin1Char(':'), 0, 0), Qt::ISODate);
            end[t] = QDate::fromString(pairs[t - 1].section(QLatin1Char(':'), 1, 1), Qt::ISODate);
        }
        std::array<QDate, 21> holidays;
        holidays.fill(ZeroDate()); // the saved text of a date not used
        if (holiday) {
            holidays[3] = D("2027-03-01"); // outside every term is accepted
        }
        if (inservice) {
            holidays[20] = D("2026-10-09");
        }
        // Ignoring the missing dates lets every such year pass.
        const SchoolYearProblem found = SchoolYearStepProblem(start, end, holidays, false, false);
        QCOMPARE(int(found.kind), kind);
        QCOMPARE(found.term, term);
        QCOMPARE(found.text, problem);
        if (kind != int(SchoolYearProblem::Kind::Terms)) {
            QCOMPARE(int(SchoolYearStepProblem(start, end, holidays, true, true).kind),
                     int(SchoolYearProblem::Kind::None));
        }
    }

    void problemMessagesHaveTheirForm() {
        QCOMPARE(
            TermsProblemMessage(QStringLiteral("No Terms were selected."), 1),
            QStringLiteral("The problem is with Term 1...\r\n\r\nNo Terms were selected.\r\n\r\nThis must be "
                           "corrected before continuing\r\nwith the School Year Dates Setup."));
        QVERIFY(TermsProblemMessage(QStringLiteral("One Term"), 0)
                    .startsWith(QStringLiteral("One Term\r\n\r\n")));
        QCOMPARE(HolidayProblemMessage(QStringLiteral("There are No Inservice Dates Selected."), true),
                 QStringLiteral(
                     "There are No Inservice Dates Selected.\r\n\r\nIf you would like to continue Setup "
                     "without any\r\nInservice Date entries please select...\r\n\r\n'Ignore Inservice "
                     "Error Message if No Dates are Selected'\r\n\r\nwhich is located on the Inservices "
                     "tab.\r\n"));
        QCOMPARE(ModeProblemMessage(QStringLiteral("No Terms have been selected.")),
                 QStringLiteral(
                     "No Terms have been selected.\r\n\r\nThis must be corrected before continuing\r\nto "
                     "change the TimeTable."));
        QVERIFY(
            EmptyTimeTableMessage().startsWith(QStringLiteral("The TimeTable appears to be empty.\r\n\r\n")));
        QVERIFY(
            EmptyTimeTableMessage().endsWith(QStringLiteral("which is located below the TimeTable.\r\n")));
        QVERIFY(SetupSuccessMessage().contains(
            QStringLiteral("\r\nQuillmarsh program.\r\n\r\nTry 'Help > Contents'")));
        QVERIFY(SetupIncompleteMessage().endsWith(
            QStringLiteral("Click 'Cancel to exit Setup now.\r\nClick 'OK' to continue with Setup.")));
    }

    void gridColumnsShareSevenDesignColumns_data() {
        QTest::addColumn<int>("gridCols");
        QTest::addColumn<int>("designWidth");
        QTest::addColumn<int>("width");
        QTest::newRow("six-day: W/6 + W") << 7 << 990 << 1155;
        QTest::newRow("three weekdays: 4W/3 + W") << 4 << 990 << 2310;
        QTest::newRow("half to even, down") << 7 << 1005 << 1172; // 1172.5
        QTest::newRow("half to even, up") << 7 << 1011 << 1180;   // 1179.5
        QTest::newRow("no weekday: one column") << 2 << 990 << 6930;
    }
    void gridColumnsShareSevenDesignColumns() {
        QFETCH(int, gridCols);
        QFETCH(int, designWidth);
        QFETCH(int, width);
        QCOMPARE(GridColumnWidth(gridCols, designWidth), width);
        QCOMPARE(GridColumnLeft(1, 1500, width), 1500);
        QCOMPARE(GridColumnLeft(3, 1500, width), 1500 + 2 * (width - 8));
    }

    void reviewTexts() {
        const auto rows = ReviewUserRows(0, 2, {QString(), QStringLiteral("Ms. A"), QStringLiteral("Mr. B")},
                                         {QString(), QStringLiteral("123"), QStringLiteral("456")},
                                         {QString(), QStringLiteral("3"), QStringLiteral("3")});
        const QList<QPair<QString, QString>> expected{{"School Cycle", "6 Day Cycle"},
                                                      {"Ms. A", "1, 2, 3"},
                                                      {"Mr. B", "4, 5, 6"},
                                                      {"Two Teachers", "Log On Reguired"}};
        QCOMPARE(rows, expected);
        const auto one = ReviewUserRows(1, 1, {QString(), QStringLiteral("Ms. A"), QStringLiteral("ignored")},
                                        {QString(), QStringLiteral("MonWedFri"), QString()},
                                        {QString(), QStringLiteral("3"), QString()});
        QCOMPARE(one.at(0).second, QStringLiteral("Weekdays"));
        QCOMPARE(one.at(1).second, QStringLiteral("Mon, Wed, Fri"));
        QCOMPARE(one.at(2), qMakePair(QStringLiteral("One Teacher"), QStringLiteral("No Log On Reguired")));
        QCOMPARE(one.size(), 3);
        QCOMPARE(ReviewWeekdays(Ticks(QStringLiteral("246")), kDayNames),
                 QStringLiteral("Monday, Wednesday, Friday"));
        QCOMPARE(
            ReviewModeInfo(0, QStringLiteral("New School Year")),
            QStringLiteral("New School Year Mode does not allow Lesson Plan Details or Notes entries to be "
                           "preserved. All previous entries will be removed."));
        QVERIFY(ReviewModeInfo(2, QStringLiteral("Corrective Action"))
                    .startsWith(QStringLiteral("Corrective Action Mode allows Lesson Plan Details")));
        QCOMPARE(ReviewHolidayWidths(4000, 11), qMakePair(2100, 1900));
        QCOMPARE(ReviewHolidayWidths(4000, 12), qMakePair(2100, 1700));
    }

    void noDateAndTheZeroDateAreTheSame() {
        QVERIFY(SameDate(QDate(), ZeroDate()));
        QVERIFY(SameDate(ZeroDate(), TextToDate(QStringLiteral("12:00:00 AM"))));
        QVERIFY(!SameDate(ZeroDate(), D("2026-09-01")));
        QVERIFY(SameDate(D("2026-09-01"), D("2026-09-01")));
    }
};

QTEST_GUILESS_MAIN(SetupRulesTest)
#include "tst_setuprules.moc"
