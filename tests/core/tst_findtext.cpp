#include "core/DayDatabase.h"
#include "core/FindText.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QTest>

namespace {
// A September of school days (Monday to Friday, all taught), the text planted in some cells.
// A plant is "yyyy-MM-dd/row"; the notes have row 0.
void BuildSeptember(const QString& path, int area, const QStringList& plants, const QString& text) {
    YearPlan plan;
    plan.terms = {{QDate(2026, 9, 1), QDate(2026, 9, 30)}};
    plan.timeRows = 12;
    BuildYear(plan);
    for (const QString& plant : plants) {
        const QStringList parts = plant.split(QLatin1Char('/'));
        ExecSql(path,
                QStringLiteral("UPDATE QLM SET %1 = ? WHERE Date = ?").arg(AreaField(area, parts[1].toInt())),
                {QStringLiteral("before %1 after").arg(text), parts[0]});
    }
}

QString ShownDate() {
    return DayRecords().Field(QStringLiteral("Date")).toString();
}
} // namespace

class FindTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchCell_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<int>("hitPos");
        QTest::addColumn<QString>("searchAfter");
        QTest::newRow("case on, inside") << "Read the Map"
                                         << "Map" << true << false << true << 10 << "Map";
        QTest::newRow("case on, other case") << "read the map"
                                             << "Map" << true << false << false << 0 << "Map";
        QTest::newRow("case off, capitals inside") << "READ THE MAP"
                                                   << "map" << false << false << true << 10 << "MAP";
        QTest::newRow("whole cell, the cell") << "Map"
                                              << "Map" << true << true << true << 0 << "Map";
        QTest::newRow("whole cell, part of it") << "Map work"
                                                << "Map" << true << true << false << 0 << "Map";
        QTest::newRow("whole cell, case off") << "map"
                                              << "mAP" << false << true << true << 0 << "MAP";
        QTest::newRow("dot is a dot") << "xa.by"
                                      << "a.b" << true << false << true << 2 << "a.b";
        QTest::newRow("percent is a percent") << "score 50% today"
                                              << "50%" << true << false << true << 7 << "50%";
        QTest::newRow("quote") << "Call O'Brien"
                               << "O'Brien" << true << false << true << 6 << "O'Brien";
        QTest::newRow("brackets") << "f(x) = 2"
                                  << "(x)" << true << false << true << 2 << "(x)";
        QTest::newRow("star is not any") << "ab"
                                         << "*" << true << false << false << 0 << "*";
        QTest::newRow("empty text matches nothing") << ""
                                                    << "" << true << false << false << 0 << "";
    }
    void matchCell() {
        QFETCH(QString, cell);
        QFETCH(QString, search);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(bool, hit);
        QFETCH(int, hitPos);
        QFETCH(QString, searchAfter);
        FindHit record;
        QCOMPARE(MatchCell(cell, search, matchCase, wholeWord, record), hit);
        QCOMPARE(record.HitPos, hitPos);
        QCOMPARE(search, searchAfter);
        // Without Match Case the stored text is kept for Replace.
        QCOMPARE(record.CellOriginal, matchCase ? QString() : cell);
    }

    void replacedCellText_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("typedFind");
        QTest::addColumn<QString>("typedReplace");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole cell") << "Map"
                                    << "map"
                                    << "Globe" << false << true << "Globe";
        QTest::newRow("case on, every exact occurrence")
            << "map and map and Map"
            << "map"
            << "globe" << true << false << "globe and globe and Map";
        QTest::newRow("case off, every occurrence")
            << "Map and MAP and mAp"
            << "map"
            << "Globe" << false << false << "Globe and Globe and Globe";
        QTest::newRow("percent") << "50% of 50%"
                                 << "50%"
                                 << "half" << true << false << "half of half";
        QTest::newRow("brackets") << "f(x)+g(x)"
                                  << "(x)"
                                  << "(y)" << true << false << "f(y)+g(y)";
    }
    void replacedCellText() {
        QFETCH(QString, cell);
        QFETCH(QString, typedFind);
        QFETCH(QString, typedReplace);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(QString, expected);
        QString findText = typedFind;
        FindHit hit;
        QVERIFY(MatchCell(cell, findText, matchCase, wholeWord, hit));
        QCOMPARE(ReplacedCellText(hit, matchCase, findText, typedReplace, typedFind, typedReplace), expected);
    }

    // Successive steps over the cursor find the planted cells in this order, then end the
    // pass with the page back on the start day.
    void walk_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("region");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QStringList>("plants");
        QTest::addColumn<QStringList>("expected");
        const QDate mid(2026, 9, 15);
        QTest::newRow("two hits in one day")
            << int(kAreaDetails) << int(kRegionAll) << mid << QStringList{"2026-09-02/7", "2026-09-02/3"}
            << QStringList{"2026-09-02/3", "2026-09-02/7"};
        QTest::newRow("row 11 goes on to the next day")
            << int(kAreaTimeLines) << int(kRegionAll) << mid << QStringList{"2026-09-03/11", "2026-09-04/0"}
            << QStringList{"2026-09-03/11", "2026-09-04/0"};
        QTest::newRow("first to current ends after the start day")
            << int(kAreaDetails) << int(kRegionFirstToCurrent) << mid
            << QStringList{"2026-09-02/1", "2026-09-15/4", "2026-09-16/0"}
            << QStringList{"2026-09-02/1", "2026-09-15/4"};
        QTest::newRow("first to current, row 11 of the start day")
            << int(kAreaDetails) << int(kRegionFirstToCurrent) << mid
            << QStringList{"2026-09-15/11", "2026-09-16/0"} << QStringList{"2026-09-15/11"};
        QTest::newRow("first to current, notes of the start day")
            << int(kAreaNotes) << int(kRegionFirstToCurrent) << mid
            << QStringList{"2026-09-15/0", "2026-09-16/0"} << QStringList{"2026-09-15/0"};
        QTest::newRow("current to last") << int(kAreaDetails) << int(kRegionCurrentToLast) << mid
                                         << QStringList{"2026-09-02/1", "2026-09-15/0", "2026-09-30/11"}
                                         << QStringList{"2026-09-15/0", "2026-09-30/11"};
        QTest::newRow("notes, a day at a time")
            << int(kAreaNotes) << int(kRegionAll) << mid
            << QStringList{"2026-09-03/0", "2026-09-04/0", "2026-09-30/0"}
            << QStringList{"2026-09-03/0", "2026-09-04/0", "2026-09-30/0"};
        QTest::newRow("nothing anywhere")
            << int(kAreaDetails) << int(kRegionAll) << mid << QStringList{} << QStringList{};
    }
    void walk() {
        QFETCH(int, area);
        QFETCH(int, region);
        QFETCH(QDate, start);
        QFETCH(QStringList, plants);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        BuildSeptember(env.DatabasePath(), area, plants, QStringLiteral("Quill"));
        QVERIFY(OpenBook());
        GoToDate(start);
        QCOMPARE(ShownDate(), DateToText(start));

        FindPass pass;
        pass.area = area;
        pass.region = region;
        pass.searchStart = start;
        QString search = QStringLiteral("quill");
        pass.matchCase = false;
        QStringList found;
        while (FindStep(pass, search, CursorCell)) {
            found
                << QStringLiteral("%1/%2").arg(ShownDate()).arg(pass.hits[static_cast<size_t>(area)].HitRow);
            QVERIFY2(found.size() <= plants.size(), "the walk wrapped around");
        }
        QCOMPARE(found, expected);
        QCOMPARE(pass.FoundCount, qint32(expected.size()));
        QCOMPARE(search, QStringLiteral("QUILL"));
        QCOMPARE(ShownDate(), DateToText(start));
        VerifyNoUnexpectedMessages();
    }

    void countsPastSixteenBits() {
        TestEnvironment env;
        BuildSeptember(env.DatabasePath(), kAreaDetails, {"2026-09-10/2", "2026-09-10/9"},
                       QStringLiteral("x"));
        QVERIFY(OpenBook());
        GoToDate(QDate(2026, 9, 10));
        // A pass deep into a ten-year book, continuing after row 2 of the shown day.
        FindPass pass;
        pass.FoundCount = 32767;
        pass.hits[kAreaDetails].HitRow = 2;
        pass.searchStart = QDate(2026, 9, 1);
        QString search = QStringLiteral("x");
        QVERIFY(FindStep(pass, search, CursorCell));
        QCOMPARE(pass.FoundCount, qint32(32768));
        QCOMPARE(pass.hits[kAreaDetails].HitRow, 9);
        QCOMPARE(PassCompleteMessage(true, 43800),
                 QStringLiteral("Search Area Complete.\r\n\r\nReplaced 43800 items."));
    }
};

QTEST_GUILESS_MAIN(FindTextTest)
#include "tst_findtext.moc"
