#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "daypage/DayStyle.h"
#include "mainwindow/frmMain.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "support/UiTestSupport.h"
#include "widgets/Colours.h"
#include "widgets/TwipsGeometry.h"

#include <QImage>
#include <QTest>

namespace {
void SetTeachers(int teacherNum, int current, int cycle, const QString& first, const QString& second,
                 bool bothDays = false) {
    ProgramState& g = Globals();
    g.TeacherNum = teacherNum;
    g.CurrentTeacher = current;
    g.Cycle = cycle;
    g.BothTeacherDays = bothDays;
    const int width = cycle == 1 ? 3 : 1;
    g.TeacherCycle[1] = first;
    g.TeacherCycle[2] = second;
    g.TeacherDays[1] = QString::number(first.size() / width);
    g.TeacherDays[2] = QString::number(second.size() / width);
}

void SaveTeacherColours(int teacher, qint32 back0, qint32 back1, qint32 back3, qint32 fore1) {
    const QString section = QStringLiteral("Settings\\Effects%1").arg(teacher);
    SaveInt(section, QStringLiteral("ColourBack0"), back0);
    SaveInt(section, QStringLiteral("ColourBack1"), back1);
    SaveInt(section, QStringLiteral("ColourBack3"), back3);
    SaveInt(section, QStringLiteral("ColourFore1"), fore1);
    SaveInt(section, QStringLiteral("FontSize2"), teacher == 1 ? 10 : 14);
}

// The colour painted at a point given in twips of the day page.
QColor PixelAt(const QImage& image, double x, double y) {
    return image.pixelColor(PxX(x), PxY(y));
}
} // namespace

class DayStyleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whoseStyleADayTakes_data() {
        QTest::addColumn<int>("teachers");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("bothDays");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("expected"); // 0: the loaded style stays
        QTest::newRow("own day") << 2 << 1 << 0 << "135"
                                 << "246" << false << "3" << 1;
        QTest::newRow("partner's day") << 2 << 1 << 0 << "135"
                                       << "246" << true << "4" << 2;
        QTest::newRow("partner's day, teacher 2 on") << 2 << 2 << 0 << "135"
                                                     << "246" << true << "1" << 1;
        QTest::newRow("x day goes to who is on") << 2 << 2 << 0 << "135"
                                                 << "246" << true << "x" << 2;
        QTest::newRow("no record") << 2 << 1 << 0 << "135"
                                   << "246" << true << "" << 0;
        QTest::newRow("in neither cycle") << 2 << 1 << 0 << "135"
                                          << "246" << true << "7" << 2;
        QTest::newRow("in both, lower position wins") << 2 << 1 << 0 << "1234"
                                                      << "4123" << true << "4" << 2;
        QTest::newRow("in both, same position: who is on") << 2 << 2 << 0 << "135"
                                                           << "146" << true << "1" << 2;
        QTest::newRow("weekday cycle") << 2 << 1 << 1 << "MonWed"
                                       << "TueThu" << true << "Thu" << 2;
        QTest::newRow("weekday cycle, own") << 2 << 1 << 1 << "MonWed"
                                            << "TueThu" << true << "Wed" << 1;
        QTest::newRow("one teacher keeps the loaded style") << 1 << 1 << 0 << "123456"
                                                            << "" << false << "3" << 0;
        QTest::newRow("one teacher, partner days on") << 1 << 1 << 0 << "123456"
                                                      << "" << true << "3" << 1;
        QTest::newRow("an unknown cycle goes to the partner") << 2 << 1 << 5 << "135"
                                                              << "246" << true << "1" << 2;
    }
    void whoseStyleADayTakes() {
        QFETCH(int, teachers);
        QFETCH(int, current);
        QFETCH(int, cycle);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, bothDays);
        QFETCH(QString, code);
        QFETCH(int, expected);
        TestEnvironment env;
        SetTeachers(teachers, current, cycle, first, second, bothDays);
        QCOMPARE(DayStyleTeacher(Globals(), code), expected);
    }

    void aDayCountBeyondTheCycleCountsTheCycle() {
        TestEnvironment env;
        SetTeachers(2, 1, 0, QStringLiteral("135"), QStringLiteral("246"));
        Globals().TeacherDays[1] = QStringLiteral("2147483647");
        Globals().TeacherDays[2] = QStringLiteral("-5");
        QCOMPARE(TeacherDayCount(Globals().TeacherDays[1], Globals().TeacherCycle[1], 0), 3);
        QCOMPARE(TeacherDayCount(Globals().TeacherDays[2], Globals().TeacherCycle[2], 0), 0);
        QCOMPARE(TeacherDayCount(QStringLiteral("9"), QStringLiteral("MonTueWed"), 1), 3);
        QCOMPARE(DayStyleTeacher(Globals(), QStringLiteral("5")), 1);
        QCOMPARE(DayStyleTeacher(Globals(), QStringLiteral("4")), 2); // found in neither: the partner
    }

    void aSharedBookPaintsEachDayInItsTeachersStyle() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SaveTeacherColours(1, 0x0000FF, 0x00FFFF, 0xFFFFFF, 0x123456);
        SaveTeacherColours(2, 0x00FF00, 0xFF00FF, 0xEEEEEE, 0x654321);
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), QStringLiteral("False"));
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("BothTeacherDays"),
                 QStringLiteral("True"));
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        QTest::qWait(1); // the page's activation runs once start-up has finished
        frmSchedule& page = frmSchedule::Get();
        // Today, 2026-10-14, is cycle day 2: the partner's.
        QCOMPARE(page.lblDay->Caption(), QStringLiteral("2"));
        QCOMPARE(Globals().ColourBack[0], 0x00FF00);
        QCOMPARE(page.shpTitle->BackColour(), 0x00FF00);
        QCOMPARE(page.shpStrip[3]->BackColour(), 0xFF00FF);
        QCOMPARE(page.lblTime[0]->palette().color(QPalette::WindowText), ColorFromBgr(0x654321));
        QCOMPARE(page.lblSubject[0]->font().pointSize(), 14);
        page.cmdNext_Click(); // day 3: one's own
        QCOMPARE(page.lblDay->Caption(), QStringLiteral("3"));
        QCOMPARE(page.shpTitle->BackColour(), 0x0000FF);
        QCOMPARE(page.lblSubject[0]->font().pointSize(), 10);
        page.cmdNext_Click(); // Friday, day 4: the partner's again
        page.cmdNext_Click(); // Saturday, "x": the one logged on
        QCOMPARE(page.lblDay->Caption(), QStringLiteral("x"));
        QCOMPARE(page.shpTitle->BackColour(), 0x0000FF);
        VerifyNoUnexpectedMessages();
    }

    void oneTeacherNeverReadsTheStoreAgain() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveTeacherColours(1, 0x0000FF, 0x00FFFF, 0xFFFFFF, 0x123456);
        QVERIFY(Main());
        QTest::qWait(1);
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.shpTitle->BackColour(), 0x0000FF);
        // Changed behind the program's back: moving between days does not pick it up.
        SaveTeacherColours(1, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00);
        page.cmdNext_Click();
        page.cmdPrev_Click();
        QCOMPARE(Globals().ColourBack[0], 0x0000FF);
        QCOMPARE(page.shpTitle->BackColour(), 0x0000FF);
    }

    void thePageShowsTheStyleColours() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveTeacherColours(1, 0x3050A0, 0x80C0E0, 0xF0F8FF, 0x000080);
        SaveInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("ColourBack2"), 0x406080);
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("BinderStyle"), QStringLiteral("4"));
        QVERIFY(Main());
        frmSchedule& page = frmSchedule::Get();
        QTest::qWait(20);
        const QImage image = page.grab().toImage();
        QVERIFY(!image.isNull());
        const double W = page.WindowWidth();
        // The date band, right of the date's text and left of "School Day:".
        QCOMPARE(PixelAt(image, W / 2 - 1500, 30), ColorFromBgr(0x3050A0));
        // A time and subject band of the left page, past the subject's text.
        QCOMPARE(PixelAt(image, W / 2 - 800, 1648 + 280), ColorFromBgr(0x80C0E0));
        // The page between two ruling lines of a Details block with no text.
        QCOMPARE(PixelAt(image, W - 400, 2174 + 120), ColorFromBgr(0xF0F8FF));
        // The bottom band, below the last block.
        QCOMPARE(PixelAt(image, 200, 8282 + 100), ColorFromBgr(0x80C0E0));
        // The panels on the main window: the notes title takes slot 2.
        const QImage notes = page.lblNotes->grab().toImage();
        QCOMPARE(notes.pixelColor(2, 2), ColorFromBgr(0x406080));
        if (!qEnvironmentVariableIsEmpty("QLM_SHOT")) {
            frmMain::Get().grab().save(qEnvironmentVariable("QLM_SHOT"));
        }
    }
};

QTEST_MAIN(DayStyleTest)
#include "tst_daystyle.moc"
