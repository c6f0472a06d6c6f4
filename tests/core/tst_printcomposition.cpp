#include "core/DayDatabase.h"
#include "core/PrintComposition.h"
#include "core/PrintSettings.h"
#include "core/ProgramState.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QLocale>
#include <QTest>

namespace {
const QString kTen = QString(10, QLatin1Char(' '));

ProgramState PrintState(int cycle) {
    ProgramState g;
    g.Cycle = cycle;
    g.CurrentTeacher = 2;
    g.TeacherNames = {QString(), QStringLiteral("Ms. Avery"), QStringLiteral("Mr. Brook")};
    UseDefaultPrintFonts(g);
    g.PRNotes = true;
    return g;
}

DayPageText Day(const QString& code) {
    DayPageText day;
    day.date = QStringLiteral("Monday - October 12, 2026");
    day.dayCode = code;
    day.notes = QStringLiteral("Field trip forms");
    return day;
}

QList<QDate> WalkedDays(const QDate& start, const QDate& end) {
    QList<QDate> walked;
    WalkPrintRange(start, end, [&walked] {
        walked << TextToDate(DayRecords().Field(QStringLiteral("Date")).toString());
        return true;
    });
    return walked;
}
} // namespace

class PrintCompositionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anEmptyDayStillPrintsItsHeadingEveryRowAndTheNotes_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("heading");
        // The teacher logged on, whoever's day it is; the code only for a taught six-day day.
        const QString line = QStringLiteral("Monday - October 12, 2026") + kTen + QStringLiteral("Mr. Brook");
        QTest::newRow("six-day cycle, day 3") << 0 << "3" << true << line + "\r\nSchool Day: 3\r\n\r\n";
        QTest::newRow("six-day cycle, no school") << 0 << "x" << true << line + "\r\n\r\n";
        QTest::newRow("weekday cycle") << 1 << "Mon" << true << line + "\r\n\r\n";
        QTest::newRow("without the notes") << 0 << "2" << false << line + "\r\nSchool Day: 2\r\n\r\n";
    }
    void anEmptyDayStillPrintsItsHeadingEveryRowAndTheNotes() {
        QFETCH(int, cycle);
        QFETCH(QString, code);
        QFETCH(bool, notes);
        QFETCH(QString, heading);
        ProgramState g = PrintState(cycle);
        g.PRNotes = notes;
        const QString rows = QStringLiteral("\r\n\r\n").repeated(12);
        const QString notesBlock = notes ? QStringLiteral("Notes: \r\nField trip forms") : QString();
        QCOMPARE(RunsText(ComposeDayPageRuns(Day(code), g)), heading + rows + notesBlock);
    }

    void aRowPrintsItsTimeAndSubjectLineOnlyWhenEitherIsFilled_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("rowText");
        QTest::newRow("both") << "8:30"
                              << "Math"
                              << "8:30" + kTen + "Math\r\nFractions\r\n\r\n";
        QTest::newRow("subject only") << ""
                                      << "Math" << kTen + "Math\r\nFractions\r\n\r\n";
        QTest::newRow("time only") << "8:30"
                                   << ""
                                   << "8:30" + kTen + "\r\nFractions\r\n\r\n";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "Fractions\r\n\r\n";
    }
    void aRowPrintsItsTimeAndSubjectLineOnlyWhenEitherIsFilled() {
        QFETCH(QString, time);
        QFETCH(QString, subject);
        QFETCH(QString, rowText);
        DayPageText day = Day(QStringLiteral("1"));
        day.time[4] = time;
        day.subject[4] = subject;
        day.details[4] = QStringLiteral("Fractions");
        const QString text = RunsText(ComposeDayPageRuns(day, PrintState(0)));
        const QString before = QStringLiteral("\r\n\r\n").repeated(4);
        QVERIFY2(text.contains(QStringLiteral("School Day: 1\r\n\r\n") + before + rowText +
                               QStringLiteral("\r\n\r\n")),
                 qPrintable(text));
    }

    void underlinesFallOnlyWhereChosen_data() {
        QTest::addColumn<bool>("heading");
        QTest::addColumn<bool>("timeSubject");
        QTest::newRow("neither") << false << false;
        QTest::newRow("heading") << true << false;
        QTest::newRow("time and subject") << false << true;
        QTest::newRow("both") << true << true;
    }
    void underlinesFallOnlyWhereChosen() {
        QFETCH(bool, heading);
        QFETCH(bool, timeSubject);
        ProgramState g = PrintState(0);
        g.ULHeading = heading;
        g.ULTimeSubject = timeSubject;
        g.TSFontName = QStringLiteral("Georgia");
        g.TSFontSize = 11;
        g.TSFontItalic = true;
        DayPageText day = Day(QStringLiteral("5"));
        day.time[0] = QStringLiteral("8:30");
        day.subject[0] = QStringLiteral("Math");
        day.details[0] = QStringLiteral("Fractions");
        const QList<PrintRun> runs = ComposeDayPageRuns(day, g);
        QCOMPARE(runs.size(), 1 + 1 + 12 + 2);
        // The heading, "School Day: " line included, is one block in the heading font.
        QVERIFY(runs[0].text.contains(QStringLiteral("School Day: 5")));
        QCOMPARE(runs[0].underline, heading);
        QCOMPARE(runs[0].fontName, QStringLiteral("Arial"));
        QCOMPARE(runs[0].fontSize, 16);
        QVERIFY(runs[0].bold);
        QCOMPARE(runs[1].text, "8:30" + kTen + "Math\r\n");
        QCOMPARE(runs[1].underline, timeSubject);
        QCOMPARE(runs[1].fontName, QStringLiteral("Georgia"));
        QCOMPARE(runs[1].fontSize, 11);
        QVERIFY(runs[1].italic);
        for (int i = 2; i < runs.size(); ++i) {
            QVERIFY2(!runs[i].underline, qPrintable(runs[i].text));
            QCOMPARE(runs[i].fontName, QStringLiteral("Arial"));
            QVERIFY(!runs[i].italic);
        }
        QCOMPARE(runs[2].fontSize, 12);
        QVERIFY(!runs[2].bold);
        const PrintRun& notesTitle = runs[runs.size() - 2];
        QCOMPARE(notesTitle.text, QStringLiteral("Notes: \r\n"));
        QCOMPARE(notesTitle.fontSize, 14);
        QVERIFY(notesTitle.bold);
        QCOMPARE(runs.last().fontSize, 12);
        QVERIFY(!runs.last().bold);
    }

    void marginsReadBackWhatTheyWrite_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("inches");
        QTest::addColumn<int>("twips");
        QTest::newRow("none") << "en_US" << 0 << "0" << 0;
        QTest::newRow("half an inch") << "en_US" << 5 << "0.5" << 720;
        QTest::newRow("five inches") << "en_US" << 50 << "5" << 7200;
        QTest::newRow("three tenths") << "en_US" << 3 << "0.3" << 432;
        QTest::newRow("half an inch, comma locale") << "de_DE" << 5 << "0,5" << 720;
        QTest::newRow("an inch and a half, comma locale") << "de_DE" << 15 << "1,5" << 2160;
    }
    void marginsReadBackWhatTheyWrite() {
        QFETCH(QString, locale);
        QFETCH(int, tenths);
        QFETCH(QString, inches);
        QFETCH(int, twips);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QString shown = MarginInchesText(tenths);
        const qint32 margin = MarginTwipsFromInches(shown);
        // A stored margin comes back to the tenths it was stepped to.
        double tenthsBack = -1;
        const bool read = MarginNumberFromText(MarginNumberText(MarginTenths(margin)), &tenthsBack);
        QLocale::setDefault(before);
        QCOMPARE(shown, inches);
        QCOMPARE(margin, twips);
        QVERIFY(read);
        QCOMPARE(tenthsBack, double(tenths));
    }

    void copiesAreWholeAndAtMostTen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("copies");
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("three, with blanks") << " 3 " << 3;
        QTest::newRow("ten") << "10" << 10;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("text") << "two" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("eleven") << "11" << 10;
        QTest::newRow("huge") << "1e300" << 10;
        QTest::newRow("halves to even") << "2.5" << 2;
        QTest::newRow("rounded up") << "3.6" << 4;
    }
    void copiesAreWholeAndAtMostTen() {
        QFETCH(QString, text);
        QFETCH(int, copies);
        QCOMPARE(CopiesToPrint(text), copies);
    }

    void marginsMustLeaveRoomOnThePage_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<bool>("room");
        // Letter, portrait: 12240 by 15840 twips.
        QTest::newRow("half inches") << 720 << 720 << 720 << 720 << true;
        QTest::newRow("five and five inches across") << 7200 << 7200 << 720 << 720 << false;
        QTest::newRow("a twip to spare") << 6120 << 6119 << 720 << 720 << true;
        QTest::newRow("top and bottom fill the page") << 720 << 720 << 7920 << 7920 << false;
    }
    void marginsMustLeaveRoomOnThePage() {
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(bool, room);
        ProgramState g;
        g.MarginLeft = left;
        g.MarginRight = right;
        g.MarginTop = top;
        g.MarginBtm = bottom;
        QCOMPARE(MarginsLeaveRoom(12240, 15840, g), room);
    }

    void pagesBeginWithTheFirstLineThatDidNotFit_data() {
        QTest::addColumn<QList<double>>("heights");
        QTest::addColumn<double>("pageHeight");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<QList<int>>("starts");
        QTest::newRow("one page") << QList<double>{10, 10, 10} << 30.0 << true << QList<int>{0};
        QTest::newRow("three a page")
            << QList<double>{10, 10, 10, 10, 10, 10, 10} << 35.0 << true << QList<int>{0, 3, 6};
        QTest::newRow("a tall line starts its own page")
            << QList<double>{10, 30, 10} << 35.0 << true << QList<int>{0, 1, 2};
        QTest::newRow("no lines") << QList<double>{} << 35.0 << true << QList<int>{0};
        QTest::newRow("a line taller than the page")
            << QList<double>{10, 40, 10} << 35.0 << false << QList<int>{};
        QTest::newRow("no room at all") << QList<double>{10} << 0.0 << false << QList<int>{};
    }
    void pagesBeginWithTheFirstLineThatDidNotFit() {
        QFETCH(QList<double>, heights);
        QFETCH(double, pageHeight);
        QFETCH(bool, fits);
        QFETCH(QList<int>, starts);
        QList<TextLineBox> lines;
        double top = 0;
        for (double height : heights) {
            lines << TextLineBox{top, top + height, static_cast<int>(lines.size()) * 20};
            top += height;
        }
        QList<int> pages{99};
        QCOMPARE(PageStarts(lines, pageHeight, &pages), fits);
        QCOMPARE(pages, starts);
    }

    void aPictureKeepsToThePrintableArea_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("expectedWidth");
        QTest::addColumn<double>("expectedX");
        // Landscape Letter, a quarter inch the printer cannot reach on each side.
        QTest::newRow("small, centred at its own size") << 9840.0 << 6000.0 << 9840.0 << 2640.0;
        QTest::newRow("as wide as the paper") << 15840.0 << 6000.0 << 15120.0 << 0.0;
        QTest::newRow("a wide screen's page") << 57600.0 << 10800.0 << 15120.0 << 0.0;
        QTest::newRow("tall, shrunk to the height") << 6000.0 << 23000.0 << 6000.0 * (11520.0 - 300) / 23000.0
                                                    << (15840 - 6000.0 * (11520.0 - 300) / 23000.0) / 2 - 360;
    }
    void aPictureKeepsToThePrintableArea() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, expectedWidth);
        QFETCH(double, expectedX);
        const PrintablePage page{15840, 12240, 360, 360, 15120, 11520};
        const PicturePlacement placed = CentrePicture(width, height, 300, page);
        QVERIFY(qAbs(placed.width - expectedWidth) < 0.01);
        QVERIFY(qAbs(placed.height / placed.width - height / width) < 1e-9);
        QVERIFY2(qAbs(placed.x - expectedX) <= 1, qPrintable(QString::number(placed.x)));
        QVERIFY(placed.x >= 0);
        QVERIFY(placed.x + placed.width <= page.printableWidth + 0.01);
        QVERIFY(placed.y >= 0);
        QVERIFY(placed.y + 300 + placed.height <= page.printableHeight + 0.01);
    }

    void printSettingsAreTheTeachersOwn() {
        TestEnvironment env;
        ProgramState& g = Globals();
        g.CurrentTeacher = 2;
        RestorePrintSettingDefaults(g);
        g.MarginLeft = 2880;
        SavePrintSettings(g);
        QCOMPARE(GetAllSettings(AppKey, QStringLiteral("Settings\\Effects2")).size(), 10);
        QVERIFY(GetAllSettings(AppKey, QStringLiteral("Settings\\Effects1")).isEmpty());
        g.MarginLeft = 0;
        LoadPrintSettings(g);
        QCOMPARE(g.MarginLeft, 2880);

        // What the dialog could not show reads as its default or its limit.
        SaveText(QStringLiteral("Settings\\Effects2"), QStringLiteral("Item"), QStringLiteral("7"));
        SaveText(QStringLiteral("Settings\\Effects2"), QStringLiteral("MarginTop"), QStringLiteral("-40"));
        SaveText(QStringLiteral("Settings\\Effects2"), QStringLiteral("MarginBtm"), QStringLiteral("900000"));
        LoadPrintSettings(g);
        QCOMPARE(g.PrintItem, 0);
        QCOMPARE(g.MarginTop, 0);
        QCOMPARE(g.MarginBtm, 7200);
    }

    // The print and the preview take the range's days from one list: the days shown, each once.
    void aRangePrintsEachListedDayOnce_data() {
        QTest::addColumn<QString>("book");
        QTest::addColumn<bool>("schoolDays");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QList<QDate>>("walked");
        const QDate monday(2026, 10, 12);
        QList<QDate> week;
        for (int d = 0; d < 7; ++d) {
            week << monday.addDays(d);
        }
        QTest::newRow("school days, Monday to Sunday")
            << "one teacher" << true << monday << monday.addDays(6) << week.mid(0, 5);
        QTest::newRow("every day, Monday to Sunday")
            << "one teacher" << false << monday << monday.addDays(6) << week;
        QTest::newRow("Saturday to Sunday")
            << "one teacher" << true << monday.addDays(5) << monday.addDays(6) << QList<QDate>{};
        QTest::newRow("Sunday before to Saturday after")
            << "one teacher" << true << monday.addDays(-1) << monday.addDays(5) << week.mid(0, 5);
        QTest::newRow("past the year's end")
            << "one teacher" << true << QDate(2027, 6, 24) << QDate(2027, 7, 10)
            << QList<QDate>{QDate(2027, 6, 24), QDate(2027, 6, 25)};
        QTest::newRow("after the year")
            << "one teacher" << true << QDate(2027, 7, 1) << QDate(2027, 7, 10) << QList<QDate>{};
        QTest::newRow("start after end")
            << "one teacher" << true << monday.addDays(3) << monday << QList<QDate>{};
        // Teacher 1 of a shared book teaches days 1, 3 and 5; the week runs from day 6 to day 4.
        QTest::newRow("the partner's days") << "shared" << true << monday << monday.addDays(6)
                                            << QList<QDate>{monday.addDays(1), monday.addDays(3)};
        QTest::newRow("Partner Days on")
            << "shared, Partner Days" << true << monday << monday.addDays(6) << week.mid(0, 5);
        const QDate tuesday(2026, 12, 8);
        QTest::newRow("Tuesdays and Thursdays, Tuesday to Saturday")
            << "Tuesdays and Thursdays" << true << tuesday << tuesday.addDays(4)
            << QList<QDate>{tuesday, tuesday.addDays(2)};
        // Not taught is not the same as no school: Monday and Wednesday stay out.
        QTest::newRow("Tuesdays and Thursdays, every day, Saturday to Wednesday")
            << "Tuesdays and Thursdays" << false << tuesday.addDays(-3) << tuesday.addDays(1)
            << QList<QDate>{tuesday.addDays(-3), tuesday.addDays(-2), tuesday};
        QTest::newRow("a holiday, school days") << "Wednesday holiday" << true << monday << monday.addDays(4)
                                                << QList<QDate>{week[0], week[1], week[3], week[4]};
        QTest::newRow("a holiday, every day")
            << "Wednesday holiday" << false << monday << monday.addDays(4) << week.mid(0, 5);
    }
    void aRangePrintsEachListedDayOnce() {
        QFETCH(QString, book);
        QFETCH(bool, schoolDays);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QList<QDate>, walked);
        TestEnvironment env;
        YearPlan plan = book.startsWith(QLatin1String("shared"))          ? SharedBookYear()
                        : book == QLatin1String("Tuesdays and Thursdays") ? TuesdaysAndThursdaysYear()
                                                                          : YearPlan{};
        if (book == QLatin1String("Wednesday holiday")) {
            plan.holidays << QDate(2026, 10, 14);
        }
        BuildYear(plan);
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), schoolDays);
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("BothTeacherDays"),
                 book.endsWith(QLatin1String("Partner Days")));
        QVERIFY(OpenBook(1));
        QCOMPARE(PrintRangeDays(ListedDays(), start, end), walked);
        QCOMPARE(WalkedDays(start, end), walked);
        VerifyNoUnexpectedMessages();
    }
};

QTEST_GUILESS_MAIN(PrintCompositionTest)
#include "tst_printcomposition.moc"
