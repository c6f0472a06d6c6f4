#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "daypage/Panels.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "ui/UiState.h"
#include "widgets/SystemMetrics.h"
#include "widgets/TwipsGeometry.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
frmSchedule& Page() {
    return frmSchedule::Get();
}

QString Shown() {
    return Page().txtDate->Text();
}

int Tw(double twips) {
    return static_cast<int>(twips);
}

QVariant StoredField(const QString& path, const QString& date, const QString& field) {
    return QueryValue(path, QStringLiteral("SELECT %1 FROM QLM WHERE Date = ?").arg(field), {date});
}

// The modal window that opens next is closed as soon as it shows.
void CloseNextModalWindow() {
    QTimer::singleShot(0, [] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            window->close();
        }
    });
}

void StoreField(const QString& path, const QString& date, const QString& field, const QVariant& value) {
    ExecSql(path, QStringLiteral("UPDATE QLM SET %1 = ? WHERE Date = ?").arg(field), {value, date});
}

// Starts the program with the main window at a screen's size; the page is loaded again so that
// it takes its width and its panels' places from that window.
bool StartAtSize(const QSize& pixels) {
    if (!Main()) {
        return false;
    }
    frmMain& main = frmMain::Get();
    frmSchedule::Unload();
    main.showNormal();
    main.resize(pixels);
    QTest::qWait(1);
    Globals().StartupDone = false;
    Page();
    OpenDayTable();
    GoToDate(QDate(2026, 10, 14));
    Globals().StartupDone = true;
    QTest::qWait(1);
    return true;
}
} // namespace

class DayPageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutFollowsTheStoredSizes() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        frmSchedule& page = Page();
        const int scrollBar = CInt(15.0 * GetSystemMetrics(SM_CXVSCROLL));
        QCOMPARE(Ui().ScrollBarWidth, scrollBar);
        const double W = frmMain::Get().InnerWidthTw() - scrollBar;
        QCOMPARE(Ui().DayPageWidth, CInt(W));
        QCOMPARE(page.WindowWidth(), W);
        // B, and the bottom band as tall as the lower panels reach above the page's area.
        const double band = frmMain::Get().PageAreaBottomTw() - Ui().LowerY;
        QVERIFY(band > 2532);
        QCOMPARE(page.WindowHeight(), 8282 + band);

        QCOMPARE(Tw(TwTop(page.shpTitle)), 0);
        QCOMPARE(Tw(TwHeight(page.shpTitle)), 324);
        const int stripTops[6] = {324, 1648, 2972, 4296, 5620, 6944};
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(Tw(TwTop(page.shpStrip[k])), stripTops[k]);
            QCOMPARE(TwWidth(page.shpStrip[k]), W);
        }
        const int groupTops[6] = {848, 2174, 3500, 4826, 6152, 7478};
        for (int group = 0; group < 6; ++group) {
            for (int line = 0; line < 4; ++line) {
                Line* ruling = page.lnLine[group * 4 + line + 1];
                QCOMPARE(Tw(ruling->Y1()), groupTops[group] + 240 * line);
                QCOMPARE(ruling->X1(), 0.0);
                QCOMPARE(ruling->X2(), W);
            }
        }
        QCOMPARE(Tw(TwTop(page.shpBottom)), 8282);
        QCOMPARE(TwHeight(page.shpBottom), band);

        // The date from the left edge, "School Day:" and the code at the right edge.
        QCOMPARE(TwWidth(page.lblDate), W - 408 - 1524);
        QCOMPARE(TwLeft(page.lblDay), W - 408);
        QCOMPARE(TwLeft(page.lblSD), W - 408 - 1524);

        const double rightX0 = CInt(600 + W / 2);
        for (int i = 0; i < 12; ++i) {
            const int j = i % 6;
            const double X0 = i < 6 ? 0 : rightX0;
            QCOMPARE(Tw(TwTop(page.lblTime[i])), 324 + 1324 * j);
            QCOMPARE(TwLeft(page.lblTime[i]), X0);
            QCOMPARE(TwTop(page.lblSubject[i]), TwTop(page.lblTime[i]));
            QCOMPARE(TwLeft(page.lblSubject[i]), X0 + 1200);
            QCOMPARE(TwWidth(page.lblSubject[i]), W / 2 - 1800);
            QCOMPARE(Tw(TwTop(page.lblDetails[i])), 648 + 1324 * j);
            QCOMPARE(TwWidth(page.lblDetails[i]), W / 2 - 768);
            QCOMPARE(Tw(TwHeight(page.lblDetails[i])), 1000);
            QCOMPARE(TwLeft(page.lblDetails[i]), X0 + 168);
        }
        // The right page's rows share the left page's tops.
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(TwTop(page.lblTime[i + 6]), TwTop(page.lblTime[i]));
        }

        QCOMPARE(TwLeft(page.imgBinder), W / 2 - 438);
        QCOMPARE(TwHeight(page.imgBinder), 8282 + band);
        QCOMPARE(TwLeft(page.cmdPrev), TwLeft(page.imgBinder) + 876);
        QCOMPARE(Tw(TwTop(page.cmdPrev)), 16);
        QCOMPARE(TwLeft(page.cmdNext), TwLeft(page.cmdPrev) + 552);
        QCOMPARE(TwWidth(page.fraCalendar), 2640.0);
        QCOMPARE(TwWidth(page.fraNotes), 2640.0);

        // The status bar shows today, not the shown day.
        GoToDate(QDate(2026, 11, 2));
        QCOMPARE(frmMain::Get().StatusPanel(QStringLiteral("Date"))->text(),
                 QStringLiteral("Wednesday - October 14, 2026"));
        QCOMPARE(page.lblDate->Caption(), QStringLiteral("Monday - November 2, 2026"));
    }

    void aReloadKeepsTheWidthAndThePanels() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        const int width = Ui().DayPageWidth;
        frmSchedule::Unload();
        frmMain::Get().resize(frmMain::Get().width() - 200, frmMain::Get().height());
        QTest::qWait(10);
        frmSchedule& page = Page();
        OpenDayTable();
        QCOMPARE(page.WindowWidth(), static_cast<double>(width));
        QCOMPARE(page.fraCalendar->parentWidget(), frmMain::Get().clientArea);
        QCOMPARE(page.fraNotes->parentWidget(), frmMain::Get().clientArea);
        QCOMPARE(page.fraTimeTable->parentWidget(), frmMain::Get().clientArea);
        frmSchedule::Unload();
        VerifyNoUnexpectedMessages();
    }

    void notesPanelSitsByTheCalendar_data() {
        QTest::addColumn<int>("notesPosition");
        QTest::addColumn<int>("calendarPosition");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside, calendar lower left") << 0 << 0 << "calendar width";
        QTest::newRow("beside, calendar lower right") << 0 << 1 << "lower right less calendar width";
        QTest::newRow("opposite, calendar lower left") << 1 << 0 << "lower right";
        QTest::newRow("opposite, calendar lower right") << 1 << 1 << "left edge";
    }
    void notesPanelSitsByTheCalendar() {
        QFETCH(int, notesPosition);
        QFETCH(int, calendarPosition);
        QFETCH(QString, expected);
        const int calendar = 2640;
        const int lowerRight = 12000;
        const int left = NotesPanelLeft(notesPosition, calendarPosition, calendar, lowerRight);
        const int want = expected == QLatin1String("calendar width") ? calendar
                         : expected == QLatin1String("lower right less calendar width")
                             ? lowerRight - calendar
                         : expected == QLatin1String("lower right") ? lowerRight
                                                                    : 0;
        QCOMPARE(left, want);
    }

    void panelsArePlacedAndMarked() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QTest::qWait(1); // the page places its panels when it becomes active
        ProgramState& g = Globals();
        const UiState& ui = Ui();
        frmSchedule& page = Page();
        frmMain& main = frmMain::Get();
        // The anchors come from the main window's outer size less its frame allowances.
        QCOMPARE(ui.NonClientWidth, CLng(15.0 * (2 * ui.FrameWidth + ui.VScrollWidth + 3 * ui.BorderWidth)));
        QCOMPARE(ui.LowerRightX, CInt(main.OuterWidthTw() - 2640 - ui.NonClientWidth));
        QVERIFY(ui.LowerY + 2532 < main.PageAreaBottomTw());

        // Defaults: calendar lower right, notes beside it.
        QVERIFY(page.fraCalendar->isVisible());
        QCOMPARE(Tw(TwLeft(page.fraCalendar)), ui.LowerRightX);
        QCOMPARE(Tw(TwTop(page.fraCalendar)), ui.LowerY);
        QCOMPARE(Tw(TwLeft(page.fraNotes)), ui.LowerRightX - 2640);
        QVERIFY(main.mnuVCalendar->isChecked());
        QVERIFY(main.mnuVNotes->isChecked());

        // A hidden calendar still keeps its place for the notes.
        g.CalendarShow = false;
        g.CalendarPosition = 0;
        ShowCalendarFrame(page);
        QVERIFY(!page.fraCalendar->isVisible());
        QVERIFY(!main.mnuVCalendar->isChecked());
        QCOMPARE(Tw(TwLeft(page.fraNotes)), 2640);

        g.NotesShow = false;
        ShowNotesFrame(page);
        QVERIFY(!page.fraNotes->isVisible());
        QVERIFY(!main.mnuVNotes->isChecked());

        // The view command flips the flag, saves it and shows the panel again.
        main.mnuVNotes_Click();
        QVERIFY(g.NotesShow);
        QVERIFY(page.fraNotes->isVisible());
        QCOMPARE(ReadText(QStringLiteral("Settings\\Effects1"), QStringLiteral("NotesShow")),
                 QStringLiteral("True"));
    }

    void timetablePanelNeedsATimetable() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableShow"),
                 QStringLiteral("True"));
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableLeft"),
                 QStringLiteral("3000"));
        QVERIFY(Main());
        frmSchedule& page = Page();
        QVERIFY(page.fraTimeTable->isVisible());
        QCOMPARE(Tw(TwLeft(page.fraTimeTable)), 3000);
        QCOMPARE(Tw(TwTop(page.fraTimeTable)), 1000);
        QVERIFY(frmMain::Get().mnuVTimeTable->isChecked());

        Globals().SetupTimeTable = 0;
        ShowTimeTableFrame(page);
        QVERIFY(!page.fraTimeTable->isVisible());
        QVERIFY(frmMain::Get().mnuVTimeTable->isChecked()); // the mark is left alone
    }

    void panelsAreDraggedByTheirTitles() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableShow"),
                 QStringLiteral("True"));
        QVERIFY(Main());
        frmSchedule& page = Page();
        QTest::qWait(10);

        // The timetable follows the grab point and its place is saved on the drop.
        QWidget* header = page.lblHeader[2];
        const double left = TwLeft(page.fraTimeTable);
        const double top = TwTop(page.fraTimeTable);
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(page.DragX, 75);
        QCOMPARE(page.DragY, 75);
        QMouseEvent move(QEvent::MouseMove, QPointF(25, 15), header->mapToGlobal(QPointF(25, 15)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(header, &move);
        QCOMPARE(TwLeft(page.fraTimeTable), left + 300);
        QCOMPARE(TwTop(page.fraTimeTable), top + 150);
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(Globals().TimeTableLeft, CInt(left + 300));
        QCOMPARE(ReadInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableLeft"), 0),
                 CInt(left + 300));
        QCOMPARE(ReadInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableTop"), 0),
                 CInt(top + 150));

        // A drop without a move still writes both keys.
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableTop"), QString());
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(ReadInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableTop"), 0),
                 CInt(top + 150));

        // The right button moves the calendar but not the notes.
        const double notesLeft = TwLeft(page.fraNotes);
        QTest::mousePress(page.lblNotes, Qt::RightButton, {}, QPoint(5, 5));
        QMouseEvent notesMove(QEvent::MouseMove, QPointF(45, 5), page.lblNotes->mapToGlobal(QPointF(45, 5)),
                              Qt::NoButton, Qt::RightButton, {});
        QApplication::sendEvent(page.lblNotes, &notesMove);
        QTest::mouseRelease(page.lblNotes, Qt::RightButton, {}, QPoint(45, 5));
        QCOMPARE(TwLeft(page.fraNotes), notesLeft);

        const double calendarLeft = TwLeft(page.fraCalendar);
        QTest::mousePress(page.lblCalendar, Qt::RightButton, {}, QPoint(5, 5));
        QMouseEvent calendarMove(QEvent::MouseMove, QPointF(-15, 5),
                                 page.lblCalendar->mapToGlobal(QPointF(-15, 5)), Qt::NoButton,
                                 Qt::RightButton, {});
        QApplication::sendEvent(page.lblCalendar, &calendarMove);
        QTest::mouseRelease(page.lblCalendar, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(TwLeft(page.fraCalendar), calendarLeft - 300);

        // Titles invite a drag; timetable cells show their whole text.
        QTest::mouseMove(page.lblNotes, QPoint(3, 3));
        QCOMPARE(page.lblNotes->toolTip(), QStringLiteral("Drag to Move"));
        QLabel* cell = page.lblRow[1];
        QMouseEvent hover(QEvent::MouseMove, QPointF(2, 2), cell->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                          Qt::NoButton, {});
        QApplication::sendEvent(cell, &hover);
        QCOMPARE(cell->toolTip(), QStringLiteral("Subj 1-1"));
    }

    void previousAndNextStopAtTheEnds() {
        TestEnvironment env(QDate(2026, 9, 1));
        BuildYear(YearPlan{});
        StoreField(env.DatabasePath(), QStringLiteral("2026-09-01"), QStringLiteral("Details1"),
                   QStringLiteral("  intro  "));
        QVERIFY(Main());
        frmSchedule& page = Page();
        QCOMPARE(Shown(), QStringLiteral("2026-09-01"));
        page.lblDetails[0]->Tag = QStringLiteral("stale");
        page.cmdPrev_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-09-01"));
        QCOMPARE(page.lblDetails[0]->Tag, QStringLiteral("intro")); // remembered again, trimmed
        page.cmdNext_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-09-02"));
        QCOMPARE(page.lblDetails[0]->Tag, QString());
        GoToDate(QDate(2027, 6, 25));
        page.cmdNext_Click();
        QCOMPARE(Shown(), QStringLiteral("2027-06-25"));
        QVERIFY(!page.datLumenleaf.Records().AtEOF());
        page.cmdPrev_Click();
        QCOMPARE(Shown(), QStringLiteral("2027-06-24"));
    }

    void theCalendarMovesThePage() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        Page().MonthView_DateClick(QDate(2026, 12, 19)); // a Saturday
        QCOMPARE(Shown(), QStringLiteral("2026-12-21"));
        Page().MonthView_DateClick(QDate(2027, 9, 1)); // after the year
        QCOMPARE(Shown(), QStringLiteral("2026-12-21"));
    }

    void entryTextsComeFromTheStoredRecord() {
        QCOMPARE(frmSchedule::NzTrim(QVariant()), QString());
        QCOMPARE(frmSchedule::NzTrim(QVariant(QStringLiteral("  Unit 3 quiz  "))),
                 QStringLiteral("Unit 3 quiz"));
        QCOMPARE(frmSchedule::NzTrim(QVariant(QStringLiteral("\tkept\t"))), QStringLiteral("\tkept\t"));

        TestEnvironment env;
        BuildYear(YearPlan{});
        StoreField(env.DatabasePath(), QStringLiteral("2026-10-14"), QStringLiteral("Notes"),
                   QStringLiteral(" Field trip "));
        QVERIFY(Main());
        frmSchedule& page = Page();
        QCOMPARE(page.txtNotes->Tag, QStringLiteral("Field trip"));
        QCOMPARE(page.lblDetails[3]->Tag, QString());
        // An edited caption does not change what was remembered.
        page.lblDetails[3]->setCaption(QStringLiteral("changed on screen"));
        page.RememberEntryTexts(page.datLumenleaf);
        QCOMPARE(page.lblDetails[3]->Tag, QString());
    }

    void notesButtons() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        StoreField(env.DatabasePath(), QStringLiteral("2026-10-14"), QStringLiteral("Notes"),
                   QStringLiteral("Library day"));
        QVERIFY(Main());
        frmSchedule& page = Page();
        const QString path = env.DatabasePath();
        const QString today = QStringLiteral("2026-10-14");

        page.txtNotes->setText(QStringLiteral("Library day, bring forms"));
        page.txtNotes_GotFocus(); // the buttons work while the notes are being written
        page.cmdNotesSave->click();
        QCOMPARE(StoredField(path, today, QStringLiteral("Notes")).toString(),
                 QStringLiteral("Library day, bring forms"));

        // Clear stores nothing by itself; Cancel puts back what was there on entry.
        page.txtNotes_GotFocus(); // the buttons work while the notes are being written
        page.cmdNotesClear->click();
        QCOMPARE(page.txtNotes->Text(), QString());
        QCOMPARE(StoredField(path, today, QStringLiteral("Notes")).toString(),
                 QStringLiteral("Library day, bring forms"));
        page.txtNotes_GotFocus(); // the buttons work while the notes are being written
        page.cmdNotesCancel->click();
        QCOMPARE(page.txtNotes->Text(), QStringLiteral("Library day"));
        QCOMPARE(StoredField(path, today, QStringLiteral("Notes")).toString(), QStringLiteral("Library day"));

        // A note typed and left by moving on is stored too.
        page.txtNotes->setPlainText(QStringLiteral("typed, then Next"));
        page.cmdNext_Click();
        QCOMPARE(StoredField(path, today, QStringLiteral("Notes")).toString(),
                 QStringLiteral("typed, then Next"));
    }

    void aNoteIsKeptWhenTheProgramCloses() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QTest::qWait(1); // the page is shown before anyone types
        Page().txtNotes->setPlainText(QStringLiteral("written just before closing"));
        frmMain::Get().close();
        QVERIFY(!frmSchedule::IsLoaded());
        QCOMPARE(
            StoredField(env.DatabasePath(), QStringLiteral("2026-10-14"), QStringLiteral("Notes")).toString(),
            QStringLiteral("written just before closing"));
    }

    void cellPressesSetTheEditRow() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        frmSchedule& page = Page();
        QCursor::setPos(400, 300);
        QTest::mousePress(page.lblTime[4], Qt::RightButton);
        QCOMPARE(Ui().EditRow, 4);
        // The cell's menu opens centred across the pointer, below it.
        QMenu* popup = frmMain::Get().mnuPopUpTime;
        QVERIFY(popup->isVisible());
        QVERIFY(qAbs(popup->geometry().center().x() - 400) <= 1);
        QCOMPARE(popup->geometry().top(), 300);
        popup->close();
        QTest::mousePress(page.lblDetails[9], Qt::LeftButton);
        QCOMPARE(Ui().EditRow, 9);
        CloseNextModalWindow(); // the double-click opens the Subject editor
        QTest::mouseDClick(page.lblSubject[7], Qt::LeftButton);
        QCOMPARE(Ui().EditRow, 7);
        Globals().BlankDataBase = true; // no school year: cells do nothing
        QTest::mousePress(page.lblTime[2], Qt::LeftButton);
        QCOMPARE(Ui().EditRow, 7);
    }

    void theDayCodeShowsOnlyForTaughtSixDayDays() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        frmSchedule& page = Page();
        QVERIFY(page.lblDay->isVisible());
        QVERIFY(page.lblSD->isVisible());
        Globals().SchoolDays = false;
        RequeryDayTable();
        GoToDate(QDate(2026, 10, 17)); // a Saturday, "x"
        QVERIFY(!page.lblDay->isVisible());
        QVERIFY(!page.lblSD->isVisible());
    }

    void theWeekdayCycleShowsNoDayCode() {
        TestEnvironment env;
        YearPlan plan;
        plan.cycle = 1;
        plan.teacherCycle[1] = QStringLiteral("MonTueWedThuFri");
        BuildYear(plan);
        QVERIFY(Main());
        QCOMPARE(Page().lblDay->Caption(), QStringLiteral("Wed"));
        QVERIFY(!Page().lblDay->isVisible());
        QVERIFY(!Page().lblSD->isVisible());
    }

    void exitAsksWhenTheLastStoreFails_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::newRow("leave without storing") << QList<int>{MsgAnswerNo};
        QTest::newRow("try again, then leave") << QList<int>{MsgAnswerYes, MsgAnswerNo};
    }
    void exitAsksWhenTheLastStoreFails() {
        QFETCH(QList<int>, answers);
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QTest::qWait(1);
        Page().txtNotes->setPlainText(QStringLiteral("typed just before closing"));
        // The file can no longer take the change (the table is gone from under the program).
        ExecSql(env.DatabasePath(), QStringLiteral("ALTER TABLE QLM RENAME TO Gone"));
        for (int answer : answers) {
            MessageTestSeam::QueueAnswer(answer);
        }
        frmMain::Get().close();
        QVERIFY(!frmSchedule::IsLoaded());
        QCoreApplication::processEvents(); // nothing is left to be said afterwards
        QCOMPARE(MessageTestSeam::Answered().size(), answers.size());
        QCOMPARE(MessageTestSeam::Answered().first().buttons, int(MsgYesNo));
        QVERIFY(MessageTestSeam::Answered().first().text.contains(QStringLiteral("could not be saved")));
        VerifyNoUnexpectedMessages();
    }

    void thePageLaysOutOnWideScreens_data() {
        QTest::addColumn<int>("pixels");
        QTest::newRow("1280") << 1280;
        QTest::newRow("1920") << 1920;
        QTest::newRow("2560") << 2560;
        QTest::newRow("3840") << 3840;
    }
    void thePageLaysOutOnWideScreens() {
        QFETCH(int, pixels);
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(StartAtSize(QSize(pixels, 1000)));
        frmMain& main = frmMain::Get();
        frmSchedule& page = Page();
        VerifyNoUnexpectedMessages();
        const double W = main.InnerWidthTw() - Ui().ScrollBarWidth;
        QCOMPARE(page.WindowWidth(), W);
        QCOMPARE(Ui().DayPageWidth, CLng(W));
        QCOMPARE(TwLeft(page.lblTime[6]), double(CLng(600 + W / 2)));
        QCOMPARE(TwWidth(page.lblDetails[11]), W / 2 - 768);
        QCOMPARE(TwLeft(page.lblDay), W - 408);
        // The lower panels sit at the window's lower right, on the window.
        const UiState& ui = Ui();
        QCOMPARE(ui.LowerRightX, CLng(main.OuterWidthTw() - 2640 - ui.NonClientWidth));
        QVERIFY(page.fraCalendar->isVisible());
        QCOMPARE(TwLeft(page.fraCalendar), double(ui.LowerRightX));
        QCOMPARE(TwLeft(page.fraNotes), double(ui.LowerRightX - 2640));
        QVERIFY(page.fraCalendar->geometry().right() < main.clientArea->width());
        QVERIFY(page.fraNotes->geometry().left() > 0);
    }

    // The lower panels stand on the page's area with a small gap above the status bar: nothing of
    // the calendar's last week or of the notes' buttons goes under it. Where they stand over the
    // page, it scrolls its last rows clear of them.
    void lowerPanelsStayBetweenTheRowsAndTheStatusBar_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024 x 600") << QSize(1024, 600);
        QTest::newRow("1280 x 800") << QSize(1280, 800);
        QTest::newRow("3840 x 2160") << QSize(3840, 2160);
    }
    void lowerPanelsStayBetweenTheRowsAndTheStatusBar() {
        QFETCH(QSize, screen);
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(StartAtSize(screen));
        frmMain& main = frmMain::Get();
        frmSchedule& page = Page();
        QScrollBar* scroll = main.mdiClient->verticalScrollBar();
        scroll->setValue(scroll->maximum());
        const int statusTop = main.statusBar()->geometry().top() - main.clientArea->geometry().top();
        const int rowsEnd =
            page.lblDetails[11]->mapTo(main.clientArea, QPoint(0, page.lblDetails[11]->height())).y();
        for (QWidget* panel : {page.fraCalendar, page.fraNotes}) {
            QVERIFY(panel->isVisible());
            const int bottom = panel->geometry().bottom() + 1;
            QVERIFY(bottom <= statusTop && bottom >= statusTop - 40);
            QVERIFY(rowsEnd <= panel->geometry().top());
        }
        const QRect buttons = page.cmdNotesSave->geometry().united(page.cmdNotesCancel->geometry());
        QVERIFY(page.fraNotes->rect().contains(buttons));
    }

    void theTimetableIsDraggedFarAndComesBackOnScreen() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableShow"),
                 QStringLiteral("True"));
        QVERIFY(Main());
        frmSchedule& page = Page();
        QTest::qWait(10);
        QWidget* header = page.lblHeader[1];
        const double left = TwLeft(page.fraTimeTable);
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(2405, 5), header->mapToGlobal(QPointF(2405, 5)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(header, &move);
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(5, 5)); // the panel moved with the pointer
        QCOMPARE(Globals().TimeTableLeft, CLng(left + 2400 * 15));
        QCOMPARE(ReadLong(QStringLiteral("Settings\\Effects1"), QStringLiteral("TimeTableLeft"), 0),
                 CLng(left + 2400 * 15));
        // Shown again, the panel is brought back onto the window.
        ShowTimeTableFrame(page);
        QVERIFY(page.fraTimeTable->isVisible());
        QVERIFY(page.fraTimeTable->geometry().right() < frmMain::Get().clientArea->width());
        QVERIFY(page.fraTimeTable->geometry().left() >= 0);
    }
};

QTEST_MAIN(DayPageTest)
#include "tst_daypage.moc"
