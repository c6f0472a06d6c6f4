#include "app/Main.h"
#include "core/ProgramState.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "widgets/Colours.h"
#include "widgets/TwipsGeometry.h"

#include <QHash>
#include <QTest>

namespace {
// A timetable of `rows` lessons, with the times of the rows in `emptyTimes` left out.
TimeTableGridInput Timetable(int cycle, const QString& wkDay, int rows, QList<int> emptyTimes = {}) {
    auto keys = std::make_shared<QHash<QString, QString>>();
    for (int r = 1; r <= rows; ++r) {
        if (!emptyTimes.contains(r)) {
            keys->insert(QStringLiteral("Time%1").arg(r), QStringLiteral("%1:00").arg(7 + r));
        }
        for (int c = 1; c <= 7; ++c) {
            keys->insert(QStringLiteral("Subject%1%2").arg(c).arg(r), QStringLiteral("S%1.%2").arg(c).arg(r));
        }
    }
    TimeTableGridInput input;
    input.setting = [keys](const QString& key) { return keys->value(key); };
    input.cycle = cycle;
    input.wkDay = wkDay;
    return input;
}

const QString kWeekdays = QStringLiteral("xxxMonTueWedThuFrixxx");
} // namespace

class TimeTableGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sixDayCycle() {
        const TimeTableGridLayout grid = ComputeTimeTableGrid(Timetable(0, kWeekdays, 6));
        QCOMPARE(grid.N, 7);
        QCOMPARE(grid.w, 896.0);
        const QStringList headers{"Time", "1", "2", "3", "4", "5", "6"};
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(grid.headerCaption[c], headers[c]);
            QVERIFY(grid.headerVisible[c]);
        }
        QVERIFY(!grid.headerVisible[7]);
        QVERIFY(!grid.rowVisible[7]); // the seventh day column
        QCOMPARE(grid.panelWidth, 6368.0);
        QCOMPARE(grid.D, 7);
        QCOMPARE(grid.panelHeight, 7 * 228.0);
        // Columns overlap by 8 twips.
        QCOMPARE(grid.headerLeft[1], 1020.0);
        QCOMPARE(grid.headerLeft[3], 1020.0 + 2 * 896 - 16);
        QCOMPARE(grid.rowLeft[2 * 8 + 3], grid.headerLeft[3]);
        QCOMPARE(grid.rowCaption[2 * 8], QStringLiteral("10:00"));
        QCOMPARE(grid.rowCaption[2 * 8 + 4], QStringLiteral("S4.3"));
    }

    void weekdayCycle_data() {
        QTest::addColumn<QString>("wkDay");
        QTest::addColumn<int>("N");
        QTest::addColumn<double>("w");
        QTest::addColumn<QStringList>("headers");
        QTest::newRow("Monday to Friday")
            << kWeekdays << 6 << 1075.0 << QStringList{"Time", "Mon", "Tue", "Wed", "Thu", "Fri"};
        QTest::newRow("every day") << QStringLiteral("SunMonTueWedThuFriSat") << 8 << 768.0
                                   << QStringList{"Time", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        QTest::newRow("three days") << QStringLiteral("xxxMonxxxWedxxxFrixxx") << 4 << 1792.0
                                    << QStringList{"Time", "Mon", "Wed", "Fri"};
    }
    void weekdayCycle() {
        QFETCH(QString, wkDay);
        QFETCH(int, N);
        QFETCH(double, w);
        QFETCH(QStringList, headers);
        const TimeTableGridLayout grid = ComputeTimeTableGrid(Timetable(1, wkDay, 4));
        QCOMPARE(grid.N, N);
        QCOMPARE(grid.w, w);
        for (int c = 0; c < N; ++c) {
            QCOMPARE(grid.headerCaption[c], headers[c]);
            QVERIFY(grid.headerVisible[c]);
        }
        for (int c = N; c <= 7; ++c) {
            QCOMPARE(grid.headerCaption[c], QString::number(c));
            QVERIFY(!grid.headerVisible[c]);
            QVERIFY(!grid.rowVisible[c]);
        }
        QCOMPARE(grid.panelWidth, (N - 1) * w + 1020 - 28);
    }

    void rowsWithoutATimeMoveUp() {
        const TimeTableGridLayout grid = ComputeTimeTableGrid(Timetable(0, kWeekdays, 12, {3, 4}));
        QCOMPARE(grid.rowCaption[1 * 8], QStringLiteral("9:00"));
        QCOMPARE(grid.rowCaption[2 * 8], QStringLiteral("12:00")); // lesson 5 right under lesson 2
        QCOMPARE(grid.rowCaption[2 * 8 + 1], QStringLiteral("S1.5"));
        QCOMPARE(grid.rowCaption[9 * 8], QStringLiteral("19:00"));
        QVERIFY(grid.rowCaption[10 * 8].isEmpty());
        QVERIFY(!grid.rowVisible[10 * 8]);
        QVERIFY(!grid.rowVisible[11 * 8 + 3]);
        QCOMPARE(grid.D, 11); // two cell rows shorter than a full timetable
        QCOMPARE(grid.panelHeight, 11 * 228.0);
    }

    void noTimesLeaveTheHeaderAlone() {
        const TimeTableGridLayout grid = ComputeTimeTableGrid(Timetable(0, kWeekdays, 0));
        QCOMPARE(grid.D, 1);
        QCOMPARE(grid.panelHeight, 228.0);
        for (int d = 0; d < 12; ++d) {
            QVERIFY(!grid.rowVisible[d * 8]);
        }
        QVERIFY(grid.headerVisible[0]);
    }

    void noTaughtWeekdayShowsTheTimesAlone() {
        const TimeTableGridLayout grid =
            ComputeTimeTableGrid(Timetable(1, QStringLiteral("xxxxxxxxxxxxxxxxxxxxx"), 3));
        QCOMPARE(grid.N, 1);
        QCOMPARE(grid.panelWidth, 1020.0 - 28);
        QVERIFY(grid.rowVisible[0]);
        QVERIFY(!grid.rowVisible[1]);
    }

    void aShorterTimetableLeavesNoOldRows() {
        TimeTableGridInput longer = Timetable(0, kWeekdays, 12);
        const TimeTableGridLayout first = ComputeTimeTableGrid(longer);
        QCOMPARE(first.D, 13);
        TimeTableGridInput shorter = Timetable(0, kWeekdays, 10);
        shorter.previous = first;
        const TimeTableGridLayout second = ComputeTimeTableGrid(shorter);
        QVERIFY(second.rowCaption[11 * 8].isEmpty());
        QVERIFY(!second.rowVisible[11 * 8]);
        QCOMPARE(second.D, 11);
    }

    void theGridOnThePage() {
        TestEnvironment env;
        YearPlan plan;
        plan.timeRows = 5;
        BuildYear(plan);
        SaveInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("ColourBack0"), 0x102030);
        SaveInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("ColourBack3"), 0x405060);
        QVERIFY(Main());
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.lblHeader[0]->text(), QStringLiteral("Time"));
        QCOMPARE(page.lblHeader[6]->text(), QStringLiteral("6"));
        QVERIFY(!page.lblHeader[7]->isVisibleTo(page.fraTimeTable));
        QCOMPARE(page.lblRow[4 * 8]->text(), QStringLiteral("12:30"));
        QVERIFY(page.lblRow[4 * 8 + 2]->isVisibleTo(page.fraTimeTable));
        QVERIFY(!page.lblRow[5 * 8]->isVisibleTo(page.fraTimeTable));
        QCOMPARE(TwWidth(page.fraTimeTable), 6368.0);
        QCOMPARE(TwHeight(page.fraTimeTable), 6 * 228.0);
        QCOMPARE(TwWidth(page.lblRow[1]), 896.0);
        QCOMPARE(TwLeft(page.lblRow[0]), 0.0); // the time column is never moved
        QCOMPARE(page.lblHeader[1]->palette().color(QPalette::Window), ColorFromBgr(0x102030));
        QCOMPARE(page.lblRow[9]->palette().color(QPalette::Window), ColorFromBgr(0x405060));
        QCOMPARE(page.fraTimeTable->palette().color(QPalette::Window), ColorFromBgr(0x405060));

        // No timetable set up: the grid is not recoloured.
        Globals().SetupTimeTable = 0;
        Globals().ColourBack[0] = 0x0000FF;
        ColourTimeTableGrid(page);
        QCOMPARE(page.lblHeader[1]->palette().color(QPalette::Window), ColorFromBgr(0x102030));
    }
};

QTEST_MAIN(TimeTableGridTest)
#include "tst_timetablegrid.moc"
